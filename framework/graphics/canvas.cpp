// TCanvas: GDI drawing rules on a QImage (or on a painter kept open by the caller).
//
// One-pixel lines, rectangles, fills and raster operations are done pixel by pixel on
// the image so that edges and XOR come out exactly as the platform draws them; curves,
// wide pens and text go through a QPainter opened for the call.
#include "framework/graphics/graphics.h"
#include "framework/graphics/text_cache.h"

#include <QPainter>
#include <QPainterPath>
#include <QFontMetrics>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

struct TCanvas::State {
  bool HasClip;
  QRegion Clip;
  TPoint WindowOrg, ViewportOrg, PenPos;
  int BkMode;
  TColor BkColor, TextColorOverride;
  uint32_t TextAlign;
  int Rop2Override;
  int MapMode;
  TSize WindowExt, ViewportExt;
  TFont Font;
  TPen Pen;
  TBrush Brush;

  // Visits each plain field the canvas keeps with its slot here: one list for saving and restoring.
  template <class F>
  static void Fields(TCanvas &C, State &S, F &&Visit)
  {
    Visit(C.FHasClip, S.HasClip);
    Visit(C.FClip, S.Clip);
    Visit(C.FWindowOrg, S.WindowOrg);
    Visit(C.FViewportOrg, S.ViewportOrg);
    Visit(C.FPenPos, S.PenPos);
    Visit(C.FBkMode, S.BkMode);
    Visit(C.FBkColor, S.BkColor);
    Visit(C.FTextColorOverride, S.TextColorOverride);
    Visit(C.FTextAlign, S.TextAlign);
    Visit(C.FRop2Override, S.Rop2Override);
    Visit(C.FMapMode, S.MapMode);
    Visit(C.FWindowExt, S.WindowExt);
    Visit(C.FViewportExt, S.ViewportExt);
  }
};

namespace {

inline uint32_t Rgb32(TColor c)
{
  const TColor r = ColorToRGB(c);
  return 0xFF000000u | (uint32_t(GetRValue(r)) << 16) | (uint32_t(GetGValue(r)) << 8) | uint32_t(GetBValue(r));
}

// Binary raster operation of a pen mode on 0xAARRGGBB values (alpha kept opaque).
inline uint32_t ApplyRop2(int mode, uint32_t pen, uint32_t dst)
{
  uint32_t r;
  switch (mode) {
  case pmBlack: r = 0; break;
  case pmWhite: r = 0xFFFFFF; break;
  case pmNop: r = dst; break;
  case pmNot: r = ~dst; break;
  case pmCopy: r = pen; break;
  case pmNotCopy: r = ~pen; break;
  case pmMergePenNot: r = pen | ~dst; break;
  case pmMaskPenNot: r = pen & ~dst; break;
  case pmMergeNotPen: r = ~pen | dst; break;
  case pmMaskNotPen: r = ~pen & dst; break;
  case pmMerge: r = pen | dst; break;
  case pmNotMerge: r = ~(pen | dst); break;
  case pmMask: r = pen & dst; break;
  case pmNotMask: r = ~(pen & dst); break;
  case pmXor: r = pen ^ dst; break;
  case pmNotXor: r = ~(pen ^ dst); break;
  default: r = pen; break;
  }
  return 0xFF000000u | (r & 0xFFFFFF);
}

QPainter::CompositionMode CompositionOf(int mode)
{
  switch (mode) {
  case pmNot: return QPainter::RasterOp_NotDestination;
  case pmNotCopy: return QPainter::RasterOp_NotSource;
  case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
  case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
  case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
  case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
  case pmMerge: return QPainter::RasterOp_SourceOrDestination;
  case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
  case pmMask: return QPainter::RasterOp_SourceAndDestination;
  case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
  case pmXor: return QPainter::RasterOp_SourceXorDestination;
  case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
  default: return QPainter::CompositionMode_SourceOver;
  }
}

bool Is32(const QImage *img)
{
  const auto f = img->format();
  return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
}

// Pixel access on the bound image, in device coordinates, clipped to a region.
class PixelWriter {
public:
  // The canvas's clip: a plain rectangle (the usual case) builds no region.
  PixelWriter(QImage *img, const TCanvas &c);
  bool Visible(int x, int y) const
  {
    if (!Bounds.contains(x, y))
      return false;
    return Simple || Clip.contains(QPoint(x, y));
  }
  uint32_t Get(int x, int y) const
  {
    if (Fast)
      return reinterpret_cast<const uint32_t *>(Img->constScanLine(y))[x];
    return Img->pixel(x, y);
  }
  void Set(int x, int y, uint32_t v)
  {
    if (Fast)
      Line(y)[x] = v;
    else
      Img->setPixel(x, y, v);
  }
  // A writable scan line of a 32-bit image; the image detaches once, not per line.
  uint32_t *Line(int y)
  {
    if (!Bits) {
      Bits = Img->bits();
      Stride = Img->bytesPerLine();
    }
    return reinterpret_cast<uint32_t *>(Bits + y * Stride);
  }
  void Plot(int x, int y, uint32_t color, int rop)
  {
    if (!Visible(x, y))
      return;
    Set(x, y, rop == pmCopy ? color : ApplyRop2(rop, color, Get(x, y)));
  }
  QImage *Img;
  QRegion Clip;  // only when not Simple
  QRect Bounds;
  bool Fast;
  bool Simple = true;
  uchar *Bits = nullptr;
  qsizetype Stride = 0;
};

// Cosmetic pen styles as the platform draws them (on/off runs in pixels).
std::vector<int> DashPattern(TPenStyle s)
{
  switch (s) {
  case psDash: return {18, 6};
  case psDot: return {3, 3};
  case psDashDot: return {9, 6, 3, 6};
  case psDashDotDot: return {9, 3, 3, 3, 3, 3};
  case psAlternate: return {1, 1};
  default: return {};
  }
}

// A cosmetic Qt pen dashed like the style; solid styles keep the pen solid.
void SetDashes(QPen &Pen, TPenStyle Style)
{
  QVector<qreal> d;
  for (int v : DashPattern(Style))
    d << v;
  if (!d.isEmpty())
    Pen.setDashPattern(d);
}

// The platform's hatch of a brush style as Qt's pattern (bsSolid solid, bsClear none).
Qt::BrushStyle HatchStyle(TBrushStyle s)
{
  static const Qt::BrushStyle hatch[] = {Qt::SolidPattern, Qt::NoBrush, Qt::HorPattern, Qt::VerPattern,
                                         Qt::BDiagPattern, Qt::FDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
  return hatch[s];
}

QString Quote(const QString &s)
{
  QString r = s;
  r.replace(QLatin1Char('\''), QStringLiteral("''"));
  r.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
  r.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
  return QLatin1Char('\'') + r + QLatin1Char('\'');
}

const char *PenStyleName(TPenStyle s)
{
  static const char *names[] = {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame", "psUserStyle", "psAlternate"};
  return names[s];
}

const char *PenModeName(TPenMode m)
{
  static const char *names[] = {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot",
                                "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"};
  return names[m];
}

const char *BrushStyleName(TBrushStyle s)
{
  static const char *names[] = {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"};
  return names[s];
}

}  // namespace

// The painter of a paint pass and the state it was last given.
struct TPaintPass::TData {
  QImage *Image;
  const uchar *Bits = nullptr;  // the image's pixels when the painter was opened
  QPainter Painter;
  QPainter::RenderHints Fresh;  // the hints of a painter just opened
  bool Clipped = false;
  QRegion Clip;  // the painter's clip while Clipped, device coordinates

  bool Open()
  {
    if (!Painter.begin(Image))
      return false;
    Bits = Image->constBits();
    Fresh = Painter.renderHints();
    Clipped = false;
    Clip = QRegion();
    return true;
  }

  // The painter as one just opened on the image, with a clip (null: none), a transform and
  // antialiasing; null when it cannot be opened. What an earlier call left set is put back.
  QPainter *Ready(const QRegion *AClip, const QTransform &Transform, bool Antialiased)
  {
    // Pixels written directly may have detached the image, or a resize replaced them.
    if (Image->constBits() != Bits || !Painter.isActive()) {
      if (Painter.isActive())
        Painter.end();
      if (!Open())
        return nullptr;
    }
    QPainter &p = Painter;
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(QPen());
    p.setBrush(Qt::NoBrush);
    const QPainter::RenderHints hints =
        Antialiased ? Fresh | QPainter::Antialiasing : Fresh & ~QPainter::RenderHints(QPainter::Antialiasing);
    if (p.renderHints() != hints) {
      p.setRenderHints(p.renderHints() & ~hints, false);
      p.setRenderHints(hints, true);
    }
    if (AClip ? !(Clipped && Clip == *AClip) : Clipped) {
      // A clip is taken in the coordinates of the transform at the time.
      if (!p.transform().isIdentity())
        p.setTransform(QTransform());
      if (AClip) {
        // Qt may reuse the clip it keeps when given one of several rectangles, together
        // with its switched-off state: switched on first, it is then replaced.
        if (!Clipped)
          p.setClipping(true);
        p.setClipRegion(*AClip);
        Clip = *AClip;
      } else {
        p.setClipping(false);
        Clip = QRegion();
      }
      Clipped = AClip != nullptr;
    }
    if (p.transform() != Transform)
      p.setTransform(Transform);
    return &p;
  }
};

namespace {

// Open passes, usually none or one.
std::vector<TPaintPass::TData *> &Passes()
{
  static std::vector<TPaintPass::TData *> passes;
  return passes;
}

TPaintPass::TData *PassOf(const QImage *Image)
{
  for (TPaintPass::TData *d : Passes())
    if (d->Image == Image)
      return d;
  return nullptr;
}

}  // namespace

TPaintPass::TPaintPass(QImage *Image)
{
  if (!Image || Image->isNull() || PassOf(Image))
    return;
  auto d = std::make_unique<TData>();
  d->Image = Image;
  if (!d->Open())
    return;
  FData = std::move(d);
  Passes().push_back(FData.get());
}

TPaintPass::~TPaintPass()
{
  if (!FData)
    return;
  auto &passes = Passes();
  passes.erase(std::find(passes.begin(), passes.end(), FData.get()));
  if (FData->Painter.isActive())
    FData->Painter.end();
}

// Painter for one call: borrowed from the caller, the image's paint pass made ready, or opened
// on the image; with the canvas clip (and Extra, a device rectangle, within it) and the
// logical-to-device offset applied.
struct TCanvasPainter {
  // Device: no logical mapping (coordinates are device pixels).
  TCanvasPainter(const TCanvas *c, bool aliased = true, bool device = false, const QRect *Extra = nullptr)
  {
    const double sx = c->ScaleX(), sy = c->ScaleY();
    const QTransform mapping =
        device ? QTransform()
               : QTransform(sx, 0, 0, sy, c->FDeviceOrigin.X + c->FViewportOrg.X - c->FWindowOrg.X * sx,
                            c->FDeviceOrigin.Y + c->FViewportOrg.Y - c->FWindowOrg.Y * sy);
    QRegion clip;
    const bool clipped = c->PainterClip(clip);
    if (!c->FExternal) {
      if (TPaintPass::TData *pass = PassOf(c->FImage)) {
        if (Extra)
          clip = clipped ? clip & *Extra : QRegion(*Extra);
        if ((P = pass->Ready(clipped || Extra ? &clip : nullptr, mapping, !aliased)))
          return;
      }
    }
    if (c->FExternal) {
      P = c->FExternal;
      P->save();
      Borrowed = true;
    } else {
      Own.begin(c->FImage);
      P = &Own;
    }
    if (clipped)
      P->setClipRegion(clip, Qt::IntersectClip);
    if (!device)
      P->setTransform(mapping, true);
    P->setRenderHint(QPainter::Antialiasing, !aliased);
    if (Extra)
      P->setClipRect(*Extra, Qt::IntersectClip);
  }
  ~TCanvasPainter()
  {
    if (Borrowed)
      P->restore();
    else if (Own.isActive())
      Own.end();
  }
  QPainter *operator->() { return P; }
  QPainter Own;
  QPainter *P = nullptr;
  bool Borrowed = false;

  // The canvas's image clip as one rectangle (maybe empty) without building a region; false
  // when the clip has several rectangles and EffectiveClip is needed.
  static bool ClipBox(const TCanvas &C, QRect &Box)
  {
    const TSize s = C.DeviceSize();
    Box = QRect(0, 0, s.cx, s.cy);
    if (C.FHasDeviceArea) {
      if (C.FDeviceArea.rectCount() > 1)
        return false;
      Box = Overlap(Box, C.FDeviceArea.boundingRect());
    }
    if (C.FHasClip) {
      if (C.FClip.rectCount() > 1)
        return false;
      Box = Overlap(Box, C.FClip.boundingRect());
    }
    return true;
  }
  // QRect's operator& without a call into Qt, which shows on paths taken per fill and line.
  static QRect Overlap(const QRect &A, const QRect &B)
  {
    const int l = std::max(A.left(), B.left()), t = std::max(A.top(), B.top());
    const int r = std::min(A.right(), B.right()), b = std::min(A.bottom(), B.bottom());
    if (A.isNull() || B.isNull() || l > r || t > b)
      return QRect();
    return QRect(QPoint(l, t), QPoint(r, b));
  }
};

namespace {

PixelWriter::PixelWriter(QImage *img, const TCanvas &c) : Img(img), Fast(Is32(img))
{
  if (!TCanvasPainter::ClipBox(c, Bounds)) {
    Clip = c.EffectiveClip();
    Simple = false;
    Bounds = Clip.boundingRect();
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------

TCanvas::TCanvas() : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
  FFont->OnChange = [this](TObject *) { FontChanged(); };
  FBrush->OnChange = [this](TObject *) { BrushChanged(); };
  FPen->OnChange = [this](TObject *) { FRop2Override = -1; };
  BrushChanged();
}

TCanvas::TCanvas(QImage *Image) : TCanvas() { FImage = Image; }

TCanvas::~TCanvas() = default;

void TCanvas::SetImage(QImage *Image) { FImage = Image; }

QPainter *TCanvas::TextPainter() const
{
  if (FExternal)
    return FExternal;
  TPaintPass::TData *pass = PassOf(FImage);
  return pass ? pass->Ready(nullptr, QTransform(), true) : nullptr;
}
void TCanvas::SetPainter(QPainter *Painter) { FExternal = Painter; }

TSize TCanvas::DeviceSize() const
{
  if (FExternal && FExternal->device())
    return TSize(FExternal->device()->width(), FExternal->device()->height());
  if (FImage)
    return TSize(FImage->width(), FImage->height());
  return TSize();
}

void TCanvas::BrushChanged()
{
  // Selecting a brush sets the text background as the original canvas does.
  FBkMode = FBrush->Style() == bsClear ? TRANSPARENT : OPAQUE;
  FBkColor = FBrush->Color();
}

void TCanvas::FontChanged() { FTextColorOverride = clNone; }

int TCanvas::CurrentRop2() const { return FRop2Override >= 0 ? FRop2Override : FPen->Mode(); }
TColor TCanvas::CurrentTextColor() const { return FTextColorOverride != clNone ? FTextColorOverride : FFont->Color(); }

void TCanvas::Changing()
{
  if (OnChanging)
    OnChanging(this);
}

namespace {
// Device coordinates are kept within +-2^26 so that widths and sums never overflow.
inline int ClampDevice(double v)
{
  constexpr double limit = double(1 << 26);
  return int(std::lround(std::clamp(v, -limit, limit)));
}
// The same for a whole number of pixels: no floating point on the path of every drawing call.
inline int ClampDevice(int64_t v)
{
  constexpr int64_t limit = int64_t(1) << 26;
  return int(std::clamp(v, -limit, limit));
}
}  // namespace

TPoint TCanvas::ToDevice(TPoint P) const
{
  if (FMapMode == MM_TEXT)
    return TPoint(ClampDevice(int64_t(P.X) - FWindowOrg.X + FViewportOrg.X + FDeviceOrigin.X),
                  ClampDevice(int64_t(P.Y) - FWindowOrg.Y + FViewportOrg.Y + FDeviceOrigin.Y));
  const double ox = double(FViewportOrg.X) + FDeviceOrigin.X, oy = double(FViewportOrg.Y) + FDeviceOrigin.Y;
  return TPoint(ClampDevice((double(P.X) - FWindowOrg.X) * ScaleX() + ox),
                ClampDevice((double(P.Y) - FWindowOrg.Y) * ScaleY() + oy));
}

TPoint TCanvas::FromDevice(TPoint P) const
{
  const int ox = FViewportOrg.X + FDeviceOrigin.X, oy = FViewportOrg.Y + FDeviceOrigin.Y;
  if (FMapMode == MM_TEXT)
    return TPoint(P.X + FWindowOrg.X - ox, P.Y + FWindowOrg.Y - oy);
  return TPoint(int(std::lround((P.X - ox) / ScaleX())) + FWindowOrg.X,
                int(std::lround((P.Y - oy) / ScaleY())) + FWindowOrg.Y);
}

TRect TCanvas::ToDevice(const TRect &R) const
{
  // One pixel per unit keeps the rectangle as given (an inverted one stays empty): one
  // offset for both corners.
  if (FMapMode == MM_TEXT) {
    const int64_t ox = int64_t(FViewportOrg.X) + FDeviceOrigin.X - FWindowOrg.X;
    const int64_t oy = int64_t(FViewportOrg.Y) + FDeviceOrigin.Y - FWindowOrg.Y;
    return TRect(ClampDevice(R.Left + ox), ClampDevice(R.Top + oy), ClampDevice(R.Right + ox), ClampDevice(R.Bottom + oy));
  }
  // A mapping that turns an axis around puts the corners back in order.
  const TPoint a = ToDevice(R.TopLeft()), b = ToDevice(R.BottomRight());
  return TRect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

TRect TCanvas::FromDevice(const TRect &R) const
{
  return TRect(FromDevice(R.TopLeft()), FromDevice(R.BottomRight()));
}

int TCanvas::DeviceLengthX(int L) const { return FMapMode == MM_TEXT ? L : int(std::lround(std::abs(L * ScaleX()))); }
int TCanvas::DeviceLengthY(int L) const { return FMapMode == MM_TEXT ? L : int(std::lround(std::abs(L * ScaleY()))); }
int TCanvas::LogicalLengthX(int D) const { return FMapMode == MM_TEXT ? D : int(std::lround(std::abs(D / ScaleX()))); }
int TCanvas::LogicalLengthY(int D) const { return FMapMode == MM_TEXT ? D : int(std::lround(std::abs(D / ScaleY()))); }

int TCanvas::DeviceDpiX() const
{
  if (FExternal && FExternal->device())
    return FExternal->device()->logicalDpiX();
  return ScreenPixelsPerInch;
}

int TCanvas::DeviceDpiY() const
{
  if (FExternal && FExternal->device())
    return FExternal->device()->logicalDpiY();
  return ScreenPixelsPerInch;
}

int TCanvas::DeviceCaps(int Index) const
{
  const TSize s = DeviceSize();
  const bool printer = FExternal && FExternal->device() && FExternal->device()->devType() == QInternal::Printer;
  switch (Index) {
  case TECHNOLOGY: return printer ? DT_RASPRINTER : DT_RASDISPLAY;
  case HORZSIZE: return int(std::lround(s.cx * 25.4 / DeviceDpiX()));
  case VERTSIZE: return int(std::lround(s.cy * 25.4 / DeviceDpiY()));
  case HORZRES: return s.cx;
  case VERTRES: return s.cy;
  case BITSPIXEL: return 32;
  case PLANES: return 1;
  case NUMCOLORS: return -1;
  case LOGPIXELSX: return DeviceDpiX();
  case LOGPIXELSY: return DeviceDpiY();
  case PHYSICALWIDTH: return s.cx;
  case PHYSICALHEIGHT: return s.cy;
  default: return 0;
  }
}

int TCanvas::SetMapMode(int Mode)
{
  const int old = FMapMode;
  if (Mode < MM_TEXT || Mode > MM_ANISOTROPIC)
    return 0;
  FMapMode = Mode;
  const int dx = DeviceDpiX(), dy = DeviceDpiY();
  int units = 0;  // logical units per inch
  switch (Mode) {
  case MM_TEXT: FWindowExt = TSize(1, 1); FViewportExt = TSize(1, 1); break;
  case MM_LOMETRIC: units = 254; break;
  case MM_HIMETRIC: units = 2540; break;
  case MM_LOENGLISH: units = 100; break;
  case MM_HIENGLISH: units = 1000; break;
  case MM_TWIPS: units = 1440; break;
  default: break;  // isotropic and anisotropic keep their extents
  }
  if (units) {
    FWindowExt = TSize(units, units);
    FViewportExt = TSize(dx, -dy);
  }
  return old;
}

TSize TCanvas::SetWindowExt(TSize Ext)
{
  const TSize old = FWindowExt;
  if ((FMapMode == MM_ISOTROPIC || FMapMode == MM_ANISOTROPIC) && Ext.cx != 0 && Ext.cy != 0)
    FWindowExt = Ext;
  return old;
}

TSize TCanvas::SetViewportExt(TSize Ext)
{
  const TSize old = FViewportExt;
  if ((FMapMode == MM_ISOTROPIC || FMapMode == MM_ANISOTROPIC) && Ext.cx != 0 && Ext.cy != 0)
    FViewportExt = Ext;
  return old;
}

QFont TCanvas::DeviceFont() const
{
  QFont f = FFont->ToQFont();
  if (FMapMode != MM_TEXT) {
    // The font height is in logical units.
    const int h = FFont->Height();
    const double px = h < 0 ? -h * std::abs(ScaleY()) : f.pixelSize() * std::abs(ScaleY());
    f.setPixelSize(std::max(1, int(std::lround(px))));
  }
  return f;
}

QRegion TCanvas::EffectiveClip() const
{
  const TSize s = DeviceSize();
  QRegion r(0, 0, s.cx, s.cy);
  if (FHasDeviceArea)
    r &= FDeviceArea;
  if (FHasClip)
    r &= FClip;
  return r;
}

bool TCanvas::PainterClip(QRegion &Region) const
{
  if (!FHasDeviceArea && !FHasClip)
    return false;
  if (FHasDeviceArea && FHasClip)
    Region = FDeviceArea & FClip;
  else
    Region = FHasClip ? FClip : FDeviceArea;
  return true;
}

void TCanvas::Record(const QString &Entry) const
{
  if (FLog)
    FLog->append(Entry);
}

void TCanvas::Record(const char *Fn, std::initializer_list<int> Args, const QString &Extra) const
{
  if (!FLog)
    return;
  QStringList a;
  for (int v : Args)
    a << QString::number(v);
  QString e = QString::fromLatin1(Fn) + QLatin1Char('(') + a.join(QLatin1Char(',')) + QLatin1Char(')');
  if (!Extra.isEmpty())
    e += QLatin1Char(' ') + Extra;
  FLog->append(e);
}

namespace {
QString PenText(const TPen *p)
{
  QString s = QStringLiteral("pen=%1,%2,%3").arg(ColorToString(p->Color())).arg(p->Width()).arg(QLatin1String(PenStyleName(p->Style())));
  if (p->Mode() != pmCopy)
    s += QLatin1Char(',') + QLatin1String(PenModeName(p->Mode()));
  return s;
}
QString BrushText(const TBrush *b)
{
  if (b->Style() == bsSolid)
    return QStringLiteral("brush=%1").arg(ColorToString(b->Color()));
  return QStringLiteral("brush=%1,%2").arg(ColorToString(b->Color())).arg(QLatin1String(BrushStyleName(b->Style())));
}
}  // namespace

// ---------------------------------------------------------------------------------------
// Lines

void TCanvas::MoveTo(int X, int Y)
{
  FPenPos = TPoint(X, Y);
}

void TCanvas::PlotLine(TPoint A, TPoint B, bool SkipLast)
{
  const TPen &pen = *FPen;
  if (pen.Style() == psClear || !HandleAllocated())
    return;
  const int rop = CurrentRop2();
  if (rop == pmNop)
    return;
  const bool wide = pen.Width() > 1 && pen.Style() != psAlternate;
  auto paintWithQt = [&] {
    TCanvasPainter p(this);
    QPen qp(ColorToQColor(pen.Color()), std::max(1, DeviceLengthX(pen.Width())));
    qp.setCosmetic(true);
    qp.setCapStyle(wide ? Qt::RoundCap : Qt::FlatCap);
    qp.setJoinStyle(Qt::RoundJoin);
    if (!wide)
      SetDashes(qp, pen.Style());
    p->setCompositionMode(CompositionOf(rop));
    p->setPen(qp);
    const double h = Mapped() ? 0.0 : 0.5;
    if (A == B && !SkipLast)
      p->drawPoint(A.X, A.Y);
    else
      p->drawLine(QPointF(A.X + h, A.Y + h), QPointF(B.X + h, B.Y + h));
  };
  if (wide || !FImage || FExternal || Mapped()) {
    paintWithQt();
    return;
  }
  PixelWriter w(FImage, *this);
  const QRect bounds = w.Bounds;
  if (bounds.isEmpty())
    return;
  const TPoint a = ToDevice(A), b = ToDevice(B);
  const uint32_t color = Rgb32(pen.Color());
  const uint32_t back = Rgb32(FBkColor);
  const std::vector<int> pattern = DashPattern(pen.Style());
  int period = 0;
  for (int v : pattern)
    period += v;
  // Styled pens: dashes in the pen colour, gaps in the background colour when opaque.
  auto plot = [&](int64_t i, int x, int y) {
    bool on = true;
    if (period > 0) {
      int k = int(i % period);
      for (size_t j = 0; j < pattern.size(); ++j) {
        if (k < pattern[j]) {
          on = (j % 2) == 0;
          break;
        }
        k -= pattern[j];
      }
    }
    if (on)
      w.Plot(x, y, color, rop);
    else if (FBkMode == OPAQUE)
      w.Plot(x, y, back, rop);
  };
  const int64_t dx = std::llabs(int64_t(b.X) - a.X), dy = std::llabs(int64_t(b.Y) - a.Y);
  const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
  const int64_t steps = std::max(dx, dy) + (SkipLast ? 0 : 1);
  if (steps <= 0)
    return;
  if (dx == 0 || dy == 0) {
    // Horizontal and vertical lines: only the stretch inside the clip bounds.
    const bool horizontal = dy == 0;
    const int fixed = horizontal ? a.Y : a.X;
    const int lo = horizontal ? bounds.left() : bounds.top(), hi = horizontal ? bounds.right() : bounds.bottom();
    if (fixed < (horizontal ? bounds.top() : bounds.left()) || fixed > (horizontal ? bounds.bottom() : bounds.right()))
      return;
    const int start = horizontal ? a.X : a.Y;
    const int dir = horizontal ? sx : sy;
    int64_t i0, i1;
    if (dir > 0) {
      i0 = std::max<int64_t>(0, int64_t(lo) - start);
      i1 = std::min<int64_t>(steps, int64_t(hi) - start + 1);
    } else {
      i0 = std::max<int64_t>(0, int64_t(start) - hi);
      i1 = std::min<int64_t>(steps, int64_t(start) - lo + 1);
    }
    if (period == 0 && w.Simple && w.Fast) {
      // Solid in a one-rectangle clip (grid lines, edges): the stretch written at once.
      if (i0 >= i1)
        return;
      const int from = int(std::min(start + dir * i0, start + dir * (i1 - 1)));
      const int to = int(std::max(start + dir * i0, start + dir * (i1 - 1)));
      auto put = [&](uint32_t &px) { px = rop == pmCopy ? color : ApplyRop2(rop, color, px); };
      if (horizontal) {
        uint32_t *line = w.Line(fixed);
        for (int x = from; x <= to; ++x)
          put(line[x]);
      } else {
        for (int y = from; y <= to; ++y)
          put(w.Line(y)[fixed]);
      }
      return;
    }
    for (int64_t i = i0; i < i1; ++i) {
      const int p = int(start + dir * i);
      plot(i, horizontal ? p : fixed, horizontal ? fixed : p);
    }
    return;
  }
  if (steps > 4 * int64_t(bounds.width() + bounds.height()) + 64) {
    // Far beyond the picture: let Qt clip the line.
    paintWithQt();
    return;
  }
  int x = a.X, y = a.Y;
  int64_t err = dx - dy;
  for (int64_t i = 0; i < steps; ++i) {
    plot(i, x, y);
    // Bresenham step toward the end point.
    const int64_t e2 = 2 * err;
    if (e2 > -dy) { err -= dy; x += sx; }
    if (e2 < dx) { err += dx; y += sy; }
  }
}

void TCanvas::LineTo(int X, int Y)
{
  Changing();
  if (FLog)
    Record("LineTo", {FPenPos.X, FPenPos.Y, X, Y}, PenText(FPen.get()));
  PlotLine(FPenPos, TPoint(X, Y), true);
  FPenPos = TPoint(X, Y);
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint> &Points)
{
  if (Points.empty())
    return;
  Changing();
  if (FLog) {
    QStringList pts;
    for (const TPoint &p : Points)
      pts << QStringLiteral("%1,%2").arg(p.X).arg(p.Y);
    Record(QStringLiteral("Polyline(%1) %2").arg(pts.join(QLatin1Char(';')), PenText(FPen.get())));
  }
  for (size_t i = 1; i < Points.size(); ++i)
    PlotLine(Points[i - 1], Points[i], true);
  Changed();
}

// ---------------------------------------------------------------------------------------
// Fills

void TCanvas::FillDeviceRect(const TRect &R, TColor Color, int Rop2, bool UseBrush)
{
  if (R.IsEmpty() || !HandleAllocated())
    return;
  const TBrush &br = *FBrush;
  const bool pattern = UseBrush && (br.Bitmap() || (br.Style() != bsSolid && br.Style() != bsClear));
  if (UseBrush && br.Style() == bsClear && !br.Bitmap())
    return;
  if (pattern || !FImage || FExternal) {
    // Hatches and pattern bitmaps through Qt, in device space.
    std::optional<TCanvasPainter> own;
    QPainter *p = FExternal;
    if (p) {
      p->save();
      QRegion clip;
      if (PainterClip(clip))
        p->setClipRegion(clip, Qt::IntersectClip);
    } else {
      p = own.emplace(this, true, true).P;
    }
    p->setCompositionMode(CompositionOf(Rop2));
    const QRect qr(R.Left, R.Top, R.Width(), R.Height());
    if (pattern && br.Bitmap()) {
      p->fillRect(qr, QBrush(br.Bitmap()->ToImage().Image()));
    } else if (pattern) {
      if (FBkMode == OPAQUE)
        p->fillRect(qr, ColorToQColor(FBkColor));
      p->fillRect(qr, QBrush(ColorToQColor(br.Color()), HatchStyle(br.Style())));
    } else {
      p->fillRect(qr, ColorToQColor(Color));
    }
    if (FExternal)
      p->restore();
    return;
  }
  PixelWriter w(FImage, *this);
  const uint32_t c = Rgb32(Color);
  const QRect rect(R.Left, R.Top, R.Width(), R.Height());
  auto fill = [&](const QRect &q) {
    if (w.Fast && Rop2 == pmCopy) {
      // One line filled, the others copied from it; a few pixels (a gradient's strip) are
      // cheaper stored than copied.
      const int width = q.width();
      uint32_t *line = w.Line(q.top()) + q.left();
      const qsizetype step = w.Stride / qsizetype(sizeof(uint32_t));
      const uint32_t *first = line;
      std::fill(line, line + width, c);
      for (int y = q.top() + 1; y <= q.bottom(); ++y) {
        line += step;
        if (width <= 8)
          std::fill(line, line + width, c);
        else
          std::memcpy(line, first, size_t(width) * sizeof(uint32_t));
      }
      return;
    }
    for (int y = q.top(); y <= q.bottom(); ++y)
      for (int x = q.left(); x <= q.right(); ++x)
        w.Set(x, y, Rop2 == pmCopy ? c : ApplyRop2(Rop2, c, w.Get(x, y)));
  };
  if (w.Simple) {
    if (const QRect q = TCanvasPainter::Overlap(w.Bounds, rect); !q.isEmpty())
      fill(q);
    return;
  }
  for (const QRect &q : w.Clip & QRegion(rect))
    fill(q);
}

void TCanvas::FillRect(const TRect &Rect)
{
  Changing();
  if (FLog)
    Record("FillRect", {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom}, BrushText(FBrush.get()));
  FillDeviceRect(ToDevice(Rect), FBrush->Color(), pmCopy, true);
  Changed();
}

void TCanvas::FrameRect(const TRect &Rect)
{
  Changing();
  if (FLog)
    Record("FrameRect", {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom}, BrushText(FBrush.get()));
  const TRect d = ToDevice(Rect);
  if (!d.IsEmpty() && FBrush->Style() != bsClear) {
    const TColor c = FBrush->Color();
    FillDeviceRect(TRect(d.Left, d.Top, d.Right, d.Top + 1), c, pmCopy, true);
    FillDeviceRect(TRect(d.Left, d.Bottom - 1, d.Right, d.Bottom), c, pmCopy, true);
    FillDeviceRect(TRect(d.Left, d.Top + 1, d.Left + 1, d.Bottom - 1), c, pmCopy, true);
    FillDeviceRect(TRect(d.Right - 1, d.Top + 1, d.Right, d.Bottom - 1), c, pmCopy, true);
  }
  Changed();
}

void TCanvas::InvertRect(const TRect &Rect)
{
  Changing();
  if (FLog)
    Record("InvertRect", {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom});
  FillDeviceRect(ToDevice(Rect), clWhite, pmXor, false);
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
  Changing();
  if (FLog)
    Record("Rectangle", {X1, Y1, X2, Y2}, PenText(FPen.get()) + QLatin1Char(' ') + BrushText(FBrush.get()));
  if (X2 < X1) std::swap(X1, X2);
  if (Y2 < Y1) std::swap(Y1, Y2);
  const int rop = CurrentRop2();
  const TPen &pen = *FPen;
  if (pen.Style() == psClear) {
    // Without a pen the platform fills one pixel less to the right and bottom.
    FillDeviceRect(ToDevice(TRect(X1, Y1, X2 - 1, Y2 - 1)), FBrush->Color(), rop, true);
  } else if (!Mapped() && (pen.Width() <= 1 || pen.Style() == psInsideFrame)) {
    const int w = std::max(1, pen.Width());
    FillDeviceRect(ToDevice(TRect(X1 + w, Y1 + w, X2 - w, Y2 - w)), FBrush->Color(), rop, true);
    if (w == 1 && pen.Style() != psInsideFrame) {
      PlotLine(TPoint(X1, Y1), TPoint(X2 - 1, Y1), true);
      PlotLine(TPoint(X2 - 1, Y1), TPoint(X2 - 1, Y2 - 1), true);
      PlotLine(TPoint(X2 - 1, Y2 - 1), TPoint(X1, Y2 - 1), true);
      PlotLine(TPoint(X1, Y2 - 1), TPoint(X1, Y1), true);
    } else {
      const TColor c = pen.Color();
      FillDeviceRect(ToDevice(TRect(X1, Y1, X2, Y1 + w)), c, rop, false);
      FillDeviceRect(ToDevice(TRect(X1, Y2 - w, X2, Y2)), c, rop, false);
      FillDeviceRect(ToDevice(TRect(X1, Y1 + w, X1 + w, Y2 - w)), c, rop, false);
      FillDeviceRect(ToDevice(TRect(X2 - w, Y1 + w, X2, Y2 - w)), c, rop, false);
    }
  } else {
    QPainterPath path;
    path.addRect(QRectF(X1 + 0.5, Y1 + 0.5, X2 - X1 - 1, Y2 - Y1 - 1));
    FillPath(path, true, true);
  }
  Changed();
}

void TCanvas::FillPath(const QPainterPath &Path, bool Fill, bool Outline)
{
  if (!HandleAllocated())
    return;
  TCanvasPainter p(this);
  p->setCompositionMode(CompositionOf(CurrentRop2()));
  QBrush qb(Qt::NoBrush);
  if (Fill && FBrush->Style() != bsClear) {
    if (FBrush->Bitmap())
      qb = QBrush(FBrush->Bitmap()->ToImage().Image());
    else
      qb = QBrush(ColorToQColor(FBrush->Color()), HatchStyle(FBrush->Style()));
  }
  QPen qp(Qt::NoPen);
  if (Outline && FPen->Style() != psClear) {
    qp = QPen(ColorToQColor(FPen->Color()), std::max(1, DeviceLengthX(FPen->Width())));
    qp.setCosmetic(true);
    qp.setCapStyle(Qt::RoundCap);
    qp.setJoinStyle(Qt::MiterJoin);
    if (FPen->Width() <= 1)
      SetDashes(qp, FPen->Style());
  }
  p->setBrush(qb);
  p->setPen(qp);
  p->drawPath(Path);
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
  Changing();
  if (FLog)
    Record("RoundRect", {X1, Y1, X2, Y2, X3, Y3}, PenText(FPen.get()) + QLatin1Char(' ') + BrushText(FBrush.get()));
  QPainterPath path;
  path.addRoundedRect(QRectF(X1 + 0.5, Y1 + 0.5, X2 - X1 - 1, Y2 - Y1 - 1), X3 / 2.0, Y3 / 2.0);
  FillPath(path, true, true);
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
  Changing();
  if (FLog)
    Record("Ellipse", {X1, Y1, X2, Y2}, PenText(FPen.get()) + QLatin1Char(' ') + BrushText(FBrush.get()));
  QPainterPath path;
  path.addEllipse(QRectF(X1 + 0.5, Y1 + 0.5, X2 - X1 - 1, Y2 - Y1 - 1));
  FillPath(path, true, true);
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint> &Points)
{
  if (Points.empty())
    return;
  Changing();
  if (FLog) {
    QStringList pts;
    for (const TPoint &p : Points)
      pts << QStringLiteral("%1,%2").arg(p.X).arg(p.Y);
    Record(QStringLiteral("Polygon(%1) %2 %3").arg(pts.join(QLatin1Char(';')), PenText(FPen.get()), BrushText(FBrush.get())));
  }
  QPolygonF poly;
  for (const TPoint &p : Points)
    poly << QPointF(p.X + 0.5, p.Y + 0.5);
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  path.addPolygon(poly);
  path.closeSubpath();
  FillPath(path, true, true);
  Changed();
}

namespace {
// Angles of the arc's radial points on the ellipse in Qt's degrees (counter-clockwise).
void ArcAngles(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4, double &start, double &span)
{
  const double cx = (X1 + X2) / 2.0, cy = (Y1 + Y2) / 2.0;
  const double a1 = std::atan2(-(Y3 - cy), X3 - cx) * 180.0 / M_PI;
  const double a2 = std::atan2(-(Y4 - cy), X4 - cx) * 180.0 / M_PI;
  start = a1;
  span = a2 - a1;
  if (span <= 0)
    span += 360.0;
}
}  // namespace

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
  Changing();
  if (FLog)
    Record("Arc", {X1, Y1, X2, Y2, X3, Y3, X4, Y4}, PenText(FPen.get()));
  double start, span;
  ArcAngles(X1, Y1, X2, Y2, X3, Y3, X4, Y4, start, span);
  QPainterPath path;
  const QRectF r(X1 + 0.5, Y1 + 0.5, X2 - X1 - 1, Y2 - Y1 - 1);
  path.arcMoveTo(r, start);
  path.arcTo(r, start, span);
  FillPath(path, false, true);
  Changed();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
  Changing();
  if (FLog)
    Record("Pie", {X1, Y1, X2, Y2, X3, Y3, X4, Y4}, PenText(FPen.get()) + QLatin1Char(' ') + BrushText(FBrush.get()));
  double start, span;
  ArcAngles(X1, Y1, X2, Y2, X3, Y3, X4, Y4, start, span);
  QPainterPath path;
  const QRectF r(X1 + 0.5, Y1 + 0.5, X2 - X1 - 1, Y2 - Y1 - 1);
  path.moveTo(r.center());
  path.arcTo(r, start, span);
  path.closeSubpath();
  FillPath(path, true, true);
  Changed();
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
  Changing();
  if (FLog)
    Record("Chord", {X1, Y1, X2, Y2, X3, Y3, X4, Y4}, PenText(FPen.get()) + QLatin1Char(' ') + BrushText(FBrush.get()));
  double start, span;
  ArcAngles(X1, Y1, X2, Y2, X3, Y3, X4, Y4, start, span);
  QPainterPath path;
  const QRectF r(X1 + 0.5, Y1 + 0.5, X2 - X1 - 1, Y2 - Y1 - 1);
  path.arcMoveTo(r, start);
  path.arcTo(r, start, span);
  path.closeSubpath();
  FillPath(path, true, true);
  Changed();
}

void TCanvas::FloodFill(int X, int Y, TColor Color, bool Surface)
{
  Changing();
  if (FLog)
    Record("FloodFill", {X, Y}, ColorToString(Color));
  if (FImage && !FExternal) {
    PixelWriter w(FImage, *this);
    const TPoint s = ToDevice(TPoint(X, Y));
    if (w.Visible(s.X, s.Y)) {
      const uint32_t ref = Rgb32(Color) & 0xFFFFFF;
      const uint32_t fill = Rgb32(FBrush->Color());
      auto inside = [&](int x, int y) {
        const uint32_t v = w.Get(x, y) & 0xFFFFFF;
        return Surface ? v == ref : v != ref;
      };
      if (inside(s.X, s.Y) && (fill & 0xFFFFFF) != (w.Get(s.X, s.Y) & 0xFFFFFF)) {
        std::vector<QPoint> stack{QPoint(s.X, s.Y)};
        while (!stack.empty()) {
          const QPoint p = stack.back();
          stack.pop_back();
          if (!w.Visible(p.x(), p.y()) || !inside(p.x(), p.y()) || w.Get(p.x(), p.y()) == fill)
            continue;
          w.Set(p.x(), p.y(), fill);
          stack.push_back(QPoint(p.x() + 1, p.y()));
          stack.push_back(QPoint(p.x() - 1, p.y()));
          stack.push_back(QPoint(p.x(), p.y() + 1));
          stack.push_back(QPoint(p.x(), p.y() - 1));
        }
      }
    }
  }
  Changed();
}

void TCanvas::DrawFocusRect(const TRect &Rect)
{
  Changing();
  if (FLog)
    Record("DrawFocusRect", {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom});
  const TRect d = ToDevice(Rect);
  if (!d.IsEmpty() && FImage && !FExternal) {
    // Every other pixel inverted, in a checkerboard fixed to the device: drawing the
    // same rectangle twice removes it.
    PixelWriter w(FImage, *this);
    auto dot = [&](int x, int y) {
      if (((x + y) & 1) == 0)
        w.Plot(x, y, 0xFFFFFFFF, pmXor);
    };
    // Only the stretch of each edge inside the picture is walked.
    const QRect b = w.Bounds;
    for (int x = std::max(d.Left, b.left()); x < std::min(d.Right, b.right() + 1); ++x) {
      dot(x, d.Top);
      if (d.Bottom - 1 > d.Top)
        dot(x, d.Bottom - 1);
    }
    for (int y = std::max(d.Top + 1, b.top()); y < std::min(d.Bottom - 1, b.bottom() + 1); ++y) {
      dot(d.Left, y);
      if (d.Right - 1 > d.Left)
        dot(d.Right - 1, y);
    }
  } else if (!d.IsEmpty() && FExternal) {
    TCanvasPainter p(this);
    QPen qp(Qt::black, 1, Qt::DotLine);
    p->setPen(qp);
    p->drawRect(QRectF(Rect.Left + 0.5, Rect.Top + 0.5, Rect.Width() - 1, Rect.Height() - 1));
  }
  Changed();
}

TColor TCanvas::Pixels(int X, int Y) const
{
  if (!FImage || FExternal)
    return 0xFFFFFFFFu;
  const TPoint d = ToDevice(TPoint(X, Y));
  PixelWriter w(FImage, *this);
  if (!w.Visible(d.X, d.Y))
    return 0xFFFFFFFFu;
  const uint32_t v = w.Get(d.X, d.Y);
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void TCanvas::SetPixels(int X, int Y, TColor Value)
{
  Changing();
  if (FLog)
    Record("SetPixel", {X, Y}, ColorToString(Value));
  if (FImage && !FExternal) {
    const TPoint d = ToDevice(TPoint(X, Y));
    PixelWriter w(FImage, *this);
    w.Plot(d.X, d.Y, Rgb32(Value), pmCopy);
  } else if (FExternal) {
    TCanvasPainter p(this);
    p->fillRect(QRect(X, Y, 1, 1), ColorToQColor(Value));
  }
  Changed();
}

// ---------------------------------------------------------------------------------------
// Images

void TCanvas::DrawImage(const TRect &Dest, const QImage &Source, const TRect &SourceRect, TCopyMode Mode)
{
  if (Source.isNull() || Dest.IsEmpty() || SourceRect.IsEmpty() || !HandleAllocated())
    return;
  QPainter::CompositionMode cm = QPainter::CompositionMode_SourceOver;
  switch (Mode) {
  case cmSrcCopy: cm = QPainter::CompositionMode_SourceOver; break;
  case cmSrcAnd: cm = QPainter::RasterOp_SourceAndDestination; break;
  case cmSrcPaint: cm = QPainter::RasterOp_SourceOrDestination; break;
  case cmSrcInvert: cm = QPainter::RasterOp_SourceXorDestination; break;
  case cmSrcErase: cm = QPainter::RasterOp_SourceAndNotDestination; break;
  case cmNotSrcCopy: cm = QPainter::RasterOp_NotSource; break;
  case cmNotSrcErase: cm = QPainter::RasterOp_NotSourceAndNotDestination; break;
  case cmMergePaint: cm = QPainter::RasterOp_NotSourceOrDestination; break;
  case cmDstInvert: FillDeviceRect(ToDevice(Dest), clWhite, pmXor, false); return;
  case cmBlackness: FillDeviceRect(ToDevice(Dest), clBlack, pmCopy, false); return;
  case cmWhiteness: FillDeviceRect(ToDevice(Dest), clWhite, pmCopy, false); return;
  case cmPatCopy: FillDeviceRect(ToDevice(Dest), FBrush->Color(), pmCopy, true); return;
  default: break;
  }
  TCanvasPainter p(this, true, true);
  p->setRenderHint(QPainter::SmoothPixmapTransform, false);
  p->setCompositionMode(cm);
  // Drawing an image onto itself works on a copy.
  QImage src = (FImage && Source.constBits() == FImage->constBits()) ? Source.copy() : Source;
  if (cm != QPainter::CompositionMode_SourceOver && src.hasAlphaChannel())
    src = src.convertToFormat(QImage::Format_RGB32);
  const TRect d = ToDevice(Dest);
  p->drawImage(QRect(d.Left, d.Top, d.Width(), d.Height()), src,
               QRect(SourceRect.Left, SourceRect.Top, SourceRect.Width(), SourceRect.Height()));
}

void TCanvas::Draw(int X, int Y, const TGraphic *Graphic)
{
  if (!Graphic || Graphic->Empty())
    return;
  Changing();
  if (FLog)
    Record("Draw", {X, Y, Graphic->Width(), Graphic->Height()}, Graphic->ClassName());
  Graphic->Draw(this, TRect(X, Y, X + Graphic->Width(), Y + Graphic->Height()));
  Changed();
}

void TCanvas::StretchDraw(const TRect &Rect, const TGraphic *Graphic)
{
  if (!Graphic || Graphic->Empty())
    return;
  Changing();
  if (FLog)
    Record("StretchDraw", {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom}, Graphic->ClassName());
  Graphic->Draw(this, Rect);
  Changed();
}

void TCanvas::CopyRect(const TRect &Dest, const TCanvas *Canvas, const TRect &Source)
{
  if (!Canvas)
    return;
  Changing();
  if (FLog)
    Record("CopyRect", {Dest.Left, Dest.Top, Dest.Right, Dest.Bottom, Source.Left, Source.Top, Source.Right, Source.Bottom});
  if (Canvas->FImage) {
    const QImage copy = Canvas->FImage->copy();  // source and destination may be the same image
    DrawImage(Dest, copy, Canvas->ToDevice(Source), FCopyMode);
  }
  Changed();
}

void TCanvas::BrushCopy(const TRect &Dest, const TBitmap *Bitmap, const TRect &Source, TColor Color)
{
  if (!Bitmap || Bitmap->Empty())
    return;
  Changing();
  if (FLog)
    Record("BrushCopy", {Dest.Left, Dest.Top, Dest.Right, Dest.Bottom}, ColorToString(Color));
  // Pixels of Color become the brush colour.
  QImage img = Bitmap->ToImage().Image().convertToFormat(QImage::Format_RGB32);
  const uint32_t from = Rgb32(Color), to = Rgb32(FBrush->Color());
  for (int y = 0; y < img.height(); ++y) {
    uint32_t *line = reinterpret_cast<uint32_t *>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x)
      if ((line[x] | 0xFF000000u) == from)
        line[x] = to;
  }
  DrawImage(Dest, img, Source, cmSrcCopy);
  Changed();
}

// ---------------------------------------------------------------------------------------
// Device-context state

int TCanvas::SetBkMode(int Mode)
{
  const int old = FBkMode;
  FBkMode = Mode == TRANSPARENT ? TRANSPARENT : OPAQUE;
  return old;
}

TColor TCanvas::SetBkColor(TColor Color) { return std::exchange(FBkColor, Color); }

TColor TCanvas::SetTextColor(TColor Color)
{
  const TColor old = CurrentTextColor();
  FTextColorOverride = Color;
  return old;
}

uint32_t TCanvas::SetTextAlign(uint32_t Align) { return std::exchange(FTextAlign, Align); }

int TCanvas::SetROP2(int Mode)
{
  const int old = CurrentRop2();
  FRop2Override = Mode;
  return old;
}

TPoint TCanvas::SetWindowOrg(TPoint Org) { return std::exchange(FWindowOrg, Org); }

TPoint TCanvas::SetViewportOrg(TPoint Org) { return std::exchange(FViewportOrg, Org); }

namespace {
int RegionKind(const QRegion &r)
{
  if (r.isEmpty())
    return NULLREGION;
  return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
}  // namespace

TRect TCanvas::ClipRect() const
{
  const QRect b = EffectiveClip().boundingRect();
  if (b.isEmpty())
    return TRect();
  return FromDevice(TRect(b.left(), b.top(), b.right() + 1, b.bottom() + 1));
}

TRegion TCanvas::ClipRegionDevice() const { return FClip.translated(-FDeviceOrigin.X, -FDeviceOrigin.Y); }

TPoint TCanvas::SetDeviceOrigin(TPoint Org) { return std::exchange(FDeviceOrigin, Org); }

void TCanvas::SetDeviceArea(const QRegion *Area)
{
  FHasDeviceArea = Area != nullptr;
  FDeviceArea = Area ? Area->translated(FDeviceOrigin.X, FDeviceOrigin.Y) : QRegion();
}

int TCanvas::IntersectClipRect(const TRect &Rect)
{
  const TRect d = ToDevice(Rect);
  const QRegion r = d.IsEmpty() ? QRegion() : QRegion(d.Left, d.Top, d.Width(), d.Height());
  FClip = FHasClip ? (FClip & r) : r;
  FHasClip = true;
  return RegionKind(FClip);
}

int TCanvas::ExcludeClipRect(const TRect &Rect)
{
  const TRect d = ToDevice(Rect);
  if (!FHasClip) {
    const TSize s = DeviceSize();
    FClip = QRegion(0, 0, std::max(s.cx, 1 << 15), std::max(s.cy, 1 << 15));
    FHasClip = true;
  }
  if (!d.IsEmpty())
    FClip -= QRegion(d.Left, d.Top, d.Width(), d.Height());
  return RegionKind(FClip);
}

int TCanvas::SelectClipRgn(const QRegion *Region)
{
  if (!Region) {
    FHasClip = false;
    FClip = QRegion();
    return SIMPLEREGION;
  }
  FClip = Region->translated(FDeviceOrigin.X, FDeviceOrigin.Y);
  FHasClip = true;
  return RegionKind(FClip);
}

int TCanvas::ExtSelectClipRgn(const QRegion *Region, int Mode)
{
  if (Mode == RGN_COPY)
    return SelectClipRgn(Region);
  if (!Region)
    return RGN_ERROR;
  const TSize s = DeviceSize();
  const QRegion cur = FHasClip ? FClip : QRegion(0, 0, s.cx, s.cy);
  const QRegion r = Region->translated(FDeviceOrigin.X, FDeviceOrigin.Y);
  switch (Mode) {
  case RGN_AND: FClip = cur & r; break;
  case RGN_OR: FClip = cur | r; break;
  case RGN_XOR: FClip = cur ^ r; break;
  case RGN_DIFF: FClip = cur - r; break;
  default: return RGN_ERROR;
  }
  FHasClip = true;
  return RegionKind(FClip);
}

bool TCanvas::RectVisible(const TRect &Rect) const
{
  const TRect d = ToDevice(Rect);
  if (d.IsEmpty())
    return false;
  const QRect q(d.Left, d.Top, d.Width(), d.Height());
  if (QRect box; TCanvasPainter::ClipBox(*this, box))
    return box.intersects(q);
  return EffectiveClip().intersects(q);
}

int TCanvas::SaveDC()
{
  auto s = std::make_unique<State>();
  State::Fields(*this, *s, [](auto &Field, auto &Kept) { Kept = Field; });
  s->Font.Assign(*FFont);
  s->Pen.Assign(*FPen);
  s->Brush.Assign(*FBrush);
  FSaved.push_back(std::move(s));
  return int(FSaved.size());
}

bool TCanvas::RestoreDC(int Saved)
{
  const int n = int(FSaved.size());
  const int index = Saved < 0 ? n + Saved + 1 : Saved;
  if (index < 1 || index > n)
    return false;
  std::unique_ptr<State> s = std::move(FSaved[index - 1]);
  FSaved.resize(index - 1);
  FFont->Assign(s->Font);
  FPen->Assign(s->Pen);
  FBrush->Assign(s->Brush);
  State::Fields(*this, *s, [](auto &Field, auto &Kept) { Field = std::move(Kept); });
  return true;
}

// ---------------------------------------------------------------------------------------
// Text output (the multi-line engine is in drawtext.cpp)

TSize TCanvas::TextExtent(const QString &Text) const
{
  const QFont f = DeviceFont();
  QFontMetrics fm(f);
  return TSize(LogicalLengthX(TextCache::Advance(f, Text)), LogicalLengthY(fm.ascent() + fm.descent()));
}

void TCanvas::DrawTextLine(int X, int Y, const QString &Text, int UnderlineIndex, bool Opaque, const TRect *Clip, bool PrefixOnly,
                           int Width)
{
  if (!HandleAllocated())
    return;
  const QFont f = DeviceFont();
  const TextCache::TMetrics m = TextCache::Metrics(f);
  const int w = Width >= 0 ? Width : TextCache::Advance(f, Text);
  const int h = m.Ascent + m.Descent;
  const QColor tc = ColorToQColor(CurrentTextColor());
  const QRect clipRect = Clip ? QRect(Clip->Left, Clip->Top, std::max(0, Clip->Width()), std::max(0, Clip->Height())) : QRect();
  if ((FExternal || PassOf(FImage)) && FFont->Orientation() == 0 && !PrefixOnly && !Opaque && UnderlineIndex < 0) {
    // Glyphs that stay inside every clip need none set: the caller's painter then only
    // changes pen and hint, which is much of the cost of a short piece of text.
    QRect inside = clipRect;
    bool plain = true;
    QRegion canvasClip;
    if (PainterClip(canvasClip)) {
      plain = canvasClip.rectCount() == 1;
      inside = Clip ? inside & canvasClip.boundingRect() : canvasClip.boundingRect();
    }
    if (QPainter *p = plain ? TextPainter() : nullptr) {
      const QPen pen = p->pen();
      const bool smooth = p->testRenderHint(QPainter::Antialiasing);
      p->setRenderHint(QPainter::Antialiasing, true);
      p->setPen(tc);
      const TextCache::TDrawn done =
          TextCache::Draw(*p, f, X, Y + m.Ascent, Text, Clip || !canvasClip.isEmpty() ? &inside : nullptr);
      p->setPen(pen);
      p->setRenderHint(QPainter::Antialiasing, smooth);
      if (done == TextCache::Drawn)
        return;
    }
  }
  TCanvasPainter p(this, false, true, Clip ? &clipRect : nullptr);
  // Escapement turns the text about its reference point, counter-clockwise.
  if (FFont->Orientation() != 0) {
    p->translate(X, Y);
    p->rotate(-FFont->Orientation() / 10.0);
    p->translate(-X, -Y);
  }
  if (Opaque && !PrefixOnly && w > 0)
    p->fillRect(QRect(X, Y, w, h), ColorToQColor(FBkColor));
  p->setPen(tc);
  // Upright text reuses its shaped glyphs; the rest goes through the painter's font.
  if (!PrefixOnly && (FFont->Orientation() != 0 || TextCache::Draw(*p.P, f, X, Y + m.Ascent, Text) != TextCache::Drawn)) {
    p->setFont(f);
    p->drawText(QPoint(X, Y + m.Ascent), Text);
  }
  if (UnderlineIndex >= 0 && UnderlineIndex < Text.size()) {
    const QFontMetrics fm(f);
    const int x0 = X + fm.horizontalAdvance(Text.left(UnderlineIndex));
    const int x1 = X + fm.horizontalAdvance(Text.left(UnderlineIndex + 1));
    const int uy = Y + fm.ascent() + std::max(1, fm.underlinePos());
    p->fillRect(QRect(x0, std::min(uy, Y + h - 1), std::max(1, x1 - x0), std::max(1, fm.lineWidth())), tc);
  }
}

void TCanvas::ExtTextOut(int X, int Y, uint32_t Options, const TRect *Rect, const QString &Text)
{
  Changing();
  if (FLog) {
    QString e = QStringLiteral("ExtTextOut(%1,%2,%3").arg(X).arg(Y).arg(Options);
    if (Rect)
      e += QStringLiteral(",%1,%2,%3,%4").arg(Rect->Left).arg(Rect->Top).arg(Rect->Right).arg(Rect->Bottom);
    e += QLatin1Char(',') + Quote(Text) + QLatin1Char(')');
    e += QStringLiteral(" font=%1,%2,%3").arg(FFont->Name()).arg(FFont->Height()).arg(ColorToString(CurrentTextColor()));
    if (FBkMode == OPAQUE)
      e += QStringLiteral(" bk=%1").arg(ColorToString(FBkColor));
    Record(e);
  }
  if (Rect && (Options & ETO_OPAQUE)) {
    FillDeviceRect(ToDevice(*Rect), FBkColor, pmCopy, false);
  }
  // Placement is worked out in device pixels from the reference point.
  const QFont f = DeviceFont();
  const QFontMetrics fm(f);
  const int w = TextCache::Advance(f, Text), th = fm.ascent() + fm.descent();
  const bool updateCP = FTextAlign & TA_UPDATECP;
  const TPoint ref = ToDevice(updateCP ? FPenPos : TPoint(X, Y));
  int ox = 0, oy = 0;
  const uint32_t h = FTextAlign & TA_CENTER;
  if (h == TA_CENTER)
    ox = -w / 2;
  else if (h == TA_RIGHT)
    ox = -w;
  const uint32_t v = FTextAlign & TA_BASELINE;
  if (v == TA_BASELINE)
    oy = -fm.ascent();
  else if (v == TA_BOTTOM)
    oy = -th;
  int x = ref.X + ox, y = ref.Y + oy;
  if (FFont->Orientation() != 0 && (ox != 0 || oy != 0)) {
    // Alignment offsets run along the rotated baseline.
    const double a = FFont->Orientation() / 10.0 * M_PI / 180.0;
    x = ref.X + int(std::lround(ox * std::cos(a) + oy * std::sin(a)));
    y = ref.Y + int(std::lround(-ox * std::sin(a) + oy * std::cos(a)));
  }
  TRect clip;
  if (Rect && (Options & ETO_CLIPPED))
    clip = ToDevice(*Rect);
  DrawTextLine(x, y, Text, -1, FBkMode == OPAQUE, (Rect && (Options & ETO_CLIPPED)) ? &clip : nullptr, false, w);
  if (updateCP)
    FPenPos.X += (h == TA_RIGHT) ? -LogicalLengthX(w) : (h == TA_CENTER ? 0 : LogicalLengthX(w));
  Changed();
}

void TCanvas::TextOut(int X, int Y, const QString &Text)
{
  ExtTextOut(X, Y, FTextFlags, nullptr, Text);
  MoveTo(X + TextWidth(Text), Y);
}

void TCanvas::TextRect(const TRect &Rect, int X, int Y, const QString &Text)
{
  uint32_t options = ETO_CLIPPED | FTextFlags;
  if (FBrush->Style() != bsClear)
    options |= ETO_OPAQUE;
  ExtTextOut(X, Y, options, &Rect, Text);
}

uint32_t TextFormatToFlags(TTextFormat f)
{
  static const uint32_t map[] = {
      DT_BOTTOM, DT_CALCRECT, DT_CENTER, DT_EDITCONTROL, DT_END_ELLIPSIS, DT_PATH_ELLIPSIS, DT_EXPANDTABS,
      DT_EXTERNALLEADING, DT_LEFT, DT_MODIFYSTRING, DT_NOCLIP, DT_NOPREFIX, DT_RIGHT, DT_RTLREADING,
      DT_SINGLELINE, DT_TOP, DT_VCENTER, DT_WORDBREAK, DT_HIDEPREFIX, DT_NOFULLWIDTHCHARBREAK,
      DT_PREFIXONLY, DT_TABSTOP, DT_WORD_ELLIPSIS, 0};
  uint32_t r = 0;
  for (int i = 0; i <= int(tfComposited); ++i)
    if (f.Contains(TTextFormats(i)))
      r |= map[i];
  return r;
}

void TCanvas::TextRect(TRect &Rect, QString &Text, TTextFormat Format)
{
  const uint32_t flags = TextFormatToFlags(Format);
  if (FBrush->Style() == bsClear) {
    DrawText(Text, Rect, flags);
  } else {
    const int old = SetBkMode(OPAQUE);
    DrawText(Text, Rect, flags);
    SetBkMode(old);
  }
}

// ---------------------------------------------------------------------------------------

TRecordingCanvas::TRecordingCanvas(int Width, int Height) : FPicture(Width, Height, QImage::Format_RGB32)
{
  FPicture.fill(Qt::white);
  SetImage(&FPicture);
  SetRecorder(&FEntries);
}
