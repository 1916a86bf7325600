// Putting pictures and small controls into cells: each member creates, reads, changes or removes
// one kind of the cell's graphic object.
#include <cmath>

#include "grid/core/control_look.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_helpers.h"

namespace {

// The cell's graphic when it is of the kind, else nullptr.
TCellGraphic *OfKind(TCellGraphic *g, TCellType Kind) { return g && g->CellType() == Kind ? g : nullptr; }

// A new graphic holding a new object that it owns; nullptr for a cell outside the grid.
template <typename T, typename SetUp>
T *CreateOwned(TZavStringGrid *Grid, int ACol, int ARow, SetUp Set)
{
  TCellGraphic *g = Grid->CreateCellGraphic(ACol, ARow);
  if (!g)
    return nullptr;
  auto *obj = new T;
  Set(g, obj);
  g->SetCellCreated(true);
  return obj;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Objects: interfaced cells, bitmaps, pictures, file pictures, icons

void TZavStringGrid::AddInterfacedCell(int ACol, int ARow, TInterfacedPersistent *AObject)
{
  if (TCellGraphic *g = CreateCellGraphic(ACol, ARow))
    g->SetInterfacedCell(AObject);
}

TInterfacedPersistent *TZavStringGrid::GetInterfacedCell(int ACol, int ARow)
{
  TCellGraphic *g = OfKind(GetCellGraphic(ACol, ARow), ctInterface);
  return g ? dynamic_cast<TInterfacedPersistent *>(g->CellBitmap()) : nullptr;
}

void TZavStringGrid::RemoveInterfacedCell(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctInterface); }

void TZavStringGrid::AddBitmap(int ACol, int ARow, TBitmap *ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
  if (TCellGraphic *g = CreateCellGraphic(ACol, ARow))
    g->SetBitmap(ABmp, Transparent, hal, val);
}

TBitmap *TZavStringGrid::CreateBitmap(int ACol, int ARow, bool transparent, TCellHAlign hal, TCellVAlign val)
{
  return CreateOwned<TBitmap>(this, ACol, ARow,
                              [&](TCellGraphic *g, TBitmap *b) { g->SetBitmap(b, transparent, hal, val); });
}

TBitmap *TZavStringGrid::GetBitmap(int ACol, int ARow)
{
  TCellGraphic *g = OfKind(GetCellGraphic(ACol, ARow), ctBitmap);
  return g ? dynamic_cast<TBitmap *>(g->CellBitmap()) : nullptr;
}

void TZavStringGrid::RemoveBitmap(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }

void TZavStringGrid::AddPicture(int ACol, int ARow, TPicture *APicture, bool transparent, TStretchMode stretchmode,
                                int padding, TCellHAlign hal, TCellVAlign val)
{
  if (TCellGraphic *g = CreateCellGraphic(ACol, ARow))
    g->SetPicture(APicture, transparent, stretchmode, padding, hal, val);
}

TPicture *TZavStringGrid::CreatePicture(int ACol, int ARow, bool transparent, TStretchMode stretchmode, int padding,
                                        TCellHAlign hal, TCellVAlign val)
{
  return CreateOwned<TPicture>(this, ACol, ARow, [&](TCellGraphic *g, TPicture *p) {
    g->SetPicture(p, transparent, stretchmode, padding, hal, val);
  });
}

TPicture *TZavStringGrid::GetPicture(int ACol, int ARow)
{
  TCellGraphic *g = OfKind(GetCellGraphic(ACol, ARow), ctPicture);
  return g ? dynamic_cast<TPicture *>(g->CellBitmap()) : nullptr;
}

void TZavStringGrid::RemovePicture(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctPicture); }

void TZavStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture *AFilePicture, bool Transparent,
                                    TStretchMode stretchmode, int padding, TCellHAlign hal, TCellVAlign val)
{
  if (TCellGraphic *g = CreateCellGraphic(ACol, ARow))
    g->SetFilePicture(AFilePicture, Transparent, stretchmode, padding, hal, val);
}

TFilePicture *TZavStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode stretchmode,
                                                int padding, TCellHAlign hal, TCellVAlign val)
{
  return CreateOwned<TFilePicture>(this, ACol, ARow, [&](TCellGraphic *g, TFilePicture *p) {
    g->SetFilePicture(p, Transparent, stretchmode, padding, hal, val);
  });
}

TFilePicture *TZavStringGrid::GetFilePicture(int ACol, int ARow)
{
  TCellGraphic *g = OfKind(GetCellGraphic(ACol, ARow), ctFilePicture);
  return g ? dynamic_cast<TFilePicture *>(g->CellBitmap()) : nullptr;
}

void TZavStringGrid::RemoveFilePicture(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctFilePicture); }

void TZavStringGrid::AddIcon(int ACol, int ARow, TIcon *AIcon, TCellHAlign hal, TCellVAlign val)
{
  if (TCellGraphic *g = CreateCellGraphic(ACol, ARow))
    g->SetIcon(AIcon, hal, val);
}

TIcon *TZavStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val)
{
  return CreateOwned<TIcon>(this, ACol, ARow, [&](TCellGraphic *g, TIcon *i) { g->SetIcon(i, hal, val); });
}

void TZavStringGrid::RemoveIcon(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctIcon); }

// ---------------------------------------------------------------------------------------------
// Images of the grid's image list

void TZavStringGrid::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
  if (!GridImages())
    return;
  if (TCellGraphic *g = CreateCellGraphic(ACol, ARow))
    g->SetImageIdx(Aidx, hal, val);
}

bool TZavStringGrid::GetImageIdx(int ACol, int ARow, int &idx)
{
  TCellGraphic *g = GridImages() ? OfKind(GetCellGraphic(ACol, ARow), ctImageList) : nullptr;
  if (g)
    idx = g->CellIndex();
  return g != nullptr;
}

void TZavStringGrid::SetImageIdx(int ACol, int ARow, int Idx)
{
  if (TCellGraphic *g = GridImages() ? OfKind(GetCellGraphic(ACol, ARow), ctImageList) : nullptr)
    g->SetCellIndex(Idx);
}

void TZavStringGrid::RemoveImageIdx(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImageList); }

void TZavStringGrid::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
  if (!GridImages())
    return;
  if (TCellGraphic *g = CreateCellGraphic(ACol, ARow)) {
    g->SetDataImage(Aidx, hal, val);
    if (Cells(ACol, ARow).isEmpty())
      SetCells(ACol, ARow, IntToStr(Aidx));
  }
}

bool TZavStringGrid::HasDataImage(int ACol, int ARow) { return IsCellTypeIn(ACol, ARow, {ctDataImage}); }

void TZavStringGrid::RemoveDataImage(int ACol, int ARow)
{
  RemoveCellGraphicOfType(ACol, ARow, ctDataImage);
  SetCells(ACol, ARow, QString());
}

void TZavStringGrid::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val)
{
  if (!GridImages())
    return;
  if (TCellGraphic *g = CreateCellGraphic(ACol, ARow))
    g->SetMultiImage(ACol, ARow, Dir, hal, val, [this](TObject *, int c, int r) { RepaintCell(c, r); });
}

void TZavStringGrid::RemoveMultiImage(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImages); }

// ---------------------------------------------------------------------------------------------
// Progress bars, pies and range indicators

void TZavStringGrid::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor)
{
  AddProgressFormatted(ACol, ARow, FGColor, 0, BKColor, 0, QString(), 0, 100);
  if (TCellGraphic *g = OfKind(GetCellGraphic(ACol, ARow), ctProgress))
    g->SetCellBoolean(false);
}

void TZavStringGrid::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                   TColor BKTextColor)
{
  AddProgressFormatted(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, QString(), 0, 100);
}

void TZavStringGrid::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                          TColor BKTextColor, const QString &Fmt, int Min, int Max)
{
  TCellGraphic *g = CreateCellGraphic(ACol, ARow);
  if (!g)
    return;
  g->SetCellType(ctProgress);
  g->SetCellHAlign(haLeft);
  g->SetCellVAlign(vaTop);
  g->SetCellBitmapColor(FGColor);
  g->SetCellIconColor(BKColor);
  g->SetCellIndex(int(FGTextColor));
  g->SetCellAngle(int(BKTextColor));
  g->SetCellBoolean(true);
  g->SetCellText(Fmt);
  g->SetCellErrFrom(Min);
  g->SetCellErrLen(Max);
}

bool TZavStringGrid::HasProgress(int ACol, int ARow) { return IsCellTypeIn(ACol, ARow, {ctProgress}); }

void TZavStringGrid::RemoveProgress(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgress); }

void TZavStringGrid::AddZavProgress(int ACol, int ARow, int Min, int Max)
{
  TCellGraphic *g = CreateCellGraphic(ACol, ARow);
  if (!g)
    return;
  g->SetCellType(ctXPProgress);
  g->SetCellHAlign(haLeft);
  g->SetCellVAlign(vaTop);
  g->SetCellErrFrom(Min);
  g->SetCellErrLen(Max);
}

void TZavStringGrid::RemoveZavProgress(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctXPProgress); }

void TZavStringGrid::AddProgressPie(int ACol, int ARow, TColor Color, int Value)
{
  TCellGraphic *g = CreateCellGraphic(ACol, ARow);
  if (!g)
    return;
  g->SetCellType(ctProgressPie);
  g->SetCellHAlign(haBeforeText);
  g->SetCellVAlign(vaTop);
  g->SetCellBitmapColor(Color);
  g->SetCellAngle(Value);
}

void TZavStringGrid::SetProgressPie(int ACol, int ARow, int Value)
{
  if (TCellGraphic *g = OfKind(GetCellGraphic(ACol, ARow), ctProgressPie)) {
    g->SetCellAngle(Value);
    RepaintCell(ACol, ARow);
  }
}

void TZavStringGrid::RemoveProgressPie(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgressPie); }

void TZavStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor,
                                       bool ShowValue)
{
  TCellGraphic *g = CreateCellGraphic(ACol, ARow);
  if (!g)
    return;
  g->SetCellType(ctRangeIndicator);
  g->SetCellHAlign(haLeft);
  g->SetCellVAlign(vaTop);
  g->SetCellIndex(Range);
  g->SetCellBitmapColor(NegColor);
  g->SetCellIconColor(PosColor);
  g->SetCellBoolean(ShowValue);
}

void TZavStringGrid::RemoveRangeIndicator(int ACol, int ARow)
{
  RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator);
}

// ---------------------------------------------------------------------------------------------
// Comments

void TZavStringGrid::AddComment(int ACol, int ARow, const QString &Comment)
{
  AddColorComment(ACol, ARow, Comment, ControlLook()->CommentColor());
}

void TZavStringGrid::AddColorComment(int ACol, int ARow, const QString &Comment, TColor Color)
{
  TCellGraphic *g = CreateCellGraphic(ACol, ARow);
  if (!g)
    return;
  g->SetCellType(ctComment);
  g->SetCellHAlign(haLeft);
  g->SetCellVAlign(vaTop);
  g->SetCellText(Comment);
  g->SetCellIndex(int(Color));
}

bool TZavStringGrid::IsComment(int ACol, int ARow, QString &comment)
{
  TCellGraphic *g = OfKind(GetCellGraphic(ACol, ARow), ctComment);
  if (g)
    comment = g->CellText();
  return g != nullptr;
}

QString TZavStringGrid::GetComment(int ACol, int ARow)
{
  QString s;
  IsComment(ACol, ARow, s);
  return s;
}

void TZavStringGrid::SetComment(int ACol, int ARow, const QString &Value)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g) {
    AddComment(ACol, ARow, Value);
  } else if (g->CellType() == ctComment) {
    g->SetCellText(Value);
    RepaintCell(ACol, ARow);
  }
}

void TZavStringGrid::RemoveComment(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctComment); }

void TZavStringGrid::RemoveAllComments()
{
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c)
      if (GetCellType(c, r) == ctComment)
        RemoveComment(c, r);
}

// ---------------------------------------------------------------------------------------------
// Shapes and ratings

void TZavStringGrid::AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                              TCellHAlign hal, TCellVAlign val)
{
  TCellGraphic *g = CreateCellGraphic(ACol, ARow);
  if (!g)
    return;
  g->SetCellType(ctShape);
  g->SetCellAngle(int(Shape));
  g->SetCellIndex(int(FillColor));
  g->SetCellBitmapColor(LineColor);
  g->SetCellHAlign(hal);
  g->SetCellVAlign(val);
}

void TZavStringGrid::SetShapeColor(int ACol, int ARow, TColor FillColor)
{
  if (TCellGraphic *g = OfKind(GetCellGraphic(ACol, ARow), ctShape))
    g->SetCellIndex(int(FillColor));
}

TColor TZavStringGrid::GetShapeColor(int ACol, int ARow)
{
  TCellGraphic *g = OfKind(GetCellGraphic(ACol, ARow), ctShape);
  return g ? TColor(uint32_t(g->CellIndex())) : clNone;
}

void TZavStringGrid::RemoveShape(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctShape); }

void TZavStringGrid::AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor)
{
  TCellGraphic *g = CreateCellGraphic(ACol, ARow);
  if (!g)
    return;
  g->SetCellType(ctRating);
  g->SetCellAngle(Scale);
  g->SetCellIndex(int(FillColor));
  g->SetCellBitmapColor(EmptyColor);
  g->SetCellHAlign(haFull);
}

bool TZavStringGrid::HasRating(int ACol, int ARow) { return IsCellTypeIn(ACol, ARow, {ctRating}); }

void TZavStringGrid::RemoveRating(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRating); }

// ---------------------------------------------------------------------------------------------
// In-cell scroll bars: position in CellIndex, page size in CellAngle, range in CellErrFrom.
// Position and size act on the block's base cell, where a merged cell keeps its graphic.

void TZavStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange)
{
  TCellGraphic *g = CreateCellGraphic(ACol, ARow);
  if (!g)
    return;
  g->SetCellType(ctScrollbar);
  g->SetCellAngle(0);
  g->SetCellErrFrom(100);
  g->SetCellBoolean(AutoRange);
  if (AutoRange)
    CellTextChanged(ACol, ARow);
}

bool TZavStringGrid::HasScrollBar(int ACol, int ARow) { return IsCellTypeIn(ACol, ARow, {ctScrollbar}); }

bool TZavStringGrid::HasAutoRangeScrollBar(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return false;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic *g = OfKind(GetCellGraphic(b.X, b.Y), ctScrollbar);
  return g && g->CellBoolean();
}

void TZavStringGrid::RemoveScrollBar(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctScrollbar); }

void TZavStringGrid::SetScrollPosition(int ACol, int ARow, int Pos)
{
  if (ACol < 0 || ARow < 0)
    return;
  const TPoint b = BaseCell(ACol, ARow);
  if (TCellGraphic *g = OfKind(GetCellGraphic(b.X, b.Y), ctScrollbar)) {
    g->SetCellIndex(Pos);
    RepaintCell(b.X, b.Y);
  }
}

int TZavStringGrid::GetScrollPosition(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return -1;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic *g = OfKind(GetCellGraphic(b.X, b.Y), ctScrollbar);
  return g ? g->CellIndex() : -1;
}

void TZavStringGrid::SetScrollProp(int ACol, int ARow, TScrollProp Prop)
{
  if (ACol < 0 || ARow < 0)
    return;
  const TPoint b = BaseCell(ACol, ARow);
  if (TCellGraphic *g = OfKind(GetCellGraphic(b.X, b.Y), ctScrollbar)) {
    g->SetCellAngle(Prop.PageSize);
    g->SetCellErrFrom(Prop.Range);
  }
}

TScrollProp TZavStringGrid::GetScrollProp(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return {-1, -1};
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic *g = OfKind(GetCellGraphic(b.X, b.Y), ctScrollbar);
  return g ? TScrollProp{g->CellAngle(), g->CellErrFrom()} : TScrollProp{-1, -1};
}

// ---------------------------------------------------------------------------------------------
// Error markers: any graphic carries them; a cell without one gets an otherwise empty graphic.

void TZavStringGrid::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g) {
    g = CreateCellGraphic(ACol, ARow);
    if (!g)
      return;
    g->SetCellType(ctEmpty);
  }
  g->SetCellErrFrom(ErrPos);
  g->SetCellErrLen(ErrLen);
  RepaintCell(ACol, ARow);
}

void TZavStringGrid::RemoveMarker(int ACol, int ARow)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g)
    return;
  if (g->CellType() == ctEmpty) {
    RemoveCellGraphic(ACol, ARow);
    return;
  }
  g->SetCellErrFrom(0);
  g->SetCellErrLen(0);
}

void TZavStringGrid::RemoveAllMarkers()
{
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c)
      RemoveMarker(c, r);
}

void TZavStringGrid::GetMarker(int ACol, int ARow, int &ErrPos, int &ErrLen)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  ErrPos = g ? g->CellErrFrom() : 0;
  ErrLen = g ? g->CellErrLen() : 0;
}

// ---------------------------------------------------------------------------------------------
// Buttons: width in the low and height in the high 16 bits of CellIndex; the painter leaves the
// button's offset in the cell in CellValue the same way.

void TZavStringGrid::AddButton(int ACol, int ARow, int bw, int bh, const QString &Caption, TCellHAlign hal,
                               TCellVAlign val)
{
  if (TCellGraphic *g = CreateCellGraphic(ACol, ARow))
    g->SetButton(bw, bh, Caption, hal, val);
}

void TZavStringGrid::AddBitButton(int ACol, int ARow, int bw, int bh, const QString &Caption, TBitmap *Glyph,
                                  TCellHAlign hal, TCellVAlign val)
{
  if (TCellGraphic *g = CreateCellGraphic(ACol, ARow))
    g->SetBitButton(bw, bh, Caption, Glyph, hal, val);
}

TBitmap *TZavStringGrid::CreateBitButton(int ACol, int ARow, int bw, int bh, const QString &Caption,
                                         TCellHAlign hal, TCellVAlign val)
{
  return CreateOwned<TBitmap>(this, ACol, ARow, [&](TCellGraphic *g, TBitmap *glyph) {
    g->SetBitButton(bw, bh, Caption, glyph, hal, val);
  });
}

void TZavStringGrid::SetButtonText(int ACol, int ARow, const QString &Caption)
{
  if (TCellGraphic *g = GetCellGraphic(RealColIndex(ACol), ARow)) {
    g->SetCellText(Caption);
    RepaintCell(ACol, ARow);
  }
}

QString TZavStringGrid::GetButtonText(int ACol, int ARow)
{
  TCellGraphic *g = GetCellGraphic(RealColIndex(ACol), ARow);
  return g ? g->CellText() : QString();
}

void TZavStringGrid::PushButton(int ACol, int ARow, bool push)
{
  TCellGraphic *g = GetCellGraphic(RealColIndex(ACol), ARow);
  if (g && g->CellType() != ctNode) {
    g->SetCellBoolean(push);
    RepaintCell(ACol, ARow);
  }
}

bool TZavStringGrid::HasButton(int ACol, int ARow) { return IsCellTypeIn(ACol, ARow, {ctButton, ctBitButton}); }

void TZavStringGrid::RemoveButton(int ACol, int ARow)
{
  RemoveCellGraphicOfType(ACol, ARow, ctButton);
  RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TZavStringGrid::RemoveBitButton(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitButton); }

void TZavStringGrid::RemoveAllButtons()
{
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c)
      if (HasButton(c, r))
        RemoveButton(c, r);
}

TRect TZavStringGrid::GetCellButtonRect(int ACol, int ARow)
{
  TCellGraphic *g = GetCellGraphic(RealColIndex(ACol), ARow);
  if (!g)
    return TRect();
  const TRect R = CellRect(ACol, ARow);
  const uint32_t p = uint32_t(int64_t(std::nearbyint(g->CellValue())));
  const uint32_t size = uint32_t(g->CellIndex());
  TRect r;
  r.Left = R.Left + int(p & 0xFFFF);
  r.Top = R.Top + int(p >> 16);
  r.Right = r.Left + int(size & 0xFFFF);
  r.Bottom = r.Top + int(size >> 16);
  if (g->CellVAlign() == vaFull) {
    r.Top = R.Top;
    r.Bottom = R.Bottom;
  }
  if (g->CellHAlign() == haFull) {
    r.Left = R.Left;
    r.Right = R.Right;
  }
  return r;
}
