#pragma once
// The CANopen process data objects: up to 30 receive PDOs, whose data bytes the gateway puts
// into its data array, and up to 30 transmit PDOs, whose bytes it takes from there; saved to
// "PDO_CANopen.xml", which the EDS writer reads. The two SDO forms are twins of this one and
// start from its description (TCANopen_Table_Form).
#include <functional>
#include <vector>

#include "tables/table_form.h"

class TZavColumnGrid;

// The columns of the two grids (real indexes).
namespace pdocols {
enum { cN, cCOB_ID, cDimension, cAdd_B1, cAdd_B8 = cAdd_B1 + 7 };
// Receive: TimeOut, Mnemonic; transmit: Send Time, On Change, Mnemonic.
constexpr int cTimeOut = 11, cRec_Mnemonic = 12, cRec_Count = 13;
constexpr int cSend_Time = 11, cOn_Change = 12, cTra_Mnemonic = 13, cTra_Count = 14;
}  // namespace pdocols

// What the three CANopen forms share where they depart from the other table forms: the OK and
// delete handlers' names (spelt with an underscore; the base form's buttons do the same work),
// the row removal under its own name, and (in the description) no Enable column, the header
// texts in the header row and the shown page's hints.
class TCANopen_Table_Form : public TTableForm {
public:
  void Btn_OK_Click(TObject *Sender);
  void Btn_DelRow_Click(TObject *Sender);
  // Removes row Num_Row of SGA: the rows below move up, the last row is emptied, column 0 stays.
  void Delete_Row(int Num_Row, TZavColumnGrid *SGA);

protected:
  TCANopen_Table_Form(TComponent *AOwner, TTableFormDesc ADesc);
  // The shape the CANopen forms share; each sets its own grids, texts and file on it.
  static TTableFormDesc CANopen_Description();
  // A grid as the CANopen forms have it: the key in column 1, no Enable column, the header
  // texts in the header row's cells, the hint of the shown page and none outside the header.
  static TGridDesc CANopen_Grid(TGridDesc G);
  // The address checks of a grid: address k (column First_Col + k - 1, message
  // First_Message + k - 1, the bound appended) only when k is at most the row's byte count as
  // Byte_Count reads it. An earlier check of the row has bounded the count.
  static std::vector<TRowCheck> Address_Checks(int First_Col, int Count, int First_Message,
                                               std::function<int(int ARow)> Byte_Count);
};

// The number of data bytes a row of the SDO twins moves: 1, 2 or 4 from its "N Byte" text, 0
// for anything else. Address k of the row is checked when k is at most this.
int SDO_Byte_Count(const QString &NByte);

class TFSet_PDO_Access : public TCANopen_Table_Form {
public:
  explicit TFSet_PDO_Access(TComponent *AOwner);

  bool Do_Copy_Receive_PDO() const { return Do_Copy(0); }
  bool Do_Copy_Transmit_PDO() const { return Do_Copy(1); }
  int PROFINET_NByte_IN() const { return Data_Size(0); }
  int PROFINET_NByte_OUT() const { return Data_Size(1); }
  TStringList *Hint_PDO_Receive() const { return Hint_List(0); }
  TStringList *Hint_PDO_Transmit() const { return Hint_List(1); }

  TTabSheet *TS_Receive_PDO = nullptr;
  TTabSheet *TS_Transmit_PDO = nullptr;
  TZavColumnGrid *sga = nullptr;
  TZavColumnGrid *sgb = nullptr;

private:
  static TTableFormDesc Description(TFSet_PDO_Access *Form);
  static TGridDesc Grid_Description(TFSet_PDO_Access *Form, bool Transmit);
};
