#pragma once
// Sparse text and object store of the string grid. It is kept apart from the grid's
// counts: shrinking a count keeps the cells beyond it, and any index >= 0 may be used
// (the derived grid keeps hidden columns beyond ColCount). Rows are separate blocks so
// that moving, inserting and removing rows only moves row pointers, and only those between
// the change and the nearer end of the store.
#include <QString>

#include <algorithm>
#include <cstddef>
#include <vector>

class TObject;

// Pointers in one contiguous buffer with free room at both ends: indexing is a plain array
// read, and a block inserted or erased near either end moves only the pointers on that side.
template <typename T>
class TTwoEndedArray {
public:
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T &operator[](size_t i) { return buf_[head_ + i]; }
  const T &operator[](size_t i) const { return buf_[head_ + i]; }
  T *begin() { return buf_.data() + head_; }
  T *end() { return begin() + size_; }
  const T *begin() const { return buf_.data() + head_; }
  const T *end() const { return begin() + size_; }

  // Grows (with value-initialised entries) or shrinks at the back.
  void resize(size_t n)
  {
    if (n > size_) {
      if (head_ + n > buf_.size())
        Reserve(n - size_, false);
      std::fill(buf_.begin() + std::ptrdiff_t(head_ + size_), buf_.begin() + std::ptrdiff_t(head_ + n), T());
    }
    size_ = n;
  }
  void clear()
  {
    buf_.clear();
    head_ = size_ = 0;
  }
  // Removes [first, last); the shorter side moves.
  void erase(size_t first, size_t last)
  {
    const size_t n = last - first;
    if (n == 0)
      return;
    T *b = begin();
    if (first < size_ - last) {
      std::move_backward(b, b + first, b + last);
      head_ += n;
    } else {
      std::move(b + last, b + size_, b + first);
    }
    size_ -= n;
  }
  // Inserts [from, to) before pos; the shorter side moves.
  void insert(size_t pos, const T *from, const T *to)
  {
    const size_t n = size_t(to - from);
    if (n == 0)
      return;
    std::copy(from, to, Open(pos, n));
  }
  // Inserts n value-initialised entries before pos; the shorter side moves.
  void insert(size_t pos, size_t n)
  {
    if (n == 0)
      return;
    std::fill_n(Open(pos, n), n, T());
  }

private:
  // Makes a gap of n entries before pos, moving the shorter side; answers the gap's start.
  T *Open(size_t pos, size_t n)
  {
    const bool front = pos < size_ - pos;
    if (front ? head_ < n : head_ + size_ + n > buf_.size())
      Reserve(n, front);
    if (front) {
      head_ -= n;
      T *b = begin();
      std::move(b + n, b + n + pos, b);
    } else {
      T *b = begin();
      std::move_backward(b + pos, b + size_, b + size_ + n);
    }
    size_ += n;
    return begin() + pos;
  }

  // Room for n more entries at the front (AtFront) or the back, and as much again spare on
  // both sides so that repeated edits at an end stay amortised constant.
  void Reserve(size_t n, bool AtFront)
  {
    const size_t spare = std::max<size_t>(size_ + n, 16);
    std::vector<T> grown(size_ + n + 2 * spare);
    const size_t head = spare + (AtFront ? n : 0);
    std::copy(begin(), end(), grown.begin() + std::ptrdiff_t(head));
    buf_.swap(grown);
    head_ = head;
  }

  std::vector<T> buf_;
  size_t head_ = 0;
  size_t size_ = 0;
};

class TGridCellStore {
public:
  struct TCell {
    QString Text;
    TObject *Object = nullptr;  // not owned
  };
  using TRowData = std::vector<TCell>;

  TGridCellStore() = default;
  ~TGridCellStore();
  TGridCellStore(const TGridCellStore &) = delete;
  TGridCellStore &operator=(const TGridCellStore &) = delete;

  // Inline: read once per cell by every grid accessor. The reference stays valid until the
  // store changes; a caller that keeps the text across a change copies it.
  const QString &Text(int c, int r) const
  {
    const TCell *cell = Find(c, r);
    return cell ? cell->Text : NoText;
  }
  // v may be a text of this store (a copy is taken before the row can grow).
  void SetText(int c, int r, const QString &v);
  TObject *Object(int c, int r) const
  {
    const TCell *cell = Find(c, r);
    return cell ? cell->Object : nullptr;
  }
  void SetObject(int c, int r, TObject *v);
  // The cell's text and object in one look, nullptr when nothing was ever stored there.
  const TCell *Cell(int c, int r) const { return Find(c, r); }

  // Texts and objects of row From (column From) copied over row To; the source stays.
  void CopyRow(int from, int to);
  void CopyCol(int from, int to);
  // Row From taken out and put back at To; the rows between shift by one.
  void MoveRow(int from, int to);
  void MoveCol(int from, int to);
  // Columns [At, At + Count) dropped and the columns up to End move left, in every row in one
  // pass; the columns left at [End - Count, End) are empty. Columns from End on keep their place.
  void CloseCols(int At, int Count, int End);
  // Count empty columns come in at At in every row in one pass and the columns [At, End) move
  // right; the columns they move over ([End, End + Count)) are dropped.
  void OpenCols(int At, int Count, int End);
  // Rows [first, last) turned so that row middle comes first: a block of rows changes place
  // in one pass, however many rows it holds.
  void RotateRows(int first, int middle, int last);
  // Count empty rows come in at At and rows [At, End) move down; the rows they move over
  // ([End, End + Count)) are dropped. Rows from End + Count on keep their place.
  void OpenRows(int At, int Count, int End);
  // Rows [At, At + Count) are dropped and rows [At + Count, End) move up; the rows left at
  // [End - Count, End) are empty. Rows from End on keep their place.
  void CloseRows(int At, int Count, int End);
  // Rows Rows (ascending, each once, all below End) are dropped and the rows between them move
  // up; the rows left at [End - n, End) are empty. Rows from End on keep their place.
  void CloseRowSet(const std::vector<int> &Rows, int End);
  // Empty rows come in at Rows (ascending, each once, places after the opening, all below
  // End + n) and rows before End move down between them; the rows they move over
  // ([End, End + n)) are dropped. Rows from End + n on keep their place.
  void OpenRowSet(const std::vector<int> &Rows, int End);
  // Row r handed over whole (its texts are not copied); the row is empty afterwards.
  TRowData TakeRow(int r);
  // Row r replaced by Data, taken over whole.
  void PutRow(int r, TRowData &&Data);
  void ClearRow(int r);
  void ClearCol(int c);
  void Clear();

  // Highest row index + 1 holding anything (rows above may also be empty).
  int RowExtent() const { return int(rows_.size()); }

private:
  static const QString NoText;
  const TCell *Find(int c, int r) const
  {
    if (c < 0 || r < 0 || r >= int(rows_.size()) || !rows_[size_t(r)])
      return nullptr;
    const TRowData &row = *rows_[size_t(r)];
    return c < int(row.size()) ? &row[size_t(c)] : nullptr;
  }
  TCell &Slot(int c, int r);
  // Owned rows (nullptr: an empty row): rows come in and leave near either end without
  // moving the rest, and the pointers between move as plain memory.
  TTwoEndedArray<TRowData *> rows_;
};
