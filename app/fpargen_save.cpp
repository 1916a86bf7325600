// TFParGen: checking the fields and writing "ParGen.xml" on OK.
#include "app/fpargen.h"

#include "ui/lbbutton.h"
#include "framework/dialogs/dialogs.h"
#include "framework/stdctrls/comctrls.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "project/app_state.h"

QStringList TFParGen::Get_Values() const
{
  const std::vector<TControl *> Controls = Value_Controls();
  QStringList Values;
  for (int i = 0; i < ParGen_Element_Count; ++i) {
    TControl *C = Controls[size_t(i)];
    switch (ParGen_Elements[i].Kind) {
    case pkText:
      Values << C->Text();
      break;
    case pkMultiLine:
      Values << ParGen_CRLF(C->Text());
      break;
    case pkCheck:
    case pkCheckInt:
      Values << (static_cast<TCheckBox *>(C)->Checked() ? QStringLiteral("1") : QStringLiteral("0"));
      break;
    case pkItemIndex:
      Values << QString::number(static_cast<TComboBox *>(C)->ItemIndex());
      break;
    }
  }
  return Values;
}

bool TFParGen::Controllo_Dati()
{
  const int Error = ParGen_Check(Get_Values());
  if (Error == 0)
    return true;
  const QStringList &T = AppState().Lang_Texts;
  MessageDlg(Error < T.size() ? T[Error] : QString(), mtError, TMsgDlgButtons{mbOK}, 0);
  return false;
}

void TFParGen::Btn_OKClick(TObject *Sender)
{
  if (FLoadFailed)
    return;
  if (!Controllo_Dati())
    return;
  Write_ParGen(XML1, Get_Values());
  XML1->SaveToFile(AppState().File_ParGen);
  SetModalResult(mrOk);
}
