#pragma once
// The CANopen SDO client requests: up to 256 reads and 256 writes of other devices' object
// dictionary entries, each moving 1, 2 or 4 bytes between the entry and the gateway's data
// array; saved to "SDO_Client_CANopen.xml", which only this form reads. A twin of the PDO form.
#include "tables/fset_pdo_access.h"

// The columns of the two grids (real indexes).
namespace sdoclientcols {
enum { cN, cDevice_ID, cIndex, cSubIndex, cNByte, cPoll_Time };
// Read: the four addresses, Mnemonic; write: On Change first.
constexpr int cRead_Add_Byte1 = 6, cRead_Mnemonic = 10, cRead_Count = 11;
constexpr int cOn_Change = 6, cWrite_Add_Byte1 = 7, cWrite_Mnemonic = 11, cWrite_Count = 12;
}  // namespace sdoclientcols

class TFSet_SDO_Client_Access : public TCANopen_Table_Form {
public:
  explicit TFSet_SDO_Client_Access(TComponent *AOwner);

  bool Do_Copy_SDO_Read() const { return Do_Copy(0); }
  bool Do_Copy_SDO_Write() const { return Do_Copy(1); }
  int PROFINET_NByte_IN() const { return Data_Size(0); }
  int PROFINET_NByte_OUT() const { return Data_Size(1); }
  TStringList *Hint_SDO_Client_Read() const { return Hint_List(0); }
  TStringList *Hint_SDO_Client_Write() const { return Hint_List(1); }

  TTabSheet *TS_SDO_Read = nullptr;
  TTabSheet *TS_SDO_Write = nullptr;
  TZavColumnGrid *sga = nullptr;
  TZavColumnGrid *sgb = nullptr;

private:
  static TTableFormDesc Description(TFSet_SDO_Client_Access *Form);
  static TGridDesc Grid_Description(TFSet_SDO_Client_Access *Form, bool Write);
};
