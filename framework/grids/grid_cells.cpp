#include "framework/grids/grid_cells.h"

#include <algorithm>
#include <utility>

const QString TGridCellStore::NoText;

TGridCellStore::~TGridCellStore() { Clear(); }

TGridCellStore::TCell &TGridCellStore::Slot(int c, int r)
{
  if (r >= int(rows_.size()))
    rows_.resize(size_t(r) + 1);
  auto &row = rows_[size_t(r)];
  if (!row)
    row = new TRowData();
  if (c >= int(row->size()))
    row->resize(size_t(c) + 1);
  return (*row)[size_t(c)];
}

void TGridCellStore::SetText(int c, int r, const QString &v)
{
  if (c < 0 || r < 0)
    return;
  if (v.isEmpty() && !Find(c, r))
    return;  // nothing to clear; do not allocate
  QString text = v;
  Slot(c, r).Text = std::move(text);
}

void TGridCellStore::SetObject(int c, int r, TObject *v)
{
  if (c < 0 || r < 0)
    return;
  if (!v && !Find(c, r))
    return;
  Slot(c, r).Object = v;
}

void TGridCellStore::CopyRow(int from, int to)
{
  if (from < 0 || to < 0 || from == to)
    return;
  const bool hasFrom = from < int(rows_.size()) && rows_[size_t(from)];
  if (!hasFrom) {
    ClearRow(to);
    return;
  }
  TRowData copy = *rows_[size_t(from)];
  Slot(0, to);
  *rows_[size_t(to)] = std::move(copy);
}

void TGridCellStore::CopyCol(int from, int to)
{
  if (from < 0 || to < 0 || from == to)
    return;
  for (size_t r = 0; r < rows_.size(); ++r) {
    if (!rows_[r])
      continue;
    const TCell *src = Find(from, int(r));
    if (src) {
      TCell value = *src;
      Slot(to, int(r)) = std::move(value);
    } else if (Find(to, int(r))) {
      Slot(to, int(r)) = TCell();
    }
  }
}

void TGridCellStore::MoveRow(int from, int to)
{
  if (from < 0 || to < 0 || from == to)
    return;
  const size_t need = size_t(std::max(from, to)) + 1;
  if (rows_.size() < need)
    rows_.resize(need);
  auto first = rows_.begin();
  if (from < to)
    std::rotate(first + from, first + from + 1, first + to + 1);
  else
    std::rotate(first + to, first + from, first + from + 1);
}

void TGridCellStore::RotateRows(int first, int middle, int last)
{
  if (first < 0 || middle <= first || middle >= last)
    return;
  if (rows_.size() < size_t(last))
    rows_.resize(size_t(last));
  // The smaller of the two blocks changes place.
  int from = first, to = middle, dest = last - (middle - first);
  if (middle - first > last - middle) {
    from = middle;
    to = last;
    dest = first;
  }
  // Taken out and put back, the block moves the shorter side of the store twice; turned in
  // place, only the rows [first, last) move. A block deep inside a long store (a group) turns
  // in place, an edit near either end goes the other way.
  const size_t size = rows_.size(), n = size_t(to - from);
  const size_t viaEnds =
      std::min(size_t(from), size - size_t(to)) + std::min(size_t(dest), size - n - size_t(dest)) + n;
  if (size_t(last - first) <= viaEnds) {
    std::rotate(rows_.begin() + first, rows_.begin() + middle, rows_.begin() + last);
    return;
  }
  // A few rows (the usual insert or delete) travel through the stack, a larger block
  // through one allocation.
  TRowData *few[16];
  std::vector<TRowData *> many;
  TRowData **block = few;
  if (n > std::size(few)) {
    many.resize(n);
    block = many.data();
  }
  std::copy(rows_.begin() + from, rows_.begin() + to, block);
  rows_.erase(size_t(from), size_t(to));
  rows_.insert(size_t(dest), block, block + n);
}

// Both are the usual insert and delete of rows: only the rows between the edit and the nearer
// end of the store move, and rows nothing was ever stored in cost nothing.
void TGridCellStore::OpenRows(int At, int Count, int End)
{
  const size_t size = rows_.size();
  if (At < 0 || Count <= 0 || End < At || size_t(At) >= size)
    return;
  if (size_t(End) < size) {
    const size_t gone = std::min(size, size_t(End) + size_t(Count));
    for (size_t r = size_t(End); r < gone; ++r)
      delete rows_[r];
    rows_.erase(size_t(End), gone);
  }
  rows_.insert(size_t(At), size_t(Count));
}

void TGridCellStore::CloseRows(int At, int Count, int End)
{
  const size_t size = rows_.size();
  if (At < 0 || Count <= 0 || End < At + Count || size_t(At) >= size)
    return;
  const size_t gone = std::min(size, size_t(At) + size_t(Count));
  for (size_t r = size_t(At); r < gone; ++r)
    delete rows_[r];
  rows_.erase(size_t(At), gone);
  // Rows from End on were stored: they go back to their place behind the emptied ones.
  if (size_t(End) < size)
    rows_.insert(size_t(End) - size_t(Count), size_t(Count));
}

void TGridCellStore::CloseRowSet(const std::vector<int> &Rows, int End)
{
  const size_t end = std::min(rows_.size(), size_t(std::max(End, 0)));
  if (Rows.empty() || Rows.front() < 0 || size_t(Rows.front()) >= end)
    return;
  // Row pointers move up over the dropped ones in one pass; no row is copied.
  size_t w = size_t(Rows.front()), k = 0;
  for (size_t r = w; r < end; ++r) {
    if (k < Rows.size() && size_t(Rows[k]) == r) {
      delete rows_[r];
      rows_[r] = nullptr;
      ++k;
    } else {
      rows_[w++] = rows_[r];
    }
  }
  std::fill(rows_.begin() + w, rows_.begin() + end, nullptr);
}

void TGridCellStore::OpenRowSet(const std::vector<int> &Rows, int End)
{
  if (Rows.empty() || Rows.front() < 0 || End < Rows.front() || size_t(Rows.front()) >= rows_.size())
    return;
  const int n = int(Rows.size());
  const size_t total = size_t(End) + size_t(n);
  if (rows_.size() < total)
    rows_.resize(total);
  for (size_t r = size_t(End); r < total; ++r) {
    delete rows_[r];
    rows_[r] = nullptr;
  }
  // From the back: each row moves down by the number of opened rows at or above its place.
  int read = End - 1;
  for (int w = int(total) - 1, j = n; j > 0 && w >= 0; --w) {
    if (Rows[size_t(j) - 1] == w) {
      rows_[size_t(w)] = nullptr;
      --j;
    } else {
      rows_[size_t(w)] = read >= 0 ? rows_[size_t(read)] : nullptr;
      --read;
    }
  }
}

TGridCellStore::TRowData TGridCellStore::TakeRow(int r)
{
  if (r < 0 || r >= int(rows_.size()) || !rows_[size_t(r)])
    return {};
  TRowData data = std::move(*rows_[size_t(r)]);
  delete rows_[size_t(r)];
  rows_[size_t(r)] = nullptr;
  return data;
}

void TGridCellStore::PutRow(int r, TRowData &&Data)
{
  if (r < 0)
    return;
  if (Data.empty()) {
    ClearRow(r);
    return;
  }
  Slot(0, r);
  *rows_[size_t(r)] = std::move(Data);
}

void TGridCellStore::MoveCol(int from, int to)
{
  if (from < 0 || to < 0 || from == to)
    return;
  const size_t need = size_t(std::max(from, to)) + 1;
  for (auto &row : rows_) {
    if (!row || (int(row->size()) <= std::min(from, to)))
      continue;
    if (row->size() < need)
      row->resize(need);
    auto first = row->begin();
    if (from < to)
      std::rotate(first + from, first + from + 1, first + to + 1);
    else
      std::rotate(first + to, first + from, first + from + 1);
  }
}

// A row holding nothing from At on is left as it is; the others are grown to End so that their
// shifted cells keep a place, as moving the columns one by one would leave them.
void TGridCellStore::CloseCols(int At, int Count, int End)
{
  if (At < 0 || Count <= 0 || End < At + Count)
    return;
  for (TRowData *row : rows_) {
    if (!row || int(row->size()) <= At)
      continue;
    if (int(row->size()) < End)
      row->resize(size_t(End));
    // Moved, not rotated: every cell is written once, which is what a pass over a long
    // store costs.
    auto first = row->begin();
    std::move(first + At + Count, first + End, first + At);
    std::fill(first + End - Count, first + End, TCell());
  }
}

void TGridCellStore::OpenCols(int At, int Count, int End)
{
  if (At < 0 || Count <= 0 || End < At)
    return;
  for (TRowData *row : rows_) {
    if (!row || int(row->size()) <= At)
      continue;
    if (At == End) {
      // Nothing moves: only the cells stored where the new columns come are emptied.
      std::fill(row->begin() + At, row->begin() + std::min(End + Count, int(row->size())), TCell());
      continue;
    }
    if (int(row->size()) < End + Count)
      row->resize(size_t(End + Count));
    auto first = row->begin();
    std::move_backward(first + At, first + End, first + End + Count);
    std::fill(first + At, first + At + Count, TCell());
  }
}

void TGridCellStore::ClearRow(int r)
{
  if (r >= 0 && r < int(rows_.size())) {
    delete rows_[size_t(r)];
    rows_[size_t(r)] = nullptr;
  }
}

void TGridCellStore::ClearCol(int c)
{
  for (auto &row : rows_)
    if (row && c >= 0 && c < int(row->size()))
      (*row)[size_t(c)] = TCell();
}

void TGridCellStore::Clear()
{
  for (TRowData *row : rows_)
    delete row;
  rows_.clear();
}
