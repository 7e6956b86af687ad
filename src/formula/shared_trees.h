// Sub-trees that the expressions compiled in one parser repeat, evaluated
// once while nothing they read changes. Award conditions repeat their
// tests: most start with the same condition-group test and many spell out
// the same days of the week, so a run would otherwise evaluate each of them
// again in every condition.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "formula/expression.h"

namespace qora {

class TQelSharedTrees {
 public:
  // `generation` is the owner's counter: it must move on whenever anything
  // a tree reads (variables, the work item) may have changed. `run` must
  // move on whenever the work item may be another one or what is fixed
  // for a run of it may have changed. Both must outlive the expressions
  // shared here. Trees are evaluated with the work item of the evaluation
  // in which they are reached first in a generation; a tree whose functions
  // read nothing of the work item that actions change is evaluated again
  // only when a variable it reads has changed (or, when one of its
  // functions reads what is fixed for a run, in another run).
  TQelSharedTrees(const uint64_t& generation, const uint64_t& run) : FGeneration(generation), FRun(run) {}
  TQelSharedTrees(const TQelSharedTrees&) = delete;
  TQelSharedTrees& operator=(const TQelSharedTrees&) = delete;

  // Looks for the sub-trees of root (not root itself) in the expressions
  // shared before: a sub-tree met for the second time is evaluated once per
  // generation from then on, in both places, and its new copy is dropped.
  // Only calls of functions that answer the same for the same arguments
  // and work item are shared (constant-foldable or repeatable ones). The
  // expressions keep printing as before. Call once per compiled
  // expression, after it is folded. Root must stay alive while more
  // expressions are shared here (a sub-tree met first in it may be shared
  // later), and it must not be evaluated once this object, which owns the
  // shared parts, is gone.
  void ShareRepeats(TExpression& root);

 private:
  struct TOccurrence {
    TExpression* Parent = nullptr;  // where the tree was first met
    int Index = 0;
    std::unique_ptr<TQelSharedTree> Shared;  // once met again
  };
  // The tree at argument i of parent: kept (and looked into) or shared.
  void Visit(TExpression& parent, int i);

  const uint64_t& FGeneration;
  const uint64_t& FRun;
  // By printed text: in one parser a text names its variables and spells
  // its constants, so trees that print alike compute alike, but for the
  // conversion of an Integer to a Real, which prints as what it converts.
  std::unordered_multimap<std::string, TOccurrence> FSeen;
};

}  // namespace qora
