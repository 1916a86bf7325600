#pragma once
// The "ANSI code page" (Windows-1252) and the "OEM code page" (850). Characters a code page
// cannot hold become '?'.
#include <QByteArray>
#include <QChar>
#include <QString>

QByteArray EncodeAnsi(const QString &s);
QString DecodeAnsi(const QByteArray &bytes);
QByteArray EncodeOem(const QString &s);
QString DecodeOem(const QByteArray &bytes);

// Single characters; '?' (0x3F) for characters without a code.
char AnsiCharOf(QChar c);
QChar CharFromAnsi(unsigned char b);
char OemCharOf(QChar c);
QChar CharFromOem(unsigned char b);

// Text converted from the ANSI to the OEM code page and back, as the original's CharToOem and
// OemToChar: the result holds, as characters, what the other code page shows for the same bytes.
QString AnsiToOem(const QString &s);
QString OemToAnsi(const QString &s);

// Offset of the first byte that does not start a valid UTF-8 sequence (an overlong form, a
// surrogate, a code above U+10FFFF or a cut sequence count as invalid); -1 when all are valid.
qsizetype InvalidUtf8Offset(const QByteArray &bytes);
// True for valid UTF-8 that holds at least one multi-byte sequence: text that an 8-bit code
// page would turn into mojibake, while plain ASCII reads the same either way.
bool IsMultiByteUtf8(const QByteArray &bytes);
