#include "grid/foundation/filter_conditions.h"

#include "framework/system/sysutils.h"
#include "grid/foundation/grid_utils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

// Joins the result of a sub-condition to the running result; a null operator starts it.
bool Combine(bool Running, bool New, QChar Op)
{
  if (Op == '&') return Running && New;
  if (Op == ';' || Op == '^' || Op == '|') return Running || New;
  return New;
}

template <typename T>
int Sign(T A, T B)
{
  return A < B ? -1 : A > B ? 1 : 0;
}

// Ordinal order over at most the first 255 characters of each side.
int CompareOrdinal(const QString &A, const QString &B)
{
  const qsizetype NA = std::min<qsizetype>(A.size(), 255), NB = std::min<qsizetype>(B.size(), 255);
  for (qsizetype I = 0, N = std::min(NA, NB); I < N; ++I)
    if (A[I] != B[I]) return Sign(A[I].unicode(), B[I].unicode());
  return Sign(NA, NB);
}

// One side of a comparison, read as a number and as a locale date only when the other side
// makes that reading matter.
class TCompareSide {
public:
  // With Fold the side stands for the text upper-cased, which is made only when needed.
  explicit TCompareSide(const QString &Text, bool Fold = false) : FText(Text), FFoldPending(Fold) {}
  const QString &Text() const
  {
    if (FFoldPending) {
      FText = AnsiUpperCase(FText);
      FFoldPending = false;
    }
    return FText;
  }
  // The text as given, still to be upper-cased when FoldPending.
  const QString &RawText() const { return FText; }
  bool FoldPending() const { return FFoldPending; }
  bool IsNumber() const
  {
    if (FNumberState < 0) {
      static const TFormatSettings PointDecimal = TFormatSettings::Invariant();
      FNumberState = TryStrToFloat(NumberTextForVal(Text()), FNumber, PointDecimal);
    }
    return FNumberState;
  }
  double Number() const { return FNumber; }
  bool IsDate() const
  {
    if (FDateState < 0) FDateState = ParseLocaleDate(Text(), FDate);
    return FDateState;
  }
  // Before day 0 a date-time is the day minus the time of day; ordered by day, then time.
  double When() const
  {
    if (FDate >= 0) return FDate;
    const double Day = std::ceil(FDate);
    return Day + (Day - FDate);
  }

private:
  mutable QString FText;
  mutable bool FFoldPending;
  mutable int8_t FNumberState = -1, FDateState = -1;
  mutable double FNumber = 0;
  mutable TDateTime FDate = 0;
};

// Numbers when both sides are numbers and neither is a date, else dates when both are dates,
// else ordinal text order.
int CompareToOperand(const TCompareSide &Value, const TCompareSide &Operand)
{
  if (Operand.IsDate()) {
    if (Value.IsDate()) return Sign(Value.When(), Operand.When());
  } else if (Operand.IsNumber() && Value.IsNumber() && !Value.IsDate()) {
    return Sign(Value.Number(), Operand.Number());
  }
  return CompareOrdinal(Value.Text(), Operand.Text());
}

// A comparison operator of a sub-condition with its operand: after an optional "=" and
// blanks, up to the end. A quoted operand is the whole quoted text, blanks included.
struct TOperand {
  bool OrEqual = false;
  TCompareSide Side;

  // Read in full here, so that a prepared condition is not changed by matching (several
  // threads may share it).
  TOperand(const QString &Text, qsizetype OpIndex) : Side(OperandText(Text, OpIndex, OrEqual))
  {
    Side.IsNumber();
    Side.IsDate();
  }

  static QString OperandText(const QString &Text, qsizetype OpIndex, bool &OrEqual)
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
};

// A sub-condition read once. A "*" hands the rest of the pattern back to the whole sub-condition
// test, so the rest after each run of stars is an entry of its own with its own comparisons
// and negation. Entries whose rest has no comparison and no "!" are plain wildcards.
class TValueMatcher {
public:
  explicit TValueMatcher(const QString &Text);
  bool Matches(const TCompareSide &Value) const;

private:
  struct TEntry {
    qsizetype Start;   // where the rest begins
    qsizetype SegEnd;  // the next "*" after Start, or the end of the text
    qsizetype Greater, Less;  // first ">" and "<" of the rest, -1 when none
    bool Not, Caret, Amp;
    bool Plain() const { return Greater < 0 && Less < 0 && !Not; }
  };
  enum TDecision : int8_t { dFalse, dTrue, dPattern };
  TDecision Compare(const TEntry &E, const TOperand *Greater, const TOperand *Less,
                    const TCompareSide &Value) const;
  bool Wildcard(qsizetype From, const QString &Value, qsizetype C, bool Floating) const;
  bool MatchesThroughEntries(const TCompareSide &Value) const;

  QString FText;
  std::vector<TEntry> FEntries;  // [0] is the whole text
  size_t FPlainFrom;             // the first plain entry after [0], FEntries.size() when none
  std::optional<TOperand> FGreater, FLess;  // of entry [0]
};

TValueMatcher::TValueMatcher(const QString &Text) : FText(Text)
{
  const qsizetype N = FText.size();
  FEntries.push_back({0, 0, -1, -1, false, false, false});
  for (qsizetype I = 0; I < N; ++I) {
    if (FText[I] != '*') continue;
    while (I < N && FText[I] == '*') ++I;
    FEntries.push_back({I, 0, -1, -1, false, false, false});
    --I;
  }
  // The flags of every rest in one pass from the end.
  qsizetype Greater = -1, Less = -1, Star = N;
  bool Not = false, Caret = false, Amp = false;
  size_t E = FEntries.size();
  for (qsizetype I = N; I >= 0 && E > 0; --I) {
    while (E > 0 && FEntries[E - 1].Start == I) {
      TEntry &En = FEntries[--E];
      En.SegEnd = Star;
      En.Greater = Greater;
      En.Less = Less;
      En.Not = Not;
      En.Caret = Caret;
      En.Amp = Amp;
    }
    if (I == 0) break;
    const QChar C = FText[I - 1];
    if (C == '*') Star = I - 1;
    else if (C == '>') Greater = I - 1;
    else if (C == '<') Less = I - 1;
    else if (C == '!') Not = true;
    else if (C == '^') Caret = true;
    else if (C == '&') Amp = true;
  }
  FPlainFrom = 1;
  while (FPlainFrom < FEntries.size() && !FEntries[FPlainFrom].Plain()) ++FPlainFrom;
  if (FEntries[0].Greater >= 0) FGreater.emplace(FText, FEntries[0].Greater);
  if (FEntries[0].Less >= 0) FLess.emplace(FText, FEntries[0].Less);
}

// The comparisons decide when they hold (or, joined by a quoted "^" or "&", either way);
// otherwise the text is matched as a pattern.
TValueMatcher::TDecision TValueMatcher::Compare(const TEntry &E, const TOperand *Greater, const TOperand *Less,
                                                const TCompareSide &Value) const
{
  bool GreaterOk = true, LessOk = true;
  bool HasGreater = Greater != nullptr, HasLess = Less != nullptr;
  if (Greater) {
    const int C = CompareToOperand(Value, Greater->Side);
    GreaterOk = Greater->OrEqual ? C >= 0 : C > 0;
  }
  if (Less) {
    const int C = CompareToOperand(Value, Less->Side);
    LessOk = Less->OrEqual ? C <= 0 : C < 0;
  }
  if (E.Not) HasGreater = HasLess = true;
  // Ranges (">a^<b", ">a&<b") only reach here with the joining character quoted.
  if (E.Caret && (HasGreater || HasLess)) return GreaterOk || LessOk ? dTrue : dFalse;
  if (E.Amp && HasGreater && HasLess) return GreaterOk && LessOk ? dTrue : dFalse;
  if ((Greater && GreaterOk) || (Less && LessOk)) return dTrue;
  return dPattern;
}

bool IsAscii(const QString &Text)
{
  char16_t Or = 0;
  for (QChar C : Text) Or |= C.unicode();
  return Or < 0x80;
}

// The pattern from From on as a plain pattern ("*" any run, "?" one character, double quotes
// and "!" match nothing) against the value from C to its end; Floating lets the match begin
// anywhere from C on. Backtracking only to the latest "*" keeps the time at most pattern
// length x value length. FoldAscii upper-cases an ASCII value on the way.
template <bool FoldAscii>
bool PlainWildcard(const QString &Pattern, qsizetype From, const QString &Value, qsizetype C, bool Floating)
{
  const char16_t *P = reinterpret_cast<const char16_t *>(Pattern.constData());
  const char16_t *V = reinterpret_cast<const char16_t *>(Value.constData());
  const qsizetype NP = Pattern.size(), NV = Value.size();
  auto At = [V](qsizetype I) -> char16_t {
    const char16_t Ch = V[I];
    if constexpr (FoldAscii) return Ch >= u'a' && Ch <= u'z' ? char16_t(Ch - 32) : Ch;
    return Ch;
  };
  qsizetype Pi = From, Vi = C, Resume = Floating ? From : -1, StarV = C;
  for (;;) {
    while (Pi < NP && (P[Pi] == u'"' || P[Pi] == u'!')) ++Pi;
    if (Vi == NV) break;
    if (Pi < NP && P[Pi] == u'*') {
      while (Pi < NP && P[Pi] == u'*') ++Pi;
      Resume = Pi;
      StarV = Vi;
    } else if (Pi < NP && (P[Pi] == u'?' || P[Pi] == At(Vi))) {
      ++Pi;
      ++Vi;
    } else if (Resume >= 0) {
      // Let the latest star swallow one more character and retry the rest after it.
      Pi = Resume;
      Vi = ++StarV;
    } else {
      return false;
    }
  }
  while (Pi < NP && (P[Pi] == u'*' || P[Pi] == u'"' || P[Pi] == u'!')) ++Pi;
  return Pi == NP;
}

bool TValueMatcher::Wildcard(qsizetype From, const QString &Value, qsizetype C, bool Floating) const
{
  return PlainWildcard<false>(FText, From, Value, C, Floating);
}

bool TValueMatcher::Matches(const TCompareSide &Value) const
{
  const TEntry &E = FEntries[0];
  const TDecision D = Compare(E, FGreater ? &*FGreater : nullptr, FLess ? &*FLess : nullptr, Value);
  if (D != dPattern) return D == dTrue;
  // With plain rests after every star the whole text is one plain pattern.
  if (FPlainFrom == 1) {
    // An ASCII value is upper-cased character by character, without a copy.
    if (Value.FoldPending() && IsAscii(Value.RawText()))
      return PlainWildcard<true>(FText, 0, Value.RawText(), 0, false) != E.Not;
    return Wildcard(0, Value.Text(), 0, false) != E.Not;
  }
  return MatchesThroughEntries(Value);
}

// Entries that compare or negate, evaluated for every suffix of the value from the last entry
// back to the first: a star needs only "some suffix from here matches the next entry", a
// running or over the next entry's results.
bool TValueMatcher::MatchesThroughEntries(const TCompareSide &Value) const
{
  const QString &V = Value.Text();
  const qsizetype NV = V.size();
  std::vector<std::optional<TCompareSide>> Suffixes(size_t(NV) + 1);
  auto Suffix = [&](qsizetype J) -> const TCompareSide & {
    if (J == 0) return Value;
    auto &S = Suffixes[size_t(J)];
    if (!S) S.emplace(V.mid(J));
    return *S;
  };
  // AnyNext[c]: some suffix from c on matches the entry after the one being evaluated.
  std::vector<int8_t> AnyNext(size_t(NV) + 1, -1), AnyCur(size_t(NV) + 1, 0);
  auto AnyFrom = [&](size_t Entry, qsizetype C) -> bool {
    if (Entry >= FPlainFrom) {  // plain entries are matched on demand
      int8_t &A = AnyNext[size_t(C)];
      if (A < 0) A = Wildcard(FEntries[Entry].Start, V, C, true);
      return A;
    }
    return AnyNext[size_t(C)];
  };
  auto Evaluate = [&](size_t Entry, qsizetype J, const TOperand *Greater, const TOperand *Less) -> bool {
    const TEntry &E = FEntries[Entry];
    const TDecision D = Compare(E, Greater, Less, Suffix(J));
    if (D != dPattern) return D == dTrue;
    qsizetype C = J;
    for (qsizetype P = E.Start; P < E.SegEnd; ++P) {
      const QChar Ch = FText[P];
      if (Ch == '!' || Ch == '"') continue;
      if (C == NV || (Ch != '?' && Ch != V[C])) return E.Not;
      ++C;
    }
    const bool Hit = E.SegEnd < FText.size() ? AnyFrom(Entry + 1, C) : C == NV;
    return Hit != E.Not;
  };
  for (size_t Entry = FPlainFrom - 1; Entry >= 1; --Entry) {
    const TEntry &E = FEntries[Entry];
    std::optional<TOperand> Greater, Less;
    if (E.Greater >= 0) Greater.emplace(FText, E.Greater);
    if (E.Less >= 0) Less.emplace(FText, E.Less);
    bool Any = false;
    for (qsizetype J = NV; J >= 0; --J) {
      Any = Any || Evaluate(Entry, J, Greater ? &*Greater : nullptr, Less ? &*Less : nullptr);
      AnyCur[size_t(J)] = Any;
    }
    AnyNext.swap(AnyCur);
  }
  return Evaluate(0, 0, FGreater ? &*FGreater : nullptr, FLess ? &*FLess : nullptr);
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
  return TValueMatcher(SubCondition).Matches(TCompareSide(Value));
}

// The condition becomes a flat program: a leaf tests one sub-condition and joins its result to
// the running result of the innermost open group, a group opens a fresh result and closes by
// joining it to the enclosing one. Groups are parsed with an explicit stack, so the depth of
// nesting costs neither stack nor quadratic rescanning.
struct TFilterCondition::TProgram {
  enum TKind : uint8_t { skLeaf, skOpen, skClose };
  struct TStep {
    TKind Kind;
    QChar Op;  // how the result joins the running one; null for the first
    int Sub;   // index into Subs for a leaf
  };
  std::vector<TStep> Steps;
  std::vector<TValueMatcher> Subs;  // upper-cased when the match ignores case
  bool CaseSensitive = true;
  int MaxDepth = 0;
};

namespace {

bool IsConditionOperator(QChar C)
{
  return C == '(' || C == ';' || C == '^' || C == '&' || C == '|';
}

// For each "(" outside quotes the index of the ")" that closes it, -1 when none does.
std::vector<qsizetype> ClosingParens(const QString &S)
{
  std::vector<qsizetype> Close(size_t(S.size()), -1), Open;
  bool Quoted = false;
  for (qsizetype I = 0; I < S.size(); ++I) {
    const QChar C = S[I];
    if (C == '"') Quoted = !Quoted;
    if (Quoted) continue;
    if (C == '(') {
      Open.push_back(I);
    } else if (C == ')' && !Open.empty()) {
      Close[size_t(Open.back())] = I;
      Open.pop_back();
    }
  }
  return Close;
}

// Every level reads as a condition of its own: trimmed, with a leading "=" dropped. Blanks
// outside quotes are removed once for the whole text; each level starts outside quotes, so
// that agrees with removing them level by level.
std::shared_ptr<TFilterCondition::TProgram> Compile(const QString &Condition, bool CaseSensitive)
{
  using TProgram = TFilterCondition::TProgram;
  auto Program = std::make_shared<TProgram>();
  Program->CaseSensitive = CaseSensitive;
  const QString S = RemoveBlanksOutsideQuotes(Trim(Condition));
  const std::vector<qsizetype> Close = ClosingParens(S);

  struct TLevel {
    qsizetype Cur, End;
    QChar LastOp;        // the operator before the next result
    bool AfterGroup;     // a group was just joined; an operator right here only names the next join
    QChar GroupOp;       // how this level's result joins the enclosing level
  };
  std::vector<TLevel> Levels;
  auto Enter = [&](qsizetype B, qsizetype E, QChar GroupOp) {
    while (B < E && S[B].unicode() <= 0x20) ++B;
    while (E > B && S[E - 1].unicode() <= 0x20) --E;
    if (B < E && S[B] == '=') ++B;
    Levels.push_back({B, E, QChar(), false, GroupOp});
    Program->MaxDepth = std::max(Program->MaxDepth, int(Levels.size()));
  };
  auto AddLeaf = [&](QChar Op, qsizetype B, qsizetype E) {
    const QString Sub = S.mid(B, E - B);
    Program->Subs.emplace_back(CaseSensitive ? Sub : AnsiUpperCase(Sub));
    Program->Steps.push_back({TProgram::skLeaf, Op, int(Program->Subs.size() - 1)});
  };

  Enter(0, S.size(), QChar());
  while (!Levels.empty()) {
    TLevel &L = Levels.back();
    qsizetype P = -1;
    bool Quoted = false;
    for (qsizetype I = L.Cur; I < L.End && P < 0; ++I) {
      const QChar C = S[I];
      if (C == '"') Quoted = !Quoted;
      else if (!Quoted && IsConditionOperator(C)) P = I;
    }
    if (P < 0) {
      if (!(L.AfterGroup && L.Cur == L.End)) AddLeaf(L.LastOp, L.Cur, L.End);
      const QChar GroupOp = L.GroupOp;
      Levels.pop_back();
      if (!Levels.empty()) {
        Program->Steps.push_back({TProgram::skClose, GroupOp, -1});
        Levels.back().AfterGroup = true;
      }
      continue;
    }
    if (S[L.Cur] == '(') {
      // An unbalanced "(" takes the rest of its level as its group.
      const qsizetype C = Close[size_t(L.Cur)];
      const bool Closed = C >= 0 && C < L.End;
      const qsizetype Begin = L.Cur + 1, InnerEnd = Closed ? C : L.End;
      const QChar Op = L.LastOp;
      L.Cur = Closed ? C + 1 : L.End;
      Program->Steps.push_back({TProgram::skOpen, QChar(), -1});
      Enter(Begin, InnerEnd, Op);  // L is invalid from here
      continue;
    }
    if (!(L.AfterGroup && P == L.Cur)) AddLeaf(L.LastOp, L.Cur, P);
    L.LastOp = S[P];
    L.Cur = P + 1;
    L.AfterGroup = false;
  }
  return Program;
}

}  // namespace

TFilterCondition::TFilterCondition() : TFilterCondition(QString(), true) {}

TFilterCondition::TFilterCondition(const QString &Condition, bool CaseSensitive)
    : FProgram(Compile(Condition, CaseSensitive))
{
}

bool TFilterCondition::Matches(const QString &Value) const
{
  const TProgram &P = *FProgram;
  // The value is upper-cased, and read as a number or a date, at most once for all
  // sub-conditions.
  const TCompareSide V(Value, !P.CaseSensitive);
  // One running result per open group.
  char Local[64];
  std::unique_ptr<char[]> Heap;
  char *Results = Local;
  if (P.MaxDepth >= int(sizeof Local)) {
    Heap = std::make_unique<char[]>(size_t(P.MaxDepth) + 1);
    Results = Heap.get();
  }
  int Top = 0;
  Results[0] = false;
  for (const TProgram::TStep &Step : P.Steps) {
    switch (Step.Kind) {
    case TProgram::skLeaf: {
      // A result that the join cannot change needs no test.
      const bool R = Results[Top];
      if (Step.Op == '&' && !R) break;
      if ((Step.Op == ';' || Step.Op == '^' || Step.Op == '|') && R) break;
      Results[Top] = Combine(R, P.Subs[size_t(Step.Sub)].Matches(V), Step.Op);
      break;
    }
    case TProgram::skOpen:
      Results[++Top] = false;
      break;
    case TProgram::skClose:
      --Top;
      Results[Top] = Combine(Results[Top], Results[Top + 1], Step.Op);
      break;
    }
  }
  return Results[0];
}

bool MatchCondition(const QString &Condition, const QString &Value, bool CaseSensitive)
{
  return TFilterCondition(Condition, CaseSensitive).Matches(Value);
}
