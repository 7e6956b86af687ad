#include "engine/leave_rate.h"

#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TLeaveRate::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TLeaveRate>("TLeaveRate")
                                     .Field("RateType", &TLeaveRate::FRateType)
                                     .Field("Value", &TLeaveRate::FValue)
                                     .Field("Reason", &TLeaveRate::FReason)
                                     .Field("Grouping", &TLeaveRate::FGrouping)
                                     .Field("IsUnpaid", &TLeaveRate::FIsUnpaid)
                                     .Field("Code", &TLeaveRate::FCode)
                                     .Field("UseNormalRate", &TLeaveRate::FUseNormalRate)
                                     .Field("LeaveReasonID", &TLeaveRate::FLeaveReasonID)
                                     .Field("CostCode", &TLeaveRate::FCostCode)
                                     .Build();
  return info;
}

bool TLeaveRate::UsesNormalRate(double value, bool unpaid, int32_t rate_type) {
  return !((value > 0 || unpaid) && rate_type != kNormalRateType);
}

const ClassInfo& TLeaveRateList::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TLeaveRateList>("TLeaveRateList").Build();
  return info;
}

TLeaveRate* TLeaveRateList::FindByCode(const std::string& code) const {
  const std::string wanted = Trim(code);
  for (int i = 0; i < Count(); ++i) {
    TLeaveRate* rate = Items(i);
    if (rate && Trim(rate->Code()) == wanted) return rate;
  }
  return nullptr;
}

}  // namespace qora
