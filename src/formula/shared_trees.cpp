#include "formula/shared_trees.h"

#include <algorithm>
#include <typeinfo>
#include <vector>

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

// The least lasting use of the work item among the tree's calls; None for
// a tree of calls that may be converted to constants.
TQelWorkItemUse LeastUse(const TConstant& node) {
  TQelWorkItemUse use = TQelWorkItemUse::None;
  if (node.Kind() != TQelNodeKind::Expression) return use;
  const auto& call = static_cast<const TExpression&>(node);
  const TFunctionClass& fc = call.FunctionClass();
  if (!fc.AllowConversionToConstant) use = fc.WorkItemUse;
  for (int i = 0; i < call.ArgumentCount() && use != TQelWorkItemUse::Changing; ++i) {
    use = std::min(use, LeastUse(call.Argument(i)));
  }
  return use;
}

// What the tree reads: how it uses the work item, and its variables, each once.
void Describe(const TExpression& call, TQelSharedTree& tree) {
  tree.Use = LeastUse(call);
  std::vector<const TCustomVariable*> variables;
  call.VariablesUsed(variables);
  for (const TCustomVariable* variable : variables) {
    const auto known = [variable](const TQelSharedTree::TRead& read) { return read.Variable == variable; };
    if (std::none_of(tree.Reads.begin(), tree.Reads.end(), known)) tree.Reads.push_back({variable, 0});
  }
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
