#include "grid/core/grid_settings.h"

#include <gtest/gtest.h>

#include "grid/core/zav_string_grid.h"
#include "tests/grid/core/settings_prop_table.h"

using namespace settingstest;

namespace {

const QString S = QStringLiteral("changed");

}  // namespace

TEST(ColumnSizeSettings, DefaultsAndAssignCopiesAllNine)
{
  using T = TColumnSize;
  TZavStringGrid grid(nullptr);
  CheckDefaultsAndAssign<T>([&] { return std::make_unique<T>(&grid); },
                            {
                                P("Rows", &T::Rows, &T::SetRows, arAll, arFixed),
                                P("Save", &T::Save, &T::SetSave, false, true),
                                P("Key", &T::Key, &T::SetKey, "", S),
                                P("Section", &T::Section, &T::SetSection, "", S),
                                P("Stretch", &T::Stretch, &T::SetStretch, false, true),
                                P("StretchColumn", &T::StretchColumn, &T::SetStretchColumn, -1, 2),
                                P("SynchWithGrid", &T::SynchWithGrid, &T::SetSynchWithGrid, false, true),
                                P("SynchNormalCellsOnly", &T::SynchNormalCellsOnly, &T::SetSynchNormalCellsOnly,
                                  false, true),
                                P("Location", &T::Location, &T::SetLocation, clRegistry, clIniFile),
                            });
}

TEST(HTMLSettings, DefaultsAndAssignLeavesExportImages)
{
  using T = THTMLSettings;
  CheckDefaultsAndAssign<T>([] { return std::make_unique<T>(); },
                            {
                                P("AutoPreview", &T::AutoPreview, &T::SetAutoPreview, false, true),
                                P("BorderSize", &T::BorderSize, &T::SetBorderSize, 1, 3),
                                P("CellSpacing", &T::CellSpacing, &T::SetCellSpacing, 0, 3),
                                P("CellPadding", &T::CellPadding, &T::SetCellPadding, 0, 3),
                                P("ConvertSpecialChars", &T::ConvertSpecialChars, &T::SetConvertSpecialChars,
                                  false, true),
                                P("ExportImages", &T::ExportImages, &T::SetExportImages, true, false, false),
                                P("FooterFile", &T::FooterFile, &T::SetFooterFile, "", S),
                                P("HeaderFile", &T::HeaderFile, &T::SetHeaderFile, "", S),
                                P("NonBreakingText", &T::NonBreakingText, &T::SetNonBreakingText, false, true),
                                P("PrefixTag", &T::PrefixTag, &T::SetPrefixTag, "", S),
                                P("SaveColor", &T::SaveColor, &T::SetSaveColor, true, false),
                                P("SaveFonts", &T::SaveFonts, &T::SetSaveFonts, true, false),
                                P("SuffixTag", &T::SuffixTag, &T::SetSuffixTag, "", S),
                                P("Summary", &T::Summary, &T::SetSummary, "", S),
                                P("TableStyle", &T::TableStyle, &T::SetTableStyle, "", S),
                                P("Width", &T::Width, &T::SetWidth, 100, 50),
                                P("XHTML", &T::XHTML, &T::SetXHTML, false, true),
                                {"ColWidths", [](T &o) { return o.ColWidths()->StrValue().toStdString(); },
                                 [](T &o) { o.ColWidths()->Add(40); }, "", false},
                            });
}

TEST(PrintSettings, DefaultsAndAssignLeavesFixedCellsAlways)
{
  using T = TPrintSettings;
  TZavStringGrid grid(nullptr);
  const TFont framework;
  CheckDefaultsAndAssign<T>(
      [&] { return std::make_unique<T>(&grid); },
      {
          P("FooterSize", &T::FooterSize, &T::SetFooterSize, 0, 5),
          P("HeaderSize", &T::HeaderSize, &T::SetHeaderSize, 0, 5),
          P("Time", &T::Time, &T::SetTime, ppNone, ppTopLeft),
          P("Date", &T::Date, &T::SetDate, ppNone, ppBottomCenter),
          P("PageNr", &T::PageNr, &T::SetPageNr, ppNone, ppTopRight),
          P("Title", &T::Title, &T::SetTitle, ppNone, ppTopCenter),
          P("DateFormat", &T::DateFormat, &T::SetDateFormat, "dd/mm/yyyy", S),
          P("TitleText", &T::TitleText, &T::SetTitleText, "", S),
          {"TitleLines", [](T &o) { return o.TitleLines()->Text().toStdString(); },
           [](T &o) {
             TStringList l;
             l.Add(QStringLiteral("first"));
             o.SetTitleLines(&l);
           },
           "", true},
          FontP("Font", &T::Font, &T::SetFont, framework),
          FontP("FixedFont", &T::FixedFont, &T::SetFixedFont, framework),
          FontP("HeaderFont", &T::HeaderFont, &T::SetHeaderFont, framework),
          FontP("FooterFont", &T::FooterFont, &T::SetFooterFont, framework),
          P("Borders", &T::Borders, &T::SetBorders, pbSingle, pbCustom),
          P("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, psSolid, psDot),
          P("BorderColor", &T::BorderColor, &T::SetBorderColor, clBlack, clRed),
          P("Centered", &T::Centered, &T::SetCentered, true, false),
          P("RepeatFixedRows", &T::RepeatFixedRows, &T::SetRepeatFixedRows, false, true),
          P("RepeatFixedCols", &T::RepeatFixedCols, &T::SetRepeatFixedCols, false, true),
          P("LeftSize", &T::LeftSize, &T::SetLeftSize, 0, 7),
          P("RightSize", &T::RightSize, &T::SetRightSize, 0, 7),
          P("ColumnSpacing", &T::ColumnSpacing, &T::SetColumnSpacing, 0, 7),
          P("RowSpacing", &T::RowSpacing, &T::SetRowSpacing, 0, 7),
          P("TitleSpacing", &T::TitleSpacing, &T::SetTitleSpacing, 0, 7),
          P("Orientation", &T::Orientation, &T::SetOrientation, poPortrait, poLandscape),
          P("PagePrefix", &T::PagePrefix, &T::SetPagePrefix, "", S),
          P("PageSuffix", &T::PageSuffix, &T::SetPageSuffix, "", S),
          P("PageNumberOffset", &T::PageNumberOffset, &T::SetPageNumberOffset, 0, 2),
          P("MaxPagesOffset", &T::MaxPagesOffset, &T::SetMaxPagesOffset, 0, 2),
          P("FixedWidth", &T::FixedWidth, &T::SetFixedWidth, 0, 9),
          P("FixedHeight", &T::FixedHeight, &T::SetFixedHeight, 0, 9),
          P("UseFixedHeight", &T::UseFixedHeight, &T::SetUseFixedHeight, false, true),
          P("UseFixedWidth", &T::UseFixedWidth, &T::SetUseFixedWidth, false, true),
          P("FitToPage", &T::FitToPage, &T::SetFitToPage, fpNever, fpShrink),
          P("JobName", &T::JobName, &T::SetJobName, "", S),
          P("PageNumSep", &T::PageNumSep, &T::SetPageNumSep, "/", S),
          P("NoAutoSize", &T::NoAutoSize, &T::SetNoAutoSize, false, true),
          P("NoAutoSizeRow", &T::NoAutoSizeRow, &T::SetNoAutoSizeRow, false, true),
          P("PrintGraphics", &T::PrintGraphics, &T::SetPrintGraphics, false, true),
          P("UseDisplayFont", &T::UseDisplayFont, &T::SetUseDisplayFont, true, false),
          P("UseDefaultOrientation", &T::UseDefaultOrientation, &T::SetUseDefaultOrientation, false, true),
          P("FixedCellsAlways", &T::FixedCellsAlways, &T::SetFixedCellsAlways, false, true, false),
      });
}

TEST(GridSettingsAssign, FromAnotherClass)
{
  TZavStringGrid grid(nullptr);
  THTMLSettings html;
  html.SetWidth(5);

  TPrintSettings print(&grid);
  EXPECT_THROW(print.Assign(&html), EInvalidCast);

  TColumnSize size(&grid);
  size.SetStretchColumn(3);
  size.Assign(&html);
  EXPECT_EQ(size.StretchColumn(), 3);

  THTMLSettings other;
  other.SetWidth(7);
  other.Assign(&print);
  EXPECT_EQ(other.Width(), 7);
}

TEST(PrintSettings, FontAndTitleWritersCopyIntoTheirOwnObjects)
{
  TZavStringGrid grid(nullptr);
  TPrintSettings print(&grid);
  TFont *owned = print.Font();
  {
    TFont given;
    given.SetName(QStringLiteral("Arial"));
    print.SetFont(&given);
    TStringList lines;
    lines.Add(QStringLiteral("title"));
    print.SetTitleLines(&lines);
  }
  EXPECT_EQ(print.Font(), owned);
  EXPECT_EQ(print.Font()->Name(), QStringLiteral("Arial"));
  EXPECT_EQ(print.TitleLines()->Strings(0), QStringLiteral("title"));
}
