// Balloon tips of the grid: the cell balloon that shows a cell's text (or the balloon set on
// the cell) when the pointer rests on it, and the balloon that explains a refused value.
#include "grid/core/zav_string_grid.h"

#include "framework/controls/balloon_tip.h"
#include "grid/core/feature_settings.h"
#include "grid/core/text_conversion.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/markup_utils.h"
#include "grid/view/rtf_text.h"

namespace {

// The platform's tool-tip delays, used while a setting is left at -1.
constexpr int DefaultInitialDelay = 500;
constexpr int DefaultReshowDelay = 100;
constexpr int DefaultAutoHideDelay = 5000;
constexpr int BalloonMaxWidth = 300;
constexpr int EditBalloonHideDelay = 10000;

int DelayOr(int Value, int Default) { return Value == -1 ? Default : Value; }

QString CutWithDots(const QString &S, int Max)
{
  return S.length() > Max ? S.left(Max - 3) + QStringLiteral("...") : S;
}

} // namespace

void TZavStringGrid::BalloonInit()
{
  if (FBalloon->Initialized())
    return;
  FBalloon->SetInitialized(true);
  auto *tip = new TBalloonTip(this);
  FHToolTip = tip;
  tip->MaxTipWidth = BalloonMaxWidth;
  tip->InitialDelay = DelayOr(FBalloon->InitialDelay(), DefaultInitialDelay);
  tip->ReshowDelay = DelayOr(FBalloon->ReshowDelay(), DefaultReshowDelay);
  tip->HideDelay = DelayOr(FBalloon->AutoHideDelay(), DefaultAutoHideDelay);
  tip->Opacity = uint8_t(255 - FBalloon->Transparency());
  tip->OnGetText = [this](TPoint Pos, TBalloonTipText &Content) { return BalloonCellText(Pos, Content); };
}

void TZavStringGrid::BalloonDone()
{
  // The tip goes whenever it exists: switching Enable off comes here with Enable already off.
  delete FHToolTip;
  FHToolTip = nullptr;
  FBalloon->SetInitialized(false);
  FLastBalloonPos = TPoint(-1, -1);
}

bool TZavStringGrid::BalloonCellText(TPoint Pos, TBalloonTipText &Content)
{
  int ACol = -1, ARow = -1;
  MouseToCell(Pos.X, Pos.Y, ACol, ARow);
  if (ACol < 0 || ARow < 0)
    return false;
  const TPoint base = BaseCell(ACol, ARow);
  const int col = DisplToRealCol(base.X), row = base.Y;
  const QString raw = Cells(col, row);
  QString text;
  // A password cell never shows its text; a balloon set on the cell still does.
  bool password = false;
  DoIsPasswordCell(col, row, password);
  if (!password) {
    switch (CellTextKind(raw, EnableHTML())) {
    case 1: text = HTMLToPlainText(raw); break;
    case 2: text = RTFToPlainText(raw); break;
    case 5: text = UnpackWideText(raw); break;
    default: text = raw; break;
    }
  }
  text.replace(QLatin1Char('\t'), QLatin1Char(' '));
  int lead = 0;
  while (lead < text.length() && (text.at(lead) == QLatin1Char('\r') || text.at(lead) == QLatin1Char('\n')))
    ++lead;
  text = CutWithDots(text.mid(lead), 2048);
  QString title = QStringLiteral(" ");
  TBalloonIcon icon = biInfo;
  IsBalloon(col, row, title, text, icon);
  int iconIndex = int(icon);
  if (OnCellBalloon)
    OnCellBalloon(this, col, row, title, text, iconIndex);
  if (iconIndex < 0 || iconIndex > 3)
    iconIndex = 0;
  FLastBalloonPos = base;
  if (text.isEmpty())
    return false;
  Content.Text = CutWithDots(text, 2048);
  Content.Title = CutWithDots(title, 100);
  Content.Icon = TBalloonTipIcon(iconIndex);
  FHToolTip->TextColor = FBalloon->TextColor() == clNone ? clInfoText : FBalloon->TextColor();
  FHToolTip->BackgroundColor = FBalloon->BackgroundColor() == clNone ? clInfoBk : FBalloon->BackgroundColor();
  return true;
}

void TZavStringGrid::BalloonRelay(const TMessage &Message)
{
  if (!FHToolTip)
    return;
  const TPoint pos(int16_t(Message.LParam & 0xFFFF), int16_t((Message.LParam >> 16) & 0xFFFF));
  if (Message.Msg == WM_MOUSEMOVE && FLastBalloonPos.X != -1) {
    // Reaching another cell closes the balloon, so the next rest shows the new cell's one.
    int ACol = -1, ARow = -1;
    MouseToCell(pos.X, pos.Y, ACol, ARow);
    const TPoint base = ACol >= 0 && ARow >= 0 ? BaseCell(ACol, ARow) : TPoint(-1, -1);
    if (!(base == FLastBalloonPos)) {
      FHToolTip->Pop();
      FLastBalloonPos = TPoint(-1, -1);
    }
  }
  FHToolTip->RelayMouse(this, Message.Msg, pos);
}

void TZavStringGrid::ShowInvalidEntryBalloon()
{
  if (FInvalidEntryTitle.isEmpty() && FInvalidEntryText.isEmpty())
    return;
  TWinControl *target = !FSpecialEditor && EditMode ? static_cast<TWinControl *>(NormalEdit()) : EditCtrl;
  if (!target || !target->Visible())
    return;
  if (!FEditBalloon) {
    FEditBalloon = new TBalloonTip(this);
    FEditBalloon->HideDelay = EditBalloonHideDelay;
  }
  // The stem points into the editor's text, near its start, as the platform's edit balloons do.
  const TPoint at(std::min(12, target->Width() / 2), std::max(0, target->Height() - 3));
  FEditBalloon->ShowAt(target, at, {FInvalidEntryTitle, FInvalidEntryText, TBalloonTipIcon(int(FInvalidEntryIcon))});
}

void TZavStringGrid::PopInvalidEntryBalloon()
{
  if (FEditBalloon)
    FEditBalloon->Pop();
}
