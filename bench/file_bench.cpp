// Workbook files: open and save a 1,000,000-cell workbook; open a
// 200,000-cell one, change every cell, save. The workbooks are made by the
// target bench_workbooks (bench/make_workbook.py with openpyxl). Peak memory
// is the process's so far; bench/compare-openpyxl measures each job alone.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/file_jobs.h"

namespace {

const std::filesystem::path kWorkbooks = TABULARA_BENCH_WORKBOOKS;

template <class Job>
void RunFileJob(benchmark::State& state, const char* name, Job job) {
  const auto input = kWorkbooks / name;
  if (!std::filesystem::exists(input)) {
    state.SkipWithError("workbook missing: build the target bench_workbooks first");
    return;
  }
  const auto output = std::filesystem::temp_directory_path() / (std::string("tabulara-bench-") + name);
  for (auto _ : state) job(input, output);
  std::filesystem::remove(output);
  state.counters["process_peak_KiB"] = static_cast<double>(tabulara::bench::PeakMemoryKiB());
}

void OpenAndSave1M(benchmark::State& state) {
  RunFileJob(state, "cells-1000000.xlsx", tabulara::bench::OpenAndSave);
}
BENCHMARK(OpenAndSave1M)->Unit(benchmark::kMillisecond)->UseRealTime();

void ChangeEveryCell200k(benchmark::State& state) {
  RunFileJob(state, "cells-200000.xlsx", tabulara::bench::ChangeEveryCellAndSave);
}
BENCHMARK(ChangeEveryCell200k)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
