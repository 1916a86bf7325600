// Column statistics over the numeric cells of a column (the footer and grouping figures).
#include "grid/core/zav_string_grid.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {
// The numbers of column ACol in the range; see ColumnSum.
std::vector<double> ColumnNumbers(TZavStringGrid *G, int ACol, int FromRow, int ToRow)
{
  if (FromRow == -1 || ToRow == -1) {
    FromRow = G->FixedRows();
    ToRow = G->RowCount() - G->FixedFooters() - 1;
  }
  const bool real = ToRow >= G->RowCount();
  const bool grouped = G->GroupColumn() >= 0;
  std::vector<double> out;
  for (int r = std::max(FromRow, 0); r <= ToRow; ++r) {
    QString text;
    if (real) {
      if (r >= G->AllRowCount())
        break;
      text = G->AllCells(ACol, r);
    } else {
      if (G->IsMergedNonBaseCell(ACol, r) || (grouped && (G->IsNode(r) || G->IsSummary(r))))
        continue;
      text = G->GridCells(ACol, r);
    }
    double v = 0;
    if (TryStrToFloat(text.trimmed(), v))
      out.push_back(v);
  }
  return out;
}
}  // namespace

double TZavStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
  double s = 0;
  for (double v : ColumnNumbers(this, ACol, FromRow, ToRow))
    s += v;
  return s;
}

double TZavStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
  const std::vector<double> n = ColumnNumbers(this, ACol, FromRow, ToRow);
  double s = 0;
  for (double v : n)
    s += v;
  return n.empty() ? 0 : s / double(n.size());
}

double TZavStringGrid::ColumnMin(int ACol, int FromRow, int ToRow)
{
  const std::vector<double> n = ColumnNumbers(this, ACol, FromRow, ToRow);
  return n.empty() ? 0 : *std::min_element(n.begin(), n.end());
}

double TZavStringGrid::ColumnMax(int ACol, int FromRow, int ToRow)
{
  const std::vector<double> n = ColumnNumbers(this, ACol, FromRow, ToRow);
  return n.empty() ? 0 : *std::max_element(n.begin(), n.end());
}

// Population standard deviation.
double TZavStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow)
{
  const std::vector<double> n = ColumnNumbers(this, ACol, FromRow, ToRow);
  if (n.empty())
    return 0;
  double mean = 0;
  for (double v : n)
    mean += v;
  mean /= double(n.size());
  double q = 0;
  for (double v : n)
    q += (v - mean) * (v - mean);
  return std::sqrt(q / double(n.size()));
}

double TZavStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow)
{
  const std::vector<double> n = ColumnNumbers(this, ACol, FromRow, ToRow);
  return double(std::set<double>(n.begin(), n.end()).size());
}
