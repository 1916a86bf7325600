#include "grid/foundation/int_lists.h"

#include <cstdint>

#include "framework/system/sysutils.h"

namespace {

constexpr uint32_t DescendingBit = 0x80000000u;
constexpr uint32_t ColumnBits = 0x7FFFFFFFu;

void *ToItem(int Value) { return reinterpret_cast<void *>(intptr_t(Value)); }
int FromItem(void *Item) { return int(reinterpret_cast<intptr_t>(Item)); }

// The platform's lenient number reading: leading blanks, a sign, "$" or "0x" for hexadecimal,
// then as many digits as there are. Stored sort texts are read this way, so a damaged entry
// still gives a column instead of an error. Values beyond 32 bits wrap.
int ReadLeadingInteger(const QString &s)
{
  const int n = int(s.size());
  int p = 0;
  while (p < n && (s[p] == ' ' || s[p] == '\t')) ++p;
  bool negative = false;
  if (p < n && (s[p] == '-' || s[p] == '+')) negative = s[p++] == '-';
  int base = 10;
  if (p < n && s[p] == '$') {
    base = 16;
    ++p;
  } else if (p + 1 < n && s[p] == '0' && (s[p + 1] == 'x' || s[p + 1] == 'X')) {
    base = 16;
    p += 2;
  }
  auto digitOf = [base](QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return int(u - '0');
    if (base == 16 && u >= 'a' && u <= 'f') return int(u - 'a' + 10);
    if (base == 16 && u >= 'A' && u <= 'F') return int(u - 'A' + 10);
    return -1;
  };
  uint32_t value = 0;
  for (int digit; p < n && (digit = digitOf(s[p])) >= 0; ++p)
    value = value * uint32_t(base) + uint32_t(digit);
  return int(negative ? 0u - value : value);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TIntList

TIntList::TIntList(int Col, int Row) : FCol(Col), FRow(Row) {}

void TIntList::Changed()
{
  if (OnChange) OnChange(this, FCol, FRow);
}

int TIntList::GetInteger(int Index) const { return FromItem(TList::Items(Index)); }

void TIntList::SetInteger(int Index, int Value)
{
  TList::SetItems(Index, ToItem(Value));
  Changed();
}

void TIntList::Add(int Value)
{
  TList::Add(ToItem(Value));
  Changed();
}

void TIntList::Insert(int Index, int Value) { TList::Insert(Index, ToItem(Value)); }

void TIntList::Delete(int Index)
{
  TList::Delete(Index);
  Changed();
}

void TIntList::DeleteValue(int Value)
{
  const int i = TList::IndexOf(ToItem(Value));
  if (i >= 0) Delete(i);
}

bool TIntList::HasValue(int Value) const { return TList::IndexOf(ToItem(Value)) >= 0; }

QString TIntList::StrValue() const
{
  QString s;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0) s += ',';
    s += IntToStr(GetInteger(i));
  }
  return s;
}

void TIntList::SetStrValue(const QString &Value)
{
  Clear();
  TStringList pieces;
  pieces.SetCommaText(Value);
  for (int i = 0; i < pieces.Count(); ++i) Add(StrToInt(pieces[i]));
}

// ---------------------------------------------------------------------------------------------
// TSortIndexList

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending)
{
  Add(Ascending ? ColumnIndex : int(uint32_t(ColumnIndex) | DescendingBit));
}

int TSortIndexList::FindIndex(int ColumnIndex) const
{
  for (int i = 0; i < Count(); ++i)
    if ((uint32_t(GetInteger(i)) & ColumnBits) == uint32_t(ColumnIndex)) return i;
  return -1;
}

void TSortIndexList::ToggleIndex(int ColumnIndex)
{
  const int i = FindIndex(ColumnIndex);
  if (i >= 0) SetInteger(i, int(uint32_t(GetInteger(i)) ^ DescendingBit));
}

int TSortIndexList::GetSortColumns(int i) const { return int(uint32_t(GetInteger(i)) & ColumnBits); }

void TSortIndexList::SetSortColumns(int i, int Value)
{
  const uint32_t direction = uint32_t(GetInteger(i)) & DescendingBit;
  SetInteger(i, int(direction | (uint32_t(Value) & ColumnBits)));
}

bool TSortIndexList::GetSortDirections(int i) const
{
  return (uint32_t(GetInteger(i)) & DescendingBit) == 0;
}

void TSortIndexList::SetSortDirections(int i, bool Value)
{
  const uint32_t column = uint32_t(GetInteger(i)) & ColumnBits;
  SetInteger(i, int(Value ? column : column | DescendingBit));
}

QString TSortIndexList::SaveToString() const
{
  QString s;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0) s += ';';
    s += GetSortDirections(i) ? 'u' : 'd';
    s += IntToStr(GetSortColumns(i) % 65536);
  }
  return s;
}

void TSortIndexList::LoadFromString(const QString &s)
{
  Clear();
  QString rest = s;
  while (!rest.isEmpty()) {
    const int sep = int(rest.indexOf(';'));
    const QString entry = sep < 0 ? rest : rest.left(sep);
    rest = sep < 0 ? QString() : rest.mid(sep + 1);
    if (entry.size() < 2) continue;
    AddIndex(ReadLeadingInteger(entry.mid(1)), entry[0] == 'u');
  }
}
