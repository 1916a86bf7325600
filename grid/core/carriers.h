#pragma once
// Carriers of the grid's binary cell stream: one small component per record kind whose fields,
// in their order, make the record. They hold no logic beyond writing and reading themselves;
// the stream operations sequence them and copy values into and out of the cells.
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "framework/classes/classes.h"
#include "framework/classes/gfx2_component_records.h"

class TBaseGrid;
class TCellProperties;
class TCellGraphic;
class TBitmap;
class TIcon;
class TPicture;
class TFilePicture;

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

// One cell: position, stored text, whether a properties record follows. The position is
// 32-bit, so cells beyond 65535 travel too.
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

// A cell's graphic object without its pictures (those follow in a payload record).
class TGridGraphicIO : public TGridCarrier {
public:
  explicit TGridGraphicIO(TComponent *AOwner);
  ~TGridGraphicIO() override;
  std::vector<TCarrierField> Fields() override;
  TCellGraphic *CellGraphic() const { return FCellGraphic.get(); }

private:
  std::unique_ptr<TCellGraphic> FCellGraphic;
};

// The bitmap of a bitmap or bit-button graphic.
class TGridBMPIO : public TGridCarrier {
public:
  explicit TGridBMPIO(TComponent *AOwner);
  ~TGridBMPIO() override;
  std::vector<TCarrierField> Fields() override;
  TBitmap *Bitmap() const { return FBitmap.get(); }

private:
  std::unique_ptr<TBitmap> FBitmap;
};

class TGridIconIO : public TGridCarrier {
public:
  explicit TGridIconIO(TComponent *AOwner);
  ~TGridIconIO() override;
  std::vector<TCarrierField> Fields() override;
  TIcon *Icon() const { return FIcon.get(); }

private:
  std::unique_ptr<TIcon> FIcon;
};

class TGridPicIO : public TGridCarrier {
public:
  explicit TGridPicIO(TComponent *AOwner);
  ~TGridPicIO() override;
  std::vector<TCarrierField> Fields() override;
  TPicture *Picture() const { return FPicture.get(); }

private:
  std::unique_ptr<TPicture> FPicture;
};

// Only the file name travels, never the picture.
class TGridFilePicIO : public TGridCarrier {
public:
  explicit TGridFilePicIO(TComponent *AOwner);
  ~TGridFilePicIO() override;
  std::vector<TCarrierField> Fields() override;
  TFilePicture *Picture() const { return FPicture.get(); }

private:
  std::unique_ptr<TFilePicture> FPicture;
};

// The items of a radio group, or a cell's image indexes as one comma-separated list.
class TGridSLIO : public TGridCarrier {
public:
  explicit TGridSLIO(TComponent *AOwner);
  ~TGridSLIO() override;
  std::vector<TCarrierField> Fields() override;
  TStringList *Strings() const { return FStrings.get(); }

private:
  std::unique_ptr<TStringList> FStrings;
};
