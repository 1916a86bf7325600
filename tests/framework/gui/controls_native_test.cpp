// A control whose window is a native Qt widget: its events travel the pipeline first and reach
// the widget's own class through DefaultHandler, as they would a platform edit control.
#include <QLineEdit>
#include <gtest/gtest.h>

#include "framework/testing/input.h"
#include "tests/framework/gui/controls_probe.h"

namespace {

class TNativeEdit : public TWinControl {
public:
  explicit TNativeEdit(TComponent *AOwner) : TWinControl(AOwner)
  {
    SetTabStop(true);
    SetBounds(0, 0, 120, 21);
  }
  QLineEdit *Edit() { return static_cast<QLineEdit *>(Handle()); }
  QString GetText() const override
  {
    return HandleAllocated() ? static_cast<QLineEdit *>(const_cast<TNativeEdit *>(this)->Handle())->text() : FText;
  }

protected:
  QWidget *CreateWindowHandle(const TCreateParams &Params) override
  {
    auto *e = new QLineEdit(Params.WndParent);
    e->setText(FText);
    return e;
  }
  void SetTextInternal(const QString &Value) override
  {
    FText = Value;
    if (HandleAllocated())
      Edit()->setText(Value);
  }
};

TEST(NativeControls, KeysReachTheWidgetAfterTheHandlersHadTheirSay)
{
  TTestForm form;
  auto *e = new TNativeEdit(form);
  e->SetParent(form);
  form->Show();
  e->SetFocus();
  e->OnKeyPress = [](TObject *, QChar &Key) {
    if (Key == 'x')
      Key = QChar();  // swallowed
    else
      Key = Key.toUpper();
  };
  e->OnKeyDown = [](TObject *, uint16_t &Key, TShiftState) {
    if (Key == VK_BACK)
      Key = 0;  // the edit never sees it
  };
  SimType(e, "abxc");
  EXPECT_EQ(e->Text(), "ABC");
  SimKey(e, VK_BACK);
  EXPECT_EQ(e->Text(), "ABC");
  SimKey(e, VK_LEFT);
  SimKey(e, VK_DELETE);
  EXPECT_EQ(e->Text(), "AB");
  e->SetText("new");
  EXPECT_EQ(e->Edit()->text(), "new");
}

TEST(NativeControls, AClickFocusesAnEditInItsOwnPressHandlingBeforeOnMouseDown)
{
  TTestForm form;
  auto *first = new TProbe(form, "first");
  first->SetParent(form);
  first->SetBounds(0, 50, 50, 20);
  auto *e = new TNativeEdit(form);
  e->SetParent(form);
  form->Show();
  first->SetFocus();
  bool focusedInPress = false;
  e->OnMouseDown = [&](TObject *, TMouseButton, TShiftState, int, int) { focusedInPress = e->Focused(); };
  SimClick(e, 10, 5);
  // The edit's class takes the focus in its own button-down handling, which runs (as the
  // inherited handler) before OnMouseDown.
  EXPECT_TRUE(focusedInPress);
  EXPECT_TRUE(e->Focused());
  EXPECT_EQ(form->ActiveControl(), e);
  // An edit wants arrows and characters, so they are not dialog keys.
  EXPECT_EQ(e->Perform(WM_GETDLGCODE) & (DLGC_WANTARROWS | DLGC_WANTCHARS), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

}  // namespace
