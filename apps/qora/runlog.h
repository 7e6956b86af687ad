// Run logs that costing jobs stored in the common database.
#pragma once

#include <iosfwd>
#include <string>

namespace qora {
class TDBConnection;
}

namespace qora::cli {

// Prints the stored run-log messages of job `guid` (every job's when empty),
// oldest first, one line each: "[GUID] SEVERITY timesheet N: TEXT". Returns
// the number of messages printed and sets `last_error` to the text of the
// last error among them.
int PrintStoredRunLog(TDBConnection& db, const std::string& guid, std::ostream& out, std::string& last_error);

}  // namespace qora::cli
