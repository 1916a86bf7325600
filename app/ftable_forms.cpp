// PLACEHOLDERS of the access-table forms (see ftable_forms.h).
#include "app/ftable_forms.h"

TTable_Form_Placeholder::TTable_Form_Placeholder(TComponent *AOwner, const QString &AName) : TLangForm(AOwner)
{
  SetName(AName);
  SetBorderStyle(bsSingle);
  SetPosition(poScreenCenter);
  SetClientSize(640, 400);
}
