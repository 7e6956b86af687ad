// The costing files' number formatting: one pattern used for every number
// against the same work with a pattern seen for the first time each call
// (more patterns in turn than are ever kept, so nothing is reused), and the
// plain costing pattern through its shortcut against the scanned pattern.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/format.h"
#include "common/format_float.h"

namespace {

using namespace qora;

const double kValues[] = {8.0, 31.75, 254.0, 0.75, 1666.95, 12.5, 29.34, 7.6};

// "\"<n>\"0.0############": a quoted label, then the costing number pattern.
std::vector<std::string> Patterns(int count) {
  std::vector<std::string> patterns;
  for (int p = 0; p < count; ++p) patterns.push_back("\"" + std::to_string(100 + p) + "\"0.0############");
  return patterns;
}

void Run(benchmark::State& state, const std::vector<std::string>& patterns) {
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatFloat(patterns[i % patterns.size()], kValues[i % 8]));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_FormatFloatSamePattern(benchmark::State& state) { Run(state, Patterns(1)); }
BENCHMARK(BM_FormatFloatSamePattern);

void BM_FormatFloatNewPattern(benchmark::State& state) { Run(state, Patterns(300)); }
BENCHMARK(BM_FormatFloatNewPattern);

// The plain pattern a costing record writes every number with.
template <std::string (*Formatter)(std::string_view, double)>
void RunPlain(benchmark::State& state) {
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Formatter("0.0############", kValues[i % 8]));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_FormatFloatPlainShortcut(benchmark::State& state) { RunPlain<FormatFloat>(state); }
BENCHMARK(BM_FormatFloatPlainShortcut);

void BM_FormatFloatPlainScanned(benchmark::State& state) { RunPlain<FormatFloatGeneral>(state); }
BENCHMARK(BM_FormatFloatPlainScanned);

}  // namespace
