#include <algorithm>

#include "framework/classes/classes.h"

TCollectionItem::TCollectionItem(TCollection *Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem()
{
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection *Value)
{
  if (FCollection == Value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const
{
  if (!FCollection) return -1;
  const auto &v = FCollection->FItems;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : int(it - v.begin());
}

void TCollectionItem::SetIndex(int Value)
{
  const int cur = Index();
  if (cur < 0 || cur == Value) return;
  auto &v = FCollection->FItems;
  if (Value < 0 || Value >= int(v.size()))
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Value));
  v.erase(v.begin() + cur);
  v.insert(v.begin() + Value, this);
  Changed(true);
}

QString TCollectionItem::DisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const QString &) { Changed(false); }

TPersistent *TCollectionItem::GetOwner() { return FCollection; }

void TCollectionItem::Changed(bool AllItems)
{
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

// ---------------------------------------------------------------------------------------------

TCollection::TCollection(TItemFactory AItemClass) : FItemClass(std::move(AItemClass)) {}

TCollection::~TCollection()
{
  FUpdateCount = 1;
  while (!FItems.empty()) delete FItems.back();
}

TCollectionItem *TCollection::Add()
{
  if (!FItemClass) throw EInvalidOperation(QStringLiteral("The collection has no item class"));
  TCollectionItem *item = FItemClass(this);
  if (item->FCollection != this) item->SetCollection(this);
  return item;
}

TCollectionItem *TCollection::Insert(int Index)
{
  TCollectionItem *item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index)
{
  TCollectionItem *item = Items(Index);
  Notify(item, cnDeleting);
  delete item;
}

void TCollection::Clear()
{
  if (FItems.empty()) return;
  BeginUpdate();
  try {
    while (!FItems.empty()) delete FItems.back();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate()
{
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

TCollectionItem *TCollection::Items(int Index) const
{
  if (Index < 0 || Index >= Count()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FItems[size_t(Index)];
}

void TCollection::SetItems(int Index, TCollectionItem *Value) { Items(Index)->Assign(Value); }

TCollectionItem *TCollection::FindItemID(int ID) const
{
  for (TCollectionItem *i : FItems)
    if (i->FID == ID) return i;
  return nullptr;
}

void TCollection::Exchange(int Index1, int Index2)
{
  Items(Index1);
  Items(Index2);
  std::swap(FItems[size_t(Index1)], FItems[size_t(Index2)]);
  Changed();
}

void TCollection::Assign(TPersistent *Source)
{
  if (auto *src = dynamic_cast<TCollection *>(Source)) {
    if (src == this) return;
    BeginUpdate();
    try {
      Clear();
      for (TCollectionItem *i : src->FItems) Add()->Assign(i);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

void TCollection::Changed()
{
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem *Item)
{
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  SetItemName(Item);
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem *Item)
{
  Notify(Item, cnExtracting);
  // From the back: items usually leave newest first (Clear, the destructor, undo stacks).
  auto it = std::find(FItems.rbegin(), FItems.rend(), Item);
  if (it != FItems.rend()) FItems.erase(std::next(it).base());
  Item->FCollection = nullptr;
  Changed();
}
