#include "framework/stdctrls/checklst.h"

#include <QListWidget>
#include <QObject>
#include <QStyle>

#include "framework/controls/classiclook.h"
#include "framework/stdctrls/stdctrls_private.h"

namespace {

Qt::CheckState ToQt(TCheckBoxState Value)
{
  switch (Value) {
  case cbChecked: return Qt::Checked;
  case cbGrayed: return Qt::PartiallyChecked;
  default: return Qt::Unchecked;
  }
}

TCheckBoxState FromQt(Qt::CheckState Value)
{
  switch (Value) {
  case Qt::Checked: return cbChecked;
  case Qt::PartiallyChecked: return cbGrayed;
  default: return cbUnchecked;
  }
}

} // namespace

TCheckListBox::TCheckListBox(TComponent *AOwner) : TCustomListBox(AOwner) {}

TCheckListBox::~TCheckListBox() = default;

TCheckBoxState TCheckListBox::State(int Index) const
{
  if (Index < 0 || Index >= FItems->Count())
    throw EListError(ListIndexError(Index));
  return Index < int(FStates.size()) ? FStates[size_t(Index)] : cbUnchecked;
}

void TCheckListBox::SetState(int Index, TCheckBoxState Value)
{
  if (Index < 0 || Index >= FItems->Count())
    throw EListError(ListIndexError(Index));
  FStates.resize(size_t(FItems->Count()), cbUnchecked);
  FStates[size_t(Index)] = Value;
  if (QListWidget *l = ListWidget(); l && Index < l->count()) {
    ++FUpdatingChecks;
    l->item(Index)->setCheckState(ToQt(Value));
    --FUpdatingChecks;
  }
}

int TCheckListBox::CheckWidth() const
{
  // The item view puts a margin on either side of the indicator.
  QStyle *style = ClassicStyle();
  return style->pixelMetric(QStyle::PM_IndicatorWidth) + 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
}

void TCheckListBox::ClickCheck()
{
  if (OnClickCheck)
    OnClickCheck(this);
}

void TCheckListBox::CreateWindowDone()
{
  TCustomListBox::CreateWindowDone();
  QListWidget *l = ListWidget();
  if (!l)
    return;
  ApplyStates();
  // The native list's delegate toggles a check on a click in the box or on Space.
  QObject::connect(l, &QListWidget::itemChanged, FSignals.get(), [this, l](QListWidgetItem *Item) {
    if (!FUpdatingChecks)
      NativeCheckChanged(l->row(Item), FromQt(Item->checkState()));
  });
}

void TCheckListBox::ItemsChanged()
{
  // The items only report that they changed: an item keeps its state when it is still there,
  // in the same order relative to the others (items added, inserted or deleted).
  const QStringList items = FItems->List();
  std::vector<TCheckBoxState> states(size_t(items.size()), cbUnchecked);
  int from = 0;
  for (int i = 0; i < items.size(); ++i) {
    const int k = FStateItems.indexOf(items[i], from);
    if (k >= 0) {
      if (k < int(FStates.size()))
        states[size_t(i)] = FStates[size_t(k)];
      from = k + 1;
    }
  }
  FStates = std::move(states);
  FStateItems = items;
  // The rebuilt native items have no check yet: that is no change of the user's.
  ++FUpdatingChecks;
  TCustomListBox::ItemsChanged();
  --FUpdatingChecks;
  ApplyStates();
}

void TCheckListBox::ApplyStates()
{
  QListWidget *l = ListWidget();
  if (!l)
    return;
  FStates.resize(size_t(FItems->Count()), cbUnchecked);
  ++FUpdatingChecks;
  for (int i = 0; i < l->count() && i < int(FStates.size()); ++i) {
    QListWidgetItem *it = l->item(i);
    it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
    it->setCheckState(ToQt(FStates[size_t(i)]));
  }
  --FUpdatingChecks;
}

void TCheckListBox::NativeCheckChanged(int Index, TCheckBoxState Value)
{
  if (Index < 0 || Index >= int(FStates.size()) || FStates[size_t(Index)] == Value)
    return;
  FStates[size_t(Index)] = Value;
  ClickCheck();
}
