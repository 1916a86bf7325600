#include "framework/stdctrls/extctrls.h"

#include <QRegularExpression>
#include <QWidget>

#include <algorithm>
#include <cmath>

// =============================================================================================
// Frame3D

void Frame3D(TCanvas *Canvas, TRect &Rect, TColor TopColor, TColor BottomColor, int Width)
{
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetStyle(psSolid);
  --Rect.Bottom;
  --Rect.Right;
  while (Width > 0) {
    --Width;
    // Polylines leave out their last pixel, so each corner is drawn once.
    Canvas->Pen()->SetColor(TopColor);
    Canvas->Polyline({TPoint(Rect.Left, Rect.Bottom), TPoint(Rect.Left, Rect.Top), TPoint(Rect.Right, Rect.Top)});
    Canvas->Pen()->SetColor(BottomColor);
    Canvas->Polyline({TPoint(Rect.Right, Rect.Top), TPoint(Rect.Right, Rect.Bottom), TPoint(Rect.Left - 1, Rect.Bottom)});
    InflateRect(Rect, -1, -1);
  }
  ++Rect.Bottom;
  ++Rect.Right;
}

// =============================================================================================
// TCustomPanel

TCustomPanel::TCustomPanel(TComponent *AOwner) : TCustomControl(AOwner)
{
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks, csReplicatable, csPannable, csParentBackground};
  FWidth = 185;
  FHeight = 41;
  FParentColor = false;
  FColor = clBtnFace;
}

void TCustomPanel::CreateParams(TCreateParams &Params)
{
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetVerticalAlignment(TVerticalAlignment Value)
{
  FVerticalAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value)
{
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value)
{
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int Value)
{
  FBevelWidth = std::max(1, Value);
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value)
{
  if (FBorderStyle == Value)
    return;
  FBorderStyle = Value;
  if (HandleAllocated())
    RecreateWnd();
}

void TCustomPanel::SetShowCaption(bool Value)
{
  FShowCaption = Value;
  Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect &Rect)
{
  TCustomControl::AdjustClientRect(Rect);
  int bevel = 0;
  if (FBevelOuter != bvNone)
    bevel += FBevelWidth;
  if (FBevelInner != bvNone)
    bevel += FBevelWidth;
  InflateRect(Rect, -bevel, -bevel);
}

void TCustomPanel::Paint()
{
  TCanvas *c = Canvas();
  TRect rect = ClientRect();
  auto colors = [](TBevelCut cut, TColor &top, TColor &bottom) {
    top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
  };
  TColor top, bottom;
  // The face first, so that the bevels stand on it.
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(rect);
  if (FBevelOuter != bvNone) {
    colors(FBevelOuter, top, bottom);
    if (FBevelOuter == bvSpace)
      top = bottom = Color();
    Frame3D(c, rect, top, bottom, FBevelWidth);
  }
  if (FBevelInner != bvNone) {
    colors(FBevelInner, top, bottom);
    if (FBevelInner == bvSpace)
      top = bottom = Color();
    Frame3D(c, rect, top, bottom, FBevelWidth);
  }
  if (!FShowCaption || Caption().isEmpty())
    return;
  c->Brush()->SetStyle(bsClear);
  c->Font()->Assign(Font());
  uint32_t flags = DT_EXPANDTABS | DT_SINGLELINE;
  switch (FAlignment) {
  case taRightJustify: flags |= DT_RIGHT; break;
  case taCenter: flags |= DT_CENTER; break;
  default: break;
  }
  switch (FVerticalAlignment) {
  case taAlignBottom: flags |= DT_BOTTOM; break;
  case taVerticalCenter: flags |= DT_VCENTER; break;
  default: break;
  }
  if (!Enabled())
    c->Font()->SetColor(clGrayText);
  c->DrawText(Caption(), rect, flags);
}

void TCustomPanel::CMTextChanged(TMessage &Message)
{
  TCustomControl::CMTextChanged(Message);
  Invalidate();
}

// =============================================================================================
// TShape

TShape::TShape(TComponent *AOwner) : TGraphicControl(AOwner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
  FControlStyle += csReplicatable;
  FWidth = 65;
  FHeight = 65;
  FPen->OnChange = [this](TObject *) { Invalidate(); };
  FBrush->OnChange = [this](TObject *) { Invalidate(); };
}

TShape::~TShape() = default;

void TShape::SetShape(TShapeType Value)
{
  if (FShape == Value)
    return;
  FShape = Value;
  Invalidate();
}

void TShape::Paint()
{
  TCanvas *c = Canvas();
  c->Pen()->Assign(FPen.get());
  c->Brush()->Assign(FBrush.get());
  const int pw = FPen->Width();
  int x = pw / 2;
  int y = x;
  int w = Width() - pw + 1;
  int h = Height() - pw + 1;
  if (pw == 0) {
    --w;
    --h;
  }
  const int s = std::min(w, h);
  if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
    x += (w - s) / 2;
    y += (h - s) / 2;
    w = h = s;
  }
  switch (FShape) {
  case stRectangle:
  case stSquare:
    c->Rectangle(x, y, x + w, y + h);
    break;
  case stRoundRect:
  case stRoundSquare:
    c->RoundRect(x, y, x + w, y + h, s / 4, s / 4);
    break;
  case stEllipse:
  case stCircle:
    c->Ellipse(x, y, x + w, y + h);
    break;
  }
}

// =============================================================================================
// TImage

TImage::TImage(TComponent *AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>())
{
  FControlStyle += csReplicatable;
  FWidth = 105;
  FHeight = 105;
  FPicture->OnChange = [this](TObject *Sender) { PictureChanged(Sender); };
}

TImage::~TImage()
{
  FPicture->OnChange = nullptr;
}

void TImage::PictureChanged(TObject *)
{
  if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
  if (TGraphic *g = FPicture->Graphic()) {
    if (g->Transparent() != FTransparent) {
      auto saved = FPicture->OnChange;
      FPicture->OnChange = nullptr;
      g->SetTransparent(FTransparent);
      FPicture->OnChange = saved;
    }
  }
  if (FTransparent)
    FControlStyle -= csOpaque;
  else if (FPicture->Graphic() && !FPicture->Graphic()->Empty())
    FControlStyle += csOpaque;
  Invalidate();
}

void TImage::SetStretch(bool Value)
{
  FStretch = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value)
{
  FCenter = Value;
  Invalidate();
}

void TImage::SetProportional(bool Value)
{
  FProportional = Value;
  Invalidate();
}

void TImage::SetTransparent(bool Value)
{
  if (FTransparent == Value)
    return;
  FTransparent = Value;
  PictureChanged(this);
}

void TImage::SetAutoSize(bool Value)
{
  FAutoSize = Value;
  PictureChanged(this);
}

TRect TImage::DestRect() const
{
  int w = FPicture->Width();
  int h = FPicture->Height();
  const int cw = ClientWidth();
  const int ch = ClientHeight();
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional && w > 0 && h > 0) {
      const double aspect = double(w) / double(h);
      if (w > h) {
        w = cw;
        h = int(std::trunc(cw / aspect));
        if (h > ch) {
          h = ch;
          w = int(std::trunc(ch * aspect));
        }
      } else {
        h = ch;
        w = int(std::trunc(ch * aspect));
        if (w > cw) {
          w = cw;
          h = int(std::trunc(cw / aspect));
        }
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r(0, 0, w, h);
  if (FCenter)
    OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::Paint()
{
  TGraphic *g = FPicture->Graphic();
  if (!g || g->Empty())
    return;
  Canvas()->StretchDraw(DestRect(), g);
}

// =============================================================================================
// TBevel

TBevel::TBevel(TComponent *AOwner) : TGraphicControl(AOwner)
{
  FControlStyle += csReplicatable;
  FWidth = 50;
  FHeight = 50;
}

void TBevel::SetShape(TBevelShape Value)
{
  FShape = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value)
{
  FStyle = Value;
  Invalidate();
}

void TBevel::Paint()
{
  TCanvas *c = Canvas();
  const TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  const int w = Width(), h = Height();
  auto line = [&](TColor col, int x1, int y1, int x2, int y2) {
    c->Pen()->SetColor(col);
    c->Pen()->SetWidth(1);
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
  };
  TRect r(0, 0, w, h);
  switch (FShape) {
  case bsBox:
    Frame3D(c, r, first, second, 1);
    break;
  case bsFrame: {
    TRect r1(0, 0, w - 1, h - 1);
    Frame3D(c, r1, first, first, 1);
    TRect r2(1, 1, w, h);
    Frame3D(c, r2, second, second, 1);
    break;
  }
  case bsTopLine:
    line(first, 0, 0, w, 0);
    line(second, 0, 1, w, 1);
    break;
  case bsBottomLine:
    line(first, 0, h - 2, w, h - 2);
    line(second, 0, h - 1, w, h - 1);
    break;
  case bsLeftLine:
    line(first, 0, 0, 0, h);
    line(second, 1, 0, 1, h);
    break;
  case bsRightLine:
    line(first, w - 2, 0, w - 2, h);
    line(second, w - 1, 0, w - 1, h);
    break;
  case bsSpacer:
    break;
  }
}

// =============================================================================================
// TCustomLinkLabel

TCustomLinkLabel::TCustomLinkLabel(TComponent *AOwner) : TCustomControl(AOwner)
{
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csOpaque};
  FWidth = 53;
  FHeight = 17;
  FParentColor = true;
}

QString LinkLabelEscape(const QString &Text)
{
  QString r;
  r.reserve(Text.size());
  for (const QChar c : Text) {
    switch (c.unicode()) {
    case '&': r += QLatin1String("&amp;"); break;
    case '<': r += QLatin1String("&lt;"); break;
    case '>': r += QLatin1String("&gt;"); break;
    case '"': r += QLatin1String("&quot;"); break;
    default: r += c; break;
    }
  }
  return r;
}

namespace {

QString DecodeEntities(const QString &Text)
{
  if (!Text.contains(QLatin1Char('&')))
    return Text;
  static const std::pair<QLatin1String, QChar> entities[] = {
      {QLatin1String("&amp;"), QLatin1Char('&')},
      {QLatin1String("&lt;"), QLatin1Char('<')},
      {QLatin1String("&gt;"), QLatin1Char('>')},
      {QLatin1String("&quot;"), QLatin1Char('"')},
  };
  QString r;
  r.reserve(Text.size());
  for (int i = 0; i < Text.size();) {
    bool decoded = false;
    if (Text[i] == QLatin1Char('&'))
      for (const auto &[name, c] : entities)
        if (QStringView(Text).mid(i).startsWith(name)) {
          r += c;
          i += int(name.size());
          decoded = true;
          break;
        }
    if (!decoded)
      r += Text[i++];
  }
  return r;
}

}  // namespace

void TCustomLinkLabel::Parse()
{
  FRuns.clear();
  FLinks.clear();
  const QString s = Caption();
  static const QRegularExpression open(QStringLiteral("<a(\\s[^>]*)?>"), QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression close(QStringLiteral("</a>"), QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression attr(QStringLiteral("(href|id)\\s*=\\s*\"([^\"]*)\""), QRegularExpression::CaseInsensitiveOption);
  int pos = 0;
  while (pos < s.size()) {
    const QRegularExpressionMatch m = open.match(s, pos);
    if (!m.hasMatch()) {
      FRuns.push_back({DecodeEntities(s.mid(pos)), -1});
      break;
    }
    const QRegularExpressionMatch e = close.match(s, m.capturedEnd());
    if (!e.hasMatch()) {
      // An unclosed tag is shown as text.
      FRuns.push_back({DecodeEntities(s.mid(pos)), -1});
      break;
    }
    if (m.capturedStart() > pos)
      FRuns.push_back({DecodeEntities(s.mid(pos, m.capturedStart() - pos)), -1});
    TLink link;
    link.Text = DecodeEntities(s.mid(m.capturedEnd(), e.capturedStart() - m.capturedEnd()));
    auto it = attr.globalMatch(m.captured(1));
    while (it.hasNext()) {
      const QRegularExpressionMatch a = it.next();
      if (a.captured(1).compare(QLatin1String("href"), Qt::CaseInsensitive) == 0)
        link.Url = DecodeEntities(a.captured(2));
      else
        link.Id = DecodeEntities(a.captured(2));
    }
    FLinks.push_back(link);
    FRuns.push_back({link.Text, int(FLinks.size()) - 1});
    pos = e.capturedEnd();
  }
}

QString TCustomLinkLabel::PlainText() const
{
  QString r;
  for (const TRun &run : FRuns)
    r += run.Text;
  return r;
}

int TCustomLinkLabel::LinkCount() const { return int(FLinks.size()); }

std::vector<TCustomLinkLabel::TPiece> TCustomLinkLabel::LayoutPieces() const
{
  std::vector<TPiece> pieces;
  TBitmap scratch(1, 1);
  TCanvas *c = scratch.Canvas();
  c->Font()->Assign(Font());
  int x = 0;
  int y = 0;
  const int lineHeight = c->TextHeight(QStringLiteral("Wg"));
  for (const TRun &run : FRuns) {
    const QStringList lines = QString(run.Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
      if (i > 0) {
        x = 0;
        y += lineHeight;
      }
      const int w = c->TextWidth(lines[i]);
      if (!lines[i].isEmpty())
        pieces.push_back({Bounds(x, y, w, lineHeight), lines[i], run.Link});
      x += w;
    }
  }
  if (FAlignment != taLeftJustify && !FAutoSize) {
    int right = 0;
    for (const TPiece &p : pieces)
      right = std::max(right, p.Rect.Right);
    const int dx = FAlignment == taRightJustify ? ClientWidth() - right : (ClientWidth() - right) / 2;
    for (TPiece &p : pieces)
      OffsetRect(p.Rect, dx, 0);
  }
  return pieces;
}

std::vector<TRect> TCustomLinkLabel::LinkRects(int Index) const
{
  std::vector<TRect> r;
  for (const TPiece &p : LayoutPieces())
    if (p.Link == Index)
      r.push_back(p.Rect);
  return r;
}

int TCustomLinkLabel::LinkAt(TPoint P) const
{
  for (const TPiece &p : LayoutPieces())
    if (p.Link >= 0 && PtInRect(p.Rect, P))
      return p.Link;
  return -1;
}

void TCustomLinkLabel::AdjustSize()
{
  if (!FAutoSize)
    return;
  int w = 0, h = 0;
  for (const TPiece &p : LayoutPieces()) {
    w = std::max(w, p.Rect.Right);
    h = std::max(h, p.Rect.Bottom);
  }
  if (h == 0)
    h = FontTextMetrics(*Font()).tmHeight;
  SetBounds(Left(), Top(), w, h);
}

void TCustomLinkLabel::SetAutoSize(bool Value)
{
  FAutoSize = Value;
  AdjustSize();
}

void TCustomLinkLabel::SetAlignment(TAlignment Value)
{
  FAlignment = Value;
  Invalidate();
}

void TCustomLinkLabel::Paint()
{
  TCanvas *c = Canvas();
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(ClientRect());
  c->Brush()->SetStyle(bsClear);
  for (const TPiece &p : LayoutPieces()) {
    c->Font()->Assign(Font());
    if (!Enabled()) {
      c->Font()->SetColor(clGrayText);
    } else if (p.Link >= 0) {
      c->Font()->SetColor(clHotLight);
      c->Font()->SetStyle(c->Font()->Style() + fsUnderline);
    }
    c->TextOut(p.Rect.Left, p.Rect.Top, p.Text);
  }
}

void TCustomLinkLabel::ClickLink(int Index)
{
  if (Index < 0 || Index >= int(FLinks.size()))
    return;
  const TLink &l = FLinks[size_t(Index)];
  if (!l.Url.isEmpty())
    DoOnLinkClick(l.Url, sltURL);
  else
    DoOnLinkClick(l.Id, sltID);
}

void TCustomLinkLabel::DoOnLinkClick(const QString &Link, TSysLinkType LinkType)
{
  if (OnLinkClick)
    OnLinkClick(this, Link, LinkType);
}

void TCustomLinkLabel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft && Enabled()) {
    const int link = LinkAt(TPoint(X, Y));
    if (link >= 0)
      ClickLink(link);
  }
}

void TCustomLinkLabel::WMSetCursor(TWMSetCursor &Message)
{
  TPoint p;
  GetCursorPos(p);
  if (Enabled() && LinkAt(ScreenToClient(p)) >= 0 && HandleAllocated()) {
    Handle()->setCursor(Qt::PointingHandCursor);
    Message.Result = 1;
    return;
  }
  if (HandleAllocated())
    Handle()->unsetCursor();
  TCustomControl::WMSetCursor(Message);
}

void TCustomLinkLabel::CMTextChanged(TMessage &Message)
{
  TCustomControl::CMTextChanged(Message);
  Parse();
  AdjustSize();
  Invalidate();
}

void TCustomLinkLabel::CMFontChanged(TMessage &Message)
{
  TCustomControl::CMFontChanged(Message);
  AdjustSize();
  Invalidate();
}

// =============================================================================================
// Category panels

TCategoryPanelSurface::TCategoryPanelSurface(TComponent *AOwner) : TCustomControl(AOwner)
{
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks};
  FParentColor = true;
}

void TCategoryPanelSurface::Paint()
{
  Canvas()->Brush()->SetColor(Color());
  Canvas()->Brush()->SetStyle(bsSolid);
  Canvas()->FillRect(ClientRect());
}

TCategoryPanel::TCategoryPanel(TComponent *AOwner) : TCustomControl(AOwner)
{
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks};
  FWidth = 185;
  FHeight = 200;
  FParentColor = true;
  FSurface = new TCategoryPanelSurface(this);
  static_cast<TControl *>(FSurface)->SetParent(this);
  PlaceSurface();
}

TCategoryPanel::~TCategoryPanel() = default;

TCategoryPanelGroup *TCategoryPanel::PanelGroup() const { return dynamic_cast<TCategoryPanelGroup *>(Parent()); }

void TCategoryPanel::SetPanelGroup(TCategoryPanelGroup *Value) { SetParent(Value); }

int TCategoryPanel::HeaderHeight() const
{
  TCategoryPanelGroup *g = PanelGroup();
  return g ? g->HeaderHeight() : 24;
}

TRect TCategoryPanel::HeaderRect() const { return TRect(0, 0, Width(), std::min(Height(), HeaderHeight())); }

void TCategoryPanel::PlaceSurface()
{
  if (!FSurface)
    return;
  const int hh = HeaderHeight();
  ++FBoundsLock;
  FSurface->SetBounds(0, hh, ClientWidth(), std::max(0, ClientHeight() - hh));
  FSurface->SetVisible(!FCollapsed);
  --FBoundsLock;
}

void TCategoryPanel::AdoptControls()
{
  if (!FSurface)
    return;
  std::vector<TControl *> strays;
  for (int i = 0; i < ControlCount(); ++i)
    if (Controls(i) != FSurface)
      strays.push_back(Controls(i));
  for (TControl *c : strays)
    c->SetParent(FSurface);
}

void TCategoryPanel::WndProc(TMessage &Message)
{
  TCustomControl::WndProc(Message);
  // A control just given the panel as its parent moves onto the surface at once, so that it
  // never shows over the header or waits for the next layout.
  if (Message.Msg == CM_CONTROLCHANGE && Message.LParam && FSurface) {
    auto *c = reinterpret_cast<TControl *>(Message.WParam);
    if (c && c != FSurface && c->Parent() == this && !ComponentState().Contains(csDestroying))
      c->SetParent(FSurface);
  }
}


void TCategoryPanel::Resize()
{
  PlaceSurface();
  TCustomControl::Resize();
}

void TCategoryPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  TCategoryPanelGroup *g = PanelGroup();
  if (FCollapsed && FBoundsLock == 0 && (!g || g->FArranging == 0)) {
    FExpandedHeight = AHeight;
    AHeight = HeaderHeight();
  }
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  PlaceSurface();
  if (g && g->FArranging == 0 && FBoundsLock == 0)
    g->ArrangePanels(this);
}

void TCategoryPanel::SetVisible(bool Value)
{
  if (Visible() == Value)
    return;
  TCustomControl::SetVisible(Value);
  if (TCategoryPanelGroup *g = PanelGroup(); g && g->FArranging == 0)
    g->ArrangePanels(this);
}

void TCategoryPanel::SetCollapsed(bool Value)
{
  if (Value)
    Collapse();
  else
    Expand();
}

void TCategoryPanel::Collapse()
{
  if (FCollapsed)
    return;
  FExpandedHeight = Height();
  FCollapsed = true;
  ++FBoundsLock;
  TCustomControl::SetBounds(Left(), Top(), Width(), HeaderHeight());
  --FBoundsLock;
  PlaceSurface();
  if (TCategoryPanelGroup *g = PanelGroup())
    g->ArrangePanels(this);
  Invalidate();
  if (OnCollapse)
    OnCollapse(this);
}

void TCategoryPanel::Expand()
{
  if (!FCollapsed)
    return;
  FCollapsed = false;
  ++FBoundsLock;
  TCustomControl::SetBounds(Left(), Top(), Width(), FExpandedHeight);
  --FBoundsLock;
  PlaceSurface();
  if (TCategoryPanelGroup *g = PanelGroup())
    g->ArrangePanels(this);
  Invalidate();
  if (OnExpand)
    OnExpand(this);
}

void TCategoryPanel::SetCollapsedImageIndex(int Value)
{
  FCollapsedImageIndex = Value;
  Invalidate();
}

void TCategoryPanel::SetExpandedImageIndex(int Value)
{
  FExpandedImageIndex = Value;
  Invalidate();
}

void TCategoryPanel::DrawChevron(TCanvas *Canvas, const TRect &Rect, bool Down, TColor Color)
{
  // Two stacked arrow heads, pointing down on a collapsed panel (it opens downwards).
  const int cx = (Rect.Left + Rect.Right) / 2;
  const int cy = (Rect.Top + Rect.Bottom) / 2;
  Canvas->Pen()->SetColor(Color);
  Canvas->Pen()->SetWidth(1);
  for (int k = 0; k < 2; ++k) {
    const int base = cy - 4 + k * 4;
    for (int t = 0; t < 2; ++t) {
      const int y = base + t;
      if (Down) {
        Canvas->MoveTo(cx - 3, y);
        Canvas->LineTo(cx, y + 3);
        Canvas->LineTo(cx + 4, y - 1);
      } else {
        Canvas->MoveTo(cx - 3, y + 3);
        Canvas->LineTo(cx, y);
        Canvas->LineTo(cx + 4, y + 4);
      }
    }
  }
}

void TCategoryPanel::Paint()
{
  TCanvas *c = Canvas();
  TCategoryPanelGroup *g = PanelGroup();
  const TRect hr = HeaderRect();
  // Body (visible only where the surface does not cover it).
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  // Header background: a gradient between the group's two colours.
  const TColor c1 = ColorToRGB(g ? g->GradientBaseColor() : TColor(0xF0F0F0));
  const TColor c2 = ColorToRGB(g ? g->GradientColor() : TColor(0xD8D8D8));
  const bool vertical = !g || g->GradientDirection() == gdVertical;
  const int steps = std::max(1, vertical ? hr.Height() : hr.Width());
  for (int i = 0; i < steps; ++i) {
    const double t = steps > 1 ? double(i) / double(steps - 1) : 0.0;
    const TColor col = RGB(int(GetRValue(c1) + (GetRValue(c2) - GetRValue(c1)) * t),
                           int(GetGValue(c1) + (GetGValue(c2) - GetGValue(c1)) * t),
                           int(GetBValue(c1) + (GetBValue(c2) - GetBValue(c1)) * t));
    c->Brush()->SetColor(col);
    c->FillRect(vertical ? TRect(hr.Left, hr.Top + i, hr.Right, hr.Top + i + 1)
                         : TRect(hr.Left + i, hr.Top, hr.Left + i + 1, hr.Bottom));
  }
  // Frame of the header.
  c->Pen()->SetColor(clBtnShadow);
  c->MoveTo(hr.Left, hr.Bottom - 1);
  c->LineTo(hr.Right, hr.Bottom - 1);
  c->Pen()->SetColor(clBtnHighlight);
  c->MoveTo(hr.Left, hr.Top);
  c->LineTo(hr.Right, hr.Top);

  const TAlignment chevronAlign = g ? g->ChevronAlignment() : taRightJustify;
  // An image of the group's list takes the chevron's place.
  TImageList *images = g ? g->Images() : nullptr;
  const int index = FCollapsed ? FCollapsedImageIndex : FExpandedImageIndex;
  const bool useImage = images && index >= 0 && index < images->Count();
  const int chevronWidth = useImage ? images->Width() : 16;
  TRect text = hr;
  InflateRect(text, -4, 0);
  TRect chevron;
  if (chevronAlign == taLeftJustify) {
    chevron = TRect(text.Left, hr.Top, text.Left + chevronWidth, hr.Bottom);
    text.Left = chevron.Right + 4;
  } else {
    chevron = TRect(text.Right - chevronWidth, hr.Top, text.Right, hr.Bottom);
    text.Right = chevron.Left - 4;
  }
  if (useImage)
    images->Draw(c, chevron.Left, hr.Top + (hr.Height() - images->Height()) / 2, index, Enabled());
  else
    DrawChevron(c, chevron, FCollapsed, FHot && g ? g->ChevronHotColor() : (g ? g->ChevronColor() : clBlack));
  c->Brush()->SetStyle(bsClear);
  if (g)
    c->Font()->Assign(g->HeaderFont());
  else
    c->Font()->Assign(Font());
  if (!Enabled())
    c->Font()->SetColor(clGrayText);
  uint32_t flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  const TAlignment ha = g ? g->HeaderAlignment() : taLeftJustify;
  if (ha == taCenter)
    flags |= DT_CENTER;
  else if (ha == taRightJustify)
    flags |= DT_RIGHT;
  c->DrawText(Caption(), text, flags);
}

void TCategoryPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft && PtInRect(HeaderRect(), TPoint(X, Y)))
    SetCollapsed(!FCollapsed);
}

void TCategoryPanel::CMTextChanged(TMessage &Message)
{
  TCustomControl::CMTextChanged(Message);
  Invalidate();
}

void TCategoryPanel::CMMouseEnter(TMessage &Message)
{
  TCustomControl::CMMouseEnter(Message);
  FHot = true;
  Invalidate();
}

void TCategoryPanel::CMMouseLeave(TMessage &Message)
{
  TCustomControl::CMMouseLeave(Message);
  FHot = false;
  Invalidate();
}

// ---------------------------------------------------------------------------------------------

void TCategoryScrollBar::SetPosition(int Value)
{
  if (FGroup)
    FGroup->SetScrollPosition(Value);
}

TCategoryPanelGroup::TCategoryPanelGroup(TComponent *AOwner)
    : TCustomControl(AOwner), FHeaderFont(std::make_unique<TFont>()),
      FVertScrollBar(std::make_unique<TCategoryScrollBar>(this))
{
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks};
  FWidth = 200;
  FHeight = 400;
  FParentColor = false;
  FColor = clBtnFace;
  FTabStop = false;
  FHeaderFont->SetStyle(TFontStyles{fsBold});
  FHeaderFont->OnChange = [this](TObject *Sender) { HeaderFontChanged(Sender); };
}

TCategoryPanelGroup::~TCategoryPanelGroup()
{
  FHeaderFont->OnChange = nullptr;
}

void TCategoryPanelGroup::CreateParams(TCreateParams &Params)
{
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TCategoryPanelGroup::CreateWindowDone()
{
  TCustomControl::CreateWindowDone();
  ArrangePanels();
}

void TCategoryPanelGroup::HeaderFontChanged(TObject *)
{
  InvalidatePanels();
}

void TCategoryPanelGroup::InvalidatePanels()
{
  for (TCategoryPanel *p : Panels())
    p->Invalidate();
}

void TCategoryPanelGroup::SetHeaderHeight(int Value)
{
  if (FHeaderHeight == Value)
    return;
  FHeaderHeight = std::max(0, Value);
  for (TCategoryPanel *p : Panels()) {
    if (p->Collapsed()) {
      ++p->FBoundsLock;
      p->TCustomControl::SetBounds(p->Left(), p->Top(), p->Width(), FHeaderHeight);
      --p->FBoundsLock;
    }
    p->PlaceSurface();
  }
  ArrangePanels();
  InvalidatePanels();
}

void TCategoryPanelGroup::SetHeaderAlignment(TAlignment Value)
{
  FHeaderAlignment = Value;
  InvalidatePanels();
}

void TCategoryPanelGroup::SetHeaderStyle(THeaderStyle Value)
{
  FHeaderStyle = Value;
  InvalidatePanels();
}

void TCategoryPanelGroup::SetChevronAlignment(TAlignment Value)
{
  FChevronAlignment = Value;
  InvalidatePanels();
}

void TCategoryPanelGroup::SetChevronColor(TColor Value)
{
  FChevronColor = Value;
  InvalidatePanels();
}

void TCategoryPanelGroup::SetGradientBaseColor(TColor Value)
{
  FGradientBaseColor = Value;
  InvalidatePanels();
}

void TCategoryPanelGroup::SetGradientColor(TColor Value)
{
  FGradientColor = Value;
  InvalidatePanels();
}

void TCategoryPanelGroup::SetGradientDirection(TGradientDirection Value)
{
  FGradientDirection = Value;
  InvalidatePanels();
}

void TCategoryPanelGroup::SetImages(TImageList *Value)
{
  if (FImages == Value)
    return;
  FImages = Value;
  InvalidatePanels();
}

void TCategoryPanelGroup::Notification(TComponent *AComponent, TOperation Operation)
{
  TCustomControl::Notification(AComponent, Operation);
}

std::vector<TCategoryPanel *> TCategoryPanelGroup::Panels() const
{
  std::vector<TCategoryPanel *> visible, hidden;
  for (int i = 0; i < ControlCount(); ++i) {
    if (auto *p = dynamic_cast<TCategoryPanel *>(Controls(i)))
      (p->Visible() ? visible : hidden).push_back(p);
  }
  std::stable_sort(visible.begin(), visible.end(), [](TCategoryPanel *a, TCategoryPanel *b) { return a->Top() < b->Top(); });
  visible.insert(visible.end(), hidden.begin(), hidden.end());
  return visible;
}

TCategoryPanel *TCategoryPanelGroup::CreatePanel(TComponent *AOwner)
{
  auto *p = new TCategoryPanel(AOwner);
  // New panels go below the others.
  int bottom = 0;
  for (TCategoryPanel *q : Panels())
    if (q->Visible())
      bottom = std::max(bottom, q->Top() + q->Height());
  p->TCustomControl::SetBounds(0, bottom, ClientWidth(), p->Height());
  static_cast<TControl *>(p)->SetParent(this);
  ArrangePanels(p);
  return p;
}

void TCategoryPanelGroup::CollapseAll()
{
  for (TCategoryPanel *p : Panels())
    p->Collapse();
}

void TCategoryPanelGroup::ExpandAll()
{
  for (TCategoryPanel *p : Panels())
    p->Expand();
}

void TCategoryPanelGroup::AlignControls(TControl *AControl, TRect &Rect)
{
  if (FArranging == 0 && dynamic_cast<TCategoryPanel *>(AControl))
    ArrangePanels(AControl);
  TCustomControl::AlignControls(AControl, Rect);
}

void TCategoryPanelGroup::ArrangePanels(TControl *AControl)
{
  if (FArranging > 0)
    return;
  ++FArranging;
  // Order: the control being moved first, every other panel before the first one that has a
  // greater top, as the platform's top alignment orders its controls.
  std::vector<TCategoryPanel *> list;
  auto *moved = dynamic_cast<TCategoryPanel *>(AControl);
  if (moved && moved->Parent() == this && moved->Visible())
    list.push_back(moved);
  for (int i = 0; i < ControlCount(); ++i) {
    auto *p = dynamic_cast<TCategoryPanel *>(Controls(i));
    if (!p || p == moved || !p->Visible())
      continue;
    size_t j = 0;
    while (j < list.size() && !(p->Top() < list[j]->Top()))
      ++j;
    list.insert(list.begin() + long(j), p);
  }
  for (int pass = 0; pass < 2; ++pass) {
    const int width = ClientWidth();
    int y = -FVertScrollBar->FPosition;
    for (TCategoryPanel *p : list) {
      p->TCustomControl::SetBounds(0, y, width, p->Height());
      p->PlaceSurface();
      y += p->Height();
    }
    FVertScrollBar->FRange = y + FVertScrollBar->FPosition;
    const int oldPos = FVertScrollBar->FPosition;
    const int oldWidth = ClientWidth();
    UpdateScrollBar();
    if (FVertScrollBar->FPosition == oldPos && ClientWidth() == oldWidth)
      break;
  }
  --FArranging;
}

void TCategoryPanelGroup::UpdateScrollBar()
{
  TCategoryScrollBar &sb = *FVertScrollBar;
  const int page = ClientHeight();
  const bool need = sb.FRange > page && page > 0;
  const int maxPos = std::max(0, sb.FRange - page);
  sb.FPosition = std::clamp(sb.FPosition, 0, maxPos);
  sb.FVisible = need;
  if (!HandleAllocated())
    return;
  HWND h = Handle();
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  si.nMin = 0;
  si.nMax = need ? sb.FRange - 1 : 0;
  si.nPage = need ? uint32_t(page) : 0;
  si.nPos = sb.FPosition;
  ShowScrollBar(h, SB_VERT, need);
  SetScrollInfo(h, SB_VERT, si, true);
}

void TCategoryPanelGroup::SetScrollPosition(int Value)
{
  TCategoryScrollBar &sb = *FVertScrollBar;
  const int maxPos = std::max(0, sb.FRange - ClientHeight());
  Value = std::clamp(Value, 0, maxPos);
  if (Value == sb.FPosition)
    return;
  sb.FPosition = Value;
  ArrangePanels();
}

void TCategoryPanelGroup::ScrollBy(int DeltaY)
{
  SetScrollPosition(FVertScrollBar->FPosition - DeltaY);
}

void TCategoryPanelGroup::WMVScroll(TWMScroll &Message)
{
  TCategoryScrollBar &sb = *FVertScrollBar;
  const int page = ClientHeight();
  switch (Message.ScrollCode) {
  case SB_LINEUP: SetScrollPosition(sb.FPosition - sb.FIncrement); break;
  case SB_LINEDOWN: SetScrollPosition(sb.FPosition + sb.FIncrement); break;
  case SB_PAGEUP: SetScrollPosition(sb.FPosition - page); break;
  case SB_PAGEDOWN: SetScrollPosition(sb.FPosition + page); break;
  case SB_THUMBPOSITION:
  case SB_THUMBTRACK: SetScrollPosition(Message.Pos); break;
  case SB_TOP: SetScrollPosition(0); break;
  case SB_BOTTOM: SetScrollPosition(sb.FRange); break;
  default: break;
  }
  Message.Result = 0;
}

void TCategoryPanelGroup::WMSize(TWMSize &Message)
{
  TCustomControl::WMSize(Message);
  ArrangePanels();
}

void TCategoryPanelGroup::CMFontChanged(TMessage &Message)
{
  TCustomControl::CMFontChanged(Message);
  InvalidatePanels();
}

void TCategoryPanelGroup::Paint()
{
  Canvas()->Brush()->SetColor(Color());
  Canvas()->Brush()->SetStyle(bsSolid);
  Canvas()->FillRect(ClientRect());
}
