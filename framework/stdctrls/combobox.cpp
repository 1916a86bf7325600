#include "framework/stdctrls/stdctrls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QObject>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>
#include <utility>

#include "framework/controls/classiclook.h"

class TComboWidget : public QComboBox {
public:
  explicit TComboWidget(TCustomComboBox *AControl) : FControl(AControl) {}
  void showPopup() override
  {
    if (FControl)
      FControl->Notify(CBN_DROPDOWN);
    QComboBox::showPopup();
  }
  void hidePopup() override
  {
    // Qt also hides a popup that never showed (the window hiding): that is no close-up.
    const bool shown = view() && view()->isVisible();
    QComboBox::hidePopup();
    if (FControl && shown)
      FControl->Notify(CBN_CLOSEUP);
  }
  TCustomComboBox *FControl;

  // The look the platform gives the combo: frame, field and arrow (an editable combo's
  // edit child paints its own text).
  void PaintNative(QPainter &Painter)
  {
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    if (isEditable()) {
      style()->drawComplexControl(QStyle::CC_ComboBox, &opt, &Painter, this);
      return;
    }
    // A drop-down list shows its field in the window colour and only the arrow as a button.
    QStyleOptionComboBox field = opt;
    field.subControls = QStyle::SC_ComboBoxFrame | QStyle::SC_ComboBoxEditField;
    field.palette.setBrush(QPalette::Button, opt.palette.brush(QPalette::Base));
    style()->drawComplexControl(QStyle::CC_ComboBox, &field, &Painter, this);
    QStyleOptionComboBox arrow = opt;
    arrow.subControls = QStyle::SC_ComboBoxArrow;
    style()->drawComplexControl(QStyle::CC_ComboBox, &arrow, &Painter, this);
    style()->drawControl(QStyle::CE_ComboBoxLabel, &opt, &Painter, this);
  }

protected:
  // The control paints through WM_PAINT and WM_NCPAINT, each with a canvas on an image of the
  // window in WParam; the default WM_PAINT draws the platform's look into that canvas.
  void paintEvent(QPaintEvent *) override
  {
    QImage img(size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    if (TCustomComboBox *control = FControl) {
      TCanvas canvas(&img);
      TMessage paint(WM_PAINT, WPARAM(&canvas), 0);
      SafeCall(control, [&]() { control->WindowProc(paint); });
      TCanvas frame(&img);
      TMessage ncpaint(WM_NCPAINT, WPARAM(&frame), 0);
      SafeCall(control, [&]() { control->WindowProc(ncpaint); });
    } else {
      QPainter p(&img);
      PaintNative(p);
    }
    QPainter p(this);
    p.drawImage(0, 0, img);
  }
};

TCustomComboBox::TCustomComboBox(TComponent *AOwner) : TWinControl(AOwner), FSignals(std::make_unique<QObject>())
{
  FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight};
  FWidth = 145;
  FHeight = 21;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FItems = std::make_unique<TControlStrings>([this]() { ItemsChanged(); });
}

TCustomComboBox::~TCustomComboBox()
{
  if (auto *w = dynamic_cast<TComboWidget *>(ComboBox()))
    w->FControl = nullptr;
}

QComboBox *TCustomComboBox::ComboBox() const
{
  if (!HandleAllocated())
    return nullptr;
  return qobject_cast<QComboBox *>(const_cast<TCustomComboBox *>(this)->Handle());
}

QWidget *TCustomComboBox::CreateWindowHandle(const TCreateParams &Params)
{
  auto *w = new TComboWidget(this);
  w->setEditable(FStyle == csDropDown || FStyle == csSimple);
  w->setInsertPolicy(QComboBox::NoInsert);
  w->setDuplicatesEnabled(true);
  return w;
}

void TCustomComboBox::CreateWindowDone()
{
  TWinControl::CreateWindowDone();
  QComboBox *c = ComboBox();
  if (!c)
    return;
  ++FUpdatingWidget;
  c->clear();
  c->addItems(FItems->List());
  c->setMaxVisibleItems(std::max(1, FDropDownCount));
  c->setCurrentIndex(FItemIndex);
  if (c->lineEdit()) {
    c->lineEdit()->setText(FText);
    if (FMaxLength > 0)
      c->lineEdit()->setMaxLength(FMaxLength);
  }
  --FUpdatingWidget;
  ApplyLook();
  c->view()->setMinimumWidth(FDroppedWidth);
  if (!FAutoComplete && c->isEditable())  // only an edit line has a completer to remove
    c->setCompleter(nullptr);
  c->setEnabled(Enabled());
  QObject::connect(c, qOverload<int>(&QComboBox::activated), FSignals.get(), [this](int Index) { NativeActivated(Index); });
  if (c->lineEdit())
    QObject::connect(c->lineEdit(), &QLineEdit::textEdited, FSignals.get(), [this](const QString &T) { NativeEdited(T); });
}

void TCustomComboBox::DestroyWnd()
{
  if (QComboBox *c = ComboBox()) {
    FItemIndex = c->currentIndex();
    FText = GetText();
  }
  TWinControl::DestroyWnd();
}

void TCustomComboBox::ApplyLook()
{
  if (HandleAllocated())
    ApplyClassicLook(Handle(), Color(), Font());
}

void TCustomComboBox::ItemsChanged()
{
  FTypeAhead.clear();
  if (FItemIndex >= FItems->Count())
    FItemIndex = -1;
  QComboBox *c = ComboBox();
  if (!c)
    return;
  ++FUpdatingWidget;
  const QString text = c->lineEdit() ? c->lineEdit()->text() : QString();
  const int index = c->currentIndex();
  c->clear();
  c->addItems(FItems->List());
  // Changing the list keeps the text of an editable combo and clears the selection index,
  // except that an unchanged item at the same index stays selected.
  if (index >= 0 && index < c->count() && c->itemText(index) == text)
    c->setCurrentIndex(index);
  else
    c->setCurrentIndex(-1);
  if (c->lineEdit())
    c->lineEdit()->setText(text);
  FItemIndex = c->currentIndex();
  --FUpdatingWidget;
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
  if (FStyle == Value)
    return;
  if (QComboBox *c = ComboBox()) {
    FItemIndex = c->currentIndex();
    FText = GetText();
  }
  FStyle = Value;
  if (Value == csDropDownList && FItemIndex >= 0)
    FText = FItems->Get(FItemIndex);
  RecreateWnd();
}

void TCustomComboBox::SetItems(TStrings *Value)
{
  if (Value)
    FItems->Assign(Value);
}

int TCustomComboBox::ItemIndex() const
{
  if (QComboBox *c = ComboBox())
    return c->currentIndex();
  return FItemIndex;
}

void TCustomComboBox::SetItemIndex(int Value)
{
  if (Value < -1 || Value >= FItems->Count())
    Value = -1;
  FItemIndex = Value;
  FText = Value >= 0 ? FItems->Get(Value) : (FStyle == csDropDownList ? QString() : FText);
  if (Value < 0 && FStyle != csDropDownList)
    FText.clear();
  if (QComboBox *c = ComboBox()) {
    ++FUpdatingWidget;
    c->setCurrentIndex(Value);
    if (c->lineEdit())
      c->lineEdit()->setText(FText);
    --FUpdatingWidget;
  }
}

QString TCustomComboBox::GetText() const
{
  if (QComboBox *c = ComboBox())
    return c->lineEdit() ? c->lineEdit()->text() : c->currentText();
  if (FStyle == csDropDownList)
    return FItemIndex >= 0 && FItemIndex < FItems->Count() ? FItems->Get(FItemIndex) : QString();
  return FText;
}

void TCustomComboBox::SetTextInternal(const QString &Value)
{
  // A drop-down list only shows one of its items: the text selects the item it names.
  if (FStyle == csDropDownList) {
    SetItemIndex(FItems->IndexOf(Value));
    return;
  }
  FText = Value;
  const int exact = FItems->List().indexOf(Value);
  FItemIndex = exact;
  if (QComboBox *c = ComboBox()) {
    ++FUpdatingWidget;
    c->setCurrentIndex(exact);
    c->lineEdit()->setText(Value);
    --FUpdatingWidget;
  }
}

void TCustomComboBox::SetEditText(const QString &Value)
{
  if (FStyle == csDropDownList) {
    SetTextInternal(Value);
    return;
  }
  FText = Value;
  if (QComboBox *c = ComboBox(); c && c->lineEdit()) {
    ++FUpdatingWidget;
    c->lineEdit()->setText(Value);
    --FUpdatingWidget;
  }
}

int TCustomComboBox::CharFromPos(int X) const
{
  QComboBox *c = ComboBox();
  if (!c || !c->lineEdit())
    return -1;
  QLineEdit *e = c->lineEdit();
  return e->cursorPositionAt(e->mapFrom(c, QPoint(X, e->geometry().center().y())));
}

void TCustomComboBox::NativeActivated(int Index)
{
  if (FUpdatingWidget)
    return;
  FItemIndex = Index;
  FText = Index >= 0 ? FItems->Get(Index) : QString();
  if (QComboBox *c = ComboBox(); c && c->lineEdit()) {
    ++FUpdatingWidget;
    c->lineEdit()->setText(FText);
    c->lineEdit()->selectAll();
    --FUpdatingWidget;
  }
  Notify(CBN_SELCHANGE);
}

// As the platform's combo: the parent hears of the user's action first (WM_COMMAND) and reflects
// it back, so that a grid hosting the combo as its editor sees every selection.
void TCustomComboBox::Notify(uint16_t Code)
{
  if (FParent && FParent->HandleAllocated() && HandleAllocated())
    FParent->Perform(WM_COMMAND, MakeWParam(0, Code), LPARAM(Handle()));
  else
    Reflected(Code);
}

void TCustomComboBox::Reflected(uint16_t Code)
{
  switch (Code) {
  case CBN_SELCHANGE:
    Click();
    Select();
    break;
  case CBN_EDITCHANGE:
    Change();
    break;
  case CBN_DROPDOWN:
    DropDown();
    break;
  case CBN_CLOSEUP:
    CloseUp();
    break;
  default:
    break;
  }
}

void TCustomComboBox::Dispatch(TMessage &Message)
{
  if (Message.Msg == CN_COMMAND) {
    Reflected(MessageAs<TWMCommand>(Message).NotifyCode);
    return;
  }
  // A search typed before the focus left does not go on when it comes back.
  if (Message.Msg == WM_KILLFOCUS)
    FTypeAhead.clear();
  TWinControl::Dispatch(Message);
}

namespace {

std::function<uint32_t()> &TypeAheadClock()
{
  static std::function<uint32_t()> Clock;
  return Clock;
}

// The first item at or after From (wrapping round) whose text starts with Prefix; -1 if none.
int FindPrefix(const TStrings *Items, const QString &Prefix, int From)
{
  const int n = Items->Count();
  for (int k = 0; k < n; ++k) {
    const int i = (From + k) % n;
    if (Items->Get(i).startsWith(Prefix, Qt::CaseInsensitive))
      return i;
  }
  return -1;
}

}  // namespace

std::function<uint32_t()> TCustomComboBox::SetTypeAheadClock(std::function<uint32_t()> Clock)
{
  return std::exchange(TypeAheadClock(), std::move(Clock));
}

int TCustomComboBox::TypeAhead(QChar Ch)
{
  const uint32_t now = TypeAheadClock() ? TypeAheadClock()() : GetTickCount();
  if (now - FTypeAheadTick > TypeAheadInterval)
    FTypeAhead.clear();
  FTypeAheadTick = now;
  const int current = ItemIndex();
  const int n = FItems->Count();
  if (n == 0)
    return current;
  const int next = (std::max(current, -1) + 1) % n;
  int found;
  if (FTypeAhead.isEmpty()) {
    // A new search steps to the next item with that letter: the same key walks through them.
    FTypeAhead = Ch;
    found = FindPrefix(FItems.get(), FTypeAhead, next);
  } else {
    FTypeAhead += Ch;
    // The longer prefix takes the first item that fits, so the same quick keys always land on
    // the same item wherever the list stood ("12" is 12, not the 121 the "1" stepped to).
    found = FindPrefix(FItems.get(), FTypeAhead, 0);
    // One letter struck again with no item of that prefix walks on as a new search would.
    if (found < 0 && FTypeAhead.count(FTypeAhead.front()) == FTypeAhead.size())
      found = FindPrefix(FItems.get(), QString(Ch), next);
  }
  if (found >= 0 && found != current)
    SetItemIndex(found);
  return ItemIndex();
}

void TCustomComboBox::NativeEdited(const QString &Text)
{
  if (FUpdatingWidget)
    return;
  QString t = Text;
  if (FCharCase == ecUpperCase)
    t = t.toUpper();
  else if (FCharCase == ecLowerCase)
    t = t.toLower();
  QComboBox *c = ComboBox();
  if (t != Text && c && c->lineEdit()) {
    ++FUpdatingWidget;
    const int pos = c->lineEdit()->cursorPosition();
    c->lineEdit()->setText(t);
    c->lineEdit()->setCursorPosition(pos);
    --FUpdatingWidget;
  }
  FText = t;
  // Typing clears the selected index unless the text names the item exactly.
  if (c && c->currentIndex() >= 0 && c->itemText(c->currentIndex()) != t) {
    ++FUpdatingWidget;
    const int pos = c->lineEdit()->cursorPosition();
    c->setCurrentIndex(-1);
    c->lineEdit()->setText(t);
    c->lineEdit()->setCursorPosition(pos);
    --FUpdatingWidget;
  }
  FItemIndex = c ? c->currentIndex() : -1;
  Notify(CBN_EDITCHANGE);
}

void TCustomComboBox::Change()
{
  if (OnChange)
    OnChange(this);
}

void TCustomComboBox::Select()
{
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TCustomComboBox::DropDown()
{
  if (OnDropDown)
    OnDropDown(this);
}

void TCustomComboBox::CloseUp()
{
  if (OnCloseUp)
    OnCloseUp(this);
}

void TCustomComboBox::SetDropDownCount(int Value)
{
  FDropDownCount = Value;
  if (QComboBox *c = ComboBox())
    c->setMaxVisibleItems(std::max(1, Value));
}

void TCustomComboBox::SetSorted(bool Value) { FItems->SetSorted(Value); }

void TCustomComboBox::SetMaxLength(int Value)
{
  FMaxLength = std::max(0, Value);
  if (QComboBox *c = ComboBox(); c && c->lineEdit())
    c->lineEdit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 0x7FFFFFFF);
}

bool TCustomComboBox::DroppedDown() const
{
  QComboBox *c = ComboBox();
  return c && c->view() && c->view()->isVisible();
}

void TCustomComboBox::SetDroppedDown(bool Value)
{
  if (QComboBox *c = ComboBox()) {
    if (Value)
      c->showPopup();
    else
      c->hidePopup();
  }
}

void TCustomComboBox::SetAutoComplete(bool Value)
{
  FAutoComplete = Value;
  // The completer belongs to the window: a new window makes it again unless this is off.
  if (HandleAllocated())
    RecreateWnd();
}

void TCustomComboBox::SetDroppedWidth(int Value)
{
  FDroppedWidth = std::max(0, Value);
  if (QComboBox *c = ComboBox())
    c->view()->setMinimumWidth(FDroppedWidth);
}

int TCustomComboBox::SelStart() const
{
  if (QComboBox *c = ComboBox(); c && c->lineEdit()) {
    QLineEdit *e = c->lineEdit();
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
  }
  return 0;
}

void TCustomComboBox::SetSelStart(int Value)
{
  if (QComboBox *c = ComboBox(); c && c->lineEdit()) {
    c->lineEdit()->deselect();
    c->lineEdit()->setCursorPosition(Value);
  }
}

int TCustomComboBox::SelLength() const
{
  if (QComboBox *c = ComboBox(); c && c->lineEdit())
    return c->lineEdit()->hasSelectedText() ? c->lineEdit()->selectionLength() : 0;
  return 0;
}

void TCustomComboBox::SetSelLength(int Value)
{
  if (QComboBox *c = ComboBox(); c && c->lineEdit())
    c->lineEdit()->setSelection(SelStart(), Value);
}

void TCustomComboBox::SelectAll()
{
  if (QComboBox *c = ComboBox(); c && c->lineEdit())
    c->lineEdit()->selectAll();
}

void TCustomComboBox::Clear()
{
  FItems->Clear();
  SetItemIndex(-1);
  FText.clear();
  if (QComboBox *c = ComboBox(); c && c->lineEdit()) {
    ++FUpdatingWidget;
    c->lineEdit()->clear();
    --FUpdatingWidget;
  }
}

void TCustomComboBox::WMGetDlgCode(TWMGetDlgCode &Message)
{
  TWinControl::WMGetDlgCode(Message);
  Message.Result |= DLGC_WANTARROWS;
  if (FStyle != csDropDownList)
    Message.Result |= DLGC_WANTCHARS;
}

void TCustomComboBox::DefaultHandler(TMessage &Message)
{
  // A drop-down list searches its items itself (the native class would restart at every key);
  // Space is a character of the search there, not a key that opens the list.
  if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_SPACE && FStyle == csDropDownList)
    return;
  if (Message.Msg == WM_CHAR && FStyle == csDropDownList) {
    const QChar ch(uint16_t(Message.WParam));
    if (ch.isPrint()) {
      const int before = ItemIndex();
      if (TypeAhead(ch) != before)
        Notify(CBN_SELCHANGE);
      return;
    }
  }
  auto *w = dynamic_cast<TComboWidget *>(ComboBox());
  if (Message.Msg == WM_PAINT && Message.WParam && w) {
    auto *canvas = reinterpret_cast<TCanvas *>(Message.WParam);
    QImage native(w->size(), QImage::Format_ARGB32_Premultiplied);
    native.fill(Qt::transparent);
    {
      QPainter p(&native);
      w->PaintNative(p);
    }
    canvas->DrawImage(TRect(0, 0, native.width(), native.height()), native, TRect(0, 0, native.width(), native.height()), cmSrcCopy);
    return;
  }
  TWinControl::DefaultHandler(Message);
}

void TCustomComboBox::CMFontChanged(TMessage &Message)
{
  TWinControl::CMFontChanged(Message);
  ApplyLook();
}

void TCustomComboBox::CMColorChanged(TMessage &Message)
{
  TWinControl::CMColorChanged(Message);
  ApplyLook();
}

void TCustomComboBox::CMEnabledChanged(TMessage &Message)
{
  TWinControl::CMEnabledChanged(Message);
  if (HandleAllocated())
    Handle()->setEnabled(Enabled());
}
