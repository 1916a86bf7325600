// Check boxes, tri-state boxes, radio buttons and radio groups kept as cell graphics: adding and
// removing them, their state, toggling with events and editability checks, whole columns.
#include "grid/core/zav_string_grid.h"

#include "grid/core/control_look.h"
#include "grid/core/feature_settings.h"
#include "grid/foundation/undo.h"

namespace {

const TCellTypes CheckBoxKinds{ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox, ctTriStateCheckBox};

} // namespace

// ---------------------------------------------------------------------------------------------
// Shared lookups

void TZavStringGrid::CheckAddCell(int ACol, int ARow)
{
  // Negative indexes would reach CreateCellGraphic, which has no cell to give them.
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount() + NumHiddenRows())
    throw Exception(QStringLiteral("Invalid cell"));
}

TCellVAlign TZavStringGrid::CheckBoxVAlign() const
{
  switch (FVAlignment) {
  case vtaCenter:
    return vaCenter;
  case vtaBottom:
    return vaBottom;
  default:
    return vaTop;
  }
}

int TZavStringGrid::CheckColumnStartRow() { return MouseActions()->CheckAllCheck() ? 0 : FixedRows(); }

QString TZavStringGrid::CheckTrueText(int ACol, int ARow)
{
  QString s;
  GetCheckTrueText(ACol, ARow, s);
  return s;
}

QString TZavStringGrid::CheckFalseText(int ACol, int ARow)
{
  QString s;
  GetCheckFalseText(ACol, ARow, s);
  return s;
}

TZavStringGrid::TCheckBoxCell TZavStringGrid::FindCheckBoxCell(int ACol, int ARow)
{
  TCheckBoxCell cell;
  if (ACol < 0 || ARow < 0)
    return cell;
  if (NumHiddenRows() > 0) {
    // The row is real and may be hidden. A cell's own box lives in its properties; the shared
    // virtual and row boxes live in no cell and are asked for at the row's display place.
    cell.RealRow = true;
    if (auto *props = dynamic_cast<TCellProperties *>(GetGridObjectEx(ACol, ARow))) {
      cell.Graphic = dynamic_cast<TCellGraphic *>(GetGraphicObjectFromProps(props));
      return cell;
    }
    if (!IsHiddenRow(ARow)) {
      cell.Graphic = GetCellGraphic(ACol, RealToDisplRow(ARow));
      return cell;
    }
    // A hidden row has no display place: a column's virtual box, whose state is the text, is
    // the same in every normal row.
    if (FixedRows() < RowCount())
      if (TCellGraphic *g = GetCellGraphic(ACol, FixedRows()); g && g->CellType() == ctVirtCheckBox)
        cell.Graphic = g;
    return cell;
  }
  cell.Graphic = GetCellGraphic(ACol, ARow);
  return cell;
}

QString TZavStringGrid::CheckBoxCellText(const TCheckBoxCell &Cell, int ACol, int ARow)
{
  return Cell.RealRow ? AllCells(ACol, ARow) : Cells(ACol, ARow);
}

void TZavStringGrid::SetCheckBoxCellText(const TCheckBoxCell &Cell, int ACol, int ARow, const QString &Value)
{
  // A real row is written through its real index too: the row may be hidden.
  if (Cell.RealRow)
    SetAllCells(ACol, ARow, Value);
  else
    SetCells(ACol, ARow, Value);
}

// ---------------------------------------------------------------------------------------------
// Check boxes

void TZavStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data)
{
  CheckAddCell(ACol, ARow);
  TCellGraphic *g = CreateCellGraphic(ACol, ARow);
  if (!g)
    return;
  g->SetCheckBox(State, Data, true, haBeforeText, CheckBoxVAlign());
  if (Data) {
    const QString s = Cells(ACol, ARow);
    if (s != FCheckTrue && s != FCheckFalse)
      SetCells(ACol, ARow, State ? FCheckTrue : FCheckFalse);
  }
}

void TZavStringGrid::AddCheckBox(int ACol, int ARow, TCheckBoxState State)
{
  CheckAddCell(ACol, ARow);
  if (TCellGraphic *g = CreateCellGraphic(ACol, ARow))
    g->SetCheckBox(State, true, haBeforeText, CheckBoxVAlign());
}

void TZavStringGrid::RemoveCheckBox(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return;
  // The cell's own graphic: the shared row box of column 0 is not the cell's to remove.
  auto *g = dynamic_cast<TCellGraphic *>(GraphicObjects(ACol, ARow));
  if (g && TCellTypes{ctCheckBox, ctDataCheckBox, ctTriStateCheckBox}.Contains(g->CellType()))
    RemoveCellGraphic(ACol, ARow);
}

bool TZavStringGrid::HasCheckBox(int ACol, int ARow) { return IsCellTypeIn(ACol, ARow, CheckBoxKinds); }

bool TZavStringGrid::HasDataCheckBox(int ACol, int ARow)
{
  return IsCellTypeIn(ACol, ARow, {ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox});
}

bool TZavStringGrid::GetCheckBoxState(int ACol, int ARow, bool &State)
{
  const TCheckBoxCell cell = FindCheckBoxCell(ACol, ARow);
  if (!cell.Graphic)
    return false;
  switch (cell.Graphic->CellType()) {
  case ctCheckBox:
    State = cell.Graphic->CellBoolean();
    return true;
  case ctDataCheckBox:
  case ctVirtCheckBox:
    State = CheckBoxCellText(cell, ACol, ARow) == CheckTrueText(ACol, ARow);
    return true;
  case ctRowCheckBox:
    if (ACol != 0)
      return false;
    State = RowSelect(ARow);
    return true;
  default:
    // Tri-state boxes answer through the three-state form only.
    return false;
  }
}

bool TZavStringGrid::GetCheckBoxState(int ACol, int ARow, TCheckBoxState &State)
{
  const TCheckBoxCell cell = FindCheckBoxCell(ACol, ARow);
  if (cell.Graphic && cell.Graphic->CellType() == ctTriStateCheckBox) {
    State = cell.Graphic->CellCheckBoxState();
    return true;
  }
  bool b = false;
  if (!GetCheckBoxState(ACol, ARow, b))
    return false;
  State = BoolToCheckBoxState(b);
  return true;
}

bool TZavStringGrid::IsChecked(int ACol, int ARow)
{
  bool state = false;
  return GetCheckBoxState(ACol, ARow, state) && state;
}

bool TZavStringGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
  const TCheckBoxCell cell = FindCheckBoxCell(ACol, ARow);
  if (!cell.Graphic)
    return false;
  switch (cell.Graphic->CellType()) {
  case ctCheckBox:
    cell.Graphic->SetCellBoolean(State);
    RepaintCell(DisplColIndex(ACol), cell.RealRow ? DisplRowIndex(ARow) : ARow);
    return true;
  case ctDataCheckBox:
  case ctVirtCheckBox:
    SetCheckBoxCellText(cell, ACol, ARow, State ? CheckTrueText(ACol, ARow) : CheckFalseText(ACol, ARow));
    return true;
  case ctRowCheckBox:
    if (ACol != 0)
      return false;
    SetRowSelect(ARow, State);
    return true;
  default:
    return false;
  }
}

bool TZavStringGrid::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State)
{
  const TCheckBoxCell cell = FindCheckBoxCell(ACol, ARow);
  if (!cell.Graphic || cell.Graphic->CellType() != ctTriStateCheckBox)
    return false;
  cell.Graphic->SetCellCheckBoxState(State);
  RepaintCell(DisplColIndex(ACol), cell.RealRow ? DisplRowIndex(ARow) : ARow);
  return true;
}

bool TZavStringGrid::ChangeCheckBoxState(int ACol, int ARow, bool State)
{
  if (ACol < 0 || ARow < 0)
    return false;
  // The row is a display row here; the texts below are read and written through it.
  TCellGraphic *g = FindCheckBoxCell(ACol, RealRowIndex(ARow)).Graphic;
  if (!g)
    return false;
  switch (g->CellType()) {
  case ctCheckBox:
    if (State != g->CellBoolean()) {
      g->SetCellBoolean(State);
      DoCheckBoxChange(ACol, ARow, State);
      RepaintCell(DisplColIndex(ACol), ARow);
    }
    return true;
  case ctDataCheckBox:
  case ctVirtCheckBox: {
    const QString t = CheckTrueText(ACol, ARow);
    const bool was = Cells(ACol, ARow) == t;
    SetCells(ACol, ARow, State ? t : CheckFalseText(ACol, ARow));
    if (State != was)
      DoCheckBoxChange(ACol, ARow, State);
    return true;
  }
  case ctRowCheckBox:
    if (ACol != 0)
      return false;
    if (State != RowSelect(ARow)) {
      SetRowSelect(ARow, State);
      DoCheckBoxChange(ACol, ARow, State);
    }
    return true;
  default:
    return false;
  }
}

bool TZavStringGrid::DoToggleCheckBox(int ACol, int ARow, bool CheckEditable)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g)
    return false;

  const bool autoGroup = Grouping()->AutoCheckGroup();
  bool nodeRow = false, contracted = false;
  int span = 0, parent = -1, parentSpan = 0;
  if (autoGroup) {
    nodeRow = IsNode(ARow);
    if (nodeRow) {
      span = GetNodeSpan(ARow);
      contracted = GetNodeState(ARow);
    } else {
      parent = GetParentRow(ARow);
      if (parent != -1)
        parentSpan = GetNodeSpan(parent);
    }
  }

  const TCellType kind = g->CellType();
  if (!CheckBoxKinds.Contains(kind))
    return false;
  if (CheckEditable && !ControlLook()->CheckAlwaysActive()) {
    bool canEdit = true;
    QueryCanEdit(ACol, ARow, canEdit);
    if (!canEdit)
      return false;
  }

  const QString checkTrue = CheckTrueText(ACol, ARow);
  const QString checkFalse = CheckFalseText(ACol, ARow);
  // The undo step records this state: the graphic's flag says nothing about a data box.
  bool before = false;
  bool S = false;
  switch (kind) {
  case ctCheckBox:
    before = g->CellBoolean();
    g->SetCellBoolean(!before);
    S = !before;
    break;
  case ctTriStateCheckBox: {
    const TCheckBoxState st = g->CellCheckBoxState();
    before = st == cbChecked;
    if (nodeRow) {
      g->SetCellCheckBoxState(st == cbChecked ? cbUnchecked : cbChecked);
      S = g->CellCheckBoxState() == cbChecked;
    } else {
      g->SetCellCheckBoxState(st == cbUnchecked ? cbGrayed : st == cbGrayed ? cbChecked : cbUnchecked);
      S = false;
    }
    break;
  }
  case ctRowCheckBox: {
    // The row box shows the row's selection, so that is what toggles.
    const int real = RealRowIndex(ARow);
    before = RowSelect(real);
    SetRowSelect(real, !before);
    S = !before;
    break;
  }
  default:
    before = Cells(ACol, ARow) == checkTrue;
    SetCells(ACol, ARow, before ? checkFalse : checkTrue);
    S = !before;
    break;
  }

  RepaintCell(DisplColIndex(ACol), ARow);
  DoCheckBoxChange(ACol, ARow, S);

  if (autoGroup) {
    if (nodeRow) {
      for (int e = 1; e < span; ++e)
        SetCheckBoxState(ACol, contracted ? RealRowIndex(ARow) + e : RealRowIndex(ARow + e), S);
    } else if (parent != -1) {
      bool first = false, same = true;
      GetCheckBoxState(ACol, RealRowIndex(parent + 1), first);
      for (int e = 2; e < parentSpan; ++e) {
        bool s = false;
        GetCheckBoxState(ACol, RealRowIndex(parent + e), s);
        same = same && s == first;
      }
      SetCheckBoxState(ACol, RealRowIndex(parent), same ? BoolToCheckBoxState(first) : cbGrayed);
    }
  }

  if (UndoRedo())
    UndoRedo()->RegisterChange(ACol, ARow, before ? checkTrue : checkFalse, S ? checkTrue : checkFalse);
  return true;
}

void TZavStringGrid::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox)
{
  for (int r = CheckColumnStartRow(); r < RowCount(); ++r) {
    if (IsSummary(r))
      continue;
    if (IsNode(r))
      AddCheckBox(ACol, r, cbUnchecked);
    else
      AddCheckBox(ACol, r, DefaultState, DataCheckBox);
  }
}

void TZavStringGrid::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State)
{
  for (int r = CheckColumnStartRow(); r < RowCount(); ++r)
    AddCheckBox(ACol, r, State);
}

void TZavStringGrid::RemoveCheckBoxColumn(int ACol)
{
  for (int r = CheckColumnStartRow(); r < RowCount(); ++r)
    if (HasCheckBox(ACol, r))
      RemoveCheckBox(ACol, r);
}

void TZavStringGrid::CheckAll(int ACol)
{
  for (int r = FixedRows(); r < RowCount(); ++r)
    ChangeCheckBoxState(ACol, r, true);
  if (NumHiddenColumns() > 0)
    RepaintCol(DisplColIndex(ACol));
}

void TZavStringGrid::UnCheckAll(int ACol)
{
  for (int r = FixedRows(); r < RowCount(); ++r)
    ChangeCheckBoxState(ACol, r, false);
}

bool TZavStringGrid::IsInCheckBox(int ACol, int ARow, int XPos, int YPos)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g || !(CheckBoxKinds.Contains(g->CellType()) || g->CellType() == ctRadioButton))
    return false;
  if (!MouseActions()->PreciseCheckBoxCheck())
    return true;
  const TRect r = CellRect(DisplColIndex(ACol), ARow);
  const int s = ControlLook()->CheckSize();
  TRect box;
  switch (g->CellVAlign()) {
  case vaBottom:
    box.Top = r.Bottom - s - 2;
    break;
  case vaCenter:
    box.Top = r.Top + (r.Bottom - r.Top - s) / 2;
    break;
  default:
    box.Top = r.Top + 2;
    break;
  }
  switch (TAlignment(GetCellAlignment(ACol, ARow) & 0xFF)) {
  case taRightJustify:
    box.Left = r.Right - s - 2;
    if (!Cells(ACol, ARow).isEmpty())
      box.Left -= GetCellTextSize(ACol, ARow, false, false).cx;
    break;
  case taCenter:
    box.Left = r.Left + (r.Right - r.Left - s) / 2;
    break;
  default:
    box.Left = r.Left + 2;
    break;
  }
  box.Bottom = box.Top + s;
  box.Right = box.Left + s;
  return PtInRect(box, TPoint(XPos, YPos));
}

// ---------------------------------------------------------------------------------------------
// Radio buttons and radio groups

void TZavStringGrid::AddRadioButton(int ACol, int ARow, bool State)
{
  CheckAddCell(ACol, ARow);
  if (TCellGraphic *g = CreateCellGraphic(ACol, ARow))
    g->SetRadioButton(State, true, haBeforeText, CheckBoxVAlign());
}

void TZavStringGrid::RemoveRadioButton(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadioButton); }

bool TZavStringGrid::HasRadioButton(int ACol, int ARow) { return IsCellTypeIn(ACol, ARow, {ctRadioButton}); }

bool TZavStringGrid::IsRadioButtonChecked(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return false;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic *g = GetCellGraphic(b.X, b.Y);
  return g && g->CellType() == ctRadioButton && g->CellBoolean();
}

bool TZavStringGrid::SetRadioButtonState(int ACol, int ARow, bool State)
{
  if (ACol < 0 || ARow < 0)
    return false;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic *g = GetCellGraphic(b.X, b.Y);
  if (!g || g->CellType() != ctRadioButton)
    return false;
  if (g->CellBoolean() != State) {
    g->SetCellBoolean(State);
    RepaintCell(DisplColIndex(b.X), b.Y);
  }
  return true;
}

bool TZavStringGrid::DoToggleRadioButton(int ACol, int ARow, bool CheckEditable)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctRadioButton)
    return false;
  if (CheckEditable && !ControlLook()->CheckAlwaysActive()) {
    bool canEdit = true;
    QueryCanEdit(ACol, ARow, canEdit);
    if (!canEdit)
      return false;
  }
  if (!g->CellBoolean()) {
    g->SetCellBoolean(true);
    RepaintCell(DisplColIndex(ACol), ARow);
    for (int r = 0; r < RowCount(); ++r) {
      if (r == ARow)
        continue;
      TCellGraphic *other = GetCellGraphic(ACol, r);
      if (other && other->CellType() == ctRadioButton && other->CellBoolean()) {
        other->SetCellBoolean(false);
        RepaintCell(DisplColIndex(ACol), r);
      }
    }
  }
  return true;
}

void TZavStringGrid::AddRadioButtonColumn(int ACol)
{
  for (int r = FixedRows(); r < RowCount(); ++r)
    AddRadioButton(ACol, r, false);
}

void TZavStringGrid::RemoveRadioButtonColumn(int ACol)
{
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (HasRadioButton(ACol, r))
      RemoveRadioButton(ACol, r);
}

void TZavStringGrid::SetRadioButtonColumnIndex(int ACol, int Index)
{
  for (int r = FixedRows(); r < RowCount(); ++r)
    SetRadioButtonState(ACol, r, r == Index);
}

int TZavStringGrid::GetRadioButtonColumnIndex(int ACol)
{
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (IsRadioButtonChecked(ACol, r))
      return r;
  return -1;
}

void TZavStringGrid::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings *sl)
{
  TCellGraphic *g = CreateCellGraphic(ACol, ARow);
  if (!g)
    return;
  g->SetCellType(ctRadio);
  g->SetCellBitmap(sl);
  g->SetCellAngle(sl ? sl->Count() : 0);
  g->SetCellBoolean(DirRadio != 0);
  g->SetCellIndex(IdxRadio);
}

TStrings *TZavStringGrid::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio)
{
  TCellGraphic *g = CreateCellGraphic(ACol, ARow);
  if (!g)
    return nullptr;
  auto *sl = new TStringList;
  g->SetCellType(ctRadio);
  g->SetCellBitmap(sl);
  g->SetCellCreated(true);
  g->SetCellAngle(0);
  g->SetCellBoolean(DirRadio != 0);
  g->SetCellIndex(IdxRadio);
  return sl;
}

bool TZavStringGrid::IsRadio(int ACol, int ARow) { return IsCellTypeIn(ACol, ARow, {ctRadio}); }

void TZavStringGrid::RemoveRadio(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadio); }

bool TZavStringGrid::GetRadioIdx(int ACol, int ARow, int &IdxRadio)
{
  // Other kinds keep unrelated numbers in the index field.
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctRadio)
    return false;
  IdxRadio = g->CellIndex();
  return true;
}

bool TZavStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctRadio)
    return false;
  g->SetCellIndex(IdxRadio);
  if (IdxRadio == -1)
    SetCells(ACol, ARow, QString());
  RepaintCell(DisplColIndex(ACol), ARow);
  return true;
}

TStrings *TZavStringGrid::GetRadioStrings(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return nullptr;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic *g = GetCellGraphic(b.X, b.Y);
  return g && g->CellType() == ctRadio ? dynamic_cast<TStrings *>(g->CellBitmap()) : nullptr;
}

bool TZavStringGrid::SelectNextRadio(int ACol, int ARow, bool CheckEditable)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctRadio)
    return false;
  auto *items = dynamic_cast<TStrings *>(g->CellBitmap());
  // Nothing to step to: item 0 of an empty list does not exist.
  if (!items || items->Count() == 0)
    return false;
  if (CheckEditable && !ControlLook()->RadioAlwaysActive()) {
    bool canEdit = true;
    QueryCanEdit(ACol, ARow, canEdit);
    if (!canEdit)
      return false;
  }
  int next = g->CellIndex() >= 0 ? g->CellIndex() + 1 : items->IndexOf(Cells(ACol, ARow)) + 1;
  if (next >= items->Count())
    next = 0;
  if (g->CellIndex() >= -1)
    g->SetCellIndex(next);
  g->SetCellVar(next);
  SetCells(ACol, ARow, items->Strings(next));
  return false;
}

// ---------------------------------------------------------------------------------------------
// Event dispatchers

void TZavStringGrid::DoCheckBoxChange(int ACol, int ARow, bool State)
{
  if (OnCheckBoxChange)
    OnCheckBoxChange(this, ACol, ARow, State);
}

bool TZavStringGrid::DoRatingChange(int ACol, int ARow, double &NewRate)
{
  bool allow = true;
  if (OnRatingChange)
    OnRatingChange(this, ACol, ARow, NewRate, allow);
  return allow;
}

void TZavStringGrid::DoCanAddRow(bool &CanAdd)
{
  if (OnCanAddRow)
    OnCanAddRow(this, CanAdd);
}

void TZavStringGrid::DoCanInsertRow(int ARow, bool &CanInsert)
{
  if (OnCanInsertRow)
    OnCanInsertRow(this, ARow, CanInsert);
}
