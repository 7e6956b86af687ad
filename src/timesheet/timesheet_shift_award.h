// What a shift's pay operations need to know about the employee's award, as
// a narrow view: the shift never depends on the award model itself. The
// run's timesheet manager hands out the view for a shift
// (ITimesheetManager::FindShiftAward); the award cache implements it over
// the loaded award.
//
// Codes are compared as the award compares them (rate codes exactly); a code
// the award does not have gives the "not found" value stated per function.
#pragma once

#include <string>

#include "foundation/award_const.h"

namespace qora {

// An award allowance or penalty as the shift's addition actions read it.
struct TShiftAwardAddition {
  std::string AddDedCode;
  // Ordinal of the award component's addition type (TAllowance::AddDedTypeText).
  int AddDedTypeOrdinal = 0;
  double AmountPerc = 0;
  std::string CostCode;
  TaiAllowancePayUnit PayUnitType = TaiAllowancePayUnit::aiapu_None;
  TaiConditionPayOpt PayOption = TaiConditionPayOpt::aicpo_None;
  // A standard allowance (not capped, not proportioned hours), with its two
  // "pay even without worked hours" switches; false for penalties.
  bool IsStandardAllowance = false;
  bool PayIfLeaveOnly = false;
  bool PayIfAllowanceOnly = false;
};

class IShiftAward {
 public:
  virtual ~IShiftAward() = default;

  // The rate percentage of the award's overtime rate with that code. For a
  // code the award does not know, the award's own answer stands (it is not
  // an error).
  virtual double OvertimePercentage(const std::string& pRateCode) const = 0;
  // The second rate code of that overtime rate; "" when it has none or the
  // code is unknown.
  virtual std::string OvertimeRate2Code(const std::string& pRateCode) const = 0;

  // The award's job with that title: its classification and cost account.
  // Returns false (leaving both untouched) when the award has no such job.
  virtual bool FindJob(const std::string& pJobTitle, std::string& pClassification,
                       std::string& pCostAccount) const = 0;
  // The Percentage of the award category; 0 when the award has no such category.
  virtual double CategoryPercentage(const std::string& pCategory) const = 0;
  // The hourly rate of the classification's class rate; 0 when the award
  // has no class rate for it.
  virtual double ClassHourlyRate(const std::string& pClassification) const = 0;
  // The cost code of the award penalty with that code; "" when none.
  virtual std::string PenaltyCostCode(const std::string& pPenaltyCode) const = 0;
  // The award allowance (first with that addition code, exact) or penalty;
  // false, leaving pOut untouched, when the award has none.
  virtual bool FindAllowance(const std::string& pCode, TShiftAwardAddition& pOut) const = 0;
  virtual bool FindPenalty(const std::string& pCode, TShiftAwardAddition& pOut) const = 0;
  // The hourly rate of the award's standard pay class; 0 when it has none.
  virtual double StandardHourlyRate() const = 0;

 protected:
  IShiftAward() = default;
  IShiftAward(const IShiftAward&) = default;
  IShiftAward& operator=(const IShiftAward&) = default;
};

}  // namespace qora
