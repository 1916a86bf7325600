// Rich text: RTF read and written, laid out on a canvas, kept by the rich edit.
#include "framework/graphics/richtext.h"
#include "framework/controls/forms.h"
#include "framework/stdctrls/comctrls.h"
#include "tests/support/surface.h"

#include <gtest/gtest.h>

namespace {

TRichTextFormat Fmt(TFontStyles Style, int Size = 0, TColor Color = clNone, int Offset = 0, const QString &Name = QString())
{
  TRichTextFormat f;
  f.Style = Style;
  f.Size = Size;
  f.Color = Color;
  f.Offset = Offset;
  f.Name = Name;
  return f;
}

TRichText Doc(std::initializer_list<std::pair<QString, TRichTextFormat>> Runs)
{
  TRichText d;
  for (const auto &[text, format] : Runs)
    d.Append(text, format);
  return d;
}

std::string Describe(const TRichText &D)
{
  QString s;
  for (const TRichTextRun &r : D.Runs())
    s += QStringLiteral("[%1|%2|%3|%4|%5|%6]")
             .arg(r.Text, r.Format.Name)
             .arg(r.Format.Size)
             .arg(r.Format.Style.Bits())
             .arg(r.Format.Color, 0, 16)
             .arg(r.Format.Offset);
  return s.toStdString();
}

bool IsAscii(const QString &S)
{
  return std::all_of(S.begin(), S.end(), [](QChar c) { return c.unicode() < 0x80; });
}

}  // namespace

TEST(RichText, WrittenDocumentsReadBackUnchanged)
{
  const struct {
    const char *name;
    TRichText doc;
  } cases[] = {
      {"empty", TRichText()},
      {"plain", Doc({{"Hello world", {}}})},
      {"bold", Doc({{"a ", {}}, {"bold", Fmt({fsBold})}, {" b", {}}})},
      {"italic", Doc({{"it", Fmt({fsItalic})}})},
      {"underline", Doc({{"u", Fmt({fsUnderline})}, {"n", {}}})},
      {"strike-out", Doc({{"s", Fmt({fsStrikeOut})}})},
      {"size", Doc({{"big", Fmt({}, 20)}, {"default", {}}, {"small", Fmt({}, 7)}})},
      {"colour", Doc({{"red", Fmt({}, 0, clRed)}, {"auto", {}}, {"blue", Fmt({}, 0, clBlue)}, {"red", Fmt({}, 0, clRed)}})},
      {"subscript and superscript", Doc({{"H", {}}, {"2", Fmt({}, 0, clNone, -40)}, {"O x", {}}, {"2", Fmt({}, 0, clNone, 40)}})},
      {"font names and the canvas font", Doc({{"a", Fmt({}, 0, clNone, 0, "Arial")}, {"b", {}}, {"c", Fmt({}, 0, clNone, 0, "Courier New")}})},
      {"font names outside ASCII", Doc({{"a", Fmt({}, 0, clNone, 0, QString::fromUtf8("Łódź Sans"))},
                                        {"b", Fmt({}, 0, clNone, 0, QString::fromUtf8("メイリオ"))},
                                        {"c", Fmt({}, 0, clNone, 0, QString::fromUtf8("Café"))}})},
      {"combined", Doc({{"all", Fmt({fsBold, fsItalic, fsUnderline}, 14, RGB(1, 2, 3), 40, "Tahoma")}, {" none", {}}})},
      {"escapes", Doc({{"{braces} and \\back\\slash\\", {}}, {"\\b", Fmt({fsBold})}})},
      {"text after a control word that starts like one", Doc({{"b0x", Fmt({fsBold})}, {"123 par", {}}})},
      {"unicode", Doc({{QString::fromUtf8("é € Ω 中文 \xF0\x9D\x84\x9E ÿ"), Fmt({fsItalic})}})},
      {"paragraphs", Doc({{"one\ntwo\n\nfour", {}}, {"\nbold", Fmt({fsBold})}})},
      {"empty paragraphs at the ends", Doc({{"\nmiddle\n", {}}})},
      {"tabs and control characters", Doc({{QStringLiteral("a\tb") + QChar(1) + QChar(0x1F), {}}})},
      {"blanks around runs", Doc({{"  lead", Fmt({fsBold})}, {"  ", {}}, {"trail  ", Fmt({fsItalic})}})},
  };
  for (const auto &c : cases) {
    const QString rtf = c.doc.ToRTF();
    EXPECT_TRUE(TRichText::IsRTF(rtf)) << c.name;
    EXPECT_TRUE(IsAscii(rtf)) << c.name << ": " << rtf.toStdString();
    const TRichText back = TRichText::FromRTF(rtf);
    EXPECT_EQ(Describe(back), Describe(c.doc)) << c.name << ": " << rtf.toStdString();
    EXPECT_EQ(back.ToRTF(), rtf) << c.name;
  }
}

TEST(RichText, ReadsDocumentsOfOtherWriters)
{
  const struct {
    const char *rtf;
    TRichText doc;
  } cases[] = {
      {"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fnil Times New Roman;}}"
       "{\\colortbl ;\\red255\\green0\\blue0;}{\\*\\generator Msftedit 5.41;}\\viewkind4\\uc1\\pard"
       "\\f0\\fs20 plain \\b bold\\b0  \\cf1\\i red\\cf0\\i0  \\f1\\fs24 times\\par\r\n}",
       Doc({{"plain ", Fmt({}, 10, clNone, 0, "Arial")},
            {"bold", Fmt({fsBold}, 10, clNone, 0, "Arial")},
            {" ", Fmt({}, 10, clNone, 0, "Arial")},
            {"red", Fmt({fsItalic}, 10, clRed, 0, "Arial")},
            {" ", Fmt({}, 10, clNone, 0, "Arial")},
            {"times", Fmt({}, 12, clNone, 0, "Times New Roman")}})},
      {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset238 \\'a3\\'f3d\\'9f Sans;}"
       "{\\f1\\fnil\\fcharset128 \\'83\\'81\\'83\\'43\\'83\\'8a\\'83\\'49;}{\\f2\\fnil Caf\\'e9;}"
       "{\\f3\\fnil\\uc2\\u321XXx;}}\\f0 a\\f1 b\\f2 c\\f3 d}",
       Doc({{"a", Fmt({}, 0, clNone, 0, QString::fromUtf8("Łódź Sans"))},
            {"b", Fmt({}, 0, clNone, 0, QString::fromUtf8("メイリオ"))},
            {"c", Fmt({}, 0, clNone, 0, QString::fromUtf8("Café"))},
            {"d", Fmt({}, 0, clNone, 0, QString::fromUtf8("Łx"))}})},
      {"{\\rtf1 x\\sub 2\\nosupersub y\\super 3\\plain z\\up6 u\\dn4 d}",
       Doc({{"x", {}}, {"2", Fmt({}, 0, clNone, -40)}, {"y", {}}, {"3", Fmt({}, 0, clNone, 40)}, {"z", {}},
            {"u", Fmt({}, 0, clNone, 60)}, {"d", Fmt({}, 0, clNone, -40)}})},
      {"{\\rtf1 {\\b group} out\\ul line\\ulnone}", Doc({{"group", Fmt({fsBold})}, {" out", {}}, {"line", Fmt({fsUnderline})}})},
      {"{\\rtf1 caf\\'e9 \\u8364? \\uc2\\u8212XY! \\uc0\\u937 \\~\\emdash\\lquote q\\rquote}",
       Doc({{QString::fromUtf8("café € —! Ω\u00A0—‘q’"), {}}})},
      {"{\\rtf1 line\\line two\\\r\nthree\\tab four}", Doc({{"line\ntwo\nthree\tfour", {}}})},
      {"{\\rtf1{\\pict\\wmetafile8 0a0b0c}{\\*\\unknown skipped}{\\info{\\title t}}shown}", Doc({{"shown", {}}})},
      {"not rich\r\ntext\rhere", Doc({{"not rich\ntext\nhere", {}}})},
  };
  for (const auto &c : cases)
    EXPECT_EQ(Describe(TRichText::FromRTF(QString::fromUtf8(c.rtf))), Describe(c.doc)) << c.rtf;
  EXPECT_EQ(TRichText::FromRTF(QStringLiteral("{\\rtf1 a\\par b\\par}")).PlainText(), QStringLiteral("a\r\nb"));
}

TEST(RichText, MalformedDocumentsKeepTheirText)
{
  const struct {
    QString rtf;
    QString plain;
  } cases[] = {
      {"{\\rtf1 unclosed {\\b group", "unclosed group"},
      {"{\\rtf1 too many}}} closings}", "too many closings"},
      {"{\\rtf1 bad \\'zz hex \\'4", "bad zz hex 4"},
      {"{\\rtf1 huge \\fs99999999999999999999 \\u99999999999999?\\cf999999999 \\f-77 x}", "huge x"},
      {"{\\rtf1 negative \\uc-5 \\u-1 y}", QStringLiteral("negative ") + QChar(0xFFFF) + QStringLiteral("y")},
      {"{\\rtf1 cut at the end \\", "cut at the end "},
      {"{\\rtf1 word cut \\b", "word cut "},
      {"{\\rtf1 binary \\bin99999 lost", "binary "},
      {"{\\rtf1 binary \\bin3 abcdef}", "binary def"},
      {"{\\rtf1 \\verylongcontrolwordthatgoesonandonandonandonandon1 z}", "z"},
      {"{\\rtf1{\\fonttbl{\\f0 Unended", ""},
      {"{\\rtf1{\\colortbl;\\red300\\green-4\\blue7;}\\cf1 c}", "c"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(TRichText::FromRTF(c.rtf).PlainText(), c.plain) << c.rtf.toStdString();

  // Deep nesting neither overflows nor loses the text.
  const QString deep = QStringLiteral("{\\rtf1 ") + QString(100000, QLatin1Char('{')) + QStringLiteral("deep");
  EXPECT_EQ(TRichText::FromRTF(deep).PlainText(), QStringLiteral("deep"));
  // A colour out of the table's range is automatic.
  EXPECT_EQ(TRichText::FromRTF(QStringLiteral("{\\rtf1{\\colortbl;\\red300\\green-4\\blue7;}\\cf1 c\\cf5 d}")).Runs()[0].Format.Color,
            RGB(255, 0, 7));
}

TEST(RichText, DrawsRunsInTheirColoursInsideTheRectangle)
{
  testsupport::TSurface s(200, 80);
  s.Canvas.Font()->SetSize(14);
  const TRichText d = Doc({{"WWWW", Fmt({fsBold}, 0, clRed)}, {" MMMM", Fmt({}, 0, clBlue)}});
  const TRect r = Rect(10, 10, 150, 60);
  d.Draw(&s.Canvas, r, true);
  int red = 0, blue = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 200; ++x) {
      const TColor c = s.At(x, y);
      if (GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60)
        ++red;
      if (GetBValue(c) > 200 && GetRValue(c) < 60 && GetGValue(c) < 60)
        ++blue;
    }
  EXPECT_GT(red, 20);
  EXPECT_GT(blue, 20);
  // Nothing outside the rectangle.
  EXPECT_EQ(s.Ink(0, 0, 200, 10) + s.Ink(0, 60, 200, 80) + s.Ink(0, 0, 10, 80) + s.Ink(150, 0, 200, 80), 0);

  // The selection colour replaces every run's colour.
  testsupport::TSurface sel(200, 80);
  sel.Canvas.Font()->SetSize(14);
  d.Draw(&sel.Canvas, r, true, clLime);
  int lime = 0, other = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 200; ++x) {
      const TColor c = sel.At(x, y);
      if (c == clWhite)
        continue;
      (GetGValue(c) > GetRValue(c) && GetGValue(c) > GetBValue(c) ? lime : other) += 1;
    }
  EXPECT_GT(lime, 20);
  EXPECT_EQ(other, 0);
}

TEST(RichText, MeasureWrapsAtBlanksAndKeepsWordsOfSeveralRuns)
{
  testsupport::TSurface s(10, 10);
  const TRichText d = Doc({{"alpha beta ", {}}, {"gam", Fmt({fsBold})}, {"ma delta", {}}});
  const TSize one = d.Measure(&s.Canvas, 0, false);
  const int lineHeight = s.Canvas.TextHeight(QStringLiteral("gh"));
  EXPECT_EQ(one.cy, lineHeight);
  EXPECT_GT(one.cx, s.Canvas.TextWidth(QStringLiteral("alpha beta gamma delt")));

  // "alpha beta" / "gamma" / "delta"; at one pixel each word has its line, and "gam" + "ma"
  // (two runs) stays one word.
  const int narrow = s.Canvas.TextWidth(QStringLiteral("alpha beta")) + 2;
  const TSize wrapped = d.Measure(&s.Canvas, narrow, true);
  EXPECT_EQ(wrapped.cy, 3 * lineHeight);
  EXPECT_LE(wrapped.cx, narrow);
  EXPECT_EQ(d.Measure(&s.Canvas, 1, true).cy, 4 * lineHeight);
  EXPECT_EQ(d.Measure(&s.Canvas, 1, false).cy, lineHeight);

  // A paragraph end breaks with or without wrapping; a raised run makes its line taller.
  EXPECT_EQ(Doc({{"a\nb", {}}}).Measure(&s.Canvas, 0, false).cy, 2 * lineHeight);
  EXPECT_GT(Doc({{"a", {}}, {"2", Fmt({}, 0, clNone, 60)}}).Measure(&s.Canvas, 0, false).cy, lineHeight);
}

TEST(RichText, RichEditKeepsTheDocumentWithAndWithoutWindow)
{
  const TRichText d = Doc({{"x", {}}, {"bold", Fmt({fsBold}, 12, clRed)}, {"\nsub", Fmt({}, 0, clNone, -40)}});
  TForm form(nullptr);
  auto *edit = new TRichEdit(&form);
  edit->SetRichText(d);  // no window yet
  EXPECT_EQ(Describe(edit->RichText()), Describe(d));
  EXPECT_EQ(edit->Text(), QStringLiteral("xbold\r\nsub"));

  edit->SetParent(&form);
  edit->HandleNeeded();
  ASSERT_TRUE(edit->HandleAllocated());
  EXPECT_EQ(Describe(edit->RichText()), Describe(d));  // laid into the window
  edit->SetRichText(d);
  EXPECT_EQ(Describe(edit->RichText()), Describe(d));
  EXPECT_EQ(edit->Text(), QStringLiteral("xbold\r\nsub"));
  EXPECT_FALSE(edit->Modified());

  // Typing at the end takes the format there; sub- and superscript set by SelOffset read back.
  edit->SetSelStart(int(edit->Text().size()));
  edit->SetSelOffset(40);
  edit->SetSelText(QStringLiteral("up"));
  const TRichText typed = edit->RichText();
  ASSERT_FALSE(typed.Runs().empty());
  EXPECT_EQ(typed.Runs().back().Text, QStringLiteral("up"));
  EXPECT_EQ(typed.Runs().back().Format.Offset, 40);

  edit->RecreateWnd();
  edit->HandleNeeded();
  EXPECT_EQ(Describe(edit->RichText()), Describe(typed));

  // Plain text set afterwards replaces the document.
  edit->SetText(QStringLiteral("plain"));
  EXPECT_EQ(edit->RichText().PlainText(), QStringLiteral("plain"));
}
