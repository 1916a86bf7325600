#include "grid/foundation/grid_utils.h"

#include "framework/classes/classes.h"
#include "framework/system/codepages.h"
#include "framework/system/sysutils.h"

#include <algorithm>
#include <array>

namespace {

constexpr QChar CR(13);
constexpr QChar LF(10);

bool StartsWithStr(const QString &Text, const char *Prefix)
{
  return Text.startsWith(QLatin1String(Prefix));
}

// Maps every character through Fn, which answers the replacement (empty drops the character).
template <typename F>
QString MapChars(const QString &Text, F Fn)
{
  QString R;
  R.reserve(Text.size());
  for (QChar C : Text) Fn(C, R);
  return R;
}

bool IsAsciiDigit(QChar C) { return C >= '0' && C <= '9'; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Cell text kinds and packed wide text

int CellTextKind(const QString &Text, bool DetectHTML)
{
  // Asked for every painted cell: no copy of the text.
  if (Text.startsWith(QLatin1Char('='))) return 3;
  if (StartsWithStr(Text, "|\\")) return Text.size() > 3 && Text[2].unicode() == 0 && Text[3] == '=' ? 3 : 5;
  if (StartsWithStr(Text, "{\\")) return 2;
  if (DetectHTML && Text.contains(QLatin1Char('<'))) {
    for (const char *Tag : {"</", "<B", "<I", "<C"})
      if (Text.contains(QLatin1String(Tag))) return 1;
  }
  return 0;
}

QString PackWideText(const QString &Text)
{
  QString R = QStringLiteral("|\\");
  R.reserve(2 + 2 * Text.size());
  for (QChar C : Text) {
    R += QChar(C.unicode() >> 8);
    R += QChar(C.unicode() & 0xFF);
  }
  return R;
}

QString UnpackWideText(const QString &Text)
{
  if (!StartsWithStr(Text, "|\\")) return Text;
  QString R;
  R.reserve((Text.size() - 2) / 2);
  for (qsizetype I = 2; I + 1 < Text.size(); I += 2)
    R += QChar(char16_t(((Text[I].unicode() & 0xFF) << 8) | (Text[I + 1].unicode() & 0xFF)));
  return R;
}

int WidePos(const QString &Sub, const QString &Text) { return Pos(Sub, Text); }

// ---------------------------------------------------------------------------------------------
// Numbers

bool IsNumberChar(QChar C) { return C.isNumber(); }

int ClassifyNumberText(const QString &Text)
{
  if (Text.isEmpty()) return 2;
  const QChar Thousand = FormatSettings.ThousandSeparator;
  const QChar Decimal = FormatSettings.DecimalSeparator;
  const int N = int(Text.size());
  bool IntegerOk = true, NumberOk = true, FloatOk = true, ExponentSeen = false;
  int LastThousand = 0, Minus = 0, Decimals = 0;
  for (int I = 1; I <= N; ++I) {
    const QChar C = Text[I - 1];
    const bool Digit = IsNumberChar(C);
    const bool Exp = C == 'e' || C == 'E';
    if (C == '-') {
      ++Minus;
      if (I > 1) IntegerOk = NumberOk = false;
    } else if (!Digit) {
      IntegerOk = false;
    }
    if (!Digit && C != '-' && C != Thousand && C != Decimal) NumberOk = false;
    if (C == Thousand) {
      // Groups of three digits: a separator 3 or fewer places after the previous is no group.
      if (LastThousand > 0 && I - LastThousand <= 3) NumberOk = false;
      LastThousand = I;
      FloatOk = false;
    }
    if (C == Decimal) ++Decimals;
    if (Exp) {
      if (ExponentSeen || I == 1) FloatOk = false;
      ExponentSeen = true;
    }
    if (!Digit && C != Decimal && !Exp && C != '+' && C != '-') FloatOk = false;
  }
  const QChar Last = Text[N - 1];
  if (Last == '+' || Last == '-' || Last == 'e' || Last == 'E') FloatOk = false;

  int Result;
  if (IntegerOk) {
    Result = 0;
  } else {
    Result = NumberOk && !ExponentSeen ? 1 : 2;
    if (FloatOk && ExponentSeen) {
      Result = 5;
      if (Minus == 2) Minus = 1;  // a sign of the mantissa and one of the exponent
    }
  }
  if (Minus > 1 || Decimals > 1) Result = 2;
  return Result;
}

QString NormalizeNumberText(const QString &Text)
{
  if (Text.isEmpty()) return Text;
  const QChar Thousand = FormatSettings.ThousandSeparator;
  const QChar Decimal = FormatSettings.DecimalSeparator;
  bool Negative = Text.startsWith('(') && Text.endsWith(')');
  qsizetype Start = 0;
  while (Text.size() - Start >= 2) {
    const QChar C = Text[Start];
    if (IsAsciiDigit(C) || C == Thousand || C == Decimal || C == 'e' || C == 'E') break;
    if (C == '-') Negative = true;
    ++Start;
  }
  QString R;
  for (qsizetype I = Start; I < Text.size(); ++I) {
    const QChar C = Text[I];
    if (C == Thousand) continue;
    if (C == Decimal) R += QLatin1Char('.');
    else if (IsAsciiDigit(C) || C == '-' || C == '.' || C == 'e' || C == 'E' || C == '+') R += C;
    else break;
  }
  return Negative ? QLatin1Char('-') + R : R;
}

int ClampToRange(int Value, int Min, int Max)
{
  if (Min == Max) return Value;
  if (Min > 0 && Value < Min) Value = Min;
  if (Max > 0 && Value > Max) Value = Max;
  return Value;
}

int MaxOf(int A, int B) { return A > B ? A : B; }
int MinOf(int A, int B) { return A < B ? A : B; }

// ---------------------------------------------------------------------------------------------
// Dates

bool ParseLocaleDate(const QString &Text, TDateTime &Value)
{
  const QChar Sep = FormatSettings.DateSeparator;
  const int P1 = Pos(Sep, Text);
  if (P1 == 0) return false;
  const int P2 = PosEx(QString(Sep), Text, P1 + 1);
  if (P2 == 0) return false;

  QString Fields[3] = {Copy(Text, 1, P1 - 1), Copy(Text, P1 + 1, P2 - P1 - 1),
                       Trim(Copy(Text, P2 + 1))};
  QString TimeText;
  const int Blank = Pos(QChar(' '), Fields[2]);
  if (Blank > 0) {
    TimeText = Copy(Fields[2], Blank + 1);
    Fields[2] = Copy(Fields[2], 1, Blank - 1);
  }
  int Numbers[3];
  for (int I = 0; I < 3; ++I)
    if (!TryStrToInt(Fields[I], Numbers[I])) return false;

  // The short date format's order of day, month and year picks the field of each.
  const QString Format = UpperCase(FormatSettings.ShortDateFormat);
  std::array<std::pair<int, char>, 3> Order = {
      {{Pos(QChar('D'), Format), 'D'}, {Pos(QChar('M'), Format), 'M'}, {Pos(QChar('Y'), Format), 'Y'}}};
  std::stable_sort(Order.begin(), Order.end());
  int Day = 0, Month = 0, Year = 0;
  for (int I = 0; I < 3; ++I) {
    switch (Order[I].second) {
    case 'D': Day = Numbers[I]; break;
    case 'M': Month = Numbers[I]; break;
    default: Year = Numbers[I]; break;
    }
  }
  if (Day > 31 || Month > 12) return false;

  int Hour = 0, Min = 0, Sec = 0;
  if (!TimeText.isEmpty()) {
    const QChar TSep = FormatSettings.TimeSeparator;
    const int T1 = Pos(TSep, TimeText);
    if (T1 == 0) return false;
    if (!TryStrToInt(Copy(TimeText, 1, T1 - 1), Hour) || Hour > 23) return false;
    QString Rest = Copy(TimeText, T1 + 1);
    const int T2 = Pos(TSep, Rest);
    if (T2 > 0) {
      if (!TryStrToInt(Copy(Rest, T2 + 1), Sec) || Sec > 59) return false;
      Rest = Copy(Rest, 1, T2 - 1);
    }
    if (!TryStrToInt(Rest, Min) || Min > 59) return false;
  }
  TDateTime D, T;
  if (!TryEncodeDate(Year, Month, Day, D) || !TryEncodeTime(Hour, Min, Sec, 0, T)) return false;
  // Before day 0 the time counts away from zero like the day does.
  Value = EncodeDateTime(Year, Month, Day, Hour, Min, Sec, 0);
  return true;
}

namespace {

TDateTime ParseShortDate(const QString &Text, bool MonthFirst)
{
  QChar Sep = '/';
  if (!Text.contains(Sep)) Sep = Text.contains(QChar('.')) ? QChar('.') : QChar('-');
  const int P1 = Pos(Sep, Text);
  const int P2 = P1 > 0 ? PosEx(QString(Sep), Text, P1 + 1) : 0;
  if (P2 == 0) return 0;
  int A, B, Year;
  if (!TryStrToInt(Copy(Text, 1, P1 - 1), A) || !TryStrToInt(Copy(Text, P1 + 1, P2 - P1 - 1), B) ||
      !TryStrToInt(Copy(Text, P2 + 1), Year))
    return 0;
  if (Year < 100) Year += Year <= 25 ? 2000 : 1900;
  return MonthFirst ? EncodeDate(Year, A, B) : EncodeDate(Year, B, A);
}

}  // namespace

TDateTime ParseShortDateUS(const QString &Text) { return ParseShortDate(Text, true); }
TDateTime ParseShortDateEU(const QString &Text) { return ParseShortDate(Text, false); }

bool LooksLikeDate(const QString &Text)
{
  const QChar Sep = FormatSettings.DateSeparator;
  const int P1 = Pos(Sep, Text);
  return P1 >= 2 && PosEx(QString(Sep), Text, P1 + 2) > 0;
}

TDateTime IncDateBy(int16_t Years, int16_t Months, int16_t Days, TDateTime D, double Delta)
{
  const int NonZero = (Years != 0) + (Months != 0) + (Days != 0);
  if (NonZero != 1) return D + Delta;
  if (Days != 0) return D + Days;
  int Y, M, Dd;
  DecodeDate(D, Y, M, Dd);
  if (Years != 0) return EncodeDate(Y + Years, M, Dd);
  M += Months;
  // One wrap of the year only: a larger step leaves a month EncodeDate refuses.
  if (M == 0) {
    M = 12;
    --Y;
  } else if (M >= 13 && M <= 24) {
    M -= 12;
    ++Y;
  }
  return EncodeDate(Y, M, Dd);
}

// ---------------------------------------------------------------------------------------------
// Line-break and quoting encodings

QString EncodeLineBreaks(const QString &Text)
{
  if (!Text.contains(CR)) return Text;
  return MapChars(Text, [](QChar C, QString &R) {
    R += C == CR ? QChar(9) : C == LF ? QChar(8) : C.unicode() == 0 ? QChar(1) : C;
  });
}

QString DecodeLineBreaks(const QString &Text, bool Whole)
{
  QString S = Text;
  if (S.contains(QChar(8))) {
    S = MapChars(S, [](QChar C, QString &R) {
      R += C.unicode() == 9 ? CR : C.unicode() == 8 ? LF : C.unicode() == 1 ? QChar(0) : C;
    });
  }
  if (Whole) return S;
  QString Line;
  TakeFirstLine(S, false, Line);
  return Line;
}

void QuoteMultiLineField(QString &Text)
{
  Text.replace(QStringLiteral("\r\n"), QString(QChar(11)));
  Text = QLatin1Char('"') + Text + QLatin1Char('"');
}

void VTabToCRLF(QString &Text) { Text.replace(QChar(11), QStringLiteral("\r\n")); }

void CRLFToLF(QString &Text) { Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

void CRToTilde(QString &Text)
{
  Text = MapChars(Text, [](QChar C, QString &R) {
    if (C == CR) R += QLatin1Char('~');
    else if (C != LF) R += C;
  });
}

void TildeToCRLF(QString &Text)
{
  if (Text == QLatin1String("^")) Text.clear();
  else Text.replace(QChar('~'), QStringLiteral("\r\n"));
}

QString EscapedToLineBreak(const QString &Text)
{
  return QString(Text).replace(QStringLiteral("\\n"), QString(CR));
}

QString LineBreakToEscaped(const QString &Text)
{
  return MapChars(Text, [](QChar C, QString &R) {
    if (C == CR) R += QLatin1String("\\n");
    else if (C != LF) R += C;
  });
}

QString StripCR(const QString &Text) { return QString(Text).remove(CR); }

QString CRToLF(const QString &Text) { return QString(Text).replace(CR, LF); }

QString DoubleQuotes(const QString &Text)
{
  return QString(Text).replace(QChar('"'), QStringLiteral("\"\""));
}

QString CollapseDoubledChar(QChar C, const QString &Text)
{
  QString R;
  R.reserve(Text.size());
  for (qsizetype I = 0; I < Text.size(); ++I) {
    R += Text[I];
    if (Text[I] == C && I + 1 < Text.size() && Text[I + 1] == C) ++I;
  }
  return R;
}

// ---------------------------------------------------------------------------------------------
// Strings

int PosNoCase(const QString &Sub, const QString &Text) { return Pos(Sub, UpperCase(Text)); }

int CharPos(QChar C, const QString &Text) { return Pos(C, Text); }

int CharPosOut(QChar C, const QString &Text, int &P) { return P = Pos(C, Text); }

int PosOut(const QString &Sub, const QString &Text, int &P) { return P = Pos(Sub, Text); }

QString CutBefore(QString &Text, const QString &Delimiter)
{
  const int P = Pos(Delimiter, Text);
  if (P == 0) return QString();
  const QString Before = Copy(Text, 1, P - 1);
  Delete(Text, 1, P);
  return Before;
}

void TakeFirstLine(QString &Text, bool KeepRest, QString &Line)
{
  const int P = Pos(CR, Text);
  if (P == 0) {
    Line = Text;
    Text.clear();
    return;
  }
  Line = Copy(Text, 1, P - 1);
  if (!KeepRest) {
    Text.clear();
    return;
  }
  Delete(Text, 1, P < Text.size() && Text[P] == LF ? P + 1 : P);
}

int CountLines(const QString &Text, bool MultiLine)
{
  return MultiLine ? 1 + int(Text.count(CR)) : 1;
}

int CountChar(QChar C, const QString &Text) { return int(Text.count(C)); }

int FindUnpairedChar(QChar C, const QString &Text, int &P)
{
  const int N = int(Text.size());
  int Run = 0;
  P = 0;
  for (int I = 1; I <= N; ++I) {
    if (Text[I - 1] == C) {
      ++Run;
      if (I == N) P = I;
    } else {
      if (Run % 2 == 1) P = I - 1;
      Run = 0;
    }
    if (P > 0) break;
  }
  return P;
}

int CountUnpairedChar(QChar C, const QString &Text)
{
  QString S = Text;
  int Count = 0, P;
  while (FindUnpairedChar(C, S, P) > 0) {
    ++Count;
    Delete(S, 1, P);
  }
  return Count;
}

void FillWithChar(QString &Text, QChar C) { Text.fill(C); }

void TextToOem(QString &Text) { Text = AnsiToOem(Text); }

void OemToText(QString &Text) { Text = OemToAnsi(Text); }

QString ConcatStrings(const TStrings &List)
{
  QString R;
  for (int I = 0; I < List.Count(); ++I) R += List.Get(I);
  return R;
}

bool ParseRCCellRef(const QString &Text, TPoint &Cell)
{
  const QString S = UpperCase(Text);
  if (S.size() <= 3 || S[0] != 'R') return false;
  const int C = Pos(QChar('C'), S);
  if (C == 0) return false;
  int Row, Col;
  if (!TryStrToInt(Copy(S, 2, C - 2), Row) || !TryStrToInt(Copy(S, C + 1), Col)) return false;
  Cell = TPoint(Col, Row);
  return true;
}

bool CellInGridRect(const TGridRect &Rect, int Col, int Row)
{
  return Col >= Rect.Left && Col <= Rect.Right && Row >= Rect.Top && Row <= Rect.Bottom;
}

QString CapitalizeWords(const QString &Text)
{
  QString S = Text;
  const int N = int(S.size());
  bool CapitalNext = true;
  for (int I = 1; I <= N; ++I) {
    const QChar C = S[I - 1];
    if (C == ' ' || C == '\'' || C == ',' || C == '-' || C == '.') {
      CapitalNext = true;
    } else if (CapitalNext) {
      S[I - 1] = C.toUpper();
      CapitalNext = false;
    } else {
      S[I - 1] = C.toLower();
    }
    // "Mc" names keep the next letter capital: at the start, or at the text's first " Mc".
    if ((I == 2 && S.startsWith(QLatin1String("Mc"))) ||
        (I > 2 && Pos(QStringLiteral(" Mc"), S) == I - 2))
      CapitalNext = true;
    // A trailing roman numeral " I", " II", " III" stays in capitals.
    if (I >= N - 2 && ((I >= 2 && Copy(S, I - 1, 2) == QLatin1String(" I")) ||
                       (I >= 3 && Copy(S, I - 2, 3) == QLatin1String(" II"))))
      CapitalNext = true;
  }
  return S;
}

// ---------------------------------------------------------------------------------------------
// Locale values

QChar GetDateSeparator() { return FormatSettings.DateSeparator; }
QChar GetTimeSeparator() { return FormatSettings.TimeSeparator; }
QChar GetThousandSeparator() { return FormatSettings.ThousandSeparator; }
QChar GetDecimalSeparator() { return FormatSettings.DecimalSeparator; }
QString GetShortDateFormat() { return FormatSettings.ShortDateFormat; }
