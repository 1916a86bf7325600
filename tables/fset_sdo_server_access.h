#pragma once
// The object dictionary entries the gateway offers as a CANopen SDO server: up to 500 that
// other devices read and 500 they write, each an index 0x2000 to 0x5FFF and sub-index moving 1,
// 2 or 4 bytes of the gateway's data array; saved to "SDO_Server_CANopen.xml", which the EDS
// writer reads. A twin of the PDO form.
#include "tables/fset_pdo_access.h"

// The columns of both grids (real indexes).
namespace sdoservercols {
enum { cN, cIndex, cSubIndex, cNByte, cAdd_Byte1, cAdd_Byte4 = cAdd_Byte1 + 3, cMnemonic, cCount };
}  // namespace sdoservercols

class TFSet_SDO_Server_Access : public TCANopen_Table_Form {
public:
  explicit TFSet_SDO_Server_Access(TComponent *AOwner);

  bool Do_Copy_SDO_Read() const { return Do_Copy(0); }
  bool Do_Copy_SDO_Write() const { return Do_Copy(1); }
  int PROFINET_NByte_IN() const { return Data_Size(0); }
  int PROFINET_NByte_OUT() const { return Data_Size(1); }
  // Named as in the client form.
  TStringList *Hint_SDO_Client_Read() const { return Hint_List(0); }
  TStringList *Hint_SDO_Client_Write() const { return Hint_List(1); }

  TTabSheet *TS_SDO_Read = nullptr;
  TTabSheet *TS_SDO_Write = nullptr;
  TZavColumnGrid *sga = nullptr;
  TZavColumnGrid *sgb = nullptr;

private:
  static TTableFormDesc Description(TFSet_SDO_Server_Access *Form);
  static TGridDesc Grid_Description(TFSet_SDO_Server_Access *Form, bool Write);
};
