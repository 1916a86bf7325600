#include "grid/core/zav_string_grid.h"

#include "framework/controls/forms.h"
#include "framework/graphics/graphics.h"
#include "framework/stdctrls/stdctrls.h"
#include "grid/core/aux_controls.h"
#include "grid/core/cell_node.h"
#include "grid/core/control_look.h"
#include "grid/core/feature_settings.h"
#include "grid/core/footer.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/grid_module.h"
#include "grid/core/grid_settings.h"
#include "grid/core/search_panel.h"
#include "grid/core/sort_settings.h"
#include "grid/core/text_conversion.h"
#include "grid/view/editor_wrappers.h"
#include "grid/foundation/focus_windows.h"
#include "grid/foundation/grid_helpers.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/int_lists.h"
#include "grid/foundation/pictures.h"

TZavStringGrid::TZavStringGrid(TComponent *AOwner) : TBaseGrid(AOwner)
{
  // The module's start-up runs with the first grid of the program: its registered messages
  // (the posted edit-done among them) and the window-move hook exist before any grid needs them.
  GridModuleStartUp();
  SetControlStyle(ControlStyle() + csAcceptsControls);
  FRunTime = !ComponentState().Contains(csDesigning);
  FDesignNoLoad = !FRunTime && AOwner &&
                  !AOwner->ComponentState().Contains(csReading) &&
                  !AOwner->ComponentState().Contains(csLoading);
  FZAVGradientTo = ColorToRGB(clBtnFace);
  FScrollWidth = GetSystemMetrics(SM_CXVSCROLL);

  CreateSubObjects();

  if (auto *form = dynamic_cast<TCustomForm *>(AOwner); form && FRunTime) {
    FOwnerForm = form;
    TGridResizeChains::Link(this, form);
    FOwnerFormWidth = form->Width();
    FOwnerFormHeight = form->Height();
  }

  // The fixed platform: Windows 7 with common controls 6.
  FIsWinXP = IsWinXPOrLater();
  FIsWin7 = true;
  FIsVista = IsVistaOrLater();
  FIsComCtl6 = ((GetDllFileVersion(QStringLiteral("COMCTL32.DLL")) >> 16) & 0xFF) > 5;
  FBorderColor = FIsWinXP ? TColor(0xB99D7F) : clGray;

  if (FRunTime) {
    FComponentStyle = tsWindowsXP;
    CreateRunTimeControls();
  }
  GridModule().GridLinkCursor = crHandPoint;
}

// Sub-objects 1 to 48, in this order. The few whose classes come with later topics are named
// where they will be created.
void TZavStringGrid::CreateSubObjects()
{
  FFooterPanel = std::make_unique<TFooterPanel>(this);
  FFooterPanel->SetAlign(alBottom);
  FFooterPanel->SetHeight(0);
  FFooterPanel->SetBorderWidth(0);
  FSearchPanel.reset(new TSearchPanel(this));
  FSearchPanel->SetAlign(alBottom);
  FSearchPanel->SetHeight(0);
  FSearchPanel->SetBorderWidth(0);
  FSearchPanel->OnEditChange = [this](TObject *Sender) { SearchEditChange(Sender); };
  FSearchPanel->OnBackwardClick = [this](TObject *Sender) { SearchBackwardClick(Sender); };
  FSearchPanel->OnForwardClick = [this](TObject *Sender) { SearchForwardClick(Sender); };
  FSearchPanel->OnExitClick = [this](TObject *Sender) { SearchCloseClick(Sender); };
  FSearchPanel->OnHighlightClick = [this](TObject *Sender) { SearchHighlightClick(Sender); };
  FCellFont = std::make_unique<TFont>();
  FFocusHelper = std::make_unique<TFocusHelper>(this);
  FSearchFooter = std::make_unique<TSearchFooter>(this, FDesignNoLoad);
  FSearchFooter->OnChange = [this](TObject *Sender) { UpdateSearchPanel(Sender); };
  FFloatingFooter = std::make_unique<TFloatingFooter>(this);
  FPrintSettings = std::make_unique<TPrintSettings>(this);
  FHTMLSettings = std::make_unique<THTMLSettings>();
  FSortSettings = std::make_unique<TSortSettings>(this);
  FDragDropSettings = std::make_unique<TDragDropSettings>(this);
  FDragScrollOptions = std::make_unique<TDragScrollOptions>();
  FControlLook = std::make_unique<TControlLook>(this);
  FNavigation = std::make_unique<TNavigation>();
  FNavigation->OnChange = [this](TObject *Sender) { NavigationChanged(Sender); };
  FColumnSize = std::make_unique<TColumnSize>(this);
  FCellNode = std::make_unique<TCellNode>(this);
  FBands = std::make_unique<TBands>();
  FBands->OnChange = [this](TObject *) { Invalidate(); };
  FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
  FMouseActions = std::make_unique<TMouseActions>(this);
  FMouseActions->OnChange = [this](TObject *Sender) { MouseActionsChanged(Sender); };
  FMouseActions->OnIsDesigning = [this](TObject *, bool &Designing) { Designing = IsDesignTime(); };
  FMouseActions->OnInvalidate = [this](TObject *Sender) { RefreshGrid(Sender); };
  FGrouping = std::make_unique<TGrouping>();
  FColumnHeaders = std::make_unique<TStringList>();
  FColumnHeaders->OnChange = [this](TObject *) {
    ColumnHeadersChanged();
    ShowColumnHeaders();
  };
  FImageCache = std::make_unique<THTMLPictureCache>();
  FOrigColSizes = std::make_unique<TIntList>(-1, -1);

  SetRowCount(10);
  SetBounds(Left(), Top(), 400, 250);
  SetAutoSize(false);
  SetDefaultRowHeight(22);
  FFixedRowHeight = DefaultRowHeight();

  FFixedFont = std::make_unique<TFont>();
  FFixedFont->SetName(QStringLiteral("Tahoma"));
  FFixedFont->SetStyle(TFontStyles{fsBold});
  FFixedFont->OnChange = [this](TObject *) { Invalidate(); };
  FActiveCellFont = std::make_unique<TFont>();
  FActiveCellFont->SetStyle(TFontStyles{fsBold});
  if (!FRunTime)
    FActiveCellFont->SetName(QStringLiteral("Tahoma"));
  FActiveCellFont->OnChange = [this](TObject *) { Invalidate(); };
  FRowHeaders = std::make_unique<TStringList>();
  FRowHeaders->OnChange = [this](TObject *) { ShowRowHeaders(); };
  FSortList = std::make_unique<TStringList>();
  FLookupItems = std::make_unique<TStringList>();
  FRowSelectList = std::make_unique<TList>();
  FColSelectList = std::make_unique<TList>();
  FSortIndexes = std::make_unique<TSortIndexList>(0, 0);
  FSortRowXRef = std::make_unique<TIntList>(0, 0);
  FUnSortRowXRef = std::make_unique<TIntList>(0, 0);
  FMergedColumns = std::make_unique<TIntList>(0, 0);
  FMergedColumns->OnChange = [this](TObject *Sender, int ACol, int ARow) {
    MergedColumnsChanged(Sender, ACol, ARow);
  };
  FSelectedCells = std::make_unique<TIntList>(0, 0);
  FSelectedRows = std::make_unique<TIntList>(0, 0);
  FModifiedRows = std::make_unique<TIntList>(0, 0);
  FEnabledRows = std::make_unique<TIntList>(0, 0);
  FRowIndicator = std::make_unique<TBitmap>();
  FBackGround = std::make_unique<TBackGround>(this);
  FScrollHintWnd = std::make_unique<THTMLHintWindow>(this);
  FControlList = std::make_unique<TControlList>();
  FProgressAppearance = std::make_unique<TGridProgressAppearance>();
  FProgressAppearance->OnChange = [this](TObject *) { Invalidate(); };
  FSyncGrid = std::make_unique<TSyncGrid>(this);
  FGridItems = std::make_unique<TCollection>(TCollection::ItemClass<TGridItem>());
  FFilter = std::make_unique<TFilter>(this);
  FBalloon = std::make_unique<TBalloonSettings>();
  FBalloon->OnEnableChange = [this](TObject *) {
    if (ComponentState().Contains(csLoading))
      return;
    if (FBalloon->Enable())
      BalloonInit();
    else
      BalloonDone();
  };
  FShowModified = std::make_unique<TShowModified>();
  FShowModified->OnChange = [this](TObject *) { RepaintCol(0); };
  FNotifierList = std::make_unique<TList>();
  FColumnOrder = std::make_unique<TIntList>(0, 0);
  // 43: the scratch cell graphic is a plain member (FCellGraphic).
  FIgnoreColumns = std::make_unique<TIntList>(-1, -1);
  FFilterDropDown = std::make_unique<TFilterDropDown>();
  FFilterDropDown->OnChange = [this](TObject *) { Invalidate(); };
  FFilterValueList = std::make_unique<TDropList>(this);
  FFilterValueList->SetParent(this);
  FFilterValueList->SetBounds(0, 0, 0, 0);
  FFilterValueList->SetVisible(false);
  FFilterValueList->OnSelect = [this](TObject *, int ItemIndex) { DoFilterSelect(ItemIndex); };
  FFilterCheckList = std::make_unique<TDropCheckList>(this);
  FFilterCheckList->SetParent(this);
  FFilterCheckList->SetBounds(0, 0, 0, 0);
  FFilterCheckList->SetVisible(false);
  FFilterCheckList->OnSelect = [this](TObject *, int) { DoFilterCheck(); };
  FFilterList = std::make_unique<TStringList>();
  FFilterList->SetSorted(true);
  FFilterList->SetDuplicates(dupIgnore);
}

// Sub-objects 49 to 61, at run time only; the lazily created editors start absent.
void TZavStringGrid::CreateRunTimeControls()
{
  FFocusWindow = std::make_unique<TGridFocusWindow>(this);
  FArwUp = std::make_unique<TArrowWindow>(this, arrUp);
  FArwDown = std::make_unique<TArrowWindow>(this, arrDown);
  FArwLeft = std::make_unique<TArrowWindow>(this, arrLeft);
  FArwRight = std::make_unique<TArrowWindow>(this, arrRight);
  FCombobox = std::make_unique<TGridCombo>(this);
  FCombobox->SetParent(this);
  FCombobox->SetEnabled(false);
  FCombobox->SetVisible(false);
  FCombobox->SetIsWinXP(FIsWinXP);
  FCombobox->SetIsVista(FIsVista && FIsComCtl6);
  FTransEdit = std::make_unique<TGridTransEdit>(this);
  FTransEdit->SetParent(this);
  FTransEdit->SetVisible(false);
  FTransEdit->SetBorderStyle(bsNone);
  FTransCombo = std::make_unique<TGridTransCombo>(this);
  FTransCombo->SetParent(this);
  FTransCombo->SetVisible(false);
  FGridCheckBox = std::make_unique<TGridCheckBox>(this);
  FGridCheckBox->SetParent(this);
  FGridCheckBox->SetEnabled(false);
  FGridCheckBox->SetVisible(false);
  FBtnEdit = std::make_unique<TGridEditBtn>(this);
  FBtnEdit->SetParent(this);
  FBtnEdit->SetEnabled(false);
  FBtnEdit->SetVisible(false);
  FBtnEdit->SetButtonCaption(QStringLiteral("..."));
  FBtnEdit->SetBorderStyle(bsNone);
  FBtnEdit->SetIsWinXP(FIsWinXP);
  FBtnUnitEdit = std::make_unique<TGridUnitEditBtn>(this);
  FBtnUnitEdit->SetParent(this);
  FBtnUnitEdit->SetEnabled(false);
  FBtnUnitEdit->SetVisible(false);
  FBtnUnitEdit->SetButtonCaption(QStringLiteral("..."));
  FBtnUnitEdit->SetBorderStyle(bsNone);
  FBtnUnitEdit->OnUnitChanged = [this](TObject *, const QString &NewUnit) {
    if (OnUnitChanged)
      OnUnitChanged(this, Col(), RealRow(), NewUnit);
  };
  FBtn = std::make_unique<TGridButton>(this);
  FBtn->SetParent(this);
  FBtn->SetEnabled(false);
  FBtn->SetVisible(false);
  FBtn->OnClick = [this](TObject *Sender) { GridButtonClick(Sender); };
  FHeaderDragButton = std::make_unique<THeaderDragButton>(this);
  FHeaderDragButton->SetParent(this);
  FHeaderDragButton->SetEnabled(false);
  FHeaderDragButton->SetVisible(false);
  FControlEdit = std::make_unique<TControlEdit>(this);
  FControlEdit->SetParent(this);
  FControlEdit->SetVisible(false);
  FControlCombo = std::make_unique<TControlCombo>(this);
  FControlCombo->SetParent(this);
  FControlCombo->SetVisible(false);
  FScrollBar = std::make_unique<TScrollBar>(this);
  FPaintScrollBar = std::make_unique<TScrollBar>(this);
}

TZavStringGrid::~TZavStringGrid()
{
  // A custom editor's control that outlives the grid must not send its messages here.
  if (FSubClassingLink)
    FSubClassingLink->EndSubClass();
  // 1. The thin bars go first.
  FreeThinBars();
  // 2.
  if (FRunTime) {
    BalloonDone();
    if (FOwnerForm)
      TGridResizeChains::Unlink(this, FOwnerForm);
  }
  if (GridModule().FocusHelperGrid == this)
    GridModule().FocusHelperGrid = nullptr;
  // 3.
  if (FColumnSize && FColumnSize->Save())
    SaveColSizes();
  // 4. The base grid frees every properties object it created, those beyond the counts and of
  //    hidden columns included, so no clearing pass is needed here.
  FClearTextOnly = false;
  FSaveHiddenCells = false;
  FreeSubObjects();
  SetCursor(FLoadedCursor);
}

void TZavStringGrid::FreeSubObjects()
{
  FCellFont.reset();
  FFocusHelper.reset();
  FIgnoreColumns.reset();
  FProgressAppearance.reset();
  FFloatingFooter.reset();
  // the scratch cell graphic is a member and goes with the grid
  FControlList.reset();
  FSortRowXRef.reset();
  FUnSortRowXRef.reset();
  FMergedColumns.reset();
  FSelectedCells.reset();
  FSelectedRows.reset();
  FModifiedRows.reset();
  FEnabledRows.reset();
  FNotifierList.reset();
  FPrintSettings.reset();
  FHTMLSettings.reset();
  FSortSettings.reset();
  FDragDropSettings.reset();
  FDragScrollOptions.reset();
  FControlLook.reset();
  FNavigation.reset();
  FColumnSize.reset();
  FColumnOrder.reset();
  FCellNode.reset();
  FBands.reset();
  FSizeWhileTyping.reset();
  FImageCache.reset();
  FMouseActions.reset();
  FColumnHeaders.reset();
  FGrouping.reset();
  FFixedFont.reset();
  FActiveCellFont.reset();
  FRowHeaders.reset();
  FLookupItems.reset();
  FRowSelectList.reset();
  FColSelectList.reset();
  FSortIndexes.reset();
  FRowIndicator.reset();
  FBackGround.reset();
  FFooterPanel.reset();
  FSearchPanel.reset();
  FSearchFooter.reset();
  FBalloon.reset();
  FShowModified.reset();
  FOrigColSizes.reset();
  FFilterDropDown.reset();
  FFilterValueList.reset();
  FFilterCheckList.reset();
  FFilterList.reset();
  FSyncGrid.reset();
  FArwUp.reset();
  FArwDown.reset();
  FArwLeft.reset();
  FArwRight.reset();
  FSortList.reset();
  FGridItems.reset();
  FFilter.reset();
  FScrollHintWnd.reset();
  FFocusWindow.reset();
  FCombobox.reset();
  FTransEdit.reset();
  FTransCombo.reset();
  // The lazily created editors, each reference cleared before it is freed. The date, spin and
  // drop-down editors join this list, in front of and after the rich edits, with their getters.
  for (TZavRichEdit **edit : {&FInplaceRichEdit, &FRichEdit}) {
    TZavRichEdit *e = *edit;
    *edit = nullptr;
    delete e;
  }
  FGridCheckBox.reset();
  FBtnEdit.reset();
  FBtnUnitEdit.reset();
  FBtn.reset();
  FHeaderDragButton.reset();
  FControlEdit.reset();
  FControlCombo.reset();
  FScrollBar.reset();
  FPaintScrollBar.reset();
}

QString TZavStringGrid::Version()
{
  const uint32_t v = uint32_t(GetVersionNr());
  return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

int TZavStringGrid::GetVersionNr() { return 0x06020103; }

QString TZavStringGrid::GetVersionString() { return Version() + QStringLiteral(" Sep, 2012"); }

TFont *TZavStringGrid::GetCellFont(int ACol, int ARow)
{
  if (!HasCellProperties(ACol, ARow))
    return Font();
  TCellProperties *p = CellProperties(ACol, ARow);
  FCellFont->SetName(p->FontName());
  FCellFont->SetSize(p->FontSize());
  FCellFont->SetStyle(p->FontStyle());
  FCellFont->SetColor(p->FontColor());
  return FCellFont.get();
}

bool TZavStringGrid::IsDesignTime() { return ComponentState().Contains(csDesigning); }

void TZavStringGrid::RefreshGrid(TObject *) { Invalidate(); }

void TZavStringGrid::DisableEditing(TObject *) { SetOptions(Options() - goEditing); }

void TZavStringGrid::OwnerFormResize(TObject *Sender)
{
  if (IsDesignTime() || ComponentState().Contains(csDestroying) || !FOwnerForm)
    return;
  if (FSizeWithForm) {
    const int nw = FOwnerForm->Width() + Width() - FOwnerFormWidth;
    const int nh = FOwnerForm->Height() + Height() - FOwnerFormHeight;
    if (nw > 0 && nh > 0) {
      SetBounds(Left(), Top(), nw, nh);
      FOwnerFormWidth = FOwnerForm->Width();
      FOwnerFormHeight = FOwnerForm->Height();
    }
  }
  TGridResizeChains::CallBelow(this, FOwnerForm, Sender);
  StretchColumnToFit(FColumnSize->StretchColumn());
}
