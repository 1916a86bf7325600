#include "framework/stdctrls/stdctrls.h"

#include <QLineEdit>
#include <QObject>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

#include "framework/controls/classiclook.h"

namespace {

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
