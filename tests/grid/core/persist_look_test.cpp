// The visual-properties file and the print-settings section.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "framework/classes/inifiles.h"
#include "grid/core/control_look.h"
#include "grid/core/feature_settings.h"
#include "grid/core/grid_error.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/grid_settings.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"
#include "tests/support/test_support.h"

namespace {

// Every kind of entry away from its default.
void ChangeLook(TZavStringGrid &g)
{
  g.SetColor(0x123456);
  g.SetHintColor(clNone);
  g.SetSelectionTextColor(clBtnFace);
  g.SetURLShow(true);
  g.SetActiveRowShow(true);
  g.Font()->SetColor(clRed);
  g.Font()->SetStyle({fsBold, fsUnderline});
  g.Font()->SetSize(13);
  g.Font()->SetName("Courier New");
  g.FixedFont()->SetStyle({fsItalic, fsStrikeOut});
  g.Balloon()->SetBackgroundColor(0x00ABCDEF);
  g.Balloon()->SetTransparency(70);
  g.Bands()->SetActive(true);
  g.ControlLook()->SetCheckSize(19);
  g.ControlLook()->SetControlStyle(csFlat);
  g.ControlLook()->SetProgressXP(true);
  g.SetLook(glVista);
  g.Grouping()->SetSummaryLineWidth(5);
  g.SetGridLineColor(clGreen);
  g.BackGround()->SetLeft(-4);
  g.BackGround()->SetDisplay(bdGradientVert);
  g.BackGround()->SetCells(bcAll);
}

TEST(PersistVisualProps, SavedFileLoadsBackIntoTheSameLook)
{
  QTemporaryDir dir;
  const QString first = dir.filePath("a.txt"), second = dir.filePath("b.txt");
  TZavStringGrid g(nullptr), h(nullptr);
  ChangeLook(g);
  g.SaveVisualProps(first);
  h.LoadVisualProps(first);
  h.SaveVisualProps(second);
  const QByteArray text = testsupport::ReadBytes(first);
  EXPECT_EQ(testsupport::ReadBytes(second), text);
  EXPECT_TRUE(text.startsWith("Color=$00123456\r\nHintColor=clNone\r\n")) << text.left(60).constData();
  for (const char *line : {"\r\nSelectionTextColor=clBtnFace\r\n", "\r\nURLShow=true\r\nURLShowInText=false\r\n",
                           "\r\nFont.Color=clRed\r\nFont.Style=fsBold,fsUnderline\r\nFont.Size=13\r\nFont.Name=Courier New\r\n",
                           "\r\nFixedFont.Style=fsItalic,fsStrikeOut\r\n", "\r\nBalloon.Transparency=70\r\n",
                           "\r\nControlLook.ControlStyle=csFlat\r\n", "\r\nLook=glVista\r\n",
                           "\r\nBackGround.Left=-4\r\nBackGround.Display=bdGradientVert\r\nBackGround.Cells=bcAll\r\n"})
    EXPECT_TRUE(text.contains(line)) << line;
  EXPECT_TRUE(text.endsWith("BackGround.ColorTo=clBtnFace\r\n"));
  EXPECT_EQ(h.Font()->Style(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(h.ControlLook()->ControlStyle(), csFlat);
  EXPECT_EQ(h.Look(), glVista);
  EXPECT_EQ(h.BackGround()->Display(), bdGradientVert);
  EXPECT_EQ(h.Balloon()->BackgroundColor(), 0x00ABCDEFu);
  EXPECT_EQ(h.Grouping()->SummaryLineWidth(), 5);
}

// Names ignore case; an empty or unknown look keeps the look; a colour left empty is clNone.
TEST(PersistVisualProps, LoadingReadsNamesWithoutCase)
{
  QTemporaryDir dir;
  const QString file = dir.filePath("v.txt");
  TZavStringGrid g(nullptr);
  g.SetLook(glSoft);
  g.Balloon()->SetBackgroundColor(clLime);
  g.SaveVisualProps(file);
  QByteArray text = testsupport::ReadBytes(file);
  text.replace("Look=glSoft", "Look=");
  text.replace("Balloon.BackgroundColor=", "BALLOON.BACKGROUNDCOLOR=");
  text.replace("GridLineColor=clSilver", "GridLineColor=");
  testsupport::WriteBytes(file, text);
  TZavStringGrid h(nullptr);
  h.SetLook(glWin7);
  h.LoadVisualProps(file);
  EXPECT_EQ(h.Look(), glWin7);
  EXPECT_EQ(h.Balloon()->BackgroundColor(), clLime);
  EXPECT_EQ(h.GridLineColor(), clNone);
  g.SetLook(glCustom);
  g.SaveVisualProps(file);
  EXPECT_TRUE(testsupport::ReadBytes(file).contains("\r\nLook=\r\n"));
}

TEST(PersistVisualProps, BrokenNumberStopsTheLoadAfterTheEntriesBeforeIt)
{
  QTemporaryDir dir;
  const QString file = dir.filePath("v.txt");
  TZavStringGrid g(nullptr);
  g.Font()->SetColor(clRed);
  g.Font()->SetStyle({fsItalic});
  g.Font()->SetName("Courier New");
  g.SaveVisualProps(file);
  QByteArray text = testsupport::ReadBytes(file);
  text.replace("Font.Size=", "Font.Siz=");
  testsupport::WriteBytes(file, text);
  TZavStringGrid h(nullptr);
  const QString name = h.Font()->Name();
  EXPECT_THROW(h.LoadVisualProps(file), EConvertError);
  EXPECT_EQ(h.Font()->Color(), clRed);
  EXPECT_EQ(h.Font()->Style(), TFontStyles{fsItalic});
  EXPECT_EQ(h.Font()->Name(), name);
}

TEST(PersistVisualProps, FilesThatCannotBeMadeOrReadRaise)
{
  QTemporaryDir dir;
  const QString missing = dir.filePath("none/v.txt");
  TZavStringGrid g(nullptr);
  try {
    g.SaveVisualProps(missing);
    ADD_FAILURE();
  } catch (const EZavGridError &e) {
    EXPECT_EQ(e.Message(), "Cannot Create " + missing);
  }
  try {
    g.LoadVisualProps(missing);
    ADD_FAILURE();
  } catch (const EZavGridError &e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + missing);
  }
}

TEST(PersistPrintSettings, EmptySectionGivesTheDefaults)
{
  QTemporaryDir dir;
  TZavStringGrid g(nullptr);
  TPrintSettings *p = g.PrintSettings();
  p->SetColumnSpacing(3);
  p->SetUseDisplayFont(true);
  p->SetDate(ppTopLeft);
  p->Font()->SetName("Courier New");
  p->Font()->SetStyle({fsBold});
  g.LoadPrintSettings(dir.filePath("p.ini"), "Print");
  EXPECT_EQ(p->ColumnSpacing(), 20);
  EXPECT_EQ(p->TitleSpacing(), 20);
  EXPECT_EQ(p->LeftSize(), 100);
  EXPECT_EQ(p->Borders(), pbNoborder);
  EXPECT_EQ(p->Date(), ppNone);
  EXPECT_TRUE(p->Centered());
  EXPECT_FALSE(p->UseDisplayFont());
  EXPECT_EQ(p->Font()->Name(), "Arial");
  EXPECT_EQ(p->Font()->Size(), 10);
  EXPECT_TRUE(p->Font()->Style().Empty());
  EXPECT_TRUE(QFile::exists(dir.filePath("p.ini"))) << "the file is written back";
}

TEST(PersistPrintSettings, SectionTextAndRoundTrip)
{
  QTemporaryDir dir;
  const QString file = dir.filePath("p.ini");
  TZavStringGrid g(nullptr);
  TPrintSettings *p = g.PrintSettings();
  p->SetBorders(pbAround);
  p->SetBorderColor(clBtnFace);
  p->SetBorderStyle(psDot);
  p->SetTitle(ppBottomCenter);
  p->SetFitToPage(fpShrink);
  p->SetOrientation(poLandscape);
  p->SetRepeatFixedRows(true);
  p->HeaderFont()->SetStyle({fsItalic, fsStrikeOut});
  p->HeaderFont()->SetColor(0x0000FF);
  p->TitleLines()->Add("A");
  p->TitleLines()->Add("B");
  g.SavePrintSettings(file, "Print");
  const QByteArray text = testsupport::ReadBytes(file);
  for (const char *line : {"[Print]\r\nColumnSpacing=0\r\nRowSpacing=0\r\nTitleSpacing=0\r\nFixedHeight=0\r\n",
                           "\r\nRepeatFixedRows=Y\r\nRepeatFixedCols=N\r\n", "\r\nBorders=5\r\nBorderColor=-16777201\r\nBorderStyle=2\r\n",
                           "\r\nHeaderFontName=", "\r\nHeaderFontStyle=10\r\nHeaderFontColor=255\r\n",
                           "\r\nOrientation=1\r\nTitleLines=A\\nB\r\nPrintGraphics=N\r\n"})
    EXPECT_TRUE(text.contains(line)) << line;
  TZavStringGrid h(nullptr);
  h.LoadPrintSettings(file, "Print");
  h.SavePrintSettings(dir.filePath("q.ini"), "Print");
  EXPECT_EQ(testsupport::ReadBytes(dir.filePath("q.ini")), text);
  EXPECT_EQ(h.PrintSettings()->TitleLines()->Count(), 2);
  EXPECT_EQ(h.PrintSettings()->TitleLines()->Get(1), "B");
  EXPECT_EQ(h.PrintSettings()->HeaderFont()->Style(), (TFontStyles{fsItalic, fsStrikeOut}));
}

// Ordinals outside their enumerations leave the properties; print positions become ppNone.
TEST(PersistPrintSettings, OutOfRangeOrdinals)
{
  QTemporaryDir dir;
  const QString file = dir.filePath("p.ini");
  testsupport::WriteBytes(file, "[Print]\r\nBorders=9\r\nBorderStyle=-1\r\nFitToPage=5\r\nOrientation=2\r\n"
                                "Date=7\r\nTime=3\r\n");
  TZavStringGrid g(nullptr);
  TPrintSettings *p = g.PrintSettings();
  p->SetBorders(pbDouble);
  p->SetBorderStyle(psDash);
  p->SetFitToPage(fpGrow);
  p->SetOrientation(poLandscape);
  p->SetDate(ppTopLeft);
  g.LoadPrintSettings(file, "Print");
  EXPECT_EQ(p->Borders(), pbDouble);
  EXPECT_EQ(p->BorderStyle(), psDash);
  EXPECT_EQ(p->FitToPage(), fpGrow);
  EXPECT_EQ(p->Orientation(), poLandscape);
  EXPECT_EQ(p->Date(), ppNone);
  EXPECT_EQ(p->Time(), ppTopCenter);
}

}  // namespace
