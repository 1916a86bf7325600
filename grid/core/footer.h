#pragma once
// The floating footer: a strip docked under the grid's cells that stays put while the rows
// scroll. TFloatingFooter holds its settings, TFooterPanel is the window that draws it.
#include <QString>

#include <functional>

#include "framework/classes/classes.h"
#include "framework/stdctrls/extctrls.h"
#include "grid/core/grid_core_events.h"
#include "grid/foundation/cell_properties.h"

class TZavStringGrid;

enum class TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };
using enum TFooterStyle;


class TFloatingFooter : public TPersistent {
public:
  // AGrid: the owning grid (not owned).
  explicit TFloatingFooter(TZavStringGrid *AGrid);

  // From another floating footer only; the border colour, calculation switch and height stay.
  void Assign(TPersistent *Source) override;
  // Repaints the footer panel.
  void Invalidate();

  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  bool CalculateHiddenRows() const { return FCalculateHiddenRows; }
  void SetCalculateHiddenRows(bool Value) { FCalculateHiddenRows = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int Column() const { return FColumn; }
  void SetColumn(int Value);
  QString CustomTemplate() const { return FCustomTemplate; }
  void SetCustomTemplate(const QString &Value);
  TFooterStyle FooterStyle() const { return FFooterStyle; }
  void SetFooterStyle(TFooterStyle Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  bool EnableCalculation() const { return FEnableCalculation; }
  void SetEnableCalculation(bool Value) { FEnableCalculation = Value; }
  // Kept in the cell properties of the column's last-row cell.
  TColumnCalcType GetColumnCalc(int ACol) const;
  void SetColumnCalc(int ACol, TColumnCalcType Value);
  TColumnCalcType ColumnCalc(int ACol) const { return GetColumnCalc(ACol); }

  TCalcFooterEvent OnCalcFooter;

private:
  TZavStringGrid *FGrid;
  int FHeight = 0;
  bool FVisible = false;
  TColor FColor = clBtnFace;
  TFooterStyle FFooterStyle = fsFixedLastRow;
  int FColumn = 0;
  QString FCustomTemplate;
  bool FCalculateHiddenRows = true;
  bool FEnableCalculation = true;
  bool FShowHint = false;
  TColor FBorderColor = clNone;
};

// The template of a custom preview with every "<#n>" replaced by the text of cell (n, ARow).
// A tag whose inner text is not a number, or names no column of the grid, gives nothing; an
// unclosed "<#" and what follows stay as they are.
QString ExpandFooterTemplate(TZavStringGrid *Grid, const QString &Template, int ARow);

class TFooterPanel : public TCustomPanel {
public:
  // AOwner must be the grid.
  explicit TFooterPanel(TComponent *AOwner);

  int LastHintX() const { return FLastHintX; }
  // The column under client x: the fixed columns, then the columns from the grid's left
  // column; -1 right of the last one.
  int ColumnAt(int X) const;
  // Width of the painted part: the fixed columns and the columns from the left column on.
  int PaintedWidth() const;

  void CMHintShow(TCMHintShow &Message) override;
  void CMMouseLeave(TMessage &Message) override;

protected:
  void CreateWnd() override;
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

private:
  void PaintFixedLastRow(TCanvas *C, int W);
  void PaintPreview(TCanvas *C, int W, bool Template);
  TZavStringGrid *FGrid;
  int FLastHintX = -1;
};
