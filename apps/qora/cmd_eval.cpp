// qora eval: compiles and evaluates one expression of the rule language.
#include <iostream>
#include <string>
#include <vector>

#include "command.h"
#include "formula/eval_command.h"

namespace {

struct EvalOptions {
  std::string Expression;
  std::vector<std::string> Variables;
  bool Json = false;
};

qora::cli::CommandRegistrar reg([](CLI::App& app, int& exit_code) {
  auto options = std::make_shared<EvalOptions>();
  auto* cmd = app.add_subcommand("eval", "Compile and evaluate one expression");
  cmd->add_option("expression", options->Expression, "The expression text")->required();
  cmd->add_option("--var", options->Variables, "A variable as NAME=TYPE:VALUE (Integer, Real, Boolean, String)")
      ->allow_extra_args(false);
  cmd->add_flag("--json", options->Json, "Print type, value and canonical text as JSON");
  cmd->callback([options, &exit_code] {
    qora::TQelEvalOutcome outcome = qora::QelRunEval(options->Expression, options->Variables, options->Json);
    std::cout << outcome.Out;
    std::cerr << outcome.Err;
    exit_code = outcome.ExitCode;
  });
});

}  // namespace
