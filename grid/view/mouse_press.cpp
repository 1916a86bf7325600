// Left press on the grid: which zone of which cell it lands on decides between check boxes,
// radio groups, cell and expand buttons, node glyphs, links, fixed-column sizing and the
// platform's own selection handling.
#include "grid/core/zav_string_grid.h"

#include "framework/dialogs/dialogs.h"
#include "grid/core/control_look.h"
#include "grid/core/feature_settings.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/markup_utils.h"

#include <cmath>

namespace {

// Only schemes that show a document; anything else (a file, a program) loaded from a file or
// pasted into a cell must not be started by a click.
bool IsSafeLink(const QString &Anchor)
{
  const QString a = Anchor.trimmed().toLower();
  for (const char *scheme : {"http://", "https://", "ftp://", "mailto:"})
    if (a.startsWith(QLatin1String(scheme)))
      return true;
  return false;
}

// The modifier OnMouseDown gets in the node and column-0 branches: one modifier only.
TShiftState SingleModifier()
{
  if (GetKeyState(VK_MENU) < 0)
    return {ssAlt};
  if (GetKeyState(VK_SHIFT) < 0)
    return {ssShift};
  if (GetKeyState(VK_CONTROL) < 0)
    return {ssCtrl};
  return {};
}

} // namespace

int TZavStringGrid::FixedColBorder(int I)
{
  int x = 0;
  for (int i = 0; i <= I; ++i)
    x += ColWidths(i) + 1;
  return x;
}

int TZavStringGrid::FixedRowBorder(int I)
{
  int y = 0;
  for (int i = 0; i <= I; ++i)
    y += RowHeights(i) + 1;
  return y;
}

int TZavStringGrid::FixedColAtBorder(int X)
{
  int found = -1;
  for (int i = 0; i < FixedCols(); ++i)
    if (std::abs(FixedColBorder(i) - X) < 3)
      found = i;
  return found;
}

int TZavStringGrid::FixedRowAtBorder(int Y)
{
  int found = -1;
  for (int i = 0; i < FixedRows(); ++i)
    if (std::abs(FixedRowBorder(i) - Y) < 3)
      found = i;
  return found;
}

// A cell the user may change: the editing option (or range-select-and-edit) and then the
// cell's own answer.
bool TZavStringGrid::CellInputEditable(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0 || IsFixed(RealToDisplCol(ACol), ARow))
    return false;
  bool canEdit = Options().Contains(goEditing) || MouseActions()->RangeSelectAndEdit();
  QueryCanEdit(ACol, ARow, canEdit);
  return canEdit;
}

void TZavStringGrid::OpenLink(const QString &Anchor)
{
  if (!Anchor.toUpper().contains(QLatin1String("CELL://"))) {
    if (IsSafeLink(Anchor))
      OpenURL(Anchor);
    return;
  }
  TPoint cell;
  if (!ParseRCCellRef(Anchor.mid(Anchor.toUpper().indexOf(QLatin1String("CELL://")) + 7), cell))
    return;
  // A reference outside the grid is ignored rather than raising from a click.
  if (cell.X < FixedCols() || cell.X >= ColCount() || cell.Y < FixedRows() || cell.Y >= RowCount())
    return;
  FocusCell(cell.X, cell.Y, true);
}

// Remembers the cell whose right or bottom border a press near a border grabs, and the press.
void TZavStringGrid::PressGrabBorder(int ACol, int ARow, int X, int Y)
{
  if (ARow == 0)
    MouseToCell(X - 5, Y, Colclicked, Rowclicked);
  else if (ACol == 0)
    MouseToCell(X, Y - 4, Colclicked, Rowclicked);
  else
    MouseToCell(X - 5, Y - 4, Colclicked, Rowclicked);
  if (Colclicked >= 0 && Rowclicked >= 0) {
    Colclickedsize = ColWidths(Colclicked);
    Rowclickedsize = RowHeights(Rowclicked);
  }
  Clickposx = X;
  Clickposy = Y;
}

// Sizing a fixed column or row: the pointer rests on its border (found by the move).
bool TZavStringGrid::PressSizeFixed(int X, int Y)
{
  if (FSizeFixed) {
    FSizingFixed = true;
    FSizeFixedX = X;
    FSizingFixedCol = FixedColAtBorder(X);
  } else if (FSizeFixedR) {
    FSizingFixedR = true;
    FSizeFixedY = Y;
    FSizingFixedRow = FixedRowAtBorder(Y);
  } else {
    return false;
  }
  Invalidate();
  return true;
}

// The expand or contract glyph of a node row.
void TZavStringGrid::PressNodeGlyph(int ACol, int ARow, int X, int Y)
{
  if (OnMouseDown)
    OnMouseDown(this, mbLeft, SingleModifier(), X, Y);
  if (OnClickCell)
    OnClickCell(this, ARow, ACol);
  const int realRow = DisplToRealRow(ARow);
  bool go = true;
  if (GetNodeState(ARow)) {
    if (OnBeforeExpandNode)
      OnBeforeExpandNode(this, ARow, realRow, go);
    if (go) {
      ExpandNode(realRow);
      if (OnExpandNode)
        OnExpandNode(this, ARow, realRow);
    }
  } else {
    if (OnBeforeContractNode)
      OnBeforeContractNode(this, ARow, realRow, go);
    if (go) {
      ContractNode(realRow);
      if (OnContractNode)
        OnContractNode(this, ARow, realRow);
    }
  }
  if (MouseActions()->MoveRowOnNodeClick())
    SetRow(ARow);
}

// A radio group takes the press as its choice, a rating as its value.
bool TZavStringGrid::PressRadioOrRating(int ACol, int ARow, int RealCol, int X, int Y)
{
  const TRect R = CellRect(ACol, ARow);
  if (IsRadio(RealCol, ARow) && (CellInputEditable(RealCol, ARow) || ControlLook()->RadioAlwaysActive())) {
    HideInplaceEdit();
    ClickRadioGroup(RealCol, ARow, X - R.Left, Y - R.Top);
    if (CanFocus())
      SetFocus();
    return true;
  }
  if (HasRating(RealCol, ARow) && CellInputEditable(RealCol, ARow)) {
    HideInplaceEdit();
    double v = std::round(double(X - R.Left) / 9.0) / 2.0;
    if (DoRatingChange(RealCol, ARow, v)) {
      SetFloats(RealCol, ARow, v);
      RepaintCell(ACol, ARow);
    }
    return true;
  }
  return false;
}

// The press relative to the grabbed border's corner (the press itself without one).
void TZavStringGrid::PressGrabOffset(int X, int Y)
{
  if (Colclicked >= 0 && Rowclicked >= 0) {
    const TRect cr = CellRect(Colclicked, Rowclicked);
    Clickposdx = X - cr.Right;
    Clickposdy = Y - cr.Bottom;
  } else {
    Clickposdx = X;
    Clickposdy = Y;
  }
}

// Cell and expand buttons: pushed now, clicked on a release inside them. True when the press
// landed on the button.
bool TZavStringGrid::PressCellButton(int ACol, int ARow, int RealCol, int X, int Y)
{
  const bool hasButton = HasButton(RealCol, ARow);
  const bool hasExpand = !hasButton && HasExpand(RealCol, ARow);
  if (!hasButton && !hasExpand)
    return false;
  HideInplaceEdit();
  if (!IsFixed(ACol, ARow)) {
    FForceSel = true;
    if (ACol != Col() || ARow != Row())
      FocusCell(ACol, ARow, true);
    FForceSel = false;
  }
  const TRect br = hasButton ? GetCellButtonRect(ACol, ARow) : GetExpandRect(ACol, ARow);
  if (!br.Contains(TPoint(X, Y)))
    return false;
  PushButton(ACol, ARow, true);
  FPushedCellButton = TPoint(ACol, ARow);
  SetMouseCapture(true);
  if (OnClickCell)
    OnClickCell(this, ARow, ACol);
  return true;
}

// A check box or radio button of the cell toggled by the press.
void TZavStringGrid::PressCheckBox(int ACol, int ARow, int RealCol, bool RadioButton, int X, int Y)
{
  HideInplaceEdit();
  if (CanFocus())
    SetFocus();
  const int realRow = RealRowIndex(ARow);
  if (RadioButton) {
    DoToggleRadioButton(RealCol, ARow, true);
    if (OnRadioButtonClick)
      OnRadioButtonClick(this, RealCol, ARow);
  } else {
    DoToggleCheckBox(RealCol, ARow, true);
  }
  if (ShowModified()->Enabled()) {
    SetRowModified(ARow, true);
    RepaintCell(0, ARow);
  }
  bool state = false;
  GetCheckBoxState(RealCol, realRow, state);
  if (!Navigation()->AlwaysEdit() && ACol >= FixedCols())
    MoveColRow(ACol, ARow, true, true);
  DoCheckBoxClick(ACol, ARow, state);
  if (HideFocusRect())
    RepaintCell(ACol, ARow);
  if (OnMouseDown)
    OnMouseDown(this, mbLeft, KeyboardStateToShiftState(), X, Y);
  Click();
}

// After the platform's press: a direct-edit cell opens its editor when the press is inside it.
void TZavStringGrid::PressDirectEdit(int ACol, int ARow, int X)
{
  const TRect nr = CellRect(ACol, ARow);
  if (X <= nr.Left + 3 || X >= nr.Right - 3 || IsClickControlCell(DisplToRealCol(ACol), ARow) || EditorMode())
    return;
  bool go = true;
  if (Row() != ARow && OnRowChanging)
    OnRowChanging(this, Row(), ARow, go);
  if (Col() != ACol && OnColChanging)
    OnColChanging(this, Col(), ACol, go);
  if ((Col() != ACol || Row() != ARow))
    DoCellChanging(Row(), Col(), ARow, ACol, go);
  if (go) {
    if (Col() != ACol || Row() != ARow)
      FocusCell(ACol, ARow, true);
    RememberOldCell(ACol, ARow);
    ShowInplaceEdit();
  }
}

void TZavStringGrid::WMLButtonDown(TWMMouse &Message)
{
  const int X = Message.XPos, Y = Message.YPos;
  FDoOnClick = FMouseDownMove = FMouseKeepDown = true;
  FSpinUpClick = FSpinDnClick = false;
  // A resize whose release never came (the capture was taken away) pastes nothing later.
  FMouseResize = false;
  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  const TGridRect pressSel = Selection();

  if (OnSelectionHandle(X, Y)) {
    StartSelectionResize(Message);
    return;
  }

  if (Options().Contains(goEditing) && MouseActions()->RangeSelectAndEdit()) {
    const TGridRect s = Selection();
    const bool inside = ACol >= s.Left && ACol < s.Right && ARow >= s.Top && ARow < s.Bottom;
    if (!inside)
      SetOptions(Options() - goEditing);
  }

  bool allow = true;
  if (OnCanClickCell)
    OnCanClickCell(this, ARow, ACol, allow);
  if (!allow)
    return;

  if (FCellSelectorMode) {
    CellSelectorClick(ACol, ARow);
    return;
  }

  const TShiftState shift = SingleModifier();
  // A plain press on a data cell starts a new disjunct cell selection.
  if (MouseActions()->DisjunctCellSelect() && !shift.Contains(ssCtrl) && ACol >= 0 && ARow >= 0 &&
      !IsFixed(ACol, ARow)) {
    FSelectedCells->Clear();
    Invalidate();
  }

  SetIncrSearchText(QString());
  FSelectionClick = false;
  FPushedCellButton = TPoint(-1, -1);
  FOldKeepLeftCol = LeftCol();
  FOldTopRow = TopRow();
  PressGrabBorder(ACol, ARow, X, Y);

  const bool inFixed = ACol >= 0 && ARow >= 0 && (ARow < FixedRows() || ACol < FixedCols());
  if (ACol == -1 || ARow == -1) {
    HideInplaceEdit();
    if (!FixedRowAlways())
      TBaseGrid::WMLButtonDown(Message);
    return;
  }

  const int pcol = ACol, prow = ARow;
  const TPoint base = BaseCell(ACol, ARow);
  ACol = base.X;
  ARow = base.Y;
  const TRect R = CellRect(ACol, ARow);

  if (PressSizeFixed(X, Y))
    return;

  if (inFixed || IsFixed(ACol, ARow))
    HideInplaceEdit();
  const bool fixedLike = IsFixed(ACol, ARow) && !inFixed;
  const int realCol = DisplToRealCol(ACol);

  if (ControlLook()->SpinButtonsAlwaysVisible() && HasSpinEditor(realCol, ARow) && X >= R.Right - 18)
    (Y > (R.Top + R.Bottom) / 2 ? FSpinDnClick : FSpinUpClick) = true;
  if (ARow >= FixedRows() && ACol == 0 && IsNode(ARow) && IsOnNodeGlyph(ARow, X)) {
    PressNodeGlyph(ACol, ARow, X, Y);
    return;
  }
  if (PressRadioOrRating(ACol, ARow, realCol, X, Y) || PressCellButton(ACol, ARow, realCol, X, Y))
    return;

  // A press inside a merged block reaches the platform at the block's base cell.
  if (IsMergedCell(pcol, prow) && !IsFixed(ACol, ARow) && !OnMouseDown) {
    Message.XPos = int16_t(R.Left + 2);
    Message.YPos = int16_t(R.Top + 2);
  }

  if (ACol >= ColCount() || ARow >= RowCount()) {
    TBaseGrid::WMLButtonDown(Message);
    return;
  }

  PressGrabOffset(X, Y);
  if (PressDisjunct(ACol, ARow, shift, pressSel, Message))
    return;

  // Links and in-cell controls of mark-up texts.
  if (PressLink(ACol, ARow, pcol, prow, X, Y))
    return;

  PressFixedSelect(ACol, ARow, shift);
  if (ACol >= FixedCols() && ARow < FixedRows())
    Movecell = ACol;
  else if (ACol < FixedCols() && ARow >= FixedRows())
    Movecell = ARow;
  MoveOfsX = X - R.Left;
  MoveOfsY = Y - R.Top;

  const bool canEdit = CellInputEditable(realCol, ARow);
  const bool isRB = HasRadioButton(realCol, ARow);

  if ((canEdit || ControlLook()->CheckAlwaysActive()) && ARow >= FixedRows() &&
      (HasCheckBox(realCol, ARow) || isRB) && IsInCheckBox(realCol, ARow, X, Y)) {
    PressCheckBox(ACol, ARow, realCol, isRB, X, Y);
    return;
  }

  const bool normal = ACol >= FixedCols() && ARow >= FixedRows() && !IsFixed(ACol, ARow);
  const bool comboAlways = normal && ControlLook()->DropDownAlwaysVisible() && HasComboEditor(realCol, ARow);
  const bool directEdit = MouseActions()->DirectEdit() || (ControlLook()->DropDownAlwaysVisible() && comboAlways);
  const bool editGate = canEdit || (MouseActions()->EditOnDblClickOnly() && comboAlways);
  if (normal && editGate && directEdit) {
    if (MouseActions()->EditOnDblClickOnly() && comboAlways)
      FEditActive = false;
    HideInplaceEdit();
    if (CanFocus())
      SetFocus();
  }

  if (fixedLike) {
    if (OnClickCell)
      OnClickCell(this, ARow, ACol);
    return;
  }

  TBaseGrid::WMLButtonDown(Message);

  const bool sizingGrab = prow < FixedRows() && Options().Contains(goColSizing) &&
                          (std::abs(X - R.Left) < 4 || std::abs(X - R.Right) < 4);
  if (OnClickCell && !sizingGrab)
    OnClickCell(this, ARow, ACol);
  if (OnCellValidate) {
    FEntered = false;
    RememberOldCell(Col(), Row());
  }
  if (normal && editGate && directEdit)
    PressDirectEdit(ACol, ARow, X);
}

void TZavStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  if (MouseActions()->RangeSelectAndEdit() && Button == mbLeft && !MouseActions()->EditOnDblClickOnly() &&
      ACol >= 0 && ARow >= 0) {
    if (ACol == Col() && ARow == Row() && !Options().Contains(goEditing) &&
        CellInputEditable(DisplToRealCol(ACol), ARow)) {
      SetOptions(Options() + goEditing);
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      ShowInplaceEdit();
      return;
    }
    if ((ACol != Col() || ARow != Row()) && Options().Contains(goEditing) && Shift.Contains(ssShift)) {
      SetOptions(Options() - goEditing);
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      return;
    }
  }
  TBaseGrid::MouseDown(Button, Shift, X, Y);

  // The fixed-cell editor; on a sizing grid a left press must keep clear of the borders.
  if (ACol < 0 || ARow < 0 || (ACol >= FixedCols() && ARow >= FixedRows()))
    return;
  TMouseActions *ma = MouseActions();
  const TRect R = CellRect(ACol, ARow);
  auto inset = [&](bool sizing) {
    return !sizing || (X >= R.Left + 4 && X < R.Right - 4 && Y >= R.Top + 4 && Y < R.Bottom - 4);
  };
  if (Button == mbLeft && ARow < FixedRows() && ma->FixedRowsEdit() == fceLeftClick) {
    if (inset(Options().Contains(goColSizing)))
      ShowFixedCellEditor(ACol, ARow);
  } else if (Button == mbLeft && ACol < FixedCols() && ma->FixedColsEdit() == fceLeftClick) {
    if (inset(Options().Contains(goRowSizing)))
      ShowFixedCellEditor(ACol, ARow);
  } else if (Button == mbRight && ((ARow < FixedRows() && ma->FixedRowsEdit() == fceRightClick) ||
                                   (ACol < FixedCols() && ma->FixedColsEdit() == fceRightClick))) {
    ShowFixedCellEditor(ACol, ARow);
  }
}

void TZavStringGrid::ClickRadioGroup(int ACol, int ARow, int DX, int DY)
{
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic *g = GetCellGraphic(b.X, b.Y);
  TStrings *items = g ? dynamic_cast<TStrings *>(g->CellBitmap()) : nullptr;
  if (!items)
    return;
  const int dcol = RealToDisplCol(b.X);
  if (!IsFixed(dcol, b.Y))
    FocusCell(dcol, b.Y, true);
  const int glyph = int(ControlLook()->ControlStyle()) >= int(ZavGrid::TControlStyle::csWinXP) ? 16 : ControlLook()->RadioSize();
  Canvas()->Font()->Assign(Font());
  int start = 0, chosen = -1;
  for (int i = 0; i < items->Count(); ++i) {
    const int span = g->CellBoolean() ? Canvas()->TextWidth(items->Strings(i)) + glyph
                                          : std::max(glyph, Canvas()->TextHeight(QStringLiteral("gh")));
    const int d = g->CellBoolean() ? DX : DY;
    if (d > start && d <= start + span) {
      chosen = i;
      break;
    }
    start += span;
  }
  if (chosen < 0)
    return;
  if (g->CellIndex() == -1)
    SetCells(b.X, b.Y, items->Strings(chosen));
  SetRadioIdx(dcol, b.Y, chosen);
  if (OnRadioClick)
    OnRadioClick(this, dcol, b.Y, chosen);
}
