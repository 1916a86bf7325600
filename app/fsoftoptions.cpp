// PLACEHOLDER of the software options dialog (see fsoftoptions.h).
#include "app/fsoftoptions.h"

TFSoftOptions::TFSoftOptions(TComponent *AOwner) : TForm(AOwner)
{
  SetName(QStringLiteral("FSoftOptions"));
  SetBorderStyle(bsSingle);
  SetPosition(poScreenCenter);
  SetClientSize(509, 373);
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
}

void TFSoftOptions::FormCreate(TObject *) { Set_Lang(); }

// PLACEHOLDER: the dialog's texts come with the dialog.
void TFSoftOptions::Set_Lang() {}

// PLACEHOLDER: the update check comes with the dialog.
bool TFSoftOptions::Check_Version() { return false; }
