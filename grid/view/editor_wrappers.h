#pragma once
// The grid's editor controls: its default text editor and the combo, check-box, edit-button,
// unit edit-button and push-button editors. Each belongs to its grid (owner), which parents,
// disables and hides it right after creating it.
#include <QString>

#include "editors/zsg_combo.h"
#include "editors/zsg_editbtn.h"
#include "framework/grids/grids.h"
#include "framework/stdctrls/buttons.h"

class TZavStringGrid;

// The grid an editor is created for; raises when the owner is no grid.
TZavStringGrid *OwnerGrid(TComponent *AOwner);

// The arrow-key walk out of an editor at either end of its text. The neighbouring click-control
// cell (check box, radio, button) beside the current cell, display column; -1 when there is none.
int CursorWalkClickCell(TZavStringGrid *Grid, bool Forward);
// Moves the current cell one step along its row (wrapping to the next or previous row), read-only
// cells skipped as after Enter.
void CursorWalkAdvance(TZavStringGrid *Grid, bool Forward);

class TZavInplaceEdit : public TInplaceEdit {
public:
  explicit TZavInplaceEdit(TComponent *AOwner);

  TZavStringGrid *Grid() const { return FGrid; }  // not owned
  bool WordWrap() const { return FWordWrap; }
  // Re-creates the window with the matching styles.
  void SetWordWrap(bool Value);
  bool VAlign() const { return FValign; }
  void SetVAlign(bool Value);
  bool AlternateBackground() const { return FAlternateBackground; }
  // Maximum text length; 0 or less: none.
  int LengthLimit() const { return FLengthLimit; }
  void SetLengthLimit(int Value) { FLengthLimit = Value; }
  void UpdateContents() override;
  void BoundsChanged() override;

protected:
  void CreateParams(TCreateParams &Params) override;
  void CreateWnd() override;
  void WndProc(TMessage &Message) override;
  void Change() override;
  void KeyDown(uint16_t &Key, TShiftState Shift) override;
  void KeyUp(uint16_t &Key, TShiftState Shift) override;
  void KeyPress(QChar &Key) override;

private:
  TZavStringGrid *FGrid;
  bool FWordWrap = false;
  bool FAlternateBackground = false;
  int FSelKeyDown = 0;    // caret when the last key went down
  int FOldSelStart = 0;   // caret when the last WM_KEYDOWN arrived
  int FLengthLimit = 0;
  bool FValign = false;
  bool FPassword = false;  // the window was made for a password cell
  bool GotKey = false;
  bool FGotFocus = false;  // the edit-done notification is owed on kill-focus
  bool Workmode = true;    // lookup completion allowed after this key
  int FColE = -1, FRowE = -1;
  bool FAltBack = false;   // Alt+Backspace held: losing the focus does not end the edit
  bool FSkipEnterChar = false;  // the Enter whose key-down was refused: its character is spent
  bool WantsTab();
  // Runs the grid's validation of the editor text; a refused value stays in the editor.
  bool Validate();
  void KeepAfterRefusal();
  // Stores the text in the cell, then validates it; a refused value stays in the editor.
  bool StoreAndValidate();
  // Left or Right at the edge of the text leaves for the neighbouring cell; answers whether
  // the key was used (also when a refused value kept the editor).
  bool CursorWalk(uint16_t Key, TShiftState Shift);
  void WMKeyDown(TMessage &Message);
  bool FilterChar(QChar &Ch);
  // A character an edValidChars cell takes: ValidChars, or the grid's ValidCharSet when that
  // text is empty.
  bool ValidCharAccepted(QChar Ch) const;
  // A masked text is complete and the caret after its last position.
  bool MaskFilled() const;
  void WMKillFocus(TMessage &Message);
  void WMSetFocus(TMessage &Message);
  void Paste();
  void LookupComplete();
  bool IsPasswordEdit();
  // Size while typing: the row grows to Height (or is fitted when Height is 0) with the column
  // synchronisation off, then OnEndRowSize.
  void SizeRowWhileTyping(int Height);
};

// The editor of combo-edit and combo-list cells: keys that end the edit, commit with
// validation, arrow moves to the neighbouring cells, wheel stepping through the items, lookup
// completion of typed text and the grid's combo events.
class TGridCombo : public TZsgComboBox {
public:
  // AOwner must be a grid.
  explicit TGridCombo(TComponent *AOwner);
  TZavStringGrid *Grid() const { return FGrid; }  // not owned
  // Widens the dropped list to its widest item (measured with the grid's canvas).
  void SizeDropDownWidth();
  // Lookup completion of the typed text from the items, then the grid's lookup items.
  void DoChange();
  // Auto-completion may run after the current key.
  bool WorkMode = true;
  TNotifyEvent OnReturnKey;

  void WndProc(TMessage &Message) override;
  void CMWantSpecialKey(TCMWantSpecialKey &Message) override;
  void WMSetFocus(TWMSetFocus &Message) override;

protected:
  void KeyDown(uint16_t &Key, TShiftState Shift) override;
  void KeyUp(uint16_t &Key, TShiftState Shift) override;
  void KeyPress(QChar &Key) override;
  void DoExit() override;
  void Change() override;

private:
  TZavStringGrid *FGrid;
  bool GridHandlesTab() const;
  // The editor's text into the edited cell, then the grid's validation of it.
  bool CommitText();
  // The grid gets the focus with AlwaysEdit off meanwhile (no editor reopens on the way).
  void FocusGrid();
  // The key to the grid's own key handling.
  void GridKey(uint16_t Key, TShiftState Shift);
  void CursorWalk(bool Forward);
  // OnComboChange and OnComboObjectChange for an item; no item gives "" and no object.
  void FireItemEvents(int Index, const QString &Value);
};

class TGridCheckBox : public TCheckBox {
public:
  explicit TGridCheckBox(TComponent *AOwner);
  TZavStringGrid *Grid() const { return FGrid; }  // not owned

private:
  TZavStringGrid *FGrid;
};

class TGridEditBtn : public TZsgEditBtn {
public:
  explicit TGridEditBtn(TComponent *AOwner);
  TZavStringGrid *Grid() const { return FGrid; }  // not owned
  bool WorkMode = true;

private:
  TZavStringGrid *FGrid;
};

class TGridUnitEditBtn : public TZsgUnitEditBtn {
public:
  explicit TGridUnitEditBtn(TComponent *AOwner);
  TZavStringGrid *Grid() const { return FGrid; }  // not owned

private:
  TZavStringGrid *FGrid;
};

class TGridButton : public TButton {
public:
  explicit TGridButton(TComponent *AOwner);
  TZavStringGrid *Grid() const { return FGrid; }  // not owned

private:
  TZavStringGrid *FGrid;
};
