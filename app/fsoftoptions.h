#pragma once
// PLACEHOLDER, to be replaced by the software options dialog: an empty modal form with the
// operations the main window calls.
#include "framework/controls/forms.h"

class TFSoftOptions : public TForm {
public:
  explicit TFSoftOptions(TComponent *AOwner);

  void FormCreate(TObject *Sender);
  void Set_Lang();
  // True when the maker's server names a newer version of the program.
  // PLACEHOLDER: never asks and answers false.
  bool Check_Version();
};
