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

class TZavInplaceEdit : public TInplaceEdit {
public:
  explicit TZavInplaceEdit(TComponent *AOwner);

  TZavStringGrid *Grid() const { return FGrid; }  // not owned
  bool WordWrap() const { return FWordWrap; }
  // Re-creates the window with the matching styles.
  void SetWordWrap(bool Value);
  bool AlternateBackground() const { return FAlternateBackground; }

protected:
  void CreateParams(TCreateParams &Params) override;

private:
  TZavStringGrid *FGrid;
  bool FWordWrap = false;
  bool FAlternateBackground = false;
};

class TGridCombo : public TZsgComboBox {
public:
  // AOwner must be a grid.
  explicit TGridCombo(TComponent *AOwner);
  TZavStringGrid *Grid() const { return FGrid; }  // not owned
  // Auto-completion may run after the current key.
  bool WorkMode = true;
  TNotifyEvent OnReturnKey;

private:
  TZavStringGrid *FGrid;
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
