#pragma once
// Balloon tips: a rounded box with a stem pointing at a spot, an optional icon, a bold title and
// the text. A balloon is a child overlay of the form holding the control it points into (as the
// other overlays), kept above the form's other controls; it closes after its hide delay, on a
// click, or when its user pops it. Used as a tool tip it follows the pointer over a control and
// asks a function for what to show.
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "framework/controls/controls.h"

enum TBalloonTipIcon { btiNone, btiInfo, btiWarning, btiError };

struct TBalloonTipText {
  QString Title;
  QString Text;
  TBalloonTipIcon Icon = btiNone;
};

class TBalloonTip : public TCustomControl {
public:
  explicit TBalloonTip(TComponent *AOwner);
  ~TBalloonTip() override;

  // Shows Content with the stem's tip at Point (client coordinates of Control): the box below
  // the point when the form has room there, above it otherwise. Nothing shows for an empty
  // title and text.
  void ShowAt(TControl *Control, TPoint Point, const TBalloonTipText &Content);
  // Hides the balloon; a tool tip shows again once the pointer rests anew.
  void Pop();
  bool Showing() const;
  const TBalloonTipText &Content() const { return FContent; }
  // The stem's tip in the client coordinates of the balloon's parent.
  TPoint StemTip() const { return FStemTip; }
  // The stem leaves the box's top edge (the box hangs below the point).
  bool StemOnTop() const { return FStemOnTop; }

  TColor BackgroundColor = clInfoBk;
  TColor TextColor = clInfoText;
  int MaxTipWidth = 300;
  // Milliseconds the balloon stays; 0 or less: until popped or clicked.
  int HideDelay = 10000;
  // 255: opaque; less lets what lies below show through (where the display allows it).
  uint8_t Opacity = 255;

  // Tool-tip use. RelayMouse gets the tool control's mouse messages (WM_MOUSEMOVE, the button
  // downs, CM_MOUSELEAVE) with client coordinates of the tool. When the pointer has rested
  // InitialDelay ms (ReshowDelay right after another tip), OnGetText is asked what to show at
  // the pointer; false or an empty content shows nothing. Once a tip hid by its delay it
  // shows again only after Pop or after the pointer left the tool.
  std::function<bool(TPoint Pos, TBalloonTipText &Content)> OnGetText;
  int InitialDelay = 500;
  int ReshowDelay = 100;
  void RelayMouse(TControl *Tool, uint32_t Msg, TPoint Pos);

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  void Layout(TWinControl *Host, TPoint Tip);
  void PaintOn(TCanvas *C);
  // A faded balloon shows as a picture of itself.
  void UpdateFade();
  void HideNow();
  void ShowTimerFired(TObject *Sender);
  void HideTimerFired(TObject *Sender);
  TBalloonTipText FContent;
  TPoint FStemTip;
  bool FStemOnTop = true;
  TRect FBox;                    // the box in window coordinates
  std::vector<TPoint> FOutline;  // box and stem, window coordinates
  TRect FIconRect, FTitleRect, FTextRect;
  std::unique_ptr<TTimer> FShowTimer, FHideTimer;
  TControl *FTool = nullptr;     // not owned: the control last relayed
  TPoint FToolPos{-1, -1};
  bool FSpent = false;           // the tip hid by its delay: no reshow while the pointer stays
  bool FRecent = false;          // a tip showed lately: the next one comes after ReshowDelay
};
