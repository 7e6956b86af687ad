// Registration of the built-in function library, by family. Internal to the
// formula library: callers see the functions through TFunctionStringList.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "formula/function_set.h"

namespace qora::builtins {

// Collects built-in sets and the names (synonyms included) they go by.
class TRegistry {
 public:
  // A function with a single overload, under its name and synonyms.
  void Add(const TFunctionRecord& record, TQelCallKind kind = TQelCallKind::Plain);
  // An overloaded name; each variant keeps its own parameter and result types.
  void AddOverloaded(const std::string& name, std::vector<TFunctionClass> variants);

  std::vector<std::unique_ptr<TQelFunctionSet>> Sets;
  std::vector<std::pair<std::string, const TQelFunctionSet*>> Names;
};

// Shorthands for building records.
TFunctionRecord Real(const char* name, const char* prototype, std::vector<TQelDataType> params, TQelRealFunction f);
TFunctionRecord Int(const char* name, const char* prototype, std::vector<TQelDataType> params, TQelIntegerFunction f);
TFunctionRecord Bool(const char* name, const char* prototype, std::vector<TQelDataType> params, TQelBooleanFunction f);
TFunctionRecord Text(const char* name, const char* prototype, std::vector<TQelDataType> params, TQelStringFunction f);
// A variant of an overloaded name, built from a record with the set's prototype.
TFunctionClass Variant(TFunctionRecord record, const char* prototype, TQelCallKind kind = TQelCallKind::Plain);

[[noreturn]] void Fail(const std::string& message);

void RegisterMath(TRegistry& r);
void RegisterText(TRegistry& r);
void RegisterLogical(TRegistry& r);

}  // namespace qora::builtins
