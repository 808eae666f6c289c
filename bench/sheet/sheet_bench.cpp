// The host engine on the work the data sheet gives it: the hierarchy formulas of a 50-cause
// tree written in manual mode, then evaluated when calculation goes back to automatic.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/os/environment.h"
#include "platform/sheet/application.h"
#include "src/datasheet/formula_texts.h"

namespace {

using namespace fb::sheet;
namespace f = kivo2d::formulas;

// 50 causes in key order: five main causes, each with three level-2 causes, the first of which
// has a level-3 chain down to level 5 and the others two level-3 children.
std::vector<std::string> fifty_cause_keys() {
  std::vector<std::string> keys = {"A"};
  for (int m = 1; m <= 5; ++m) {
    const std::string main = "A" + std::to_string(m);
    keys.push_back(main);
    for (int s = 1; s <= 3; ++s) {
      const std::string second = main + std::to_string(s);
      keys.push_back(second);
      if (s == 1) {
        keys.push_back(second + "1");
        keys.push_back(second + "11");
        keys.push_back(second + "111");
      } else {
        keys.push_back(second + "1");
        keys.push_back(second + "2");
      }
    }
  }
  return keys;  // 1 + 5 * (1 + 3 + 3 + 2 + 2) = 56: trimmed below to 51 nodes
}

struct DataSheet {
  fb::os::MapEnvironment env;
  Application app{env};
  Worksheet* sheet = nullptr;
  int last = 0;

  DataSheet() {
    Workbook& wb = app.workbooks().add();
    sheet = &wb.worksheets().item(1);
    auto keys = fifty_cause_keys();
    // Drop the deepest causes of the last main cause to keep exactly 50 causes.
    while (keys.size() > 51) keys.erase(keys.end() - 2);
    for (std::size_t i = 0; i < keys.size(); ++i) {
      const int row = 3 + static_cast<int>(i);
      sheet->cells(row, 3).set_value("cause " + std::to_string(i));
      sheet->cells(row, 4).set_value(keys[i]);
    }
    last = 2 + static_cast<int>(keys.size());
  }

  std::string target(std::string_view t) const {
    std::string s(t);
    if (s.back() < '0' || s.back() > '9') s += std::to_string(last);
    return s;
  }

  void write_formulas() {
    app.set_calculation(Calculation::Manual);
    for (const auto& w : f::kHierarchyFirst)
      sheet->range(target(w.target)).set_formula_r1c1(w.r1c1);
    sheet->cells(last + 1, 6).set_value(std::get<double>(sheet->cells(last, 6).value()) + 1);
    for (int c = 7; c <= 10; ++c) sheet->cells(last + 1, c).set_formula_r1c1(f::kZero);
    for (const auto& w : f::kHierarchySecond) {
      sheet->range(target(w.target)).set_formula_r1c1(w.r1c1);
    }
  }
};

// Switching calculation back to automatic: every hierarchy formula is evaluated once, in
// dependency order. This is the figure the host must keep under a millisecond.
void BM_HierarchyRecalculation(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto sheet = std::make_unique<DataSheet>();
    sheet->write_formulas();
    state.ResumeTiming();
    sheet->app.set_calculation(Calculation::Automatic);
    benchmark::DoNotOptimize(sheet->sheet->range("AA4").value());
    state.PauseTiming();
    sheet.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HierarchyRecalculation)->Unit(benchmark::kMicrosecond);

// A further calculation with nothing changed: the volatile formulas (OFFSET) and what reads them
// are evaluated again.
void BM_HierarchyRecalculateAgain(benchmark::State& state) {
  DataSheet sheet;
  sheet.write_formulas();
  sheet.app.set_calculation(Calculation::Automatic);
  for (auto _ : state) {
    sheet.app.calculate();
    benchmark::DoNotOptimize(sheet.sheet->range("AA4").value());
  }
}
BENCHMARK(BM_HierarchyRecalculateAgain)->Unit(benchmark::kMicrosecond);

// Writing the formulas in manual mode (parsing, storing, dependency index, entry evaluation).
void BM_HierarchyWriteFormulas(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto sheet = std::make_unique<DataSheet>();
    state.ResumeTiming();
    sheet->write_formulas();
    state.PauseTiming();
    sheet.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HierarchyWriteFormulas)->Unit(benchmark::kMicrosecond);

}  // namespace
