// TGraphic, TBitmap, TIcon, TPngImage, TPicture and the registry of drawn bitmaps.
#include "framework/graphics/graphics.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QPainter>

// ---------------------------------------------------------------------------------------
// TGraphic

void TGraphic::Changed()
{
  FModified = true;
  TGraphicsObject::Changed();
}

void TGraphic::SetTransparent(bool Value)
{
  if (Value == FTransparent)
    return;
  FTransparent = Value;
  Changed();
}

void TGraphic::Assign(TPersistent *Source)
{
  if (auto *g = dynamic_cast<TGraphic *>(Source)) {
    AssignGraphic(g);
    return;
  }
  if (!Source) {
    AssignGraphic(nullptr);
    return;
  }
  TPersistent::Assign(Source);
}

void TGraphic::LoadFromFile(const QString &FileName)
{
  TMemoryStream ms;
  ms.LoadFromFile(FileName);
  if (!LoadFromData(ms.Bytes()))
    throw EInvalidGraphic(QStringLiteral("%1 image is not valid").arg(ClassName().mid(1)));
}

void TGraphic::SaveToFile(const QString &FileName) const
{
  TMemoryStream ms;
  const QByteArray data = SaveToData();
  ms.WriteBuffer(data);
  ms.SaveToFile(FileName);
}

void TGraphic::LoadFromStream(TStream *Stream)
{
  if (!Stream)
    return;
  if (!LoadFromData(Stream->ReadRemaining()))
    throw EInvalidGraphic(QStringLiteral("%1 image is not valid").arg(ClassName().mid(1)));
}

void TGraphic::SaveToStream(TStream *Stream) const
{
  if (Stream)
    Stream->WriteBuffer(SaveToData());
}

void TGraphic::Draw(TCanvas *ACanvas, const TRect &Rect) const
{
  if (!ACanvas || Empty())
    return;
  const QImage img = ToImage();
  ACanvas->DrawImage(Rect, img, TRect(0, 0, img.width(), img.height()), cmSrcCopy);
}

// ---------------------------------------------------------------------------------------
// TBitmap

TBitmap::TBitmap() : FCanvas(std::make_unique<TCanvas>())
{
  FCanvas->SetImage(&FImage);
  FCanvas->OnChange = [this](TObject *) { Changed(); };
}

TBitmap::TBitmap(int AWidth, int AHeight) : TBitmap() { Resize(AWidth, AHeight); }

TBitmap::~TBitmap() = default;

QImage::Format TBitmap::ImageFormat() const
{
  switch (FPixelFormat) {
  case pf24bit: return QImage::Format_BGR888;
  case pf32bit:
    if (FAlphaFormat == afPremultiplied) return QImage::Format_ARGB32_Premultiplied;
    if (FAlphaFormat == afDefined) return QImage::Format_ARGB32;
    return QImage::Format_RGB32;
  default: return QImage::Format_RGB32;
  }
}

void TBitmap::Resize(int AWidth, int AHeight)
{
  AWidth = std::max(0, AWidth);
  AHeight = std::max(0, AHeight);
  if (AWidth == Width() && AHeight == Height() && !FImage.isNull())
    return;
  if (AWidth == 0 || AHeight == 0) {
    FImage = QImage();
    Changed();
    return;
  }
  // New area is white; the old picture stays at the top-left corner.
  QImage img(AWidth, AHeight, ImageFormat());
  img.fill(FAlphaFormat == afIgnored ? QColor(Qt::white) : QColor(0, 0, 0, 0));
  if (!FImage.isNull()) {
    QPainter p(&img);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, FImage);
  }
  FImage = img;
  Changed();
}

void TBitmap::SetWidth(int Value) { Resize(Value, Height()); }
void TBitmap::SetHeight(int Value) { Resize(Width(), Value); }
void TBitmap::SetSize(int AWidth, int AHeight) { Resize(AWidth, AHeight); }

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
  if (Value == FPixelFormat)
    return;
  FPixelFormat = Value;
  if (!FImage.isNull())
    FImage = FImage.convertToFormat(ImageFormat());
  Changed();
}

void TBitmap::SetAlphaFormat(TAlphaFormat Value)
{
  if (Value == FAlphaFormat)
    return;
  FAlphaFormat = Value;
  if (!FImage.isNull())
    FImage = FImage.convertToFormat(ImageFormat());
  Changed();
}

TColor TBitmap::TransparentColor() const
{
  if (FTransparentMode == tmFixed && FTransparentColor != clDefault)
    return FTransparentColor;
  if (Empty())
    return clDefault;
  const QRgb v = FImage.pixel(0, Height() - 1);
  return RGB(qRed(v), qGreen(v), qBlue(v));
}

void TBitmap::SetTransparentColor(TColor Value)
{
  FTransparentColor = Value;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
  if (Value == FTransparentMode)
    return;
  if (Value == tmAuto)
    FTransparentColor = clDefault;
  else
    FTransparentColor = TransparentColor();
  FTransparentMode = Value;
  Changed();
}

uint8_t *TBitmap::ScanLine(int Row)
{
  if (Row < 0 || Row >= Height())
    throw EInvalidGraphic(QStringLiteral("Scan line index out of range"));
  return FImage.scanLine(Row);
}

const uint8_t *TBitmap::ScanLine(int Row) const
{
  if (Row < 0 || Row >= Height())
    throw EInvalidGraphic(QStringLiteral("Scan line index out of range"));
  return FImage.constScanLine(Row);
}

TRasterImage TBitmap::ToImage() const
{
  if (FImage.isNull())
    return QImage();
  if (!FTransparent) {
    if (FAlphaFormat == afIgnored)
      return FImage.convertToFormat(QImage::Format_RGB32);
    return FImage.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
  QImage img = FImage.convertToFormat(QImage::Format_ARGB32);
  const TColor tc = ColorToRGB(TransparentColor()) & 0xFFFFFF;
  const QRgb key = qRgb(GetRValue(tc), GetGValue(tc), GetBValue(tc)) & 0xFFFFFF;
  for (int y = 0; y < img.height(); ++y) {
    QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x)
      if ((line[x] & 0xFFFFFF) == key)
        line[x] = 0;
  }
  return img;
}

void TBitmap::Draw(TCanvas *ACanvas, const TRect &Rect) const
{
  if (!ACanvas || Empty())
    return;
  if (FTransparent || FAlphaFormat != afIgnored)
    ACanvas->DrawImage(Rect, ToImage(), TRect(0, 0, Width(), Height()), cmSrcCopy);
  else
    ACanvas->DrawImage(Rect, FImage, TRect(0, 0, Width(), Height()), ACanvas->CopyMode());
}

void TBitmap::LoadFromImage(const QImage &Image)
{
  if (Image.isNull()) {
    FImage = QImage();
  } else if (Image.hasAlphaChannel() && FAlphaFormat == afIgnored && FPixelFormat != pf32bit) {
    // Alpha over white, as the platform shows an image without alpha support.
    QImage img(Image.size(), ImageFormat());
    img.fill(Qt::white);
    QPainter p(&img);
    p.drawImage(0, 0, Image);
    p.end();
    FImage = img;
  } else {
    FImage = Image.convertToFormat(ImageFormat());
  }
  Changed();
}

void TBitmap::AssignGraphic(const TGraphic *Source)
{
  if (Source == this)
    return;
  if (!Source) {
    FImage = QImage();
    Changed();
    return;
  }
  if (auto *b = dynamic_cast<const TBitmap *>(Source)) {
    FPixelFormat = b->FPixelFormat;
    FAlphaFormat = b->FAlphaFormat;
    FTransparentMode = b->FTransparentMode;
    FTransparentColor = b->FTransparentColor;
    FTransparent = b->FTransparent;
    FImage = b->FImage.copy();
    Changed();
    return;
  }
  LoadFromImage(Source->ToImage());
  FTransparent = Source->Transparent();
}

bool TBitmap::LoadFromData(const QByteArray &Data)
{
  QImage img;
  if (!img.loadFromData(Data, "BMP"))
    return false;
  if (img.depth() == 24 || img.format() == QImage::Format_RGB888)
    FPixelFormat = pf24bit;
  else if (img.hasAlphaChannel()) {
    FPixelFormat = pf32bit;
  }
  FImage = img.convertToFormat(ImageFormat());
  Changed();
  return true;
}

QByteArray TBitmap::SaveToData() const
{
  QByteArray data;
  QBuffer buf(&data);
  buf.open(QIODevice::WriteOnly);
  QImage img = FImage;
  if (img.isNull())
    img = QImage(0, 0, QImage::Format_RGB32);
  if (FPixelFormat == pf24bit || FAlphaFormat == afIgnored)
    img = img.convertToFormat(QImage::Format_RGB888);
  img.save(&buf, "BMP");
  return data;
}

bool TBitmap::LoadFromResourceName(const QString &Name)
{
  return ResourceBitmap(Name, *this);
}

// ---------------------------------------------------------------------------------------
// TIcon, TPngImage

void TIcon::AssignGraphic(const TGraphic *Source)
{
  if (Source == this)
    return;
  FImage = Source ? Source->ToImage().Image().convertToFormat(QImage::Format_ARGB32) : QImage();
  Changed();
}

bool TIcon::LoadFromData(const QByteArray &Data)
{
  QImage img;
  if (!img.loadFromData(Data, "ICO") && !img.loadFromData(Data))
    return false;
  FImage = img.convertToFormat(QImage::Format_ARGB32);
  Changed();
  return true;
}

QByteArray TIcon::SaveToData() const
{
  QByteArray data;
  QBuffer buf(&data);
  buf.open(QIODevice::WriteOnly);
  FImage.save(&buf, "ICO");
  return data;
}

void TPngImage::AssignGraphic(const TGraphic *Source)
{
  if (Source == this)
    return;
  FImage = Source ? Source->ToImage().Image() : QImage();
  Changed();
}

bool TPngImage::LoadFromData(const QByteArray &Data)
{
  QImage img;
  if (!img.loadFromData(Data, "PNG"))
    return false;
  FImage = img;
  FTransparent = img.hasAlphaChannel();
  Changed();
  return true;
}

QByteArray TPngImage::SaveToData() const
{
  QByteArray data;
  QBuffer buf(&data);
  buf.open(QIODevice::WriteOnly);
  FImage.save(&buf, "PNG");
  return data;
}

// ---------------------------------------------------------------------------------------
// TPicture

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::GraphicChanged() { Changed(); }

std::unique_ptr<TGraphic> TPicture::CreateGraphic(const QString &ClassName)
{
  if (ClassName == QLatin1String("TBitmap"))
    return std::make_unique<TBitmap>();
  if (ClassName == QLatin1String("TJPEGImage"))
    return std::make_unique<TJPEGImage>();
  if (ClassName == QLatin1String("TIcon"))
    return std::make_unique<TIcon>();
  if (ClassName == QLatin1String("TPngImage"))
    return std::make_unique<TPngImage>();
  return nullptr;
}

std::unique_ptr<TGraphic> TPicture::CreateGraphicForExtension(const QString &Extension)
{
  const QString e = Extension.toLower().remove(QLatin1Char('.'));
  if (e == QLatin1String("bmp") || e == QLatin1String("dib"))
    return std::make_unique<TBitmap>();
  if (e == QLatin1String("jpg") || e == QLatin1String("jpeg") || e == QLatin1String("jpe") || e == QLatin1String("jfif"))
    return std::make_unique<TJPEGImage>();
  if (e == QLatin1String("ico"))
    return std::make_unique<TIcon>();
  if (e == QLatin1String("png"))
    return std::make_unique<TPngImage>();
  return nullptr;
}

void TPicture::SetGraphic(const TGraphic *Value)
{
  if (Value == FGraphic.get())
    return;
  if (!Value) {
    FGraphic.reset();
    Changed();
    return;
  }
  std::unique_ptr<TGraphic> g = CreateGraphic(Value->ClassName());
  if (!g)
    g = std::make_unique<TBitmap>();
  g->AssignGraphic(Value);
  g->OnChange = [this](TObject *) { GraphicChanged(); };
  FGraphic = std::move(g);
  Changed();
}

TBitmap *TPicture::Bitmap()
{
  auto *b = dynamic_cast<TBitmap *>(FGraphic.get());
  if (!b) {
    auto nb = std::make_unique<TBitmap>();
    b = nb.get();
    nb->OnChange = [this](TObject *) { GraphicChanged(); };
    FGraphic = std::move(nb);
    Changed();
  }
  return b;
}

TIcon *TPicture::Icon()
{
  auto *i = dynamic_cast<TIcon *>(FGraphic.get());
  if (!i) {
    auto ni = std::make_unique<TIcon>();
    i = ni.get();
    ni->OnChange = [this](TObject *) { GraphicChanged(); };
    FGraphic = std::move(ni);
    Changed();
  }
  return i;
}

void TPicture::Assign(TPersistent *Source)
{
  if (!Source) {
    SetGraphic(nullptr);
    return;
  }
  if (auto *p = dynamic_cast<TPicture *>(Source)) {
    if (p != this)
      SetGraphic(p->Graphic());
    return;
  }
  if (auto *g = dynamic_cast<TGraphic *>(Source)) {
    SetGraphic(g);
    return;
  }
  TPersistent::Assign(Source);
}

void TPicture::LoadFromFile(const QString &FileName)
{
  const QString ext = QFileInfo(FileName).suffix();
  std::unique_ptr<TGraphic> g = CreateGraphicForExtension(ext);
  if (!g)
    throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(ext));
  g->LoadFromFile(FileName);
  g->OnChange = [this](TObject *) { GraphicChanged(); };
  FGraphic = std::move(g);
  Changed();
}

void TPicture::SaveToFile(const QString &FileName) const
{
  if (FGraphic)
    FGraphic->SaveToFile(FileName);
}

// ---------------------------------------------------------------------------------------
// Drawn bitmaps

namespace {
QHash<QString, TResourceBitmapPainter> &Registry()
{
  static QHash<QString, TResourceBitmapPainter> r;
  return r;
}
}  // namespace

void RegisterResourceBitmap(const QString &Name, TResourceBitmapPainter Painter)
{
  Registry().insert(Name.toUpper(), std::move(Painter));
}

bool ResourceBitmapExists(const QString &Name) { return Registry().contains(Name.toUpper()); }

bool ResourceBitmap(const QString &Name, TBitmap &Bitmap)
{
  const auto it = Registry().constFind(Name.toUpper());
  if (it == Registry().constEnd() || !it.value())
    return false;
  it.value()(Bitmap);
  return true;
}

void DrawTransparentBitmap(TCanvas *Canvas, int X, int Y, const TBitmap *Bitmap)
{
  if (!Canvas || !Bitmap || Bitmap->Empty())
    return;
  TBitmap copy;
  copy.AssignGraphic(Bitmap);
  copy.SetTransparentMode(tmAuto);
  copy.SetTransparent(true);
  Canvas->Draw(X, Y, &copy);
}
