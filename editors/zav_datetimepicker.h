#pragma once
// The editor family's date-time picker: the framework picker under the family's names.
#include "framework/stdctrls/comctrls.h"

class TCustomDateTimePicker : public TDateTimePicker {
public:
  explicit TCustomDateTimePicker(TComponent *AOwner) : TDateTimePicker(AOwner) {}
};

class TZavDateTimePicker : public TCustomDateTimePicker {
public:
  explicit TZavDateTimePicker(TComponent *AOwner) : TCustomDateTimePicker(AOwner) {}

  // The date and time shown.
  TDateTime GetDateTime() const { return DateTime(); }
};
