#pragma once
// The program's 22 forms, created once at start-up in a fixed order and kept until the end.
// The main window comes first: its creation builds the text table that the other forms'
// creation reads.
class TFQuillomarkeFirmWare;
class TFAbout;
class TFNew_Project;
class TFOpenConf;
class TFSoftOptions;
class TFParGen;
class TFBoot;
class TFS7_Protocol_Set_Access;
class TFKNXAccess;
class TFIEC61850_Variables;
class TFTLS_Server_Known_Cert;
class TFReceiveCAN;
class TFTransmitCAN;
class TFSet_PDO_Access;
class TFSet_SDO_Client_Access;
class TFSet_SDO_Server_Access;
class TFSNMP_Trap_Access;
class TFMQTT_Set_Topic;
class TFTopicTemplate;
class TFBACnet_Eng_Unit;
class TFBACnetSlaveSetAccess;
class TFOPC_UA_Server_Access;

extern TFQuillomarkeFirmWare *FQuillomarkeFirmWare;
extern TFAbout *FAbout;
extern TFNew_Project *FNew_Project;
extern TFOpenConf *FOpenConf;
extern TFSoftOptions *FSoftOptions;
extern TFParGen *FParGen;
extern TFBoot *FBoot;
extern TFS7_Protocol_Set_Access *FS7_Protocol_Set_Access;
extern TFKNXAccess *FKNXAccess;
extern TFIEC61850_Variables *FIEC61850_Variables;
extern TFTLS_Server_Known_Cert *FTLS_Server_Known_Cert;
extern TFReceiveCAN *FReceiveCAN;
extern TFTransmitCAN *FTransmitCAN;
extern TFSet_PDO_Access *FSet_PDO_Access;
extern TFSet_SDO_Client_Access *FSet_SDO_Client_Access;
extern TFSet_SDO_Server_Access *FSet_SDO_Server_Access;
extern TFSNMP_Trap_Access *FSNMP_Trap_Access;
extern TFMQTT_Set_Topic *FMQTT_Set_Topic;
extern TFTopicTemplate *FTopicTemplate;  // defined with its form in tables/
extern TFBACnet_Eng_Unit *FBACnet_Eng_Unit;  // defined with its form in tables/
extern TFBACnetSlaveSetAccess *FBACnetSlaveSetAccess;
extern TFOPC_UA_Server_Access *FOPC_UA_Server_Access;

// Creates the 22 forms through the application, in the program's order.
void Create_Forms();
// Frees the forms, newest first, and clears the instance variables (tests, and the end of
// the program).
void Destroy_Forms();
