#pragma once
// Special cell editors as objects: one small object per editor kind behind one interface, found
// by kind through one table. The edit flow opens and closes every special editor through it, so
// a new editor is one class and one line of the table.
#include <QString>

#include "framework/system/types.h"
#include "grid/foundation/grid_enums.h"

class TZavStringGrid;
class TWinControl;
class TGridCheckBox;
class TEditLink;
class TFont;

// The cell an editor opens over, as the edit flow worked it out.
struct TEditorCell {
  int Col = 0, Row = 0;  // display column and row
  int RealCol = 0;
  TRect Rect;            // the cell rectangle
  int Width = 0, Height = 0;  // the editor box: one pixel less than the cell each way
  TColor Color = clNone;      // the cell's colour as painted
  TFont *Font = nullptr;      // and its font (not owned)
  QString Text;               // the grid's edit text of the cell
};

class TSpecialEditor {
public:
  virtual ~TSpecialEditor() = default;
  // The control the kind edits with: made on first use, or the one the grid keeps.
  virtual TWinControl *Control(TZavStringGrid &Grid) const = 0;
  // Whether the kind opens now at all; when not, the flow leaves everything as it is.
  virtual bool CanOpen(TZavStringGrid &) const { return true; }
  // Places the control over the cell, loads the cell's value, shows and focuses it. Answers the
  // control that is the open editor from now on (nil: the grid keeps none).
  virtual TWinControl *Open(TZavStringGrid &Grid, const TEditorCell &Cell) const = 0;
  // The character that started the edit (typed on the closed cell) is posted once to the open
  // editor; kinds that take no text drop it.
  virtual bool TakesStartChar() const { return true; }
  // Puts the value from before the edit back into the control (a wrapper's Esc); the close
  // that follows commits it.
  virtual void Cancel(TZavStringGrid &) const {}
  // Ends the edit on the cell (display column Col, real column RealCol): the value goes into
  // the cell and the control hides.
  // By default only an open edit commits and hides, once; EditMode ends with it.
  virtual void Close(TZavStringGrid &Grid, int Col, int RealCol, int Row) const;

protected:
  // Only an edit still open closes (a second close writes nothing).
  virtual bool ClosesOnlyOpen() const { return true; }
  // Writes the control's value into the cell; kinds without a value write nothing.
  virtual void Commit(TZavStringGrid &, int, int) const {}
  // Hands the focus back to the grid, then disables and hides the control.
  virtual void Hide(TZavStringGrid &Grid) const;

  // The grid as the kinds see it.
  static void SetEditMode(TZavStringGrid &Grid, bool Value);
  static TEditLink *Link(const TZavStringGrid &Grid);
  // OnGetEditorProp for the cell (real column) with the grid's edit link.
  static void Prop(TZavStringGrid &Grid, int RealCol, int Row);
  // The value into the cell the way every special editor's value enters it.
  static void Store(TZavStringGrid &Grid, int RealCol, int Row, const QString &Value);
  // The focused control gives the focus back to the grid, as a hidden text editor does.
  static void GiveFocusBack(TZavStringGrid &Grid, TWinControl *Control);
  static void Focus(TWinControl *Control);
  // The grid's edit text of a cell (display column), asked afresh.
  static QString EditText(TZavStringGrid &Grid, int Col, int Row);
  // Narrow access to grid state that single kinds need.
  static int ComboFallback(const TZavStringGrid &Grid);
  static void ReportComboItem(TZavStringGrid &Grid, int Index);
  static int EditLimit(TZavStringGrid &Grid);
  static QString EditMask(TZavStringGrid &Grid, int Col, int Row);
  static TGridCheckBox *CheckBox(const TZavStringGrid &Grid);
  static void SelectionChanged(TZavStringGrid &Grid);
  static void AskEditorType(TZavStringGrid &Grid, int Col, int Row);
  static void KeepCellText(TZavStringGrid &Grid, const QString &Text);
  static void SetEditActive(TZavStringGrid &Grid);
};

// The object serving an editor kind; nil for the text kinds, edNone, edDataCheckBox and the kinds
// this grid does not host yet (the flow then opens nothing and the cell keeps its value).
const TSpecialEditor *SpecialEditorFor(TEditorType Kind);
