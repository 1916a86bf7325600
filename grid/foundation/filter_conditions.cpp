#include "grid/foundation/filter_conditions.h"

#include "framework/system/sysutils.h"
#include "grid/foundation/grid_utils.h"

#include <string>

namespace {

// Joins the result of a sub-condition to the running result; a null operator starts it.
bool Combine(bool Running, bool New, QChar Op)
{
  if (Op == '&') return Running && New;
  if (Op == ';' || Op == '^' || Op == '|') return Running || New;
  return New;
}

// The operand of the comparison operator at OpIndex (0-based): after an optional "=" and
// blanks, up to the end. A quoted operand is the whole quoted text, blanks included.
QString ComparisonOperand(const QString &Text, qsizetype OpIndex, bool &OrEqual)
{
  qsizetype I = OpIndex + 1;
  OrEqual = I < Text.size() && Text[I] == '=';
  if (OrEqual) ++I;
  while (I < Text.size() && Text[I] == ' ') ++I;
  QString Operand = Text.mid(I);
  if (Operand.startsWith('"')) Operand.remove(0, 1);
  if (Operand.endsWith('"')) Operand.chop(1);
  return Operand;
}

template <typename T>
int Sign(T A, T B)
{
  return A < B ? -1 : A > B ? 1 : 0;
}

// Numbers when both sides are numbers and neither is a date, else dates when both are dates,
// else ordinal text order over the first 255 characters.
int CompareToOperand(const QString &Value, const QString &Operand)
{
  static const TFormatSettings PointDecimal = TFormatSettings::Invariant();
  double A, B;
  const bool Numbers = TryStrToFloat(NumberTextForVal(Value), A, PointDecimal) &&
                       TryStrToFloat(NumberTextForVal(Operand), B, PointDecimal);
  TDateTime DA, DB;
  const bool ValueDate = ParseLocaleDate(Value, DA);
  const bool OperandDate = ParseLocaleDate(Operand, DB);
  if (Numbers && !ValueDate && !OperandDate) return Sign(A, B);
  if (ValueDate && OperandDate) return Sign(DA, DB);
  return Sign(CompareStr(Value.left(255), Operand.left(255)), 0);
}

// "*" any run, "?" one character, other characters one for one; "!" anywhere negates the
// whole pattern and, like a double quote, matches nothing. Iterative backtracking to the
// latest "*" keeps the time at most pattern length x value length, however many stars.
bool MatchWildcard(const QString &Pattern, const QString &Value)
{
  if (Pattern.isEmpty() && Value.isEmpty()) return true;
  bool Negate = false;
  std::u16string P;
  P.reserve(size_t(Pattern.size()));
  for (QChar C : Pattern) {
    if (C == '!') Negate = true;
    else if (C != '"') P += C.unicode();
  }
  const char16_t *V = reinterpret_cast<const char16_t *>(Value.constData());
  const qsizetype NP = qsizetype(P.size()), NV = Value.size();
  qsizetype Pi = 0, Vi = 0, StarP = -1, StarV = 0;
  while (Vi < NV) {
    if (Pi < NP && P[Pi] == u'*') {
      StarP = Pi++;
      StarV = Vi;
    } else if (Pi < NP && (P[Pi] == u'?' || P[Pi] == V[Vi])) {
      ++Pi;
      ++Vi;
    } else if (StarP >= 0) {
      // Let the last star swallow one more character and retry the rest after it.
      Pi = StarP + 1;
      Vi = ++StarV;
    } else {
      return Negate;
    }
  }
  while (Pi < NP && P[Pi] == u'*') ++Pi;
  return (Pi == NP) != Negate;
}

}  // namespace

QString RemoveBlanksOutsideQuotes(const QString &Text)
{
  QString R;
  R.reserve(Text.size());
  bool Quoted = false;
  for (QChar C : Text) {
    if (C == '"') Quoted = !Quoted;
    if (C != ' ' || Quoted) R += C;
  }
  return R;
}

int FindMatchingParen(const QString &Text)
{
  int Depth = 0;
  bool Quoted = false;
  for (qsizetype I = 0; I < Text.size(); ++I) {
    const QChar C = Text[I];
    if (C == '"') Quoted = !Quoted;
    if (Quoted) continue;
    if (C == '(') ++Depth;
    else if (C == ')' && --Depth == 0) return int(I + 1);
  }
  return 0;
}

QChar FindOperatorOutsideQuotes(const QString &Operators, const QString &Text, int &P)
{
  bool Quoted = false;
  for (qsizetype I = 0; I < Text.size(); ++I) {
    const QChar C = Text[I];
    if (C == '"') Quoted = !Quoted;
    else if (!Quoted && Operators.contains(C)) {
      P = int(I + 1);
      return C;
    }
  }
  P = 0;
  return QChar();
}

QString NumberTextForVal(const QString &Text)
{
  const QChar Thousand = FormatSettings.ThousandSeparator;
  const QChar Decimal = FormatSettings.DecimalSeparator;
  QString R;
  R.reserve(Text.size());
  for (QChar C : Text) {
    if (C == Decimal) R += QLatin1Char('.');
    else if (C != Thousand) R += C;
  }
  return R;
}

bool MatchValue(const QString &SubCondition, const QString &Value)
{
  const QString &S = SubCondition;
  bool GreaterOk = true, LessOk = true, HasGreater = false, HasLess = false, OrEqual;
  const qsizetype Greater = S.indexOf('>');
  if (Greater >= 0) {
    const int C = CompareToOperand(Value, ComparisonOperand(S, Greater, OrEqual));
    GreaterOk = OrEqual ? C >= 0 : C > 0;
    HasGreater = true;
  }
  const qsizetype Less = S.indexOf('<');
  if (Less >= 0) {
    const int C = CompareToOperand(Value, ComparisonOperand(S, Less, OrEqual));
    LessOk = OrEqual ? C <= 0 : C < 0;
    HasLess = true;
  }
  if (S.contains('!')) HasGreater = HasLess = true;

  // Ranges (">a^<b", ">a&<b") only reach here with the joining character quoted.
  if (S.contains('^') && (HasGreater || HasLess)) return GreaterOk || LessOk;
  if (S.contains('&') && HasGreater && HasLess) return GreaterOk && LessOk;
  if ((Greater >= 0 && GreaterOk) || (Less >= 0 && LessOk)) return true;
  return MatchWildcard(S, Value);
}

bool MatchCondition(const QString &Condition, const QString &Value, bool CaseSensitive)
{
  QString S = RemoveBlanksOutsideQuotes(Trim(Condition));
  if (S.startsWith('=')) S.remove(0, 1);
  const QString V = CaseSensitive ? Value : AnsiUpperCase(Value);
  auto Evaluate = [&](const QString &Sub) {
    return MatchValue(CaseSensitive ? Sub : AnsiUpperCase(Sub), V);
  };

  // No precedence: each result joins the running one by the operator before it.
  bool Result = false;
  QChar LastOp;
  bool AfterGroup = false;
  int P;
  for (;;) {
    const QChar Op = FindOperatorOutsideQuotes(QStringLiteral("(;^&|"), S, P);
    if (Op.isNull()) break;
    if (S.startsWith('(')) {
      // An unbalanced "(" takes the rest of the text as its group.
      const int Close = FindMatchingParen(S);
      const QString Inner = Close > 0 ? Copy(S, 2, Close - 2) : Copy(S, 2);
      S = Close > 0 ? Copy(S, Close + 1) : QString();
      Result = Combine(Result, MatchCondition(Inner, Value, CaseSensitive), LastOp);
      AfterGroup = true;
      continue;
    }
    if (AfterGroup && P == 1) {
      // The operator after a group only names how the next result joins.
      LastOp = Op;
    } else {
      Result = Combine(Result, Evaluate(Copy(S, 1, P - 1)), LastOp);
      LastOp = Op;
    }
    Delete(S, 1, P);
    AfterGroup = false;
  }
  if (AfterGroup && S.isEmpty()) return Result;
  return Combine(Result, Evaluate(S), LastOp);
}
