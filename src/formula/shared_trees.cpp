#include "formula/shared_trees.h"

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

}  // namespace

bool SameQelTree(const TConstant& a, const TConstant& b) {
  if (&a == &b) return true;
  if (a.Kind() != b.Kind() || a.ResultType() != b.ResultType()) return false;
  switch (a.Kind()) {
    case TQelNodeKind::Variable: return false;  // one object per name
    case TQelNodeKind::Constant: {
      const TQelValue &x = a.Result(), &y = b.Result();
      switch (x.Type) {
        case rdtDouble: return x.D == y.D;
        case rdtInteger: return x.I == y.I;
        case rdtBoolean: return x.B == y.B;
        case rdtString: return x.S == y.S;
      }
      return false;
    }
    case TQelNodeKind::Expression: break;
  }
  const auto& x = static_cast<const TExpression&>(a);
  const auto& y = static_cast<const TExpression&>(b);
  if (typeid(x) != typeid(y) || &x.FunctionClass() != &y.FunctionClass() ||
      x.ArgumentCount() != y.ArgumentCount()) {
    return false;
  }
  for (int i = 0; i < x.ArgumentCount(); ++i) {
    if (!SameQelTree(x.Argument(i), y.Argument(i))) return false;
  }
  return true;
}

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
      if (!SameQelTree(earlier, call)) continue;
      if (!seen.Shared) {
        seen.Shared = std::make_unique<TQelSharedTree>();
        seen.Parent->ShareArgument(seen.Index, *seen.Shared, FGeneration);
      }
      parent.ShareArgument(i, *seen.Shared, FGeneration);  // drops this copy
      return;
    }
    FSeen.emplace(text, TOccurrence{&parent, i, nullptr});
  }
  for (int k = 0; k < call.ArgumentCount(); ++k) Visit(call, k);
}

}  // namespace qora
