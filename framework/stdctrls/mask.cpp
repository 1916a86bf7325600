#include "framework/stdctrls/mask.h"

#include <QLineEdit>

namespace {

const QString QtMetaChars = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}");

void AddLiteral(TMaskLayout &L, QChar c)
{
  if (QtMetaChars.contains(c))
    L.QtMask += QLatin1Char('\\');
  L.QtMask += c;
  L.Literals += c;
}

void AddInput(TMaskLayout &L, QChar qt)
{
  L.QtMask += qt;
  L.Literals += QChar();
}

// The edit text a masked line edit shows for a text.
QString MaskedEditText(const TMaskLayout &L, const QString &Text)
{
  QLineEdit e;
  e.setInputMask(L.QtMask);
  e.setText(Text);
  return e.displayText();
}

}  // namespace

TMaskLayout ParseEditMask(const QString &EditMask)
{
  TMaskLayout L;
  if (EditMask.isEmpty())
    return L;
  // Fields: the mask, then the save-literals flag and the blank character, split at the
  // last two unescaped semicolons.
  QString mask = EditMask;
  QStringList fields;
  {
    QString cur;
    for (int i = 0; i < mask.size(); ++i) {
      const QChar c = mask.at(i);
      if (c == QLatin1Char('\\') && i + 1 < mask.size()) {
        cur += c;
        cur += mask.at(++i);
        continue;
      }
      if (c == QLatin1Char(';')) {
        fields << cur;
        cur.clear();
        continue;
      }
      cur += c;
    }
    fields << cur;
  }
  if (fields.size() > 3) {
    // Semicolons inside the mask are literal: keep the last two as the fields.
    const QString blank = fields.takeLast();
    const QString save = fields.takeLast();
    mask = fields.join(QLatin1Char(';'));
    fields = {mask, save, blank};
  }
  mask = fields.value(0);
  if (fields.size() > 1 && !fields[1].isEmpty())
    L.SaveLiterals = fields[1] != QLatin1String("0");
  if (fields.size() > 2 && !fields[2].isEmpty())
    L.Blank = fields[2].at(0);
  const TFormatSettings &fs = FormatSettings;
  for (int i = 0; i < mask.size(); ++i) {
    const QChar c = mask.at(i);
    switch (c.unicode()) {
    case '\\':
      if (i + 1 < mask.size())
        AddLiteral(L, mask.at(++i));
      break;
    case '!':
      break;
    case '>':
      L.QtMask += QLatin1Char('>');
      break;
    case '<':
      if (i + 1 < mask.size() && mask.at(i + 1) == QLatin1Char('>')) {
        L.QtMask += QLatin1Char('!');
        ++i;
      } else {
        L.QtMask += QLatin1Char('<');
      }
      break;
    case 'L': AddInput(L, QLatin1Char('A')); break;
    case 'l': AddInput(L, QLatin1Char('a')); break;
    case 'A': AddInput(L, QLatin1Char('N')); break;
    case 'a': AddInput(L, QLatin1Char('n')); break;
    case 'C': AddInput(L, QLatin1Char('X')); break;
    case 'c': AddInput(L, QLatin1Char('x')); break;
    case '0': AddInput(L, QLatin1Char('9')); break;
    case '9': AddInput(L, QLatin1Char('0')); break;
    case '#': AddInput(L, QLatin1Char('#')); break;
    case ':': AddLiteral(L, fs.TimeSeparator); break;
    case '/': AddLiteral(L, fs.DateSeparator); break;
    case '_': AddLiteral(L, QLatin1Char(' ')); break;
    default: AddLiteral(L, c); break;
    }
  }
  if (L.Literals.isEmpty()) {
    L.QtMask.clear();
    return L;
  }
  L.QtMask += QLatin1Char(';');
  L.QtMask += L.Blank;
  return L;
}

QString MaskedTextFromEditText(const TMaskLayout &Layout, const QString &EditText)
{
  if (Layout.Empty())
    return EditText;
  QString r;
  for (int i = 0; i < EditText.size(); ++i) {
    const bool literal = i < Layout.Literals.size() && !Layout.Literals.at(i).isNull();
    if (literal) {
      if (Layout.SaveLiterals)
        r += EditText.at(i);
      continue;
    }
    const QChar c = EditText.at(i);
    r += c == Layout.Blank ? QLatin1Char(' ') : c;
  }
  return r;
}

TCustomMaskEdit::TCustomMaskEdit(TComponent *AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::ApplyMask()
{
  if (QLineEdit *e = LineEdit()) {
    ++FSettingText;
    const QString text = FText;
    e->setInputMask(FLayout.QtMask);
    e->setText(text);
    --FSettingText;
  }
}

void TCustomMaskEdit::SetEditMask(const QString &Value)
{
  if (FEditMask == Value)
    return;
  const QString text = Text();
  FEditMask = Value;
  FLayout = ParseEditMask(Value);
  FText = text;
  if (HandleAllocated() && FMultiLineAsked && IsMasked() != (LineEdit() != nullptr)) {
    // Masked and unmasked need different windows.
    FSelStart = FSelLength = 0;
    RecreateWnd();
  } else {
    ApplyMask();
  }
  FText = GetText();
}

QWidget *TCustomMaskEdit::CreateWindowHandle(const TCreateParams &Params)
{
  FMultiLineAsked = Params.Style & ES_MULTILINE;
  if (!IsMasked())
    return TCustomEdit::CreateWindowHandle(Params);
  TCreateParams single = Params;
  single.Style &= ~uint32_t(ES_MULTILINE);
  return TCustomEdit::CreateWindowHandle(single);
}

void TCustomMaskEdit::CreateWindowDone()
{
  TCustomEdit::CreateWindowDone();
  ApplyMask();
}

QString TCustomMaskEdit::EditText() const
{
  if (!IsMasked())
    return TCustomEdit::GetText();
  if (QLineEdit *e = LineEdit())
    return e->displayText();
  return MaskedEditText(FLayout, FText);
}

void TCustomMaskEdit::SetEditText(const QString &Value)
{
  SetText(Value);
}

QString TCustomMaskEdit::GetText() const
{
  if (!IsMasked())
    return TCustomEdit::GetText();
  return MaskedTextFromEditText(FLayout, EditText());
}

void TCustomMaskEdit::SetTextInternal(const QString &Value)
{
  if (!IsMasked()) {
    TCustomEdit::SetTextInternal(Value);
    return;
  }
  // Kept as the masked text, so that it reads back the same without a window.
  FText = MaskedTextFromEditText(FLayout, MaskedEditText(FLayout, Value));
  FSelStart = FSelLength = 0;
  FModified = false;
  if (QLineEdit *e = LineEdit()) {
    e->setText(Value);
    e->setModified(false);
  }
}

void TCustomMaskEdit::ValidateEdit()
{
  if (!IsMasked())
    return;
  bool ok;
  if (QLineEdit *e = LineEdit()) {
    ok = e->hasAcceptableInput();
  } else {
    QLineEdit scratch;
    scratch.setInputMask(FLayout.QtMask);
    scratch.setText(FText);
    ok = scratch.hasAcceptableInput();
  }
  if (!ok)
    throw EDBEditError(QStringLiteral("Invalid input value.  Use escape key to abandon changes"));
}

void TCustomMaskEdit::CMExit(TCMExit &Message)
{
  // Leaving with a required position empty keeps the focus here and reports the error.
  try {
    ValidateEdit();
  } catch (...) {
    if (CanFocus())
      SetFocus();
    throw;
  }
  TCustomEdit::CMExit(Message);
}
