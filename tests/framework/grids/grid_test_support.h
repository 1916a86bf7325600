#pragma once
// A string grid that exposes its protected hooks and records the virtual calls the
// framework makes, and a form to put it on.
#include "framework/controls/forms.h"
#include "framework/grids/inplace_edit.h"

#include <QStringList>

#include <memory>

class TProbeGrid : public TStringGrid {
public:
  explicit TProbeGrid(TComponent *AOwner) : TStringGrid(AOwner) {}

  QStringList Calls;          // "SelectCell(2,3)", "ColumnMoved(1,3)", ...
  QStringList Draws;          // "c,r[fixed,selected,focused]" in paint order
  bool RefuseSelect = false;  // SelectCell answers False
  bool VetoSizing = false;    // CalcSizingState resets the state
  bool RecordDraws = false;
  bool RecordKeys = false;

  using TCustomGrid::CalcDrawInfo;
  using TCustomGrid::FAnchor;
  using TCustomGrid::FGridState;
  using TCustomGrid::KeyPress;
  using TCustomGrid::SelectCell;
  using TCustomGrid::DoMouseWheelDown;
  using TCustomGrid::DoMouseWheelUp;

  static QString StateText(TGridDrawState s)
  {
    QStringList parts;
    if (s.Contains(gdFixed))
      parts << "fixed";
    if (s.Contains(gdSelected))
      parts << "selected";
    if (s.Contains(gdFocused))
      parts << "focused";
    return parts.join(',');
  }

protected:
  void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override
  {
    if (RecordDraws)
      Draws << QString("%1,%2[%3]").arg(ACol).arg(ARow).arg(StateText(AState));
    TStringGrid::DrawCell(ACol, ARow, ARect, AState);
  }
  bool SelectCell(int ACol, int ARow) override
  {
    Calls << QString("SelectCell(%1,%2)").arg(ACol).arg(ARow);
    return !RefuseSelect && TStringGrid::SelectCell(ACol, ARow);
  }
  void SizeChanged(int OldColCount, int OldRowCount) override
  {
    Calls << QString("SizeChanged(%1,%2)").arg(OldColCount).arg(OldRowCount);
    TStringGrid::SizeChanged(OldColCount, OldRowCount);
  }
  void ColWidthsChanged() override
  {
    Calls << "ColWidthsChanged";
    TStringGrid::ColWidthsChanged();
  }
  void RowHeightsChanged() override
  {
    Calls << "RowHeightsChanged";
    TStringGrid::RowHeightsChanged();
  }
  void ColumnMoved(int FromIndex, int ToIndex) override
  {
    Calls << QString("ColumnMoved(%1,%2)").arg(FromIndex).arg(ToIndex);
    TStringGrid::ColumnMoved(FromIndex, ToIndex);
  }
  void RowMoved(int FromIndex, int ToIndex) override
  {
    Calls << QString("RowMoved(%1,%2)").arg(FromIndex).arg(ToIndex);
    TStringGrid::RowMoved(FromIndex, ToIndex);
  }
  void TopLeftChanged() override
  {
    Calls << QString("TopLeftChanged(%1,%2)").arg(LeftCol()).arg(TopRow());
    TStringGrid::TopLeftChanged();
  }
  void CalcSizingState(int X, int Y, TGridState &State, int &Index, int &SizingPos, int &SizingOfs,
                       TGridDrawInfo &FixedInfo) override
  {
    TStringGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
    if (State != gsNormal && VetoSizing)
      State = gsNormal;
    if (State != gsNormal)
      Calls << QString("CalcSizingState(%1)").arg(Index);
  }
public:
  void KeyDown(uint16_t &Key, TShiftState Shift) override
  {
    if (RecordKeys)
      Calls << QString("KeyDown(%1)").arg(Key);
    TStringGrid::KeyDown(Key, Shift);
  }

protected:
  void SetEditText(int ACol, int ARow, const QString &Value) override
  {
    Calls << QString("SetEditText(%1,%2,%3)").arg(ACol).arg(ARow).arg(Value);
    TStringGrid::SetEditText(ACol, ARow, Value);
  }
  QString GetEditText(int ACol, int ARow) override
  {
    Calls << QString("GetEditText(%1,%2)").arg(ACol).arg(ARow);
    return TStringGrid::GetEditText(ACol, ARow);
  }
};

// A shown form holding one probe grid at (0, 0).
struct TGridForm {
  std::unique_ptr<TForm> Form;
  TProbeGrid *Grid = nullptr;  // owned by the form

  explicit TGridForm(int Width = 400, int Height = 300)
  {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetClientSize(Width + 20, Height + 20);
    Grid = new TProbeGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, Width, Height);
    Form->Show();
    Grid->SetFocus();
  }
};
