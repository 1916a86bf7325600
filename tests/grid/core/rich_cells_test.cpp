// Rich-text cells: an editor's document stored in a cell and loaded back.
#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "framework/graphics/richtext.h"
#include "framework/stdctrls/comctrls.h"
#include "grid/core/zav_string_grid.h"

namespace {

struct RichGrid : TZavStringGrid {
  using TZavStringGrid::TZavStringGrid;
  using TZavStringGrid::GetSaveCellText;
};

struct RichCells : ::testing::Test {
  TForm form{nullptr};
  RichGrid *grid = new RichGrid(&form);
  TRichEdit *edit = new TRichEdit(&form);
  void SetUp() override
  {
    grid->SetParent(&form);
    edit->SetParent(&form);
    grid->SetColCount(4);
    grid->SetRowCount(4);
  }
};

TRichTextFormat Styled(TFontStyles Style, TColor Color = clNone, int Offset = 0)
{
  TRichTextFormat f;
  f.Style = Style;
  f.Color = Color;
  f.Offset = Offset;
  return f;
}

bool Same(const TRichText &A, const TRichText &B) { return A == B; }

}  // namespace

TEST_F(RichCells, EditorContentSurvivesTheCell)
{
  TRichText mixed;
  mixed.Append(QStringLiteral("plain "));
  mixed.Append(QStringLiteral("bold red"), Styled({fsBold}, clRed));
  mixed.Append(QStringLiteral("\nH"));
  mixed.Append(QStringLiteral("2"), Styled({}, clNone, -40));
  mixed.Append(QString::fromUtf8("O {x} \\ é€ \t end\n"), Styled({fsItalic, fsUnderline}));
  const TRichText cases[] = {mixed, TRichText::FromPlainText(QStringLiteral("one line")), TRichText()};
  for (bool window : {false, true}) {
    if (window)
      edit->HandleNeeded();
    for (const TRichText &doc : cases) {
      edit->SetRichText(doc);
      grid->RichToCell(1, 2, edit);
      EXPECT_EQ(grid->Cells(1, 2).isEmpty(), doc.IsEmpty());
      edit->SetRichText(TRichText::FromPlainText(QStringLiteral("other")));
      grid->CellToRich(1, 2, edit);
      EXPECT_TRUE(Same(edit->RichText(), doc)) << grid->Cells(1, 2).toStdString();
    }
  }
  // The stored document is a rich-text cell and saves as its plain text unless RTF is asked for.
  edit->SetRichText(mixed);
  grid->RichToCell(1, 1, edit);
  EXPECT_TRUE(grid->Cells(1, 1).startsWith(QStringLiteral("{\\rtf")));
  EXPECT_EQ(grid->GetSaveCellText(1, 1), mixed.PlainText());
  grid->SetSaveWithRTF(true);
  const QString kept = grid->GetSaveCellText(1, 1);
  EXPECT_FALSE(kept.contains(QLatin1Char('\n')));
  EXPECT_TRUE(TRichText::FromRTF(kept) == mixed);
}

TEST_F(RichCells, CellsOfOtherFormsLoad)
{
  // Plain text loads as it is; a UTF-16 byte stream with its byte-order mark loads as its text.
  grid->SetCells(1, 1, QStringLiteral("just text"));
  grid->CellToRich(1, 1, edit);
  EXPECT_EQ(edit->Text(), QStringLiteral("just text"));

  const QString rtf = QStringLiteral("{\\rtf1 {\\b B}x}");
  QString bytes = QString(QChar(0xFF)) + QChar(0xFE);
  for (QChar c : rtf) {
    bytes += QChar(c.unicode() & 0xFF);
    bytes += QChar(c.unicode() >> 8);
  }
  grid->SetCells(1, 1, bytes);
  grid->CellToRich(1, 1, edit);
  const TRichText doc = edit->RichText();
  ASSERT_EQ(doc.Runs().size(), 2u);
  EXPECT_EQ(doc.Runs()[0].Text, QStringLiteral("B"));
  EXPECT_TRUE(doc.Runs()[0].Format.Style.Contains(fsBold));

  // An empty cell empties the editor.
  grid->SetCells(1, 1, QString());
  grid->CellToRich(1, 1, edit);
  EXPECT_TRUE(edit->RichText().IsEmpty());
}
