// The special editor kinds this grid hosts (combo, edit-button, unit edit-button, check box,
// push button and the custom editor link), and the table that finds them by editor kind.
#include <array>
#include <initializer_list>

#include "framework/controls/forms.h"
#include "grid/core/control_look.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/editor_kind.h"
#include "grid/view/editor_wrappers.h"

namespace {

// Combo-edit (typed text) and combo-list (a choice from the list) cells share the grid's combo.
class TComboEditor : public TSpecialEditor {
public:
  explicit TComboEditor(bool ListOnly) : FListOnly(ListOnly) {}
  TWinControl *Control(TZavStringGrid &Grid) const override { return Grid.Combobox(); }
  TWinControl *Open(TZavStringGrid &Grid, const TEditorCell &Cell) const override;
  void Cancel(TZavStringGrid &Grid) const override;

protected:
  void Commit(TZavStringGrid &Grid, int RealCol, int Row) const override
  {
    Store(Grid, RealCol, Row, Grid.Combobox()->Text());
  }
  // The combo is hidden before it is disabled.
  void Hide(TZavStringGrid &Grid) const override
  {
    GiveFocusBack(Grid, Grid.Combobox());
    Grid.Combobox()->SetVisible(false);
    Grid.Combobox()->SetEnabled(false);
  }

private:
  bool FListOnly;
  // The item a list-only combo selects; Report: the program is told which item that is.
  int ListIndex(TZavStringGrid &Grid, const TEditorCell &Cell, bool &Report) const;
};

int TComboEditor::ListIndex(TZavStringGrid &Grid, const TEditorCell &Cell, bool &Report) const
{
  const TStrings *items = Grid.Combobox()->Items();
  int idx = items->IndexOf(Grid.GetCellEx(Cell.RealCol, Cell.Row));
  if (idx == -1 && ComboFallback(Grid) == -1) {
    idx = items->IndexOf(EditText(Grid, Cell.Col, Cell.Row));
    if (idx == -1)
      idx = 0;
    Report = items->Count() > 0;
  } else if (idx == -1) {
    idx = ComboFallback(Grid);
  }
  return idx < items->Count() ? idx : -1;
}

TWinControl *TComboEditor::Open(TZavStringGrid &Grid, const TEditorCell &Cell) const
{
  TGridCombo *combo = Grid.Combobox();
  const TRect &R = Cell.Rect;
  combo->SetDropDownCount(Grid.ControlLook()->DropDownCount());
  Prop(Grid, Cell.RealCol, Cell.Row);
  combo->SetBounds(R.Left, R.Top, 0, 0);
  combo->SetEnabled(true);
  combo->SetDroppedDown(false);
  combo->SetStyle(FListOnly ? csDropDownList : csDropDown);
  if (!FListOnly)
    combo->SetMaxLength(Grid.MaxComboLength());
  combo->SetBounds(R.Left, R.Top, Cell.Width, Cell.Height);
  combo->SetColor(Cell.Color);
  // One combo serves every column, so the list width is set again for each cell's items; a
  // width left from another column would be wrong here.
  if (Grid.Navigation()->AutoComboDropSize())
    combo->SizeDropDownWidth();
  else
    combo->SetDroppedWidth(combo->DropWidth());

  bool report = false;
  if (FListOnly) {
    combo->SetItemIndex(ListIndex(Grid, Cell, report));
  } else {
    combo->SetText(EditText(Grid, Cell.Col, Cell.Row));
    if (ComboFallback(Grid) != -1 && combo->ItemIndex() == -1)
      combo->SetItemIndex(ComboFallback(Grid));
  }
  combo->SetVisible(true);
  Focus(combo);
  TMouseActions *ma = Grid.MouseActions();
  combo->SetDroppedDown(ma->DirectComboDrop() || Grid.ControlLook()->DropDownAlwaysVisible());
  if (ma->DirectEdit() && ma->DirectComboDrop())
    SelectionChanged(Grid);
  // The program hears which item a cell without a listed text now shows: the item really
  // selected, not always the first one.
  if (report)
    ReportComboItem(Grid, combo->ItemIndex());
  return combo;
}

void TComboEditor::Cancel(TZavStringGrid &Grid) const
{
  TGridCombo *combo = Grid.Combobox();
  const QString stored = Grid.CurrentCell();
  combo->SetText(stored);
  const int i = combo->Items()->IndexOf(stored);
  if (i != -1)
    combo->SetItemIndex(i);
}

// Text with an ellipsis button; the mask edit-button cell takes the cell's edit mask.
class TEditBtnEditor : public TSpecialEditor {
public:
  explicit TEditBtnEditor(bool Masked) : FMasked(Masked) {}
  TWinControl *Control(TZavStringGrid &Grid) const override { return Grid.BtnEdit(); }
  TWinControl *Open(TZavStringGrid &Grid, const TEditorCell &Cell) const override
  {
    TGridEditBtn *e = Grid.BtnEdit();
    e->SetBounds(Cell.Rect.Left, Cell.Rect.Top, Cell.Width, Cell.Height);
    e->SetText(Cell.Text);
    e->SetMaxLength(EditLimit(Grid));
    e->SetEditMask(FMasked ? EditMask(Grid, Cell.Col, Cell.Row) : QString());
    e->SetColor(Cell.Color);
    e->SetVisible(true);
    e->SetEnabled(true);
    Focus(e);
    return e;
  }

protected:
  void Commit(TZavStringGrid &Grid, int RealCol, int Row) const override
  {
    Store(Grid, RealCol, Row, Grid.BtnEdit()->Text());
  }

private:
  bool FMasked;
};

// A value and its unit shown apart; the cell keeps them joined.
class TUnitEditor : public TSpecialEditor {
public:
  TWinControl *Control(TZavStringGrid &Grid) const override { return Grid.BtnUnitEdit(); }
  TWinControl *Open(TZavStringGrid &Grid, const TEditorCell &Cell) const override
  {
    TGridUnitEditBtn *e = Grid.BtnUnitEdit();
    e->SetBounds(Cell.Rect.Left, Cell.Rect.Top, Cell.Width, Cell.Height);
    e->SetMaxLength(EditLimit(Grid));
    e->SetUnitID(QString());
    e->SetText(QString());
    SplitValueAndUnit(e, Cell.Text);
    e->SetColor(Cell.Color);
    e->SetVisible(true);
    e->SetEnabled(true);
    Prop(Grid, Cell.RealCol, Cell.Row);
    Focus(e);
    return e;
  }

protected:
  bool ClosesOnlyOpen() const override { return false; }
  void Commit(TZavStringGrid &Grid, int RealCol, int Row) const override
  {
    Store(Grid, RealCol, Row, Grid.BtnUnitEdit()->Text() + Grid.BtnUnitEdit()->UnitID());
  }

private:
  // The unit is the longest of the editor's units the text ends with.
  static void SplitValueAndUnit(TGridUnitEditBtn *e, const QString &Text)
  {
    QString unit;
    for (int i = 0; i < e->Units()->Count(); ++i) {
      const QString u = e->Units()->Strings(i);
      if (!u.isEmpty() && Text.endsWith(u) && u.length() > unit.length())
        unit = u;
    }
    e->SetUnitID(unit);
    e->SetText(Text.left(Text.length() - unit.length()));
  }
};

// A check box captioned with the cell text; it writes nothing back and is no open editor the
// grid keeps.
class TCheckBoxEditor : public TSpecialEditor {
public:
  TWinControl *Control(TZavStringGrid &Grid) const override;
  TWinControl *Open(TZavStringGrid &Grid, const TEditorCell &Cell) const override
  {
    TGridCheckBox *e = CheckBox(Grid);
    e->SetBounds(Cell.Rect.Left, Cell.Rect.Top, Cell.Width, Cell.Height);
    e->SetCaption(Cell.Text);
    e->SetChecked(false);
    e->SetEnabled(true);
    e->SetVisible(true);
    Focus(e);
    return nullptr;
  }
  bool TakesStartChar() const override { return false; }

protected:
  bool ClosesOnlyOpen() const override { return false; }
};

TWinControl *TCheckBoxEditor::Control(TZavStringGrid &Grid) const { return CheckBox(Grid); }

// A push button captioned with the cell text; it writes nothing back.
class TButtonEditor : public TSpecialEditor {
public:
  TWinControl *Control(TZavStringGrid &Grid) const override { return Grid.Btn(); }
  TWinControl *Open(TZavStringGrid &Grid, const TEditorCell &Cell) const override
  {
    TGridButton *e = Grid.Btn();
    // The button covers the cell's borders.
    e->SetBounds(Cell.Rect.Left - 1, Cell.Rect.Top - 1, Cell.Width + 2, Cell.Height + 2);
    e->SetCaption(Cell.Text);
    e->SetVisible(true);
    e->SetEnabled(true);
    Focus(e);
    return e;
  }
  bool TakesStartChar() const override { return false; }

protected:
  bool ClosesOnlyOpen() const override { return false; }
};

// The program's own editor behind the grid's edit link, in the cell or on a popup form.
class TCustomEditor : public TSpecialEditor {
public:
  TWinControl *Control(TZavStringGrid &Grid) const override
  {
    return Link(Grid) ? Link(Grid)->GetEditControl() : nullptr;
  }
  bool CanOpen(TZavStringGrid &Grid) const override { return Link(Grid) != nullptr; }
  TWinControl *Open(TZavStringGrid &Grid, const TEditorCell &Cell) const override;
  // The link's editor commits and hides itself; without a link nothing closes.
  void Close(TZavStringGrid &Grid, int Col, int RealCol, int Row) const override;

private:
  static void OpenPopup(TZavStringGrid &Grid, TEditLink *L, const TRect &R);
};

void TCustomEditor::OpenPopup(TZavStringGrid &Grid, TEditLink *L, const TRect &R)
{
  if (L->AutoPopupWidth())
    L->SetPopupWidth(R.Right - R.Left);
  // The popup form belongs to this grid; a form of the application that happens to carry some
  // name is never touched.
  if (!L->PopupForm()) {
    auto *popup = new TForm(&Grid);
    popup->SetBorderStyle(bsNone);
    popup->SetFormStyle(fsStayOnTop);
    L->SetPopupForm(popup);
  }
  TForm *popup = L->PopupForm();
  popup->OnDeactivate = [L](TObject *Sender) { L->FormExit(Sender); };
  const TPoint at = L->PopupLeft() != -1 && L->PopupTop() != -1 ? TPoint(L->PopupLeft(), L->PopupTop())
                                                                : Grid.ClientToScreen(TPoint(R.Left, R.Top));
  popup->SetBounds(at.X, at.Y, L->PopupWidth(), L->PopupHeight());
  popup->Show();
  L->CreateEditor(popup);
  L->SetRect(TRect(0, 0, L->PopupWidth(), L->PopupHeight()));
}

TWinControl *TCustomEditor::Open(TZavStringGrid &Grid, const TEditorCell &Cell) const
{
  TEditLink *L = Link(Grid);
  L->SetEditCell(TPoint(Cell.RealCol, Cell.Row));
  if (L->EditStyle() == esPopup) {
    OpenPopup(Grid, L, Cell.Rect);
  } else {
    L->CreateEditor(&Grid);
    L->SetRect(Cell.Rect);
  }
  L->SetVisible(true);
  L->SetCellProps(Cell.Color, Cell.Font);
  L->SetProperties();
  Prop(Grid, Cell.RealCol, Cell.Row);
  KeepCellText(Grid, Cell.Text);
  L->SetEditorValue(Cell.Text);
  L->SetFocus(true);
  // The focus change may have closed and reopened edits; this one is open.
  SetEditActive(Grid);
  return L->GetEditControl();
}

void TCustomEditor::Close(TZavStringGrid &Grid, int Col, int RealCol, int Row) const
{
  if (Grid.ControlLook()->DropDownAlwaysVisible())
    AskEditorType(Grid, Col, Row);
  TEditLink *L = Link(Grid);
  if (!L)
    return;
  SetEditMode(Grid, false);
  Store(Grid, RealCol, Row, L->GetEditorValue());
  if (L->EditStyle() != esPopup)
    L->SetVisible(false);
  L->RestoreWinProc();
}

const TComboEditor ComboEdit(false), ComboList(true);
const TEditBtnEditor EditBtn(false), MaskEditBtn(true);
const TUnitEditor UnitEditBtn;
const TCheckBoxEditor CheckBoxEditor;
const TButtonEditor ButtonEditor;
const TCustomEditor CustomEditor;

// Every kind not listed opens no special editor.
struct TKindEntry {
  const TSpecialEditor *Editor;
  std::initializer_list<TEditorType> Kinds;
};
const TKindEntry KindTable[] = {
    {&ComboEdit, {edComboEdit}},
    {&ComboList, {edComboList}},
    {&EditBtn, {edEditBtn, edNumericEditBtn, edFloatEditBtn}},
    {&MaskEditBtn, {edMaskEditBtn}},
    {&UnitEditBtn, {edUnitEditBtn, edNumericUnitEditBtn, edFloatUnitEditBtn}},
    {&CheckBoxEditor, {edCheckBox}},
    {&ButtonEditor, {edButton}},
    {&CustomEditor, {edCustom}},
};

constexpr size_t KindCount = TEnumNames<TEditorType>::Names.size();

std::array<const TSpecialEditor *, KindCount> BuildIndex()
{
  std::array<const TSpecialEditor *, KindCount> index{};
  for (const TKindEntry &e : KindTable)
    for (TEditorType k : e.Kinds)
      index[size_t(k)] = e.Editor;
  return index;
}

} // namespace

const TSpecialEditor *SpecialEditorFor(TEditorType Kind)
{
  static const std::array<const TSpecialEditor *, KindCount> index = BuildIndex();
  const auto i = size_t(Kind);
  return i < KindCount ? index[i] : nullptr;
}
