#include "award/award_rate_base.h"

#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardRateBaseRegistry {
  static const ClassInfo& Build() {
    using C = TObjAwardRateBase;
    return ClassBuilder<C>("TObjAwardRateBase", true)
        .Field("RateID", &C::FRateID)
        .Field("RateTDID", &C::FRateTDID)
        .Property(
            "RateCode", PropKind::String, [](const C& c) { return c.RateCode(); },
            [](C& c, const PropValue& v) { c.SetRateCode(std::get<std::string>(v)); })
        .Field("RateDescription", &C::FRateDescription)
        .Enum("RateGrouping", &C::FRateGrouping, TRateGroupingInfo())
        .Field("Percentage", &C::FPercentage)
        .Build();
  }
};

const ClassInfo& TObjAwardRateBase::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardRateBaseRegistry::Build();
  return info;
}

void TObjAwardRateBase::SetRateCode(const std::string& v) {
  if (v == FRateCode) return;
  FPreviousRateCode = FRateCode;
  FRateCode = v;
}

void TObjAwardRateBase::ValidateConditionFlds() {
  TObjAwardConditionBase::ValidateConditionFlds();
  TObjListAwardMessages& messages = Messages();
  ValidateCodeText(messages, FRateCode, "No Rate Code has been entered.", "Rate Code");
  ValidateDescriptionText(messages, FRateDescription, "No Rate Description has been entered.", "Rate Description");
  if (NotEnteredAmount(FPercentage)) messages.AddMessage("No Percentage entered.");
}

void TObjAwardRateBase::CopyValues(const TObjAwardConditionBase& pSource) {
  TObjAwardConditionBase::CopyValues(pSource);
  FRateID = 0;
}

}  // namespace qora
