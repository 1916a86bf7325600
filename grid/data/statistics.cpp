// Column and row statistics (the engine behind the footer and group figures), the custom
// calculation events, running numbers down a column or along a row, and selecting a rectangle.
#include "grid/core/zav_string_grid.h"

#include "grid/core/footer.h"
#include "grid/core/grid_error.h"
#include "grid/core/sort_settings.h"
#include "grid/core/text_conversion.h"

#include <algorithm>
#include <cmath>
#include <optional>

TZavStringGrid::TStatRange TZavStringGrid::StatRange(int FromRow, int ToRow) const
{
  TStatRange r;
  if (FromRow == -1 || ToRow == -1) {
    FromRow = FixedRows();
    ToRow = RowCount() - FFixedFooters - 1;
  }
  r.From = FromRow;
  r.To = ToRow;
  // A bound past the shown rows can only mean real rows (the footer asks this way when it
  // counts hidden rows).
  r.Real = ToRow >= RowCount();
  return r;
}

// The value of row R of the range when it counts (not a node or summary row of a grouped grid,
// unless hidden; the base cell of a merged block) and holds a number; empty otherwise.
std::optional<double> TZavStringGrid::StatValue(int ACol, int R, bool Real)
{
  const bool grouped = GroupColumn() >= 0;
  try {
    if (Real) {
      if (R < 0 || R >= TotalRowCount())
        return std::nullopt;
      if (!IsHiddenRow(R)) {
        const int d = DisplRowIndex(R);
        if ((grouped && (IsNode(d) || IsSummary(d))) || !IsBaseCell(ACol, d))
          return std::nullopt;
      }
      return GetAllFloats(ACol, R);
    }
    if (R < 0 || R >= RowCount())
      return std::nullopt;
    if ((grouped && (IsNode(R) || IsSummary(R))) || !IsBaseCell(ACol, R))
      return std::nullopt;
    return GetFloats(ACol, R);
  } catch (const EZavGridError &) {
    return std::nullopt;
  }
}

// Calls F with every counted value of the range, reporting progress as the exporters do.
template <typename F> void TZavStringGrid::ForEachStatValue(int ACol, const TStatRange &Range, F &&Fn)
{
  ExportNotification(int(esExportStart), Range.From);
  for (int r = Range.From; r <= Range.To; ++r) {
    const std::optional<double> v = StatValue(ACol, r, Range.Real);
    if (!v)
      continue;
    ExportNotification(int(esExportNextRow), r);
    Fn(*v);
  }
  ExportNotification(int(esExportDone), -1);
}

double TZavStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
  double sum = 0;
  ForEachStatValue(ACol, StatRange(FromRow, ToRow), [&](double v) { sum += v; });
  return sum;
}

// Rows skipped by the counting rules still count in the divisor.
double TZavStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
  const TStatRange range = StatRange(FromRow, ToRow);
  if (range.Rows() <= 0)
    return 0;
  return ColumnSum(ACol, range.From, range.To) / range.Rows();
}

// Seeded from the first value that counts, so a node row or an unreadable first cell never
// decides the result; 0 when no row counts.
double TZavStringGrid::ColumnMin(int ACol, int FromRow, int ToRow)
{
  std::optional<double> m;
  ForEachStatValue(ACol, StatRange(FromRow, ToRow), [&](double v) {
    if (!m || v < *m)
      m = v;
  });
  return m.value_or(0);
}

double TZavStringGrid::ColumnMax(int ACol, int FromRow, int ToRow)
{
  std::optional<double> m;
  ForEachStatValue(ACol, StatRange(FromRow, ToRow), [&](double v) {
    if (!m || v > *m)
      m = v;
  });
  return m.value_or(0);
}

// Population standard deviation of the values that count; 0 without any.
double TZavStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow)
{
  std::vector<double> values;
  ForEachStatValue(ACol, StatRange(FromRow, ToRow), [&](double v) { values.push_back(v); });
  if (values.empty())
    return 0;
  double mean = 0;
  for (double v : values)
    mean += v;
  mean /= double(values.size());
  double squares = 0;
  for (double v : values)
    squares += (v - mean) * (v - mean);
  return std::sqrt(squares / double(values.size()));
}

// Distinct texts without regard to case, every row of the range, empty texts included.
double TZavStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow)
{
  const TStatRange range = StatRange(FromRow, ToRow);
  TStringList texts;
  texts.SetSorted(true);
  texts.SetDuplicates(dupIgnore);
  ExportNotification(int(esExportStart), range.From);
  try {
    for (int r = range.From; r <= range.To; ++r) {
      texts.Add(range.Real ? AllCells(ACol, r) : Cells(ACol, r));
      ExportNotification(int(esExportNextRow), r);
    }
  } catch (...) {
    ExportNotification(int(esExportDone), -1);
    throw;
  }
  ExportNotification(int(esExportDone), -1);
  return texts.Count();
}

double TZavStringGrid::ColumnCustomCalc(int ACol, int FromRow, int ToRow)
{
  double res = 0;
  if (OnColumnCalc)
    OnColumnCalc(this, ACol, FromRow, ToRow, res);
  return res;
}

// ---------------------------------------------------------------------------------------------
// Rows

// The numbers of the base cells of row ARow from FromCol to ToCol; unreadable cells are left out.
std::vector<double> TZavStringGrid::RowValues(int ARow, int FromCol, int ToCol)
{
  std::vector<double> values;
  for (int c = FromCol; c <= ToCol; ++c) {
    try {
      if (IsBaseCell(c, ARow))
        values.push_back(GetFloats(c, ARow));
    } catch (const EZavGridError &) {
    }
  }
  return values;
}

double TZavStringGrid::RowSum(int ARow, int FromCol, int ToCol)
{
  double sum = 0;
  for (double v : RowValues(ARow, FromCol, ToCol))
    sum += v;
  return sum;
}

double TZavStringGrid::RowAvg(int ARow, int FromCol, int ToCol)
{
  const int n = ToCol - FromCol + 1;
  return n > 0 ? RowSum(ARow, FromCol, ToCol) / n : 0;
}

double TZavStringGrid::RowMin(int ARow, int FromCol, int ToCol)
{
  const std::vector<double> values = RowValues(ARow, FromCol, ToCol);
  return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

double TZavStringGrid::RowMax(int ARow, int FromCol, int ToCol)
{
  const std::vector<double> values = RowValues(ARow, FromCol, ToCol);
  return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

// ---------------------------------------------------------------------------------------------
// Running numbers

// Descending numbers run upwards from the last normal row, so the last AutoNumberStart rows are
// the ones left out.
void TZavStringGrid::AutoNumberCol(int ACol)
{
  if (RowCount() <= 0)
    return;
  const int last = RowCount() - 1 - FFixedFooters;
  for (int r = FixedRows() + FAutoNumberStart; r <= last; ++r) {
    const int value = r - FixedRows() + 1 + FAutoNumberOffset;
    SetInts(ACol, FAutoNumberDirection == sdAscending ? r : last - r + FixedRows(), value);
  }
}

void TZavStringGrid::AutoNumberRow(int ARow)
{
  if (ColCount() <= 0)
    return;
  const int last = ColCount() - 1 - FFixedRightCols;
  for (int c = FixedCols() + FAutoNumberStart; c <= last; ++c) {
    const int value = c - FixedCols() + 1 + FAutoNumberOffset;
    SetInts(FAutoNumberDirection == sdAscending ? c : last - c + FixedCols(), ARow, value);
  }
}

void TZavStringGrid::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
  TGridRect r;
  r.Left = FromCol;
  r.Top = FromRow;
  r.Right = ToCol;
  r.Bottom = ToRow;
  SetSelection(r);
}
