#pragma once
// How the controls a grid draws in its cells look and behave (check boxes, radio buttons, buttons,
// progress bars, combo and spin buttons, comment marks, hints), the gradients of its fixed cells
// in their normal, hover and pressed states, and the bars of its drop-down editors.
#include <array>
#include <cstddef>
#include <memory>

#include "framework/classes/classes.h"
#include "framework/graphics/graphics.h"
#include "grid/foundation/grid_enums.h"

class TZavStringGrid;
class THeaderAppearance;
class TFooterAppearance;

// The grid's own drawing style of in-cell controls. The framework's TControlStyle (a set of
// control traits) already has the name, hence the namespace; the values are global as usual.
namespace ZavGrid {
enum class TControlStyle { csClassic, csFlat, csWinXP, csBorland, csZAV, csGlyph, csTheme };
}
using enum ZavGrid::TControlStyle;

template <>
struct TEnumNames<ZavGrid::TControlStyle> {
  static constexpr std::array Names{"csClassic", "csFlat", "csWinXP", "csBorland", "csZAV", "csGlyph", "csTheme"};
  static_assert(Names.size() == std::size_t(csTheme) + 1, "name table of TControlStyle out of step");
};

class TControlLook : public TPersistent {
public:
  // AOwner: the grid (not owned). The drop-down bars are created for it.
  explicit TControlLook(TZavStringGrid *AOwner);
  ~TControlLook() override;
  // From another TControlLook only, into this object alone (the grid's gradient colours stay);
  // leaves FlatButton, ProgressXP, NoDisabledCheckRadioLook, NoDisabledButtonLook and
  // FixedDropDownButton.
  void Assign(TPersistent *Source) override;
  // The colours of a new look object; the grid runs it again when its overall look changes.
  void InitColors();

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TColor CommentColor() const { return FCommentColor; }
  void SetCommentColor(TColor Value);
  // The glyph writers copy into the owned bitmaps.
  TBitmap *CheckedGlyph() const { return FCheckedGlyph.get(); }
  void SetCheckedGlyph(TBitmap *Value);

  // The fixed-cell gradient: this object keeps its own copy, and a write also sets the grid's
  // colour, which the painting uses. A clNone From, To or Border stays here only; the mirror
  // colours always reach the grid.
  TColor FixedGradientFrom() const { return FFixedGradientFrom; }
  void SetFixedGradientFrom(TColor Value);
  TColor FixedGradientTo() const { return FFixedGradientTo; }
  void SetFixedGradientTo(TColor Value);
  TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
  void SetFixedGradientMirrorFrom(TColor Value);
  TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
  void SetFixedGradientMirrorTo(TColor Value);
  TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
  void SetFixedGradientHoverFrom(TColor Value);
  TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
  void SetFixedGradientHoverTo(TColor Value);
  TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
  void SetFixedGradientHoverMirrorFrom(TColor Value);
  TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
  void SetFixedGradientHoverMirrorTo(TColor Value);
  TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
  void SetFixedGradientHoverBorder(TColor Value);
  TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
  void SetFixedGradientDownFrom(TColor Value);
  TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
  void SetFixedGradientDownTo(TColor Value);
  TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
  void SetFixedGradientDownMirrorFrom(TColor Value);
  TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
  void SetFixedGradientDownMirrorTo(TColor Value);
  TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
  void SetFixedGradientDownBorder(TColor Value);

  bool FixedDropDownButton() const { return FFixedDropDownButton; }
  void SetFixedDropDownButton(bool Value) { FFixedDropDownButton = Value; }
  int HintMaxWidth() const { return FHintMaxWidth; }
  void SetHintMaxWidth(int Value) { FHintMaxWidth = Value; }
  TBitmap *UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
  void SetUnCheckedGlyph(TBitmap *Value);
  TBitmap *RadioOnGlyph() const { return FRadioOnGlyph.get(); }
  void SetRadioOnGlyph(TBitmap *Value);
  TBitmap *RadioOffGlyph() const { return FRadioOffGlyph.get(); }
  void SetRadioOffGlyph(TBitmap *Value);
  int CheckSize() const { return FCheckSize; }
  void SetCheckSize(int Value);
  bool CheckAlwaysActive() const { return FCheckAlwaysActive; }
  void SetCheckAlwaysActive(bool Value) { FCheckAlwaysActive = Value; }
  int RadioSize() const { return FRadioSize; }
  void SetRadioSize(int Value);
  bool RadioAlwaysActive() const { return FRadioAlwaysActive; }
  void SetRadioAlwaysActive(bool Value) { FRadioAlwaysActive = Value; }
  ZavGrid::TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(ZavGrid::TControlStyle Value);
  bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
  void SetDropDownAlwaysVisible(bool Value);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }
  // The bar writers copy the given settings into the owned objects.
  THeaderAppearance *DropDownHeader() const { return FDropDownHeader.get(); }
  void SetDropDownHeader(THeaderAppearance *Value);
  TFooterAppearance *DropDownFooter() const { return FDropDownFooter.get(); }
  void SetDropDownFooter(TFooterAppearance *Value);
  bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
  void SetSpinButtonsAlwaysVisible(bool Value);
  bool FlatButton() const { return FFlatButton; }
  void SetFlatButton(bool Value);
  bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
  void SetNoDisabledCheckRadioLook(bool Value);
  bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
  void SetNoDisabledButtonLook(bool Value);
  TColor ProgressBorderColor() const { return FProgressBorderColor; }
  void SetProgressBorderColor(TColor Value) { FProgressBorderColor = Value; }
  int ProgressMarginX() const { return FProgressMarginX; }
  void SetProgressMarginX(int Value);
  int ProgressMarginY() const { return FProgressMarginY; }
  void SetProgressMarginY(int Value);
  bool ProgressXP() const { return FProgressXP; }
  void SetProgressXP(bool Value);

private:
  // Stores and repaints the grid.
  template <typename T>
  void StoreAndRepaint(T &Field, const T &Value);
  void CopyGlyph(TBitmap *Glyph, TBitmap *Value);

  TZavStringGrid *FGrid;  // not owned
  TColor FColor = clBlack;
  TColor FCommentColor = clRed;
  std::unique_ptr<TBitmap> FCheckedGlyph;
  std::unique_ptr<TBitmap> FUnCheckedGlyph;
  std::unique_ptr<TBitmap> FRadioOnGlyph;
  std::unique_ptr<TBitmap> FRadioOffGlyph;
  TColor FFixedGradientFrom = clNone;
  TColor FFixedGradientTo = clNone;
  TColor FFixedGradientMirrorFrom = clNone;
  TColor FFixedGradientMirrorTo = clNone;
  TColor FFixedGradientHoverFrom = clNone;
  TColor FFixedGradientHoverTo = clNone;
  TColor FFixedGradientHoverMirrorFrom = clNone;
  TColor FFixedGradientHoverMirrorTo = clNone;
  TColor FFixedGradientHoverBorder = clNone;
  TColor FFixedGradientDownFrom = clNone;
  TColor FFixedGradientDownTo = clNone;
  TColor FFixedGradientDownMirrorFrom = clNone;
  TColor FFixedGradientDownMirrorTo = clNone;
  TColor FFixedGradientDownBorder = clNone;
  bool FFixedDropDownButton = false;
  int FHintMaxWidth = 0;
  int FCheckSize = 15;
  bool FCheckAlwaysActive = false;
  int FRadioSize = 10;
  bool FRadioAlwaysActive = false;
  ZavGrid::TControlStyle FControlStyle = csTheme;
  bool FDropDownAlwaysVisible = false;
  int FDropDownCount = 8;
  std::unique_ptr<THeaderAppearance> FDropDownHeader;
  std::unique_ptr<TFooterAppearance> FDropDownFooter;
  bool FSpinButtonsAlwaysVisible = false;
  bool FFlatButton = false;
  bool FNoDisabledCheckRadioLook = false;
  bool FNoDisabledButtonLook = false;
  TColor FProgressBorderColor = clGray;
  int FProgressMarginX = 2;
  int FProgressMarginY = 2;
  bool FProgressXP = false;
};
