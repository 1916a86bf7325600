#include <cxxabi.h>
#include <algorithm>
#include <cstdlib>
#include <typeinfo>

#include "framework/classes/classes.h"

TObject::~TObject() = default;

QString TObject::ClassName() const
{
  const char *mangled = typeid(*this).name();
  int status = 0;
  char *demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  QString r = QString::fromLatin1(status == 0 && demangled ? demangled : mangled);
  std::free(demangled);
  const int colon = int(r.lastIndexOf(QStringLiteral("::")));
  return colon >= 0 ? r.mid(colon + 2) : r;
}

// ---------------------------------------------------------------------------------------------

void TPersistent::Assign(TPersistent *Source)
{
  if (Source) Source->AssignTo(this);
  else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent *Dest)
{
  if (Dest) Dest->AssignError(this);
  throw EConvertError(QStringLiteral("Cannot assign a %1 to a nil").arg(ClassName()));
}

void TPersistent::AssignError(TPersistent *Source)
{
  const QString src = Source ? Source->ClassName() : QStringLiteral("nil");
  throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(src, ClassName()));
}

// ---------------------------------------------------------------------------------------------

TComponent::TComponent(TComponent *AOwner)
{
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
  Destroying();
  // Tell everyone who asked; they drop their references to this component.
  while (!FFreeNotifies.empty()) {
    TComponent *c = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto &back = c->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    c->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent *TComponent::Components(int Index) const
{
  if (Index < 0 || Index >= ComponentCount())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FComponents[size_t(Index)];
}

int TComponent::ComponentIndex() const
{
  if (!FOwner) return -1;
  const auto &v = FOwner->FComponents;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : int(it - v.begin());
}

TComponent *TComponent::FindComponent(const QString &AName) const
{
  if (AName.isEmpty()) return nullptr;
  for (TComponent *c : FComponents)
    if (SameText(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::SetName(const QString &NewName)
{
  if (FName == NewName) return;
  if (FOwner) FOwner->ValidateRename(this, FName, NewName);
  else ValidateRename(nullptr, FName, NewName);
  FName = NewName;
}

void TComponent::ValidateRename(TComponent *AComponent, const QString &CurName, const QString &NewName)
{
  if (AComponent && !NewName.isEmpty() && !SameText(CurName, NewName)) {
    TComponent *other = FindComponent(NewName);
    if (other && other != AComponent)
      throw EComponentError(QStringLiteral("A component named %1 already exists").arg(NewName));
  }
}

void TComponent::InsertComponent(TComponent *AComponent)
{
  if (!AComponent) return;
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  if (!AComponent->FName.isEmpty()) ValidateRename(AComponent, QString(), AComponent->FName);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent *AComponent)
{
  if (!AComponent || AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), AComponent), FComponents.end());
  AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents()
{
  // Newest first; each removes itself from this list.
  while (!FComponents.empty()) {
    TComponent *c = FComponents.back();
    RemoveComponent(c);
    delete c;
  }
}

void TComponent::Destroying()
{
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState += csDestroying;
  for (TComponent *c : FComponents) c->Destroying();
}

void TComponent::FreeNotification(TComponent *AComponent)
{
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  auto &other = AComponent->FFreeNotifies;
  if (std::find(other.begin(), other.end(), this) == other.end()) other.push_back(this);
  FComponentState += TComponentStateItem::csFreeNotification;
}

void TComponent::RemoveNotification(TComponent *AComponent)
{
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
}

void TComponent::RemoveFreeNotification(TComponent *AComponent)
{
  if (!AComponent) return;
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::Notification(TComponent *AComponent, TOperation Operation)
{
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // Newest first; a handler may delete components of this list.
  int i = ComponentCount() - 1;
  while (i >= 0) {
    FComponents[size_t(i)]->Notification(AComponent, Operation);
    --i;
    if (i >= ComponentCount()) i = ComponentCount() - 1;
  }
}

void TComponent::Loaded() { FComponentState -= csLoading; }

void TComponent::SetDesigning(bool Value, bool SetChildren)
{
  if (Value) FComponentState += csDesigning;
  else FComponentState -= csDesigning;
  if (SetChildren)
    for (TComponent *c : FComponents) c->SetDesigning(Value, true);
}

void TComponent::BeginLoading() { FComponentState += csLoading; }

void TComponent::EndLoading()
{
  FComponentState -= csLoading;
  Loaded();
}

// ---------------------------------------------------------------------------------------------

TList::~TList() { Clear(); }

void TList::Error(int Index) const
{
  throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

void TList::SetCount(int NewCount)
{
  if (NewCount < 0) throw EListError(QStringLiteral("List count out of bounds (%1)").arg(NewCount));
  while (Count() > NewCount) Delete(Count() - 1);
  FItems.resize(size_t(NewCount), nullptr);
}

void *TList::Items(int Index) const
{
  if (Index < 0 || Index >= Count()) Error(Index);
  return FItems[size_t(Index)];
}

void TList::SetItems(int Index, void *Item)
{
  if (Index < 0 || Index >= Count()) Error(Index);
  void *old = FItems[size_t(Index)];
  if (old == Item) return;
  FItems[size_t(Index)] = Item;
  if (old) Notify(old, TListNotification::lnDeleted);
  if (Item) Notify(Item, TListNotification::lnAdded);
}

int TList::Add(void *Item)
{
  FItems.push_back(Item);
  if (Item) Notify(Item, TListNotification::lnAdded);
  return Count() - 1;
}

void TList::Insert(int Index, void *Item)
{
  if (Index < 0 || Index > Count()) Error(Index);
  FItems.insert(FItems.begin() + Index, Item);
  if (Item) Notify(Item, TListNotification::lnAdded);
}

void TList::Delete(int Index)
{
  if (Index < 0 || Index >= Count()) Error(Index);
  void *p = FItems[size_t(Index)];
  FItems.erase(FItems.begin() + Index);
  if (p) Notify(p, TListNotification::lnDeleted);
}

int TList::Remove(void *Item)
{
  const int i = IndexOf(Item);
  if (i >= 0) Delete(i);
  return i;
}

void *TList::Extract(void *Item)
{
  const int i = IndexOf(Item);
  if (i < 0) return nullptr;
  FItems.erase(FItems.begin() + i);
  Notify(Item, TListNotification::lnExtracted);
  return Item;
}

int TList::IndexOf(void *Item) const
{
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TList::Clear()
{
  while (!FItems.empty()) Delete(Count() - 1);
  FItems.shrink_to_fit();
}

void TList::Exchange(int Index1, int Index2)
{
  if (Index1 < 0 || Index1 >= Count()) Error(Index1);
  if (Index2 < 0 || Index2 >= Count()) Error(Index2);
  std::swap(FItems[size_t(Index1)], FItems[size_t(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex)
{
  if (CurIndex == NewIndex) return;
  if (NewIndex < 0 || NewIndex >= Count()) Error(NewIndex);
  void *p = Items(CurIndex);
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, p);
}

void *TList::First() const { return Items(0); }
void *TList::Last() const { return Items(Count() - 1); }

void TList::Pack() { FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end()); }

void TList::Sort(const TListSortCompare &Compare)
{
  std::stable_sort(FItems.begin(), FItems.end(), [&](void *a, void *b) { return Compare(a, b) < 0; });
}

TObjectList::~TObjectList() { Clear(); }

void TObjectList::Notify(void *Ptr, TListNotification Action)
{
  if (FOwnsObjects && Action == TListNotification::lnDeleted) delete static_cast<TObject *>(Ptr);
}
