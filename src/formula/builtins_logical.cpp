// Select functions: Case and If in their typed forms and as overloaded names.
// They are evaluated lazily by TSelectExpression, so they carry no address.
#include "formula/builtins.h"

namespace qora::builtins {

namespace {

constexpr TQelDataType R = rdtDouble;
constexpr TQelDataType I = rdtInteger;
constexpr TQelDataType B = rdtBoolean;
constexpr TQelDataType S = rdtString;

TFunctionRecord Select(const char* name, const char* prototype, std::vector<TQelDataType> params,
                       TQelDataType result, int optional, const char* synonym = nullptr) {
  TFunctionRecord r;
  r.Name = name;
  r.Prototype = prototype;
  r.InputDataTypes = std::move(params);
  r.ResultType = result;
  r.OptionalArguments = optional;
  if (synonym) r.Synonyms.emplace_back(synonym);
  return r;
}

}  // namespace

void RegisterLogical(TRegistry& r) {
  constexpr auto kSel = TQelCallKind::Select;
  r.Add(Select("CaseB", "Logical|CaseB(Index, boolean_Result1, boolean_Result2, ...)", {I, B, B, B}, B, -1), kSel);
  r.Add(Select("CaseI", "Logical|CaseI(Index, integer_Result1, integer_Result2, ...)", {I, I, I, I}, I, -1), kSel);
  r.Add(Select("CaseR", "Logical|CaseR(Index, real_Result1, real_Result2, ...)", {I, R, R, R}, R, -1), kSel);
  r.Add(Select("CaseT", "Logical|CaseT(Index, text_Result1, text_Result2, ...)", {I, S, S, S}, S, -1, "CaseS"), kSel);
  r.Add(Select("IfB", "Logical|IfB(Boolean_Value, If_True_boolean_Result, If_False_boolean_Result)", {B, B, B}, B, 0),
        kSel);
  r.Add(Select("IfI", "Logical|IfI(Boolean_Value, If_True_integer_Result, If_False_integer_Result)", {B, I, I}, I, 0),
        kSel);
  r.Add(Select("IfR", "Logical|IfR(Boolean_Value, If_True_real_Result, If_False_real_Result)", {B, R, R}, R, 0), kSel);
  r.Add(Select("IfT", "Logical|IfT(Boolean_Value, If_True_text_Result, If_False_text_Result)", {B, S, S}, S, 0, "IfS"),
        kSel);

  const char* caseProto = "Logical|Case(Index, Result1, Result2, ...)";
  r.AddOverloaded("Case", {Variant(Select("Case", "", {I, B, B, B}, B, -1), caseProto, kSel),
                           Variant(Select("Case", "", {I, I, I, I}, I, -1), caseProto, kSel),
                           Variant(Select("Case", "", {I, R, R, R}, R, -1), caseProto, kSel),
                           Variant(Select("Case", "", {I, S, S, S}, S, -1), caseProto, kSel)});
  const char* ifProto = "Logical|If(Boolean_Value, If_True_Result, If_False_Result)";
  r.AddOverloaded("If", {Variant(Select("If", "", {B, B, B}, B, 0), ifProto, kSel),
                         Variant(Select("If", "", {B, I, I}, I, 0), ifProto, kSel),
                         Variant(Select("If", "", {B, R, R}, R, 0), ifProto, kSel),
                         Variant(Select("If", "", {B, S, S}, S, 0), ifProto, kSel)});
}

}  // namespace qora::builtins
