#include "grid/core/control_look.h"

#include "editors/appearance.h"
#include "grid/core/zav_string_grid.h"

TControlLook::TControlLook(TZavStringGrid *AOwner)
    : FGrid(AOwner),
      FCheckedGlyph(std::make_unique<TBitmap>()),
      FUnCheckedGlyph(std::make_unique<TBitmap>()),
      FRadioOnGlyph(std::make_unique<TBitmap>()),
      FRadioOffGlyph(std::make_unique<TBitmap>())
{
  InitColors();
  FDropDownHeader = std::make_unique<THeaderAppearance>(AOwner);
  FDropDownFooter = std::make_unique<TFooterAppearance>(AOwner);
}

TControlLook::~TControlLook() = default;

void TControlLook::InitColors()
{
  FColor = clBlack;
  FCommentColor = clRed;
  FProgressBorderColor = clGray;
  FFixedGradientFrom = clNone;
  FFixedGradientTo = clNone;
  FFixedGradientMirrorFrom = clNone;
  FFixedGradientMirrorTo = clNone;
  FFixedGradientHoverFrom = clGray;
  FFixedGradientHoverTo = clWhite;
  FFixedGradientHoverBorder = clSilver;
  FFixedGradientDownFrom = clGray;
  FFixedGradientDownTo = clSilver;
  FFixedGradientDownBorder = clGray;
  // Through the writers: the grid drops any hover or pressed mirror of an earlier look.
  SetFixedGradientHoverMirrorFrom(clNone);
  SetFixedGradientHoverMirrorTo(clNone);
  SetFixedGradientDownMirrorFrom(clNone);
  SetFixedGradientDownMirrorTo(clNone);
}

void TControlLook::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TControlLook *>(Source);
  if (!src)
    return;
  FCheckSize = src->FCheckSize;
  FRadioSize = src->FRadioSize;
  FControlStyle = src->FControlStyle;
  FCheckedGlyph->Assign(src->FCheckedGlyph.get());
  FUnCheckedGlyph->Assign(src->FUnCheckedGlyph.get());
  FRadioOnGlyph->Assign(src->FRadioOnGlyph.get());
  FRadioOffGlyph->Assign(src->FRadioOffGlyph.get());
  FProgressMarginX = src->FProgressMarginX;
  FProgressMarginY = src->FProgressMarginY;
  FCommentColor = src->FCommentColor;
  FColor = src->FColor;
  FProgressBorderColor = src->FProgressBorderColor;
  FCheckAlwaysActive = src->FCheckAlwaysActive;
  FRadioAlwaysActive = src->FRadioAlwaysActive;
  FFixedGradientFrom = src->FFixedGradientFrom;
  FFixedGradientTo = src->FFixedGradientTo;
  FFixedGradientMirrorFrom = src->FFixedGradientMirrorFrom;
  FFixedGradientMirrorTo = src->FFixedGradientMirrorTo;
  FFixedGradientHoverFrom = src->FFixedGradientHoverFrom;
  FFixedGradientHoverTo = src->FFixedGradientHoverTo;
  FFixedGradientHoverMirrorFrom = src->FFixedGradientHoverMirrorFrom;
  FFixedGradientHoverMirrorTo = src->FFixedGradientHoverMirrorTo;
  FFixedGradientHoverBorder = src->FFixedGradientHoverBorder;
  FFixedGradientDownFrom = src->FFixedGradientDownFrom;
  FFixedGradientDownTo = src->FFixedGradientDownTo;
  FFixedGradientDownMirrorFrom = src->FFixedGradientDownMirrorFrom;
  FFixedGradientDownMirrorTo = src->FFixedGradientDownMirrorTo;
  FFixedGradientDownBorder = src->FFixedGradientDownBorder;
  FDropDownAlwaysVisible = src->FDropDownAlwaysVisible;
  FSpinButtonsAlwaysVisible = src->FSpinButtonsAlwaysVisible;
  FDropDownCount = src->FDropDownCount;
  FDropDownFooter->Assign(src->FDropDownFooter.get());
  FDropDownHeader->Assign(src->FDropDownHeader.get());
  FHintMaxWidth = src->FHintMaxWidth;
}

template <typename T>
void TControlLook::StoreAndRepaint(T &Field, const T &Value)
{
  Field = Value;
  if (FGrid)
    FGrid->Invalidate();
}

void TControlLook::CopyGlyph(TBitmap *Glyph, TBitmap *Value)
{
  Glyph->Assign(Value);
  if (FGrid)
    FGrid->Invalidate();
}

void TControlLook::SetColor(TColor Value) { StoreAndRepaint(FColor, Value); }
void TControlLook::SetCommentColor(TColor Value) { StoreAndRepaint(FCommentColor, Value); }
void TControlLook::SetCheckedGlyph(TBitmap *Value) { CopyGlyph(FCheckedGlyph.get(), Value); }
void TControlLook::SetUnCheckedGlyph(TBitmap *Value) { CopyGlyph(FUnCheckedGlyph.get(), Value); }
void TControlLook::SetRadioOnGlyph(TBitmap *Value) { CopyGlyph(FRadioOnGlyph.get(), Value); }
void TControlLook::SetRadioOffGlyph(TBitmap *Value) { CopyGlyph(FRadioOffGlyph.get(), Value); }
void TControlLook::SetCheckSize(int Value) { StoreAndRepaint(FCheckSize, Value); }
void TControlLook::SetRadioSize(int Value) { StoreAndRepaint(FRadioSize, Value); }
void TControlLook::SetControlStyle(ZavGrid::TControlStyle Value) { StoreAndRepaint(FControlStyle, Value); }
void TControlLook::SetDropDownAlwaysVisible(bool Value) { StoreAndRepaint(FDropDownAlwaysVisible, Value); }
void TControlLook::SetSpinButtonsAlwaysVisible(bool Value) { StoreAndRepaint(FSpinButtonsAlwaysVisible, Value); }
void TControlLook::SetFlatButton(bool Value) { StoreAndRepaint(FFlatButton, Value); }
void TControlLook::SetNoDisabledCheckRadioLook(bool Value) { StoreAndRepaint(FNoDisabledCheckRadioLook, Value); }
void TControlLook::SetNoDisabledButtonLook(bool Value) { StoreAndRepaint(FNoDisabledButtonLook, Value); }
void TControlLook::SetProgressMarginX(int Value) { StoreAndRepaint(FProgressMarginX, Value); }
void TControlLook::SetProgressMarginY(int Value) { StoreAndRepaint(FProgressMarginY, Value); }
void TControlLook::SetProgressXP(bool Value) { StoreAndRepaint(FProgressXP, Value); }

void TControlLook::SetDropDownHeader(THeaderAppearance *Value) { FDropDownHeader->Assign(Value); }
void TControlLook::SetDropDownFooter(TFooterAppearance *Value) { FDropDownFooter->Assign(Value); }

// The grid's fixed-cell colours. A clNone start, end or border colour would leave the painter
// nothing to draw with, so it stays in this object; a clNone mirror colour means "no mirror
// half" and must reach the grid.

#define QM_GRID_COLOUR(Prop, Field, GridSetter, SkipNone)                                         \
  void TControlLook::Set##Prop(TColor Value)                                                      \
  {                                                                                               \
    Field = Value;                                                                                \
    if (FGrid && !(SkipNone && Value == clNone))                                                  \
      FGrid->GridSetter(Value);                                                                   \
  }

QM_GRID_COLOUR(FixedGradientFrom, FFixedGradientFrom, SetZAVGradientFrom, true)
QM_GRID_COLOUR(FixedGradientTo, FFixedGradientTo, SetZAVGradientTo, true)
QM_GRID_COLOUR(FixedGradientMirrorFrom, FFixedGradientMirrorFrom, SetZAVGradientMirrorFrom, false)
QM_GRID_COLOUR(FixedGradientMirrorTo, FFixedGradientMirrorTo, SetZAVGradientMirrorTo, false)
QM_GRID_COLOUR(FixedGradientHoverFrom, FFixedGradientHoverFrom, SetZAVGradientHoverFrom, true)
QM_GRID_COLOUR(FixedGradientHoverTo, FFixedGradientHoverTo, SetZAVGradientHoverTo, true)
QM_GRID_COLOUR(FixedGradientHoverMirrorFrom, FFixedGradientHoverMirrorFrom, SetZAVGradientHoverMirrorFrom, false)
QM_GRID_COLOUR(FixedGradientHoverMirrorTo, FFixedGradientHoverMirrorTo, SetZAVGradientHoverMirrorTo, false)
QM_GRID_COLOUR(FixedGradientHoverBorder, FFixedGradientHoverBorder, SetZAVGradientHoverBorder, true)
QM_GRID_COLOUR(FixedGradientDownFrom, FFixedGradientDownFrom, SetZAVGradientDownFrom, true)
QM_GRID_COLOUR(FixedGradientDownTo, FFixedGradientDownTo, SetZAVGradientDownTo, true)
QM_GRID_COLOUR(FixedGradientDownMirrorFrom, FFixedGradientDownMirrorFrom, SetZAVGradientDownMirrorFrom, false)
QM_GRID_COLOUR(FixedGradientDownMirrorTo, FFixedGradientDownMirrorTo, SetZAVGradientDownMirrorTo, false)
QM_GRID_COLOUR(FixedGradientDownBorder, FFixedGradientDownBorder, SetZAVGradientDownBorder, true)

#undef QM_GRID_COLOUR
