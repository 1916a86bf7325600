#pragma once
// The outline look of node rows: glyph style and colours, tree lines and the indent per level.
#include <array>
#include <memory>

#include "framework/classes/classes.h"
#include "framework/graphics/graphics.h"
#include "grid/foundation/grid_enums.h"

class TZavStringGrid;

enum class TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };
using enum TNodeType;

template <>
struct TEnumNames<TNodeType> {
  static constexpr std::array Names{"cnFlat", "cn3D", "cnGlyph", "cnLeaf", "cnXP"};
  static_assert(Names.size() == std::size_t(cnXP) + 1, "name table of TNodeType out of step");
};

class TCellNode : public TPersistent {
public:
  // AOwner: the grid that is repainted on a change (not owned; may be nullptr).
  explicit TCellNode(TZavStringGrid *AOwner);
  ~TCellNode() override;
  // Every property, the glyphs by picture.
  void Assign(TPersistent *Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TNodeType NodeType() const { return FNodeType; }
  void SetNodeType(TNodeType Value);
  TColor NodeColor() const { return FNodeColor; }
  void SetNodeColor(TColor Value) { FNodeColor = Value; }
  TBitmap *ExpandGlyph() const { return FExpandGlyph.get(); }
  void SetExpandGlyph(TBitmap *Value) { FExpandGlyph->Assign(Value); }
  bool ExpandOne() const { return FExpandOne; }
  void SetExpandOne(bool Value) { FExpandOne = Value; }
  TBitmap *ContractGlyph() const { return FContractGlyph.get(); }
  void SetContractGlyph(TBitmap *Value) { FContractGlyph->Assign(Value); }
  bool ShowTree() const { return FShowTree; }
  void SetShowTree(bool Value);
  bool ShowTreeFull() const { return FShowTreeFull; }
  void SetShowTreeFull(bool Value);
  int NodeIndent() const { return FNodeIndent; }
  void SetNodeIndent(int Value);
  TColor TreeColor() const { return FTreeColor; }
  void SetTreeColor(TColor Value);

private:
  void Changed();
  TColor FColor = clSilver;
  TNodeType FNodeType = cnXP;
  TColor FNodeColor = clBlack;
  std::unique_ptr<TBitmap> FExpandGlyph;
  bool FExpandOne = false;
  std::unique_ptr<TBitmap> FContractGlyph;
  TZavStringGrid *FOwner;
  bool FShowTree = true;
  bool FShowTreeFull = true;
  int FNodeIndent = 12;
  TColor FTreeColor = clGray;
};
