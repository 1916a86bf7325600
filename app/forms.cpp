#include "app/forms.h"

#include "app/fabout.h"
#include "app/fboot.h"
#include "app/fmain.h"
#include "app/fpargen.h"
#include "app/fproject_dialogs.h"
#include "app/fsoftoptions.h"
#include "app/ftable_forms.h"
#include "framework/controls/forms.h"

TFQuillomarkeFirmWare *FQuillomarkeFirmWare = nullptr;
TFAbout *FAbout = nullptr;
TFNew_Project *FNew_Project = nullptr;
TFOpenConf *FOpenConf = nullptr;
TFSoftOptions *FSoftOptions = nullptr;
TFParGen *FParGen = nullptr;
TFBoot *FBoot = nullptr;
TFS7_Protocol_Set_Access *FS7_Protocol_Set_Access = nullptr;
TFKNXAccess *FKNXAccess = nullptr;
TFIEC61850_Variables *FIEC61850_Variables = nullptr;
TFTLS_Server_Known_Cert *FTLS_Server_Known_Cert = nullptr;
TFReceiveCAN *FReceiveCAN = nullptr;
TFTransmitCAN *FTransmitCAN = nullptr;
TFSet_PDO_Access *FSet_PDO_Access = nullptr;
TFSet_SDO_Client_Access *FSet_SDO_Client_Access = nullptr;
TFSet_SDO_Server_Access *FSet_SDO_Server_Access = nullptr;
TFSNMP_Trap_Access *FSNMP_Trap_Access = nullptr;
TFMQTT_Set_Topic *FMQTT_Set_Topic = nullptr;
TFBACnetSlaveSetAccess *FBACnetSlaveSetAccess = nullptr;
TFOPC_UA_Server_Access *FOPC_UA_Server_Access = nullptr;

void Create_Forms()
{
  Application->CreateForm(FQuillomarkeFirmWare);
  Application->CreateForm(FAbout);
  Application->CreateForm(FNew_Project);
  Application->CreateForm(FOpenConf);
  Application->CreateForm(FSoftOptions);
  Application->CreateForm(FParGen);
  Application->CreateForm(FBoot);
  Application->CreateForm(FS7_Protocol_Set_Access);
  Application->CreateForm(FKNXAccess);
  Application->CreateForm(FIEC61850_Variables);
  Application->CreateForm(FTLS_Server_Known_Cert);
  Application->CreateForm(FReceiveCAN);
  Application->CreateForm(FTransmitCAN);
  Application->CreateForm(FSet_PDO_Access);
  Application->CreateForm(FSet_SDO_Client_Access);
  Application->CreateForm(FSet_SDO_Server_Access);
  Application->CreateForm(FSNMP_Trap_Access);
  Application->CreateForm(FMQTT_Set_Topic);
  Application->CreateForm(FTopicTemplate);
  Application->CreateForm(FBACnet_Eng_Unit);
  Application->CreateForm(FBACnetSlaveSetAccess);
  Application->CreateForm(FOPC_UA_Server_Access);
}

namespace {

template <class T>
void Free_Form(T *&Form)
{
  if (!Form) return;
  T *F = Form;
  Form = nullptr;
  F->BeforeDestruction();
  delete F;
}

}  // namespace

void Destroy_Forms()
{
  Free_Form(FOPC_UA_Server_Access);
  Free_Form(FBACnetSlaveSetAccess);
  Free_Form(FBACnet_Eng_Unit);
  Free_Form(FTopicTemplate);
  Free_Form(FMQTT_Set_Topic);
  Free_Form(FSNMP_Trap_Access);
  Free_Form(FSet_SDO_Server_Access);
  Free_Form(FSet_SDO_Client_Access);
  Free_Form(FSet_PDO_Access);
  Free_Form(FTransmitCAN);
  Free_Form(FReceiveCAN);
  Free_Form(FTLS_Server_Known_Cert);
  Free_Form(FIEC61850_Variables);
  Free_Form(FKNXAccess);
  Free_Form(FS7_Protocol_Set_Access);
  Free_Form(FBoot);
  Free_Form(FParGen);
  Free_Form(FSoftOptions);
  Free_Form(FOpenConf);
  Free_Form(FNew_Project);
  Free_Form(FAbout);
  Free_Form(FQuillomarkeFirmWare);
}
