#pragma once
// The value text of a drop-down edit: the value framed by a fixed prefix and suffix, read and
// written under an edit type, with its number view and money formatting. Pure functions over
// the edit's settings; the separators are the process-wide format settings, read each time.
#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

// Order as stored in form streams.
enum class TDropDownEditType {
  etString,
  etNumeric,
  etFloat,
  etUppercase,
  etMixedCase,
  etLowerCase,
  etPassword,
  etMoney,
  etRange,
  etHex,
  etAlphaNumeric,
  etValidChars
};
constexpr int DropDownEditTypeCount = 12;

struct TDropDownTextSettings {
  TDropDownEditType EditType = TDropDownEditType::etString;
  QString Prefix;
  QString Suffix;
  int16_t Precision = 0;    // decimals of etFloat/etMoney; 0: no decimal separator; <0: general
  int16_t LengthLimit = 0;  // characters of the integer part; 0 or less: no limit
  bool Signed = false;
  QString ValidChars;
  bool ExcelStyleDecimalSeparator = false;
  bool AutoThousandSeparator = true;
  bool AllowNumericNullValue = false;
};

QChar DropDownDecimalSeparator();
QChar DropDownThousandSeparator();

// etNumeric, etFloat and etMoney: the types whose "-" depends on Signed.
bool IsSignedNumberType(TDropDownEditType T);

// The value inside a whole edit text: Prefix taken off the front when the text starts with it,
// and the last Length(Suffix) characters taken off when there is a suffix.
QString DropDownValueOf(const QString &EditText, const TDropDownTextSettings &S);
inline QString DropDownEditTextOf(const QString &Value, const TDropDownTextSettings &S)
{
  return S.Prefix + Value + S.Suffix;
}

// What writing Text stores as the value: "0" for an empty number, the precision applied to
// etFloat/etMoney, etHex in upper case.
QString DropDownWrittenValue(const QString &V, const TDropDownTextSettings &S);

// Thousand separators removed, then the process's settings; 0 when it does not convert.
double DropDownTextToFloat(const QString &T);
double DropDownFloatValue(const QString &Value, const TDropDownTextSettings &S);
// The value the number writers store (already as written through Text); nullopt for the types
// that have no number view.
std::optional<QString> DropDownFloatValueText(double X, const TDropDownTextSettings &S);
std::optional<QString> DropDownIntValueText(int N, const TDropDownTextSettings &S);

struct TMoneyFormatted {
  QString Value;
  int Caret = 0;  // in the whole edit text
};
// Money formatting of a non-empty value with the caret at Caret (whole edit text); the caret
// keeps its distance from the value's end.
TMoneyFormatted DropDownFormatMoney(const QString &Value, int Caret, const TDropDownTextSettings &S);

enum class TNumericClass { ncInteger = 0, ncDecimal = 1, ncNotANumber = 2, ncHex = 5 };
// "-" counts only as the first character; more than one decimal separator is not a number.
TNumericClass ClassifyNumericText(const QString &S);

// Length of the integer part as the length limit counts it.
int DropDownIntegerPartLength(const QString &Value, const TDropDownTextSettings &S);

// Positions in the whole edit text (nullopt: the value has no decimal separator).
int DropDownCaretBeforeDecimal(const QString &Value, const TDropDownTextSettings &S);
int DropDownCaretAfterDecimal(const QString &Value, const TDropDownTextSettings &S);

// The value after the edit type changes from S.EditType to T (nullopt: unchanged).
std::optional<QString> DropDownValueForEditType(const QString &Value, TDropDownEditType T,
                                                const TDropDownTextSettings &S);
// Precision writer: whether P is stored in S, and the value it leaves (nullopt: unchanged).
struct TPrecisionChange {
  bool Stored = false;
  std::optional<QString> Value;
};
TPrecisionChange DropDownPrecisionChange(const QString &Value, int16_t P, const TDropDownTextSettings &S);

// The value when the edit loses the focus (nullopt: unchanged).
std::optional<QString> DropDownValueOnExit(const QString &Value, const TDropDownTextSettings &S);
