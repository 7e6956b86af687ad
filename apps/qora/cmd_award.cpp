// qora award: award files and the awards of a payroll database.
//   qora award show FILE | --db TARGET --code C [--date D] [--json]
//     the award's header, pay classes, categories, condition groups, jobs
//     and components (with the names users know their types by and what
//     they pay), as text or as JSON.
//   qora award conditions FILE | --db TARGET --code C [--date D] [--output F]
//     the conditions the rule engine will run for the award, in run order,
//     as the condition table CSV.
//   qora award import FILE --db TARGET
//     stores the award file in the payroll database, replacing the version
//     with the same code and effective date; all or nothing.
//   qora award export --db TARGET --code C [--date D] [--output F]
//     writes the version in force on D (today by default) as an award file.
// An award in a database is the version of code C in force on date D
// (YYYY-MM-DD, today by default). Problems print on stderr with what to do
// and exit with 1; a wrong command line exits with 2.
#include <exception>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "award/award.h"
#include "award/award_condition_table.h"
#include "award/award_file.h"
#include "award/award_report.h"
#include "award/award_store.h"
#include "cli_errors.h"
#include "command.h"
#include "common/datetime.h"
#include "db/connection.h"
#include "target.h"
#include "timesheet/csv_stream_format.h"

namespace {

// Where an award comes from: a file, or a database with a code and date.
struct AwardSource {
  std::string file;
  std::string target;
  std::string code;
  std::string date;
  std::string output;
  bool json = false;
};

// A command-line mistake: exit code 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

qora::TDateTime DateOption(const std::string& text) {
  if (text.empty()) return qora::Today();
  qora::TDateTime date = 0;
  if (!qora::TryParseIsoDateTime(text, date)) {
    throw UsageError("--date \"" + text + "\" is not a date; write it as YYYY-MM-DD.");
  }
  return qora::DateOf(date);
}

std::unique_ptr<qora::TDBConnection> OpenTarget(const std::string& target) {
  return qora::cli::OpenPayrollDatabase(target);
}

std::unique_ptr<qora::TObjAward> LoadSource(const AwardSource& source) {
  if (!source.file.empty() && !source.target.empty()) throw UsageError("Give either an award FILE or --db, not both.");
  if (!source.file.empty()) return qora::LoadAwardFile(source.file);
  if (source.target.empty() || source.code.empty()) {
    throw UsageError("Give an award FILE, or --db TARGET with --code C (and optionally --date YYYY-MM-DD).");
  }
  auto connection = OpenTarget(source.target);
  return qora::LoadStoredAward(*connection, source.code, DateOption(source.date));
}

// Writes the text to --output when given, otherwise to stdout.
void Emit(const AwardSource& source, const std::string& text) {
  if (source.output.empty()) {
    std::cout << text;
    return;
  }
  std::ofstream out(source.output, std::ios::binary | std::ios::trunc);
  out << text;
  out.flush();
  if (!out) throw std::runtime_error("Cannot write \"" + source.output + "\"; check the folder exists and is writable.");
}

int Show(const AwardSource& source) {
  auto award = LoadSource(source);
  if (source.json) {
    std::cout << qora::AwardSummaryJson(*award).dump(2) << "\n";
  } else {
    std::cout << qora::AwardSummaryText(*award);
  }
  return 0;
}

int Conditions(const AwardSource& source) {
  auto award = LoadSource(source);
  const qora::TMemoryTable table = qora::AwardConditionTable(*award);
  Emit(source, qora::CreateCSVStreamFormat()->SaveToString(table));
  return 0;
}

int Import(const AwardSource& source) {
  if (source.file.empty() || source.target.empty()) throw UsageError("Give the award FILE and --db TARGET.");
  auto award = qora::LoadAwardFile(source.file);
  auto connection = OpenTarget(source.target);
  const qora::TAwardImportResult result = qora::ImportAward(*connection, *award);
  std::cout << "Imported award " << award->Code() << " version from " << qora::FormatIsoDate(award->EffectiveDate())
            << (result.Replaced ? " (replacing the stored version)" : "") << " into "
            << connection->Params().ToUri(false) << " (pay classes: " << award->ObjLstClassRates().Count()
            << ", components: " << result.Components << ")\n";
  return 0;
}

int Export(const AwardSource& source) {
  if (source.target.empty() || source.code.empty()) throw UsageError("Give --db TARGET and --code C.");
  auto connection = OpenTarget(source.target);
  Emit(source, qora::ExportAwardText(*connection, source.code, DateOption(source.date)));
  return 0;
}

int Run(int (*action)(const AwardSource&), const AwardSource& source) {
  return qora::cli::Guarded([&] {
    try {
      return action(source);
    } catch (const UsageError& e) {
      throw qora::cli::UsageError(e.what());
    }
  });
}

void AddDatabaseOptions(CLI::App* command, AwardSource& source) {
  command->add_option("--db", source.target, qora::cli::TargetFormsText());
  command->add_option("--code", source.code, "Award code (with --db)");
  command->add_option("--date", source.date, "The version in force on this date, YYYY-MM-DD (default today)");
}

qora::cli::CommandRegistrar reg([](CLI::App& app, int& exit_code) {
  auto* award = app.add_subcommand("award", "Award files and the awards of a payroll database");
  award->require_subcommand(1);
  auto source = std::make_shared<AwardSource>();

  auto* show = award->add_subcommand("show", "Print an award: header, pay classes, jobs and components");
  show->add_option("FILE", source->file, "Award file (.xml)");
  AddDatabaseOptions(show, *source);
  show->add_flag("--json", source->json, "Print JSON instead of text");
  show->callback([source, &exit_code] { exit_code = Run(Show, *source); });

  auto* conditions =
      award->add_subcommand("conditions", "Print the conditions the rule engine runs for an award, as CSV");
  conditions->add_option("FILE", source->file, "Award file (.xml)");
  AddDatabaseOptions(conditions, *source);
  conditions->add_option("--output", source->output, "Write the CSV to this file instead of stdout");
  conditions->callback([source, &exit_code] { exit_code = Run(Conditions, *source); });

  auto* import = award->add_subcommand("import", "Store an award file in a payroll database (all or nothing)");
  import->add_option("FILE", source->file, "Award file (.xml)")->required();
  import->add_option("--db", source->target, qora::cli::TargetFormsText())->required();
  import->callback([source, &exit_code] { exit_code = Run(Import, *source); });

  auto* exported = award->add_subcommand("export", "Write an award version of a payroll database as an award file");
  AddDatabaseOptions(exported, *source);
  exported->add_option("--output", source->output, "Write the award file here instead of stdout");
  exported->callback([source, &exit_code] { exit_code = Run(Export, *source); });
});

}  // namespace
