// The character offset of a rich edit's selection, kept as a property of the document's
// character format (sub- and superscript show where the offset is negative or positive).
#include "framework/stdctrls/comctrls.h"

#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <QTextCursor>

namespace {
constexpr int OffsetProperty = QTextFormat::UserProperty + 1;
}

int TCustomRichEdit::SelOffset()
{
  HandleNeeded();
  QPlainTextEdit *e = MultiLineEdit();
  if (!e)
    return 0;
  QTextCursor c = e->textCursor();
  if (c.hasSelection()) {
    // The format a cursor reports is the character's before it: stand after the first one.
    const int start = c.selectionStart();
    c.setPosition(start);
    c.setPosition(start + 1, QTextCursor::KeepAnchor);
    return c.charFormat().intProperty(OffsetProperty);
  }
  return e->currentCharFormat().intProperty(OffsetProperty);
}

void TCustomRichEdit::SetSelOffset(int Twips)
{
  HandleNeeded();
  QPlainTextEdit *e = MultiLineEdit();
  if (!e)
    return;
  QTextCharFormat f;
  f.setProperty(OffsetProperty, Twips);
  f.setVerticalAlignment(Twips < 0   ? QTextCharFormat::AlignSubScript
                         : Twips > 0 ? QTextCharFormat::AlignSuperScript
                                     : QTextCharFormat::AlignNormal);
  e->mergeCurrentCharFormat(f);
}
