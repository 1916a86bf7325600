#include "grid/core/feature_settings.h"

#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "grid/core/zav_string_grid.h"

TEST(FeaturesTest, Defaults)
{
  TGrouping g;
  EXPECT_EQ(g.HeaderColor(), clNone);
  EXPECT_EQ(g.HeaderLineColor(), TColor(0xFF0000));
  EXPECT_EQ(g.SummaryLineWidth(), 2);
  TDragDropSettings d(nullptr);
  EXPECT_TRUE(d.ShowCells() && d.OleAcceptFiles() && d.OleAcceptText() && d.OleAcceptURLs());
  EXPECT_FALSE(d.OleDropTarget() || d.OleDropSource() || d.OleDropRTF());
  TBalloonSettings b;
  EXPECT_EQ(b.AutoHideDelay(), -1);
  EXPECT_EQ(b.InitialDelay(), -1);
  EXPECT_EQ(b.ReshowDelay(), -1);
  EXPECT_FALSE(b.Enable());
  TShowModified m;
  EXPECT_EQ(m.Color(), TColor(0x00FFFF));
  TDragScrollOptions s;
  EXPECT_EQ(s.Delays()->InitialDelay(), 1000);
  EXPECT_EQ(s.Delays()->RepeatDelay(), 250);
  EXPECT_EQ(s.Margins()->LeftMargin(), 50);
  TGridProgressAppearance p;
  EXPECT_EQ(p.CompleteColor(), TColor(0x0000FF));
  EXPECT_EQ(p.UnCompleteFontColor(), clWindowText);
  EXPECT_EQ(p.Level2Color(), TColor(0x53A9FF));
  EXPECT_EQ(p.Level1Perc(), 70);
  EXPECT_EQ(p.Steps(), 11);
  EXPECT_EQ(p.Style(), psXP);
  TFilterDropDown f;
  EXPECT_EQ(f.Color(), clWindow);
  EXPECT_EQ(f.Width(), 150);
  EXPECT_EQ(f.Height(), 150);
}

TEST(FeaturesTest, AssignLeavesOutWhatEachClassKeeps)
{
  TGrouping g1, g2;
  g1.SetSummary(true);
  g1.SetHeaderLineWidth(5);
  g1.SetMergeHeader(true);
  g1.SetSummaryColor(clRed);
  g2.Assign(&g1);
  EXPECT_TRUE(g2.MergeHeader());
  EXPECT_EQ(g2.SummaryColor(), clRed);
  EXPECT_FALSE(g2.Summary());
  EXPECT_EQ(g2.HeaderLineWidth(), 2);

  TBalloonSettings b1, b2;
  int fired = 0;
  b2.OnEnableChange = [&](TObject *) { ++fired; };
  b1.SetEnable(true);
  b1.SetTransparency(100);
  b1.SetReshowDelay(7);
  b2.Assign(&b1);
  EXPECT_TRUE(b2.Enable());
  EXPECT_EQ(b2.ReshowDelay(), 7);
  EXPECT_EQ(b2.Transparency(), 0);
  EXPECT_EQ(fired, 0);
  b2.SetEnable(false);
  EXPECT_EQ(fired, 1);

  TFilterDropDown f1, f2;
  f1.SetAutoSize(true);
  f1.SetWidth(200);
  f1.Font()->SetName("Tahoma");
  f2.Assign(&f1);
  EXPECT_EQ(f2.Width(), 200);
  EXPECT_EQ(f2.Font()->Name(), f1.Font()->Name());
  EXPECT_FALSE(f2.AutoSize());

  TDragScrollOptions s1, s2;
  s1.SetActive(true);
  s1.Margins()->SetTopMargin(9);
  s1.Delays()->SetRepeatDelay(40);
  s2.Assign(&s1);
  EXPECT_TRUE(s2.Active());
  EXPECT_EQ(s2.Margins()->TopMargin(), 9);
  EXPECT_EQ(s2.Delays()->RepeatDelay(), 40);

  // Another class is ignored.
  g2.Assign(&b1);
  EXPECT_TRUE(g2.MergeHeader());
}

TEST(FeaturesTest, ProgressAppearanceFiresOnlyOnChange)
{
  TGridProgressAppearance p;
  int fired = 0;
  p.OnChange = [&](TObject *) { ++fired; };
  p.SetCompleteColor(0x0000FF);
  p.SetSteps(11);
  EXPECT_EQ(fired, 0);
  p.SetSteps(12);
  EXPECT_EQ(fired, 1);

  TGridProgressAppearance q;
  q.SetLevel3Color(clGreen);
  q.SetStyle(psClassic);
  p.Assign(&q);
  EXPECT_EQ(fired, 2);  // once for the whole copy
  EXPECT_EQ(p.Level3Color(), clGreen);
  EXPECT_EQ(p.Steps(), 11);
  EXPECT_EQ(p.Style(), psClassic);
}

TEST(FeaturesTest, ChangeNotifications)
{
  TFilterDropDown f;
  int fired = 0;
  f.OnChange = [&](TObject *) { ++fired; };
  TBitmap bmp(4, 4);
  f.SetGlyph(&bmp);
  EXPECT_GE(fired, 1);
  const int afterGlyph = fired;
  f.SetGlyphActive(&bmp);
  EXPECT_GT(fired, afterGlyph);
  EXPECT_EQ(f.GlyphActive()->Width(), 4);

  TShowModified m;
  int changed = 0;
  m.OnChange = [&](TObject *) { ++changed; };
  m.SetEnabled(true);
  EXPECT_EQ(changed, 0);
  m.SetColor(clRed);
  EXPECT_EQ(changed, 1);
}

TEST(FeaturesTest, DropTargetAtDesignTimeOnlyStores)
{
  TForm form(nullptr);
  TZavStringGrid grid(nullptr);
  grid.SetParent(&form);
  grid.HandleNeeded();
  TDragDropSettings d(&grid);
  d.SetOleDropTarget(true);
  EXPECT_TRUE(d.DropTargetRegistered());
  d.SetOleDropTarget(false);
  EXPECT_FALSE(d.DropTargetRegistered());

  grid.SetDesigning(true);
  d.SetOleDropTarget(true);
  EXPECT_TRUE(d.OleDropTarget());
  EXPECT_FALSE(d.DropTargetRegistered());
}
