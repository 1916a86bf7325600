// The shared form pieces: the language walk over the application's forms and the bands.
#include "ui/bands.h"
#include "ui/form_base.h"

#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/testing/input.h"
#include "tests/support/test_support.h"
#include "ui/lbbutton.h"

#include <gtest/gtest.h>

#include <QColor>

namespace {

QStringList Calls;

class TTextForm : public TLangForm {
public:
  TTextForm(TComponent *AOwner, const QString &AName) : TLangForm(AOwner) { SetName(AName); }
  void Set_Lang() override { Calls << Name(); }
};

template <class T>
void Free(T *Form)
{
  Form->BeforeDestruction();
  delete Form;
}

TEST(LangForms, SetLangReachesEveryFormOfTheApplicationInCreationOrder)
{
  Calls.clear();
  auto *First = new TTextForm(Application, QStringLiteral("First"));
  auto *Plain = new TForm(Application);  // no language hook: skipped
  auto *Silent = new TLangForm(Application);  // the empty hook
  auto *Second = new TTextForm(Application, QStringLiteral("Second"));
  TTextForm Loose(nullptr, QStringLiteral("Loose"));  // not the application's
  Set_Lang_All_Forms();
  EXPECT_EQ(Calls, QStringList({"First", "Second"}));
  Free(Second);
  Free(Silent);
  Free(Plain);
  Free(First);
  Calls.clear();
  Set_Lang_All_Forms();
  EXPECT_TRUE(Calls.isEmpty());
}

TEST(Bands, TitleOnTopInTheFormColourButtonsAtTheBottomInTheFormsOwn)
{
  TForm Form(nullptr);
  Form.SetClientSize(300, 200);  // the form keeps the default face colour
  const TTitleBand T = Make_Title_Band(&Form);
  TPanel *P_Button = Make_Button_Band(&Form);
  Make_Dialog_Button(&Form, P_Button, QStringLiteral("Btn_OK"), 200, 7, 80);
  T.L_SW_Code->SetCaption(QStringLiteral("QC"));
  T.L_SW_Desc->SetCaption(QStringLiteral("Description"));
  Form.Show();
  SimProcess();

  EXPECT_EQ(T.P_Title->BoundsRect(), Rect(0, 0, 300, 69));
  EXPECT_EQ(P_Button->BoundsRect(), Rect(0, 160, 300, 200));
  EXPECT_EQ(T.L_SW_Code->Parent(), T.P_Title);
  EXPECT_EQ(T.L_SW_Desc->Top(), 42);
  const QImage Img = GrabControl(&Form);
  EXPECT_EQ(QColor(Img.pixel(290, 60)).rgb(), ColorToQColor(Form_Color).rgb()) << "title band";
  EXPECT_EQ(QColor(Img.pixel(5, 195)).rgb(), ColorToQColor(clBtnFace).rgb()) << "button band";
  EXPECT_EQ(QColor(Img.pixel(100, 100)).rgb(), ColorToQColor(clBtnFace).rgb()) << "form";
  Form.Hide();
}

}  // namespace
