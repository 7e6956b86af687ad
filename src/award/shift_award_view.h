// The shift's narrow view of its award (rates, jobs, categories, pay
// classes, penalties and allowances) answered from a loaded TObjAward.
#pragma once

#include <string>
#include <unordered_map>

#include "timesheet/timesheet_shift_award.h"

namespace qora {

class TObjAward;
class TObjAwardAddDedBase;

// Answers by code, each worked out once, with the last two codes asked
// for checked before the map: a shift asks for the same few codes over and
// over (its own classification and that of a higher duty, one category).
template <class V>
class TAnswersByCode {
 public:
  // The answer for pCode; pWork() gives it the first time. The reference
  // stays valid while the table lives.
  template <class Work>
  const V& Get(const std::string& pCode, Work&& pWork) {
    for (const auto* recent : FRecent) {
      if (recent && recent->first == pCode) return recent->second;
    }
    auto [it, added] = FAnswers.try_emplace(pCode);
    if (added) it->second = pWork();
    FRecent[1] = FRecent[0];
    FRecent[0] = &*it;
    return it->second;
  }

 private:
  std::unordered_map<std::string, V> FAnswers;
  const typename std::unordered_map<std::string, V>::value_type* FRecent[2] = {nullptr, nullptr};
};

class TShiftAwardView : public IShiftAward {
 public:
  // pAward is not owned and must outlive the view (both live in the award
  // cache for the costing call). The award must not change while the view
  // lives: penalties, allowances, overtime rates, pay classes and categories
  // are looked up once per code.
  explicit TShiftAwardView(TObjAward& pAward) : FAward(pAward) {}

  // 100 for a code no overtime rate of the award has.
  double OvertimePercentage(const std::string& pRateCode) const override;
  std::string OvertimeRate2Code(const std::string& pRateCode) const override;
  bool FindJob(const std::string& pJobTitle, std::string& pClassification, std::string& pCostAccount) const override;
  double CategoryPercentage(const std::string& pCategory) const override;
  double ClassHourlyRate(const std::string& pClassification) const override;
  std::string PenaltyCostCode(const std::string& pPenaltyCode) const override;
  bool FindAllowance(const std::string& pCode, TShiftAwardAddition& pOut) const override;
  bool FindPenalty(const std::string& pCode, TShiftAwardAddition& pOut) const override;
  // StdHourlyRate as loaded from the database; for an award read from a
  // file, which does not store it, the hourly rate of the pay class marked
  // as the standard rate.
  double StandardHourlyRate() const override;

 private:
  // An addition code's answer: whether the award has it and what it pays.
  struct TLookup {
    bool Found = false;
    TShiftAwardAddition Addition;
  };
  const TLookup& Penalty(const std::string& pCode) const;

  TObjAward& FAward;
  // Rates and percentages by code, as the award answered them.
  mutable TAnswersByCode<double> FOvertimePercentages;
  mutable TAnswersByCode<double> FClassRates;
  mutable TAnswersByCode<double> FCategoryPercentages;
  mutable TAnswersByCode<TLookup> FPenalties;
  mutable TAnswersByCode<TLookup> FAllowances;
};

// What the shift's addition actions read from a penalty or allowance.
TShiftAwardAddition ShiftAdditionOf(const TObjAwardAddDedBase& pComponent);

}  // namespace qora
