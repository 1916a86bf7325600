#pragma once
// Settings of the grid's optional features, each published as one property of the grid:
// grouping, drag and drop, balloon hints, modified-cell marks, scrolling while dragging,
// progress-bar cells and the column filter drop-down. They hold values; the features read them.
// Assign takes an object of the same class only and ignores anything else.
#include <QString>

#include <memory>

#include "framework/classes/classes.h"
#include "framework/graphics/graphics.h"

class TZavStringGrid;

class TGrouping : public TPersistent {
public:
  void Assign(TPersistent *Source) override;

  bool AutoSelectGroup() const { return FAutoSelectGroup; }
  void SetAutoSelectGroup(bool Value) { FAutoSelectGroup = Value; }
  bool AutoCheckGroup() const { return FAutoCheckGroup; }
  void SetAutoCheckGroup(bool Value) { FAutoCheckGroup = Value; }
  QString GroupCountFormat() const { return FGroupCountFormat; }
  void SetGroupCountFormat(const QString &Value) { FGroupCountFormat = Value; }
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
  TColor HeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
  TColor HeaderTextColor() const { return FHeaderTextColor; }
  void SetHeaderTextColor(TColor Value) { FHeaderTextColor = Value; }
  bool HeaderUnderline() const { return FHeaderUnderline; }
  void SetHeaderUnderline(bool Value) { FHeaderUnderline = Value; }
  TColor HeaderLineColor() const { return FHeaderLineColor; }
  void SetHeaderLineColor(TColor Value) { FHeaderLineColor = Value; }
  int HeaderLineWidth() const { return FHeaderLineWidth; }
  void SetHeaderLineWidth(int Value) { FHeaderLineWidth = Value; }
  bool MergeHeader() const { return FMergeHeader; }
  void SetMergeHeader(bool Value) { FMergeHeader = Value; }
  bool MergeSummary() const { return FMergeSummary; }
  void SetMergeSummary(bool Value) { FMergeSummary = Value; }
  bool ShowGroupCount() const { return FShowGroupCount; }
  void SetShowGroupCount(bool Value) { FShowGroupCount = Value; }
  bool Summary() const { return FSummary; }
  void SetSummary(bool Value) { FSummary = Value; }
  TColor SummaryColor() const { return FSummaryColor; }
  void SetSummaryColor(TColor Value) { FSummaryColor = Value; }
  TColor SummaryColorTo() const { return FSummaryColorTo; }
  void SetSummaryColorTo(TColor Value) { FSummaryColorTo = Value; }
  TColor SummaryTextColor() const { return FSummaryTextColor; }
  void SetSummaryTextColor(TColor Value) { FSummaryTextColor = Value; }
  bool SummaryLine() const { return FSummaryLine; }
  void SetSummaryLine(bool Value) { FSummaryLine = Value; }
  TColor SummaryLineColor() const { return FSummaryLineColor; }
  void SetSummaryLineColor(TColor Value) { FSummaryLineColor = Value; }
  int SummaryLineWidth() const { return FSummaryLineWidth; }
  void SetSummaryLineWidth(int Value) { FSummaryLineWidth = Value; }

private:
  bool FAutoSelectGroup = false;
  bool FAutoCheckGroup = false;
  QString FGroupCountFormat;
  TColor FHeaderColor = clNone;
  TColor FHeaderColorTo = clNone;
  TColor FHeaderTextColor = clNone;
  bool FHeaderUnderline = false;
  TColor FHeaderLineColor = 0xFF0000;
  int FHeaderLineWidth = 2;
  bool FMergeHeader = false;
  bool FMergeSummary = false;
  bool FShowGroupCount = false;
  bool FSummary = false;
  TColor FSummaryColor = clNone;
  TColor FSummaryColorTo = clNone;
  TColor FSummaryTextColor = clNone;
  bool FSummaryLine = false;
  TColor FSummaryLineColor = 0xFF0000;
  int FSummaryLineWidth = 2;
};

class TDragDropSettings : public TPersistent {
public:
  // AGrid: not owned.
  explicit TDragDropSettings(TZavStringGrid *AGrid);
  ~TDragDropSettings() override;
  void Assign(TPersistent *Source) override;

  bool ShowCells() const { return FShowCells; }
  void SetShowCells(bool Value) { FShowCells = Value; }
  bool OleAcceptFiles() const { return FOleAcceptFiles; }
  void SetOleAcceptFiles(bool Value) { FOleAcceptFiles = Value; }
  bool OleAcceptText() const { return FOleAcceptText; }
  void SetOleAcceptText(bool Value) { FOleAcceptText = Value; }
  bool OleAcceptURLs() const { return FOleAcceptURLs; }
  void SetOleAcceptURLs(bool Value) { FOleAcceptURLs = Value; }
  bool OleAppendRows() const { return FOleAppendRows; }
  void SetOleAppendRows(bool Value) { FOleAppendRows = Value; }
  bool OleColumnDragDrop() const { return FOleColumnDragDrop; }
  void SetOleColumnDragDrop(bool Value) { FOleColumnDragDrop = Value; }
  bool OleColumnReorder() const { return FOleColumnReorder; }
  void SetOleColumnReorder(bool Value) { FOleColumnReorder = Value; }
  bool OleColumnsOnly() const { return FOleColumnsOnly; }
  void SetOleColumnsOnly(bool Value) { FOleColumnsOnly = Value; }
  bool OleCopyAlways() const { return FOleCopyAlways; }
  void SetOleCopyAlways(bool Value) { FOleCopyAlways = Value; }
  bool OleDropTarget() const { return FOleDropTarget; }
  // Registers the grid as a drop target (outside design time); the drop machinery reads
  // DropTargetRegistered.
  void SetOleDropTarget(bool Value);
  bool DropTargetRegistered() const { return FDropTargetRegistered; }
  // Registers the drop target again for a new window of the grid.
  void RegisterDropTarget();
  bool OleDropSource() const { return FOleDropSource; }
  void SetOleDropSource(bool Value) { FOleDropSource = Value; }
  bool OleEntireRows() const { return FOleEntireRows; }
  void SetOleEntireRows(bool Value) { FOleEntireRows = Value; }
  bool OleInsertRows() const { return FOleInsertRows; }
  void SetOleInsertRows(bool Value) { FOleInsertRows = Value; }
  bool OleRemoveRows() const { return FOleRemoveRows; }
  void SetOleRemoveRows(bool Value) { FOleRemoveRows = Value; }
  bool OleDropRTF() const { return FOleDropRTF; }
  void SetOleDropRTF(bool Value) { FOleDropRTF = Value; }

private:
  TZavStringGrid *FGrid;
  bool FShowCells = true;
  bool FOleAcceptFiles = true;
  bool FOleAcceptText = true;
  bool FOleAcceptURLs = true;
  bool FOleAppendRows = false;
  bool FOleColumnDragDrop = false;
  bool FOleColumnReorder = false;
  bool FOleColumnsOnly = false;
  bool FOleCopyAlways = false;
  bool FOleDropTarget = false;
  bool FOleDropSource = false;
  bool FOleEntireRows = false;
  bool FOleInsertRows = false;
  bool FOleRemoveRows = false;
  bool FOleDropRTF = false;
  bool FDropTargetRegistered = false;
  std::unique_ptr<class TGridDropTarget> FDropTarget;
};

class TBalloonSettings : public TPersistent {
public:
  // Copies the colours, the delays and Enable (without OnEnableChange), not Transparency.
  void Assign(TPersistent *Source) override;

  int AutoHideDelay() const { return FAutoHideDelay; }
  void SetAutoHideDelay(int Value) { FAutoHideDelay = Value; }
  TColor BackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(TColor Value) { FBackgroundColor = Value; }
  bool Enable() const { return FEnable; }
  void SetEnable(bool Value);
  int InitialDelay() const { return FInitialDelay; }
  void SetInitialDelay(int Value) { FInitialDelay = Value; }
  int ReshowDelay() const { return FReshowDelay; }
  void SetReshowDelay(int Value) { FReshowDelay = Value; }
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor Value) { FTextColor = Value; }
  uint8_t Transparency() const { return FTransparency; }
  void SetTransparency(uint8_t Value) { FTransparency = Value; }
  // The balloon window exists.
  bool Initialized() const { return FInitialized; }
  void SetInitialized(bool Value) { FInitialized = Value; }

  TNotifyEvent OnEnableChange;

private:
  int FAutoHideDelay = -1;
  TColor FBackgroundColor = clNone;
  bool FEnable = false;
  int FInitialDelay = -1;
  int FReshowDelay = -1;
  TColor FTextColor = clNone;
  uint8_t FTransparency = 0;
  bool FInitialized = false;
};

class TShowModified : public TPersistent {
public:
  void Assign(TPersistent *Source) override;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TNotifyEvent OnChange;

private:
  bool FEnabled = false;
  TColor FColor = 0x00FFFF;
};

class TDragScrollDelays : public TPersistent {
public:
  void Assign(TPersistent *Source) override;
  int InitialDelay() const { return FInitialDelay; }
  void SetInitialDelay(int Value) { FInitialDelay = Value; }
  int RepeatDelay() const { return FRepeatDelay; }
  void SetRepeatDelay(int Value) { FRepeatDelay = Value; }

private:
  int FInitialDelay = 1000;
  int FRepeatDelay = 250;
};

class TDragScrollMargins : public TPersistent {
public:
  void Assign(TPersistent *Source) override;
  int TopMargin() const { return FTopMargin; }
  void SetTopMargin(int Value) { FTopMargin = Value; }
  int BottomMargin() const { return FBottomMargin; }
  void SetBottomMargin(int Value) { FBottomMargin = Value; }
  int LeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(int Value) { FLeftMargin = Value; }
  int RightMargin() const { return FRightMargin; }
  void SetRightMargin(int Value) { FRightMargin = Value; }

private:
  int FTopMargin = 50;
  int FBottomMargin = 50;
  int FLeftMargin = 50;
  int FRightMargin = 50;
};

class TDragScrollOptions : public TPersistent {
public:
  TDragScrollOptions();
  ~TDragScrollOptions() override;
  void Assign(TPersistent *Source) override;
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  TDragScrollDelays *Delays() const { return FDelays.get(); }
  void SetDelays(TDragScrollDelays *Value) { FDelays->Assign(Value); }
  TDragScrollMargins *Margins() const { return FMargins.get(); }
  void SetMargins(TDragScrollMargins *Value) { FMargins->Assign(Value); }

private:
  bool FActive = false;
  std::unique_ptr<TDragScrollDelays> FDelays;
  std::unique_ptr<TDragScrollMargins> FMargins;
};

enum class TProgressStyle { psXP, psClassic };
using enum TProgressStyle;

// Every writer fires OnChange only when the value changes.
#define QM_PROGRESS_VALUES(X)                                                                     \
  X(TColor, CompleteColor, 0x0000FF)                                                              \
  X(TColor, CompleteFontColor, 0xFF0000)                                                          \
  X(TColor, UnCompleteColor, clNone)                                                              \
  X(TColor, UnCompleteFontColor, clWindowText)                                                    \
  X(TColor, Level0Color, 0x00FF00)                                                                \
  X(TColor, Level0ColorTo, 0xE1FFE1)                                                              \
  X(TColor, Level1Color, 0x00FFFF)                                                                \
  X(TColor, Level1ColorTo, 0xCAFFFF)                                                              \
  X(TColor, Level2Color, 0x53A9FF)                                                                \
  X(TColor, Level2ColorTo, 0xA8D3FF)                                                              \
  X(TColor, Level3Color, 0x0000FF)                                                                \
  X(TColor, Level3ColorTo, 0xCACAFF)                                                              \
  X(int, Level1Perc, 70)                                                                          \
  X(int, Level2Perc, 90)                                                                          \
  X(TColor, BorderColor, clBlack)                                                                 \
  X(bool, ShowBorder, false)                                                                      \
  X(bool, Stacked, false)                                                                         \
  X(bool, ShowPercentage, true)                                                                   \
  X(bool, CompletionSmooth, true)                                                                 \
  X(bool, ShowGradient, true)                                                                     \
  X(int, Steps, 11)                                                                               \
  X(TProgressStyle, Style, psXP)

class TGridProgressAppearance : public TPersistent {
public:
  // Copies every value, then fires OnChange once.
  void Assign(TPersistent *Source) override;

#define QM_PROGRESS_ACCESSORS(T, Name, Init)                                                      \
  T Name() const { return FValues.Name; }                                                         \
  void Set##Name(T Value)                                                                         \
  {                                                                                               \
    if (FValues.Name == Value)                                                                    \
      return;                                                                                     \
    FValues.Name = Value;                                                                         \
    Changed();                                                                                    \
  }
  QM_PROGRESS_VALUES(QM_PROGRESS_ACCESSORS)
#undef QM_PROGRESS_ACCESSORS

  TNotifyEvent OnChange;

private:
  void Changed()
  {
    if (OnChange)
      OnChange(this);
  }
  struct TValues {
#define QM_PROGRESS_FIELD(T, Name, Init) T Name = Init;
    QM_PROGRESS_VALUES(QM_PROGRESS_FIELD)
#undef QM_PROGRESS_FIELD
  };
  TValues FValues;
};
#undef QM_PROGRESS_VALUES

class TFilterDropDown : public TPersistent {
public:
  TFilterDropDown();
  ~TFilterDropDown() override;
  // Copies everything but AutoSize.
  void Assign(TPersistent *Source) override;

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  bool ColumnWidth() const { return FColumnWidth; }
  void SetColumnWidth(bool Value) { FColumnWidth = Value; }
  TFont *Font() const { return FFont.get(); }
  void SetFont(TFont *Value) { FFont->Assign(Value); }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  // Writing a picture copies it, which fires OnChange.
  TBitmap *Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap *Value) { FGlyph->Assign(Value); }
  TBitmap *GlyphActive() const { return FGlyphActive.get(); }
  void SetGlyphActive(TBitmap *Value) { FGlyphActive->Assign(Value); }

  TNotifyEvent OnChange;

private:
  bool FAutoSize = false;
  TColor FColor = clWindow;
  bool FColumnWidth = false;
  std::unique_ptr<TFont> FFont;
  int FHeight = 150;
  int FWidth = 150;
  std::unique_ptr<TBitmap> FGlyph;
  std::unique_ptr<TBitmap> FGlyphActive;
};
