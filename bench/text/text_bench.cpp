// Text measurement against the length of a caption: the per-character advances the metafile
// writer asks for, and a label's block, for captions of 1,000 to 100,000 characters. Both must
// grow linearly (the fitted complexity is printed).

#include <benchmark/benchmark.h>

#include <string>

#include "platform/render/display_list.h"
#include "platform/render/text_layout.h"
#include "platform/render/text_metrics.h"

namespace {

std::string Caption(std::int64_t characters) {
  std::string text;
  for (std::int64_t i = 0; i < characters; ++i) text += (i % 7 == 6) ? "A" : "缩";
  return text;
}

void BM_CharacterAdvances(benchmark::State& state) {
  const fb::render::Font font{"宋体", 10.5};
  const std::string text = Caption(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(fb::render::character_advances(font, text));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CharacterAdvances)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_MeasureFreshLabel(benchmark::State& state) {
  fb::render::TextCmd label;
  label.font = {"宋体", 10.5};
  const std::string text = Caption(state.range(0));
  int variant = 0;
  for (auto _ : state) {
    // A new text every time, so the per-thread table of laid-out blocks does not answer.
    label.text = text + std::to_string(variant++);
    benchmark::DoNotOptimize(fb::render::measure_text(label));
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MeasureFreshLabel)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace
