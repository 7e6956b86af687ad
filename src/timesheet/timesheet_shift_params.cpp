#include "timesheet/timesheet_shift_params.h"

#include "common/delphi_format.h"

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

}  // namespace qora
