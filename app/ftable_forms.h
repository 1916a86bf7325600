#pragma once
// PLACEHOLDERS, each to be replaced by its access-table form: empty modal forms with the
// class names and the text operation that start-up and the language switch use.
#include "ui/form_base.h"

// What the placeholders share: an empty, centred, fixed-size modal form.
class TTable_Form_Placeholder : public TLangForm {
public:
  TTable_Form_Placeholder(TComponent *AOwner, const QString &AName);
};

// The S7 access form is built (tables/).
#include "tables/fs7_protocol_set_access.h"

class TFKNXAccess : public TTable_Form_Placeholder {
public:
  explicit TFKNXAccess(TComponent *AOwner);
  void FormCreate(TObject *Sender);
  void Set_Lang() override;
};

class TFIEC61850_Variables : public TTable_Form_Placeholder {
public:
  explicit TFIEC61850_Variables(TComponent *AOwner);
  void FormCreate(TObject *Sender);
  void Set_Lang() override;
};

// The TLS known-certificate form is built (tables/).
#include "tables/ftls_server_known_cert.h"

class TFReceiveCAN : public TTable_Form_Placeholder {
public:
  explicit TFReceiveCAN(TComponent *AOwner);
  void FormCreate(TObject *Sender);
  void Set_Lang() override;
};

class TFTransmitCAN : public TTable_Form_Placeholder {
public:
  explicit TFTransmitCAN(TComponent *AOwner);
  void FormCreate(TObject *Sender);
  void Set_Lang() override;
};

class TFSet_PDO_Access : public TTable_Form_Placeholder {
public:
  explicit TFSet_PDO_Access(TComponent *AOwner);
  void FormCreate(TObject *Sender);
  void Set_Lang() override;
};

class TFSet_SDO_Client_Access : public TTable_Form_Placeholder {
public:
  explicit TFSet_SDO_Client_Access(TComponent *AOwner);
  void FormCreate(TObject *Sender);
  void Set_Lang() override;
};

class TFSet_SDO_Server_Access : public TTable_Form_Placeholder {
public:
  explicit TFSet_SDO_Server_Access(TComponent *AOwner);
  void FormCreate(TObject *Sender);
  void Set_Lang() override;
};

class TFSNMP_Trap_Access : public TTable_Form_Placeholder {
public:
  explicit TFSNMP_Trap_Access(TComponent *AOwner);
  void FormCreate(TObject *Sender);
  void Set_Lang() override;
};

// The MQTT topic form and its template editor are built (tables/).
#include "tables/fmqtt_set_topic.h"
#include "tables/ftopic_template.h"

class TFBACnet_Eng_Unit : public TTable_Form_Placeholder {
public:
  explicit TFBACnet_Eng_Unit(TComponent *AOwner);
  void FormCreate(TObject *Sender);
  void Set_Lang() override;
};

class TFBACnetSlaveSetAccess : public TTable_Form_Placeholder {
public:
  explicit TFBACnetSlaveSetAccess(TComponent *AOwner);
  void FormCreate(TObject *Sender);
  void Set_Lang() override;
};

// The OPC UA server variable form is built (tables/).
#include "tables/fopc_ua_server_access.h"
