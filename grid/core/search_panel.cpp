#include "grid/core/search_panel.h"

#include "grid/core/aux_controls.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/draw_utils.h"
#include "grid/foundation/grid_helpers.h"

namespace {

void Fire(const TNotifyEvent &Event, TObject *Sender)
{
  if (Event)
    Event(Sender);
}

void SetHintText(TControl *Control, const QString &Hint)
{
  Control->SetHint(Hint);
  Control->SetShowHint(!Hint.isEmpty());
}

}  // namespace

TSearchPanel::TSearchPanel(TZavStringGrid *AGrid) : TPanel(AGrid), FGrid(AGrid)
{
  FEdit = new TRetEdit(this);
  FEdit->OnChange = [this](TObject *) { EditChanged(); };
  FEdit->OnReturn = [this](TObject *) { Fire(OnForwardClick, this); };
  FEdit->OnCtrlReturn = [this](TObject *) { Fire(OnBackwardClick, this); };
  FForwardButton = new TZavGridButton(this);
  FForwardButton->OnClick = [this](TObject *) { Fire(OnForwardClick, this); };
  FBackwardButton = new TZavGridButton(this);
  FBackwardButton->OnClick = [this](TObject *) { Fire(OnBackwardClick, this); };
  FExitButton = new TZavGridButton(this);
  FExitButton->OnClick = [this](TObject *) { Fire(OnExitClick, this); };
  FHiliteButton = new TZavGridButton(this);
  FHiliteButton->SetStyle(tasCheck);
  FHiliteButton->SetAllowAllUp(true);
  FHiliteButton->SetGroupIndex(1);
  FHiliteButton->OnClick = [this](TObject *) { Fire(OnHighlightClick, this); };
  FMatchCase = new TZavCheckBox(this);
}

bool TSearchPanel::HighlightDown() const { return FHiliteButton->Down(); }
bool TSearchPanel::MatchCaseChecked() const { return FMatchCase->Checked(); }

void TSearchPanel::SetColorTo(TColor Value)
{
  FColorTo = Value;
  Invalidate();
}

void TSearchPanel::CreateWnd()
{
  TPanel::CreateWnd();
  // Right-to-left reading does not exist in this framework: children sit at their left edges.
  const auto place = [this](TControl *C, int L, int T, int W, int H) {
    C->SetParent(this);
    C->SetBounds(L, T, W, H);
  };
  place(FEdit, 25, 6, 110, FEdit->Height());
  place(FForwardButton, 140, 5, 90, 23);
  FForwardButton->SetCaption(FFindNextCaption);
  SetHintText(FForwardButton, FHintFindNext);
  place(FBackwardButton, 235, 5, 90, 23);
  FBackwardButton->SetCaption(FFindPrevCaption);
  SetHintText(FBackwardButton, FHintFindPrev);
  place(FExitButton, 5, 7, 14, 14);
  SetHintText(FExitButton, FHintClose);
  place(FHiliteButton, 330, 5, 90, 23);
  FHiliteButton->SetCaption(FHighLightCaption);
  SetHintText(FHiliteButton, FHintHighlight);
  place(FMatchCase, FHiliteButton->Visible() ? 425 : 330, 8, FMatchCase->Width(), FMatchCase->Height());
  FMatchCase->SetCaption(FMatchCaseCaption);
  EditChanged();
  if (FGrid->OnCreatedSearchFooter)
    FGrid->OnCreatedSearchFooter(FGrid);
}

// The step buttons only make sense with something to search for.
void TSearchPanel::EditChanged()
{
  const bool any = !FEdit->Text().isEmpty();
  FForwardButton->SetEnabled(any);
  FBackwardButton->SetEnabled(any);
  FHiliteButton->SetEnabled(any);
  Fire(OnEditChange, this);
}

void TSearchPanel::Paint()
{
  TPanel::Paint();
  TCanvas *c = Canvas();
  const TRect r = ClientRect();
  if (FColorTo == clNone) {
    c->Brush()->SetColor(Color());
    c->FillRect(r);
  } else {
    DrawGradient(c, Color(), FColorTo, 32, r, false);
  }
  c->Pen()->SetColor(FGrid->GridLineColor());
  c->MoveTo(r.Left, r.Top);
  c->LineTo(r.Right, r.Top);
}
