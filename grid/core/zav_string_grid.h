#pragma once
// The system's string grid: the base grid plus its settings objects, events, hidden columns and
// rows, check boxes, cell graphics and everything the table forms edit with. One class declared
// here and defined by topic across grid/core, grid/view and grid/data.
#include <QString>

#include <memory>

#include "grid/foundation/base_grid.h"
#include "grid/foundation/grid_enums.h"
#include "grid/foundation/grid_events.h"
#include "grid/core/help_look.h"

class TFooterPanel;
class TFloatingFooter;
class TSearchPanel;
class TNavigation;
class TImageList;
class TPictureContainer;
class TZavRichEdit;
class TEditLink;
using TFooterPaintEvent = std::function<void(TObject *Sender, int ACol, TRect ARect, TCanvas *ACanvas)>;

class TZavStringGrid : public TBaseGrid {
public:
  explicit TZavStringGrid(TComponent *AOwner);
  ~TZavStringGrid() override;

  // --- object: construction, defaults, owned sub-objects, published properties ---

  // --- events and their dispatchers ---

  // --- update lock, grid timer, window messages ---

  // --- window lifecycle and settings copy ---

  // --- used by the settings classes, look settings and sort settings ---

  // --- used by the helper classes, footer and feature settings ---
  TFooterPanel *FooterPanel() const { return FFooterPanel; }
  TFloatingFooter *FloatingFooter() const { return FFloatingFooter; }
  TSearchPanel *SearchPanel() const { return FSearchPanel; }
  TNavigation *Navigation() const { return FNavigation; }
  TImageList *GridImages() const { return FGridImages; }
  TPictureContainer *PictureContainer() const { return FPictureContainer; }
  TGridLook Look() const { return FLook; }
  bool Flat() const { return FFlat; }
  // The last row is kept out of the cell area (the floating footer shows it).
  bool HideLastRow() const { return FHideLastRow; }
  void SetHideLastRow(bool Value);
  int FixedFooters() const { return FFixedFooters; }
  void SetFixedFooters(int Value);
  int RealColIndex(int ACol);
  int RealRowIndex(int ARow);
  virtual void CalcFooter(int ACol);
  // Edit flow
  void HideInplaceEdit();
  void ShowSpecialEditor(int ACol, int ARow);
  void HideSpecialEditor(int ACol, int ARow);
  bool TabToNextCell(bool Backward);
  void AdvanceToNextCell(int ACol, int ARow, bool Advance, bool KeepOrigin, bool Backward, bool Forced);
  void SetEditorCellText(int ACol, int ARow, const QString &Value);
  void EditControlWndProc(TMessage &Message);
  TZavRichEdit *GetRichEdit();
  TZavRichEdit *GetInplaceRichEdit();
  TEditLink *EditLink() const { return FEditLink; }
  void SetEditLink(TEditLink *Value) { FEditLink = Value; }
  bool Multilinecells() const { return FMultilinecells; }

  TClickCellEvent OnClickCell;
  TGridHintEvent OnGridHint;
  TGridColorEvent OnGetCellColor;
  TFooterPaintEvent OnFooterPaint;
  TNotifyEvent OnCreatedFloatingFooter;
  TNotifyEvent OnCreatedSearchFooter;
  TEndRowSizeEvent OnEndRowSize;

  // --- used by the cell graphic object and the auxiliary controls ---

protected:
  // --- object (protected) ---

  // --- events (protected dispatchers) ---

  // --- update lock, timer, messages (protected) ---

  // --- window lifecycle (protected) ---

private:
  // --- object (fields) ---

  // --- events (fields) ---

  // --- update lock, timer, messages (fields) ---

  // --- window lifecycle (fields) ---

  // --- settings classes (fields) ---

  // --- helper classes, footer, feature settings (fields) ---
  friend class TEditLink;
  friend class TZavRichEdit;
  friend class TFloatingFooter;
  friend class TFooterPanel;
  friend struct THelpersWiring;  // tests place the sub-objects the constructor will create
  TFooterPanel *FFooterPanel = nullptr;
  TFloatingFooter *FFloatingFooter = nullptr;
  TSearchPanel *FSearchPanel = nullptr;
  TNavigation *FNavigation = nullptr;
  TImageList *FGridImages = nullptr;
  TPictureContainer *FPictureContainer = nullptr;
  TEditLink *FEditLink = nullptr;
  TZavRichEdit *FRichEdit = nullptr;         // owned as a component
  TZavRichEdit *FInplaceRichEdit = nullptr;  // owned as a component
  TGridLook FLook = glXP;
  bool FFlat = false;
  bool FHideLastRow = false;
  int FFixedFooters = 0;
  bool FMultilinecells = false;
  // Edit flow state the custom editors read.
  QString FEditCellText;          // the cell's text when editing began
  int FLastValidation = 0;        // 1 passed, -1 failed, 0 none since the editor opened
  bool FFocusChanging = false;    // the grid moves the focus itself
  std::function<void(TMessage &)> FGridControlWndProc;

  // --- cell graphic, auxiliary controls (fields) ---
};
