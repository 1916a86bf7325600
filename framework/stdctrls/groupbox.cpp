#include "framework/stdctrls/stdctrls.h"

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
