#pragma once
// What the standard controls' files share: the list index error and the native check and
// radio widgets that leave the next state to their control.
#include <QCheckBox>
#include <QRadioButton>
#include <QString>

#include "framework/stdctrls/stdctrls.h"

inline QString ListIndexError(int Index) { return QStringLiteral("List index out of bounds (%1)").arg(Index); }

// The widgets leave the decision on the next state to the control.
class TCheckWidget : public QCheckBox {
public:
  explicit TCheckWidget(TButtonControl *AControl) : FControl(AControl) {}
  TButtonControl *FControl;

protected:
  void nextCheckState() override
  {
    if (FControl)
      FControl->Toggle();
  }
};

class TRadioWidget : public QRadioButton {
public:
  explicit TRadioWidget(TButtonControl *AControl) : FControl(AControl) { setAutoExclusive(false); }
  TButtonControl *FControl;

protected:
  void nextCheckState() override
  {
    if (FControl)
      FControl->Toggle();
  }
};
