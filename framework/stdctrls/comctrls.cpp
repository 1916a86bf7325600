#include "framework/stdctrls/comctrls.h"

#include <QPointer>
#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QSlider>

#include <cmath>

#include <algorithm>

#include "framework/controls/classiclook.h"

// =============================================================================================
// TTabSheet

TTabSheet::TTabSheet(TComponent *AOwner) : TCustomControl(AOwner)
{
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks, csParentBackground};
  FVisible = false;
  FParentColor = true;
}

TTabSheet::~TTabSheet()
{
  if (FPageControl)
    FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl *APageControl)
{
  if (FPageControl == APageControl && Parent() == APageControl)
    return;
  SetParent(APageControl);
}

void TTabSheet::SetParent(TWinControl *AParent)
{
  auto *pc = dynamic_cast<TPageControl *>(AParent);
  if (FPageControl && FPageControl != pc)
    FPageControl->RemovePage(this);
  TCustomControl::SetParent(AParent);
  if (pc && FPageControl != pc)
    pc->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
  if (!FPageControl)
    return -1;
  const auto &pages = FPageControl->FPages;
  auto it = std::find(pages.begin(), pages.end(), this);
  return it == pages.end() ? -1 : int(it - pages.begin());
}

void TTabSheet::SetPageIndex(int Value)
{
  if (!FPageControl)
    return;
  auto &pages = FPageControl->FPages;
  const int cur = PageIndex();
  Value = std::clamp(Value, 0, int(pages.size()) - 1);
  if (cur < 0 || cur == Value)
    return;
  pages.erase(pages.begin() + cur);
  pages.insert(pages.begin() + Value, this);
  FPageControl->Invalidate();
}

int TTabSheet::TabIndex() const
{
  if (!FPageControl || !FTabVisible)
    return -1;
  const auto tabs = FPageControl->VisibleTabs();
  auto it = std::find(tabs.begin(), tabs.end(), this);
  return it == tabs.end() ? -1 : int(it - tabs.begin());
}

void TTabSheet::SetTabVisible(bool Value)
{
  if (FTabVisible == Value)
    return;
  FTabVisible = Value;
  if (FPageControl)
    FPageControl->UpdateTabs();
}

void TTabSheet::SetImageIndex(int Value)
{
  FImageIndex = Value;
  if (FPageControl)
    FPageControl->Invalidate();
}

void TTabSheet::SetHighlighted(bool Value)
{
  FHighlighted = Value;
  if (FPageControl)
    FPageControl->Invalidate();
}

void TTabSheet::CMTextChanged(TMessage &Message)
{
  TCustomControl::CMTextChanged(Message);
  if (FPageControl)
    FPageControl->Invalidate();
}

void TTabSheet::CMShowingChanged(TMessage &Message)
{
  TCustomControl::CMShowingChanged(Message);
  if (Showing())
    DoShow();
  else
    DoHide();
}

void TTabSheet::DoShow()
{
  if (OnShow)
    OnShow(this);
}

void TTabSheet::DoHide()
{
  if (OnHide)
    OnHide(this);
}

void TTabSheet::Paint()
{
  Canvas()->Brush()->SetColor(Color());
  Canvas()->Brush()->SetStyle(bsSolid);
  Canvas()->FillRect(ClientRect());
}

// =============================================================================================
// TPageControl

TPageControl::TPageControl(TComponent *AOwner) : TCustomControl(AOwner)
{
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks};
  FWidth = 289;
  FHeight = 193;
  FTabStop = true;
  FParentColor = false;
  FColor = clBtnFace;
}

TPageControl::~TPageControl()
{
  for (TTabSheet *p : FPages)
    p->FPageControl = nullptr;
}

TTabSheet *TPageControl::Pages(int Index) const
{
  if (Index < 0 || Index >= int(FPages.size()))
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FPages[size_t(Index)];
}

void TPageControl::InsertPage(TTabSheet *Page)
{
  if (std::find(FPages.begin(), FPages.end(), Page) != FPages.end())
    return;
  FPages.push_back(Page);
  Page->FPageControl = this;
  // The first page shows until another is chosen.
  if (!FActivePage)
    ChangeActivePage(Page);
  else
    Page->SetVisible(false);
  PlacePages();
  Invalidate();
}

void TPageControl::RemovePage(TTabSheet *Page)
{
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end())
    return;
  TTabSheet *next = nullptr;
  if (FActivePage == Page) {
    next = FindNextPage(Page, true, true);
    if (next == Page)
      next = nullptr;
  }
  FPages.erase(it);
  Page->FPageControl = nullptr;
  if (FActivePage == Page) {
    FActivePage = nullptr;
    ChangeActivePage(next);
  }
  Invalidate();
}

std::vector<TTabSheet *> TPageControl::VisibleTabs() const
{
  std::vector<TTabSheet *> r;
  for (TTabSheet *p : FPages)
    if (p->FTabVisible)
      r.push_back(p);
  return r;
}

void TPageControl::UpdateTabs()
{
  PlacePages();
  Invalidate();
}

void TPageControl::ChangeActivePage(TTabSheet *Page)
{
  if (FActivePage == Page)
    return;
  TTabSheet *old = FActivePage;
  FActivePage = Page;
  if (Page) {
    Page->SetBounds(DisplayRect().Left, DisplayRect().Top, DisplayRect().Width(), DisplayRect().Height());
    Page->BringToFront();
    Page->SetVisible(true);
  }
  if (old && old != Page)
    old->SetVisible(false);
  Invalidate();
}

void TPageControl::SetActivePage(TTabSheet *Page)
{
  if (Page && Page->FPageControl != this)
    return;
  ChangeActivePage(Page);
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int Value)
{
  if (Value >= 0 && Value < PageCount())
    SetActivePage(FPages[size_t(Value)]);
  else
    SetActivePage(nullptr);
}

int TPageControl::TabIndex() const { return FActivePage ? FActivePage->TabIndex() : -1; }

void TPageControl::SetTabIndex(int Value)
{
  const auto tabs = VisibleTabs();
  if (Value >= 0 && Value < int(tabs.size()))
    SetActivePage(tabs[size_t(Value)]);
}

TTabSheet *TPageControl::FindNextPage(TTabSheet *CurPage, bool GoForward, bool CheckTabVisible) const
{
  if (FPages.empty())
    return nullptr;
  const int n = int(FPages.size());
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (FPages[size_t(i)] == CurPage)
      start = i;
  if (start < 0)
    start = GoForward ? n - 1 : 0;
  int i = start;
  for (int k = 0; k < n; ++k) {
    i = GoForward ? (i + 1) % n : (i + n - 1) % n;
    TTabSheet *p = FPages[size_t(i)];
    if (!CheckTabVisible || p->FTabVisible)
      return p;
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible)
{
  TTabSheet *p = FindNextPage(FActivePage, GoForward, CheckTabVisible);
  if (p && p != FActivePage && CanChange()) {
    ChangeActivePage(p);
    Change();
  }
}

void TPageControl::SetTabHeight(int Value)
{
  FTabHeight = std::max(0, Value);
  UpdateTabs();
}

void TPageControl::SetTabWidth(int Value)
{
  FTabWidth = std::max(0, Value);
  Invalidate();
}

void TPageControl::SetImages(TImageList *Value)
{
  FImages = Value;
  UpdateTabs();
}

int TPageControl::TabRowHeight() const
{
  if (VisibleTabs().empty())
    return 0;
  if (FTabHeight > 0)
    return FTabHeight;
  int h = FontTextMetrics(*Font()).tmHeight + 6;
  if (FImages)
    h = std::max(h, FImages->Height() + 4);
  return h;
}

TRect TPageControl::DisplayRect() const
{
  const int row = TabRowHeight();
  TRect r(0, row ? row + 2 : 0, Width(), Height());
  InflateRect(r, -4, -4);
  if (r.Right < r.Left)
    r.Right = r.Left;
  if (r.Bottom < r.Top)
    r.Bottom = r.Top;
  return r;
}

TRect TPageControl::TabRect(int Index) const
{
  const auto tabs = VisibleTabs();
  if (Index < 0 || Index >= int(tabs.size()))
    return TRect();
  TBitmap scratch(1, 1);
  TCanvas *c = scratch.Canvas();
  c->Font()->Assign(Font());
  const int row = TabRowHeight();
  int x = 2;
  for (int i = 0; i < int(tabs.size()); ++i) {
    int w = FTabWidth;
    if (w <= 0) {
      TRect calc(0, 0, 0, 0);
      c->DrawText(tabs[size_t(i)]->Caption(), calc, DT_CALCRECT | DT_SINGLELINE);
      w = calc.Width() + 12;
      if (FImages && tabs[size_t(i)]->ImageIndex() >= 0)
        w += FImages->Width() + 3;
    }
    if (i == Index)
      return TRect(x, 2, x + w, row + 2);
    x += w;
  }
  return TRect();
}

int TPageControl::IndexOfTabAt(int X, int Y) const
{
  const int n = int(VisibleTabs().size());
  for (int i = 0; i < n; ++i) {
    TRect r = TabRect(i);
    if (FActivePage && FActivePage->TabIndex() == i)
      InflateRect(r, 2, 2);
    if (PtInRect(r, TPoint(X, Y)))
      return i;
  }
  return -1;
}

void TPageControl::PlacePages()
{
  const TRect d = DisplayRect();
  for (TTabSheet *p : FPages)
    p->SetBounds(d.Left, d.Top, d.Width(), d.Height());
}

void TPageControl::AlignControls(TControl *AControl, TRect &Rect)
{
  TCustomControl::AlignControls(AControl, Rect);
  // Pages always fill the display area; a page moved by its own code goes back.
  if (auto *p = dynamic_cast<TTabSheet *>(AControl); p && p->FPageControl == this) {
    const TRect d = DisplayRect();
    if (p->BoundsRect() != d)
      p->SetBounds(d.Left, d.Top, d.Width(), d.Height());
  }
}

void TPageControl::Resize()
{
  PlacePages();
  TCustomControl::Resize();
}

bool TPageControl::CanChange()
{
  bool allow = true;
  if (OnChanging)
    OnChanging(this, allow);
  return allow;
}

void TPageControl::Change()
{
  if (OnChange)
    OnChange(this);
}

void TPageControl::SelectTabByUser(int TabIndex)
{
  const auto tabs = VisibleTabs();
  if (TabIndex < 0 || TabIndex >= int(tabs.size()))
    return;
  TTabSheet *p = tabs[size_t(TabIndex)];
  if (p == FActivePage)
    return;
  if (!CanChange())
    return;
  ChangeActivePage(p);
  Change();
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (Button == mbLeft) {
    const int t = IndexOfTabAt(X, Y);
    if (t >= 0) {
      SelectTabByUser(t);
      if (CanFocus())
        SetFocus();
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TPageControl::KeyDown(uint16_t &Key, TShiftState Shift)
{
  TCustomControl::KeyDown(Key, Shift);
  const int t = TabIndex();
  const int n = int(VisibleTabs().size());
  if (n == 0)
    return;
  if (Key == VK_RIGHT || Key == VK_DOWN) {
    SelectTabByUser(std::min(n - 1, t + 1));
    Key = 0;
  } else if (Key == VK_LEFT || Key == VK_UP) {
    SelectTabByUser(std::max(0, t - 1));
    Key = 0;
  } else if (Key == VK_TAB && Shift.Contains(ssCtrl)) {
    SelectNextPage(!Shift.Contains(ssShift));
    Key = 0;
  }
}

void TPageControl::WMGetDlgCode(TWMGetDlgCode &Message)
{
  TCustomControl::WMGetDlgCode(Message);
  Message.Result |= DLGC_WANTARROWS;
}

void TPageControl::CMFontChanged(TMessage &Message)
{
  TCustomControl::CMFontChanged(Message);
  UpdateTabs();
}

void TPageControl::Paint()
{
  TCanvas *c = Canvas();
  // Area around the tabs shows the parent's colour.
  const TColor back = Parent() ? Parent()->Color() : Color();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(back);
  c->FillRect(ClientRect());
  const int row = TabRowHeight();
  TRect body(0, row ? row + 2 : 0, Width(), Height());
  c->Brush()->SetColor(Color());
  c->FillRect(body);
  // Raised body frame: light top and left, shadow and dark shadow bottom and right.
  auto hline = [&](int x1, int x2, int y, TColor col) { c->Brush()->SetColor(col); c->FillRect(TRect(x1, y, x2, y + 1)); };
  auto vline = [&](int x, int y1, int y2, TColor col) { c->Brush()->SetColor(col); c->FillRect(TRect(x, y1, x + 1, y2)); };
  hline(body.Left, body.Right - 1, body.Top, clBtnHighlight);
  vline(body.Left, body.Top, body.Bottom - 1, clBtnHighlight);
  hline(body.Left + 1, body.Right - 2, body.Top + 1, cl3DLight);
  vline(body.Left + 1, body.Top + 1, body.Bottom - 2, cl3DLight);
  hline(body.Left, body.Right, body.Bottom - 1, cl3DDkShadow);
  vline(body.Right - 1, body.Top, body.Bottom, cl3DDkShadow);
  hline(body.Left + 1, body.Right - 1, body.Bottom - 2, clBtnShadow);
  vline(body.Right - 2, body.Top + 1, body.Bottom - 1, clBtnShadow);

  const auto tabs = VisibleTabs();
  const int active = TabIndex();
  auto drawTab = [&](int i) {
    TTabSheet *p = tabs[size_t(i)];
    TRect r = TabRect(i);
    const bool sel = i == active;
    if (sel) {
      r.Left -= 2;
      r.Right += 2;
      r.Top -= 2;
      r.Bottom += 1;
    }
    c->Brush()->SetColor(p->FHighlighted ? cl3DLight : Color());
    c->FillRect(TRect(r.Left + 1, r.Top + 1, r.Right - 2, r.Bottom));
    vline(r.Left, r.Top + 2, r.Bottom, clBtnHighlight);
    c->SetPixels(r.Left + 1, r.Top + 1, ColorToRGB(clBtnHighlight));
    hline(r.Left + 2, r.Right - 2, r.Top, clBtnHighlight);
    vline(r.Right - 2, r.Top + 1, r.Bottom, clBtnShadow);
    vline(r.Right - 1, r.Top + 2, r.Bottom, cl3DDkShadow);
    c->SetPixels(r.Right - 2, r.Top + 1, ColorToRGB(cl3DDkShadow));
    if (sel)
      hline(r.Left + 1, r.Right - 2, r.Bottom - 1, Color());
    TRect tr = r;
    tr.Top += sel ? 1 : 2;
    if (FImages && p->ImageIndex() >= 0 && p->ImageIndex() < FImages->Count()) {
      FImages->Draw(c, tr.Left + 6, tr.Top + (tr.Height() - FImages->Height()) / 2, p->ImageIndex(), Enabled());
      tr.Left += FImages->Width() + 3;
    }
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    if (!Enabled())
      c->Font()->SetColor(clGrayText);
    c->DrawText(p->Caption(), tr, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    c->Brush()->SetStyle(bsSolid);
    if (sel && Focused()) {
      TRect fr = tr;
      InflateRect(fr, -3, -3);
      c->DrawFocusRect(fr);
    }
  };
  for (int i = 0; i < int(tabs.size()); ++i)
    if (i != active)
      drawTab(i);
  if (active >= 0)
    drawTab(active);
}

// =============================================================================================
// TTrackBar

TTrackBar::TTrackBar(TComponent *AOwner) : TWinControl(AOwner), FSignals(std::make_unique<QObject>())
{
  FWidth = 150;
  FHeight = 45;
  FTabStop = true;
  FParentColor = true;
}

TTrackBar::~TTrackBar() = default;

QSlider *TTrackBar::Slider() const
{
  if (!HandleAllocated())
    return nullptr;
  return qobject_cast<QSlider *>(const_cast<TTrackBar *>(this)->Handle());
}

QWidget *TTrackBar::CreateWindowHandle(const TCreateParams &Params)
{
  return new QSlider(FOrientation == trHorizontal ? Qt::Horizontal : Qt::Vertical);
}

void TTrackBar::CreateWindowDone()
{
  TWinControl::CreateWindowDone();
  QSlider *s = Slider();
  if (!s)
    return;
  ApplyClassicLook(s, Color(), Font());
  QPalette p = s->palette();
  p.setColor(QPalette::Window, ColorToQColor(Color()));
  s->setPalette(p);
  s->setAutoFillBackground(true);
  ApplyToWidget();
  QObject::connect(s, &QSlider::valueChanged, FSignals.get(), [this](int v) {
    if (FUpdatingWidget)
      return;
    if (v != FPosition) {
      FPosition = v;
      Changed();
    }
  });
}

void TTrackBar::ApplyToWidget()
{
  QSlider *s = Slider();
  if (!s)
    return;
  ++FUpdatingWidget;
  s->setOrientation(FOrientation == trHorizontal ? Qt::Horizontal : Qt::Vertical);
  s->setRange(FMin, FMax);
  s->setValue(FPosition);
  s->setSingleStep(FLineSize);
  s->setPageStep(FPageSize);
  s->setTickInterval(FFrequency);
  QSlider::TickPosition tp = QSlider::NoTicks;
  if (FTickStyle != tsNone) {
    switch (FTickMarks) {
    case tmBottomRight: tp = FOrientation == trHorizontal ? QSlider::TicksBelow : QSlider::TicksRight; break;
    case tmTopLeft: tp = FOrientation == trHorizontal ? QSlider::TicksAbove : QSlider::TicksLeft; break;
    case tmBoth: tp = QSlider::TicksBothSides; break;
    }
  }
  s->setTickPosition(tp);
  s->setEnabled(Enabled());
  --FUpdatingWidget;
}

void TTrackBar::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TTrackBar::SetMin(int Value)
{
  FMin = Value;
  if (FMax < FMin)
    FMax = FMin;
  const int old = FPosition;
  FPosition = std::clamp(FPosition, FMin, FMax);
  ApplyToWidget();
  if (FPosition != old)
    Changed();
}

void TTrackBar::SetMax(int Value)
{
  FMax = Value;
  if (FMin > FMax)
    FMin = FMax;
  const int old = FPosition;
  FPosition = std::clamp(FPosition, FMin, FMax);
  ApplyToWidget();
  if (FPosition != old)
    Changed();
}

void TTrackBar::SetPosition(int Value)
{
  Value = std::clamp(Value, FMin, FMax);
  if (Value == FPosition)
    return;
  FPosition = Value;
  ApplyToWidget();
  Changed();
}

void TTrackBar::SetFrequency(int Value)
{
  FFrequency = std::max(1, Value);
  ApplyToWidget();
}

void TTrackBar::SetLineSize(int Value)
{
  FLineSize = Value;
  ApplyToWidget();
}

void TTrackBar::SetPageSize(int Value)
{
  FPageSize = Value;
  ApplyToWidget();
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value)
{
  if (FOrientation == Value)
    return;
  FOrientation = Value;
  SetBounds(Left(), Top(), Height(), Width());
  ApplyToWidget();
}

void TTrackBar::SetTickMarks(TTickMark Value)
{
  FTickMarks = Value;
  ApplyToWidget();
}

void TTrackBar::SetTickStyle(TTickStyle Value)
{
  FTickStyle = Value;
  ApplyToWidget();
}

void TTrackBar::CMColorChanged(TMessage &Message)
{
  TWinControl::CMColorChanged(Message);
  if (QSlider *s = Slider()) {
    QPalette p = s->palette();
    p.setColor(QPalette::Window, ColorToQColor(Color()));
    s->setPalette(p);
  }
}

void TTrackBar::CMEnabledChanged(TMessage &Message)
{
  TWinControl::CMEnabledChanged(Message);
  ApplyToWidget();
}

// =============================================================================================
// TCustomRichEdit

TCustomRichEdit::TCustomRichEdit(TComponent *AOwner) : TCustomMemo(AOwner) {}

// =============================================================================================
// TDateTimePicker

namespace {

const QDate BaseDate(1899, 12, 30);

QDateTime ToQDateTime(TDateTime Value)
{
  const double days = std::floor(Value);
  double frac = std::fabs(Value - days);
  // The platform's negative date-times keep a positive time of day.
  if (Value < 0)
    frac = std::fabs(Value - std::ceil(Value));
  const qint64 ms = qint64(std::llround(frac * 86400000.0));
  const QDate d = BaseDate.addDays(qint64(Value < 0 ? std::ceil(Value) : days));
  return QDateTime(d, QTime(0, 0).addMSecs(int(std::min<qint64>(ms, 86399999))));
}

TDateTime FromQDateTime(const QDateTime &Value)
{
  const qint64 days = BaseDate.daysTo(Value.date());
  const double frac = Value.time().msecsSinceStartOfDay() / 86400000.0;
  return days < 0 ? double(days) - frac : double(days) + frac;
}

}  // namespace

QString PickerFormatToQt(const QString &Format)
{
  QString r;
  for (int i = 0; i < Format.size(); ++i) {
    const QChar c = Format.at(i);
    if (c == QLatin1Char('\'')) {
      const int end = Format.indexOf(QLatin1Char('\''), i + 1);
      const int stop = end < 0 ? int(Format.size()) : end + 1;
      r += Format.mid(i, stop - i);
      i = stop - 1;
      continue;
    }
    if (Format.mid(i, 4).compare(QLatin1String("AMPM"), Qt::CaseInsensitive) == 0) {
      r += Format.at(i).isUpper() ? QStringLiteral("AP") : QStringLiteral("ap");
      i += 3;
      continue;
    }
    if (c == QLatin1Char('t')) {
      r += QStringLiteral("AP");
      if (i + 1 < Format.size() && Format.at(i + 1) == QLatin1Char('t'))
        ++i;
      continue;
    }
    if (c == QLatin1Char('y')) {
      int n = 1;
      while (i + n < Format.size() && Format.at(i + n) == QLatin1Char('y'))
        ++n;
      r += n >= 3 ? QStringLiteral("yyyy") : QStringLiteral("yy");
      i += n - 1;
      continue;
    }
    r += c;
  }
  return r;
}

TDateTimePicker::TDateTimePicker(TComponent *AOwner) : TWinControl(AOwner), FSignals(std::make_unique<QObject>())
{
  FWidth = 186;
  FHeight = 21;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FDateTime = FromQDateTime(QDateTime::currentDateTime());
  FMinDate = 0;
  FMaxDate = 0;
}

TDateTimePicker::~TDateTimePicker() = default;

QDateTimeEdit *TDateTimePicker::Editor() const
{
  if (!HandleAllocated())
    return nullptr;
  return qobject_cast<QDateTimeEdit *>(const_cast<TDateTimePicker *>(this)->Handle());
}

QWidget *TDateTimePicker::CreateWindowHandle(const TCreateParams &Params)
{
  return new QDateTimeEdit;
}

QString TDateTimePicker::EffectiveFormat() const
{
  if (!FFormat.isEmpty())
    return PickerFormatToQt(FFormat);
  if (FKind == dtkTime)
    return PickerFormatToQt(FormatSettings.LongTimeFormat);
  const QString date = PickerFormatToQt(FDateFormat == dfLong ? FormatSettings.LongDateFormat : FormatSettings.ShortDateFormat);
  if (FKind == dtkDateTime)
    return date + QLatin1Char(' ') + PickerFormatToQt(FormatSettings.LongTimeFormat);
  return date;
}

void TDateTimePicker::CreateWindowDone()
{
  TWinControl::CreateWindowDone();
  QDateTimeEdit *e = Editor();
  if (!e)
    return;
  ApplyClassicLook(e, Color(), Font());
  ApplyToWidget();
  QObject::connect(e, &QDateTimeEdit::dateTimeChanged, FSignals.get(), [this](const QDateTime &V) {
    if (FUpdatingWidget)
      return;
    FDateTime = FromQDateTime(V);
    Change();
  });
  if (QCalendarWidget *cal = e->calendarWidget()) {
    ApplyClassicLook(cal, clWindow, Font());
  }
}

void TDateTimePicker::ApplyToWidget()
{
  QDateTimeEdit *e = Editor();
  if (!e)
    return;
  ++FUpdatingWidget;
  e->setCalendarPopup(FKind != dtkTime && FDateMode == dmComboBox);
  e->setDisplayFormat(EffectiveFormat());
  if (FMinDate != 0)
    e->setMinimumDateTime(ToQDateTime(FMinDate));
  else
    e->clearMinimumDateTime();
  if (FMaxDate != 0)
    e->setMaximumDateTime(ToQDateTime(FMaxDate));
  else
    e->clearMaximumDateTime();
  e->setDateTime(ToQDateTime(FDateTime));
  e->setEnabled(Enabled());
  --FUpdatingWidget;
}

void TDateTimePicker::Change()
{
  if (OnChange)
    OnChange(this);
}

void TDateTimePicker::SetDateTime(TDateTime Value)
{
  if (FMinDate != 0 && Value < FMinDate)
    throw EDateTimeError(QStringLiteral("Date is less than minimum of %1").arg(ToQDateTime(FMinDate).toString(EffectiveFormat())));
  if (FMaxDate != 0 && Value > FMaxDate)
    throw EDateTimeError(QStringLiteral("Date exceeds maximum of %1").arg(ToQDateTime(FMaxDate).toString(EffectiveFormat())));
  FDateTime = Value;
  ApplyToWidget();
}

TDateTime TDateTimePicker::Date() const { return std::trunc(FDateTime); }

void TDateTimePicker::SetDate(TDateTime Value)
{
  SetDateTime(std::trunc(Value) + (FDateTime - std::trunc(FDateTime)));
}

TDateTime TDateTimePicker::Time() const { return FDateTime - std::trunc(FDateTime); }

void TDateTimePicker::SetTime(TDateTime Value)
{
  SetDateTime(std::trunc(FDateTime) + std::fabs(Value - std::trunc(Value)));
}

void TDateTimePicker::SetKind(TDateTimeKind Value)
{
  FKind = Value;
  ApplyToWidget();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value)
{
  FDateMode = Value;
  ApplyToWidget();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat Value)
{
  FDateFormat = Value;
  ApplyToWidget();
}

void TDateTimePicker::SetFormat(const QString &Value)
{
  FFormat = Value;
  ApplyToWidget();
}

void TDateTimePicker::SetMinDate(TDateTime Value)
{
  FMinDate = Value;
  if (FMinDate != 0 && FDateTime < FMinDate)
    FDateTime = FMinDate;
  ApplyToWidget();
}

void TDateTimePicker::SetMaxDate(TDateTime Value)
{
  FMaxDate = Value;
  if (FMaxDate != 0 && FDateTime > FMaxDate)
    FDateTime = FMaxDate;
  ApplyToWidget();
}

bool TDateTimePicker::DroppedDown() const
{
  QDateTimeEdit *e = Editor();
  return e && e->calendarWidget() && e->calendarWidget()->isVisible();
}

QString TDateTimePicker::GetText() const
{
  if (QDateTimeEdit *e = Editor())
    return e->text();
  return ToQDateTime(FDateTime).toString(EffectiveFormat());
}

void TDateTimePicker::WMGetDlgCode(TWMGetDlgCode &Message)
{
  TWinControl::WMGetDlgCode(Message);
  Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TDateTimePicker::CMFontChanged(TMessage &Message)
{
  TWinControl::CMFontChanged(Message);
  if (QDateTimeEdit *e = Editor())
    ApplyClassicLook(e, Color(), Font());
}

void TDateTimePicker::CMColorChanged(TMessage &Message)
{
  TWinControl::CMColorChanged(Message);
  if (QDateTimeEdit *e = Editor())
    ApplyClassicLook(e, Color(), Font());
}

void TDateTimePicker::CMEnabledChanged(TMessage &Message)
{
  TWinControl::CMEnabledChanged(Message);
  if (QDateTimeEdit *e = Editor())
    e->setEnabled(Enabled());
}
