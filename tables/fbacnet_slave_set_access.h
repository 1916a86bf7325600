#pragma once
// The BACnet slave access tables: the objects the gateway exposes as a BACnet slave, each with
// its object type, engineering unit and place in the internal data array of its direction
// (read: values the gateway serves, write: values it takes), saved to "BACnet_Slave.xml" for
// the EDE writer. The table size follows the project's BACnet setting for short descriptions.
#include <QString>
#include <QStringList>

#include <span>

#include "tables/table_form.h"

class TZavColumnGrid;

// The columns of both grids (real indexes).
namespace bacnetcols {
enum { cN, cData_Type, cEng_Unit, cPosition, cStart_Bit, cLength, cSwap, cMnemonic, cCount };
}  // namespace bacnetcols

// Rows per table, and objects of both tables together, that the gateway serves: fewer when
// the project's objects carry descriptions of up to 32 characters.
constexpr int BACnet_Rows = 2000;
constexpr int BACnet_Short_Rows = 1000;

// The object types each table offers, in list order.
const QStringList &BACnet_Data_Types(bool Write);

// The byte count a type's Length must lie in, and the message naming the type.
struct TBACnetLengthRule {
  const char *Data_Type;
  int Min;
  int Max;
  int Message;
};
std::span<const TBACnetLengthRule> BACnet_Length_Rules(bool Write);
// The rule of a type (compared exactly), nullptr when its Length is not checked.
const TBACnetLengthRule *BACnet_Length_Rule(bool Write, const QString &Data_Type);

// Binary objects take one bit at their Position and need a Start Bit.
bool BACnet_Is_Binary(bool Write, const QString &Data_Type);
// A Length cell's byte count: 0 for a text that is no integer.
int BACnet_Length(const QString &Text);
// The last byte a row takes: its Position for a binary type, else Position + Length - 1.
int BACnet_Last_Position(bool Write, const QString &Data_Type, const QString &Position, const QString &Length);
// The Length a Data Type choice in the write table fills in; empty for none.
QString BACnet_Length_For(const QString &Data_Type);

// The project's BACnet setting for short descriptions, from the settings file at Path: true
// when its element "BACnet_Desc_Chars_Limit" holds exactly "1". A missing file or element is
// false without an error; a file that cannot be read gives false and the reason in Error.
bool BACnet_Short_Descriptions(TXMLDocument &Doc, const QString &Path, QString &Error);

class TFBACnetSlaveSetAccess : public TTableForm {
public:
  explicit TFBACnetSlaveSetAccess(TComponent *AOwner);

  // The table size is decided from the project's settings at every showing, before the load.
  void Show_Sizes() override;
  // OK: the checks, then the file.
  void bitbtn1Click(TObject *Sender);
  void Btn_DelRow_Click(TObject *Sender);
  // A double-click on an Eng. Unit data cell opens the unit picker; then the header auto-size.
  void ACG_BACnet_in_ReadDblClickCell(TObject *Sender, int ARow, int ACol);
  void ACG_BACnet_in_WriteDblClickCell(TObject *Sender, int ARow, int ACol);
  void DblClickCell(TObject *Sender, int ARow, int ACol) override;
  // A Data Type chosen in the write table fills in its Length.
  void ACG_BACnet_in_WriteComboChange(TObject *Sender, int ACol, int ARow, int AItemIndex, const QString &ASelection);

  // Data rows per table, and objects allowed over both tables, for this showing.
  int Table_Rows() const { return Desc_Lenght ? BACnet_Short_Rows : BACnet_Rows; }
  bool Do_Copy_Read() const { return Do_Copy(0); }
  bool Do_Copy_Write() const { return Do_Copy(1); }
  int NByte_IN() const { return Data_Size(0); }
  int NByte_OUT() const { return Data_Size(1); }

  bool Desc_Lenght = false;
  TTabSheet *TS_BACnet_in_Read = nullptr;
  TTabSheet *TS_BACnet_in_Write = nullptr;
  TZavColumnGrid *ACG_BACnet_in_Read = nullptr;
  TZavColumnGrid *ACG_BACnet_in_Write = nullptr;

private:
  static TTableFormDesc Description(TFBACnetSlaveSetAccess *Form);
  static TGridDesc Grid_Description(TFBACnetSlaveSetAccess *Form, bool Write);
  void Eng_Unit_Picker(TZavColumnGrid *Grid, int ARow, int ACol);
};
