#include "tests/grid/view/input_fixture.h"

#include <Qt>

namespace {

class THoverGrid : public TZavStringGrid {
public:
  using TZavStringGrid::TZavStringGrid;
  int HoverRowIndex() const { return FHoverRowIdx; }
};

struct Hover : InputGrids {
  QString HintAt(TZavStringGrid *g, int c, int r, TPoint *pos = nullptr)
  {
    THintInfo info;
    info.HintControl = g;
    info.CursorPos = Mid(g, c, r);
    QString s = g->Hint();
    g->GetCellHint(s, &info);
    if (pos)
      *pos = g->ScreenToClient(info.HintPos);
    return s;
  }
};

TEST_F(Hover, CellHintsShowPlainTextAndBaseCellsButNeverPasswords)
{
  sg->SetHint("grid hint");
  sg->SetCells(2, 3, "<b>abc</b>");
  EXPECT_EQ(HintAt(sg, 2, 3), "grid hint");
  sg->SetHintShowCells(true);
  TPoint pos;
  EXPECT_EQ(HintAt(sg, 2, 3, &pos), "abc");
  EXPECT_EQ(pos.Y, sg->CellRect(2, 3).Top);
  sg->SetHTMLHint(true);
  EXPECT_EQ(HintAt(sg, 2, 3), "<b>abc</b>");

  QStringList events;
  sg->OnGridHint = [&](TObject *, int r, int c, QString &h) { events << QStringLiteral("%1,%2:%3").arg(r).arg(c).arg(h); };
  sg->MergeCells(1, 5, 2, 2);
  sg->SetCells(1, 5, "merged");
  HintAt(sg, 2, 6);
  EXPECT_EQ(events, QStringList({"5,1:merged"}));

  sg->OnIsPasswordCell = [](TObject *, int r, int c, bool &p) { p = r == 3 && c == 2; };
  EXPECT_EQ(HintAt(sg, 2, 3), "grid hint");
  sg->SetHintShowLargeText(true);
  sg->SetCells(2, 3, QString(60, 'x'));
  EXPECT_EQ(HintAt(sg, 2, 3), "grid hint");
}

TEST_F(Hover, HoverRowIsTrackedAndClearedOnLeave)
{
  auto *g = new THoverGrid(&form);
  g->SetParent(&form);
  g->SetBounds(450, 0, 300, 200);
  g->SetHoverRow(true);
  SimProcess();
  const TPoint p = Mid(g, 2, 3);
  SimMouseMove(g, p.X, p.Y);
  EXPECT_EQ(g->HoverRowIndex(), 3);
  g->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(g->HoverRowIndex(), -1);
}

TEST_F(Hover, FixedBorderShowsTheSizingZoneOnlyWhenAllowed)
{
  const int border = sg->ColWidths(0) + 1;
  const int y = Mid(sg, 0, 3).Y;
  SimMouseMove(sg, border, y);
  EXPECT_NE(CursorShapeOf(sg), int(Qt::SplitHCursor));
  sg->MouseActions()->SetSizeFixedCol(true);
  SimMouseMove(sg, border + 1, y);
  EXPECT_EQ(CursorShapeOf(sg), int(Qt::SplitHCursor));
  SimMouseMove(sg, border + 20, y);
  EXPECT_NE(CursorShapeOf(sg), int(Qt::SplitHCursor));
}

} // namespace
