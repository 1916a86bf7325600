// DrawEdge and DrawFrameControl with the classic (non-themed) look.
#include "framework/graphics/graphics.h"

#include <algorithm>

namespace {

// Silences the recorder while a compound drawing runs; the caller records one entry.
struct QuietRecorder {
  explicit QuietRecorder(TCanvas *c) : C(c), Saved(c->Recorder()) { c->SetRecorder(nullptr); }
  ~QuietRecorder() { C->SetRecorder(Saved); }
  TCanvas *C;
  QStringList *Saved;
};

void Fill(TCanvas *c, int l, int t, int r, int b, TColor color)
{
  if (r > l && b > t)
    FillRect(c, TRect(l, t, r, b), color);
}

// One ring of an edge: top and left in lt (without the far corners), bottom and right in rb.
void Ring(TCanvas *c, const TRect &r, uint32_t flags, TColor lt, TColor rb)
{
  if (flags & BF_TOP)
    Fill(c, r.Left, r.Top, r.Right - 1, r.Top + 1, lt);
  if (flags & BF_LEFT)
    Fill(c, r.Left, r.Top, r.Left + 1, r.Bottom - 1, lt);
  if (flags & BF_BOTTOM)
    Fill(c, r.Left, r.Bottom - 1, r.Right, r.Bottom, rb);
  if (flags & BF_RIGHT)
    Fill(c, r.Right - 1, r.Top, r.Right, r.Bottom, rb);
}

void Shrink(TRect &r, uint32_t flags)
{
  if (flags & BF_LEFT) ++r.Left;
  if (flags & BF_TOP) ++r.Top;
  if (flags & BF_RIGHT) --r.Right;
  if (flags & BF_BOTTOM) --r.Bottom;
}

void CheckMark(TCanvas *c, int x, int y, TColor color)
{
  // The classic 7 x 7 tick, three pixels thick.
  static const int tops[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i)
    Fill(c, x + i, y + tops[i], x + i + 1, y + tops[i] + 3, color);
}

void Arrow(TCanvas *c, const TRect &r, int dir, TColor color, int shift)
{
  // dir: 0 up, 1 down, 2 left, 3 right; a triangle of 4 rows centred in r.
  const int size = std::max(2, std::min(r.Width(), r.Height()) / 4);
  const int cx = (r.Left + r.Right) / 2 + shift, cy = (r.Top + r.Bottom) / 2 + shift;
  for (int i = 0; i < size; ++i) {
    switch (dir) {
    case 0: Fill(c, cx - i, cy - size / 2 + i, cx + i + 1, cy - size / 2 + i + 1, color); break;
    case 1: Fill(c, cx - (size - 1 - i), cy - size / 2 + i, cx + (size - 1 - i) + 1, cy - size / 2 + i + 1, color); break;
    case 2: Fill(c, cx - size / 2 + i, cy - i, cx - size / 2 + i + 1, cy + i + 1, color); break;
    case 3: Fill(c, cx - size / 2 + i, cy - (size - 1 - i), cx - size / 2 + i + 1, cy + (size - 1 - i) + 1, color); break;
    }
  }
}

}  // namespace

bool DrawEdge(HDC DC, TRect &Rect, uint32_t Edge, uint32_t Flags)
{
  if (!DC)
    return false;
  if (DC->Recorder())
    DC->Record(QStringLiteral("DrawEdge(%1,%2,%3,%4,$%5,$%6)").arg(Rect.Left).arg(Rect.Top).arg(Rect.Right).arg(Rect.Bottom)
                 .arg(Edge, 0, 16).arg(Flags, 0, 16));
  QuietRecorder quiet(DC);
  TColor outerLT = clNone, outerRB = clNone, innerLT = clNone, innerRB = clNone;
  switch (Edge & BDR_OUTER) {
  case BDR_RAISEDOUTER: outerLT = cl3DLight; outerRB = cl3DDkShadow; break;
  case BDR_SUNKENOUTER: outerLT = clBtnShadow; outerRB = clBtnHighlight; break;
  }
  switch (Edge & BDR_INNER) {
  case BDR_RAISEDINNER: innerLT = clBtnHighlight; innerRB = clBtnShadow; break;
  case BDR_SUNKENINNER: innerLT = cl3DDkShadow; innerRB = cl3DLight; break;
  }
  if (Flags & BF_SOFT) {
    if ((Edge & BDR_OUTER) == BDR_RAISEDOUTER) { outerLT = clBtnHighlight; }
    if ((Edge & BDR_INNER) == BDR_SUNKENINNER) { innerLT = cl3DDkShadow; }
  }
  TColor middle = clBtnFace;
  if (Flags & BF_MONO) {
    if (outerLT != clNone) outerLT = outerRB = clWindowFrame;
    if (innerLT != clNone) innerLT = innerRB = clWindow;
    middle = clWindow;
  } else if (Flags & BF_FLAT) {
    if (outerLT != clNone) outerLT = outerRB = clBtnShadow;
    if (innerLT != clNone) innerLT = innerRB = clBtnFace;
  }
  TRect r = Rect;
  if (outerLT != clNone) {
    Ring(DC, r, Flags, outerLT, outerRB);
    Shrink(r, Flags);
  }
  if (innerLT != clNone) {
    Ring(DC, r, Flags, innerLT, innerRB);
    Shrink(r, Flags);
  }
  if (Flags & BF_MIDDLE)
    Fill(DC, r.Left, r.Top, r.Right, r.Bottom, middle);
  if (Flags & BF_ADJUST)
    Rect = r;
  return true;
}

bool DrawFrameControl(HDC DC, TRect &Rect, uint32_t Type, uint32_t State)
{
  if (!DC)
    return false;
  if (DC->Recorder())
    DC->Record(QStringLiteral("DrawFrameControl(%1,%2,%3,%4,%5,$%6)").arg(Rect.Left).arg(Rect.Top).arg(Rect.Right).arg(Rect.Bottom)
                 .arg(Type).arg(State, 0, 16));
  QuietRecorder quiet(DC);
  const bool inactive = State & DFCS_INACTIVE;
  const bool pushed = State & DFCS_PUSHED;
  auto face = [&](TRect r) {
    uint32_t flags = BF_RECT | BF_MIDDLE | BF_ADJUST;
    if (State & DFCS_FLAT) flags |= BF_FLAT;
    if (State & DFCS_MONO) flags |= BF_MONO;
    DrawEdge(DC, r, pushed ? ((State & DFCS_FLAT) ? EDGE_SUNKEN : BDR_SUNKENOUTER | BDR_SUNKENINNER) : EDGE_RAISED, flags);
    return r;
  };
  switch (Type) {
  case DFC_BUTTON: {
    const uint32_t kind = State & 0x1F;
    if (kind == DFCS_BUTTONPUSH) {
      TRect inner = face(Rect);
      if (State & DFCS_CHECKED)
        Fill(DC, inner.Left, inner.Top, inner.Right, inner.Bottom, cl3DLight);
      if (State & DFCS_ADJUSTRECT)
        Rect = inner;
      return true;
    }
    const int size = std::min(Rect.Width(), Rect.Height());
    TRect box(Rect.Left, Rect.Top + (Rect.Height() - size) / 2, Rect.Left + size, Rect.Top + (Rect.Height() - size) / 2 + size);
    if (kind & DFCS_BUTTONRADIO) {
      TBrush saveB;
      saveB.Assign(*DC->Brush());
      TPen saveP;
      saveP.Assign(*DC->Pen());
      const int bk = DC->BkMode();
      DC->Pen()->SetColor(clBtnShadow);
      DC->Brush()->SetColor((inactive || pushed) ? clBtnFace : clWindow);
      DC->Ellipse(box);
      if (State & DFCS_CHECKED) {
        const int d = std::max(2, size / 3);
        const int cx = (box.Left + box.Right) / 2, cy = (box.Top + box.Bottom) / 2;
        DC->Pen()->SetColor(inactive ? clGrayText : clWindowText);
        DC->Brush()->SetColor(inactive ? clGrayText : clWindowText);
        DC->Ellipse(cx - d / 2, cy - d / 2, cx - d / 2 + d, cy - d / 2 + d);
      }
      DC->Brush()->Assign(saveB);
      DC->Pen()->Assign(saveP);
      DC->SetBkMode(bk);
      return true;
    }
    TRect inner = box;
    uint32_t flags = BF_RECT | BF_ADJUST;
    if (State & DFCS_FLAT) flags |= BF_FLAT;
    if (State & DFCS_MONO) flags |= BF_MONO;
    DrawEdge(DC, inner, EDGE_SUNKEN, flags);
    Fill(DC, inner.Left, inner.Top, inner.Right, inner.Bottom, (inactive || pushed) ? clBtnFace : clWindow);
    if (State & DFCS_CHECKED) {
      const TColor mark = inactive ? clBtnShadow : ((State & DFCS_BUTTON3STATE) ? clBtnShadow : clWindowText);
      CheckMark(DC, inner.Left + (inner.Width() - 7) / 2, inner.Top + (inner.Height() - 7) / 2, mark);
    }
    return true;
  }
  case DFC_SCROLL: {
    TRect inner = face(Rect);
    const uint32_t kind = State & 0xF;
    int dir = 1;
    if (kind == DFCS_SCROLLUP) dir = 0;
    else if (kind == DFCS_SCROLLLEFT) dir = 2;
    else if (kind == DFCS_SCROLLRIGHT) dir = 3;
    if (inactive) {
      Arrow(DC, inner, dir, clBtnHighlight, 1);
      Arrow(DC, inner, dir, clBtnShadow, 0);
    } else {
      Arrow(DC, inner, dir, clBtnText, pushed ? 1 : 0);
    }
    return true;
  }
  case DFC_CAPTION: {
    TRect inner = face(Rect);
    const TColor c = inactive ? clBtnShadow : clBtnText;
    const int s = std::min(inner.Width(), inner.Height()) - 4;
    const int x = inner.Left + (inner.Width() - s) / 2 + (pushed ? 1 : 0), y = inner.Top + (inner.Height() - s) / 2 + (pushed ? 1 : 0);
    for (int i = 0; i < s; ++i) {
      Fill(DC, x + i, y + i, x + i + 2, y + i + 1, c);
      Fill(DC, x + s - 1 - i, y + i, x + s + 1 - i, y + i + 1, c);
    }
    return true;
  }
  case DFC_MENU: {
    const TColor c = inactive ? clGrayText : clMenuText;
    if ((State & 0xF) == DFCS_MENUCHECK)
      CheckMark(DC, Rect.Left + (Rect.Width() - 7) / 2, Rect.Top + (Rect.Height() - 7) / 2, c);
    else if ((State & 0xF) == DFCS_MENUARROW)
      Arrow(DC, Rect, 3, c, 0);
    else {
      const int cx = (Rect.Left + Rect.Right) / 2, cy = (Rect.Top + Rect.Bottom) / 2;
      Fill(DC, cx - 2, cy - 2, cx + 2, cy + 2, c);
    }
    return true;
  }
  default:
    return false;
  }
}
