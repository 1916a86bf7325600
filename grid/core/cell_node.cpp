#include "grid/core/cell_node.h"

#include "grid/core/zav_string_grid.h"

TCellNode::TCellNode(TZavStringGrid *AOwner)
    : FExpandGlyph(std::make_unique<TBitmap>()), FContractGlyph(std::make_unique<TBitmap>()), FOwner(AOwner)
{
}

TCellNode::~TCellNode() = default;

void TCellNode::Assign(TPersistent *Source)
{
  auto *s = dynamic_cast<TCellNode *>(Source);
  if (!s)
    return;
  FColor = s->FColor;
  FNodeType = s->FNodeType;
  FNodeColor = s->FNodeColor;
  FExpandGlyph->Assign(s->FExpandGlyph.get());
  FExpandOne = s->FExpandOne;
  FContractGlyph->Assign(s->FContractGlyph.get());
  FShowTree = s->FShowTree;
  FShowTreeFull = s->FShowTreeFull;
  FNodeIndent = s->FNodeIndent;
  FTreeColor = s->FTreeColor;
}

void TCellNode::Changed()
{
  if (FOwner)
    FOwner->Invalidate();
}

#define QM_NODE_SETTER(T, N, F)                                                                   \
  void TCellNode::Set##N(T Value)                                                                 \
  {                                                                                               \
    if (F == Value)                                                                               \
      return;                                                                                     \
    F = Value;                                                                                    \
    Changed();                                                                                    \
  }
QM_NODE_SETTER(TNodeType, NodeType, FNodeType)
QM_NODE_SETTER(bool, ShowTree, FShowTree)
QM_NODE_SETTER(bool, ShowTreeFull, FShowTreeFull)
QM_NODE_SETTER(int, NodeIndent, FNodeIndent)
QM_NODE_SETTER(TColor, TreeColor, FTreeColor)
#undef QM_NODE_SETTER
