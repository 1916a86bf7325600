#include "grid/foundation/markup_utils.h"

#include "framework/system/sysutils.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct TextCase {
  const char *name;
  std::function<QString()> call;
  QString expected;
};

void RunTable(const std::vector<TextCase> &cases)
{
  for (const TextCase &c : cases)
    EXPECT_EQ(c.call().toStdString(), c.expected.toStdString()) << c.name;
}

}  // namespace

TEST(MarkupText, PlainTextAndTagRemoval)
{
  RunTable({
      {"breaks and tags", [] { return HTMLToPlainText("a<BR>b<b>c</b>"); }, "a\r\nbc"},
      {"lower-case br and hr", [] { return HTMLToPlainText("x<br>y<Hr>z"); }, "x\r\ny\r\nz"},
      {"open bracket without close", [] { return HTMLToPlainText("ab<cd"); }, "ab<cd"},
      {"tag then open bracket", [] { return HTMLToPlainText("<i>a</i>b<c"); }, "ab<c"},
      {"entities stay", [] { return HTMLToPlainText("&lt;<b>x</b>"); }, "&lt;x"},
      {"balanced", [] { return StripTagsBalanced("<B>abc</B>"); }, "abc"},
      {"close before open keeps the rest", [] { return StripTagsBalanced("<b>a>b<c>d"); }, "a>b<c>d"},
      {"open without close keeps the rest", [] { return StripTagsBalanced("a<b>c<d"); }, "ac<d"},
      {"remove a tag pair", [] { return RemoveHTMLTag("<hi>a</HI>b&lt;c&gt;<HI x>", "HI"); }, "ab<c><HI x>"},
  });
}

TEST(MarkupText, VisiblePositionsInMarkup)
{
  struct Case {
    const char *html;
    int n, pos;
  } cases[] = {
      {"abc", 1, 1},         {"abc", 3, 3},         {"abc", 4, 4},  {"abc", 5, 0},
      {"<B>abc</B>", 1, 4},  {"<B>abc</B>", 2, 5},  {"a<I>b", 2, 5}, {"<B>abc</B>", 4, 11},
      {"", 1, 1},            {"abc", 0, 0},
  };
  for (const Case &c : cases)
    EXPECT_EQ(VisibleToMarkupPos(c.html, c.n), c.pos) << c.html << " " << c.n;
}

TEST(MarkupText, FindFromPos)
{
  struct Case {
    const char *search, *text;
    int skip;
    bool caseSensitive;
    int pos;
  } cases[] = {
      {"b", "abcabc", 0, true, 2},  {"b", "abcabc", 2, true, 5},  {"b", "abcabc", 5, true, 0},
      {"B", "abcabc", 0, true, 0},  {"B", "abcabc", 0, false, 2}, {"É", "cafés", 0, false, 4},
      {"", "abc", 0, false, 0},     {"a", "", 0, false, 0},
  };
  for (const Case &c : cases) {
    bool found = true;
    EXPECT_EQ(FindFromPos(QString::fromUtf8(c.search), QString::fromUtf8(c.text), c.skip, c.caseSensitive, found),
              c.pos)
        << c.search << " in " << c.text;
    EXPECT_EQ(found, c.pos > 0);
  }
}

TEST(MarkupText, HighlightInHTML)
{
  RunTable({
      {"inside a tag pair", [] { return HighlightInHTML("<B>abc</B>", "b", "HI", true); }, "<B>a<HI>b</HI>c</B>"},
      {"at the end", [] { return HighlightInHTML("abc", "c", "HI", true); }, "ab<HI>c</HI>"},
      {"at the end of a tag pair", [] { return HighlightInHTML("<B>abc</B>", "c", "HI", true); }, "<B>ab<HI>c</B></HI>"},
      {"every match", [] { return HighlightInHTML("abab", "ab", "HI", true); }, "<HI>ab</HI><HI>ab</HI>"},
      {"ignoring case", [] { return HighlightInHTML("aBc", "b", "HI", false); }, "a<HI>B</HI>c"},
      {"case kept", [] { return HighlightInHTML("aBc", "b", "HI", true); }, "aBc"},
      {"across a tag", [] { return HighlightInHTML("a<I>bc</I>d", "bc", "X", true); }, "a<I><X>bc</I></X>d"},
      {"bare brackets are escaped", [] { return HighlightInHTML("a>b", "b", "HI", true); }, "a&gt;<HI>b</HI>"},
      {"empty search", [] { return HighlightInHTML("<B>abc</B>", "", "HI", false); }, "<B>abc</B>"},
      {"no match", [] { return HighlightInHTML("abc", "x", "HI", false); }, "abc"},
  });
}

// The plain way to insert highlight tags: each match looks its mark-up positions up anew in
// the text the earlier insertions changed.
QString HighlightOneByOne(const QString &HTML, const QString &Search, const QString &Tag, bool CaseSensitive)
{
  QString html = HTML, search = Search, visible = StripTagsBalanced(html);
  if (html.contains(search) && (visible.contains('<') || visible.contains('>'))) {
    visible = visible.replace("<", "&lt;").replace(">", "&gt;");
    search = search.replace("<", "&lt;").replace(">", "&gt;");
    html = visible;
  }
  int skip = 0;
  bool found = false;
  while (const int p = FindFromPos(search, visible, skip, CaseSensitive, found)) {
    if (const int at = VisibleToMarkupPos(html, p))
      Insert("<" + Tag + ">", html, at);
    if (const int at = VisibleToMarkupPos(html, p + int(search.size())))
      Insert("</" + Tag + ">", html, at);
    skip = p + int(search.size()) - 1;
  }
  return html;
}

TEST(MarkupText, HighlightInHTMLEqualsInsertingOneByOne)
{
  struct Case {
    const char *html, *search;
    bool caseSensitive;
  } cases[] = {
      {"<B>abc</B>", "b", true},        {"abcabc", "bc", true},         {"aaaa", "a", true},
      {"aaaa", "aa", false},            {"a<I>b</I>c<U>d</U>", "bcd", true}, {"<B>abc</B>", "c", true},
      {"X<y", "x", false},              {"X<yX<y", "x", false},         {"a>b>c", "b", true},
      {"a>b>c", "B", false},            {"<>ab<>ab", "ab", true},       {"ab<c", "C", false},
      {"<b>a</b><b>a</b>", "a", true},  {"a&amp;b&amp;c", "&amp;", true}, {"AbAbA", "aba", false},
      {"<x", "x", false},               {"x<", "X", false},             {"", "a", true},
      {"caf\u00E9 CAF\u00C9", "\u00E9", false},
  };
  for (const Case &c : cases)
    for (const char *tag : {"HI", "e"})
      EXPECT_EQ(HighlightInHTML(QString::fromUtf8(c.html), QString::fromUtf8(c.search), tag, c.caseSensitive),
                HighlightOneByOne(QString::fromUtf8(c.html), QString::fromUtf8(c.search), tag, c.caseSensitive))
          << c.html << " / " << c.search << " / " << tag;
  // A tag name with a bracket changes what later matches count as visible.
  EXPECT_EQ(HighlightInHTML("ab ab ab", "ab", "x>y", true), HighlightOneByOne("ab ab ab", "ab", "x>y", true));
}

// The renderer's entities replaced the plain way: a pass replaces the first of each entity
// in order, until a pass replaces nothing.
QString ReplaceEntitiesPassByPass(QString S)
{
  static const char *const pairs[][2] = {{"&amp;", "&&"},  {"&quot;", "\""},     {"&sect;", "\u00A7"},
                                         {"&permil;", "\u2030"}, {"&reg;", "\u00AE"}, {"&copy;", "\u00A9"},
                                         {"&para;", "\u00B6"}, {"&trade;", "\u2122"}, {"&euro;", "\u20AC"}};
  for (bool any = true; any;) {
    any = false;
    for (const auto &p : pairs)
      any = ReplaceFirstNoCase(QString::fromUtf8(p[0]), QString::fromUtf8(p[1]), S) || any;
  }
  return S;
}

TEST(MarkupText, RendererEntitiesEqualReplacingPassByPass)
{
  const char *cases[] = {
      "",           "plain",           "&",               "&&",         "a&amp;b",       "&amp;amp;",
      "&amp;amp;amp;", "&amp;quot;",   "&AMP;QUOT;euro;", "&amp&x;",    "&quot;&quot;",  "&reg;&REG;&Reg;",
      "&amp;&",     "&amp;;",          "x&permil;y&trade;", "&para&copy;", "&\u017Fect;",  "&eur&euro;",
      "&amp;euro",  "&&amp;amp;&",     "a&b;c&sect",      "&amp;permil;&amp;",
  };
  for (const char *c : cases)
    EXPECT_EQ(ReplaceMarkupEntities(QString::fromUtf8(c)), ReplaceEntitiesPassByPass(QString::fromUtf8(c))) << c;
  // Every short sequence of pieces that start, continue or spoil an entity.
  const QStringList pieces = {"&", "amp;", "AMP;", "quot;", "eu", "ro;", ";", "x", "&amp;"};
  for (const QString &a : pieces)
    for (const QString &b : pieces)
      for (const QString &c : pieces)
        for (const QString &d : pieces) {
          const QString text = a + b + c + d;
          EXPECT_EQ(ReplaceMarkupEntities(text), ReplaceEntitiesPassByPass(text)) << text.toStdString();
        }
}

TEST(MarkupText, Entities)
{
  RunTable({
      {"decode letters", [] { return DecodeHTMLEntities("&Eacute;&eacute;", true); }, "Éé"},
      {"decode without letters", [] { return DecodeHTMLEntities("&Eacute;&lt;&gt;&quot;", false); }, "&Eacute;<>\""},
      {"decode amp once", [] { return DecodeHTMLEntities("&amp;lt;", false); }, "&lt;"},
      {"names match their case", [] { return DecodeHTMLEntities("&EACUTE;&euro;", true); }, "&EACUTE;€"},
      {"encode", [] { return EncodeHTMLEntities("*amp; a&b \"<x>\"", false); },
       "*amp; a&amp;b &quot;&lt;x&gt;&quot;"},
      {"encode letters", [] { return EncodeHTMLEntities("é©»", true); }, "&eacute;&copy;&raquo;"},
      {"encode without letters", [] { return EncodeHTMLEntities("é", false); }, "é"},
      {"blanks", [] { return BlanksToNbsp(" a b"); }, "&nbsp;a&nbsp;b"},
      {"carriage returns", [] { return CRToHTMLBreak("a\r\nb\rc"); }, "a<br>\nb<br>c"},
      {"colour", [] { return ColorToHTMLHex(0x00336699); }, "996633"},
      {"colour high byte ignored", [] { return ColorToHTMLHex(0x0000000F); }, "0F0000"},
  });
  // Every letter survives a round trip.
  const QString letters = QString::fromUtf8("éèëêóòöôíìïîúùüûáàäâÉÈËÊÓÒÖÔÍÌÏÎÚÙÜÛÁÀÄÂçÇøØåÅ©®€«»");
  EXPECT_EQ(DecodeHTMLEntities(EncodeHTMLEntities(letters, true), true), letters);
  EXPECT_FALSE(EncodeHTMLEntities(letters, true).contains(QChar(0xE9)));
}

TEST(MarkupText, Links)
{
  struct Case {
    const char *text, *prefix;
    int result;
    const char *linked;
  } cases[] = {
      {"see http://a.b/c?x=1", "HTTP://", 1, "see <a href=\"http://a.b/c\">http://a.b/c</a>?x=1"},
      {"HTTP://a.b/p_(1)&q", "HTTP://", 1, "<a href=\"HTTP://a.b/p_(1)\">HTTP://a.b/p_(1)</a>&q"},
      {"<x> www.site.org end", "WWW.", 1, "&lt;x&gt; <a href=\"www.site.org\">www.site.org</a> end"},
      {"mail mailto:me@x.org", "MAILTO:", 1, "mail <a href=\"mailto:me@x.org\">mailto:me@x.org</a>"},
      {"no link", "HTTP://", 0, "untouched"},
  };
  for (const Case &c : cases) {
    QString result = "untouched";
    EXPECT_EQ(LinkifyText(c.text, c.prefix, result), c.result) << c.text;
    EXPECT_EQ(result, c.linked) << c.text;
  }

  struct Scheme {
    const char *text;
    bool has;
    const char *stripped;
  } schemes[] = {
      {"http://a.b", true, "a.b"},
      {"mailto:me@x", true, "me@x"},
      {"x mailto:a://b", true, "b"},
      {"plain", false, "plain"},
  };
  for (const Scheme &s : schemes) {
    EXPECT_EQ(HasURLScheme(s.text), s.has) << s.text;
    QString t = s.text;
    StripURLScheme(t);
    EXPECT_EQ(t, s.stripped);
  }
}

TEST(MarkupText, ControlTags)
{
  QString type, id, value, width, height, prop, maxlen = "stale";
  ParseControlTag("<control type=\"edit\" id=\"e1\" value=\"a&eacute;&lt;\" width=\"40\" prop=\"!99\">", type, id,
                  value, width, height, prop, maxlen);
  EXPECT_EQ(type, "EDIT");
  EXPECT_EQ(id, "e1");
  EXPECT_EQ(value, "aé<");
  EXPECT_EQ(width, "40");
  EXPECT_EQ(height, "");
  EXPECT_EQ(prop, "!99");
  EXPECT_EQ(maxlen, "");

  const QString cell = "Pick <CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"15\">"
                       " <control type=\"radio\" id=\"r1\" value=\"TRUE\" width=\"15\">"
                       " <CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"x\" WIDTH=\"50\" HEIGHT=\"18\" MAXLEN=\"12a\">"
                       " <CONTROL TYPE=\"BUTTON\" ID=\"b1\" VALUE=\"Go\" WIDTH=\"30\">"
                       " <CONTROL TYPE=\"MASK\" ID=\"m1\" VALUE=\"\" WIDTH=\"50\" PROP=\"000\">"
                       " <CONTROL TYPE=\"RADIO\" ID=\"r2\" VALUE=\"TRUE\" WIDTH=\"15\"> end";
  struct Next {
    const char *after, *next;
  } nexts[] = {{"", "e1"}, {"c1", "e1"}, {"e1", "m1"}, {"b1", "m1"}, {"m1", ""}, {"zz", ""}};
  for (const Next &n : nexts)
    EXPECT_EQ(NextEditControlID(cell, n.after), n.next) << n.after;

  EXPECT_TRUE(HasControlTag(cell));
  EXPECT_TRUE(HasControlTag("<Control"));
  EXPECT_FALSE(HasControlTag("<CONTROX"));
  QString v = "kept";
  EXPECT_TRUE(GetControlValue(cell, "b1", v));
  EXPECT_EQ(v, "Go");
  EXPECT_FALSE(GetControlValue(cell, "B1", v));
  EXPECT_EQ(v, "Go");
  EXPECT_EQ(GetControlProp(cell, "m1"), "000");
  EXPECT_EQ(GetControlProp(cell, "zz"), "");
  EXPECT_EQ(GetControlMaxLen(cell, "e1"), 12);
  EXPECT_EQ(GetControlMaxLen(cell, "m1"), 0);
  EXPECT_EQ(GetControlMaxLen(cell, "zz"), 0);

  // The rewritten tag keeps HEIGHT and MAXLEN, and only the tag changes.
  QString edited = cell;
  EXPECT_TRUE(SetControlValue(edited, "e1", "ç\"q\""));
  const QString rewritten =
      "<CONTROL ID=\"e1\" VALUE=\"&ccedil;&quot;q&quot;\" WIDTH=\"50\" HEIGHT=\"18\" TYPE=\"EDIT\" MAXLEN=\"12a\">";
  EXPECT_TRUE(edited.contains(rewritten)) << edited.toStdString();
  EXPECT_EQ(edited.size() - rewritten.size(),
            cell.size() - QString("<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"x\" WIDTH=\"50\" HEIGHT=\"18\" MAXLEN=\"12a\">").size());
  EXPECT_TRUE(GetControlValue(edited, "e1", v));
  EXPECT_EQ(v, "ç\"q\"");
  EXPECT_TRUE(edited.startsWith("Pick ") && edited.endsWith(" end"));

  QString unknown = cell;
  EXPECT_FALSE(SetControlValue(unknown, "nope", "1"));
  EXPECT_EQ(unknown, cell);

  const QString cleared = ClearRadioControls(cell);
  for (const char *radio : {"r1", "r2"}) {
    EXPECT_TRUE(GetControlValue(cleared, radio, v));
    EXPECT_EQ(v, "FALSE") << radio;
  }
  EXPECT_TRUE(GetControlValue(cleared, "c1", v));
  EXPECT_EQ(v, "TRUE");
  EXPECT_TRUE(cleared.contains("<CONTROL ID=\"r2\" VALUE=\"FALSE\" WIDTH=\"15\" TYPE=\"RADIO\">"));
}

// What an entity stands for is never decoded again: a literal entity written with "&amp;"
// comes back as that entity, also when a click on a check or radio rewrites the tag.
TEST(MarkupText, EntitiesDecodeInOnePass)
{
  struct Case {
    const char *in;
    bool letters;
    const char *out;
  } cases[] = {
      {"&amp;quot;", false, "&quot;"},      {"&amp;eacute;", true, "&eacute;"},  {"&amp;amp;", true, "&amp;"},
      {"&amp;lt;&amp;gt;", false, "&lt;&gt;"}, {"&lt;&amp;&gt;", false, "<&>"}, {"&&amp;;", true, "&&;"},
      {"&quot;&eacute", true, "\"&eacute"},  {"&amp;&eacute;", true, "&\u00E9"}, {"a&", true, "a&"},
  };
  for (const Case &c : cases)
    EXPECT_EQ(DecodeHTMLEntities(QString::fromUtf8(c.in), c.letters), QString::fromUtf8(c.out)) << c.in;
  for (const char *text : {"&quot;", "&eacute;", "&amp;", "&lt;b&gt;", "x&amp;quot;y", "\"&\u00E9<>"})
    for (const bool letters : {false, true}) {
      const QString t = QString::fromUtf8(text);
      EXPECT_EQ(DecodeHTMLEntities(EncodeHTMLEntities(t, letters), letters), t) << text;
    }

  for (const char *type : {"CHECK", "RADIO"}) {
    const QString cell = QString("<CONTROL TYPE=\"%1\" ID=\"c\" VALUE=\"FALSE\" WIDTH=\"16\" "
                                 "PROP=\"say &amp;quot;caf&amp;eacute;&amp;quot; &amp;amp; &quot;go&quot;\">")
                             .arg(type);
    const QString prop = GetControlProp(cell, "c");
    EXPECT_EQ(prop, "say &quot;caf&eacute;&quot; &amp; \"go\"");
    QString t = cell;
    for (const char *v : {"TRUE", "FALSE", "TRUE"}) {
      ASSERT_TRUE(SetControlValue(t, "c", v));
      EXPECT_EQ(GetControlProp(t, "c"), prop) << type << " " << v;
    }
  }
}

// Attribute names are whole names outside the values: a value holding "TYPE=" or another
// attribute whose name ends in "ID" does not stand for the attribute.
TEST(MarkupText, ControlAttributesByWholeName)
{
  struct Case {
    const char *tag, *type, *id, *value, *width;
  } cases[] = {
      {"<CONTROL PROP=\"ID=x\" ID=\"e1\" TYPE=\"EDIT\" WIDTH=\"40\">", "EDIT", "e1", "", "40"},
      {"<CONTROL VALUE=\"TYPE=RADIO WIDTH=9\" TYPE=\"CHECK\" WIDTH=\"16\" ID=\"c\">", "CHECK", "c",
       "TYPE=RADIO WIDTH=9", "16"},
      {"<CONTROL GRID=\"3\" VALID=\"no\" ID=\"e1\" SUBTYPE=\"x\">", "", "e1", "", ""},
      {"<control Id = \"a\" type=edit width=12 value=\"b c\">", "EDIT", "a", "b c", "12"},
      {"<CONTROL TYPE=\"EDIT\" ID=\"a\" TYPE=\"CHECK\" VALUE=\"open", "EDIT", "a", "", ""},
      {"CONTROL ID=\"r\" TYPE=\"radio\" DISABLED WIDTH=\"5\"", "RADIO", "r", "", "5"},
  };
  for (const Case &c : cases) {
    QString type, id, value, width, height, prop, maxlen;
    ParseControlTag(c.tag, type, id, value, width, height, prop, maxlen);
    EXPECT_EQ(type, c.type) << c.tag;
    EXPECT_EQ(id, c.id) << c.tag;
    EXPECT_EQ(value, c.value) << c.tag;
    EXPECT_EQ(width, c.width) << c.tag;
  }
  // What a user types into an edit control stays its value, and the tag keeps its type and size.
  const QString cell = "<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"\" WIDTH=\"50\" HEIGHT=\"20\" MAXLEN=\"30\">";
  for (const char *typed : {"TYPE=RADIO", "WIDTH=1 HEIGHT=2", "ID=x", "MAXLEN=3 PROP=p", "a\"b"}) {
    QString t = cell;
    ASSERT_TRUE(SetControlValue(t, "e", typed));
    QString type, id, value, width, height, prop, maxlen;
    ParseControlTag(t, type, id, value, width, height, prop, maxlen);
    EXPECT_EQ(value, typed);
    EXPECT_EQ(type, "EDIT") << typed;
    EXPECT_EQ(id, "e") << typed;
    EXPECT_EQ(width, "50") << typed;
    EXPECT_EQ(height, "20") << typed;
    EXPECT_EQ(maxlen, "30") << typed;
    EXPECT_EQ(prop, "") << typed;
  }
}

TEST(MarkupText, ReplaceFirstNoCase)
{
  struct Case {
    const char *search, *replacement, *text;
    bool result;
    const char *after;
  } cases[] = {
      {"&NBSP;", " ", "a&nbsp;b&nbsp;", true, "a b&nbsp;"},
      {"x", "y", "abc", false, "abc"},
      {"", "y", "abc", false, "abc"},
      {"é", "e", "É", false, "É"},  // only a to z change case
  };
  for (const Case &c : cases) {
    QString t = QString::fromUtf8(c.text);
    EXPECT_EQ(ReplaceFirstNoCase(QString::fromUtf8(c.search), c.replacement, t), c.result) << c.text;
    EXPECT_EQ(t, QString::fromUtf8(c.after));
  }
}
