#pragma once
// The platform widget behind the framework's message boxes, for the framework and its tests.
#include <QMessageBox>

#include <memory>
#include <utility>
#include <vector>

#include "framework/dialogs/dialogs.h"

struct TBuiltMessageBox {
  std::unique_ptr<QMessageBox> Box;
  // Each button added, with the framework button it stands for.
  std::vector<std::pair<QAbstractButton *, TMsgDlgBtn>> Buttons;
};

// The box of a request, built as it shows but not shown. Its text is plain text: messages
// carry file names, language texts and error texts, none of which may turn into mark-up.
TBuiltMessageBox BuildMessageBox(const TMessageBoxRequest &Request);
