// The grid's members whose topics are not built yet, with their smallest honest bodies: this file
// is the list of what is missing. Each line names the file of the topic that takes the member over.
#include "grid/core/zav_string_grid.h"

// Footer figures after an edit.
QString TZavStringGrid::CalcFooterColumn(int) { return QString(); }         // grid/core/scrolling.cpp
// Merged columns re-applied when their list changes.
void TZavStringGrid::MergedColumnsChanged(TObject *, int, int) {}           // grid/core/row_operations.cpp

// The colour and image picker drop-down editors.
void TZavStringGrid::DoColorSelect(int, int) {}                            // grid/view/picker_editors.cpp
void TZavStringGrid::DoImageSelect(int, int) {}                            // grid/view/picker_editors.cpp


// Looks: the style presets, the office themes and the framework's styles.
void TZavStringGrid::SetStyle(int) {}                                      // grid/view/looks.cpp
void TZavStringGrid::AdaptToOfficeTheme() {}                               // grid/view/looks.cpp
void TZavStringGrid::ApplyFrameworkStyle() {}                              // grid/view/looks.cpp

// The window frame, the focus window and the search panel's copy of the search footer.
void TZavStringGrid::DrawNCBorder() {}                                     // grid/view/frame.cpp
void TZavStringGrid::MoveFocusWindow() {}                                  // grid/view/focus_window.cpp
void TZavStringGrid::UpdateSearchPanel(TObject *) {}                       // grid/core/search_panel.cpp

// Design-time helpers (design time exists only behind the tests' flag).
void TZavStringGrid::PaintDesignHelper() {}                                // grid/view/design_helper.cpp
void TZavStringGrid::ShowDesignLookMenu() {}                               // grid/view/design_helper.cpp
