#include "grid/core/footer.h"

#include <algorithm>

#include "framework/controls/forms.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/markup_render.h"

// ---------------------------------------------------------------------------------------------
// TFloatingFooter

TFloatingFooter::TFloatingFooter(TZavStringGrid *AGrid) : FGrid(AGrid) {}

void TFloatingFooter::Assign(TPersistent *Source)
{
  auto *s = dynamic_cast<TFloatingFooter *>(Source);
  if (!s)
    return;
  FCalculateHiddenRows = s->FCalculateHiddenRows;
  FColor = s->FColor;
  FColumn = s->FColumn;
  FCustomTemplate = s->FCustomTemplate;
  FFooterStyle = s->FFooterStyle;
  SetVisible(s->FVisible);
  FShowHint = s->FShowHint;
}

void TFloatingFooter::Invalidate()
{
  if (FGrid && FGrid->FooterPanel())
    FGrid->FooterPanel()->Invalidate();
}

void TFloatingFooter::SetBorderColor(TColor Value)
{
  if (FBorderColor == Value)
    return;
  FBorderColor = Value;
  Invalidate();
}

void TFloatingFooter::SetColor(TColor Value)
{
  FColor = Value;
  Invalidate();
}

void TFloatingFooter::SetColumn(int Value)
{
  FColumn = Value;
  Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const QString &Value)
{
  FCustomTemplate = Value;
  Invalidate();
}

void TFloatingFooter::SetShowHint(bool Value)
{
  FShowHint = Value;
  if (FGrid && FGrid->FooterPanel())
    FGrid->FooterPanel()->SetShowHint(Value);
}

void TFloatingFooter::SetHeight(int Value)
{
  FHeight = Value;
  if (Value > 0 && FGrid && FGrid->FooterPanel())
    FGrid->FooterPanel()->SetHeight(Value - 1);
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value)
{
  FFooterStyle = Value;
  if (!FGrid)
    return;
  FGrid->SetHideLastRow(FVisible && FFooterStyle == fsFixedLastRow);
  FGrid->Invalidate();
  Invalidate();
}

void TFloatingFooter::SetVisible(bool Value)
{
  FVisible = Value;
  if (!FGrid)
    return;
  if (TFooterPanel *p = FGrid->FooterPanel()) {
    // A footer made visible before it has a height keeps a panel of no height.
    p->SetHeight(Value ? std::max(0, FHeight - 1) : 0);
    p->SetVisible(Value);
  }
  const bool lastRow = Value && FFooterStyle == fsFixedLastRow;
  FGrid->SetFixedFooters(lastRow ? 1 : 0);
  FGrid->SetHideLastRow(lastRow);
  FGrid->Invalidate();
}

TColumnCalcType TFloatingFooter::GetColumnCalc(int ACol) const
{
  if (!FGrid)
    return acNONE;
  const int r = FGrid->RowCount() - 1;
  if (ACol < 0 || r < 0 || !FGrid->HasCellProperties(ACol, r))
    return acNONE;
  return FGrid->CellProperties(ACol, r)->CalcType();
}

void TFloatingFooter::SetColumnCalc(int ACol, TColumnCalcType Value)
{
  if (!FGrid)
    return;
  if (TCellProperties *p = FGrid->CellProperties(ACol, FGrid->RowCount() - 1)) {
    p->SetCalcType(Value);
    FGrid->CalcFooter(ACol);
  }
}

QString ExpandFooterTemplate(TZavStringGrid *Grid, const QString &Template, int ARow)
{
  QString out;
  int i = 0;
  while (i < Template.size()) {
    const int open = Template.indexOf(QStringLiteral("<#"), i);
    if (open < 0) {
      out += Template.mid(i);
      break;
    }
    const int close = Template.indexOf(QLatin1Char('>'), open + 2);
    if (close < 0) {
      out += Template.mid(i);
      break;
    }
    out += Template.mid(i, open - i);
    bool ok = false;
    const QString inner = Template.mid(open + 2, close - open - 2);
    const int n = inner.toInt(&ok);
    if (ok && Grid && n >= 0 && n < Grid->TotalColCount())
      out += Grid->Cells(n, ARow);
    i = close + 1;
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// TFooterPanel

namespace {

bool SoftLook(TGridLook Look) { return Look == glSoft || Look == glZAV || Look == glXP || Look == glVista; }

// Columns in footer order: the fixed ones, then the scrolled ones from the left column.
template <typename F>
void ForEachFooterColumn(TZavStringGrid *G, F Fn)
{
  for (int c = 0; c < G->FixedCols() && c < G->ColCount(); ++c)
    if (!Fn(c))
      return;
  for (int c = std::max(G->LeftCol(), G->FixedCols()); c < G->ColCount(); ++c)
    if (!Fn(c))
      return;
}

}  // namespace

TFooterPanel::TFooterPanel(TComponent *AOwner) : TCustomPanel(AOwner), FGrid(dynamic_cast<TZavStringGrid *>(AOwner))
{
  SetBorderWidth(0);
}

void TFooterPanel::CreateWnd()
{
  TCustomPanel::CreateWnd();
  if (!FGrid)
    return;
  TFloatingFooter *ff = FGrid->FloatingFooter();
  SetHeight(ff && ff->Visible() ? std::max(0, ff->Height()) : 0);
  if (FGrid->OnCreatedFloatingFooter)
    FGrid->OnCreatedFloatingFooter(FGrid);
}

int TFooterPanel::PaintedWidth() const
{
  int w = 0;
  ForEachFooterColumn(FGrid, [&](int c) {
    w += FGrid->ColWidths(c);
    return true;
  });
  return w;
}

int TFooterPanel::ColumnAt(int X) const
{
  if (!FGrid)
    return -1;
  int sum = 0, found = -1;
  ForEachFooterColumn(FGrid, [&](int c) {
    sum += FGrid->ColWidths(c);
    if (sum > X) {
      found = c;
      return false;
    }
    return true;
  });
  return X < 0 ? -1 : found;
}

void TFooterPanel::Paint()
{
  TCanvas *c = Canvas();
  TFloatingFooter *ff = FGrid ? FGrid->FloatingFooter() : nullptr;
  if (!ff) {
    TCustomPanel::Paint();
    return;
  }
  const int w = PaintedWidth();
  switch (ff->FooterStyle()) {
  case fsFixedLastRow: PaintFixedLastRow(c, w); break;
  case fsColumnPreview: PaintPreview(c, w, false); break;
  case fsCustomPreview: PaintPreview(c, w, true); break;
  case fsCustomPaint:
    if (FGrid->OnFooterPaint)
      FGrid->OnFooterPaint(this, ff->Column(), c, ClientRect());
    break;
  }
  if (ff->BorderColor() != clNone) {
    c->Pen()->SetColor(ff->BorderColor());
    c->Pen()->SetWidth(1);
    c->MoveTo(0, 0);
    c->LineTo(ff->FooterStyle() == fsCustomPaint ? ClientWidth() : w, 0);
  }
}

void TFooterPanel::PaintFixedLastRow(TCanvas *C, int W)
{
  TFloatingFooter *ff = FGrid->FloatingFooter();
  const TRect client = ClientRect();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(ff->Color());
  C->FillRect(TRect(0, 0, W, client.Bottom));
  C->Brush()->SetColor(FGrid->Color());
  C->FillRect(TRect(W, 0, client.Right, client.Bottom));

  const bool vert = FGrid->Options().Contains(goFixedVertLine);
  const bool horz = FGrid->Options().Contains(goFixedHorzLine);
  const bool soft = SoftLook(FGrid->Look()) && !FGrid->Flat();
  const int bottom = client.Bottom;

  // Separators.
  int x = 0;
  C->Pen()->SetWidth(1);
  ForEachFooterColumn(FGrid, [&](int col) {
    if (vert && soft) {
      C->Pen()->SetColor(clWhite);
      C->MoveTo(x, bottom);
      C->LineTo(x, 0);
    }
    const int left = x;
    x += FGrid->ColWidths(col);
    if (horz) {
      C->Pen()->SetColor(FGrid->GridLineColor());
      C->MoveTo(left, 0);
      C->LineTo(x - 1, 0);
    }
    if (vert) {
      const bool fixed = col < FGrid->FixedCols();
      C->Pen()->SetColor(fixed || FGrid->Look() == glVista ? FGrid->GridLineColor() : TColor(0x808080));
      C->MoveTo(x - 1, 0);
      C->LineTo(x - 1, bottom);
    }
    return true;
  });

  // Cells of the last row.
  const int lastRow = FGrid->RowCount() - 1;
  x = 0;
  ForEachFooterColumn(FGrid, [&](int col) {
    int cw = FGrid->ColWidths(col);
    const int left = x;
    x += cw;
    if (lastRow < 0 || FGrid->IsMergedNonBaseCell(col, lastRow))
      return true;
    if (FGrid->IsMergedCell(col, lastRow)) {
      const TPoint span = FGrid->CellSpan(col, lastRow);
      cw = 0;
      for (int i = 0; i <= span.X && col + i < FGrid->ColCount(); ++i)
        cw += FGrid->ColWidths(col + i);
    }
    // The cell keeps its separator lines visible.
    TRect r(left, 0, left + cw - (vert ? 1 : 0), bottom);
    if (horz) {
      r.Top += 1;
      if (soft)
        r.Left += 1;
    }
    if (col >= FGrid->FixedCols() && FGrid->OnGetCellColor) {
      TBrush brush;
      brush.SetColor(clNone);
      TFont font;
      font.Assign(FGrid->Font());
      FGrid->OnGetCellColor(FGrid, lastRow, FGrid->RealColIndex(col), TGridDrawState{gdFixed}, &brush, &font);
      if (brush.Color() != clNone) {
        C->Brush()->SetColor(brush.Color());
        C->FillRect(r);
      }
    }
    if (FGrid->OnFooterPaint)
      FGrid->OnFooterPaint(this, col, C, r);
    else
      FGrid->DrawCellContent(C, col, lastRow, r, TGridDrawState{gdFixed});
    return true;
  });
}

void TFooterPanel::PaintPreview(TCanvas *C, int W, bool Template)
{
  TFloatingFooter *ff = FGrid->FloatingFooter();
  const TRect client = ClientRect();
  const TRect r(0, 0, W, client.Bottom);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(ff->Color());
  C->FillRect(r);
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(TColor(0x808080));
  C->MoveTo(0, r.Bottom - 1);
  C->LineTo(r.Right - 1, r.Bottom - 1);
  C->LineTo(r.Right - 1, -1);
  C->Pen()->SetColor(clWhite);
  C->MoveTo(0, r.Bottom - 1);
  C->LineTo(0, 0);
  C->LineTo(r.Right - 1, 0);

  const int row = FGrid->RealRowIndex(FGrid->Row());
  if (!Template) {
    if (FGrid->OnFooterPaint)
      FGrid->OnFooterPaint(this, ff->Column(), C, r);
    else
      FGrid->DrawCellContent(C, ff->Column(), row, r, TGridDrawState{});
  } else {
    TRect t = r;
    t.Top += 2;
    C->Font()->Assign(FGrid->Font());
    C->SetBkMode(TRANSPARENT);
    if (FGrid->ComponentState().Contains(csDesigning)) {
      C->DrawText(ff->CustomTemplate(), t, DT_LEFT | DT_NOPREFIX);
    } else {
      QString anchor, plain, focusAnchor, title, cid, cv, ct;
      int w = 0, h = 0, count = 0, mouseAnchor = 0;
      TRect ar, cr;
      RenderHTMLText(C, ExpandFooterTemplate(FGrid, ff->CustomTemplate(), row), t, FGrid->GridImages(), -1, -1,
                     -1, -1, 0, false, false, false, false, false, false, false, false, 1.0, clBlue, clNone,
                     clNone, clGray, anchor, plain, focusAnchor, title, w, h, count, mouseAnchor, ar, cr, cid,
                     cv, ct, nullptr, FGrid->PictureContainer(), nullptr, 0);
    }
  }
  C->Brush()->SetColor(FGrid->Color());
  C->FillRect(TRect(W, 0, client.Right, client.Bottom));
}

void TFooterPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TCustomPanel::MouseUp(Button, Shift, X, Y);
  if (!FGrid)
    return;
  if (FGrid->OnClick)
    FGrid->OnClick(FGrid);
  const int c = ColumnAt(X);
  if (c >= 0 && FGrid->OnClickCell)
    FGrid->OnClickCell(FGrid, FGrid->RowCount() - 1, c);
}

void TFooterPanel::MouseMove(TShiftState Shift, int X, int Y)
{
  TCustomPanel::MouseMove(Shift, X, Y);
  if (!FGrid || !FGrid->FloatingFooter() || !FGrid->FloatingFooter()->ShowHint())
    return;
  const int c = ColumnAt(X);
  if (c != FLastHintX) {
    if (Application)
      Application->CancelHint();
    FLastHintX = c;
  }
}

void TFooterPanel::CMHintShow(TCMHintShow &Message)
{
  if (!FGrid || !Message.HintInfo)
    return;
  const int c = ColumnAt(Message.HintInfo->CursorPos.X);
  if (FGrid->OnGridHint && c >= 0)
    FGrid->OnGridHint(FGrid, FGrid->RowCount() - 1, c, Message.HintInfo->HintStr);
  const bool show = FGrid->FloatingFooter() && FGrid->FloatingFooter()->ShowHint();
  FLastHintX = show ? c : -1;
  Message.Result = show ? 0 : 1;
}

void TFooterPanel::CMMouseLeave(TMessage &Message)
{
  TCustomPanel::CMMouseLeave(Message);
  FLastHintX = -1;
}

// The floating footer in fsFixedLastRow style shows the last row, which then leaves the cells.
void TZavStringGrid::SetHideLastRow(bool Value)
{
  if (FHideLastRow == Value)
    return;
  FHideLastRow = Value;
  Invalidate();
}
