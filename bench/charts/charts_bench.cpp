// The chart stage of the pipeline (steps 9 to 13) and the three picture files of each format, on
// the largest tree a user can build.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "apps/fishbone/generation_host.h"
#include "bench/fifty_causes.h"
#include "platform/office/com_addins.h"
#include "platform/os/environment.h"
#include "platform/os/message_pump.h"
#include "platform/os/win_path.h"
#include "platform/render/drawing/picture_export.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_clipboard.h"
#include "src/charts/chart_steps.h"
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
constexpr StepFunction kChartSteps[] = {
    kivo2d::DrawFishbone,      kivo2d::DrawHeadAndSpine,  kivo2d::DrawParetoChart,
    kivo2d::DrawTopThreeChart, kivo2d::MakeChartPictures,
};

// Steps 1 to 8 untimed, then (timed) steps 9 to 13 and, with `write_pictures`, PIC1 to PIC3 as
// EMF, PNG and SVG files.
void RunChartStage(benchmark::State& state, bool write_pictures) {
  fb::os::ProcessEnvironment environment;
  fishbone::GenerationHost host(environment);
  host.host().Connect(fb::office::connect_mode::kCommandLine);
  fb::os::NullPump pump;
  const std::vector<kivo2d::ExchangeNode> nodes = kivo2d::ToExchangeNodes(FiftyCauses());
  const auto exchange_file = fb::os::native_path(kivo2d::ExchangeFilePath(host.win_dir()));
  const std::filesystem::path out = host.run_folder() / "pictures";
  std::filesystem::create_directories(out);
  kivo2d::Component& component = host.component();
  for (auto _ : state) {
    state.PauseTiming();
    kivo2d::WriteExchangeFile(nodes, exchange_file, pump);
    for (StepFunction step : kDataSheetSteps) step(component);
    state.ResumeTiming();
    for (StepFunction step : kChartSteps) step(component);  // step 13 closes the workbook
    if (write_pictures) {
      for (const auto& picture : host.app().clipboard().shapes().shapes) {
        for (auto format : {fb::render::PictureFormat::kEmf, fb::render::PictureFormat::kPng,
                            fb::render::PictureFormat::kSvg}) {
          fb::render::write_drawing(*picture->drawing,
                                    out / (picture->name() + fb::render::picture_extension(format)),
                                    format);
        }
      }
    }
  }
}

void BM_ChartStepsAndPictures(benchmark::State& state) {
  RunChartStage(state, true);
}
BENCHMARK(BM_ChartStepsAndPictures)->Unit(benchmark::kMillisecond);

void BM_ChartStepsOnly(benchmark::State& state) {
  RunChartStage(state, false);
}
BENCHMARK(BM_ChartStepsOnly)->Unit(benchmark::kMillisecond);

}  // namespace
