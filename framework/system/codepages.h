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
