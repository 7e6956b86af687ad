// Reading a CSV costing file back as pay lines, and printing them for people:
// one block per shift (employee and day worked), its lines with type, code,
// units, rate and value, a subtotal per shift and the dollar total.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace qora::cli {

struct TPayLine {
  std::string Employee;
  std::string Day;       // as written in the file (DD/MM/YYYY)
  std::string Type;      // ComponentType, e.g. "Ordinary Hours", "Penalty"
  std::string Code;      // ComponentName, e.g. "Normal", "OT15", "NIGHT"
  std::string Classification;
  double Units = 0;
  double Rate = 0;
  double Value = 0;
  double Percent = 0;    // a penalty's loading; 0 for other lines
};

// The lines of one shift, in file order.
struct TPayShift {
  std::string Employee;
  std::string Day;
  std::string ShiftID;
  std::vector<TPayLine> Lines;
  double Total() const;
};

// Reads a CSV costing file (header line naming the columns, then one line per
// pay line). Consecutive lines of one employee, day worked and shift ID form
// one shift. Throws std::runtime_error naming the file when it cannot be
// read or lacks a costing column.
std::vector<TPayShift> ReadCostingFile(const std::string& pFileName);

// The shifts as a table with a subtotal per shift and the total at the end.
void PrintPayLines(std::ostream& pOut, const std::vector<TPayShift>& pShifts);

// The shifts as JSON: {"Shifts": [{Employee, Day, Lines: [...], Total}], "Total"}.
nlohmann::ordered_json PayLinesToJson(const std::vector<TPayShift>& pShifts);

}  // namespace qora::cli
