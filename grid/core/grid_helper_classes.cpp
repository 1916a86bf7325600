#include "grid/core/grid_helper_classes.h"

#include "framework/controls/forms.h"
#include "framework/grids/grids.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/markup_render.h"

// ---------------------------------------------------------------------------------------------
// TGridItem

TGridItem::TGridItem(TCollection *Collection) : TCollectionItem(Collection), FItems(std::make_unique<TStringList>()) {}

TGridItem::~TGridItem() = default;

void TGridItem::SetItems(TStrings *Value)
{
  // The item keeps its one list; a list handed in (even its own) only lends its contents.
  if (Value && Value != FItems.get())
    FItems->Assign(Value);
}

// ---------------------------------------------------------------------------------------------
// TFilterData, TFilter

TFilterData::TFilterData(TCollection *Collection) : TCollectionItem(Collection) {}

void TFilterData::Assign(TPersistent *Source)
{
  auto *s = dynamic_cast<TFilterData *>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  FColumn = s->FColumn;
  FCondition = s->FCondition;
  FCaseSensitive = s->FCaseSensitive;
  FData = s->FData;
  FPrefix = s->FPrefix;
  FSuffix = s->FSuffix;
  FOperation = s->FOperation;
}

TFilter::TFilter(TZavStringGrid *AOwner) : TCollection(TCollection::ItemClass<TFilterData>()), FOwner(AOwner) {}

TFilterData *TFilter::Add()
{
  auto *d = static_cast<TFilterData *>(TCollection::Add());
  d->SetOperation(Count() == 1 ? foNONE : foAND);
  return d;
}

TFilterData *TFilter::Insert(int Index) { return static_cast<TFilterData *>(TCollection::Insert(Index)); }

TFilterData *TFilter::GetColFilter(int Col)
{
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Column() == Col)
      return Items(i);
  TFilterData *d = Add();
  d->SetColumn(int16_t(Col));
  return d;
}

bool TFilter::HasFilter(int Col) const
{
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Column() == Col)
      return true;
  return false;
}

void TFilter::RemoveColumnFilter(int Col)
{
  for (int i = Count() - 1; i >= 0; --i)
    if (Items(i)->Column() == Col)
      Delete(i);
  if (FOwner)
    FOwner->RepaintCell(Col, 0);
}

TPersistent *TFilter::GetOwner() { return FOwner; }

// ---------------------------------------------------------------------------------------------
// TBackGround

TBackGround::TBackGround(TZavStringGrid *AGrid) : FGrid(AGrid), FBitmap(std::make_unique<TBitmap>()) {}

TBackGround::~TBackGround() = default;

void TBackGround::Changed()
{
  if (FGrid)
    FGrid->Invalidate();
}

void TBackGround::SetTop(int Value) { FTop = Value; Changed(); }
void TBackGround::SetLeft(int Value) { FLeft = Value; Changed(); }
void TBackGround::SetDisplay(TBackGroundDisplay Value) { FDisplay = Value; Changed(); }
void TBackGround::SetCells(TBackGroundCells Value) { FCells = Value; Changed(); }
void TBackGround::SetColor(TColor Value) { FColor = Value; Changed(); }
void TBackGround::SetColorTo(TColor Value) { FColorTo = Value; Changed(); }

void TBackGround::SetBitmap(TBitmap *Value)
{
  FBitmap->Assign(Value);
  Changed();
}

// ---------------------------------------------------------------------------------------------
// TEditLink

TEditLink::TEditLink(TComponent *AOwner) : TComponent(AOwner), FOwner(dynamic_cast<TZavStringGrid *>(AOwner)) {}

TEditLink::~TEditLink() { EndSubClass(); }

void TEditLink::Notification(TComponent *AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (FSubClassedControl && AComponent == static_cast<TComponent *>(FSubClassedControl)) {
    // The control goes: nothing is left to hand back.
    FSubClassedControl = nullptr;
    FSubClassed = false;
    if (FOwner) {
      FOwner->FGridControlWndProc = nullptr;
      if (FOwner->FSubClassingLink == this)
        FOwner->FSubClassingLink = nullptr;
    }
  } else if (FOwner && AComponent == static_cast<TComponent *>(FOwner)) {
    // The grid's destructor has ended the take-over already; its members are gone by now.
    FOwner = nullptr;
    EndSubClass();
  }
}

void TEditLink::EndSubClass()
{
  if (!FSubClassedControl)
    return;
  TWinControl *c = FSubClassedControl;
  FSubClassedControl = nullptr;
  c->RemoveFreeNotification(this);
  if (FOwner) {
    c->SetWindowProc(std::move(FOwner->FGridControlWndProc));
    FOwner->FGridControlWndProc = nullptr;
    if (FOwner->FSubClassingLink == this)
      FOwner->FSubClassingLink = nullptr;
  } else {
    c->SetWindowProc(nullptr);
  }
  FSubClassed = false;
}

TWinControl *TEditLink::GetEditControl() { return nullptr; }
void TEditLink::CreateEditor(TWinControl *) {}
void TEditLink::DestroyEditor() {}
void TEditLink::SetProperties() {}
void TEditLink::SetCellProps(TColor, TFont *) {}
QString TEditLink::GetEditorValue() { return QString(); }
void TEditLink::SetEditorValue(const QString &) {}

void TEditLink::SetRect(TRect r)
{
  TWinControl *c = GetEditControl();
  if (!c)
    return;
  const int lw = FOwner ? FOwner->GridLineWidth() : 0;
  c->SetBounds(r.Left, r.Top, r.Width() - lw, r.Height() - lw);
}

void TEditLink::SetVisible(bool Value)
{
  if (TWinControl *c = GetEditControl())
    c->SetVisible(Value);
}

void TEditLink::SetFocus(bool Value)
{
  TWinControl *c = GetEditControl();
  if (Value && c) {
    c->SetVisible(true);
    c->SetEnabled(true);
    if (FEditStyle == esInplace && !FSubClassed && FOwner) {
      // The grid takes the control's messages over (it wants Tab with goTabs) and keeps the
      // control's own procedure for the rest and to hand back on restore.
      FOwner->FGridControlWndProc = c->GetWindowProc();
      c->SetWindowProc([grid = FOwner](TMessage &m) { grid->EditControlWndProc(m); });
      FSubClassedControl = c;
      FOwner->FSubClassingLink = this;
      c->FreeNotification(this);
      FOwner->FreeNotification(this);
      FSubClassed = true;
    }
  }
  if (Value && c) {
    if (c->CanFocus())
      c->SetFocus();
  } else if (FOwner && FOwner->CanFocus()) {
    FOwner->SetFocus();
  }
}

TWinControl *TEditLink::GetParent()
{
  if (FEditStyle == esPopup && FPopupForm)
    return FPopupForm;
  return FOwner;
}

QString TEditLink::GetCellValue()
{
  if (!FOwner)
    return QString();
  return FOwner->Cells(FOwner->RealColIndex(FOwner->Col()), FOwner->Row());
}

void TEditLink::SetCellValue(const QString &s)
{
  if (FOwner)
    FOwner->SetEditorCellText(FOwner->RealColIndex(FOwner->Col()), FOwner->Row(), s);
}

void TEditLink::HideEditor()
{
  SetCellValue(GetEditorValue());
  if (FOwner)
    FOwner->HideInplaceEdit();
  RestoreWinProc();
}

void TEditLink::RestoreWinProc()
{
  TWinControl *c = GetEditControl();
  if (FEditStyle != esInplace || !c)
    return;
  EndSubClass();
  c->SetVisible(false);
}

void TEditLink::EditExit(TObject *)
{
  HideEditor();
  if (FEditStyle == esPopup && FPopupForm) {
    DestroyEditor();
    FPopupForm->Hide();
  }
}

void TEditLink::FormExit(TObject *Sender)
{
  if (!FOwner)
    return;
  if (TInplaceEdit *e = FOwner->InplaceEditor())
    e->SetText(GetEditorValue());
  if (FForcedExit) {
    SetCellValue(GetEditorValue());
  } else {
    EditExit(Sender);
    FOwner->FFocusChanging = true;
  }
}

void TEditLink::GridTakesFocus()
{
  FForcedExit = true;
  if (FOwner && FOwner->CanFocus())
    FOwner->SetFocus();
  FForcedExit = false;
}

void TEditLink::EditKeyDown(TObject *, uint16_t &Key, TShiftState Shift)
{
  bool listed = true, wanted = false;
  switch (Key) {
  case VK_UP: case VK_DOWN: wanted = FWantKeyUpDown; break;
  case VK_LEFT: case VK_RIGHT: wanted = FWantKeyLeftRight; break;
  case VK_HOME: case VK_END: wanted = FWantKeyHomeEnd; break;
  case VK_PRIOR: case VK_NEXT: wanted = FWantKeyPriorNext; break;
  case VK_RETURN: wanted = FWantKeyReturn; break;
  case VK_ESCAPE: wanted = FWantKeyEscape; break;
  case VK_TAB: wanted = FWantTabs; break;
  default: listed = false; break;
  }
  if (wanted || (!listed && !Shift.Contains(ssAlt)))
    return;
  if (!FOwner)
    return;

  if (Key == VK_TAB) {
    if (FOwner->Navigation() && FOwner->Navigation()->TabToNextAtEnd()) {
      GridTakesFocus();
      FOwner->HideSpecialEditor(FOwner->Col(), FOwner->Row());
      if (FOwner->TabToNextCell(Shift.Contains(ssShift))) {
        if (FOwner->HandleAllocated())
          PostMessage(FOwner->Handle(), WM_KEYDOWN, VK_F2, 0);
        Key = 0;
        return;
      }
    }
    // The grid's own Tab handling moves on; the editor's control keeps no key.
    uint16_t tab = VK_TAB;
    Key = 0;
    EndEditing(tab, Shift);
    if (FOwner->Options().Contains(goTabs) && FOwner->HandleAllocated())
      PostMessage(FOwner->Handle(), WM_KEYDOWN, VK_F2, 0);
    return;
  }
  if (Key == VK_ESCAPE)
    SetEditorValue(FOwner->FEditCellText);
  EndEditing(Key, Shift);
}

void TEditLink::EndEditing(uint16_t &Key, TShiftState Shift)
{
  GridTakesFocus();
  FOwner->HideSpecialEditor(FOwner->Col(), FOwner->Row());
  if (FEditStyle == esPopup)
    EditExit(this);

  FOwner->SetEditorMode(false);
  FOwner->FocusCell(FOwner->Col(), FOwner->Row(), true);
  if (FOwner->FLastValidation < 0) {
    FOwner->ShowSpecialEditor(FOwner->Col(), FOwner->Row());
    return;
  }
  if (Key == VK_RETURN) {
    FOwner->AdvanceToNextCell(FOwner->Col(), FOwner->Row(), true, false, Shift.Contains(ssShift), false);
    Key = 0;
    return;
  }
  if (Key == VK_ESCAPE)
    Key = 0;
  else if (Key != 0)
    FOwner->Perform(WM_KEYDOWN, Key, 0);
  if (TWinControl *c = GetEditControl())
    c->SetEnabled(false);
  GridTakesFocus();
}

// ---------------------------------------------------------------------------------------------
// TZavRichEdit

TZavRichEdit::TZavRichEdit(TComponent *AOwner) : TRichEdit(AOwner), FGrid(dynamic_cast<TZavStringGrid *>(AOwner)) {}

void TZavRichEdit::ReCreate() { RecreateWnd(); }

void TZavRichEdit::SelNormal() { SetSelOffset(0); }
void TZavRichEdit::SelSubscript() { SetSelOffset(-40); }
void TZavRichEdit::SelSuperscript() { SetSelOffset(40); }
bool TZavRichEdit::IsSelNormal() const { return const_cast<TZavRichEdit *>(this)->SelOffset() == 0; }
bool TZavRichEdit::IsSelSubscript() const { return const_cast<TZavRichEdit *>(this)->SelOffset() == -40; }
bool TZavRichEdit::IsSelSuperscript() const { return const_cast<TZavRichEdit *>(this)->SelOffset() == 40; }

void TZavRichEdit::RequestSize(int AWidth, int AHeight)
{
  if (FGrid && FGrid->FRichEdit == this) {
    FReqWidth = AWidth;
    FReqHeight = AHeight;
  }
}

void TZavRichEdit::WMGetDlgCode(TWMGetDlgCode &Message)
{
  TRichEdit::WMGetDlgCode(Message);
  Message.Result |= DLGC_WANTTAB;
}

void TZavRichEdit::WMKillFocus(TWMKillFocus &Message)
{
  TRichEdit::WMKillFocus(Message);
  if (FGrid && FGrid->HandleAllocated() && Message.FocusedWnd == FGrid->Handle() && !FGrid->FFocusChanging)
    FGrid->HideInplaceEdit();
}

void TZavRichEdit::KeyDown(uint16_t &Key, TShiftState Shift)
{
  if (FGrid) {
    const bool tab = Key == VK_TAB && FGrid->Options().Contains(goTabs);
    const bool upDown = (Key == VK_UP || Key == VK_DOWN) && !FGrid->WordWrap() && !FGrid->Multilinecells();
    if (tab || upDown) {
      const uint16_t k = Key;
      Key = 0;
      if (FGrid->CanFocus())
        FGrid->SetFocus();
      FGrid->Perform(WM_KEYDOWN, k, 0);
      if (tab)
        FGrid->ShowEditor();
      return;
    }
  }
  TRichEdit::KeyDown(Key, Shift);
}

// ---------------------------------------------------------------------------------------------
// THTMLHintWindow

QString &HintFontName()
{
  static QString name;
  return name;
}

THTMLHintWindow::THTMLHintWindow(TComponent *AOwner) : THintWindow(AOwner) {}

void THTMLHintWindow::CreateParams(TCreateParams &Params)
{
  THintWindow::CreateParams(Params);
  Params.Style &= ~uint32_t(WS_BORDER);
  Params.WindowClass.style |= CS_DROPSHADOW;
}

int THTMLHintWindow::Measure(const QString &AHint)
{
  TCanvas *c = Canvas();
  c->Font()->Assign(Font());
  if (CellTextKind(AHint, false) == 5) {
    c->Font()->SetName(HintFontName());
    FWideCaption = UnpackWideText(AHint);
    FTextWidth = c->TextWidth(FWideCaption);
    FTextHeight = c->TextHeight(FWideCaption);
    return 8;
  }
  FWideCaption.clear();
  QString anchor, plain, focusAnchor, title, cid, cv, ct;
  int w = 0, h = 0, count = 0, mouseAnchor = 0;
  TRect ar, cr;
  RenderHTMLText(c, AHint, TRect(0, 0, 1008, 4096), FImages, -1, -1, -1, -1, 0, false, true, false, false,
                 false, false, true, false, 1.0, clBlue, clNone, clNone, clGray, anchor, plain, focusAnchor,
                 title, w, h, count, mouseAnchor, ar, cr, cid, cv, ct, nullptr, FPictureContainer, nullptr, 0);
  FTextWidth = w;
  FTextHeight = h;
  return 16;
}

TRect THTMLHintWindow::CalcHintRect(int, const QString &AHint, void *)
{
  Measure(AHint);
  return TRect(0, 0, FTextWidth, FTextHeight);
}

void THTMLHintWindow::ActivateHintData(TRect Rect, const QString &AHint, void *AData)
{
  if (auto *g = dynamic_cast<TZavStringGrid *>(static_cast<TObject *>(AData))) {
    FImages = g->GridImages();
    FPictureContainer = g->PictureContainer();
  }
  ActivateHint(Rect, AHint);
}

void THTMLHintWindow::ActivateHint(TRect Rect, const QString &AHint)
{
  SetCaption(AHint);
  const int padding = Measure(AHint);
  Rect.Right = Rect.Left + FTextWidth + padding;
  Rect.Bottom = Rect.Top + FTextHeight + 4;
  if (Screen) {
    if (TMonitor *m = Screen->MonitorFromPoint(TPoint(Rect.Left, Rect.Top), mdNearest)) {
      const TRect b = m->BoundsRect();
      if (Rect.Right > b.Right) {
        const int w = Rect.Width();
        Rect.Right = b.Right - 2;
        Rect.Left = Rect.Right - w;
      }
      if (Rect.Bottom > b.Bottom) {
        const int h = Rect.Height();
        Rect.Bottom = b.Bottom - 2;
        Rect.Top = Rect.Bottom - h;
      }
    }
  }
  THintWindow::ActivateHintData(Rect, AHint, nullptr);
}

void THTMLHintWindow::CMTextChanged(TMessage &Message)
{
  THintWindow::CMTextChanged(Message);
  Invalidate();
}

void THTMLHintWindow::Paint()
{
  TCanvas *c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  c->Pen()->SetColor(cl3DLight);
  c->MoveTo(r.Left, r.Bottom - 1);
  c->LineTo(r.Left, r.Top);
  c->LineTo(r.Right - 1, r.Top);
  c->Pen()->SetColor(cl3DDkShadow);
  c->LineTo(r.Right - 1, r.Bottom - 1);
  c->LineTo(r.Left - 1, r.Bottom - 1);

  TRect t(r.Left + 4, (r.Height() - FTextHeight) / 2, r.Right - 4, 0);
  t.Bottom = t.Top + FTextHeight;
  c->SetBkMode(TRANSPARENT);
  c->Font()->Assign(Font());
  if (!FWideCaption.isEmpty()) {
    c->Font()->SetName(HintFontName());
    c->DrawText(FWideCaption, t, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT);
    return;
  }
  QString anchor, plain, focusAnchor, title, cid, cv, ct;
  int w = 0, h = 0, count = 0, mouseAnchor = 0;
  TRect ar, cr;
  RenderHTMLText(c, Caption(), t, FImages, -1, -1, -1, -1, 0, false, false, false, false, false, false, true,
                 false, 1.0, clBlue, clNone, clNone, clGray, anchor, plain, focusAnchor, title, w, h, count,
                 mouseAnchor, ar, cr, cid, cv, ct, nullptr, FPictureContainer, nullptr, 0);
}
