#include "project/lang_texts.h"

#include "framework/classes/classes.h"
#include "framework/system/codepages.h"
#include "framework/system/paths.h"
#include "framework/system/sysutils.h"
#include "project/app_state.h"

namespace {

// The file's lines: a byte-order mark selects UTF-8 or UTF-16. Without one the file is in the
// ANSI code page, unless it is valid UTF-8 with multi-byte sequences, as Linux editors write
// it: such bytes are next to never meant as Windows-1252. A file that cannot be read (also
// no regular file, or a huge one) has no lines.
QStringList Read_Lines(const QString &FileName)
{
  QByteArray bytes;
  if (!ReadFileBytes(FileName, bytes))
    return {};
  TEncoding found;
  QString text = DecodeTextDetect(bytes, &found);
  if (found == TEncoding::ANSI && IsMultiByteUtf8(bytes))
    text = DecodeText(bytes, TEncoding::UTF8);
  TStringList lines;
  lines.SetText(text);
  return lines.ToStringList();
}

// The language file of a language, its name matched ignoring case; "" when there is none.
QString Language_File(const QString &Language)
{
  return FindFileIgnoreCase(AppState().Language_Dir, Language + QStringLiteral(".lng"));
}

const QChar Pilcrow(0x00B6);

}  // namespace

void Load_Default_Texts()
{
  TAppState &st = AppState();
  st.Lang_Texts.clear();
  st.Lang_Texts.reserve(Lang_Table_Size);
  int next = 0;
  for (int i = 0; i < Builtin_Text_Entries; ++i) {
    const TBuiltinText &t = Builtin_Texts[i];
    while (next < t.Index) {
      st.Lang_Texts.append(QStringLiteral(" "));
      ++next;
    }
    st.Lang_Texts.append(QString::fromUtf16(t.Text));
    ++next;
  }
  while (next < Lang_Table_Size) {
    st.Lang_Texts.append(QStringLiteral(" "));
    ++next;
  }
  st.Lang_Text_Count = Lang_Table_Size;
}

void Load_Language_File(const QString &FileName)
{
  TAppState &st = AppState();
  const int count = std::min<int>(st.Lang_Text_Count, st.Lang_Texts.size());
  for (const QString &raw : Read_Lines(FileName)) {
    const QString line = Trim(raw);
    if (!line.startsWith(QLatin1String("STR")))
      continue;
    // "STRn = text": the number ends two characters before the first "=" (the blank of " = ").
    const int eq = Pos('=', line);
    int n;
    if (eq == 0 || !Try_Decimal_To_Int(Trim(Copy(line, 4, eq - 5)), n) || n < 0 || n >= count)
      continue;
    QString text = Trim(Copy(line, eq + 1));
    const int remark = Pos(QStringLiteral("/#/"), text);
    if (remark > 0)
      text = Trim(Copy(text, 1, remark - 1));
    if (text.isEmpty())
      continue;
    // Pilcrows quote a text whose outer blanks must survive.
    if (text.startsWith(Pilcrow))
      text.remove(0, 1);
    const int p = text.indexOf(Pilcrow);
    if (p >= 0)
      text.truncate(p);
    st.Lang_Texts[n] = text;
  }
}

void Load_Language()
{
  TAppState &st = AppState();
  Load_Default_Texts();
  const QString file = Language_File(st.Language_Name);
  if (!file.isEmpty()) {
    Load_Language_File(file);
    return;
  }
  st.Language_Name = QStringLiteral("English");
  const QString english = Language_File(st.Language_Name);
  if (!english.isEmpty())
    Load_Language_File(english);
}
