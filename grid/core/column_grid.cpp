// The column grid: per-cell answers from the column items, the items kept in step with the
// grid's columns, column popup menus and the stored column order.
#include "grid/core/column_grid.h"

#include <vector>

#include "framework/classes/inifiles.h"
#include "framework/stdctrls/menus.h"
#include "framework/system/sysutils.h"
#include "grid/core/control_look.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/grid_settings.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/grid_utils.h"
#include "grid/view/editor_wrappers.h"

TZavColumnGrid::TZavColumnGrid(TComponent *AOwner) : TZavStringGrid(AOwner)
{
  FColumns.reset(CreateColumnCollection());
  SyncColumnItems();
  FColumnMoving = false;
  FSpareItem = std::make_unique<TGridColumnItem>(nullptr);
}

TZavColumnGrid::~TZavColumnGrid()
{
  FColumns.reset();
  FSpareItem.reset();
}

TGridColumnCollection *TZavColumnGrid::CreateColumnCollection() { return new TGridColumnCollection(this); }

template <typename F>
void TZavColumnGrid::Unrecursive(F &&Body)
{
  const bool saved = FColumns->NoRecursiveUpdate();
  FColumns->SetNoRecursiveUpdate(true);
  try {
    Body();
  } catch (...) {
    FColumns->SetNoRecursiveUpdate(saved);
    throw;
  }
  FColumns->SetNoRecursiveUpdate(saved);
}

bool TZavColumnGrid::IsNormalCell(int ACol, int ARow)
{
  return ACol >= FixedCols() && ARow >= FixedRows() &&
         ACol < ColCount() + NumHiddenColumns() - FixedRightCols() && ARow < RowCount() - FixedFooters();
}

int TZavColumnGrid::GetVersionNr() { return 0x03010301; }

QString TZavColumnGrid::GetVersionString() { return Version() + QStringLiteral(" Aug, 2012"); }

// Items -----------------------------------------------------------------------------------------

void TZavColumnGrid::SetColCount(int Value)
{
  TZavStringGrid::SetColCount(Value);
  if (FColumns)
    SyncColumnItems();
}

void TZavColumnGrid::SyncColumnItems()
{
  Unrecursive([this] {
    const int wanted = ColCount() + NumHiddenColumns();
    while (FColumns->Count() < wanted)
      FColumns->Add();
    while (FColumns->Count() > wanted)
      FColumns->Delete(FColumns->Count() - 1);
  });
  if (IsDesignTime())
    for (int i = 0; i < ColCount(); ++i)
      SetCells(i, FixedRows(), QStringLiteral("Column %1").arg(i));
}

void TZavColumnGrid::SyncColumnHeaders()
{
  if (FixedRows() <= 0)
    return;
  TStringList *headers = ColumnHeaders();
  headers->BeginUpdate();
  headers->Clear();
  for (int i = 0; i < FColumns->Count(); ++i) {
    TGridColumnItem *c = Item(i);
    if (c->FHeader.isEmpty() && !Cells(i, 0).isEmpty())
      c->FHeader = Cells(i, 0);
    headers->Add(c->FHeader);
  }
  headers->EndUpdate();
}

void TZavColumnGrid::ColumnHeadersChanged()
{
  if (!FColumns)
    return;
  TStringList *headers = ColumnHeaders();
  for (int i = 0; i < FColumns->Count() && i < headers->Count(); ++i)
    Item(i)->FHeader = headers->Strings(i);
}

TGridColumnItem *TZavColumnGrid::GetColumnByName(const QString &AName)
{
  for (int i = 0; i < FColumns->Count(); ++i)
    if (Item(i)->Name() == AName)
      return Item(i);
  return nullptr;
}

void TZavColumnGrid::InsertCols(int ColIndex, int CCount)
{
  TZavStringGrid::InsertCols(ColIndex, CCount);
  Unrecursive([&] {
    for (int i = 0; i < CCount && ColIndex >= 0 && ColIndex <= FColumns->Count(); ++i)
      FColumns->Insert(ColIndex);
  });
}

void TZavColumnGrid::RemoveCols(int ColIndex, int CCount)
{
  TZavStringGrid::RemoveCols(ColIndex, CCount);
  Unrecursive([&] {
    for (int i = 0; i < CCount && InColumns(ColIndex); ++i)
      FColumns->Delete(ColIndex);
  });
}

void TZavColumnGrid::Group(int ColIndex)
{
  if (InColumns(ColIndex))
    FSpareItem->Assign(Item(ColIndex));
  TZavStringGrid::Group(ColIndex);
}

void TZavColumnGrid::UnGroup()
{
  const int grouped = GroupColumn();
  TZavStringGrid::UnGroup();
  if (grouped >= 0 && InColumns(grouped))
    Item(grouped)->Assign(FSpareItem.get());
}

void TZavColumnGrid::CellsLoaded()
{
  TZavStringGrid::CellsLoaded();
  SyncColumnItems();
}

void TZavColumnGrid::Loaded()
{
  TZavStringGrid::Loaded();
  SyncColumnItems();
  FColumns->SetOrganization();
}

void TZavColumnGrid::Notification(TComponent *AComponent, TOperation Operation)
{
  TZavStringGrid::Notification(AComponent, Operation);
  if (Operation != opRemove || !FColumns)
    return;
  auto *link = dynamic_cast<TEditLink *>(AComponent);
  auto *menu = dynamic_cast<TPopupMenu *>(AComponent);
  for (int i = 0; i < FColumns->Count(); ++i) {
    if (link && Item(i)->FEditLink == link)
      Item(i)->FEditLink = nullptr;
    if (menu && Item(i)->FColumnPopup == menu)
      Item(i)->FColumnPopup = nullptr;
  }
}

// Moving and sizing -------------------------------------------------------------------------------

void TZavColumnGrid::ColumnMoved(int FromIndex, int ToIndex)
{
  const int fromReal = RealColIndex(FromIndex);
  const int toReal = RealColIndex(ToIndex);
  Unrecursive([&] {
    const int top = TopRow();
    TZavStringGrid::ColumnMoved(FromIndex, ToIndex);
    BeginUpdate();
    FColumnMoving = true;
    // The item itself moves, so that every setting (its popup type and print choices too)
    // stays with its column.
    if (InColumns(fromReal) && InColumns(toReal))
      Item(fromReal)->SetIndex(toReal);
    // The widths moved with the cells before the items did.
    StoreColumnWidths();
    SetTopRow(top);
    FColumnMoving = false;
    EndUpdate();
  });
  if (OnAfterColumnMoved)
    OnAfterColumnMoved(this, fromReal, toReal);
}

void TZavColumnGrid::ColWidthsChanged()
{
  TZavStringGrid::ColWidthsChanged();
  if (!FColumns || IsLoading() || ComponentState().Contains(csDestroying))
    return;
  StoreColumnWidths();
}

void TZavColumnGrid::StoreColumnWidths()
{
  for (int d = 0; d < ColCount(); ++d) {
    const int r = RealColIndex(d);
    if (InColumns(r))
      Item(r)->FWidth = ColWidths(d);
  }
}

void TZavColumnGrid::ChangeScale(int M, int D)
{
  TZavStringGrid::ChangeScale(M, D);
  if (IsDesignTime() || M == D || !FColumns)
    return;
  Unrecursive([&] {
    for (int i = 0; i < FColumns->Count(); ++i)
      for (TFont *f : {Item(i)->Font(), Item(i)->HeaderFont()})
        f->SetSize(MulDiv(f->Size(), M, D));
  });
}

void TZavColumnGrid::DoUpdateColumnSize(int ACol, int &AWidth)
{
  if (InColumns(ACol)) {
    const TGridColumnItem *c = Item(ACol);
    if (c->MinSize() > 0 && AWidth < c->MinSize())
      AWidth = c->MinSize();
    if (c->MaxSize() > 0 && AWidth > c->MaxSize())
      AWidth = c->MaxSize();
  }
  TZavStringGrid::DoUpdateColumnSize(ACol, AWidth);
}

void TZavColumnGrid::DoUpdateAutoColumnSize(int ACol, int &AWidth)
{
  // ACol is a display column; its item is the real column's.
  const int real = ACol < ColCount() ? DisplToRealCol(ACol) : ACol;
  if (InColumns(real)) {
    const TGridColumnItem *c = Item(real);
    if (c->AutoMinSize() > 0 && AWidth < c->AutoMinSize())
      AWidth = c->AutoMinSize();
    if (c->AutoMaxSize() > 0 && AWidth > c->AutoMaxSize())
      AWidth = c->AutoMaxSize();
  }
  TZavStringGrid::DoUpdateAutoColumnSize(ACol, AWidth);
}

// Column order ------------------------------------------------------------------------------------

void TZavColumnGrid::SaveColPositions()
{
  if (ColumnSize()->Location() == clIniFile)
    SaveColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
  else
    TZavStringGrid::SaveColPositions();
}

void TZavColumnGrid::LoadColPositions()
{
  if (ColumnSize()->Location() == clIniFile)
    LoadColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
  else
    TZavStringGrid::LoadColPositions();
}

void TZavColumnGrid::SaveColumnPositions(const QString &Key, const QString &Section)
{
  TIniFile ini(Key);
  for (int i = 0; i < FColumns->Count(); ++i)
    ini.WriteInteger(Section, QStringLiteral("CP%1").arg(i), Item(i)->DefIdx());
}

void TZavColumnGrid::LoadColumnPositions(const QString &Key, const QString &Section)
{
  const int n = FColumns->Count();
  std::vector<int> order(size_t(n), -1);
  {
    TMemIniFile ini(Key);
    std::vector<bool> seen(size_t(n), false);
    // Only a complete order is applied: every position once, none missing or out of range.
    for (int j = 0; j < n; ++j) {
      const int i = ini.ReadInteger(Section, QStringLiteral("CP%1").arg(j), -1);
      if (i < 0 || i >= n || seen[size_t(i)])
        return;
      seen[size_t(i)] = true;
      order[size_t(j)] = i;
    }
  }
  // The stored positions refer to the original order.
  ResetColumnOrder();
  for (int j = 0; j < n; ++j)
    Item(order[size_t(j)])->FDefIdx = j;
  FColumns->ResetOrganization();
  for (int p = 0; p < n; ++p)
    Item(p)->FDefIdx = order[size_t(p)];
}

// Per-cell answers --------------------------------------------------------------------------------

void TZavColumnGrid::GetCellDefaults(int ACol, int ARow, TFont *AFont, TBrush *ABrush, TColor &ColorTo,
                                     TColor &ColorMirror, TColor &ColorMirrorTo, TAlignment &HAlign,
                                     TVAlignment &VAlign, bool &WordWrap, TCellGradientDirection &GradientDir)
{
  if (!FColumns || !InColumns(ACol)) {
    TZavStringGrid::GetCellDefaults(ACol, ARow, AFont, ABrush, ColorTo, ColorMirror, ColorMirrorTo, HAlign,
                                    VAlign, WordWrap, GradientDir);
    return;
  }
  const TGridColumnItem *c = Item(ACol);
  AFont->Assign(c->Font());
  ABrush->SetColor(c->Color());
  ColorTo = clNone;
  HAlign = ARow < FixedRows() ? c->HeaderAlignment() : c->Alignment();
  VAlign = VAlignment();
  WordWrap = this->WordWrap();
  GradientDir = TCellGradientDirection::GradientVertical;
  if (IsFixed(ACol, ARow) || (Bands()->Active() && c->ShowBands())) {
    ABrush->SetColor(clNone);
    ColorTo = clNone;
  }
}

void TZavColumnGrid::DoGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush *ABrush, TFont *AFont)
{
  if (InColumns(ACol) && ACol >= FixedCols() && ACol < ColCount() + NumHiddenColumns() - FixedRightCols() &&
      ARow < RowCount() - FixedFooters()) {
    const TGridColumnItem *c = Item(ACol);
    const bool fixedRow = ARow < FixedRows();
    if (c->Fixed())
      ABrush->SetColor(FixedColor());
    else if (!fixedRow && !(c->ShowBands() && Bands()->Active()))
      ABrush->SetColor(c->Color());
    AFont->Assign(fixedRow ? c->HeaderFont() : c->Font());
    if (HasCellProperties(ACol, ARow)) {
      const TCellProperties *p = CellProperties(ACol, ARow);
      if (p->BrushColor() != clNone)
        ABrush->SetColor(p->BrushColor());
      if (p->FontColor() != clNone)
        AFont->SetColor(p->FontColor());
    }
  }
  TZavStringGrid::DoGetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TZavColumnGrid::DoGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush *ABrush, TFont *AFont)
{
  if (InColumns(ACol)) {
    const TGridColumnItem *c = Item(ACol);
    if (ACol < FixedCols() || ARow < FixedRows() || ACol >= ColCount() + NumHiddenColumns() - FixedRightCols() ||
        ARow >= RowCount() - FixedFooters()) {
      AFont->Assign(PrintSettings()->FixedFont());
    } else {
      const TCellProperties *p = HasCellProperties(ACol, ARow) ? CellProperties(ACol, ARow) : nullptr;
      if (c->Fixed())
        ABrush->SetColor(FixedColor());
      else if (!(c->ShowBands() && Bands()->Active() && Bands()->Print()))
        ABrush->SetColor(c->PrintColor());
      if (p && p->BrushColor() != clNone)
        ABrush->SetColor(p->BrushColor());
      if (c->PrintFontCustom()) {
        AFont->Assign(c->PrintFont());
        if (p)
          p->ApplyFontTo(AFont);
      } else {
        AFont->Assign(PrintSettings()->Font());
      }
    }
  }
  TZavStringGrid::DoGetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TZavColumnGrid::DoGetCellBorder(int ACol, int ARow, TPen *APen, TCellBorders &Borders)
{
  if (InColumns(ACol) && ACol >= FixedCols() && ARow >= FixedRows()) {
    Borders = Item(ACol)->Borders();
    APen->Assign(Item(ACol)->BorderPen());
  }
  TZavStringGrid::DoGetCellBorder(ACol, ARow, APen, Borders);
}

void TZavColumnGrid::DoGetCellPrintBorder(int ACol, int ARow, TPen *APen, TCellBorders &Borders)
{
  if (InColumns(ACol) && Item(ACol)->PrintBorderCustom() && ACol >= FixedCols() && ARow >= FixedRows()) {
    Borders = Item(ACol)->PrintBorders();
    APen->Assign(Item(ACol)->PrintBorderPen());
  }
  TZavStringGrid::DoGetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TZavColumnGrid::DoGetAlignment(int ACol, int ARow, TAlignment &HAlign, TVAlignment &VAlign)
{
  if (InColumns(ACol)) {
    HAlign = ARow < FixedRows() ? Item(ACol)->HeaderAlignment() : Item(ACol)->Alignment();
    if (HasCellProperties(ACol, ARow))
      HAlign = CellProperties(ACol, ARow)->Alignment();
  }
  TZavStringGrid::DoGetAlignment(ACol, ARow, HAlign, VAlign);
}

void TZavColumnGrid::DoGetFormat(int ACol, TSortStyle &AStyle, QString &APrefix, QString &ASuffix)
{
  if (InColumns(ACol)) {
    AStyle = Item(ACol)->SortStyle();
    APrefix = Item(ACol)->SortPrefix();
    ASuffix = Item(ACol)->SortSuffix();
  }
  TZavStringGrid::DoGetFormat(ACol, AStyle, APrefix, ASuffix);
}

bool TZavColumnGrid::GetFloatFormat(int ACol, int, bool &IsFloat, QString &FloatFormat)
{
  if (InColumns(ACol) && !Item(ACol)->FloatFormat().isEmpty())
    FloatFormat = Item(ACol)->FloatFormat();
  else
    FloatFormat = this->FloatFormat();
  return IsFloat;
}

QString TZavColumnGrid::GetFormattedCell(int ACol, int ARow)
{
  if (!InColumns(ACol))
    return TZavStringGrid::GetFormattedCell(ACol, ARow);
  const QString text = Cells(ACol, ARow);
  QString format = Item(ACol)->FloatFormat();
  const int kind = ClassifyNumberText(text);
  bool isFloat = kind == 0 || kind == 1;
  if (OnGetFloatFormat)
    OnGetFloatFormat(this, ACol, ARow, isFloat, format);
  if (format.isEmpty() || !isFloat)
    return text;
  TFormatSettings plain;
  plain.DecimalSeparator = QLatin1Char('.');
  double value = 0;
  if (!TryStrToFloat(NormalizeNumberText(text), value, plain))
    return text;
  // A format that does not fit the value leaves the text as it is: painting never fails.
  try {
    return Format(format, value);
  } catch (const Exception &) {
    return text;
  }
}

void TZavColumnGrid::GetCellEditor(int ACol, int ARow, TEditorType &AEditor)
{
  if (InColumns(ACol)) {
    const TGridColumnItem *c = Item(ACol);
    if (ACol >= FixedCols() && ARow >= FixedRows()) {
      AEditor = c->Editor();
      if (TGridCombo *combo = Combobox()) {
        combo->Items()->Assign(c->ComboItems());
        combo->SetDropDownCount(c->DropDownCount());
      }
      // With the spin editor: it takes SpinMin, SpinMax and SpinStep here.
      SetEditLink(c->EditLink());
      ControlLook()->SetDropDownCount(c->DropDownCount());
    }
    if (!c->FloatFormat().isEmpty())
      SetFloatFormat(c->FloatFormat());
  }
  TZavStringGrid::GetCellEditor(ACol, ARow, AEditor);
}

bool TZavColumnGrid::HasComboEditor(int ACol, int ARow)
{
  bool result = false;
  if (InColumns(ACol) && ACol >= FixedCols() && ARow >= FixedRows())
    result = Item(ACol)->Editor() == edComboEdit || Item(ACol)->Editor() == edComboList;
  if (OnHasComboBox)
    OnHasComboBox(this, ACol, ARow, result);
  return result;
}

void TZavColumnGrid::DoIsFixedCell(int ACol, int ARow, bool &IsFixed)
{
  if (ACol >= FixedCols() && ARow >= FixedRows()) {
    const int real = RealColIndex(ACol);
    if (InColumns(real))
      IsFixed = Item(real)->Fixed();
  }
  TZavStringGrid::DoIsFixedCell(ACol, ARow, IsFixed);
}

void TZavColumnGrid::DoIsPasswordCell(int ACol, int ARow, bool &IsPassword)
{
  if (InColumns(ACol))
    IsPassword = Item(ACol)->Password();
  TZavStringGrid::DoIsPasswordCell(ACol, ARow, IsPassword);
}

void TZavColumnGrid::QueryCanEdit(int ACol, int ARow, bool &CanEdit)
{
  if (!IsLoading() && InColumns(ACol) && ACol >= FixedCols() && ARow >= FixedRows())
    CanEdit = !Item(ACol)->ReadOnly() && !Item(ACol)->Fixed();
  else
    CanEdit = false;
  const TPoint base = BaseCell(ACol, ARow);
  if (CanEdit && HasCellProperties(base.X, base.Y))
    CanEdit = !CellProperties(base.X, base.Y)->ReadOnly();
  DoCanEditCell(base.X, base.Y, CanEdit);
}

void TZavColumnGrid::GetCheckTrueText(int ACol, int ARow, QString &Value)
{
  TZavStringGrid::GetCheckTrueText(ACol, ARow, Value);
  if (InColumns(ACol) && IsNormalCell(ACol, ARow))
    Value = Item(ACol)->CheckTrue();
}

void TZavColumnGrid::GetCheckFalseText(int ACol, int ARow, QString &Value)
{
  TZavStringGrid::GetCheckFalseText(ACol, ARow, Value);
  if (InColumns(ACol) && IsNormalCell(ACol, ARow))
    Value = Item(ACol)->CheckFalse();
}

TCellType TZavColumnGrid::GetCellType(int ACol, int ARow)
{
  const TCellType type = TZavStringGrid::GetCellType(ACol, ARow);
  if (type == ctEmpty && FColumns && InColumns(ACol) && IsNormalCell(ACol, ARow) &&
      !ComponentState().Contains(csDestroying) && Item(ACol)->Editor() == edDataCheckBox)
    return ctDataCheckBox;
  return type;
}

TCellGraphic *TZavColumnGrid::GetCellGraphic(int ACol, int ARow)
{
  TCellGraphic *g = TZavStringGrid::GetCellGraphic(ACol, ARow);
  if (g || !FColumns || !InColumns(ACol) || !IsNormalCell(ACol, ARow) ||
      ComponentState().Contains(csDestroying) || Item(ACol)->Editor() != edDataCheckBox)
    return g;
  FVirtCheckBox.SetCellType(ctVirtCheckBox);
  FVirtCheckBox.SetCellTransparent(ControlLook()->ControlStyle() == csFlat);
  return &FVirtCheckBox;
}

int TZavColumnGrid::GetEditLimit()
{
  const int real = RealColIndex(Col());
  if (Col() >= FixedCols() && InColumns(real) && !Item(real)->Fixed())
    return Item(real)->EditLength();
  return TZavStringGrid::GetEditLimit();
}

QString TZavColumnGrid::GetEditMask(int ACol, int ARow)
{
  QString mask;
  if (ACol >= FixedCols()) {
    const int real = RealColIndex(ACol);
    if (InColumns(real) && !Item(real)->Fixed())
      mask = Item(real)->EditMask();
  }
  const QString own = TZavStringGrid::GetEditMask(ACol, ARow);
  return own.isEmpty() ? mask : own;
}

bool TZavColumnGrid::GetColumnFilterList(int ACol)
{
  FilterList()->SetSorted(false);
  TZavStringGrid::GetColumnFilterList(ACol);
  if (!InColumns(ACol) || Item(ACol)->Filter()->Count() == 0)
    return false;
  TStringList *list = FilterList();
  list->Clear();
  const TStringList *entries = Item(ACol)->Filter();
  for (int i = 0; i < entries->Count(); ++i) {
    const QString e = entries->Strings(i);
    const int eq = e.indexOf(QLatin1Char('='));
    list->Add(eq < 0 ? e : e.left(eq));
  }
  return true;
}

void TZavColumnGrid::DoFilterSelect(int ItemIndex)
{
  const int col = FilterColumn();
  if (InColumns(col) && ItemIndex >= 0 && ItemIndex < Item(col)->Filter()->Count()) {
    TGridColumnItem *c = Item(col);
    const QString entry = c->Filter()->Strings(ItemIndex);
    const int eq = entry.indexOf(QLatin1Char('='));
    const QString display = eq < 0 ? entry : entry.left(eq);
    QString condition = eq < 0 ? entry : entry.mid(eq + 1);
    if (FAutoFilterDisplay)
      c->SetHeader(display);
    if (AutoFilterUpdate())
      SetFilterActive(false);
    if (OnFilterSelect)
      OnFilterSelect(this, col, ItemIndex, display, condition);
    TFilterData *data = Filter()->ColumnFilter(col);
    data->SetCondition(condition);
    data->SetCaseSensitive(c->FilterCaseSensitive());
    if (AutoFilterUpdate()) {
      SetFilterActive(true);
      const bool onlyFixed = RowCount() <= FixedRows() || (FixedRowAlways() && RowCount() == 1);
      if (!onlyFixed)
        SetRow(FixedRows());
      DoFilterDone();
    }
  }
  SetFilterColumn(-1);
}

// Mouse -------------------------------------------------------------------------------------------

void TZavColumnGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TZavStringGrid::MouseDown(Button, Shift, X, Y);
  int c = -1, r = -1;
  MouseToCell(X, Y, c, r);
  if (c < 0 || r < 0 || !InColumns(c))
    return;
  TGridColumnItem *item = Item(c);
  TPopupMenu *menu = item->ColumnPopup();
  if (!menu || (Button != mbLeft && Button != mbRight))
    return;
  const TColumnPopupType t = item->ColumnPopupType();
  const bool left = Button == mbLeft;
  const TColumnPopupType fixedType = left ? cpFixedCellsLClick : cpFixedCellsRClick;
  const TColumnPopupType normalType = left ? cpNormalCellsLClick : cpNormalCellsRClick;
  const TColumnPopupType allType = left ? cpAllCellsLClick : cpAllCellsRClick;
  if (t != fixedType && t != normalType && t != allType)
    return;
  if (OnColumnPopup)
    OnColumnPopup(this, c, r, menu);
  const bool fixedRow = r < FixedRows();
  if ((fixedRow && (t == fixedType || t == allType)) || (!fixedRow && (t == normalType || t == allType))) {
    const TRect rc = CellRect(c, r);
    const TPoint pt = ClientToScreen(TPoint{rc.Left, rc.Bottom});
    menu->Popup(pt.X, pt.Y);
  }
}
