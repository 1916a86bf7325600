// TImageList: images of one size kept with alpha; masks become transparent pixels.
#include "framework/graphics/graphics.h"

#include <QPainter>

TImageList::TImageList() = default;

TImageList::TImageList(int AWidth, int AHeight) : FWidth(std::max(1, AWidth)), FHeight(std::max(1, AHeight)) {}

void TImageList::SetWidth(int Value)
{
  if (Value == FWidth || Value < 1)
    return;
  FWidth = Value;
  Clear();  // resizing empties the list, as the platform's image list does
}

void TImageList::SetHeight(int Value)
{
  if (Value == FHeight || Value < 1)
    return;
  FHeight = Value;
  Clear();
}

namespace {
// Splits a strip into cells of w x h; pixels that are white in the mask (or of the mask
// colour) become transparent.
std::vector<QImage> Split(const QImage &src, const QImage *mask, bool useColor, QRgb maskColor, int w, int h)
{
  std::vector<QImage> out;
  if (src.isNull() || w <= 0 || h <= 0)
    return out;
  const QImage s = src.convertToFormat(QImage::Format_ARGB32);
  const QImage m = mask ? mask->convertToFormat(QImage::Format_RGB32) : QImage();
  const int count = std::max(1, s.width() / w);
  for (int i = 0; i < count; ++i) {
    QImage cell(w, h, QImage::Format_ARGB32);
    cell.fill(0);
    for (int y = 0; y < std::min(h, s.height()); ++y) {
      const QRgb *sl = reinterpret_cast<const QRgb *>(s.constScanLine(y));
      QRgb *dl = reinterpret_cast<QRgb *>(cell.scanLine(y));
      for (int x = 0; x < w && i * w + x < s.width(); ++x) {
        QRgb v = sl[i * w + x];
        bool transparent = false;
        if (!m.isNull() && i * w + x < m.width() && y < m.height())
          transparent = (m.pixel(i * w + x, y) & 0xFFFFFF) == 0xFFFFFF;
        if (useColor && (v & 0xFFFFFF) == (maskColor & 0xFFFFFF))
          transparent = true;
        dl[x] = transparent ? 0 : v;
      }
    }
    out.push_back(cell);
  }
  return out;
}
}  // namespace

int TImageList::Add(const TBitmap *Image, const TBitmap *Mask)
{
  if (!Image || Image->Empty())
    return -1;
  const QImage mask = Mask && !Mask->Empty() ? Mask->Image() : QImage();
  auto cells = Split(Image->ToImage(), mask.isNull() ? nullptr : &mask, false, 0, FWidth, FHeight);
  if (cells.empty())
    return -1;
  const int first = Count();
  FImages.insert(FImages.end(), cells.begin(), cells.end());
  Changed();
  return first;
}

int TImageList::AddMasked(const TBitmap *Image, TColor MaskColor)
{
  if (!Image || Image->Empty())
    return -1;
  // clDefault takes the bottom-left pixel, as for transparent bitmaps.
  TColor mc = MaskColor == clDefault ? Image->TransparentColor() : ColorToRGB(MaskColor);
  const QRgb key = qRgb(GetRValue(mc), GetGValue(mc), GetBValue(mc));
  QImage src = Image->Image().convertToFormat(QImage::Format_ARGB32);
  auto cells = Split(src, nullptr, true, key, FWidth, FHeight);
  if (cells.empty())
    return -1;
  const int first = Count();
  FImages.insert(FImages.end(), cells.begin(), cells.end());
  Changed();
  return first;
}

int TImageList::AddIcon(const TIcon *Image)
{
  if (!Image || Image->Empty())
    return -1;
  return AddImage(Image->ToImage());
}

int TImageList::AddImage(const QImage &Image)
{
  if (Image.isNull())
    return -1;
  QImage img = Image.convertToFormat(QImage::Format_ARGB32);
  if (img.width() != FWidth || img.height() != FHeight)
    img = img.scaled(FWidth, FHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  FImages.push_back(img);
  Changed();
  return Count() - 1;
}

void TImageList::Replace(int Index, const TBitmap *Image, const TBitmap *Mask)
{
  if (Index < 0 || Index >= Count() || !Image)
    return;
  const QImage mask = Mask && !Mask->Empty() ? Mask->Image() : QImage();
  auto cells = Split(Image->ToImage(), mask.isNull() ? nullptr : &mask, false, 0, FWidth, FHeight);
  if (cells.empty())
    return;
  FImages[size_t(Index)] = cells.front();
  Changed();
}

void TImageList::Delete(int Index)
{
  if (Index < 0 || Index >= Count())
    return;
  FImages.erase(FImages.begin() + Index);
  Changed();
}

void TImageList::Clear()
{
  if (FImages.empty())
    return;
  FImages.clear();
  Changed();
}

QImage TImageList::ImageAt(int Index) const
{
  if (Index < 0 || Index >= Count())
    return QImage();
  return FImages[size_t(Index)];
}

void TImageList::Draw(TCanvas *Canvas, int X, int Y, int Index, bool Enabled) const
{
  if (!Canvas || Index < 0 || Index >= Count())
    return;
  if (Canvas->Recorder())
    Canvas->Record(QStringLiteral("ImageList.Draw(%1,%2,%3,%4)").arg(X).arg(Y).arg(Index).arg(Enabled ? 1 : 0));
  QImage img = FImages[size_t(Index)];
  if (!Enabled) {
    // Disabled images are drawn as a light grey version of themselves.
    img = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
      QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
      for (int x = 0; x < img.width(); ++x) {
        const QRgb v = line[x];
        const int g = qGray(v);
        const int l = 128 + g / 2;
        line[x] = qRgba(l, l, l, qAlpha(v));
      }
    }
  }
  if (FBkColor != clNone && FDrawingStyle != dsTransparent) {
    QImage bg(img.size(), QImage::Format_ARGB32);
    bg.fill(ColorToQColor(FBkColor));
    QPainter p(&bg);
    p.drawImage(0, 0, img);
    p.end();
    img = bg;
  }
  QStringList *log = Canvas->Recorder();
  Canvas->SetRecorder(nullptr);
  Canvas->DrawImage(TRect(X, Y, X + FWidth, Y + FHeight), img, TRect(0, 0, img.width(), img.height()), cmSrcCopy);
  Canvas->SetRecorder(log);
}

bool TImageList::GetBitmap(int Index, TBitmap *Image) const
{
  if (!Image || Index < 0 || Index >= Count())
    return false;
  // Transparent pixels come out black, or in the background colour when one is set.
  QImage img(FWidth, FHeight, QImage::Format_RGB32);
  img.fill(FBkColor == clNone ? QColor(Qt::black) : ColorToQColor(FBkColor));
  QPainter p(&img);
  p.drawImage(0, 0, FImages[size_t(Index)]);
  p.end();
  Image->LoadFromImage(img);
  return true;
}

void TImageList::Assign(TPersistent *Source)
{
  if (auto *l = dynamic_cast<TImageList *>(Source)) {
    if (l == this)
      return;
    FWidth = l->FWidth;
    FHeight = l->FHeight;
    FMasked = l->FMasked;
    FBkColor = l->FBkColor;
    FDrawingStyle = l->FDrawingStyle;
    FImages = l->FImages;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}
