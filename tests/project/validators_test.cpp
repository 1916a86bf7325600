#include "project/validators.h"

#include "framework/system/sysutils.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
  const char *text;
  bool ok;
  const char *ip1, *ip2, *ip3, *ip4;
};

TEST(Validators, SplitIPAddressTrimsPartsAndChecksRanges)
{
  const SplitCase cases[] = {
      {"  192 . 168 .0 .  10  ", true, "192", "168", "0", "10"},
      {"0.0.0.0", true, "0", "0", "0", "0"},
      {"255.255.255.255", true, "255", "255", "255", "255"},
      {"10.0.0", false, "10", "0", "", ""},
      {"10.0.0.1.5", false, "10", "0", "0", "1.5"},
      {"256.1.1.1", false, "256", "1", "1", "1"},
      {"1.2.3.x", false, "1", "2", "3", "x"},
      {"1..3.4", false, "1", "", "3", "4"},
      {"0x10.1.1.1", false, "0x10", "1", "1", "1"},
      {"", false, "", "", "", ""},
      {"1234", false, "", "", "", ""},
  };
  for (const SplitCase &c : cases) {
    QString a = "old", b = "old", d = "old", e = "old";
    EXPECT_EQ(Split_IP_Address(c.text, a, b, d, e), c.ok) << c.text;
    EXPECT_EQ(a, c.ip1) << c.text;
    EXPECT_EQ(b, c.ip2) << c.text;
    EXPECT_EQ(d, c.ip3) << c.text;
    EXPECT_EQ(e, c.ip4) << c.text;
  }
}

struct IPCase {
  const char *text;
  bool error;
  uint8_t b1, b2, b3, b4;
};

TEST(Validators, ErrorInIPAddressReadsEveryOctetWithoutTrimming)
{
  const IPCase cases[] = {
      {"", true, 0, 0, 0, 0},
      {"192.168.0.10", false, 192, 168, 0, 10},
      {"0.0.0.0", false, 0, 0, 0, 0},
      {"192.168.300.10", true, 192, 168, 0, 10},
      {"1.2.3", true, 1, 2, 0, 3},            // the missing field counts as no number
      {"1.2.3.4.5", true, 1, 2, 3, 0},        // the fourth field "4.5" is no number
      {"1.2.3.4 ", true, 1, 2, 3, 0},
      {" 1.2.3.4", true, 0, 2, 3, 4},
      {"-1.2.3.4", true, 0, 2, 3, 4},
      {"$C0.168.0.1", true, 0, 168, 0, 1},    // decimal only
      {"99999999999.1.1.1", true, 0, 1, 1, 1},
  };
  for (const IPCase &c : cases) {
    uint8_t b1 = 7, b2 = 7, b3 = 7, b4 = 7;
    EXPECT_EQ(Error_In_IP_Address(c.text, b1, b2, b3, b4), c.error) << c.text;
    EXPECT_EQ(b1, c.b1) << c.text;
    EXPECT_EQ(b2, c.b2) << c.text;
    EXPECT_EQ(b3, c.b3) << c.text;
    EXPECT_EQ(b4, c.b4) << c.text;
  }
}

TEST(Validators, ErrorInIPAddressReadsUtf8TextAsTheStringForm)
{
  const char *const texts[] = {
      "",          "192.168.0.10", "1.2.3",         "1.2.3.4.5",    " 1.2.3.4", "+1.2.3.-0", "1..3.4",
      "1.2.3.",    "...",          "\xD9\xA1.2.3.4", "1.\xEF\xBC\x92.3.4", "2147483648.1.1.1", "-2147483648.1.1.1",
      "1.2.3.4\xC3\xA9",
  };
  for (const char *t : texts) {
    SCOPED_TRACE(t);
    uint8_t s[4] = {7, 7, 7, 7}, u[4] = {9, 9, 9, 9};
    const bool from_string = Error_In_IP_Address(QString::fromUtf8(t), s[0], s[1], s[2], s[3]);
    EXPECT_EQ(Error_In_IP_Address_Utf8(t, u[0], u[1], u[2], u[3]), from_string);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(u[i], s[i]) << i;
  }
  uint8_t b1 = 7, b2 = 7, b3 = 7, b4 = 7;
  EXPECT_TRUE(Error_In_IP_Address_Utf8(nullptr, b1, b2, b3, b4));
  EXPECT_EQ(b1 | b2 | b3 | b4, 0);
}

struct KNXCase {
  const char *text;
  bool group;
  bool zeroAllowed;
  bool error;
};

TEST(Validators, ErrorInKNXAddressInBothForms)
{
  const KNXCase cases[] = {
      // individual form
      {"1.2.3", false, false, false},
      {" 15 . 15 . 255 ", false, false, false},
      {"16.0.1", false, false, true},
      {"1.16.1", false, false, true},
      {"1.1.256", false, false, true},
      {"0.0.0", false, false, true},
      {"0.0.0", false, true, false},
      {"0.0.1", false, false, false},
      {"1.2", false, false, true},      // two parts are no individual address
      {"1.2", false, true, true},
      {"1.2.3.4", false, false, true},
      {"1.2.", false, false, true},
      {"1/2", false, false, true},
      {"4000", false, false, false},
      {"0", false, true, true},
      {"65535", false, false, false},
      {"65536", false, false, true},
      {"", false, false, true},
      {"abc", false, false, true},
      // group form
      {"31/2047", true, false, false},
      {"32/0", true, false, true},
      {"0/2048", true, false, true},
      {"0/1", true, false, false},
      {"0/0", true, false, true},
      {"0/0", true, true, true},        // zero allowed only concerns the individual form
      {"31/7/255", true, false, false},
      {" 1 / 2 / 3 ", true, false, false},
      {"0/0/0", true, false, true},
      {"0/0/0", true, true, true},
      {"1/8/1", true, false, true},
      {"1/1/256", true, false, true},
      {"1/2/3/4", true, false, true},
      {"1.2.3", true, false, true},
      {"4000", true, false, false},
      {"0", true, false, true},
      {"65536", true, false, true},
      {"", true, false, true},
  };
  for (const KNXCase &c : cases)
    EXPECT_EQ(Error_In_KNX_Address(c.text, c.group, c.zeroAllowed), c.error)
        << c.text << (c.group ? " group" : " individual") << (c.zeroAllowed ? " zero allowed" : "");
}

TEST(Validators, NoDotInAddress)
{
  EXPECT_TRUE(No_Dot_In_Address("1/2/3"));
  EXPECT_TRUE(No_Dot_In_Address(""));
  EXPECT_FALSE(No_Dot_In_Address("1.2.3"));
  EXPECT_FALSE(No_Dot_In_Address("."));
}

class DecimalSettings : public ::testing::Test {
protected:
  void SetUp() override { saved_ = FormatSettings; }
  void TearDown() override { FormatSettings = saved_; }
  TFormatSettings saved_;
};

TEST_F(DecimalSettings, GetDecimalSeparatorFallsBackToComma)
{
  const struct {
    QChar setting;
    QChar expected;
  } cases[] = {{',', ','}, {'.', '.'}, {QChar(0x066B), ','}, {' ', ','}, {QChar(), ','}};
  for (const auto &c : cases) {
    FormatSettings.DecimalSeparator = c.setting;
    EXPECT_EQ(Get_Decimal_Separator(), c.expected) << int(c.setting.unicode());
  }
}

TEST_F(DecimalSettings, TextToSingleFollowsTheProcessWideSeparator)
{
  const struct {
    QChar processSeparator;
    const char *text;
    QChar separator;
    bool ok;
    float value;
  } cases[] = {
      {'.', "3,5", '.', true, 3.5f},
      {'.', "3.5", '.', true, 3.5f},
      {',', "3,5", '.', false, 1.0f},  // turned into 3.5, which the process format does not read
      {',', "3.5", ',', true, 3.5f},
      {',', "-0,25", ',', true, -0.25f},
      {'.', "abc", '.', false, 1.0f},
      {'.', "", '.', false, 1.0f},
      {'.', "1e39", '.', false, 1.0f},  // beyond a single
      {'.', "1e38", '.', true, 1e38f},
  };
  for (const auto &c : cases) {
    FormatSettings.DecimalSeparator = c.processSeparator;
    float v = 42.0f;
    EXPECT_EQ(Text_To_Single(c.text, c.separator, v), c.ok) << c.text;
    EXPECT_FLOAT_EQ(v, c.value) << c.text;
  }
}

}  // namespace
