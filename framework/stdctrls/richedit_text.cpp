// The formatted content of a rich edit: a TRichText document laid into the native document's
// character formats and read back from them.
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "framework/stdctrls/comctrls.h"

namespace {

// The offset property is shared with SelOffset; the unset parts of a format (font, size and
// colour of the control) are kept as properties so that they read back unset.
constexpr int OffsetProperty = QTextFormat::UserProperty + 1;
constexpr int NameProperty = QTextFormat::UserProperty + 2;
constexpr int SizeProperty = QTextFormat::UserProperty + 3;
constexpr int ColorProperty = QTextFormat::UserProperty + 4;

QTextCharFormat CharFormatOf(const TRichTextFormat &F)
{
  QTextCharFormat f;
  if (!F.Name.isEmpty())
    f.setFontFamilies({F.Name});
  f.setProperty(NameProperty, F.Name);
  if (F.Size > 0)
    f.setFontPointSize(F.Size);
  f.setProperty(SizeProperty, F.Size);
  f.setFontWeight(F.Style.Contains(fsBold) ? QFont::Bold : QFont::Normal);
  f.setFontItalic(F.Style.Contains(fsItalic));
  f.setFontUnderline(F.Style.Contains(fsUnderline));
  f.setFontStrikeOut(F.Style.Contains(fsStrikeOut));
  if (F.Color != clNone)
    f.setForeground(ColorToQColor(F.Color));
  f.setProperty(ColorProperty, qlonglong(F.Color));
  f.setProperty(OffsetProperty, F.Offset);
  f.setVerticalAlignment(F.Offset < 0   ? QTextCharFormat::AlignSubScript
                         : F.Offset > 0 ? QTextCharFormat::AlignSuperScript
                                        : QTextCharFormat::AlignNormal);
  return f;
}

TRichTextFormat FormatOf(const QTextCharFormat &f)
{
  TRichTextFormat F;
  F.Name = f.hasProperty(NameProperty) ? f.stringProperty(NameProperty)
                                        : (f.fontFamilies().toStringList().value(0));
  F.Size = f.hasProperty(SizeProperty) ? f.intProperty(SizeProperty) : int(f.fontPointSize());
  if (f.fontWeight() >= QFont::Bold)
    F.Style += fsBold;
  if (f.fontItalic())
    F.Style += fsItalic;
  if (f.fontUnderline())
    F.Style += fsUnderline;
  if (f.fontStrikeOut())
    F.Style += fsStrikeOut;
  if (f.hasProperty(ColorProperty))
    F.Color = TColor(f.property(ColorProperty).toLongLong());
  else if (f.hasProperty(QTextFormat::ForegroundBrush))
    F.Color = QColorToColor(f.foreground().color());
  F.Offset = f.intProperty(OffsetProperty);
  return F;
}

void Fill(QPlainTextEdit *e, const TRichText &Doc)
{
  e->clear();
  QTextCursor c(e->document());
  c.beginEditBlock();
  for (const TRichTextRun &r : Doc.Runs()) {
    const QTextCharFormat f = CharFormatOf(r.Format);
    const QStringList parts = r.Text.split(QLatin1Char('\n'));
    for (int i = 0; i < parts.size(); ++i) {
      if (i > 0)
        c.insertBlock(QTextBlockFormat(), f);
      if (!parts[i].isEmpty())
        c.insertText(parts[i], f);
    }
  }
  c.endEditBlock();
}

TRichText Read(const QPlainTextEdit *e)
{
  TRichText doc;
  for (QTextBlock b = e->document()->begin(); b.isValid(); b = b.next()) {
    if (b != e->document()->begin())
      doc.Append(QStringLiteral("\n"), FormatOf(b.charFormat()));
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment frag = it.fragment();
      if (frag.isValid())
        doc.Append(frag.text(), FormatOf(frag.charFormat()));
    }
  }
  return doc;
}

}  // namespace

void TCustomRichEdit::SetRichText(const TRichText &Value)
{
  FRichText = Value;
  SetText(Value.PlainText());
  if (QPlainTextEdit *e = MultiLineEdit()) {
    ++FSettingText;
    Fill(e, Value);
    --FSettingText;
  }
}

TRichText TCustomRichEdit::RichText() const
{
  if (const QPlainTextEdit *e = MultiLineEdit())
    return Read(e);
  // Text set as plain text since the document was given replaces it.
  if (FRichText.PlainText() == Text())
    return FRichText;
  return TRichText::FromPlainText(Text());
}

void TCustomRichEdit::CreateWindowDone()
{
  TCustomMemo::CreateWindowDone();
  QPlainTextEdit *e = MultiLineEdit();
  if (e && !FRichText.IsEmpty() && FRichText.PlainText() == FText) {
    ++FSettingText;
    Fill(e, FRichText);
    --FSettingText;
  }
}

void TCustomRichEdit::DestroyWnd()
{
  if (const QPlainTextEdit *e = MultiLineEdit())
    FRichText = Read(e);
  TCustomMemo::DestroyWnd();
}
