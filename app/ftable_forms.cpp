// PLACEHOLDERS of the access-table forms (see ftable_forms.h).
#include "app/ftable_forms.h"

TTable_Form_Placeholder::TTable_Form_Placeholder(TComponent *AOwner, const QString &AName) : TLangForm(AOwner)
{
  SetName(AName);
  SetBorderStyle(bsSingle);
  SetPosition(poScreenCenter);
  SetClientSize(640, 400);
}

TFKNXAccess::TFKNXAccess(TComponent *AOwner) : TTable_Form_Placeholder(AOwner, QStringLiteral("FKNXAccess"))
{
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
}

void TFKNXAccess::FormCreate(TObject *) { Set_Lang(); }

void TFKNXAccess::Set_Lang() {}

TFIEC61850_Variables::TFIEC61850_Variables(TComponent *AOwner) : TTable_Form_Placeholder(AOwner, QStringLiteral("FIEC61850_Variables"))
{
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
}

void TFIEC61850_Variables::FormCreate(TObject *) { Set_Lang(); }

void TFIEC61850_Variables::Set_Lang() {}

TFReceiveCAN::TFReceiveCAN(TComponent *AOwner) : TTable_Form_Placeholder(AOwner, QStringLiteral("FReceiveCAN"))
{
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
}

void TFReceiveCAN::FormCreate(TObject *) { Set_Lang(); }

void TFReceiveCAN::Set_Lang() {}

TFTransmitCAN::TFTransmitCAN(TComponent *AOwner) : TTable_Form_Placeholder(AOwner, QStringLiteral("FTransmitCAN"))
{
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
}

void TFTransmitCAN::FormCreate(TObject *) { Set_Lang(); }

void TFTransmitCAN::Set_Lang() {}

TFSet_PDO_Access::TFSet_PDO_Access(TComponent *AOwner) : TTable_Form_Placeholder(AOwner, QStringLiteral("FSet_PDO_Access"))
{
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
}

void TFSet_PDO_Access::FormCreate(TObject *) { Set_Lang(); }

void TFSet_PDO_Access::Set_Lang() {}

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(TComponent *AOwner) : TTable_Form_Placeholder(AOwner, QStringLiteral("FSet_SDO_Client_Access"))
{
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
}

void TFSet_SDO_Client_Access::FormCreate(TObject *) { Set_Lang(); }

void TFSet_SDO_Client_Access::Set_Lang() {}

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(TComponent *AOwner) : TTable_Form_Placeholder(AOwner, QStringLiteral("FSet_SDO_Server_Access"))
{
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
}

void TFSet_SDO_Server_Access::FormCreate(TObject *) { Set_Lang(); }

void TFSet_SDO_Server_Access::Set_Lang() {}

TFSNMP_Trap_Access::TFSNMP_Trap_Access(TComponent *AOwner) : TTable_Form_Placeholder(AOwner, QStringLiteral("FSNMP_Trap_Access"))
{
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
}

void TFSNMP_Trap_Access::FormCreate(TObject *) { Set_Lang(); }

void TFSNMP_Trap_Access::Set_Lang() {}

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(TComponent *AOwner) : TTable_Form_Placeholder(AOwner, QStringLiteral("FBACnet_Eng_Unit"))
{
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
}

void TFBACnet_Eng_Unit::FormCreate(TObject *) { Set_Lang(); }

void TFBACnet_Eng_Unit::Set_Lang() {}

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(TComponent *AOwner) : TTable_Form_Placeholder(AOwner, QStringLiteral("FBACnetSlaveSetAccess"))
{
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
}

void TFBACnetSlaveSetAccess::FormCreate(TObject *) { Set_Lang(); }

void TFBACnetSlaveSetAccess::Set_Lang() {}
