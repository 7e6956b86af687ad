// Loading stored timesheets: their rows become shifts with roster or actual
// hours, leave, RDO days and allowance columns.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/format.h"
#include "common/text.h"
#include "db/connection.h"
#include "db/sql_text.h"
#include "common/exceptions.h"
#include "engine/timesheet_manager.h"
#include "foundation/user_feedback.h"
#include "timesheet/shift_dates.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_shift.h"

namespace qora {
namespace {

// Read from the timesheet's rows outwards, so that the database finds them
// by the timesheet and each row's plan by the row, whatever the size of the
// plan table.
constexpr const char* kRowColumns =
    "select T.iStatus, T.dStartDate, T.dEndDate, T.iUserID, R.*, P.dRosteredStartTime, P.dRosteredEndTime, "
    "P.iRosteredBreakMinutes, P.idTimesheetRowPlan, P.cJobTitle, P.cWorkCode, P.cCostCode, P.idTimesheetRowPlan, "
    "JC.cJobCode from _estblTimesheetRow R join _estblTimesheet T on T.idTimesheet = R.iTimesheetID "
    "left join _estblTimesheetRowPlan P on P.iTimesheetRowID = R.idTimesheetRow "
    "left join _estblJobCode JC on JC.idJobCode = P.iJobCodeID ";

// Rostered plan: a roster with start and end, a planned allowance, or an RDO.
constexpr const char* kPublishRows =
    "where R.iTimesheetID in (%s) and ((P.dRosteredStartTime is not null and P.dRosteredEndTime is not null) "
    "or exists (select 1 from _estblTimesheetAllowance TA where TA.iTimesheetRowID = R.idTimesheetRow "
    "and TA.bPlanAllowance = 1) "
    "or exists (select 1 from _estblTimesheetRDO RD where RD.iTimesheetRowID = R.idTimesheetRow)) "
    "order by R.idTimesheetRow";

// Actuals: hours worked, leave, an RDO, an empty actual plan or an unplanned allowance.
constexpr const char* kActualRows =
    "where R.iTimesheetID in (%s) and (exists (select 1 from _estblTimesheetRowHours H "
    "where H.iTimesheetRowPlanID = P.idTimesheetRowPlan) "
    "or exists (select 1 from _estblTimesheetLeave TL where TL.iTimesheetRowID = R.idTimesheetRow) "
    "or exists (select 1 from _estblTimesheetRDO RD where RD.iTimesheetRowID = R.idTimesheetRow) "
    "or P.bActualEmpty = 1 "
    "or exists (select 1 from _estblTimesheetAllowance TA where TA.iTimesheetRowID = R.idTimesheetRow "
    "and TA.bPlanAllowance = 0)) "
    "order by R.idTimesheetRow";

constexpr const char* kActualHours =
    "select TR.*, JC.cJobCode from _estblTimesheetRowHours TR  left join _estblJobCode JC on JC.idJobCode = "
    "TR.iJobCodeID where iTimesheetRowPlanID = :TimesheetRowPlanID order by TR.dStartTime";

constexpr const char* kLeaveRows =
    "select TL.dStartDate, TL.dEndDate, TL.fCurrentHours, TL.iLeaveType, TL.cLeaveReason, LA.iLeaveID from "
    "_estblTimesheetLeave TL join _estblLeaveApplications LA on LA.idLeaveApplication = TL.iLeaveApplicationID "
    "where iTimesheetRowID = :TimesheetRowID order by iTimesheetRowID";

// A row's RDO days and allowances, in the order they were stored (of two
// allowances with one number the later one counts).
constexpr const char* kRDORows =
    "select TL.iTimesheetRowID, TL.dRDODate, TL.fHours from _estblTimesheetRDO TL "
    "where TL.iTimesheetRowID = :TimesheetRowID order by TL.iTimesheetRowID, TL.idTimesheetRDO";

constexpr const char* kAllowanceRows =
    "select TA.iTimesheetRowID, TA.cAllowanceNo, TA.fValue, TA.cCostCode, TA.cJobTitle, JC.cJobCode from "
    "_estblTimesheetAllowance TA left join _estblJobCode JC on TA.iJobCodeId = JC.idJobCode where "
    "TA.iTimesheetRowID = :TimesheetRowID and TA.bPlanAllowance = :Planned "
    "order by TA.iTimesheetRowID, TA.idTimesheetAllowance";

// The same for every row of the timesheets being loaded, read in one query
// each rather than two for every shift.
constexpr const char* kRDORowsOfTimesheets =
    "select TL.iTimesheetRowID, TL.dRDODate, TL.fHours from _estblTimesheetRDO TL join _estblTimesheetRow R on "
    "R.idTimesheetRow = TL.iTimesheetRowID where R.iTimesheetID in (%s) "
    "order by TL.iTimesheetRowID, TL.idTimesheetRDO";

constexpr const char* kAllowanceRowsOfTimesheets =
    "select TA.iTimesheetRowID, TA.cAllowanceNo, TA.fValue, TA.cCostCode, TA.cJobTitle, JC.cJobCode from "
    "_estblTimesheetAllowance TA join _estblTimesheetRow R on R.idTimesheetRow = TA.iTimesheetRowID left join "
    "_estblJobCode JC on TA.iJobCodeId = JC.idJobCode where R.iTimesheetID in (%s) and TA.bPlanAllowance = "
    ":Planned order by TA.iTimesheetRowID, TA.idTimesheetAllowance";

// The statement with the ID list in place of its one "%s" (the statements
// above have no other "%"), written without a format's scan of the text.
std::string WithIdList(std::string_view sql, const std::string& in_list) {
  const size_t at = sql.find("%s");
  std::string out;
  out.reserve(sql.size() + in_list.size());
  out.append(sql.substr(0, at)).append(in_list).append(sql.substr(at + 2));
  return out;
}

// The rows of one query found by the timesheet row they belong to.
class TRowsByShift {
 public:
  explicit TRowsByShift(TDBResult rows) : FRows(std::move(rows)) {
    for (const TDBRow& row : FRows) FByShift[row["iTimesheetRowID"].AsInteger()].push_back(&row);
  }
  // The rows of timesheet row `id`, in the query's order; empty when none.
  const std::vector<const TDBRow*>& Of(int32_t id) const {
    static const std::vector<const TDBRow*> kNone;
    const auto found = FByShift.find(id);
    return found == FByShift.end() ? kNone : found->second;
  }

 private:
  TDBResult FRows;
  std::unordered_map<int32_t, std::vector<const TDBRow*>> FByShift;
};

void AddRDO(TTimesheetShift& shift, const TDBRow& row) {
  auto rdo = std::make_unique<TDateGroup>();
  rdo->SetDateFrom(row["dRDODate"].AsDateTime());
  rdo->SetDateTo(row["dRDODate"].AsDateTime());
  rdo->SetTotalHours(row["fHours"].AsFloat());
  rdo->SetLeaveClass("RDO Hours");
  shift.RDODatesList().Add(std::move(rdo));
}

// The leave type named by a stored iLeaveType. A number outside the table
// (a leave type added to the payroll after this engine) is taken as
// "Other", the payroll's catch-all type, rather than failing the timesheet.
std::string LeaveTypeName(int64_t index) {
  const auto& types = TDateGroup::KnownLeaveTypes();
  if (index < 0 || index >= static_cast<int64_t>(types.size())) return "Other";
  return types[static_cast<size_t>(index)];
}

// The column f<AllowanceNo> of the shift, created as a floating-point
// column when the shift does not have it yet.
TTimesheetColumn& AllowanceColumn(TTimesheetShift& shift, const std::string& allowance_no) {
  const std::string name = "f" + allowance_no;
  if (TTimesheetColumn* column = shift.FindColumnByName(name)) return *column;
  auto created = std::make_unique<TTimesheetColumn>();
  created->SetColumnName(name);
  created->SetFieldName(name);
  created->SetFieldType(TFieldType::ftFloat);
  return *shift.AddColumn(std::move(created));
}

void AddAllowance(TTimesheetShift& shift, const TDBRow& row) {
  TTimesheetColumn& column = AllowanceColumn(shift, row["cAllowanceNo"].AsString());
  column.SetFloatValue(row["fValue"].AsFloat());
  column.SetJobCode(row["cJobCode"].AsString());
  column.SetCostCode(row["cCostCode"].AsString());
  column.SetJobTitle(row["cJobTitle"].AsString());
}

}  // namespace

// Where a stored row's columns are, found once for the result: rows are
// many and the result is wide.
struct TStoredRowColumns {
  explicit TStoredRowColumns(const TDBColumns& c)
      : ID(c.RequiredIndex("idTimesheetRow")),
        StartDate(c.RequiredIndex("dStartDate")),
        EndDate(c.RequiredIndex("dEndDate")),
        PlanID(c.RequiredIndex("idTimesheetRowPlan")),
        TimesheetID(c.RequiredIndex("iTimesheetID")),
        UserID(c.RequiredIndex("iUserID")),
        LastImportDate(c.RequiredIndex("dLastImportDate")),
        RosteredStart(c.RequiredIndex("dRosteredStartTime")),
        RosteredEnd(c.RequiredIndex("dRosteredEndTime")),
        IsOffDay(c.RequiredIndex("bIsOffDay")),
        DateWorked(c.RequiredIndex("dDateWorked")),
        BreakMinutes(c.RequiredIndex("iRosteredBreakMinutes")),
        WorkCode(c.RequiredIndex("cWorkCode")),
        JobTitle(c.RequiredIndex("cJobTitle")),
        JobCode(c.RequiredIndex("cJobCode")),
        CostCode(c.RequiredIndex("cCostCode")) {}
  int ID, StartDate, EndDate, PlanID, TimesheetID, UserID, LastImportDate, RosteredStart, RosteredEnd, IsOffDay,
      DateWorked, BreakMinutes, WorkCode, JobTitle, JobCode, CostCode;
};

void TTimesheetManager::DBLoadTimesheetShifts(const std::string& timesheet_ids) {
  const std::string ids = ValidateIdList(timesheet_ids);
  const bool publish = FCostingOutputType == TaiCostingOutputType::cot_Publish;
  FTimesheet->ClearAll();
  FTimesheet->SetShiftCount(0);
  if (ids.empty()) return;
  TDBParams params;
  const std::string in_list = IdListOrParam(ids, "TimesheetID", params);
  const TDBResult rows =
      MainConnection().Query(kRowColumns + WithIdList(publish ? kPublishRows : kActualRows, in_list), params);
  if (!rows.Empty()) {
    FTimesheet->SetStartDate(rows[0]["dStartDate"].AsDateTime());
    FTimesheet->SetEndDate(rows[0]["dEndDate"].AsDateTime());
    FTimesheet->SetStatusID(rows[0]["iStatus"].AsInteger());
  }
  TDBParams planned = params;
  planned.push_back({"Planned", publish});
  const TRowsByShift rdos(MainConnection().Query(WithIdList(kRDORowsOfTimesheets, in_list), params));
  const TRowsByShift allowances(MainConnection().Query(WithIdList(kAllowanceRowsOfTimesheets, in_list), planned));
  // Looked up only when there is a row, as reading each row by name did.
  std::optional<TStoredRowColumns> at;
  if (!rows.Empty()) at.emplace(*rows.Columns());
  int32_t previous_id = 0;
  for (const TDBRow& row : rows) {
    std::unique_ptr<TTimesheetShift> built = ShiftFromRow(row, *at);
    FTimesheet->SetShiftCount(FTimesheet->ShiftCount() + 1);
    DBLoadEmployeeDetails(*built);
    TTimesheetShift* shift = FTimesheet->AddShift(std::move(built));
    shift->SetOnCreateVariable(
        [this](TQelParser* parser, TTimesheetColumn* column) { CreateColumnVariable(parser, column); });
    if (!publish && shift->ID() != previous_id) DBAddTimesheetLeave(shift);
    previous_id = shift->ID();
    for (const TDBRow* allowance : allowances.Of(shift->ID())) AddAllowance(*shift, *allowance);
    for (const TDBRow* rdo : rdos.Of(shift->ID())) AddRDO(*shift, *rdo);
  }
  FTimesheet->FillInShiftDetails();
  FTimesheet->SortTimesheet();
}

std::unique_ptr<TTimesheetShift> TTimesheetManager::ShiftFromRow(const TDBRow& row, const TStoredRowColumns& at) {
  const bool publish = FCostingOutputType == TaiCostingOutputType::cot_Publish;
  auto shift = std::make_unique<TTimesheetShift>();
  shift->SetTimesheet(FTimesheet.get());
  shift->SetID(row.Field(at.ID).AsInteger());
  shift->SetTimesheetStartDate(row.Field(at.StartDate).AsDateTime());
  shift->SetTimesheetEndDate(row.Field(at.EndDate).AsDateTime());
  shift->SetTimesheetRowPlanID(row.Field(at.PlanID).AsInteger());
  shift->SetTimesheetID(row.Field(at.TimesheetID).AsInteger());
  shift->SetUserID(row.Field(at.UserID).AsInteger());
  shift->SetLastImportDate(row.Field(at.LastImportDate).AsDateTime());

  const TDBValue& rostered_start = row.Field(at.RosteredStart);
  const TDBValue& rostered_end = row.Field(at.RosteredEnd);
  shift->SetIsOffDay(row.Field(at.IsOffDay).AsBoolean() ||
                     (rostered_start.IsNull() && rostered_end.IsNull() && publish));

  const TDateTime worked = DateOf(row.Field(at.DateWorked).AsDateTime());
  TDateTime end_day = worked;
  if (!shift->IsOffDay() && !rostered_start.IsNull()) {
    const double start = TimeToShiftHours(rostered_start.AsDateTime());
    double end = TimeToShiftHours(rostered_end.AsDateTime());
    if (end <= start) {
      end += 24;
      end_day = worked + 1;
    }
    shift->SetRosteredHoursStart(start);
    shift->SetRosteredHoursEnd(end);
  }
  shift->SetRosteredBreakHours(row.Field(at.BreakMinutes).AsFloat() / 60);
  shift->SetShiftStartDate(worked);
  shift->SetShiftEndDate(end_day);

  if (publish) {
    shift->AddHoursFromRoster(row.Field(at.WorkCode).AsString(), THoursType::htOrdinary,
                              row.Field(at.JobTitle).AsString(), row.Field(at.JobCode).AsString(),
                              row.Field(at.CostCode).AsString());
  } else {
    AddActualHours(*shift);
    // Hours worked past midnight end the shift on the next day even when
    // the roster did not cross midnight, as for shifts read from files.
    if (shift->HoursGroupList().Count() > 0) ExtendShiftEndDate(*shift, shift->ShiftEnd());
  }
  if (shift->IsOffDay() && shift->HoursGroupList().Count() == 0) shift->SetIsDummyShift(true);
  return shift;
}

void TTimesheetManager::AddActualHours(TTimesheetShift& shift) {
  const TDBResult hours =
      MainConnection().Query(kActualHours, {{"TimesheetRowPlanID", shift.TimesheetRowPlanID()}});
  for (const TDBRow& row : hours) {
    const TDBValue& from = row["dStartTime"];
    const TDBValue& to = row["dEndTime"];
    if (from.IsNull() || to.IsNull()) continue;
    double start = TimeToShiftHours(from.AsDateTime());
    double end = TimeToShiftHours(to.AsDateTime());
    if (row["bNextDay"].AsBoolean()) {
      start += 24;
      end += 24;
    }
    if (DateOf(to.AsDateTime()) > DateOf(from.AsDateTime())) end += 24;
    shift._AddHours(start, end, "Normal", row["cWorkCode"].AsString(), THoursType::htOrdinary,
                    row["cJobTitle"].AsString(), row["cJobCode"].AsString(), row["cCostCode"].AsString());
  }
}

int32_t TTimesheetManager::FirstShiftTimesheetID() const {
  return FTimesheet->Count() > 0 ? FTimesheet->GetTimesheetShift(0)->TimesheetID() : 0;
}

// The text names the timesheet; the message itself is the application's,
// with timesheet ID 0, as every message about the run rather than a shift.
void TTimesheetManager::LogNoShift(const char* step) {
  if (!FUserFeedback) return;
  FUserFeedback->AddMessage(TMessageSeverity::ms_Error, TMessageLogType::mlt_Application,
                            std::string("No shift specified in ") + step + " for Timesheet ID " +
                                std::to_string(FirstShiftTimesheetID()));
}

void TTimesheetManager::DBAddTimesheetLeave(TTimesheetShift* shift) {
  if (!shift) return LogNoShift("DBAddTimesheetLeave");
  const TDBResult rows = MainConnection().Query(kLeaveRows, {{"TimesheetRowID", shift->ID()}});
  for (const TDBRow& row : rows) {
    auto leave = std::make_unique<TDateGroup>();
    leave->SetDateFrom(row["dStartDate"].AsDateTime());
    leave->SetDateTo(row["dEndDate"].AsDateTime());
    leave->SetTotalHours(row["fCurrentHours"].AsFloat());
    leave->SetLeaveType(LeaveTypeName(row["iLeaveType"].AsLargeInt()));
    leave->SetLeaveReason(Trim(row["cLeaveReason"].AsString()));
    const int32_t leave_id = row["iLeaveID"].AsInteger();
    std::string leave_class;
    if (leave_id > 0) {
      leave_class =
          PayrollDB().QueryValue(Format("select cCode from _iptblUserDefinedLeave WHERE idLeave = %d", leave_id))
              .AsString();
    }
    leave->SetLeaveClass(leave_class);
    shift->LeaveDatesList().Add(std::move(leave));
  }
}

void TTimesheetManager::DBAddTimesheetRDO(TTimesheetShift* shift) {
  if (!shift) return LogNoShift("DBAddTimesheetRDO");
  for (const TDBRow& row : MainConnection().Query(kRDORows, {{"TimesheetRowID", shift->ID()}})) AddRDO(*shift, row);
}

void TTimesheetManager::DBAddTimesheetAllowances(TTimesheetShift* shift) {
  if (!shift) return LogNoShift("DBAddTimesheetAllowances");
  const bool planned = FCostingOutputType == TaiCostingOutputType::cot_Publish;
  const TDBResult rows =
      MainConnection().Query(kAllowanceRows, {{"TimesheetRowID", shift->ID()}, {"Planned", planned}});
  for (const TDBRow& row : rows) AddAllowance(*shift, row);
}

}  // namespace qora
