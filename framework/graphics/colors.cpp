// Colour conversion and the fixed system colour table.
#include "framework/graphics/graphics.h"

namespace {

// The Windows 7 default ("Windows 7 Basic") values of the system colours, by index, so
// that the program looks the same on every machine.
constexpr TColor kSysColors[31] = {
    RGB(200, 200, 200),  //  0 COLOR_SCROLLBAR
    RGB(0, 0, 0),        //  1 COLOR_BACKGROUND
    RGB(153, 180, 209),  //  2 COLOR_ACTIVECAPTION
    RGB(191, 205, 219),  //  3 COLOR_INACTIVECAPTION
    RGB(240, 240, 240),  //  4 COLOR_MENU
    RGB(255, 255, 255),  //  5 COLOR_WINDOW
    RGB(100, 100, 100),  //  6 COLOR_WINDOWFRAME
    RGB(0, 0, 0),        //  7 COLOR_MENUTEXT
    RGB(0, 0, 0),        //  8 COLOR_WINDOWTEXT
    RGB(0, 0, 0),        //  9 COLOR_CAPTIONTEXT
    RGB(180, 180, 180),  // 10 COLOR_ACTIVEBORDER
    RGB(244, 247, 252),  // 11 COLOR_INACTIVEBORDER
    RGB(171, 171, 171),  // 12 COLOR_APPWORKSPACE
    RGB(51, 153, 255),   // 13 COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // 14 COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240),  // 15 COLOR_BTNFACE
    RGB(160, 160, 160),  // 16 COLOR_BTNSHADOW
    RGB(109, 109, 109),  // 17 COLOR_GRAYTEXT
    RGB(0, 0, 0),        // 18 COLOR_BTNTEXT
    RGB(67, 78, 84),     // 19 COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // 20 COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105),  // 21 COLOR_3DDKSHADOW
    RGB(227, 227, 227),  // 22 COLOR_3DLIGHT
    RGB(0, 0, 0),        // 23 COLOR_INFOTEXT
    RGB(255, 255, 225),  // 24 COLOR_INFOBK
    RGB(0, 0, 0),        // 25 (unused)
    RGB(0, 102, 204),    // 26 COLOR_HOTLIGHT
    RGB(185, 209, 234),  // 27 COLOR_GRADIENTACTIVECAPTION
    RGB(215, 228, 242),  // 28 COLOR_GRADIENTINACTIVECAPTION
    RGB(51, 153, 255),   // 29 COLOR_MENUHILIGHT
    RGB(240, 240, 240),  // 30 COLOR_MENUBAR
};

struct NamedColor {
  TColor Value;
  const char *Name;
};

const NamedColor kNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
    {clMedGray, "clMedGray"}, {clNone, "clNone"}, {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"}, {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"}, {clMenu, "clMenu"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
};

}  // namespace

TColor GetSysColor(int Index)
{
  if (Index < 0 || Index >= int(sizeof(kSysColors) / sizeof(kSysColors[0])))
    return 0;
  return kSysColors[Index];
}

TColor ColorToRGB(TColor Color)
{
  if (IsSystemColor(Color))
    return GetSysColor(int(Color & 0xFF));
  return Color;
}

QColor ColorToQColor(TColor Color)
{
  const TColor c = ColorToRGB(Color) & 0xFFFFFF;
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor QColorToColor(const QColor &Color)
{
  return RGB(Color.red(), Color.green(), Color.blue());
}

QString ColorToString(TColor Color)
{
  for (const NamedColor &n : kNames)
    if (n.Value == Color)
      return QString::fromLatin1(n.Name);
  return QStringLiteral("$%1").arg(Color, 8, 16, QLatin1Char('0')).toUpper();
}

bool IdentToColor(const QString &Ident, TColor &Color)
{
  for (const NamedColor &n : kNames)
    if (Ident.compare(QLatin1String(n.Name), Qt::CaseInsensitive) == 0) {
      Color = n.Value;
      return true;
    }
  return false;
}

TColor StringToColor(const QString &S)
{
  TColor c;
  if (IdentToColor(S, c))
    return c;
  return TColor(StrToInt(S));
}
