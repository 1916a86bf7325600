#pragma once
// Graphics of the platform layer: colours, fonts, pens, brushes, a canvas with the GDI
// drawing rules, bitmaps, icons, pictures, JPEG images, image lists and the registry of
// bitmaps the program draws itself.
//
// Coordinates follow GDI: rectangles exclude their right and bottom edges, LineTo leaves
// out its end pixel, text is drawn at its top-left corner unless the text alignment says
// otherwise. Logical resolution is fixed at 96 dpi.
#include "framework/classes/classes.h"
#include "framework/system/sysutils.h"
#include "framework/system/types.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;
class TCanvas;
class TBitmap;
class TGraphicsObject;

// ---------------------------------------------------------------------------------------
// Colours

// The system colour of an index, from a fixed table (the Windows 7 default scheme).
TColor GetSysColor(int Index);
// A system colour resolved to its RGB value; other values pass through unchanged.
TColor ColorToRGB(TColor Color);
// The screen colour of a TColor (system colours resolved; the high byte otherwise ignored).
QColor ColorToQColor(TColor Color);
TColor QColorToColor(const QColor &Color);
// "clRed", "clBtnFace" for named colours, else "$00BBGGRR".
QString ColorToString(TColor Color);
bool IdentToColor(const QString &Ident, TColor &Color);
TColor StringToColor(const QString &S);

constexpr int ScreenPixelsPerInch = 96;


// ---------------------------------------------------------------------------------------
// Fonts, pens, brushes

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TFontQuality { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural };
using TFontCharset = uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset OEM_CHARSET = 255;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate };
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// Base of fonts, pens and brushes: OnChange after every change, Assign copies the values.
class TGraphicsObject : public TPersistent {
public:
  TNotifyEvent OnChange;

protected:
  virtual void Changed();
};

class TFont : public TGraphicsObject {
public:
  TFont();
  void Assign(TPersistent *Source) override;
  void Assign(const TFont &Source);
  void Assign(const TFont *Source) { if (Source) Assign(*Source); }

  QString Name() const { return FName; }
  void SetName(const QString &Value);
  // Points at PixelsPerInch; Height is the negative character height in pixels.
  int Size() const;
  void SetSize(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  TFontQuality Quality() const { return FQuality; }
  void SetQuality(TFontQuality Value);
  // Escapement in tenths of a degree, counter-clockwise.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int Value);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value)
  {
    FPixelsPerInch = Value > 0 ? Value : ScreenPixelsPerInch;
    FCacheValid = false;
    FRevision = NextRevision();
  }
  // Drawn afresh, process-wide, whenever the font's values change (a copy keeps it with the
  // values): a caller that keeps something made from a font's values by its revision may
  // reuse it while the revision stays the same, without comparing the values.
  uint64_t Revision() const { return FRevision; }

  // The Qt font with the installed family the name maps to and a pixel size.
  QFont ToQFont() const;
  // Installed family for a Windows font name (MS Sans Serif -> DejaVu Sans, ...).
  static QString MapFontName(const QString &Name);
  bool Equals(const TFont &Other) const;

private:
  QString FName = QStringLiteral("Tahoma");
  int FHeight = -11;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  TFontQuality FQuality = fqDefault;
  int FOrientation = 0;
  int FPixelsPerInch = ScreenPixelsPerInch;
  mutable QFont FCache;
  mutable bool FCacheValid = false;
  uint64_t FRevision = NextRevision();

  static uint64_t NextRevision();

protected:
  void Changed() override;
};

class TPen : public TGraphicsObject {
public:
  void Assign(TPersistent *Source) override;
  void Assign(const TPen &Source);
  void Assign(const TPen *Source) { if (Source) Assign(*Source); }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);

private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

class TBrush : public TGraphicsObject {
public:
  void Assign(TPersistent *Source) override;
  void Assign(const TBrush &Source);
  void Assign(const TBrush *Source) { if (Source) Assign(*Source); }
  TColor Color() const { return FColor; }
  // Setting a colour on a clear brush makes it solid, as the original does.
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  // Pattern bitmap; not owned. A brush with a bitmap paints the tiled bitmap.
  TBitmap *Bitmap() const { return FBitmap; }
  void SetBitmap(TBitmap *Value);

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap *FBitmap = nullptr;
};

// ---------------------------------------------------------------------------------------
// Canvas

// Text and drawing flags of the platform, with their Windows values.
enum : uint32_t {
  DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_TABSTOP = 0x80,
  DT_NOCLIP = 0x100, DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800,
  DT_INTERNAL = 0x1000, DT_EDITCONTROL = 0x2000, DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000,
  DT_MODIFYSTRING = 0x10000, DT_RTLREADING = 0x20000, DT_WORD_ELLIPSIS = 0x40000,
  DT_NOFULLWIDTHCHARBREAK = 0x80000, DT_HIDEPREFIX = 0x100000, DT_PREFIXONLY = 0x200000,
};
enum : uint32_t { ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4 };
enum : uint32_t {
  TA_NOUPDATECP = 0, TA_UPDATECP = 1, TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6,
  TA_TOP = 0, TA_BOTTOM = 8, TA_BASELINE = 24,
};
enum : int { TRANSPARENT = 1, OPAQUE = 2 };
enum : int {
  MM_TEXT = 1, MM_LOMETRIC = 2, MM_HIMETRIC = 3, MM_LOENGLISH = 4, MM_HIENGLISH = 5, MM_TWIPS = 6,
  MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8,
};
enum : int {
  DRIVERVERSION = 0, TECHNOLOGY = 2, HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10, BITSPIXEL = 12,
  PLANES = 14, NUMCOLORS = 24, LOGPIXELSX = 88, LOGPIXELSY = 90, PHYSICALWIDTH = 110, PHYSICALHEIGHT = 111,
  PHYSICALOFFSETX = 112, PHYSICALOFFSETY = 113,
};
enum : int { DT_PLOTTER = 0, DT_RASDISPLAY = 1, DT_RASPRINTER = 2 };
enum : int { NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3, RGN_ERROR = 0 };
enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };

struct DRAWTEXTPARAMS {
  uint32_t cbSize = sizeof(DRAWTEXTPARAMS);
  int iTabLength = 0;   // tab stops in average character widths (0: 8)
  int iLeftMargin = 0;
  int iRightMargin = 0;
  uint32_t uiLengthDrawn = 0;
};

// Raster operations of CopyRect and Draw.
using TCopyMode = uint32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

enum TTextFormats {
  tfBottom, tfCalcRect, tfCenter, tfEditControl, tfEndEllipsis, tfPathEllipsis, tfExpandTabs,
  tfExternalLeading, tfLeft, tfModifyString, tfNoClip, tfNoPrefix, tfRight, tfRtlReading,
  tfSingleLine, tfTop, tfVerticalCenter, tfWordBreak, tfHidePrefix, tfNoFullWidthCharBreak,
  tfPrefixOnly, tfTabStop, tfWordEllipsis, tfComposited
};
using TTextFormat = TSet<TTextFormats>;
uint32_t TextFormatToFlags(TTextFormat Format);

// A region of device pixels (the platform's HRGN), built from rectangles with exclusive right
// and bottom edges. The framework makes them from its own QRegion values.
class TRegion {
public:
  TRegion() = default;
  explicit TRegion(const TRect &R) { *this += R; }
  TRegion(const QRegion &Region) : FRegion(Region) {}
  bool IsEmpty() const { return FRegion.isEmpty(); }
  // Adds the rectangle; an empty one adds nothing.
  TRegion &operator+=(const TRect &R)
  {
    if (R.Right > R.Left && R.Bottom > R.Top)
      FRegion += QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
    return *this;
  }
  const QRegion &Region() const { return FRegion; }
  friend bool operator==(const TRegion &A, const TRegion &B) { return A.FRegion == B.FRegion; }

private:
  QRegion FRegion;
};

// A picture's pixels as a value (what a graphic renders to); the framework reads it as the
// QImage it holds.
class TRasterImage {
public:
  TRasterImage() = default;
  TRasterImage(const QImage &Image) : FImage(Image) {}
  bool IsNull() const { return FImage.isNull(); }
  int Width() const { return FImage.width(); }
  int Height() const { return FImage.height(); }
  const QImage &Image() const { return FImage; }
  operator const QImage &() const { return FImage; }

private:
  QImage FImage;
};

// A canvas draws on a QImage (exact GDI pixel rules, raster operations, pixel access) or,
// for printing, on any paint device through a painter the caller keeps open. It is
// usable outside a paint: every call opens its own painter on the image.
class TCanvas : public TGraphicsObject {
public:
  TCanvas();
  explicit TCanvas(QImage *Image);
  ~TCanvas() override;
  TCanvas(const TCanvas &) = delete;
  TCanvas &operator=(const TCanvas &) = delete;

  // Binding. The image is not owned. A bound painter (printing, a widget paint) takes
  // precedence over the image; its device must outlive the binding.
  void SetImage(QImage *Image);
  QImage *Image() const { return FImage; }
  void SetPainter(QPainter *Painter);
  QPainter *Painter() const { return FExternal; }
  bool HandleAllocated() const { return FImage != nullptr || FExternal != nullptr; }
  // Stands in for the device context handle of code that calls the GDI functions below.
  TCanvas *Handle() { return this; }
  // Size of the bound device in pixels.
  TSize DeviceSize() const;

  TFont *Font() const { return FFont.get(); }
  void SetFont(const TFont *Value) { FFont->Assign(Value); }
  TPen *Pen() const { return FPen.get(); }
  void SetPen(const TPen *Value) { FPen->Assign(Value); }
  TBrush *Brush() const { return FBrush.get(); }
  void SetBrush(const TBrush *Value) { FBrush->Assign(Value); }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint Value) { FPenPos = Value; }
  int TextFlags() const { return FTextFlags; }
  void SetTextFlags(int Value) { FTextFlags = Value; }

  // Drawing
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void FillRect(const TRect &Rect);
  void FrameRect(const TRect &Rect);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect &Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect &Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void Polygon(const std::vector<TPoint> &Points);
  void Polyline(const std::vector<TPoint> &Points);
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void FloodFill(int X, int Y, TColor Color, bool Surface);
  void DrawFocusRect(const TRect &Rect);
  void InvertRect(const TRect &Rect);

  TColor Pixels(int X, int Y) const;
  void SetPixels(int X, int Y, TColor Value);

  // Text
  void TextOut(int X, int Y, const QString &Text);
  void TextRect(const TRect &Rect, int X, int Y, const QString &Text);
  void TextRect(TRect &Rect, QString &Text, TTextFormat Format);
  TSize TextExtent(const QString &Text) const;
  int TextWidth(const QString &Text) const { return TextExtent(Text).cx; }
  int TextHeight(const QString &Text) const { return TextExtent(Text).cy; }
  // ExtTextOut: Rect may be null; Options ETO_OPAQUE / ETO_CLIPPED.
  void ExtTextOut(int X, int Y, uint32_t Options, const TRect *Rect, const QString &Text);
  // DrawText / DrawTextEx with the platform's flags; returns the text height (or, with
  // DT_VCENTER / DT_BOTTOM, the offset from Rect.Top to the bottom of the text).
  int DrawText(const QString &Text, TRect &Rect, uint32_t Format, DRAWTEXTPARAMS *Params = nullptr);

  // Bitmaps
  void Draw(int X, int Y, const class TGraphic *Graphic);
  void StretchDraw(const TRect &Rect, const class TGraphic *Graphic);
  void CopyRect(const TRect &Dest, const TCanvas *Canvas, const TRect &Source);
  void BrushCopy(const TRect &Dest, const TBitmap *Bitmap, const TRect &Source, TColor Color);
  // Copies a QImage region with the current copy mode (the primitive behind Draw/CopyRect).
  void DrawImage(const TRect &Dest, const QImage &Source, const TRect &SourceRect, TCopyMode Mode);

  // Device-context state
  int SetBkMode(int Mode);
  int BkMode() const { return FBkMode; }
  TColor SetBkColor(TColor Color);
  TColor BkColor() const { return FBkColor; }
  TColor SetTextColor(TColor Color);
  uint32_t SetTextAlign(uint32_t Align);
  uint32_t TextAlign() const { return FTextAlign; }
  int SetROP2(int Mode);

  // Mapping: device = (logical - window origin) * viewport extent / window extent + viewport
  // origin. MM_TEXT is one pixel per unit; the metric and English modes have y growing up.
  int SetMapMode(int Mode);
  int MapMode() const { return FMapMode; }
  TSize SetWindowExt(TSize Ext);
  TSize WindowExt() const { return FWindowExt; }
  TSize SetViewportExt(TSize Ext);
  TSize ViewportExt() const { return FViewportExt; }
  bool Mapped() const { return FMapMode != MM_TEXT; }
  // Pixels per inch of the bound device (96 for images).
  int DeviceDpiX() const;
  int DeviceDpiY() const;
  // Device-independent capabilities (GetDeviceCaps).
  int DeviceCaps(int Index) const;
  // The canvas font at its device pixel size.
  QFont DeviceFont() const;

  // Window origin: device point = logical point - window origin + viewport origin.
  TPoint SetWindowOrg(TPoint Org);
  TPoint WindowOrg() const { return FWindowOrg; }
  TPoint SetViewportOrg(TPoint Org);
  TPoint ViewportOrg() const { return FViewportOrg; }
  void MoveWindowOrg(int DX, int DY) { SetWindowOrg(TPoint(FWindowOrg.X - DX, FWindowOrg.Y - DY)); }

  // The device as a window's device context sees it. Origin: where the device's (0, 0)
  // lies in the bound image (a window's client origin inside its whole-window image);
  // viewport origins and clip regions are device coordinates. Area: the part of the device
  // the canvas may draw on whatever clip the program selects (the client area, or the part
  // a paint repaints), in device coordinates; nullptr for the whole image.
  TPoint SetDeviceOrigin(TPoint Org);
  TPoint DeviceOrigin() const { return FDeviceOrigin; }
  void SetDeviceArea(const QRegion *Area);

  // Clipping, in logical coordinates at the time of the call (stored in device space).
  TRect ClipRect() const;
  bool HasClipRegion() const { return FHasClip; }
  // The program's clip region in device coordinates (GetClipRgn).
  TRegion ClipRegionDevice() const;
  int IntersectClipRect(const TRect &Rect);
  int ExcludeClipRect(const TRect &Rect);
  // Nullptr region removes the program's clip (the device area stays); the region is in
  // device coordinates, as the platform's.
  int SelectClipRgn(const QRegion *Region);
  int SelectClipRgn(const TRegion *Region) { return SelectClipRgn(Region ? &Region->Region() : nullptr); }
  int SelectClipRgn(std::nullptr_t) { return SelectClipRgn(static_cast<const QRegion *>(nullptr)); }
  int ExtSelectClipRgn(const QRegion *Region, int Mode);
  bool RectVisible(const TRect &Rect) const;
  int SaveDC();
  bool RestoreDC(int Saved);

  void Lock() { ++FLockCount; }
  void Unlock() { if (FLockCount > 0) --FLockCount; }
  int LockCount() const { return FLockCount; }
  void Refresh() {}

  // Tests: every drawing call adds a readable entry ("FillRect(0,0,10,10) brush=clRed").
  void SetRecorder(QStringList *Log) { FLog = Log; }
  QStringList *Recorder() const { return FLog; }

  TNotifyEvent OnChanging;

  // Internal helpers shared by the graphics sources.
  TPoint ToDevice(TPoint P) const;
  TPoint FromDevice(TPoint P) const;
  // Rectangles: ToDevice puts the corners in order under a mapping that turns an axis
  // around (one pixel per unit keeps an inverted rectangle empty); FromDevice maps the
  // corners, so with y growing up the logical top is above (greater than) the bottom.
  TRect ToDevice(const TRect &R) const;
  TRect FromDevice(const TRect &R) const;
  // Logical lengths to device pixels and back (absolute values).
  int DeviceLengthX(int L) const;
  int DeviceLengthY(int L) const;
  int LogicalLengthX(int D) const;
  int LogicalLengthY(int D) const;
  QRegion EffectiveClip() const;  // image clip: the image bounds, the device area and the clip
  // The device area and the clip in image coordinates (no image bounds); false when neither is set.
  bool PainterClip(QRegion &Region) const;
  void Changing();
  void Record(const QString &Entry) const;
  void Record(const char *Fn, std::initializer_list<int> Args, const QString &Extra = QString()) const;

private:
  struct State;
  friend struct TCanvasPainter;
  friend class TTextBatch;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  QImage *FImage = nullptr;
  QPainter *FExternal = nullptr;
  TPoint FPenPos;
  TCopyMode FCopyMode = cmSrcCopy;
  int FTextFlags = 0;
  int FBkMode = OPAQUE;
  TColor FBkColor = clWhite;
  TColor FTextColorOverride = clNone;  // SetTextColor outside of the font
  uint32_t FTextAlign = TA_LEFT | TA_TOP;
  int FRop2Override = -1;
  TPoint FWindowOrg;
  TPoint FViewportOrg;
  int FMapMode = MM_TEXT;
  TSize FWindowExt{1, 1};
  TSize FViewportExt{1, 1};
  double ScaleX() const { return double(FViewportExt.cx) / FWindowExt.cx; }
  double ScaleY() const { return double(FViewportExt.cy) / FWindowExt.cy; }
  bool FHasClip = false;
  QRegion FClip;  // image coordinates
  TPoint FDeviceOrigin;
  bool FHasDeviceArea = false;
  QRegion FDeviceArea;  // image coordinates
  std::vector<std::unique_ptr<State>> FSaved;
  int FLockCount = 0;
  QStringList *FLog = nullptr;

  void BrushChanged();
  void FontChanged();
  int CurrentRop2() const;
  TColor CurrentTextColor() const;
  // Pixel primitives on the bound image (device coordinates), clipped.
  void PlotLine(TPoint A, TPoint B, bool SkipLast);
  void FillDeviceRect(const TRect &R, TColor Color, int Rop2, bool UseBrush);
  void FillPath(const class QPainterPath &Path, bool Fill, bool Outline);

  // The painter text may be drawn with in device pixels when its glyphs need no clip: the
  // borrowed one, or the image's paint pass made ready without a clip; null when neither.
  QPainter *TextPainter() const;

public:
  // Used by the text engine: draws one line of text with its prefix underline.
  // Width: the text's advance when the caller has it, else -1.
  void DrawTextLine(int X, int Y, const QString &Text, int UnderlineIndex, bool Opaque, const TRect *Clip, bool PrefixOnly,
                    int Width = -1);
};

// A canvas over its own image for tests: draws as usual and records every call.
class TRecordingCanvas : public TCanvas {
public:
  explicit TRecordingCanvas(int Width = 200, int Height = 100);
  QImage &Picture() { return FPicture; }
  const QStringList &Entries() const { return FEntries; }
  void Clear() { FEntries.clear(); }

private:
  QImage FPicture;
  QStringList FEntries;
};

// A paint pass over an image: while it lives, every canvas drawing on the image through Qt
// (text, curves, images, hatches) shares one painter, opened once, whose clip, transform and
// hints are set only when a call needs others; pixel drawing goes on writing to the image
// directly. A window's paint opens one around its painting. A pass on an image that already
// has one adds nothing. Not copied; the image outlives it.
class TPaintPass {
public:
  explicit TPaintPass(QImage *Image);
  ~TPaintPass();
  TPaintPass(const TPaintPass &) = delete;
  TPaintPass &operator=(const TPaintPass &) = delete;
  struct TData;

private:
  std::unique_ptr<TData> FData;
};

// Single-line pieces of text for a caller that draws many short ones. Each piece looks as
// DrawText(Text, Rect, Format) draws it with the canvas font and text colour at the time of
// Add; pieces that need nothing more than shaped glyphs are held back and painted together
// with one painter setup, the rest are drawn at once. The caller flushes before it draws
// anything else on the canvas; the destructor flushes.
class TTextBatch {
public:
  explicit TTextBatch(TCanvas *Canvas);
  ~TTextBatch();
  TTextBatch(const TTextBatch &) = delete;
  TTextBatch &operator=(const TTextBatch &) = delete;
  void Add(QStringView Text, const TRect &Rect, uint32_t Format);
  void Flush();
  // What DrawText with DT_CALCRECT | DT_SINGLELINE gives: the width of Text, and the
  // height of a line without leading (TextHeight), in the canvas font.
  int Width(QStringView Text, uint32_t Format) const;
  int Height() const;

private:
  struct TPiece;
  TCanvas *FCanvas;
  std::vector<TPiece> FPieces;
};

// GDI functions the system calls on a canvas handle.
using HDC = TCanvas *;
int DrawText(HDC DC, const QString &Text, int Count, TRect &Rect, uint32_t Format);
int DrawTextEx(HDC DC, const QString &Text, int Count, TRect &Rect, uint32_t Format, DRAWTEXTPARAMS *Params);
bool ExtTextOut(HDC DC, int X, int Y, uint32_t Options, const TRect *Rect, const QString &Text);
bool TextOut(HDC DC, int X, int Y, const QString &Text);
bool FillRect(HDC DC, const TRect &Rect, TColor Color);
bool FrameRect(HDC DC, const TRect &Rect, TColor Color);
bool DrawFocusRect(HDC DC, const TRect &Rect);
bool InvertRect(HDC DC, const TRect &Rect);
int SetBkMode(HDC DC, int Mode);
TColor SetBkColor(HDC DC, TColor Color);
TColor SetTextColor(HDC DC, TColor Color);
uint32_t SetTextAlign(HDC DC, uint32_t Align);
int SaveDC(HDC DC);
bool RestoreDC(HDC DC, int Saved);
int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom);
int ExcludeClipRect(HDC DC, int Left, int Top, int Right, int Bottom);
int SelectClipRgn(HDC DC, const QRegion *Region);
bool SetWindowOrgEx(HDC DC, int X, int Y, TPoint *Old);
bool GetWindowOrgEx(HDC DC, TPoint *Org);
bool SetViewportOrgEx(HDC DC, int X, int Y, TPoint *Old);
bool MoveWindowOrg(HDC DC, int DX, int DY);
bool GetTextExtentPoint32(HDC DC, const QString &Text, TSize &Size);
int SetMapMode(HDC DC, int Mode);
int GetMapMode(HDC DC);
bool SetWindowExtEx(HDC DC, int X, int Y, TSize *Old);
bool SetViewportExtEx(HDC DC, int X, int Y, TSize *Old);
bool GetWindowExtEx(HDC DC, TSize *Ext);
bool GetViewportExtEx(HDC DC, TSize *Ext);
bool GetViewportOrgEx(HDC DC, TPoint *Org);
bool DPtoLP(HDC DC, TPoint *Points, int Count);
bool LPtoDP(HDC DC, TPoint *Points, int Count);
int GetDeviceCaps(HDC DC, int Index);
// Clip box in logical units, as the platform answers it.
int GetClipBox(HDC DC, TRect &Rect);

// Regions are QRegion values in device coordinates.
QRegion CreateRectRgn(int Left, int Top, int Right, int Bottom);
int CombineRgn(QRegion &Dest, const QRegion &Src1, const QRegion &Src2, int Mode);
int CombineRgn(TRegion &Dest, const TRegion &Src1, const TRegion &Src2, int Mode);
// 1 and the current clip region, or 0 when the canvas has none.
int GetClipRgn(HDC DC, QRegion &Region);

struct TEXTMETRIC {
  int tmHeight = 0, tmAscent = 0, tmDescent = 0, tmInternalLeading = 0, tmExternalLeading = 0;
  int tmAveCharWidth = 0, tmMaxCharWidth = 0, tmWeight = 400;
  bool tmItalic = false, tmUnderlined = false, tmStruckOut = false;
};
bool GetTextMetrics(HDC DC, TEXTMETRIC &Metrics);
// Text metrics of a font as the canvas would measure it.
TEXTMETRIC FontTextMetrics(const TFont &Font);

// DrawEdge
enum : uint32_t {
  BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4, BDR_SUNKENINNER = 0x8,
  BDR_OUTER = 0x3, BDR_INNER = 0xC, BDR_RAISED = 0x5, BDR_SUNKEN = 0xA,
  EDGE_RAISED = 0x5, EDGE_SUNKEN = 0xA, EDGE_ETCHED = 0x6, EDGE_BUMP = 0x9,
  BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8, BF_TOPLEFT = 0x3,
  BF_TOPRIGHT = 0x6, BF_BOTTOMLEFT = 0x9, BF_BOTTOMRIGHT = 0xC, BF_RECT = 0xF,
  BF_DIAGONAL = 0x10, BF_MIDDLE = 0x800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000,
};
bool DrawEdge(HDC DC, TRect &Rect, uint32_t Edge, uint32_t Flags);

// DrawFrameControl
enum : uint32_t {
  DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4,
  DFCS_BUTTONCHECK = 0x0, DFCS_BUTTONRADIOIMAGE = 0x1, DFCS_BUTTONRADIOMASK = 0x2, DFCS_BUTTONRADIO = 0x4,
  DFCS_BUTTON3STATE = 0x8, DFCS_BUTTONPUSH = 0x10,
  DFCS_SCROLLUP = 0x0, DFCS_SCROLLDOWN = 0x1, DFCS_SCROLLLEFT = 0x2, DFCS_SCROLLRIGHT = 0x3,
  DFCS_SCROLLCOMBOBOX = 0x5, DFCS_SCROLLSIZEGRIP = 0x8,
  DFCS_CAPTIONCLOSE = 0x0, DFCS_CAPTIONMIN = 0x1, DFCS_CAPTIONMAX = 0x2, DFCS_CAPTIONRESTORE = 0x3,
  DFCS_MENUARROW = 0x0, DFCS_MENUCHECK = 0x1, DFCS_MENUBULLET = 0x2,
  DFCS_INACTIVE = 0x100, DFCS_PUSHED = 0x200, DFCS_CHECKED = 0x400, DFCS_TRANSPARENT = 0x800,
  DFCS_HOT = 0x1000, DFCS_ADJUSTRECT = 0x2000, DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000,
};
bool DrawFrameControl(HDC DC, TRect &Rect, uint32_t Type, uint32_t State);

// ---------------------------------------------------------------------------------------
// Graphics

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TAlphaFormat { afIgnored, afDefined, afPremultiplied };
enum TTransparentMode { tmAuto, tmFixed };

// A picture kind: bitmap, icon, JPEG image, PNG image.
class TGraphic : public TGraphicsObject {
public:
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int Value) {}
  virtual void SetHeight(int Value) {}
  virtual void SetSize(int AWidth, int AHeight) { SetWidth(AWidth); SetHeight(AHeight); }
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  // The picture as an image with alpha (transparent pixels have alpha 0 when Transparent).
  virtual TRasterImage ToImage() const = 0;
  // Copies another graphic (of any kind the class can take; EConvertError otherwise).
  virtual void AssignGraphic(const TGraphic *Source) = 0;
  // Reads and writes the graphic's own file format.
  virtual bool LoadFromData(const QByteArray &Data) = 0;
  virtual QByteArray SaveToData() const = 0;
  void LoadFromFile(const QString &FileName);
  void SaveToFile(const QString &FileName) const;
  void LoadFromStream(TStream *Stream);
  void SaveToStream(TStream *Stream) const;
  void Assign(TPersistent *Source) override;
  // Draws onto the canvas at its natural size (Rect's size ignored unless stretched).
  virtual void Draw(TCanvas *ACanvas, const TRect &Rect) const;

protected:
  bool FTransparent = false;
  bool FModified = false;
  void Changed() override;
};

class TBitmap : public TGraphic {
public:
  TBitmap();
  TBitmap(int AWidth, int AHeight);
  ~TBitmap() override;
  bool Empty() const override { return FImage.isNull() || FImage.width() == 0 || FImage.height() == 0; }
  int Width() const override { return FImage.isNull() ? 0 : FImage.width(); }
  int Height() const override { return FImage.isNull() ? 0 : FImage.height(); }
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  void SetSize(int AWidth, int AHeight) override;
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat Value);
  TAlphaFormat AlphaFormat() const { return FAlphaFormat; }
  void SetAlphaFormat(TAlphaFormat Value);
  TCanvas *Canvas() const { return FCanvas.get(); }
  bool Monochrome() const { return FPixelFormat == pf1bit; }
  void SetMonochrome(bool Value) { SetPixelFormat(Value ? pf1bit : pfDevice); }

  // Auto mode takes the colour of the bottom-left pixel; fixed mode the colour set.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  // Raw row of pixels (BGR for pf24bit, BGRA for pf32bit, 32-bit BGRX otherwise).
  uint8_t *ScanLine(int Row);
  const uint8_t *ScanLine(int Row) const;

  TRasterImage ToImage() const override;
  void AssignGraphic(const TGraphic *Source) override;
  bool LoadFromData(const QByteArray &Data) override;
  QByteArray SaveToData() const override;
  void LoadFromImage(const QImage &Image);
  // A bitmap the program draws itself, registered under the name.
  bool LoadFromResourceName(const QString &Name);
  void Dormant() {}
  void FreeImage() {}
  void Draw(TCanvas *ACanvas, const TRect &Rect) const override;

  QImage &Image() { return FImage; }
  const QImage &Image() const { return FImage; }

private:
  QImage FImage;
  std::unique_ptr<TCanvas> FCanvas;
  TPixelFormat FPixelFormat = pfDevice;
  TAlphaFormat FAlphaFormat = afIgnored;
  TTransparentMode FTransparentMode = tmAuto;
  TColor FTransparentColor = clDefault;
  QImage::Format ImageFormat() const;
  void Resize(int AWidth, int AHeight);
};

class TIcon : public TGraphic {
public:
  bool Empty() const override { return FImage.isNull(); }
  int Width() const override { return FImage.isNull() ? FWidth : FImage.width(); }
  int Height() const override { return FImage.isNull() ? FHeight : FImage.height(); }
  void SetWidth(int Value) override { FWidth = Value; }
  void SetHeight(int Value) override { FHeight = Value; }
  TRasterImage ToImage() const override { return FImage; }
  void AssignGraphic(const TGraphic *Source) override;
  bool LoadFromData(const QByteArray &Data) override;
  QByteArray SaveToData() const override;
  void SetImage(const QImage &Image) { FImage = Image.convertToFormat(QImage::Format_ARGB32); Changed(); }

private:
  QImage FImage;
  int FWidth = 32;
  int FHeight = 32;
};

class TPngImage : public TGraphic {
public:
  bool Empty() const override { return FImage.isNull(); }
  int Width() const override { return FImage.width(); }
  int Height() const override { return FImage.height(); }
  TRasterImage ToImage() const override { return FImage; }
  void AssignGraphic(const TGraphic *Source) override;
  bool LoadFromData(const QByteArray &Data) override;
  QByteArray SaveToData() const override;

private:
  QImage FImage;
};

enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };

// JPEG through libjpeg: the compressed data is kept; the bitmap is decoded on demand.
class TJPEGImage : public TGraphic {
public:
  TJPEGImage();
  ~TJPEGImage() override;
  bool Empty() const override { return FData.isEmpty() && FBitmap.isNull(); }
  int Width() const override;
  int Height() const override;
  int CompressionQuality() const { return FQuality; }
  void SetCompressionQuality(int Value) { FQuality = Value < 1 ? 1 : Value > 100 ? 100 : Value; }
  bool Grayscale() const { return FGrayscale; }
  void SetGrayscale(bool Value);
  bool ProgressiveEncoding() const { return FProgressive; }
  void SetProgressiveEncoding(bool Value) { FProgressive = Value; }
  TJPEGScale Scale() const { return FScale; }
  void SetScale(TJPEGScale Value);
  TJPEGPerformance Performance() const { return FPerformance; }
  void SetPerformance(TJPEGPerformance Value) { FPerformance = Value; }

  void Compress();
  void DIBNeeded();
  void JPEGNeeded() { if (FData.isEmpty()) Compress(); }
  TRasterImage ToImage() const override;
  void AssignGraphic(const TGraphic *Source) override;
  bool LoadFromData(const QByteArray &Data) override;
  QByteArray SaveToData() const override;

private:
  QByteArray FData;
  mutable QImage FBitmap;
  int FQuality = 90;
  bool FGrayscale = false;
  bool FProgressive = false;
  TJPEGScale FScale = jsFullSize;
  TJPEGPerformance FPerformance = jpBestQuality;
  int FHeaderWidth = 0;
  int FHeaderHeight = 0;
};

// JPEG coding with libjpeg; empty/null on failure.
QByteArray EncodeJPEG(const QImage &Image, int Quality, bool Progressive, bool Grayscale);
QImage DecodeJPEG(const QByteArray &Data, int ScaleDenom = 1, bool Grayscale = false, int *HeaderWidth = nullptr, int *HeaderHeight = nullptr);

// Holds one graphic of any kind.
class TPicture : public TGraphicsObject {
public:
  TPicture();
  ~TPicture() override;
  TGraphic *Graphic() const { return FGraphic.get(); }
  // Copies the graphic (nullptr empties the picture).
  void SetGraphic(const TGraphic *Value);
  // The graphic as a bitmap; an empty bitmap replaces any other kind.
  TBitmap *Bitmap();
  void SetBitmap(const TBitmap *Value) { SetGraphic(Value); }
  TIcon *Icon();
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }
  void Assign(TPersistent *Source) override;
  // Picks the graphic kind by the file extension (bmp, jpg/jpeg, ico, png).
  void LoadFromFile(const QString &FileName);
  void SaveToFile(const QString &FileName) const;
  // Creates an empty graphic for a class name ("TBitmap", "TJPEGImage", "TIcon", "TPngImage").
  static std::unique_ptr<TGraphic> CreateGraphic(const QString &ClassName);
  static std::unique_ptr<TGraphic> CreateGraphicForExtension(const QString &Extension);

private:
  std::unique_ptr<TGraphic> FGraphic;
  void GraphicChanged();
};

// Raised for unreadable or unknown picture files.
class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

// Images of one size; masked images keep transparency from a mask colour.
class TImageList : public TGraphicsObject {
public:
  TImageList();
  TImageList(int AWidth, int AHeight);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int Count() const { return int(FImages.size()); }
  bool Masked() const { return FMasked; }
  void SetMasked(bool Value) { FMasked = Value; }
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value) { FBkColor = Value; }
  TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle Value) { FDrawingStyle = Value; }

  // Splits the bitmap into images of Width; Mask (optional, may be nullptr) marks
  // transparent pixels white. Returns the index of the first image added, -1 on failure.
  int Add(const TBitmap *Image, const TBitmap *Mask);
  int AddMasked(const TBitmap *Image, TColor MaskColor);
  int AddIcon(const TIcon *Image);
  int AddImage(const QImage &Image);  // one image with alpha, scaled to the list size
  void Replace(int Index, const TBitmap *Image, const TBitmap *Mask);
  void Delete(int Index);
  void Clear();
  void Draw(TCanvas *Canvas, int X, int Y, int Index, bool Enabled = true) const;
  bool GetBitmap(int Index, TBitmap *Image) const;
  QImage ImageAt(int Index) const;
  void Assign(TPersistent *Source) override;

private:
  int FWidth = 16;
  int FHeight = 16;
  bool FMasked = true;
  TColor FBkColor = clNone;
  TDrawingStyle FDrawingStyle = dsNormal;
  std::vector<QImage> FImages;  // ARGB32, alpha 0 where masked
};

// ---------------------------------------------------------------------------------------
// Bitmaps the program draws itself (in place of the original's resources)

using TResourceBitmapPainter = std::function<void(TBitmap &Bitmap)>;
void RegisterResourceBitmap(const QString &Name, TResourceBitmapPainter Painter);
bool ResourceBitmapExists(const QString &Name);
// Fills the bitmap with the named drawing; false (bitmap unchanged) for an unknown name.
bool ResourceBitmap(const QString &Name, TBitmap &Bitmap);

// Draws a bitmap with its bottom-left pixel colour treated as transparent.
void DrawTransparentBitmap(TCanvas *Canvas, int X, int Y, const TBitmap *Bitmap);
