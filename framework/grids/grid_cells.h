#pragma once
// Sparse text and object store of the string grid. It is kept apart from the grid's
// counts: shrinking a count keeps the cells beyond it, and any index >= 0 may be used
// (the derived grid keeps hidden columns beyond ColCount). Rows are separate blocks so
// that moving, inserting and removing rows only moves row pointers, and only those between
// the change and the nearer end of the store.
#include <QString>

#include <deque>
#include <vector>

class TObject;

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

  // Inline: read once per cell by every grid accessor.
  QString Text(int c, int r) const
  {
    const TCell *cell = Find(c, r);
    return cell ? cell->Text : QString();
  }
  void SetText(int c, int r, const QString &v);
  TObject *Object(int c, int r) const
  {
    const TCell *cell = Find(c, r);
    return cell ? cell->Object : nullptr;
  }
  void SetObject(int c, int r, TObject *v);

  // Texts and objects of row From (column From) copied over row To; the source stays.
  void CopyRow(int from, int to);
  void CopyCol(int from, int to);
  // Row From taken out and put back at To; the rows between shift by one.
  void MoveRow(int from, int to);
  void MoveCol(int from, int to);
  // Rows [first, last) turned so that row middle comes first: a block of rows changes place
  // in one pass, however many rows it holds.
  void RotateRows(int first, int middle, int last);
  void ClearRow(int r);
  void ClearCol(int c);
  void Clear();

  // Highest row index + 1 holding anything (rows above may also be empty).
  int RowExtent() const { return int(rows_.size()); }

private:
  const TCell *Find(int c, int r) const
  {
    if (c < 0 || r < 0 || r >= int(rows_.size()) || !rows_[size_t(r)])
      return nullptr;
    const TRowData &row = *rows_[size_t(r)];
    return c < int(row.size()) ? &row[size_t(c)] : nullptr;
  }
  TCell &Slot(int c, int r);
  // A deque of owned rows (nullptr: an empty row): rows come in and leave near either end
  // without moving the rest, and the pointers between move as plain memory.
  std::deque<TRowData *> rows_;
};
