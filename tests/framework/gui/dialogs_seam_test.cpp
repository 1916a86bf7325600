// Message boxes, file dialogs and URL opening through the test seam.
#include <QLabel>
#include <gtest/gtest.h>

#include "framework/dialogs/messagebox_widget.h"
#include "framework/testing/ui_script.h"

namespace {

TEST(Dialogs, MessageDlgIsRecordedAndAnswered)
{
  TUIScript ui;
  ui.AnswerMessage(mrYes);
  EXPECT_EQ(MessageDlg("Overwrite?", mtConfirmation, mbYesNo, 0), mrYes);
  // Without an answer: the way out a user would take.
  EXPECT_EQ(MessageDlg("Stop?", mtWarning, mbYesNoCancel, 0), mrCancel);
  EXPECT_EQ(MessageDlg("Failed", mtError, {mbOK}, 0), mrOk);
  ShowMessage("Done");
  ASSERT_EQ(ui.Shown().size(), 4u);
  const TShownDialog &first = ui.Shown()[0];
  EXPECT_EQ(first.DlgType, mtConfirmation);
  EXPECT_EQ(first.Caption, "Confirm");
  EXPECT_EQ(first.Buttons, mbYesNo);
  EXPECT_EQ(first.DefaultButton, mbYes);
  EXPECT_TRUE(first.Scripted);
  EXPECT_EQ(ui.Shown()[1].Caption, "Warning");
  EXPECT_EQ(ui.Shown()[2].Caption, "Error");
  EXPECT_EQ(ui.Shown()[3].DlgType, mtCustom);
  EXPECT_EQ(ui.Messages(), (QStringList{"Overwrite?", "Stop?", "Failed", "Done"}));
  EXPECT_EQ(ui.Unscripted(), 3);
}

// Messages carry file names, language and error texts: mark-up in them shows as written and
// opens nothing.
TEST(Dialogs, MessageBoxShowsItsTextAsWritten)
{
  TMessageBoxRequest r;
  r.DlgType = mtError;
  r.Text = QStringLiteral("<b>bank1.bin</b> &amp; <a href=\"http://x.invalid\">here</a>");
  r.Buttons = {mbOK};
  const TBuiltMessageBox built = BuildMessageBox(r);
  const auto *label = built.Box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), r.Text);
  EXPECT_EQ(label->textFormat(), Qt::PlainText);
  // Laid out as rich text it would be "bank1.bin & here", far narrower than the text itself.
  EXPECT_GE(label->sizeHint().width(), label->fontMetrics().horizontalAdvance(r.Text));
  ASSERT_EQ(built.Buttons.size(), 1u);
  EXPECT_EQ(built.Buttons[0].second, mbOK);
}

TEST(Dialogs, MessageBoxFlagsBecomeTypeButtonsAndDefault)
{
  TUIScript ui;
  ui.AnswerMessage([](const TMessageBoxRequest &r) { return r.Buttons.Contains(mbNo) ? int(mrNo) : int(mrOk); });
  EXPECT_EQ(MessageBox(nullptr, "Quit?", "App", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), IDNO);
  const TShownDialog &s = ui.Shown()[0];
  EXPECT_EQ(s.DlgType, mtConfirmation);
  EXPECT_EQ(s.Caption, "App");
  EXPECT_EQ(s.Buttons, mbYesNo);
  EXPECT_EQ(s.DefaultButton, mbNo);
}

TEST(Dialogs, SaveDialogTakesTheScriptedNameAndAddsTheDefaultExtension)
{
  TUIScript ui;
  TSaveDialog dlg(nullptr);
  dlg.SetFilter("CSV files|*.csv|Text files|*.txt;*.text");
  dlg.SetFilterIndex(1);
  dlg.SetDefaultExt("csv");
  dlg.SetFileName("old.csv");
  dlg.SetTitle("Export");
  ui.ChooseFile("/tmp/table", 2).CancelFile();
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), "/tmp/table.csv");
  EXPECT_EQ(dlg.FilterIndex(), 2);
  EXPECT_EQ(dlg.Files()->Count(), 1);
  const TShownDialog &s = ui.Shown()[0];
  EXPECT_EQ(s.Kind, skSaveFile);
  EXPECT_EQ(s.Caption, "Export");
  EXPECT_EQ(s.File.FileName, "old.csv");
  EXPECT_EQ(s.File.Filter, "CSV files|*.csv|Text files|*.txt;*.text");
  // Cancelled: nothing changes.
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), "/tmp/table.csv");
  // An open dialog takes the name as chosen.
  TOpenDialog open(nullptr);
  open.SetDefaultExt("csv");
  ui.ChooseFile("/tmp/noext");
  ASSERT_TRUE(open.Execute());
  EXPECT_EQ(open.FileName(), "/tmp/noext");
  EXPECT_EQ(ui.Shown().back().Kind, skOpenFile);
}

// Forms give the default extension as a pattern ("*.eds") as often as bare; a name typed without
// an extension must get ".eds", never ".*.eds".
TEST(Dialogs, SaveDialogNormalisesTheDefaultExtension)
{
  const std::pair<QString, QString> Cases[] = {
      {"*.eds", "eds"}, {".eds", "eds"}, {"eds", "eds"}, {" *.mib ", "mib"}, {"*.*", ""}, {"*", ""}, {"", ""}};
  for (const auto &[Ext, Want] : Cases) {
    SCOPED_TRACE(Ext.toStdString());
    TUIScript ui;
    TSaveDialog dlg(nullptr);
    dlg.SetDefaultExt(Ext);
    ui.ChooseFile("/tmp/name");
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.FileName(), Want.isEmpty() ? QString("/tmp/name") : "/tmp/name." + Want);
    EXPECT_EQ(ui.Shown()[0].File.DefaultExt, Want);
    EXPECT_EQ(ApplyDefaultExt("/a/b", Ext), Want.isEmpty() ? QString("/a/b") : "/a/b." + Want);
  }
}

TEST(Dialogs, FilterStringsBecomeQtNameFilters)
{
  EXPECT_EQ(FilterToNameFilters("XML file|*.xml|All files|*.*"), (QStringList{"XML file (*.xml)", "All files (*.*)"}));
  EXPECT_EQ(FilterToNameFilters("Pictures|*.bmp;*.jpg"), QStringList{"Pictures (*.bmp *.jpg)"});
  EXPECT_EQ(ApplyDefaultExt("/a/b.txt", "csv"), "/a/b.txt");
  EXPECT_EQ(ApplyDefaultExt("/a.d/b", ".csv"), "/a.d/b.csv");
}

TEST(Dialogs, ColorAndFontDialogsAreScripted)
{
  TUIScript ui;
  TColorDialog cd(nullptr);
  cd.SetColor(clRed);
  ui.ChooseColor(clBlue).CancelColor();
  EXPECT_TRUE(cd.Execute());
  EXPECT_EQ(cd.Color(), clBlue);
  EXPECT_FALSE(cd.Execute());
  EXPECT_EQ(cd.Color(), clBlue);
  TFontDialog fd(nullptr);
  ui.ChooseFont([](TFont *f) { f->SetStyle({fsBold}); });
  EXPECT_TRUE(fd.Execute());
  EXPECT_TRUE(fd.Font()->Style().Contains(fsBold));
}

TEST(Dialogs, URLsGoThroughTheReplaceableHandler)
{
  TUIScript ui;
  EXPECT_TRUE(OpenURL("http://www.example.com/download"));
  ui.SetURLResult(false);
  EXPECT_FALSE(OpenURL("mailto:support@example.com"));
  EXPECT_EQ(ui.URLs(), (QStringList{"http://www.example.com/download", "mailto:support@example.com"}));
}

}  // namespace

namespace {

TEST(Dialogs, AnInnerScriptAnswersUntilItEnds)
{
  TUIScript outer;
  outer.AnswerMessage(mrYes);
  {
    TUIScript inner;
    inner.AnswerMessage(mrNo);
    EXPECT_EQ(MessageDlg("inner", mtConfirmation, mbYesNo, 0), mrNo);
  }
  EXPECT_EQ(MessageDlg("outer", mtConfirmation, mbYesNo, 0), mrYes);
  EXPECT_EQ(outer.Messages(), QStringList{"outer"});
}

}  // namespace
