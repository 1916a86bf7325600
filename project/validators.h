#pragma once
// Small text validators and converters shared by the shell and the access-table editors.
// None of them raises; the Error_In_... routines answer True when the text is NOT valid.
#include <QChar>
#include <QString>

#include <cstdint>

// Splits a dotted IPv4 text (blanks around the parts allowed) into its four octet texts.
// True when all four are numbers 0..255. The outputs keep what was split off even on False.
bool Split_IP_Address(const QString &Text, QString &IP1, QString &IP2, QString &IP3, QString &IP4);

// True when Text is empty or not a valid dotted IPv4 address (no trimming). Each octet in
// range is written to its byte; an octet out of range writes 0 and the rest are still read.
bool Error_In_IP_Address(const QString &Text, uint8_t &IP1, uint8_t &IP2, uint8_t &IP3, uint8_t &IP4);
// The same for UTF-8 text as a table file holds it; nullptr counts as empty.
bool Error_In_IP_Address_Utf8(const char *Utf8, uint8_t &IP1, uint8_t &IP2, uint8_t &IP3, uint8_t &IP4);

// True when Text is not a valid KNX address: group form "main/sub" or "main/middle/sub",
// individual form "area.line.device"; a plain number 1..65535 is valid in both forms.
// Zero_Allowed admits the individual address 0.0.0.
bool Error_In_KNX_Address(const QString &Text, bool Group, bool Zero_Allowed);

// True when Text contains no ".".
bool No_Dot_In_Address(const QString &Text);

// The user's decimal separator, "," or "."; "," when the setting is anything else.
QChar Get_Decimal_Separator();

// Converts Text to a float after turning every "," or "." into Separator's kind, using the
// process-wide number format. On failure Value is 1.0 and the result False.
bool Text_To_Single(const QString &Text, QChar Separator, float &Value);

// A decimal integer: an optional sign and ASCII digits only, within 32 bits.
bool Try_Decimal_To_Int(const QString &Text, int &Value);
