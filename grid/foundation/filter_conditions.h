#pragma once
// The condition language of row filters and find: sub-conditions joined by "&" (and) and
// ";", "^", "|" (or), combined strictly left to right; parenthesised groups; ">", ">=", "<",
// "<=" comparisons (numbers, then locale dates, then text); wildcard patterns with "*", "?",
// a negating "!" and double quotes that protect operators and blanks.
#include <QChar>
#include <QString>

#include <memory>

// A condition prepared once and then tested against many values (a filter run, a find over
// the cells); copies share the prepared form, which matching never changes. The locale's
// separators and date format are read for the operands when the condition is prepared and for
// the values when they are tested. The default condition is the empty one.
class TFilterCondition {
public:
  TFilterCondition();
  TFilterCondition(const QString &Condition, bool CaseSensitive);
  bool Matches(const QString &Value) const;

  struct TProgram;

private:
  std::shared_ptr<const TProgram> FProgram;
};

// Tests one cell value against a whole condition. Without CaseSensitive both sides are
// upper-cased with the locale's rules first.
bool MatchCondition(const QString &Condition, const QString &Value, bool CaseSensitive);
// Tests one sub-condition (a comparison or a wildcard pattern) exactly, character by character.
bool MatchValue(const QString &SubCondition, const QString &Value);

// A blank survives only after an odd number of double quotes (inside a quoted part).
QString RemoveBlanksOutsideQuotes(const QString &Text);
// 1-based position of the ")" that closes the "(" opening the text (quoted parentheses do not
// count); 0 when it is never closed.
int FindMatchingParen(const QString &Text);
// The first character of Operators that stands outside double quotes, with its 1-based
// position in P; QChar() and P = 0 when none.
QChar FindOperatorOutsideQuotes(const QString &Operators, const QString &Text, int &P);
// The locale's decimal separator turned into "." and its thousand separators removed.
QString NumberTextForVal(const QString &Text);
