#include "editors/dropdown_input.h"

#include <algorithm>
#include <cstdlib>

#include "grid/foundation/grid_utils.h"

using ET = TDropDownEditType;

namespace {

constexpr QChar Backspace = QChar(8);

bool IsDigit(QChar c) { return c >= '0' && c <= '9'; }
bool IsRangeSeparator(QChar c) { return c == ',' || c == '-' || c == ';'; }

// The edit split into prefix, value and suffix, with the selection clipped to the value and
// counted from the value's start.
struct TWork {
  const TDropDownTextSettings &S;
  TDropDownEditState In;
  QString Value;
  int P = 0;      // Length(Prefix)
  int Start = 0;  // selection in the value
  int Len = 0;
  int Caret = 0;  // caret in the value

  TWork(const TDropDownEditState &State, const TDropDownTextSettings &Settings) : S(Settings), In(State)
  {
    Value = DropDownValueOf(State.Text, S);
    P = int(S.Prefix.size());
    const int n = int(Value.size());
    const int a = std::clamp(State.SelStart - P, 0, n);
    const int b = std::clamp(State.SelStart + State.SelLength - P, 0, n);
    Start = a;
    Len = b - a;
    Caret = std::clamp(State.Caret() - P, 0, n);
  }
  bool WholeSelected() const { return !Value.isEmpty() && Start == 0 && Len == Value.size(); }
  QString Selected() const { return Value.mid(Start, Len); }
  QString Replaced(const QString &With) const { return Value.left(Start) + With + Value.mid(Start + Len); }
};

TDropDownInputResult Verdict(TInputVerdict V, const TDropDownEditState &State)
{
  TDropDownInputResult r;
  r.Verdict = V;
  r.State = State;
  return r;
}
TDropDownInputResult Dropped(const TDropDownEditState &State) { return Verdict(TInputVerdict::Dropped, State); }
TDropDownInputResult PassOn(const TDropDownEditState &State) { return Verdict(TInputVerdict::PassOn, State); }

// The value V with the caret (or selection) at value positions; Changed and Modified follow the
// text.
TDropDownInputResult Result(const TWork &W, const QString &V, int SelStart, int SelLength = 0,
                            bool CaretAtStart = false)
{
  TDropDownInputResult r = Verdict(TInputVerdict::Applied, W.In);
  r.State.Text = DropDownEditTextOf(V, W.S);
  const int n = int(V.size());
  SelStart = std::clamp(SelStart, 0, n);
  r.State.SelStart = W.P + SelStart;
  r.State.SelLength = std::clamp(SelLength, 0, n - SelStart);
  r.State.CaretAtStart = CaretAtStart && r.State.SelLength > 0;
  r.Changed = r.State.Text != W.In.Text;
  if (r.Changed) r.State.Modified = true;
  return r;
}

// Money edits show no lone sign: a value reduced to "-" is empty.
TDropDownInputResult AfterMoneyDelete(const TWork &W, QString V, int Caret)
{
  if (V == QLatin1String("-") || V.isEmpty()) return Result(W, QString(), 0);
  const TMoneyFormatted m = DropDownFormatMoney(V, W.P + Caret, W.S);
  return Result(W, m.Value, m.Caret - W.P);
}

TDropDownInputResult DeleteText(const TWork &W, bool Forward)
{
  int from = W.Start, count = W.Len;
  if (count == 0)
  {
    if (Forward)
      count = W.Caret < W.Value.size() ? 1 : 0;
    else if (W.Caret > 0)
      from = W.Caret - 1, count = 1;
  }
  if (count == 0) return Dropped(W.In);
  const QString v = W.Value.left(from) + W.Value.mid(from + count);
  if (W.S.EditType == ET::etMoney) return AfterMoneyDelete(W, v, from);
  return Result(W, v, from);
}

// "-" in the number types: a whole selection becomes the lone sign; otherwise the sign is
// added in front or taken away, the caret moving with the text.
TDropDownInputResult ToggleSign(const TWork &W)
{
  if (W.WholeSelected()) return Result(W, QStringLiteral("-"), 1);
  if (!W.Value.contains(QLatin1Char('-'))) return Result(W, QLatin1Char('-') + W.Value, W.Caret + 1);
  return Result(W, W.Value.mid(1), std::max(0, W.Caret - 1));
}

TDropDownInputResult Insert(const TWork &W, const QString &Ch)
{
  return Result(W, W.Replaced(Ch), W.Start + int(Ch.size()));
}

// A sign anywhere but in front makes no number.
bool SignOnlyFirst(const QString &V) { return V.lastIndexOf(QLatin1Char('-')) <= 0; }

// Digits the nearest thousand separator stands from the caret; -1 without one.
int ThousandDistance(const QString &V, int Caret)
{
  const QChar thou = DropDownThousandSeparator();
  int best = -1;
  for (int k = 0; k < V.size(); ++k)
    if (V[k] == thou)
    {
      const int d = Caret > k ? Caret - k - 1 : k - Caret;
      if (best < 0 || d < best) best = d;
    }
  return best;
}

// Decimal typing rules shared by etFloat and etMoney (the distance, precision, empty-value and
// sign rules); nullopt: the character goes on.
std::optional<TDropDownInputResult> DecimalRules(const TWork &W, QChar Ch, bool FromThousandRule)
{
  const QChar dec = DropDownDecimalSeparator(), thou = DropDownThousandSeparator();
  if (FromThousandRule && (Ch == dec || Ch == thou))
  {
    const int d = ThousandDistance(W.Value, W.Caret);
    if (d >= 0 && d != 3) return Dropped(W.In);
  }
  const int point = int(W.Value.indexOf(dec));
  const int n = int(W.Value.size());
  if (W.S.Precision > 0 && point >= 0 && W.Caret > point && n - W.Caret <= W.S.Precision &&
      n - point - 1 >= W.S.Precision && (IsDigit(Ch) || Ch == dec) && W.Len == 0)
  {
    if (!IsDigit(Ch) || W.Caret >= n) return Dropped(W.In);
    // A full fraction: the digit overwrites the next one.
    return Result(W, W.Value.left(W.Caret) + Ch + W.Value.mid(W.Caret + 1), W.Caret + 1);
  }
  if (Ch == dec && W.Value.isEmpty() && W.Caret == 0) return Result(W, QStringLiteral("0") + dec, 2);
  if (Ch == '-') return ToggleSign(W);
  return std::nullopt;
}

TDropDownInputResult FloatChar(const TWork &W, QChar Ch)
{
  const QChar dec = DropDownDecimalSeparator(), thou = DropDownThousandSeparator();
  if ((Ch == ',' || Ch == '.') && Ch != dec && Ch != thou) return Dropped(W.In);
  if (!IsDigit(Ch) && Ch != ',' && Ch != '.' && Ch != '-') return Dropped(W.In);
  if (Ch == dec && !W.Selected().contains(dec))
  {
    if (W.Value.contains(dec) || W.S.Precision == 0)
    {
      if (W.S.Precision > 0 && W.Value.contains(dec))
        return Result(W, W.Value, int(W.Value.indexOf(dec)) + 1);
      return Dropped(W.In);
    }
  }
  if (Ch == ',' && W.Value.contains(QLatin1Char(',')) && !W.Selected().contains(QLatin1Char(',')) && thou != ',')
    return Dropped(W.In);
  if (auto r = DecimalRules(W, Ch, true)) return *r;
  if (!SignOnlyFirst(W.Replaced(Ch))) return Dropped(W.In);
  return Insert(W, Ch);
}

TDropDownInputResult MoneyChar(const TWork &W, QChar Ch)
{
  const QChar dec = DropDownDecimalSeparator();
  if (!IsDigit(Ch) && Ch != '-' && Ch != dec) return Dropped(W.In);
  // The separator over the whole value starts a zero; with one in the value it only moves.
  if (Ch == dec && (W.Value.contains(dec) || W.S.Precision == 0 || (W.WholeSelected() && W.S.Precision > 0)))
  {
    if (W.S.Precision <= 0) return Dropped(W.In);
    QString v = W.Value;
    if (W.WholeSelected()) v = DropDownWrittenValue(QStringLiteral("0") + dec + QStringLiteral("0"), W.S);
    return Result(W, v, int(v.indexOf(dec)) + 1);
  }
  if (auto r = DecimalRules(W, Ch, Ch == dec)) return *r;
  const QString v = W.Replaced(Ch);
  if (!SignOnlyFirst(v)) return Dropped(W.In);
  const int caret = W.Start + 1;
  if (v.isEmpty() || v == QLatin1String("-") || Ch == dec) return Result(W, v, caret);
  const TMoneyFormatted m = DropDownFormatMoney(v, W.P + caret, W.S);
  return Result(W, m.Value, m.Caret - W.P);
}

bool IsAsciiAlnum(QChar c)
{
  return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsHexChar(QChar c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

int HexDigits(const QString &V)
{
  return int(std::count_if(V.begin(), V.end(), [](QChar c) { return IsHexChar(c); }));
}

TDropDownInputResult TypedChar(const TWork &W, QChar Ch, bool Ctrl)
{
  switch (W.S.EditType)
  {
  case ET::etString:
  case ET::etPassword:
    return Insert(W, Ch);
  case ET::etUppercase:
    return Insert(W, Ch.toUpper());
  case ET::etLowerCase:
    return Insert(W, Ch.toLower());
  case ET::etMixedCase: {
    const QString v = CapitalizeWords(W.Replaced(Ch));
    return Result(W, v, W.Start + 1);
  }
  case ET::etAlphaNumeric:
    return IsAsciiAlnum(Ch) ? Insert(W, Ch) : Dropped(W.In);
  case ET::etValidChars:
    return W.S.ValidChars.contains(Ch) ? Insert(W, Ch) : Dropped(W.In);
  case ET::etHex: {
    if (!IsHexChar(Ch) && Ch != '-') return Dropped(W.In);
    const QString v = W.Replaced(Ch);
    // A sign in front only, and no more digits than a 32-bit value holds.
    if (!SignOnlyFirst(v) || HexDigits(v) > 8) return Dropped(W.In);
    return Insert(W, Ch);
  }
  case ET::etRange: {
    if (!IsDigit(Ch) && !IsRangeSeparator(Ch)) return Dropped(W.In);
    if (IsRangeSeparator(Ch))
    {
      const int left = W.Start, right = W.Start + W.Len;
      if (left <= 0 || IsRangeSeparator(W.Value[left - 1]) ||
          (right < W.Value.size() && IsRangeSeparator(W.Value[right])))
        return Dropped(W.In);
    }
    return Insert(W, Ch);
  }
  case ET::etNumeric:
    if (Ch == '-') return ToggleSign(W);
    if (IsDigit(Ch)) return SignOnlyFirst(W.Replaced(Ch)) ? Insert(W, Ch) : Dropped(W.In);
    return Ctrl ? PassOn(W.In) : Dropped(W.In);
  case ET::etFloat:
    return FloatChar(W, Ch);
  case ET::etMoney:
    return MoneyChar(W, Ch);
  }
  return Dropped(W.In);
}

}  // namespace

TDropDownInputResult DropDownKeyDown(const TDropDownEditState &State, TDropDownKey Key, bool Shift,
                                     bool Ctrl, bool ReturnIsTab, const TDropDownTextSettings &S,
                                     const TDropDownEditEnv &Env)
{
  const TWork W(State, S);
  const int end = int(W.Value.size());
  const bool hasPrefix = !S.Prefix.isEmpty(), hasSuffix = !S.Suffix.isEmpty();
  // The selection's fixed end while Shift extends it.
  const int anchor = State.CaretAtStart ? W.Start + W.Len : W.Start;
  auto moveTo = [&](int Caret) {
    Caret = std::clamp(Caret, 0, end);
    if (!Shift) return Result(W, W.Value, Caret);
    return Result(W, W.Value, std::min(anchor, Caret), std::abs(Caret - anchor), Caret < anchor);
  };
  switch (Key)
  {
  case TDropDownKey::Enter:
    if (Ctrl || !ReturnIsTab) return PassOn(State);
    {
      TDropDownInputResult r = PassOn(State);
      r.EnterAsTab = true;
      return r;
    }
  case TDropDownKey::Right:
    if (hasSuffix && W.Start + W.Len >= end && (!Shift || W.Caret >= end)) return Dropped(State);
    if (!Shift && W.Len > 0) return moveTo(W.Start + W.Len);
    return moveTo(W.Caret + 1);
  case TDropDownKey::Left:
    if (hasPrefix && State.SelStart + State.SelLength <= W.P) return Dropped(State);
    if (!Shift && W.Len > 0) return moveTo(W.Start);
    return moveTo(W.Caret - 1);
  case TDropDownKey::Home:
    if (hasPrefix && Shift) return Result(W, W.Value, 0, end, true);
    return moveTo(0);
  case TDropDownKey::End:
    return moveTo(end);
  case TDropDownKey::Delete: {
    if (!Env.EditorEnabled || Env.ReadOnly) return Dropped(State);
    if (hasSuffix && W.Start + W.Len >= end && W.Len == 0) return Dropped(State);
    if (S.LengthLimit > 0)
    {
      const QString after =
          W.Len > 0 ? W.Replaced(QString()) : W.Value.left(W.Caret) + W.Value.mid(W.Caret + 1);
      if (DropDownIntegerPartLength(after, S) > S.LengthLimit) return Dropped(State);
    }
    return DeleteText(W, true);
  }
  case TDropDownKey::Backspace:  // deleted by the character that follows
  case TDropDownKey::Other:
    break;
  }
  return PassOn(State);
}

TDropDownInputResult DropDownChar(const TDropDownEditState &State, QChar Ch, bool Ctrl, bool Keypad,
                                  const TDropDownTextSettings &S, const TDropDownEditEnv &Env)
{
  if (!Env.EditorEnabled || Env.ReadOnly) return Dropped(State);
  const TWork W(State, S);
  const QChar dec = DropDownDecimalSeparator();
  if (Ch == '\r') return Ctrl ? Dropped(State) : PassOn(State);
  if (Ch == QChar(27) || Ch == '\t') return PassOn(State);
  if (Ctrl && (Ch == QChar(3) || Ch == QChar(22) || Ch == QChar(24))) return PassOn(State);
  if (S.ExcelStyleDecimalSeparator && Keypad && (Ch == '.' || Ch == ',')) Ch = dec;
  if (Ch == Backspace && !S.Prefix.isEmpty() && W.Len == 0 && State.Caret() <= W.P) return Dropped(State);
  if (S.LengthLimit > 0 && Ch != Backspace && Ch != dec &&
      !(Ch == '-' && S.Signed && IsSignedNumberType(S.EditType)) && W.Len == 0 &&
      DropDownIntegerPartLength(W.Value, S) >= S.LengthLimit)
  {
    const int point = int(W.Value.indexOf(dec));
    if (point < 0 || W.Caret <= point) return Dropped(State);
  }
  if (Ch == Backspace) return DeleteText(W, false);
  if (Ch.unicode() < 32) return Dropped(State);  // Ctrl+J and the other control characters
  if (Ch == '-' && IsSignedNumberType(S.EditType) && !S.Signed) return Dropped(State);
  return TypedChar(W, Ch, Ctrl);
}

QString DropDownSelectedValue(const TDropDownEditState &State, const TDropDownTextSettings &S)
{
  return TWork(State, S).Selected();
}

QString DropDownPasteCandidate(const TDropDownEditState &State, const QString &Clip,
                               const TDropDownTextSettings &S)
{
  return TWork(State, S).Replaced(Clip);
}

TDropDownInputResult DropDownPaste(const TDropDownEditState &State, const QString &Clip,
                                   const TDropDownTextSettings &S, const TDropDownEditEnv &Env)
{
  if (!Env.EditorEnabled || Env.ReadOnly || Clip.isEmpty()) return Dropped(State);
  const TWork W(State, S);
  if (Env.MaxLength > 0 && Clip.size() + W.Value.size() - W.Len > Env.MaxLength) return Dropped(State);
  const QString candidate = W.Replaced(Clip);
  auto allChars = [&](auto Pred) { return std::all_of(candidate.begin(), candidate.end(), Pred); };
  const bool noSign = !candidate.contains(QLatin1Char('-'));
  QString v;
  switch (S.EditType)
  {
  case ET::etString:
  case ET::etPassword:
    v = candidate;
    break;
  case ET::etUppercase:
    v = candidate.toUpper();
    break;
  case ET::etLowerCase:
    v = candidate.toLower();
    break;
  case ET::etMixedCase:
    v = CapitalizeWords(candidate);
    break;
  case ET::etNumeric:
    if (ClassifyNumericText(candidate) != TNumericClass::ncInteger || (!S.Signed && !noSign))
      return Dropped(State);
    v = DropDownWrittenValue(candidate, S);
    break;
  case ET::etFloat:
  case ET::etMoney: {
    const TNumericClass c = ClassifyNumericText(candidate);
    if ((c != TNumericClass::ncInteger && c != TNumericClass::ncDecimal) ||
        (S.Precision == 0 && Clip.contains(DropDownDecimalSeparator())) || (!S.Signed && !noSign))
      return Dropped(State);
    v = *DropDownFloatValueText(DropDownFloatValue(DropDownWrittenValue(candidate, S), S), S);
    break;
  }
  case ET::etAlphaNumeric:
    if (!allChars(IsAsciiAlnum)) return Dropped(State);
    v = candidate;
    break;
  case ET::etValidChars:
    if (!allChars([&](QChar c) { return S.ValidChars.contains(c); })) return Dropped(State);
    v = candidate;
    break;
  case ET::etRange:
  case ET::etHex:
    return Dropped(State);
  }
  if (S.EditType == ET::etMoney && v.size() > 3) return Result(W, v, 0, int(v.size()));
  if (W.Len > 0) return Result(W, v, W.Start, int(Clip.size()));
  return Result(W, v, W.Start + int(Clip.size()));
}

TDropDownInputResult DropDownCut(const TDropDownEditState &State, const TDropDownTextSettings &S,
                                 const TDropDownEditEnv &Env)
{
  if (!Env.EditorEnabled || Env.ReadOnly) return Dropped(State);
  const TWork W(State, S);
  if (W.Len == 0) return Dropped(State);
  TDropDownInputResult r = Result(W, W.Replaced(QString()), W.Start);
  r.Clipboard = W.Selected();
  return r;
}

bool DropDownPressKeepsSelection(const TDropDownEditState &State, int Pos)
{
  return State.SelLength > 0 && Pos >= State.SelStart && Pos <= State.SelStart + State.SelLength;
}

TDropDownEditState DropDownAfterRelease(const TDropDownEditState &State, bool ButtonDown, int CharPos,
                                        const TDropDownTextSettings &S)
{
  TDropDownEditState r = State;
  if (ButtonDown)
  {
    r.SelStart = CharPos;
    r.SelLength = 0;
    r.CaretAtStart = false;
  }
  const int p = int(S.Prefix.size());
  const int end = p + int(DropDownValueOf(r.Text, S).size());
  if (!S.Prefix.isEmpty() && r.SelLength == 0 && r.SelStart < p)
  {
    r.SelStart = p;
    r.SelLength = end - p;
    r.CaretAtStart = false;
  }
  if (!S.Suffix.isEmpty())
  {
    if (r.SelStart > end) r.SelStart = end, r.SelLength = 0;
    if (r.SelStart + r.SelLength > end) r.SelLength = end - r.SelStart;
  }
  return r;
}
