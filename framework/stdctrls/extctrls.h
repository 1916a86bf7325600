#pragma once
// Extended controls: panels, shapes, images, bevels, the link label and the category panel
// group (a vertically scrolling stack of collapsible panels). All of them draw through the
// framework's canvas with the classic system colours.
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "framework/controls/controls.h"
#include "framework/graphics/graphics.h"
#include "framework/stdctrls/stdctrls.h"

// Draws Width nested 3-D frames inside Rect and shrinks Rect by them.
void Frame3D(TCanvas *Canvas, TRect &Rect, TColor TopColor, TColor BottomColor, int Width);

// ---------------------------------------------------------------------------------------------
// Panel

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
public:
  explicit TCustomPanel(TComponent *AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TVerticalAlignment Value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool ParentBackground() const { return FParentBackground; }
  void SetParentBackground(bool Value) { FParentBackground = Value; }
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { FFullRepaint = Value; }
  bool Locked() const { return FLocked; }
  void SetLocked(bool Value) { FLocked = Value; }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);

  void CMTextChanged(TMessage &Message) override;

protected:
  void CreateParams(TCreateParams &Params) override;
  void AdjustClientRect(TRect &Rect) override;
  void Paint() override;

  TAlignment FAlignment = taCenter;
  TVerticalAlignment FVerticalAlignment = taVerticalCenter;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  TBorderStyle FBorderStyle = bsNone;
  bool FParentBackground = true;
  bool FFullRepaint = true;
  bool FLocked = false;
  bool FShowCaption = true;
};

class TPanel : public TCustomPanel {
public:
  explicit TPanel(TComponent *AOwner) : TCustomPanel(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Shape

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
public:
  explicit TShape(TComponent *AOwner);
  ~TShape() override;

  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType Value);
  TPen *Pen() const { return FPen.get(); }
  void SetPen(const TPen *Value) { FPen->Assign(Value); }
  TBrush *Brush() const { return FBrush.get(); }
  void SetBrush(const TBrush *Value) { FBrush->Assign(Value); }

protected:
  void Paint() override;

  TShapeType FShape = stRectangle;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
};

// ---------------------------------------------------------------------------------------------
// Image

class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent *AOwner);
  ~TImage() override;

  TPicture *Picture() const { return FPicture.get(); }
  void SetPicture(TPicture *Value) { FPicture->Assign(Value); }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // The rectangle the picture is drawn into, in client coordinates.
  TRect DestRect() const;

protected:
  void Paint() override;
  void PictureChanged(TObject *Sender);

  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FProportional = false;
  bool FTransparent = false;
  bool FAutoSize = false;
};

// ---------------------------------------------------------------------------------------------
// Bevel

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
  explicit TBevel(TComponent *AOwner);
  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape Value);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle Value);

protected:
  void Paint() override;
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

// ---------------------------------------------------------------------------------------------
// Splitter: a thin bar aligned to one side of its parent; dragging it resizes the control aligned
// right next to it on that side, keeping MinSize pixels for that control and for the parent's
// client-aligned control.

class TSplitter : public TGraphicControl {
public:
  explicit TSplitter(TComponent *AOwner);
  int MinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = Value; }
  // The control the splitter resizes (nullptr while it has no neighbour on its side).
  TControl *FindControl() const;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The cursor follows the side the bar is aligned to.
  void RequestAlign() override;

private:
  bool Vertical() const { return Align() == alTop || Align() == alBottom; }
  // The pointer's coordinate across the bar, in the parent's client coordinates.
  int ParentPos(int X, int Y) const;
  int FMinSize = 30;
  TControl *FControl = nullptr;  // not owned: the control being resized during a drag
  int FDownPos = 0;
  int FStartSize = 0;
};

// ---------------------------------------------------------------------------------------------
// Link label: a caption whose <a href="...">...</a> parts are links. The entities &lt; &gt;
// &amp; and &quot; stand for their characters, so that text put into a caption can carry them
// without becoming mark-up.

enum TSysLinkType { sltURL, sltID };

// Text that a link label's caption shows exactly as given.
QString LinkLabelEscape(const QString &Text);
using TSysLinkEvent = std::function<void(TObject *Sender, const QString &Link, TSysLinkType LinkType)>;

class TCustomLinkLabel : public TCustomControl {
public:
  explicit TCustomLinkLabel(TComponent *AOwner);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool UseVisualStyle() const { return FUseVisualStyle; }
  void SetUseVisualStyle(bool Value) { FUseVisualStyle = Value; }

  // The text shown, without mark-up.
  QString PlainText() const;
  // Number of links of the caption.
  int LinkCount() const;
  // Client rectangles of the link's characters (one per line piece).
  std::vector<TRect> LinkRects(int Index) const;
  // Acts as a click on the link (the link's URL, or its id when it has none).
  void ClickLink(int Index);

  TSysLinkEvent OnLinkClick;

  void CMTextChanged(TMessage &Message) override;
  void CMFontChanged(TMessage &Message) override;
  void WMSetCursor(TWMSetCursor &Message) override;

protected:
  struct TRun {
    QString Text;
    int Link = -1;  // index into FLinks, -1 for plain text
  };
  struct TLink {
    QString Url;
    QString Id;
    QString Text;
  };
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  virtual void DoOnLinkClick(const QString &Link, TSysLinkType LinkType);
  void Parse();
  void AdjustSize();
  // Pieces of the text placed on the client area: one rectangle per run piece.
  struct TPiece {
    TRect Rect;
    QString Text;
    int Link;
  };
  std::vector<TPiece> LayoutPieces() const;
  int LinkAt(TPoint P) const;

  std::vector<TRun> FRuns;
  std::vector<TLink> FLinks;
  bool FAutoSize = true;
  bool FUseVisualStyle = false;
  TAlignment FAlignment = taLeftJustify;
};

class TLinkLabel : public TCustomLinkLabel {
public:
  explicit TLinkLabel(TComponent *AOwner) : TCustomLinkLabel(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Category panels

class TCategoryPanelGroup;
class TCategoryPanel;

enum THeaderStyle { hsGradient, hsImage, hsThemed };
enum TGradientDirection { gdHorizontal, gdVertical };

// The area of a category panel below its header; the panel's controls live on it.
class TCategoryPanelSurface : public TCustomControl {
public:
  explicit TCategoryPanelSurface(TComponent *AOwner);

protected:
  void Paint() override;
};

class TCategoryPanel : public TCustomControl {
  friend class TCategoryPanelGroup;

public:
  explicit TCategoryPanel(TComponent *AOwner);
  ~TCategoryPanel() override;

  // The group that stacks the panel (its parent).
  TCategoryPanelGroup *PanelGroup() const;
  void SetPanelGroup(TCategoryPanelGroup *Value);
  // The controls of the panel live here, below the header. A control given the panel as its
  // parent moves onto it, keeping its position.
  TCategoryPanelSurface *Surface() const { return FSurface; }

  bool Collapsed() const { return FCollapsed; }
  void SetCollapsed(bool Value);
  void Expand();
  void Collapse();
  // Height the panel takes when expanded (its Height while expanded).
  int ExpandedHeight() const { return FCollapsed ? FExpandedHeight : Height(); }
  int CollapsedImageIndex() const { return FCollapsedImageIndex; }
  void SetCollapsedImageIndex(int Value);
  int ExpandedImageIndex() const { return FExpandedImageIndex; }
  void SetExpandedImageIndex(int Value);
  // Rectangle of the header in the panel's coordinates.
  TRect HeaderRect() const;
  // Moves controls that were given the panel as parent onto its surface.
  void AdoptControls();

  void WndProc(TMessage &Message) override;

  // A collapsed panel keeps the new height as its expanded height.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetVisible(bool Value) override;

  TNotifyEvent OnCollapse;
  TNotifyEvent OnExpand;

  void CMTextChanged(TMessage &Message) override;
  void CMMouseEnter(TMessage &Message) override;
  void CMMouseLeave(TMessage &Message) override;

protected:
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Resize() override;
  int HeaderHeight() const;
  void PlaceSurface();
  void DrawChevron(TCanvas *Canvas, const TRect &Rect, bool Down, TColor Color);

  TCategoryPanelSurface *FSurface = nullptr;  // owned by the panel as component
  bool FCollapsed = false;
  int FExpandedHeight = 200;
  int FCollapsedImageIndex = -1;
  int FExpandedImageIndex = -1;
  bool FHot = false;
  int FBoundsLock = 0;
};

// Scroll position and range of the group's vertical bar.
class TCategoryScrollBar {
  friend class TCategoryPanelGroup;

public:
  explicit TCategoryScrollBar(TCategoryPanelGroup *AGroup) : FGroup(AGroup) {}
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int Range() const { return FRange; }
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value < 1 ? 1 : Value; }
  bool IsScrollBarVisible() const { return FVisible; }

private:
  TCategoryPanelGroup *FGroup;
  int FPosition = 0;
  int FRange = 0;
  int FIncrement = 8;
  bool FVisible = false;
};

class TCategoryPanelGroup : public TCustomControl {
  friend class TCategoryPanel;
  friend class TCategoryScrollBar;

public:
  explicit TCategoryPanelGroup(TComponent *AOwner);
  ~TCategoryPanelGroup() override;

  TFont *HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(const TFont *Value) { FHeaderFont->Assign(Value); }
  int HeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(int Value);
  TAlignment HeaderAlignment() const { return FHeaderAlignment; }
  void SetHeaderAlignment(TAlignment Value);
  THeaderStyle HeaderStyle() const { return FHeaderStyle; }
  void SetHeaderStyle(THeaderStyle Value);
  // taRightJustify puts the chevron at the header's right end; taLeftJustify at its left.
  TAlignment ChevronAlignment() const { return FChevronAlignment; }
  void SetChevronAlignment(TAlignment Value);
  TColor ChevronColor() const { return FChevronColor; }
  void SetChevronColor(TColor Value);
  TColor ChevronHotColor() const { return FChevronHotColor; }
  void SetChevronHotColor(TColor Value) { FChevronHotColor = Value; }
  TColor GradientBaseColor() const { return FGradientBaseColor; }
  void SetGradientBaseColor(TColor Value);
  TColor GradientColor() const { return FGradientColor; }
  void SetGradientColor(TColor Value);
  TGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TGradientDirection Value);
  // Images drawn in place of the chevron (see the panels' image indexes); not owned.
  TImageList *Images() const { return FImages; }
  void SetImages(TImageList *Value);
  TCategoryScrollBar *VertScrollBar() const { return FVertScrollBar.get(); }

  // Panels in the order of their stacking (visible ones by position, then the hidden ones).
  std::vector<TCategoryPanel *> Panels() const;
  TCategoryPanel *CreatePanel(TComponent *AOwner);
  void CollapseAll();
  void ExpandAll();
  // Stacks the visible panels from the top, in the order of their tops, with AControl first
  // among equal tops, and updates the scroll range.
  void ArrangePanels(TControl *AControl = nullptr);
  void ScrollBy(int DeltaY);

  void WMVScroll(TWMScroll &Message) override;
  void WMSize(TWMSize &Message) override;
  void CMFontChanged(TMessage &Message) override;

protected:
  void CreateParams(TCreateParams &Params) override;
  void CreateWindowDone() override;
  void AlignControls(TControl *AControl, TRect &Rect) override;
  void Notification(TComponent *AComponent, TOperation Operation) override;
  void Paint() override;
  void HeaderFontChanged(TObject *Sender);
  void UpdateScrollBar();
  void SetScrollPosition(int Value);
  void InvalidatePanels();

  std::unique_ptr<TFont> FHeaderFont;
  std::unique_ptr<TCategoryScrollBar> FVertScrollBar;
  TImageList *FImages = nullptr;
  int FHeaderHeight = 24;
  TAlignment FHeaderAlignment = taLeftJustify;
  THeaderStyle FHeaderStyle = hsGradient;
  TAlignment FChevronAlignment = taRightJustify;
  TColor FChevronColor = clBlack;
  TColor FChevronHotColor = clGray;
  TColor FGradientBaseColor = 0xF0F0F0;
  TColor FGradientColor = 0xD8D8D8;
  TGradientDirection FGradientDirection = gdVertical;
  int FArranging = 0;
};
