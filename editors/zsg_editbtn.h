#pragma once
// A single-line masked edit with a push button at its right edge (an ellipsis button whose
// click fires OnClickBtn), and its unit variant that reports the unit the user chose.
#include <QString>

#include <functional>
#include <memory>

#include "framework/classes/classes.h"
#include "framework/stdctrls/mask.h"

class TZsgEditBtn : public TCustomMaskEdit {
public:
  explicit TZsgEditBtn(TComponent *AOwner);

  QString ButtonCaption() const { return FButtonCaption; }
  void SetButtonCaption(const QString &Value);
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value) { FButtonWidth = Value; }

  // The button was pressed: OnClickBtn.
  virtual void ButtonClick(TObject *Sender);

  TNotifyEvent OnClickBtn;

protected:
  QString FButtonCaption;
  bool FIsWinXP = false;
  int FButtonWidth = 16;
};

using TZsgUnitChangedEvent = std::function<void(TObject *Sender, const QString &NewUnit)>;

class TZsgUnitEditBtn : public TZsgEditBtn {
public:
  explicit TZsgUnitEditBtn(TComponent *AOwner);

  TStrings *Units() const { return FUnits.get(); }
  QString UnitID() const { return FUnitID; }
  void SetUnitID(const QString &Value) { FUnitID = Value; }
  // The user chose a unit: it becomes the current one, then OnUnitChanged.
  void UnitChosen(const QString &NewUnit);

  TZsgUnitChangedEvent OnUnitChanged;

private:
  QString FUnitID;
  std::unique_ptr<TStringList> FUnits;
};
