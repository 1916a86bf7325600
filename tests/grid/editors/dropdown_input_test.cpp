#include "editors/dropdown_input.h"

#include <gtest/gtest.h>

#include <ostream>

#include "framework/system/sysutils.h"

// Readable failures.
static void PrintTo(const QString &S, std::ostream *Os) { *Os << '"' << S.toStdString() << '"'; }

namespace {

using ET = TDropDownEditType;

// Edit states written as text: "|" the caret, "[..]" a selection with the caret at its end,
// "{..}" one with the caret at its start.
TDropDownEditState State(const QString &Marked)
{
  TDropDownEditState s;
  int open = -1;
  for (QChar c : Marked)
  {
    if (c == '|')
      s.SelStart = int(s.Text.size());
    else if (c == '[' || c == '{')
      open = int(s.Text.size()), s.CaretAtStart = c == '{';
    else if (c == ']' || c == '}')
      s.SelStart = open, s.SelLength = int(s.Text.size()) - open;
    else
      s.Text += c;
  }
  return s;
}

QString Marked(const TDropDownEditState &s)
{
  QString t = s.Text;
  if (s.SelLength == 0) return t.insert(s.SelStart, QLatin1Char('|'));
  t.insert(s.SelStart + s.SelLength, s.CaretAtStart ? QLatin1Char('}') : QLatin1Char(']'));
  return t.insert(s.SelStart, s.CaretAtStart ? QLatin1Char('{') : QLatin1Char('['));
}

struct TPlayed {
  TDropDownEditState state;
  int changes = 0;  // change notifications fired
  int dropped = 0;
};

// Actions: characters typed one by one ("\b" Backspace), and <Del> <Left> <Right> <Home> <End>
// <S-Home> <S-End> <S-Left> <Paste:text> <Cut> <Kp.> (the keypad's decimal key).
TPlayed Play(const QString &Start, const QString &Actions, const TDropDownTextSettings &S,
         const TDropDownEditEnv &Env = {})
{
  TPlayed run{State(Start)};
  auto take = [&](const TDropDownInputResult &r) {
    if (r.Verdict == TInputVerdict::Dropped)
    {
      EXPECT_EQ(r.State, run.state) << "a dropped action changed the state";
      EXPECT_FALSE(r.Changed);
      ++run.dropped;
    }
    run.state = r.State;
    run.changes += r.Changed ? 1 : 0;
  };
  for (qsizetype i = 0; i < Actions.size(); ++i)
  {
    if (Actions[i] != '<')
    {
      take(DropDownChar(run.state, Actions[i], false, false, S, Env));
      continue;
    }
    const qsizetype close = Actions.indexOf(QLatin1Char('>'), i);
    const QString a = Actions.mid(i + 1, close - i - 1);
    i = close;
    const bool shift = a.startsWith(QLatin1String("S-"));
    const QString k = shift ? a.mid(2) : a;
    auto key = [&](TDropDownKey K) { take(DropDownKeyDown(run.state, K, shift, false, false, S, Env)); };
    if (k == QLatin1String("Del")) key(TDropDownKey::Delete);
    else if (k == QLatin1String("Left")) key(TDropDownKey::Left);
    else if (k == QLatin1String("Right")) key(TDropDownKey::Right);
    else if (k == QLatin1String("Home")) key(TDropDownKey::Home);
    else if (k == QLatin1String("End")) key(TDropDownKey::End);
    else if (k == QLatin1String("Cut")) take(DropDownCut(run.state, S, Env));
    else if (k.startsWith(QLatin1String("Paste:"))) take(DropDownPaste(run.state, k.mid(6), S, Env));
    else if (k.startsWith(QLatin1String("Kp"))) take(DropDownChar(run.state, k[2], false, true, S, Env));
    else ADD_FAILURE() << "unknown action " << k.toStdString();
  }
  return run;
}

struct Case {
  const char *start;
  const char *actions;
  const char *end;
  int changes;  // -1: not checked
};

struct DropDownInput : ::testing::Test {
  TFormatSettings saved = FormatSettings;
  void SetUp() override
  {
    FormatSettings.DecimalSeparator = QLatin1Char('.');
    FormatSettings.ThousandSeparator = QLatin1Char(',');
  }
  void TearDown() override { FormatSettings = saved; }
  void Check(const TDropDownTextSettings &S, std::initializer_list<Case> Cases, const TDropDownEditEnv &Env = {})
  {
    for (const Case &c : Cases)
    {
      const TPlayed r = Play(QString::fromUtf8(c.start), QString::fromUtf8(c.actions), S, Env);
      EXPECT_EQ(Marked(r.state), QString::fromUtf8(c.end)) << c.start << " + " << c.actions;
      if (c.changes >= 0)
      {
        EXPECT_EQ(r.changes, c.changes) << c.start << " + " << c.actions;
      }
    }
  }
};

TDropDownTextSettings Settings(ET Type, int Precision = 0, bool Signed = false)
{
  TDropDownTextSettings s;
  s.EditType = Type;
  s.Precision = int16_t(Precision);
  s.Signed = Signed;
  return s;
}

TDropDownTextSettings Framed(TDropDownTextSettings s)
{
  s.Prefix = QStringLiteral("$");
  s.Suffix = QStringLiteral(" kg");
  return s;
}

TEST_F(DropDownInput, CaretStaysBetweenPrefixAndSuffix)
{
  Check(Framed(Settings(ET::etNumeric, 0, true)), {
                                                      {"$1|2 kg", "<Home>", "$|12 kg", 0},
                                                      {"$1|2 kg", "<End>", "$12| kg", 0},
                                                      {"$12| kg", "<Right>", "$12| kg", 0},
                                                      {"$|12 kg", "<Left>", "$|12 kg", 0},
                                                      {"$1|2 kg", "<S-Home>", "${12} kg", 0},
                                                      {"$|12 kg", "\b", "$|12 kg", 0},
                                                      {"$1|2 kg", "-", "$-1|2 kg", 1},
                                                      {"$-1|2 kg", "-", "$1|2 kg", 1},
                                                      {"$12| kg", "<Del>", "$12| kg", 0},
                                                      {"$1|2 kg", "<Del>", "$1| kg", 1},
                                                      {"$1|2 kg", "<S-End>", "$1[2] kg", 0},
                                                      {"$12| kg", "<S-Left><S-Left>", "${12} kg", 0},
                                                  });
}

TEST_F(DropDownInput, Numeric)
{
  Check(Settings(ET::etNumeric), {
                                     {"|", "12a3", "123|", 3},
                                     {"12|", "-", "12|", 0},
                                     {"[12]", "5", "5|", 1},
                                     {"1|2", "\b", "|2", 1},
                                 });
  Check(Settings(ET::etNumeric, 0, true), {
                                              {"[12]", "-", "-|", 1},
                                              {"[12]", "-5", "-5|", 2},
                                              // A digit never lands in front of the sign.
                                              {"|-5", "3", "|-5", 0},
                                              {"|-5", "<Paste:3>", "|-5", 0},
                                              {"|", "<Paste:-5>", "-5|", 1},
                                          });
  Check(Settings(ET::etNumeric), {
                                     {"|", "<Paste:12a>", "|", 0},
                                     {"|", "<Paste:-5>", "|", 0},
                                     {"[34]", "<Paste:12>", "[12]", 1},
                                     {"1|", "<Paste:-2>", "1|", 0},
                                     {"|", "<Paste:12->", "|", 0},
                                 });
  Check(Settings(ET::etNumeric, 0, true), {
                                              {"1|", "<Paste:-2>", "1|", 0},
                                              {"|", "<Paste:12->", "|", 0},
                                          });
}

TEST_F(DropDownInput, Float)
{
  Check(Settings(ET::etFloat, 2), {
                                      {"3.14|", "5", "3.14|", 0},
                                      {"3.|14", "5", "3.5|4", 1},
                                      {"|", ".", "0.|", 1},
                                      {"1|2.5", ".", "12.|5", 0},
                                      {"12|", "5.25", "125.25|", 4},
                                      {"1,234|", ".", "1,234.|", 1},
                                      {"1,23|4", ".", "1,23|4", 0},
                                      {"12|", "x;", "12|", 0},
                                      {"12|", "-", "12|", 0},
                                  });
  Check(Settings(ET::etFloat, 0), {
                                      {"12|", ".", "12|", 0},
                                      {"|", "<Paste:1.5>", "|", 0},
                                      {"|", "<Paste:15>", "15|", 1},
                                  });
  Check(Settings(ET::etFloat, 2, true), {
                                            {"1.5|", "-", "-1.5|", 1},
                                            {"-1.5|", "-", "1.5|", 1},
                                            {"|", "<Paste:-1.5>", "-1.5|0", 1},
                                            {"|", "<Paste:1.5-2>", "|", 0},
                                        });
  // The keypad's decimal key types the decimal separator when asked to.
  TDropDownTextSettings excel = Settings(ET::etFloat, 2);
  excel.ExcelStyleDecimalSeparator = true;
  FormatSettings.DecimalSeparator = QLatin1Char(',');
  FormatSettings.ThousandSeparator = QLatin1Char('.');
  Check(excel, {{"12|", "<Kp.>", "12,|", 1}});
  Check(Settings(ET::etFloat, 2), {{"12|", "<Kp.>", "12.|", 1}});
}

TEST_F(DropDownInput, Money)
{
  Check(Settings(ET::etMoney, 2), {
                                      {"|", "1234567", "1,234,567|", 7},
                                      {"1,234,567|", ".89", "1,234,567.89|", 3},
                                      {"1,234,567.89|", "1", "1,234,567.89|", 0},
                                      {"1,23|4,567.89", ".", "1,234,567.|89", 0},
                                      {"[1,234]", ".", "0.|00", 1},
                                      {"|", ",", "|", 0},
                                      // Backspace reformats as Delete does.
                                      {"1,234|", "\b", "123|", 1},
                                      {"1,2|34", "<Del>", "12|4", 1},
                                      {"12,3|45", "<Del>", "1,23|5", 1},
                                  });
  Check(Settings(ET::etMoney, 2, true), {
                                            // Deleting down to the sign leaves an empty value.
                                            {"-5|", "\b", "|", 1},
                                            {"-|5", "<Del>", "|", 1},
                                            {"[1,234]", "<Cut>", "|", 1},
                                            {"|", "<Paste:1234.5>", "[1,234.50]", 1},
                                        });
  Check(Settings(ET::etMoney, 0), {{"12|", ".", "12|", 0}});
}

TEST_F(DropDownInput, Hex)
{
  Check(Settings(ET::etHex), {
                                 {"|", "-ff", "-ff|", 3},
                                 {"f|", "-", "f|", 0},
                                 {"|-f", "-", "|-f", 0},
                                 {"|", "12345678", "12345678|", 8},
                                 {"12345678|", "9", "12345678|", 0},
                                 {"-1234567|", "8", "-12345678|", 1},
                                 {"|", "g", "|", 0},
                                 {"|", "<Paste:ff>", "|", 0},
                             });
}

TEST_F(DropDownInput, Range)
{
  Check(Settings(ET::etRange), {
                                   {"|", ",", "|", 0},
                                   {"1,|", "-", "1,|", 0},
                                   {"1|", "-3;5", "1-3;5|", 4},
                                   {"1|;5", ",", "1|;5", 0},
                                   {"|", "a", "|", 0},
                                   {"|", "<Paste:1-2>", "|", 0},
                               });
}

TEST_F(DropDownInput, TextTypes)
{
  Check(Settings(ET::etUppercase), {{"|", "ab", "AB|", 2}, {"|", "<Paste:xy>", "XY|", 1}});
  Check(Settings(ET::etLowerCase), {{"|", "AB", "ab|", 2}});
  Check(Settings(ET::etMixedCase), {{"|", "john smith", "John Smith|", 10}});
  Check(Settings(ET::etAlphaNumeric),
        {{"|", "a1-é", "a1|", 2}, {"|", "<Paste:a b>", "|", 0}, {"|", "<Paste:ab1>", "ab1|", 1}});
  TDropDownTextSettings valid = Settings(ET::etValidChars);
  valid.ValidChars = QStringLiteral("xy");
  Check(valid, {{"|", "xay", "xy|", 2}, {"|", "<Paste:xz>", "|", 0}});
  Check(Settings(ET::etString), {{"[ab]", "c", "c|", 1}, {"[ab]", "<Paste:xy>", "[xy]", 1}});
  // A full selection replaced by one character is one change, not two.
  Check(Settings(ET::etString), {{"[abc]", "x", "x|", 1}});
}

TEST_F(DropDownInput, LengthLimit)
{
  TDropDownTextSettings s = Settings(ET::etFloat, 2);
  s.LengthLimit = 3;
  Check(s, {
               {"12|3.4", "5", "12|3.4", 0},
               {"12|3.4", "\b", "1|3.4", 1},
               {"123.|4", "5", "123.5|4", 1},
               {"12|", "34", "123|", 1},
           });
  TDropDownTextSettings n = Settings(ET::etNumeric, 0, true);
  n.LengthLimit = 2;
  Check(n, {{"12|", "-", "-12|", 1}});
  // Deleting the separator may not join the fraction to a full integer part.
  s.LengthLimit = 2;
  Check(s, {{"12|.3", "<Del>", "12|.3", 0}, {"1|.3", "<Del>", "1|3", 1}});
}

TEST_F(DropDownInput, DisabledOrReadOnlyChangesNothing)
{
  for (const TDropDownEditEnv env : {TDropDownEditEnv{false, false, 0}, TDropDownEditEnv{true, true, 0}})
  {
    Check(Settings(ET::etMixedCase), {
                                         {"ab|", "c", "ab|", 0},
                                         {"a|b", "\b<Del>", "a|b", 0},
                                         {"[ab]", "<Paste:xy><Cut>", "[ab]", 0},
                                     },
          env);
    // The caret still moves.
    Check(Settings(ET::etString), {{"ab|", "<Home>", "|ab", 0}}, env);
  }
}

TEST_F(DropDownInput, RefusedPasteKeepsTextAndSelection)
{
  TDropDownEditEnv limited;
  limited.MaxLength = 4;
  Check(Settings(ET::etString), {{"a[b]c", "<Paste:xyz>", "a[b]c", 0}, {"a[b]c", "<Paste:xy>", "a[xy]c", 1}},
        limited);
  Check(Settings(ET::etNumeric), {{"1[2]3", "<Paste:x>", "1[2]3", 0}});
}

TEST_F(DropDownInput, ClipboardSeesOnlyTheValue)
{
  const TDropDownTextSettings s = Framed(Settings(ET::etString));
  const TDropDownEditState st = State(QStringLiteral("[$ab k]g"));
  EXPECT_EQ(DropDownSelectedValue(st, s), QStringLiteral("ab"));
  EXPECT_EQ(DropDownPasteCandidate(State(QStringLiteral("$a|b kg")), QStringLiteral("x"), s),
            QStringLiteral("axb"));
  const TDropDownInputResult cut = DropDownCut(State(QStringLiteral("$[ab] kg")), s, {});
  EXPECT_EQ(cut.Clipboard, QStringLiteral("ab"));
  EXPECT_EQ(Marked(cut.State), QStringLiteral("$| kg"));
}

TEST_F(DropDownInput, ClickInsideTheSelectionPlacesTheCaretOnRelease)
{
  const TDropDownTextSettings s = Framed(Settings(ET::etString));
  const TDropDownEditState st = State(QStringLiteral("$[abc] kg"));
  EXPECT_TRUE(DropDownPressKeepsSelection(st, 2));
  EXPECT_TRUE(DropDownPressKeepsSelection(st, 4));
  EXPECT_FALSE(DropDownPressKeepsSelection(st, 5));
  EXPECT_FALSE(DropDownPressKeepsSelection(State(QStringLiteral("$a|bc kg")), 2));
  const struct {
    const char *afterInherited;
    bool buttonDown;
    int charPos;
    const char *end;
  } cases[] = {
      {"$[abc] kg", true, 2, "$a|bc kg"},
      {"|$abc kg", false, 0, "$[abc] kg"},
      {"$abc k|g", false, 0, "$abc| kg"},
      {"$a[bc k]g", false, 0, "$a[bc] kg"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(Marked(DropDownAfterRelease(State(QString::fromUtf8(c.afterInherited)), c.buttonDown, c.charPos, s)),
              QString::fromUtf8(c.end))
        << c.afterInherited;
}

TEST_F(DropDownInput, EnterMovesOnAsTabWhenAsked)
{
  const TDropDownTextSettings s = Settings(ET::etString);
  const TDropDownEditState st = State(QStringLiteral("a|"));
  EXPECT_TRUE(DropDownKeyDown(st, TDropDownKey::Enter, false, false, true, s, {}).EnterAsTab);
  EXPECT_FALSE(DropDownKeyDown(st, TDropDownKey::Enter, false, true, true, s, {}).EnterAsTab);
  EXPECT_EQ(DropDownChar(st, QChar('\r'), true, false, s, {}).Verdict, TInputVerdict::Dropped);
  EXPECT_EQ(DropDownChar(st, QChar(10), true, false, s, {}).Verdict, TInputVerdict::Dropped);
  EXPECT_EQ(DropDownChar(st, QChar(22), true, false, s, {}).Verdict, TInputVerdict::PassOn);
}

}  // namespace
