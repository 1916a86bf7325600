#pragma once
// Common controls: the page control with its tab sheets, the track bar and the rich edit
// (plain multi-line text).
#include <QString>

#include <functional>
#include <vector>

#include "framework/controls/controls.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/richtext.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/system/sysutils.h"

class QSlider;
class QDateTimeEdit;
class QObject;
class TPageControl;

using TTabChangingEvent = std::function<void(TObject *Sender, bool &AllowChange)>;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

// ---------------------------------------------------------------------------------------------
// Page control

class TTabSheet : public TCustomControl {
  friend class TPageControl;

public:
  explicit TTabSheet(TComponent *AOwner);
  ~TTabSheet() override;

  TPageControl *PageControl() const { return FPageControl; }  // not owned
  void SetPageControl(TPageControl *APageControl);
  // Position among all pages of the page control.
  int PageIndex() const;
  void SetPageIndex(int Value);
  // Position among the visible tabs; -1 when the tab is hidden.
  int TabIndex() const;
  // A page without a visible tab can still be the active page.
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool Highlighted() const { return FHighlighted; }
  void SetHighlighted(bool Value);

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

  void CMTextChanged(TMessage &Message) override;
  void CMShowingChanged(TMessage &Message) override;

protected:
  void SetParent(TWinControl *AParent) override;
  void Paint() override;
  virtual void DoShow();
  virtual void DoHide();

  TPageControl *FPageControl = nullptr;
  bool FTabVisible = true;
  bool FHighlighted = false;
  int FImageIndex = -1;
};

class TPageControl : public TCustomControl {
  friend class TTabSheet;

public:
  explicit TPageControl(TComponent *AOwner);
  ~TPageControl() override;

  int PageCount() const { return int(FPages.size()); }
  TTabSheet *Pages(int Index) const;
  TTabSheet *ActivePage() const { return FActivePage; }
  // Showing another page by the program fires neither OnChanging nor OnChange.
  void SetActivePage(TTabSheet *Page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int Value);
  // Index of the active page's tab among the visible tabs (-1: none).
  int TabIndex() const;
  void SetTabIndex(int Value);
  TTabSheet *FindNextPage(TTabSheet *CurPage, bool GoForward, bool CheckTabVisible) const;
  void SelectNextPage(bool GoForward, bool CheckTabVisible = true);
  int TabHeight() const { return FTabHeight; }
  void SetTabHeight(int Value);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int Value);
  TTabPosition TabPosition() const { return FTabPosition; }
  void SetTabPosition(TTabPosition Value) { FTabPosition = Value; }
  TTabStyle Style() const { return FStyle; }
  void SetStyle(TTabStyle Value) { FStyle = Value; }
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value) { FMultiLine = Value; }
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value) { FHotTrack = Value; }
  TImageList *Images() const { return FImages; }  // not owned
  void SetImages(TImageList *Value);

  // Client rectangle of the pages.
  TRect DisplayRect() const;
  // Rectangle of a visible tab, by its index among the visible tabs.
  TRect TabRect(int Index) const;
  // Visible tab at a client point, or -1.
  int IndexOfTabAt(int X, int Y) const;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

  void CMFontChanged(TMessage &Message) override;
  void WMGetDlgCode(TWMGetDlgCode &Message) override;

protected:
  virtual bool CanChange();
  virtual void Change();
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t &Key, TShiftState Shift) override;
  void AlignControls(TControl *AControl, TRect &Rect) override;
  void Resize() override;
  void InsertPage(TTabSheet *Page);
  void RemovePage(TTabSheet *Page);
  void ChangeActivePage(TTabSheet *Page);
  void PlacePages();
  void UpdateTabs();
  int TabRowHeight() const;
  std::vector<TTabSheet *> VisibleTabs() const;
  // The user chose a tab: OnChanging may refuse, then the page shows and OnChange follows.
  void SelectTabByUser(int TabIndex);

  std::vector<TTabSheet *> FPages;  // not owned
  TTabSheet *FActivePage = nullptr;
  TImageList *FImages = nullptr;
  int FTabHeight = 0;
  int FTabWidth = 0;
  TTabPosition FTabPosition = tpTop;
  TTabStyle FStyle = tsTabs;
  bool FMultiLine = false;
  bool FHotTrack = false;
};

// ---------------------------------------------------------------------------------------------
// Track bar

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
public:
  explicit TTrackBar(TComponent *AOwner);
  ~TTrackBar() override;

  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  // Clamped into Min..Max; a new position calls OnChange, also when set by the program.
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int Frequency() const { return FFrequency; }
  void SetFrequency(int Value);
  int LineSize() const { return FLineSize; }
  void SetLineSize(int Value);
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  TTrackBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TTrackBarOrientation Value);
  TTickMark TickMarks() const { return FTickMarks; }
  void SetTickMarks(TTickMark Value);
  TTickStyle TickStyle() const { return FTickStyle; }
  void SetTickStyle(TTickStyle Value);
  int SelStart() const { return FSelStart; }
  void SetSelStart(int Value) { FSelStart = Value; }
  int SelEnd() const { return FSelEnd; }
  void SetSelEnd(int Value) { FSelEnd = Value; }

  TNotifyEvent OnChange;

  void CMColorChanged(TMessage &Message) override;
  void CMEnabledChanged(TMessage &Message) override;

protected:
  virtual void Changed();
  QWidget *CreateWindowHandle(const TCreateParams &Params) override;
  void CreateWindowDone() override;
  QSlider *Slider() const;
  void ApplyToWidget();

  int FMin = 0;
  int FMax = 10;
  int FPosition = 0;
  int FFrequency = 1;
  int FLineSize = 1;
  int FPageSize = 2;
  int FSelStart = 0;
  int FSelEnd = 0;
  TTrackBarOrientation FOrientation = trHorizontal;
  TTickMark FTickMarks = tmBottomRight;
  TTickStyle FTickStyle = tsAuto;
  int FUpdatingWidget = 0;
  std::unique_ptr<QObject> FSignals;  // context of the widget's signal connections
};

// ---------------------------------------------------------------------------------------------
// Rich edit: a multi-line edit whose characters carry a format. Lines are read and written as
// text; the formatted content is read and written as a rich-text document (RTF through
// TRichText).

class TCustomRichEdit : public TCustomMemo {
public:
  explicit TCustomRichEdit(TComponent *AOwner);
  bool PlainText() const { return FPlainText; }
  void SetPlainText(bool Value) { FPlainText = Value; }
  // Vertical offset of the selected characters in twips (the first selected character's, or
  // the typing position's without a selection): 0 on the base line, negative lowered.
  int SelOffset();
  void SetSelOffset(int Twips);
  // The formatted content. It survives a window's re-creation and is kept without a window.
  void SetRichText(const TRichText &Value);
  TRichText RichText() const;

protected:
  void CreateWindowDone() override;
  void DestroyWnd() override;

  bool FPlainText = false;
  TRichText FRichText;  // the content while there is no window
};

class TRichEdit : public TCustomRichEdit {
public:
  explicit TRichEdit(TComponent *AOwner) : TCustomRichEdit(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Date-time picker: a date with a calendar drop-down, or a time with up-down fields.

QM_DECLARE_EXCEPTION(EDateTimeError, Exception)

enum TDateTimeKind { dtkDate, dtkTime, dtkDateTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };
enum TDTCalAlignment { dtaLeft, dtaRight };

// A picker format of the platform (d, M, y, h, H, m, s, t, 'text') in Qt's date-time syntax.
QString PickerFormatToQt(const QString &Format);

class TDateTimePicker : public TWinControl {
public:
  explicit TDateTimePicker(TComponent *AOwner);
  ~TDateTimePicker() override;

  TDateTime DateTime() const { return FDateTime; }
  // Set by the program: no OnChange, as the platform's control reports only the user's edits.
  void SetDateTime(TDateTime Value);
  TDateTime Date() const;
  void SetDate(TDateTime Value);
  TDateTime Time() const;
  void SetTime(TDateTime Value);
  TDateTimeKind Kind() const { return FKind; }
  void SetKind(TDateTimeKind Value);
  TDTDateMode DateMode() const { return FDateMode; }
  void SetDateMode(TDTDateMode Value);
  TDTDateFormat DateFormat() const { return FDateFormat; }
  void SetDateFormat(TDTDateFormat Value);
  // Empty: the short or long date format, or the long time format.
  QString Format() const { return FFormat; }
  void SetFormat(const QString &Value);
  TDateTime MinDate() const { return FMinDate; }
  void SetMinDate(TDateTime Value);
  TDateTime MaxDate() const { return FMaxDate; }
  void SetMaxDate(TDateTime Value);
  bool ShowCheckbox() const { return FShowCheckbox; }
  void SetShowCheckbox(bool Value) { FShowCheckbox = Value; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value) { FChecked = Value; }
  TDTCalAlignment CalAlignment() const { return FCalAlignment; }
  void SetCalAlignment(TDTCalAlignment Value) { FCalAlignment = Value; }
  bool DroppedDown() const;
  // The text shown in the field.
  QString GetText() const override;

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnUserInput;

  void CMFontChanged(TMessage &Message) override;
  void CMColorChanged(TMessage &Message) override;
  void CMEnabledChanged(TMessage &Message) override;
  void WMGetDlgCode(TWMGetDlgCode &Message) override;

protected:
  virtual void Change();
  QWidget *CreateWindowHandle(const TCreateParams &Params) override;
  void CreateWindowDone() override;
  QDateTimeEdit *Editor() const;
  void ApplyToWidget();
  QString EffectiveFormat() const;

  TDateTime FDateTime = 0;
  TDateTime FMinDate = 0;
  TDateTime FMaxDate = 0;
  TDateTimeKind FKind = dtkDate;
  TDTDateMode FDateMode = dmComboBox;
  TDTDateFormat FDateFormat = dfShort;
  TDTCalAlignment FCalAlignment = dtaLeft;
  QString FFormat;
  bool FShowCheckbox = false;
  bool FChecked = true;
  int FUpdatingWidget = 0;
  std::unique_ptr<QObject> FSignals;  // context of the widget's signal connections
};
