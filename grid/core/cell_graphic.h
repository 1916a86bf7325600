#pragma once
// The one graphic or control a grid cell can carry (bitmap, check box, radio group, progress
// bar, button, comment, node ...). One class serves every kind: the kind tag says what the
// general-purpose fields mean, so that a cell needs one slot whatever it shows.
#include <QString>

#include <array>
#include <cstdint>

#include "framework/classes/classes.h"
#include "framework/graphics/graphics.h"
#include "framework/stdctrls/stdctrls.h"
#include "grid/foundation/draw_utils.h"
#include "grid/foundation/grid_enums.h"
#include "grid/foundation/grid_events.h"

class TIntList;
class TFilePicture;

enum class TCellType : uint8_t {
  ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage,
  ctNode, ctRadio, ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment,
  ctButton, ctBitButton, ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary,
  ctRangeIndicator, ctXPProgress, ctInterface, ctScrollbar, ctRadioButton, ctBalloon, ctShape,
  ctRating, ctTriStateCheckBox, ctExpand,
};
using enum TCellType;
using TCellTypes = TSet<TCellType>;

template <>
struct TEnumNames<TCellType> {
  static constexpr std::array Names{
      "ctBitmap", "ctIcon", "ctNone", "ctImageList", "ctCheckBox", "ctDataCheckBox", "ctRotated",
      "ctDataImage", "ctNode", "ctRadio", "ctEmpty", "ctImages", "ctPicture", "ctFilePicture",
      "ctValue", "ctProgress", "ctComment", "ctButton", "ctBitButton", "ctVirtCheckBox",
      "ctRowCheckBox", "ctProgressPie", "ctSummary", "ctRangeIndicator", "ctXPProgress",
      "ctInterface", "ctScrollbar", "ctRadioButton", "ctBalloon", "ctShape", "ctRating",
      "ctTriStateCheckBox", "ctExpand"};
  static_assert(Names.size() == std::size_t(ctExpand) + 1, "name table of TCellType out of step");
};

enum class TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
using enum TCellHAlign;
enum class TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
using enum TCellVAlign;
enum class TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };
using enum TStretchMode;

// Page size and range of a cell's own scroll bar.
struct TScrollProp {
  int PageSize = 0;
  int Range = 0;
};

// What an interfaced cell object tells the grid about its size; its drawing belongs to the
// painter. A zero dimension means "as large as the cell".
class IGridCellInterface {
public:
  virtual ~IGridCellInterface() = default;
  virtual void Draw(TCanvas *Canvas, const TRect &R, int Col, int Row, bool Selected, bool Print) = 0;
  virtual int GetWidth() = 0;
  virtual int GetHeight() = 0;
};

class TCellGraphic : public TPersistent {
public:
  TCellGraphic() = default;
  // Frees what the kind owns (see Owns...); objects handed in by the caller stay the caller's.
  ~TCellGraphic() override;

  // Copies kind, placement, index, flags, value, angle, error marker, text, the created flag
  // and the tri-state box state; the objects and the state value stay. A copied "created" flag
  // therefore never frees the source's object: the copy holds none.
  void Assign(TPersistent *Source) override;

  void SetInterfacedCell(TInterfacedPersistent *AObject);
  void SetBitmap(TBitmap *ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
  void SetButton(int bw, int bh, const QString &caption, TCellHAlign hal, TCellVAlign val);
  void SetBitButton(int bw, int bh, const QString &caption, TBitmap *Glyph, TCellHAlign hal, TCellVAlign val);
  void SetPicture(TPicture *APicture, bool Transparent, TStretchMode StretchMode, int padding,
                  TCellHAlign hal, TCellVAlign val);
  void SetFilePicture(TFilePicture *APicture, bool Transparent, TStretchMode StretchMode, int padding,
                      TCellHAlign hal, TCellVAlign val);
  void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
  void SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val);
  void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val);
  void SetIcon(TIcon *aicon, TCellHAlign hal, TCellVAlign val);
  void SetDataImage(int idx, TCellHAlign hal, TCellVAlign val);
  void SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val);
  void SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val, TImageChangeEvent Notifier);
  void SetAngle(int16_t AAngle);
  // Room of a picture kind in a cell of cw x rh, by the stretch mode.
  TPoint GetPictureSize(int cw, int rh, bool hastext) const;

  TCellType CellType() const { return FCellType; }
  void SetCellType(TCellType Value) { FCellType = Value; }
  TCellVAlign CellVAlign() const { return FCellVAlign; }
  void SetCellVAlign(TCellVAlign Value) { FCellVAlign = Value; }
  TCellHAlign CellHAlign() const { return FCellHAlign; }
  void SetCellHAlign(TCellHAlign Value) { FCellHAlign = Value; }
  int CellIndex() const { return FCellIndex; }
  void SetCellIndex(int Value) { FCellIndex = Value; }
  bool CellTransparent() const { return FCellTransparent; }
  void SetCellTransparent(bool Value) { FCellTransparent = Value; }
  bool CellCreated() const { return FCellCreated; }
  void SetCellCreated(bool Value) { FCellCreated = Value; }
  bool CellBoolean() const { return FCellBoolean; }
  void SetCellBoolean(bool Value) { FCellBoolean = Value; }
  TCheckBoxState CellCheckBoxState() const { return FCellCheckBoxState; }
  void SetCellCheckBoxState(TCheckBoxState Value) { FCellCheckBoxState = Value; }
  int CellAngle() const { return FCellAngle; }
  void SetCellAngle(int Value) { FCellAngle = Value; }
  double CellValue() const { return FCellValue; }
  void SetCellValue(double Value) { FCellValue = Value; }
  int CellErrFrom() const { return FCellErrFrom; }
  void SetCellErrFrom(int Value) { FCellErrFrom = Value; }
  int CellErrLen() const { return FCellErrLen; }
  void SetCellErrLen(int Value) { FCellErrLen = Value; }
  const QString &CellText() const { return FCellText; }
  void SetCellText(const QString &Value) { FCellText = Value; }

  // The kind's main object (bitmap, picture, item list, image list, balloon lines, interfaced
  // object) and, for the kinds that keep colours there, the colour in its place.
  TObject *CellBitmap() const { return FCellBitmap; }
  void SetCellBitmap(TObject *Value) { FCellBitmap = Value; }
  TColor CellBitmapColor() const { return FCellBitmapColor; }
  void SetCellBitmapColor(TColor Value) { FCellBitmapColor = Value; }
  TObject *CellIcon() const { return FCellIcon; }
  void SetCellIcon(TObject *Value) { FCellIcon = Value; }
  TColor CellIconColor() const { return FCellIconColor; }
  void SetCellIconColor(TColor Value) { FCellIconColor = Value; }
  // State value of expand (0/1), node (grouped column or -1) and radio-group cells.
  int CellVar() const { return FCellVar; }
  void SetCellVar(int Value) { FCellVar = Value; }

private:
  TCellType FCellType = ctNone;
  TObject *FCellBitmap = nullptr;
  TColor FCellBitmapColor = 0;
  TObject *FCellIcon = nullptr;
  TColor FCellIconColor = 0;
  TCellVAlign FCellVAlign = vaTop;
  TCellHAlign FCellHAlign = haLeft;
  int FCellIndex = 0;
  bool FCellTransparent = false;
  bool FCellCreated = false;
  bool FCellBoolean = false;
  int FCellAngle = 0;
  double FCellValue = 0;
  int FCellErrFrom = 0;
  int FCellErrLen = 0;
  QString FCellText;
  int FCellVar = 0;
  TCheckBoxState FCellCheckBoxState = cbUnchecked;
};

class TZavStringGrid;
// The graphic is drawn from the cell text (data check boxes and images), so the text itself is
// not printed.
bool IsDataGraphicCell(TZavStringGrid *Grid, int ACol, int ARow);

