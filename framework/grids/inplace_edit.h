#pragma once
// The grid's in-place editor: a masked edit over the current cell that hands navigation
// keys, double clicks and the wheel to its grid; its changes reach the grid's WM_COMMAND
// as EN_CHANGE, as every edit's do.
#include "framework/grids/grids.h"
#include "framework/stdctrls/mask.h"

// Edit control shown over the current cell. It belongs to its grid (owner and parent).
// The window is a single-line edit; a descendant that wants multi-line cells adds
// ES_MULTILINE in CreateParams (and removes ES_AUTOHSCROLL for word wrap) and calls
// RecreateWnd when that choice changes.
class TInplaceEdit : public TCustomMaskEdit {
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
  // Text, mask and limit from the grid for the current cell.
  virtual void UpdateContents();
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

private:
  friend class TCustomGrid;
  TCustomGrid *FGrid = nullptr;  // not owned: the grid owns the editor
};

