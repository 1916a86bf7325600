#include "framework/stdctrls/stdctrls.h"

#include <QObject>
#include <QPointer>
#include <QScrollBar>

#include <algorithm>

#include "framework/controls/classiclook.h"

TScrollBar::TScrollBar(TComponent *AOwner) : TWinControl(AOwner), FSignals(std::make_unique<QObject>())
{
  FControlStyle = TControlStyle{csFramed, csDoubleClicks, csOpaque};
  FWidth = 121;
  FHeight = GetSystemMetrics(SM_CYHSCROLL);
  FTabStop = true;
}

TScrollBar::~TScrollBar() = default;

QScrollBar *TScrollBar::Bar() const
{
  if (!HandleAllocated())
    return nullptr;
  return qobject_cast<QScrollBar *>(const_cast<TScrollBar *>(this)->Handle());
}

QWidget *TScrollBar::CreateWindowHandle(const TCreateParams &Params)
{
  return new QScrollBar(FKind == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
}

void TScrollBar::CreateWindowDone()
{
  TWinControl::CreateWindowDone();
  QScrollBar *b = Bar();
  if (!b)
    return;
  ApplyClassicLook(b, clScrollBar, Font());
  ApplyToWidget();
  QObject::connect(b, &QAbstractSlider::actionTriggered, FSignals.get(), [this](int a) { NativeAction(a); });
  QObject::connect(b, &QAbstractSlider::sliderReleased, FSignals.get(), [this]() { NativeReleased(); });
}

void TScrollBar::ApplyToWidget()
{
  QScrollBar *b = Bar();
  if (!b)
    return;
  ++FUpdatingWidget;
  // The platform's range includes the page; Qt's ends where the last page begins.
  const int page = std::max(FPageSize, 1);
  b->setRange(FMin, std::max(FMin, FMax - page + 1));
  b->setPageStep(FPageSize > 0 ? FPageSize : FLargeChange);
  b->setSingleStep(FSmallChange);
  b->setValue(FPosition);
  b->setEnabled(Enabled());
  --FUpdatingWidget;
}

void TScrollBar::SetKind(TScrollBarKind Value)
{
  if (FKind == Value)
    return;
  FKind = Value;
  SetBounds(Left(), Top(), Height(), Width());
  if (QScrollBar *b = Bar())
    b->setOrientation(Value == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax)
{
  if (AMax < AMin)
    throw EInvalidOperation(QStringLiteral("Scrollbar property out of range"));
  FMin = AMin;
  FMax = AMax;
  const int last = FPageSize > 0 ? FMax - FPageSize + 1 : FMax;
  APosition = std::clamp(APosition, FMin, std::max(FMin, last));
  const bool changed = APosition != FPosition;
  FPosition = APosition;
  ApplyToWidget();
  if (changed)
    Change();
}

void TScrollBar::SetPageSize(int Value)
{
  if (Value < 0 || Value > FMax - FMin + 1)
    throw EInvalidOperation(QStringLiteral("Scrollbar property out of range"));
  FPageSize = Value;
  SetParams(FPosition, FMin, FMax);
}

void TScrollBar::SetSmallChange(int Value)
{
  FSmallChange = Value;
  ApplyToWidget();
}

void TScrollBar::SetLargeChange(int Value)
{
  FLargeChange = Value;
  ApplyToWidget();
}

void TScrollBar::Change()
{
  if (OnChange)
    OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int &ScrollPos)
{
  if (OnScroll)
    OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::DoScroll(TWMScroll &Message)
{
  const TScrollCode code = TScrollCode(std::clamp(int(Message.ScrollCode), int(scLineUp), int(scEndScroll)));
  int pos = FPosition;
  switch (code) {
  case scLineUp: pos -= FSmallChange; break;
  case scLineDown: pos += FSmallChange; break;
  case scPageUp: pos -= FLargeChange; break;
  case scPageDown: pos += FLargeChange; break;
  case scPosition:
  case scTrack: pos = Message.Pos; break;
  case scTop: pos = FMin; break;
  case scBottom: pos = FMax; break;
  case scEndScroll: break;
  }
  const int last = FPageSize > 0 ? FMax - FPageSize + 1 : FMax;
  pos = std::clamp(pos, FMin, std::max(FMin, last));
  Scroll(code, pos);
  SetPosition(pos);
}

void TScrollBar::CNHScroll(TWMScroll &Message) { DoScroll(Message); }
void TScrollBar::CNVScroll(TWMScroll &Message) { DoScroll(Message); }

void TScrollBar::Dispatch(TMessage &Message)
{
  switch (Message.Msg) {
  case CN_HSCROLL:
    CNHScroll(MessageAs<TWMScroll>(Message));
    return;
  case CN_VSCROLL:
    CNVScroll(MessageAs<TWMScroll>(Message));
    return;
  default:
    TWinControl::Dispatch(Message);
  }
}

void TScrollBar::NativeAction(int Action)
{
  if (FUpdatingWidget)
    return;
  QScrollBar *b = Bar();
  int code = -1;
  switch (Action) {
  case QAbstractSlider::SliderSingleStepAdd: code = scLineDown; break;
  case QAbstractSlider::SliderSingleStepSub: code = scLineUp; break;
  case QAbstractSlider::SliderPageStepAdd: code = scPageDown; break;
  case QAbstractSlider::SliderPageStepSub: code = scPageUp; break;
  case QAbstractSlider::SliderToMinimum: code = scTop; break;
  case QAbstractSlider::SliderToMaximum: code = scBottom; break;
  case QAbstractSlider::SliderMove: code = scTrack; break;
  default: break;
  }
  if (code < 0)
    return;
  QPointer<QScrollBar> guard = b;
  TMessage m(FKind == sbHorizontal ? CN_HSCROLL : CN_VSCROLL, MakeWParam(code, b->sliderPosition()), 0);
  Perform(m.Msg, m.WParam, m.LParam);
  if (guard && code != scTrack) {
    TMessage end(FKind == sbHorizontal ? CN_HSCROLL : CN_VSCROLL, MakeWParam(scEndScroll, 0), 0);
    Perform(end.Msg, end.WParam, end.LParam);
  }
  if (guard) {
    ++FUpdatingWidget;
    guard->setSliderPosition(FPosition);
    --FUpdatingWidget;
  }
}

void TScrollBar::NativeReleased()
{
  QScrollBar *b = Bar();
  if (!b || FUpdatingWidget)
    return;
  QPointer<QScrollBar> guard = b;
  Perform(FKind == sbHorizontal ? CN_HSCROLL : CN_VSCROLL, MakeWParam(scPosition, b->sliderPosition()), 0);
  if (guard)
    Perform(FKind == sbHorizontal ? CN_HSCROLL : CN_VSCROLL, MakeWParam(scEndScroll, 0), 0);
  if (guard) {
    ++FUpdatingWidget;
    guard->setSliderPosition(FPosition);
    --FUpdatingWidget;
  }
}
