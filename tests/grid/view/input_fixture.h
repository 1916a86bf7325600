#pragma once
// A shown form holding a string grid and a column grid set up like the S7 read table, for the
// input tests: clicks, keys and the wheel travel the real message pipeline.
#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "grid/core/column_grid.h"
#include "grid/core/control_look.h"
#include "grid/foundation/grid_options.h"

#include <gtest/gtest.h>

#include <QStringList>

struct InputGrids : ::testing::Test {
  enum { cNum, cEnable, cAddress, cType, cPosition, cSwap, cCount };
  TForm form{nullptr};
  TZavStringGrid *sg = new TZavStringGrid(&form);
  TZavColumnGrid *cg = new TZavColumnGrid(&form);
  QStringList log;

  InputGrids()
  {
    form.SetBounds(0, 0, 900, 700);
    sg->SetParent(&form);
    sg->SetBounds(0, 0, 420, 260);
    sg->SetColCount(5);
    sg->SetRowCount(20);
    sg->SetDefaultRowHeight(22);
    sg->SetDefaultColWidth(70);
    cg->SetParent(&form);
    cg->SetBounds(0, 300, 600, 260);
    cg->SetColCount(cCount);
    cg->SetRowCount(6);
    cg->SetDefaultRowHeight(22);
    const struct { const char *header; TEditorType editor; int width; } cols[cCount] = {
        {"N", edNormal, 40},       {"Enable", edDataCheckBox, 60}, {"PLC Address", edNormal, 100},
        {"PLC Type", edComboList, 90}, {"Position", edComboEdit, 80}, {"Swap", edDataCheckBox, 60},
    };
    for (int i = 0; i < cCount; ++i) {
      TGridColumnItem *c = cg->Columns()->Items(i);
      c->SetHeader(cols[i].header);
      c->SetEditor(cols[i].editor);
      c->SetWidth(cols[i].width);
    }
    cg->Columns()->Items(cNum)->SetFixed(true);
    for (const char *t : {"S7300", "S7400", "S71200"})
      cg->Columns()->Items(cType)->ComboItems()->Add(t);
    for (int r = 1; r < 6; ++r) {
      cg->SetCells(cNum, r, QString::number(r));
      cg->SetCells(cEnable, r, "N");
    }
    form.Show();
    SimProcess();
  }

  // Client point in the middle of a cell.
  static TPoint Mid(TZavStringGrid *g, int c, int r)
  {
    const TRect R = g->CellRect(c, r);
    return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  }
  static void Click(TZavStringGrid *g, int c, int r)
  {
    const TPoint p = Mid(g, c, r);
    SimClick(g, p.X, p.Y);
  }
};
