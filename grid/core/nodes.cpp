// Node rows and expand cells. A node row keeps its state in the ctNode graphic of its column-0
// cell; contracting moves the rows it owns into the hidden-row store and expanding brings
// them back, so every cell, object and height travels with the hidden-row records.
#include "grid/core/zav_string_grid.h"

#include <algorithm>

#include "grid/core/cell_node.h"
#include "grid/foundation/grid_helpers.h"
#include "grid/foundation/grid_options.h"

TCellGraphic *TZavStringGrid::NodeGraphic(int ARow)
{
  if (ARow < 0)
    return nullptr;
  TCellGraphic *g = GetCellGraphic(0, ARow);
  return g && g->CellType() == ctNode ? g : nullptr;
}

// The display row after the last row a node owns: its span, or with a span below 1 the next
// node row; never past the grid. The span counts real rows: rows hidden inside it (HideRow,
// filters, folded nodes) shorten it on screen, and rows after it are never taken in.
int TZavStringGrid::NodeEnd(int ARow, TCellGraphic *Node)
{
  if (Node->CellIndex() > 0)
    return std::min(RealToDisplRow(RealRowIndex(ARow) + Node->CellIndex()), RowCount());
  int e = ARow + 1;
  while (e < RowCount() && !IsNode(e))
    ++e;
  return e;
}

bool TZavStringGrid::IsNode(int ARow) { return ARow >= 0 && GetCellType(0, ARow) == ctNode; }

bool TZavStringGrid::IsSummary(int ARow) { return ARow >= 0 && GetCellType(0, ARow) == ctSummary; }

bool TZavStringGrid::HasNodes() { return FNumNodes > 0; }

int TZavStringGrid::GetNodeIndent(int ARow)
{
  if (!HasNodes() || ARow < 0 || !HasCellProperties(0, ARow))
    return 0;
  return CellProperties(0, ARow)->NodeLevel() * FCellNode->NodeIndent();
}

void TZavStringGrid::AddNode(int ARow, int Span)
{
  const int d = RealToDisplRow(ARow);
  TCellGraphic *g = CreateCellGraphic(0, d);
  if (!g)
    return;
  // A span reaching past the last row would raise levels of rows that are not there.
  if (Span > 0 && d + Span > RowCount())
    Span = RowCount() - d;
  g->SetCellType(ctNode);
  g->SetCellAngle(d);
  g->SetCellBoolean(false);
  g->SetCellIndex(Span);
  g->SetCellHAlign(haBeforeText);
  g->SetCellVAlign(vaCenter);
  g->SetCellErrFrom(0);
  g->SetCellVar(-1);
  for (int r = d; r < d + Span; ++r) {
    TCellProperties *p = CellProperties(0, r);
    p->SetNodeLevel(p->NodeLevel() + 1);
  }
  if (FNumNodes == 0)
    RepaintCol(0);
  ++FNumNodes;
  if (Col() == 0 && ColCount() > 1)
    SetCol(1);
}

void TZavStringGrid::MakeSummaryRow(int ARow)
{
  if (TCellGraphic *g = CreateCellGraphic(0, RealToDisplRow(ARow)))
    g->SetCellType(ctSummary);
}

void TZavStringGrid::RemoveNode(int ARow)
{
  const int d0 = RealToDisplRow(ARow);
  if (!NodeGraphic(d0))
    return;
  ExpandNode(ARow);
  const int d = RealToDisplRow(ARow);
  TCellGraphic *g = NodeGraphic(d);
  const int e = NodeEnd(d, g);
  for (int r = d; r < e; ++r)
    if (HasCellProperties(0, r)) {
      TCellProperties *p = CellProperties(0, r);
      p->SetNodeLevel(std::max(p->NodeLevel() - 1, 0));
    }
  RemoveCellGraphic(0, d);
  FNumNodes = std::max(FNumNodes - 1, 0);
}

void TZavStringGrid::RemoveAllNodes()
{
  for (int d = 0; d < RowCount(); ++d)
    if (IsNode(d))
      RemoveNode(RealRowIndex(d));
  Invalidate();
}

bool TZavStringGrid::GetNodeState(int ARow)
{
  TCellGraphic *g = NodeGraphic(ARow);
  return g && g->CellBoolean();
}

void TZavStringGrid::SetNodeState(int ARow, bool Value)
{
  TCellGraphic *g = NodeGraphic(ARow);
  if (!g || g->CellBoolean() == Value)
    return;
  if (Value)
    ContractNode(RealRowIndex(ARow));
  else
    ExpandNode(RealRowIndex(ARow));
}

int TZavStringGrid::GetNodeLevel(int ARow)
{
  if (!NodeGraphic(ARow) || !HasCellProperties(0, ARow))
    return -1;
  return CellProperties(0, ARow)->NodeLevel();
}

int TZavStringGrid::GetNodeSpan(int ARow)
{
  TCellGraphic *g = NodeGraphic(ARow);
  return g ? g->CellIndex() : -1;
}

void TZavStringGrid::SetNodeSpan(int ARow, int Span)
{
  if (TCellGraphic *g = NodeGraphic(ARow))
    g->SetCellIndex(Span);
}

void TZavStringGrid::UpdateNodeSpan(int ARow, int Delta)
{
  if (TCellGraphic *g = NodeGraphic(ARow))
    g->SetCellIndex(g->CellIndex() + Delta);
}

int TZavStringGrid::GetSubNodeCount(int ARow)
{
  TCellGraphic *g = NodeGraphic(ARow);
  return g ? g->CellErrFrom() : 0;
}

void TZavStringGrid::UpdateSubNodeCount(int ARow, int Delta)
{
  if (TCellGraphic *g = NodeGraphic(ARow))
    g->SetCellErrFrom(g->CellErrFrom() + Delta);
}

int TZavStringGrid::GetNodeSpanType(int ARow)
{
  if (IsNode(ARow))
    return 0;
  if (ARow >= RowCount() - FFixedFooters - 1)
    return 1;
  const int own = HasCellProperties(0, ARow) ? CellProperties(0, ARow)->NodeLevel() : 0;
  if (HasCellProperties(0, ARow + 1) && CellProperties(0, ARow + 1)->NodeLevel() >= own)
    return 2;
  return 1;
}

void TZavStringGrid::ExpandNode(int ARow)
{
  if (FCellNode->ExpandOne())
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (TCellGraphic *g = NodeGraphic(r); g && !g->CellBoolean() && RealRowIndex(r) != ARow)
        ContractNode(RealRowIndex(r));

  const int d = RealToDisplRow(ARow);
  TCellGraphic *g = NodeGraphic(d);
  if (!g || !g->CellBoolean())
    return;
  g->SetCellBoolean(false);
  // The hidden rows a contracted node owns lie right after it in real order.
  const int e = g->CellIndex() != 0 ? d + 1 : NodeEnd(d, g);

  const int topReal = RealRowIndex(TopRow());
  const int rowReal = RealRowIndex(Row());
  const bool disjunct = FMouseActions->DisjunctRowSelect();
  FMouseActions->SetDisjunctRowSelectDirect(false);
  const bool rowSelect = Options().Contains(goRowSelect);
  if (rowSelect)
    SetOptions(Options() - goRowSelect);
  const bool locked = !(FControlList && FControlList->Count() > 0);
  if (locked)
    BeginUpdate();

  // Rows hidden past the node's span (HideRow, filters) are not the node's to show.
  int last = RealRowIndex(e) - 1;
  if (g->CellIndex() > 0)
    last = std::min(last, ARow + g->CellIndex() - 1);
  UnHideRows(ARow + 1, last);

  if (rowSelect) {
    SetOptions(Options() + goRowSelect);
    const int row = RealToDisplRow(rowReal);
    if (row >= FixedRows() && row < RowCount())
      SetRow(row);
    const int top = RealToDisplRow(topReal);
    if (top >= FixedRows() && top < RowCount())
      SetTopRow(top);
  }
  FMouseActions->SetDisjunctRowSelectDirect(disjunct);
  if (locked)
    EndUpdate();
  CalcFooter(-1);
}

void TZavStringGrid::ContractNode(int ARow)
{
  HideInplaceEdit();
  FForceSelection = true;
  const int d = RealToDisplRow(ARow);
  TCellGraphic *g = NodeGraphic(d);
  if (!g || g->CellBoolean()) {
    FForceSelection = false;
    return;
  }
  g->SetCellBoolean(true);
  int e = NodeEnd(d, g);
  const int start = d + 1;
  int r = start;
  while (r < e) {
    TCellGraphic *inner = NodeGraphic(r);
    if (inner && inner->CellBoolean()) {
      // The inner node's rows are hidden already; they come back with the outer node, so it
      // is marked expanded and the rows up to it leave now.
      inner->SetCellBoolean(false);
      HideRows(RealRowIndex(start), RealRowIndex(r));
      e -= r - start + 1;  // its own rows were not counted: they are hidden already
      r = start;
    } else {
      ++r;
    }
  }
  if (r - 1 >= start)
    HideRows(RealRowIndex(start), RealRowIndex(r - 1));
  FForceSelection = false;
  CalcFooter(-1);
}

void TZavStringGrid::ExpandAll()
{
  BeginUpdate();
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (TCellGraphic *g = NodeGraphic(r)) {
      ExpandNode(RealRowIndex(r));
      g->SetCellBoolean(false);
    }
  EndUpdate();
  CalcFooter(-1);
}

void TZavStringGrid::ContractAll()
{
  BeginUpdate();
  ExpandAll();
  TIntList rows(0, 0);
  int r = FixedRows();
  while (r < RowCount()) {
    TCellGraphic *g = NodeGraphic(r);
    if (!g) {
      ++r;
      continue;
    }
    g->SetCellBoolean(true);
    const int e = NodeEnd(r, g);
    for (int i = r + 1; i < e; ++i)
      rows.Add(i);
    r = std::max(e, r + 1);
  }
  // One filter level: lifting the last filter brings all of them back at once.
  HideRowList(&rows);
  EndUpdate();
  CellControlsUpdate(false);
  CalcFooter(-1);
}

int TZavStringGrid::GetParentRow(int ARow)
{
  if (!HasNodes())
    return -1;
  int level = 65535, fallback = -1;
  if (IsNode(ARow)) {
    level = GetNodeLevel(ARow);
    fallback = ARow;
  }
  int s = 0;
  for (int r = std::min(ARow, RowCount() - 1); r >= FixedRows(); --r) {
    TCellGraphic *g = NodeGraphic(r);
    if (!g || GetNodeLevel(r) >= level)
      continue;
    // Rows of contracted nodes between r and ARow are not shown: r's span reaches less far.
    if (g->CellBoolean())
      s += g->CellIndex() - 1;
    if (ARow < r + g->CellIndex() - s)
      return r;
  }
  return fallback;
}

// Hidden rows after the new one move with it: the row insertion renumbers them.
void TZavStringGrid::InsertNormalRow(int ARow) { InsertRows(RealToDisplRow(ARow), 1); }

void TZavStringGrid::InsertChildRow(int ARow, int InsertAt)
{
  const int d = RealToDisplRow(ARow);
  const int P = GetParentRow(d);
  int level = 1;
  if (P != -1) {
    UpdateNodeSpan(P, 1);
    UpdateSubNodeCount(P, 1);
    ExpandNode(RealRowIndex(P));
    level = GetNodeLevel(P);
  }
  for (int wl = level, row = P; wl > 1 && row != -1 && row > FixedRows();) {
    const int pr = GetParentRow(row);
    if (pr == -1 || pr == row)
      break;
    if (GetNodeLevel(pr) < wl) {
      UpdateNodeSpan(pr, 1);
      UpdateSubNodeCount(pr, 1);
      ExpandNode(RealRowIndex(pr));
      wl = GetNodeLevel(pr);
    }
    row = pr;
  }
  // On a node row the new row takes the node's texts and the node becomes an empty header.
  const bool moveContents = IsNode(d) && InsertAt == 0;
  if (moveContents)
    InsertAt = 1;
  InsertRows(d + InsertAt, 1);
  if (moveContents)
    for (int c = 0; c < AllColCount(); ++c) {
      SetGridCells(c, d + 1, GridCells(c, d));
      SetGridCells(c, d, QString());
      if (c > 0) {
        SetObjects(c, d + 1, Objects(c, d));
        SetObjects(c, d, nullptr);
      }
    }
  if (P != -1)
    CellProperties(0, d + InsertAt)->SetNodeLevel(level);
}

void TZavStringGrid::RemoveNormalRow(int ARow)
{
  RemoveRows(ARow, 1);
  --FMaxRowCount;
}

void TZavStringGrid::RemoveChildRow(int ARow)
{
  const int d = RealToDisplRow(ARow);
  int P = GetParentRow(d);
  if (P != -1) {
    const int L = GetNodeLevel(P);
    if (GetNodeSpan(P) > 1) {
      UpdateNodeSpan(P, -1);
      UpdateSubNodeCount(P, -1);
    }
    for (;;) {
      ExpandNode(RealRowIndex(P));
      if (GetNodeLevel(P) <= 1)
        break;
      const int pr = GetParentRow(P);
      if (pr == -1 || pr == P || GetNodeLevel(pr) >= L)
        break;
      P = pr;
      if (GetNodeSpan(P) > 1) {
        UpdateNodeSpan(P, -1);
        UpdateSubNodeCount(P, -1);
      }
    }
  }
  RemoveRowsBlock(RealToDisplRow(ARow), 1);
  --FMaxRowCount;
}

void TZavStringGrid::InsertRowNodeAware(int ARow)
{
  if (!HasNodes())
    InsertRows(ARow, 1);
  else if (GetParentRow(ARow) == -1)
    InsertNormalRow(RealRowIndex(ARow));
  else
    InsertChildRow(RealRowIndex(ARow), 0);
}

void TZavStringGrid::DeleteRowNodeAware(int ARow)
{
  if (HasNodes()) {
    if (GetParentRow(ARow) == -1)
      RemoveNormalRow(ARow);
    else
      RemoveChildRow(RealRowIndex(ARow));
  } else if (RowCount() - FixedRows() - FFixedFooters == 1 && !FFixedRowAlways) {
    // The last normal row stays, emptied.
    ClearRows(ARow, 1);
  } else {
    RemoveRowsBlock(ARow, 1);
  }
  if (OnAutoDeleteRow)
    OnAutoDeleteRow(this, ARow);
}

bool TZavStringGrid::IsOnNodeGlyph(int ARow, int X)
{
  if (!FMouseActions->PreciseNodeClick())
    return true;
  const int L = GetNodeLevel(ARow);
  const int n = FCellNode->NodeIndent();
  TBitmap *glyph = FCellNode->ExpandGlyph();
  const bool hasGlyph = glyph && !glyph->Empty();
  int g = 4, m = 4;
  switch (FCellNode->NodeType()) {
  case cn3D:
    g = 6;
    m = 0;
    break;
  case cnGlyph:
    g = hasGlyph ? glyph->Width() / 2 : 0;
    m = hasGlyph ? 2 : 0;
    break;
  case cnLeaf:
    g = 8;
    m = 2;
    break;
  case cnFlat:
  case cnXP:
    break;
  }
  // The framework lays controls out left to right only.
  return m + (L - 1) * n < X && X < g + L * n;
}

// --- expand cells ---

namespace {
TCellGraphic *ExpandGraphic(TZavStringGrid *Grid, int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return nullptr;
  const TPoint b = Grid->BaseCell(ACol, ARow);
  TCellGraphic *g = Grid->GetCellGraphic(b.X, b.Y);
  return g && g->CellType() == ctExpand ? g : nullptr;
}
}  // namespace

void TZavStringGrid::AddExpand(int ACol, int ARow, int ExpandedHeight)
{
  TCellGraphic *g = CreateCellGraphic(ACol, ARow);
  if (!g)
    return;
  g->SetCellType(ctExpand);
  g->SetCellAngle(ExpandedHeight);
  g->SetCellVar(0);
  g->SetCellIndex(RowHeights(ARow));
}

void TZavStringGrid::RemoveExpand(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctExpand); }

bool TZavStringGrid::HasExpand(int ACol, int ARow) { return ExpandGraphic(this, ACol, ARow) != nullptr; }

bool TZavStringGrid::ToggleExpand(int ACol, int ARow)
{
  TCellGraphic *g = ExpandGraphic(this, ACol, ARow);
  if (!g)
    return false;
  g->SetCellVar(g->CellVar() ? 0 : 1);
  return g->CellVar() != 0;
}

bool TZavStringGrid::GetExpandState(int ACol, int ARow)
{
  TCellGraphic *g = ExpandGraphic(this, ACol, ARow);
  return g && g->CellVar() != 0;
}

int TZavStringGrid::GetExpandHeight(int ACol, int ARow, bool Expanded)
{
  TCellGraphic *g = ExpandGraphic(this, ACol, ARow);
  if (!g)
    return DefaultRowHeight();
  return Expanded ? g->CellAngle() : g->CellIndex();
}

// ACol is a display column here (the mouse handler's); the graphic sits at its real column.
TRect TZavStringGrid::GetExpandRect(int ACol, int ARow)
{
  if (!HasExpand(RealColIndex(ACol), ARow))
    return TRect{0, 0, 0, 0};
  const TRect r = CellRect(ACol, ARow);
  return TRect{r.Right - 13, r.Top + 2, r.Right - 2, r.Top + 13};
}
