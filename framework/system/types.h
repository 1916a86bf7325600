#pragma once
// Basic value types of the platform layer: points, rectangles with exclusive right and
// bottom edges, sizes, small enum sets, colours and date-times.
#include <cstdint>
#include <initializer_list>
#include <type_traits>


struct TPoint {
  int X = 0;
  int Y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(int x, int y) : X(x), Y(y) {}
  friend constexpr bool operator==(const TPoint &, const TPoint &) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  constexpr TSize() = default;
  constexpr TSize(int w, int h) : cx(w), cy(h) {}
  friend constexpr bool operator==(const TSize &, const TSize &) = default;
};

// Right and Bottom are exclusive: a rectangle (0, 0, 10, 5) covers pixels 0..9 by 0..4.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  constexpr TRect() = default;
  constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
  constexpr TRect(TPoint tl, TPoint br) : Left(tl.X), Top(tl.Y), Right(br.X), Bottom(br.Y) {}
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  friend constexpr bool operator==(const TRect &, const TRect &) = default;
};

constexpr TRect Rect(int l, int t, int r, int b) { return TRect(l, t, r, b); }
constexpr TRect Bounds(int l, int t, int w, int h) { return TRect(l, t, l + w, t + h); }
constexpr TPoint Point(int x, int y) { return TPoint(x, y); }
constexpr bool PtInRect(const TRect &r, TPoint p) { return r.Contains(p); }

// Intersection with the platform's rule: an empty result is (0, 0, 0, 0) and the call answers False.
constexpr bool IntersectRect(TRect &dst, const TRect &a, const TRect &b)
{
  TRect r(a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
          a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom);
  if (r.IsEmpty()) {
    dst = TRect();
    return false;
  }
  dst = r;
  return true;
}

// Union; an empty operand does not count.
constexpr bool UnionRect(TRect &dst, const TRect &a, const TRect &b)
{
  if (a.IsEmpty()) { dst = b.IsEmpty() ? TRect() : b; return !b.IsEmpty(); }
  if (b.IsEmpty()) { dst = a; return true; }
  dst = TRect(a.Left < b.Left ? a.Left : b.Left, a.Top < b.Top ? a.Top : b.Top,
              a.Right > b.Right ? a.Right : b.Right, a.Bottom > b.Bottom ? a.Bottom : b.Bottom);
  return true;
}

constexpr void InflateRect(TRect &r, int dx, int dy) { r.Left -= dx; r.Top -= dy; r.Right += dx; r.Bottom += dy; }
constexpr void OffsetRect(TRect &r, int dx, int dy) { r.Left += dx; r.Top += dy; r.Right += dx; r.Bottom += dy; }

// A set of enumeration values (enumerations with at most 64 members), as the original sets.
template <typename E>
class TSet {
  static_assert(std::is_enum_v<E>);
  uint64_t bits_ = 0;
  static constexpr uint64_t bit(E e) { return uint64_t(1) << static_cast<unsigned>(e); }

public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) { for (E e : items) bits_ |= bit(e); }
  constexpr bool Contains(E e) const { return (bits_ & bit(e)) != 0; }
  constexpr TSet &Include(E e) { bits_ |= bit(e); return *this; }
  constexpr TSet &Exclude(E e) { bits_ &= ~bit(e); return *this; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint64_t Bits() const { return bits_; }
  static constexpr TSet FromBits(uint64_t b) { TSet s; s.bits_ = b; return s; }
  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  constexpr TSet operator+(E e) const { return FromBits(bits_ | bit(e)); }
  constexpr TSet operator-(E e) const { return FromBits(bits_ & ~bit(e)); }
  constexpr TSet &operator+=(TSet o) { bits_ |= o.bits_; return *this; }
  constexpr TSet &operator-=(TSet o) { bits_ &= ~o.bits_; return *this; }
  constexpr TSet &operator+=(E e) { return Include(e); }
  constexpr TSet &operator-=(E e) { return Exclude(e); }
  friend constexpr bool operator==(TSet, TSet) = default;
};

// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

// 0x00BBGGRR; system colours are 0xFF000000 plus the system colour index.
using TColor = uint32_t;

constexpr TColor RGB(int r, int g, int b) { return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16); }
constexpr int GetRValue(TColor c) { return int(c & 0xFF); }
constexpr int GetGValue(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int GetBValue(TColor c) { return int((c >> 16) & 0xFF); }
constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == 0xFF000000u; }

// System colour indexes.
enum : int {
  COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
  COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8,
  COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12,
  COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15, COLOR_BTNSHADOW = 16,
  COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20,
  COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23, COLOR_INFOBK = 24,
  COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION = 27, COLOR_GRADIENTINACTIVECAPTION = 28,
  COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30,
};

constexpr TColor clSystemColor = 0xFF000000u;

constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR;
constexpr TColor clBackground = clSystemColor | COLOR_BACKGROUND;
constexpr TColor clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION;
constexpr TColor clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION;
constexpr TColor clMenu = clSystemColor | COLOR_MENU;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;
constexpr TColor clMenuText = clSystemColor | COLOR_MENUTEXT;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clCaptionText = clSystemColor | COLOR_CAPTIONTEXT;
constexpr TColor clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER;
constexpr TColor clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER;
constexpr TColor clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW;
constexpr TColor cl3DLight = clSystemColor | COLOR_3DLIGHT;
constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;
constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;
constexpr TColor clHotLight = clSystemColor | COLOR_HOTLIGHT;
constexpr TColor clGradientActiveCaption = clSystemColor | COLOR_GRADIENTACTIVECAPTION;
constexpr TColor clGradientInactiveCaption = clSystemColor | COLOR_GRADIENTINACTIVECAPTION;
constexpr TColor clMenuHighlight = clSystemColor | COLOR_MENUHILIGHT;
constexpr TColor clMenuBar = clSystemColor | COLOR_MENUBAR;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

