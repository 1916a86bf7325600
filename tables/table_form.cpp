#include "tables/table_form.h"

#include "framework/classes/classes.h"
#include "framework/dialogs/dialogs.h"
#include "framework/services/xmldoc.h"
#include "framework/stdctrls/comctrls.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/system/paths.h"
#include "grid/core/column_grid.h"
#include "grid/foundation/cell_properties.h"
#include "project/app_state.h"
#include "tables/row_helpers.h"
#include "ui/bands.h"
#include "ui/lang_text.h"
#include "ui/lbbutton.h"

namespace {

constexpr int Button_Count = 6;
constexpr int Button_Width = 100;
constexpr int Button_Step = 112;

}  // namespace

TTableForm::TTableForm(TComponent *AOwner, TTableFormDesc ADesc) : TLangForm(AOwner), FDesc(std::move(ADesc))
{
  SetName(FDesc.Form_Name);
  SetBorderStyle(bsSizeable);
  SetPosition(poScreenCenter);
  SetColor(Form_Color);
  Font()->SetName(QStringLiteral("Tahoma"));
  Font()->SetSize(8);
  SetClientSize(FDesc.Client_Width, FDesc.Client_Height);

  const TTitleBand Title = Make_Title_Band(this);
  P_Title = Title.P_Title;
  L_SW_Code = Title.L_SW_Code;
  L_SW_Desc = Title.L_SW_Desc;

  P_Button = Make_Button_Band(this);
  TLbButton **Buttons[Button_Count] = {&Btn_OK, &Btn_Cancel, &Btn_DelRow, &Btn_InsRow, &Btn_CopyRow, &Btn_PasteRow};
  const char *Names[Button_Count] = {"Btn_OK", "Btn_Cancel", "Btn_DelRow", "Btn_InsRow", "Btn_CopyRow", "Btn_PasteRow"};
  for (int I = 0; I < Button_Count; ++I) {
    *Buttons[I] = Make_Dialog_Button(this, P_Button, QString::fromLatin1(Names[I]), 16 + I * Button_Step, 7, Button_Width);
    (*Buttons[I])->SetShowHint(true);
  }
  Btn_Cancel->SetModalResult(mrCancel);
  Btn_OK->OnClick = [this](TObject *Sender) { Btn_OKClick(Sender); };
  Btn_DelRow->OnClick = [this](TObject *Sender) { Btn_DelRowClick(Sender); };
  Btn_InsRow->OnClick = [this](TObject *Sender) { Btn_InsRowClick(Sender); };
  Btn_CopyRow->OnClick = [this](TObject *Sender) { Btn_CopyRowClick(Sender); };
  Btn_PasteRow->OnClick = [this](TObject *Sender) { Btn_PasteRowClick(Sender); };

  if (FDesc.Grids.size() > 1) {
    PageControl1 = new TPageControl(this);
    PageControl1->SetName(QStringLiteral("PageControl1"));
    PageControl1->SetParent(this);
    PageControl1->SetAlign(alClient);
    PageControl1->SetTabStop(true);
  }
  FGrids.resize(FDesc.Grids.size());
  for (size_t I = 0; I < FDesc.Grids.size(); ++I)
    Make_Grid(I);

  XML1 = new TXMLDocument(this);
  XML1->SetName(QStringLiteral("XML1"));

  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
  OnShow = [this](TObject *Sender) { FormShow(Sender); };
}

TTableForm::~TTableForm() = default;

void TTableForm::Make_Grid(size_t Index)
{
  const TGridDesc &D = FDesc.Grids[Index];
  TTableGrid &T = FGrids[Index];
  TWinControl *Parent = this;
  if (PageControl1) {
    T.Sheet = new TTabSheet(this);
    T.Sheet->SetName(D.Sheet_Name);
    T.Sheet->SetPageControl(PageControl1);
    Parent = T.Sheet;
  }
  TZavColumnGrid *CG = D.Plain_String_Grid ? nullptr : new TZavColumnGrid(this);
  TZavStringGrid *G = CG ? CG : new TZavStringGrid(this);
  G->SetName(D.Grid_Name);
  G->SetParent(Parent);
  G->SetAlign(alClient);
  G->SetRowCount(D.Data_Rows + 1);
  // The column grid's own writer keeps one column item per column.
  if (CG)
    CG->SetColCount(D.Col_Count());
  else
    G->SetColCount(D.Col_Count());
  G->SetFixedCols(1);
  G->SetFixedRows(1);
  TGridOptions Options = G->Options() + goEditing;
  if (D.Look.Col_Sizing)
    Options = Options + goColSizing;
  if (D.Look.Row_Sizing)
    Options = Options + goRowSizing;
  G->SetOptions(Options);
  G->SetShowHint(D.Show_Hint);
  if (D.Look.Row_Height > 0)
    G->SetDefaultRowHeight(D.Look.Row_Height);
  if (D.Look.Header_Height > 0)
    G->SetRowHeights(0, D.Look.Header_Height);
  if (D.Look.Center_Vertically)
    G->SetVAlignment(vtaCenter);
  bool Combo_Hooks = false, Served_Editors = false;
  for (const TColumnDesc &C : D.Columns) {
    Combo_Hooks = Combo_Hooks || bool(C.On_Combo_Change);
    if (CG) {
      TGridColumnItem *Item = CG->Columns()->Items(C.Col);
      Item->SetEditor(C.Editor);
      Item->SetWidth(C.Width);
      Item->SetColor(C.Color);
      Item->SetAlignment(C.Alignment);
      Item->SetEditLength(C.Edit_Length);
      Item->SetMaxSize(C.Max_Size);
      if (C.Editor == edDataCheckBox) {
        Item->SetCheckTrue(QStringLiteral("Y"));
        Item->SetCheckFalse(QStringLiteral("N"));
      }
      TStringList *Items = Item->ComboItems();
      for (const QString &S : C.Items.Fixed)
        Items->Add(S);
      for (int N = C.Items.From; N <= C.Items.To; ++N)
        Items->Add(QString::number(N));
    } else {
      G->SetColWidths(C.Col, C.Width);
      if (C.Keeping == TCellKeeping::ckGridCheckBox)
        G->AddCheckBoxColumn(C.Col, false, false);
      Served_Editors = Served_Editors || C.Editor == edComboList || C.Editor == edComboEdit;
      // A plain grid has no column items: every data cell carries its column's look.
      if (C.Col > 0)
        for (int R = 1; R <= D.Data_Rows; ++R) {
          TCellProperties *P = G->CellProperties(C.Col, R);
          P->SetBrushColor(C.Color);
          P->SetAlignment(C.Alignment);
        }
    }
  }
  T.Grid = G;
  T.Hint = std::make_unique<TStringList>();
  T.Data_Size = FDesc.Data_Array_Size;
  T.Rows = D.Data_Rows;
  if (D.Events.Click)
    G->OnClickCell = [this](TObject *Sender, int ARow, int ACol) { ClickCell(Sender, ARow, ACol); };
  if (D.Events.Dbl_Click)
    G->OnDblClickCell = [this](TObject *Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); };
  if (D.Events.Key_Press)
    G->OnKeyPress = [this](TObject *Sender, QChar &Key) { KeyPress(Sender, Key); };
  if (D.Events.Hint)
    G->OnGridHint = [this](TObject *Sender, int ARow, int ACol, QString &Hint) { GridHint(Sender, ARow, ACol, Hint); };
  if (Served_Editors)
    G->OnGetEditorType = [this](TObject *Sender, int ACol, int ARow, TEditorType &AEditor) {
      GetEditorType(Sender, ACol, ARow, AEditor);
    };
  if (Combo_Hooks)
    G->OnComboChange = [this](TObject *Sender, int ACol, int ARow, int AItemIndex, const QString &ASelection) {
      ComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
    };
  if (D.Row_Numbers == TRowNumbers::rnEnabled)
    G->OnCheckBoxClick = [this](TObject *Sender, int ACol, int ARow, bool State) {
      CheckBoxClick(Sender, ACol, ARow, State);
    };
}

TZavColumnGrid *TTableForm::Column_Grid(int Index) const { return dynamic_cast<TZavColumnGrid *>(Grid(Index)); }

std::vector<TZavStringGrid *> TTableForm::Grid_List() const
{
  std::vector<TZavStringGrid *> L;
  for (const TTableGrid &T : FGrids)
    L.push_back(T.Grid);
  return L;
}

QString TTableForm::File_Path() const { return AppState().*FDesc.File; }

int TTableForm::Active_Grid() const { return PageControl1 ? std::max(0, PageControl1->ActivePageIndex()) : 0; }

int TTableForm::Grid_Index(TObject *Grid) const
{
  for (size_t I = 0; I < FGrids.size(); ++I)
    if (FGrids[I].Grid == Grid)
      return int(I);
  return -1;
}

void TTableForm::FormCreate(TObject *)
{
  L_SW_Code->SetCaption(AppState().Software_Code);
  Set_Lang();
}

void TTableForm::Set_Lang()
{
  SetCaption(Lang_Text(FDesc.Caption_Text));
  L_SW_Desc->SetCaption(Lang_Text(FDesc.Desc_Text));
  TLbButton *Buttons[Button_Count] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
  for (int I = 0; I < Button_Count; ++I) {
    Buttons[I]->SetCaption(Lang_Text(FDesc.First_Button_Text + I));
    Buttons[I]->SetHint(Lang_Text(FDesc.First_Button_Text + Button_Count + I));
  }
  for (size_t I = 0; I < FGrids.size(); ++I) {
    const TGridDesc &D = FDesc.Grids[I];
    TTableGrid &T = FGrids[I];
    if (T.Sheet)
      T.Sheet->SetCaption(Lang_Text(D.Sheet_Text));
    TZavColumnGrid *CG = Column_Grid(int(I));
    T.Hint->Clear();
    for (const TColumnDesc &C : D.Columns) {
      if (CG && D.Header_Place == THeaderPlace::hpColumnItems)
        CG->Columns()->Items(C.Col)->SetHeader(Lang_Text(C.Header_Text));
      else
        T.Grid->SetCells(C.Col, 0, Lang_Text(C.Header_Text));
      if (C.Col > 0)
        T.Hint->Add(Lang_Text(C.Hint_Text));
    }
  }
}

void TTableForm::Fill_Position_Items()
{
  for (size_t I = 0; I < FGrids.size(); ++I) {
    TZavColumnGrid *CG = Column_Grid(int(I));
    if (!CG)
      continue;
    for (const TColumnDesc &C : FDesc.Grids[I].Columns) {
      if (!C.Items.Positions)
        continue;
      TStringList *Items = CG->Columns()->Items(C.Col)->ComboItems();
      Items->BeginUpdate();
      Items->Clear();
      for (const QString &S : C.Items.Fixed)
        Items->Add(S);
      for (int N = 0; N < FGrids[I].Data_Size; ++N)
        Items->Add(QString::number(N));
      Items->EndUpdate();
    }
  }
}

void TTableForm::FormShow(TObject *)
{
  Show_Reset();
  Show_First_Page();
  Show_Sizes();
  Load_Table();
  Show_Done();
}

void TTableForm::Show_Reset()
{
  for (size_t I = 0; I < FGrids.size(); ++I) {
    const TGridDesc &D = FDesc.Grids[I];
    TTableGrid &T = FGrids[I];
    for (const TColumnDesc &C : D.Columns) {
      if (C.Hidden)
        T.Grid->HideColumn(C.Col);
      else
        T.Grid->UnHideColumn(C.Col);
    }
    T.Grid->SetRowCount(T.Rows + 1);
    if (T.Sheet)
      T.Sheet->SetTabVisible(true);
    Reset_Table_Grid(T.Grid, D);
    // Cleared before the load, so that a load that fails leaves no flag of an earlier showing.
    T.Do_Copy = false;
  }
}

void TTableForm::Show_First_Page()
{
  if (PageControl1)
    PageControl1->SetActivePageIndex(0);
}

void TTableForm::Show_Sizes()
{
  for (TTableGrid &T : FGrids)
    T.Data_Size = FDesc.Data_Array_Size;
  Fill_Position_Items();
}

void TTableForm::Show_Done()
{
  for (size_t I = 0; I < FGrids.size(); ++I)
    Rows_Changed(int(I));
}

void TTableForm::Rows_Changed(int Index)
{
  if (FDesc.Grids[size_t(Index)].Row_Numbers == TRowNumbers::rnEnabled)
    Number_Rows(Grid(Index), FDesc.Grids[size_t(Index)]);
}

void TTableForm::Set_Table_Rows(int Index, int Rows)
{
  TTableGrid &T = FGrids[size_t(Index)];
  T.Rows = Rows;
  // Set before the reset, the reset sizes the grid; set after it (in Show_Sizes), the rows the
  // size adds must not show texts of an earlier showing.
  if (T.Grid->RowCount() != Rows + 1) {
    // The rows a smaller size drops keep no text of this showing's reset.
    T.Grid->BeginUpdate();
    for (int R = Rows + 1; R < T.Grid->RowCount(); ++R)
      for (const TColumnDesc &C : FDesc.Grids[size_t(Index)].Columns)
        T.Grid->SetCells(C.Col, R, QString());
    T.Grid->EndUpdate();
    T.Grid->SetRowCount(Rows + 1);
    Reset_Table_Grid(T.Grid, FDesc.Grids[size_t(Index)]);
  }
}

void TTableForm::Load_Table()
{
  FLoad_Complete = true;
  const QString Path = File_Path();
  if (!FileExists(Path))
    return;
  const TTableLoadResult R = Load_Table_File(*XML1, Path, FDesc, Grid_List());
  FLoad_Complete = R.Complete;
  if (!R.Complete)
    MessageDlg(R.Reason + QStringLiteral("\nThe table shows the rows read until then; OK asks before replacing the file."),
               mtError, TMsgDlgButtons{mbOK}, 0);
}

void TTableForm::Save_Table() { Save_Table_File(File_Path(), FDesc, Grid_List()); }

bool TTableForm::Controllo_dati()
{
  std::vector<int> Sizes;
  for (const TTableGrid &T : FGrids)
    Sizes.push_back(T.Data_Size);
  QString Message;
  if (Check_Table_Rows(FDesc, Grid_List(), Sizes, Message))
    return true;
  MessageDlg(Message, mtError, TMsgDlgButtons{mbOK}, 0);
  return false;
}

void TTableForm::Btn_OKClick(TObject *)
{
  if (!Controllo_dati())
    return;
  const QString Path = File_Path();
  if (!FLoad_Complete && FileExists(Path) &&
      MessageDlg(QStringLiteral("The file \"%1\" was not loaded completely: saving replaces it with the rows shown, "
                                "and the rows that were not loaded are lost. Replace the file?")
                     .arg(Path),
                 mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0) != mrYes)
    return;
  try {
    Save_Table();
  } catch (Exception &E) {
    MessageDlg(E.Message(), mtError, TMsgDlgButtons{mbOK}, 0);
    return;
  }
  FLoad_Complete = true;
  SetModalResult(mrOk);
}

void TTableForm::Btn_DelRowClick(TObject *)
{
  const int I = Active_Grid();
  TZavStringGrid *G = Grid(I);
  const int Row = G->GetRowEx();
  if (MessageDlg(Delete_Question(FDesc, Row), mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0) != mrYes)
    return;
  if (TZavColumnGrid *CG = Column_Grid(I))
    Grid_Delete_Row(Row, CG);
  else
    CheckBox_Grid_Delete_Row(Row, G, true);
  Rows_Changed(I);
}

void TTableForm::Btn_InsRowClick(TObject *)
{
  const int I = Active_Grid();
  TZavStringGrid *G = Grid(I);
  if (TZavColumnGrid *CG = Column_Grid(I))
    Grid_Insert_Row(G->GetRowEx(), CG, FDesc.Grids[size_t(I)].Insert_Enabled);
  else
    CheckBox_Grid_Insert_Row(G->GetRowEx(), G, true);
  Rows_Changed(I);
}

void TTableForm::Btn_CopyRowClick(TObject *)
{
  const int I = Active_Grid();
  TZavStringGrid *G = Grid(I);
  if (TZavColumnGrid *CG = Column_Grid(I))
    Grid_Copy_Row(CG, G->GetRowEx());
  else
    CheckBox_Grid_Copy_Row(G, G->GetRowEx());
  for (size_t K = 0; K < FGrids.size(); ++K)
    FGrids[K].Do_Copy = int(K) == I;
}

void TTableForm::Btn_PasteRowClick(TObject *)
{
  const int I = Active_Grid();
  TZavStringGrid *G = Grid(I);
  if (TZavColumnGrid *CG = Column_Grid(I))
    Grid_Paste_Row(CG, G->GetRowEx(), Do_Copy(I));
  else
    CheckBox_Grid_Paste_Row(G, G->GetRowEx(), Do_Copy(I));
  // Also after a refused paste: what a form derives from its rows is set again either way.
  Rows_Changed(I);
}

void TTableForm::ClickCell(TObject *Sender, int ARow, int ACol)
{
  const int I = Grid_Index(Sender);
  if (I >= 0 && ACol == 0 && FDesc.Grids[size_t(I)].Events.Click)
    Grid(I)->SelectRows(ARow, 1);
}

void TTableForm::DblClickCell(TObject *Sender, int ARow, int ACol)
{
  const int I = Grid_Index(Sender);
  if (I >= 0 && FDesc.Grids[size_t(I)].Events.Dbl_Click)
    Grid_Auto_Size_Column(Grid(I), ARow, ACol);
}

void TTableForm::KeyPress(TObject *Sender, QChar &Key)
{
  const int I = Grid_Index(Sender);
  if (I >= 0 && FDesc.Grids[size_t(I)].Events.Key_Press)
    Grid_Enter_Next_Cell(Grid(I), Key);
}

void TTableForm::GridHint(TObject *Sender, int ARow, int ACol, QString &HintStr)
{
  const int I = Grid_Index(Sender);
  if (I < 0 || !FDesc.Grids[size_t(I)].Events.Hint)
    return;
  const THintRule Rule = FDesc.Grids[size_t(I)].Hint_Rule;
  if (Rule == THintRule::hrNone)
    return;
  int C = ACol;
  TStringList *Hints = Hint_List(I);
  if (Rule == THintRule::hrRealColumnKeep || Rule == THintRule::hrRealColumnEmpty)
    C = Grid(I)->RealColIndex(ACol);
  else if (Rule == THintRule::hrActivePageEmpty)
    Hints = Hint_List(Active_Grid());
  if (ARow == 0 && C > 0 && C - 1 < Hints->Count())
    HintStr = Hints->Strings(C - 1);
  else if (Rule != THintRule::hrRealColumnKeep)
    HintStr.clear();
}

const TColumnDesc *TTableForm::Column_Desc(int Index, int ACol) const
{
  for (const TColumnDesc &C : FDesc.Grids[size_t(Index)].Columns)
    if (C.Col == ACol)
      return &C;
  return nullptr;
}

void TTableForm::GetEditorType(TObject *Sender, int ACol, int, TEditorType &AEditor)
{
  const int I = Grid_Index(Sender);
  const TColumnDesc *C = I >= 0 ? Column_Desc(I, ACol) : nullptr;
  if (!C || (C->Editor != edComboList && C->Editor != edComboEdit))
    return;
  AEditor = C->Editor;
  TZavStringGrid *G = Grid(I);
  G->ClearComboString();
  for (const QString &S : C->Items.Fixed)
    G->AddComboString(S);
  for (int N = C->Items.From; N <= C->Items.To; ++N)
    G->AddComboString(QString::number(N));
  if (C->Items.Positions)
    for (int N = 0; N < Data_Size(I); ++N)
      G->AddComboString(QString::number(N));
}

void TTableForm::ComboChange(TObject *Sender, int ACol, int ARow, int AItemIndex, const QString &ASelection)
{
  const int I = Grid_Index(Sender);
  const TColumnDesc *C = I >= 0 ? Column_Desc(I, ACol) : nullptr;
  if (C && C->On_Combo_Change)
    C->On_Combo_Change(ARow, AItemIndex, ASelection);
}

void TTableForm::CheckBoxClick(TObject *Sender, int ACol, int, bool)
{
  const int I = Grid_Index(Sender);
  if (I >= 0 && ACol == FDesc.Grids[size_t(I)].Enable_Col)
    Rows_Changed(I);
}
