#include "reference_workload.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include <fmt/format.h>

#include "award/award.h"
#include "award/award_allowance_kinds.h"
#include "award/award_component_lists.h"
#include "award/award_file.h"
#include "award/award_leave_kinds.h"
#include "award/award_overtime_kinds.h"
#include "award/award_penalty_kinds.h"
#include "award/award_rules.h"
#include "award/award_store.h"
#include "award/sample_award.h"
#include "db/connection.h"
#include "db/connection_params.h"
#include "db/schema.h"

namespace qora::bench {
namespace {

const std::initializer_list<const char *> kWeekdays = {
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday"};
const std::initializer_list<const char *> kAllDays = {
    "Monday", "Tuesday",  "Wednesday", "Thursday",
    "Friday", "Saturday", "Sunday",    "Public Holiday"};

// Description, condition groups and days shared by every component.
template <class T>
std::unique_ptr<T> Component(const std::string &description,
                             std::initializer_list<const char *> groups) {
  auto c = std::make_unique<T>();
  c->SetDescription(description);
  for (const char *g : groups)
    c->ConditionGroupLst().Add(g);
  c->SetConditionGroupStr(groups.size() > 1 ? "< All >" : *groups.begin());
  return c;
}

template <class T> void Days(T &c, std::initializer_list<const char *> days) {
  c.WorkDaysLst().Clear(); // some kinds start with every day selected
  for (const char *d : days)
    c.WorkDaysLst().Add(d);
}

// A penalty paid as a percentage of the standard rate per hour.
template <class T>
std::unique_ptr<T> Penalty(const std::string &description, const char *group,
                           const std::string &code, double perc,
                           std::initializer_list<const char *> days) {
  auto p = Component<T>(description, {group});
  p->SetAddDedCode(code);
  p->SetAddDedDescription(description);
  p->SetPayOption(TaiConditionPayOpt::aicpo_PercOfStd);
  p->SetAddDedAmountPerc(perc);
  p->SetPayUnitType(TaiAllowancePayUnit::aiapu_Hour);
  Days(*p, days);
  return p;
}

void AddPenalties(TObjAward &award) {
  TObjListAwardPenalties &list = award.ObjLstPenalties();
  for (const char *group : {"Standard", "Night Shift"}) {
    const std::string g = group[0] == 'S' ? "S" : "N";
    auto evening = Penalty<TObjAwardPenaltyHoursInShift>(
        "Evening hours " + g, group, "EVE" + g, 15, kWeekdays);
    evening->SetTimeOpt(TaiConditionTimeOpt::aicto_Between);
    evening->SetTime1(19);
    evening->SetTime2(22);
    list.Add(std::move(evening));
    auto night = Penalty<TObjAwardPenaltyHoursInShift>(
        "Night hours " + g, group, "NGT" + g, 25, kWeekdays);
    night->SetTimeOpt(TaiConditionTimeOpt::aicto_Between);
    night->SetTime1(22);
    night->SetTime2(7);
    list.Add(std::move(night));
    list.Add(Penalty<TObjAwardPenaltyDaysWorked>("Saturday " + g, group,
                                                 "SAT" + g, 25, {"Saturday"}));
    list.Add(Penalty<TObjAwardPenaltyDaysWorked>("Sunday " + g, group,
                                                 "SUN" + g, 50, {"Sunday"}));
    list.Add(Penalty<TObjAwardPenaltyDaysWorked>(
        "Public holiday " + g, group, "PHL" + g, 125, {"Public Holiday"}));
    auto weekend = Penalty<TObjAwardPenaltyHoursInShift>(
        "Weekend evening " + g, group, "WEV" + g, 10, {"Saturday", "Sunday"});
    weekend->SetTimeOpt(TaiConditionTimeOpt::aicto_Between);
    weekend->SetTime1(19);
    weekend->SetTime2(24);
    list.Add(std::move(weekend));
    auto dawn = Penalty<TObjAwardPenaltyHoursInShift>(
        "Weekend dawn " + g, group, "WDN" + g, 20, {"Saturday", "Sunday"});
    dawn->SetTimeOpt(TaiConditionTimeOpt::aicto_Before);
    dawn->SetTime1(6);
    list.Add(std::move(dawn));
    auto late = Penalty<TObjAwardPenaltyEntireShift>("Late start " + g, group,
                                                     "LATE" + g, 10, kAllDays);
    late->SetTimeOpt(TaiConditionTimeOpt::aicto_After);
    late->SetTime1(21);
    list.Add(std::move(late));
  }
  auto meal = Penalty<TObjAwardPenaltyMealBreak>(
      "Meal break not taken", "Standard", "MBP", 50, kAllDays);
  meal->SetAfterNoOfHours(5);
  meal->SetMinBreakTime(30);
  list.Add(std::move(meal));
  auto rest = Penalty<TObjAwardPenaltyShiftBreak>(
      "Short rest between shifts", "Standard", "SBP", 100, kAllDays);
  rest->SetBreakBetwShifts(10);
  list.Add(std::move(rest));
}

template <class T>
std::unique_ptr<T>
Allowance(const std::string &description, const std::string &code,
          double amount, TaiAllowancePayUnit unit, TaiAllowanceApplyOpt apply) {
  auto a = Component<T>(description, {"Standard", "Night Shift"});
  a->SetAddDedCode(code);
  a->SetAddDedDescription(description);
  a->SetPayOption(TaiConditionPayOpt::aicpo_Amount);
  a->SetAddDedAmountPerc(amount);
  a->SetAddDedUnitDesc("Each");
  a->SetPayUnitType(unit);
  a->SetApplyOption(apply);
  return a;
}

void AddAllowances(TObjAward &award) {
  TObjListAwardAllowances &list = award.ObjLstAllowances();
  constexpr auto kHeld = TaiAllowanceApplyOpt::aiaao_HeldOnEmployee;
  constexpr auto kOnSheet = TaiAllowanceApplyOpt::aiaao_OnTimesheet;
  list.Add(Allowance<TObjAwardAllowanceStd>(
      "Meal allowance", "MEAL", 15.2, TaiAllowancePayUnit::aiapu_Shift, kHeld));
  list.Add(Allowance<TObjAwardAllowanceStd>(
      "First aid", "FIRSTAID", 3.5, TaiAllowancePayUnit::aiapu_Day, kHeld));
  list.Add(Allowance<TObjAwardAllowanceStd>(
      "Uniform", "UNIFORM", 1.2, TaiAllowancePayUnit::aiapu_Hour, kHeld));
  auto tools = Allowance<TObjAwardAllowanceStd>(
      "Tools", "TOOL", 2.1, TaiAllowancePayUnit::aiapu_Hour, kOnSheet);
  tools->SetTimesheetWorkCode("ORD");
  list.Add(std::move(tools));
  auto laundry = Allowance<TObjAwardAllowanceCapped>(
      "Laundry", "LAUNDRY", 0.32, TaiAllowancePayUnit::aiapu_Hour, kHeld);
  laundry->SetCapMinMax(TaiCondMinMax::aicmm_Max);
  laundry->SetCapAmountPerc(1.49);
  laundry->SetCapPayUnitType(TaiAllowancePayUnit::aiapu_Shift);
  list.Add(std::move(laundry));
  list.Add(Allowance<TObjAwardAllowancePropHrs>(
      "Leading hand", "LEADING", 40, TaiAllowancePayUnit::aiapu_Week, kHeld));
}

void AddLeave(TObjAward &award) {
  TObjListAwardLeave &list = award.ObjLstLeave();
  auto accrual = Component<TObjAwardLeaveAccrual>("Annual leave accrual",
                                                  {"Standard", "Night Shift"});
  accrual->SetTimesheetWorkCode("ORD");
  accrual->SetLeaveCode("AL");
  accrual->SetLeaveDesc("Annual Leave");
  accrual->SetAccrueHoursOpt(TaiAccrueHoursOpt::aiaho_Paid);
  accrual->SetAddDedCode("ALACC");
  accrual->SetAddDedDescription("Annual leave accrued");
  list.Add(std::move(accrual));
  for (const auto &[code, desc] :
       {std::pair{"AL", "Annual Leave"}, std::pair{"SICK", "Sick Leave"}}) {
    auto pay = Component<TObjAwardLeavePayment>(std::string(desc) + " payment",
                                                {"Standard", "Night Shift"});
    pay->SetLeaveReasonCode(code);
    pay->SetLeaveReasonDesc(desc);
    pay->SetRateCode(std::string(code) + "100");
    pay->SetRateDescription(desc);
    pay->SetPercentage(100);
    list.Add(std::move(pay));
  }
  auto loading = Component<TObjAwardLeaveLoading>("Leave loading",
                                                  {"Standard", "Night Shift"});
  loading->SetPenaltyLstIndicator(0);
  loading->SetAllowanceLstIndicator(1);
  loading->AllowanceAdditionLst().Add("MEAL");
  list.Add(std::move(loading));
  auto planned = Component<TObjAwardLeavePaymPlannedHours>(
      "Leave on planned hours", {"Standard", "Night Shift"});
  planned->SetLeaveReasonLstIndicator(1);
  planned->LeaveReasonLst().Add("AL");
  planned->SetAllowanceLstIndicator(1);
  planned->AllowanceAdditionLst().Add("MEAL");
  list.Add(std::move(planned));
}

void AddRulesAndOvertime(TObjAward &award) {
  auto min_ot = Component<TObjAwardRuleMinOvertime>(
      "Minimum overtime of one hour", {"Standard", "Night Shift"});
  Days(*min_ot, {"Saturday", "Sunday"});
  min_ot->SetMinHours(1);
  min_ot->SetOvertimeRateCode("OT20");
  award.ObjLstRules().Add(std::move(min_ot));
  auto unworked = Component<TObjAwardRuleUnworkedPubHoliday>(
      "Unworked public holiday", {"Standard"});
  Days(*unworked, {"Public Holiday"});
  award.ObjLstRules().Add(std::move(unworked));
  auto late = Component<TObjAwardOvertimeTimeOfDay>(
      "Overtime after 11 pm on Saturday", {"Standard"});
  late->SetRateCode("OT20");
  late->SetRateDescription("Overtime at double time");
  late->SetRateGrouping(TRateGrouping::rg_Overtime);
  late->SetPercentage(200);
  late->SetFromDay(TaiWorkDays::aiwd_Sat);
  late->SetFromTime(23);
  late->SetToDay(TaiWorkDays::aiwd_Sun);
  late->SetToTime(6);
  award.ObjLstOvertime().Add(std::move(late));
  auto daily = Component<TObjAwardOvertimeHoursWorked>(
      "Overtime beyond 11 hours a day", {"Standard", "Night Shift"});
  daily->SetRateCode("OT20");
  daily->SetRateDescription("Overtime at double time");
  daily->SetRateGrouping(TRateGrouping::rg_Overtime);
  daily->SetPercentage(200);
  // Fixed hours per shift: any other basis counts the hours of the whole
  // timesheet, which would make every shift after the first overtime.
  daily->SetExceedBasedOn(TaiOvertimeTotalType::aiot_Fixed);
  daily->SetFromHour(11);
  daily->SetPeriodType(TaiPeriodType::aipt_Shift);
  Days(*daily, kAllDays);
  award.ObjLstOvertime().Add(std::move(daily));
}

// The sample award with penalties, allowances, leave and more rules and
// overtime added: about 40 components of every kind.
int ImportReferenceAward(TDBConnection &db) {
  std::unique_ptr<TObjAward> award =
      LoadAwardFromText(SampleAwardText(), "reference.xml");
  AddPenalties(*award);
  AddAllowances(*award);
  AddLeave(*award);
  AddRulesAndOvertime(*award);
  return ImportAward(db, *award).Components;
}

// One shift template: worked parts, roster and rostered break.
struct ShiftShape {
  std::array<std::pair<const char *, const char *>, 2>
      parts; // second part empty when one
  const char *roster_start;
  const char *roster_end;
  int roster_break;
};

// Day, overtime, evening, night across midnight, short (topped up to the
// minimum engagement), long with break, afternoon without break.
const std::array<ShiftShape, 7> kShapes = {{
    {{{{"09:00", "13:00"}, {"13:30", "17:30"}}}, "09:00", "17:30", 30},
    {{{{"07:00", "12:00"}, {"12:30", "19:30"}}}, "09:00", "17:30", 30},
    {{{{"15:00", "23:30"}, {nullptr, nullptr}}}, "15:00", "23:30", 30},
    {{{{"22:00", "06:30"}, {nullptr, nullptr}}}, "22:00", "06:00", 30},
    {{{{"10:00", "12:00"}, {nullptr, nullptr}}}, "10:00", "12:00", 0},
    {{{{"06:00", "11:00"}, {"11:30", "18:00"}}}, "06:00", "14:30", 30},
    {{{{"12:00", "20:00"}, {nullptr, nullptr}}}, "12:00", "20:00", 0},
}};

const std::array<const char *, 4> kJobs = {"Cook", "Waiter", "Kitchen Hand",
                                           "Supervisor"};
const std::array<const char *, 4> kClasses = {"HOSP01", "HOSP02", "HOSP04",
                                              "HOSP03"};
const std::array<const char *, 3> kTypes = {"Full Time", "Part Time", "Casual"};

// 14 to 27 April 2025: Good Friday, Easter Monday and Anzac Day fall in it.
std::string Day(int d) { return fmt::format("2025-04-{:02d}", 14 + d); }

// Multi-row inserts, flushed in batches so no statement grows too large.
class Inserter {
public:
  Inserter(TDBConnection &db, std::string head)
      : FDb(db), FHead(std::move(head)) {}
  ~Inserter() = default;
  void Row(const std::string &values) {
    FText += (FRows == 0 ? FHead + " VALUES\n" : std::string(",\n")) + "(" +
             values + ")";
    if (++FRows == 400)
      Flush();
  }
  void Flush() {
    if (FRows == 0)
      return;
    FDb.ExecuteScript(FText + ";");
    FText.clear();
    FRows = 0;
  }

private:
  TDBConnection &FDb;
  std::string FHead;
  std::string FText;
  int FRows = 0;
};

struct Tables {
  explicit Tables(TDBConnection &db)
      : person(db, "INSERT INTO _hrtblPerson (idPerson, cEmployeeCode, "
                   "cFirstName, cSurname, iPayrollDatabaseID)"),
        user(db, "INSERT INTO _estblUsers (idUser, cUserName, iPersonID)"),
        sheet(db, "INSERT INTO _estblTimesheet (idTimesheet, iUserID, iStatus, "
                  "cDescription, dStartDate, dEndDate, "
                  "iImportType, nData)"),
        row(db, "INSERT INTO _estblTimesheetRow (idTimesheetRow, iTimesheetID, "
                "iUserID, dDateWorked, bIsOffDay, "
                "dLastImportDate)"),
        plan(db, "INSERT INTO _estblTimesheetRowPlan (idTimesheetRowPlan, "
                 "iTimesheetRowID, dRosteredStartTime, "
                 "dRosteredEndTime, iRosteredBreakMinutes, cJobTitle, "
                 "cWorkCode, cCostCode, iJobCodeID, bActualEmpty)"),
        hours(db, "INSERT INTO _estblTimesheetRowHours (iTimesheetRowPlanID, "
                  "dStartTime, dEndTime, bNextDay, cWorkCode, "
                  "cCostCode, cJobTitle, iJobCodeID)"),
        employee(
            db, "INSERT INTO _iptblEmployee (idEmployee, cEmpCode, cFirstName, "
                "cSurname, cEmploymentType, "
                "dDateOfBirth, dHiredDate, dTerminationDate, iPayFrequencyID)"),
        rate(db, "INSERT INTO _iptblEmployeeRates_TD (iEmployeeID, "
                 "fNormalRate, fNormalHours, fYearlySalary, "
                 "dEffectiveDate, dEndDate)"),
        award(db, "INSERT INTO _iptblEmployeeAwards_TD (iEmployeeID, iAwardID, "
                  "iPayClassID, iAwardEmplCategoryID, "
                  "iAwardConditionGroupID, fYearlySalary, fNormalHours, "
                  "bUseDefaultRate, fNormalRate, "
                  "fAwardCategoryHoursToDate, fAutopayAmount, iChangeType, "
                  "iChangeReasonID, iAgentID, dEffectiveDate, "
                  "dEndDate)"),
        pattern(db, "INSERT INTO _iptblEmployeeWorkPatterns_TD (iEmployeeID, "
                    "iWorkPatternID, dEffectiveDate, dEndDate)"),
        addition(db, "INSERT INTO _iptblEmployeeAddsDeds_TD (iEmployeeID, "
                     "iAddsDedsID, iAwardID, bUseRegister, "
                     "fAmtPerc, iChangeType, dEffectiveDate, dEndDate)") {}
  void Flush() {
    for (Inserter *i : {&person, &user, &sheet, &row, &plan, &hours, &employee,
                        &rate, &award, &pattern, &addition}) {
      i->Flush();
    }
  }
  Inserter person, user, sheet, row, plan, hours, employee, rate, award,
      pattern, addition;
};

constexpr const char *kOpenEnd = "'1899-12-30 00:00:00'";

void AddPayrollEmployee(Tables &t, int id, const std::string &code, int e) {
  const char *type = kTypes[e % 3];
  t.employee.Row(fmt::format("{}, '{}', 'Ref', 'Employee {}', '{}', "
                             "'1990-01-01 00:00:00', '2023-01-09 00:00:00', "
                             "NULL, 2",
                             id, code, e, type));
  t.rate.Row(fmt::format("{}, 25.00, 76, 49400, '2024-07-01 00:00:00', {}", id,
                         kOpenEnd));
  t.award.Row(fmt::format(
      "{}, 1, (SELECT idPayClass FROM _iptblPayClasses WHERE iAwardID = 1 AND "
      "cCode = '{}'), {}, "
      "(SELECT idAwardConditionGroup FROM _iptblAwardConditionGroup WHERE "
      "iAwardID = 1 AND cConditionGroup = "
      "'Standard'), 49400, 76, 1, 25.00, 0, 0, 1, 0, 0, '2024-07-01 00:00:00', "
      "{}",
      id, kClasses[e % 4], 1 + e % 3, kOpenEnd));
  t.pattern.Row(fmt::format("{}, 1, '2024-01-01 00:00:00', {}", id, kOpenEnd));
  t.addition.Row(fmt::format("{}, 1, 1, 0, 15.20, 1, '2024-07-01 00:00:00', {}",
                             id, kOpenEnd));
  if (e % 2 == 0)
    t.addition.Row(fmt::format(
        "{}, 3, 1, 0, 3.50, 1, '2024-07-01 00:00:00', {}", id, kOpenEnd));
}

// The shift's end falls on the next day when it is at or before its start.
std::string EndStamp(int d, const char *start, const char *end) {
  return (std::string(end) <= start ? Day(d + 1) : Day(d)) + " " + end + ":00";
}

void AddShift(Tables &t, std::ofstream &csv, int sheet_id, int row_id,
              const std::string &code, int e, int d) {
  const ShiftShape &s = kShapes[(e + d) % kShapes.size()];
  const char *job = kJobs[e % 4];
  const int job_id = 1 + e % 2;
  const char *cost = e % 2 == 0 ? "KITCHEN" : "FOH";
  t.row.Row(fmt::format("{}, {}, {}, '{} 00:00:00', 0, '2025-04-28 08:00:00'",
                        row_id, sheet_id, sheet_id, Day(d)));
  t.plan.Row(fmt::format(
      "{}, {}, '{} {}:00', '{}', {}, '{}', 'ORD', '{}', {}, 0", row_id, row_id,
      Day(d), s.roster_start, EndStamp(d, s.roster_start, s.roster_end),
      s.roster_break, job, cost, job_id));
  for (size_t p = 0; p < s.parts.size() && s.parts[p].first != nullptr; ++p) {
    const auto &[from, to] = s.parts[p];
    t.hours.Row(fmt::format("{}, '{} {}:00', '{}', 0, 'ORD', '{}', '{}', {}",
                            row_id, Day(d), from, EndStamp(d, from, to), cost,
                            job, job_id));
    if (p == 0) {
      csv << fmt::format("\"{}\",\"{}\",\"{}:00\",\"{}:00\",\"{}:00\",\"{}:"
                         "00\",\"{}\",\"ORD\",\"{}\",\"0\",\"\",\n",
                         code, Day(d), from, s.roster_start, to, s.roster_end,
                         s.roster_break, job);
    } else {
      csv << fmt::format("\"{}\",\"\",\"{}:00\",\"\",\"{}:00\",\"\",\"\","
                         "\"ORD\",\"{}\",\"0\",\"\",\n",
                         code, from, to, job);
    }
  }
}

void AddEmployees(TDBConnection &db, ReferenceWorkload &w) {
  Tables t(db);
  std::ofstream csv(w.timesheet_file, std::ios::binary | std::ios::trunc);
  csv << "\"cEmployeeCode\",\"dDayWorked\",\"dStart\",\"dRosterStart\","
         "\"dEnd\",\"dRosterEnd\",\"iRosterBreak\","
         "\"cWorkCode\",\"cJobTitle\",\"fKilometres\",\"cComment\",\n";
  int row_id = 100;
  for (int e = 0; e < w.employees; ++e) {
    const int id = 100 + e;
    const std::string code = fmt::format("R{:05d}", e);
    t.person.Row(fmt::format("{}, '{}', 'Ref', 'Employee {}', 1", id, code, e));
    t.user.Row(fmt::format("{}, 'ref{}', {}", id, e, id));
    t.sheet.Row(fmt::format("{}, {}, 1, 'Reference fortnight {}', '2025-04-14 "
                            "00:00:00', '2025-04-27 00:00:00', 0, "
                            "NULL",
                            id, id, e));
    AddPayrollEmployee(t, id, code, e);
    for (int d = 0; d < 14; ++d)
      AddShift(t, csv, id, row_id++, code, e, d);
    w.stored_ids += (e == 0 ? "" : ",") + std::to_string(id) + "=1";
  }
  t.Flush();
  w.shifts = w.employees * 14;
}

} // namespace

ReferenceWorkload BuildReferenceWorkload(int employees) {
  ReferenceWorkload w;
  w.employees = employees;
  w.folder = (std::filesystem::temp_directory_path() /
              fmt::format("qora_ref_{}_{}", getpid(), employees))
                 .string();
  std::filesystem::remove_all(w.folder);
  std::filesystem::create_directories(w.folder);
  w.database = w.folder + "/payroll.db";
  w.timesheet_file = w.folder + "/timesheet.csv";
  auto db = CreateConnection(ParseConnectionUri("sqlite:" + w.database));
  db->Open();
  TDBTransaction work(*db);
  CreateDatabases(*db, *db, true);
  w.conditions = ImportReferenceAward(*db);
  AddEmployees(*db, w);
  work.Commit();
  return w;
}

void RemoveReferenceWorkload(const ReferenceWorkload &workload) {
  std::error_code ignored;
  std::filesystem::remove_all(workload.folder, ignored);
}

} // namespace qora::bench
