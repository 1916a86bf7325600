#pragma once
// List box whose items carry a check box each.
#include <QStringList>

#include <vector>

#include "framework/stdctrls/stdctrls.h"

class TCheckListBox : public TCustomListBox {
public:
  explicit TCheckListBox(TComponent *AOwner);
  ~TCheckListBox() override;

  // Setting a state never fires OnClickCheck: only the user's changes do.
  bool Checked(int Index) const { return State(Index) == cbChecked; }
  void SetChecked(int Index, bool Value) { SetState(Index, Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State(int Index) const;
  void SetState(int Index, TCheckBoxState Value);
  // Room an item's check box takes before its text.
  int CheckWidth() const;

  // A click on an item's box, or Space on the current item, changed its check.
  TNotifyEvent OnClickCheck;

protected:
  virtual void ClickCheck();
  void CreateWindowDone() override;
  void ItemsChanged() override;

private:
  void ApplyStates();
  void NativeCheckChanged(int Index, TCheckBoxState Value);

  std::vector<TCheckBoxState> FStates;
  QStringList FStateItems;  // the items FStates belongs to
  int FUpdatingChecks = 0;
};
