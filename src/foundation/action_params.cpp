#include "foundation/action_params.h"

#include "common/format.h"

namespace qora {

std::string& TActionParam::Rewrite() {
  FState = 0;
  return FText;
}

double TActionParam::Float() const {
  if ((FState & kFloatRead) == 0) {
    FFloat = StrToFloatDef(FText, 0.0);
    FState |= kFloatRead;
  }
  return FFloat;
}

bool TActionParam::TryInteger(int64_t& out) const {
  if ((FState & kIntegerRead) == 0) {
    if (TryStrToInt(FText, FInteger)) FState |= kIsInteger;
    FState |= kIntegerRead;
  }
  if ((FState & kIsInteger) == 0) return false;
  out = FInteger;
  return true;
}

bool TActionParam::TryBoolean(bool& out) const {
  if ((FState & kBooleanRead) == 0) {
    bool value = false;
    if (TryStrToBool(FText, value)) FState |= kIsBoolean | (value ? kBoolean : 0);
    FState |= kBooleanRead;
  }
  if ((FState & kIsBoolean) == 0) return false;
  out = (FState & kBoolean) != 0;
  return true;
}

std::vector<std::string> TActionParams::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(FItems.size());
  for (const TActionParam* p : FItems) texts.push_back(p->Text());
  return texts;
}

}  // namespace qora
