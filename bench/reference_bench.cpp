// The reference workload (reference_workload.h) costed three ways in one
// run on SQLite: the I/O floor (read the timesheet, write a costing line per
// shift, no rules), file mode (the timesheet-file job to a CSV costing file)
// and database mode (the stored-timesheet job into the costing table), then
// the peak resident memory of a costing run at a tenth of the size, to show
// it does not grow with the number of shifts.
//
// QORA_BENCH_EMPLOYEES sets the number of employees (default 10000);
// QORA_BENCH_KEEP=1 keeps the workload folders (the costing file is
// "costing.csv" there) so that the output of two builds can be compared.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include <fmt/format.h>

#include "db/connection.h"
#include "db/connection_params.h"
#include "foundation/user_feedback.h"
#include "output/yif_generator.h"
#include "qora/qora.h"
#include "reference_workload.h"
#include "timesheet/timesheet.h"
#include "timesheet/csv_timesheet_reader.h"
#include "timesheet/timesheet_shift.h"

namespace {

using qora::bench::ReferenceWorkload;

int EmployeesOption() {
  const char *text = std::getenv("QORA_BENCH_EMPLOYEES");
  const int n = text ? std::atoi(text) : 0;
  return n > 0 ? n : 10000;
}

bool KeepOption() {
  const char *text = std::getenv("QORA_BENCH_KEEP");
  return text && std::string(text) == "1";
}

// Holds a workload for the whole run and removes it at exit.
struct HeldWorkload {
  explicit HeldWorkload(int employees)
      : w(qora::bench::BuildReferenceWorkload(employees)) {}
  ~HeldWorkload() {
    if (KeepOption()) {
      std::cerr << "Reference workload kept in " << w.folder << "\n";
    } else {
      qora::bench::RemoveReferenceWorkload(w);
    }
  }
  HeldWorkload(const HeldWorkload &) = delete;
  HeldWorkload &operator=(const HeldWorkload &) = delete;
  ReferenceWorkload w;
};

const ReferenceWorkload &Workload() {
  static HeldWorkload held(EmployeesOption());
  return held.w;
}

const ReferenceWorkload &SmallWorkload() {
  static HeldWorkload held(std::max(EmployeesOption() / 10, 20));
  return held.w;
}

// Resets the process's peak resident set to its current size, so that the
// next reading is the peak of what runs in between. False where the kernel
// does not allow it (the reading is then the peak since the start).
bool ResetPeakMemory() {
  malloc_trim(0);  // hand freed memory back first, or an earlier run's would count
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

double PeakMemoryMB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0)
      return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

struct Measured {
  double floor_rate = 0, file_rate = 0, db_rate = 0, file_peak_mb = 0,
         db_peak_mb = 0;
};
Measured g_measured;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since)
      .count();
}

// Reads the timesheet as the file job does (shift by shift from the
// file's index, each shift let go once written) and writes one empty
// costing line per shift: what any costing of this timesheet has to pay for.
void IOFloor(const ReferenceWorkload &w) {
  qora::TTimesheet timesheet;
  qora::TUserFeedback log;
  qora::TCSVTimesheetSource source(timesheet, w.timesheet_file, &log);
  std::ofstream out(w.folder + "/floor.csv",
                    std::ios::binary | std::ios::trunc);
  out << qora::kCSVCostingHeader << "\r\n";
  for (int i = 0; i < source.ShiftCount(); ++i) {
    qora::TTimesheetShift *s = source.AddShift(i);
    out << fmt::format(
        "{},{:.0f},Ordinary "
        "Hours,Normal,0,0,0,Hours,,,,{:.4f},{:.4f},{},0,,,,,100,0\r\n",
        s->EmployeeCode(), s->ShiftStartDate(), s->ShiftStart(), s->ShiftEnd(),
        i + 1);
    timesheet.Remove(s);
  }
}

int32_t CostFile(const ReferenceWorkload &w) {
  const std::string output = w.folder + "/costing.csv";
  return ProcessTimeSheetFile(w.timesheet_file.c_str(), output.c_str(),
                              QORA_OUTPUT_CSV, "sqlite", w.database.c_str(), "",
                              "");
}

int32_t CostStored(const ReferenceWorkload &w) {
  return ProcessDBTimeSheetList(w.stored_ids.c_str(), 1, "reference-run",
                                "sqlite", w.database.c_str(), "", "");
}

int64_t StoredCostingRows(const ReferenceWorkload &w) {
  auto db =
      qora::CreateConnection(qora::ParseConnectionUri("sqlite:" + w.database));
  db->Open();
  return db
      ->QueryValue("select count(*) from _estblTimesheetCost where "
                   "iCostingType = 1 and iTimesheetID >= 100")
      .AsInteger();
}

void BM_ReferenceIOFloor(benchmark::State &state) {
  const ReferenceWorkload &w = Workload();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    IOFloor(w);
    g_measured.floor_rate = w.shifts / Seconds(start);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * w.shifts);
  state.counters["shifts"] = w.shifts;
  state.counters["shifts_per_s"] = g_measured.floor_rate;
}

void BM_ReferenceFileMode(benchmark::State &state) {
  const ReferenceWorkload &w = Workload();
  int32_t result = 0;
  for (auto _ : state) {
    ResetPeakMemory();
    const auto start = std::chrono::steady_clock::now();
    result = CostFile(w);
    g_measured.file_rate = w.shifts / Seconds(start);
    g_measured.file_peak_mb = PeakMemoryMB();
  }
  if (result != 0)
    state.SkipWithError(
        fmt::format("the file job returned {}", result).c_str());
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * w.shifts);
  state.counters["shifts"] = w.shifts;
  state.counters["conditions"] = w.conditions;
  state.counters["shifts_per_s"] = g_measured.file_rate;
  state.counters["file_over_floor"] =
      g_measured.floor_rate / g_measured.file_rate;
  state.counters["peak_rss_MB"] = g_measured.file_peak_mb;
}

void BM_ReferenceDatabaseMode(benchmark::State &state) {
  const ReferenceWorkload &w = Workload();
  int32_t result = 0;
  for (auto _ : state) {
    ResetPeakMemory();
    const auto start = std::chrono::steady_clock::now();
    result = CostStored(w);
    g_measured.db_rate = w.shifts / Seconds(start);
    g_measured.db_peak_mb = PeakMemoryMB();
  }
  if (result != 0)
    state.SkipWithError(
        fmt::format("the stored-timesheet job returned {}", result).c_str());
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * w.shifts);
  state.counters["shifts"] = w.shifts;
  state.counters["costing_rows"] = static_cast<double>(StoredCostingRows(w));
  state.counters["shifts_per_s"] = g_measured.db_rate;
  state.counters["database_over_file"] =
      g_measured.file_rate / g_measured.db_rate;
  state.counters["peak_rss_MB"] = g_measured.db_peak_mb;
}

// Both jobs at a tenth of the size: the peak should match the full size's.
void BM_ReferencePeakMemory(benchmark::State &state) {
  const ReferenceWorkload &small = SmallWorkload();
  double file_peak = 0, db_peak = 0;
  for (auto _ : state) {
    ResetPeakMemory();
    CostFile(small);
    file_peak = PeakMemoryMB();
    ResetPeakMemory();
    CostStored(small);
    db_peak = PeakMemoryMB();
  }
  state.counters["small_shifts"] = small.shifts;
  state.counters["large_shifts"] = Workload().shifts;
  state.counters["file_peak_small_MB"] = file_peak;
  state.counters["file_peak_large_MB"] = g_measured.file_peak_mb;
  state.counters["db_peak_small_MB"] = db_peak;
  state.counters["db_peak_large_MB"] = g_measured.db_peak_mb;
  state.counters["peak_reset"] = ResetPeakMemory() ? 1 : 0;
}

// One iteration each: a run is long enough to time on its own, and the
// modes are measured in this order so that each ratio has its base.
BENCHMARK(BM_ReferenceIOFloor)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ReferenceFileMode)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ReferenceDatabaseMode)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ReferencePeakMemory)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
