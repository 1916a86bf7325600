#pragma once
// The bar of the grid's search footer: a search edit, find-next, find-previous, highlight and
// close buttons and a match-case box. The grid fills its captions and hints from its
// SearchFooter settings and handles its notifications.
#include <QString>

#include "framework/stdctrls/extctrls.h"
#include "framework/system/types.h"

class TRetEdit;
class TZavGridButton;
class TZavCheckBox;
class TZavStringGrid;

class TSearchPanel : public TPanel {
public:
  // AGrid: the owner and the grid whose grid-line colour edges the bar (not owned).
  explicit TSearchPanel(TZavStringGrid *AGrid);

  TRetEdit *Edit() const { return FEdit; }
  TZavGridButton *ForwardButton() const { return FForwardButton; }
  TZavGridButton *BackwardButton() const { return FBackwardButton; }
  TZavGridButton *HiliteButton() const { return FHiliteButton; }
  TZavGridButton *ExitButton() const { return FExitButton; }
  TZavCheckBox *MatchCase() const { return FMatchCase; }
  bool HighlightDown() const;
  bool MatchCaseChecked() const;

  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);

  // Texts the grid's search footer settings fill in; CreateWnd puts them on the children.
  QString FFindNextCaption, FFindPrevCaption, FMatchCaseCaption, FHintFindPrev, FHintClose, FHintFindNext,
      FHintHighlight, FHighLightCaption;

  TNotifyEvent OnForwardClick, OnBackwardClick, OnEditChange, OnExitClick, OnHighlightClick;

protected:
  void CreateWnd() override;
  void Paint() override;

private:
  void EditChanged();

  TZavStringGrid *FGrid;
  TRetEdit *FEdit;
  TZavGridButton *FForwardButton;
  TZavGridButton *FBackwardButton;
  TZavGridButton *FHiliteButton;
  TZavGridButton *FExitButton;
  TZavCheckBox *FMatchCase;
  TColor FColorTo = clNone;
};
