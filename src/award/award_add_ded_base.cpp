#include "award/award_add_ded_base.h"

#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardAddDedBaseRegistry {
  static const ClassInfo& Build() {
    using C = TObjAwardAddDedBase;
    return ClassBuilder<C>("TObjAwardAddDedBase", true)
        .Enum("PayOption", &C::FPayOption, TaiConditionPayOptInfo())
        .Field("AddDedID", &C::FAddDedID)
        .Field("AddDedTDID", &C::FAddDedTDID)
        .Property(
            "AddDedCode", PropKind::String, [](const C& c) { return c.AddDedCode(); },
            [](C& c, const PropValue& v) { c.SetAddDedCode(std::get<std::string>(v)); })
        .Field("AddDedDescription", &C::FAddDedDescription)
        .Enum("AddDedType", &C::FAddDedType, TADTypeInfo())
        .Enum("AddDedHours", &C::FAddDedHours, TADHoursInfo())
        .Enum("AddDedCategory", &C::FAddDedCategory, TADCategoryInfo())
        .Field("AddDedAmountPerc", &C::FAddDedAmountPerc)
        .Field("AddDedAmount", &C::FAddDedAmount)
        .Field("AddDedRate", &C::FAddDedRate)
        .Field("AddDedPercent", &C::FAddDedPercent)
        .Field("AddDedUnitDesc", &C::FAddDedUnitDesc)
        .Field("AddDedCostCode", &C::FAddDedCostCode)
        .Build();
  }
};

const ClassInfo& TObjAwardAddDedBase::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardAddDedBaseRegistry::Build();
  return info;
}

void TObjAwardAddDedBase::SetAddDedCode(const std::string& v) {
  if (v == FAddDedCode) return;
  FPreviousAddDedCode = FAddDedCode;
  FAddDedCode = v;
}

void TObjAwardAddDedBase::ValidateConditionFlds() {
  TObjAwardConditionBase::ValidateConditionFlds();
  TObjListAwardMessages& messages = Messages();
  ValidateCodeText(messages, FAddDedCode, "No Addition Code entered.", "Addition Code");
  ValidateDescriptionText(messages, FAddDedDescription, "No Addition Description entered.", "Addition Description");
}

void TObjAwardAddDedBase::CopyValues(const TObjAwardConditionBase& pSource) {
  TObjAwardConditionBase::CopyValues(pSource);
  FAddDedID = 0;
}

}  // namespace qora
