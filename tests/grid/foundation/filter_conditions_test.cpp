// The filter condition language as tables of (condition, value) cases under a day-first locale.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"

#include "framework/system/sysutils.h"
#include "grid/foundation/filter_conditions.h"

namespace {

class FilterConditions : public ::testing::Test {
protected:
  void SetUp() override
  {
    saved_ = FormatSettings;
    FormatSettings = TFormatSettings::Invariant();
    FormatSettings.DecimalSeparator = '.';
    FormatSettings.ThousandSeparator = ',';
    FormatSettings.DateSeparator = '/';
    FormatSettings.TimeSeparator = ':';
    FormatSettings.ShortDateFormat = "dd/MM/yyyy";
  }
  void TearDown() override { FormatSettings = saved_; }
  TFormatSettings saved_;
};

struct Case {
  const char *condition;
  const char *value;
  bool match;
};

void ExpectAll(std::initializer_list<Case> cases, bool caseSensitive)
{
  for (const auto &c : cases)
    EXPECT_EQ(MatchCondition(QString::fromUtf8(c.condition), QString::fromUtf8(c.value), caseSensitive), c.match)
        << "condition [" << c.condition << "] value [" << c.value << "]";
}

TEST_F(FilterConditions, ComparisonsTryNumbersThenDatesThenText)
{
  ExpectAll({
                {">=10 & <20", "15", true},
                {">=10 & <20", "10", true},
                {">=10 & <20", "20", false},
                {">=10 & <20", "9", false},
                {">5", "10", true},  // as numbers, not as text
                {">5", "9", true},
                {">5", "3", false},
                {">5", "abc", true},  // "abc" is no number: text order
                {"<0", "-5", true},
                {"<= 2.5", "2.5", true},
                {"<2.5", "2.5", false},
                {">1,000", "1,500.5", true},  // thousand separators are dropped
                {">b", "c", true},
                {">b", "a", false},
                {">=b", "b", true},
                {">01/02/2024", "15/02/2024", true},
                {">01/02/2024", "31/01/2024", false},
                {"<\"01/02/2024 12:00\"", "01/02/2024 11:59", true},
                {"<\"01/02/2024 12:00\"", "01/02/2024 12:01", false},
                {"<=31/12/2024", "31/12/2024", true},
                // Date-times before day 0 keep their order through the day and across midnight.
                {">\"29/12/1899 06:00\"", "29/12/1899 12:00", true},
                {">\"29/12/1899 06:00\"", "29/12/1899 03:00", false},
                {"<\"30/12/1899 00:00\"", "29/12/1899 23:59", true},
                {">\"28/12/1899 18:00\"", "29/12/1899 00:00", true},
                {"<\"28/12/1899 18:00\"", "28/12/1899 06:00", true},
                {">10", "01/02/2024", false},  // a date against a number: text order
                {"=>5", "7", true},           // a leading "=" is dropped
            },
            true);
}

TEST_F(FilterConditions, QuotedOperandIsTheWholeQuotedText)
{
  ExpectAll({
                {">\"New York\"", "New York", false},
                {">=\"New York\"", "New York", true},
                {">\"New York\"", "New Yorker", true},
                {"<\"New York\"", "New Jersey", true},
                {"<\"New York\"", "Newark", false},
                {"< \"a b\"", "a a", true},
            },
            true);
}

TEST_F(FilterConditions, WildcardsAndNegation)
{
  ExpectAll({
                {"A*", "ABC", true},
                {"A*", "A", true},
                {"A*", "BA", false},
                {"?B", "AB", true},
                {"?B", "B", false},
                {"*C", "ABC", true},
                {"*C", "ABCD", false},
                {"A*C*E", "ABCDE", true},
                {"A*C*E", "ACE", true},
                {"A*C*E", "ABCDEF", false},
                {"*", "", true},
                {"**?**", "", false},
                {"a?c", "abc", true},
                {"a?c", "ac", false},
                {"!A*", "ABC", false},
                {"!A*", "BC", true},
                {"A!*", "BC", true},  // "!" anywhere negates the whole pattern
                {"!x?z", "xyz", false},
                {"!x?z", "xz", true},
                {"!", "", false},
                {"!", "x", true},
                {"\"a b\"", "a b", true},
                {"a b", "ab", true},  // blanks outside quotes are removed
                {"exact", "exactly", false},
                // Many stars in a row and many stars apart stay linear.
                {"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
                {"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", true},
                {"***************************************x", "yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy", false},
            },
            true);
}

TEST_F(FilterConditions, StarHandsTheRestToTheWholeSubConditionTest)
{
  // Each rest after a run of stars is tested like a sub-condition of its own, comparisons
  // included, against every suffix of the value.
  const QString stars = QString("*a").repeated(16);
  ExpectAll({
                {"*<5", "xx", true},  // the empty suffix is less than "5"
                {"A*>M", "AZ", true},
                {"A*>M", "AB", false},
                {"A*>M", "BZ", false},
                {"Z*<5", "Z3", true},
                {"*>5", "3", false},
            },
            true);
  // The comparisons of every rest keep the star from being matched greedily; the suffixes
  // are still tried in polynomial time.
  const QString many = stars + "*b<";
  EXPECT_FALSE(MatchCondition(many, QString(60, QChar('a')), true));
  EXPECT_TRUE(MatchCondition(many, QString(60, QChar('a')) + "b<", true));
  EXPECT_FALSE(MatchCondition(many, QString(10, QChar('a')) + "b<", true));
}

TEST_F(FilterConditions, CaseFoldingFollowsTheFlag)
{
  ExpectAll({{"abc", "ABC", true},
             {"a*", "ABC", true},
             {"A*", "abc", true},
             {"*B?", "xbz", true},
             {"\u00e4*", "\u00c4rger", true},
             {"strasse", "Stra\u00dfe", true},  // upper-cased as a whole, not letter by letter
             {"abd", "ABC", false},
             {">b", "C", true},
             {"<b", "c", false}},
            false);
  ExpectAll({{"abc", "ABC", false}, {"abc", "abc", true}, {"\u00e4*", "\u00c4rger", false}}, true);
}

TEST_F(FilterConditions, OperatorsGroupsAndQuotes)
{
  ExpectAll({
                {"(A*|B*)&*Z", "AZ", true},
                {"(A*|B*)&*Z", "BZ", true},
                {"(A*|B*)&*Z", "CZ", false},
                {"(A*|B*)&*Z", "AY", false},
                {"*Z&(A*|B*)", "BZ", true},
                {"((A*))", "AX", true},
                {"(A*", "AX", true},  // an unclosed group takes the rest of the text
                {"(A*|B*)", "C", false},
                {"(A)B|C", "B", true},  // text right after a group joins as the group did
                {"(A)B|C", "A", false},
                {"A(B)", "B", false},   // "(" inside the text joins by replacing
                {"A(B)", "B)", true},
                {"(A)(B)", "B", true},
                {"(A)(B)", "A", false},
                {"(\tA)", "A", true},  // each group is trimmed and loses a leading "="
                {"(=A)", "A", true},
                {"()", "", true},
                {"()", "x", false},
                {"(A)|", "", true},
                {"(A)|", "B", false},
                {"A|(B", "B", true},
                {"A|B&C", "A", false},  // no precedence: (A or B) and C
                {"A|B&C", "C", false},
                {"C&A|B", "B", true},   // (C and A) or B
                {"A;B", "B", true},
                {"A^B", "B", true},
                {"A|B", "C", false},
                {"\"a&b\"", "a&b", true},
                {"\"a|b\"", "a", false},
                {"\"(x\"|y", "(x", true},
                {"(\"a)\"|b)", "a)", true},  // a quoted ")" does not close the group
                {"\">5&<10\"", "7", true},   // a quoted "&" joins a range inside one sub-condition
                {"\">5&<10\"", "3", false},
                {"\"<5^>10\"", "12", true},
                {"\"<5^>10\"", "7", false},
                {"", "", true},
                {"", "x", false},
                {"   ", "", true},
            },
            true);
}

TEST_F(FilterConditions, DeepNestingIsParsedWithoutRecursion)
{
  const int depth = 64000;
  const QString open(depth, QChar('(')), close(depth, QChar(')'));
  const struct {
    QString condition;
    const char *value;
    bool match;
  } cases[] = {
      {open + "A*" + close, "AX", true},
      {open + "A*" + close, "BX", false},
      {open + "A*", "AX", true},  // every group unclosed: each takes the rest
      {open + "A*" + close + "&*Z", "AZ", true},
      {open + "A*" + close + "&*Z", "AY", false},
      {"B*|" + open + "A*" + close, "BX", true},
  };
  for (const auto &c : cases)
    EXPECT_EQ(MatchCondition(c.condition, c.value, true), c.match) << c.value << " " << c.condition.size();
  const TFilterCondition compiled(open + "a*" + close, false);
  EXPECT_TRUE(compiled.Matches("Ax"));
  EXPECT_FALSE(compiled.Matches("xA"));
}

TEST_F(FilterConditions, SupportingRoutines)
{
  EXPECT_EQ(RemoveBlanksOutsideQuotes(" a b \" c d \" e "), "ab\" c d \"e");
  EXPECT_EQ(RemoveBlanksOutsideQuotes("\"\" x"), "\"\"x");

  const struct {
    QString text;
    int pos;
  } parens[] = {{"(a)b", 3}, {"((a)b)c", 6}, {"(a", 0}, {"(\")\")", 5}, {"a)", 0}, {"", 0}};
  for (const auto &c : parens) EXPECT_EQ(FindMatchingParen(c.text), c.pos) << c.text.toStdString();

  const struct {
    QString text;
    QChar op;
    int pos;
  } ops[] = {{"a&b|c", '&', 2}, {"\"a&b\"|c", '|', 6}, {"\"a&b|c", QChar(), 0}, {"abc", QChar(), 0},
             {"\"\"(x", '(', 3}};
  for (const auto &c : ops) {
    int p = -1;
    EXPECT_EQ(FindOperatorOutsideQuotes("(;^&|", c.text, p), c.op) << c.text.toStdString();
    EXPECT_EQ(p, c.pos) << c.text.toStdString();
  }

  EXPECT_EQ(NumberTextForVal("1,234.5"), "1234.5");
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ(NumberTextForVal("1.234,5"), "1234.5");
  EXPECT_TRUE(MatchCondition(">1.000,5", "1.000,75", true));
  EXPECT_FALSE(MatchCondition(">1.000,5", "999", true));
}

}  // namespace
