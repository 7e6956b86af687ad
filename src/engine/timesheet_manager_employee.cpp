// Loading a shift's employee: the payroll database that holds them, their
// award assignment (cached per payroll token, code and date), additions
// held on the employee, work pattern and the payroll's leave rates.
#include <memory>

#include "award/employee_award_cache.h"
#include "common/format.h"
#include "db/connection.h"
#include "engine/connection_string.h"
#include "common/exceptions.h"
#include "engine/payroll_connection.h"
#include "engine/timesheet_manager.h"
#include "foundation/user_feedback.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_shift.h"

namespace qora {
namespace {

constexpr const char* kPersonDatabase =
    "select DB.* from _hrtblPerson P join _hrtblPayrollDatabase DB on P.iPayrollDatabaseID = DB.idPayrollDatabase "
    "where P.cEmployeeCode = :EmployeeCode";

constexpr const char* kUserDatabase =
    "select DB.*, P.cEmployeeCode from _estblUsers U join _hrtblPerson P on P.idPerson = U.iPersonID join "
    "_hrtblPayrollDatabase DB on P.iPayrollDatabaseID = DB.idPayrollDatabase where U.idUser = :UserID";

constexpr const char* kPayrollDatabaseForToken =
    "select cServer, cDatabase from _hrtblPayrollDatabase where cPayrollLinkToken = :PayrollLinkToken";

constexpr const char* kEmployee =
    "select E.idEmployee , E.cEmpCode , E.dDateOfBirth, E.dHiredDate, PF.iFrequency, ER.fNormalRate, "
    "ER.fNormalHours,  ER.fYearlySalary, EL.iLeaveLoadingClassID from _iptblEmployee E join _iptblPayFrequencies "
    "PF on PF.idPayFrequency = E.iPayFrequencyID join _iptblEmployeeRates_TD ER on E.idEmployee = ER.iEmployeeID "
    "left join _iptblEmployeeLeave EL on EL.iEmployeeID = E.idEmployee and EL.iLeaveType = 1 where E.cEmpCode = "
    ":EmployeeCode and ((ISNULL(ER.dEndDate,0) < 5) OR (ER.dEndDate >= :Date1)) AND ER.dEffectiveDate <= :Date2  ";

constexpr const char* kEmployeeAward =
    "select * from _ipvEmployeeAwards WHERE ((ISNULL(dEndDate,0) < 5) OR (dEndDate >= :Date1)) AND dEffectiveDate "
    "<= :Date2  AND iEmployeeID = :EmployeeID";

constexpr const char* kEmployeeAdditions =
    "select * from _ipvEmployeeAddsDeds  WHERE ((ISNULL(dEndDate,0) < 5) OR (dEndDate >= :Date1)) AND "
    "dEffectiveDate <= :Date2  AND iEmployeeID = :EmployeeId AND iAwardID = :AwardID";

constexpr const char* kWorkPattern =
    "select dDate, fHours, cPublicHoliday from _ipfnGetEmployeeWorkPatternDays(:EmployeeID,:FromDate,:ToDate,0)";

constexpr const char* kLeaveRates =
    "select LR.idLeaveReason, LR.cDescription, LR.cCode, LR.bUnpaid, RT.fRate, RT.iType, RT.iGrouping, CA.cCostCode "
    "from _iptblLeaveReasons LR join _iptblRateTypes_TD RT on LR.iRateTypeID = RT.iRateTypeID left join "
    "_iptblCostAccounts CA on CA.idCostAccount = LR.iCostAccountID WHERE ((ISNULL(RT.dEndDate,0) < 5) OR "
    "(RT.dEndDate >= :Date1)) AND RT.dEffectiveDate <= :Date2";

// True when the connection is open on the database the registry names.
// The database name alone does not tell PostgreSQL payroll databases apart
// that live in schemas of one database, so the schema and the host count too.
bool OpenOn(const TDBConnection& connection, const TDBConnectionParams& wanted) {
  if (!connection.Connected()) return false;
  const TDBConnectionParams& current = connection.Params();
  return current.Backend == wanted.Backend && current.DefaultDatabase() == wanted.DefaultDatabase() &&
         current.Schema == wanted.Schema && current.Host == wanted.Host && current.Port == wanted.Port;
}

double SecondsSince(TDateTime start) { return (Now() - start) * 86400.0; }

// The names of the payroll's addition types, by their stored ordinal.
std::string AddDedTypeName(int64_t type) {
  static const char* const kNames[] = {"Amount", "Rate", "Percent", "Unit", "Formula"};
  if (type < 0 || type > 4) return std::to_string(type);
  return kNames[type];
}

// The payroll connection text for the debug log. Payroll users share run
// logs, so the password is never written there: it shows as asterisks.
std::string LoggedConnectionString(const std::string& server, const std::string& database,
                                   const std::string& user_name, const std::string& password) {
  return BuildConnectionString(server, database, user_name, password.empty() ? "" : "********");
}

TDBParams ShiftDates(TDateTime date) {
  return {{"Date1", TDBValue::DateTime(date)}, {"Date2", TDBValue::DateTime(date)}};
}

// Copies the cached record into the shift. The shift's additions held on
// the employee are replaced, so that loading a shift's employee twice (once
// with the timesheet, again when the shift is processed) does not pay them
// twice.
void CopyEmployeeToShift(const TEmployeeAwardObj& employee, TTimesheetShift& shift) {
  shift.SetEmployeeID(employee.EmployeeID());
  shift.SetEmployeeDOB(employee.DateOfBirth());
  shift.SetEmploymentType(employee.EmploymentType());
  shift.SetEmployeeAward(employee.AwardCode());
  shift.SetEmployeeCategory(employee.Category());
  shift.SetConditionGroup(employee.ConditionGroup());
  shift.SetEmployeeClassification(employee.Classification());
  shift.SetEmployeeNormalHours(employee.NormalHours());
  shift.SetEmployeeNormalRate(employee.NormalRate());
  shift.SetLeaveLoadingClassID(employee.LeaveLoadingClassID());
  shift.SetBaseWeeklyHours(WeeklyHoursFor(employee.NormalHours(), employee.PayPeriod()));
  shift.AllowanceList().DeleteEmployeeAllowances();
  for (int i = 0; i < employee.Allowances().Count(); ++i) {
    auto copy = std::make_unique<TAllowance>();
    copy->CopyPublishedValues(*employee.Allowances().Items(i));
    shift.AllowanceList().Add(std::move(copy));
  }
}

}  // namespace

void TTimesheetManager::DBLoadEmployeeDetails(TTimesheetShift& shift) {
  const bool debug = DebugOn();
  const TDateTime started = debug ? Now() : 0;
  const int32_t id = shift.TimesheetID();
  if (debug) Debug(id, Format("Loading employee details for \"%s\"", shift.EmployeeCode()));
  const std::string previous_token = FPayrollLinkToken;
  ReadPayrollDatabase(shift);
  const bool token_changed = shift.PayrollLinkToken() != previous_token;
  ConnectPayrollDatabase(shift);

  if (debug) Debug(id, Format("Checking employee cache for \"%s\"", shift.EmployeeCode()));
  TEmployeeAwardObj* employee =
      Employees().GetEmployeeAward(shift.PayrollLinkToken(), shift.EmployeeCode(), shift.ShiftStartDate());
  if (!employee) {
    if (debug) Debug(id, Format("Employee \"%s\" not in cache, starting load from database", shift.EmployeeCode()));
    employee = &LoadEmployeeFromDatabase(shift);
  }
  FEmployeesUsed.insert(employee);
  if (debug) Debug(id, Format("Finished loading details for \"%s\"", shift.EmployeeCode()));
  CopyEmployeeToShift(*employee, shift);

  DBLoadWorkplan(shift);
  shift.SetEmployeeWorkPatternHours(shift.WorkPatternList().GetTotalHours());
  if (token_changed) DBLoadLeaveRates(shift);
  if (debug) Debug(id, Format("Loaded employee details in %f.1 seconds", SecondsSince(started)));
}

// Finds the employee's payroll database in the registry of the main
// database (by employee code, or through the user for stored shifts without
// one) and gives the shift its payroll link token.
void TTimesheetManager::ReadPayrollDatabase(TTimesheetShift& shift) {
  const TDBResult* registry = nullptr;
  if (!shift.EmployeeCode().empty()) {
    if (FLast.PersonCode != shift.EmployeeCode() || FLast.Person.Columns() == nullptr) {
      FLast.Person = MainConnection().Query(kPersonDatabase, {{"EmployeeCode", shift.EmployeeCode()}});
      FLast.PersonCode = shift.EmployeeCode();
    }
    registry = &FLast.Person;
  } else if (shift.UserID() > 0) {
    if (FLast.UserID != shift.UserID() || FLast.User.Columns() == nullptr) {
      FLast.User = MainConnection().Query(kUserDatabase, {{"UserID", shift.UserID()}});
      FLast.UserID = shift.UserID();
    }
    registry = &FLast.User;
    if (!registry->Empty()) shift.SetEmployeeCode((*registry)[0]["cEmployeeCode"].AsString());
  } else {
    throw eDatabaseException("The shift has neither an employee code nor a user, so no payroll database can be found.");
  }
  // An employee not in the registry has no token; connecting then reports
  // that the payroll database was not found.
  shift.SetPayrollLinkToken(registry->Empty() ? std::string() : (*registry)[0]["cPayrollLinkToken"].AsString());
}

// Nothing is done for a stored shift (UserID not 0) while the payroll
// connection is open, when the user is a negative (system) ID or the token
// is the one already connected. Otherwise the registry names the database;
// the connection is re-pointed only when it is not already open on it.
void TTimesheetManager::ConnectPayrollDatabase(TTimesheetShift& shift) {
  TDBConnection& payroll = PayrollDB();
  if (shift.UserID() != 0 && payroll.Connected() &&
      (shift.UserID() < 0 || shift.PayrollLinkToken() == FPayrollLinkToken)) {
    return;
  }
  FPayrollLinkToken = shift.PayrollLinkToken();
  if (DebugOn()) Debug(shift.TimesheetID(), Format("Loading payroll database with token \"%s\"", FPayrollLinkToken));
  if (FLast.Token != FPayrollLinkToken || FLast.Database.Columns() == nullptr) {
    FLast.Database = MainConnection().Query(kPayrollDatabaseForToken, {{"PayrollLinkToken", FPayrollLinkToken}});
    FLast.Token = FPayrollLinkToken;
    FLast.Wanted.reset();
  }
  const TDBResult& found = FLast.Database;
  if (found.Empty()) throw ePayrollException("The payroll database was not found");
  const auto field = [&found](const char* name) { return found[0][name].AsString(); };
  // The parameters follow from the registry row and the SQL login: made
  // again only when either changed, not for every shift.
  if (!FLast.Wanted || FLast.WantedUser != FSQLUserName || FLast.WantedPassword != FSQLPassword) {
    FLast.Wanted = ConnectionParamsFor(field("cServer"), field("cDatabase"), FSQLUserName, FSQLPassword);
    FLast.WantedUser = FSQLUserName;
    FLast.WantedPassword = FSQLPassword;
  }
  const TDBConnectionParams& wanted = *FLast.Wanted;
  if (!OpenOn(payroll, wanted)) {
    const std::string server = field("cServer");
    const std::string database = field("cDatabase");
    auto* movable = dynamic_cast<TPayrollConnection*>(&payroll);
    if (!movable) {
      throw ePayrollException(Format("The payroll connection cannot be pointed at database \"%s\".", database));
    }
    FLeaveRatesRead = {};
    payroll.Close();
    movable->SetParams(wanted);
    Debug(shift.TimesheetID(), "Payroll connection = \"" +
                                   LoggedConnectionString(server, database, FSQLUserName, FSQLPassword) + "\"");
    payroll.Open();
    Debug(shift.TimesheetID(), Format("Connected to %s : %s", server, database));
  }
  if (found.RowCount() > 1) {
    throw ePayrollException("There are multiple payroll databases linked to the same payroll token!");
  }
}

TEmployeeAwardObj& TTimesheetManager::LoadEmployeeFromDatabase(const TTimesheetShift& shift) {
  const std::string& code = shift.EmployeeCode();
  const int32_t id = shift.TimesheetID();
  TDBConnection& payroll = PayrollDB();
  auto employee = std::make_unique<TEmployeeAwardObj>();
  employee->SetPayrollLinkToken(shift.PayrollLinkToken());

  TDBParams params = ShiftDates(shift.ShiftStartDate());
  params.push_back({"EmployeeCode", code});
  const TDBResult details = payroll.Query(kEmployee, params);
  if (!details.Empty()) {
    const TDBRow& row = details[0];
    employee->SetEmployeeID(row["idEmployee"].AsInteger());
    employee->SetEmployeeCode(row["cEmpCode"].AsString());
    employee->SetDateOfBirth(row["dDateOfBirth"].AsDateTime());
    employee->SetHiredDate(row["dHiredDate"].AsDateTime());
    employee->SetYearlySalary(row["fYearlySalary"].AsFloat());
    employee->SetNormalHours(row["fNormalHours"].AsFloat());
    employee->SetNormalRate(row["fNormalRate"].AsFloat());
    employee->SetPayPeriod(PayPeriodFromFrequency(row["iFrequency"].AsLargeInt()));
    employee->SetLeaveLoadingClassID(row["iLeaveLoadingClassID"].AsInteger());
  } else {
    // Not in the payroll on this date: cached under the shift's code with
    // no award (for this date only, see below), so that processing reports
    // the employee as not an award employee.
    employee->SetEmployeeCode(code);
  }
  if (DebugOn()) Debug(id, Format("Loaded employee details for \"%s\"", code));

  params = ShiftDates(shift.ShiftStartDate());
  params.push_back({"EmployeeID", employee->EmployeeID()});
  const TDBResult awards = payroll.Query(kEmployeeAward, params);
  if (!awards.Empty()) {
    const TDBRow& row = awards[0];  // several rows for one date: the first one the database returns
    employee->SetAwardID(row["iAwardID"].AsInteger());
    employee->SetAwardCode(row["cAwardCode"].AsString());
    employee->SetCategory(row["cCategory"].AsString());
    employee->SetCategoryID(row["iAwardEmplCategoryID"].AsInteger());
    employee->SetClassification(row["cClassification"].AsString());
    employee->SetClassificationID(row["iPayClassID"].AsInteger());
    employee->SetConditionGroup(row["cConditionGroup"].AsString());
    employee->SetConditionGroupID(row["iAwardConditionGroupID"].AsInteger());
    employee->SetYearlySalary(row["fYearlySalary"].AsFloat());
    employee->SetNormalHours(row["fNormalHours"].AsFloat());
    employee->SetNormalRate(row["fNormalRate"].AsFloat());
    employee->SetEffectiveDate(row["dEffectiveDate"].AsDateTime());
    employee->SetEndDate(row["dEndDate"].AsDateTime());
  } else {
    // No award on this date: the record answers for this date only. Left
    // open-ended it would match every later date and hide an assignment
    // that starts after it for the rest of the call.
    employee->SetEffectiveDate(shift.ShiftStartDate());
    employee->SetEndDate(shift.ShiftStartDate());
  }
  if (DebugOn()) Debug(id, Format("Loaded award details for \"%s\"", code));

  params = ShiftDates(shift.ShiftStartDate());
  params.push_back({"EmployeeId", employee->EmployeeID()});
  params.push_back({"AwardID", employee->AwardID()});
  for (const TDBRow& row : payroll.Query(kEmployeeAdditions, params)) {
    auto allowance = std::make_unique<TAllowance>();
    allowance->SetAddDedCode(row["cCode"].AsString());
    allowance->SetAddDedType(AddDedTypeName(row["siType"].AsLargeInt()));
    allowance->SetOnEmployee(true);
    allowance->SetUseDefault(row["bUseRegister"].AsBoolean());
    allowance->SetDescription(row["CADescription"].AsString());
    if (!allowance->UseDefault()) allowance->SetAmountPerc(row["fAmtPerc"].AsFloat());
    employee->Allowances().Add(std::move(allowance));
  }
  if (DebugOn()) Debug(id, Format("Loaded allowance details for \"%s\"", code));

  TEmployeeAwardObj& cached = *employee;
  Employees().Add(std::move(employee));
  return cached;
}

void TTimesheetManager::DBLoadWorkplan(TTimesheetShift& shift) {
  const bool debug = DebugOn();
  const TDateTime started = debug ? Now() : 0;
  const int32_t id = shift.TimesheetID();
  if (debug) Debug(id, Format("Loading work pattern for \"%s\"", shift.EmployeeCode()));
  TWorkPatternList& pattern = shift.WorkPatternList();
  if (id == 0 || id != pattern.ID()) {
    pattern.SetID(id);
    pattern.Clear();
    const TLastLookups::TPatternKey key{FPayrollLinkToken, shift.EmployeeID(), FTimesheet->StartDate(),
                                        FTimesheet->EndDate()};
    if (!(FLast.PatternKey == key) || !FLast.PatternLoaded) {
      // Read out of the rows completely before anything is kept: a value
      // that does not convert fails this shift and leaves no half list for
      // the next one.
      std::vector<TWorkPatternDay> days;
      if (!PayrollDB().WorkPatternDays(shift.EmployeeID(), FTimesheet->StartDate(), FTimesheet->EndDate(), days)) {
        for (const TDBRow& row : PayrollDB().Query(kWorkPattern,
                                                   {{"EmployeeID", shift.EmployeeID()},
                                                    {"FromDate", TDBValue::DateTime(FTimesheet->StartDate())},
                                                    {"ToDate", TDBValue::DateTime(FTimesheet->EndDate())}})) {
          days.push_back({row["dDate"].AsDateTime(), row["fHours"].AsFloat(), row["cPublicHoliday"].AsString()});
        }
      }
      FLast.PatternDays = std::move(days);
      FLast.PatternKey = key;
      FLast.PatternLoaded = true;
    }
    for (const TWorkPatternDay& cached : FLast.PatternDays) {
      auto day = std::make_unique<TDateObject>();
      day->SetDate(cached.Date);
      day->SetHours(cached.Hours);
      day->SetDescription(cached.Holiday);
      pattern.Add(std::move(day));
    }
  }
  if (debug) {
    Debug(id, Format("Loaded %d work pattern days in %f.1 seconds", pattern.Count(), SecondsSince(started)));
  }
}

void TTimesheetManager::DBLoadLeaveRates(TTimesheetShift& shift) {
  const bool debug = DebugOn();
  const TDateTime started = debug ? Now() : 0;
  const int32_t id = shift.TimesheetID();
  if (debug) Debug(id, Format("Loading leave rates for \"%s\"", shift.EmployeeCode()));
  FLeaveRateList.Clear();
  auto add = [this](const TLeaveRatesRead::TRow& read) {
    auto rate = std::make_unique<TLeaveRate>();
    rate->SetLeaveReasonID(read.ReasonID);
    rate->SetValue(read.Value);
    rate->SetRateType(read.RateType);
    rate->SetGrouping(read.Grouping);
    rate->SetReason(read.Reason);
    rate->SetCode(read.Code);
    rate->SetIsUnpaid(read.Unpaid);
    rate->SetCostCode(read.CostCode);
    rate->SetUseNormalRate(TLeaveRate::UsesNormalRate(rate->Value(), rate->IsUnpaid(), rate->RateType()));
    FLeaveRateList.Add(std::move(rate));
  };
  const TDateTime date = shift.ShiftStartDate();
  if (FLeaveRatesRead.Loaded && FLeaveRatesRead.Date == date) {
    for (const TLeaveRatesRead::TRow& read : FLeaveRatesRead.Rows) add(read);
  } else {
    // Kept only once every row has been read: a value that does not
    // convert fails the shift as it did, and the next load asks again.
    FLeaveRatesRead = {};
    std::vector<TLeaveRatesRead::TRow> rows;
    for (const TDBRow& row : PayrollDB().Query(kLeaveRates, ShiftDates(date))) {
      rows.push_back({row["idLeaveReason"].AsInteger(), row["fRate"].AsFloat(), row["iType"].AsInteger(),
                      row["iGrouping"].AsInteger(), row["cDescription"].AsString(), row["cCode"].AsString(),
                      row["bUnpaid"].AsBoolean(), row["cCostCode"].AsString()});
      add(rows.back());
    }
    FLeaveRatesRead = {true, date, std::move(rows)};
  }
  if (debug) {
    Debug(id, Format("Loaded %d leave rates in %f.1 seconds", FLeaveRateList.Count(), SecondsSince(started)));
  }
}

}  // namespace qora
