#pragma once
// Process-wide state of the grid module: registered messages and clipboard format, the grid whose
// focus frame follows window moves, the link cursor, the hint font name, the registered classes
// and the per-form chains of grid resize handlers. One object, reset by tests.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <vector>

#include "framework/classes/classes.h"
#include "framework/controls/controls.h"

class TZavStringGrid;
class TCustomForm;

inline const QString GridCellsClipFormatName = QStringLiteral("TZavStringGrid Cells");

struct TGridModuleState {
  bool Started = false;
  // The move hook's handle; non-null while it is installed.
  void *GridHookHandle = nullptr;
  TZavStringGrid *FocusHelperGrid = nullptr;  // not owned
  bool DatePickerSupported = false;
  uint32_t GridCellsClipFormat = 0;
  uint32_t GridEditDoneMessage = 0;
  uint32_t GridDTPShiftFocusMessage = 0;
  TCursor GridLinkCursor = crHandPoint;
  QString HintFontName;
  int OleInitCount = 0;
  QStringList RegisteredClasses;

  // The grids of a form chain its resize handler: the newest runs first and calls the one
  // below it; the bottom calls the handler the form had before the first grid.
  struct TResizeChain {
    TNotifyEvent Original;
    std::vector<TZavStringGrid *> Grids;  // not owned, in order of linking
  };
  std::map<TCustomForm *, TResizeChain> ResizeChains;
};

TGridModuleState &GridModule();
// Runs once when the program starts (again after GridModuleShutDown).
void GridModuleStartUp();
void GridModuleShutDown();
// Back to the state before start-up; for tests.
void ResetGridModule();

// The move hook: a window move or size message keeps the focus frame of FocusHelperGrid in place.
void GridCallWndProcHook(uint32_t Msg);

struct TGridResizeChains {
  static void Link(TZavStringGrid *Grid, TCustomForm *Form);
  static void Unlink(TZavStringGrid *Grid, TCustomForm *Form);
  // Runs the handler below Grid in its form's chain; an exception it raises is swallowed.
  static void CallBelow(TZavStringGrid *Grid, TCustomForm *Form, TObject *Sender);
};

// Locale characters and formats of the process's current format settings.
QChar GridTimeSeparator();
QChar GridDateSeparator();
QChar GridThousandSeparator();
QChar GridDecimalSeparator();
QString GridShortDateFormat();
QString GridShortTimeFormat();
QString GridLongTimeFormat();

// The file version (major word, minor word) of a system module; -1 without a version. The
// common-controls library answers version 6.0; other modules have none.
int32_t GetDllFileVersion(const QString &FileName);
