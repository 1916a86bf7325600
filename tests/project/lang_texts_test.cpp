#include "project/lang_texts.h"

#include "project/app_state.h"
#include "tests/support/special_files.h"
#include "tests/support/test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QChar Pilcrow(0x00B6);

class LangTexts : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(dir_.isValid());
    AppState().Reset();
    AppState().Language_Dir = dir_.path();
    Load_Default_Texts();
    english_ = AppState().Lang_Texts;
  }
  void TearDown() override { AppState().Reset(); }

  QString Write(const QString &name, const QByteArray &bytes)
  {
    const QString path = dir_.path() + '/' + name;
    testsupport::WriteBytes(path, bytes);
    return path;
  }
  QString WriteUtf8(const QString &name, const QString &text)
  {
    return Write(name, "\xEF\xBB\xBF" + text.toUtf8());
  }

  // Every entry but those named is still English.
  void ExpectEnglishExcept(std::initializer_list<int> changed)
  {
    const QStringList &t = AppState().Lang_Texts;
    ASSERT_EQ(t.size(), english_.size());
    for (int i = 0; i < t.size(); ++i) {
      if (std::find(changed.begin(), changed.end(), i) == changed.end()) {
        EXPECT_EQ(t[i], english_[i]) << "entry " << i;
      }
    }
  }

  QTemporaryDir dir_;
  QStringList english_;
};

TEST_F(LangTexts, DefaultTextsFillAllNumbersWithBlanksBetweenBlocks)
{
  const TAppState &st = AppState();
  ASSERT_EQ(st.Lang_Text_Count, 2800);
  ASSERT_EQ(st.Lang_Texts.size(), 2800);
  const struct {
    int n;
    QString text;
  } cases[] = {
      {0, "Begin"},
      {9, "None Configuration Opened "},
      {18, "Error! Project not Valid"},
      {60, st.Lang_Texts[60]},
      {61, " "},
      {306, " / "},
      {1100, "Row Already used. Do you want to overwrite the values?"},
      {1457, "!! [KNX in Write] Bit Mode must be \"No\" or between 0 and 7"},
      {2426, QString("Description for the M-Bus meter (defined in the section %1M-Bus%2)")
                 .arg(QChar(0x201C)).arg(QChar(0x201D))},
      {2727, "Error row %d!! Position Must be Between 0 and %d"},
      {2731, " "},
      {2799, " "},
  };
  for (const auto &c : cases)
    EXPECT_EQ(st.Lang_Texts[c.n], c.text) << "entry " << c.n;
  EXPECT_NE(st.Lang_Texts[60], " ");

  // Reloading starts from scratch rather than appending.
  AppState().Lang_Texts[0] = "changed";
  Load_Default_Texts();
  EXPECT_EQ(AppState().Lang_Texts, english_);
}

TEST_F(LangTexts, SingleEntryChangesOnlyThatNumber)
{
  Load_Language_File(WriteUtf8("x.lng", "STR12 = Hello\r\n"));
  EXPECT_EQ(AppState().Lang_Texts[12], "Hello");
  ExpectEnglishExcept({12});
}

TEST_F(LangTexts, EntryLineRules)
{
  const struct {
    QString line;
    int n;          // the entry expected to change, -1 for none
    QString text;
  } cases[] = {
      {"STR5 = Start /#/ note", 5, "Start"},
      {"STR5 =  /#/ note", -1, ""},
      {"STR5 = ", -1, ""},
      {"STR5", -1, ""},
      {QString("STR5 = %1  two blanks  %1").arg(Pilcrow), 5, "  two blanks  "},
      {QString("STR5 = a%1b").arg(Pilcrow), 5, "a"},
      {QString("STR5 = %1 lead").arg(Pilcrow), 5, " lead"},
      {QString("STR5 = %1 x %1 /#/ remark").arg(Pilcrow), 5, " x "},
      {"str5 = x", -1, ""},
      {"# STR5 = x", -1, ""},
      {"\t  STR5 = x \t", 5, "x"},
      {"STR 5 = x", 5, "x"},
      {"STR5 = x = y", 5, "x = y"},
      {"STR5=x", -1, ""},          // the number ends two characters before "="
      {"STR15=x", 1, "x"},
      {"STRx = y", -1, ""},
      {"STR$A = y", -1, ""},
      {"STR2799 = last", 2799, "last"},
      {"STR2800 = x", -1, ""},
      {"STR-1 = x", -1, ""},
      {"STR99999999999 = x", -1, ""},
  };
  for (const auto &c : cases) {
    Load_Default_Texts();
    Load_Language_File(WriteUtf8("case.lng", "[Heading]\r\n" + c.line + "\r\n"));
    SCOPED_TRACE(c.line.toStdString());
    if (c.n >= 0) {
      EXPECT_EQ(AppState().Lang_Texts[c.n], c.text);
      ExpectEnglishExcept({c.n});
    } else {
      ExpectEnglishExcept({});
    }
  }
}

TEST_F(LangTexts, LaterLineOverridesAndBadLinesDoNotStopTheFile)
{
  Load_Language_File(WriteUtf8("x.lng", "STR3 = first\nSTRbad = x\nSTR3 = second\nnoise\nSTR4 = four\n"));
  EXPECT_EQ(AppState().Lang_Texts[3], "second");
  EXPECT_EQ(AppState().Lang_Texts[4], "four");
  ExpectEnglishExcept({3, 4});
}

TEST_F(LangTexts, EncodingsByteOrderMarkOrAnsi)
{
  // "Grüße €" in each encoding; without a mark the bytes are Windows-1252, not Latin-1.
  const QString expected = QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");
  const QString text = "STR7 = " + expected + "\r\nSTR8 = eight";
  auto utf16 = [&](bool bigEndian) {
    QByteArray b = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (QChar c : text) {
      const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
      b.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
    }
    return b;
  };
  const struct {
    const char *name;
    QByteArray bytes;
  } cases[] = {
      {"ansi", QByteArray("STR7 = Gr\xFC\xDF" "e \x80\r\nSTR8 = eight")},
      {"ansi, LF", QByteArray("STR7 = Gr\xFC\xDF" "e \x80\nSTR8 = eight\n")},
      {"ansi, CR", QByteArray("STR7 = Gr\xFC\xDF" "e \x80\rSTR8 = eight\r")},
      {"utf-8", "\xEF\xBB\xBF" + text.toUtf8()},
      {"utf-16 le", utf16(false)},
      {"utf-16 be", utf16(true)},
  };
  for (const auto &c : cases) {
    Load_Default_Texts();
    Load_Language_File(Write("enc.lng", c.bytes));
    EXPECT_EQ(AppState().Lang_Texts[7], expected) << c.name;
    EXPECT_EQ(AppState().Lang_Texts[8], "eight") << c.name;
  }
}

TEST_F(LangTexts, WithoutMarkUtf8IsReadAsUtf8AndEverythingElseAsAnsi)
{
  const struct {
    const char *name;
    QByteArray bytes;
    QString text;
  } cases[] = {
      {"utf-8, no mark", "STR7 = ge\xC3\xB6" "ffnet \xE2\x82\xAC\r\n", QString::fromUtf8("geöffnet €")},
      {"utf-8 pilcrows", "STR7 = \xC2\xB6 x \xC2\xB6\n", " x "},
      {"ansi", "STR7 = ge\xF6" "ffnet \x80\r\n", QString::fromUtf8("geöffnet €")},
      // One byte that is no UTF-8 makes the whole file Windows-1252.
      {"ansi that starts like utf-8", "STR7 = \xC3\xA9\r\nSTR8 = \xE9\r\n", QString::fromUtf8("Ã©")},
      {"ascii", "STR7 = plain\n", "plain"},
  };
  for (const auto &c : cases) {
    Load_Default_Texts();
    Load_Language_File(Write("enc.lng", c.bytes));
    EXPECT_EQ(AppState().Lang_Texts[7], c.text) << c.name;
  }
}

TEST_F(LangTexts, LanguageNameMatchesItsFileIgnoringCase)
{
  WriteUtf8("Deutsch.lng", "STR12 = Hallo\n");
  AppState().Language_Name = "deutsch";
  Load_Language();
  EXPECT_EQ(AppState().Lang_Texts[12], "Hallo");
  EXPECT_EQ(AppState().Language_Name, "deutsch");

  WriteUtf8("english.LNG", "STR3 = Custom English\n");
  AppState().Language_Name = "Klingon";
  Load_Language();
  EXPECT_EQ(AppState().Language_Name, "English");
  EXPECT_EQ(AppState().Lang_Texts[3], "Custom English");
}

TEST_F(LangTexts, SpecialFilesApplyNothingAndDoNotBlock)
{
  testsupport::FedFifo fifo(dir_.path() + "/Fifo.lng", "STR12 = from a pipe\n");
  ASSERT_TRUE(fifo.Ok());
  ASSERT_TRUE(QFile::link("/dev/zero", dir_.path() + "/Zero.lng"));
  ASSERT_TRUE(testsupport::MakeSparseFile(dir_.path() + "/Huge.lng", "STR12 = huge\n", int64_t(64) * 1024 * 1024 + 1));
  for (const char *name : {"Fifo", "Zero", "Huge"}) {
    AppState().Language_Name = name;
    Load_Language();
    ExpectEnglishExcept({});
  }
}

TEST_F(LangTexts, AnsiPilcrowQuotes)
{
  Load_Language_File(Write("x.lng", "STR306 = \xB6 - \xB6\r\n"));
  EXPECT_EQ(AppState().Lang_Texts[306], " - ");
}

TEST_F(LangTexts, LoadLanguageAppliesTheNamedFile)
{
  ASSERT_TRUE(QFile::copy(testsupport::Fixture("lang/Italiano.lng"), dir_.path() + "/Italiano.lng"));
  AppState().Language_Name = "Italiano";
  AppState().Lang_Texts[20] = "left over";
  Load_Language();
  const TAppState &st = AppState();
  EXPECT_EQ(st.Language_Name, "Italiano");
  EXPECT_EQ(st.Lang_Text_Count, 2800);
  EXPECT_EQ(st.Lang_Texts[0], "Inizio");
  EXPECT_EQ(st.Lang_Texts[9], QString::fromUtf8("Nessuna configurazione aperta "));
  EXPECT_EQ(st.Lang_Texts[14], QString::fromUtf8("Chiudi il programma \xE2\x80\x93 \xC3\xA8 sicuro?"));
  EXPECT_EQ(st.Lang_Texts[306], " / ");
  ExpectEnglishExcept({0, 9, 14, 306});
}

TEST_F(LangTexts, SwitchingLanguageLeavesNothingOfTheFirst)
{
  WriteUtf8("One.lng", "STR12 = one\n");
  WriteUtf8("Two.lng", "STR13 = two\n");
  AppState().Language_Name = "One";
  Load_Language();
  EXPECT_EQ(AppState().Lang_Texts[12], "one");
  AppState().Language_Name = "Two";
  Load_Language();
  EXPECT_EQ(AppState().Lang_Texts[13], "two");
  ExpectEnglishExcept({13});
}

TEST_F(LangTexts, MissingFileFallsBackToEnglish)
{
  AppState().Language_Name = "Klingon";
  AppState().Lang_Texts[3] = "left over";
  Load_Language();
  EXPECT_EQ(AppState().Language_Name, "English");
  ExpectEnglishExcept({});

  WriteUtf8("English.lng", "STR3 = Custom English\n");
  AppState().Language_Name = "Klingon";
  Load_Language();
  EXPECT_EQ(AppState().Language_Name, "English");
  EXPECT_EQ(AppState().Lang_Texts[3], "Custom English");
  ExpectEnglishExcept({3});
}

TEST_F(LangTexts, MissingOrUnreadableFileAppliesNothing)
{
  Load_Language_File(dir_.path() + "/none.lng");
  Load_Language_File(dir_.path());  // a folder
  ExpectEnglishExcept({});
}

}  // namespace
