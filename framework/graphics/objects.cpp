// Fonts, pens and brushes.
#include "framework/graphics/graphics.h"

#include <QFontMetrics>
#include <QHash>
#include <atomic>
#include <cmath>

void TGraphicsObject::Changed()
{
  if (OnChange)
    OnChange(this);
}

// ---------------------------------------------------------------------------------------
// TFont

TFont::TFont() = default;

void TFont::Assign(TPersistent *Source)
{
  if (auto *f = dynamic_cast<TFont *>(Source)) {
    Assign(*f);
    return;
  }
  TPersistent::Assign(Source);
}

void TFont::Assign(const TFont &Source)
{
  if (&Source == this)
    return;
  if (Equals(Source) && FPixelsPerInch == Source.FPixelsPerInch)
    return;
  FName = Source.FName;
  // The height is kept in pixels: a font of another resolution keeps its point size.
  if (Source.FPixelsPerInch != FPixelsPerInch && Source.FHeight < 0)
    FHeight = -int(std::lround(double(Source.Size()) * FPixelsPerInch / 72.0));
  else
    FHeight = Source.FHeight;
  FStyle = Source.FStyle;
  FColor = Source.FColor;
  FCharset = Source.FCharset;
  FPitch = Source.FPitch;
  FQuality = Source.FQuality;
  FOrientation = Source.FOrientation;
  const bool same = Source.FPixelsPerInch == FPixelsPerInch;
  Changed();
  // The same values as the source: its revision stands for them too.
  if (same)
    FRevision = Source.FRevision;
}

bool TFont::Equals(const TFont &o) const
{
  return FName == o.FName && FHeight == o.FHeight && FStyle == o.FStyle && FColor == o.FColor &&
         FCharset == o.FCharset && FPitch == o.FPitch && FQuality == o.FQuality &&
         FOrientation == o.FOrientation;
}

void TFont::SetName(const QString &Value)
{
  if (Value.isEmpty() || Value == FName)
    return;
  FName = Value;
  Changed();
}

int TFont::Size() const
{
  // MulDiv rounding, as the original computes it.
  return -int(std::lround(double(FHeight) * 72.0 / FPixelsPerInch));
}

void TFont::SetSize(int Value)
{
  SetHeight(-int(std::lround(double(Value) * FPixelsPerInch / 72.0)));
}

void TFont::SetHeight(int Value)
{
  if (Value == FHeight)
    return;
  FHeight = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value)
{
  if (Value == FStyle)
    return;
  FStyle = Value;
  Changed();
}

void TFont::SetColor(TColor Value)
{
  if (Value == FColor)
    return;
  FColor = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value)
{
  if (Value == FCharset)
    return;
  FCharset = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value)
{
  if (Value == FPitch)
    return;
  FPitch = Value;
  Changed();
}

void TFont::SetQuality(TFontQuality Value)
{
  if (Value == FQuality)
    return;
  FQuality = Value;
  Changed();
}

void TFont::SetOrientation(int Value)
{
  if (Value == FOrientation)
    return;
  FOrientation = Value;
  Changed();
}

QString TFont::MapFontName(const QString &Name)
{
  static const QHash<QString, QString> map = {
      {QStringLiteral("ms sans serif"), QStringLiteral("DejaVu Sans")},
      {QStringLiteral("microsoft sans serif"), QStringLiteral("DejaVu Sans")},
      {QStringLiteral("ms shell dlg"), QStringLiteral("DejaVu Sans")},
      {QStringLiteral("ms shell dlg 2"), QStringLiteral("DejaVu Sans")},
      {QStringLiteral("tahoma"), QStringLiteral("DejaVu Sans")},
      {QStringLiteral("segoe ui"), QStringLiteral("DejaVu Sans")},
      {QStringLiteral("verdana"), QStringLiteral("DejaVu Sans")},
      {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
      {QStringLiteral("helvetica"), QStringLiteral("Liberation Sans")},
      {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
      {QStringLiteral("courier"), QStringLiteral("Liberation Mono")},
      {QStringLiteral("consolas"), QStringLiteral("Liberation Mono")},
      {QStringLiteral("lucida console"), QStringLiteral("Liberation Mono")},
      {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
  };
  const auto it = map.find(Name.trimmed().toLower());
  return it == map.end() ? Name : it.value();
}

namespace {

// Cell height (ascent + descent) per pixel of character height, for a positive Height.
double CellRatio(const QString &family)
{
  static QHash<QString, double> cache;
  auto it = cache.find(family);
  if (it != cache.end())
    return it.value();
  QFont f(family);
  f.setPixelSize(100);
  QFontMetrics fm(f);
  double r = (fm.ascent() + fm.descent()) / 100.0;
  if (r <= 0.5)
    r = 1.0;
  cache.insert(family, r);
  return r;
}

}  // namespace

uint64_t TFont::NextRevision()
{
  static std::atomic<uint64_t> last{0};
  return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

void TFont::Changed()
{
  FCacheValid = false;
  FRevision = NextRevision();
  TGraphicsObject::Changed();
}

namespace {

// Fonts flip between a few styles while text is drawn (bold on, bold off); handing out the
// same QFont for the same values keeps Qt's font engine lookups and shaped text reused.
struct TQFontKey {
  QString Name;
  int Height, PixelsPerInch, Style, Quality, Pitch;
  bool operator==(const TQFontKey &o) const
  {
    return Height == o.Height && PixelsPerInch == o.PixelsPerInch && Style == o.Style && Quality == o.Quality &&
           Pitch == o.Pitch && Name == o.Name;
  }
};
size_t qHash(const TQFontKey &k, size_t Seed = 0)
{
  return qHashMulti(Seed, k.Name, k.Height, k.PixelsPerInch, k.Style, k.Quality, k.Pitch);
}

}  // namespace

QFont TFont::ToQFont() const
{
  if (FCacheValid)
    return FCache;
  thread_local QHash<TQFontKey, QFont> made;
  const TQFontKey key{FName, FHeight, FPixelsPerInch, int(FStyle.Bits()), int(FQuality), int(FPitch)};
  if (const auto it = made.constFind(key); it != made.constEnd()) {
    FCache = it.value();
    FCacheValid = true;
    return FCache;
  }
  const QString family = MapFontName(FName);
  QFont f(family);
  int px;
  if (FHeight < 0)
    px = -FHeight;
  else if (FHeight > 0)
    px = std::max(1, int(std::lround(FHeight / CellRatio(family))));
  else
    px = 11;
  // Drawing resolution is always 96 dpi; a font made for another resolution is scaled.
  if (FPixelsPerInch != ScreenPixelsPerInch && FHeight < 0)
    px = std::max(1, int(std::lround(double(px) * ScreenPixelsPerInch / FPixelsPerInch)));
  f.setPixelSize(std::max(1, px));
  f.setBold(FStyle.Contains(fsBold));
  f.setItalic(FStyle.Contains(fsItalic));
  f.setUnderline(FStyle.Contains(fsUnderline));
  f.setStrikeOut(FStyle.Contains(fsStrikeOut));
  f.setKerning(false);
  f.setHintingPreference(QFont::PreferFullHinting);
  if (FQuality == fqNonAntialiased || FQuality == fqDraft)
    f.setStyleStrategy(QFont::NoAntialias);
  if (FPitch == fpFixed)
    f.setFixedPitch(true);
  FCache = f;
  FCacheValid = true;
  if (made.size() >= 256)
    made.clear();
  made.insert(key, f);
  return f;
}

TEXTMETRIC FontTextMetrics(const TFont &Font)
{
  TEXTMETRIC tm;
  const QFont qf = Font.ToQFont();
  QFontMetrics fm(qf);
  tm.tmAscent = fm.ascent();
  tm.tmDescent = fm.descent();
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = std::max(0, tm.tmHeight - qf.pixelSize());
  tm.tmExternalLeading = std::max(0, fm.leading());
  tm.tmAveCharWidth = fm.averageCharWidth();
  tm.tmMaxCharWidth = fm.maxWidth();
  tm.tmWeight = Font.Style().Contains(fsBold) ? 700 : 400;
  tm.tmItalic = Font.Style().Contains(fsItalic);
  tm.tmUnderlined = Font.Style().Contains(fsUnderline);
  tm.tmStruckOut = Font.Style().Contains(fsStrikeOut);
  return tm;
}

// ---------------------------------------------------------------------------------------
// TPen, TBrush

void TPen::Assign(TPersistent *Source)
{
  if (auto *p = dynamic_cast<TPen *>(Source)) {
    Assign(*p);
    return;
  }
  TPersistent::Assign(Source);
}

void TPen::Assign(const TPen &Source)
{
  if (&Source == this)
    return;
  if (FColor == Source.FColor && FWidth == Source.FWidth && FStyle == Source.FStyle && FMode == Source.FMode)
    return;
  FColor = Source.FColor;
  FWidth = Source.FWidth;
  FStyle = Source.FStyle;
  FMode = Source.FMode;
  Changed();
}

void TPen::SetColor(TColor Value)
{
  if (Value == FColor)
    return;
  FColor = Value;
  Changed();
}

void TPen::SetWidth(int Value)
{
  if (Value < 0)
    Value = 0;
  if (Value == FWidth)
    return;
  FWidth = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value)
{
  if (Value == FStyle)
    return;
  FStyle = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value)
{
  if (Value == FMode)
    return;
  FMode = Value;
  Changed();
}

void TBrush::Assign(TPersistent *Source)
{
  if (auto *b = dynamic_cast<TBrush *>(Source)) {
    Assign(*b);
    return;
  }
  TPersistent::Assign(Source);
}

void TBrush::Assign(const TBrush &Source)
{
  if (&Source == this)
    return;
  FColor = Source.FColor;
  FStyle = Source.FStyle;
  FBitmap = Source.FBitmap;
  Changed();
}

void TBrush::SetColor(TColor Value)
{
  if (Value == FColor && FStyle != bsClear)
    return;
  FColor = Value;
  if (FStyle == bsClear)
    FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value)
{
  if (Value == FStyle)
    return;
  FStyle = Value;
  Changed();
}

void TBrush::SetBitmap(TBitmap *Value)
{
  if (Value == FBitmap)
    return;
  FBitmap = Value;
  Changed();
}
