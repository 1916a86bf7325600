#pragma once
// Column-size, HTML-export and print settings of the string grid. The grid creates and owns one of
// each and never replaces it; the export, print and persistence code reads them.
#include <QString>

#include <memory>

#include "framework/classes/classes.h"
#include "framework/graphics/graphics.h"
#include "grid/foundation/int_lists.h"

class TZavStringGrid;

enum class TAutoSizeRows { arAll, arNormal, arFixed };
using enum TAutoSizeRows;

enum class TColumnSizeLocation { clRegistry, clIniFile };
using enum TColumnSizeLocation;

enum class TPrintPosition {
  ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter
};
using enum TPrintPosition;

enum class TPrintBorders {
  pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical,
  pbAroundHorizontal, pbCustom
};
using enum TPrintBorders;

enum class TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
using enum TFitToPage;

enum class TPrinterOrientation { poPortrait, poLandscape };
using enum TPrinterOrientation;

// ---------------------------------------------------------------------------------------------

class TColumnSize : public TPersistent {
public:
  // AOwner: the grid (not owned); nullptr for a free-standing copy.
  explicit TColumnSize(TZavStringGrid *AOwner);
  // Copies all nine properties from another TColumnSize; anything else is ignored.
  void Assign(TPersistent *Source) override;

  TAutoSizeRows Rows() const { return FRows; }
  void SetRows(TAutoSizeRows Value) { FRows = Value; }
  bool Save() const { return FSave; }
  void SetSave(bool Value) { FSave = Value; }
  QString Key() const { return FKey; }
  void SetKey(const QString &Value) { FKey = Value; }
  QString Section() const { return FSection; }
  void SetSection(const QString &Value) { FSection = Value; }
  bool Stretch() const { return FStretch; }
  // Stores, then stretches StretchColumn at once when the grid is placed on a parent.
  void SetStretch(bool Value);
  int StretchColumn() const { return FStretchColumn; }
  void SetStretchColumn(int Value) { FStretchColumn = Value; }
  bool SynchWithGrid() const { return FSynchWithGrid; }
  void SetSynchWithGrid(bool Value) { FSynchWithGrid = Value; }
  bool SynchNormalCellsOnly() const { return FSynchNormalCellsOnly; }
  void SetSynchNormalCellsOnly(bool Value) { FSynchNormalCellsOnly = Value; }
  TColumnSizeLocation Location() const { return FLocation; }
  void SetLocation(TColumnSizeLocation Value) { FLocation = Value; }

private:
  TZavStringGrid *FGrid;  // not owned
  TAutoSizeRows FRows = arAll;
  bool FSave = false;
  QString FKey;
  QString FSection;
  bool FStretch = false;
  int FStretchColumn = -1;
  bool FSynchWithGrid = false;
  bool FSynchNormalCellsOnly = false;
  TColumnSizeLocation FLocation = clRegistry;
};

// ---------------------------------------------------------------------------------------------

class THTMLSettings : public TPersistent {
public:
  THTMLSettings();
  // From another THTMLSettings only; leaves ExportImages and ColWidths.
  void Assign(TPersistent *Source) override;

  bool AutoPreview() const { return FAutoPreview; }
  void SetAutoPreview(bool Value) { FAutoPreview = Value; }
  int BorderSize() const { return FBorderSize; }
  void SetBorderSize(int Value) { FBorderSize = Value; }
  int CellSpacing() const { return FCellSpacing; }
  void SetCellSpacing(int Value) { FCellSpacing = Value; }
  int CellPadding() const { return FCellPadding; }
  void SetCellPadding(int Value) { FCellPadding = Value; }
  bool ConvertSpecialChars() const { return FConvertSpecialChars; }
  void SetConvertSpecialChars(bool Value) { FConvertSpecialChars = Value; }
  bool ExportImages() const { return FExportImages; }
  void SetExportImages(bool Value) { FExportImages = Value; }
  QString FooterFile() const { return FFooterFile; }
  void SetFooterFile(const QString &Value) { FFooterFile = Value; }
  QString HeaderFile() const { return FHeaderFile; }
  void SetHeaderFile(const QString &Value) { FHeaderFile = Value; }
  bool NonBreakingText() const { return FNonBreakingText; }
  void SetNonBreakingText(bool Value) { FNonBreakingText = Value; }
  QString PrefixTag() const { return FPrefixTag; }
  void SetPrefixTag(const QString &Value) { FPrefixTag = Value; }
  bool SaveColor() const { return FSaveColor; }
  void SetSaveColor(bool Value) { FSaveColor = Value; }
  bool SaveFonts() const { return FSaveFonts; }
  void SetSaveFonts(bool Value) { FSaveFonts = Value; }
  QString SuffixTag() const { return FSuffixTag; }
  void SetSuffixTag(const QString &Value) { FSuffixTag = Value; }
  QString Summary() const { return FSummary; }
  void SetSummary(const QString &Value) { FSummary = Value; }
  QString TableStyle() const { return FTableStyle; }
  void SetTableStyle(const QString &Value) { FTableStyle = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  bool XHTML() const { return FXHTML; }
  void SetXHTML(bool Value) { FXHTML = Value; }

  TIntList *ColWidths() const { return FColWidths.get(); }

private:
  bool FAutoPreview = false;
  int FBorderSize = 1;
  int FCellSpacing = 0;
  int FCellPadding = 0;
  bool FConvertSpecialChars = false;
  bool FExportImages = true;
  QString FFooterFile;
  QString FHeaderFile;
  bool FNonBreakingText = false;
  QString FPrefixTag;
  bool FSaveColor = true;
  bool FSaveFonts = true;
  QString FSuffixTag;
  QString FSummary;
  QString FTableStyle;
  int FWidth = 100;
  bool FXHTML = false;
  std::unique_ptr<TIntList> FColWidths;
};

// ---------------------------------------------------------------------------------------------

class TPrintSettings : public TPersistent {
public:
  // AOwner: the grid (not owned).
  explicit TPrintSettings(TZavStringGrid *AOwner);
  ~TPrintSettings() override;
  // Requires a TPrintSettings (EInvalidCast otherwise); copies every published property but
  // leaves FixedCellsAlways.
  void Assign(TPersistent *Source) override;

  int FooterSize() const { return FFooterSize; }
  void SetFooterSize(int Value) { FFooterSize = Value; }
  int HeaderSize() const { return FHeaderSize; }
  void SetHeaderSize(int Value) { FHeaderSize = Value; }
  TPrintPosition Time() const { return FTime; }
  void SetTime(TPrintPosition Value) { FTime = Value; }
  TPrintPosition Date() const { return FDate; }
  void SetDate(TPrintPosition Value) { FDate = Value; }
  TPrintPosition PageNr() const { return FPageNr; }
  void SetPageNr(TPrintPosition Value) { FPageNr = Value; }
  TPrintPosition Title() const { return FTitle; }
  void SetTitle(TPrintPosition Value) { FTitle = Value; }
  QString DateFormat() const { return FDateFormat; }
  void SetDateFormat(const QString &Value) { FDateFormat = Value; }
  QString TitleText() const { return FTitleText; }
  void SetTitleText(const QString &Value) { FTitleText = Value; }
  // The writers of the lists and fonts copy into the owned objects.
  TStrings *TitleLines() const { return FTitleLines.get(); }
  void SetTitleLines(TStrings *Value);
  TFont *Font() const { return FFont.get(); }
  void SetFont(TFont *Value);
  TFont *FixedFont() const { return FFixedFont.get(); }
  void SetFixedFont(TFont *Value);
  TFont *HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont *Value);
  TFont *FooterFont() const { return FFooterFont.get(); }
  void SetFooterFont(TFont *Value);
  TPrintBorders Borders() const { return FBorders; }
  void SetBorders(TPrintBorders Value) { FBorders = Value; }
  TPenStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TPenStyle Value) { FBorderStyle = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  bool Centered() const { return FCentered; }
  void SetCentered(bool Value) { FCentered = Value; }
  bool RepeatFixedRows() const { return FRepeatFixedRows; }
  void SetRepeatFixedRows(bool Value) { FRepeatFixedRows = Value; }
  bool RepeatFixedCols() const { return FRepeatFixedCols; }
  void SetRepeatFixedCols(bool Value) { FRepeatFixedCols = Value; }
  int LeftSize() const { return FLeftSize; }
  void SetLeftSize(int Value) { FLeftSize = Value; }
  int RightSize() const { return FRightSize; }
  void SetRightSize(int Value) { FRightSize = Value; }
  int ColumnSpacing() const { return FColumnSpacing; }
  void SetColumnSpacing(int Value) { FColumnSpacing = Value; }
  int RowSpacing() const { return FRowSpacing; }
  void SetRowSpacing(int Value) { FRowSpacing = Value; }
  int TitleSpacing() const { return FTitleSpacing; }
  void SetTitleSpacing(int Value) { FTitleSpacing = Value; }
  TPrinterOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TPrinterOrientation Value) { FOrientation = Value; }
  QString PagePrefix() const { return FPagePrefix; }
  void SetPagePrefix(const QString &Value) { FPagePrefix = Value; }
  QString PageSuffix() const { return FPageSuffix; }
  void SetPageSuffix(const QString &Value) { FPageSuffix = Value; }
  int PageNumberOffset() const { return FPageNumberOffset; }
  void SetPageNumberOffset(int Value) { FPageNumberOffset = Value; }
  int MaxPagesOffset() const { return FMaxPagesOffset; }
  void SetMaxPagesOffset(int Value) { FMaxPagesOffset = Value; }
  int FixedWidth() const { return FFixedWidth; }
  void SetFixedWidth(int Value) { FFixedWidth = Value; }
  int FixedHeight() const { return FFixedHeight; }
  void SetFixedHeight(int Value) { FFixedHeight = Value; }
  bool UseFixedHeight() const { return FUseFixedHeight; }
  void SetUseFixedHeight(bool Value) { FUseFixedHeight = Value; }
  bool UseFixedWidth() const { return FUseFixedWidth; }
  void SetUseFixedWidth(bool Value) { FUseFixedWidth = Value; }
  TFitToPage FitToPage() const { return FFitToPage; }
  void SetFitToPage(TFitToPage Value) { FFitToPage = Value; }
  QString JobName() const { return FJobName; }
  void SetJobName(const QString &Value) { FJobName = Value; }
  QString PageNumSep() const { return FPageNumSep; }
  void SetPageNumSep(const QString &Value) { FPageNumSep = Value; }
  bool NoAutoSize() const { return FNoAutoSize; }
  void SetNoAutoSize(bool Value) { FNoAutoSize = Value; }
  bool NoAutoSizeRow() const { return FNoAutoSizeRow; }
  void SetNoAutoSizeRow(bool Value) { FNoAutoSizeRow = Value; }
  bool PrintGraphics() const { return FPrintGraphics; }
  void SetPrintGraphics(bool Value) { FPrintGraphics = Value; }
  bool UseDisplayFont() const { return FUseDisplayFont; }
  void SetUseDisplayFont(bool Value) { FUseDisplayFont = Value; }
  bool UseDefaultOrientation() const { return FUseDefaultOrientation; }
  void SetUseDefaultOrientation(bool Value) { FUseDefaultOrientation = Value; }

  bool FixedCellsAlways() const { return FFixedCellsAlways; }
  void SetFixedCellsAlways(bool Value) { FFixedCellsAlways = Value; }

private:
  TZavStringGrid *FOwner;  // not owned
  int FFooterSize = 0;
  int FHeaderSize = 0;
  TPrintPosition FTime = ppNone;
  TPrintPosition FDate = ppNone;
  TPrintPosition FPageNr = ppNone;
  TPrintPosition FTitle = ppNone;
  QString FDateFormat = QStringLiteral("dd/mm/yyyy");
  QString FTitleText;
  std::unique_ptr<TStringList> FTitleLines;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TFont> FFixedFont;
  std::unique_ptr<TFont> FHeaderFont;
  std::unique_ptr<TFont> FFooterFont;
  TPrintBorders FBorders = pbSingle;
  TPenStyle FBorderStyle = psSolid;
  TColor FBorderColor = clBlack;
  bool FCentered = true;
  bool FRepeatFixedRows = false;
  bool FRepeatFixedCols = false;
  int FLeftSize = 0;
  int FRightSize = 0;
  int FColumnSpacing = 0;
  int FRowSpacing = 0;
  int FTitleSpacing = 0;
  TPrinterOrientation FOrientation = poPortrait;
  QString FPagePrefix;
  QString FPageSuffix;
  int FPageNumberOffset = 0;
  int FMaxPagesOffset = 0;
  int FFixedWidth = 0;
  int FFixedHeight = 0;
  bool FUseFixedHeight = false;
  bool FUseFixedWidth = false;
  TFitToPage FFitToPage = fpNever;
  QString FJobName;
  QString FPageNumSep = QStringLiteral("/");
  bool FNoAutoSize = false;
  bool FNoAutoSizeRow = false;
  bool FPrintGraphics = false;
  bool FUseDisplayFont = true;
  bool FUseDefaultOrientation = false;
  bool FFixedCellsAlways = false;
};
