#include "grid/core/sort_settings.h"

#include "framework/system/sysutils.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/int_lists.h"

TSortSettings::TSortSettings(TZavStringGrid *AOwner)
    : FGrid(AOwner),
      FSortUpGlyph(std::make_unique<TBitmap>()),
      FSortDownGlyph(std::make_unique<TBitmap>()),
      FIndexUpGlyph(std::make_unique<TBitmap>()),
      FIndexDownGlyph(std::make_unique<TBitmap>())
{
}

TSortSettings::~TSortSettings() = default;

void TSortSettings::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TSortSettings *>(Source);
  if (!src)
    return;
  FAutoSortForGrouping = src->FAutoSortForGrouping;
  FAutoColumnMerge = src->FAutoColumnMerge;
  FSortColumn = src->FSortColumn;
  FSortShow = src->FSortShow;
  FSortIndexShow = src->FSortIndexShow;
  FSortIndexColor = src->FSortIndexColor;
  FSortFull = src->FSortFull;
  FSortSingleColumn = src->FSortSingleColumn;
  FSortIgnoreBlanks = src->FSortIgnoreBlanks;
  FSortBlankPos = src->FSortBlankPos;
  FSortAutoFormat = src->FSortAutoFormat;
  FSortDirection = src->FSortDirection;
  FSortUpGlyph->Assign(src->FSortUpGlyph.get());
  FSortDownGlyph->Assign(src->FSortDownGlyph.get());
  FIndexUpGlyph->Assign(src->FIndexUpGlyph.get());
  FIndexDownGlyph->Assign(src->FIndexDownGlyph.get());
  FIndexSortKey = src->FIndexSortKey;
  FInitSortDirection = src->FInitSortDirection;
  FSortFixedCols = src->FSortFixedCols;
  FSortNormalCellsOnly = src->FSortNormalCellsOnly;
  FSortRow = src->FSortRow;
  FUndoSort = src->FUndoSort;
  FHeaderColor = src->FHeaderColor;
  FHeaderColorTo = src->FHeaderColorTo;
  FHeaderMirrorColor = src->FHeaderMirrorColor;
  FHeaderMirrorColorTo = src->FHeaderMirrorColorTo;
}

QString TSortSettings::SaveToString() const
{
  if (FSortIndexShow)
    return QStringLiteral("i;") + FGrid->SortIndexes()->SaveToString();
  return (FSortDirection == sdDescending ? QStringLiteral("d") : QStringLiteral("u")) +
         QString::number(FSortColumn);
}

void TSortSettings::LoadFromString(const QString &Value)
{
  if (Value.isEmpty())
    return;
  SetShow(true);
  if (Value.length() < 2)
    throw Exception(QStringLiteral("Invalid sort settings specifier"));

  if (Value.contains(QLatin1String("i;"))) {
    FSortIndexShow = true;
    const QString rest = Value.mid(2);
    if (!rest.isEmpty()) {
      FGrid->SortIndexes()->LoadFromString(rest);
      FGrid->QSortIndexed();
    }
    return;
  }

  FSortIndexShow = false;
  FSortDirection = Value.contains(QLatin1Char('u')) ? sdAscending : sdDescending;
  int col = 0;
  if (!TryStrToInt(Value.mid(1), col))
    return;
  // A stored text may come from a grid with more columns (or be edited by hand): a column the
  // grid does not have is not a sort column.
  if (col < 0 || col >= FGrid->AllColCount())
    return;
  FSortColumn = col;
  FGrid->QSort();
}

void TSortSettings::Remove()
{
  FSortColumn = -1;
  FGrid->SortIndexes()->Clear();
  RepaintHeaderRow();
}

void TSortSettings::ToggleDirection()
{
  FSortDirection = FSortDirection == sdAscending ? sdDescending : sdAscending;
}

void TSortSettings::SetShow(bool Value)
{
  if (FSortShow == Value)
    return;
  FSortShow = Value;
  FGrid->Invalidate();
}

void TSortSettings::SetUpGlyph(TBitmap *Value) { FSortUpGlyph->Assign(Value); }
void TSortSettings::SetDownGlyph(TBitmap *Value) { FSortDownGlyph->Assign(Value); }
void TSortSettings::SetIndexUpGlyph(TBitmap *Value) { FIndexUpGlyph->Assign(Value); }
void TSortSettings::SetIndexDownGlyph(TBitmap *Value) { FIndexDownGlyph->Assign(Value); }

void TSortSettings::SetRow(int Value)
{
  if (Value >= FGrid->FixedRows())
    throw Exception(QStringLiteral("Sort row should be smaller than number of fixed rows"));
  FSortRow = Value;
}

void TSortSettings::SetHeaderColor(TColor Value) { SetHeaderColorField(FHeaderColor, Value); }
void TSortSettings::SetHeaderColorTo(TColor Value) { SetHeaderColorField(FHeaderColorTo, Value); }
void TSortSettings::SetHeaderMirrorColor(TColor Value) { SetHeaderColorField(FHeaderMirrorColor, Value); }
void TSortSettings::SetHeaderMirrorColorTo(TColor Value) { SetHeaderColorField(FHeaderMirrorColorTo, Value); }

void TSortSettings::SetHeaderColorField(TColor &Field, TColor Value)
{
  if (Field == Value)
    return;
  Field = Value;
  RepaintHeaderRow();
}

void TSortSettings::RepaintHeaderRow()
{
  if (FGrid->FixedRows() > 0)
    FGrid->RepaintRow(FGrid->FixedRows() - 1);
}
