#pragma once
// The OPC UA server variables: the variables the gateway's OPC UA server offers, each tied to a
// place in the internal data array, saved to "OPC_UA_Server.xml" (read by this form alone). The
// grid is a plain string grid with check boxes of its own; Type and R/W are chosen from lists
// that the grid asks for, and a chosen Type fills in the Length.
#include <QString>

#include <memory>
#include <optional>

#include "tables/table_form.h"

class TStringList;

// The columns of the grid (real indexes).
namespace opcuacols {
enum { cN, cEnable, cType, cPosition, cLength, cName, cReadWrite, cMnemonic, cCount };
}  // namespace opcuacols

// The Length a type gives: its size in bytes, fixed (read-only) except for the string types,
// whose length is only proposed. No value for a text that is not one of the 13 type names
// (compared exactly) or is blank.
struct TOPC_UA_Type_Length {
  QString Length;
  bool Fixed = false;
};
std::optional<TOPC_UA_Type_Length> OPC_UA_Type_Length(const QString &Type);

class TFOPC_UA_Server_Access : public TTableForm {
public:
  explicit TFOPC_UA_Server_Access(TComponent *AOwner);
  ~TFOPC_UA_Server_Access() override;

  // Paste Row: the pasted Length stays as copied, and an empty R/W gets its default, also when
  // the paste was refused or declined.
  void Btn_PasteRowClick(TObject *Sender) override;
  // After the load and every row button: the Length read-only marks from the Types.
  void Rows_Changed(int Index) override;

  // Length (text and read-only mark) of row ARow from type T; an empty R/W becomes "Read/Write".
  // A text that is no type name changes neither the Length text nor its mark.
  void VarSetLength(const QString &T, int ACol, int ARow);
  // Every row's Length read-only mark from its Type, texts untouched. The marks belong to grid
  // positions, so they are set again whenever rows may have moved or been loaded.
  void Set_Length_Marks();

  TZavStringGrid *ZSG = nullptr;
  // The items of the Type and R/W drop-downs.
  std::unique_ptr<TStringList> VarType;
  std::unique_ptr<TStringList> RWType;

private:
  static TTableFormDesc Description(TFOPC_UA_Server_Access *Form);
};
