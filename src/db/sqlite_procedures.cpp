#include "db/sqlite_procedures.h"

#include <soci/soci.h>
#include <soci/sqlite3/soci-sqlite3.h>

#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>

#include "common/text.h"
#include "db/soci_connection.h"
#include "db/sql_text.h"
#include "db/soci_native.h"
#include "db/sqlite_held_rows.h"
#include "db/sqlite_work_pattern.h"
#include "db/db_error.h"

namespace qora {

namespace {

namespace sq = ::sqlite_api;

// Reads a date argument of an SQLite function; false for null or bad text.
bool DateArgument(sq::sqlite3_value* value, TDateTime& out) {
  switch (sq::sqlite3_value_type(value)) {
    case SQLITE_TEXT: {
      const auto* text = reinterpret_cast<const char*>(sq::sqlite3_value_text(value));
      return text && TryParseIsoDateTime(Trim(text), out);
    }
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
      out = sq::sqlite3_value_double(value);
      return true;
    default:
      return false;
  }
}

void CycleFromDateFunction(sq::sqlite3_context* context, int argc, sq::sqlite3_value** argv) {
  TDateTime start = 0, date = 0;
  if (argc != 3 || sq::sqlite3_value_type(argv[0]) == SQLITE_NULL || !DateArgument(argv[1], start) ||
      !DateArgument(argv[2], date)) {
    sq::sqlite3_result_null(context);
    return;
  }
  const std::string text = FormatDBDateTime(TimesheetCycleFromDate(sq::sqlite3_value_int(argv[0]), start, date));
  sq::sqlite3_result_text(context, text.c_str(), static_cast<int>(text.size()),
                          reinterpret_cast<sq::sqlite3_destructor_type>(-1));  // SQLITE_TRANSIENT
}

// The arguments of one procedure call; an argument not passed reads as null.
class TProcArgs {
 public:
  explicit TProcArgs(const TDBParams& params) : FParams(params) {}
  TDBValue Get(std::string_view name) const {
    for (const TDBParam& p : FParams) {
      if (p.Name.size() == name.size() && SameText(p.Name, name)) return p.Value;
    }
    return TDBValue();
  }
  // A date argument (a date, a day number or ISO text); null stays null and,
  // for end dates, a date before day 5 (no date) becomes null.
  TDBValue Date(std::string_view name, bool emptyIsNull = false) const {
    const TDBValue value = Get(name);
    if (value.IsNull()) return value;
    const TDateTime date = value.AsDateTime();
    if (emptyIsNull && date < 5.0) return TDBValue();
    return TDBValue::DateTime(date);
  }

 private:
  const TDBParams& FParams;
};

using TProcedure = std::function<TDBRow(TDBConnection&, const TProcArgs&)>;

// How an argument of a one-statement procedure reaches the statement's
// parameter of the same name.
enum class TArgRead { Value, Date, EndDate };

TDBValue ReadArg(const TDBValue& value, TArgRead read) {
  if (read == TArgRead::Value || value.IsNull()) return value;
  const TDateTime date = value.AsDateTime();
  // An end date before day 5 is no date.
  if (read == TArgRead::EndDate && date < 5.0) return TDBValue();
  return TDBValue::DateTime(date);
}

// A procedure that is one statement, whose parameters are the procedure's
// arguments by name (ISNULL supplies the table's defaults).
struct TStatementProcedure {
  const char* Sql;
  std::vector<std::pair<std::string, TArgRead>> Args;
  // For an insert of one row ("... values (...)" at the end): how many
  // prepared calls are held and then stored by one statement that reads
  // them as held rows (see sqlite_held_rows.h). Each statement costs SQLite
  // cursors opened and closed and a halt, as much again as a row.
  int RowsPerStatement = 1;
  // A parameter the statement takes from a query rather than from the
  // call: LookupInto is its name, LookupSql a query of one value whose
  // parameters are the call's arguments (no row gives null). Done apart,
  // the look-up is made once for a run of calls that agree on its
  // arguments, not once per row inside the statement.
  const char* LookupInto = nullptr;
  const char* LookupSql = nullptr;

  TArgRead ReadOf(std::string_view name) const {
    for (const auto& [arg, read] : Args) {
      if (SameText(arg, name)) return read;
    }
    return TArgRead::Value;
  }
};

const TStatementProcedure kAddTimesheetMessage{
    "insert into _estblTimesheetMessages (iTimesheetID, iUserID, iSeverity, cMessage, cGUID, dCreated) "
    "values (ISNULL(:idTimesheet, 0), ISNULL(:idUser, 0), ISNULL(:iSeverity, 0), :cMessage, :cGUID, getdate())",
    {{"idTimesheet", TArgRead::Value},
     {"idUser", TArgRead::Value},
     {"iSeverity", TArgRead::Value},
     {"cMessage", TArgRead::Value},
     {"cGUID", TArgRead::Value}}};

// A line of a row that is not stored is left out, as the other back ends'
// procedure (an insert from the row) leaves it out: its timesheet is null,
// which the table refuses, and "or ignore" skips. Inserting one row of
// values, SQLite needs no undo record of its own for the statement, which
// made an insert from a query cost a third more for every costing line.
const TStatementProcedure kAddTimesheetCost{
    "insert or ignore into _estblTimesheetCost (iTimesheetID, iTimesheetRowID, iCostingType, cComponentType, "
    "cComponentName, fRate, fPercent, fUnits, fValue, cFrequency, cCostCode, cJobCode, cAwardCategory, "
    "cLeaveReason, cLeaveClass, cClassification, dStartDate, dEndDate, dStartTime, dEndTime, iALLink) "
    "values (:iTimesheetID, :iTimesheetRowID, :iCostingType, :cComponentType, :cComponentName, "
    "ISNULL(:fRate, 0), ISNULL(:fPercent, 0), ISNULL(:fUnits, 0), ISNULL(:fValue, 0), :cFrequency, :cCostCode, "
    ":cJobCode, :cAwardCategory, :cLeaveReason, :cLeaveClass, :cClassification, :dStartDate, :dEndDate, "
    ":dStartTime, :dEndTime, ISNULL(:iALLink, 0))",
    {{"iCostingType", TArgRead::Value},  {"iTimesheetRowID", TArgRead::Value}, {"cComponentType", TArgRead::Value},
     {"cComponentName", TArgRead::Value}, {"fRate", TArgRead::Value},          {"fPercent", TArgRead::Value},
     {"fUnits", TArgRead::Value},         {"fValue", TArgRead::Value},         {"cFrequency", TArgRead::Value},
     {"cCostCode", TArgRead::Value},      {"cJobCode", TArgRead::Value},       {"cAwardCategory", TArgRead::Value},
     {"cLeaveReason", TArgRead::Value},   {"cLeaveClass", TArgRead::Value},    {"cClassification", TArgRead::Value},
     {"iALLink", TArgRead::Value},        {"dStartDate", TArgRead::Date},      {"dEndDate", TArgRead::Date},
     {"dStartTime", TArgRead::Date},      {"dEndTime", TArgRead::Date}},
    64,
    // A row that is not stored has no timesheet: the null breaks the
    // column's NOT NULL and "or ignore" drops the line.
    "iTimesheetID",
    "select iTimesheetID from _estblTimesheetRow where idTimesheetRow = :iTimesheetRowID"};

const TStatementProcedure kAddImportData{
    "insert into _iptblImportData (cDescription, cImportSource, cPayrollLinkToken, dEffectiveDate, dEndDate, "
    "nYIFData, iImportFormat, iReturnID, dCreated) values (:Description, :ImportSource, :PayrollLinkToken, "
    ":EffectiveDate, :EndDate, :YIFData, ISNULL(:ImportFormat, 0), ISNULL(:ReturnID, 0), getdate())",
    {{"Description", TArgRead::Value},
     {"ImportSource", TArgRead::Value},
     {"PayrollLinkToken", TArgRead::Value},
     {"EffectiveDate", TArgRead::Date},
     {"EndDate", TArgRead::EndDate},
     {"YIFData", TArgRead::Value},
     {"ImportFormat", TArgRead::Value},
     {"ReturnID", TArgRead::Value}}};

TProcedure RunStatement(const TStatementProcedure& procedure) {
  return [&procedure](TDBConnection& db, const TProcArgs& a) {
    TDBParams params;
    for (const auto& [name, read] : procedure.Args) params.push_back({name, ReadArg(a.Get(name), read)});
    if (procedure.LookupInto) params.push_back({procedure.LookupInto, db.QueryValue(procedure.LookupSql, params)});
    db.Execute(procedure.Sql, params);
    return TDBRow();
  };
}

// The one-row insert "... values (row)" as "... select row' from
// _qora_held_rows(:HeldRows)", where row' reads each parameter of the row
// from a column of the held rows: the k-th marker (counting from 0, as the
// statement's own markers count them) from column ck.
std::string HeldRowsSql(const std::string& sql) {
  const size_t at = sql.rfind("values (");
  const size_t close = sql.rfind(')');
  if (at == std::string::npos || close == std::string::npos || close < at ||
      !MarkParameters(sql.substr(0, at), [](int) { return std::string(); }).Names.empty()) {
    throw std::logic_error("Not a one-row insert with its parameters in its row: " + sql);
  }
  const std::string_view values = std::string_view(sql).substr(at + 8, close - at - 8);
  const TMarkedStatement row = MarkParameters(values, [](int k) { return "c" + std::to_string(k - 1); });
  if (row.Names.size() > static_cast<size_t>(kHeldRowsColumns)) {
    throw std::logic_error("Too many values for held rows: " + sql);
  }
  return sql.substr(0, at) + "select " + row.Sql + " from _qora_held_rows(:HeldRows)" + sql.substr(close + 1);
}

// A one-statement procedure prepared once: each statement parameter knows
// which of the call's values it takes, and how. An insert that holds its
// calls keeps each call's values as they came and stores them in one
// statement once it has as many as it holds, and the rest when flushed;
// the statement reads each value through the parameter's source.
class TPreparedStatementProcedure : public TDBProcCall, private IHeldRows {
 public:
  // heldSql is procedure's statement reading held rows (HeldRowsSql).
  TPreparedStatementProcedure(TSociConnection& connection, const TStatementProcedure& procedure,
                              const std::string& heldSql, const std::vector<std::string>& names) {
    const std::vector<std::string>* markers = nullptr;
    if (procedure.LookupInto) {
      FLookup = &connection.PrepareSqlite(procedure.LookupSql, markers);
      for (const std::string& marker : *markers) {
        FLookupSources.push_back({IndexOf(names, marker), procedure.ReadOf(marker), false});
      }
    }
    FStatement = &connection.PrepareSqlite(procedure.Sql, markers);
    for (const std::string& marker : *markers) {
      const bool looked_up = procedure.LookupInto && SameText(marker, procedure.LookupInto);
      FSources.push_back({looked_up ? kLookedUp : IndexOf(names, marker), procedure.ReadOf(marker), true});
    }
    // A value two parameters take (a row's ID, say) is moved only by the last.
    for (size_t k = 0; k < FSources.size(); ++k) {
      for (size_t later = k + 1; later < FSources.size(); ++later) {
        if (FSources[later].Index == FSources[k].Index) FSources[k].LastUse = false;
      }
    }
    if (procedure.RowsPerStatement > 1) {
      FRows = procedure.RowsPerStatement;
      FHeldStatement = &connection.PrepareSqlite(heldSql, markers);
      FHeld.resize(static_cast<size_t>(FRows));
      FHeldLookedUp.resize(static_cast<size_t>(FRows));
      FConverted.resize(FSources.size());
    }
  }
  void Run(const std::vector<TDBValue>& values) override { RunRow(values, nullptr); }
  void RunConsuming(std::vector<TDBValue>& values) override { RunRow(values, &values); }

  void Flush() override {
    if (FHeldRows > 0) StoreHeld();
  }

 private:
  void RunRow(const std::vector<TDBValue>& values, std::vector<TDBValue>* consumable) {
    if (!FHeldStatement) {
      FValues.clear();
      AddRow(values, consumable, FValues);
      FStatement->Run(FValues, false);
      return;
    }
    if (FLookup) LookUp(values);
    const auto row = static_cast<size_t>(FHeldRows);
    if (consumable) {
      FHeld[row].swap(*consumable);  // the caller gets an earlier row's storage back
    } else {
      FHeld[row] = values;
    }
    FHeldLookedUp[row] = FLookedUp;
    if (++FHeldRows == FRows) StoreHeld();
  }
  // Stores the held rows; they are let go whether or not that succeeds.
  void StoreHeld() {
    FStoring = FHeldRows;
    FHeldRows = 0;
    FHeldStatement->RunWithPointer(1, static_cast<const IHeldRows*>(this), kHeldRowsPointer);
  }
  int RowCount() const override { return FStoring; }
  int Width() const override { return static_cast<int>(FSources.size()); }
  // A value read as its parameter reads it; a converted one is kept until
  // its column is read again.
  const TDBValue& Value(int row, int column) const override {
    const TSource& source = FSources[static_cast<size_t>(column)];
    if (source.Index == kLookedUp) return FHeldLookedUp[static_cast<size_t>(row)];
    const std::vector<TDBValue>& values = FHeld[static_cast<size_t>(row)];
    const auto index = static_cast<size_t>(source.Index);
    if (source.Index < 0 || index >= values.size()) return kNull;
    const TDBValue& value = values[index];
    // A date read of a date is the date itself.
    const bool as_is = source.Read == TArgRead::Value ||
                       (source.Read == TArgRead::Date && value.GetKind() == TDBValue::Kind::DateTime);
    if (as_is) return value;
    TDBValue& converted = FConverted[static_cast<size_t>(column)];
    converted = ReadArg(value, source.Read);
    return converted;
  }
  // `consumable` is `values` when its values may be moved out; null when
  // they are only read.
  void AddRow(const std::vector<TDBValue>& values, std::vector<TDBValue>* consumable, std::vector<TDBValue>& out) {
    if (FLookup) LookUp(values);
    for (const TSource& source : FSources) {
      const auto index = static_cast<size_t>(source.Index);
      if (source.Index == kLookedUp) {
        out.push_back(FLookedUp);
      } else if (source.Index < 0 || index >= values.size()) {
        out.emplace_back();
      } else if (consumable && source.LastUse && source.Read == TArgRead::Value) {
        out.push_back(std::move((*consumable)[index]));
      } else {
        out.push_back(ReadArg(values[index], source.Read));
      }
    }
  }

  // FLookedUp for the call's `values`, queried only when the look-up's
  // arguments differ from the last call's.
  void LookUp(const std::vector<TDBValue>& values) {
    if (FLookedUpKnown && SameLookupArgs(values)) return;
    FLookedUpArgs.clear();
    for (size_t k = 0; k < FLookupSources.size(); ++k) FLookedUpArgs.push_back(LookupArg(values, k));
    const TDBResult found = FLookup->Run(FLookedUpArgs, true);
    FLookedUp = found.Empty() ? TDBValue() : found[0].Field(0);
    FLookedUpKnown = true;
  }
  // The look-up's argument k for the call's `values`.
  TDBValue LookupArg(const std::vector<TDBValue>& values, size_t k) const {
    const TSource& source = FLookupSources[k];
    const auto index = static_cast<size_t>(source.Index);
    return source.Index >= 0 && index < values.size() ? ReadArg(values[index], source.Read) : TDBValue();
  }
  bool SameLookupArgs(const std::vector<TDBValue>& values) const {
    for (size_t k = 0; k < FLookupSources.size(); ++k) {
      const TSource& source = FLookupSources[k];
      const auto index = static_cast<size_t>(source.Index);
      // A value read as it is compares without a copy.
      const bool as_is = source.Read == TArgRead::Value && source.Index >= 0 && index < values.size();
      if (as_is ? !(values[index] == FLookedUpArgs[k]) : !(LookupArg(values, k) == FLookedUpArgs[k])) return false;
    }
    return true;
  }

  static int IndexOf(const std::vector<std::string>& names, const std::string& marker) {
    for (size_t i = 0; i < names.size(); ++i) {
      if (SameText(names[i], marker)) return static_cast<int>(i);
    }
    return -1;
  }

  // Where a statement parameter's value comes from: the call's value at
  // Index (none when negative), read as Read; kLookedUp is FLookedUp.
  static constexpr int kLookedUp = -2;
  struct TSource {
    int Index;
    TArgRead Read;
    bool LastUse;  // no later parameter takes the same value
  };

  TSqliteStatement* FStatement = nullptr;  // the connection's
  std::vector<TSource> FSources;
  std::vector<TDBValue> FValues;
  TSqliteStatement* FHeldStatement = nullptr;  // the connection's; FRows rows to a statement
  int FRows = 1;
  // The calls held, each with its values as the call gave them, and what
  // the look-up found for each; slots past FHeldRows keep their storage.
  std::vector<std::vector<TDBValue>> FHeld;
  std::vector<TDBValue> FHeldLookedUp;
  int FHeldRows = 0;
  int FStoring = 0;  // the rows of the statement being run
  mutable std::vector<TDBValue> FConverted;  // by column
  static inline const TDBValue kNull{};
  // The procedure's look-up, when it has one: the connection's statement,
  // where its arguments come from, and its last answer with their values.
  TSqliteStatement* FLookup = nullptr;
  std::vector<TSource> FLookupSources;
  std::vector<TDBValue> FLookedUpArgs;
  TDBValue FLookedUp;
  bool FLookedUpKnown = false;
};

// One call of _ipspUpdateEmployeeAward_TD: its key, its values and the
// statements of each change type. The rules are those of the PostgreSQL
// procedure of the same name.
class TEmployeeAwardUpdate {
 public:
  TEmployeeAwardUpdate(TDBConnection& db, const TProcArgs& a) : FDb(db), FArgs(a) {
    FEnd = a.Date("dEndDate", true);
    FKey = {{"iEmployeeID", a.Get("iEmployeeID")}, {"dEffectiveDate", a.Date("dEffectiveDate")}};
    FDay = FormatIsoDate(FKey[1].Value.AsDateTime());
    FValues = FKey;
    for (const char* name : {"iAwardID", "iPayClassID", "iAwardEmplCategoryID", "iAwardConditionGroupID",
                             "fYearlySalary", "fNormalHours", "bUseDefaultRate", "fNormalRate",
                             "fAwardCategoryHoursToDate", "fAutopayAmount", "iChangeReasonID", "iAgentID"}) {
      FValues.push_back({name, a.Get(name)});
    }
    // An open end is stored as day 0, the payroll product's empty date.
    FValues.push_back({"dEndDate", FEnd.IsNull() ? TDBValue::DateTime(0) : FEnd});
  }

  std::string Run() {
    switch (FArgs.Get("iChangeType").AsInteger()) {
      case 3: return Delete();
      case 2: return Edit();
      default: return Add();
    }
  }

 private:
  bool Exists() {
    return FDb.QueryValue("select count(*) from _iptblEmployeeAwards_TD where iEmployeeID = :iEmployeeID "
                          "and dEffectiveDate = :dEffectiveDate and iChangeType <> 3",
                          FKey)
               .AsInteger() > 0;
  }

  std::string Delete() {
    FDb.Execute("update _iptblEmployeeAwards_TD set iChangeType = 3, iChangeReasonID = ISNULL(:iChangeReasonID, 0), "
                "iAgentID = ISNULL(:iAgentID, 0) where iEmployeeID = :iEmployeeID and dEffectiveDate = :dEffectiveDate "
                "and iChangeType <> 3",
                FValues);
    return {};
  }

  std::string Edit() {
    if (!Exists()) return "No Employee Award effective on " + FDay + " was found for this employee.";
    FDb.Execute("update _iptblEmployeeAwards_TD set iAwardID = :iAwardID, iPayClassID = ISNULL(:iPayClassID, 0), "
                "iAwardEmplCategoryID = ISNULL(:iAwardEmplCategoryID, 0), "
                "iAwardConditionGroupID = ISNULL(:iAwardConditionGroupID, 0), fYearlySalary = ISNULL(:fYearlySalary, 0), "
                "fNormalHours = ISNULL(:fNormalHours, 0), bUseDefaultRate = ISNULL(:bUseDefaultRate, 1), "
                "fNormalRate = ISNULL(:fNormalRate, 0), fAwardCategoryHoursToDate = ISNULL(:fAwardCategoryHoursToDate, 0), "
                "fAutopayAmount = ISNULL(:fAutopayAmount, 0), iChangeType = 2, "
                "iChangeReasonID = ISNULL(:iChangeReasonID, 0), iAgentID = ISNULL(:iAgentID, 0), dEndDate = :dEndDate "
                "where iEmployeeID = :iEmployeeID and dEffectiveDate = :dEffectiveDate and iChangeType <> 3",
                FValues);
    return {};
  }

  std::string Add() {
    if (Exists()) return "Employee Award effective on " + FDay + " already exists for this employee.";
    if (FArgs.Get("bReplaceOverlapping").AsBoolean()) {
      TDBParams p = FKey;
      p.push_back({"dEndDate", FEnd});
      p.push_back({"bOpen", FEnd.IsNull()});
      FDb.Execute("update _iptblEmployeeAwards_TD set iChangeType = 3 where iEmployeeID = :iEmployeeID "
                  "and iChangeType <> 3 and dEffectiveDate >= :dEffectiveDate "
                  "and (:bOpen = 1 or dEffectiveDate <= :dEndDate)",
                  p);
    }
    if (FArgs.Get("bEndDateExisting").AsBoolean()) {
      TDBParams p = FKey;
      p.push_back({"dDayBefore", TDBValue::DateTime(DateOf(FKey[1].Value.AsDateTime()) - 1)});
      FDb.Execute("update _iptblEmployeeAwards_TD set dEndDate = :dDayBefore where iEmployeeID = :iEmployeeID "
                  "and iChangeType <> 3 and dEffectiveDate < :dEffectiveDate "
                  "and (dEndDate is null or dEndDate < '1900-01-04' or dEndDate >= :dEffectiveDate)",
                  p);
    }
    FDb.Execute("insert into _iptblEmployeeAwards_TD (iEmployeeID, iAwardID, iPayClassID, iAwardEmplCategoryID, "
                "iAwardConditionGroupID, fYearlySalary, fNormalHours, bUseDefaultRate, fNormalRate, "
                "fAwardCategoryHoursToDate, fAutopayAmount, iChangeType, iChangeReasonID, iAgentID, dEffectiveDate, "
                "dEndDate) values (:iEmployeeID, :iAwardID, ISNULL(:iPayClassID, 0), ISNULL(:iAwardEmplCategoryID, 0), "
                "ISNULL(:iAwardConditionGroupID, 0), ISNULL(:fYearlySalary, 0), ISNULL(:fNormalHours, 0), "
                "ISNULL(:bUseDefaultRate, 1), ISNULL(:fNormalRate, 0), ISNULL(:fAwardCategoryHoursToDate, 0), "
                "ISNULL(:fAutopayAmount, 0), 1, ISNULL(:iChangeReasonID, 0), ISNULL(:iAgentID, 0), :dEffectiveDate, "
                ":dEndDate)",
                FValues);
    return {};
  }

  TDBConnection& FDb;
  const TProcArgs& FArgs;
  TDBValue FEnd;
  TDBParams FKey;
  TDBParams FValues;
  std::string FDay;
};

TDBRow UpdateEmployeeAward(TDBConnection& db, const TProcArgs& a) {
  const std::string message = TEmployeeAwardUpdate(db, a).Run();
  return TDBRow(std::make_shared<const TDBColumns>(std::vector<std::string>{"Message"}), {TDBValue(message)});
}

struct TProcedureEntry {
  TProcedure Run;
  // One statement is atomic by itself; only a procedure of several needs a
  // transaction level of its own (a costing run stores every line through
  // a one-statement procedure). Null for those.
  const TStatementProcedure* Statement;
  // The statement reading held rows, made once: a costing prepares its
  // call for every timesheet.
  std::string HeldSql;
};

TProcedureEntry StatementEntry(const TStatementProcedure& procedure) {
  return {RunStatement(procedure), &procedure,
          procedure.RowsPerStatement > 1 ? HeldRowsSql(procedure.Sql) : std::string()};
}

const std::map<std::string, TProcedureEntry>& Procedures() {
  static const std::map<std::string, TProcedureEntry> kProcedures = {
      {"_esspaddtimesheetmessage", StatementEntry(kAddTimesheetMessage)},
      {"_qivaddtimesheetcost", StatementEntry(kAddTimesheetCost)},
      {"_ipspaddimportdata", StatementEntry(kAddImportData)},
      {"_ipspupdateemployeeaward_td", {UpdateEmployeeAward, nullptr, {}}},
  };
  return kProcedures;
}

}  // namespace

TDateTime TimesheetCycleFromDate(int days, TDateTime cycleStart, TDateTime date) {
  const TDateTime start = DateOf(cycleStart);
  if (days < 1) return start;
  const double cycles = std::floor((DateOf(date) - start) / days);
  return start + cycles * days;
}

void RegisterSqliteFunctions(soci::session& session) {
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  if (sq::sqlite3_create_function_v2(SqliteHandle(session), "_esfnTimesheetCycleFromDate", 3, flags, nullptr,
                                     CycleFromDateFunction, nullptr, nullptr, nullptr) != SQLITE_OK) {
    throw EDatabaseError("Could not register _esfnTimesheetCycleFromDate");
  }
  RegisterSqliteWorkPatternDays(SqliteHandle(session));
  RegisterSqliteHeldRows(SqliteHandle(session));
}

bool RunSqliteProcedure(TDBConnection& connection, std::string_view name, const TDBParams& params,
                        TDBRow& outputs) {
  const auto it = Procedures().find(LowerCase(name));
  if (it == Procedures().end()) return false;
  // A procedure of the other back ends is atomic; so is each of these: what
  // one call writes is kept whole or not at all (a savepoint when the caller
  // has a transaction open).
  if (it->second.Statement) {
    outputs = it->second.Run(connection, TProcArgs(params));
    return true;
  }
  TDBTransaction transaction(connection);
  outputs = it->second.Run(connection, TProcArgs(params));
  transaction.Commit();
  return true;
}

std::unique_ptr<TDBProcCall> PrepareSqliteProcedure(TSociConnection& connection, std::string_view name,
                                                    const std::vector<std::string>& names) {
  const auto it = Procedures().find(LowerCase(name));
  if (it == Procedures().end() || !it->second.Statement) return nullptr;
  return std::make_unique<TPreparedStatementProcedure>(connection, *it->second.Statement, it->second.HeldSql, names);
}

}  // namespace qora
