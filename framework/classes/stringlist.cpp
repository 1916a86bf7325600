#include <QFile>
#include <algorithm>
#include <numeric>
#include <utility>

#include "framework/classes/classes.h"

#include "framework/services/atomicfile.h"

TStrings::~TStrings() = default;

void TStrings::Error(const QString &Msg, int Data) const
{
  throw EStringListError(Msg.arg(Data));
}

void TStrings::Put(int Index, const QString &S)
{
  TObject *temp = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, temp);
}

TObject *TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject *) {}

int TStrings::Add(const QString &S)
{
  const int r = Count();
  Insert(r, S);
  return r;
}

int TStrings::AddObject(const QString &S, TObject *AObject)
{
  const int r = Add(S);
  PutObject(r, AObject);
  return r;
}

void TStrings::InsertObject(int Index, const QString &S, TObject *AObject)
{
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2)
{
  BeginUpdate();
  const QString s = Get(Index1);
  TObject *o = GetObject(Index1);
  Put(Index1, Get(Index2));
  PutObject(Index1, GetObject(Index2));
  Put(Index2, s);
  PutObject(Index2, o);
  EndUpdate();
}

void TStrings::Move(int CurIndex, int NewIndex)
{
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  const QString s = Get(CurIndex);
  TObject *o = GetObject(CurIndex);
  PutObject(CurIndex, nullptr);  // keep an owned object alive across the delete
  Delete(CurIndex);
  InsertObject(NewIndex, s, o);
  EndUpdate();
}

int TStrings::CompareStrings(const QString &S1, const QString &S2) const { return AnsiCompareText(S1, S2); }

int TStrings::IndexOf(const QString &S) const
{
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const QString &Name) const
{
  for (int i = 0; i < Count(); ++i) {
    const QString s = Get(i);
    const int p = int(s.indexOf(FNameValueSeparator));
    if (p >= 0 && CompareStrings(s.left(p), Name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(TObject *AObject) const
{
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

void TStrings::AddStrings(TStrings *Strings)
{
  if (!Strings) return;
  BeginUpdate();
  for (int i = 0; i < Strings->Count(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
  EndUpdate();
}

void TStrings::AddStrings(const QStringList &Strings)
{
  BeginUpdate();
  for (const QString &s : Strings) Add(s);
  EndUpdate();
}

void TStrings::Assign(TPersistent *Source)
{
  if (auto *src = dynamic_cast<TStrings *>(Source)) {
    if (src == this) return;
    BeginUpdate();
    Clear();
    FNameValueSeparator = src->FNameValueSeparator;
    FQuoteChar = src->FQuoteChar;
    FDelimiter = src->FDelimiter;
    FLineBreak = src->FLineBreak;
    FStrictDelimiter = src->FStrictDelimiter;
    AddStrings(src);
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

bool TStrings::Equals(TStrings *Strings) const
{
  if (!Strings || Strings->Count() != Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

QString TStrings::Names(int Index) const
{
  const QString s = Get(Index);
  const int p = int(s.indexOf(FNameValueSeparator));
  return p >= 0 ? s.left(p) : QString();
}

QString TStrings::Values(const QString &Name) const
{
  const int i = IndexOfName(Name);
  return i >= 0 ? ValueFromIndex(i) : QString();
}

void TStrings::SetValues(const QString &Name, const QString &Value)
{
  int i = IndexOfName(Name);
  if (!Value.isEmpty()) {
    if (i < 0) i = Add(QString());
    Put(i, Name + FNameValueSeparator + Value);
  } else if (i >= 0) {
    Delete(i);
  }
}

QString TStrings::ValueFromIndex(int Index) const
{
  if (Index < 0) return QString();
  const QString s = Get(Index);
  const int p = int(s.indexOf(FNameValueSeparator));
  return p >= 0 ? s.mid(p + 1) : QString();
}

void TStrings::SetValueFromIndex(int Index, const QString &Value)
{
  if (!Value.isEmpty()) {
    if (Index < 0) Index = Add(QString());
    Put(Index, Names(Index) + FNameValueSeparator + Value);
  } else if (Index >= 0) {
    Delete(Index);
  }
}

QString TStrings::Text() const
{
  QString r;
  for (int i = 0; i < Count(); ++i) {
    r += Get(i);
    r += FLineBreak;
  }
  return r;
}

void TStrings::SetText(const QString &Value)
{
  BeginUpdate();
  Clear();
  const int n = int(Value.size());
  int p = 0;
  while (p < n) {
    const int start = p;
    while (p < n && Value[p] != '\r' && Value[p] != '\n') ++p;
    Add(Value.mid(start, p - start));
    if (p < n && Value[p] == '\r') ++p;
    if (p < n && Value[p] == '\n') ++p;
  }
  EndUpdate();
}

QString TStrings::DelimitedText() const { return JoinDelimited(FDelimiter, FQuoteChar, FStrictDelimiter); }

QString TStrings::JoinDelimited(QChar delimiter, QChar quoteChar, bool strict) const
{
  if (Count() == 1 && Get(0).isEmpty()) return QString(2, quoteChar);
  QString r;
  for (int i = 0; i < Count(); ++i) {
    const QString s = Get(i);
    bool quote = false;
    for (QChar c : s) {
      if (c == quoteChar || c == delimiter || c.unicode() == 0 || (!strict && c.unicode() <= 0x20)) {
        quote = true;
        break;
      }
    }
    if (i > 0) r += delimiter;
    r += quote ? AnsiQuotedStr(s, quoteChar) : s;
  }
  return r;
}

void TStrings::SetDelimitedText(const QString &Value)
{
  auto blank = [](QChar c) { return c.unicode() >= 1 && c.unicode() <= 0x20; };
  BeginUpdate();
  Clear();
  const int n = int(Value.size());
  int p = 0;
  if (!FStrictDelimiter)
    while (p < n && blank(Value[p])) ++p;
  while (p < n && Value[p].unicode() != 0) {
    QString s;
    if (Value[p] == FQuoteChar) {
      ++p;
      while (p < n) {
        if (Value[p] == FQuoteChar) {
          if (p + 1 < n && Value[p + 1] == FQuoteChar) {
            s += FQuoteChar;
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        s += Value[p++];
      }
    } else {
      const int start = p;
      while (p < n && Value[p].unicode() != 0 && (FStrictDelimiter || Value[p].unicode() > 0x20) && Value[p] != FDelimiter) ++p;
      s = Value.mid(start, p - start);
    }
    Add(s);
    if (!FStrictDelimiter)
      while (p < n && blank(Value[p])) ++p;
    if (p < n && Value[p] == FDelimiter) {
      if (p + 1 >= n) Add(QString());
      do {
        ++p;
      } while (p < n && !FStrictDelimiter && blank(Value[p]));
    }
  }
  EndUpdate();
}

QString TStrings::CommaText() const { return JoinDelimited(',', '"', false); }

void TStrings::SetCommaText(const QString &Value)
{
  const QChar d = FDelimiter, q = FQuoteChar;
  const bool strict = FStrictDelimiter;
  FDelimiter = ',';
  FQuoteChar = '"';
  FStrictDelimiter = false;
  try {
    SetDelimitedText(Value);
  } catch (...) {
    FDelimiter = d;
    FQuoteChar = q;
    FStrictDelimiter = strict;
    throw;
  }
  FDelimiter = d;
  FQuoteChar = q;
  FStrictDelimiter = strict;
}

void TStrings::BeginUpdate()
{
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate()
{
  if (FUpdateCount <= 0) return;
  --FUpdateCount;
  if (FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const QString &FileName)
{
  TMemoryStream ms;
  ms.LoadFromFile(FileName);
  LoadFromStream(&ms);
}

void TStrings::LoadFromFile(const QString &FileName, TEncoding Encoding)
{
  TMemoryStream ms;
  ms.LoadFromFile(FileName);
  LoadFromStream(&ms, Encoding);
}

void TStrings::SaveToFile(const QString &FileName) { SaveToFile(FileName, FEncoding); }

void TStrings::SaveToFile(const QString &FileName, TEncoding Encoding)
{
  const QByteArray bytes = EncodingPreamble(Encoding) + EncodeText(Text(), Encoding);
  WriteFileAtomicOrRaise(FileName, bytes);
}

void TStrings::LoadFromStream(TStream *Stream)
{
  const QByteArray bytes = Stream->ReadRemaining();
  TEncoding enc;
  const QString text = DecodeTextDetect(bytes, &enc);
  FEncoding = enc == TEncoding::ANSI ? TEncoding::Default : enc;
  SetText(text);
}

void TStrings::LoadFromStream(TStream *Stream, TEncoding Encoding)
{
  QByteArray bytes = Stream->ReadRemaining();
  const QByteArray bom = EncodingPreamble(Encoding);
  if (!bom.isEmpty() && bytes.startsWith(bom)) bytes.remove(0, bom.size());
  FEncoding = Encoding;
  SetText(DecodeText(bytes, Encoding));
}

void TStrings::SaveToStream(TStream *Stream) { SaveToStream(Stream, FEncoding); }

void TStrings::SaveToStream(TStream *Stream, TEncoding Encoding)
{
  Stream->WriteBuffer(EncodingPreamble(Encoding) + EncodeText(Text(), Encoding));
}

QStringList TStrings::ToStringList() const
{
  QStringList r;
  r.reserve(Count());
  for (int i = 0; i < Count(); ++i) r << Get(i);
  return r;
}

// ---------------------------------------------------------------------------------------------

TStringList::~TStringList()
{
  OnChange = nullptr;
  OnChanging = nullptr;
  if (FOwnsObjects)
    for (auto &it : FList) delete it.FObject;
}

void TStringList::CheckIndex(int Index) const
{
  if (Index < 0 || Index >= Count()) Error(QStringLiteral("List index out of bounds (%1)"), Index);
}

void TStringList::Changed()
{
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing()
{
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating)
{
  if (Updating) Changing();
  else Changed();
}

QString TStringList::Get(int Index) const
{
  CheckIndex(Index);
  return FList[size_t(Index)].FString;
}

void TStringList::Put(int Index, const QString &S)
{
  if (FSorted) throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
  CheckIndex(Index);
  Changing();
  FList[size_t(Index)].FString = S;
  Changed();
}

TObject *TStringList::GetObject(int Index) const
{
  CheckIndex(Index);
  return FList[size_t(Index)].FObject;
}

void TStringList::PutObject(int Index, TObject *AObject)
{
  CheckIndex(Index);
  Changing();
  FList[size_t(Index)].FObject = AObject;
  Changed();
}

int TStringList::Add(const QString &S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const QString &S, TObject *AObject)
{
  int r;
  if (!FSorted) {
    r = Count();
  } else if (Find(S, r)) {
    switch (FDuplicates) {
    case dupIgnore: return r;
    case dupError: throw EStringListError(QStringLiteral("String list does not allow duplicates"));
    case dupAccept: break;
    }
  }
  InsertItem(r, S, AObject);
  return r;
}

int TStringList::AddObject(QString &&S, TObject *AObject)
{
  if (FSorted)
    return AddObject(static_cast<const QString &>(S), AObject);
  Changing();
  FList.push_back(TStringItem{std::move(S), AObject});
  Changed();
  return Count() - 1;
}

QString TStringList::TakeString(int Index)
{
  if (FSorted) throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
  CheckIndex(Index);
  Changing();
  QString s = std::exchange(FList[size_t(Index)].FString, QString());
  Changed();
  return s;
}

void TStringList::SetCapacity(int Value)
{
  if (Value < Count()) Error(QStringLiteral("List capacity out of bounds (%1)"), Value);
  FList.reserve(size_t(Value));
}

void TStringList::Insert(int Index, const QString &S)
{
  if (FSorted) throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
  if (Index < 0 || Index > Count()) Error(QStringLiteral("List index out of bounds (%1)"), Index);
  InsertItem(Index, S, nullptr);
}

void TStringList::InsertItem(int Index, const QString &S, TObject *AObject)
{
  Changing();
  FList.insert(FList.begin() + Index, TStringItem{S, AObject});
  Changed();
}

void TStringList::Delete(int Index)
{
  CheckIndex(Index);
  Changing();
  TObject *o = FList[size_t(Index)].FObject;
  FList.erase(FList.begin() + Index);
  if (FOwnsObjects) delete o;
  Changed();
}

void TStringList::Clear()
{
  if (FList.empty()) return;
  Changing();
  std::vector<TStringItem> old;
  old.swap(FList);
  if (FOwnsObjects)
    for (auto &it : old) delete it.FObject;
  Changed();
}

void TStringList::Exchange(int Index1, int Index2)
{
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[size_t(Index1)], FList[size_t(Index2)]);
  Changed();
}

int TStringList::CompareStrings(const QString &S1, const QString &S2) const
{
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

bool TStringList::Find(const QString &S, int &Index) const
{
  bool found = false;
  int l = 0, h = Count() - 1;
  while (l <= h) {
    const int i = (l + h) >> 1;
    const int c = CompareStrings(FList[size_t(i)].FString, S);
    if (c < 0) {
      l = i + 1;
    } else {
      h = i - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != dupAccept) l = i;
      }
    }
  }
  Index = l;
  return found;
}

int TStringList::IndexOf(const QString &S) const
{
  if (!FSorted) return TStrings::IndexOf(S);
  int i;
  return Find(S, i) ? i : -1;
}

void TStringList::CustomSort(const TStringListSortCompare &Compare)
{
  if (FSorted || Count() < 2) return;
  Changing();
  std::vector<int> order(FList.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
  std::vector<TStringItem> sorted;
  sorted.reserve(FList.size());
  for (int i : order) sorted.push_back(FList[size_t(i)]);
  FList.swap(sorted);
  Changed();
}

void TStringList::Sort()
{
  CustomSort([](TStringList *list, int a, int b) {
    return list->CompareStrings(list->FList[size_t(a)].FString, list->FList[size_t(b)].FString);
  });
}

void TStringList::SetSorted(bool Value)
{
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) {
    FSorted = false;
    Sort();
    FSorted = true;
  }
}
