#pragma once
// Stateless text, number and date routines shared by the grid and its editors. Locale values
// (separators, short date format) are read from the process-wide FormatSettings at each call.
// Positions are 1-based, 0 meaning "not found", as the framework's Pos.
#include <QChar>
#include <QString>

#include <cstdint>

#include "framework/grids/grid_types.h"
#include "framework/system/types.h"

class TStrings;

// ---------------------------------------------------------------------------------------------
// Cell text kinds and packed wide text

// 0 plain, 1 mark-up (only with DetectHTML), 2 rich text, 3 formula, 5 packed wide text.
int CellTextKind(const QString &Text, bool DetectHTML);
// "|\" followed by the high and the low byte of every UTF-16 unit, each as one character.
QString PackWideText(const QString &Text);
// A text without the "|\" prefix comes back as it is; an odd last character is ignored.
QString UnpackWideText(const QString &Text);
int WidePos(const QString &Sub, const QString &Text);

// ---------------------------------------------------------------------------------------------
// Numbers

// Characters of the Unicode number categories (decimal digits and other numerals).
bool IsNumberChar(QChar C);
// 0 integer, 1 decimal number, 5 number with exponent, 2 anything else; uses the locale's
// thousand and decimal separators.
int ClassifyNumberText(const QString &Text);
// Plain form with "-" sign, no thousand separators and "." as decimal point; a text in
// parentheses is negative; copying stops at the first character a number cannot hold.
QString NormalizeNumberText(const QString &Text);
// Unchanged when Min = Max; otherwise a positive Min raises and a positive Max lowers Value.
int ClampToRange(int Value, int Min, int Max);
int MaxOf(int A, int B);
int MinOf(int A, int B);

// ---------------------------------------------------------------------------------------------
// Dates

// Date in the order and with the separator of the locale's short date format, optionally
// followed by a blank and "h:m" or "h:m:s". The year is taken as written.
bool ParseLocaleDate(const QString &Text, TDateTime &Value);
// Month-first / day-first dates separated by "/", "." or "-"; years below 100 go to 2000..2025
// or 1926..1999. 0 for malformed text; an impossible date raises EConvertError.
TDateTime ParseShortDateUS(const QString &Text);
TDateTime ParseShortDateEU(const QString &Text);
// The locale's date separator at position 2 or later and again at least two positions on.
bool LooksLikeDate(const QString &Text);
// Exactly one of Years, Months, Days non-zero steps the date by it (months wrap the year
// once); otherwise Delta is added. An impossible date raises EConvertError.
TDateTime IncDateBy(int16_t Years, int16_t Months, int16_t Days, TDateTime D, double Delta);

// ---------------------------------------------------------------------------------------------
// Line-break and quoting encodings (CR = 13, LF = 10)

// Text holding a CR: CR -> #9, LF -> #8, #0 -> #1; any other text unchanged.
QString EncodeLineBreaks(const QString &Text);
// Text holding #8: #9 -> CR, #8 -> LF, #1 -> #0. Without Whole only the first line is returned.
QString DecodeLineBreaks(const QString &Text, bool Whole);
// Every CR LF becomes #11, then the text is wrapped in double quotes.
void QuoteMultiLineField(QString &Text);
void VTabToCRLF(QString &Text);
void CRLFToLF(QString &Text);
// CR -> "~", LF dropped.
void CRToTilde(QString &Text);
// "~" -> CR LF; a text that is exactly "^" becomes empty.
void TildeToCRLF(QString &Text);
// Backslash n -> CR.
QString EscapedToLineBreak(const QString &Text);
// CR -> backslash n, LF dropped.
QString LineBreakToEscaped(const QString &Text);
QString StripCR(const QString &Text);
QString CRToLF(const QString &Text);
QString DoubleQuotes(const QString &Text);
// Left to right, every pair of C becomes one C (four become two, three become two).
QString CollapseDoubledChar(QChar C, const QString &Text);

// ---------------------------------------------------------------------------------------------
// Strings

// Sub must already be upper case; Text is upper-cased (ASCII letters) for the search.
int PosNoCase(const QString &Sub, const QString &Text);
int CharPos(QChar C, const QString &Text);
// As CharPos / Pos, also storing the result in P.
int CharPosOut(QChar C, const QString &Text, int &P);
int PosOut(const QString &Sub, const QString &Text, int &P);
// The part before the first Delimiter; it and the delimiter's first character leave Text.
// Empty, and Text unchanged, when the delimiter is absent.
QString CutBefore(QString &Text, const QString &Delimiter);
// Line = Text up to the first CR; the CR and a following LF go with it. Text keeps the rest
// only with KeepRest and when it had a CR; otherwise it becomes empty.
void TakeFirstLine(QString &Text, bool KeepRest, QString &Line);
int CountLines(const QString &Text, bool MultiLine);
int CountChar(QChar C, const QString &Text);
// End of the first run of C of odd length (the closing quote of a quoted field, where doubled
// quotes are escapes); a C in the last position counts. 0 when none; P gets the result.
int FindUnpairedChar(QChar C, const QString &Text, int &P);
int CountUnpairedChar(QChar C, const QString &Text);
void FillWithChar(QString &Text, QChar C);
void TextToOem(QString &Text);
void OemToText(QString &Text);
QString ConcatStrings(const TStrings &List);
// "R<row>C<col>" in either letter case; Cell.X gets the column, Cell.Y the row.
bool ParseRCCellRef(const QString &Text, TPoint &Cell);
// Inclusive bounds.
bool CellInGridRect(const TGridRect &Rect, int Col, int Row);
// Proper-name capitals: "mcdonald o'neil-smith henry ii" -> "McDonald O'Neil-Smith Henry II".
QString CapitalizeWords(const QString &Text);

// ---------------------------------------------------------------------------------------------
// Locale values of the process-wide format settings

QChar GetDateSeparator();
QChar GetTimeSeparator();
QChar GetThousandSeparator();
QChar GetDecimalSeparator();
QString GetShortDateFormat();
