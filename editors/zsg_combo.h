#pragma once
// The editor family's combo box: the framework combo with the family's look flags. Its owner
// decides the look (Windows XP style, Vista drawing) before the window exists.
#include "framework/stdctrls/stdctrls.h"

class TZsgCustomCombo : public TCustomComboBox {
public:
  explicit TZsgCustomCombo(TComponent *AOwner);

  void SetEnabled(bool Value) override;
  void SetVisible(bool Value) override;
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  // Set by the owner: Vista or later with common controls 6.
  bool IsVista() const { return FIsVista; }
  void SetIsVista(bool Value) { FIsVista = Value; }
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);

protected:
  bool FIsWinXP = false;
  bool FIsVista = false;
  int FButtonWidth = 0;
};

class TZsgComboBox : public TZsgCustomCombo {
public:
  using TZsgCustomCombo::TZsgCustomCombo;
};
