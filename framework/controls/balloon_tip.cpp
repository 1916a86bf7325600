// Balloon tips drawn by the program itself: measured, shaped by a polygon region and painted
// through the canvas, so they look the same on every display.
#include "framework/controls/balloon_tip.h"

#include <algorithm>
#include <cmath>

#include "framework/controls/forms.h"
#include "framework/controls/overlay_window.h"

namespace {

constexpr int Pad = 8;
constexpr int IconSize = 16;
constexpr int IconGap = 6;
constexpr int TitleGap = 4;
constexpr int StemHeight = 14;
constexpr int StemWidth = 16;
constexpr int Corner = 6;
constexpr uint32_t TextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_LEFT;

// The form holding Control, else its outermost parent.
TWinControl *HostOf(TControl *Control)
{
  if (TCustomForm *form = GetParentForm(Control))
    return form;
  TWinControl *host = dynamic_cast<TWinControl *>(Control);
  for (TWinControl *p = Control ? Control->Parent() : nullptr; p; p = p->Parent())
    host = p;
  return host;
}

// A quarter circle of corner points, clockwise on the screen from angle Start (degrees,
// counter-clockwise from +x with y up) on.
void AddCorner(std::vector<TPoint> &P, int Cx, int Cy, int Start)
{
  for (int i = 0; i <= 3; ++i) {
    const double a = (Start - i * 30) * M_PI / 180.0;
    P.emplace_back(Cx + int(std::lround(Corner * std::cos(a))), Cy - int(std::lround(Corner * std::sin(a))));
  }
}

} // namespace

TBalloonTip::TBalloonTip(TComponent *AOwner) : TCustomControl(AOwner)
{
  SetVisible(false);
  SetTabStop(false);
  SetParentFont(false);
  Font()->SetName(QStringLiteral("Tahoma"));
  Font()->SetSize(8);
  FShowTimer = std::make_unique<TTimer>(nullptr);
  FShowTimer->SetEnabled(false);
  FShowTimer->OnTimer = [this](TObject *Sender) { ShowTimerFired(Sender); };
  FHideTimer = std::make_unique<TTimer>(nullptr);
  FHideTimer->SetEnabled(false);
  FHideTimer->OnTimer = [this](TObject *Sender) { HideTimerFired(Sender); };
}

TBalloonTip::~TBalloonTip() = default;

bool TBalloonTip::Showing() const { return Visible() && Parent() && HandleAllocated(); }

void TBalloonTip::Layout(TWinControl *Host, TPoint Tip)
{
  TBitmap scratch;
  TCanvas *c = scratch.Canvas();
  c->Font()->Assign(Font());
  const int iconW = FContent.Icon != btiNone ? IconSize + IconGap : 0;
  const int maxText = std::max(40, MaxTipWidth - 2 * Pad - iconW);
  TRect title(0, 0, 0, 0), text(0, 0, 0, 0);
  if (!FContent.Title.isEmpty()) {
    c->Font()->SetStyle(TFontStyles{fsBold});
    title = TRect(0, 0, maxText, 0);
    c->DrawText(FContent.Title, title, TextFormat | DT_CALCRECT);
    c->Font()->SetStyle(TFontStyles{});
  }
  if (!FContent.Text.isEmpty()) {
    text = TRect(0, 0, maxText, 0);
    c->DrawText(FContent.Text, text, TextFormat | DT_CALCRECT);
  }
  const int contentW = std::max(title.Width(), text.Width());
  const int titleH = std::max(title.Height(), FContent.Icon != btiNone && title.Height() > 0 ? IconSize : 0);
  const int gap = title.Height() > 0 && text.Height() > 0 ? TitleGap : 0;
  const int textH = text.Height();
  const int boxW = std::max(2 * Pad + iconW + contentW, StemWidth + 2 * Corner + 8);
  const int boxH = 2 * Pad + std::max(titleH + gap + textH, FContent.Icon != btiNone ? IconSize : 0);

  const int hostW = Host->ClientWidth(), hostH = Host->ClientHeight();
  // Below the point when it fits, else above; left edge near the point, kept inside the form.
  FStemOnTop = Tip.Y + StemHeight + boxH <= hostH || Tip.Y - StemHeight - boxH < 0;
  int left = std::clamp(Tip.X - 2 * Corner - 4, 0, std::max(0, hostW - boxW));
  const int top = FStemOnTop ? Tip.Y : Tip.Y - StemHeight - boxH;
  const int totalH = boxH + StemHeight;
  FStemTip = Tip;

  const int tx = Tip.X - left;  // tip in window coordinates
  FBox = FStemOnTop ? TRect(0, StemHeight, boxW, totalH) : TRect(0, 0, boxW, boxH);
  // The stem's base lies on the box edge next to the tip, clear of the rounded corners.
  const int b1 = std::clamp(tx, Corner + 1, boxW - Corner - 1 - StemWidth);
  const int b2 = b1 + StemWidth;
  const int tipX = std::clamp(tx, 0, boxW - 1);

  std::vector<TPoint> &P = FOutline;
  P.clear();
  const int L = FBox.Left, T = FBox.Top, R = FBox.Right - 1, B = FBox.Bottom - 1;
  // Clockwise from the top-left corner; the stem sits on the top or the bottom edge.
  AddCorner(P, L + Corner, T + Corner, 180);
  if (FStemOnTop) {
    P.emplace_back(b1, T);
    P.emplace_back(tipX, 0);
    P.emplace_back(b2, T);
  }
  AddCorner(P, R - Corner, T + Corner, 90);
  AddCorner(P, R - Corner, B - Corner, 0);
  if (!FStemOnTop) {
    P.emplace_back(b2, B);
    P.emplace_back(tipX, totalH - 1);
    P.emplace_back(b1, B);
  }
  AddCorner(P, L + Corner, B - Corner, -90);

  const int x0 = FBox.Left + Pad, y0 = FBox.Top + Pad;
  FIconRect = FContent.Icon != btiNone ? TRect(x0, y0, x0 + IconSize, y0 + IconSize) : TRect(0, 0, 0, 0);
  const int cx = x0 + iconW;
  const int titleTop = y0 + (titleH - title.Height()) / 2;
  FTitleRect = TRect(cx, titleTop, cx + contentW, titleTop + title.Height());
  FTextRect = TRect(cx, y0 + titleH + gap, cx + contentW, y0 + titleH + gap + textH);
  if (title.Height() == 0 && FContent.Icon != btiNone)
    FTextRect = TRect(cx, y0, cx + contentW, y0 + textH);
  SetBounds(left, top, boxW, totalH);
}

void TBalloonTip::ShowAt(TControl *Control, TPoint Point, const TBalloonTipText &Content)
{
  FShowTimer->SetEnabled(false);
  TWinControl *host = HostOf(Control);
  if (!host || (Content.Title.isEmpty() && Content.Text.isEmpty())) {
    HideNow();
    return;
  }
  FContent = Content;
  if (Parent() != host)
    SetParent(host);
  TPoint tip = Point;
  if (Control != host)
    tip = host->ScreenToClient(Control->ClientToScreen(Point));
  Layout(host, tip);
  HandleNeeded();
  // The region gets the winding rule, so the stem and the box are one shape.
  std::vector<TPoint> region = FOutline;
  for (TPoint &p : region) {
    // The region's edges are exclusive on the right and bottom: the outline stays inside.
    if (p.X >= Width() - 1)
      p.X = Width();
    if (p.Y >= Height() - 1)
      p.Y = Height();
  }
  OverlaySetPolygonRegion(Handle(), region);
  UpdateFade();
  SetVisible(true);
  OverlayRaise(Handle());
  Invalidate();
  FRecent = true;
  FHideTimer->SetEnabled(false);
  if (HideDelay > 0) {
    FHideTimer->SetInterval(uint32_t(HideDelay));
    FHideTimer->SetEnabled(true);
  }
}

void TBalloonTip::HideNow()
{
  FHideTimer->SetEnabled(false);
  if (Visible())
    SetVisible(false);
}

void TBalloonTip::Pop()
{
  FShowTimer->SetEnabled(false);
  FSpent = false;
  HideNow();
}

void TBalloonTip::HideTimerFired(TObject *)
{
  HideNow();
  FSpent = FTool != nullptr;
  FRecent = false;
}

void TBalloonTip::ShowTimerFired(TObject *)
{
  FShowTimer->SetEnabled(false);
  if (!FTool || !OnGetText)
    return;
  TBalloonTipText content;
  if (!OnGetText(FToolPos, content) || (content.Title.isEmpty() && content.Text.isEmpty()))
    return;
  ShowAt(FTool, FToolPos, content);
}

void TBalloonTip::RelayMouse(TControl *Tool, uint32_t Msg, TPoint Pos)
{
  switch (Msg) {
  case WM_MOUSEMOVE:
    if (Tool == FTool && Pos == FToolPos)
      return;  // a repeated move is no new rest
    FTool = Tool;
    FToolPos = Pos;
    if (Showing() || FSpent)
      return;
    FShowTimer->SetEnabled(false);
    FShowTimer->SetInterval(uint32_t(std::max(1, FRecent ? ReshowDelay : InitialDelay)));
    FShowTimer->SetEnabled(true);
    return;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
    Pop();
    return;
  case CM_MOUSELEAVE:
    Pop();
    FTool = nullptr;
    FToolPos = TPoint(-1, -1);
    FRecent = false;
    return;
  default:
    return;
  }
}

void TBalloonTip::MouseDown(TMouseButton, TShiftState, int, int)
{
  // A click on the balloon closes it, as on the platform.
  Pop();
}

void TBalloonTip::Paint() { PaintOn(Canvas()); }

void TBalloonTip::UpdateFade()
{
  if (Opacity == 255) {
    OverlaySetPicture(Handle(), nullptr, 255);
    return;
  }
  TBitmap picture;
  picture.SetPixelFormat(pf24bit);
  picture.SetSize(Width(), Height());
  PaintOn(picture.Canvas());
  picture.SetPixelFormat(pf32bit);
  OverlaySetPicture(Handle(), &picture, Opacity);
}

void TBalloonTip::PaintOn(TCanvas *C)
{
  TCanvas *c = C;
  const TColor back = BackgroundColor == clNone ? clInfoBk : BackgroundColor;
  const TColor fore = TextColor == clNone ? clInfoText : TextColor;
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(back);
  c->FillRect(TRect(0, 0, Width(), Height()));
  c->Pen()->SetColor(clGray);
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetWidth(1);
  if (!FOutline.empty()) {
    std::vector<TPoint> closed = FOutline;
    closed.push_back(FOutline.front());
    c->Polyline(closed);
  }

  if (FContent.Icon != btiNone) {
    const TRect &r = FIconRect;
    TColor fill = FContent.Icon == btiInfo ? TColor(0x00C06020) : FContent.Icon == btiError ? TColor(0x002020D0)
                                                                                              : TColor(0x0000C8F0);
    c->Brush()->SetColor(fill);
    c->Pen()->SetColor(fill);
    if (FContent.Icon == btiWarning)
      c->Polygon({TPoint(r.Left + IconSize / 2, r.Top), TPoint(r.Right - 1, r.Bottom - 1), TPoint(r.Left, r.Bottom - 1)});
    else
      c->Ellipse(r);
    c->SetBkMode(TRANSPARENT);
    c->Font()->Assign(Font());
    c->Font()->SetStyle(TFontStyles{fsBold});
    c->Font()->SetColor(FContent.Icon == btiWarning ? clBlack : clWhite);
    const QString mark = FContent.Icon == btiInfo ? QStringLiteral("i") : FContent.Icon == btiError ? QStringLiteral("x")
                                                                                                    : QStringLiteral("!");
    TRect m = r;
    m.Top += FContent.Icon == btiWarning ? 2 : 0;
    c->DrawText(mark, m, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }

  c->Brush()->SetStyle(bsClear);
  c->SetBkMode(TRANSPARENT);
  c->Font()->Assign(Font());
  c->Font()->SetColor(fore);
  if (!FContent.Title.isEmpty()) {
    c->Font()->SetStyle(TFontStyles{fsBold});
    TRect r = FTitleRect;
    c->DrawText(FContent.Title, r, TextFormat);
    c->Font()->SetStyle(TFontStyles{});
  }
  if (!FContent.Text.isEmpty()) {
    TRect r = FTextRect;
    c->DrawText(FContent.Text, r, TextFormat);
  }
}
