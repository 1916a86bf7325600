#pragma once
// Integer lists of the grid: column widths, row lists, a cell's image indexes (which report their
// changes with the cell they belong to) and the sort columns of a multi-column sort.
#include <QString>

#include "framework/classes/classes.h"
#include "grid/foundation/grid_events.h"

// Integers kept in the pointer-sized items of the platform list. Index errors raise the list's
// EListError.
class TIntList : public TList {
public:
  // Col and Row are handed back by every OnChange; they need not name a real cell.
  TIntList(int Col, int Row);

  int GetInteger(int Index) const;
  // Writes, then OnChange.
  void SetInteger(int Index, int Value);
  int Items(int Index) const { return GetInteger(Index); }
  void SetItems(int Index, int Value) { SetInteger(Index, Value); }
  int operator[](int Index) const { return GetInteger(Index); }

  // Appends, then OnChange.
  void Add(int Value);
  // Inserts without OnChange.
  void Insert(int Index, int Value);
  // Removes, then OnChange.
  void Delete(int Index);
  // Deletes the first entry equal to Value; nothing when there is none.
  void DeleteValue(int Value);
  bool HasValue(int Value) const;

  // The entries in decimal joined by "," ("" for an empty list).
  QString StrValue() const;
  // Clears the list silently, then adds every piece of the comma text (commas or blanks
  // separate, double quotes group) with one OnChange each. A piece that is not an integer raises
  // EConvertError and keeps what was added before it.
  void SetStrValue(const QString &Value);

  TImageChangeEvent OnChange;

protected:
  void Changed();

private:
  int FCol;
  int FRow;
};

// Sort columns in priority order: each entry is a column index in bits 0-30, with bit 31 set
// for a descending column.
class TSortIndexList : public TIntList {
public:
  using TIntList::TIntList;

  void AddIndex(int ColumnIndex, bool Ascending);
  // Position of the first entry of the column (direction ignored), -1 when absent.
  int FindIndex(int ColumnIndex) const;
  // Flips the direction of the column's first entry (OnChange fires); nothing when absent.
  void ToggleIndex(int ColumnIndex);

  int GetSortColumns(int i) const;
  // Keeps the entry's direction.
  void SetSortColumns(int i, int Value);
  // True for ascending.
  bool GetSortDirections(int i) const;
  void SetSortDirections(int i, bool Value);
  int SortColumns(int i) const { return GetSortColumns(i); }
  bool SortDirections(int i) const { return GetSortDirections(i); }

  // "u2;d5;u0": "u" ascending or "d" descending, then the column modulo 65536; "" when empty.
  QString SaveToString() const;
  // Reads that text back and never raises: an entry shorter than two characters is skipped, the
  // number after the first character is read as far as it goes (0 when there is none), and any
  // first character but a lower-case "u" means descending.
  void LoadFromString(const QString &s);
};
