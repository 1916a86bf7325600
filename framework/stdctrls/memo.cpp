#include "framework/stdctrls/stdctrls.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

#include "framework/stdctrls/stdctrls_private.h"

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
