#include "grid/core/aux_controls.h"

#include <algorithm>
#include <cmath>

#include "grid/core/grid_helper_classes.h"
#include "grid/core/zav_string_grid.h"

namespace {

// Enter and Tab in an embedded-control editor end it; Tab then moves on.
bool EmbeddedEditorKey(TWinControl *Editor, QChar &Key, const std::function<void()> &Exit)
{
  auto *grid = dynamic_cast<TZavStringGrid *>(Editor->Parent());
  if (!grid)
    return false;
  if (Key == QChar(VK_RETURN)) {
    Key = QChar(0);
    Exit();
    if (grid->CanFocus())
      grid->SetFocus();
    return true;
  }
  if (Key == QChar(VK_TAB)) {
    Key = QChar(0);
    Exit();
    const int realRow = grid->RealRowIndex(grid->Row());
    if (grid->Navigation()->AdvanceAuto())
      grid->AdvanceToNextCell(grid->Col(), realRow, true, false, false, true);
    else
      grid->FocusNextCellControl(grid->Col(), realRow, grid->CurrentControlID());
    return true;
  }
  return false;
}

int RoundEven(double v) { return int(std::nearbyint(v)); }

} // namespace

// ---------------------------------------------------------------------------------------------

void TControlEdit::CMWantSpecialKey(TCMWantSpecialKey &Message)
{
  if (Message.CharCode == VK_TAB)
    Message.Result = 1;
  else if (Message.CharCode == VK_RETURN)
    Message.Result = 0;
  else
    TMaskEdit::CMWantSpecialKey(Message);
}

void TControlEdit::KeyPress(QChar &Key)
{
  if (!EmbeddedEditorKey(this, Key, [this] { DoExit(); }))
    TMaskEdit::KeyPress(Key);
}

void TControlCombo::CMWantSpecialKey(TCMWantSpecialKey &Message)
{
  if (Message.CharCode == VK_TAB)
    Message.Result = 1;
  else
    TZsgComboBox::CMWantSpecialKey(Message);
}

void TControlCombo::KeyPress(QChar &Key)
{
  if (!EmbeddedEditorKey(this, Key, [this] { DoExit(); }))
    TZsgComboBox::KeyPress(Key);
}

// ---------------------------------------------------------------------------------------------

namespace {

// Validation, then the text into its cell. False keeps the editor on its cell.
bool StopTransEdit(TWinControl *Editor, TZavStringGrid *Grid, int ACol, int ARow)
{
  if (Grid) {
    QString s = Editor->GetText();
    bool valid = true;
    if (Grid->OnCellValidate)
      Grid->OnCellValidate(Grid, ACol, ARow, s, valid);
    if (!valid) {
      Grid->SetCol(ACol);
      Grid->SetRow(ARow);
      if (Editor->CanFocus())
        Editor->SetFocus();
      return false;
    }
    if (Grid->OnEditingDone)
      Grid->OnEditingDone(Grid);
    Grid->SetCells(ACol, ARow, s);
  }
  Editor->SetVisible(false);
  return true;
}

} // namespace

TGridTransEdit::TGridTransEdit(TComponent *AOwner)
    : TCustomEdit(AOwner), FGrid(dynamic_cast<TZavStringGrid *>(AOwner))
{
  SetVisible(false);
}

bool TGridTransEdit::StopEdit() { return StopTransEdit(this, FGrid, FCol, FRow); }

void TGridTransEdit::DoExit()
{
  // Hiding after a stored text moves the focus away once more: that exit has nothing to store.
  if (Visible())
    StopEdit();
  TCustomEdit::DoExit();
}

void TGridTransEdit::KeyPress(QChar &Key)
{
  if (Key == QChar(VK_RETURN))
    Key = QChar(0);
  TCustomEdit::KeyPress(Key);
}

TGridTransCombo::TGridTransCombo(TComponent *AOwner)
    : TCustomComboBox(AOwner), FGrid(dynamic_cast<TZavStringGrid *>(AOwner))
{
  SetVisible(false);
}

bool TGridTransCombo::StopEdit() { return StopTransEdit(this, FGrid, FCol, FRow); }

void TGridTransCombo::DoExit()
{
  // Hiding after a stored text moves the focus away once more: that exit has nothing to store.
  if (Visible())
    StopEdit();
  TCustomComboBox::DoExit();
}

void TGridTransCombo::KeyPress(QChar &Key)
{
  if (Key == QChar(VK_RETURN))
    Key = QChar(0);
  TCustomComboBox::KeyPress(Key);
}

// ---------------------------------------------------------------------------------------------

void TRetEdit::CreateParams(TCreateParams &Params)
{
  TEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE;
}

void TRetEdit::KeyDown(uint16_t &Key, TShiftState Shift)
{
  if (Key == VK_RETURN) {
    if (Shift.Contains(ssCtrl)) {
      if (OnCtrlReturn)
        OnCtrlReturn(this);
    } else if (OnReturn) {
      OnReturn(this);
    }
    Key = 0;
    return;
  }
  TEdit::KeyDown(Key, Shift);
}

void TRetEdit::WMChar(TWMKey &Message)
{
  if (Message.CharCode == VK_RETURN || Message.CharCode == 0x0A) {
    QChar ch(Message.CharCode);
    if (OnKeyPress)
      OnKeyPress(this, ch);
    Message.Result = 1;
    return;
  }
  TEdit::WMChar(Message);
}

// ---------------------------------------------------------------------------------------------

void TDropList::Choose()
{
  SetVisible(false);
  if (OnSelect)
    OnSelect(this, ItemIndex());
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TListBox::MouseUp(Button, Shift, X, Y);
  Choose();
}

void TDropList::KeyPress(QChar &Key)
{
  if (Key == QChar(VK_RETURN)) {
    Key = QChar(0);
    Choose();
    return;
  }
  TListBox::KeyPress(Key);
}

namespace {

// A click outside an open filter list closes it, and the grid forgets the column it was for.
void CancelFilterList(TWinControl *List, const TMessage &Message)
{
  if (Message.Msg != CM_CANCELMODE)
    return;
  TPoint p;
  if (!GetCursorPos(p))
    return;
  p = List->ScreenToClient(p);
  const bool inside = p.X >= 0 && p.Y >= 0 && p.X < List->Width() && p.Y < List->Height();
  if (!inside) {
    if (auto *grid = dynamic_cast<TZavStringGrid *>(List->Parent()))
      grid->SetFilterColumn(-1);
    List->SetVisible(false);
  }
}

} // namespace

void TDropList::WndProc(TMessage &Message)
{
  CancelFilterList(this, Message);
  TListBox::WndProc(Message);
}

void TDropCheckList::WndProc(TMessage &Message)
{
  CancelFilterList(this, Message);
  TCheckListBox::WndProc(Message);
}

void TDropCheckList::ClickCheck()
{
  TCheckListBox::ClickCheck();
  if (OnSelect)
    OnSelect(this, -1);
}

void SplitFilterEntry(const QString &Entry, QString &Friendly, QString &Condition)
{
  const int eq = Entry.indexOf(QLatin1Char('='));
  Friendly = eq < 0 ? Entry : Entry.left(eq);
  Condition = eq < 0 ? Entry : Entry.mid(eq + 1);
}

void FillFilterList(TCustomListBox *List, const TStrings *Entries, const TFilter *Filter, int Column,
                    const QString &Clear)
{
  auto *checks = dynamic_cast<TCheckListBox *>(List);
  QStringList entries, friendlies, conditions;
  List->Items()->BeginUpdate();
  List->Items()->Clear();
  for (int i = 0; i < Entries->Count(); ++i) {
    QString friendly, condition;
    entries << Entries->Strings(i);
    SplitFilterEntry(entries.back(), friendly, condition);
    List->Items()->Add(friendly);
    friendlies << friendly;
    conditions << (condition == Clear ? QString() : condition);
  }
  List->Items()->EndUpdate();
  if (auto *drop = dynamic_cast<TDropCheckList *>(List))
    drop->SetEntries(entries);
  if (!checks)
    return;
  for (int i = 0; i < entries.size(); ++i) {
    const QString &friendly = friendlies[i];
    const QString quoted = friendly.contains(QLatin1Char(' ')) ? QLatin1Char('"') + friendly + QLatin1Char('"') : friendly;
    bool checked = false;
    for (int k = 0; k < Filter->Count() && !checked; ++k) {
      const TFilterData *f = Filter->Items(k);
      // The condition is what checking the entry stores, so a list opened again shows the
      // checks in force, also for entries whose condition is not their text.
      checked = f->Column() == Column && (f->Condition() == conditions[i] || f->Condition() == quoted);
    }
    checks->SetChecked(i, checked);
  }
}

// ---------------------------------------------------------------------------------------------

TScrollControl::TScrollControl(TComponent *AOwner) : TCustomControl(AOwner)
{
  TCustomControl::SetColor(0xC0C0C0);
}

TZavStringGrid *TScrollControl::Grid() const { return dynamic_cast<TZavStringGrid *>(Parent()); }

void TScrollControl::SetColor(TColor Value)
{
  if (Value == Color())
    return;
  TCustomControl::SetColor(Value);
  Invalidate();
}

TPoint TScrollControl::Thumb()
{
  TZavStringGrid *g = Grid();
  if (!g)
    return {0, 0};
  const bool vert = FDirection == sdVertical;
  const int count = vert ? g->RowCount() : g->ColCount();
  const int fixed = vert ? g->FixedRows() : g->FixedCols();
  const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
  const int top = vert ? g->TopRow() : g->LeftCol();
  const int extent = vert ? Height() : Width();
  int offset = 0;
  for (int i = 0; i < fixed; ++i)
    offset += vert ? g->RowHeights(i) : g->ColWidths(i);
  // The fixed footer rows at the bottom take no part of the track.
  int footers = 0;
  if (vert)
    for (int i = std::max(fixed, count - g->FixedFooters()); i < count; ++i)
      footers += g->RowHeights(i);
  const int track = extent - offset - footers;
  // Every normal row in view, or none at all: nothing to scroll.
  if (count - fixed <= 0 || visible >= count - fixed || track <= 0)
    return {0, 0};
  const int size = std::max(20, RoundEven(double(track) * visible / count));
  int pos = offset + RoundEven(double(track) * (top - fixed) / (count - fixed));
  if (pos + size > extent)
    pos = extent - size;
  return {pos, size};
}

void TScrollControl::Paint()
{
  TZavStringGrid *g = Grid();
  if (!g)
    return;
  TCanvas *c = Canvas();
  // The bar lies over the grid's cells and looks transparent: the grid's picture goes under it.
  if (g->HandleAllocated())
    c->CopyRect(TRect(0, 0, Width(), Height()), g->Canvas(), BoundsRect());
  const TPoint t = Thumb();
  if (t.Y == 0)
    return;
  c->Pen()->SetColor(Color());
  c->Brush()->SetColor(Color());
  if (FDirection == sdVertical)
    c->Rectangle(0, t.X, FScrollWidth, t.X + t.Y);
  else
    c->Rectangle(t.X, 0, t.X + t.Y, FScrollWidth);
}

void TScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TCustomControl::MouseDown(Button, Shift, X, Y);
  TZavStringGrid *g = Grid();
  const TPoint t = Thumb();
  if (!g || t.Y == 0)
    return;
  const bool vert = FDirection == sdVertical;
  const int at = vert ? Y : X;
  const int fixed = vert ? g->FixedRows() : g->FixedCols();
  const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
  const int count = vert ? g->RowCount() : g->ColCount();
  const int top = vert ? g->TopRow() : g->LeftCol();
  auto setTop = [&](int v) { vert ? g->SetTopRow(v) : g->SetLeftCol(v); };
  if (at < t.X)
    setTop(std::max(fixed, top - visible));
  else if (at > t.X + t.Y)
    setTop(std::min(top + visible, count - visible));
  else {
    FDownOnScroller = true;
    FDownPos = at;
    FDownRow = top;
  }
  Invalidate();
}

void TScrollControl::MouseMove(TShiftState Shift, int X, int Y)
{
  TCustomControl::MouseMove(Shift, X, Y);
  TZavStringGrid *g = Grid();
  if (!FDownOnScroller || !g)
    return;
  const bool vert = FDirection == sdVertical;
  const int span = vert ? Height() - g->RowHeights(0) : Width() - g->ColWidths(0);
  if (span <= 0)
    return;
  const int count = vert ? g->RowCount() : g->ColCount();
  const int fixed = vert ? g->FixedRows() : g->FixedCols();
  const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
  const int moved = RoundEven(double((vert ? Y : X) - FDownPos) / span * count);
  const int top = std::max(fixed, std::min(moved + FDownRow, count - visible));
  vert ? g->SetTopRow(top) : g->SetLeftCol(top);
  Invalidate();
}

void TScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  FDownOnScroller = false;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------------------------------------

THeaderDragButton::THeaderDragButton(TComponent *AOwner) : TCustomControl(AOwner)
{
  TCustomControl::SetColor(clBtnFace);
}

void THeaderDragButton::SetCaption(const QString &Value)
{
  FCaption = Value;
  Invalidate();
}

void THeaderDragButton::SetFlat(bool Value)
{
  FFlat = Value;
  Invalidate();
}

void THeaderDragButton::CreateParams(TCreateParams &Params)
{
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_BORDER;
  Params.WindowClass.style |= CS_SAVEBITS;
}

void THeaderDragButton::Paint()
{
  TCanvas *c = Canvas();
  TRect r = GetClientRect();
  c->Brush()->SetColor(FGrid ? FGrid->FixedColor() : Color());
  c->FillRect(r);
  c->SetBkMode(TRANSPARENT);
  if (FGrid)
    c->Font()->Assign(FGrid->Font());
  c->DrawText(FCaption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}
