#include "rules/property_variables.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "common/format.h"
#include "common/string_list.h"
#include "formula/parser.h"
#include "foundation/base_object.h"

namespace qora {

bool IsPropertyVariable(const PropertyInfo& pProp) {
  return pProp.get && !pProp.IsObject() && pProp.kind != PropKind::StringList;
}

TQelDataType PropertyVariableType(const PropertyInfo& pProp) {
  switch (pProp.kind) {
    case PropKind::Integer:
    case PropKind::Enumeration: return rdtInteger;
    case PropKind::Boolean: return rdtBoolean;
    case PropKind::Double:
    case PropKind::Date: return rdtDouble;
    default: return rdtString;
  }
}

void AssignPropertyVariable(TCustomVariable& pVariable, const PropertyInfo& pProp, const PropValue& pValue) {
  switch (pVariable.ResultType()) {
    case rdtInteger: {
      // Integers and ordinals read back from their decimal text unchanged.
      const int64_t* i = std::get_if<int64_t>(&pValue);
      static_cast<TIntegerVariable&>(pVariable).SetValue(i ? static_cast<int32_t>(*i) : 0);
      break;
    }
    case rdtBoolean: {
      const bool* b = std::get_if<bool>(&pValue);
      static_cast<TBooleanVariable&>(pVariable).SetValue(b != nullptr && *b);
      break;
    }
    case rdtDouble:
      // The text form has 15 significant digits: a total such as
      // 7.499999999999999 left by subtraction reads as 7.5, as users see it.
      if (const double* d = std::get_if<double>(&pValue)) {
        static_cast<TRealVariable&>(pVariable).SetValue(FloatToStrValue(*d));
      } else {
        static_cast<TRealVariable&>(pVariable).SetValue(StrToFloatDef(PropValueToText(pProp, pValue), 0));
      }
      break;
    case rdtString:
      if (const std::string* s = std::get_if<std::string>(&pValue)) {
        static_cast<TStringVariable&>(pVariable).SetValue(*s);
      } else {
        static_cast<TStringVariable&>(pVariable).SetValue(PropValueToText(pProp, pValue));
      }
      break;
  }
}

TCustomVariable* CreateEmptyPropertyVariable(TQelParser& pParser, const PropertyInfo& pProp) {
  switch (PropertyVariableType(pProp)) {
    case rdtInteger: return pParser.CreateVariable(pProp.name, int32_t{0});
    case rdtBoolean: return pParser.CreateVariable(pProp.name, false);
    case rdtDouble: return pParser.CreateVariable(pProp.name, 0.0);
    case rdtString: break;
  }
  return pParser.CreateVariable(pProp.name, std::string());
}

void CreatePropertyVariables(TQelParser& pParser, const TnxBaseObject& pItem) {
  for (const PropertyInfo* prop : pItem.GetClassInfo().Properties()) {
    if (prop->kind == PropKind::StringList && prop->get) {
      const PropValue value = prop->get(pItem);
      const TStringList& lines = std::get<TStringList>(value);
      for (int i = 0; i < lines.Count(); ++i) pParser.CreateVariable(lines.Names(i), lines.ValueFromIndex(i));
      continue;
    }
    if (!IsPropertyVariable(*prop)) continue;
    const PropValue value = prop->get(pItem);
    AssignPropertyVariable(*CreateEmptyPropertyVariable(pParser, *prop), *prop, value);
  }
}

}  // namespace qora
