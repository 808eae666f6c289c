// The data-sheet stage of the pipeline (steps 1 to 8) on the largest tree a user can build.

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "apps/fishbone/generation_host.h"
#include "bench/fifty_causes.h"
#include "platform/office/com_addins.h"
#include "platform/os/environment.h"
#include "platform/os/message_pump.h"
#include "platform/os/win_path.h"
#include "src/component/exchange_paths.h"
#include "src/datasheet/steps.h"
#include "src/editor/exchange_writer.h"
#include "src/editor/tree_file.h"

namespace {

using StepFunction = void (*)(kivo2d::Component&);
constexpr StepFunction kDataSheetSteps[] = {
    kivo2d::ImportTree,       kivo2d::FormatDataSheet,
    kivo2d::WriteHeadings,    kivo2d::WriteHierarchyFormulas,
    kivo2d::BuildParetoTable, kivo2d::BuildTopThreeTable,
    kivo2d::SpreadNodeRows,   kivo2d::WriteBoneCoordinates,
};

// Times steps first..last of the data-sheet stage; the steps before `first` run untimed.
void RunDataSheetSteps(benchmark::State& state, int first, int last) {
  fb::os::ProcessEnvironment environment;
  fishbone::GenerationHost host(environment);
  host.host().Connect(fb::office::connect_mode::kCommandLine);
  fb::os::NullPump pump;
  const std::vector<kivo2d::ExchangeNode> nodes = kivo2d::ToExchangeNodes(FiftyCauses());
  const auto exchange_file = fb::os::native_path(kivo2d::ExchangeFilePath(host.win_dir()));
  kivo2d::Component& component = host.component();
  for (auto _ : state) {
    // The import deletes the exchange file once it is open, as the component does.
    state.PauseTiming();
    kivo2d::WriteExchangeFile(nodes, exchange_file, pump);
    for (int step = 1; step < first; ++step) kDataSheetSteps[step - 1](component);
    state.ResumeTiming();
    for (int step = first; step <= last; ++step) kDataSheetSteps[step - 1](component);
    state.PauseTiming();
    host.app().set_display_alerts(false);
    host.app().active_workbook().close();
    host.app().set_display_alerts(true);
    state.ResumeTiming();
  }
}

void BM_DataSheetSteps(benchmark::State& state) {
  RunDataSheetSteps(state, 1, 8);
}
BENCHMARK(BM_DataSheetSteps)->Unit(benchmark::kMillisecond);

void BM_DataSheetStep(benchmark::State& state) {
  const int step = static_cast<int>(state.range(0));
  RunDataSheetSteps(state, step, step);
}
// Untimed set-up dominates these runs, so a fixed count keeps the run short.
BENCHMARK(BM_DataSheetStep)->DenseRange(1, 8)->Iterations(40)->Unit(benchmark::kMillisecond);

}  // namespace
