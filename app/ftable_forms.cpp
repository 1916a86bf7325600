// PLACEHOLDERS of the access-table forms (see ftable_forms.h).
#include "app/ftable_forms.h"

TTable_Form_Placeholder::TTable_Form_Placeholder(TComponent *AOwner, const QString &AName) : TLangForm(AOwner)
{
  SetName(AName);
  SetBorderStyle(bsSingle);
  SetPosition(poScreenCenter);
  SetClientSize(640, 400);
}

TFTLS_Server_Known_Cert::TFTLS_Server_Known_Cert(TComponent *AOwner) : TTable_Form_Placeholder(AOwner, QStringLiteral("FTLS_Server_Known_Cert"))
{
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
}

void TFTLS_Server_Known_Cert::FormCreate(TObject *) { Set_Lang(); }

void TFTLS_Server_Known_Cert::Set_Lang() {}

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(TComponent *AOwner) : TTable_Form_Placeholder(AOwner, QStringLiteral("FOPC_UA_Server_Access"))
{
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
}

void TFOPC_UA_Server_Access::FormCreate(TObject *) { Set_Lang(); }

void TFOPC_UA_Server_Access::Set_Lang() {}
