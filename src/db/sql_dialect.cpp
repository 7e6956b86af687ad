#include "db/sql_dialect.h"

#include <cctype>
#include <map>
#include <regex>

#include "common/text.h"
#include "db/sql_rewrite.h"
#include "db/value.h"
#include "db/db_error.h"

namespace qora {

namespace {

using namespace sqlrewrite;

// The payroll database's table-valued functions as SQLite sub-queries. {n}
// is the n-th argument of the call. Dates are compared by day (date()), so
// that a bound date-time and a 'YYYY-MM-DD' literal select the same rows.
//
// An end date that is null or before 1900-01-04 (day 5) is no end date.
// _ipfnGetAwards(date, currentOnly, awardID, includeInactive): the award
//   versions with their award's code and name; currentOnly <> 0 keeps the
//   versions in effect on `date`; awardID <> 0 keeps that award only;
//   includeInactive = 0 leaves inactive awards out. Ordered by code, then
//   effective date.
// _efnGetFreqPeriodData(payFrequencyID, periodID): the pay period periodID of
//   that pay frequency, or, for periodID 0, its current period: the earliest
//   one not yet processed.
const std::map<std::string, std::string>& SqliteTableFunctions() {
  static const std::map<std::string, std::string> kFunctions = {
      {"_ipfnGetAwards",
       "SELECT A.idAward, V.idAwardTD, A.cCode, A.cName, A.bInactive, V.cDeftClassCode, V.cDeftClassDesc, "
       "V.fWeeklyBaseHours, V.iStdPayClassTDID, V.iChangeReasonID, V.dEffectiveDate, V.dEndDate "
       "FROM _iptblAwards A JOIN _iptblAwards_TD V ON V.iAwardID = A.idAward "
       "WHERE ({2} = 0 OR A.idAward = {2}) AND ({3} <> 0 OR A.bInactive = 0) "
       "AND ({1} = 0 OR (date(V.dEffectiveDate) <= date({0}) "
       "AND (V.dEndDate IS NULL OR V.dEndDate < '1900-01-04' OR date(V.dEndDate) >= date({0})))) "
       "ORDER BY A.cCode, V.dEffectiveDate"},
      {"_efnGetFreqPeriodData",
       "SELECT PR.Counter AS iPeriodID, PR.PayFrequencyID AS iPayFrequencyID, PR.PeriodStart AS dPeriodStart, "
       "PR.PeriodEnd AS dPeriodEnd, PR.IsProcessed AS bIsProcessed FROM PRPeriod PR "
       "WHERE PR.PayFrequencyID = {0} AND PR.Counter = CASE WHEN {1} > 0 THEN {1} ELSE "
       "(SELECT P2.Counter FROM PRPeriod P2 WHERE P2.PayFrequencyID = {0} AND P2.IsProcessed = 0 "
       "ORDER BY P2.PeriodStart LIMIT 1) END"},
  };
  return kFunctions;
}

// A 'YYYY-MM-DD' literal, which SQLite compares as text, gets the time the
// stored dates carry.
std::string SqliteDateLiteral(const std::string& literal) {
  if (literal.size() != 12) return literal;
  for (size_t i = 1; i <= 10; ++i) {
    const bool dash = i == 5 || i == 8;
    if (dash ? literal[i] != '-' : !std::isdigit(static_cast<unsigned char>(literal[i]))) return literal;
  }
  return literal.substr(0, 11) + " 00:00:00'";
}

// "(" and ")" with nothing but blanks between: what an empty "in ()" needs,
// looked for before the costlier pattern.
bool HasEmptyBrackets(std::string_view text) {
  for (size_t open = text.find('('); open != std::string_view::npos; open = text.find('(', open + 1)) {
    size_t i = open + 1;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i < text.size() && text[i] == ')') return true;
  }
  return false;
}

class TSqliteDialect : public TSqlDialect {
 public:
  TDBBackend Backend() const override { return TDBBackend::SQLite; }
  std::string DateTimeLiteral(TDateTime value) const override { return SqlLiteral(value); }
  std::string CurrentDateTime() const override { return "datetime('now', 'localtime')"; }
  std::string ProcedureCall(std::string_view, const TDBParams&) const override { return {}; }

  std::string Rewrite(std::string_view sql) const override {
    TMasked masked = Mask(sql);
    // SQLite accepts "in ()"; SQL Server and PostgreSQL reject it, and the
    // engine relies on that rejection (an empty ID list fails the call).
    static const std::regex kEmptyIn(R"(\bin\s*\(\s*\))", std::regex::icase);
    if (HasEmptyBrackets(masked.Text) && std::regex_search(masked.Text, kEmptyIn)) {
      throw EDatabaseError("Incorrect syntax near ')'.");
    }
    auto literal = [this](double day) { return DateTimeLiteral(day); };
    std::string s = StripSchemaAndBrackets(masked.Text);
    s = RewriteIsNull(s, literal);
    s = RewriteDateComparisons(s, literal);
    s = RewriteGetDate(s, CurrentDateTime());
    s = CompareDatesAsValues(s, "julianday");
    s = RewriteTop(s);
    s = AliasQualifiedColumns(s);
    masked.Text = ExpandTableFunctions(s, SqliteTableFunctions());
    return Unmask(masked, SqliteDateLiteral);
  }

 private:
  static std::string SqlLiteral(TDateTime value) { return "'" + FormatDBDateTime(value) + "'"; }
};

class TPostgreSQLDialect : public TSqlDialect {
 public:
  TDBBackend Backend() const override { return TDBBackend::PostgreSQL; }
  std::string DateTimeLiteral(TDateTime value) const override {
    return "TIMESTAMP '" + FormatDBDateTime(value) + "'";
  }
  std::string CurrentDateTime() const override { return "LOCALTIMESTAMP(0)"; }

  // CALL name(p_a => :a, ...): the procedures name their parameters after the
  // "@" names with a "p_" prefix, which keeps them apart from column names
  // inside the bodies. Output parameters are INOUT; CALL returns them as a row.
  std::string ProcedureCall(std::string_view name, const TDBParams& params) const override {
    std::string sql = "CALL " + std::string(name) + "(";
    for (size_t i = 0; i < params.size(); ++i) {
      if (i > 0) sql += ", ";
      sql += "p_" + params[i].Name + " => :" + params[i].Name;
    }
    return sql + ")";
  }
  std::string OutputColumn(std::string_view name) const override { return "p_" + std::string(name); }

  std::string Rewrite(std::string_view sql) const override {
    TMasked masked = Mask(sql);
    auto literal = [this](double day) { return DateTimeLiteral(day); };
    std::string s = StripSchemaAndBrackets(masked.Text);
    s = RewriteIsNull(s, literal);
    s = RewriteDateComparisons(s, literal);
    s = RewriteGetDate(s, CurrentDateTime());
    masked.Text = RewriteTop(s);
    return Unmask(masked);
  }
};

// SQL Server runs the statements as written.
class TSqlServerDialect : public TSqlDialect {
 public:
  TDBBackend Backend() const override { return TDBBackend::SqlServer; }
  std::string DateTimeLiteral(TDateTime value) const override {
    // The ODBC canonical form reads the same whatever the login's language.
    return "{ts '" + FormatDBDateTime(value) + "'}";
  }
  std::string CurrentDateTime() const override { return "getdate()"; }
  std::string Rewrite(std::string_view sql) const override { return std::string(sql); }

  // SET NOCOUNT ON keeps row counts from hiding the output row; outputs go
  // through local variables and come back as one SELECT.
  std::string ProcedureCall(std::string_view name, const TDBParams& params) const override {
    std::string declare, select, args;
    for (const TDBParam& p : params) {
      if (!args.empty()) args += ", ";
      if (p.IsOutput) {
        declare += "DECLARE @o_" + p.Name + " NVARCHAR(4000) = :" + p.Name + "; ";
        args += "@" + p.Name + " = @o_" + p.Name + " OUTPUT";
        select += std::string(select.empty() ? "SELECT " : ", ") + "@o_" + p.Name + " AS " + p.Name;
      } else {
        args += "@" + p.Name + " = :" + p.Name;
      }
    }
    std::string sql = "SET NOCOUNT ON; " + declare + "EXEC " + std::string(name) + " " + args + ";";
    if (!select.empty()) sql += " " + select + ";";
    return sql;
  }
};

}  // namespace

std::string TSqlDialect::OutputColumn(std::string_view name) const { return std::string(name); }

const TSqlDialect& DialectFor(TDBBackend backend) {
  static const TSqliteDialect kSqlite;
  static const TPostgreSQLDialect kPostgreSQL;
  static const TSqlServerDialect kSqlServer;
  switch (backend) {
    case TDBBackend::SQLite: return kSqlite;
    case TDBBackend::PostgreSQL: return kPostgreSQL;
    case TDBBackend::SqlServer: return kSqlServer;
  }
  return kSqlServer;
}

}  // namespace qora
