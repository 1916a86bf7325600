// How the shell's windows look and sit: the buttons' colours at rest, under the mouse and
// pressed, on every form that has buttons; no button reacting to Esc or Enter by itself; the
// main window's layout edges; centred placement.
#include "app/fabout.h"
#include "app/fboot.h"
#include "app/fpargen.h"
#include "app/fproject_dialogs.h"
#include "app/fsoftoptions.h"
#include "tests/app/shell_test_support.h"

#include <QImage>

namespace {

using namespace shelltest;

class ShellLooks : public ShellTest {};

// The face colour where neither caption, glyph nor bevel is drawn.
TColor Face_At(TLbButton *B)
{
  const QImage I = GrabControl(B);
  const QRgb P = I.pixel(B->Width() - 4, 3);
  return RGB(qRed(P), qGreen(P), qBlue(P));
}

// Rest, hover and press as the user makes them; the press is released on the button, so
// it clicks.
void Expect_Button_States(TLbButton *B, const QString &Picture)
{
  SCOPED_TRACE(B->Name().toStdString());
  TCustomForm *Form = GetParentForm(B);
  ASSERT_NE(Form, nullptr);
  SimMouseMove(Form, 1, Form->ClientHeight() - 1);
  SimProcess();
  EXPECT_EQ(ColorToString(Face_At(B)), ColorToString(0xEDF7F8)) << "at rest";
  SimMouseMove(B, B->Width() / 2, B->Height() / 2);
  SimProcess();
  EXPECT_EQ(ColorToString(Face_At(B)), ColorToString(clYellow)) << "under the mouse";
  EXPECT_TRUE(GrabToPng(Form, testsupport::OutputDir() + "/shell_button_hot_" + Picture + ".png"));
  SimMouseDown(B, B->Width() / 2, B->Height() / 2);
  SimProcess();
  EXPECT_EQ(ColorToString(Face_At(B)), ColorToString(0x0080FF)) << "pressed";
  EXPECT_TRUE(GrabToPng(B, testsupport::OutputDir() + "/shell_button_down_" + Picture + ".png"));
  SimMouseUp(B, B->Width() / 2, B->Height() / 2);
  SimProcess();
}

TEST_F(ShellLooks, ButtonsTintUnderTheMouseAndWhilePressed)
{
  Make_Project("Plant1");
  Write_Settings(Settings_Xml("Plant1"));
  Start();
  TFQuillomarkeFirmWare *M = FQuillomarkeFirmWare;
  FBoot->Form_Type = 1;
  // Each press ends in a click; the forms those open are closed by the script.
  Expect_Button_States(M->Btn_New, "main_step");
  Expect_Button_States(M->Btn_Info, "main_glyph");

  struct TCase {
    TCustomForm *Form;
    TLbButton *Button;
    const char *Picture;
  };
  const TCase Cases[] = {
      {FNew_Project, FNew_Project->Btn_Cancel, "new_project"},
      {FOpenConf, FOpenConf->Btn_Cancel, "open_project"},
      {FSoftOptions, FSoftOptions->Btn_Cancel, "options"},
      {FAbout, FAbout->LbButton1, "about"},
      {FBoot, FBoot->Btn_Cancel, "update"},
      {FParGen, FParGen->Btn_Cancel, "settings"},
  };
  for (const TCase &C : Cases) {
    bool Checked = false;
    Modal_Actions[C.Form->Name()] = [&](TCustomForm *) {
      Expect_Button_States(C.Button, QString::fromLatin1(C.Picture));
      Checked = true;
    };
    EXPECT_EQ(C.Form->ShowModal(), C.Button->ModalResult()) << C.Picture;
    EXPECT_TRUE(Checked) << C.Picture;
  }
}

// Every button of every form, as the program's forms set them.
TEST_F(ShellLooks, EveryButtonHasTheProgramsLookAndNoDialogKey)
{
  Start();
  const QStringList Normal_Style = {"Btn_Prm_Gen", "Btn_Info", "Btn_Opz", "Btn_Close"};
  int Buttons = 0;
  for (int F = 0; F < Screen->FormCount(); ++F) {
    TCustomForm *Form = Screen->Forms(F);
    for (int I = 0; I < Form->ComponentCount(); ++I) {
      auto *B = dynamic_cast<TLbButton *>(Form->Components(I));
      if (!B) continue;
      ++Buttons;
      SCOPED_TRACE((Form->Name() + "." + B->Name()).toStdString());
      EXPECT_EQ(B->Color(), TColor(0xEDF7F8));
      EXPECT_EQ(B->LightColor(), clGray);
      EXPECT_EQ(B->ShadowColor(), clGray);
      EXPECT_EQ(B->HotTrackColor(), clYellow);
      EXPECT_EQ(B->ColorWhenDown(), TColor(0x0080FF));
      EXPECT_FALSE(B->Flat());
      EXPECT_FALSE(B->UseHotTrackFont());
      EXPECT_EQ(B->Style(), Normal_Style.contains(B->Name()) ? bsNormal : bsEncarta);
      EXPECT_FALSE(B->Default());
      EXPECT_FALSE(B->Cancel());
    }
  }
  EXPECT_GT(Buttons, 0);
}

// Esc is no dialog key of the program's forms: the dialogs stay open until a button or the
// window's close box ends them.
TEST_F(ShellLooks, EscClosesNoDialog)
{
  Make_Project("Plant1");
  Write_Settings(Settings_Xml("Plant1"));
  Start();
  FBoot->Form_Type = 1;
  // Esc from a box, not from a button (a focused button keeps its keys).
  const std::pair<TCustomForm *, TWinControl *> Cases[] = {{FSoftOptions, FSoftOptions->PC_Options},
                                                           {FBoot, FBoot->E_IP1},
                                                           {FNew_Project, FNew_Project->E_New_Proj},
                                                           {FOpenConf, FOpenConf->ListBox1}};
  for (const auto &[Form, Box] : Cases) {
    SCOPED_TRACE(Form->Name().toStdString());
    bool Open_After_Esc = false;
    Modal_Actions[Form->Name()] = [&, Box = Box](TCustomForm *F) {
      F->SetActiveControl(Box);
      Press_Key(Box, VK_ESCAPE);
      Open_After_Esc = F->ModalResult() == mrNone && F->Visible();
      F->SetModalResult(mrCancel);
    };
    Form->ShowModal();
    EXPECT_TRUE(Open_After_Esc);
  }
}

// The maker's address beside step 5 ends inside the window, at the separator's end at the
// latest, with its underline whole.
TEST_F(ShellLooks, MakersAddressFitsInsideTheMainWindow)
{
  Start();
  TFQuillomarkeFirmWare *M = FQuillomarkeFirmWare;
  TLabel *L = M->L_Velmora;
  EXPECT_EQ(L->Top(), M->L_Step_5->Top());
  const int Line_End = M->Shape1->Left() + M->Shape1->Width();
  EXPECT_LE(L->Left() + L->Width(), Line_End);
  const QImage I = GrabControl(M);
  ASSERT_TRUE(I.save(testsupport::OutputDir() + "/shell_main_window_address.png"));
  int Rightmost_Blue = -1;
  for (int Y = L->Top(); Y < L->Top() + L->Height(); ++Y)
    for (int X = 0; X < I.width(); ++X)
      if (I.pixel(X, Y) == qRgb(0, 0, 255)) Rightmost_Blue = std::max(Rightmost_Blue, X);
  EXPECT_GT(Rightmost_Blue, L->Left());
  EXPECT_LT(Rightmost_Blue, Line_End);
}

}  // namespace
