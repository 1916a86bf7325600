#include "tables/table_data.h"

#include "framework/services/xmldoc.h"
#include "framework/system/sysutils.h"
#include "grid/core/zav_string_grid.h"
#include "project/table_rows.h"
#include "project/validators.h"
#include "ui/lang_text.h"


int Table_Int(const QString &Text) { return StrToIntDef(Text, -1); }

bool Row_Enabled(const TGridDesc &Desc, const QString &Enable)
{
  switch (Desc.Enable_Rule) {
  case TEnableRule::erTrimmed: return Trim(Enable) == QLatin1String("Y");
  case TEnableRule::erTrimmedUpper: return UpperCase(Trim(Enable)) == QLatin1String("Y");
  case TEnableRule::erUpper: return UpperCase(Enable) == QLatin1String("Y");
  }
  return false;
}

QString Table_Cell(TZavStringGrid *Grid, const TColumnDesc &Column, int Row)
{
  if (Column.Keeping == TCellKeeping::ckGridCheckBox) {
    bool State = false;
    if (Grid->GetCheckBoxState(Column.Col, Row, State))
      return State ? QStringLiteral("Y") : QStringLiteral("N");
  }
  return Grid->Cells(Column.Col, Row);
}

void Set_Table_Cell(TZavStringGrid *Grid, const TColumnDesc &Column, int Row, const QString &Value)
{
  if (Column.Keeping == TCellKeeping::ckGridCheckBox && Grid->SetCheckBoxState(Column.Col, Row, Value == QLatin1String("Y")))
    return;
  Grid->SetCells(Column.Col, Row, Value);
}

void Reset_Table_Grid(TZavStringGrid *Grid, const TGridDesc &Desc)
{
  Grid->BeginUpdate();
  // Only the rows the grid has: a table shown smaller than its description leaves nothing past it.
  for (int R = 1; R < Grid->RowCount(); ++R) {
    Grid->SetCells(0, R, QString::number(R));
    for (const TColumnDesc &C : Desc.Columns)
      if (C.Col > 0)
        Set_Table_Cell(Grid, C, R, C.Reset_Text);
  }
  Grid->EndUpdate();
}

namespace {

bool Key_Blank(TZavStringGrid *Grid, const TGridDesc &Desc, int Row)
{
  return Trim(Grid->Cells(Desc.Key_Col, Row)).isEmpty();
}

QString Section_Name(const TTableFormDesc &Desc, const TGridDesc &G)
{
  return QString::fromUtf8(G.Section ? G.Section : Desc.Root);
}

// The key column's description when the file holds it; nullptr otherwise.
const TColumnDesc *Key_Column(const TGridDesc &G)
{
  for (const TColumnDesc &C : G.Columns)
    if (C.Col == G.Key_Col)
      return C.Attribute && (C.Load == TLoadPolicy::lpRequired || C.Load == TLoadPolicy::lpDefault) ? &C : nullptr;
  return nullptr;
}

// True when the row's key would be blank in the grid: OK keeps only the rows above such a row.
bool Key_Blank_In_File(const TTableRow &Row, const TColumnDesc &Key)
{
  const char *V = Row.Utf8(Key.Attribute);
  if (!V)
    return Key.Load == TLoadPolicy::lpDefault && Trim(Key.Default).isEmpty();
  // Trim's blanks are the characters up to U+0020, single bytes in UTF-8.
  for (; *V; ++V)
    if (uint8_t(*V) > 0x20)
      return false;
  return true;
}

// Loads one grid's rows; false with Result's reason when the load ends early.
bool Load_Grid(const TTableFile &File, const TTableFormDesc &Desc, const TGridDesc &G, TZavStringGrid *Grid,
               TTableLoadResult &Result)
{
  const TTableSection Section = G.Section ? File.Section(G.Section) : File.Root_Rows();
  if (!Section.Exists()) {
    Result.Reason = QStringLiteral("The file \"%1\" has no section \"%2\".").arg(File.Path(), Section_Name(Desc, G));
    return false;
  }
  const TColumnDesc *Key = Key_Column(G);
  // The size chosen at this showing, which may be smaller than the one the file was saved with.
  const int Data_Rows = Grid->RowCount() - 1;
  int R = 1;
  for (const TTableRow Row : Section) {
    if (R > Data_Rows) {
      Result.Reason = QStringLiteral("The file \"%1\" holds more rows in \"%2\" than the table's %3.")
                          .arg(File.Path(), Section_Name(Desc, G))
                          .arg(Data_Rows);
      return false;
    }
    if (Key && Key_Blank_In_File(Row, *Key)) {
      Result.Reason = QStringLiteral("Row %1 of \"%2\" in the file \"%3\" has a blank \"%4\": OK keeps only the rows above it.")
                          .arg(R)
                          .arg(Section_Name(Desc, G), File.Path(), QString::fromUtf8(Key->Attribute));
      return false;
    }
    for (const TColumnDesc &C : G.Columns) {
      if (C.Load == TLoadPolicy::lpNotLoaded)
        continue;
      if (C.Load == TLoadPolicy::lpComputed || !C.Attribute) {
        if (C.Load == TLoadPolicy::lpComputed)
          Set_Table_Cell(Grid, C, R, C.Default);
        continue;
      }
      if (const char *V = Row.Utf8(C.Attribute)) {
        Set_Table_Cell(Grid, C, R, QString::fromUtf8(V));
        continue;
      }
      if (C.Load == TLoadPolicy::lpRequired) {
        Result.Reason = QStringLiteral("Row %1 of \"%2\" in the file \"%3\" has no attribute \"%4\".")
                            .arg(R)
                            .arg(Section_Name(Desc, G), File.Path(), QString::fromUtf8(C.Attribute));
        return false;
      }
      Set_Table_Cell(Grid, C, R, C.Default);
    }
    if (G.After_Row_Load)
      G.After_Row_Load(R, Row);
    ++Result.Rows;
    ++R;
  }
  return true;
}

}  // namespace

TTableLoadResult Load_Table_File(TXMLDocument &Doc, const QString &Path, const TTableFormDesc &Desc,
                                 const std::vector<TZavStringGrid *> &Grids)
{
  TTableLoadResult Result;
  for (TZavStringGrid *Grid : Grids)
    Grid->BeginUpdate();
  try {
    const TTableFile File(Doc, Path);
    if (!File.Has_Root()) {
      Result.Complete = false;
      Result.Reason = QStringLiteral("The file \"%1\" holds no table.").arg(Path);
    }
    for (size_t I = 0; Result.Complete && I < Desc.Grids.size(); ++I)
      Result.Complete = Load_Grid(File, Desc, Desc.Grids[I], Grids[I], Result);
  } catch (Exception &E) {
    Result.Complete = false;
    Result.Reason = E.Message();
  }
  for (TZavStringGrid *Grid : Grids)
    Grid->EndUpdate();
  // The rows are the grid's now; the document is not kept.
  Doc.Clear();
  return Result;
}

void Save_Table_File(const QString &Path, const TTableFormDesc &Desc, const std::vector<TZavStringGrid *> &Grids)
{
  TTableWriter File(Path, Desc.Root);
  for (size_t I = 0; I < Desc.Grids.size(); ++I) {
    const TGridDesc &G = Desc.Grids[I];
    TZavStringGrid *Grid = Grids[I];
    if (G.Section)
      File.Begin_Section(G.Section);
    for (int R = 1; R < Grid->RowCount(); ++R) {
      if (Key_Blank(Grid, G, R))
        break;
      File.Begin_Row();
      for (const TColumnDesc &C : G.Columns)
        if (C.Attribute)
          File.Cell(C.Attribute, Table_Cell(Grid, C, R));
      File.End_Row();
    }
    if (G.Section)
      File.End_Section();
  }
  File.Finish(Desc.Version);
}

bool Check_Table_Rows(const TTableFormDesc &Desc, const std::vector<TZavStringGrid *> &Grids,
                      const std::vector<int> &Data_Sizes, QString &Message)
{
  for (size_t I = 0; I < Desc.Grids.size(); ++I) {
    const TGridDesc &G = Desc.Grids[I];
    TZavStringGrid *Grid = Grids[I];
    const int Size = Data_Sizes[I];
    for (int R = 1; R < Grid->RowCount(); ++R) {
      if (Key_Blank(Grid, G, R))
        break;
      // Every row in use is saved, enabled or not: nothing the file cannot hold may stay.
      for (const TColumnDesc &C : G.Columns) {
        if (C.Attribute && XMLForbiddenCharIndex(Table_Cell(Grid, C, R)) >= 0) {
          Message = Lang_Text(Desc.Error_Row_Text) + QString::number(R) + Lang_Text(1106) + Lang_Text(C.Header_Text) +
                    Lang_Text(1107);
          return false;
        }
      }
      if (G.Enable_Col >= 0 && !Row_Enabled(G, Grid->Cells(G.Enable_Col, R)))
        continue;
      for (const TRowCheck &K : G.Checks) {
        if (Grid->IsHiddenColumn(K.Shown_Col >= 0 ? K.Shown_Col : K.Col))
          continue;
        if (K.Guard && !K.Guard(R))
          continue;
        const QString Text = Grid->Cells(K.Col, R);
        bool Fails = false;
        switch (K.Kind) {
        case TCheckKind::ckRange: {
          const int N = Table_Int(Text);
          Fails = N < K.Min || N > K.Max;
          break;
        }
        case TCheckKind::ckBelowSize: {
          const int N = Table_Int(Text);
          Fails = N < 0 || N >= Size;
          break;
        }
        case TCheckKind::ckNotBlank: Fails = Trim(Text).isEmpty(); break;
        case TCheckKind::ckIPAddress: {
          uint8_t O1 = 0, O2 = 0, O3 = 0, O4 = 0;
          Fails = Error_In_IP_Address(Text, O1, O2, O3, O4);
          break;
        }
        case TCheckKind::ckCustom: Fails = K.Fails && K.Fails(R); break;
        }
        if (Fails) {
          Message = Lang_Text(Desc.Error_Row_Text) + QString::number(R) + Lang_Text(K.Message);
          if (K.Bound_Suffix)
            Message += QString::number(Size - 1);
          if (K.Suffix_Text)
            Message += Lang_Text(K.Suffix_Text);
          return false;
        }
      }
    }
  }
  return true;
}
