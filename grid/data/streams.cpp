// The grid's binary cell stream: a rectangle of cells written as carrier records and read back at
// a chosen cell. Reading takes the whole stream into a scratch state first and changes the grid
// only when every record was read, so that a damaged stream (a paste or drop from another
// program, a cut file) costs nothing of what the grid holds.
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "framework/classes/gfx2_component_records.h"
#include "grid/core/carriers.h"
#include "grid/core/grid_error.h"
#include "grid/core/text_conversion.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/grid_helpers.h"
#include "grid/foundation/int_lists.h"

namespace {

// The stream addresses columns and rows through 16-bit fields.
constexpr int kMaxStreamIndex = 65535;

// Stream IDs of this process: a random base, then one number per grid that wrote or asked.
struct TStreamIDs {
  uint32_t Base;
  uint32_t Issued = 0;
  TStreamIDs()
  {
    std::random_device rd;
    Base = (uint32_t(rd()) << 8) ^ uint32_t(rd());
  }
};

TStreamIDs &StreamIDs()
{
  static TStreamIDs ids;
  return ids;
}

// Rounded to the nearest integer, halves to even, as the progress figures are.
int16_t Percent(int Part, int Whole) { return int16_t(std::nearbyint(double(Part) / std::max(1, Whole) * 100.0)); }

// Fires OnFileProgress when the figure changes.
class TProgress {
public:
  explicit TProgress(TZavStringGrid *G) : FGrid(G) {}
  void Report(int16_t Value)
  {
    if (!FGrid->OnFileProgress || Value == FLast)
      return;
    FLast = Value;
    FGrid->OnFileProgress(FGrid, Value);
  }

private:
  TZavStringGrid *FGrid;
  int FLast = -1;
};

bool HasPayload(TCellType t)
{
  return TCellTypes{ctBitmap, ctBitButton, ctIcon, ctRadio, ctImages, ctPicture, ctFilePicture}.Contains(t);
}

// A graphic record follows the properties of a cell whose graphic is worth sending: the kinds
// that hold a picture or list only when they own it.
bool GraphicTravels(const TCellGraphic *g)
{
  if (!g || g->CellType() == ctEmpty)
    return false;
  if (TCellTypes{ctBitmap, ctIcon, ctRadio, ctImages, ctPicture, ctFilePicture, ctBitButton}.Contains(g->CellType()))
    return g->CellCreated();
  return true;
}

QString JoinSizes(int From, int To, const std::function<int(int)> &Size)
{
  QString s;
  for (int i = From; i <= To; ++i) {
    if (i > From)
      s += QLatin1Char(',');
    s += QString::number(Size(i));
  }
  return s;
}

// The sizes of a whole-grid header, checked before anything is cleared.
std::vector<int> SplitSizes(const QString &Text, int Count)
{
  const QStringList items = Text.split(QLatin1Char(','));
  if (Count > 0 && items.size() < Count)
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(items.size()));
  std::vector<int> out;
  out.reserve(std::size_t(Count));
  for (int i = 0; i < Count; ++i)
    out.push_back(StrToInt(items[i]));
  return out;
}

// One cell as read, before anything of the grid is touched.
struct TReadCell {
  int Col = 0;
  int Row = 0;
  QString Text;
  bool HasProp = false;
  TComponentRecord Props;                  // replayed over the target cell's properties
  std::unique_ptr<TCellGraphic> Graphic;  // the graphic's values, no objects
  std::unique_ptr<TObject> Payload;       // bitmap, icon, picture, file picture or item list
  std::vector<int> Images;                // the index list of a ctImages cell
};

// The payload record of a graphic, read into the matching carrier and taken from it.
// The payload carriers live only for their record and need no owner.
std::unique_ptr<TObject> ReadPayload(TStream *Stream, TCellType Type, TReadCell &Cell)
{
  TComponent *const Owner = nullptr;
  switch (Type) {
  case ctBitmap:
  case ctBitButton: {
    TGridBMPIO io(Owner);
    io.ReadRecord(Stream);
    return io.Take();
  }
  case ctIcon: {
    TGridIconIO io(Owner);
    io.ReadRecord(Stream);
    return io.Take();
  }
  case ctPicture: {
    TGridPicIO io(Owner);
    io.ReadRecord(Stream);
    return io.Take();
  }
  case ctFilePicture: {
    TGridFilePicIO io(Owner);
    io.ReadRecord(Stream);
    return io.Take();
  }
  case ctRadio: {
    TGridSLIO io(Owner);
    io.ReadRecord(Stream);
    return io.Take();
  }
  case ctImages: {
    TGridSLIO io(Owner);
    io.ReadRecord(Stream);
    TIntList list(0, 0);
    list.SetStrValue(io.Strings()->CommaText());
    for (int i = 0; i < list.Count(); ++i)
      Cell.Images.push_back(list[i]);
    return nullptr;
  }
  default:
    return nullptr;
  }
}

} // namespace

// ---------------------------------------------------------------------------------------------

int TZavStringGrid::BinStreamID()
{
  if (FBinStreamID == 0) {
    TStreamIDs &ids = StreamIDs();
    do
      FBinStreamID = int(ids.Base + ++ids.Issued);
    while (FBinStreamID == 0);
  }
  return FBinStreamID;
}

bool TZavStringGrid::IsOwnBinStreamID(int ID)
{
  const TStreamIDs &ids = StreamIDs();
  const uint32_t n = uint32_t(ID) - ids.Base;
  return ID != 0 && n >= 1 && n <= ids.Issued;
}

// ---------------------------------------------------------------------------------------------
// Writing

void TZavStringGrid::SaveRectToBinStream(const TGridRect &Rect, TStream *Stream)
{
  if (Rect.Left < 0 || Rect.Top < 0 || Rect.Right > kMaxStreamIndex || Rect.Bottom > kMaxStreamIndex)
    throw EZavGridError(QStringLiteral("Cells beyond column or row %1 cannot be written to a cell stream")
                            .arg(kMaxStreamIndex));
  TGridPropIO header(this);
  TGridCellIO cellIO(this);
  TGridCellPropIO propIO(this);
  TGridGraphicIO graphicIO(this);

  const int cols = Rect.Right - Rect.Left + 1;
  const int rows = Rect.Bottom - Rect.Top + 1;
  header.SetColCount(cols);
  header.SetRowCount(rows);
  header.SetColWidths(JoinSizes(Rect.Left, Rect.Right, [this](int c) {
    return c < ColCount() ? ColWidths(c) : DefaultColWidth();
  }));
  header.SetRowHeights(JoinSizes(Rect.Top, Rect.Bottom, [this](int r) {
    return r < RowCount() ? RowHeights(r) : DefaultRowHeight();
  }));
  header.SetFullGrid(FSaveFixedCells ? rows == RowCount() && cols == ColCount()
                                     : rows == RowCount() - FixedRows() && cols == ColCount() - FixedCols());
  header.SetID(BinStreamID());
  header.WriteRecord(Stream);

  ExportNotification(int(esExportStart), Rect.Top);
  TProgress progress(this);
  for (int r = Rect.Top; r <= Rect.Bottom; ++r) {
    ExportNotification(int(esExportNextRow), r);
    for (int c = Rect.Left; c <= Rect.Right; ++c) {
      const bool hasProp = HasCellProperties(c, r);
      cellIO.SetCol(c);
      cellIO.SetRow(r);
      // The cell's own text: a merged block's text stays with its base cell, whose record
      // and properties bring the block back.
      cellIO.SetCell(GridCells(c, r));
      cellIO.SetHasProp(hasProp);
      cellIO.WriteRecord(Stream);
      if (!hasProp)
        continue;
      TCellProperties *props = CellProperties(c, r);
      propIO.CellProperties()->Assign(props);
      auto *g = dynamic_cast<TCellGraphic *>(props->GraphicObject());
      propIO.SetHasGraphic(GraphicTravels(g));
      propIO.WriteRecord(Stream);
      if (!propIO.HasGraphic())
        continue;
      graphicIO.CellGraphic()->SetCellText(QString());
      graphicIO.CellGraphic()->Assign(g);
      graphicIO.WriteRecord(Stream);
      WriteGraphicPayload(g, Stream);
    }
    progress.Report(Percent(r - Rect.Top, Rect.Bottom - Rect.Top));
  }
  ExportNotification(int(esExportDone), -1);
}

void TZavStringGrid::WriteGraphicPayload(TCellGraphic *g, TStream *Stream)
{
  // The payload carriers live only for their record and need no owner.
  TComponent *const Owner = nullptr;
  switch (g->CellType()) {
  case ctBitmap:
  case ctBitButton: {
    TGridBMPIO io(Owner);
    if (auto *b = dynamic_cast<TBitmap *>(g->CellBitmap()))
      io.Bitmap()->Assign(b);
    io.WriteRecord(Stream);
    break;
  }
  case ctIcon: {
    TGridIconIO io(Owner);
    if (auto *i = dynamic_cast<TIcon *>(g->CellIcon()))
      io.Icon()->Assign(i);
    io.WriteRecord(Stream);
    break;
  }
  case ctPicture: {
    TGridPicIO io(Owner);
    if (auto *p = dynamic_cast<TPicture *>(g->CellBitmap()))
      io.Picture()->Assign(p);
    io.WriteRecord(Stream);
    break;
  }
  case ctFilePicture: {
    TGridFilePicIO io(Owner);
    if (auto *p = dynamic_cast<TFilePicture *>(g->CellBitmap()))
      io.Picture()->SetFilename(p->Filename());
    io.WriteRecord(Stream);
    break;
  }
  case ctRadio: {
    TGridSLIO io(Owner);
    if (auto *items = dynamic_cast<TStrings *>(g->CellBitmap()))
      io.Strings()->Assign(items);
    io.WriteRecord(Stream);
    break;
  }
  case ctImages: {
    TGridSLIO io(Owner);
    if (auto *list = dynamic_cast<TIntList *>(g->CellBitmap()))
      io.Strings()->SetCommaText(list->StrValue());
    io.WriteRecord(Stream);
    break;
  }
  default:
    break;
  }
}

void TZavStringGrid::SaveToBinStream(TStream *Stream)
{
  SaveRectToBinStream(TGridRect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()), Stream);
}

void TZavStringGrid::SaveToBinFile(const QString &FileName)
{
  TMemoryStream ms;
  SaveToBinStream(&ms);
  ms.SaveToFile(FileName);
}

// ---------------------------------------------------------------------------------------------
// Reading

void TZavStringGrid::LoadAtPointFromBinStream(TPoint Point, TStream *Stream)
{
  // 1. The whole stream into a scratch state; nothing of the grid changes on the way.
  TGridPropIO header(this);
  header.ReadRecord(Stream);
  const bool own = IsOwnBinStreamID(header.ID());
  std::vector<int> widths, heights;
  if (header.FullGrid()) {
    if (header.ColCount() < 0 || header.RowCount() < 0 || header.ColCount() > kMaxStreamIndex + 1 ||
        header.RowCount() > kMaxStreamIndex + 1)
      throw EZavGridError(QStringLiteral("The cell stream's grid size %1 x %2 is not valid")
                              .arg(header.ColCount())
                              .arg(header.RowCount()));
    widths = SplitSizes(header.ColWidths(), header.ColCount());
    heights = SplitSizes(header.RowHeights(), header.RowCount());
  }

  std::vector<TReadCell> cells;
  TGridCellIO cellIO(this);
  TGridCellPropIO propCheck(this);
  TGridGraphicIO graphicIO(this);
  while (Stream->Position() < Stream->Size() - 1) {
    // Each record starts from a blank carrier: nothing of one cell reaches the next.
    cellIO.SetCol(0);
    cellIO.SetRow(0);
    cellIO.SetCell(QString());
    cellIO.SetHasProp(false);
    cellIO.ReadRecord(Stream);
    TReadCell cell;
    cell.Col = cellIO.Col();
    cell.Row = cellIO.Row();
    cell.Text = cellIO.Cell();
    cell.HasProp = cellIO.HasProp();
    if (cell.HasProp) {
      cell.Props = ReadComponentRecord(Stream);
      auto &props = cell.Props.Properties;
      if (!own) {
        // A number or control of another process means nothing here.
        std::erase_if(props, [](const auto &p) {
          return p.first.compare(QLatin1String("CellProperties.Control"), Qt::CaseInsensitive) == 0;
        });
        for (auto &p : props)
          if (p.first.compare(QLatin1String("CellProperties.CellObject"), Qt::CaseInsensitive) == 0)
            p.second = TRecordValue::Integer(0);
      }
      // Checked now, so that a bad property fails before the grid changes.
      propCheck.SetHasGraphic(false);
      propCheck.ApplyRecord(cell.Props);
      if (propCheck.HasGraphic()) {
        graphicIO.ReadRecord(Stream);
        cell.Graphic = graphicIO.Take();
        cell.Payload = ReadPayload(Stream, cell.Graphic->CellType(), cell);
      }
    }
    cells.push_back(std::move(cell));
  }

  // A whole grid holds a record for every cell: counts beyond them are damage, not a size to
  // allocate.
  if (header.FullGrid() && int64_t(header.ColCount()) * header.RowCount() > int64_t(cells.size()))
    throw EZavGridError(QStringLiteral("The cell stream's grid size %1 x %2 does not match its %3 cells")
                            .arg(header.ColCount())
                            .arg(header.RowCount())
                            .arg(cells.size()));

  // 2. The grid takes it.
  if (header.FullGrid()) {
    ClearAll();
    SetRowCount(header.RowCount());
    SetColCount(header.ColCount());
    for (int i = 0; i < int(widths.size()); ++i)
      SetColWidths(i, widths[std::size_t(i)]);
    for (int i = 0; i < int(heights.size()); ++i)
      SetRowHeights(i, heights[std::size_t(i)]);
  }
  TPoint origin(0, 0);
  if (!header.FullGrid() && !cells.empty())
    origin = TPoint(cells.front().Col, cells.front().Row);
  TProgress progress(this);
  int lastRow = -1;
  for (TReadCell &cell : cells) {
    const int tc = cell.Col + Point.X - origin.X;
    const int tr = cell.Row + Point.Y - origin.Y;
    if (tc < 0 || tr < 0 || tc >= ColCount() || tr >= RowCount())
      continue;
    // A cell with properties brings its own merge state, so its text goes into the cell itself;
    // a bare text lands on the base cell of a block it falls into.
    if (cell.HasProp)
      SetGridCells(tc, tr, cell.Text);
    else
      SetCells(tc, tr, cell.Text);
    if (tr != lastRow) {
      lastRow = tr;
      progress.Report(Percent(cell.Row - origin.Y, header.RowCount() - 1));
    }
    if (cell.HasProp) {
      ApplyReadProperties(propCheck, tc, tr, cell.Props, cell.Graphic.get(), std::move(cell.Payload), cell.Images);
      CellTextChanged(tc, tr);
      if (Parent())
        RepaintCell(tc, tr);
    }
  }
}

void TZavStringGrid::ApplyReadProperties(TGridCellPropIO &io, int ACol, int ARow, const TComponentRecord &Props,
                                         TCellGraphic *Graphic, std::unique_ptr<TObject> Payload,
                                         const std::vector<int> &Images)
{
  TCellProperties *target = CellProperties(ACol, ARow);
  if (!target)
    return;
  io.CellProperties()->Assign(target);
  io.ApplyRecord(Props);
  io.CellProperties()->SetOwnerCol(ACol);
  io.CellProperties()->SetOwnerRow(ARow);
  target->Assign(io.CellProperties());
  // Virtual and row check boxes are the grid's shared objects, never a cell's own.
  if (!Graphic || TCellTypes{ctVirtCheckBox, ctRowCheckBox}.Contains(Graphic->CellType()))
    return;
  TCellGraphic *g = CreateCellGraphic(ACol, ARow);
  if (!g)
    return;
  g->Assign(Graphic);
  switch (g->CellType()) {
  case ctIcon:
    g->SetCellIcon(Payload.release());
    g->SetCellCreated(true);
    break;
  case ctImages: {
    auto *list = new TIntList(ACol, ARow);
    for (int i = 0; i < int(Images.size()); ++i)
      list->Insert(i, Images[std::size_t(i)]);
    list->OnChange = [this](TObject *, int c, int r) { RepaintCell(c, r); };
    g->SetCellBitmap(list);
    g->SetCellCreated(true);
    break;
  }
  default:
    if (HasPayload(g->CellType())) {
      // The graphic owns what was made for it, whatever the writer's graphic did.
      g->SetCellBitmap(Payload.release());
      g->SetCellCreated(true);
    }
    break;
  }
}

void TZavStringGrid::LoadFromBinStream(TStream *Stream)
{
  LoadAtPointFromBinStream(TPoint(0, 0), Stream);
  int nodes = 0;
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (TCellGraphic *g = dynamic_cast<TCellGraphic *>(GraphicObjects(0, r)); g && g->CellType() == ctNode)
      ++nodes;
  FNumNodes = nodes;
  if (nodes > 0 && HandleAllocated())
    for (int r = 0; r < RowCount(); ++r)
      RepaintCell(0, r);
}

void TZavStringGrid::LoadFromBinFile(const QString &FileName)
{
  TMemoryStream ms;
  ms.LoadFromFile(FileName);
  LoadFromBinStream(&ms);
}
