#pragma once
// The grid's in-place editor: an edit over the current cell that hands navigation keys,
// double clicks and the wheel to its grid and reports its changes to the grid's
// WM_COMMAND as EN_CHANGE, as the platform's edit does.
#include "framework/grids/grids.h"
#include "framework/stdctrls/stdctrls.h"

// Edit control shown over the current cell. It belongs to its grid (owner and parent).
class TInplaceEdit : public TCustomEdit {
public:
  explicit TInplaceEdit(TComponent *AOwner);

  TCustomGrid *Grid() const { return FGrid; }  // not owned
  void Deselect();
  void Hide();
  void Invalidate() override;
  void Move(const TRect &Loc);
  bool PosEqual(const TRect &Rect) const;
  void SetFocus() override;
  void UpdateLoc(const TRect &Loc);
  bool Visible() const;
  // Text, mask and limit from the grid for the current cell, all selected.
  virtual void UpdateContents();
  // The mask the grid gave for the cell. Kept for the descendants; the edit does not
  // enforce it (the framework has no mask edit yet).
  QString EditMask() const { return FEditMask; }
  void SetEditMask(const QString &Value) { FEditMask = Value; }
  // The grid placed the editor; descendants adjust it to the cell.
  virtual void BoundsChanged();

protected:
  void SetGrid(TCustomGrid *Value) { FGrid = Value; }
  void KeyDown(uint16_t &Key, TShiftState Shift) override;
  void KeyPress(QChar &Key) override;
  void KeyUp(uint16_t &Key, TShiftState Shift) override;
  void DblClick() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void WndProc(TMessage &Message) override;
  void WMGetDlgCode(TWMGetDlgCode &Message) override;
  void Change() override;

private:
  friend class TCustomGrid;
  TCustomGrid *FGrid = nullptr;  // not owned: the grid owns the editor
  QString FEditMask;
};

