// The reference workload: a payroll database with N employees working a
// fortnight of 14 shifts each under a 40-condition award, as a CSV timesheet
// file and as stored timesheets, built in a folder of its own.
#pragma once

#include <string>

namespace qora::bench {

struct ReferenceWorkload {
  std::string folder;         // holds everything below; removed by the caller
  std::string database;       // the SQLite file (common and payroll database)
  std::string timesheet_file; // the CSV timesheet of every shift
  std::string stored_ids; // "ID=1,..." of every stored timesheet (published)
  int employees = 0;
  int shifts = 0;     // shifts per run (employees * 14)
  int conditions = 0; // award components stored
};

// Builds the workload in a new folder under the system's temporary folder.
// Throws what the database or the award import throws.
ReferenceWorkload BuildReferenceWorkload(int employees);

// Removes the workload's folder.
void RemoveReferenceWorkload(const ReferenceWorkload &workload);

} // namespace qora::bench
