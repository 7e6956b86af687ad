// The rate at which a leave reason of the current payroll database is paid.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/object_list.h"
#include "output/costing_run.h"

namespace qora {

class TLeaveRate : public TnxBaseObject, public ICostingLeaveRate {
  QORA_CLASS(TLeaveRate, TnxBaseObject)

 public:
  // The rate type whose leave is paid at the employee's own normal rate
  // whatever value the rate type carries.
  static constexpr int32_t kNormalRateType = 2;

  TLeaveRate() = default;

  // The payroll database's rate type (iType) and rate grouping (iGrouping)
  // ordinals, kept as stored: only kNormalRateType means anything here.
  int32_t RateType() const override { return FRateType; }
  void SetRateType(int32_t v) { FRateType = v; }
  double Value() const { return FValue; }
  void SetValue(double v) { FValue = v; }
  const std::string& Reason() const { return FReason; }
  void SetReason(const std::string& v) { FReason = v; }
  int32_t Grouping() const { return FGrouping; }
  void SetGrouping(int32_t v) { FGrouping = v; }
  bool IsUnpaid() const { return FIsUnpaid; }
  void SetIsUnpaid(bool v) { FIsUnpaid = v; }
  const std::string& Code() const { return FCode; }
  void SetCode(const std::string& v) { FCode = v; }
  bool UseNormalRate() const { return FUseNormalRate; }
  void SetUseNormalRate(bool v) { FUseNormalRate = v; }
  int32_t LeaveReasonID() const { return FLeaveReasonID; }
  void SetLeaveReasonID(int32_t v) { FLeaveReasonID = v; }
  const std::string& CostCode() const override { return FCostCode; }
  void SetCostCode(const std::string& v) { FCostCode = v; }

  // The rule for UseNormalRate: false when the rate carries a value or the
  // leave is unpaid, unless the rate type is kNormalRateType; true otherwise.
  static bool UsesNormalRate(double value, bool unpaid, int32_t rate_type);

 private:
  int32_t FRateType = 0;
  double FValue = 0;
  std::string FReason;
  int32_t FGrouping = 0;
  bool FIsUnpaid = false;
  std::string FCode;
  bool FUseNormalRate = false;
  int32_t FLeaveReasonID = 0;
  std::string FCostCode;
};

// The leave rates of the current payroll database (owned).
class TLeaveRateList : public TypedObjectList<TLeaveRate> {
  QORA_CLASS(TLeaveRateList, TypedObjectList<TLeaveRate>)

 public:
  TLeaveRateList() = default;

  // The first rate whose Code, trimmed, equals `code`, trimmed (exact
  // case); null when none.
  TLeaveRate* FindByCode(const std::string& code) const;
};

}  // namespace qora
