// Where a timesheet file goes wrong, for people fixing the file. The readers
// stop at the first value they cannot read and quietly take values such as
// a break of "thirty" minutes as 0; this check reads the same file the same
// way but notes every such value with its line and column, without changing
// what a costing run makes of the file.
#pragma once

#include <string>
#include <vector>

namespace qora {

struct TTimesheetIssue {
  std::string File;
  int Line = 0;          // 1-based: the CSV row's first line, or the XML element's line
  std::string Field;     // CSV column or XML element/attribute
  std::string Message;   // what is wrong with the value and how the engine takes it
  bool Error = false;    // true: a costing run stops on it; false: it is read as 0 or ignored
};

// Every problem of the timesheet file `path` (".xml" in any case: time
// cards; anything else: CSV), in file order. Throws what the readers throw
// when the file cannot be read at all.
std::vector<TTimesheetIssue> CheckTimesheetFile(const std::string& path);

// "FILE:LINE: FIELD: MESSAGE" (the field part left out when empty).
std::string IssueText(const TTimesheetIssue& issue);

}  // namespace qora
