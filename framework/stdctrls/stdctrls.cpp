#include "framework/stdctrls/stdctrls.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

#include "framework/controls/classiclook.h"

namespace {

QString ListIndexError(int Index) { return QStringLiteral("List index out of bounds (%1)").arg(Index); }

// The platform keeps CR LF between lines; the widgets keep LF.
QString ToNativeLines(const QString &S)
{
  QString r = S;
  r.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  r.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return r;
}

QString FromNativeLines(const QString &S)
{
  QString r = S;
  r.replace(QChar(0x2029), QLatin1Char('\n'));
  r.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return r;
}

// Positions count a line break as two characters, as the platform's edit does.
int NativeToPlatformPos(const QString &Native, int Pos)
{
  const int p = std::clamp(Pos, 0, int(Native.size()));
  return p + int(Native.left(p).count(QLatin1Char('\n')));
}

int PlatformToNativePos(const QString &Native, int Pos)
{
  int platform = 0;
  for (int i = 0; i < Native.size(); ++i) {
    const int step = Native.at(i) == QLatin1Char('\n') ? 2 : 1;
    if (platform + step > Pos)
      return i;
    platform += step;
  }
  return int(Native.size());
}

int PlatformLength(const QString &Native) { return NativeToPlatformPos(Native, int(Native.size())); }

Qt::Alignment HorzAlignment(TAlignment a)
{
  switch (a) {
  case taRightJustify: return Qt::AlignRight;
  case taCenter: return Qt::AlignHCenter;
  default: return Qt::AlignLeft;
  }
}

}  // namespace

// =============================================================================================
// TControlStrings

void TControlStrings::CheckIndex(int Index) const
{
  if (Index < 0 || Index >= Count())
    Error(ListIndexError(Index), Index);
}

QString TControlStrings::Get(int Index) const
{
  CheckIndex(Index);
  return FItems[size_t(Index)].S;
}

void TControlStrings::Put(int Index, const QString &S)
{
  CheckIndex(Index);
  if (FSorted) {
    TObject *o = FItems[size_t(Index)].O;
    FItems.erase(FItems.begin() + Index);
    const int at = SortedIndex(S);
    FItems.insert(FItems.begin() + at, TItem{S, o});
  } else {
    FItems[size_t(Index)].S = S;
  }
  Changed();
}

TObject *TControlStrings::GetObject(int Index) const
{
  CheckIndex(Index);
  return FItems[size_t(Index)].O;
}

void TControlStrings::PutObject(int Index, TObject *AObject)
{
  CheckIndex(Index);
  FItems[size_t(Index)].O = AObject;
}

int TControlStrings::SortedIndex(const QString &S) const
{
  int lo = 0, hi = Count();
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (QString::compare(FItems[size_t(mid)].S, S, Qt::CaseInsensitive) <= 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

int TControlStrings::Add(const QString &S) { return AddObject(S, nullptr); }

int TControlStrings::AddObject(const QString &S, TObject *AObject)
{
  const int at = FSorted ? SortedIndex(S) : Count();
  FItems.insert(FItems.begin() + at, TItem{S, AObject});
  Changed();
  return at;
}

void TControlStrings::Insert(int Index, const QString &S)
{
  if (Index < 0 || Index > Count())
    Error(ListIndexError(Index), Index);
  FItems.insert(FItems.begin() + Index, TItem{S, nullptr});
  Changed();
}

void TControlStrings::Delete(int Index)
{
  CheckIndex(Index);
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TControlStrings::Clear()
{
  if (FItems.empty())
    return;
  FItems.clear();
  Changed();
}

void TControlStrings::Exchange(int Index1, int Index2)
{
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FItems[size_t(Index1)], FItems[size_t(Index2)]);
  Changed();
}

int TControlStrings::IndexOf(const QString &S) const
{
  for (int i = 0; i < Count(); ++i)
    if (QString::compare(FItems[size_t(i)].S, S, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

void TControlStrings::SetSorted(bool Value)
{
  if (FSorted == Value)
    return;
  FSorted = Value;
  if (FSorted) {
    std::stable_sort(FItems.begin(), FItems.end(), [](const TItem &a, const TItem &b) {
      return QString::compare(a.S, b.S, Qt::CaseInsensitive) < 0;
    });
    Changed();
  }
}

QStringList TControlStrings::List() const
{
  QStringList r;
  r.reserve(Count());
  for (const TItem &i : FItems)
    r.append(i.S);
  return r;
}

void TControlStrings::Reset(const QStringList &Items)
{
  FItems.clear();
  for (const QString &s : Items)
    FItems.push_back(TItem{s, nullptr});
}

void TControlStrings::SetUpdateState(bool Updating)
{
  if (!Updating && FPending) {
    FPending = false;
    if (FOnChange)
      FOnChange();
  }
}

void TControlStrings::Changed()
{
  if (UpdateCount() > 0) {
    FPending = true;
    return;
  }
  if (FOnChange)
    FOnChange();
}

// =============================================================================================
// TCustomLabel

TCustomLabel::TCustomLabel(TComponent *AOwner) : TGraphicControl(AOwner)
{
  FControlStyle = FControlStyle + csReplicatable;
  FControlStyle += csOpaque;
  FWidth = 65;
  FHeight = 17;
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value)
{
  if (FAutoSize == Value)
    return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
  if (FLayout == Value)
    return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value)
{
  if (FWordWrap == Value)
    return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value)
{
  if (FTransparent == Value)
    return;
  FTransparent = Value;
  if (Value)
    FControlStyle -= csOpaque;
  else
    FControlStyle += csOpaque;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
  if (FShowAccelChar == Value)
    return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl *Value)
{
  if (FFocusControl == Value)
    return;
  if (FFocusControl)
    FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent *AComponent, TOperation Operation)
{
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl)
    FFocusControl = nullptr;
}

void TCustomLabel::DoDrawText(TRect &Rect, uint32_t Flags)
{
  QString text = GetLabelText();
  if ((Flags & DT_CALCRECT) && (text.isEmpty() || (FShowAccelChar && text == QLatin1String("&"))))
    text = QStringLiteral(" ");
  if (!FShowAccelChar)
    Flags |= DT_NOPREFIX;
  TCanvas *c = Canvas();
  c->Font()->Assign(Font());
  if (!Enabled()) {
    OffsetRect(Rect, 1, 1);
    c->Font()->SetColor(clBtnHighlight);
    c->DrawText(text, Rect, Flags);
    OffsetRect(Rect, -1, -1);
    c->Font()->SetColor(clBtnShadow);
    c->DrawText(text, Rect, Flags);
  } else {
    c->DrawText(text, Rect, Flags);
  }
}

void TCustomLabel::Paint()
{
  TCanvas *c = Canvas();
  TRect rect = ClientRect();
  if (!FTransparent) {
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(rect);
  }
  c->Brush()->SetStyle(bsClear);
  uint32_t flags = DT_EXPANDTABS | (FWordWrap ? uint32_t(DT_WORDBREAK) : 0u);
  switch (FAlignment) {
  case taRightJustify: flags |= DT_RIGHT; break;
  case taCenter: flags |= DT_CENTER; break;
  default: break;
  }
  if (FLayout != tlTop) {
    TRect calc = rect;
    DoDrawText(calc, flags | DT_CALCRECT);
    const int h = calc.Height();
    if (FLayout == tlBottom)
      OffsetRect(rect, 0, rect.Height() - h);
    else
      OffsetRect(rect, 0, (rect.Height() - h) / 2);
  }
  DoDrawText(rect, flags);
}

void TCustomLabel::AdjustBounds()
{
  if (!FAutoSize || ComponentState().Contains(csLoading))
    return;
  // Measured on a scratch canvas: the label may have no parent yet.
  TBitmap scratch(1, 1);
  TCanvas *c = scratch.Canvas();
  c->Font()->Assign(Font());
  TRect rect = ClientRect();
  if (!FWordWrap)
    rect.Right = rect.Left + 0x7FFF;
  QString text = GetLabelText();
  if (text.isEmpty() || (FShowAccelChar && text == QLatin1String("&")))
    text = QStringLiteral(" ");
  uint32_t flags = DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? uint32_t(DT_WORDBREAK) : 0u) | (FShowAccelChar ? 0u : uint32_t(DT_NOPREFIX));
  c->DrawText(text, rect, flags);
  int x = Left();
  const int w = rect.Width();
  if (!FWordWrap && FAlignment == taRightJustify)
    x += Width() - w;
  else if (!FWordWrap && FAlignment == taCenter)
    x += (Width() - w) / 2;
  SetBounds(x, Top(), FWordWrap ? Width() : w, rect.Height());
}

void TCustomLabel::CMTextChanged(TMessage &Message)
{
  Invalidate();
  AdjustBounds();
  TGraphicControl::CMTextChanged(Message);
}

void TCustomLabel::CMFontChanged(TMessage &Message)
{
  TGraphicControl::CMFontChanged(Message);
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::CMDialogChar(TCMDialogChar &Message)
{
  if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(Message.CharCode, Caption())) {
    if (FFocusControl->CanFocus()) {
      FFocusControl->SetFocus();
      Message.Result = 1;
    }
  }
}

void TCustomLabel::Dispatch(TMessage &Message)
{
  if (Message.Msg == CM_DIALOGCHAR) {
    CMDialogChar(MessageAs<TCMDialogChar>(Message));
    if (Message.Result)
      return;
  }
  TGraphicControl::Dispatch(Message);
}

// =============================================================================================
// TCustomEdit

namespace {

class TEditWidget : public QLineEdit {
public:
  using QLineEdit::QLineEdit;
};

}  // namespace

TCustomEdit::TCustomEdit(TComponent *AOwner) : TWinControl(AOwner), FSignals(std::make_unique<QObject>())
{
  FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  FWidth = 121;
  FHeight = 21;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
}

TCustomEdit::~TCustomEdit() = default;

QLineEdit *TCustomEdit::LineEdit() const
{
  if (!HandleAllocated())
    return nullptr;
  return qobject_cast<QLineEdit *>(const_cast<TCustomEdit *>(this)->Handle());
}

QPlainTextEdit *TCustomEdit::MultiLineEdit() const
{
  if (!HandleAllocated())
    return nullptr;
  return qobject_cast<QPlainTextEdit *>(const_cast<TCustomEdit *>(this)->Handle());
}

void TCustomEdit::CreateParams(TCreateParams &Params)
{
  TWinControl::CreateParams(Params);
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
}

QWidget *TCustomEdit::CreateWindowHandle(const TCreateParams &Params)
{
  FMultiLineWindow = Params.Style & ES_MULTILINE;
  if (FMultiLineWindow) {
    auto *w = new QPlainTextEdit;
    w->setLineWrapMode(Params.Style & ES_AUTOHSCROLL ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    w->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    w->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The platform's edit keeps a narrow margin: the text stays where a cell draws it.
    w->document()->setDocumentMargin(2);
    w->setPlainText(ToNativeLines(FText));
    return w;
  }
  auto *w = new TEditWidget;
  w->setText(FText);
  return w;
}

void TCustomEdit::CreateWindowDone()
{
  TWinControl::CreateWindowDone();
  ApplyLook();
  ApplyProperties();
  if (QPlainTextEdit *e = MultiLineEdit()) {
    ++FSettingText;
    e->setPlainText(ToNativeLines(CaseText(FText)));
    --FSettingText;
    const int selLength = FSelLength;
    SetSelStart(FSelStart);
    SetSelLength(selLength);
    QObject::connect(e, &QPlainTextEdit::textChanged, FSignals.get(), [this]() {
      if (FSettingText == 0)
        MultiLineEdited();
    });
  } else if (QLineEdit *e = LineEdit()) {
    ++FSettingText;
    e->setText(CaseText(FText));
    e->setSelection(FSelStart, FSelLength);
    e->setModified(FModified);
    --FSettingText;
    QObject::connect(e, &QLineEdit::textChanged, FSignals.get(), [this](const QString &) {
      if (FSettingText == 0)
        NativeEdited();
    });
  }
}

void TCustomEdit::DestroyWnd()
{
  if (HandleAllocated()) {
    FText = NativeText();
    FSelStart = SelStart();
    FSelLength = SelLength();
    FModified = Modified();
  }
  TWinControl::DestroyWnd();
}

void TCustomEdit::ApplyLook()
{
  if (HandleAllocated())
    ApplyClassicLook(Handle(), Color(), Font());
}

void TCustomEdit::ApplyProperties()
{
  if (QPlainTextEdit *m = MultiLineEdit()) {
    m->setReadOnly(FReadOnly);
    m->setFrameStyle(FBorderStyle == bsNone ? QFrame::NoFrame : (QFrame::StyledPanel | QFrame::Sunken));
    m->setTabChangesFocus(true);
    QTextOption option = m->document()->defaultTextOption();
    option.setAlignment(HorzAlignment(FAlignment));
    m->document()->setDefaultTextOption(option);
    m->setEnabled(Enabled());
    return;
  }
  QLineEdit *e = LineEdit();
  if (!e)
    return;
  e->setMaxLength(FMaxLength > 0 ? FMaxLength : 0x7FFFFFFF);
  e->setReadOnly(FReadOnly);
  e->setEchoMode(FPasswordChar.isNull() ? QLineEdit::Normal : QLineEdit::Password);
  e->setFrame(FBorderStyle != bsNone);
  e->setAlignment(HorzAlignment(FAlignment) | Qt::AlignVCenter);
  e->setEnabled(Enabled());
}

QString TCustomEdit::NativeText() const
{
  if (QPlainTextEdit *m = MultiLineEdit())
    return FromNativeLines(m->toPlainText());
  if (QLineEdit *e = LineEdit())
    return e->text();
  return FText;
}

void TCustomEdit::SetNativeText(const QString &Value)
{
  if (QPlainTextEdit *m = MultiLineEdit()) {
    // A multi-line window reports only the user's edits: the program's text goes in
    // silently, in the window's character case and past its length limit.
    ++FSettingText;
    m->setPlainText(ToNativeLines(CaseText(Value)));
    --FSettingText;
    FText = NativeText();
    FModified = false;  // the program's text is not an edit
    return;
  }
  if (QLineEdit *e = LineEdit()) {
    e->setText(Value);
    e->setModified(false);
  }
}

QString TCustomEdit::GetText() const
{
  return HandleAllocated() ? NativeText() : FText;
}

void TCustomEdit::SetTextInternal(const QString &Value)
{
  FText = Value;
  FSelStart = FSelLength = 0;
  FModified = false;
  // A one-line window reports the program's text like the user's (EN_CHANGE).
  if (HandleAllocated())
    SetNativeText(Value);
}

void TCustomEdit::CMTextChanged(TMessage &Message)
{
  TWinControl::CMTextChanged(Message);
  // Without a window, or in a multi-line one, nothing else reports the change.
  if (!HandleAllocated() || MultiLineEdit())
    Change();
}

void TCustomEdit::NativeEdited()
{
  if (FCharCase != ecNormal) {
    QLineEdit *e = LineEdit();
    const QString t = e->text();
    const QString c = CaseText(t);
    if (c != t) {
      const int pos = e->cursorPosition();
      ++FSettingText;
      e->setText(c);
      e->setCursorPosition(pos);
      --FSettingText;
    }
  }
  FText = NativeText();
  // As the platform's edit: the parent gets WM_COMMAND/EN_CHANGE and reflects it back.
  if (FParent && FParent->HandleAllocated())
    FParent->Perform(WM_COMMAND, MakeWParam(0, EN_CHANGE), LPARAM(Handle()));
  else
    Change();
}

void TCustomEdit::MultiLineEdited()
{
  QPlainTextEdit *e = MultiLineEdit();
  // The length limit, counting a line break as two characters: what went over it is taken
  // back before the caret, so typing stops at the limit and a paste is cut short.
  const QString native = e->toPlainText();
  bool cut = false;
  if (FMaxLength > 0 && PlatformLength(native) > FMaxLength) {
    cut = true;
    QTextCursor c = e->textCursor();
    int pos = c.position();
    int start = pos;
    int excess = PlatformLength(native) - FMaxLength;
    while (excess > 0 && start > 0) {
      --start;
      excess -= native.at(start) == QLatin1Char('\n') ? 2 : 1;
    }
    ++FSettingText;
    c.setPosition(start);
    c.setPosition(pos, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    e->setTextCursor(c);
    --FSettingText;
  }
  if (cut && NativeText() == FText)
    return;  // nothing of the insertion was left
  if (FCharCase != ecNormal) {
    const QString t = e->toPlainText();
    const QString cased = CaseText(t);
    if (cased != t) {
      QTextCursor c = e->textCursor();
      const int pos = c.position();
      ++FSettingText;
      e->setPlainText(cased);
      c = e->textCursor();
      c.setPosition(std::min(pos, int(cased.size())));
      e->setTextCursor(c);
      --FSettingText;
    }
  }
  FText = NativeText();
  FModified = true;
  if (FParent && FParent->HandleAllocated())
    FParent->Perform(WM_COMMAND, MakeWParam(0, EN_CHANGE), LPARAM(Handle()));
  else
    Change();
}

void TCustomEdit::CNCommand(TWMCommand &Message)
{
  if (Message.NotifyCode == EN_CHANGE)
    Change();
}

void TCustomEdit::Dispatch(TMessage &Message)
{
  if (Message.Msg == CN_COMMAND) {
    CNCommand(MessageAs<TWMCommand>(Message));
    return;
  }
  TWinControl::Dispatch(Message);
}

void TCustomEdit::DefaultHandler(TMessage &Message)
{
  // A multi-line edit breaks the line on the character (Enter #13, Ctrl+Enter #10), so a
  // control that takes the character away keeps the text on one line.
  if (FMultiLineWindow && MultiLineEdit()) {
    if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_RETURN)
      return;
    if (Message.Msg == WM_CHAR && (Message.WParam == 13 || Message.WParam == 10)) {
      if (!FReadOnly)
        SetSelText(QStringLiteral("\r\n"));
      return;
    }
  }
  TWinControl::DefaultHandler(Message);
}

void TCustomEdit::Change()
{
  if (OnChange)
    OnChange(this);
}

QString TCustomEdit::CaseText(const QString &S) const
{
  switch (FCharCase) {
  case ecUpperCase: return S.toUpper();
  case ecLowerCase: return S.toLower();
  default: return S;
  }
}

void TCustomEdit::SetMaxLength(int Value)
{
  FMaxLength = Value < 0 ? 0 : Value;
  ApplyProperties();
}

void TCustomEdit::SetReadOnly(bool Value)
{
  FReadOnly = Value;
  ApplyProperties();
}

void TCustomEdit::SetPasswordChar(QChar Value)
{
  FPasswordChar = Value;
  ApplyProperties();
}

void TCustomEdit::SetCharCase(TEditCharCase Value)
{
  if (FCharCase == Value)
    return;
  FCharCase = Value;
  const QString t = Text();
  const QString c = CaseText(t);
  if (c != t)
    SetText(c);
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
  FBorderStyle = Value;
  ApplyProperties();
}

void TCustomEdit::SetAlignment(TAlignment Value)
{
  FAlignment = Value;
  ApplyProperties();
}

bool TCustomEdit::Modified() const
{
  if (QLineEdit *e = LineEdit())
    return e->isModified();
  return FModified;
}

void TCustomEdit::SetModified(bool Value)
{
  FModified = Value;
  if (QLineEdit *e = LineEdit())
    e->setModified(Value);
}

int TCustomEdit::SelStart() const
{
  if (QPlainTextEdit *m = MultiLineEdit())
    return NativeToPlatformPos(m->toPlainText(), m->textCursor().selectionStart());
  if (QLineEdit *e = LineEdit())
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
  return FSelStart;
}

void TCustomEdit::SetSelStart(int Value)
{
  const int len = Text().size();
  Value = std::clamp(Value, 0, len);
  FSelStart = Value;
  FSelLength = 0;
  if (QPlainTextEdit *m = MultiLineEdit()) {
    QTextCursor c = m->textCursor();
    c.setPosition(PlatformToNativePos(m->toPlainText(), Value));
    m->setTextCursor(c);
  } else if (QLineEdit *e = LineEdit()) {
    e->deselect();
    e->setCursorPosition(Value);
  }
}

int TCustomEdit::SelLength() const
{
  if (QPlainTextEdit *m = MultiLineEdit()) {
    const QTextCursor c = m->textCursor();
    const QString t = m->toPlainText();
    return NativeToPlatformPos(t, c.selectionEnd()) - NativeToPlatformPos(t, c.selectionStart());
  }
  if (QLineEdit *e = LineEdit())
    return e->hasSelectedText() ? e->selectionLength() : 0;
  return FSelLength;
}

void TCustomEdit::SetSelLength(int Value)
{
  const int start = SelStart();
  const int len = Text().size();
  Value = std::clamp(Value, 0, len - start);
  FSelLength = Value;
  if (QPlainTextEdit *m = MultiLineEdit()) {
    const QString t = m->toPlainText();
    QTextCursor c = m->textCursor();
    const int first = PlatformToNativePos(t, start);
    c.setPosition(first);
    c.setPosition(PlatformToNativePos(t, start + Value), QTextCursor::KeepAnchor);
    m->setTextCursor(c);
  } else if (QLineEdit *e = LineEdit()) {
    e->setSelection(start, Value);
  }
}

QString TCustomEdit::SelText() const
{
  return Text().mid(SelStart(), SelLength());
}

void TCustomEdit::SetSelText(const QString &Value)
{
  if (QPlainTextEdit *m = MultiLineEdit()) {
    m->textCursor().insertText(ToNativeLines(Value));
    return;
  }
  if (QLineEdit *e = LineEdit()) {
    // Replacing the selection is an edit: OnChange follows through the widget.
    e->insert(Value);
    return;
  }
  QString t = FText;
  const int s = std::clamp(FSelStart, 0, int(t.size()));
  t.replace(s, std::clamp(FSelLength, 0, int(t.size()) - s), Value);
  SetText(t);
  FSelStart = s + Value.size();
}

void TCustomEdit::SelectAll()
{
  const int len = Text().size();
  FSelStart = 0;
  FSelLength = len;
  if (QLineEdit *e = LineEdit())
    e->selectAll();
  else if (QPlainTextEdit *p = MultiLineEdit())
    p->selectAll();
}

void TCustomEdit::ClearSelection() { SetSelText(QString()); }
void TCustomEdit::Clear() { SetText(QString()); }

void TCustomEdit::CopyToClipboard()
{
  if (QLineEdit *e = LineEdit())
    e->copy();
  else if (QPlainTextEdit *m = MultiLineEdit())
    m->copy();
}

void TCustomEdit::CutToClipboard()
{
  if (QLineEdit *e = LineEdit())
    e->cut();
  else if (QPlainTextEdit *m = MultiLineEdit())
    m->cut();
}

void TCustomEdit::PasteFromClipboard()
{
  if (QLineEdit *e = LineEdit())
    e->paste();
  else if (QPlainTextEdit *m = MultiLineEdit())
    m->paste();
}

void TCustomEdit::Undo()
{
  if (QLineEdit *e = LineEdit())
    e->undo();
  else if (QPlainTextEdit *m = MultiLineEdit())
    m->undo();
}

bool TCustomEdit::CanUndo() const
{
  if (QLineEdit *e = LineEdit())
    return e->isUndoAvailable();
  if (QPlainTextEdit *m = MultiLineEdit())
    return m->document()->isUndoAvailable();
  return false;
}

void TCustomEdit::CMEnter(TCMEnter &Message)
{
  // Tabbing into a single-line edit selects its text.
  if (FAutoSelect && LineEdit() && !ControlState().Contains(csLButtonDown))
    SelectAll();
  TWinControl::CMEnter(Message);
}

void TCustomEdit::CMFontChanged(TMessage &Message)
{
  TWinControl::CMFontChanged(Message);
  ApplyLook();
}

void TCustomEdit::CMColorChanged(TMessage &Message)
{
  TWinControl::CMColorChanged(Message);
  ApplyLook();
}

void TCustomEdit::CMEnabledChanged(TMessage &Message)
{
  TWinControl::CMEnabledChanged(Message);
  if (HandleAllocated())
    Handle()->setEnabled(Enabled());
}

// =============================================================================================
// TCustomMemo

// Lines of a memo: the memo's text, split at its line breaks. An empty last line is not
// counted, and an added line ends with a line break, as the platform's edit keeps them.
class TCustomMemo::TMemoStrings : public TStrings {
public:
  explicit TMemoStrings(TCustomMemo *AMemo) : FMemo(AMemo) {}
  int Count() const override
  {
    const QStringList raw = Raw();
    int n = int(raw.size());
    if (raw.last().isEmpty())
      --n;
    return n;
  }
  QString Get(int Index) const override
  {
    const QStringList raw = Raw();
    if (Index < 0 || Index >= raw.size())
      return QString();  // the platform answers an empty line for a line it does not have
    return raw.at(Index);
  }
  void Put(int Index, const QString &S) override
  {
    QStringList raw = Raw();
    if (Index < 0 || Index >= Count())
      Error(ListIndexError(Index), Index);
    raw[Index] = S;
    FMemo->SetText(raw.join(QStringLiteral("\r\n")));
  }
  void Insert(int Index, const QString &S) override
  {
    if (Index < 0)
      return;
    const QString t = FMemo->Text();
    const QStringList raw = Raw();
    if (Index < raw.size()) {
      FMemo->SetText(t.left(LineStart(raw, Index)) + S + QStringLiteral("\r\n") + t.mid(LineStart(raw, Index)));
    } else if (Index == raw.size() && !raw.last().isEmpty()) {
      FMemo->SetText(t + QStringLiteral("\r\n") + S);
    }
  }
  void Delete(int Index) override
  {
    const QStringList raw = Raw();
    if (Index < 0 || Index >= raw.size())
      return;
    const QString t = FMemo->Text();
    const int start = LineStart(raw, Index);
    const int end = Index + 1 < raw.size() ? LineStart(raw, Index + 1) : start + int(raw.at(Index).size());
    FMemo->SetText(t.left(start) + t.mid(end));
  }
  void Clear() override { FMemo->SetText(QString()); }
  QString Text() const override { return FMemo->Text(); }
  void SetText(const QString &Value) override
  {
    QString v = Value;
    v.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    v.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    v.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    FMemo->SetText(v);
  }

private:
  QStringList Raw() const { return FMemo->Text().split(QStringLiteral("\r\n")); }
  static int LineStart(const QStringList &Raw, int Index)
  {
    int p = 0;
    for (int i = 0; i < Index && i < Raw.size(); ++i)
      p += int(Raw.at(i).size()) + 2;
    return p;
  }
  TCustomMemo *FMemo;
};

TCustomMemo::TCustomMemo(TComponent *AOwner) : TCustomEdit(AOwner)
{
  FWidth = 185;
  FHeight = 89;
  FAutoSelect = false;
  FControlStyle -= csFixedHeight;
  FLines = std::make_unique<TMemoStrings>(this);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams &Params)
{
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE;
  if (FWordWrap)
    Params.Style &= ~uint32_t(ES_AUTOHSCROLL);
}

void TCustomMemo::ApplyProperties()
{
  TCustomEdit::ApplyProperties();
  QPlainTextEdit *e = MultiLineEdit();
  if (!e)
    return;
  e->setLineWrapMode(FWordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  const bool v = FScrollBars == ssVertical || FScrollBars == ssBoth;
  const bool h = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
  e->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  e->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  e->setTabChangesFocus(!FWantTabs);
}

void TCustomMemo::WMGetDlgCode(TWMGetDlgCode &Message)
{
  TCustomEdit::WMGetDlgCode(Message);
  Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (FWantTabs)
    Message.Result |= DLGC_WANTTAB;
  if (FWantReturns)
    Message.Result |= DLGC_WANTALLKEYS;
}

void TCustomMemo::SetLines(TStrings *Value)
{
  if (Value)
    FLines->Assign(Value);
}

void TCustomMemo::SetWordWrap(bool Value)
{
  FWordWrap = Value;
  ApplyProperties();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value)
{
  FScrollBars = Value;
  ApplyProperties();
}

TPoint TCustomMemo::CaretPos() const
{
  if (QPlainTextEdit *e = MultiLineEdit()) {
    const QTextCursor c = e->textCursor();
    return TPoint(c.positionInBlock(), c.blockNumber());
  }
  return TPoint();
}

void TCustomMemo::SetCaretPos(TPoint Value)
{
  if (QPlainTextEdit *e = MultiLineEdit()) {
    QTextBlock b = e->document()->findBlockByNumber(std::max(0, Value.Y));
    if (!b.isValid())
      b = e->document()->lastBlock();
    QTextCursor c(b);
    c.setPosition(b.position() + std::clamp(Value.X, 0, b.length() - 1));
    e->setTextCursor(c);
  }
}

// =============================================================================================
// TCustomComboBox

class TComboWidget : public QComboBox {
public:
  explicit TComboWidget(TCustomComboBox *AControl) : FControl(AControl) {}
  void showPopup() override
  {
    if (FControl)
      FControl->DropDown();
    QComboBox::showPopup();
  }
  void hidePopup() override
  {
    QComboBox::hidePopup();
    if (FControl)
      FControl->CloseUp();
  }
  TCustomComboBox *FControl;

protected:
  void paintEvent(QPaintEvent *Event) override
  {
    if (isEditable()) {
      QComboBox::paintEvent(Event);
      return;
    }
    // A drop-down list shows its field in the window colour and only the arrow as a button.
    QStylePainter p(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    QStyleOptionComboBox field = opt;
    field.subControls = QStyle::SC_ComboBoxFrame | QStyle::SC_ComboBoxEditField;
    field.palette.setBrush(QPalette::Button, opt.palette.brush(QPalette::Base));
    p.drawComplexControl(QStyle::CC_ComboBox, field);
    QStyleOptionComboBox arrow = opt;
    arrow.subControls = QStyle::SC_ComboBoxArrow;
    p.drawComplexControl(QStyle::CC_ComboBox, arrow);
    p.drawControl(QStyle::CE_ComboBoxLabel, opt);
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
  Click();
  Select();
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
  Change();
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

// =============================================================================================
// TCustomListBox

TCustomListBox::TCustomListBox(TComponent *AOwner) : TWinControl(AOwner), FSignals(std::make_unique<QObject>())
{
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csOpaque};
  FWidth = 121;
  FHeight = 97;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FItems = std::make_unique<TControlStrings>([this]() { ItemsChanged(); });
}

TCustomListBox::~TCustomListBox() = default;

QListWidget *TCustomListBox::ListWidget() const
{
  if (!HandleAllocated())
    return nullptr;
  return qobject_cast<QListWidget *>(const_cast<TCustomListBox *>(this)->Handle());
}

QWidget *TCustomListBox::CreateWindowHandle(const TCreateParams &Params)
{
  auto *w = new QListWidget;
  w->setUniformItemSizes(true);
  w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return w;
}

void TCustomListBox::CreateWindowDone()
{
  TWinControl::CreateWindowDone();
  QListWidget *l = ListWidget();
  if (!l)
    return;
  ++FUpdatingWidget;
  l->clear();
  l->addItems(FItems->List());
  l->setSelectionMode(!FMultiSelect ? QAbstractItemView::SingleSelection
                      : FExtendedSelect ? QAbstractItemView::ExtendedSelection
                                        : QAbstractItemView::MultiSelection);
  l->setFrameStyle(FBorderStyle == bsNone ? QFrame::NoFrame : (QFrame::StyledPanel | QFrame::Sunken));
  ApplySelection();
  --FUpdatingWidget;
  ApplyLook();
  l->setEnabled(Enabled());
  // One report per change: a multi-selection list reports its selection, a single one its row.
  QObject::connect(l, &QListWidget::itemSelectionChanged, FSignals.get(), [this]() {
    if (FMultiSelect)
      NativeSelectionChanged();
  });
  QObject::connect(l, &QListWidget::currentRowChanged, FSignals.get(), [this](int) {
    if (!FMultiSelect)
      NativeSelectionChanged();
  });
}

void TCustomListBox::DestroyWnd()
{
  if (QListWidget *l = ListWidget()) {
    FItemIndex = l->currentRow();
    FSelected.assign(size_t(FItems->Count()), false);
    for (int i = 0; i < l->count() && i < FItems->Count(); ++i)
      FSelected[size_t(i)] = l->item(i)->isSelected();
  }
  TWinControl::DestroyWnd();
}

void TCustomListBox::ApplyLook()
{
  if (QListWidget *l = ListWidget()) {
    ApplyClassicLook(l, Color(), Font());
    if (FItemHeight > 0)
      for (int i = 0; i < l->count(); ++i)
        l->item(i)->setSizeHint(QSize(0, FItemHeight));
  }
}

void TCustomListBox::ApplySelection()
{
  QListWidget *l = ListWidget();
  if (!l)
    return;
  l->clearSelection();
  if (FMultiSelect) {
    for (int i = 0; i < l->count() && i < int(FSelected.size()); ++i)
      l->item(i)->setSelected(FSelected[size_t(i)]);
    if (FItemIndex >= 0 && FItemIndex < l->count())
      l->setCurrentRow(FItemIndex, QItemSelectionModel::NoUpdate);
  } else {
    l->setCurrentRow(FItemIndex);
  }
}

void TCustomListBox::ItemsChanged()
{
  // A change of the items drops the selection, as the platform's list does.
  FItemIndex = -1;
  FSelected.assign(size_t(FItems->Count()), false);
  if (QListWidget *l = ListWidget()) {
    ++FUpdatingWidget;
    l->clear();
    l->addItems(FItems->List());
    l->setCurrentRow(-1);
    --FUpdatingWidget;
    ApplyLook();
  }
}

void TCustomListBox::NativeSelectionChanged()
{
  if (FUpdatingWidget)
    return;
  QListWidget *l = ListWidget();
  FItemIndex = l->currentRow();
  Click();
}

void TCustomListBox::SetItems(TStrings *Value)
{
  if (Value)
    FItems->Assign(Value);
}

int TCustomListBox::ItemIndex() const
{
  if (QListWidget *l = ListWidget())
    return l->currentRow();
  return FItemIndex;
}

void TCustomListBox::SetItemIndex(int Value)
{
  if (Value < -1 || Value >= FItems->Count())
    Value = -1;
  FItemIndex = Value;
  if (!FMultiSelect) {
    FSelected.assign(size_t(FItems->Count()), false);
    if (Value >= 0)
      FSelected[size_t(Value)] = true;
  }
  if (QListWidget *l = ListWidget()) {
    ++FUpdatingWidget;
    if (FMultiSelect)
      l->setCurrentRow(Value, QItemSelectionModel::NoUpdate);
    else
      l->setCurrentRow(Value);
    if (Value >= 0)
      l->scrollToItem(l->item(Value));
    --FUpdatingWidget;
  }
}

void TCustomListBox::SetMultiSelect(bool Value)
{
  if (FMultiSelect == Value)
    return;
  FMultiSelect = Value;
  if (QListWidget *l = ListWidget())
    l->setSelectionMode(!FMultiSelect ? QAbstractItemView::SingleSelection
                        : FExtendedSelect ? QAbstractItemView::ExtendedSelection
                                          : QAbstractItemView::MultiSelection);
}

void TCustomListBox::SetExtendedSelect(bool Value)
{
  FExtendedSelect = Value;
  if (FMultiSelect)
    if (QListWidget *l = ListWidget())
      l->setSelectionMode(FExtendedSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::MultiSelection);
}

bool TCustomListBox::Selected(int Index) const
{
  if (Index < 0 || Index >= FItems->Count())
    throw EListError(ListIndexError(Index));
  if (QListWidget *l = ListWidget())
    return l->item(Index)->isSelected();
  if (!FMultiSelect)
    return Index == FItemIndex;
  return Index < int(FSelected.size()) && FSelected[size_t(Index)];
}

void TCustomListBox::SetSelected(int Index, bool Value)
{
  if (Index < 0 || Index >= FItems->Count())
    throw EListError(ListIndexError(Index));
  if (FSelected.size() != size_t(FItems->Count()))
    FSelected.resize(size_t(FItems->Count()), false);
  if (!FMultiSelect) {
    // A single-selection list selects (or deselects) the item as its index.
    if (Value)
      SetItemIndex(Index);
    else if (ItemIndex() == Index)
      SetItemIndex(-1);
    return;
  }
  FSelected[size_t(Index)] = Value;
  if (QListWidget *l = ListWidget()) {
    ++FUpdatingWidget;
    l->item(Index)->setSelected(Value);
    --FUpdatingWidget;
  }
}

int TCustomListBox::SelCount() const
{
  if (!FMultiSelect)
    return -1;
  int n = 0;
  for (int i = 0; i < FItems->Count(); ++i)
    if (Selected(i))
      ++n;
  return n;
}

void TCustomListBox::SetSorted(bool Value) { FItems->SetSorted(Value); }

int TCustomListBox::TopIndex() const
{
  if (QListWidget *l = ListWidget()) {
    QListWidgetItem *it = l->itemAt(2, 2);
    return it ? l->row(it) : 0;
  }
  return FTopIndex;
}

void TCustomListBox::SetTopIndex(int Value)
{
  FTopIndex = std::max(0, Value);
  if (QListWidget *l = ListWidget(); l && Value >= 0 && Value < l->count())
    l->scrollToItem(l->item(Value), QAbstractItemView::PositionAtTop);
}

int TCustomListBox::ItemHeight() const
{
  if (FItemHeight > 0)
    return FItemHeight;
  return FontTextMetrics(*Font()).tmHeight;
}

void TCustomListBox::SetItemHeight(int Value)
{
  FItemHeight = std::max(0, Value);
  ApplyLook();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value)
{
  FBorderStyle = Value;
  if (QListWidget *l = ListWidget())
    l->setFrameStyle(FBorderStyle == bsNone ? QFrame::NoFrame : (QFrame::StyledPanel | QFrame::Sunken));
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const
{
  if (QListWidget *l = ListWidget()) {
    const QPoint vp = l->viewport()->mapFrom(l, QPoint(Pos.X, Pos.Y));
    if (QListWidgetItem *it = l->itemAt(vp))
      return l->row(it);
    return Existing ? -1 : l->count();
  }
  const int h = ItemHeight();
  const int i = h > 0 ? FTopIndex + Pos.Y / h : -1;
  if (i >= 0 && i < FItems->Count())
    return i;
  return Existing ? -1 : FItems->Count();
}

TRect TCustomListBox::ItemRect(int Index) const
{
  if (QListWidget *l = ListWidget(); l && Index >= 0 && Index < l->count()) {
    const QRect r = l->visualItemRect(l->item(Index));
    const QPoint tl = l->viewport()->mapTo(l, r.topLeft());
    return Bounds(tl.x(), tl.y(), r.width(), r.height());
  }
  const int h = ItemHeight();
  return Bounds(0, (Index - FTopIndex) * h, Width(), h);
}

void TCustomListBox::Clear() { FItems->Clear(); }

void TCustomListBox::ClearSelection()
{
  FSelected.assign(size_t(FItems->Count()), false);
  if (!FMultiSelect)
    FItemIndex = -1;
  if (QListWidget *l = ListWidget()) {
    ++FUpdatingWidget;
    l->clearSelection();
    if (!FMultiSelect)
      l->setCurrentRow(-1);
    --FUpdatingWidget;
  }
}

void TCustomListBox::SelectAll()
{
  if (!FMultiSelect)
    return;
  for (int i = 0; i < FItems->Count(); ++i)
    SetSelected(i, true);
}

void TCustomListBox::CMFontChanged(TMessage &Message)
{
  TWinControl::CMFontChanged(Message);
  ApplyLook();
}

void TCustomListBox::CMColorChanged(TMessage &Message)
{
  TWinControl::CMColorChanged(Message);
  ApplyLook();
}

void TCustomListBox::CMEnabledChanged(TMessage &Message)
{
  TWinControl::CMEnabledChanged(Message);
  if (HandleAllocated())
    Handle()->setEnabled(Enabled());
}

// =============================================================================================
// TButtonControl, TCustomCheckBox, TRadioButton

// The widgets leave the decision on the next state to the control.
class TCheckWidget : public QCheckBox {
public:
  explicit TCheckWidget(TButtonControl *AControl) : FControl(AControl) {}
  TButtonControl *FControl;

protected:
  void nextCheckState() override
  {
    if (FControl)
      FControl->Toggle();
  }
};

class TRadioWidget : public QRadioButton {
public:
  explicit TRadioWidget(TButtonControl *AControl) : FControl(AControl) { setAutoExclusive(false); }
  TButtonControl *FControl;

protected:
  void nextCheckState() override
  {
    if (FControl)
      FControl->Toggle();
  }
};

TButtonControl::TButtonControl(TComponent *AOwner) : TWinControl(AOwner)
{
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FTabStop = true;
  FWidth = 97;
  FHeight = 17;
}

TButtonControl::~TButtonControl()
{
  if (auto *c = dynamic_cast<TCheckWidget *>(Button()))
    c->FControl = nullptr;
  if (auto *r = dynamic_cast<TRadioWidget *>(Button()))
    r->FControl = nullptr;
}

QAbstractButton *TButtonControl::Button() const
{
  if (!HandleAllocated())
    return nullptr;
  return qobject_cast<QAbstractButton *>(const_cast<TButtonControl *>(this)->Handle());
}

void TButtonControl::ApplyLook()
{
  QAbstractButton *b = Button();
  if (!b)
    return;
  ApplyClassicLook(b, Color(), Font());
  // The box and its caption stand on the control's own colour.
  QPalette p = b->palette();
  p.setColor(QPalette::Window, ColorToQColor(Color()));
  p.setColor(QPalette::WindowText, ColorToQColor(Font()->Color()));
  // A disabled control's caption is grey whatever its font colour.
  p.setColor(QPalette::Disabled, QPalette::WindowText, ColorToQColor(clGrayText));
  p.setColor(QPalette::Base, ColorToQColor(clWindow));
  p.setColor(QPalette::Disabled, QPalette::Base, ColorToQColor(clBtnFace));
  b->setPalette(p);
  b->setBackgroundRole(QPalette::Window);
  b->setAutoFillBackground(true);
  b->setText(Caption());
  b->setLayoutDirection(FAlignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
  b->setEnabled(Enabled());
}

void TButtonControl::SetWordWrap(bool Value) { FWordWrap = Value; }

void TButtonControl::CMFontChanged(TMessage &Message)
{
  TWinControl::CMFontChanged(Message);
  ApplyLook();
}

void TButtonControl::CMColorChanged(TMessage &Message)
{
  TWinControl::CMColorChanged(Message);
  ApplyLook();
}

void TButtonControl::CMTextChanged(TMessage &Message)
{
  TWinControl::CMTextChanged(Message);
  if (QAbstractButton *b = Button())
    b->setText(Caption());
}

void TButtonControl::CMEnabledChanged(TMessage &Message)
{
  TWinControl::CMEnabledChanged(Message);
  if (QAbstractButton *b = Button())
    b->setEnabled(Enabled());
}

TCustomCheckBox::TCustomCheckBox(TComponent *AOwner) : TButtonControl(AOwner) {}

QWidget *TCustomCheckBox::CreateWindowHandle(const TCreateParams &Params)
{
  return new TCheckWidget(this);
}

void TCustomCheckBox::CreateWindowDone()
{
  TButtonControl::CreateWindowDone();
  if (auto *b = qobject_cast<QCheckBox *>(Button()))
    b->setTristate(true);
  ApplyLook();
  UpdateWidgetState();
}

void TCustomCheckBox::UpdateWidgetState()
{
  if (auto *b = qobject_cast<QCheckBox *>(Button()))
    b->setCheckState(FState == cbChecked ? Qt::Checked : FState == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
}

void TCustomCheckBox::SetState(TCheckBoxState Value)
{
  if (FState == Value)
    return;
  FState = Value;
  UpdateWidgetState();
  if (!ClicksDisabled())
    Click();
}

void TCustomCheckBox::Toggle()
{
  switch (FState) {
  case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
  case cbChecked: SetState(cbUnchecked); break;
  case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::SetAlignment(TAlignment Value)
{
  FAlignment = Value == taLeftJustify ? taLeftJustify : taRightJustify;
  ApplyLook();
}

TRadioButton::TRadioButton(TComponent *AOwner) : TButtonControl(AOwner)
{
  FWidth = 113;
}

QWidget *TRadioButton::CreateWindowHandle(const TCreateParams &Params)
{
  return new TRadioWidget(this);
}

void TRadioButton::CreateWindowDone()
{
  TButtonControl::CreateWindowDone();
  ApplyLook();
  UpdateWidgetState();
}

void TRadioButton::UpdateWidgetState()
{
  if (QAbstractButton *b = Button())
    b->setChecked(FChecked);
}

void TRadioButton::SetChecked(bool Value)
{
  if (FChecked == Value)
    return;
  FChecked = Value;
  UpdateWidgetState();
  if (Value) {
    if (TWinControl *p = Parent()) {
      for (int i = 0; i < p->ControlCount(); ++i)
        if (auto *r = dynamic_cast<TRadioButton *>(p->Controls(i)); r && r != this)
          r->SetChecked(false);
    }
    if (!ClicksDisabled())
      Click();
  }
}

void TRadioButton::Toggle() { SetChecked(true); }

void TRadioButton::SetAlignment(TAlignment Value)
{
  FAlignment = Value == taLeftJustify ? taLeftJustify : taRightJustify;
  ApplyLook();
}

// =============================================================================================
// TScrollBar

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

// =============================================================================================
// TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent *AOwner) : TCustomControl(AOwner)
{
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                csReplicatable, csParentBackground};
  FWidth = 185;
  FHeight = 105;
  FColor = clBtnFace;
}

void TCustomGroupBox::AdjustClientRect(TRect &Rect)
{
  TCustomControl::AdjustClientRect(Rect);
  const int h = FontTextMetrics(*Font()).tmHeight;
  Rect.Top += h;
  InflateRect(Rect, -1, -1);
}

void TCustomGroupBox::Paint()
{
  TCanvas *c = Canvas();
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(ClientRect());
  c->Font()->Assign(Font());
  const int h = c->TextHeight(QStringLiteral("0"));
  TRect r(0, h / 2 - 1, Width(), Height());
  DrawEdge(c, r, EDGE_ETCHED, BF_RECT);
  const QString text = Caption();
  if (!text.isEmpty()) {
    TRect tr(0, 0, 0, h);
    c->DrawText(text, tr, DT_CALCRECT | DT_SINGLELINE);
    OffsetRect(tr, 8, 0);
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    TRect fill = tr;
    fill.Left -= 1;
    fill.Right += 1;
    c->FillRect(fill);
    c->Brush()->SetStyle(bsClear);
    if (!Enabled()) {
      OffsetRect(tr, 1, 1);
      c->Font()->SetColor(clBtnHighlight);
      c->DrawText(text, tr, DT_SINGLELINE);
      OffsetRect(tr, -1, -1);
      c->Font()->SetColor(clBtnShadow);
    }
    c->DrawText(text, tr, DT_SINGLELINE);
  }
}

void TCustomGroupBox::CMTextChanged(TMessage &Message)
{
  TCustomControl::CMTextChanged(Message);
  Invalidate();
}

void TCustomGroupBox::CMFontChanged(TMessage &Message)
{
  TCustomControl::CMFontChanged(Message);
  Realign();
  Invalidate();
}
