#include "formula/builtins.h"

#include "formula/errors.h"

namespace qora {

namespace builtins {

void TRegistry::Add(const TFunctionRecord& record, TQelCallKind kind) {
  auto set = std::make_unique<TQelFunctionSet>();
  set->Name = record.Name;
  set->Overloads.push_back(Variant(record, record.Prototype.c_str(), kind));
  Names.emplace_back(record.Name, set.get());
  for (const std::string& synonym : record.Synonyms) Names.emplace_back(synonym, set.get());
  Sets.push_back(std::move(set));
}

void TRegistry::AddOverloaded(const std::string& name, std::vector<TFunctionClass> variants) {
  auto set = std::make_unique<TQelFunctionSet>();
  set->Name = name;
  set->Overloads = std::move(variants);
  Names.emplace_back(name, set.get());
  Sets.push_back(std::move(set));
}

namespace {
TFunctionRecord Base(const char* name, const char* prototype, std::vector<TQelDataType> params) {
  TFunctionRecord r;
  r.Name = name;
  r.Prototype = prototype;
  r.InputDataTypes = std::move(params);
  return r;
}
}  // namespace

TFunctionRecord Real(const char* name, const char* prototype, std::vector<TQelDataType> params, TQelRealFunction f) {
  TFunctionRecord r = Base(name, prototype, std::move(params));
  r.RFunctionAddr = f;
  r.ResultType = rdtDouble;
  return r;
}

TFunctionRecord Int(const char* name, const char* prototype, std::vector<TQelDataType> params, TQelIntegerFunction f) {
  TFunctionRecord r = Base(name, prototype, std::move(params));
  r.IFunctionAddr = f;
  r.ResultType = rdtInteger;
  return r;
}

TFunctionRecord Bool(const char* name, const char* prototype, std::vector<TQelDataType> params, TQelBooleanFunction f) {
  TFunctionRecord r = Base(name, prototype, std::move(params));
  r.BFunctionAddr = f;
  r.ResultType = rdtBoolean;
  return r;
}

TFunctionRecord Text(const char* name, const char* prototype, std::vector<TQelDataType> params, TQelStringFunction f) {
  TFunctionRecord r = Base(name, prototype, std::move(params));
  r.SFunctionAddr = f;
  r.ResultType = rdtString;
  return r;
}

TFunctionClass Variant(TFunctionRecord record, const char* prototype, TQelCallKind kind) {
  TFunctionClass fc;
  fc.InputDataTypes = std::move(record.InputDataTypes);
  fc.OptionalArguments = record.OptionalArguments;
  fc.AllowConversionToConstant = record.CanConvertToConstant;
  fc.Repeatable = record.Repeatable;
  fc.WorkItemUse = record.WorkItemUse;
  fc.Name = record.Name;
  fc.Prototype = prototype;
  fc.Hidden = record.Hidden;
  // Selects and MultiInterpolate evaluate themselves and need no address.
  fc.ResultType = record.ResultType;
  fc.CallKind = kind;
  fc.RFunctionAddr = record.RFunctionAddr;
  fc.IFunctionAddr = record.IFunctionAddr;
  fc.BFunctionAddr = record.BFunctionAddr;
  fc.SFunctionAddr = record.SFunctionAddr;
  return fc;
}

void Fail(const std::string& message) { throw EQelParserError(message, kQelEvaluateError); }

}  // namespace builtins

const std::vector<std::pair<std::string, const TQelFunctionSet*>>& QelBuiltinFunctions() {
  static const builtins::TRegistry registry = [] {
    builtins::TRegistry r;
    builtins::RegisterMath(r);
    builtins::RegisterText(r);
    builtins::RegisterLogical(r);
    return r;
  }();
  return registry.Names;
}

}  // namespace qora
