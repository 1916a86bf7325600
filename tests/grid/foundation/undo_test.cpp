#include "grid/foundation/undo.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "grid/foundation/base_grid.h"

namespace {

// Cells a, b and c are columns 1 to 3 of row 1.
struct TUndoFixture {
  TBaseGrid grid{nullptr};
  TZavGridUndoRedo undo{nullptr};
  TUndoFixture()
  {
    grid.SetColCount(5);
    grid.SetRowCount(3);
    grid.SetUndoRedo(&undo);
  }

  // Tokens: "a=x" changes cell a to x and registers it, "[" and "]" bracket a sequence,
  // "u" undoes, "r" redoes, "0" resets, "m2" sets MaxLevel 2.
  void Run(const QString &Script)
  {
    for (const QString &t : Script.split(' ', Qt::SkipEmptyParts)) {
      if (t.size() >= 2 && t[1] == '=') {
        int col = t[0].unicode() - 'a' + 1;
        QString old = grid.Cells(col, 1);
        grid.SetCells(col, 1, t.mid(2));
        undo.RegisterChange(col, 1, old, t.mid(2));
      } else if (t == "[") {
        undo.StartSequence();
      } else if (t == "]") {
        undo.StopSequence();
      } else if (t == "u") {
        undo.Undo();
      } else if (t == "r") {
        undo.Redo();
      } else if (t == "0") {
        undo.Reset();
      } else if (t.startsWith('m')) {
        undo.SetMaxLevel(t.mid(1).toInt());
      } else {
        ADD_FAILURE() << "bad token " << t.toStdString();
      }
    }
  }

  QString Texts() { return QStringList{grid.Cells(1, 1), grid.Cells(2, 1), grid.Cells(3, 1)}.join(','); }
};

struct TUndoCase {
  const char *script;
  const char *texts;
  int level;
  int items;
  bool canUndo, canRedo;
};

TEST(UndoRedo, Sequences)
{
  const TUndoCase cases[] = {
      {"a=1 b=2 c=3 u u", "1,,", 1, 3, true, true},
      {"a=1 b=2 c=3 u u r", "1,2,", 2, 3, true, true},
      {"a=1 b=2 u u u r r r", "1,2,", 2, 2, true, false},
      // one step over a whole sequence, both ways
      {"[ a=1 b=2 ]", "1,2,", 4, 4, true, false},
      {"[ a=1 b=2 ] u", ",,", 0, 4, false, true},
      {"[ a=1 b=2 ] u r", "1,2,", 4, 4, true, false},
      {"[ a=1 b=2 ] c=3 u u r r", "1,2,3", 5, 5, true, false},
      {"a=1 [ b=2 c=3 ] u u", ",,", 0, 5, false, true},
      // the oldest change makes room once MaxLevel is reached
      {"m2 a=1 b=2 c=3", "1,2,3", 2, 2, true, false},
      {"m2 a=1 b=2 c=3 u u u", "1,,", 0, 2, false, true},
      // a change after an undo goes behind the undone one, which stays in the list
      {"a=1 b=2 u c=3", "1,,3", 3, 3, true, false},
      {"a=1 b=2 u c=3 u u", "1,,", 1, 3, true, true},
      // an open sequence: undo passes over its start marker without touching any cell
      {"a=1 [ b=2 u u", "1,,", 1, 3, true, true},
      {"a=1 [ b=2 u u u", ",,", 0, 3, false, true},
      // and redo of it re-applies up to its last change
      {"[ a=1 b=2 u u u r", "1,2,", 3, 3, true, false},
      // a reset forgets everything, the level included
      {"a=1 b=2 0", "1,2,", 0, 0, false, false},
      {"a=1 b=2 0 u r", "1,2,", 0, 0, false, false},
      {"a=1 0 b=2 u", "1,,", 0, 1, false, true},
  };
  for (const TUndoCase &k : cases) {
    SCOPED_TRACE(k.script);
    TUndoFixture f;
    f.Run(k.script);
    EXPECT_EQ(f.Texts().toStdString(), k.texts);
    EXPECT_EQ(f.undo.Level(), k.level);
    EXPECT_EQ(f.undo.Items()->Count(), k.items);
    EXPECT_EQ(f.undo.CanUndo(), k.canUndo);
    EXPECT_EQ(f.undo.CanRedo(), k.canRedo);
  }
}

TEST(UndoRedo, EventsSeeTheTextBeforeAndAfterAndTheCellBecomesCurrent)
{
  TUndoFixture f;
  QStringList seen;
  f.undo.OnUndo = [&](TObject *, TBaseGrid *g, int c, int r, const QString &o, const QString &n) {
    EXPECT_EQ(g, &f.grid);
    seen << QString("undo %1,%2 %3>%4").arg(c).arg(r).arg(o, n);
  };
  f.undo.OnRedo = [&](TObject *, TBaseGrid *, int c, int r, const QString &o, const QString &n) {
    seen << QString("redo %1,%2 %3>%4").arg(c).arg(r).arg(o, n);
  };
  f.Run("a=x b=y b=z u");
  EXPECT_EQ(TPoint(f.grid.Col(), f.grid.Row()), TPoint(2, 1));
  f.Run("u r");
  EXPECT_EQ(seen, (QStringList{"undo 2,1 z>y", "undo 2,1 y>", "redo 2,1 >y"}));
}

TEST(UndoRedo, WithoutAGridOnlyRecording)
{
  TUndoFixture f;
  f.Run("a=1 b=2");
  f.undo.SetGrid(nullptr);
  f.Run("u u r");
  EXPECT_EQ(f.Texts(), "1,2,");
  EXPECT_EQ(f.undo.Level(), 2);

  // Either side going away clears the other's link.
  auto *grid = new TBaseGrid(nullptr);
  auto *undo = new TZavGridUndoRedo(nullptr);
  grid->SetUndoRedo(undo);
  EXPECT_EQ(undo->Grid(), grid);
  delete undo;
  EXPECT_EQ(grid->UndoRedo(), nullptr);
  undo = new TZavGridUndoRedo(nullptr);
  grid->SetUndoRedo(undo);
  delete grid;
  EXPECT_EQ(undo->Grid(), nullptr);
  delete undo;
}

}  // namespace
