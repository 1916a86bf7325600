#pragma once
// Small controls a grid makes for itself: editors of controls embedded in a cell's mark-up and
// of transparent cells, the search bar's edit, the filter value and check lists, the slim scroll
// bar and the floating header of a column being moved.
#include <QString>
#include <QStringList>

#include <functional>

#include "editors/zsg_combo.h"
#include "framework/controls/controls.h"
#include "framework/stdctrls/checklst.h"
#include "framework/stdctrls/mask.h"
#include "framework/stdctrls/stdctrls.h"

class TZavStringGrid;

// Editor of an edit-type control embedded in a cell's mark-up.
class TControlEdit : public TMaskEdit {
public:
  using TMaskEdit::TMaskEdit;
  void CMWantSpecialKey(TCMWantSpecialKey &Message) override;

protected:
  void KeyPress(QChar &Key) override;
};

// Editor of a combo-type embedded control.
class TControlCombo : public TZsgComboBox {
public:
  using TZsgComboBox::TZsgComboBox;
  void CMWantSpecialKey(TCMWantSpecialKey &Message) override;

protected:
  void KeyPress(QChar &Key) override;
};

// Edit placed over a transparent cell; leaving it stores the text once the grid accepts it.
class TGridTransEdit : public TCustomEdit {
public:
  // Hidden; AOwner is its grid when it is one.
  explicit TGridTransEdit(TComponent *AOwner);
  // False when the grid's validation rejects the text (the editor then keeps the focus).
  bool StopEdit();
  int Col() const { return FCol; }
  void SetCol(int Value) { FCol = Value; }
  int Row() const { return FRow; }
  void SetRow(int Value) { FRow = Value; }

protected:
  void DoExit() override;
  void KeyPress(QChar &Key) override;

private:
  int FRow = 0;
  int FCol = 0;
  TZavStringGrid *FGrid;  // not owned
};

class TGridTransCombo : public TCustomComboBox {
public:
  explicit TGridTransCombo(TComponent *AOwner);
  bool StopEdit();
  int Col() const { return FCol; }
  void SetCol(int Value) { FCol = Value; }
  int Row() const { return FRow; }
  void SetRow(int Value) { FRow = Value; }

protected:
  void DoExit() override;
  void KeyPress(QChar &Key) override;

private:
  int FRow = 0;
  int FCol = 0;
  TZavStringGrid *FGrid;  // not owned
};

// The search bar's edit: Enter searches (Ctrl+Enter the other way) instead of beeping.
class TRetEdit : public TEdit {
public:
  using TEdit::TEdit;
  TNotifyEvent OnReturn;
  TNotifyEvent OnCtrlReturn;

protected:
  void CreateParams(TCreateParams &Params) override;
  void KeyDown(uint16_t &Key, TShiftState Shift) override;
  void WMChar(TWMKey &Message) override;
};

using TDropListSelectEvent = std::function<void(TObject *Sender, int ItemIndex)>;

// Value list of a column filter: choosing an item closes it.
class TDropList : public TListBox {
public:
  using TListBox::TListBox;
  TDropListSelectEvent OnSelect;
  void WndProc(TMessage &Message) override;

protected:
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyPress(QChar &Key) override;

private:
  void Choose();
};

// Check list of a column filter: it stays open while the user checks entries; every change
// of a check is reported with item index -1.
class TDropCheckList : public TCheckListBox {
public:
  using TCheckListBox::TCheckListBox;
  TDropListSelectEvent OnSelect;
  void WndProc(TMessage &Message) override;
  // The filter list entries it was filled with: what its checks stand for while it is open,
  // also when the rows they filter change the column's list.
  const QStringList &Entries() const { return FEntries; }
  void SetEntries(const QStringList &Value) { FEntries = Value; }

protected:
  void ClickCheck() override;

private:
  QStringList FEntries;
};

class TFilter;

// An entry of a column's filter list: "friendly text" or "friendly text=condition" (the
// condition is then the whole entry).
void SplitFilterEntry(const QString &Entry, QString &Friendly, QString &Condition);

// Fills a filter drop-down with the friendly texts of Entries. A check list checks each entry
// that Filter already holds for Column: its condition (Clear standing for none), or its text,
// in double quotes when it holds a blank.
void FillFilterList(TCustomListBox *List, const TStrings *Entries, const TFilter *Filter, int Column,
                    const QString &Clear);

enum class TScrollDirection { sdVertical, sdHorizontal };
using enum TScrollDirection;

// Slim scroll bar along a grid edge (its parent); without a grid it does and paints nothing.
class TScrollControl : public TCustomControl {
public:
  explicit TScrollControl(TComponent *AOwner);

  // Silver by default; repaints only on a change.
  void SetColor(TColor Value) override;
  int ScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(int Value) { FScrollWidth = Value; }
  TScrollDirection Direction() const { return FDirection; }
  void SetDirection(TScrollDirection Value) { FDirection = Value; }
  // Start and size of the thumb along the track; (0, 0) when there is none to show.
  TPoint Thumb();

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  TZavStringGrid *Grid() const;
  int FScrollWidth = 4;
  bool FDownOnScroller = false;
  int FDownPos = 0;
  int FDownRow = 0;
  TScrollDirection FDirection = sdVertical;
};

// Floating header of a column being moved.
class THeaderDragButton : public TCustomControl {
public:
  explicit THeaderDragButton(TComponent *AOwner);
  TZavStringGrid *Grid() const { return FGrid; }  // not owned
  void SetGrid(TZavStringGrid *Value) { FGrid = Value; }
  QString Caption() const { return FCaption; }
  void SetCaption(const QString &Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);

protected:
  void CreateParams(TCreateParams &Params) override;
  void Paint() override;

private:
  TZavStringGrid *FGrid = nullptr;
  QString FCaption;
  bool FFlat = false;
};
