// The topic-template editor on its own: title by kind, the legend row, and the text that OK
// and Cancel hand back.
#include "tables/ftopic_template.h"

#include "framework/controls/messages.h"
#include "framework/stdctrls/comctrls.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/testing/input.h"
#include "framework/testing/ui_script.h"
#include "grid/core/zav_string_grid.h"
#include "project/app_state.h"
#include "project/lang_texts.h"
#include "ui/lbbutton.h"

#include <gtest/gtest.h>

namespace {

class TopicTemplate : public ::testing::Test {
protected:
  void SetUp() override
  {
    Load_Default_Texts();
    AppState().Software_Code = QStringLiteral("QC40328");
    Form = new TFTopicTemplate(nullptr);
    Form->AfterConstruction();
  }
  void TearDown() override
  {
    Form->BeforeDestruction();
    delete Form;
  }
  // Shows the editor modally with Text in it; Action runs while it is shown.
  int Show(int Kind, const QString &Text, std::function<void(TFTopicTemplate *)> Action)
  {
    Form->TopicTemplate = Kind;
    Form->RE_TopicTemplate->Clear();
    Form->RE_TopicTemplate->SetText(Text);
    TUIScript ui;
    ui.OnForm([&](TCustomForm *) { Action(Form); });
    return Form->ShowModal();
  }
  TFTopicTemplate *Form = nullptr;
};

TEST_F(TopicTemplate, TitleFollowsTheKindOfCell)
{
  const struct {
    int Kind;
    const char *Title;
  } Cases[] = {{1, "Set Template"}, {0, "Set Topic"}, {2, "Set Template"}, {0, "Set Topic"}};
  for (const auto &C : Cases) {
    QString Caption, Desc;
    Show(C.Kind, QString(), [&](TFTopicTemplate *F) {
      Caption = F->Caption();
      Desc = F->L_SW_Desc->Caption();
    });
    EXPECT_EQ(Caption, C.Title) << C.Kind;
    EXPECT_EQ(Desc, C.Title) << C.Kind;
  }
  EXPECT_EQ(Form->L_SW_Code->Caption(), "QC40328");
}

TEST_F(TopicTemplate, OkHandsBackTheTypedLinesWithCrLfAndCancelReportsCancel)
{
  QString Seen;
  const int Result = Show(1, QStringLiteral("{\"v\":"), [&](TFTopicTemplate *F) {
    EXPECT_TRUE(F->RE_TopicTemplate->Focused());  // the user types at once
    SimKeyDown(F->RE_TopicTemplate, VK_END, TShiftState{ssCtrl});
    SimType(F->RE_TopicTemplate, QStringLiteral("$VALUE$"));
    SimKey(F->RE_TopicTemplate, VK_RETURN);
    SimType(F->RE_TopicTemplate, QStringLiteral("}"));
    Seen = F->RE_TopicTemplate->Text();
    SimClick(F->Btn_OK, 5, 5);
  });
  EXPECT_EQ(Result, mrOk);
  EXPECT_EQ(Seen, QStringLiteral("{\"v\":$VALUE$\r\n}"));
  EXPECT_EQ(Form->RE_TopicTemplate->Text(), Seen);

  EXPECT_EQ(Show(1, QStringLiteral("kept"), [](TFTopicTemplate *F) { SimClick(F->Btn_Cancel, 5, 5); }), mrCancel);
  // The close box (and an unscripted end) cancels too.
  EXPECT_EQ(Show(1, QStringLiteral("kept"), [](TFTopicTemplate *F) { F->Close(); }), mrCancel);
  // An emptied box is handed back as it is.
  QString Emptied = QStringLiteral("x");
  EXPECT_EQ(Show(0, QStringLiteral("t"), [&](TFTopicTemplate *F) {
              F->RE_TopicTemplate->Clear();
              SimClick(F->Btn_OK, 5, 5);
            }),
            mrOk);
  EXPECT_EQ(Form->RE_TopicTemplate->Text(), QString());
}

TEST_F(TopicTemplate, LegendHasOneEmptyRowWhoseDescriptionCellIsReadOnly)
{
  Show(1, QString(), [](TFTopicTemplate *F) {
    TZavStringGrid *G = F->ZSG_Keywords;
    EXPECT_EQ(G->RowCount(), 2);
    EXPECT_EQ(G->Cells(0, 0), "Keyword");
    EXPECT_EQ(G->Cells(1, 0), "Description of Keyword");
    G->SetFocus();
    for (int c : {0, 1}) {
      G->FocusCell(c, 1, true);
      SimProcess();
      SimType(G, QStringLiteral("kw"));
      SimKey(G, VK_RETURN);
      SimProcess();
    }
    EXPECT_EQ(G->Cells(0, 1), "kw");
    EXPECT_EQ(G->Cells(1, 1), QString());
    G->SetRowCount(5);  // whatever a showing leaves, the next one rebuilds
  });
  Show(1, QString(), [](TFTopicTemplate *F) {
    EXPECT_EQ(F->ZSG_Keywords->RowCount(), 2);
    EXPECT_EQ(F->ZSG_Keywords->Cells(0, 1), QString());
  });
}

TEST_F(TopicTemplate, SplitterSitsOnTheLegendAndTradesEditHeightForLegendHeight)
{
  Show(1, QString(), [](TFTopicTemplate *F) {
    ASSERT_EQ(F->Splitter1->FindControl(), F->P_Legend);
    EXPECT_EQ(F->Splitter1->Top() + 3, F->P_Legend->Top());
    const int Legend = F->P_Legend->Height(), Edit = F->Panel1->Height();
    SimMouseDown(F->Splitter1, 10, 1);
    SimMouseMove(F->Splitter1, 10, -39, TShiftState{ssLeft});
    SimMouseUp(F->Splitter1, 10, -39);
    EXPECT_EQ(F->P_Legend->Height(), Legend + 40);
    EXPECT_EQ(F->Panel1->Height(), Edit - 40);
    // Neither side shrinks below the splitter's minimum.
    SimMouseDown(F->Splitter1, 10, 1);
    SimMouseMove(F->Splitter1, 10, 150, TShiftState{ssLeft});
    SimMouseUp(F->Splitter1, 10, 150);
    EXPECT_EQ(F->P_Legend->Height(), F->Splitter1->MinSize());
  });
}

}  // namespace
