#pragma once
// The SNMP access tables: the items of the gateway's internal data array that its SNMP agent
// offers for reading (and may send as traps) and those a manager may write, saved to
// "SNMP_Trap.xml". The MIB writer reads the same file: the enabled rows of each table, numbered
// 1, 2, ... in order, with their descriptions as object names; column N shows those numbers.
#include <QStringList>

#include "tables/table_form.h"

class TZavColumnGrid;

// The columns of the two grids (real indexes).
namespace snmpcols {
enum { cN, cEnable, cCommunity_Name, cType };
// The read grid goes on from Type with these; the write grid has no trap options and no IP Address.
enum { cOn_Change = 4, cOn_CMD, cOn_Timer, cTime, cRead_Position, cRead_Start_Bit, cRead_Num_Bits,
       cRead_Description, cIP_Address, cRead_Conversion, cRead_Mnemonic, cRead_Count };
enum { cWrite_Position = 4, cWrite_Start_Bit, cWrite_Num_Bits, cWrite_Description, cWrite_Conversion,
       cWrite_Mnemonic, cWrite_Count };
}  // namespace snmpcols

class TFSNMP_Trap_Access : public TTableForm {
public:
  explicit TFSNMP_Trap_Access(TComponent *AOwner);

  // True when Text is not a valid name: every character a digit or an ASCII letter, and with
  // Check_Type 1 the first one a lower-case letter. An empty text passes.
  static bool Check_Error_CommName_Desc(const QString &str, int Check_Type);
  // The index of the second of the first two equal texts (case counted), -1 when all differ.
  static int First_Repeated(const QStringList &Texts);
  // Column N of one grid: the enabled rows numbered 1, 2, ... (as the MIB numbers its objects),
  // the others blank.
  void Index_Row_Build(TZavStringGrid *app_SGA);

  // The form opens on the page it was closed on.
  void Show_First_Page() override;
  // A toggle in column 1 renumbers the table that raised it.
  void ACG_SNMP_ReadCheckBoxClick(TObject *Sender, int ACol, int ARow, bool State);

  bool Do_Copy_In_Read() const { return Do_Copy(0); }
  bool Do_Copy_In_Write() const { return Do_Copy(1); }
  int NByte_IN() const { return Data_Size(0); }
  int NByte_OUT() const { return Data_Size(1); }
  TStringList *Hint_SNMP_Read() const { return Hint_List(0); }
  TStringList *Hint_SNMP_Write() const { return Hint_List(1); }
  // The descriptions of the enabled rows met by the last check, read rows first; compared
  // across both tables once every row passed.
  QStringList SL_Check_Desc;

  TTabSheet *TS_SNMP_Read = nullptr;
  TTabSheet *TS_SNMP_Write = nullptr;
  TZavColumnGrid *ACG_SNMP_Read = nullptr;
  TZavColumnGrid *ACG_SNMP_Write = nullptr;

private:
  static TTableFormDesc Description(TFSNMP_Trap_Access *Form);
  static TGridDesc Grid_Description(TFSNMP_Trap_Access *Form, bool Write);
};
