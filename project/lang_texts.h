#pragma once
// The text table of every user-visible text (AppState().Lang_Texts, entry n = text number n):
// the built-in English texts overlaid entry by entry from the active language file.
#include <QString>

// Number of entries of the table.
constexpr int Lang_Table_Size = 2800;

// Rebuilds the table for AppState().Language_Name: the built-in texts, then
// Language_Dir/<Language_Name>.lng (the name matched ignoring case); when that file is
// missing, Language_Name becomes "English" and Language_Dir/English.lng is applied if present.
void Load_Language();

// Empties the table, fills it with the built-in English texts (" " at every unused number)
// and sets Lang_Text_Count.
void Load_Default_Texts();

// Applies the entries of one language file ("STRn = text" lines) to the table.
void Load_Language_File(const QString &FileName);

// One built-in text; the table (builtin_texts.cpp) is sorted by Index.
struct TBuiltinText {
  int Index;
  const char16_t *Text;
};
extern const TBuiltinText Builtin_Texts[];
extern const int Builtin_Text_Entries;
