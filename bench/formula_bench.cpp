// Compile and evaluation speed of a typical award condition.
#include <benchmark/benchmark.h>

#include <string>

#include "common/datetime.h"
#include "common/text.h"
#include "formula/parser.h"

namespace {

using namespace qora;

const char* const kCondition =
    "((EqualString(ConditionGroup,\"A\")) or (EqualString(ConditionGroup,\"B\"))) and (OvertimeHoursTotal > 0) and "
    "((DayOfWeek(ShiftStartDate) = 2) or (DayOfWeek(ShiftStartDate) = 7))";

// Stand-ins for the payroll engine's domain functions.
bool EqualStringFn(TnxBaseObject*, TQelValues v, int) { return SameText(v[0]->S, v[1]->S); }
int32_t DayOfWeekFn(TnxBaseObject*, TQelValues v, int) { return DayOfWeek(v[0]->D); }

void Prepare(TQelParser& parser) {
  TFunctionRecord equal;
  equal.Name = "EqualString";
  equal.Prototype = "Text|EqualString(Value1,Value2)";
  equal.InputDataTypes = {rdtString, rdtString};
  equal.CanConvertToConstant = false;
  equal.BFunctionAddr = EqualStringFn;
  parser.Functions().Add(equal);
  TFunctionRecord day;
  day.Name = "DayOfWeek";
  day.Prototype = "Math|DayOfWeek(Value)";
  day.InputDataTypes = {rdtDouble};
  day.CanConvertToConstant = false;
  day.IFunctionAddr = DayOfWeekFn;
  parser.Functions().Add(day);
  parser.CreateVariable("ConditionGroup", "b");
  parser.CreateVariable("OvertimeHoursTotal", 1.5);
  parser.CreateVariable("ShiftStartDate", EncodeDate(2026, 12, 5));  // a Saturday
}

void BM_CompileCacheHit(benchmark::State& state) {
  TQelParser parser;
  Prepare(parser);
  std::string text = kCondition;
  parser.Compile(text);
  for (auto _ : state) {
    std::string s = kCondition;
    benchmark::DoNotOptimize(parser.Compile(s));
  }
}
BENCHMARK(BM_CompileCacheHit);

void BM_CompileCanonicalHit(benchmark::State& state) {
  TQelParser parser;
  Prepare(parser);
  std::string canonical = kCondition;
  parser.Compile(canonical);
  parser.ClearExpressions();
  parser.Compile(canonical);  // cached under its canonical text only
  for (auto _ : state) {
    std::string s = canonical;
    benchmark::DoNotOptimize(parser.Compile(s));
  }
}
BENCHMARK(BM_CompileCanonicalHit);

void BM_CompileGenuine(benchmark::State& state) {
  TQelParser parser;
  Prepare(parser);
  for (auto _ : state) {
    parser.ClearExpressions();
    std::string s = kCondition;
    benchmark::DoNotOptimize(parser.Compile(s));
  }
}
BENCHMARK(BM_CompileGenuine);

void BM_Evaluate(benchmark::State& state) {
  TQelParser parser;
  Prepare(parser);
  TExpression* e = parser.CompileExpression(kCondition);
  for (auto _ : state) {
    e->Evaluate(nullptr);
    benchmark::DoNotOptimize(e->Result().B);
  }
  if (!e->BooleanResult()) state.SkipWithError("the condition should hold");
}
BENCHMARK(BM_Evaluate);

}  // namespace
