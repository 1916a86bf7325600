#pragma once
// A column grid set up like the program's S7 tables, shown on a form with the focus: a fixed
// number column, text, combo-list, combo-edit and data check-box columns.
#include <QStringList>

#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "grid/core/column_collection.h"
#include "grid/core/column_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/editor_wrappers.h"

class TEditGrid : public TZavColumnGrid {
public:
  using TZavColumnGrid::TZavColumnGrid;
  using TZavColumnGrid::KeyPress;
  using TZavColumnGrid::SelectCell;
  using TZavColumnGrid::ValidateCell;
  using TZavColumnGrid::WMCommand;
};

struct EditGridTest : ::testing::Test {
  enum { cNum, cText, cList, cEdit, cCheck, cReadOnly, cCount };
  TForm form{nullptr};
  TEditGrid *g = new TEditGrid(&form);
  QStringList log;  // events in the order they fired

  EditGridTest()
  {
    form.SetBounds(0, 0, 700, 300);
    g->SetParent(&form);
    g->SetBounds(0, 0, 680, 280);
    g->SetRowCount(6);
    g->SetColCount(cCount);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    const TEditorType editors[cCount] = {edNormal, edNormal, edComboList, edComboEdit, edDataCheckBox, edNormal};
    for (int i = 0; i < cCount; ++i) {
      g->Columns()->Items(i)->SetEditor(editors[i]);
      g->Columns()->Items(i)->SetWidth(90);
    }
    for (const char *t : {"S7300", "S7400", "S71200"})
      g->Columns()->Items(cList)->ComboItems()->Add(t);
    for (const char *t : {"0", "1", "2"})
      g->Columns()->Items(cEdit)->ComboItems()->Add(t);
    g->Columns()->Items(cReadOnly)->SetReadOnly(true);
    g->SetOptions(g->Options() + goEditing);
    for (int r = 1; r < 6; ++r) {
      g->SetCells(cText, r, QStringLiteral("t%1").arg(r));
      g->SetCells(cCheck, r, "Y");
    }
    g->OnEditingDone = [this](TObject *) { log << "done"; };
    g->OnComboChange = [this](TObject *, int c, int r, int i, const QString &s) {
      log << QStringLiteral("combo %1,%2 %3 %4").arg(c).arg(r).arg(i).arg(s);
    };
    g->OnComboCloseUp = [this](TObject *, int, int) { log << "closeup"; };
    form.Show();
    g->SetFocus();
    SimProcess();
  }

  void Go(int c, int r)
  {
    g->FocusCell(c, r, true);
    SimProcess();
  }
  TZavInplaceEdit *Editor() { return dynamic_cast<TZavInplaceEdit *>(g->NormalEdit()); }
  bool EditorShown() { return Editor() && Editor()->Visible(); }
};
