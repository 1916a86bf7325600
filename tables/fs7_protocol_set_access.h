#pragma once
// The S7comm access tables: the areas the gateway polls from up to 10 PLCs into its internal
// data array (read table) and the data it writes to them (write table), saved to
// "S7_Protocol.xml" for the bank builder.
#include <cstdint>
#include <vector>

#include "tables/table_form.h"

class TZavColumnGrid;

// One PLC connection met while checking; all fields -1: free.
struct TIPPort {
  int IP1 = -1;
  int IP2 = -1;
  int IP3 = -1;
  int IP4 = -1;
  int Port = -1;
};

// The columns of the two grids (real indexes).
namespace s7cols {
enum { cN, cEnable, cPLC_Address, cPLC_Port, cPLC_Type, cRack, cSlot, cData_Type, cData_Identifier,
       cDB_Number, cPLC_Area, cPLC_Add, cPLC_Bit, cPoll_Time };
// The read grid goes on from Poll Time with these; the write grid has On Change and On CMD first.
constexpr int cRead_Position = 14, cRead_Start_Bit = 15, cRead_Swap = 16, cRead_Swap_Word = 17, cRead_Mnemonic = 18,
              cRead_Count = 19;
constexpr int cOn_Change = 14, cOn_CMD = 15, cWrite_Position = 16, cWrite_Start_Bit = 17, cWrite_Swap = 18,
              cWrite_Swap_Word = 19, cWrite_Mnemonic = 20, cWrite_Count = 21;
}  // namespace s7cols

// The connections the gateway keeps open at most.
constexpr int S7_Max_Connections = 10;

class TFS7_Protocol_Set_Access : public TTableForm {
public:
  explicit TFS7_Protocol_Set_Access(TComponent *AOwner);

  // Registers a PLC connection: the index of its entry (a free one is taken), -1 when all
  // entries hold other connections.
  int Check_IP_Port(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4, int p);

  bool Do_Copy_In_Read() const { return Do_Copy(0); }
  bool Do_Copy_In_Write() const { return Do_Copy(1); }
  int NByte_IN() const { return Data_Size(0); }
  int NByte_OUT() const { return Data_Size(1); }
  TStringList *Hint_S7_Set_Access_Read() const { return Hint_List(0); }
  TStringList *Hint_S7_Set_Access_Write() const { return Hint_List(1); }

  TTabSheet *TS_S7_Read = nullptr;
  TTabSheet *TS_S7_Write = nullptr;
  TZavColumnGrid *ACG_S7_Read = nullptr;
  TZavColumnGrid *ACG_S7_Write = nullptr;
  std::vector<TIPPort> array_ip_Port;

private:
  static TTableFormDesc Description(TFS7_Protocol_Set_Access *Form);
  static TGridDesc Grid_Description(TFS7_Protocol_Set_Access *Form, bool Write);
};
