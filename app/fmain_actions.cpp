// The main window's project commands and side-file exports.
#include "app/fmain.h"

#include "app/forms.h"
#include "app/fproject_dialogs.h"
#include "project/app_state.h"
#include "project/side_files.h"
#include "ui/lang_text.h"

#include <memory>

void TFQuillomarkeFirmWare::Create_New_Project()
{
  if (FNew_Project->ShowModal() == mrOk) Show_Project_Indicator();
}

void TFQuillomarkeFirmWare::Open_Project()
{
  if (FOpenConf->ShowModal() != mrOk) return;
  TAppState &S = AppState();
  S.Project_Name = FOpenConf->Name_Conf;
  if (!S.Project_Name.isEmpty())
    S.Project_Dir = S.Projects_Dir + QLatin1Char('/') + S.Project_Name;
  else
    S.Project_Dir.clear();
  Show_Project_Indicator();
  Set_Files();
}

TSideFileUI TFQuillomarkeFirmWare::Side_File_UI()
{
  TSideFileUI UI;
  UI.Execute_Save = [this](TSideSaveDialog Dialog, const QString &InitialDir, QString &FileName) {
    std::unique_ptr<TSaveDialog> GSD_Dialog;
    TSaveDialog *D = nullptr;
    switch (Dialog) {
    case TSideSaveDialog::sdGSD:
      GSD_Dialog = std::make_unique<TSaveDialog>(nullptr);
      GSD_Dialog->SetFilter(QStringLiteral("Generic Station Description (*.gsd)|*.gsd"));
      D = GSD_Dialog.get();
      break;
    case TSideSaveDialog::sdEDS:
      D = SaveEDS;
      break;
    case TSideSaveDialog::sdMIB:
      D = SaveMIB;
      break;
    case TSideSaveDialog::sdEDE:
      D = SD1;
      break;
    }
    D->SetInitialDir(InitialDir);
    if (!D->Execute()) return false;
    FileName = D->FileName();
    return true;
  };
  UI.Show_Error = [](int TextNo) { MessageDlg(Lang_Text(TextNo), mtError, TMsgDlgButtons{mbOK}, 0); };
  UI.Ask_Yes = [](int TextNo, bool WithCancel) {
    return MessageDlg(Lang_Text(TextNo), mtConfirmation, WithCancel ? mbYesNoCancel : mbYesNo, 0) == mrYes;
  };
  return UI;
}

void TFQuillomarkeFirmWare::Build_EDS_File() { ::Build_EDS_File(Side_File_UI(), *XML1); }

void TFQuillomarkeFirmWare::BACnet_EDE_File() { ::BACnet_EDE_File(Side_File_UI(), *XML1); }
