#include "framework/stdctrls/stdctrls.h"

#include <QAbstractItemView>
#include <QListWidget>
#include <QObject>

#include <algorithm>

#include "framework/controls/classiclook.h"
#include "framework/stdctrls/stdctrls_private.h"

TCustomListBox::TCustomListBox(TComponent *AOwner) : TWinControl(AOwner), FSignals(std::make_unique<QObject>())
{
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csOpaque};
  FWidth = 121;
  FHeight = 97;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FItems = std::make_unique<TControlStrings>([this]() { ItemsChanged(); });
}

TCustomListBox::~TCustomListBox() = default;

QListWidget *TCustomListBox::ListWidget() const
{
  if (!HandleAllocated())
    return nullptr;
  return qobject_cast<QListWidget *>(const_cast<TCustomListBox *>(this)->Handle());
}

QWidget *TCustomListBox::CreateWindowHandle(const TCreateParams &Params)
{
  auto *w = new QListWidget;
  w->setUniformItemSizes(true);
  w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return w;
}

void TCustomListBox::CreateWindowDone()
{
  TWinControl::CreateWindowDone();
  QListWidget *l = ListWidget();
  if (!l)
    return;
  ++FUpdatingWidget;
  l->clear();
  l->addItems(FItems->List());
  l->setSelectionMode(!FMultiSelect ? QAbstractItemView::SingleSelection
                      : FExtendedSelect ? QAbstractItemView::ExtendedSelection
                                        : QAbstractItemView::MultiSelection);
  l->setFrameStyle(FBorderStyle == bsNone ? QFrame::NoFrame : (QFrame::StyledPanel | QFrame::Sunken));
  ApplySelection();
  --FUpdatingWidget;
  ApplyLook();
  l->setEnabled(Enabled());
  // One report per change: a multi-selection list reports its selection, a single one its row.
  QObject::connect(l, &QListWidget::itemSelectionChanged, FSignals.get(), [this]() {
    if (FMultiSelect)
      NativeSelectionChanged();
  });
  QObject::connect(l, &QListWidget::currentRowChanged, FSignals.get(), [this](int) {
    if (!FMultiSelect)
      NativeSelectionChanged();
  });
}

void TCustomListBox::DestroyWnd()
{
  if (QListWidget *l = ListWidget()) {
    FItemIndex = l->currentRow();
    FSelected.assign(size_t(FItems->Count()), false);
    for (int i = 0; i < l->count() && i < FItems->Count(); ++i)
      FSelected[size_t(i)] = l->item(i)->isSelected();
  }
  TWinControl::DestroyWnd();
}

void TCustomListBox::ApplyLook()
{
  if (QListWidget *l = ListWidget()) {
    ApplyClassicLook(l, Color(), Font());
    if (FItemHeight > 0)
      for (int i = 0; i < l->count(); ++i)
        l->item(i)->setSizeHint(QSize(0, FItemHeight));
  }
}

void TCustomListBox::ApplySelection()
{
  QListWidget *l = ListWidget();
  if (!l)
    return;
  l->clearSelection();
  if (FMultiSelect) {
    for (int i = 0; i < l->count() && i < int(FSelected.size()); ++i)
      l->item(i)->setSelected(FSelected[size_t(i)]);
    if (FItemIndex >= 0 && FItemIndex < l->count())
      l->setCurrentRow(FItemIndex, QItemSelectionModel::NoUpdate);
  } else {
    l->setCurrentRow(FItemIndex);
  }
}

void TCustomListBox::ItemsChanged()
{
  // A change of the items drops the selection, as the platform's list does.
  FItemIndex = -1;
  FSelected.assign(size_t(FItems->Count()), false);
  if (QListWidget *l = ListWidget()) {
    ++FUpdatingWidget;
    l->clear();
    l->addItems(FItems->List());
    l->setCurrentRow(-1);
    --FUpdatingWidget;
    ApplyLook();
  }
}

void TCustomListBox::NativeSelectionChanged()
{
  if (FUpdatingWidget)
    return;
  QListWidget *l = ListWidget();
  FItemIndex = l->currentRow();
  Click();
}

void TCustomListBox::SetItems(TStrings *Value)
{
  if (Value)
    FItems->Assign(Value);
}

int TCustomListBox::ItemIndex() const
{
  if (QListWidget *l = ListWidget())
    return l->currentRow();
  return FItemIndex;
}

void TCustomListBox::SetItemIndex(int Value)
{
  if (Value < -1 || Value >= FItems->Count())
    Value = -1;
  FItemIndex = Value;
  if (!FMultiSelect) {
    FSelected.assign(size_t(FItems->Count()), false);
    if (Value >= 0)
      FSelected[size_t(Value)] = true;
  }
  if (QListWidget *l = ListWidget()) {
    ++FUpdatingWidget;
    if (FMultiSelect)
      l->setCurrentRow(Value, QItemSelectionModel::NoUpdate);
    else
      l->setCurrentRow(Value);
    if (Value >= 0)
      l->scrollToItem(l->item(Value));
    --FUpdatingWidget;
  }
}

void TCustomListBox::SetMultiSelect(bool Value)
{
  if (FMultiSelect == Value)
    return;
  FMultiSelect = Value;
  if (QListWidget *l = ListWidget())
    l->setSelectionMode(!FMultiSelect ? QAbstractItemView::SingleSelection
                        : FExtendedSelect ? QAbstractItemView::ExtendedSelection
                                          : QAbstractItemView::MultiSelection);
}

void TCustomListBox::SetExtendedSelect(bool Value)
{
  FExtendedSelect = Value;
  if (FMultiSelect)
    if (QListWidget *l = ListWidget())
      l->setSelectionMode(FExtendedSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::MultiSelection);
}

bool TCustomListBox::Selected(int Index) const
{
  if (Index < 0 || Index >= FItems->Count())
    throw EListError(ListIndexError(Index));
  if (QListWidget *l = ListWidget())
    return l->item(Index)->isSelected();
  if (!FMultiSelect)
    return Index == FItemIndex;
  return Index < int(FSelected.size()) && FSelected[size_t(Index)];
}

void TCustomListBox::SetSelected(int Index, bool Value)
{
  if (Index < 0 || Index >= FItems->Count())
    throw EListError(ListIndexError(Index));
  if (FSelected.size() != size_t(FItems->Count()))
    FSelected.resize(size_t(FItems->Count()), false);
  if (!FMultiSelect) {
    // A single-selection list selects (or deselects) the item as its index.
    if (Value)
      SetItemIndex(Index);
    else if (ItemIndex() == Index)
      SetItemIndex(-1);
    return;
  }
  FSelected[size_t(Index)] = Value;
  if (QListWidget *l = ListWidget()) {
    ++FUpdatingWidget;
    l->item(Index)->setSelected(Value);
    --FUpdatingWidget;
  }
}

int TCustomListBox::SelCount() const
{
  if (!FMultiSelect)
    return -1;
  int n = 0;
  for (int i = 0; i < FItems->Count(); ++i)
    if (Selected(i))
      ++n;
  return n;
}

void TCustomListBox::SetSorted(bool Value) { FItems->SetSorted(Value); }

int TCustomListBox::TopIndex() const
{
  if (QListWidget *l = ListWidget()) {
    QListWidgetItem *it = l->itemAt(2, 2);
    return it ? l->row(it) : 0;
  }
  return FTopIndex;
}

void TCustomListBox::SetTopIndex(int Value)
{
  FTopIndex = std::max(0, Value);
  if (QListWidget *l = ListWidget(); l && Value >= 0 && Value < l->count())
    l->scrollToItem(l->item(Value), QAbstractItemView::PositionAtTop);
}

int TCustomListBox::ItemHeight() const
{
  if (FItemHeight > 0)
    return FItemHeight;
  return FontTextMetrics(*Font()).tmHeight;
}

void TCustomListBox::SetItemHeight(int Value)
{
  FItemHeight = std::max(0, Value);
  ApplyLook();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value)
{
  FBorderStyle = Value;
  if (QListWidget *l = ListWidget())
    l->setFrameStyle(FBorderStyle == bsNone ? QFrame::NoFrame : (QFrame::StyledPanel | QFrame::Sunken));
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const
{
  if (QListWidget *l = ListWidget()) {
    const QPoint vp = l->viewport()->mapFrom(l, QPoint(Pos.X, Pos.Y));
    if (QListWidgetItem *it = l->itemAt(vp))
      return l->row(it);
    return Existing ? -1 : l->count();
  }
  const int h = ItemHeight();
  const int i = h > 0 ? FTopIndex + Pos.Y / h : -1;
  if (i >= 0 && i < FItems->Count())
    return i;
  return Existing ? -1 : FItems->Count();
}

TRect TCustomListBox::ItemRect(int Index) const
{
  if (QListWidget *l = ListWidget(); l && Index >= 0 && Index < l->count()) {
    const QRect r = l->visualItemRect(l->item(Index));
    const QPoint tl = l->viewport()->mapTo(l, r.topLeft());
    return Bounds(tl.x(), tl.y(), r.width(), r.height());
  }
  const int h = ItemHeight();
  return Bounds(0, (Index - FTopIndex) * h, Width(), h);
}

void TCustomListBox::Clear() { FItems->Clear(); }

void TCustomListBox::ClearSelection()
{
  FSelected.assign(size_t(FItems->Count()), false);
  if (!FMultiSelect)
    FItemIndex = -1;
  if (QListWidget *l = ListWidget()) {
    ++FUpdatingWidget;
    l->clearSelection();
    if (!FMultiSelect)
      l->setCurrentRow(-1);
    --FUpdatingWidget;
  }
}

void TCustomListBox::SelectAll()
{
  if (!FMultiSelect)
    return;
  for (int i = 0; i < FItems->Count(); ++i)
    SetSelected(i, true);
}

void TCustomListBox::CMFontChanged(TMessage &Message)
{
  TWinControl::CMFontChanged(Message);
  ApplyLook();
}

void TCustomListBox::CMColorChanged(TMessage &Message)
{
  TWinControl::CMColorChanged(Message);
  ApplyLook();
}

void TCustomListBox::CMEnabledChanged(TMessage &Message)
{
  TWinControl::CMEnabledChanged(Message);
  if (HandleAllocated())
    Handle()->setEnabled(Enabled());
}
