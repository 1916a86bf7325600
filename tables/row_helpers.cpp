#include "tables/row_helpers.h"

#include "framework/classes/classes.h"
#include "framework/dialogs/dialogs.h"
#include "framework/services/xmldoc.h"
#include "framework/system/sysutils.h"
#include "grid/core/column_grid.h"
#include "project/app_state.h"
#include "ui/lang_text.h"

namespace {

// The data columns 1..n: every column but column 0, hidden ones included.
int Data_Cols(TZavStringGrid *Grid) { return Grid->ColCount() + Grid->NumHiddenColumns() - 1; }
int Last_Row(TZavStringGrid *Grid) { return Grid->RowCount() - 1; }

// How the two helper families treat one cell.
struct TCellOps {
  virtual ~TCellOps() = default;
  virtual void Move(TZavStringGrid *G, int C, int From, int To) const = 0;
  // Clears a cell; Enable_State is what a column-1 cell of a fresh or emptied row gets.
  virtual void Clear(TZavStringGrid *G, int C, int R, bool Column1, bool Enable_State) const = 0;
  virtual bool In_Use(TZavStringGrid *G, int C, int R) const = 0;
  // The clipboard text of a cell; Check tells whether it came from a check box.
  virtual QString Copy(TZavStringGrid *G, int C, int R, bool &Check) const = 0;
  virtual void Paste(TZavStringGrid *G, int C, int R, const QString &Text, bool Check) const = 0;
  virtual bool Records_Checks() const = 0;
};

struct TTextCells : TCellOps {
  void Move(TZavStringGrid *G, int C, int From, int To) const override { G->SetCells(C, To, G->Cells(C, From)); }
  void Clear(TZavStringGrid *G, int C, int R, bool Column1, bool Enable_State) const override
  {
    G->SetCells(C, R, Column1 && Enable_State ? QStringLiteral("Y") : QString());
  }
  bool In_Use(TZavStringGrid *G, int C, int R) const override
  {
    // Check-box columns do not make a row used: a fresh row shows them already.
    auto *CG = static_cast<TZavColumnGrid *>(G);
    if (C < CG->Columns()->Count() && CG->Columns()->Items(C)->Editor() == edDataCheckBox)
      return false;
    return !Trim(G->Cells(C, R)).isEmpty();
  }
  QString Copy(TZavStringGrid *G, int C, int R, bool &Check) const override
  {
    Check = false;
    return G->Cells(C, R);
  }
  void Paste(TZavStringGrid *G, int C, int R, const QString &Text, bool) const override { G->SetCells(C, R, Text); }
  bool Records_Checks() const override { return false; }
};

struct TCheckBoxCells : TCellOps {
  void Move(TZavStringGrid *G, int C, int From, int To) const override
  {
    bool State = false;
    if (G->GetCheckBoxState(C, From, State))
      G->SetCheckBoxState(C, To, State);
    else
      G->SetCells(C, To, G->Cells(C, From));
  }
  void Clear(TZavStringGrid *G, int C, int R, bool Column1, bool Enable_State) const override
  {
    bool State = false;
    if (G->GetCheckBoxState(C, R, State))
      G->SetCheckBoxState(C, R, Column1 && Enable_State);
    else
      G->SetCells(C, R, QString());
  }
  bool In_Use(TZavStringGrid *G, int C, int R) const override
  {
    bool State = false;
    return !G->GetCheckBoxState(C, R, State) && !G->Cells(C, R).isEmpty();
  }
  QString Copy(TZavStringGrid *G, int C, int R, bool &Check) const override
  {
    bool State = false;
    Check = G->GetCheckBoxState(C, R, State);
    if (Check)
      return State ? QStringLiteral("Y") : QStringLiteral("N");
    return G->Cells(C, R);
  }
  void Paste(TZavStringGrid *G, int C, int R, const QString &Text, bool Check) const override
  {
    if (Check)
      G->SetCheckBoxState(C, R, Text == QLatin1String("Y"));
    else
      G->SetCells(C, R, Text);
  }
  bool Records_Checks() const override { return true; }
};

const TTextCells Text_Cells;
const TCheckBoxCells Check_Box_Cells;

void Delete_Row(const TCellOps &Ops, int Row, TZavStringGrid *Grid, bool Set_Enable)
{
  const int N = Data_Cols(Grid);
  const int Last = Last_Row(Grid);
  Grid->BeginUpdate();
  for (int I = Row; I < Last; ++I)
    for (int C = 1; C <= N; ++C)
      Ops.Move(Grid, C, I + 1, I);
  for (int C = 1; C <= N; ++C)
    Ops.Clear(Grid, C, Last, C == 1, Set_Enable);
  Grid->EndUpdate();
}

void Insert_Row(const TCellOps &Ops, int Row, TZavStringGrid *Grid, bool Set_Enable)
{
  const int N = Data_Cols(Grid);
  Grid->BeginUpdate();
  for (int I = Last_Row(Grid) - 1; I >= Row; --I)
    for (int C = 1; C <= N; ++C)
      Ops.Move(Grid, C, I, I + 1);
  for (int C = 1; C <= N; ++C)
    Ops.Clear(Grid, C, Row, C == 1, Set_Enable);
  Grid->EndUpdate();
}

void Copy_Row(const TCellOps &Ops, TZavStringGrid *Grid, int Row)
{
  TAppState &S = AppState();
  const int N = Data_Cols(Grid);
  S.Row_Clipboard->Clear();
  if (Ops.Records_Checks())
    S.Row_Clipboard_Checks.assign(size_t(N), false);
  for (int C = 1; C <= N; ++C) {
    bool Check = false;
    S.Row_Clipboard->Add(Ops.Copy(Grid, C, Row, Check));
    if (Ops.Records_Checks())
      S.Row_Clipboard_Checks[size_t(C - 1)] = Check;
  }
}

void Paste_Row(const TCellOps &Ops, TZavStringGrid *Grid, int Row, bool Copy_Flag)
{
  TAppState &S = AppState();
  if (!Copy_Flag) {
    MessageDlg(Lang_Text(1102), mtError, TMsgDlgButtons{mbOK}, 0);
    return;
  }
  const int N = Data_Cols(Grid);
  if (N != S.Row_Clipboard->Count()) {
    MessageDlg(Lang_Text(1101), mtError, TMsgDlgButtons{mbOK}, 0);
    return;
  }
  bool Used = false;
  for (int C = 1; C <= N && !Used; ++C)
    Used = Ops.In_Use(Grid, C, Row);
  if (Used && MessageDlg(Lang_Text(1100), mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0) != mrYes)
    return;
  Grid->BeginUpdate();
  for (int C = 1; C <= N; ++C) {
    // A flag list shorter than the row (a copy by the text helper) counts as no check box.
    const size_t K = size_t(C - 1);
    const bool Check = Ops.Records_Checks() && K < S.Row_Clipboard_Checks.size() && S.Row_Clipboard_Checks[K];
    // What a table file cannot hold never reaches a cell by a paste.
    Ops.Paste(Grid, C, Row, XMLAllowedText(S.Row_Clipboard->Strings(C - 1)), Check);
  }
  Grid->EndUpdate();
}

}  // namespace

void Grid_Delete_Row(int Row, TZavColumnGrid *Grid) { Delete_Row(Text_Cells, Row, Grid, false); }
void Grid_Insert_Row(int Row, TZavColumnGrid *Grid, bool Set_Enable) { Insert_Row(Text_Cells, Row, Grid, Set_Enable); }
void Grid_Copy_Row(TZavColumnGrid *Grid, int Row) { Copy_Row(Text_Cells, Grid, Row); }
void Grid_Paste_Row(TZavColumnGrid *Grid, int Row, bool Copy_Flag) { Paste_Row(Text_Cells, Grid, Row, Copy_Flag); }

void CheckBox_Grid_Delete_Row(int Row, TZavStringGrid *Grid, bool Set_Enable)
{
  Delete_Row(Check_Box_Cells, Row, Grid, Set_Enable);
}
void CheckBox_Grid_Insert_Row(int Row, TZavStringGrid *Grid, bool Set_Enable)
{
  Insert_Row(Check_Box_Cells, Row, Grid, Set_Enable);
}
void CheckBox_Grid_Copy_Row(TZavStringGrid *Grid, int Row) { Copy_Row(Check_Box_Cells, Grid, Row); }
void CheckBox_Grid_Paste_Row(TZavStringGrid *Grid, int Row, bool Copy_Flag)
{
  Paste_Row(Check_Box_Cells, Grid, Row, Copy_Flag);
}

void Grid_Auto_Size_Column(TZavStringGrid *Grid, int ARow, int ACol)
{
  if (AppState().Opt_Double_Click_Auto_Size && ARow == 0)
    Grid->AutoSizeCol(ACol, 0);
}

void Grid_Enter_Next_Cell(TZavStringGrid *Grid, QChar &Key)
{
  if (!AppState().Opt_Jump_Field_Tables || Key != QChar(13))
    return;
  const int Col = Grid->Col();
  const int Row = Grid->GetRowEx();
  if (Col > 0 && Row > 0) {
    if (Col < Grid->ColCount() - 1) {
      Grid->SetCol(Col + 1);
    } else {
      Grid->SetCol(1);
      Grid->SetRowEx(Row == Grid->RowCount() - 1 ? 1 : Row + 1);
    }
  }
  Key = QChar(0);
}
