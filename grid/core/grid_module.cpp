#include "grid/core/grid_module.h"

#include <algorithm>

#include "framework/controls/forms.h"
#include "framework/controls/messages.h"
#include "framework/controls/window_hook.h"
#include "framework/system/sysutils.h"
#include "grid/core/zav_string_grid.h"

namespace {

TGridModuleState &State()
{
  static TGridModuleState state;
  return state;
}

const char *const GridClasses[] = {
  "TZavStringGrid", "TDropList", "TArrowWindow", "TGridCombo", "TGridSpin", "TGridTransEdit",
  "TGridTransCombo", "TGridCheckBox", "TGridEditBtn", "TGridDateTimePicker", "TGridUnitEditBtn",
  "TGridTrackbarDropDown", "TGridMemoDropDown", "TGridCalculatorDropDown",
  "TGridTimepickerDropDown", "TGridDetailPickerDropDown", "TGridGridDropDown",
  "TGridColorDropDown", "TGridImageDropDown", "TGridButton", "TGridDatePicker",
  "THeaderDragButton", "TControlEdit", "TControlCombo", "TScrollBar", "TZavRichEdit",
  "TFooterPanel", "TSearchPanel",
};

// Window messages and clipboard formats share one table of registered names.
uint32_t RegisterClipboardFormat(const QString &Name) { return RegisterWindowMessage(Name); }

}  // namespace

TGridModuleState &GridModule() { return State(); }

void GridModuleStartUp()
{
  TGridModuleState &m = State();
  if (m.Started)
    return;
  m.Started = true;
  ++m.OleInitCount;  // OLE has no counterpart here; drag and drop goes through the framework
  m.FocusHelperGrid = nullptr;
  // Any window's move or size change keeps the focus frame where its cell is.
  if (!m.GridHookHandle)
    m.GridHookHandle = SetWindowMessageHook(GridCallWndProcHook);
  for (const char *name : GridClasses)
    m.RegisteredClasses << QString::fromLatin1(name);
  m.DatePickerSupported = GetDllFileVersion(QStringLiteral("comctl32.dll")) > 0x00040045;
  m.GridCellsClipFormat = RegisterClipboardFormat(GridCellsClipFormatName);
  m.GridEditDoneMessage = RegisterWindowMessage(QStringLiteral("GridEditDone"));
  m.GridDTPShiftFocusMessage = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
}

void GridModuleShutDown()
{
  TGridModuleState &m = State();
  if (m.OleInitCount > 0)
    --m.OleInitCount;
  if (m.GridHookHandle)
    UnhookWindowMessageHook(m.GridHookHandle);
  m.GridHookHandle = nullptr;
  m.HintFontName.clear();
  m.Started = false;
  m.RegisteredClasses.clear();
}

void ResetGridModule()
{
  if (State().GridHookHandle)
    UnhookWindowMessageHook(State().GridHookHandle);
  State() = TGridModuleState();
}

void GridCallWndProcHook(uint32_t Msg)
{
  TGridModuleState &m = State();
  if ((Msg == WM_WINDOWPOSCHANGING || Msg == WM_WINDOWPOSCHANGED) && m.FocusHelperGrid)
    m.FocusHelperGrid->MoveFocusWindow();
}

// ---------------------------------------------------------------------------------------------

void TGridResizeChains::Link(TZavStringGrid *Grid, TCustomForm *Form)
{
  auto &chains = State().ResizeChains;
  auto it = chains.find(Form);
  if (it == chains.end()) {
    it = chains.emplace(Form, TGridModuleState::TResizeChain{Form->OnResize, {}}).first;
    Form->OnResize = [Form](TObject *Sender) {
      auto &all = State().ResizeChains;
      auto found = all.find(Form);
      if (found != all.end() && !found->second.Grids.empty())
        found->second.Grids.back()->OwnerFormResize(Sender);
    };
  }
  it->second.Grids.push_back(Grid);
}

void TGridResizeChains::Unlink(TZavStringGrid *Grid, TCustomForm *Form)
{
  auto &chains = State().ResizeChains;
  auto it = chains.find(Form);
  if (it == chains.end())
    return;
  auto &grids = it->second.Grids;
  grids.erase(std::remove(grids.begin(), grids.end(), Grid), grids.end());
  if (grids.empty()) {
    Form->OnResize = it->second.Original;
    chains.erase(it);
  }
}

void TGridResizeChains::CallBelow(TZavStringGrid *Grid, TCustomForm *Form, TObject *Sender)
{
  auto &chains = State().ResizeChains;
  auto it = chains.find(Form);
  if (it == chains.end())
    return;
  const auto &grids = it->second.Grids;
  const auto pos = std::find(grids.begin(), grids.end(), Grid);
  if (pos == grids.end())
    return;
  try {
    if (pos != grids.begin())
      (*(pos - 1))->OwnerFormResize(Sender);
    else if (it->second.Original)
      it->second.Original(Sender);
  } catch (...) {
  }
}

// ---------------------------------------------------------------------------------------------

QChar GridTimeSeparator() { return FormatSettings.TimeSeparator; }
QChar GridDateSeparator() { return FormatSettings.DateSeparator; }
QChar GridThousandSeparator() { return FormatSettings.ThousandSeparator; }
QChar GridDecimalSeparator() { return FormatSettings.DecimalSeparator; }
QString GridShortDateFormat() { return FormatSettings.ShortDateFormat; }
QString GridShortTimeFormat() { return FormatSettings.ShortTimeFormat; }
QString GridLongTimeFormat() { return FormatSettings.LongTimeFormat; }

int32_t GetDllFileVersion(const QString &FileName)
{
  if (FileName.compare(QLatin1String("comctl32.dll"), Qt::CaseInsensitive) == 0)
    return 0x00060000;
  return -1;
}
