#pragma once
// The locale the locale-aware text comparisons (AnsiCompareStr, AnsiCompareText) collate in.
#include <QString>

// By name ("de_DE"); "" is the user's locale.
void SetCollationLocale(const QString &Name);
