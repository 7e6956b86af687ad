// The text pieces every award component builds its conditions from, kept in
// one place so that all components write groups, days, numbers and lists the
// same way: the rule engine parses these texts, and a difference between two
// components would be a difference in how the award is paid.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/string_list.h"
#include "foundation/award_const.h"
#include "rules/condition.h"

namespace qora {

// ---- Condition expressions -------------------------------------------------

// "((EqualString(ConditionGroup,"A")) or (EqualString(ConditionGroup,"B")))";
// "()" for an empty list (validation keeps such components out of awards).
std::string ConditionGroupClause(const TStringList& pGroups);
// The day number the rule engine's DayOfWeek gives: Monday 2 ... Saturday 7,
// Sunday 1, and 8 (public holiday) for "Public Holiday", "None" and any
// name that is not a day. Names compare without regard to case.
int DayNumberOfName(std::string_view pName);
// The same numbering for a TaiWorkDays value (aiwd_None and aiwd_PubHol give 8).
int DayNumberOf(TaiWorkDays pDay);
// "((DayOfWeek(ShiftStartDate) = 2) or (DayOfWeek(ShiftStartDate) = 1))";
// "()" for an empty list.
std::string DayClause(const TStringList& pDays);
// The test of a time variable against a window: "V < T1" (before),
// "V > T1" (after), "(V >= T1) and (V <= T2)" (between, T1 <= T2),
// "(V >= T1) or (V <= T2)" (between across midnight), "" for aicto_None.
std::string TimeWindowTest(TaiConditionTimeOpt pOption, std::string_view pVariable, double pTime1, double pTime2);

// ---- Parameter values (expression texts) ------------------------------------

// The text between two double-quote characters (no escaping: codes may not
// contain quotes).
std::string QuotedParam(std::string_view pText);
// General format, up to 15 significant digits, no trailing zeros (7.5, 8, 0).
std::string NumberParam(double pValue);
std::string IntegerParam(int64_t pValue);
// "-1" or "0", as the expression language writes true and false.
std::string BooleanParam(bool pValue);
template <class E>
std::string OrdinalParam(E pValue) {
  return IntegerParam(static_cast<int64_t>(pValue));
}
// The list's comma text (items holding a blank, comma or quote quoted)
// enclosed in double quotes: "AL,SL".
std::string QuotedCommaText(const TStringList& pList);
// The text of a code list chosen by an indicator: "(None)" for 0 (only when
// pHasNoneCase), "<All>" for 2, otherwise the comma text. Not quoted.
std::string IndicatorListText(const TStringList& pList, int32_t pIndicator, bool pHasNoneCase = true);

// A fresh condition appended to pList (which owns it): code, expression,
// order, the action with its parameters created empty, action type
// aatCallMethod. Returns it so the caller sets the parameters by name.
TaiCondition& AddCallCondition(TaiConditionList& pList, TaiAction pAction, int32_t pOrder, std::string pExpression,
                               std::string pCode = {});

// ---- Display texts -----------------------------------------------------------

// Monday to Friday: the days a new component applies to.
TStringList DefaultWorkDays();
// The text shown for a component's groups: "(None)" for an empty list,
// pCurrent unchanged when it reads "< All >", otherwise the names joined
// with ", ".
std::string ConditionGroupDisplayText(const TStringList& pGroups, const std::string& pCurrent);
inline constexpr const char* kAllConditionGroups = "< All >";
// "(None)" for no days, "< All >" for eight, otherwise the first three
// letters of each name joined with "," (Mon,Tue,Wed).
std::string DaysWorkedText(const TStringList& pDays);
// "None", "Monday" ... "Sunday", "Public Holiday".
std::string WorkDayName(TaiWorkDays pDay);
// "None", "Unit", "Hour", "Shift", "Week", "Day".
std::string PayUnitName(TaiAllowancePayUnit pUnit);
// "None", "Shift", "Timesheet", "1 Week", "2 Weeks", "4 Weeks".
std::string PeriodTypeName(TaiPeriodType pPeriod);
// How a penalty or allowance pays, e.g. "$ 12.5 per Shift" or
// "150 % of Base Rate per Hour".
std::string PayDetailsText(TaiConditionPayOpt pOption, double pAmountPerc, TaiAllowancePayUnit pUnit);

}  // namespace qora
