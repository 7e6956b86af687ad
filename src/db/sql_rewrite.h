// Building blocks of the dialects' statement rewriting (sql_dialect.h).
//
// Rewriting works on a masked copy of the statement in which every quoted
// text and comment is replaced by a placeholder, so that no rule ever
// touches the inside of a literal; Unmask puts the literals back.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qora::sqlrewrite {

struct TMasked {
  std::string Text;                    // the statement with placeholders
  std::vector<std::string> Literals;   // the quoted texts and comments, as written
};

TMasked Mask(std::string_view sql);
// Restores the literals; `transform` (when set) may change each quoted text
// (it receives and returns the literal with its quotes).
std::string Unmask(const TMasked& masked,
                   const std::function<std::string(const std::string&)>& transform = nullptr);

// Drops "dbo." / "[dbo]." before a name and unwraps [name].
std::string StripSchemaAndBrackets(std::string_view text);
// ISNULL( -> COALESCE(, with date handling (see sql_dialect.h). `dateLiteral`
// gives the back end's literal for a day number.
std::string RewriteIsNull(std::string_view text, const std::function<std::string(double)>& dateLiteral);
// dColumn <op> number -> dColumn <op> date literal.
std::string RewriteDateComparisons(std::string_view text,
                                   const std::function<std::string(double)>& dateLiteral);
// Every comparison (=, <>, !=, <, <=, >, >=) of which one side is a date
// column (dEndDate, R.dDateWorked, PR.PeriodEnd) or COALESCE/ISNULL of
// one becomes function(left) <op> function(right), so that a back end that
// keeps dates as text compares their values, however each was written. The
// assignments of an UPDATE's SET list are left alone.
std::string CompareDatesAsValues(std::string_view text, std::string_view function);
// "select [distinct] top n" -> "select [distinct] ... LIMIT n".
std::string RewriteTop(std::string_view text);
// getdate() -> `now`.
std::string RewriteGetDate(std::string_view text, std::string_view now);
// Gives each qualified column of the statement's first select list
// ("R.iTimesheetID") an explicit alias of its own name ("R.iTimesheetID AS
// iTimesheetID"): the output column is named the same, and ORDER BY may then
// name it unqualified, as SQL Server and PostgreSQL allow and SQLite only
// does for explicit aliases.
std::string AliasQualifiedColumns(std::string_view text);
// Replaces calls NAME(a, b, ...) of the functions in `templates` (name, any
// case, optionally after "dbo.") by "(" + template + ")", with {0}, {1}, ...
// in the template replaced by the call's arguments. A call with a different
// number of arguments than the template uses is left alone.
std::string ExpandTableFunctions(std::string_view text, const std::map<std::string, std::string>& templates);

// The arguments of the call whose "(" is at `open`, split at top-level
// commas, and the position just after the closing ")"; false when unbalanced.
bool ParseCallArguments(std::string_view text, size_t open, std::vector<std::string>& args, size_t& after);

}  // namespace qora::sqlrewrite
