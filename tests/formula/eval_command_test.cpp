// Guards against the eval command printing the wrong type, value or JSON, variable definitions read wrongly,
// and errors that reach standard output or exit with the wrong code.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "formula/eval_command.h"

namespace qora {
namespace {

TEST(QelEvalCommand, PrintsTypeAndValue) {
  struct Case {
    const char* Expression;
    std::vector<std::string> Vars;
    bool Json;
    const char* Out;
    const char* Err;
  };
  const Case cases[] = {
      {"1 + 2 * 3", {}, false, "Integer 7\n", ""},
      {"x * 2", {"x=Real:1.75"}, false, "Real 3.5\n", ""},
      {"Pi + 1", {"pi=Integer:3"}, false, "Integer 4\n", ""},
      {"IfS(ok, name, \"-\")", {"ok=Boolean:true", "name=String:a b=c"}, false, "String a b=c\n", ""},
      {"x * 2", {"x=Real:1.5"}, true, "{\"type\":\"Real\",\"value\":3.0,\"canonical\":\"x * 2\"}\n", ""},
      {"1 < 2", {}, true, "{\"type\":\"Boolean\",\"value\":true,\"canonical\":\"True\"}\n", ""},
      {"s", {"s=String:q"}, true, "{\"type\":\"String\",\"value\":\"q\",\"canonical\":\"s\"}\n", ""},
      {"2 ^ 3", {}, false, "", "Error: \"^\" not recognized or the arguments for \"^\" are not of the correct types.\n"},
      {"If(x > 0, 1, 1 div 0)", {"x=Integer:0"}, false, "", "Division by zero\n"},
      {"x", {"x=Integer:abc"}, false, "", "Error: \"abc\" is not a valid Integer value for the variable x.\n"},
      {"x", {"x=Date:1"}, false, "", "Error: unknown variable type \"Date\"; expected Integer, Real, Boolean or String.\n"},
      {"x", {"x"}, false, "", "Error: invalid variable definition \"x\"; expected NAME=TYPE:VALUE.\n"},
      {"1", {"9x=Integer:1"}, false, "",
       "Error: \"9x\" is illegal. The first character of a variable name must be a letter or an underscore.\n"},
      {"1", {"a=Integer:1", "A=Integer:2"}, false, "", "Error: A Variable named A already exists\n"},
      {"  ", {}, false, "", "Error: the expression is empty.\n"},
  };
  for (const Case& c : cases) {
    TQelEvalOutcome o = QelRunEval(c.Expression, c.Vars, c.Json);
    EXPECT_EQ(o.Out, c.Out) << c.Expression;
    EXPECT_EQ(o.Err, c.Err) << c.Expression;
    EXPECT_EQ(o.ExitCode, c.Err[0] ? 1 : 0) << c.Expression;
  }
}

// Runs a shell command; returns its exit status and what it printed.
int Shell(const std::string& command, std::string& output) {
  output.clear();
  FILE* p = popen(command.c_str(), "r");
  if (!p) return -1;
  std::array<char, 256> buf{};
  while (fgets(buf.data(), buf.size(), p)) output += buf.data();
  int status = pclose(p);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(QelEvalCommand, CommandLine) {
  const std::string cli = QORA_CLI_PATH;
  std::string out;
  EXPECT_EQ(Shell(cli + " eval '1 + 2 * 3'", out), 0);
  EXPECT_EQ(out, "Integer 7\n");
  EXPECT_EQ(Shell(cli + " eval 'Hours * Rate' --var Hours=Real:7.5 --var Rate=Integer:2", out), 0);
  EXPECT_EQ(out, "Real 15\n");
  EXPECT_EQ(Shell(cli + " eval --json 'x + 1' --var x=Integer:1", out), 0);
  EXPECT_EQ(out, "{\"type\":\"Integer\",\"value\":2,\"canonical\":\"x + 1\"}\n");
  EXPECT_EQ(Shell(cli + " eval -- '-3 * -2'", out), 0);
  EXPECT_EQ(out, "Integer 6\n");
  // Errors go to standard error with exit code 1 and nothing on standard output.
  EXPECT_EQ(Shell(cli + " eval '\"a\" = 1' 2>&1 1>/dev/null", out), 1);
  EXPECT_EQ(out, "Error in parsing \"=\" operator; a String and an Integer can not be compared with the \"=\" operator.\n");
  EXPECT_EQ(Shell(cli + " eval '(1 + 2' 2>/dev/null", out), 1);
  EXPECT_EQ(out, "");
}

}  // namespace
}  // namespace qora
