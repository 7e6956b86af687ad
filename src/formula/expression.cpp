#include "formula/expression.h"

#include "formula/errors.h"

namespace qora {

namespace {

TFunctionClass MakeInternalClass(const char* name, std::vector<TQelDataType> params, TQelDataType result,
                                 bool foldable) {
  TFunctionClass fc;
  fc.Name = name;
  fc.Prototype = std::string("Math|") + name;
  fc.InputDataTypes = std::move(params);
  fc.ResultType = result;
  fc.AllowConversionToConstant = foldable;
  fc.Hidden = true;
  return fc;
}

const TFunctionClass& DummyClass() {
  static const TFunctionClass fc = MakeInternalClass("Dummy", {}, rdtDouble, false);
  return fc;
}

const TFunctionClass& VariableClass() {
  static const TFunctionClass fc = MakeInternalClass("Variable", {}, rdtDouble, false);
  return fc;
}

const TFunctionClass& SharedTreeClass() {
  static const TFunctionClass fc = MakeInternalClass("Shared", {}, rdtDouble, false);
  return fc;
}

const TFunctionClass& IntToDoubleClass() {
  static const TFunctionClass fc = MakeInternalClass("IntToDouble", {rdtInteger}, rdtDouble, true);
  return fc;
}

std::vector<TQelOperand> OneOperand(TQelOperand op) {
  std::vector<TQelOperand> v;
  v.push_back(std::move(op));
  return v;
}

}  // namespace

TExpression::TExpression(const TFunctionClass& fc, std::vector<TQelOperand> args)
    : TCustomValue(fc.Name, fc.ResultType, TQelNodeKind::Expression), FFunction(&fc) {
  FUserName = fc.Name;
  Data.resize(args.size());
  for (size_t i = 0; i < args.size(); ++i) {
    Data[i].Owned = std::move(args[i].Owned);
    Data[i].Value = args[i].Node;
  }
  Link();
}

TExpression::~TExpression() = default;

void TExpression::Link() {
  VariablesForFunction.resize(Data.size());
  for (size_t i = 0; i < Data.size(); ++i) {
    TArgSlot& slot = Data[i];
    if (slot.Owned) slot.Value = slot.Owned.get();
    if (slot.Use) {
      slot.Expr = slot.Use.get();
    } else {
      slot.Expr = slot.Value->Kind() == TQelNodeKind::Expression ? static_cast<TExpression*>(slot.Value) : nullptr;
    }
    VariablesForFunction[i] = &slot.Value->Result();
  }
}

void TExpression::CallFunction(TnxBaseObject* WorkItem) {
  TQelValues values = VariablesForFunction.data();
  int high = static_cast<int>(VariablesForFunction.size()) - 1;
  switch (FValue.Type) {
    case rdtDouble: FValue.D = FFunction->RFunctionAddr(WorkItem, values, high); break;
    case rdtInteger: FValue.I = FFunction->IFunctionAddr(WorkItem, values, high); break;
    case rdtBoolean: FValue.B = FFunction->BFunctionAddr(WorkItem, values, high); break;
    case rdtString: FFunction->SFunctionAddr(WorkItem, values, high, FValue.S); break;
  }
}

void TExpression::Evaluate(TnxBaseObject* WorkItem) {
  FWorkItem = WorkItem;
  for (const TArgSlot& slot : Data) {
    if (slot.Expr) slot.Expr->Evaluate(WorkItem);
  }
  CallFunction(WorkItem);
}

std::unique_ptr<TConstant> TExpression::ShareArgument(int i, TQelSharedTree& tree, const uint64_t& generation,
                                                      const uint64_t& run) {
  TArgSlot& slot = Data.at(static_cast<size_t>(i));
  std::unique_ptr<TConstant> owned = std::move(slot.Owned);
  if (!tree.Node) tree.Node = std::move(owned);
  slot.Value = tree.Node.get();
  slot.Use = std::make_unique<TSharedTreeUse>(tree, generation, run);
  slot.Expr = slot.Use.get();
  VariablesForFunction[static_cast<size_t>(i)] = &slot.Value->Result();
  return owned;
}

void TExpression::TakeArgument(size_t i) {
  const TQelValue& v = *VariablesForFunction[i];
  switch (FValue.Type) {
    case rdtDouble: FValue.D = v.Type == rdtInteger ? v.I : v.D; break;
    case rdtInteger: FValue.I = v.I; break;
    case rdtBoolean: FValue.B = v.B; break;
    case rdtString: FValue.S = v.S; break;
  }
}

void TExpression::DecompileCall(std::string& out) const {
  out += FFunction->Name;
  if (Data.empty()) return;
  out += '(';
  for (size_t i = 0; i < Data.size(); ++i) {
    if (i > 0) out += ", ";
    Data[i].Value->DecompileTo(out, false);
  }
  out += ')';
}

void TExpression::DecompileTo(std::string& out, bool /*top*/) const { DecompileCall(out); }

std::string TExpression::Decompile() const {
  std::string out;
  DecompileTo(out, true);
  return out;
}

bool TExpression::UsesVariable(const TCustomVariable* variable) const {
  for (const TArgSlot& slot : Data) {
    if (slot.Value == variable) return true;
    if (slot.Expr && slot.Expr->UsesVariable(variable)) return true;
  }
  return false;
}

void TExpression::VariablesUsed(std::vector<const TCustomVariable*>& out) const {
  for (const TArgSlot& slot : Data) {
    if (slot.Value->Kind() == TQelNodeKind::Variable) out.push_back(static_cast<const TCustomVariable*>(slot.Value));
    if (slot.Expr) slot.Expr->VariablesUsed(out);
  }
}

void TExpression::FoldArguments(bool strict) {
  for (size_t i = 0; i < Data.size(); ++i) {
    TArgSlot& slot = Data[i];
    if (!slot.Owned) continue;
    slot.Owned = QelFold(std::move(slot.Owned), strict && IsStrictArgument(static_cast<int>(i)));
  }
  Link();
}

bool TExpression::CanFold() const {
  if (!FFunction->AllowConversionToConstant) return false;
  for (const TArgSlot& slot : Data) {
    if (slot.Value->Kind() != TQelNodeKind::Constant) return false;
  }
  return true;
}

std::unique_ptr<TConstant> QelFold(std::unique_ptr<TConstant> node, bool strict) {
  if (node->Kind() != TQelNodeKind::Expression) return node;
  auto* expr = static_cast<TExpression*>(node.get());
  expr->FoldArguments(strict);
  if (!expr->CanFold()) return node;
  if (strict) {
    expr->Evaluate(nullptr);
  } else {
    // A branch that evaluation may skip must not make the compile fail.
    try {
      expr->Evaluate(nullptr);
    } catch (const std::exception&) {
      return node;
    }
  }
  auto folded = TConstant::FromValue(expr->Result());
  if (dynamic_cast<TIntToDoubleExpression*>(expr)) folded->SetIntegerText(true);
  return folded;
}

TDummyExpression::TDummyExpression(std::unique_ptr<TConstant> constant)
    : TExpression(DummyClass(), OneOperand(TQelOperand::Own(std::move(constant)))) {
  FValue.Type = Data[0].Value->ResultType();
  TakeArgument(0);
}

void TDummyExpression::DecompileTo(std::string& out, bool top) const { Data[0].Value->DecompileTo(out, top); }

TVariableExpression::TVariableExpression(TCustomVariable* variable)
    : TExpression(VariableClass(), OneOperand(TQelOperand::Refer(variable))) {
  FValue.Type = variable->ResultType();
  TakeArgument(0);
}

void TVariableExpression::Evaluate(TnxBaseObject* WorkItem) {
  FWorkItem = WorkItem;
  TakeArgument(0);
}

void TVariableExpression::DecompileTo(std::string& out, bool top) const { Data[0].Value->DecompileTo(out, top); }

void TOperator::DecompileTo(std::string& out, bool top) const {
  if (Data.size() == 1) {
    out += "NOT ";
    Data[0].Value->DecompileTo(out, false);
    return;
  }
  if (!top) out += '(';
  Data[0].Value->DecompileTo(out, false);
  out += ' ';
  out += FFunction->Name;
  out += ' ';
  Data[1].Value->DecompileTo(out, false);
  if (!top) out += ')';
}

void TAndExpression::Evaluate(TnxBaseObject* WorkItem) {
  FWorkItem = WorkItem;
  EvaluateArgument(0, WorkItem);
  if (!VariablesForFunction[0]->B) {
    FValue.B = false;
    return;
  }
  EvaluateArgument(1, WorkItem);
  FValue.B = VariablesForFunction[1]->B;
}

void TOrExpression::Evaluate(TnxBaseObject* WorkItem) {
  FWorkItem = WorkItem;
  EvaluateArgument(0, WorkItem);
  if (VariablesForFunction[0]->B) {
    FValue.B = true;
    return;
  }
  EvaluateArgument(1, WorkItem);
  FValue.B = VariablesForFunction[1]->B;
}

void TSignOperator::DecompileTo(std::string& out, bool /*top*/) const {
  out += FFunction->Name;
  Data[0].Value->DecompileTo(out, false);
}

TIntToDoubleExpression::TIntToDoubleExpression(TQelOperand operand)
    : TExpression(IntToDoubleClass(), OneOperand(std::move(operand))) {}

TSharedTreeUse::TSharedTreeUse(TQelSharedTree& tree, const uint64_t& generation, const uint64_t& run)
    : TExpression(SharedTreeClass(), OneOperand(TQelOperand::Refer(tree.Node.get()))),
      FTree(&tree),
      FGeneration(&generation),
      FRun(&run) {}

void TSharedTreeUse::EvaluateTree(TnxBaseObject* WorkItem) {
  // A failed evaluation answers nothing.
  FTree->Answered = false;
  Data[0].Expr->Evaluate(WorkItem);
  if (FTree->Use == TQelWorkItemUse::Changing) return;
  for (TQelSharedTree::TRead& read : FTree->Reads) read.Version = read.Variable->Version();
  FTree->Run = *FRun;
  FTree->Answered = true;
}

void TIntToDoubleExpression::Evaluate(TnxBaseObject* WorkItem) {
  FWorkItem = WorkItem;
  EvaluateArgument(0, WorkItem);
  FValue.D = VariablesForFunction[0]->I;
}

void TIntToDoubleExpression::DecompileTo(std::string& out, bool top) const { Data[0].Value->DecompileTo(out, top); }

void TSelectExpression::Evaluate(TnxBaseObject* WorkItem) {
  FWorkItem = WorkItem;
  EvaluateArgument(0, WorkItem);
  const TQelValue& selector = *VariablesForFunction[0];
  int64_t index = selector.Type == rdtBoolean ? (selector.B ? 1 : 2) : selector.I;
  if (index < 1) {
    throw EQelParserError("Error: Unable to evaluate " + FFunction->Name + " function when the first argument evaluates to " +
                              std::to_string(index) + " because the first argument must always be positive.",
                          kQelEvaluateError);
  }
  if (index >= static_cast<int64_t>(Data.size())) {
    throw EQelParserError("Error: Unable to evaluate " + FFunction->Name + " function when the first argument evaluates to " +
                              std::to_string(index) + " because the number of arguments supplied to the function was " +
                              std::to_string(Data.size()) + " instead of at least " + std::to_string(index + 1) + ".",
                          kQelEvaluateError);
  }
  auto i = static_cast<size_t>(index);
  EvaluateArgument(i, WorkItem);
  TakeArgument(i);
}

void TMultiInterpolateExpression::Evaluate(TnxBaseObject* WorkItem) {
  FWorkItem = WorkItem;
  const size_t n = Data.size();
  EvaluateArgument(0, WorkItem);
  const double position = VariablesForFunction[0]->D;
  if (n == 3) {
    EvaluateArgument(1, WorkItem);
    FValue.D = VariablesForFunction[1]->D;
    return;
  }
  bool remembered = false;
  double lastDistance = 0.0;
  double lastValue = 0.0;
  // A trailing value without its distance has no place on the scale and is
  // ignored.
  for (size_t k = 1; k + 1 < n; k += 2) {
    EvaluateArgument(k + 1, WorkItem);
    const double distance = VariablesForFunction[k + 1]->D;
    EvaluateArgument(k, WorkItem);
    const double value = VariablesForFunction[k]->D;
    if (position >= distance) {
      if (position == distance) {
        FValue.D = value;
        return;
      }
      remembered = true;
      lastDistance = distance;
      lastValue = value;
      continue;
    }
    if (remembered && distance != lastDistance) {
      FValue.D = lastValue + (position - lastDistance) / (distance - lastDistance) * (value - lastValue);
    } else {
      FValue.D = value;
    }
    return;
  }
  // Beyond the last distance the scale stays at its last value.
  FValue.D = lastValue;
}

std::unique_ptr<TExpression> QelMakeCall(const TFunctionClass& fc, std::vector<TQelOperand> args) {
  switch (fc.CallKind) {
    case TQelCallKind::Select: return std::make_unique<TSelectExpression>(fc, std::move(args));
    case TQelCallKind::MultiInterpolate: return std::make_unique<TMultiInterpolateExpression>(fc, std::move(args));
    case TQelCallKind::Plain: break;
  }
  return std::make_unique<TExpression>(fc, std::move(args));
}

}  // namespace qora
