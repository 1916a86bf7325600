// The owner-drawn push button: presets, kinds, the painter's layout rules, keys and fade.
#include "ui/lbbutton.h"

#include "framework/controls/forms.h"
#include "framework/stdctrls/menus.h"
#include "framework/testing/input.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

// ---------------------------------------------------------------------------------------
// Painter (no window needed)

struct Face : TLbButtonFace {
  TFont OwnFont;

  Face()
  {
    Width = 100;
    Height = 23;
    Color = 0xEDF7F8;
    ColorWhenDown = 0x0080FF;
    HotTrackColor = clYellow;
    LightColor = clGray;
    ShadowColor = clGray;
    Caption = QStringLiteral("OK");
    Font = &OwnFont;
  }
  Face(const Face &Other) : TLbButtonFace(Other) { Font = &OwnFont; }

  void Draw(TCanvas *c) const { DrawLbButton(c, *this); }
  QStringList Record() const
  {
    TRecordingCanvas c(Width, Height);
    Draw(&c);
    return c.Entries();
  }
};

QString FirstStarting(const QStringList &entries, const QString &prefix)
{
  for (const QString &e : entries)
    if (e.startsWith(prefix))
      return e;
  return QString();
}

int CountStarting(const QStringList &entries, const QString &prefix)
{
  int n = 0;
  for (const QString &e : entries)
    n += e.startsWith(prefix) ? 1 : 0;
  return n;
}

TEST(LbButtonPainter, FaceTintFollowsTheHotTrackStep)
{
  const struct { int Step; bool Enabled; bool Down; TColor Expected; } cases[] = {
      {0, true, false, 0xEDF7F8},
      {8, true, false, clYellow},
      // trunc(0.5 * c + 0.5 * h) per channel: R (F8, FF) -> FB, G (F7, FF) -> FB, B (ED, 00) -> 76
      {4, true, false, RGB(0xFB, 0xFB, 0x76)},
      {8, false, false, 0xEDF7F8},  // disabled: untinted
      {8, true, true, 0x0080FF},    // pressed: the down colour
      {8, false, true, 0xEDF7F8},   // disabled never looks pressed
  };
  for (const auto &c : cases) {
    Face f;
    f.HotTrackStep = c.Step;
    f.Enabled = c.Enabled;
    f.Down = c.Down;
    const QString fill = FirstStarting(f.Record(), QStringLiteral("FillRect(-1,-1,101,24)"));
    EXPECT_EQ(fill, QStringLiteral("FillRect(-1,-1,101,24) brush=") + ColorToString(c.Expected)) << c.Step << c.Enabled << c.Down;
  }
}

TEST(LbButtonPainter, CaptionIsCutUnlessWordWrapped)
{
  Face f;
  f.Width = 60;
  f.Height = 40;
  f.Caption = QStringLiteral("A caption much wider than the button");
  const QString cut = FirstStarting(f.Record(), QStringLiteral("DrawText("));
  ASSERT_FALSE(cut.isEmpty());
  const int start = cut.indexOf(QLatin1Char('\'')), end = cut.indexOf(QLatin1Char('\''), start + 1);
  const QString shown = cut.mid(start + 1, end - start - 1);
  EXPECT_TRUE(f.Caption.startsWith(shown));
  EXPECT_LT(shown.size(), f.Caption.size());
  TRecordingCanvas m(10, 10);
  m.Font()->Assign(*f.Font);
  EXPECT_LE(m.TextWidth(shown), 60 - 8);
  EXPECT_GT(m.TextWidth(f.Caption.left(shown.size() + 1)), 60 - 8);

  f.WordWrap = true;
  const QString wrapped = FirstStarting(f.Record(), QStringLiteral("DrawText("));
  EXPECT_TRUE(wrapped.contains(QLatin1Char('\'') + f.Caption + QLatin1Char('\''))) << wrapped.toStdString();
  // The text rectangle is as high as the wrapped lines.
  TRect r = Rect(0, 0, 52, 0);
  m.DrawText(f.Caption, r, DT_CALCRECT | DT_WORDBREAK);
  const int th = r.Height();
  EXPECT_GT(th, m.TextHeight(QStringLiteral("A")));
  EXPECT_TRUE(wrapped.startsWith(QStringLiteral("DrawText(4,%1,56,%2,'").arg((40 - th) / 2).arg((40 - th) / 2 + th)))
      << wrapped.toStdString();
}

TEST(LbButtonPainter, PressedNormalMovesEncartaGoesBold)
{
  Face f;
  const QString up = FirstStarting(f.Record(), QStringLiteral("DrawText("));
  f.Down = true;
  const QString down = FirstStarting(f.Record(), QStringLiteral("DrawText("));
  EXPECT_NE(up, down);
  // One pixel right and down.
  TRecordingCanvas m(10, 10);
  const int th = m.TextHeight(QStringLiteral("OK"));
  EXPECT_TRUE(up.startsWith(QStringLiteral("DrawText(4,%1,").arg((23 - th) / 2))) << up.toStdString();
  EXPECT_TRUE(down.startsWith(QStringLiteral("DrawText(5,%1,").arg((23 - th) / 2 + 1))) << down.toStdString();

  f.Style = bsEncarta;
  TRecordingCanvas c(100, 23);
  f.Draw(&c);
  EXPECT_TRUE(c.Font()->Style().Contains(fsBold));
  EXPECT_EQ(FirstStarting(c.Entries(), QStringLiteral("DrawText(")), up);
  EXPECT_EQ(FirstStarting(c.Entries(), QStringLiteral("FillRect(-1,-1,101,24)")), QStringLiteral("FillRect(-1,-1,101,24) brush=$000080FF"));
}

TEST(LbButtonPainter, FlatBevelOnlyWhenHotOrPressed)
{
  const struct { bool Flat, Hot, Down, Enabled; int Lines; } cases[] = {
      {false, false, false, true, 4}, {true, false, false, true, 0}, {true, true, false, true, 4},
      {true, false, true, true, 4},   {true, false, false, false, 0}, {false, false, false, false, 4},
  };
  for (const auto &c : cases) {
    Face f;
    f.Flat = c.Flat;
    f.Hot = c.Hot;
    f.Down = c.Down;
    f.Enabled = c.Enabled;
    EXPECT_EQ(CountStarting(f.Record(), QStringLiteral("LineTo(")), c.Lines) << c.Flat << c.Hot << c.Down << c.Enabled;
  }
}

TEST(LbButtonPainter, DisabledShowsGreyTextAndTheSecondGlyphCell)
{
  RegisterLbButtonBitmaps();
  TBitmap glyph;
  ASSERT_TRUE(glyph.LoadFromResourceName(QStringLiteral("LBOK")));
  EXPECT_EQ(glyph.Width(), 36);
  EXPECT_EQ(glyph.Height(), 18);
  Face f;
  f.Glyph = &glyph;
  f.NumGlyphs = 2;
  f.Enabled = false;
  TRecordingCanvas c(100, 23);
  f.Draw(&c);
  EXPECT_TRUE(FirstStarting(c.Entries(), QStringLiteral("DrawText(")).contains(QStringLiteral(",clGray")));
  // Pixels of the disabled cell are grey or white, never the normal cell's green.
  int grey = 0, green = 0;
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 100; ++x) {
      const TColor p = c.Pixels(x, y);
      grey += p == clGray ? 1 : 0;
      green += p == clGreen ? 1 : 0;
    }
  EXPECT_GT(grey, 10);
  EXPECT_EQ(green, 0);

  f.Enabled = true;
  TRecordingCanvas e(100, 23);
  f.Draw(&e);
  int enabledGreen = 0;
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 100; ++x)
      enabledGreen += e.Pixels(x, y) == clGreen ? 1 : 0;
  EXPECT_GT(enabledGreen, 10);
}

TEST(LbButtonPainter, GlyphPlacementByLayoutAndAlignment)
{
  // Glyph 18 x 18 in a 100 x 40 button, caption "OK".
  RegisterLbButtonBitmaps();
  TBitmap glyph;
  ASSERT_TRUE(glyph.LoadFromResourceName(QStringLiteral("LBOK")));
  TRecordingCanvas m(10, 10);
  const int tw = m.TextWidth(QStringLiteral("OK")) + 4;
  const int th = m.TextHeight(QStringLiteral("OK"));
  const struct { TLbButtonLayout Layout; TAlignment Align; int GX, GY; } cases[] = {
      {TLbButtonLayout::blGlyphLeft, taLeftJustify, 4, 11},
      {TLbButtonLayout::blGlyphLeft, taCenter, 41 - tw / 2, 11},
      {TLbButtonLayout::blGlyphLeft, taRightJustify, 100 - 4 - 18 - tw, 11},
      {TLbButtonLayout::blGlyphRight, taRightJustify, 78, 11},
      {TLbButtonLayout::blGlyphTop, taCenter, 41, (40 - (th + 22)) / 2},
      {TLbButtonLayout::blGlyphBottom, taLeftJustify, 4, (40 - (th + 22)) / 2 + th},
  };
  for (const auto &c : cases) {
    Face f;
    f.Width = 100;
    f.Height = 40;
    f.Glyph = &glyph;
    f.NumGlyphs = 2;
    f.Layout = c.Layout;
    f.Alignment = c.Align;
    const QString draw = FirstStarting(f.Record(), QStringLiteral("Draw("));
    EXPECT_EQ(draw, QStringLiteral("Draw(%1,%2,18,18) TBitmap").arg(c.GX).arg(c.GY)) << int(c.Layout) << c.Align;
  }
}

TEST(LbButtonPainter, PresetTable)
{
  const TLbColorStyleColors q = GetColorStyleColors(lcsQuicken);
  EXPECT_EQ(q.Color, 0x603000u);
  EXPECT_EQ(q.FontColor, 0xFFFFFFu);
  EXPECT_TRUE(q.Quicken);
  EXPECT_FALSE(q.Flat);
  const TLbColorStyleColors u = GetColorStyleColors(lcsUltraFlatXP);
  EXPECT_EQ(u.ShadowColor, 0xB59285u);
  EXPECT_TRUE(u.Flat);
  EXPECT_FALSE(u.Modern);
  EXPECT_TRUE(GetColorStyleColors(lcsAqua).Modern);
}

TEST(LbButtonPainter, ModernGradientBands)
{
  TRecordingCanvas c(10, 40);
  LbGradientFill(&c, Rect(0, 0, 10, 31), clBlack, clWhite);
  QStringList fills;
  for (const QString &e : c.Entries())
    if (e.startsWith(QStringLiteral("FillRect(")))
      fills << e;
  ASSERT_EQ(fills.size(), 32);
  EXPECT_EQ(fills[0], QStringLiteral("FillRect(0,0,10,2) brush=clBlack"));
  EXPECT_EQ(fills[1], QStringLiteral("FillRect(0,1,10,3) brush=$00080808"));
  EXPECT_EQ(fills[31], QStringLiteral("FillRect(0,31,10,31) brush=clWhite"));
}

// A picture of a few faces side by side, left under the test output folder to be looked at.
TEST(LbButtonPainter, PictureOfFaces)
{
  TBitmap sheet;
  sheet.SetSize(340, 150);
  sheet.Canvas()->Brush()->SetColor(clBtnFace);
  sheet.Canvas()->FillRect(Rect(0, 0, 340, 150));
  RegisterLbButtonBitmaps();
  TBitmap ok, cancel, help;
  ok.LoadFromResourceName(QStringLiteral("LBOK"));
  cancel.LoadFromResourceName(QStringLiteral("LBCANCEL"));
  help.LoadFromResourceName(QStringLiteral("LBHELP"));
  auto drawAt = [&](int x, int y, const Face &f) {
    TBitmap b;
    b.SetSize(f.Width, f.Height);
    if (f.Style == bsModern || f.Style == bsQuicken) {
      b.Canvas()->Brush()->SetColor(0xFF00FF);
      b.Canvas()->FillRect(Rect(0, 0, f.Width, f.Height));
      b.SetTransparentColor(0xFF00FF);
      b.SetTransparent(true);
    }
    f.Draw(b.Canvas());
    sheet.Canvas()->Draw(x, y, &b);
  };
  auto add = [&](int x, int y, auto setup) {
    Face f;
    setup(f);
    drawAt(x, y, f);
  };
  add(10, 10, [&](Face &f) { f.Style = bsEncarta; f.Glyph = &ok; f.NumGlyphs = 2; });
  add(120, 10, [&](Face &f) { f.Style = bsEncarta; f.Glyph = &cancel; f.NumGlyphs = 2; f.Caption = QStringLiteral("Abbrechen"); f.Hot = true; f.HotTrackStep = 8; });
  add(230, 10, [&](Face &f) { f.Style = bsEncarta; f.Glyph = &ok; f.NumGlyphs = 2; f.Down = true; });
  add(10, 45, [&](Face &f) { f.Style = bsNormal; f.Color = clBtnFace; f.LightColor = clWhite; f.Caption = QStringLiteral("Normal"); });
  add(120, 45, [&](Face &f) { f.Style = bsOld; f.Color = clBtnFace; f.LightColor = clWhite; f.Caption = QStringLiteral("Old"); });
  add(230, 45, [&](Face &f) { f.Style = bsEncarta; f.Glyph = &help; f.NumGlyphs = 2; f.Enabled = false; f.Caption = QStringLiteral("Hilfe"); });
  add(10, 80, [&](Face &f) {
    const TLbColorStyleColors c = GetColorStyleColors(lcsGold);
    f.Style = bsModern; f.Color = c.Color; f.LightColor = c.LightColor; f.ShadowColor = c.ShadowColor; f.HotTrackColor = c.HotTrackColor; f.Caption = QStringLiteral("Gold");
  });
  add(120, 80, [&](Face &f) {
    const TLbColorStyleColors c = GetColorStyleColors(lcsQuicken);
    f.Style = bsQuicken; f.Color = c.Color; f.LightColor = c.LightColor; f.ShadowColor = c.ShadowColor; f.ColorWhenDown = c.ColorWhenDown; f.HotTrackColor = c.HotTrackColor;
    f.OwnFont.SetColor(c.FontColor); f.Caption = QStringLiteral("Quicken");
  });
  add(230, 80, [&](Face &f) { f.Style = bsEncarta; f.HasPopupMenu = true; f.Caption = QStringLiteral("Menu"); f.Layout = TLbButtonLayout::blGlyphRight; f.Glyph = &ok; f.NumGlyphs = 2; });
  add(10, 115, [&](Face &f) { f.Style = bsEncarta; f.Width = 100; f.Height = 30; f.WordWrap = true; f.Caption = QStringLiteral("Wrapped caption text"); });
  add(120, 115, [&](Face &f) { f.Style = bsEncarta; f.Caption = QStringLiteral("A caption that is cut"); });
  add(230, 115, [&](Face &f) { f.Style = bsEncarta; f.Glyph = &ok; f.NumGlyphs = 2; f.Layout = TLbButtonLayout::blGlyphTop; f.Height = 30; f.Caption = QString(); });
  EXPECT_TRUE(sheet.Image().save(testsupport::OutputDir() + QStringLiteral("/lbbutton_faces.png")));
}

// ---------------------------------------------------------------------------------------
// The control

struct FormFixture : ::testing::Test {
  std::unique_ptr<TForm> Form;
  TLbButton *Button = nullptr;
  void SetUp() override
  {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 300, 200);
    Button = new TLbButton(Form.get());
    Button->SetParent(Form.get());
    Button->SetBounds(10, 10, 100, 23);
  }
};

using LbButtonControl = FormFixture;

TEST_F(LbButtonControl, CreatedWithItsDefaults)
{
  EXPECT_EQ(Button->Width(), 100);
  EXPECT_EQ(Button->Height(), 23);
  EXPECT_EQ(Button->Color(), clBtnFace);
  EXPECT_TRUE(Button->TabStop());
  EXPECT_EQ(Button->Alignment(), taCenter);
  EXPECT_EQ(Button->ColorWhenDown(), clNone);
  EXPECT_EQ(Button->LightColor(), clWhite);
  EXPECT_EQ(Button->ShadowColor(), clGray);
  EXPECT_NE(Button->FadeThread(), nullptr);
  EXPECT_TRUE(Button->FadeThread()->Suspended());
  EXPECT_FALSE(Button->ControlStyle().Contains(csClickEvents));
  EXPECT_TRUE(Button->HotTrackFont()->Equals(*Form->Font()));
}

TEST_F(LbButtonControl, ColorStylePresets)
{
  Button->SetColorStyle(lcsQuicken);
  EXPECT_EQ(Button->Style(), bsQuicken);
  EXPECT_EQ(Button->Font()->Color(), clWhite);
  EXPECT_FALSE(Button->Flat());
  EXPECT_EQ(Button->ColorStyle(), lcsCustom);
  EXPECT_EQ(Button->ExStyle(), 0u);  // the preset does not touch the window style
  Button->SetColorStyle(lcsUltraFlat1);
  EXPECT_EQ(Button->Style(), bsNormal);
  EXPECT_TRUE(Button->Flat());
  EXPECT_EQ(Button->ColorWhenDown(), 0xB59284u);
  Button->SetColorStyle(lcsCustom);
  EXPECT_TRUE(Button->Flat());
  EXPECT_EQ(Button->Color(), clBtnFace);
  Button->SetStyle(bsModern);
  EXPECT_EQ(Button->ExStyle(), uint32_t(WS_EX_TRANSPARENT));
}

TEST_F(LbButtonControl, KindsSetCaptionResultAndGlyph)
{
  const struct { TLbButtonKind Kind; const char *Caption; TModalResult Result; int GlyphHeight; } kinds[] = {
      {TLbButtonKind::bkOK, "OK", mrOk, 18},         {TLbButtonKind::bkCancel, "Abbrechen", mrCancel, 18},
      {TLbButtonKind::bkHelp, "Hilfe", mrNone, 18},   {TLbButtonKind::bkYes, "Ja", mrYes, 18},
      {TLbButtonKind::bkNo, "Nein", mrNo, 18},        {TLbButtonKind::bkClose, "Schlie\xc3\x9f" "en", mrNone, 18},
      {TLbButtonKind::bkAbort, "Abbrechen", mrAbort, 18}, {TLbButtonKind::bkRetry, "Wiederholen", mrRetry, 18},
      {TLbButtonKind::bkIgnore, "Ignorieren", mrIgnore, 18}, {TLbButtonKind::bkAll, "Alle", 12, 19},
  };
  for (const auto &k : kinds) {
    Button->SetKind(k.Kind);
    EXPECT_EQ(Button->Kind(), k.Kind);
    EXPECT_EQ(Button->Caption(), QString::fromUtf8(k.Caption));
    EXPECT_EQ(Button->ModalResult(), k.Result);
    EXPECT_EQ(Button->NumGlyphs(), 2);
    EXPECT_EQ(Button->Glyph()->Width(), 36);
    EXPECT_EQ(Button->Glyph()->Height(), k.GlyphHeight);
  }
  Button->SetKind(TLbButtonKind::bkYes);
  Button->SetModalResult(mrOk);
  EXPECT_EQ(Button->Kind(), TLbButtonKind::bkCustom);
  Button->SetKind(TLbButtonKind::bkYes);
  TBitmap g;
  g.SetSize(54, 18);
  Button->SetGlyph(&g);
  EXPECT_EQ(Button->Kind(), TLbButtonKind::bkCustom);
  EXPECT_EQ(Button->NumGlyphs(), 3);
  Button->SetGlyph(nullptr);
  EXPECT_EQ(Button->NumGlyphs(), 0);
  EXPECT_EQ(Button->Glyph()->Height(), 0);
}

TEST_F(LbButtonControl, ClickGivesTheModalResultToTheForm)
{
  int clicks = 0;
  Button->OnClick = [&](TObject *) { ++clicks; };
  Button->SetModalResult(mrCancel);
  Button->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Form->ModalResult(), mrCancel);
  EXPECT_FALSE(Button->Down());

  Button->SetEnabled(false);
  Button->Click();
  EXPECT_EQ(clicks, 1);
}

TEST_F(LbButtonControl, DialogKeysGoToDefaultAndCancelButtons)
{
  auto *other = new TLbButton(Form.get());
  other->SetParent(Form.get());
  other->SetBounds(120, 10, 100, 23);
  auto *edit = new TEdit(Form.get());
  edit->SetParent(Form.get());
  edit->SetBounds(10, 50, 100, 21);
  int clicks = 0;
  Button->OnClick = [&](TObject *) { ++clicks; };
  Button->SetDefault(true);
  Button->SetCancel(true);

  auto dialogKey = [&](uint16_t key, int32_t keyData) {
    TMessage m(CM_DIALOGKEY, key, keyData);
    Button->WndProc(m);
    return m.Result;
  };
  Form->SetActiveControl(edit);
  EXPECT_EQ(dialogKey(VK_RETURN, 0), 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(dialogKey(VK_ESCAPE, 0), 1);
  EXPECT_EQ(clicks, 2);
  // With Alt held the cancel button stays still.
  EXPECT_EQ(dialogKey(VK_ESCAPE, 0x20000000), 0);
  EXPECT_EQ(clicks, 2);
  // Another focused button keeps the key.
  Form->SetActiveControl(other);
  EXPECT_EQ(dialogKey(VK_RETURN, 0), 0);
  EXPECT_EQ(clicks, 2);
  // Not a default button: nothing.
  Form->SetActiveControl(edit);
  Button->SetDefault(false);
  EXPECT_EQ(dialogKey(VK_RETURN, 0), 0);
  EXPECT_EQ(clicks, 2);
}

TEST_F(LbButtonControl, HoverDropsAtOnceOrFadesInEightSteps)
{
  Form->Show();
  TMessage enter(CM_MOUSEENTER, 0, 0);
  TMessage leave(CM_MOUSELEAVE, 0, 0);
  int entered = 0, exited = 0;
  Button->OnMouseEnter = [&](TObject *) { ++entered; };
  Button->OnMouseExit = [&](TObject *) { ++exited; };
  Button->WndProc(enter);
  EXPECT_EQ(Button->HotTrackStep(), 8);
  EXPECT_TRUE(Button->CursorOnButton());
  Button->WndProc(leave);
  EXPECT_EQ(Button->HotTrackStep(), 0);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(exited, 1);

  Button->SetSlowDecease(true);
  Button->WndProc(enter);
  Button->WndProc(leave);
  ASSERT_NE(Button->FadeThread(), nullptr);
  EXPECT_FALSE(Button->FadeThread()->Suspended());
  for (int i = 7; i >= 1; --i) {
    Button->FadeThread()->DoEvent();
    EXPECT_EQ(Button->HotTrackStep(), i);
  }
  Button->FadeThread()->DoEvent();
  EXPECT_EQ(Button->HotTrackStep(), 0);
  EXPECT_TRUE(Button->FadeThread()->Suspended());

  Button->SetSlowDecease(false);
  EXPECT_EQ(Button->FadeThread(), nullptr);
  Button->WndProc(enter);
  Button->WndProc(leave);
  EXPECT_EQ(Button->HotTrackStep(), 0);
}

}  // namespace

namespace {

// A form with a few buttons as the program's forms set them up, grabbed to a picture.
TEST_F(LbButtonControl, PictureOfAForm)
{
  Form->SetCaption(QStringLiteral("Buttons"));
  Form->SetColor(clBtnFace);
  auto setup = [&](TLbButton *b, int x, int y) {
    b->SetParent(Form.get());
    b->SetBounds(x, y, 100, 25);
    b->SetColor(0xEDF7F8);
    b->SetLightColor(clGray);
    b->SetHotTrackColor(clYellow);
    b->SetColorWhenDown(0x0080FF);
    b->SetStyle(bsEncarta);
  };
  setup(Button, 10, 10);
  Button->SetKind(TLbButtonKind::bkOK);
  auto *cancel = new TLbButton(Form.get());
  setup(cancel, 120, 10);
  cancel->SetKind(TLbButtonKind::bkCancel);
  auto *hot = new TLbButton(Form.get());
  setup(hot, 10, 45);
  hot->SetCaption(QStringLiteral("Hovered"));
  auto *off = new TLbButton(Form.get());
  setup(off, 120, 45);
  off->SetKind(TLbButtonKind::bkHelp);
  off->SetEnabled(false);
  auto *normal = new TLbButton(Form.get());
  normal->SetParent(Form.get());
  normal->SetBounds(10, 80, 210, 25);
  normal->SetCaption(QStringLiteral("Normal look, wide"));
  Form->SetClientSize(230, 115);
  Form->Show();
  cancel->SetFocus();
  TMessage enter(CM_MOUSEENTER, 0, 0);
  hot->WndProc(enter);
  const QImage picture = GrabControl(Form.get());
  EXPECT_TRUE(picture.save(testsupport::OutputDir() + QStringLiteral("/lbbutton_form.png")));
  // The hovered button's face is the hot-track yellow.
  EXPECT_EQ(QColorToColor(picture.pixelColor(QPoint(10 + 3, 45 + 3))), clYellow);
}

}  // namespace

namespace {

// Real input through the message pipeline.
struct LbButtonInput : FormFixture {
  TLbButton *Other = nullptr;
  TEdit *Edit = nullptr;
  int Clicks = 0, OtherClicks = 0;
  void SetUp() override
  {
    FormFixture::SetUp();
    Other = new TLbButton(Form.get());
    Other->SetParent(Form.get());
    Other->SetBounds(120, 10, 100, 23);
    Edit = new TEdit(Form.get());
    Edit->SetParent(Form.get());
    Edit->SetBounds(10, 50, 100, 21);
    Button->OnClick = [this](TObject *) { ++Clicks; };
    Other->OnClick = [this](TObject *) { ++OtherClicks; };
    Form->Show();
    SimProcess();
  }
};

TEST_F(LbButtonInput, MouseClickAndReleaseOutside)
{
  Button->SetModalResult(mrOk);
  SimClick(Button, 20, 10);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Form->ModalResult(), mrOk);
  EXPECT_FALSE(Button->Down());
  EXPECT_TRUE(Button->Focused());
  // The mouse is captured while pressed: releasing it elsewhere still clicks.
  SimMouseDown(Button, 20, 10);
  EXPECT_TRUE(Button->Down());
  SimMouseUp(Button, 250, 150);
  EXPECT_EQ(Clicks, 2);
  EXPECT_FALSE(Button->Down());
  // A disabled button ignores the mouse.
  Button->SetEnabled(false);
  SimClick(Button, 20, 10);
  EXPECT_EQ(Clicks, 2);
}

TEST_F(LbButtonInput, EnterAndSpaceOnTheFocusedButton)
{
  Other->SetDefault(true);
  Button->SetFocus();
  SimKey(Button, VK_SPACE);
  EXPECT_EQ(Clicks, 1);
  // Enter on a focused button is that button's, not the default button's.
  SimKey(Button, VK_RETURN);
  EXPECT_EQ(Clicks, 2);
  EXPECT_EQ(OtherClicks, 0);
}

TEST_F(LbButtonInput, KeyUpClicksOnlyAfterItsOwnKeyDown)
{
  Button->SetFocus();
  for (uint16_t Key : {uint16_t(VK_RETURN), uint16_t(VK_SPACE)}) {
    SCOPED_TRACE(Key);
    Clicks = 0;
    // The release of a key pressed elsewhere (on a dialog that closed) is no click.
    SimKeyUp(Button, Key);
    EXPECT_EQ(Clicks, 0);
    SimKeyDown(Button, Key);
    EXPECT_TRUE(Button->Down());
    EXPECT_EQ(Clicks, 0);
    SimKeyUp(Button, Key);
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(Button->Down());
  }
}

TEST_F(LbButtonInput, DefaultAndCancelFromAnEdit)
{
  Button->SetDefault(true);
  Other->SetCancel(true);
  Edit->SetFocus();
  SimKey(Edit, VK_RETURN);
  EXPECT_EQ(Clicks, 1);
  SimKey(Edit, VK_ESCAPE, {ssShift});
  EXPECT_EQ(OtherClicks, 0);
  SimKey(Edit, VK_ESCAPE);
  EXPECT_EQ(OtherClicks, 1);
}

TEST_F(LbButtonInput, HoverTintsAndFadesBack)
{
  SimMouseMove(Button, 10, 10);
  EXPECT_TRUE(Button->CursorOnButton());
  EXPECT_EQ(Button->HotTrackStep(), 8);
  SimMouseMove(Form.get(), 250, 150);
  EXPECT_FALSE(Button->CursorOnButton());
  EXPECT_EQ(Button->HotTrackStep(), 0);

  Button->SetSlowDecease(true);
  SimMouseMove(Button, 10, 10);
  SimMouseMove(Form.get(), 250, 150);
  EXPECT_EQ(Button->HotTrackStep(), 8);
  // One step every 30 ms.
  SimAdvanceTime(30);
  EXPECT_EQ(Button->HotTrackStep(), 7);
  SimAdvanceTime(209);
  EXPECT_EQ(Button->HotTrackStep(), 1);
  EXPECT_FALSE(Button->FadeThread()->Suspended());
  SimAdvanceTime(1);
  EXPECT_EQ(Button->HotTrackStep(), 0);
  EXPECT_TRUE(Button->FadeThread()->Suspended());
}

}  // namespace

namespace {

TEST_F(LbButtonInput, ClickOpensTheMenuUnderTheButton)
{
  auto *menu = new TPopupMenu(Form.get());
  Button->SetPopupMenu(menu);
  std::vector<TPoint> shown;
  TPopupMenu::SetRunner([&](TPopupMenu *m, TPoint at) {
    EXPECT_EQ(m, menu);
    shown.push_back(at);
    return nullptr;
  });
  SimClick(Button, 20, 10);
  TPopupMenu::SetRunner(nullptr);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], Button->ClientToScreen(TPoint(0, Button->Height())));
  EXPECT_EQ(Clicks, 1);
}

}  // namespace

namespace {

TEST_F(LbButtonInput, FocusedOldLookHasABlackFrame)
{
  Button->SetStyle(bsOld);
  Button->SetFocus();
  SimProcess();
  const QImage img = GrabControl(Button);
  ASSERT_EQ(img.width(), 100);
  EXPECT_EQ(QColorToColor(img.pixelColor(0, 0)), clBlack);
  EXPECT_EQ(QColorToColor(img.pixelColor(99, 22)), clBlack);
  // The face moved one pixel in: its light top-left edge starts at (1, 1).
  EXPECT_EQ(QColorToColor(img.pixelColor(1, 1)), clWhite);
}

}  // namespace
