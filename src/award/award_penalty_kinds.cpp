#include "award/award_penalty_kinds.h"

#include "award/condition_text.h"
#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardPenaltyKindsRegistry {
  static const ClassInfo& DaysWorked() {
    using C = TObjAwardPenaltyDaysWorked;
    return ClassBuilder<C>("TObjAwardPenaltyDaysWorked").Field("EntireShift", &C::FEntireShift).Build();
  }
  static const ClassInfo& EntireShift() {
    using C = TObjAwardPenaltyEntireShift;
    return ClassBuilder<C>("TObjAwardPenaltyEntireShift")
        .Enum("StartEndOpt", &C::FStartEndOpt, TaiStartEndOptInfo())
        .Enum("TimeOpt", &C::FTimeOpt, TaiConditionTimeOptInfo())
        .Field("Time1", &C::FTime1)
        .Field("Time2", &C::FTime2)
        .Build();
  }
  static const ClassInfo& HoursInShift() {
    using C = TObjAwardPenaltyHoursInShift;
    return ClassBuilder<C>("TObjAwardPenaltyHoursInShift")
        .Enum("TimeOpt", &C::FTimeOpt, TaiConditionTimeOptInfo())
        .Field("Time1", &C::FTime1)
        .Field("Time2", &C::FTime2)
        .Build();
  }
  static const ClassInfo& MealBreak() {
    using C = TObjAwardPenaltyMealBreak;
    return ClassBuilder<C>("TObjAwardPenaltyMealBreak")
        .Field("AfterNoOfHours", &C::FAfterNoOfHours)
        .Field("MinBreakTime", &C::FMinBreakTime)
        .Field("PaidWorkCode", &C::FPaidWorkCode)
        .Field("AfterNextNoOfHours", &C::FAfterNextNoOfHours)
        .Field("NextAmountPerc", &C::FNextAmountPerc)
        .Build();
  }
  static const ClassInfo& ShiftBreak() {
    using C = TObjAwardPenaltyShiftBreak;
    return ClassBuilder<C>("TObjAwardPenaltyShiftBreak")
        .Field("BreakBetwShifts", &C::FBreakBetwShifts)
        .Field("EnsureNoLossOfPay", &C::FEnsureNoLossOfPay)
        .Build();
  }
};

namespace {

void SetWindow(TaiCondition& pCondition, const std::string& pStart, const std::string& pEnd) {
  pCondition.SetParam("StartTime", pStart);
  pCondition.SetParam("EndTime", pEnd);
}

}  // namespace

// ---- Days worked --------------------------------------------------------------

const ClassInfo& TObjAwardPenaltyDaysWorked::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardPenaltyKindsRegistry::DaysWorked();
  return info;
}

TObjAwardPenaltyDaysWorked::TObjAwardPenaltyDaysWorked() { SetConditionKind(TaiConditionType::aict_PenaltyDaysWorked); }

void TObjAwardPenaltyDaysWorked::PopulateConditions(TaiConditionList& pList) {
  if (FEntireShift) {
    TaiCondition& condition =
        AddPenaltyCondition(pList, TaiAction::aaAddPenalty, GroupAndDaysClause(), "Days Worked - Entire Shift");
    SetWindow(condition, "ShiftStart", "ShiftEnd");
    return;
  }
  // Each day loads only its own hours: the part of a shift up to midnight
  // belongs to the start day, the part after midnight to the end day, so a
  // Friday night shift into Saturday gets a Saturday penalty only for its
  // hours after midnight.
  const std::string groups = ConditionGroupClause(ConditionGroupLst());
  for (const std::string& day : WorkDaysLst().Items()) {
    const std::string number = IntegerParam(DayNumberOfName(day));
    TaiCondition& before =
        AddPenaltyCondition(pList, TaiAction::aaAddPenalty,
                            groups + " and (DayOfWeek(ShiftStartDate) = " + number + ")", "Days Worked - Part Shift 1");
    SetWindow(before, "ShiftStart", "MinR(24,ShiftEnd)");
    TaiCondition& after =
        AddPenaltyCondition(pList, TaiAction::aaAddPenalty,
                            groups + " and ShiftCrossesMidnight and (DayOfWeek(ShiftEndDate) = " + number + ")",
                            "Days Worked - Part Shift 2");
    SetWindow(after, "24", "ShiftEnd");
  }
}

// ---- Entire shift by rostered start or end --------------------------------------

const ClassInfo& TObjAwardPenaltyEntireShift::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardPenaltyKindsRegistry::EntireShift();
  return info;
}

TObjAwardPenaltyEntireShift::TObjAwardPenaltyEntireShift() {
  SetConditionKind(TaiConditionType::aict_PenaltyEntireShift);
}

void TObjAwardPenaltyEntireShift::ValidateConditionFlds() {
  TObjAwardPenalty::ValidateConditionFlds();
  ValidateTimeWindow(Messages(), FTimeOpt, FTime1, FTime2);
}

void TObjAwardPenaltyEntireShift::PopulateConditions(TaiConditionList& pList) {
  const char* rostered = FStartEndOpt == TaiStartEndOpt::aiseo_Starts ? "RosteredHoursStart" : "RosteredHoursEnd";
  TaiCondition& condition =
      AddPenaltyCondition(pList, TaiAction::aaAddPenalty,
                          GroupAndDaysClause() + " and (" + TimeWindowTest(FTimeOpt, rostered, FTime1, FTime2) + ")");
  SetWindow(condition, "ShiftStart", "ShiftEnd");
}

// ---- Hours inside a time window -----------------------------------------------

const ClassInfo& TObjAwardPenaltyHoursInShift::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardPenaltyKindsRegistry::HoursInShift();
  return info;
}

TObjAwardPenaltyHoursInShift::TObjAwardPenaltyHoursInShift() {
  SetConditionKind(TaiConditionType::aict_PenaltyHoursInShift);
  SetOrder(1000);
}

void TObjAwardPenaltyHoursInShift::ValidateConditionFlds() {
  TObjAwardPenalty::ValidateConditionFlds();
  ValidateTimeWindow(Messages(), FTimeOpt, FTime1, FTime2);
}

void TObjAwardPenaltyHoursInShift::PopulateConditions(TaiConditionList& pList) {
  const std::string t1 = NumberParam(FTime1);
  // Shift hours count on from 24 past midnight, so a window ending at or
  // before its start (22 to 6) ends on the next day (30).
  const std::string t2 = NumberParam(FTime2 <= FTime1 ? FTime2 + 24 : FTime2);
  std::string test;
  std::string start;
  std::string end;
  switch (FTimeOpt) {
    case TaiConditionTimeOpt::aicto_Before:
      test = "ShiftStart < " + t1;
      start = "ShiftStart";
      end = "MinR(ShiftEnd," + t1 + ")";
      break;
    case TaiConditionTimeOpt::aicto_After:
      test = "ShiftEnd > " + t1;
      start = "MaxR(ShiftStart," + t1 + ")";
      end = "ShiftEnd";
      break;
    case TaiConditionTimeOpt::aicto_Between:
      test = "(ShiftStart < " + t2 + ") or (ShiftEnd > " + t1 + ")";
      start = "MaxR(ShiftStart," + t1 + ")";
      end = "MinR(ShiftEnd," + t2 + ")";
      break;
    case TaiConditionTimeOpt::aicto_None: break;
  }
  TaiCondition& condition = AddPenaltyCondition(
      pList, TaiAction::aaAddPenalty,
      ConditionGroupClause(ConditionGroupLst()) + " and (" + test + ") and " + DayClause(WorkDaysLst()));
  if (FTimeOpt != TaiConditionTimeOpt::aicto_None) SetWindow(condition, start, end);
}

// ---- Meal break not taken -------------------------------------------------------

const ClassInfo& TObjAwardPenaltyMealBreak::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardPenaltyKindsRegistry::MealBreak();
  return info;
}

TObjAwardPenaltyMealBreak::TObjAwardPenaltyMealBreak() {
  SetConditionKind(TaiConditionType::aict_PenaltyMealBreak);
  SetOrder(1000);
  FAddDedType = TADType::adt_Unit;
  FAddDedUnitDesc = "Hrs";
}

void TObjAwardPenaltyMealBreak::ValidateConditionFlds() {
  TObjAwardPenalty::ValidateConditionFlds();
  if (FAfterNextNoOfHours > 0 && NotEnteredAmount(FNextAmountPerc)) Messages().AddMessage("No Next Rate entered.");
}

void TObjAwardPenaltyMealBreak::PopulateConditions(TaiConditionList& pList) {
  TaiCondition& condition = AddPenaltyCondition(pList, TaiAction::aaAddMealBreakPenalty, GroupAndDaysClause());
  condition.SetParam("Hours", NumberParam(FAfterNoOfHours));
  condition.SetParam("NextHours", NumberParam(FAfterNextNoOfHours));
  condition.SetParam("NextPercentage", NumberParam(FNextAmountPerc));
  condition.SetParam("WorkCode", QuotedParam(FPaidWorkCode));
  condition.SetParam("MinDuration", IntegerParam(FMinBreakTime));
}

void TObjAwardPenaltyMealBreak::PopulateWorkCodes(TStringList& pList) const { pList.Add(FPaidWorkCode); }

// ---- Insufficient rest between shifts -----------------------------------------

const ClassInfo& TObjAwardPenaltyShiftBreak::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardPenaltyKindsRegistry::ShiftBreak();
  return info;
}

TObjAwardPenaltyShiftBreak::TObjAwardPenaltyShiftBreak() { SetConditionKind(TaiConditionType::aict_PenaltyShiftBreak); }

void TObjAwardPenaltyShiftBreak::ValidateConditionFlds() {
  TObjAwardPenalty::ValidateConditionFlds();
  if (FBreakBetwShifts <= 0) Messages().AddMessage("No Hours entered for Break Between Shifts.");
}

void TObjAwardPenaltyShiftBreak::PopulateConditions(TaiConditionList& pList) {
  TaiCondition& condition = AddPenaltyCondition(pList, TaiAction::aaAddShiftBreakPenalty, GroupAndDaysClause());
  condition.SetParam("PayFullShift", BooleanParam(FEnsureNoLossOfPay));
  condition.SetParam("Hours", NumberParam(FBreakBetwShifts));
}

}  // namespace qora
