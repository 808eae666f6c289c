// A whole generation in one process, as `fishbone generate TREE -o X.xlsx --pdf X.pdf` does it:
// a fresh host with the add-in, the fourteen steps, the report saved as .xlsx and as a PDF page.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "apps/fishbone/generate_run.h"
#include "bench/fifty_causes.h"
#include "src/editor/tree_file.h"

namespace {

void RunGeneration(benchmark::State& state, bool pdf) {
  const kivo2d::TreeDocument tree = FiftyCauses();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "fishbone-report-bench";
  std::filesystem::create_directories(folder);
  fishbone::RunOutputs outputs;
  outputs.report = folder / "report.xlsx";
  if (pdf) outputs.pdf = folder / "report.pdf";
  std::istringstream in;
  std::ostringstream out, err;
  fishbone::Io io{in, out, err};
  for (auto _ : state) {
    if (fishbone::GenerateReportFiles(tree, "bench", {}, outputs, io) != fishbone::kExitOk) {
      state.SkipWithError(err.str().c_str());
      break;
    }
    out.str({});
    err.str({});
  }
  std::filesystem::remove_all(folder);
}

void BM_GenerateToXlsx(benchmark::State& state) {
  RunGeneration(state, false);
}
BENCHMARK(BM_GenerateToXlsx)->Unit(benchmark::kMillisecond);

void BM_GenerateToXlsxAndPdf(benchmark::State& state) {
  RunGeneration(state, true);
}
BENCHMARK(BM_GenerateToXlsxAndPdf)->Unit(benchmark::kMillisecond);

}  // namespace
