#pragma once
// What an access-table form is made of, as data: per column, per grid and per file. The base
// form (tables/table_form.h) builds its grids from it, resets, loads, saves and checks them
// with the generic routines; what is particular to a form stays in that form's file.
//
// Where a form departs from the common pattern in a way other forms share, the description says
// so in a field whose default is the common pattern. Left to the forms on purpose: the KNX dual
// address and APCI/bit-mode/length rules, the IEC 61850 factor, the OPC UA Length from the Type,
// the CAN and SDO byte checks by Dimension or N Byte, the SNMP description rules, and the BACnet
// table size from the project settings, object limit, length rules, Length pre-fill and picker:
// each is a custom check, a hook or an override of a show step in that form's file.
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "framework/graphics/graphics.h"
#include "framework/stdctrls/stdctrls.h"
#include "grid/foundation/grid_enums.h"

struct TAppState;
class TTableRow;
class TZavStringGrid;

// How a cell keeps its value: as its text (every column of a column grid, check boxes as "Y"
// or "N"), or in a check box the grid holds (the plain string grids; saved as "Y" or "N").
enum class TCellKeeping { ckText, ckGridCheckBox };

// What loading a file row does with a column.
enum class TLoadPolicy {
  lpRequired,  // the attribute must be there: a row without it ends the load
  lpDefault,   // a missing attribute gives Default
  lpComputed,  // not read: every loaded row sets the cell to Default
  lpNotLoaded  // not read, and the cell keeps its reset value
};

// Drop-down items: the fixed texts, then the decimal range From..To (none when To < From),
// then, with Positions, "0" to data-array size - 1 refilled at every showing after the fixed
// texts (a "None" before the positions stays first).
struct TColumnItems {
  QStringList Fixed{};
  int From = 0;
  int To = -1;
  bool Positions = false;
};

struct TColumnDesc {
  int Col = 0;             // real column index; the descriptions list columns in this order
  int Header_Text = 0;     // text number of the header
  int Hint_Text = 0;       // text number of the header hint (0: none, column 0)
  TEditorType Editor = edNormal;
  TCellKeeping Keeping = TCellKeeping::ckText;
  TColumnItems Items{};
  const char *Attribute = nullptr;  // UTF-8 attribute name; nullptr: not saved
  TLoadPolicy Load = TLoadPolicy::lpRequired;
  QString Default{};     // load default or computed value
  QString Reset_Text{};  // what the reset of every showing writes
  bool Hidden = false;     // hidden at every showing
  int Edit_Length = 0;     // typing limit, 0 = none
  int Max_Size = 0;        // widest the user can drag the column, 0 = no limit
  int Width = 64;
  TColor Color = clWindow;
  TAlignment Alignment = taLeftJustify;
  bool Load_Only_Items = false;  // a loaded text that is not exactly one of Items.Fixed becomes Default
  // A choice in the column's drop-down (ARow, the item's index or -1, its text); empty: none.
  std::function<void(int ARow, int AItemIndex, const QString &ASelection)> On_Combo_Change{};
};

// Twin grids (a read and a write table, a publish and a subscribe table) share most of their
// columns. A form declares one base description holding every column of both twins, and for each
// twin a table of differences: the base columns it leaves out and the fields it changes.
struct TColumnDiff {
  int Col = 0;                     // the base column it concerns
  bool Absent = false;             // the twin has no such column
  std::optional<int> Header_Text{};  // unset: the base's
  std::optional<int> Hint_Text{};
  std::optional<int> Width{};
  std::optional<bool> Hidden{};
  std::optional<const char *> Attribute{};
  std::optional<TLoadPolicy> Load{};
  std::optional<QString> Default{};
  std::optional<QString> Reset_Text{};
  std::optional<TEditorType> Editor{};
  std::optional<TColumnItems> Items{};
  std::optional<TColor> Color{};
  std::optional<TAlignment> Alignment{};
  std::optional<int> Edit_Length{};
  std::optional<int> Max_Size{};
};

// The twin's columns: the base's in order, each changed as Diffs say, those absent left out, the
// Added columns put in at their Col (the twin's real index, in ascending order), and Col
// renumbered to the twin's real indexes. The base must list its columns as 0, 1, 2 ...; a
// difference naming a column the base does not have, or an added column past the end, raises
// Exception.
std::vector<TColumnDesc> Twin_Columns(const std::vector<TColumnDesc> &Base, std::span<const TColumnDiff> Diffs,
                                      std::span<const TColumnDesc> Added = {});

// One check of a row. A check is skipped when Guard says so or when its column is hidden;
// otherwise it fails as its kind says, and the message Message (plus, with Bound_Suffix, the
// data-array size - 1, or the number Suffix_Number gives, then the text Suffix_Text) follows
// "Error row " and the row number (Row_Message).
enum class TCheckKind {
  ckRange,     // the cell's integer (Table_Int) outside Min..Max
  ckBelowSize, // the cell's integer outside 0..data-array size - 1
  ckNotBlank,  // the trimmed cell is empty
  ckIPAddress, // Error_In_IP_Address of the untrimmed cell
  ckCustom     // Fails(row)
};

struct TRowCheck {
  TCheckKind Kind = TCheckKind::ckNotBlank;
  int Col = 0;
  int Shown_Col = -1;  // the column whose hiding skips the check; -1: Col
  int Message = 0;
  int Min = 0;
  int Max = 0;
  bool Bound_Suffix = false;
  std::function<bool(int ARow)> Guard;  // empty: always applies
  std::function<bool(int ARow)> Fails;  // ckCustom only
  std::function<int(int ARow)> Suffix_Number{};  // the number the message ends in, by row; wins over Bound_Suffix
  int Suffix_Text = 0;                            // text number after that number, 0: none
};

// A check over a whole form, run after every row of every grid passed (the descriptions that
// must differ, a limit on the rows of all tables together): its message stands alone, without
// "Error row " and a row number, followed by Suffix_Number when given.
struct TTableCheck {
  int Message = 0;
  std::function<bool()> Fails;
  std::function<int()> Suffix_Number{};
};

// The checks as the forms declare them.
inline TRowCheck Check_Range(int Col, int Min, int Max, int Message)
{
  TRowCheck K;
  K.Kind = TCheckKind::ckRange;
  K.Col = Col;
  K.Min = Min;
  K.Max = Max;
  K.Message = Message;
  return K;
}
inline TRowCheck Check_Not_Blank(int Col, int Message)
{
  TRowCheck K;
  K.Col = Col;
  K.Message = Message;
  return K;
}
inline TRowCheck Check_IP_Address(int Col, int Message)
{
  TRowCheck K = Check_Not_Blank(Col, Message);
  K.Kind = TCheckKind::ckIPAddress;
  return K;
}
// Position checks: the message ends in "between 0 and " and gets the bound appended.
inline TRowCheck Check_Position(int Col, int Message)
{
  TRowCheck K = Check_Not_Blank(Col, Message);
  K.Kind = TCheckKind::ckBelowSize;
  K.Bound_Suffix = true;
  return K;
}
inline TRowCheck Check_Custom(int Col, int Message, std::function<bool(int ARow)> Fails)
{
  TRowCheck K = Check_Not_Blank(Col, Message);
  K.Kind = TCheckKind::ckCustom;
  K.Fails = std::move(Fails);
  return K;
}

// Where Set_Lang writes the header texts: the column items' Header, or the header row's cells.
enum class THeaderPlace { hpColumnItems, hpHeaderCells };

// What the header hint of a cell is. In the header row, column c > 0 gets entry c - 1 of a hint
// list; the rules differ in c, in the list and in what every other cell gets.
enum class THintRule {
  hrRealColumnKeep,   // c the real column, the grid's list; other cells keep their hint
  hrRealColumnEmpty,  // c the real column, the grid's list; other cells get no hint
  hrDisplayEmpty,     // c the column as displayed, the grid's list; other cells get no hint
  hrActivePageEmpty,  // c as displayed, the list of the grid on the shown tab; other cells none
  hrNone              // the hint is left as it is everywhere
};

// The grid events the base form binds (a form may bind fewer: the grid then does what it does
// by itself).
struct TGridEvents {
  bool Click = true;      // a click in column 0 selects the row
  bool Dbl_Click = true;  // header double-click auto-size
  bool Key_Press = true;  // Enter to the next cell
  bool Hint = true;       // header hints
};

// How the Enable cell is read: a row is enabled when the text, so read, is "Y".
enum class TEnableTest { etTrimmed, etTrimmedUpper, etUpper };

// What the check walk and the save do at a row whose key is blank.
enum class TBlankKey {
  bkStop,  // the rows in use end there
  bkSkip   // the row is passed over and the walk goes on to the last row
};

// What column 0 shows: every row's number, or a running number of the enabled rows only (blank
// on the others), renumbered after the load, every row button and a click on an Enable box.
enum class TRowNumbers { rnAll, rnEnabled };

// The look of a grid beyond its columns.
struct TTableLook {
  int Row_Height = 0;              // data rows' height, 0: the grid's default
  int Header_Height = 0;           // header row's height, 0: the grid's default
  bool Center_Vertically = false;  // cell texts centred vertically
  bool Col_Sizing = true;          // the user may drag column borders
  bool Row_Sizing = false;         // the user may drag row borders
};

struct TGridDesc {
  QString Grid_Name{};               // "ACG_S7_Read"
  QString Sheet_Name{};              // "TS_S7_Read" (two-grid forms)
  int Sheet_Text = 0;                // tab caption
  const char *Section = nullptr;     // UTF-8 section element; nullptr: rows under the root
  int Data_Rows = 0;                 // fixed number of data rows
  int Key_Col = 1;                   // a row whose trimmed key cell is blank is not in use
  int Enable_Col = -1;               // rows whose cell here is not "Y" (by Enable_Test) are not checked
  bool Insert_Enabled = false;       // Insert Row writes "Y" into column 1
  bool Plain_String_Grid = false;    // a TZavStringGrid with grid-held check boxes
  std::vector<TColumnDesc> Columns{}; // column 0 included
  std::vector<TRowCheck> Checks{};   // in the order they run
  THeaderPlace Header_Place = THeaderPlace::hpColumnItems;  // where the header texts go
  THintRule Hint_Rule = THintRule::hrRealColumnKeep;        // which hint a cell shows
  bool Show_Hint = true;                                    // false: the grid never asks for hints
  TGridEvents Events{};                                     // the grid events bound
  TEnableTest Enable_Test = TEnableTest::etTrimmed;         // how the Enable cell is read
  TBlankKey Blank_Key = TBlankKey::bkStop;                  // the walk's and the save's rule at a blank key
  TRowNumbers Row_Numbers = TRowNumbers::rnAll;             // what column 0 shows
  TTableLook Look{};                                         // row heights, centring, sizing
  // Called after each file row is loaded whole into grid row ARow; empty: nothing more.
  std::function<void(int ARow, const TTableRow &Row)> After_Row_Load{};

  int Col_Count() const { return int(Columns.size()); }
};

struct TTableFormDesc {
  QString Form_Name{};        // "FS7_Protocol_Set_Access"
  int Client_Width = 0;
  int Client_Height = 337;
  QString TAppState::*File = nullptr;  // the table file's path in the application state
  const char *Root = nullptr;  // UTF-8 root element name
  QString Version{};          // "SW_VERSION = 1.003"
  int Caption_Text = 0;
  int Desc_Text = 0;
  int First_Button_Text = 0;   // six captions OK..Paste Row, then their six hints
  int Error_Row_Text = 0;      // "Error row "
  int Delete_Question_Text = 0;
  int Data_Array_Size = 1500;  // positions a "Position" cell may address
  std::vector<TGridDesc> Grids{};
  // msFormat: the row messages and the delete question are format texts taking the row number
  // (and the bound) for their "%d"s, instead of texts joined to them.
  enum TMessageStyle { msJoined, msFormat } Message_Style = msJoined;
  std::vector<TTableCheck> Table_Checks{};  // run after every row of every grid passed
  // Called before every check walk: what the checks gather over the rows (the connections
  // counted, the descriptions compared, the decimal separator read) starts there.
  std::function<void()> Before_Checks{};
};
