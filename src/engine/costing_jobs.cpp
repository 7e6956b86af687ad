#include "engine/costing_jobs.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "common/format.h"
#include "common/string_list.h"
#include "common/text.h"
#include "db/connection.h"
#include "common/exceptions.h"
#include "engine/commit_group.h"
#include "engine/global_objects.h"
#include "engine/payroll_connection.h"
#include "engine/run_driver.h"
#include "engine/timesheet_manager.h"
#include "foundation/user_feedback.h"
#include "output/costing_store.h"
#include "engine/web_config.h"
#include "rules/process_manager.h"
#include "timesheet/csv_timesheet_reader.h"
#include "timesheet/timesheet.h"

namespace qora {
namespace {

// Frees the process-wide objects however a job ends. Declared before the
// connections so that the connections go first.
struct FreeGlobalsOnExit {
  ~FreeGlobalsOnExit() { FreeGlobalObjects(); }
};

struct Connections {
  std::unique_ptr<TDBConnection> main;
  std::unique_ptr<TDBConnection> payroll;
  bool MainOpen() const { return main && main->Connected(); }
};

void LogJobError(const std::string& message) {
  GetUserFeedback().AddLogMessage(message, 0, TMessageSeverity::ms_Error, false);
}

// Runs the protected section: any exception ends it, is logged and becomes
// the result code.
template <class Body>
int32_t Protected(Body body) {
  try {
    return body();
  } catch (const std::exception& e) {
    LogJobError(e.what());
    return ResultCodeFor(e);
  } catch (...) {
    LogJobError("Unknown error.");
    return kResultOtherError;
  }
}

// Hands the connections and credentials to the two managers.
void AttachConnections(Connections& c, const std::string& user_name, const std::string& password) {
  TaiProcessManager& pm = GetProcessManager();
  TTimesheetManager& tm = GetTimesheetManager();
  pm.SetConnection(c.main.get());
  tm.SetDBConnection(c.main.get());
  tm.SetDBSQLUserName(user_name);
  tm.SetDBSQLPassword(password);
  pm.SetPayrollConnection(c.payroll.get());
  tm.SetPayrollConnection(c.payroll.get());
}

// Writes the run log; a failure to write it makes the job's result
// kResultSetupFailed, since the host would otherwise never see the messages.
int32_t SaveRunLog(const std::string& file_name, int32_t result) {
  try {
    GetUserFeedback().SaveToFile(file_name);
    return result;
  } catch (...) {
    return kResultSetupFailed;
  }
}

// A failure before the protected section: the message still reaches the
// run log file when one can be written.
int32_t SetupFailed(const std::exception& e, const std::string& log_file) {
  LogJobError(e.what());
  if (!log_file.empty()) SaveRunLog(log_file, kResultSetupFailed);
  return kResultSetupFailed;
}

// Creates the connections and resets and links the engine objects for a job
// that costs one timesheet file.
void SetUpFileJob(Connections& c, const ConnectionParams& params, bool debug) {
  c.main = NewMainConnection(params);
  c.payroll = NewPayrollConnection();
  GetTimesheetManager().ClearAll();
  LinkGlobalObjects();
  GetUserFeedback().SetDebugEnabled(debug);
  AttachConnections(c, params.user_name, params.password);
}

// Opens the main connection, reads the timesheet file and runs the shifts.
int32_t CostFile(Connections& c, const std::string& timesheet_file) {
  c.main->Open();
  TTimesheetManager& tm = GetTimesheetManager();
  tm.LoadTimesheetFromFile(timesheet_file);
  return ProcessShifts(tm, GetProcessManager(), GetUserFeedback());
}

// The period a whole load gives the timesheet (see FillInShiftDetails).
void SetPeriod(TTimesheet& timesheet, const TCSVTimesheetSource& source) {
  if (source.ShiftCount() == 0) {
    timesheet.SetStartDate(0);
    timesheet.SetEndDate(0);
    return;
  }
  TDateTime least = kMaxDateTime;
  TDateTime greatest = 0;
  for (int i = 0; i < source.ShiftCount(); ++i) {
    least = std::min(least, source.StartDate(i));
    greatest = std::max(greatest, source.StartDate(i));
  }
  if (timesheet.StartDate() == 0) timesheet.SetStartDate(least);
  if (timesheet.EndDate() == 0 || timesheet.EndDate() < timesheet.StartDate()) timesheet.SetEndDate(greatest);
}

// Ends the shift-by-shift output however the run ends.
struct ShiftOutputScope {
  TTimesheetManager& tm;
  bool ended = false;
  ~ShiftOutputScope() {
    if (ended) return;
    try {
      tm.EndShiftOutput();
    } catch (...) {  // the run's own error is the one to report
    }
  }
  TStringList End() {
    ended = true;
    return tm.EndShiftOutput();
  }
};

// Costs the timesheet file into its one output (1: costing file, 2: payroll
// import file, else none), each shift's pay lines generated as soon as the
// shift is costed and its working data then freed, so that a run's memory
// does not grow with the number of shifts.
// A CSV timesheet is not even held whole: its shifts are built one
// employee at a time as the run reaches them (an XML one is loaded whole).
int32_t CostFileToOutput(Connections& c, const std::string& timesheet_file, int32_t output_type,
                         const std::string& output_file) {
  c.main->Open();
  TTimesheetManager& tm = GetTimesheetManager();
  std::optional<TCSVTimesheetSource> source;
  if (UpperCase(ExtractFileExt(timesheet_file)) == ".XML") {
    tm.LoadTimesheetFromFile(timesheet_file);
  } else {
    source.emplace(tm.Timesheet(), timesheet_file, tm.UserFeedback());
    SetPeriod(tm.Timesheet(), *source);
  }
  std::optional<TCostingFileWriter> csv;
  std::optional<TnxTransactionFormat> format;
  if (output_type == 1) {
    csv.emplace(output_file);
    format = TnxTransactionFormat::tfCSV;
  }
  if (output_type == 2) format = TnxTransactionFormat::tfYIF;
  ShiftOutputScope scope{tm};
  tm.StartShiftOutput(format, csv ? &csv->Lines() : nullptr);
  int32_t result = 0;
  if (source) {
    int next = 0;
    const int total = source->ShiftCount();
    // The employees' look-ups in an SQLite payroll database share a read
    // for up to a tenth of a second: an edit made meanwhile shows from the
    // next one on, and the renewal falls between two employees, never in one.
    TPayrollReadHolds employee_reads(tm.PayrollConnection(), std::chrono::milliseconds(100));
    result = ProcessShiftsFed(tm, GetProcessManager(), GetUserFeedback(), total, [&] {
      employee_reads.Renew();
      const int first = next;
      tm.ForgetEmployeesBefore(source->EmployeeCode(first));
      do {
        source->AddShift(next++);
      } while (next < total && source->EmployeeCode(next) == source->EmployeeCode(first));
      return next - first;
    });
    employee_reads.End();
  } else {
    result = ProcessShifts(tm, GetProcessManager(), GetUserFeedback());
  }
  const TStringList lines = scope.End();
  if (csv) tm.SavingFile(output_file, [&] { csv->Commit(); });
  if (output_type == 2) tm.SavingFile(output_file, [&] { WriteTextFile(output_file, lines.Text()); });
  return result;
}

}  // namespace

void CostStoredTimesheet(TTimesheetManager& tm, IProcessManager& pm, TUserFeedback& log, const std::string& id,
                         TaiCostingOutputType type, TCostingCommitGroup* group) {
  TPayrollReadHold payroll_reads(tm.PayrollConnection());
  tm.ClearAll();
  tm.SetCostingOutputType(type);
  if (!tm.DBConnection()) throw eDatabaseException("The main database connection is not open.");
  {
    // The timesheet is read in one transaction of its own: its rows as of
    // one moment, and one lock for all the per-shift look-ups rather than
    // one each. It ends before the costing's, which must start from the
    // database as it is then.
    TDBTransaction reading(*tm.DBConnection());
    tm.DBLoadTimesheetShifts(id);
    reading.Commit();
  }
  // The old costing goes and the new one comes in one transaction (a
  // savepoint of the group's, when there is one): a failure or a lost
  // connection part-way leaves the previous costing as it was, never a
  // timesheet half-costed.
  if (group) group->Open();
  TDBTransaction transaction(*tm.DBConnection());
  tm.DBDeleteCosting(id);
  ProcessShifts(tm, pm, log);
  tm.DBSaveCosting();
  // Before the commit: where payroll and costing share one SQLite file, a
  // read still open would keep the commit from emptying the write-ahead log,
  // which then grows with every timesheet and slows every read.
  payroll_reads.End();
  transaction.Commit();
}

int32_t ResultCodeFor(const std::exception& e) {
  if (dynamic_cast<const eRecordNotFoundException*>(&e)) return kResultRecordNotFound;
  if (dynamic_cast<const eDatabaseException*>(&e)) return kResultDatabase;
  if (dynamic_cast<const eSyntaxException*>(&e)) return kResultSyntax;
  return kResultOtherError;
}

int32_t RunTimesheetFileJob(const std::string& timesheet_file, const std::string& output_file, int32_t output_type,
                            const ConnectionParams& params, bool debug) {
  FreeGlobalsOnExit free_globals;
  const std::string log_file = ChangeFileExt(output_file, ".log");
  Connections c;
  try {
    SetUpFileJob(c, params, debug);
  } catch (const std::exception& e) {
    return SetupFailed(e, log_file);
  }
  int32_t result = Protected([&] { return CostFileToOutput(c, timesheet_file, output_type, output_file); });
  if (!c.MainOpen()) result = kResultDatabase;
  return SaveRunLog(log_file, result);
}

int32_t RunWebConfigJob(const std::string& timesheet_file, const std::string& application_folder) {
  FreeGlobalsOnExit free_globals;
  const std::string log_file = ChangeFileExt(timesheet_file, ".log");
  GetUserFeedback().Clear();
  Connections c;
  try {
    if (!std::filesystem::exists(TWebConfigObject::ConfigFileName(application_folder))) {
      throw eDatabaseException(
          Format("Could not find the \"web.config\" file in directory: \"%s\".", application_folder));
    }
    const TWebConfigObject config(application_folder);
    SetUpFileJob(c,
                 {config.DefaultCommonServer(), config.DefaultCommonDatabase(), config.DefaultSQLUserName(),
                  config.DefaultSQLPassword()},
                 config.AllowDebug());
  } catch (const std::exception& e) {
    return SetupFailed(e, log_file);
  }
  TTimesheetManager& tm = GetTimesheetManager();
  int32_t result = Protected([&] {
    int32_t r = CostFile(c, timesheet_file);
    const std::string folder = IncludeTrailingPathDelimiter(ExtractFileDir(timesheet_file));
    tm.SaveYIFFile(folder + "timesheet.yif");
    tm.DBSaveYIF(folder + "timesheet.yif");
    tm.SaveCSVCostingFile(folder + "costed_timesheet.csv");
    return r;
  });
  if (!c.MainOpen()) result = kResultNoConnection;
  return SaveRunLog(log_file, result);
}

namespace {

// Costs every selected timesheet of one costing type, in list order.
void CostTimesheetsOfType(TTimesheetManager& tm, TaiCostingOutputType type, bool trial) {
  TStringList ids;
  ids.SetCommaText(tm.GetTimesheetIDString(type));
  // A timesheet that fails ends the run; the group then commits the
  // timesheets costed before it, as committing each on its own kept them.
  TCostingCommitGroup group(tm.DBConnection());
  for (int i = 0; i < ids.Count(); ++i) {
    tm.ForgetEmployeesUnused();
    CostStoredTimesheet(tm, GetProcessManager(), GetUserFeedback(), ids[i], type, &group);
    if (trial) tm.SaveCSVCostingFile(kTrialCostingFile);
    group.CommitIfDue();
  }
  group.Commit();
}

// "qora_<GUID>.log", keeping only letters, digits, "-" and "_" of the GUID so
// that a caller's text cannot name another folder.
std::string FallbackLogName(const std::string& guid) {
  std::string name = "qora_";
  for (char ch : guid) {
    const bool keep = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '-' ||
                      ch == '_';
    name += keep ? ch : '_';
  }
  return name + ".log";
}

// Stores the run log in the database. Without an open connection, or when
// storing fails, the log goes to "qora_<GUID>.log" in the current folder
// instead, so that no run's messages are lost; a failed store makes the
// result kResultSetupFailed.
int32_t StoreRunLog(TTimesheetManager& tm, bool connected, int32_t user_id, const std::string& guid,
                    int32_t result) {
  const std::string fallback = FallbackLogName(guid);
  if (!connected) return SaveRunLog(fallback, result);
  try {
    tm.DBSaveUserFeedback(user_id, guid);
    return result;
  } catch (const std::exception& e) {
    LogJobError(e.what());
    SaveRunLog(fallback, result);
    return kResultSetupFailed;
  }
}

}  // namespace

int32_t RunStoredTimesheetJob(const std::string& id_list, int32_t user_id, const std::string& guid,
                              const ConnectionParams& params, bool force_debug) {
  FreeGlobalsOnExit free_globals;
  const bool trial = guid.rfind("Test", 0) == 0;
  const bool debug = force_debug || guid.find("Debug") != std::string::npos;
  Connections c;
  try {
    if (trial) std::remove(kTrialCostingFile);
    c.main = NewMainConnection(params);
    c.payroll = NewPayrollConnection();
    LinkGlobalObjects();
    GetUserFeedback().SetDebugEnabled(debug);
    AttachConnections(c, params.user_name, params.password);
  } catch (const std::exception& e) {
    return SetupFailed(e, FallbackLogName(guid));
  }
  TTimesheetManager& tm = GetTimesheetManager();
  int32_t result = Protected([&] {
    c.main->Open();
    tm.PopulateTimesheetIDList(id_list);
    for (auto type : {TaiCostingOutputType::cot_Publish, TaiCostingOutputType::cot_Approve,
                      TaiCostingOutputType::cot_Adhoc}) {
      CostTimesheetsOfType(tm, type, trial);
    }
    return kResultOK;
  });
  const bool connected = c.MainOpen();
  if (!connected) result = kResultDatabase;
  return StoreRunLog(tm, connected, user_id, guid, result);
}

}  // namespace qora
