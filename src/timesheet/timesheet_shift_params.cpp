#include "timesheet/timesheet_shift_params.h"

#include "common/format.h"
#include "common/exceptions.h"

namespace qora {

// A missing parameter reads as the empty text does: "", 0, no integer and
// no Boolean.
const std::string& ParamText(const TActionParams& pParams, size_t pIndex) {
  static const std::string kEmpty;
  const TActionParam* param = pParams.At(pIndex);
  return param ? param->Text() : kEmpty;
}

double ParamFloat(const TActionParams& pParams, size_t pIndex) {
  const TActionParam* param = pParams.At(pIndex);
  return param ? param->Float() : 0.0;
}

int64_t ParamInt(const TActionParams& pParams, size_t pIndex, int64_t pDefault) {
  int64_t value = pDefault;
  if (const TActionParam* param = pParams.At(pIndex)) param->TryInteger(value);
  return value;
}

bool ParamBool(const TActionParams& pParams, size_t pIndex) {
  bool value = false;
  if (const TActionParam* param = pParams.At(pIndex)) param->TryBoolean(value);
  return value;
}

int64_t ParamOrdinal(const TActionParams& pParams, size_t pIndex, int64_t pDefault, int64_t pCount) {
  const int64_t value = ParamInt(pParams, pIndex, pDefault);
  return value >= 0 && value < pCount ? value : pDefault;
}

int64_t ParamIntStrict(const TActionParams& pParams, size_t pIndex) {
  int64_t value = 0;
  const TActionParam* param = pParams.At(pIndex);
  if (!param || !param->TryInteger(value)) {
    throw eaiPRocessorException("'" + ParamText(pParams, pIndex) + "' is not a valid integer value");
  }
  return value;
}

bool ParamBoolStrict(const TActionParams& pParams, size_t pIndex) {
  bool value = false;
  const TActionParam* param = pParams.At(pIndex);
  if (!param || !param->TryBoolean(value)) {
    throw eaiPRocessorException("'" + ParamText(pParams, pIndex) + "' is not a valid boolean value");
  }
  return value;
}

}  // namespace qora
