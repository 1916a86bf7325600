// The grid's own check boxes and radio buttons: no window control exists for them, each style
// is drawn here (themed looks fall back to the classic frame controls while no visual style
// is active).
#include "grid/core/zav_string_grid.h"

#include <map>
#include <memory>

#include "grid/core/control_look.h"
#include "grid/view/check_paint.h"

namespace {

constexpr TColor KeyColor = 0xFF00FF;  // the transparent background of the resource bitmaps

// Fills the bitmap with the key colour and paints one box or disc of Size pixels.
void NewGlyph(TBitmap &B, int Size)
{
  B.SetSize(Size, Size);
  TCanvas *c = B.Canvas();
  c->Brush()->SetColor(KeyColor);
  c->FillRect(TRect(0, 0, Size, Size));
}

void Tick(TCanvas *c, int L, int T, TColor Color)
{
  // A tick of two pixels' width in a 13-pixel box starting at (L, T).
  c->Pen()->SetColor(Color);
  for (int d = 0; d < 3; ++d) {
    c->MoveTo(L + 3, T + 5 + d);
    c->LineTo(L + 5, T + 7 + d);
    c->LineTo(L + 10, T + 2 + d);
  }
}

// ZAV look: a rounded frame in blue; XP look: a square dark-blue frame with a light fill.
void PaintCheckGlyph(TBitmap &B, bool XP, bool Checked, bool Enabled)
{
  NewGlyph(B, 13);
  TCanvas *c = B.Canvas();
  const TColor frame = !Enabled ? 0xB5B2AD : (XP ? 0x80511C : 0xB07830);
  const TColor fill = !Enabled ? 0xEFEFEF : (XP ? 0xF5F4F4 : clWhite);
  c->Pen()->SetColor(frame);
  c->Brush()->SetColor(fill);
  if (XP)
    c->Rectangle(0, 0, 13, 13);
  else
    c->RoundRect(0, 0, 13, 13, 4, 4);
  if (Checked)
    Tick(c, 0, 0, !Enabled ? 0xA0A0A0 : (XP ? 0x21A121 : 0x403020));
  // The bottom-left pixel names the transparent colour: it must be the key, not the frame.
  c->SetPixels(0, 12, KeyColor);
}

void PaintRadioGlyph(TBitmap &B, bool XP, bool Checked, bool Enabled)
{
  NewGlyph(B, 13);
  TCanvas *c = B.Canvas();
  c->Pen()->SetColor(!Enabled ? 0xB5B2AD : (XP ? 0x80511C : 0xB07830));
  c->Brush()->SetColor(!Enabled ? 0xEFEFEF : clWhite);
  c->Ellipse(0, 0, 13, 13);
  if (Checked) {
    const TColor dot = !Enabled ? 0xA0A0A0 : (XP ? 0x21A121 : 0x403020);
    c->Pen()->SetColor(dot);
    c->Brush()->SetColor(dot);
    c->Ellipse(4, 4, 9, 9);
  }
}

// Resource numbers 1..8: ZAV checked/unchecked enabled, checked/unchecked disabled, then XP.
void RegisterGlyphs()
{
  static bool done = false;
  if (done)
    return;
  done = true;
  for (int n = 1; n <= 8; ++n) {
    const bool xp = n > 4;
    const bool checked = n % 2 == 1;
    const bool enabled = (n - 1) % 4 < 2;
    const QString num = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    RegisterResourceBitmap(QStringLiteral("ZSGCHK") + num,
                           [=](TBitmap &B) { PaintCheckGlyph(B, xp, checked, enabled); });
    RegisterResourceBitmap(QStringLiteral("ZSGRAD") + num,
                           [=](TBitmap &B) { PaintRadioGlyph(B, xp, checked, enabled); });
  }
}

}  // namespace

QString CheckGlyphName(bool Radio, bool XP, bool Checked, bool Enabled)
{
  const int n = (XP ? 5 : 1) + (Enabled ? 0 : 2) + (Checked ? 0 : 1);
  return QStringLiteral("%1%2").arg(Radio ? QStringLiteral("ZSGRAD") : QStringLiteral("ZSGCHK")).arg(n, 2, 10, QLatin1Char('0'));
}

const TBitmap *CachedResourceBitmap(const QString &Name)
{
  RegisterGlyphs();
  RegisterGraphicGlyphs();
  static std::map<QString, std::unique_ptr<TBitmap>> cache;
  auto it = cache.find(Name);
  if (it == cache.end()) {
    auto b = std::make_unique<TBitmap>();
    if (ResourceBitmap(Name, *b)) {
      // Kept ready for transparent drawing: no copy per cell.
      b->SetTransparentMode(tmAuto);
      b->SetTransparent(true);
    } else {
      b.reset();
    }
    it = cache.emplace(Name, std::move(b)).first;
  }
  return it->second.get();
}

void DrawResourceGlyph(TCanvas *Canvas, int X, int Y, const QString &Name)
{
  if (const TBitmap *b = CachedResourceBitmap(Name))
    Canvas->Draw(X, Y, b);
}

bool TZavStringGrid::VisualThemesActive() const
{
  return IsThemed() && ThemeAPI.Loaded && ThemeAPI.IsThemeActive && ThemeAPI.IsThemeActive() != 0;
}

// One part of the "button" theme class (2 radio, 3 check box) in one state.
void TZavStringGrid::DrawThemedButtonPart(TCanvas *ACanvas, int Part, int State, const TRect &R)
{
  HTHEME theme = ThemeAPI.OpenThemeData(Handle(), QStringLiteral("button"));
  if (!theme)
    return;
  ThemeAPI.DrawThemeBackground(theme, ACanvas, Part, State, &R, nullptr);
  ThemeAPI.CloseThemeData(theme);
}

void TZavStringGrid::DrawCheckBox(TRect R, bool Checked, bool Enabled, bool Grayed, ZavGrid::TControlStyle Style,
                                  bool UseState, TCheckBoxState State)
{
  DrawCheckBox(Canvas(), R, Checked, Enabled, Grayed, Style, UseState, State);
}

void TZavStringGrid::DrawCheckBox(TCanvas *ACanvas, TRect R, bool Checked, bool Enabled, bool Grayed,
                                  ZavGrid::TControlStyle Style, bool UseState, TCheckBoxState State)
{
  TControlLook *look = FControlLook.get();
  if (look->NoDisabledCheckRadioLook() || look->CheckAlwaysActive())
    Enabled = true;
  if (Style == csTheme && !VisualThemesActive())
    Style = csClassic;
  if (UseState) {
    Checked = State == cbChecked;
    Grayed = State == cbGrayed;
  }
  const int size = look->CheckSize();
  switch (Style) {
  case csWinXP:
  case csZAV:
    // The bitmaps know checked and unchecked only: a mixed box shows checked and disabled.
    DrawResourceGlyph(ACanvas, R.Left, R.Top,
                      CheckGlyphName(false, Style == csWinXP, Checked || Grayed, Enabled && !Grayed));
    break;
  case csGlyph: {
    TBitmap *glyph = Checked ? look->CheckedGlyph() : look->UnCheckedGlyph();
    if (glyph && !glyph->Empty())
      DrawTransparentBitmap(ACanvas, R.Left, R.Top, glyph);
    break;
  }
  case csBorland: {
    const TColor oldBrush = ACanvas->Brush()->Color();
    ACanvas->Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
    ACanvas->Pen()->SetColor(clBtnFace);
    ACanvas->Rectangle(R);
    ACanvas->Pen()->SetColor(clBtnHighlight);
    ACanvas->MoveTo(R.Left, R.Bottom);
    ACanvas->LineTo(R.Left, R.Top);
    ACanvas->LineTo(R.Right, R.Top);
    ACanvas->Pen()->SetColor(clBtnShadow);
    ACanvas->LineTo(R.Right, R.Bottom);
    ACanvas->LineTo(R.Left, R.Bottom);
    if (Checked) {
      ACanvas->Pen()->SetColor(Enabled ? look->Color() : clGray);
      ACanvas->Pen()->SetWidth(1);
      const int t0 = R.Top, T = t0 - 1, B = R.Bottom - 1;
      ACanvas->MoveTo(R.Left + 2, t0 + size / 2);
      ACanvas->LineTo(R.Left + 2, B - 1);
      ACanvas->MoveTo(R.Left + 3, T + size / 2);
      ACanvas->LineTo(R.Left + 3, B - 2);
      ACanvas->MoveTo(R.Left + 2, B - 1);
      ACanvas->LineTo(R.Right - 2, T + 3);
      ACanvas->MoveTo(R.Left + 3, B - 1);
      ACanvas->LineTo(R.Right - 1, T + 3);
    }
    ACanvas->Pen()->SetColor(clBlack);
    ACanvas->Brush()->SetColor(oldBrush);
    break;
  }
  case csTheme:
    DrawThemedButtonPart(ACanvas, 3, Grayed ? (Enabled ? 9 : 12) : Checked ? (Enabled ? 5 : 8) : (Enabled ? 1 : 4),
                         TRect(R.Left, R.Top, R.Left + size, R.Top + size));
    break;
  case csClassic:
  case csFlat: {
    uint32_t flags = DFCS_BUTTONCHECK;
    if (Grayed)
      flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    else if (Checked)
      flags |= DFCS_CHECKED;
    if (Style == csFlat)
      flags |= DFCS_FLAT;
    if (!Enabled)
      flags |= DFCS_INACTIVE;
    const int l = R.Left + (R.Right - R.Left - size) / 2;
    const int t = R.Top + (R.Bottom - R.Top - size) / 2;
    TRect box(l, t, l + size, t + size);
    DrawFrameControl(ACanvas, box, DFC_BUTTON, flags);
    break;
  }
  }
}

void TZavStringGrid::DrawRadioButtons(TCanvas *ACanvas, TRect R, bool YUp, double Scale,
                                      ZavGrid::TControlStyle Style, int ARow, int ACol, bool Selected,
                                      TStrings *Items, bool Disabled, bool Horizontal, int CheckedIndex,
                                      int Count)
{
  TControlLook *look = FControlLook.get();
  if (look->NoDisabledCheckRadioLook() || look->RadioAlwaysActive())
    Disabled = false;
  if (Count <= 0)
    return;
  ACanvas->SetBkMode(TRANSPARENT);
  if (Style == csTheme && !VisualThemesActive())
    Style = csClassic;
  const int dir = YUp ? -1 : 1;
  const int radio = look->RadioSize();
  const QString cellText = Cells(ACol, ARow);
  int advance = 0;
  for (int i = 1; i <= Count; ++i) {
    QString text;
    if (Items && Items->Count() >= i)
      text = Items->Strings(i - 1);
    if (Selected && FShowSelection)
      ACanvas->Font()->SetColor(FSelectionTextColor);
    const bool checked = (CheckedIndex == -1 && text == cellText) || i == CheckedIndex + 1;
    const int lineH = ACanvas->TextHeight(QStringLiteral("gh"));
    if (Style == csClassic || Style == csFlat) {
      uint32_t flags = DFCS_BUTTONRADIO;
      if (look->ControlStyle() == csFlat)
        flags |= DFCS_FLAT;
      if (Disabled)
        flags |= DFCS_INACTIVE;
      if (checked)
        flags |= DFCS_CHECKED;
      const int button = int(std::lround(((Style == csFlat) ? radio + 2 : radio) * Scale));
      int left, top;
      if (Horizontal) {
        left = (i - 1) * radio + advance + R.Left + 2;
        top = R.Top + (R.Bottom - R.Top - radio) / 2;
        if (!text.isEmpty()) {
          ACanvas->TextOut(left + int(std::lround(Scale * radio)), top - 2, text);
          advance += ACanvas->TextWidth(text);
        }
      } else {
        top = R.Top + lineH * (i - 1) * dir + 2;
        if (!text.isEmpty()) {
          left = R.Left + 2;
          ACanvas->TextOut(left + int(std::lround(Scale * (radio + 4))), top - 2, text);
        } else {
          left = R.Left + (R.Right - R.Left - button) / 2;
        }
      }
      TRect box(left, top, left + button, top + button);
      DrawFrameControl(ACanvas, box, DFC_BUTTON, flags);
      continue;
    }
    // The 16-pixel styles share one layout; the bitmap styles write their text a pixel lower.
    const bool bitmapStyle = Style == csWinXP || Style == csZAV || Style == csGlyph;
    const int textDY = bitmapStyle ? 1 : -2;
    int left, top;
    if (Horizontal) {
      left = advance + R.Left + i * 16 - 14;
      top = R.Top + (R.Bottom - R.Top - 16) / 2;
      if (!text.isEmpty()) {
        ACanvas->TextOut(left + 16, top + textDY, text);
        advance += ACanvas->TextWidth(text);
      }
    } else {
      const int h = std::max(16, lineH);
      top = R.Top + h * (i - 1) * dir + 2;
      if (!text.isEmpty()) {
        left = R.Left + 2;
        ACanvas->TextOut(R.Left + (bitmapStyle ? 18 : 20), top + textDY, text);
      } else {
        left = R.Left + (R.Right - R.Left - 16) / 2;
      }
    }
    switch (Style) {
    case csBorland: {
      const TColor oldBrush = ACanvas->Brush()->Color();
      ACanvas->Brush()->SetColor(clBtnFace);
      ACanvas->Pen()->SetColor(clBtnFace);
      ACanvas->Polygon({{left + 2, top + 8}, {left + 8, top + 2}, {left + 14, top + 8}, {left + 8, top + 14}});
      ACanvas->Pen()->SetColor(checked ? clGray : clWhite);
      ACanvas->MoveTo(left + 8, top + 14);
      ACanvas->LineTo(left + 2, top + 8);
      ACanvas->LineTo(left + 8, top + 2);
      ACanvas->Pen()->SetColor(checked ? clWhite : clGray);
      ACanvas->LineTo(left + 14, top + 8);
      ACanvas->LineTo(left + 8, top + 14);
      if (checked) {
        ACanvas->Brush()->SetColor(look->Color());
        ACanvas->Pen()->SetColor(look->Color());
        ACanvas->Polygon({{left + 6, top + 8}, {left + 8, top + 6}, {left + 10, top + 8}, {left + 8, top + 10}});
      }
      ACanvas->Pen()->SetColor(clBlack);
      ACanvas->Brush()->SetColor(oldBrush);
      break;
    }
    case csTheme:
      DrawThemedButtonPart(ACanvas, 2, checked ? (Disabled ? 8 : 5) : (Disabled ? 4 : 1),
                           TRect(left, top, left + 16, top + 16));
      break;
    case csWinXP:
    case csZAV:
      DrawResourceGlyph(ACanvas, left, top, CheckGlyphName(true, Style == csWinXP, checked, !Disabled));
      break;
    case csGlyph: {
      TBitmap *glyph = checked ? look->RadioOnGlyph() : look->RadioOffGlyph();
      if (glyph && !glyph->Empty())
        DrawTransparentBitmap(ACanvas, left, top, glyph);
      break;
    }
    default:
      break;
    }
  }
}
