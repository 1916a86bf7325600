#pragma once
// PLACEHOLDERS, each to be replaced by its access-table form: empty modal forms with the
// class names and the text operation that start-up and the language switch use.
#include "ui/form_base.h"

// What the placeholders share: an empty, centred, fixed-size modal form.
class TTable_Form_Placeholder : public TLangForm {
public:
  TTable_Form_Placeholder(TComponent *AOwner, const QString &AName);
};

// The S7 access, KNX and IEC 61850 forms are built (tables/).
#include "tables/fs7_protocol_set_access.h"
#include "tables/fknx_access.h"
#include "tables/fiec61850_variables.h"

// The TLS known-certificate form is built (tables/).
#include "tables/ftls_server_known_cert.h"

// The CAN frame forms are built (tables/).
#include "tables/freceivecan.h"
#include "tables/ftransmitcan.h"

// The CANopen PDO, SDO client and SDO server forms are built (tables/).
#include "tables/fset_pdo_access.h"
#include "tables/fset_sdo_client_access.h"
#include "tables/fset_sdo_server_access.h"

// The SNMP form is built (tables/).
#include "tables/fsnmp_trap_access.h"

// The MQTT topic form and its template editor are built (tables/).
#include "tables/fmqtt_set_topic.h"
#include "tables/ftopic_template.h"

// The BACnet access form and its unit picker are built (tables/).
#include "tables/fbacnet_eng_unit.h"
#include "tables/fbacnet_slave_set_access.h"

// The OPC UA server variable form is built (tables/).
#include "tables/fopc_ua_server_access.h"
