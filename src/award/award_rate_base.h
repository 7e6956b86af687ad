// Components paid at a pay rate (overtime rates): the rate's code,
// description, grouping and percentage of ordinary time.
#pragma once

#include <cstdint>
#include <string>

#include "award/award_condition_base.h"
#include "award/award_enums.h"

namespace qora {

class TObjAwardRateBase : public TObjAwardConditionBase {
  QORA_CLASS(TObjAwardRateBase, TObjAwardConditionBase)

 public:
  TObjAwardRateBase() = default;

  int32_t RateID() const { return FRateID; }
  void SetRateID(int32_t v) { FRateID = v; }
  int32_t RateTDID() const { return FRateTDID; }
  void SetRateTDID(int32_t v) { FRateTDID = v; }
  const std::string& RateCode() const { return FRateCode; }
  // A different code keeps the code it replaces in PreviousRateCode, so
  // that components naming the old code can be updated.
  void SetRateCode(const std::string& v);
  // The code RateCode had before its last change; "" when never changed.
  const std::string& PreviousRateCode() const { return FPreviousRateCode; }
  const std::string& RateDescription() const { return FRateDescription; }
  void SetRateDescription(const std::string& v) { FRateDescription = v; }
  TRateGrouping RateGrouping() const { return FRateGrouping; }
  void SetRateGrouping(TRateGrouping v) { FRateGrouping = v; }
  // The rate as a percentage of ordinary time (150 for time and a half).
  double Percentage() const { return FPercentage; }
  void SetPercentage(double v) { FPercentage = v; }

  void ValidateConditionFlds() override;
  void CopyValues(const TObjAwardConditionBase& pSource) override;

 protected:
  TRateGrouping FRateGrouping = TRateGrouping::rg_None;

 private:
  friend struct TObjAwardRateBaseRegistry;

  int32_t FRateID = 0;
  int32_t FRateTDID = 0;
  std::string FRateCode;
  std::string FPreviousRateCode;
  std::string FRateDescription;
  double FPercentage = 0;
};

}  // namespace qora
