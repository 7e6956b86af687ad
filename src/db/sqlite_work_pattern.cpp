#include "db/sqlite_work_pattern.h"

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/float_digits.h"
#include "db/db_error.h"
#include "db/sqlite_table_module.h"
#include "db/value.h"

namespace qora {

namespace sq = ::sqlite_api;

namespace {

// Julian day number of the TDateTime epoch, 1899-12-30 00:00.
constexpr double kJulianEpoch = 2415018.5;

// The dates the function is called with, as julian days of their date, and
// whether the range has any day.
constexpr const char* kRangeSql = "SELECT julianday(date(?1)), julianday(date(?2)), date(?1) <= date(?2)";
// The employee's pattern versions in stored order, with the days they run
// from and to (an end before 1900-01-04 is none) and their pattern's cycle.
constexpr const char* kVersionsSql =
    "SELECT EW.dEffectiveDate, julianday(date(EW.dEffectiveDate)), "
    "CASE WHEN EW.dEndDate IS NULL OR EW.dEndDate < '1900-01-04' THEN julianday('9999-12-31') "
    "ELSE julianday(date(EW.dEndDate)) END, WP.idWorkPattern, WP.iCycleDays, julianday(date(WP.dCycleStartDate)) "
    "FROM _iptblEmployeeWorkPatterns_TD EW JOIN _iptblWorkPatterns WP ON WP.idWorkPattern = EW.iWorkPatternID "
    "WHERE EW.iEmployeeID = ?1 ORDER BY EW.idEmployeeWorkPatternTD";
// A pattern's days; of two rows for one day the first stored counts.
constexpr const char* kPatternDaysSql =
    "SELECT iDayNo, fHours FROM _iptblWorkPatternDays WHERE iWorkPatternID = ?1 ORDER BY iDayNo, idWorkPatternDay";
// The holidays in range by day, with the least description of each day.
constexpr const char* kHolidaysSql =
    "SELECT julianday(date(dDate)) AS jDay, MIN(cDescription) FROM _iptblPublicHolidays "
    "WHERE julianday(date(dDate)) BETWEEN julianday(date(?1)) AND julianday(date(?2)) GROUP BY jDay";

enum TColumn { kDate, kHours, kHoliday, kEmployeeID, kFromDate, kToDate, kWorkDaysOnly };
constexpr int kArguments = 4;

}  // namespace

// Named, not anonymous: the statements' kept holidays hold these.
namespace work_pattern_detail {

// A stored value, ordered as SQLite orders values: null, numbers, texts,
// blobs (texts and blobs byte by byte).
struct TRaw {
  int Type = SQLITE_NULL;
  double Number = 0;
  int64_t Integer = 0;
  std::string Bytes;

  static TRaw Of(sq::sqlite3_stmt* statement, int column) {
    TRaw raw;
    raw.Type = sq::sqlite3_column_type(statement, column);
    if (raw.Type == SQLITE_INTEGER) {
      raw.Integer = sq::sqlite3_column_int64(statement, column);
      raw.Number = static_cast<double>(raw.Integer);
    } else if (raw.Type == SQLITE_FLOAT) {
      raw.Number = sq::sqlite3_column_double(statement, column);
    } else if (raw.Type == SQLITE_TEXT || raw.Type == SQLITE_BLOB) {
      const auto* bytes = static_cast<const char*>(sq::sqlite3_column_blob(statement, column));
      raw.Bytes.assign(bytes ? bytes : "", static_cast<size_t>(sq::sqlite3_column_bytes(statement, column)));
    }
    return raw;
  }
  int Rank() const {
    switch (Type) {
      case SQLITE_NULL: return 0;
      case SQLITE_INTEGER:
      case SQLITE_FLOAT: return 1;
      case SQLITE_TEXT: return 2;
      default: return 3;
    }
  }
  bool Greater(const TRaw& other) const {
    if (Rank() != other.Rank()) return Rank() > other.Rank();
    if (Rank() == 1) return Number > other.Number;
    return Bytes > other.Bytes;
  }
  void Result(sq::sqlite3_context* context) const {
    switch (Type) {
      case SQLITE_INTEGER: sq::sqlite3_result_int64(context, Integer); break;
      case SQLITE_FLOAT: sq::sqlite3_result_double(context, Number); break;
      case SQLITE_TEXT:
        sq::sqlite3_result_text(context, Bytes.data(), static_cast<int>(Bytes.size()),
                                reinterpret_cast<sq::sqlite3_destructor_type>(-1));  // SQLITE_TRANSIENT
        break;
      case SQLITE_BLOB:
        sq::sqlite3_result_blob(context, Bytes.data(), static_cast<int>(Bytes.size()),
                                reinterpret_cast<sq::sqlite3_destructor_type>(-1));
        break;
      default: sq::sqlite3_result_null(context);
    }
  }
};

}  // namespace work_pattern_detail

namespace {

using work_pattern_detail::TRaw;


struct TVersion {
  TRaw Effective;
  bool HasDays = false;  // from, to, cycle start and a cycle: it can give a day's hours
  double From = 0, To = 0, CycleStart = 0;
  int64_t Pattern = 0, Cycle = 0;
};

// A prepared statement kept for the connection's lifetime, reset after use.
struct TStatement {
  sq::sqlite3_stmt* Handle = nullptr;
  ~TStatement() { sq::sqlite3_finalize(Handle); }
};

}  // namespace

// The statements the days are read with, prepared on first use and kept
// for the connection's lifetime.
struct TWorkPatternStatements {
  sq::sqlite3* Db = nullptr;
  TStatement Range, Versions, PatternDays, Holidays;
  // The range's days and holidays read last by the reader, which depend
  // only on its two dates and the holidays table: every employee of a run
  // asks for the same dates. Kept while the database file is unchanged by
  // any commit, this connection's or another's (its data version, read after
  // a statement has looked at the file); neither kept nor reused inside a
  // transaction of this connection that has written, which may yet be rolled
  // back.
  struct TDatesRead {
    bool Valid = false;
    std::string From, To;
    unsigned DataVersion = 0;
    bool Any = false;
    double Day = 0, Last = -1;
    std::map<double, TRaw> Holidays;
  } LastDates;
};

namespace {

struct TTable : sq::sqlite3_vtab {
  TWorkPatternStatements Statements;
};

// The days of one call, made as they are read.
struct TDays {
  std::vector<TVersion> Versions;
  std::map<int64_t, std::map<int64_t, TRaw>> DaysOf;  // pattern -> day number -> hours
  std::map<double, TRaw> Holidays;                    // julian day -> description
  bool WorkDaysOnly = false;
  double Day = 0, Last = -1;
  int64_t Row = 0;
  TRaw Hours, Holiday;
};

struct TCursor : sq::sqlite3_vtab_cursor {
  TDays Days;
};

// Runs a kept statement (prepared on first use): bind sets its arguments,
// onRow reads each row. SQLite's result code of what failed, or SQLITE_OK.
template <class Bind, class OnRow>
int Run(TWorkPatternStatements& table, TStatement& statement, const char* sql, Bind&& bind, OnRow&& onRow) {
  if (!statement.Handle) {
    const int rc = sq::sqlite3_prepare_v3(table.Db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement.Handle, nullptr);
    if (rc != SQLITE_OK) return rc;
  }
  bind(statement.Handle);
  int rc = SQLITE_OK;
  while ((rc = sq::sqlite3_step(statement.Handle)) == SQLITE_ROW) onRow(statement.Handle);
  sq::sqlite3_reset(statement.Handle);
  sq::sqlite3_clear_bindings(statement.Handle);
  return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

// The day of its cycle (1-based) that a version's pattern gives julian day j.
int64_t CycleDay(const TVersion& v, double j) {
  const auto offset = static_cast<int64_t>(std::round(j - v.CycleStart));
  return ((offset % v.Cycle) + v.Cycle) % v.Cycle + 1;
}

// The hours the versions give julian day j, or none (a null TRaw). With one
// version its row counts; otherwise the version with the latest effective
// date among those with a row for the day (the first of equals).
TRaw HoursOf(const TDays& c, double j) {
  const TRaw* best = nullptr;
  const TRaw* bestEffective = nullptr;
  for (const TVersion& v : c.Versions) {
    if (!v.HasDays || !(v.From <= j && v.To >= j)) continue;
    const auto days = c.DaysOf.find(v.Pattern);
    if (days == c.DaysOf.end()) continue;
    const auto row = days->second.find(CycleDay(v, j));
    if (row == days->second.end()) continue;
    if (c.Versions.size() == 1) return row->second;
    if (v.Effective.Type == SQLITE_NULL) continue;
    if (!bestEffective || v.Effective.Greater(*bestEffective)) {
      best = &row->second;
      bestEffective = &v.Effective;
    }
  }
  return best ? *best : TRaw{};
}

bool Positive(const TRaw& v) { return v.Rank() == 1 ? v.Number > 0 : v.Rank() > 1; }

// Moves the cursor to the first day from c.Day on that the call returns.
void SettleOnDay(TDays& c) {
  for (; c.Day <= c.Last; c.Day += 1) {
    c.Hours = HoursOf(c, c.Day);
    if (c.Hours.Type == SQLITE_NULL) {
      c.Hours.Type = SQLITE_INTEGER;  // none: 0
      c.Hours.Integer = 0;
      c.Hours.Number = 0;
    }
    const auto holiday = c.Holidays.find(c.Day);
    c.Holiday = holiday != c.Holidays.end() ? holiday->second : TRaw{SQLITE_TEXT, 0, 0, {}};
    const bool isHoliday = c.Holiday.Type != SQLITE_NULL && !c.Holiday.Bytes.empty();
    if (!c.WorkDaysOnly || Positive(c.Hours) || isHoliday) return;
  }
}

int Fail(TTable& table, int rc) {
  sq::sqlite3_free(table.zErrMsg);
  table.zErrMsg = sq::sqlite3_mprintf("%s", sq::sqlite3_errmsg(table.Statements.Db));
  return rc;
}

// The file's data version: changed by any commit to it, this connection's
// or another's, as seen by the last statement that looked at it.
unsigned DataVersion(sq::sqlite3* db) {
  unsigned version = 0;
  if (sq::sqlite3_file_control(db, "main", SQLITE_FCNTL_DATA_VERSION, &version) != SQLITE_OK) return 0;
  return version;
}

// Reads what the days of one call need and settles on the first day:
// dates binds the from and to dates as ?1 and ?2, employee the employee as
// ?1. With `texts` (the two dates' texts), the range and the holidays are
// taken from the statements' last read when it still holds. SQLite's result
// code of what failed, or SQLITE_OK.
template <class BindDates, class BindEmployee>
int Load(TWorkPatternStatements& table, TDays& c, BindDates&& dates, BindEmployee&& employee,
         const std::pair<std::string, std::string>* texts = nullptr) {
  c.Versions.clear();
  c.DaysOf.clear();
  c.Holidays.clear();
  c.Row = 0;
  c.Day = 0;
  c.Last = -1;
  TWorkPatternStatements::TDatesRead& kept = table.LastDates;
  // Checked again after the versions are read, which looks at the file.
  bool reuse = texts && kept.Valid && kept.From == texts->first && kept.To == texts->second;
  bool any = false;
  int rc = SQLITE_OK;
  if (reuse) {
    any = kept.Any;
    c.Day = kept.Day;
    c.Last = kept.Last;
  } else {
    rc = Run(table, table.Range, kRangeSql, dates, [&](sq::sqlite3_stmt* s) {
      any = sq::sqlite3_column_type(s, 2) != SQLITE_NULL && sq::sqlite3_column_int(s, 2) != 0;
      c.Day = sq::sqlite3_column_double(s, 0);
      c.Last = sq::sqlite3_column_double(s, 1);
    });
    if (rc != SQLITE_OK) return rc;
  }
  if (!any) {
    c.Last = c.Day - 1;
    return SQLITE_OK;
  }
  rc = Run(table, table.Versions, kVersionsSql, employee, [&](sq::sqlite3_stmt* s) {
    TVersion v;
    v.Effective = TRaw::Of(s, 0);
    v.From = sq::sqlite3_column_double(s, 1);
    v.To = sq::sqlite3_column_double(s, 2);
    v.Pattern = sq::sqlite3_column_int64(s, 3);
    v.Cycle = sq::sqlite3_column_int64(s, 4);
    v.CycleStart = sq::sqlite3_column_double(s, 5);
    v.HasDays = v.Cycle != 0 && sq::sqlite3_column_type(s, 1) != SQLITE_NULL &&
                sq::sqlite3_column_type(s, 2) != SQLITE_NULL && sq::sqlite3_column_type(s, 4) != SQLITE_NULL &&
                sq::sqlite3_column_type(s, 5) != SQLITE_NULL;
    c.Versions.push_back(std::move(v));
  });
  if (rc != SQLITE_OK) return rc;
  for (const TVersion& v : c.Versions) {
    if (!v.HasDays || c.DaysOf.count(v.Pattern)) continue;
    std::map<int64_t, TRaw>& days = c.DaysOf[v.Pattern];
    const auto pattern = [&v](sq::sqlite3_stmt* s) { sq::sqlite3_bind_int64(s, 1, v.Pattern); };
    rc = Run(table, table.PatternDays, kPatternDaysSql, pattern, [&days](sq::sqlite3_stmt* s) {
      if (sq::sqlite3_column_type(s, 0) != SQLITE_NULL) {
        days.try_emplace(sq::sqlite3_column_int64(s, 0), TRaw::Of(s, 1));
      }
    });
    if (rc != SQLITE_OK) return rc;
  }
  // Inside a transaction of its own that has written, this connection may
  // yet roll back what it wrote: nothing is kept or reused then.
  const bool keep = texts && sq::sqlite3_txn_state(table.Db, "main") != SQLITE_TXN_WRITE;
  reuse = reuse && keep && kept.DataVersion == DataVersion(table.Db);
  if (reuse) {
    c.Holidays = kept.Holidays;
  } else {
    kept.Valid = false;
    rc = Run(table, table.Holidays, kHolidaysSql, dates, [&](sq::sqlite3_stmt* s) {
      if (sq::sqlite3_column_type(s, 0) != SQLITE_NULL) c.Holidays[sq::sqlite3_column_double(s, 0)] = TRaw::Of(s, 1);
    });
    if (rc != SQLITE_OK) return rc;
    if (keep) {
      // The range depends on the dates alone; it goes with the holidays.
      kept = {true, texts->first, texts->second, DataVersion(table.Db), any, c.Day, c.Last, c.Holidays};
    }
  }
  SettleOnDay(c);
  return SQLITE_OK;
}

int Filter(sq::sqlite3_vtab_cursor* base, int, const char*, int argc, sq::sqlite3_value** argv) {
  TDays& c = static_cast<TCursor*>(base)->Days;
  auto& table = *static_cast<TTable*>(base->pVtab);
  if (argc != kArguments) return SQLITE_ERROR;
  // "workDaysOnly = 0" holds only for a number.
  const int flag = sq::sqlite3_value_type(argv[3]);
  c.WorkDaysOnly = !((flag == SQLITE_INTEGER || flag == SQLITE_FLOAT) && sq::sqlite3_value_double(argv[3]) == 0);
  const auto dates = [argv](sq::sqlite3_stmt* s) {
    sq::sqlite3_bind_value(s, 1, argv[1]);
    sq::sqlite3_bind_value(s, 2, argv[2]);
  };
  const auto employee = [argv](sq::sqlite3_stmt* s) { sq::sqlite3_bind_value(s, 1, argv[0]); };
  const int rc = Load(table.Statements, c, dates, employee);
  return rc == SQLITE_OK ? rc : Fail(table, rc);
}

int Next(sq::sqlite3_vtab_cursor* base) {
  TDays& c = static_cast<TCursor*>(base)->Days;
  c.Day += 1;
  ++c.Row;
  SettleOnDay(c);
  return SQLITE_OK;
}

int Eof(sq::sqlite3_vtab_cursor* base) {
  const TDays& c = static_cast<TCursor*>(base)->Days;
  return c.Day > c.Last ? 1 : 0;
}

int Column(sq::sqlite3_vtab_cursor* base, sq::sqlite3_context* context, int column) {
  const TDays& c = static_cast<TCursor*>(base)->Days;
  switch (column) {
    case kDate: {
      const std::string text = FormatDBDateTime(c.Day - kJulianEpoch);
      sq::sqlite3_result_text(context, text.c_str(), static_cast<int>(text.size()),
                              reinterpret_cast<sq::sqlite3_destructor_type>(-1));
      break;
    }
    case kHours: c.Hours.Result(context); break;
    case kHoliday: c.Holiday.Result(context); break;
    default: sq::sqlite3_result_null(context);  // the arguments are not read back
  }
  return SQLITE_OK;
}

int RowId(sq::sqlite3_vtab_cursor* base, sq::sqlite_int64* rowid) {
  *rowid = static_cast<TCursor*>(base)->Days.Row;
  return SQLITE_OK;
}

// Every argument must be given: the function has no defaults.
int BestIndex(sq::sqlite3_vtab*, sq::sqlite3_index_info* info) {
  int constraint[kArguments] = {-1, -1, -1, -1};
  for (int i = 0; i < info->nConstraint; ++i) {
    const auto& c = info->aConstraint[i];
    if (c.iColumn < kEmployeeID || c.op != SQLITE_INDEX_CONSTRAINT_EQ) continue;
    if (!c.usable) return SQLITE_CONSTRAINT;
    constraint[c.iColumn - kEmployeeID] = i;
  }
  for (int k = 0; k < kArguments; ++k) {
    if (constraint[k] < 0) return SQLITE_CONSTRAINT;
    info->aConstraintUsage[constraint[k]].argvIndex = k + 1;
    info->aConstraintUsage[constraint[k]].omit = 1;
  }
  info->estimatedCost = 10;
  info->estimatedRows = 14;
  return SQLITE_OK;
}

int Connect(sq::sqlite3* db, void*, int, const char* const*, sq::sqlite3_vtab** out, char**) {
  const int rc = sq::sqlite3_declare_vtab(
      db, "CREATE TABLE x(dDate, fHours, cPublicHoliday, iEmployeeID HIDDEN, dFromDate HIDDEN, dToDate HIDDEN, "
          "bWorkDaysOnly HIDDEN)");
  if (rc != SQLITE_OK) return rc;
  auto table = std::make_unique<TTable>();  // value-initialized: SQLite's part starts zeroed
  table->Statements.Db = db;
  *out = table.release();
  return SQLITE_OK;
}

}  // namespace

void RegisterSqliteWorkPatternDays(sq::sqlite3* db) {
  static const sq::sqlite3_module kModule =
      sqlite_table::EponymousModule<TTable, TCursor>({Connect, BestIndex, Filter, Next, Eof, Column, RowId});
  sqlite_table::Register(db, "_ipfnGetEmployeeWorkPatternDays", kModule);
}

namespace {

// The hours as the query's text column reads back: a whole number as it is,
// a real as its fifteen significant digits. False for what this does not
// reproduce: a real with more digits, or a value that is not a number.
bool HoursAsRead(const TRaw& raw, double& hours) {
  constexpr int64_t kExactInteger = int64_t{1} << 53;
  if (raw.Type == SQLITE_INTEGER) {
    hours = static_cast<double>(raw.Integer);
    return raw.Integer > -kExactInteger && raw.Integer < kExactInteger;
  }
  if (raw.Type != SQLITE_FLOAT) return false;
  hours = raw.Number;
  double rounded = 0;
  return raw.Number == 0 || (float_digits::FifteenDigitDouble(std::fabs(raw.Number), rounded) &&
                             rounded == std::fabs(raw.Number));
}

// The description as the query reads it: a null reads as "".
bool HolidayAsRead(const TRaw& raw, std::string& holiday) {
  if (raw.Type == SQLITE_NULL) {
    holiday.clear();
    return true;
  }
  holiday = raw.Bytes;
  return raw.Type == SQLITE_TEXT;
}

}  // namespace

TSqliteWorkPatternReader::TSqliteWorkPatternReader(sq::sqlite3* db)
    : FStatements(std::make_unique<TWorkPatternStatements>()) {
  FStatements->Db = db;
}

TSqliteWorkPatternReader::~TSqliteWorkPatternReader() = default;

bool TSqliteWorkPatternReader::Days(int64_t employee, TDateTime from, TDateTime to,
                                    std::vector<TWorkPatternDay>& days) {
  // The dates go as the engine binds a date: its stored text.
  const std::pair<std::string, std::string> texts{FormatDBDateTime(from), FormatDBDateTime(to)};
  const auto dates = [&texts](sq::sqlite3_stmt* s) {
    sq::sqlite3_bind_text(s, 1, texts.first.data(), static_cast<int>(texts.first.size()), nullptr);
    sq::sqlite3_bind_text(s, 2, texts.second.data(), static_cast<int>(texts.second.size()), nullptr);
  };
  const auto bind_employee = [employee](sq::sqlite3_stmt* s) { sq::sqlite3_bind_int64(s, 1, employee); };
  TDays c;
  const int rc = Load(*FStatements, c, dates, bind_employee, &texts);
  if (rc != SQLITE_OK) {
    throw EDatabaseError(std::string(sq::sqlite3_errmsg(FStatements->Db)) +
                         " while reading the work pattern days of employee " + std::to_string(employee));
  }
  // The query's dates are texts read back as dates, which holds for the
  // years 1 to 9999; others are left to the query.
  static const TDateTime kFirst = EncodeDate(1, 1, 1);
  static const TDateTime kLast = EncodeDate(9999, 12, 31);
  std::vector<TWorkPatternDay> read;
  for (; c.Day <= c.Last; c.Day += 1, SettleOnDay(c)) {
    TWorkPatternDay day;
    day.Date = c.Day - kJulianEpoch;
    if (day.Date < kFirst || day.Date > kLast) return false;
    if (!HoursAsRead(c.Hours, day.Hours) || !HolidayAsRead(c.Holiday, day.Holiday)) return false;
    read.push_back(std::move(day));
  }
  days = std::move(read);
  return true;
}

}  // namespace qora
