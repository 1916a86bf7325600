#include "grid/foundation/grid_enums.h"

#include <gtest/gtest.h>

namespace {

TEST(GridEnums, NamesRoundTripAndUnknownNamesAreRefused)
{
  EXPECT_EQ(EnumToName(edNormal), "edNormal");
  EXPECT_EQ(EnumToName(edDataCheckBox), "edDataCheckBox");
  EXPECT_EQ(EnumToName(edMaskEditBtn), "edMaskEditBtn");
  EXPECT_EQ(EnumToName(ssAlphaNumericNoCase), "ssAlphaNumericNoCase");
  EXPECT_EQ(EnumToName(static_cast<TEditorType>(43)), "");

  for (int i = 0; i <= int(edMaskEditBtn); ++i) {
    TEditorType e = edNormal;
    ASSERT_TRUE(NameToEnum(EnumToName(static_cast<TEditorType>(i)), e)) << i;
    EXPECT_EQ(int(e), i);
  }

  TSortStyle s = ssRaw;
  EXPECT_TRUE(NameToEnum(QStringLiteral("SSNUMERIC"), s));  // case does not matter
  EXPECT_EQ(s, ssNumeric);
  EXPECT_FALSE(NameToEnum(QStringLiteral("ssNumber"), s));
  EXPECT_EQ(s, ssNumeric);
  EXPECT_FALSE(NameToEnum(QStringLiteral(""), s));
}

TEST(GridEnums, OrdinalsThatFilesAndCallersRelyOn)
{
  EXPECT_EQ(int(edComboList), 3);
  EXPECT_EQ(int(edDataCheckBox), 10);
  EXPECT_EQ(int(edNone), 27);
  EXPECT_EQ(int(ssCheckBox), 15);
  TCellBorders borders{cbTop, cbBottom};
  EXPECT_EQ(borders.Bits(), 0b1001u);
}

}  // namespace
