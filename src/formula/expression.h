// The typed expression tree. Nodes are built once by the parser and not
// reshaped afterwards; each node owns its sub-trees and constants, refers to
// variables it does not own, and keeps its result in its own storage.
// Arguments are handed to functions as pointers at their result storage,
// prepared once when the node is built, so evaluation allocates nothing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "formula/constant.h"
#include "formula/function_set.h"
#include "formula/variable.h"

namespace qora {

class TnxBaseObject;
struct TQelSharedTree;

// An argument on its way into a node: a sub-tree or constant (Owned) or a
// variable (Node only, owned by its parser or by the caller).
struct TQelOperand {
  std::unique_ptr<TConstant> Owned;
  TConstant* Node = nullptr;

  static TQelOperand Own(std::unique_ptr<TConstant> node) {
    TQelOperand op;
    op.Node = node.get();
    op.Owned = std::move(node);
    return op;
  }
  static TQelOperand Refer(TConstant* node) {
    TQelOperand op;
    op.Node = node;
    return op;
  }
};

// A call node: evaluates its sub-trees, then calls its function.
class TExpression : public TCustomValue {
 public:
  // fc must outlive the node (function tables outlive the expressions that
  // their parser compiles). args are already converted to the declared types.
  TExpression(const TFunctionClass& fc, std::vector<TQelOperand> args);
  ~TExpression() override;

  // Evaluates the tree with the work item handed to every function (null is
  // allowed; built-in functions ignore it). Failures propagate as exceptions.
  virtual void Evaluate(TnxBaseObject* WorkItem);
  void DecompileTo(std::string& out, bool top) const override;
  std::string Decompile() const override;

  // True when the variable is used anywhere in the tree.
  bool UsesVariable(const TCustomVariable* variable) const;
  // Appends every variable the tree uses (repeats possible).
  void VariablesUsed(std::vector<const TCustomVariable*>& out) const;

  const TFunctionClass& FunctionClass() const { return *FFunction; }
  int ArgumentCount() const { return static_cast<int>(Data.size()); }
  const TConstant& Argument(int i) const { return *Data.at(static_cast<size_t>(i)).Value; }
  // The work item of the last evaluation.
  TnxBaseObject* WorkItem() const { return FWorkItem; }
  // A number the caller may attach to the expression; the parser never reads it.
  int Tag() const { return FTag; }
  void SetTag(int tag) { FTag = tag; }

  // Folds constant sub-trees. Arguments that evaluation may skip are folded
  // only when that cannot fail; a failure there is left for evaluation time.
  void FoldArguments(bool strict);
  // True when the node may be replaced by its value: its function allows it
  // and every argument is a constant.
  virtual bool CanFold() const;
  // True when evaluation always evaluates argument i.
  virtual bool IsStrictArgument(int /*i*/) const { return true; }

  // True when argument i is a sub-tree or constant this node owns.
  bool OwnsArgument(int i) const { return Data.at(static_cast<size_t>(i)).Owned != nullptr; }
  // Points argument i, a sub-tree this node owns, at `tree`, a tree equal
  // to it that several expressions share, evaluated through a
  // TSharedTreeUse of `generation`. A tree without a node yet takes the
  // argument's own; otherwise the argument's own is returned, to be
  // dropped. The node must not be folded afterwards.
  std::unique_ptr<TConstant> ShareArgument(int i, TQelSharedTree& tree, const uint64_t& generation,
                                           const uint64_t& run);

 protected:
  struct TArgSlot {
    std::unique_ptr<TConstant> Owned;
    TConstant* Value = nullptr;
    TExpression* Expr = nullptr;  // what evaluates Value, or null
    std::unique_ptr<TExpression> Use;  // evaluates a shared Value
  };
  // Rebuilds the argument pointers and which arguments are sub-trees.
  void Link();
  void CallFunction(TnxBaseObject* WorkItem);
  // Evaluates argument i when it is a sub-tree.
  void EvaluateArgument(size_t i, TnxBaseObject* WorkItem) {
    if (TExpression* e = Data[i].Expr) e->Evaluate(WorkItem);
  }
  // Copies argument i's value into this node's storage.
  void TakeArgument(size_t i);
  void DecompileCall(std::string& out) const;

  std::vector<TArgSlot> Data;
  std::vector<const TQelValue*> VariablesForFunction;
  const TFunctionClass* FFunction;
  TnxBaseObject* FWorkItem = nullptr;
  int FTag = 0;
};

// The whole of an expression that is a single literal.
class TDummyExpression : public TExpression {
 public:
  explicit TDummyExpression(std::unique_ptr<TConstant> constant);
  void Evaluate(TnxBaseObject* WorkItem) override { FWorkItem = WorkItem; }
  void DecompileTo(std::string& out, bool top) const override;
  bool CanFold() const override { return false; }
};

// The whole of an expression that is a single variable.
class TVariableExpression : public TExpression {
 public:
  explicit TVariableExpression(TCustomVariable* variable);
  void Evaluate(TnxBaseObject* WorkItem) override;
  void DecompileTo(std::string& out, bool top) const override;
  bool CanFold() const override { return false; }
};

// Two-operand operators and NOT; the function class's name is the operator
// as messages and the canonical text write it ("+", "DIV", "AND").
class TOperator : public TExpression {
 public:
  using TExpression::TExpression;
  void DecompileTo(std::string& out, bool top) const override;
};

// Operators that stop at the first operand that decides the result.
class TPartialEvaluationOperator : public TOperator {
 public:
  using TOperator::TOperator;
  bool IsStrictArgument(int i) const override { return i == 0; }
};

class TAndExpression : public TPartialEvaluationOperator {
 public:
  using TPartialEvaluationOperator::TPartialEvaluationOperator;
  void Evaluate(TnxBaseObject* WorkItem) override;
};

class TOrExpression : public TPartialEvaluationOperator {
 public:
  using TPartialEvaluationOperator::TPartialEvaluationOperator;
  void Evaluate(TnxBaseObject* WorkItem) override;
};

// Unary + and -: the function class's name is the sign.
class TSignOperator : public TExpression {
 public:
  using TExpression::TExpression;
  void DecompileTo(std::string& out, bool top) const override;
};

// Implicit Integer-to-Real conversion ("IntToDouble"); prints its operand.
class TIntToDoubleExpression : public TExpression {
 public:
  explicit TIntToDoubleExpression(TQelOperand operand);
  void Evaluate(TnxBaseObject* WorkItem) override;
  void DecompileTo(std::string& out, bool top) const override;
};

// Case and If: the first argument picks one result argument (an Integer as a
// 1-based index, a Boolean True as 1 and False as 2), and only that one is
// evaluated.
class TSelectExpression : public TExpression {
 public:
  using TExpression::TExpression;
  void Evaluate(TnxBaseObject* WorkItem) override;
  bool IsStrictArgument(int i) const override { return i == 0; }
};

// MultiInterpolate(Position, Value1, Distance1, Value2, Distance2, ...):
// walks the pairs in ascending distance and evaluates only what it needs.
class TMultiInterpolateExpression : public TExpression {
 public:
  using TExpression::TExpression;
  void Evaluate(TnxBaseObject* WorkItem) override;
  bool IsStrictArgument(int i) const override { return i == 0; }
};

// A sub-tree that several expressions compiled together share, and the
// generation in which it was last evaluated.
struct TQelSharedTree {
  std::unique_ptr<TConstant> Node;  // an expression
  uint64_t Evaluated = 0;
  // A tree whose functions read nothing of the work item that actions
  // change is answered beyond its generation while the variables it reads
  // keep the versions they had when it was evaluated: for as long as the
  // run lasts when a function reads what is fixed for a run, for good when
  // none reads the work item at all.
  TQelWorkItemUse Use = TQelWorkItemUse::Changing;
  struct TRead {
    const TCustomVariable* Variable;
    uint64_t Version;
  };
  std::vector<TRead> Reads;
  bool Answered = false;  // Node holds the answer to Reads in run Run
  uint64_t Run = 0;

  // True when Node's value still answers for run `run`.
  bool StillAnswers(uint64_t run) const {
    if (!Answered || (Use == TQelWorkItemUse::FixedForRun && Run != run)) return false;
    for (const TRead& read : Reads) {
      if (read.Variable->Version() != read.Version) return false;
    }
    return true;
  }
};

// Where a shared tree occurs: evaluates it only when it has not been
// evaluated in the current generation (nor still answers, see
// TQelSharedTree); the owner of the generation counter moves it on whenever
// anything the tree reads may have changed, and the owner of the run counter
// whenever the work item may be another. The occurrence reads and prints as
// the shared tree.
class TSharedTreeUse : public TExpression {
 public:
  TSharedTreeUse(TQelSharedTree& tree, const uint64_t& generation, const uint64_t& run);
  void Evaluate(TnxBaseObject* WorkItem) override {
    if (FTree->Evaluated == *FGeneration) return;
    if (FTree->Use == TQelWorkItemUse::Changing || !FTree->StillAnswers(*FRun)) EvaluateTree(WorkItem);
    FTree->Evaluated = *FGeneration;
  }
  void DecompileTo(std::string& out, bool top) const override { Data[0].Value->DecompileTo(out, top); }
  bool CanFold() const override { return false; }

 private:
  void EvaluateTree(TnxBaseObject* WorkItem);

  TQelSharedTree* FTree;
  const uint64_t* FGeneration;
  const uint64_t* FRun;
};

// Folds node (see TExpression::FoldArguments); returns the node itself or a
// constant that replaces it. With strict false a failing evaluation leaves
// the node as it is.
std::unique_ptr<TConstant> QelFold(std::unique_ptr<TConstant> node, bool strict);

// Builds the call node that a function class asks for (plain, select or
// multi-interpolate).
std::unique_ptr<TExpression> QelMakeCall(const TFunctionClass& fc, std::vector<TQelOperand> args);

}  // namespace qora
