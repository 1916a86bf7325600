#include "grid/core/grid_settings.h"

#include "grid/core/zav_string_grid.h"

TColumnSize::TColumnSize(TZavStringGrid *AOwner) : FGrid(AOwner) {}

void TColumnSize::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TColumnSize *>(Source);
  if (!src)
    return;
  FSave = src->FSave;
  FKey = src->FKey;
  FSection = src->FSection;
  FStretch = src->FStretch;
  FStretchColumn = src->FStretchColumn;
  FSynchWithGrid = src->FSynchWithGrid;
  FSynchNormalCellsOnly = src->FSynchNormalCellsOnly;
  FLocation = src->FLocation;
  FRows = src->FRows;
}

void TColumnSize::SetStretch(bool Value)
{
  FStretch = Value;
  // A grid not yet placed has no client width to fill; it stretches when it gets one.
  if (FGrid && FGrid->Parent())
    FGrid->StretchColumnToFit(FStretchColumn);
}

// ---------------------------------------------------------------------------------------------

THTMLSettings::THTMLSettings() : FColWidths(std::make_unique<TIntList>(0, 0)) {}

void THTMLSettings::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<THTMLSettings *>(Source);
  if (!src)
    return;
  FBorderSize = src->FBorderSize;
  FCellSpacing = src->FCellSpacing;
  FCellPadding = src->FCellPadding;
  FSaveColor = src->FSaveColor;
  FSaveFonts = src->FSaveFonts;
  FFooterFile = src->FFooterFile;
  FHeaderFile = src->FHeaderFile;
  FTableStyle = src->FTableStyle;
  FPrefixTag = src->FPrefixTag;
  FSuffixTag = src->FSuffixTag;
  FSummary = src->FSummary;
  FWidth = src->FWidth;
  FXHTML = src->FXHTML;
  FConvertSpecialChars = src->FConvertSpecialChars;
  FAutoPreview = src->FAutoPreview;
  FNonBreakingText = src->FNonBreakingText;
}

// ---------------------------------------------------------------------------------------------

TPrintSettings::TPrintSettings(TZavStringGrid *AOwner)
    : FOwner(AOwner),
      FTitleLines(std::make_unique<TStringList>()),
      FFont(std::make_unique<TFont>()),
      FFixedFont(std::make_unique<TFont>()),
      FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>())
{
}

TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::SetTitleLines(TStrings *Value)
{
  if (Value)
    FTitleLines->Assign(Value);
}
void TPrintSettings::SetFont(TFont *Value) { FFont->Assign(Value); }
void TPrintSettings::SetFixedFont(TFont *Value) { FFixedFont->Assign(Value); }
void TPrintSettings::SetHeaderFont(TFont *Value) { FHeaderFont->Assign(Value); }
void TPrintSettings::SetFooterFont(TFont *Value) { FFooterFont->Assign(Value); }

void TPrintSettings::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TPrintSettings *>(Source);
  if (!src)
    throw EInvalidCast(QStringLiteral("Invalid class typecast"));
  FFooterSize = src->FFooterSize;
  FHeaderSize = src->FHeaderSize;
  FTime = src->FTime;
  FDate = src->FDate;
  FPageNr = src->FPageNr;
  FTitle = src->FTitle;
  FDateFormat = src->FDateFormat;
  FTitleText = src->FTitleText;
  SetTitleLines(src->FTitleLines.get());
  SetFont(src->FFont.get());
  SetFixedFont(src->FFixedFont.get());
  SetHeaderFont(src->FHeaderFont.get());
  SetFooterFont(src->FFooterFont.get());
  FBorders = src->FBorders;
  FBorderStyle = src->FBorderStyle;
  FCentered = src->FCentered;
  FRepeatFixedRows = src->FRepeatFixedRows;
  FRepeatFixedCols = src->FRepeatFixedCols;
  FLeftSize = src->FLeftSize;
  FRightSize = src->FRightSize;
  FColumnSpacing = src->FColumnSpacing;
  FRowSpacing = src->FRowSpacing;
  FTitleSpacing = src->FTitleSpacing;
  FOrientation = src->FOrientation;
  FPagePrefix = src->FPagePrefix;
  FPageSuffix = src->FPageSuffix;
  FPageNumberOffset = src->FPageNumberOffset;
  FMaxPagesOffset = src->FMaxPagesOffset;
  FFixedWidth = src->FFixedWidth;
  FFixedHeight = src->FFixedHeight;
  FUseFixedHeight = src->FUseFixedHeight;
  FUseFixedWidth = src->FUseFixedWidth;
  FFitToPage = src->FFitToPage;
  FJobName = src->FJobName;
  FPageNumSep = src->FPageNumSep;
  FNoAutoSize = src->FNoAutoSize;
  FNoAutoSizeRow = src->FNoAutoSizeRow;
  FPrintGraphics = src->FPrintGraphics;
  FUseDisplayFont = src->FUseDisplayFont;
  FUseDefaultOrientation = src->FUseDefaultOrientation;
  FBorderColor = src->FBorderColor;
}
