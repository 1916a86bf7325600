#include "framework/stdctrls/stdctrls.h"

#include <algorithm>

#include "framework/stdctrls/stdctrls_private.h"

void TControlStrings::CheckIndex(int Index) const
{
  if (Index < 0 || Index >= Count())
    Error(ListIndexError(Index), Index);
}

QString TControlStrings::Get(int Index) const
{
  CheckIndex(Index);
  return FItems[size_t(Index)].S;
}

void TControlStrings::Put(int Index, const QString &S)
{
  CheckIndex(Index);
  if (FSorted) {
    TObject *o = FItems[size_t(Index)].O;
    FItems.erase(FItems.begin() + Index);
    const int at = SortedIndex(S);
    FItems.insert(FItems.begin() + at, TItem{S, o});
  } else {
    FItems[size_t(Index)].S = S;
  }
  Changed();
}

TObject *TControlStrings::GetObject(int Index) const
{
  CheckIndex(Index);
  return FItems[size_t(Index)].O;
}

void TControlStrings::PutObject(int Index, TObject *AObject)
{
  CheckIndex(Index);
  FItems[size_t(Index)].O = AObject;
}

int TControlStrings::SortedIndex(const QString &S) const
{
  int lo = 0, hi = Count();
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (QString::compare(FItems[size_t(mid)].S, S, Qt::CaseInsensitive) <= 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

int TControlStrings::Add(const QString &S) { return AddObject(S, nullptr); }

int TControlStrings::AddObject(const QString &S, TObject *AObject)
{
  const int at = FSorted ? SortedIndex(S) : Count();
  FItems.insert(FItems.begin() + at, TItem{S, AObject});
  Changed();
  return at;
}

void TControlStrings::Insert(int Index, const QString &S)
{
  if (Index < 0 || Index > Count())
    Error(ListIndexError(Index), Index);
  FItems.insert(FItems.begin() + Index, TItem{S, nullptr});
  Changed();
}

void TControlStrings::Delete(int Index)
{
  CheckIndex(Index);
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TControlStrings::Clear()
{
  if (FItems.empty())
    return;
  FItems.clear();
  Changed();
}

void TControlStrings::Exchange(int Index1, int Index2)
{
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FItems[size_t(Index1)], FItems[size_t(Index2)]);
  Changed();
}

int TControlStrings::IndexOf(const QString &S) const
{
  for (int i = 0; i < Count(); ++i)
    if (QString::compare(FItems[size_t(i)].S, S, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

void TControlStrings::SetSorted(bool Value)
{
  if (FSorted == Value)
    return;
  FSorted = Value;
  if (FSorted) {
    std::stable_sort(FItems.begin(), FItems.end(), [](const TItem &a, const TItem &b) {
      return QString::compare(a.S, b.S, Qt::CaseInsensitive) < 0;
    });
    Changed();
  }
}

QStringList TControlStrings::List() const
{
  QStringList r;
  r.reserve(Count());
  for (const TItem &i : FItems)
    r.append(i.S);
  return r;
}

void TControlStrings::Reset(const QStringList &Items)
{
  FItems.clear();
  for (const QString &s : Items)
    FItems.push_back(TItem{s, nullptr});
}

void TControlStrings::SetUpdateState(bool Updating)
{
  if (!Updating && FPending) {
    FPending = false;
    if (FOnChange)
      FOnChange();
  }
}

void TControlStrings::Changed()
{
  if (UpdateCount() > 0) {
    FPending = true;
    return;
  }
  if (FOnChange)
    FOnChange();
}
