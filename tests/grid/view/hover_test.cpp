#include "tests/grid/view/input_fixture.h"

#include <Qt>

#include "grid/core/grid_helper_classes.h"

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

namespace {

TEST_F(Hover, SizingHintShowsTheProspectiveWidthThatOnColumnSizingReports)
{
  sg->SetOptions(sg->Options() + goColSizing);
  sg->SetHintShowSizing(true);
  int reported = -1;
  sg->OnColumnSizing = [&](TObject *, int c, int w) { reported = c == 2 ? w : -2; };
  const TRect h = sg->CellRect(2, 0);
  const int y = (h.Top + h.Bottom) / 2;
  SimMouseMove(sg, h.Right, y);
  SimMouseDown(sg, h.Right, y);
  SimMouseMove(sg, h.Right + 25, y);
  ASSERT_NE(sg->ScrollHintWindow(), nullptr);
  EXPECT_EQ(reported, sg->ColWidths(2) + 25);
  EXPECT_EQ(sg->ScrollHintWindow()->Caption(), QStringLiteral("cw=<b>%1</b>").arg(reported));
  EXPECT_EQ(sg->ScrollHintWindow()->Left(), sg->ClientToScreen(TPoint(h.Left, h.Top)).X);
  SimMouseUp(sg, h.Right + 25, y);
  EXPECT_FALSE(sg->ScrollHintWindow()->HandleAllocated());
}

} // namespace
