// Forms: modal loops through the test seam, show/close events, alignment, anchors, positions,
// hints.
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "framework/stdctrls/stdctrls.h"
#include "framework/testing/input.h"
#include "framework/testing/ui_script.h"
#include "tests/framework/gui/controls_probe.h"

namespace {

// A dialog with an OK control whose click closes the form with mrOk.
class TFDialog : public TForm {
public:
  explicit TFDialog(TComponent *AOwner) : TForm(AOwner)
  {
    SetName("FDialog");
    SetCaption("Dialog");
    SetClientSize(200, 100);
    Ok = new TProbe(this, "Ok");
    Ok->SetParent(this);
    Ok->SetBounds(10, 60, 80, 25);
    Ok->OnClick = [this](TObject *) { SetModalResult(mrOk); };
    Edit = new TProbe(this, "Edit");
    Edit->SetParent(this);
    Edit->SetBounds(10, 10, 100, 21);
    Edit->SetTabOrder(0);
    OnShow = [this](TObject *) { Events << "show"; };
    OnActivate = [this](TObject *) { Events << "activate"; };
    OnCloseQuery = [this](TObject *, bool &CanClose) {
      Events << "closequery";
      CanClose = AllowClose;
    };
    OnClose = [this](TObject *, TCloseAction &) { Events << "close"; };
    OnHide = [this](TObject *) { Events << "hide"; };
  }
  TProbe *Ok;
  TProbe *Edit;
  QStringList Events;
  bool AllowClose = true;
};

TEST(FormsModal, AScriptedFormIsShownUsedAndClosed)
{
  TUIScript ui;
  TFDialog dlg(nullptr);
  QString typed;
  dlg.Edit->OnKeyPress = [&](TObject *, QChar &Key) { typed += Key; };
  bool focusedEdit = false;
  ui.OnFormOf<TFDialog>([&](TFDialog *f) {
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->Visible());
    EXPECT_EQ(Screen->ActiveForm(), f);
    focusedEdit = f->Edit->Focused();  // the first control in tab order
    SimType(f, "ok");
    SimClick(f->Ok, 5, 5);
  });
  EXPECT_EQ(dlg.ShowModal(), mrOk);
  EXPECT_TRUE(focusedEdit);
  EXPECT_EQ(typed, "ok");
  EXPECT_FALSE(dlg.Visible());
  EXPECT_EQ(dlg.Events, (QStringList{"show", "activate", "closequery", "close", "hide"}));
  ASSERT_EQ(ui.Shown().size(), 1u);
  EXPECT_EQ(ui.Shown()[0].Kind, skForm);
  EXPECT_EQ(ui.Shown()[0].FormName, "FDialog");
  EXPECT_EQ(ui.Shown()[0].Caption, "Dialog");
  EXPECT_EQ(ui.Unscripted(), 0);
}

// Keys sent as real Qt events from the script of a modal form, opened from the program's start
// or from a button's click as dialogs usually are: each key arrives in full (down, character,
// up) before the script goes on, at the form's active control.
TEST(FormsModal, KeysFromTheScriptArriveInFullAtTheActiveControl)
{
  for (bool fromClick : {false, true}) {
    SCOPED_TRACE(fromClick ? "opened from a click" : "opened at the start");
    TTestForm main;
    auto *opener = new TProbe(main, "opener");
    opener->SetParent(main);
    opener->SetBounds(10, 10, 80, 25);
    main->Show();
    TUIScript ui;
    TFDialog dlg(nullptr);
    auto *name = new TEdit(&dlg);
    name->SetParent(&dlg);
    name->SetBounds(120, 10, 70, 21);
    dlg.SetActiveControl(name);
    bool focused = false;
    QStringList keys;
    QString text, typed;
    ui.OnFormOf<TFDialog>([&](TFDialog *f) {
      focused = ::GetFocus() == name->Handle();
      QTest::keyClicks(name->Handle(), "ab");
      text = name->Text();
      SimType(f, "c");  // to the focused control
      typed = name->Text();
      f->Edit->Logged = {WM_KEYDOWN, WM_CHAR, WM_KEYUP};
      QTest::keyClick(f->Edit->Handle(), Qt::Key_X);
      keys = f->Edit->Log;
      f->SetModalResult(mrOk);
    });
    int result = -1;
    if (fromClick) {
      opener->OnClick = [&](TObject *) { result = dlg.ShowModal(); };
      SimClick(opener, 5, 5);
    } else {
      result = dlg.ShowModal();
    }
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(focused);
    EXPECT_EQ(text, "ab");
    EXPECT_EQ(typed, "abc");
    EXPECT_EQ(keys, QStringList({"Edit:WM_KEYDOWN:88", "Edit:WM_CHAR:x", "Edit:WM_KEYUP:88"}));
  }
}

TEST(FormsModal, CloseQueryCanRefuseTheModalResult)
{
  TUIScript ui;
  TFDialog dlg(nullptr);
  int asked = 0;
  bool openAfterRefusal = false;
  dlg.OnCloseQuery = [&](TObject *, bool &CanClose) {
    CanClose = ++asked > 1;
    openAfterRefusal = dlg.Visible();
  };
  ui.OnForm([](TCustomForm *f) { f->SetModalResult(mrOk); });
  // The first close is refused; the form stays open until the seam closes it.
  EXPECT_EQ(dlg.ShowModal(), mrCancel);
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_FALSE(dlg.Visible());
}

TEST(FormsModal, CloseOnAModalFormGivesCancel)
{
  TUIScript ui;
  TFDialog dlg(nullptr);
  ui.OnForm([](TCustomForm *f) { f->Close(); });
  EXPECT_EQ(dlg.ShowModal(), mrCancel);
  EXPECT_EQ(ui.Unscripted(), 0);
}

TEST(FormsModal, AnUnscriptedFormIsCancelledAndCounted)
{
  TUIScript ui;
  TFDialog dlg(nullptr);
  EXPECT_EQ(dlg.ShowModal(), mrCancel);
  EXPECT_EQ(ui.Unscripted(), 1);
  EXPECT_THROW({ dlg.Show(); dlg.ShowModal(); }, EInvalidOperation);
  dlg.Hide();
}

TEST(FormsModal, AMessageBoxInsideAModalFormIsScriptedToo)
{
  TUIScript ui;
  TFDialog dlg(nullptr);
  dlg.Ok->OnClick = [&](TObject *) {
    if (MessageDlg("Save the table?", mtConfirmation, mbYesNoCancel, 0) == mrYes)
      dlg.SetModalResult(mrOk);
  };
  ui.AnswerMessage(mrNo).AnswerMessage(mrYes);
  ui.OnForm([](TCustomForm *f) {
    auto *d = static_cast<TFDialog *>(f);
    SimClick(d->Ok, 5, 5);
    EXPECT_TRUE(f->Visible());
    SimClick(d->Ok, 5, 5);
  });
  EXPECT_EQ(dlg.ShowModal(), mrOk);
  EXPECT_EQ(ui.Messages(), (QStringList{"Save the table?", "Save the table?"}));
  EXPECT_EQ(ui.Shown()[1].Buttons, mbYesNoCancel);
  EXPECT_EQ(ui.PendingAnswers(), 0);
}

TEST(FormsModal, FocusAndTheClosingKeysReleaseReturnToTheCallingForm)
{
  TUIScript ui;
  TTestForm main;
  auto *p = new TProbe(main, "p");
  p->SetParent(main);
  main->Show();
  p->SetFocus();
  TFDialog dlg(nullptr);
  dlg.Edit->DlgCode = DLGC_WANTALLKEYS;
  dlg.Edit->OnKeyDown = [&](TObject *, uint16_t &Key, TShiftState) {
    if (Key == VK_RETURN)
      dlg.SetModalResult(mrOk);
  };
  ui.OnForm([&](TCustomForm *) {
    EXPECT_FALSE(p->Focused());
    dlg.Edit->SetFocus();
    SimKey(dlg.Edit, VK_RETURN);
  });
  EXPECT_EQ(dlg.ShowModal(), mrOk);
  EXPECT_EQ(Screen->ActiveForm(), main.Form);
  EXPECT_TRUE(p->Focused());
  // Enter closed the dialog; its release comes up once the dialog has gone.
  SimProcess();
  EXPECT_EQ(dlg.Edit->Log.filter("KEYUP"), QStringList());
  EXPECT_EQ(p->Log.filter("KEYUP"), QStringList{"p:WM_KEYUP:13"});
}

TEST(FormsModal, ClosingTheMainFormEndsTheProgram)
{
  TTestForm main;
  Application->SetMainForm(main);
  main->Show();
  main->Close();
  EXPECT_TRUE(Application->Terminated());
  Application->ResetForTests();
  EXPECT_FALSE(Application->Terminated());
  // Other forms only hide.
  TTestForm other;
  other->Show();
  other->Close();
  EXPECT_FALSE(other->Visible());
  EXPECT_FALSE(Application->Terminated());
}

TEST(FormsModal, CreateFormRunsOnCreateAndTheFirstIsTheMainForm)
{
  struct TFOne : TForm {
    explicit TFOne(TComponent *AOwner) : TForm(AOwner)
    {
      OnCreate = [this](TObject *) { Created = true; };
    }
    bool Created = false;
  };
  Application->ResetForTests();
  TFOne *one = nullptr, *two = nullptr;
  Application->CreateForm(one);
  Application->CreateForm(two);
  EXPECT_TRUE(one->Created);
  EXPECT_EQ(Application->MainForm(), one);
  EXPECT_EQ(one->Owner(), Application);
  delete two;
  delete one;
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(Forms, ClientSizeExcludesTheFrameOfTheBorderStyle)
{
  TTestForm f;
  struct Case {
    TFormBorderStyle style;
    int dw, dh;
  } cases[] = {{bsNone, 0, 0}, {bsSizeable, 8, 30}, {bsDialog, 6, 28}, {bsSingle, 6, 28}};
  for (const Case &c : cases) {
    SCOPED_TRACE(int(c.style));
    f->SetBorderStyle(c.style);
    f->SetClientSize(400, 300);
    EXPECT_EQ(f->ClientWidth(), 400);
    EXPECT_EQ(f->ClientHeight(), 300);
    EXPECT_EQ(f->Width(), 400 + c.dw);
    EXPECT_EQ(f->Height(), 300 + c.dh);
  }
}

// The window as it shows (its client area, with no frame drawn by the platform here) sits in
// the middle, whatever border and caption the form's bounds reserve.
TEST(Forms, ScreenCenterPlacesTheFormWhenShown)
{
  for (TFormBorderStyle style : {bsSizeable, bsSingle, bsDialog, bsToolWindow, bsNone}) {
    SCOPED_TRACE(int(style));
    TTestForm f;
    f->SetBorderStyle(style);
    f->SetClientSize(200, 100);
    f->SetPosition(poScreenCenter);
    f->Show();
    const TRect area = Screen->WorkAreaRect();
    const QRect shown = f->Handle()->geometry();
    EXPECT_EQ(shown.x(), area.Left + (area.Width() - 200) / 2);
    EXPECT_EQ(shown.y(), area.Top + (area.Height() - 100) / 2);
    EXPECT_EQ(f->ClientOrigin(), TPoint(shown.x(), shown.y()));
  }
}

// Wider or taller than the screen: a sizeable window opens at the work area's size, a fixed
// one keeps its top-left corner on the screen; neither opens with its title bar out of reach.
TEST(Forms, ScreenCenterKeepsAWindowLargerThanTheScreenOnIt)
{
  const TRect area = Screen->WorkAreaRect();
  for (TFormBorderStyle style : {bsSizeable, bsSingle}) {
    SCOPED_TRACE(int(style));
    TTestForm f;
    f->SetBorderStyle(style);
    f->SetClientSize(area.Width() + 70, 100);
    f->SetPosition(poScreenCenter);
    f->Show();
    const QRect shown = f->Handle()->geometry();
    EXPECT_GE(shown.x(), area.Left);
    EXPECT_EQ(shown.y(), area.Top + (area.Height() - 100) / 2);
    EXPECT_EQ(f->ClientWidth(), style == bsSizeable ? area.Width() : area.Width() + 70);
  }
}

TEST(Forms, MainFormCenterCentresOnTheMainWindowAsItShows)
{
  TTestForm main;
  main->SetBorderStyle(bsSingle);
  main->SetClientSize(600, 400);
  main->SetBounds(100, 50, main->Width(), main->Height());
  Application->SetMainForm(main);
  main->Show();
  TTestForm dlg;
  dlg->SetBorderStyle(bsNone);
  dlg->SetClientSize(200, 100);
  dlg->SetPosition(poMainFormCenter);
  dlg->Show();
  const QRect outer = main->Handle()->geometry();
  const QRect inner = dlg->Handle()->geometry();
  EXPECT_EQ(inner.center(), outer.center());
  Application->SetMainForm(nullptr);
}

TEST(Forms, AlignedChildrenShareTheClientAreaInOrder)
{
  TTestForm f;
  f->SetBorderStyle(bsNone);
  f->SetClientSize(300, 200);
  auto make = [&](TAlign a, int w, int h) {
    auto *p = new TProbe(f);
    p->SetBounds(0, 0, w, h);
    p->SetAlign(a);
    p->SetParent(f);
    return p;
  };
  TProbe *top = make(alTop, 10, 30);
  TProbe *bottom = make(alBottom, 10, 20);
  TProbe *left = make(alLeft, 40, 10);
  TProbe *right = make(alRight, 50, 10);
  TProbe *client = make(alClient, 10, 10);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 30));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 180, 300, 200));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 40, 180));
  EXPECT_EQ(right->BoundsRect(), Rect(250, 30, 300, 180));
  EXPECT_EQ(client->BoundsRect(), Rect(40, 30, 250, 180));
  int resized = 0;
  client->OnResize = [&](TObject *) { ++resized; };
  f->SetClientSize(400, 200);
  EXPECT_EQ(client->BoundsRect(), Rect(40, 30, 350, 180));
  EXPECT_EQ(right->BoundsRect(), Rect(350, 30, 400, 180));
  EXPECT_EQ(resized, 1);
  top->SetVisible(false);
  EXPECT_EQ(client->BoundsRect(), Rect(40, 0, 350, 180));
}

TEST(Forms, AnchorsKeepDistancesToTheRightAndBottom)
{
  TTestForm f;
  f->SetBorderStyle(bsNone);
  f->SetClientSize(300, 200);
  auto *button = new TProbe(f);
  button->SetParent(f);
  button->SetBounds(220, 170, 70, 20);
  button->SetAnchors({akRight, akBottom});
  auto *stretch = new TProbe(f);
  stretch->SetParent(f);
  stretch->SetBounds(10, 10, 280, 100);
  stretch->SetAnchors({akLeft, akTop, akRight});
  f->SetClientSize(400, 250);
  EXPECT_EQ(button->BoundsRect(), Rect(320, 220, 390, 240));
  EXPECT_EQ(stretch->BoundsRect(), Rect(10, 10, 390, 110));
}

TEST(Forms, VisibleIsTheControlsOwnFlag)
{
  TTestForm f;
  auto *p = new TProbe(f);
  p->SetParent(f);
  EXPECT_TRUE(p->Visible());
  EXPECT_FALSE(p->Showing());  // the form is not shown
  f->Show();
  EXPECT_TRUE(p->Showing());
  f->Hide();
  EXPECT_TRUE(p->Visible());
  EXPECT_FALSE(p->Showing());
}

TEST(Forms, HintsShowAfterThePauseAndCanBeChangedByTheControl)
{
  TTestForm f;
  auto *p = new TProbe(f, "p");
  p->SetParent(f);
  p->SetBounds(10, 10, 100, 50);
  p->SetHint("Short|Long text");
  p->SetShowHint(true);
  struct THintProbe : TProbe {
    using TProbe::TProbe;
    void CMHintShow(TCMHintShow &M) override { M.HintInfo->HintStr += " (changed)"; }
  };
  auto *q = new THintProbe(f, "q");
  q->SetParent(f);
  q->SetBounds(10, 80, 100, 50);
  q->SetHint("Other");
  q->SetShowHint(true);
  f->Show();
  Application->SetHintPause(1);
  SimMouseMove(p, 5, 5);
  ASSERT_TRUE(SimWaitFor([] { return Application->HintWindow() != nullptr; }));
  EXPECT_EQ(Application->HintWindow()->Caption(), "Short");
  SimMouseMove(q, 5, 5);
  ASSERT_TRUE(SimWaitFor([] { return Application->HintWindow() && Application->HintWindow()->Caption() == "Other (changed)"; }));
  SimMouseDown(q, 5, 5);  // a click cancels the hint
  SimMouseUp(q, 5, 5);
  EXPECT_EQ(Application->HintWindow(), nullptr);
  Application->SetHintPause(500);
}

// A control with no hint text of its own (a grid over its header) still shows what its
// CM_HINTSHOW answer supplies; one that supplies nothing shows no window.
TEST(Forms, HintSuppliedByTheControlAloneIsShown)
{
  TTestForm f;
  struct TSupplier : TProbe {
    using TProbe::TProbe;
    QString Supplied;
    int Asked = 0;
    void CMHintShow(TCMHintShow &M) override
    {
      ++Asked;
      M.HintInfo->HintStr = Supplied;
    }
  };
  auto *s = new TSupplier(f, "s");
  s->SetParent(f);
  s->SetBounds(10, 10, 100, 50);
  s->SetShowHint(true);
  s->Supplied = "Column header";
  f->Show();
  Application->SetHintPause(1);
  SimMouseMove(s, 5, 5);
  EXPECT_TRUE(SimWaitFor([] { return Application->HintWindow() && Application->HintWindow()->Caption() == "Column header"; }));
  Application->CancelHint();
  s->Supplied.clear();
  const int Asked = s->Asked;
  SimMouseMove(s, 6, 6);
  EXPECT_TRUE(SimWaitFor([&] { return s->Asked > Asked; }));
  EXPECT_EQ(Application->HintWindow(), nullptr);
  Application->SetHintPause(500);
}

TEST(Forms, AHintComesAfterItsPauseToTheMillisecondAndGoesAfterItsHidePause)
{
  TTestForm f;
  auto *p = new TProbe(f, "p");
  p->SetParent(f);
  p->SetBounds(10, 10, 100, 50);
  p->SetHint("Short");
  p->SetShowHint(true);
  f->Show();
  Application->SetHintPause(500);
  Application->SetHintHidePause(2500);
  SimMouseMove(p, 5, 5);
  SimAdvanceTime(499);
  EXPECT_EQ(Application->HintWindow(), nullptr);
  SimAdvanceTime(1);
  ASSERT_NE(Application->HintWindow(), nullptr);
  SimAdvanceTime(2499);
  EXPECT_NE(Application->HintWindow(), nullptr);
  SimAdvanceTime(1);
  EXPECT_EQ(Application->HintWindow(), nullptr);
}

}  // namespace

namespace {

TEST(Forms, TheNearestMonitorGivesTheWorkArea)
{
  ASSERT_GE(Screen->MonitorCount(), 1);
  TMonitor *m = Screen->MonitorFromPoint(TPoint(-500, -500));
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m, Screen->PrimaryMonitor());
  EXPECT_EQ(m->WorkareaRect(), Screen->WorkAreaRect());
  EXPECT_EQ(Screen->MonitorFromPoint(TPoint(-500, -500), mdNull), nullptr);
  EXPECT_EQ(Screen->MonitorFromRect(Rect(10, 10, 20, 20)), m);
}

}  // namespace

namespace {

TEST(Forms, ChangingTheBorderOfAShownFormKeepsItShownWithItsControls)
{
  TTestForm f;
  auto *p = new TProbe(f, "p");
  p->SetParent(f);
  f->Show();
  p->SetFocus();
  f->SetBorderStyle(bsDialog);
  EXPECT_TRUE(IsWindowVisible(f->Handle()));
  EXPECT_TRUE(IsWindowVisible(p->Handle()));
  EXPECT_TRUE(p->Focused());
}

}  // namespace
