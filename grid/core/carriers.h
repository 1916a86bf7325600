#pragma once
// Carriers of the grid's binary cell stream: one small component per record kind whose fields,
// in their order, make the record. They hold no logic beyond writing and reading themselves;
// the stream operations sequence them and copy values into and out of the cells.
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "framework/classes/classes.h"
#include "framework/classes/gfx2_component_records.h"
#include "framework/graphics/graphics.h"
#include "grid/core/cell_graphic.h"
#include "grid/foundation/grid_helpers.h"

class TBaseGrid;
class TCellProperties;

// One field of a record: its name, its value as written (none: left out of the record) and how
// a value read back is taken in.
struct TCarrierField {
  QString Name;
  std::function<std::optional<TRecordValue>()> Get;
  std::function<void(const TRecordValue &)> Set;
};

class TGridCarrier : public TComponent {
public:
  using TComponent::TComponent;
  // The record's fields, in record order.
  virtual std::vector<TCarrierField> Fields() = 0;
  // One record with the carrier's class name and no component name.
  void WriteRecord(TStream *Stream);
  // Reads the next record into the carrier whatever class it names; the fields present replace
  // the carrier's values. A field the carrier does not have raises EReadError.
  void ReadRecord(TStream *Stream);
  // The fields of a record already read, as ReadRecord takes them in.
  void ApplyRecord(const TComponentRecord &Rec);
};

// Stream header: size, widths and heights as comma-separated decimals, whole-grid flag, writer.
class TGridPropIO : public TGridCarrier {
public:
  using TGridCarrier::TGridCarrier;
  std::vector<TCarrierField> Fields() override;
  int ColCount() const { return FColCount; }
  void SetColCount(int Value) { FColCount = Value; }
  int RowCount() const { return FRowCount; }
  void SetRowCount(int Value) { FRowCount = Value; }
  const QString &ColWidths() const { return FColWidths; }
  void SetColWidths(const QString &Value) { FColWidths = Value; }
  const QString &RowHeights() const { return FRowHeights; }
  void SetRowHeights(const QString &Value) { FRowHeights = Value; }
  bool FullGrid() const { return FFullGrid; }
  void SetFullGrid(bool Value) { FFullGrid = Value; }
  int ID() const { return FID; }
  void SetID(int Value) { FID = Value; }

private:
  int FColCount = 0;
  int FRowCount = 0;
  QString FColWidths;
  QString FRowHeights;
  bool FFullGrid = false;
  int FID = 0;
};

// One cell: position, stored text, whether a properties record follows. The carrier holds a
// 32-bit position; the grid's stream operations keep to 0..65535, which every reader of the
// format can address.
class TGridCellIO : public TGridCarrier {
public:
  using TGridCarrier::TGridCarrier;
  std::vector<TCarrierField> Fields() override;
  int Col() const { return FCol; }
  void SetCol(int Value) { FCol = Value; }
  int Row() const { return FRow; }
  void SetRow(int Value) { FRow = Value; }
  const QString &Cell() const { return FCell; }
  void SetCell(const QString &Value) { FCell = Value; }
  bool HasProp() const { return FHasProp; }
  void SetHasProp(bool Value) { FHasProp = Value; }

private:
  int FCol = 0;
  int FRow = 0;
  QString FCell;
  bool FHasProp = false;
};

// A cell's properties and whether a graphic record follows. The properties object belongs to
// the streaming grid's cell (0, 0) by construction, as any free properties object must name a
// cell; creating it marks the grid as having cell properties.
class TGridCellPropIO : public TGridCarrier {
public:
  explicit TGridCellPropIO(TBaseGrid *AOwner);
  ~TGridCellPropIO() override;
  std::vector<TCarrierField> Fields() override;
  TCellProperties *CellProperties() const { return FCellProperties.get(); }
  bool HasGraphic() const { return FHasGraphic; }
  void SetHasGraphic(bool Value) { FHasGraphic = Value; }

private:
  std::unique_ptr<TCellProperties> FCellProperties;
  bool FHasGraphic = false;
};

// A carrier of one object it creates with itself and frees with itself.
template <typename T>
class TGridObjectCarrier : public TGridCarrier {
public:
  explicit TGridObjectCarrier(TComponent *AOwner) : TGridCarrier(AOwner), FObject(std::make_unique<T>()) {}
  // Hands the object read over to the caller and starts the carrier afresh, so that nothing of
  // one record reaches the next.
  std::unique_ptr<T> Take() { return std::exchange(FObject, std::make_unique<T>()); }

protected:
  std::unique_ptr<T> FObject;
};

// A cell's graphic object without its pictures (those follow in a payload record).
class TGridGraphicIO : public TGridObjectCarrier<TCellGraphic> {
public:
  using TGridObjectCarrier::TGridObjectCarrier;
  std::vector<TCarrierField> Fields() override;
  TCellGraphic *CellGraphic() const { return FObject.get(); }
};

// The bitmap of a bitmap or bit-button graphic.
class TGridBMPIO : public TGridObjectCarrier<TBitmap> {
public:
  using TGridObjectCarrier::TGridObjectCarrier;
  std::vector<TCarrierField> Fields() override;
  TBitmap *Bitmap() const { return FObject.get(); }
};

class TGridIconIO : public TGridObjectCarrier<TIcon> {
public:
  using TGridObjectCarrier::TGridObjectCarrier;
  std::vector<TCarrierField> Fields() override;
  TIcon *Icon() const { return FObject.get(); }
};

class TGridPicIO : public TGridObjectCarrier<TPicture> {
public:
  using TGridObjectCarrier::TGridObjectCarrier;
  std::vector<TCarrierField> Fields() override;
  TPicture *Picture() const { return FObject.get(); }
};

// Only the file name travels, never the picture.
class TGridFilePicIO : public TGridObjectCarrier<TFilePicture> {
public:
  using TGridObjectCarrier::TGridObjectCarrier;
  std::vector<TCarrierField> Fields() override;
  TFilePicture *Picture() const { return FObject.get(); }
};

// The items of a radio group, or a cell's image indexes as one comma-separated list.
class TGridSLIO : public TGridObjectCarrier<TStringList> {
public:
  using TGridObjectCarrier::TGridObjectCarrier;
  std::vector<TCarrierField> Fields() override;
  TStringList *Strings() const { return FObject.get(); }
};
