// qora rules run --conditions FILE.csv TIMESHEET [--debug] [--json]: runs a
// condition table (the layout the engine's condition dump writes) against
// every shift of a timesheet file, with no database and no award, and shows
// what the conditions made of each shift: its hours blocks, allowances and
// penalties. Award maintainers try a rule this way before it goes into an
// award. The steps of a costing run that need no database run (default
// hours, the conditions, the hours history); costing output does not.
//
// qora rules run --award AWARD.xml TIMESHEET [--set PROPERTY=VALUE]...: the
// same with an award file's generated conditions, the award also pricing the
// blocks and additions. Without a database nobody supplies the employee's
// award values, so --set gives every shift the values (ConditionGroup,
// EmployeeClassification, EmployeeCategory, EmployeeNormalRate, or any other
// property of a shift) a database would; the shift's award code names the
// award file.
//
// A shift whose conditions fail is reported with the condition (order and
// code) that failed and the engine's message; the other shifts still run.
// Exit status: 0 when every shift ran, 1 when a shift failed, 3 when the
// files could not be read, 2 for a wrong command line.
#include <exception>
#include <iomanip>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli_errors.h"
#include "command.h"
#include "common/datetime.h"
#include "common/format.h"
#include "engine/run_driver.h"
#include "award/award.h"
#include "award/award_file.h"
#include "award/award_list.h"
#include "award/award_provider.h"
#include "engine/timesheet_manager.h"
#include "foundation/class_info.h"
#include "foundation/user_feedback.h"
#include "rules/condition_file.h"
#include "rules/process_manager.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_json.h"

namespace {

using nlohmann::ordered_json;

struct RunOptions {
  std::string conditions;
  std::string award;
  std::vector<std::string> sets;
  std::string timesheet;
  bool debug = false;
  bool json = false;
};

// What happened to one shift besides the changes to the shift itself.
struct ShiftOutcome {
  std::string error;                              // empty when the shift ran
  std::optional<qora::TFailedCondition> failed;   // the row that failed, when a row did
  std::vector<std::string> messages;             // the run log's lines for the shift
};

// A shift-relative time as a clock time; "+1" marks the next day.
std::string ClockText(double hours) {
  const int minutes = static_cast<int>(hours * 60 + 0.5);
  std::ostringstream out;
  out << std::setfill('0') << std::setw(2) << (minutes / 60) % 24 << ':' << std::setw(2) << minutes % 60;
  if (minutes >= 24 * 60) out << "+1";
  return out.str();
}

std::string Number(double value) { return qora::FormatFloat("0.##", value); }

std::string FailureText(const ShiftOutcome& outcome) {
  if (!outcome.failed) return outcome.error;
  return qora::Format("condition %d \"%s\" of \"%s\": %s", outcome.failed->Order, outcome.failed->Code,
                      outcome.failed->Award, outcome.error);
}

// Prints rows under a header, each column as wide as its widest cell.
void PrintTable(std::ostream& out, const std::vector<std::string>& header,
                const std::vector<std::vector<std::string>>& rows) {
  std::vector<size_t> width(header.size());
  for (size_t c = 0; c < header.size(); ++c) width[c] = header[c].size();
  for (const auto& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) width[c] = std::max(width[c], row[c].size());
  }
  auto line = [&](const std::vector<std::string>& cells) {
    std::string text = "    ";
    for (size_t c = 0; c < cells.size(); ++c) {
      text += cells[c];
      if (c + 1 < cells.size()) text += std::string(width[c] - cells[c].size() + 2, ' ');
    }
    out << text << "\n";
  };
  line(header);
  for (const auto& row : rows) line(row);
}

void PrintHours(std::ostream& out, const qora::TTimesheetShift& shift) {
  std::vector<std::vector<std::string>> rows;
  for (const qora::THoursGroup* g : shift.HoursGroupList().Groups()) {
    rows.push_back({qora::HoursTypeInfo().NameOf(static_cast<int>(g->HoursType())), ClockText(g->FromTime()),
                    ClockText(g->ToTime()), Number(g->HoursTotal()), g->ComponentName(), g->WorkCode(), g->RateCode(),
                    Number(g->Rate()), Number(g->Percentage())});
  }
  out << "  Hours\n";
  if (rows.empty()) {
    out << "    (none)\n";
    return;
  }
  PrintTable(out, {"Type", "From", "To", "Hours", "Component", "Work code", "Rate code", "Rate", "%"}, rows);
}

void PrintAllowances(std::ostream& out, const qora::TTimesheetShift& shift) {
  out << "  Allowances\n";
  if (shift.AllowanceList().Count() == 0) {
    out << "    (none)\n";
    return;
  }
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < shift.AllowanceList().Count(); ++i) {
    const qora::TAllowance& a = *shift.AllowanceList().Items(i);
    rows.push_back({a.AddDedCode(), Number(a.Units()), Number(a.Rate()), Number(a.AmountPerc()), a.Description()});
  }
  PrintTable(out, {"Code", "Units", "Rate", "Amount/%", "Description"}, rows);
}

void PrintPenalties(std::ostream& out, const qora::TTimesheetShift& shift) {
  out << "  Penalties\n";
  if (shift.PenaltyList().Count() == 0) {
    out << "    (none)\n";
    return;
  }
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < shift.PenaltyList().Count(); ++i) {
    const qora::TPenalty& p = *shift.PenaltyList().Items(i);
    rows.push_back({p.AddDedCode(), ClockText(p.FromTime()), ClockText(p.ToTime()), Number(p.Units()),
                    Number(p.Rate()), Number(p.AmountPerc())});
  }
  PrintTable(out, {"Code", "From", "To", "Units", "Rate", "Amount/%"}, rows);
}

void PrintShift(std::ostream& out, int number, const qora::TTimesheetShift& shift, const ShiftOutcome& outcome) {
  out << "Shift " << number << ": " << shift.EmployeeCode() << "  " << qora::FormatIsoDate(shift.ShiftStartDate())
      << "  rostered " << ClockText(shift.RosteredHoursStart()) << "-" << ClockText(shift.RosteredHoursEnd())
      << "  award \"" << shift.EmployeeAward() << "\"  group \"" << shift.ConditionGroup() << "\"\n";
  if (!outcome.error.empty()) out << "  FAILED: " << FailureText(outcome) << "\n";
  for (const auto& message : outcome.messages) out << "  Log: " << message << "\n";
  PrintHours(out, shift);
  PrintAllowances(out, shift);
  PrintPenalties(out, shift);
  out << "\n";
}

ordered_json OutcomeJson(const ShiftOutcome& outcome) {
  ordered_json run = ordered_json::object();
  run["Failed"] = !outcome.error.empty();
  if (!outcome.error.empty()) {
    ordered_json error = {{"Message", outcome.error}};
    if (outcome.failed) {
      error["Award"] = outcome.failed->Award;
      error["Order"] = outcome.failed->Order;
      error["Code"] = outcome.failed->Code;
    }
    run["Error"] = std::move(error);
  }
  ordered_json log = ordered_json::array();
  for (const auto& message : outcome.messages) log.push_back(message);
  run["Log"] = std::move(log);
  return run;
}

// Runs every shift; debug lines go to stderr as each shift finishes.
std::vector<ShiftOutcome> RunShifts(qora::TTimesheetManager& manager, qora::TaiProcessManager& pm,
                                    qora::TUserFeedback& log) {
  std::vector<ShiftOutcome> outcomes;
  qora::RegisterRuleEngineHandlers(manager, pm);
  const int count = manager.Timesheet().Count();
  size_t seen = 0;
  for (int i = 0; i < count; ++i) {
    ShiftOutcome outcome;
    try {
      qora::ProcessShift(manager, pm, i, qora::TShiftSteps::WithoutCosting);
    } catch (const std::exception& e) {
      outcome.error = e.what();
      outcome.failed = pm.FailedCondition();
    }
    if (log.DebugEnabled()) std::cerr << "-- Shift " << i + 1 << "\n";
    for (; seen < log.Messages().size(); ++seen) {
      const auto& entry = log.Messages()[seen];
      if (entry.Info.IsDebugMessage) {
        std::cerr << entry.Text << "\n";
      } else {
        outcome.messages.push_back(entry.Text);
      }
    }
    outcomes.push_back(std::move(outcome));
  }
  return outcomes;
}

// Gives every shift the award file as its award code and the --set values.
// Throws std::invalid_argument for a setting that is not PROPERTY=VALUE or
// names no property of a shift.
void ApplySettings(qora::TTimesheet& timesheet, const RunOptions& options) {
  for (int i = 0; i < timesheet.Count(); ++i) {
    qora::TTimesheetShift& shift = *timesheet.GetTimesheetShift(i);
    shift.SetEmployeeAward(options.award);
    for (const std::string& setting : options.sets) {
      const size_t eq = setting.find('=');
      if (eq == std::string::npos || eq == 0) {
        throw std::invalid_argument("\"" + setting + "\" is not PROPERTY=VALUE.");
      }
      qora::SetPublishedValue(shift, setting.substr(0, eq), qora::PropValue(setting.substr(eq + 1)));
    }
  }
}

int Run(const RunOptions& options) {
  qora::TUserFeedback log;
  log.SetDebugEnabled(options.debug);
  qora::TTimesheetManager manager;
  manager.SetUserFeedback(&log);
  qora::TaiProcessManager pm;
  pm.SetUserFeedback(&log);
  std::unique_ptr<qora::TConditionFileAward> award;
  qora::TObjListAwards awards;
  qora::TAwardProvider award_provider(awards, &log, []() -> qora::TDBConnection* { return nullptr; });
  try {
    if (options.award.empty()) {
      award = std::make_unique<qora::TConditionFileAward>(options.conditions);
    } else {
      qora::LoadAwardFile(options.award);  // a bad file fails here, named, before any shift runs
    }
    manager.LoadTimesheetFromFile(options.timesheet);
    if (!options.award.empty()) ApplySettings(manager.Timesheet(), options);
  } catch (const std::exception& e) {
    qora::cli::PrintError(e.what());
    return qora::cli::kExitInput;
  }
  std::unique_ptr<qora::TConditionFileProvider> provider;
  if (award) {
    provider = std::make_unique<qora::TConditionFileProvider>(*award);
    pm.SetAwardProvider(provider.get());
  } else {
    manager.SetAwardCache(&awards);
    manager.SetAwardProvider(&award_provider);
    pm.SetAwardProvider(&award_provider);
  }
  const std::vector<ShiftOutcome> outcomes = RunShifts(manager, pm, log);
  const qora::TTimesheet& timesheet = manager.Timesheet();
  bool failed = false;
  for (const auto& outcome : outcomes) failed = failed || !outcome.error.empty();
  if (options.json) {
    ordered_json out = qora::TimesheetToJson(timesheet);
    for (size_t i = 0; i < outcomes.size(); ++i) out["Shifts"][i]["Run"] = OutcomeJson(outcomes[i]);
    std::cout << out.dump(2) << "\n";
  } else {
    for (size_t i = 0; i < outcomes.size(); ++i) {
      PrintShift(std::cout, static_cast<int>(i) + 1, *timesheet.GetTimesheetShift(static_cast<int>(i)), outcomes[i]);
    }
    std::cout << outcomes.size() << " shift(s), " << (failed ? "some failed" : "all ran") << ".\n";
  }
  return failed ? 1 : 0;
}

qora::cli::CommandRegistrar reg([](CLI::App& app, int& exit_code) {
  auto* rules = app.add_subcommand("rules", "Try award conditions on timesheets");
  rules->require_subcommand(1);
  auto options = std::make_shared<RunOptions>();
  auto* run = rules->add_subcommand("run", "Run a condition table against every shift of a timesheet file");
  auto* conditions =
      run->add_option("--conditions", options->conditions, "Condition table (CSV, as the engine's condition dump)");
  auto* award = run->add_option("--award", options->award, "Award file whose conditions run (XML)");
  conditions->excludes(award);
  run->add_option("--set", options->sets, "PROPERTY=VALUE given to every shift with --award (e.g. ConditionGroup=Standard)")
      ->needs(award);
  run->add_option("timesheet", options->timesheet, "Timesheet file: CSV, or XML time cards (.xml)")->required();
  run->add_flag("--debug", options->debug, "Write the rule engine's trace to stderr");
  run->add_flag("--json", options->json, "Print the shifts as JSON instead of tables");
  run->callback([options, &exit_code] {
    if (options->conditions.empty() && options->award.empty()) {
      std::cerr << "Give --conditions FILE.csv or --award FILE.xml.\n";
      exit_code = 2;
      return;
    }
    exit_code = Run(*options);
  });
});

}  // namespace
