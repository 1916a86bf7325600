#include "framework/stdctrls/extctrls.h"

#include <algorithm>

TSplitter::TSplitter(TComponent *AOwner) : TGraphicControl(AOwner)
{
  FAlign = alLeft;
  FWidth = 3;
  FHeight = 100;
  FCursor = crHSplit;
}

void TSplitter::Paint()
{
  TCanvas *c = Canvas();
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(TRect(0, 0, Width(), Height()));
}

TControl *TSplitter::FindControl() const
{
  TWinControl *p = Parent();
  if (!p)
    return nullptr;
  for (int i = 0; i < p->ControlCount(); ++i) {
    TControl *c = p->Controls(i);
    if (c == this || !c->Visible() || c->Align() != Align())
      continue;
    // The neighbour touches the splitter on the side the splitter is aligned to.
    const bool touches = (Align() == alTop && c->Top() + c->Height() == Top()) ||
                         (Align() == alBottom && c->Top() == Top() + Height()) ||
                         (Align() == alLeft && c->Left() + c->Width() == Left()) ||
                         (Align() == alRight && c->Left() == Left() + Width());
    if (touches)
      return c;
  }
  return nullptr;
}

void TSplitter::RequestAlign()
{
  TGraphicControl::RequestAlign();
  FCursor = Vertical() ? crVSplit : crHSplit;
}

int TSplitter::ParentPos(int X, int Y) const { return Vertical() ? Top() + Y : Left() + X; }

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft)
    return;
  FControl = FindControl();
  if (!FControl)
    return;
  FDownPos = ParentPos(X, Y);
  FStartSize = Vertical() ? FControl->Height() : FControl->Width();
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y)
{
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FControl || !Shift.Contains(ssLeft))
    return;
  // The neighbour grows as the bar moves away from it.
  int delta = ParentPos(X, Y) - FDownPos;
  if (Align() == alBottom || Align() == alRight)
    delta = -delta;
  // What the client-aligned control can give up before it falls below MinSize.
  int spare = 0;
  if (TWinControl *p = Parent())
    for (int i = 0; i < p->ControlCount(); ++i) {
      TControl *c = p->Controls(i);
      if (c->Visible() && c->Align() == alClient)
        spare = std::max(spare, (Vertical() ? c->Height() : c->Width()) - FMinSize);
    }
  const int current = Vertical() ? FControl->Height() : FControl->Width();
  const int size = std::clamp(FStartSize + delta, FMinSize, std::max(FMinSize, current + spare));
  if (size == current)
    return;
  // The neighbour keeps its far edge, so the parent's alignment keeps the order of the bands.
  TControl *c = FControl;
  switch (Align()) {
  case alTop: c->SetBounds(c->Left(), c->Top(), c->Width(), size); break;
  case alBottom: c->SetBounds(c->Left(), c->Top() + c->Height() - size, c->Width(), size); break;
  case alLeft: c->SetBounds(c->Left(), c->Top(), size, c->Height()); break;
  default: c->SetBounds(c->Left() + c->Width() - size, c->Top(), size, c->Height()); break;
  }
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft)
    FControl = nullptr;
}
