// Working on statement text: named parameters, literals and ID lists.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/datetime.h"
#include "db/connection.h"

namespace qora {

// A statement whose ":Name" parameters were replaced by back-end markers,
// with the values to bind in marker order.
struct TBoundStatement {
  std::string Sql;
  std::vector<TDBValue> Values;
};

// Replaces every ":Name" outside quotes and comments with marker(k) (k = 1,
// 2, ... in order of appearance) and takes its value from `params`, matching
// the name ignoring case. A name used twice is bound twice. "::" (a cast) is
// left alone. A parameter missing from `params` throws EDatabaseError
// "Parameter 'Name' not found"; unused entries of `params` are not an error.
TBoundStatement BindParameters(std::string_view sql, const TDBParams& params,
                               const std::function<std::string(int)>& marker);

// BindParameters in two steps, so that a statement run many times is scanned
// once: the text with its markers and the parameter names in marker order,
// then, for each run, the values of those names (a missing one throws as
// BindParameters does, the first in order of appearance).
struct TMarkedStatement {
  std::string Sql;
  std::vector<std::string> Names;
};
TMarkedStatement MarkParameters(std::string_view sql, const std::function<std::string(int)>& marker);
std::vector<TDBValue> ParameterValues(const std::vector<std::string>& names, const TDBParams& params);

// Checks a comma-separated list of IDs before it is formatted into a
// statement ("in (%s)") and returns it normalised ("1,2,3"). Blanks around
// items are allowed. An empty or blank text gives "". Anything that is not
// a list of integers throws EDatabaseError "Invalid ID list \"...\"", so
// that no text other than digits ever reaches the statement.
std::string ValidateIdList(std::string_view ids);
// What goes between the brackets of "in (...)" for a validated ID list:
// a single ID is bound as the parameter `name` (added to `params`), so that
// a statement run for one ID at a time is prepared once; a longer list is
// formatted in as it is.
std::string IdListOrParam(const std::string& ids, const std::string& name, TDBParams& params);

// An SQL string literal: single quotes, inner quotes doubled.
std::string SqlQuote(std::string_view text);
// A date as the payroll statements format it: 'YYYY-MM-DD'.
std::string SqlDateLiteral(TDateTime date);

// Splits a SQL Server script at lines holding only "GO" (any case). Empty
// batches are dropped.
std::vector<std::string> SplitGoBatches(std::string_view script);

// Length of the string literal ('...', quotes doubled inside), or, with
// quoted_names, the quoted name ("..." or [...]), or the comment (-- or /* */)
// that starts at `pos`; 0 when none starts there. An unclosed one runs to
// the end of the text.
size_t SqlLiteralLength(std::string_view sql, size_t pos, bool quoted_names);

}  // namespace qora
