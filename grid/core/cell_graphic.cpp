#include "grid/core/cell_graphic.h"

#include <algorithm>
#include <cmath>

#include "grid/core/control_look.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_helpers.h"
#include "grid/foundation/int_lists.h"

namespace {

// Nearest integer, halves to even (the process's default rounding mode).
int RoundEven(double v) { return int(std::nearbyint(v)); }

} // namespace

TCellGraphic::~TCellGraphic()
{
  switch (FCellType) {
  case ctBitmap:
  case ctRadio:
  case ctPicture:
  case ctFilePicture:
  case ctBitButton:
    if (FCellCreated)
      delete FCellBitmap;
    break;
  case ctIcon:
    if (FCellCreated)
      delete FCellIcon;
    break;
  case ctImages:
  case ctBalloon:
    delete FCellBitmap;
    break;
  case ctCheckBox:
  case ctDataCheckBox:
  case ctRadioButton:
    // A balloon attached to the box keeps its lines here.
    if (FCellAngle == 1)
      delete FCellBitmap;
    break;
  default:
    break;
  }
}

void TCellGraphic::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TCellGraphic *>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  FCellType = src->FCellType;
  FCellVAlign = src->FCellVAlign;
  FCellHAlign = src->FCellHAlign;
  FCellIndex = src->FCellIndex;
  FCellTransparent = src->FCellTransparent;
  FCellValue = src->FCellValue;
  FCellAngle = src->FCellAngle;
  FCellBoolean = src->FCellBoolean;
  FCellErrFrom = src->FCellErrFrom;
  FCellErrLen = src->FCellErrLen;
  FCellText = src->FCellText;
  FCellCreated = src->FCellCreated;
  // A tri-state box keeps its state here alone; without it a copied box would come back unchecked.
  FCellCheckBoxState = src->FCellCheckBoxState;
}

void TCellGraphic::SetInterfacedCell(TInterfacedPersistent *AObject)
{
  FCellType = ctInterface;
  FCellBitmap = AObject;
}

void TCellGraphic::SetBitmap(TBitmap *ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
  FCellType = ctBitmap;
  FCellBitmap = ABmp;
  FCellTransparent = Transparent;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetButton(int bw, int bh, const QString &caption, TCellHAlign hal, TCellVAlign val)
{
  FCellType = ctButton;
  FCellIndex = int((uint32_t(bh) << 16) | (uint32_t(bw) & 0xFFFF));
  FCellText = caption;
  FCellBoolean = false;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetBitButton(int bw, int bh, const QString &caption, TBitmap *Glyph, TCellHAlign hal,
                                TCellVAlign val)
{
  SetButton(bw, bh, caption, hal, val);
  FCellType = ctBitButton;
  FCellBitmap = Glyph;
}

void TCellGraphic::SetPicture(TPicture *APicture, bool Transparent, TStretchMode StretchMode, int padding,
                              TCellHAlign hal, TCellVAlign val)
{
  FCellType = ctPicture;
  FCellBitmap = APicture;
  FCellTransparent = Transparent;
  FCellAngle = int(StretchMode);
  FCellIndex = padding;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetFilePicture(TFilePicture *APicture, bool Transparent, TStretchMode StretchMode,
                                  int padding, TCellHAlign hal, TCellVAlign val)
{
  SetPicture(nullptr, Transparent, StretchMode, padding, hal, val);
  FCellType = ctFilePicture;
  FCellBitmap = APicture;
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val)
{
  FCellType = Data ? ctDataCheckBox : ctCheckBox;
  FCellAngle = 0;
  FCellBoolean = Value;
  FCellTransparent = Flat;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
  FCellType = ctTriStateCheckBox;
  FCellCheckBoxState = Value;
  FCellBoolean = false;
  FCellTransparent = Flat;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
  FCellType = ctRadioButton;
  FCellAngle = 0;
  FCellBoolean = Value;
  FCellTransparent = Flat;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetIcon(TIcon *aicon, TCellHAlign hal, TCellVAlign val)
{
  FCellType = ctIcon;
  FCellIcon = aicon;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetDataImage(int idx, TCellHAlign hal, TCellVAlign val)
{
  FCellType = ctDataImage;
  FCellIndex = idx;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val)
{
  FCellType = ctImageList;
  FCellIndex = idx;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val,
                                 TImageChangeEvent Notifier)
{
  FCellType = ctImages;
  FCellHAlign = hal;
  FCellVAlign = val;
  FCellBoolean = dir == 0;
  auto *list = new TIntList(Col, Row);
  list->OnChange = std::move(Notifier);
  FCellBitmap = list;
  FCellCreated = true;
}

void TCellGraphic::SetAngle(int16_t AAngle)
{
  int a = AAngle;
  while (a < 0)
    a += 360;
  while (a > 360)
    a -= 360;
  FCellType = ctRotated;
  FCellAngle = a;
}

TPoint TCellGraphic::GetPictureSize(int cw, int rh, bool hastext) const
{
  int w = 0, h = 0;
  if (FCellType == ctPicture) {
    if (auto *pic = dynamic_cast<TPicture *>(FCellBitmap))
      w = pic->Width(), h = pic->Height();
  } else if (FCellType == ctFilePicture) {
    if (auto *pic = dynamic_cast<TFilePicture *>(FCellBitmap))
      w = pic->Width(), h = pic->Height();
  } else {
    return {0, 0};
  }
  cw -= FCellIndex;
  rh -= FCellIndex;
  auto aspect = [&](bool limit) -> TPoint {
    double rW = w <= 0 ? 1.0 : double(cw) / w;
    double rH = h <= 0 ? 1.0 : double(rh) / h;
    if (limit) {
      rW = std::min(rW, 1.0);
      rH = std::min(rH, 1.0);
    }
    if (rW >= rH)
      return {RoundEven(w * rH), rh};
    return {cw, RoundEven(h * rW)};
  };
  switch (TStretchMode(FCellAngle)) {
  case Stretch:
    return {cw, rh};
  case Shrink:
    return (w > cw || h > rh) ? TPoint(cw, rh) : TPoint(w, h);
  case StretchWithAspectRatio:
    return aspect(false);
  case ShrinkWithAspectRatio:
    return (w <= cw && h <= rh) ? TPoint(w, h) : aspect(true);
  default:
    return {w, h};
  }
}

bool IsDataGraphicCell(TZavStringGrid *Grid, int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return false;
  const TPoint b = Grid->BaseCell(ACol, ARow);
  return TCellTypes{ctDataCheckBox, ctDataImage, ctVirtCheckBox, ctRowCheckBox}.Contains(
      Grid->GetCellType(b.X, b.Y));
}

// ---------------------------------------------------------------------------------------------
// The grid's side: finding, creating, typing and removing cell graphics

TCellGraphic *TZavStringGrid::GetCellGraphic(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return nullptr;
  auto *g = dynamic_cast<TCellGraphic *>(GraphicObjects(ACol, ARow));
  if (ACol == 0 && MouseActions()->HotmailRowSelect()) {
    // Column 0 shows the shared row-selection box whatever the cell holds.
    TCellGraphic *rc = &FCellGraphic;
    rc->SetCellType(ctRowCheckBox);
    const int normal = RowCount() - FixedRows();
    if (ARow == 0) {
      const int n = RowSelectCount();
      rc->SetCellAngle(n > 0 && n < normal ? 1 : 0);
      rc->SetCellBoolean(n >= normal);
    } else {
      rc->SetCellAngle(0);
      const int real = RealRowIndex(ARow);
      rc->SetCellBoolean(ARow < RowCount() && real >= 0 && RowSelect(real));
    }
    rc->SetCellTransparent(GraphicFlatControls());
    return rc;
  }
  return g;
}

TCellType TZavStringGrid::GetCellType(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return ctEmpty;
  if (ACol == 0 && MouseActions()->HotmailRowSelect())
    return ctRowCheckBox;
  auto *g = dynamic_cast<TCellGraphic *>(GraphicObjects(ACol, ARow));
  return g ? g->CellType() : ctEmpty;
}

TCellGraphic *TZavStringGrid::CreateCellGraphic(int ACol, int ARow)
{
  if (TCellGraphic *old = dynamic_cast<TCellGraphic *>(GraphicObjects(ACol, ARow))) {
    SetGraphicObjects(ACol, ARow, nullptr);
    if (old->CellType() != ctVirtCheckBox && old->CellType() != ctRowCheckBox)
      delete old;
  }
  auto *g = new TCellGraphic;
  if (!Cells(ACol, ARow).isEmpty()) {
    SetGraphicObjects(ACol, ARow, g);
  } else {
    // The properties record that holds the graphic comes with a text; the empty text returns.
    SetCells(ACol, ARow, QStringLiteral(" "));
    SetGraphicObjects(ACol, ARow, g);
    SetCells(ACol, ARow, QString());
  }
  if (GraphicObjects(ACol, ARow) != g) {
    // A cell outside the grid has no slot to hold it.
    delete g;
    return nullptr;
  }
  const int dc = DisplColIndex(ACol);
  if (dc != ACol)
    RepaintCell(dc, ARow);
  return g;
}

bool TZavStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return false;
  auto *g = dynamic_cast<TCellGraphic *>(GraphicObjects(ACol, ARow));
  if (!g)
    return false;
  SetGraphicObjects(ACol, ARow, nullptr);
  if (g->CellType() != ctVirtCheckBox && g->CellType() != ctRowCheckBox)
    delete g;
  if (!ComponentState().Contains(csDestroying))
    RepaintCell(ACol, ARow);
  return true;
}

bool TZavStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType)
{
  return GetCellType(ACol, ARow) == AType && RemoveCellGraphic(ACol, ARow);
}

bool TZavStringGrid::IsCellTypeIn(int ACol, int ARow, TCellTypes Kinds)
{
  if (ACol < 0 || ARow < 0)
    return false;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic *g = GetCellGraphic(b.X, b.Y);
  return g && Kinds.Contains(g->CellType());
}

bool TZavStringGrid::IsClickControlCell(int ACol, int ARow)
{
  if (ACol < 0 || ARow < 0)
    return false;
  const TPoint b = BaseCell(ACol, ARow);
  return TCellTypes{ctCheckBox, ctDataCheckBox, ctRadio, ctButton, ctVirtCheckBox, ctRowCheckBox,
                    ctRadioButton, ctTriStateCheckBox}
      .Contains(GetCellType(b.X, b.Y));
}

intptr_t TZavStringGrid::GetImageSortKey(int ACol, int ARow)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g)
    return -1;
  switch (g->CellType()) {
  case ctBitmap:
    return reinterpret_cast<intptr_t>(g->CellBitmap());
  case ctIcon:
    return reinterpret_cast<intptr_t>(g->CellIcon());
  case ctImageList:
    return g->CellIndex();
  default:
    return -1;
  }
}

TIntList *TZavStringGrid::GetCellImages(int ACol, int ARow)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  return g && g->CellType() == ctImages ? dynamic_cast<TIntList *>(g->CellBitmap()) : nullptr;
}

TImageList *TZavStringGrid::GetGridImages() { return FGridImages; }

TPoint TZavStringGrid::GetCellGraphicSize(int ACol, int ARow) { return CalcGraphicSize(ACol, ARow, 0); }

namespace {

int GraphicWidth(TObject *o)
{
  if (auto *gr = dynamic_cast<TGraphic *>(o))
    return gr->Width();
  return 0;
}

int GraphicHeight(TObject *o)
{
  if (auto *gr = dynamic_cast<TGraphic *>(o))
    return gr->Height();
  return 0;
}

// Items side by side on one line, or stacked with lines of at least MinLine pixels.
TPoint RadioGroupSize(TCanvas *Canvas, const TCellGraphic *g, int MinLine)
{
  auto *items = dynamic_cast<TStrings *>(g->CellBitmap());
  if (!items)
    return {0, 0};
  const int th = Canvas->TextHeight(QStringLiteral("gh"));
  int w = 0;
  if (g->CellBoolean()) {
    for (int i = 0; i < items->Count(); ++i)
      w += Canvas->TextWidth(items->Strings(i)) + 12;
    return {w, th};
  }
  w = 12;
  for (int i = 0; i < items->Count(); ++i)
    w = std::max(w, Canvas->TextWidth(items->Strings(i)) + 12);
  return {w, std::max(MinLine, th) * items->Count()};
}

TPoint ImagesSize(TImageList *il, const TCellGraphic *g)
{
  auto *list = dynamic_cast<TIntList *>(g->CellBitmap());
  if (!il)
    return {0, 0};
  const int n = list ? list->Count() : 0;
  return g->CellBoolean() ? TPoint(n * il->Width(), il->Height()) : TPoint(il->Width(), n * il->Height());
}

} // namespace

TPoint TZavStringGrid::CalcGraphicSize(int ACol, int ARow, int ReservedHeight)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g)
    return {0, 0};
  const bool hastext = !Cells(ACol, ARow).isEmpty();
  const TPoint cell = CellSize(DisplColIndex(ACol), ARow);
  const TCellHAlign ha = g->CellHAlign();
  const TCellVAlign va = g->CellVAlign();
  const bool beside = ha == haBeforeText || ha == haAfterText || !hastext;
  const bool stacked = va == vaUnderText || va == vaAboveText || !hastext;
  TCanvas *canvas = Canvas();
  int w = 0, h = 0;
  bool keepWidth = false;
  switch (g->CellType()) {
  case ctBitmap:
    w = beside ? GraphicWidth(g->CellBitmap()) : 0;
    h = stacked ? GraphicHeight(g->CellBitmap()) : 0;
    break;
  case ctIcon:
    w = beside ? GraphicWidth(g->CellIcon()) : 0;
    h = stacked ? GraphicHeight(g->CellIcon()) : 0;
    break;
  case ctImageList:
  case ctDataImage:
    if (TImageList *il = GetGridImages()) {
      w = beside ? il->Width() : 0;
      h = stacked ? il->Height() : 0;
    }
    break;
  case ctPicture:
  case ctFilePicture: {
    const TPoint p = g->GetPictureSize(cell.X - GetTotalXOffset() - 1,
                                       cell.Y - GetTotalYOffset() - 1 - ReservedHeight, hastext);
    w = p.X;
    h = p.Y;
    break;
  }
  case ctButton:
  case ctBitButton:
    w = g->CellIndex() & 0xFFFF;
    h = int(uint32_t(g->CellIndex()) >> 16);
    if (hastext) {
      if (ha == haCenter)
        w = 0;
      else if (ha == haFull)
        w = canvas->TextWidth(g->CellText()) + 4;
      if (va != vaUnderText && va != vaAboveText)
        h = 0;
      else
        w = 0;
    } else if (ha == haFull) {
      canvas->Font()->Assign(Font());
      w = canvas->TextWidth(g->CellText()) + 4;
      keepWidth = !g->CellText().isEmpty();
    }
    break;
  case ctInterface:
    if (auto *i = dynamic_cast<IGridCellInterface *>(g->CellBitmap())) {
      w = i->GetWidth();
      h = i->GetHeight();
    }
    if (w == 0 || h == 0) {
      w = cell.X;
      h = cell.Y;
    }
    break;
  case ctProgressPie:
    w = h = 20;
    break;
  case ctRadioButton:
    w = h = GraphicRadioSize();
    break;
  case ctCheckBox:
  case ctDataCheckBox:
  case ctVirtCheckBox:
  case ctRowCheckBox:
  case ctTriStateCheckBox:
    w = h = GraphicCheckSize();
    break;
  case ctRadio: {
    const TPoint p = RadioGroupSize(canvas, g, 16);
    w = p.X;
    h = p.Y;
    break;
  }
  case ctRating:
    w = g->CellAngle() * 18;
    h = 16;
    keepWidth = true;
    break;
  case ctImages: {
    const TPoint p = ImagesSize(GetGridImages(), g);
    w = p.X;
    h = p.Y;
    break;
  }
  default:
    break;
  }
  if (va == vaFull)
    h = cell.Y;
  if (ha == haFull && (!keepWidth || va == vaFull))
    w = cell.X;
  return {w, h};
}

TPoint TZavStringGrid::CalcScaledGraphicSize(int ACol, int ARow, int CellWidth, int CellHeight, double Scale)
{
  TCellGraphic *g = GetCellGraphic(ACol, ARow);
  if (!g)
    return {0, 0};
  const bool hastext = !Cells(ACol, ARow).isEmpty();
  const int dc = DisplColIndex(ACol);
  const TPoint cell = CellSize(dc, ARow);
  const TCellHAlign ha = g->CellHAlign();
  const bool beside = ha == haBeforeText || ha == haAfterText || !hastext;
  TCanvas *canvas = Canvas();
  int w = 0, h = 0;
  switch (g->CellType()) {
  case ctBitmap:
    w = GraphicWidth(g->CellBitmap());
    h = GraphicHeight(g->CellBitmap());
    break;
  case ctIcon:
    w = GraphicWidth(g->CellIcon());
    h = GraphicHeight(g->CellIcon());
    break;
  case ctImageList:
    if (TImageList *il = GetGridImages()) {
      w = beside ? il->Width() : 0;
      h = il->Height();
    }
    break;
  case ctDataImage:
    if (TImageList *il = GetGridImages()) {
      w = il->Width();
      h = il->Height();
    }
    break;
  case ctPicture:
  case ctFilePicture: {
    const TPoint p = g->GetPictureSize(CellWidth, CellHeight, hastext);
    w = RoundEven(p.X / Scale);
    h = RoundEven(p.Y / Scale);
    break;
  }
  case ctNode:
    w = h = 20;
    break;
  case ctProgress:
  case ctXPProgress:
    w = ColWidths(dc);
    h = RowHeights(ARow);
    break;
  case ctButton:
  case ctBitButton:
    w = g->CellIndex() & 0xFFFF;
    h = int(uint32_t(g->CellIndex()) >> 16);
    break;
  case ctInterface:
    if (auto *i = dynamic_cast<IGridCellInterface *>(g->CellBitmap())) {
      w = i->GetWidth();
      h = i->GetHeight();
    }
    if (w == 0)
      w = cell.X;
    if (h == 0)
      h = cell.Y;
    break;
  case ctShape:
    w = h = RowHeights(ARow) - 2 * GraphicXYOffset().Y;
    break;
  case ctProgressPie:
    w = h = 20;
    break;
  case ctRadioButton:
    w = h = GraphicRadioSize();
    break;
  case ctCheckBox:
  case ctDataCheckBox:
  case ctVirtCheckBox:
  case ctRowCheckBox:
  case ctTriStateCheckBox:
    w = h = GraphicCheckSize();
    break;
  case ctRadio: {
    const TPoint p = RadioGroupSize(canvas, g, 0);
    w = p.X;
    h = p.Y;
    break;
  }
  case ctImages: {
    const TPoint p = ImagesSize(GetGridImages(), g);
    w = p.X;
    h = p.Y;
    break;
  }
  default:
    break;
  }
  return {w, h};
}

// ---------------------------------------------------------------------------------------------
// Column lookup and wide cells

int TZavStringGrid::ColumnByHeader(const QString &Value)
{
  for (int c = 0; c < TotalColCount(); ++c)
    if (Cells(c, 0) == Value)
      return c;
  return -1;
}

int TZavStringGrid::ColumnPosition(int ACol)
{
  if (FColumnOrder->Count() == 0)
    return ACol;
  int pos = ACol;
  const int n = std::min(FColumnOrder->Count(), ColCount() + NumHiddenColumns());
  for (int i = 0; i < n; ++i)
    if (FColumnOrder->Items(i) == ACol) {
      pos = i;
      break;
    }
  if (FGroupColumn >= 0 && ACol >= FGroupColumn)
    --pos;
  return pos;
}

int TZavStringGrid::ColumnAtPosition(int APosition)
{
  if (FColumnOrder->Count() == 0)
    SetColumnOrder();
  if (APosition < 0 || APosition >= FColumnOrder->Count())
    return APosition;
  int col = FColumnOrder->Items(APosition);
  if (FGroupColumn >= 0 && col >= FGroupColumn)
    ++col;
  return col;
}

// The control look's sizes and style as the cell graphics read them.
int TZavStringGrid::GraphicCheckSize() { return FControlLook->CheckSize(); }
int TZavStringGrid::GraphicRadioSize() { return FControlLook->RadioSize(); }
bool TZavStringGrid::GraphicFlatControls() { return FControlLook->ControlStyle() == csFlat; }
TPoint TZavStringGrid::GraphicXYOffset() { return XYOffset(); }
