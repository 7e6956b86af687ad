#include "award/condition_text.h"

#include <iterator>
#include <memory>
#include <utility>

#include "common/format.h"
#include "common/text.h"

namespace qora {
namespace {

// Day names by TaiWorkDays ordinal; the day lists of components hold them.
constexpr const char* kDayNames[] = {"None",     "Monday", "Tuesday", "Wednesday",     "Thursday",
                                     "Friday",   "Saturday", "Sunday", "Public Holiday"};
// The rule engine's day number for each TaiWorkDays ordinal.
constexpr int kDayNumbers[] = {8, 2, 3, 4, 5, 6, 7, 1, 8};
constexpr int kPublicHolidayDay = 8;

std::string JoinedClause(const TStringList& pItems, std::string (*pPiece)(const std::string&)) {
  std::string clause = "(";
  for (int i = 0; i < pItems.Count(); ++i) {
    if (i > 0) clause += " or ";
    clause += pPiece(pItems[i]);
  }
  return clause + ")";
}

std::string GroupPiece(const std::string& pGroup) { return "(EqualString(ConditionGroup,\"" + pGroup + "\"))"; }

std::string DayPiece(const std::string& pDay) {
  return "(DayOfWeek(ShiftStartDate) = " + std::to_string(DayNumberOfName(pDay)) + ")";
}

}  // namespace

std::string ConditionGroupClause(const TStringList& pGroups) { return JoinedClause(pGroups, GroupPiece); }

int DayNumberOfName(std::string_view pName) {
  for (size_t i = 0; i < std::size(kDayNames); ++i) {
    if (SameText(kDayNames[i], pName)) return kDayNumbers[i];
  }
  return kPublicHolidayDay;
}

int DayNumberOf(TaiWorkDays pDay) {
  const auto index = static_cast<size_t>(pDay);
  return index < std::size(kDayNumbers) ? kDayNumbers[index] : kPublicHolidayDay;
}

std::string DayClause(const TStringList& pDays) { return JoinedClause(pDays, DayPiece); }

std::string TimeWindowTest(TaiConditionTimeOpt pOption, std::string_view pVariable, double pTime1, double pTime2) {
  const std::string v(pVariable);
  const std::string t1 = NumberParam(pTime1);
  const std::string t2 = NumberParam(pTime2);
  switch (pOption) {
    case TaiConditionTimeOpt::aicto_Before: return v + " < " + t1;
    case TaiConditionTimeOpt::aicto_After: return v + " > " + t1;
    case TaiConditionTimeOpt::aicto_Between:
      // A window whose start lies after its end runs across midnight, so
      // either bound alone puts the time inside it.
      return "(" + v + " >= " + t1 + (pTime1 <= pTime2 ? ") and (" : ") or (") + v + " <= " + t2 + ")";
    case TaiConditionTimeOpt::aicto_None: break;
  }
  return "";
}

std::string QuotedParam(std::string_view pText) { return "\"" + std::string(pText) + "\""; }

std::string NumberParam(double pValue) { return FloatToStr(pValue); }

std::string IntegerParam(int64_t pValue) { return std::to_string(pValue); }

std::string BooleanParam(bool pValue) { return pValue ? "-1" : "0"; }

std::string QuotedCommaText(const TStringList& pList) { return QuotedParam(pList.CommaText()); }

std::string IndicatorListText(const TStringList& pList, int32_t pIndicator, bool pHasNoneCase) {
  if (pIndicator == 0 && pHasNoneCase) return "(None)";
  if (pIndicator == 2) return "<All>";
  return pList.CommaText();
}

TaiCondition& AddCallCondition(TaiConditionList& pList, TaiAction pAction, int32_t pOrder, std::string pExpression,
                               std::string pCode) {
  auto condition = std::make_unique<TaiCondition>();
  condition->SetCode(pCode);
  condition->SetConditionExpression(pExpression);
  condition->SetOrder(pOrder);
  condition->SetAction(pAction);
  condition->SetActionType(TaiActionType::aatCallMethod);
  TaiCondition& added = *condition;
  pList.AddCondition(std::move(condition));
  return added;
}

TStringList DefaultWorkDays() {
  TStringList days;
  for (int d = 1; d <= 5; ++d) days.Add(kDayNames[d]);
  return days;
}

std::string ConditionGroupDisplayText(const TStringList& pGroups, const std::string& pCurrent) {
  if (pGroups.Empty()) return "(None)";
  if (pCurrent == kAllConditionGroups) return pCurrent;
  std::string text;
  for (int i = 0; i < pGroups.Count(); ++i) {
    if (i > 0) text += ", ";
    text += pGroups[i];
  }
  return text;
}

std::string DaysWorkedText(const TStringList& pDays) {
  if (pDays.Empty()) return "(None)";
  if (pDays.Count() == static_cast<int>(std::size(kDayNames)) - 1) return kAllConditionGroups;
  std::string text;
  for (int i = 0; i < pDays.Count(); ++i) {
    if (i > 0) text += ",";
    text += pDays[i].substr(0, 3);
  }
  return text;
}

std::string WorkDayName(TaiWorkDays pDay) {
  const auto index = static_cast<size_t>(pDay);
  return index < std::size(kDayNames) ? kDayNames[index] : "";
}

std::string PayUnitName(TaiAllowancePayUnit pUnit) {
  static constexpr const char* kNames[] = {"None", "Unit", "Hour", "Shift", "Week", "Day"};
  const auto index = static_cast<size_t>(pUnit);
  return index < std::size(kNames) ? kNames[index] : "";
}

std::string PeriodTypeName(TaiPeriodType pPeriod) {
  static constexpr const char* kNames[] = {"None", "Shift", "Timesheet", "1 Week", "2 Weeks", "4 Weeks"};
  const auto index = static_cast<size_t>(pPeriod);
  return index < std::size(kNames) ? kNames[index] : "";
}

std::string PayDetailsText(TaiConditionPayOpt pOption, double pAmountPerc, TaiAllowancePayUnit pUnit) {
  const std::string amount = FloatToStr(pAmountPerc);
  const std::string unit = PayUnitName(pUnit);
  switch (pOption) {
    case TaiConditionPayOpt::aicpo_Amount: return Format("$ %s per %s", amount, unit);
    case TaiConditionPayOpt::aicpo_PercOfStd: return Format("%s %% of Std Rate per %s", amount, unit);
    case TaiConditionPayOpt::aicpo_PercOfBase: return Format("%s %% of Base Rate per %s", amount, unit);
    case TaiConditionPayOpt::aicpo_PercOfBaseCategory: return Format("%s %% of Base + Category per %s", amount, unit);
    case TaiConditionPayOpt::aicpo_None: break;
  }
  return Format("%s %% per %s", amount, unit);
}

}  // namespace qora
