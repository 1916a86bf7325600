#include "grid/core/grid_helper_classes.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>

#include "framework/controls/forms.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/testing/input.h"
#include "grid/foundation/grid_utils.h"
#include "tests/grid/core/helpers_wiring.h"
#include "tests/support/test_support.h"

namespace {

QRgb Rgb(TColor c)
{
  c = ColorToRGB(c);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// A custom editor made of a plain edit.
class TTestLink : public TEditLink {
public:
  using TEditLink::TEditLink;
  TEdit *Edit = nullptr;
  TWinControl *GetEditControl() override { return Edit; }
  void CreateEditor(TWinControl *AParent) override
  {
    if (!Edit)
      Edit = new TEdit(this);
    Edit->SetParent(AParent);
  }
  void DestroyEditor() override { Edit->SetParent(nullptr); }
  QString GetEditorValue() override { return Edit ? Edit->Text() : QString(); }
  void SetEditorValue(const QString &s) override { Edit->SetText(s); }
};

struct TEditForm {
  std::unique_ptr<TForm> Form;
  TZavStringGrid *Grid = nullptr;
  TTestLink *Link = nullptr;
  TEditForm()
  {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetClientSize(400, 300);
    Grid = new TZavStringGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, 400, 300);
    Grid->SetCells(1, 1, "old");
    Link = new TTestLink(Grid);
    Grid->SetEditLink(Link);
    Form->Show();
    Grid->FocusCell(1, 1, true);
  }
};

}  // namespace

TEST(HelpersTest, ColumnFilterCreatesAConditionJoinedByAndAfterTheFirst)
{
  TFilter f(nullptr);
  TFilterData *d = f.ColumnFilter(3);
  EXPECT_EQ(f.Count(), 1);
  EXPECT_EQ(d->Column(), 3);
  EXPECT_EQ(d->Operation(), foNONE);
  EXPECT_EQ(f.ColumnFilter(3), d);  // found, not added again
  EXPECT_EQ(f.Add()->Operation(), foAND);
  EXPECT_TRUE(f.HasFilter(3));
  EXPECT_FALSE(f.HasFilter(4));
}

TEST(HelpersTest, RemoveColumnFilterRemovesEveryConditionOfTheColumn)
{
  TZavStringGrid grid(nullptr);
  TFilter f(&grid);
  for (int col : {2, 1, 2, 2})
    f.Add()->SetColumn(int16_t(col));
  f.RemoveColumnFilter(2);
  ASSERT_EQ(f.Count(), 1);
  EXPECT_EQ(f.Items(0)->Column(), 1);
}

TEST(HelpersTest, FilterDataAssignKeepsItsMethod)
{
  TFilter f(nullptr);
  TFilterData *a = f.Add(), *b = f.Add();
  a->SetColumn(5);
  a->SetCondition(">3");
  a->SetCaseSensitive(false);
  a->SetData(fcStripHTML);
  a->SetPrefix("p");
  a->SetSuffix("s");
  a->SetOperation(foXOR);
  a->SetMethod(fmLiteral);
  b->Assign(a);
  EXPECT_EQ(b->Column(), 5);
  EXPECT_EQ(b->Condition(), ">3");
  EXPECT_FALSE(b->CaseSensitive());
  EXPECT_EQ(b->Data(), fcStripHTML);
  EXPECT_EQ(b->Prefix(), "p");
  EXPECT_EQ(b->Suffix(), "s");
  EXPECT_EQ(b->Operation(), foXOR);
  EXPECT_EQ(b->Method(), fmExpression);
}

TEST(HelpersTest, GridItemKeepsItsOwnList)
{
  TCollection rows(TCollection::ItemClass<TGridItem>());
  auto *item = static_cast<TGridItem *>(rows.Add());
  TStrings *own = item->Items();
  TStringList given;
  given.Add("a");
  given.Add("b");
  item->SetItems(&given);
  EXPECT_EQ(item->Items(), own);
  EXPECT_EQ(own->Count(), 2);
  given.Clear();
  EXPECT_EQ(own->Count(), 2);
  item->SetItems(own);  // its own list: nothing changes
  EXPECT_EQ(own->Count(), 2);
}

TEST(HelpersTest, RichEditSelectionOffset)
{
  TForm form(nullptr);
  TZavStringGrid *grid = new TZavStringGrid(&form);
  grid->SetParent(&form);
  TZavRichEdit *r = grid->GetRichEdit();
  r->SetText("abcdef");
  r->SetSelStart(1);
  r->SetSelLength(2);
  EXPECT_TRUE(r->IsSelNormal());
  r->SelSuperscript();
  EXPECT_TRUE(r->IsSelSuperscript());
  EXPECT_FALSE(r->IsSelSubscript());
  EXPECT_FALSE(r->IsSelNormal());
  r->SetSelStart(4);
  r->SetSelLength(1);
  EXPECT_TRUE(r->IsSelNormal());
  r->SelSubscript();
  EXPECT_TRUE(r->IsSelSubscript());
  r->SetSelStart(1);
  r->SetSelLength(1);
  EXPECT_TRUE(r->IsSelSuperscript());
  r->SelNormal();
  EXPECT_TRUE(r->IsSelNormal());
}

TEST(HelpersTest, RichEditTakesTheRequestedSizeOnlyAsTheMeasuringControl)
{
  TForm form(nullptr);
  TZavStringGrid *grid = new TZavStringGrid(&form);
  grid->GetRichEdit()->RequestSize(120, 40);
  EXPECT_EQ(grid->GetRichEdit()->ReqWidth(), 120);
  EXPECT_EQ(grid->GetRichEdit()->ReqHeight(), 40);
  grid->GetInplaceRichEdit()->RequestSize(120, 40);
  EXPECT_EQ(grid->GetInplaceRichEdit()->ReqWidth(), 0);
}

TEST(HelpersTest, EditKeyDownEndsEditingUnlessTheEditorWantsTheKey)
{
  const struct {
    uint16_t Key;
    bool Wanted;
    bool Ends;
  } cases[] = {
      {VK_HOME, false, true}, {VK_HOME, true, false}, {VK_END, false, true},
      {VK_UP, false, true},   {VK_UP, true, false},   {uint16_t('A'), false, false},
  };
  for (const auto &c : cases) {
    TEditForm f;
    f.Link->SetWantKeyHomeEnd(c.Wanted);
    f.Link->SetWantKeyUpDown(c.Wanted);
    f.Grid->ShowSpecialEditor(1, 1);
    ASSERT_TRUE(f.Link->Edit->Visible());
    f.Link->Edit->SetText("typed");
    uint16_t key = c.Key;
    f.Link->EditKeyDown(f.Link->Edit, key, {});
    EXPECT_EQ(!f.Link->Edit->Visible(), c.Ends) << c.Key << " " << c.Wanted;
    EXPECT_EQ(f.Grid->Cells(1, 1), c.Ends ? "typed" : "old") << c.Key;
  }
}

TEST(HelpersTest, EscapePutsBackTheTextTheCellHad)
{
  TEditForm f;
  f.Grid->ShowSpecialEditor(1, 1);
  f.Link->Edit->SetText("typed");
  uint16_t key = VK_ESCAPE;
  f.Link->EditKeyDown(f.Link->Edit, key, {});
  EXPECT_EQ(key, 0);
  EXPECT_EQ(f.Grid->Cells(1, 1), "old");
}

TEST(HelpersTest, PopupEditorEndedWithEnterLeavesItsValueInTheCell)
{
  TEditForm f;
  TForm popup(nullptr);
  f.Link->SetEditStyle(esPopup);
  f.Link->SetPopupForm(&popup);
  f.Grid->ShowSpecialEditor(1, 1);
  EXPECT_EQ(f.Link->Edit->Parent(), &popup);
  EXPECT_EQ(f.Link->Edit->Text(), "old");
  f.Link->Edit->SetText("picked");
  uint16_t key = VK_RETURN;
  f.Link->EditKeyDown(f.Link->Edit, key, {});
  EXPECT_EQ(key, 0);
  EXPECT_EQ(f.Grid->Cells(1, 1), "picked");
  EXPECT_FALSE(popup.Visible());
}

TEST(HelpersTest, FailedValidationReopensTheEditor)
{
  TEditForm f;
  f.Grid->ShowSpecialEditor(1, 1);
  THelpersWiring::SetLastValidation(f.Grid, -1);
  uint16_t key = VK_RETURN;
  f.Link->EditKeyDown(f.Link->Edit, key, {});
  EXPECT_TRUE(f.Link->Edit->Visible());
}

TEST(HelpersTest, EditorControlWantsTabsCharsAndArrowsWithTabOption)
{
  TZavStringGrid grid(nullptr);
  grid.SetOptions(grid.Options() + goTabs);
  TMessage m{};
  m.Msg = WM_GETDLGCODE;
  grid.EditControlWndProc(m);
  EXPECT_EQ(m.Result, LRESULT(0x83));

  grid.SetOptions(grid.Options() - goTabs);
  m.Result = 0;
  grid.EditControlWndProc(m);
  EXPECT_EQ(m.Result, LRESULT(0));
}

TEST(HelpersTest, SetFocusHooksAndRestoreHandsBack)
{
  TEditForm f;
  f.Link->CreateEditor(f.Grid);
  f.Link->SetFocus(true);
  EXPECT_TRUE(f.Link->SubClassed());
  EXPECT_TRUE(THelpersWiring::HasGridControlWndProc(f.Grid));
  f.Link->RestoreWinProc();
  EXPECT_FALSE(f.Link->SubClassed());
  EXPECT_FALSE(THelpersWiring::HasGridControlWndProc(f.Grid));
  EXPECT_FALSE(f.Link->Edit->Visible());
}

// While its editor is open the control's messages pass the grid: with goTabs it asks for Tab,
// so Tab reaches the editor's key handling and moves the grid on instead of leaving the form's
// control; everything else, and every message after the restore, is the control's own.
TEST(HelpersTest, OpenCustomEditorGetsTabThroughTheGrid)
{
  TEditForm f;
  f.Grid->SetOptions(f.Grid->Options() + goEditing + goTabs);
  f.Link->CreateEditor(f.Grid);
  TEdit *edit = f.Link->Edit;
  edit->OnKeyDown = [&](TObject *s, uint16_t &k, TShiftState sh) { f.Link->EditKeyDown(s, k, sh); };
  const LRESULT own = edit->Perform(WM_GETDLGCODE);
  EXPECT_NE(own & DLGC_WANTTAB, LRESULT(DLGC_WANTTAB));

  f.Grid->ShowSpecialEditor(1, 1);
  ASSERT_TRUE(f.Link->SubClassed());
  EXPECT_EQ(edit->Perform(WM_GETDLGCODE), LRESULT(0x83));
  f.Grid->SetOptions(f.Grid->Options() - goTabs);
  EXPECT_EQ(edit->Perform(WM_GETDLGCODE), own);
  f.Grid->SetOptions(f.Grid->Options() + goTabs);

  edit->SetText("typed");
  SimKey(edit, VK_TAB);
  SimProcess();
  EXPECT_EQ(f.Grid->Cells(1, 1), "typed");
  EXPECT_EQ(f.Grid->Col(), 2);

  f.Link->RestoreWinProc();
  EXPECT_EQ(edit->Perform(WM_GETDLGCODE), own);
}

// Whichever of the grid and the editor's control goes first, nothing calls into the one gone.
TEST(HelpersTest, TakeOverEndsWithTheGridOrTheControl)
{
  for (const bool gridFirst : {true, false}) {
    TForm form(nullptr);
    form.SetClientSize(300, 200);
    auto *grid = new TZavStringGrid(&form);
    grid->SetParent(&form);
    grid->SetOptions(grid->Options() + goTabs);
    auto *link = new TTestLink(grid);
    link->Edit = new TEdit(&form);  // the control belongs to the form, not to the link
    link->Edit->SetParent(&form);
    grid->SetEditLink(link);
    link->SetFocus(true);
    ASSERT_TRUE(link->SubClassed());
    TEdit *edit = link->Edit;
    if (gridFirst) {
      delete grid;  // and the link it owns
      EXPECT_NE(edit->Perform(WM_GETDLGCODE), LRESULT(0x83));
    } else {
      delete edit;
      EXPECT_FALSE(link->SubClassed());
      EXPECT_FALSE(THelpersWiring::HasGridControlWndProc(grid));
      link->Edit = nullptr;
    }
  }
}

TEST(HelpersTest, HintBeyondTheMonitorEndsTwoPixelsInside)
{
  THTMLHintWindow h(nullptr);
  TMonitor *m = Screen->MonitorFromPoint(TPoint(0, 0));
  ASSERT_NE(m, nullptr);
  const TRect b = m->BoundsRect();
  h.ActivateHint(TRect(b.Right - 10, b.Bottom - 5, b.Right, b.Bottom), "A rather long hint text");
  const TRect r = h.BoundsRect();
  EXPECT_EQ(r.Right, b.Right - 2);
  EXPECT_EQ(r.Bottom, b.Bottom - 2);
  EXPECT_EQ(r.Width(), h.TextWidth() + 16);
  EXPECT_EQ(r.Height(), h.TextHeight() + 4);
  EXPECT_GT(h.TextWidth(), 50);

  const TRect calc = h.CalcHintRect(1000, "A rather long hint text", nullptr);
  EXPECT_EQ(calc, TRect(0, 0, h.TextWidth(), h.TextHeight()));
}

TEST(HelpersTest, PackedWideHintIsMeasuredUnpackedWithLessPadding)
{
  HintFontName() = "Tahoma";
  THTMLHintWindow h(nullptr);
  h.ActivateHint(TRect(10, 10, 20, 20), PackWideText("Wide text"));
  EXPECT_EQ(h.BoundsRect().Width(), h.TextWidth() + 8);
  HintFontName().clear();
}

TEST(HelpersTest, HintWindowPaintsItsFrameAndText)
{
  THTMLHintWindow h(nullptr);
  h.ActivateHint(TRect(10, 10, 20, 20), "<b>Bold</b> hint");
  SimProcess();
  EXPECT_TRUE(GrabToPng(&h, testsupport::OutputDir() + "/html_hint.png"));
  QImage img = GrabControl(&h);
  ASSERT_GT(img.width(), 20);
  const int w = img.width(), ht = img.height();
  EXPECT_EQ(img.pixel(5, 0) & 0xFFFFFF, Rgb(cl3DLight));
  EXPECT_EQ(img.pixel(0, ht / 2) & 0xFFFFFF, Rgb(cl3DLight));
  EXPECT_EQ(img.pixel(w - 1, ht / 2) & 0xFFFFFF, Rgb(cl3DDkShadow));
  EXPECT_EQ(img.pixel(5, ht - 1) & 0xFFFFFF, Rgb(cl3DDkShadow));
  EXPECT_EQ(img.pixel(2, 2) & 0xFFFFFF, Rgb(clInfoBk));
  // Some text ink inside the padding.
  int ink = 0;
  for (int y = 1; y < ht - 1; ++y)
    for (int x = 4; x < w - 4; ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) != Rgb(clInfoBk))
        ++ink;
  EXPECT_GT(ink, 20);
}
