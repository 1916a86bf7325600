#include "ui/form_base.h"

void Set_Lang_All_Forms()
{
  for (int I = 0; I < Application->ComponentCount(); ++I)
    if (auto *Form = dynamic_cast<TLangForm *>(Application->Components(I))) Form->Set_Lang();
}
