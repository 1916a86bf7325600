#include "tables/table_data.h"

#include "framework/services/xmldoc.h"
#include "framework/system/sysutils.h"
#include "grid/core/zav_string_grid.h"
#include "project/table_rows.h"
#include "project/validators.h"
#include "ui/lang_text.h"


int Table_Int(const QString &Text) { return StrToIntDef(Text, -1); }

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
  // Only exactly "N" clears a grid-held box: a lower-case or empty value is checked.
  if (Column.Keeping == TCellKeeping::ckGridCheckBox && Grid->SetCheckBoxState(Column.Col, Row, Value != QLatin1String("N")))
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

// The last row the walk and the save reach: the row before the first blank key, or the grid's
// last row when blank keys are skipped.
int Last_Walked_Row(TZavStringGrid *Grid, const TGridDesc &Desc)
{
  if (Desc.Blank_Key == TBlankKey::bkSkip)
    return Grid->RowCount() - 1;
  for (int R = 1; R < Grid->RowCount(); ++R)
    if (Key_Blank(Grid, Desc, R))
      return R - 1;
  return Grid->RowCount() - 1;
}

bool Is_Item(const TColumnDesc &C, const QString &Text)
{
  for (const QString &S : C.Items.Fixed)
    if (S == Text)
      return true;
  return false;
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
  // A table skipping blank keys saves every row in use, so a blank key loses nothing.
  const TColumnDesc *Key = G.Blank_Key == TBlankKey::bkStop ? Key_Column(G) : nullptr;
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
        const QString Text = QString::fromUtf8(V);
        Set_Table_Cell(Grid, C, R, C.Load_Only_Items && !Is_Item(C, Text) ? C.Default : Text);
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
    const int Last = Last_Walked_Row(Grid, G);
    for (int R = 1; R <= Last; ++R) {
      if (Key_Blank(Grid, G, R))
        continue;
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

QString Row_Message(const TTableFormDesc &Desc, int Row, int Message, std::optional<int> Number, int Suffix_Text)
{
  if (Desc.Message_Style == TTableFormDesc::msFormat) {
    const QString Text = Lang_Text(Message);
    try {
      return Number ? Format(Text, Row, *Number) : Format(Text, Row);
    } catch (Exception &) {
      // A translated text whose placeholders do not fit still says what is wrong.
      return Text + QLatin1Char(' ') + QString::number(Row) + (Number ? QLatin1Char(' ') + QString::number(*Number) : QString());
    }
  }
  QString Text = Lang_Text(Desc.Error_Row_Text) + QString::number(Row) + Lang_Text(Message);
  if (Number)
    Text += QString::number(*Number);
  if (Suffix_Text)
    Text += Lang_Text(Suffix_Text);
  return Text;
}

QString Table_Message(const TTableCheck &Check)
{
  QString Text = Lang_Text(Check.Message);
  if (Check.Suffix_Number)
    Text += QString::number(Check.Suffix_Number());
  return Text;
}

QString Delete_Question(const TTableFormDesc &Desc, int Row)
{
  const QString Text = Lang_Text(Desc.Delete_Question_Text);
  if (Desc.Message_Style == TTableFormDesc::msFormat) {
    try {
      return Format(Text, Row);
    } catch (Exception &) {
    }
  }
  return Text + QString::number(Row);
}

bool Row_Enabled(TZavStringGrid *Grid, const TGridDesc &Desc, int Row)
{
  if (Desc.Enable_Col < 0)
    return true;
  QString Text = Grid->Cells(Desc.Enable_Col, Row);
  for (const TColumnDesc &C : Desc.Columns)
    if (C.Col == Desc.Enable_Col)
      Text = Table_Cell(Grid, C, Row);
  switch (Desc.Enable_Test) {
  case TEnableTest::etTrimmed: return Trim(Text) == QLatin1String("Y");
  case TEnableTest::etTrimmedUpper: return UpperCase(Trim(Text)) == QLatin1String("Y");
  case TEnableTest::etUpper: return UpperCase(Text) == QLatin1String("Y");
  }
  return false;
}

void Number_Rows(TZavStringGrid *Grid, const TGridDesc &Desc)
{
  Grid->BeginUpdate();
  int N = 0;
  for (int R = 1; R < Grid->RowCount(); ++R) {
    if (Desc.Row_Numbers == TRowNumbers::rnAll)
      Grid->SetCells(0, R, QString::number(R));
    else
      Grid->SetCells(0, R, Row_Enabled(Grid, Desc, R) ? QString::number(++N) : QString());
  }
  Grid->EndUpdate();
}

int Rows_In_Use(TZavStringGrid *Grid, const TGridDesc &Desc)
{
  int N = 0;
  const int Last = Last_Walked_Row(Grid, Desc);
  for (int R = 1; R <= Last; ++R)
    if (!Key_Blank(Grid, Desc, R))
      ++N;
  return N;
}

bool Check_Table_Rows(const TTableFormDesc &Desc, const std::vector<TZavStringGrid *> &Grids,
                      const std::vector<int> &Data_Sizes, QString &Message)
{
  if (Desc.Before_Checks)
    Desc.Before_Checks();
  for (size_t I = 0; I < Desc.Grids.size(); ++I) {
    const TGridDesc &G = Desc.Grids[I];
    TZavStringGrid *Grid = Grids[I];
    const int Size = Data_Sizes[I];
    const int Last = Last_Walked_Row(Grid, G);
    for (int R = 1; R <= Last; ++R) {
      if (Key_Blank(Grid, G, R))
        continue;
      // Every row in use is saved, enabled or not: nothing the file cannot hold may stay.
      for (const TColumnDesc &C : G.Columns) {
        if (C.Attribute && XMLForbiddenCharIndex(Table_Cell(Grid, C, R)) >= 0) {
          // A form with format texts has no "Error row " text to lead with.
          const QString Lead = Desc.Message_Style == TTableFormDesc::msFormat
                                   ? QStringLiteral("Row %1: ").arg(R)
                                   : Lang_Text(Desc.Error_Row_Text) + QString::number(R);
          Message = Lead + Lang_Text(1106) + Lang_Text(C.Header_Text) + Lang_Text(1107);
          return false;
        }
      }
      if (!Row_Enabled(Grid, G, R))
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
          std::optional<int> Number;
          if (K.Suffix_Number)
            Number = K.Suffix_Number(R);
          else if (K.Bound_Suffix)
            Number = Size - 1;
          Message = Row_Message(Desc, R, K.Message, Number, K.Suffix_Text);
          return false;
        }
      }
    }
  }
  for (const TTableCheck &K : Desc.Table_Checks)
    if (K.Fails && K.Fails()) {
      Message = Table_Message(K);
      return false;
    }
  return true;
}
