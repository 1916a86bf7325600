// How two rows compare for a sort: the cells of one column under a sort style (with the automatic
// recognition of numbers, dates, times and check boxes), and rows over the columns after the sort
// column or over the sort index list.
#include "grid/core/grid_module.h"
#include "grid/core/sort_settings.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/int_lists.h"

#include <cmath>

namespace {

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

int CompareValues(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

// A decimal number with "." as the point: leading blanks, sign, digits, point, exponent. On a
// failure Value keeps what was read before the failing character, as the platform parser does.
bool ParseDecimal(const QString &s, double &Value)
{
  const int n = int(s.size());
  int i = 0;
  while (i < n && s[i] == ' ')
    ++i;
  const int start = i;
  if (i < n && (s[i] == '+' || s[i] == '-'))
    ++i;
  int digits = 0;
  while (i < n && s[i] >= '0' && s[i] <= '9') { ++i; ++digits; }
  if (i < n && s[i] == '.') {
    ++i;
    while (i < n && s[i] >= '0' && s[i] <= '9') { ++i; ++digits; }
  }
  int numEnd = digits > 0 ? i : start;
  if (digits > 0 && i < n && (s[i] == 'e' || s[i] == 'E')) {
    int j = i + 1;
    if (j < n && (s[j] == '+' || s[j] == '-'))
      ++j;
    int expDigits = 0;
    while (j < n && s[j] >= '0' && s[j] <= '9') { ++j; ++expDigits; }
    if (expDigits > 0)
      numEnd = i = j;
  }
  Value = numEnd > start ? s.mid(start, numEnd - start).toDouble() : 0.0;
  if (!std::isfinite(Value))
    Value = 0.0;
  return digits > 0 && i == n;
}

QString WithoutFirst(QString s, const QString &Part)
{
  const qsizetype p = s.indexOf(Part);
  if (p >= 0)
    s.remove(p, Part.size());
  return s;
}

bool IsCheckType(TCellType t)
{
  return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox;
}

// 1 < p < 4 for the separator's first position p, digits on both sides and the separator in s2.
bool HasSeparatorShape(QChar Sep, const QString &s1, const QString &s2)
{
  const int p = int(s1.indexOf(Sep)) + 1;
  if (!(p > 1 && p < 4 && p < s1.size()))
    return false;
  return IsNumberChar(s1[p - 2]) && IsNumberChar(s1[p]) && s2.contains(Sep);
}

double DateValue(const QString &s)
{
  TDateTime v = 0;
  return !s.isEmpty() && TryStrToDateTime(s, v) ? v : 0.0;
}

double TimeValue(const QString &s)
{
  TDateTime v = 0;
  return TryStrToTime(s, v) ? v : 0.0;
}

double ShortDateValue(const QString &s, bool EU)
{
  try {
    return EU ? ParseShortDateEU(s) : ParseShortDateUS(s);
  } catch (const Exception &) {
    return 0.0;
  }
}

}  // namespace

TSortStyle TZavStringGrid::ResolveSortStyle(TSortStyle Style, int ACol, int ARow1, const QString &s1,
                                            const QString &s2)
{
  const bool ignoreCase = FSortSettings->IgnoreCase();
  if (Style == ssAutomatic) {
    if (IsCheckType(GetCellType(ACol, ARow1)))
      return ssCheckBox;
    const int kind = ClassifyNumberText(s1);
    if (kind == 0 || kind == 1 || kind == 5)
      return ssNumeric;
    const QChar dateSep = GridDateSeparator();
    const int p = int(s1.indexOf(dateSep)) + 1;
    if (p > 1 && p < 4 && p < s1.size()) {
      if (HasSeparatorShape(dateSep, s1, s2))
        return s1.contains(GridTimeSeparator()) ? ssDateTime : ssDate;
    } else if (HasSeparatorShape(GridTimeSeparator(), s1, s2)) {
      return ssTime;
    }
    return ignoreCase ? ssAlphaNoCase : ssAlphabetic;
  }
  if (Style == ssAlphaNumeric || Style == ssAlphaNumericNoCase) {
    auto isNumber = [](const QString &s) {
      const int k = ClassifyNumberText(s);
      return k == 0 || k == 1 || k == 5;
    };
    if (isNumber(s1) && isNumber(s2))
      return ssNumeric;
    return Style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
  }
  return Style;
}

int TZavStringGrid::CompareByStyle(TSortStyle Style, int ACol, int ARow1, int ARow2, QString &s1, QString &s2,
                                   const QString &Prefix, const QString &Suffix)
{
  switch (Style) {
    case ssAlphaNoCase:
      return Sign(CompareStr(UpperCase(s1), UpperCase(s2)));
    case ssAnsiAlphaCase:
      return Sign(AnsiCompareStr(s1, s2));
    case ssAnsiAlphaNoCase:
      return Sign(AnsiCompareText(s1, s2));
    case ssHTML:
      s1 = StrippedCells(ACol, ARow1);
      s2 = StrippedCells(ACol, ARow2);
      return Sign(CompareStr(s1, s2));
    case ssNumeric:
    case ssFinancial: {
      if (!Suffix.isEmpty()) {
        s1 = WithoutFirst(s1, Suffix);
        s2 = WithoutFirst(s2, Suffix);
      }
      if (!Prefix.isEmpty()) {
        s1 = WithoutFirst(s1, Prefix);
        s2 = WithoutFirst(s2, Prefix);
      }
      if (Style == ssFinancial) {
        s1.remove(GridThousandSeparator());
        s2.remove(GridThousandSeparator());
      }
      const QChar dec = GridDecimalSeparator();
      QString n1 = s1, n2 = s2;
      if (dec != '.') {
        const qsizetype p1 = n1.indexOf(dec);
        if (p1 >= 0) n1[p1] = '.';
        const qsizetype p2 = n2.indexOf(dec);
        if (p2 >= 0) n2[p2] = '.';
      }
      double v1 = 0, v2 = 0;
      bool ok1 = ParseDecimal(n1, v1), ok2 = ParseDecimal(n2, v2);
      if (!ok1 && Cells(ACol, ARow1).isEmpty()) { v1 = 0; ok1 = true; }
      if (!ok2 && Cells(ACol, ARow2).isEmpty()) { v2 = 0; ok2 = true; }
      if (!ok1 && !ok2)
        return 0;
      return CompareValues(v1, v2);
    }
    case ssDate:
    case ssDateTime:
      return CompareValues(DateValue(s1), DateValue(s2));
    case ssTime:
      return CompareValues(TimeValue(s1), TimeValue(s2));
    case ssShortDateEU:
    case ssShortDateUS:
      return CompareValues(ShortDateValue(s1, Style == ssShortDateEU), ShortDateValue(s2, Style == ssShortDateEU));
    case ssCustom: {
      int res = 0;
      if (OnCustomCompare)
        OnCustomCompare(this, s1, s2, res);
      // Only the sign counts: a handler answering 2 or -7 sorts as one answering 1 or -1.
      return Sign(res);
    }
    case ssRaw: {
      int res = 0;
      if (OnRawCompare)
        OnRawCompare(this, ACol, ARow1, ARow2, res);
      return Sign(res);
    }
    case ssImages: {
      const intptr_t k1 = GetImageSortKey(ACol, ARow1), k2 = GetImageSortKey(ACol, ARow2);
      return k1 < k2 ? -1 : (k1 > k2 ? 1 : 0);
    }
    case ssCheckBox: {
      bool c1 = false, c2 = false;
      GetCheckBoxState(ACol, ARow1, c1);
      GetCheckBoxState(ACol, ARow2, c2);
      return int(c1) - int(c2);
    }
    default:  // ssAlphabetic, ssAlphaCase
      return Sign(CompareStr(s1, s2));
  }
}

int TZavStringGrid::CompareCells(int ACol, int ARow1, int ARow2, TSortDirection Direction)
{
  ++Compares;
  TSortStyle style = FSortSettings->AutoFormat() ? ssAutomatic
                     : FSortSettings->IgnoreCase() ? ssAlphaNoCase
                                                   : ssAlphabetic;
  QString prefix, suffix;
  DoGetFormat(ACol, style, prefix, suffix);
  const bool display = FSortSettings->SortOnVirtualCells();
  QString s1 = display ? Cells(ACol, ARow1) : GridCells(ACol, ARow1);
  QString s2 = display ? Cells(ACol, ARow2) : GridCells(ACol, ARow2);
  style = ResolveSortStyle(style, ACol, ARow1, s1, s2);
  const int res = CompareByStyle(style, ACol, ARow1, ARow2, s1, s2, prefix, suffix);
  if (FSortSettings->IgnoreBlanks() && s1.isEmpty() != s2.isEmpty()) {
    // The blank side goes first (blFirst) or last; descending turns it so that it still does
    // after the sort turns the result.
    int blankFirst = s1.isEmpty() ? -1 : 1;
    if (FSortSettings->BlankPos() == blLast)
      blankFirst = -blankFirst;
    return Direction == sdAscending ? blankFirst : -blankFirst;
  }
  return res;
}

int TZavStringGrid::CompareRows(int ACol, int ARow1, int ARow2)
{
  const int last = ColCount() + FSortColExtra - 1;
  for (int c = ACol;; ++c) {
    const int res = IsIgnoredColumn(c) ? 0 : CompareCells(c, ARow1, ARow2, FSortSettings->Direction());
    if (res != 0 || !FSortSettings->Full() || c >= last)
      return res;
  }
}

int TZavStringGrid::CompareRowsIndexed(int Index, int ARow1, int ARow2)
{
  TSortIndexList *list = FSortIndexes.get();
  const int n = list->Count();
  for (int i = Index; i < n; ++i) {
    const int col = list->GetSortColumns(i);
    const bool up = list->GetSortDirections(i);
    const int res = IsIgnoredColumn(col) ? 0 : CompareCells(col, ARow1, ARow2, up ? sdAscending : sdDescending);
    if (res != 0 || !FSortSettings->Full() || i >= n - 1)
      return up ? res : -res;
  }
  return 0;
}
