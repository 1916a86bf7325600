// The S7 words shared by the access form's drop-downs and the bank encoder.
#include "project/s7_vocabulary.h"

#include <gtest/gtest.h>

namespace {

TEST(S7Vocabulary, EachNameEncodesToItsCodeFromTextAndFromUtf8)
{
  for (const TS7Vocabulary *v : {&S7_PLC_Types, &S7_Data_Types, &S7_Blocks, &S7_Areas}) {
    const QStringList names = v->Names();
    ASSERT_EQ(names.size(), v->Count());
    int i = 0;
    for (const TS7Term &t : *v) {
      SCOPED_TRACE(t.Name);
      EXPECT_EQ(names[i++], QLatin1String(t.Name));
      EXPECT_EQ(v->Code(QString::fromLatin1(t.Name)), t.Code);
      EXPECT_EQ(v->Code_Utf8(t.Name), t.Code);
    }
  }
}

TEST(S7Vocabulary, OtherTextGetsTheFallbackInBothForms)
{
  struct Case {
    const TS7Vocabulary *v;
    const char *utf8;
    int code;
  };
  const Case cases[] = {
      {&S7_PLC_Types, "s71500", 0},       {&S7_PLC_Types, "", 0},          {&S7_Data_Types, " Int", 1},
      {&S7_Data_Types, "REAL", 1},        {&S7_Blocks, "db", 8},           {&S7_Blocks, "DB\xC2\xA0", 8},
      {&S7_Areas, "Flags (M)", 0x80},     {&S7_Areas, "Inputs (I) ", 0x80}, {&S7_Areas, "Output (\xC3\x9C)", 0x80},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(c.v->Code(QString::fromUtf8(c.utf8)), c.code);
    EXPECT_EQ(c.v->Code_Utf8(c.utf8), c.code);
  }
  EXPECT_EQ(S7_Areas.Code_Utf8(nullptr), 0x80);
  EXPECT_EQ(S7_Data_Types.Code_Utf8(nullptr), 1);
}

}  // namespace
