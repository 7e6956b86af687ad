#include "pay_lines.h"

#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>

namespace qora::cli {

namespace {

// Costing records are written without quoting, so a comma always separates.
std::vector<std::string> SplitFields(const std::string& pLine) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(pLine);
  while (std::getline(in, field, ',')) fields.push_back(field);
  if (!pLine.empty() && pLine.back() == ',') fields.emplace_back();
  return fields;
}

std::string StripCR(std::string pLine) {
  if (!pLine.empty() && pLine.back() == '\r') pLine.pop_back();
  return pLine;
}

class TColumns {
 public:
  TColumns(const std::string& pHeader, const std::string& pFileName) {
    const std::vector<std::string> names = SplitFields(pHeader);
    for (size_t i = 0; i < names.size(); ++i) FIndex[names[i]] = i;
    for (const char* name : {"EmployeeCode", "DayWorked", "ComponentType", "ComponentName", "Units", "Rate", "Value"}) {
      if (!FIndex.count(name)) {
        throw std::runtime_error("\"" + pFileName + "\" is not a costing file: it has no column " + name + ".");
      }
    }
  }
  std::string Text(const std::vector<std::string>& pFields, const char* pName) const {
    const auto found = FIndex.find(pName);
    return found != FIndex.end() && found->second < pFields.size() ? pFields[found->second] : std::string();
  }
  double Number(const std::vector<std::string>& pFields, const char* pName) const {
    return std::strtod(Text(pFields, pName).c_str(), nullptr);
  }

 private:
  std::map<std::string, size_t> FIndex;
};

std::string Money(double pValue) {
  std::ostringstream out;
  out << std::fixed << std::setprecision(2) << pValue;
  return out.str();
}

std::string Amount(double pValue) {
  std::ostringstream out;
  out << std::setprecision(6) << pValue;
  return out.str();
}

double GrandTotal(const std::vector<TPayShift>& pShifts) {
  double total = 0;
  for (const TPayShift& shift : pShifts) total += shift.Total();
  return total;
}

}  // namespace

double TPayShift::Total() const {
  double total = 0;
  for (const TPayLine& line : Lines) total += line.Value;
  return total;
}

std::vector<TPayShift> ReadCostingFile(const std::string& pFileName) {
  std::ifstream in(pFileName, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot open the costing file \"" + pFileName + "\".");
  std::string line;
  if (!std::getline(in, line)) throw std::runtime_error("The costing file \"" + pFileName + "\" is empty.");
  const TColumns columns(StripCR(line), pFileName);
  std::vector<TPayShift> shifts;
  while (std::getline(in, line)) {
    line = StripCR(line);
    if (line.empty()) continue;
    const std::vector<std::string> f = SplitFields(line);
    TPayLine pay{columns.Text(f, "EmployeeCode"), columns.Text(f, "DayWorked"),  columns.Text(f, "ComponentType"),
                 columns.Text(f, "ComponentName"), columns.Text(f, "Classification"), columns.Number(f, "Units"),
                 columns.Number(f, "Rate"),        columns.Number(f, "Value"),
                 columns.Number(f, "Percent")};
    const std::string shift_id = columns.Text(f, "ShiftID");
    if (shifts.empty() || shifts.back().Employee != pay.Employee || shifts.back().Day != pay.Day ||
        shifts.back().ShiftID != shift_id) {
      shifts.push_back(TPayShift{pay.Employee, pay.Day, shift_id, {}});
    }
    shifts.back().Lines.push_back(std::move(pay));
  }
  return shifts;
}

void PrintPayLines(std::ostream& pOut, const std::vector<TPayShift>& pShifts) {
  for (const TPayShift& shift : pShifts) {
    pOut << shift.Employee << "  " << shift.Day << "\n";
    for (const TPayLine& line : shift.Lines) {
      // A penalty pays its percent of the rate, which the reader needs to
      // see to follow the value.
      const std::string percent = line.Percent != 0 ? " @ " + Amount(line.Percent) + "%" : "";
      pOut << "  " << std::left << std::setw(18) << line.Type << std::setw(14) << line.Code << std::setw(8)
           << line.Classification << std::right << std::setw(8) << Amount(line.Units) << " x " << std::setw(7)
           << Amount(line.Rate) << std::left << std::setw(8) << percent << std::right << " = " << std::setw(9)
           << Money(line.Value) << "\n";
    }
    pOut << std::setw(83) << "shift " + Money(shift.Total()) << "\n";
  }
  pOut << pShifts.size() << " shift(s), total $" << Money(GrandTotal(pShifts)) << "\n";
}

nlohmann::ordered_json PayLinesToJson(const std::vector<TPayShift>& pShifts) {
  nlohmann::ordered_json out;
  out["Shifts"] = nlohmann::ordered_json::array();
  for (const TPayShift& shift : pShifts) {
    nlohmann::ordered_json item{{"Employee", shift.Employee}, {"Day", shift.Day}};
    item["Lines"] = nlohmann::ordered_json::array();
    for (const TPayLine& line : shift.Lines) {
      item["Lines"].push_back({{"Type", line.Type},
                               {"Code", line.Code},
                               {"Classification", line.Classification},
                               {"Units", line.Units},
                               {"Rate", line.Rate},
                               {"Percent", line.Percent},
                               {"Value", line.Value}});
    }
    item["Total"] = shift.Total();
    out["Shifts"].push_back(std::move(item));
  }
  out["Total"] = GrandTotal(pShifts);
  return out;
}

}  // namespace qora::cli
