// Guards against domain functions that miss the work item or are folded, optional-argument messages, duplicate
// names let in, selects and short-circuit operators that run a skipped branch, and folding that fails on one.
#include <gtest/gtest.h>

#include "foundation/base_object.h"
#include "formula/shared_trees.h"
#include "formula_test_util.h"

namespace qora {
namespace {

using testing::AddStandardVariables;
using testing::EvalText;

struct TTestShift : TnxBaseObject {
  double Hours = 0.0;
  int Calls = 0;
};

TTestShift* Shift(TnxBaseObject* item) { return static_cast<TTestShift*>(item); }

double ShiftHours(TnxBaseObject* item, TQelValues, int) { return item ? Shift(item)->Hours : -1.0; }
// Counts its calls on the work item and returns its argument.
int32_t Tick(TnxBaseObject* item, TQelValues v, int) {
  ++Shift(item)->Calls;
  return v[0]->I;
}
bool Touch(TnxBaseObject* item, TQelValues, int) {
  ++Shift(item)->Calls;
  return true;
}
double Scaled(TnxBaseObject*, TQelValues v, int high) { return high >= 1 ? v[0]->D * v[1]->D : v[0]->D; }

TFunctionRecord Domain(const char* name, std::vector<TQelDataType> params) {
  TFunctionRecord r;
  r.Name = name;
  r.Prototype = std::string("Test|") + name;
  r.InputDataTypes = std::move(params);
  r.CanConvertToConstant = false;
  return r;
}

class QelDomain : public ::testing::Test {
 protected:
  void SetUp() override {
    AddStandardVariables(parser);
    TFunctionRecord hours = Domain("ShiftHours", {});
    hours.RFunctionAddr = ShiftHours;
    hours.Synonyms = {"HoursOfShift"};
    parser.Functions().Add(hours);
    TFunctionRecord tick = Domain("Tick", {rdtInteger});
    tick.IFunctionAddr = Tick;
    parser.Functions().Add(tick);
    TFunctionRecord touch = Domain("Touch", {rdtInteger});
    touch.BFunctionAddr = Touch;
    parser.Functions().Add(touch);
    TFunctionRecord scaled = Domain("Scaled", {rdtDouble, rdtDouble});
    scaled.OptionalArguments = 1;
    scaled.RFunctionAddr = Scaled;
    parser.Functions().Add(scaled);
  }
  TQelParser parser;
  TTestShift shift;
};

TEST_F(QelDomain, FunctionsReceiveTheWorkItem) {
  EXPECT_EQ(EvalText(parser, "ShiftHours", nullptr), "Real -1");
  std::string text = "hoursofshift";
  parser.Compile(text);
  EXPECT_EQ(text, "ShiftHours");
  parser.CurrentExpression()->Evaluate(&shift);
  EXPECT_EQ(parser.CurrentExpression()->WorkItem(), &shift);
}

TEST_F(QelDomain, DuplicateNamesAreRefused) {
  TFunctionRecord again = Domain("tick", {rdtInteger});
  again.IFunctionAddr = Tick;
  int mode = 0;
  EXPECT_EQ(testing::ErrorOf([&] { parser.Functions().Add(again); }, &mode), "Error: A Function named tick already exists");
  EXPECT_EQ(mode, 1);
  TFunctionRecord clash = Domain("Fresh", {});
  clash.Synonyms = {"Pi"};
  clash.RFunctionAddr = ShiftHours;
  EXPECT_THROW(parser.Functions().Add(clash), EQelParserError);
  EXPECT_EQ(parser.Functions().IndexOf("Fresh"), -1);
  TFunctionRecord empty = Domain("NoBody", {});
  EXPECT_THROW(parser.Functions().Add(empty), std::invalid_argument);
}

// Calls counts the domain calls one evaluation makes: a call folded at compile time, or a branch evaluated
// although the select or short-circuit operator skips it, shows as a wrong count (or a division by zero).
TEST_F(QelDomain, ResultsAndCallsOfOneEvaluation) {
  struct Case {
    const char* Text;
    const char* Result;
    int Calls;
  };
  const Case cases[] = {
      {"ShiftHours * 2", "Real 15", 0},
      {"HoursOfShift()", "Real 7.5", 0},
      {"Tick(1) + Tick(2)", "Integer 3", 2},
      {"Scaled(3)", "Real 3", 0},
      {"Scaled(3, 2)", "Real 6", 0},
      {"Scaled", "!Error: the Scaled function requires between 1 and 2 arguments but none were supplied.", 0},
      {"Scaled(1, 2, 3)", "!Error: the Scaled function requires at most 2 arguments but 3 were supplied.", 0},
      {"If(b, Tick(1), Tick(2))", "Integer 1", 1},
      {"Case(3, Tick(1), Tick(2), Tick(3))", "Integer 3", 1},
      {"CaseI(x - 4, Tick(10), 1 div 0)", "Integer 10", 1},
      {"If(x > 0, 1, 1 div 0)", "Integer 1", 0},
      {"If(x > 9, 1, 1 div 0)", "!Division by zero", 0},
      {"If(x < 0, 1 div 0, Tick(4))", "Integer 4", 1},
      {"(x = 4) and Touch(1)", "Boolean False", 0},
      {"(x = 5) or Touch(1)", "Boolean True", 0},
      {"(x = 5) or (1 div 0 = 1)", "Boolean True", 0},
      {"(x = 5) and Touch(1)", "Boolean True", 1},
      {"Touch(1) or Touch(2)", "Boolean True", 1},
      {"MultiInterpolate(x, Tick(10), 0, Tick(20), 10, Tick(99), 1 div 0)", "Real 15", 2},
  };
  shift.Hours = 7.5;
  for (const Case& c : cases) {
    shift.Calls = 0;
    EXPECT_EQ(EvalText(parser, c.Text, &shift), c.Result) << c.Text;
    EXPECT_EQ(shift.Calls, c.Calls) << c.Text;
  }
}

// A repeatable call met again is evaluated once per generation wherever it
// occurs; a call of a function that is not repeatable (Tick), a tree that
// holds one, the same function on other arguments, or a sum converted to a
// Real (which prints as the sum) is not shared. The texts print as they
// were compiled.
TEST_F(QelDomain, SharedRepeatsEvaluateOncePerGeneration) {
  TFunctionRecord seen = Domain("Seen", {rdtInteger});
  seen.IFunctionAddr = Tick;
  seen.Repeatable = true;
  parser.Functions().Add(seen);
  uint64_t generation = 1;
  const uint64_t one_run = 1;
  TQelSharedTrees shared(generation, one_run);
  const std::vector<std::string> texts = {"(Seen(1) + Tick(5) > 0) and (Seen(1) > 0)", "(Seen(1) + Tick(5) > 0) or (Seen(2) > 0)",
                                          "Seen(1) * 3", "Seen(2) + Seen(1)", "MaxR(Seen(1) + 1, 0.5)",
                                          "(Seen(1) + 1) * 2"};
  std::vector<TExpression*> roots;
  std::vector<std::string> printed;
  for (const std::string& text : texts) {
    roots.push_back(parser.CompileExpression(text));
    printed.push_back(roots.back()->Decompile());
    shared.ShareRepeats(*roots.back());
  }
  const auto run = [&](size_t i) {
    roots[i]->Evaluate(&shift);
    const TQelValue& v = roots[i]->Result();
    if (v.Type == rdtDouble) return std::to_string(v.D);
    return v.Type == rdtBoolean ? std::string(v.B ? "True" : "False") : std::to_string(v.I);
  };
  EXPECT_EQ((std::vector<std::string>{run(0), run(1), run(2)}), (std::vector<std::string>{"True", "True", "3"}));
  EXPECT_EQ(shift.Calls, 3) << "Seen(1) once, Tick(5) in both places";
  ++generation;
  EXPECT_EQ(run(2), "3");
  EXPECT_EQ(run(3), "3");
  EXPECT_EQ(shift.Calls, 5) << "Seen(1) again in a new generation, Seen(2) apart from it";
  EXPECT_EQ(run(4), std::to_string(2.0));
  EXPECT_EQ(run(5), "4");
  for (size_t i = 0; i < roots.size(); ++i) EXPECT_EQ(roots[i]->Decompile(), printed[i]);
  parser.ClearExpressions();  // before the trees they share
}

// Beyond its generation a shared call stays answered while the variables it
// reads keep their values: for the run when its function reads what is fixed
// for a run, for good when it reads nothing of the work item. A call of a
// function that reads what actions change is answered again in each
// generation.
TEST_F(QelDomain, SharedCallsOutlastGenerationsAsFarAsTheirFunctionsAllow) {
  const char* const names[] = {"Moving", "Fixed", "Free"};
  const TQelWorkItemUse uses[] = {TQelWorkItemUse::Changing, TQelWorkItemUse::FixedForRun, TQelWorkItemUse::None};
  for (int k = 0; k < 3; ++k) {
    TFunctionRecord r = Domain(names[k], {rdtInteger});
    r.IFunctionAddr = Tick;
    r.Repeatable = true;
    r.WorkItemUse = uses[k];
    parser.Functions().Add(r);
  }
  TIntegerVariable* n = parser.CreateVariable("n", int32_t{3});
  uint64_t generation = 1;
  uint64_t run = 1;
  TQelSharedTrees shared(generation, run);
  std::vector<TExpression*> roots;  // two per function, sharing K(n)
  for (const char* name : names) {
    for (const std::string& form : {std::string("%(n) + 1"), std::string("%(n) * 2 - 0")}) {
      std::string text = form;
      text.replace(text.find('%'), 1, name);
      roots.push_back(parser.CompileExpression(text));
      shared.ShareRepeats(*roots.back());
    }
  }
  struct Step {
    const char* What;
    int NewGeneration, NewRun, SetN;
    int Calls[3];  // of Moving, Fixed, Free
  };
  const Step steps[] = {
      {"first evaluation", 0, 0, 3, {1, 1, 1}},
      {"same generation", 0, 0, 3, {0, 0, 0}},
      {"new generation", 1, 0, 3, {1, 0, 0}},
      {"n set to what it was", 1, 0, 3, {1, 0, 0}},
      {"n changed", 1, 0, 4, {1, 1, 1}},
      {"new run", 1, 1, 4, {1, 1, 0}},
      {"new run, n changed", 1, 1, 5, {1, 1, 1}},
  };
  for (const Step& step : steps) {
    generation += step.NewGeneration;
    run += step.NewRun;
    n->SetValue(step.SetN);
    for (int k = 0; k < 3; ++k) {
      shift.Calls = 0;
      roots[2 * k]->Evaluate(&shift);
      roots[2 * k + 1]->Evaluate(&shift);
      EXPECT_EQ(shift.Calls, step.Calls[k]) << step.What << ": " << names[k];
      EXPECT_EQ(roots[2 * k]->Result().I, step.SetN + 1) << step.What << ": " << names[k];
      EXPECT_EQ(roots[2 * k + 1]->Result().I, step.SetN * 2) << step.What << ": " << names[k];
    }
  }
  parser.ClearExpressions();
}

}  // namespace
}  // namespace qora
