// The five kinds of penalty. Each generates conditions that call a penalty
// action of the shift:
//  - TObjAwardPenaltyDaysWorked: the hours worked on the selected days, a
//    shift across midnight split at midnight between its two days;
//  - TObjAwardPenaltyEntireShift: the whole shift, when its rostered start
//    (or end) lies in a time window;
//  - TObjAwardPenaltyHoursInShift: only the hours inside a time window;
//  - TObjAwardPenaltyMealBreak: the time worked on past a meal break that
//    was not taken;
//  - TObjAwardPenaltyShiftBreak: a shift that follows the previous one
//    after too short a rest.
#pragma once

#include <cstdint>
#include <string>

#include "award/award_penalty.h"
#include "foundation/award_const.h"

namespace qora {

class TObjAwardPenaltyDaysWorked : public TObjAwardPenalty {
  QORA_CLASS(TObjAwardPenaltyDaysWorked, TObjAwardPenalty)

 public:
  TObjAwardPenaltyDaysWorked();

  // The whole shift is loaded when it starts on one of the days, instead of
  // each day's part of it.
  bool EntireShift() const { return FEntireShift; }
  void SetEntireShift(bool v) { FEntireShift = v; }

  // One condition for the entire shift; otherwise two per day in list order
  // (none for an empty day list).
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardPenaltyKindsRegistry;
  bool FEntireShift = false;
};

class TObjAwardPenaltyEntireShift : public TObjAwardPenalty {
  QORA_CLASS(TObjAwardPenaltyEntireShift, TObjAwardPenalty)

 public:
  TObjAwardPenaltyEntireShift();

  // Whether the rostered start or the rostered end is tested.
  TaiStartEndOpt StartEndOpt() const { return FStartEndOpt; }
  void SetStartEndOpt(TaiStartEndOpt v) { FStartEndOpt = v; }
  TaiConditionTimeOpt TimeOpt() const { return FTimeOpt; }
  void SetTimeOpt(TaiConditionTimeOpt v) { FTimeOpt = v; }
  // Hours of the day (18 or 6.5); a window whose start lies after its end
  // runs across midnight.
  double Time1() const { return FTime1; }
  void SetTime1(double v) { FTime1 = v; }
  double Time2() const { return FTime2; }
  void SetTime2(double v) { FTime2 = v; }

  void ValidateConditionFlds() override;
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardPenaltyKindsRegistry;
  TaiStartEndOpt FStartEndOpt = TaiStartEndOpt::aiseo_Starts;
  TaiConditionTimeOpt FTimeOpt = TaiConditionTimeOpt::aicto_Before;
  double FTime1 = 0;
  double FTime2 = 0;
};

class TObjAwardPenaltyHoursInShift : public TObjAwardPenalty {
  QORA_CLASS(TObjAwardPenaltyHoursInShift, TObjAwardPenalty)

 public:
  TObjAwardPenaltyHoursInShift();

  TaiConditionTimeOpt TimeOpt() const { return FTimeOpt; }
  void SetTimeOpt(TaiConditionTimeOpt v) { FTimeOpt = v; }
  // Hours of the day; a To time at or before the From time lies on the
  // next day.
  double Time1() const { return FTime1; }
  void SetTime1(double v) { FTime1 = v; }
  double Time2() const { return FTime2; }
  void SetTime2(double v) { FTime2 = v; }

  void ValidateConditionFlds() override;
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardPenaltyKindsRegistry;
  TaiConditionTimeOpt FTimeOpt = TaiConditionTimeOpt::aicto_After;
  double FTime1 = 0;
  double FTime2 = 0;
};

class TObjAwardPenaltyMealBreak : public TObjAwardPenalty {
  QORA_CLASS(TObjAwardPenaltyMealBreak, TObjAwardPenalty)

 public:
  // Paid in units of hours ("Hrs").
  TObjAwardPenaltyMealBreak();

  // The break falls due after these hours of work.
  double AfterNoOfHours() const { return FAfterNoOfHours; }
  void SetAfterNoOfHours(double v) { FAfterNoOfHours = v; }
  // Minutes a break must last to count as taken.
  int32_t MinBreakTime() const { return FMinBreakTime; }
  void SetMinBreakTime(int32_t v) { FMinBreakTime = v; }
  // The timesheet work code that marks a meal break paid instead of taken.
  const std::string& PaidWorkCode() const { return FPaidWorkCode; }
  void SetPaidWorkCode(const std::string& v) { FPaidWorkCode = v; }
  // After these further hours the next percentage applies.
  double AfterNextNoOfHours() const { return FAfterNextNoOfHours; }
  void SetAfterNextNoOfHours(double v) { FAfterNextNoOfHours = v; }
  double NextAmountPerc() const { return FNextAmountPerc; }
  void SetNextAmountPerc(double v) { FNextAmountPerc = v; }

  void ValidateConditionFlds() override;
  void PopulateConditions(TaiConditionList& pList) override;
  void PopulateWorkCodes(TStringList& pList) const override;

 private:
  friend struct TObjAwardPenaltyKindsRegistry;
  double FAfterNoOfHours = 0;
  int32_t FMinBreakTime = 0;
  std::string FPaidWorkCode;
  double FAfterNextNoOfHours = 0;
  double FNextAmountPerc = 0;
};

class TObjAwardPenaltyShiftBreak : public TObjAwardPenalty {
  QORA_CLASS(TObjAwardPenaltyShiftBreak, TObjAwardPenalty)

 public:
  TObjAwardPenaltyShiftBreak();

  // The minimum rest, in hours, between the end of one shift and the start
  // of the next.
  double BreakBetwShifts() const { return FBreakBetwShifts; }
  void SetBreakBetwShifts(double v) { FBreakBetwShifts = v; }
  // When paying the full rostered shift comes to more than the penalised
  // hours worked, the rostered shift is paid instead: cutting a shift short
  // to get some rest must not cost the employee pay.
  bool EnsureNoLossOfPay() const { return FEnsureNoLossOfPay; }
  void SetEnsureNoLossOfPay(bool v) { FEnsureNoLossOfPay = v; }

  void ValidateConditionFlds() override;
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardPenaltyKindsRegistry;
  double FBreakBetwShifts = 0;
  bool FEnsureNoLossOfPay = true;
};

}  // namespace qora
