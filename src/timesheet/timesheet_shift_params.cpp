#include "timesheet/timesheet_shift_params.h"

#include "common/format.h"
#include "common/exceptions.h"

namespace qora {

const std::string& ParamText(const TActionParams& pParams, size_t pIndex) {
  static const std::string kEmpty;
  return pIndex < pParams.size() ? pParams[pIndex] : kEmpty;
}

double ParamFloat(const TActionParams& pParams, size_t pIndex) {
  return StrToFloatDef(ParamText(pParams, pIndex), 0.0);
}

int64_t ParamInt(const TActionParams& pParams, size_t pIndex, int64_t pDefault) {
  return StrToIntDef(ParamText(pParams, pIndex), pDefault);
}

bool ParamBool(const TActionParams& pParams, size_t pIndex) {
  return StrToBoolDef(ParamText(pParams, pIndex), false);
}

int64_t ParamOrdinal(const TActionParams& pParams, size_t pIndex, int64_t pDefault, int64_t pCount) {
  const int64_t value = ParamInt(pParams, pIndex, pDefault);
  return value >= 0 && value < pCount ? value : pDefault;
}

int64_t ParamIntStrict(const TActionParams& pParams, size_t pIndex) {
  int64_t value = 0;
  const std::string& text = ParamText(pParams, pIndex);
  if (!TryStrToInt(text, value)) throw eaiPRocessorException("'" + text + "' is not a valid integer value");
  return value;
}

bool ParamBoolStrict(const TActionParams& pParams, size_t pIndex) {
  bool value = false;
  const std::string& text = ParamText(pParams, pIndex);
  if (!TryStrToBool(text, value)) throw eaiPRocessorException("'" + text + "' is not a valid boolean value");
  return value;
}

}  // namespace qora
