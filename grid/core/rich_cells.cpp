// Rich-text cells: the cell holds an RTF document, which a rich edit loads and gives back.
#include "grid/core/zav_string_grid.h"

#include "framework/graphics/richtext.h"
#include "framework/stdctrls/comctrls.h"
#include "grid/core/grid_helper_classes.h"

namespace {

// A cell written by a byte stream of UTF-16 text (byte-order mark, then two characters per
// unit) reads as that text, so that such stored cells still load.
QString FromUtf16Bytes(const QString &Text)
{
  if (Text.size() < 2 || Text[0].unicode() != 0xFF || Text[1].unicode() != 0xFE)
    return Text;
  QString out;
  out.reserve((Text.size() - 2) / 2);
  for (qsizetype i = 2; i + 1 < Text.size(); i += 2)
    out += QChar(char16_t((Text[i].unicode() & 0xFF) | ((Text[i + 1].unicode() & 0xFF) << 8)));
  return out;
}

}  // namespace

void TZavStringGrid::CellToRich(int ACol, int ARow, TRichEdit *RichEditor)
{
  if (!RichEditor)
    return;
  const QString text = FromUtf16Bytes(Cells(ACol, ARow));
  if (text.isEmpty()) {
    RichEditor->SetRichText(TRichText());
    return;
  }
  RichEditor->SetRichText(TRichText::FromRTF(text));
}

QString TZavStringGrid::RichToString(TRichEdit *RichEditor)
{
  if (!RichEditor || ComponentState().Contains(csDestroying))
    return QString();
  // An empty editor gives an empty cell, which loads back as an empty editor.
  const TRichText doc = RichEditor->RichText();
  return doc.IsEmpty() ? QString() : doc.ToRTF();
}

void TZavStringGrid::RichToCell(int ACol, int ARow, TRichEdit *RichEditor)
{
  SetCells(ACol, ARow, RichToString(RichEditor));
}

// The rich edits the rich-text cells are read and edited through, made on first use.
TZavRichEdit *TZavStringGrid::GetRichEdit()
{
  if (!FRichEdit) {
    FRichEdit = new TZavRichEdit(this);
    FRichEdit->SetVisible(false);
    FRichEdit->SetParent(this);
  }
  return FRichEdit;
}

TZavRichEdit *TZavStringGrid::GetInplaceRichEdit()
{
  if (!FInplaceRichEdit) {
    FInplaceRichEdit = new TZavRichEdit(this);
    FInplaceRichEdit->SetVisible(false);
    FInplaceRichEdit->SetParent(this);
  }
  return FInplaceRichEdit;
}
