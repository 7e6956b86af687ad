#include "formula/shared_trees.h"

#include <algorithm>
#include <typeinfo>

namespace qora {

namespace {

// A call whose every call answers the same for the same arguments and work
// item, down to its leaves.
bool IsRepeatable(const TConstant& node) {
  if (node.Kind() != TQelNodeKind::Expression) return true;
  const auto& call = static_cast<const TExpression&>(node);
  const TFunctionClass& fc = call.FunctionClass();
  if (!fc.AllowConversionToConstant && !fc.Repeatable) return false;
  for (int i = 0; i < call.ArgumentCount(); ++i) {
    if (!IsRepeatable(call.Argument(i))) return false;
  }
  return true;
}

// Of two trees that print alike, whether they compute alike: the same kind
// of node calling the same function (a conversion and what it converts
// print alike).
bool SameTree(const TExpression& a, const TExpression& b) {
  return typeid(a) == typeid(b) && &a.FunctionClass() == &b.FunctionClass();
}

// What the tree reads: the least lasting use of the work item among its
// calls (it starts at None), and its variables, each once.
void Describe(const TConstant& node, TQelSharedTree& tree) {
  if (node.Kind() == TQelNodeKind::Variable) {
    const auto* variable = static_cast<const TCustomVariable*>(&node);
    for (const TQelSharedTree::TRead& read : tree.Reads) {
      if (read.Variable == variable) return;
    }
    tree.Reads.push_back({variable, 0});
    return;
  }
  if (node.Kind() != TQelNodeKind::Expression) return;
  const auto& call = static_cast<const TExpression&>(node);
  const TFunctionClass& fc = call.FunctionClass();
  if (!fc.AllowConversionToConstant) tree.Use = std::min(tree.Use, fc.WorkItemUse);
  for (int i = 0; i < call.ArgumentCount(); ++i) Describe(call.Argument(i), tree);
}

}  // namespace

void TQelSharedTrees::ShareRepeats(TExpression& root) {
  for (int i = 0; i < root.ArgumentCount(); ++i) Visit(root, i);
}

void TQelSharedTrees::Visit(TExpression& parent, int i) {
  if (!parent.OwnsArgument(i)) return;  // a variable, or shared already
  const TConstant& node = parent.Argument(i);
  if (node.Kind() != TQelNodeKind::Expression) return;
  auto& call = static_cast<TExpression&>(const_cast<TConstant&>(node));
  if (IsRepeatable(call)) {
    const std::string text = call.Decompile();
    auto [first, last] = FSeen.equal_range(text);
    for (auto it = first; it != last; ++it) {
      TOccurrence& seen = it->second;
      const TConstant& earlier = seen.Shared ? *seen.Shared->Node : seen.Parent->Argument(seen.Index);
      if (!SameTree(static_cast<const TExpression&>(earlier), call)) continue;
      if (!seen.Shared) {
        seen.Shared = std::make_unique<TQelSharedTree>();
        // This copy is whole: the earlier one may have shared parts by now.
        seen.Shared->Use = TQelWorkItemUse::None;
        Describe(call, *seen.Shared);
        seen.Parent->ShareArgument(seen.Index, *seen.Shared, FGeneration, FRun);
      }
      parent.ShareArgument(i, *seen.Shared, FGeneration, FRun);  // drops this copy
      return;
    }
    FSeen.emplace(text, TOccurrence{&parent, i, nullptr});
  }
  for (int k = 0; k < call.ArgumentCount(); ++k) Visit(call, k);
}

}  // namespace qora
