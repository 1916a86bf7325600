// TDrawGrid (hooks as events) and TStringGrid (texts and objects per cell).
#include "framework/grids/inplace_edit.h"

// ---------------------------------------------------------------------------------------
// TDrawGrid

TDrawGrid::TDrawGrid(TComponent *AOwner) : TCustomGrid(AOwner) {}

void TDrawGrid::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
  if (OnDrawCell)
    OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(int ACol, int ARow)
{
  bool result = TCustomGrid::SelectCell(ACol, ARow);
  if (OnSelectCell)
    OnSelectCell(this, ACol, ARow, result);
  return result;
}

void TDrawGrid::TopLeftChanged()
{
  TCustomGrid::TopLeftChanged();
  if (OnTopLeftChanged)
    OnTopLeftChanged(this);
}

void TDrawGrid::ColumnMoved(int FromIndex, int ToIndex)
{
  if (OnColumnMoved)
    OnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::RowMoved(int FromIndex, int ToIndex)
{
  if (OnRowMoved)
    OnRowMoved(this, FromIndex, ToIndex);
}

QString TDrawGrid::GetEditMask(int ACol, int ARow)
{
  QString result;
  if (OnGetEditMask)
    OnGetEditMask(this, ACol, ARow, result);
  return result;
}

QString TDrawGrid::GetEditText(int ACol, int ARow)
{
  QString result;
  if (OnGetEditText)
    OnGetEditText(this, ACol, ARow, result);
  return result;
}

void TDrawGrid::SetEditText(int ACol, int ARow, const QString &Value)
{
  if (OnSetEditText)
    OnSetEditText(this, ACol, ARow, Value);
}

// ---------------------------------------------------------------------------------------
// TStringGrid

TStringGrid::TStringGrid(TComponent *AOwner) : TDrawGrid(AOwner) {}

TStringGrid::~TStringGrid() = default;

void TStringGrid::SetCells(int ACol, int ARow, const QString &Value)
{
  if (ACol < 0 || ARow < 0)
    return;
  FCells.SetText(ACol, ARow, Value);
  if (!HandleAllocated())
    return;
  InvalidateCell(ACol, ARow);
  // The editor shows the new text unless it is the editor writing it.
  if (FEditUpdate == 0 && ACol == Col() && ARow == Row())
    InvalidateEditor();
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject *Value)
{
  FCells.SetObject(ACol, ARow, Value);
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
  if (DefaultDrawing())
    Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
  FCells.MoveCol(FromIndex, ToIndex);
  TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex)
{
  FCells.MoveRow(FromIndex, ToIndex);
  TDrawGrid::RowMoved(FromIndex, ToIndex);
}

QString TStringGrid::GetEditText(int ACol, int ARow)
{
  QString result = Cells(ACol, ARow);
  if (OnGetEditText)
    OnGetEditText(this, ACol, ARow, result);
  return result;
}

void TStringGrid::SetEditText(int ACol, int ARow, const QString &Value)
{
  ++FEditUpdate;
  try {
    if (Value != Cells(ACol, ARow))
      SetCells(ACol, ARow, Value);
  } catch (...) {
    --FEditUpdate;
    throw;
  }
  --FEditUpdate;
  TDrawGrid::SetEditText(ACol, ARow, Value);
}
