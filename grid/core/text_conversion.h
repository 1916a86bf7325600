#pragma once
// Kinds and settings of the grid's text conversion: balloon icons, the stages the exporters and
// importers report, and the growth of the cell being edited while typing.
#include "framework/classes/classes.h"

enum class TBalloonIcon { biNone, biInfo, biWarning, biError };
using enum TBalloonIcon;

enum class TGridExportState {
  esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail, esExportNextRow
};
using enum TGridExportState;

enum class TGridImportState { isImportStart, isImportNewRow, isImportDone, isImportSelRow };
using enum TGridImportState;

// Lets the cell being edited grow in height or width while the user types.
class TSizeWhileTyping : public TPersistent {
public:
  bool Height() const { return FHeight; }
  void SetHeight(bool Value) { FHeight = Value; }
  bool Width() const { return FWidth; }
  void SetWidth(bool Value) { FWidth = Value; }

private:
  bool FHeight = false;
  bool FWidth = false;
};
