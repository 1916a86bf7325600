#pragma once
// What the standard controls' files share: the list index error and the native check box
// and radio button behind TButtonControl.
#include <QCheckBox>
#include <QRadioButton>
#include <QString>

#include "framework/stdctrls/stdctrls.h"

inline QString ListIndexError(int Index) { return QStringLiteral("List index out of bounds (%1)").arg(Index); }

// A native check box or radio button that leaves the decision on the next state to its
// control (which clears FControl when it goes first).
template <class TWidget>
class TToggleWidget : public TWidget {
public:
  explicit TToggleWidget(TButtonControl *AControl) : FControl(AControl) {}
  TButtonControl *FControl;

protected:
  void nextCheckState() override
  {
    if (FControl)
      FControl->Toggle();
  }
};

using TCheckWidget = TToggleWidget<QCheckBox>;
using TRadioWidget = TToggleWidget<QRadioButton>;
