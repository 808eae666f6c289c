// Each choice of the editor's settings panel changes what it should in the charts and nothing
// else, in both host versions: the font and size of the diagram's texts, and which auxiliary
// charts are made, turned into pictures and placed in the report.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/sheet/chart/chart.h"
#include "platform/sheet/shape/drawing.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_clipboard.h"
#include "platform/sheet/shape/shape_collection.h"
#include "tests/src/datasheet/pipeline_host.h"

namespace kivo2d {
namespace {

using testing::PipelineHost;

const testing::Tree kTree = {
    {"A", "问题"}, {"A1", "人员"}, {"A11", "培训不足"}, {"A2", "设备"}, {"A21", "老化"}};

// What the choices can reach: the fishbone's label and head fonts, the charts on the data sheet,
// the pictures handed to the report.
struct Seen {
  fb::sheet::ChartFont labels;
  std::string head_font;
  double head_size = 0;
  int charts = 0;
  std::vector<std::string> pictures;
};

Seen RunWith(const char* version, const GenerationOptions& options) {
  PipelineHost host(version);
  host.component().generation_options = options;
  Seen seen;
  host.GenerateThrough(13, kTree, [&](int step) {
    if (step == 10) {
      const fb::sheet::Chart& chart = host.app().active_sheet().chart_objects().item(1).chart();
      seen.labels = chart.chart_area.font;
      seen.head_font = chart.shapes().item(1).text_font.name;
      seen.head_size = chart.shapes().item(1).text_font.size;
    }
    if (step == 12) seen.charts = host.app().active_sheet().chart_objects().count();
  });
  EXPECT_FALSE(host.component().export_failed);
  for (const auto& shape : host.app().clipboard().shapes().shapes) {
    seen.pictures.push_back(shape->name());
  }
  return seen;
}

TEST(PanelChoices, EachChangesItsOwnPartOfTheCharts) {
  struct Case {
    const char* what;
    std::function<void(GenerationOptions&)> choose;
    std::function<void(Seen&)> expect;  // the defaults' outcome, changed as the choice should
  };
  const Case cases[] = {
      {"defaults", [](GenerationOptions&) {}, [](Seen&) {}},
      {"宋体", [](GenerationOptions& o) { o.font = DiagramFont::kSong; },
       [](Seen& s) { s.labels.name = s.head_font = "宋体"; }},
      {"黑体", [](GenerationOptions& o) { o.font = DiagramFont::kHei; },
       [](Seen& s) { s.labels.name = s.head_font = "黑体"; }},
      {"8 号字", [](GenerationOptions& o) { o.size = DiagramSize::kNo8; },
       [](Seen& s) {
         s.labels.size = 6 * 5 / 7.5;
         s.head_size = 8 * 5 / 7.5;
       }},
      {"4 号字", [](GenerationOptions& o) { o.size = DiagramSize::kNo4; },
       [](Seen& s) {
         s.labels.size = 6 * 14 / 7.5;
         s.head_size = 8 * 14 / 7.5;
       }},
      {"10 per line", [](GenerationOptions& o) { o.line_length = 10; }, [](Seen&) {}},
      {"no Pareto", [](GenerationOptions& o) { o.pareto_chart = false; },
       [](Seen& s) {
         s.charts = 2;
         s.pictures = {"PIC1", "PIC3"};
       }},
      {"no top three", [](GenerationOptions& o) { o.top_three_chart = false; },
       [](Seen& s) {
         s.charts = 2;
         s.pictures = {"PIC1", "PIC2"};
       }},
      {"neither", [](GenerationOptions& o) { o.pareto_chart = o.top_three_chart = false; },
       [](Seen& s) {
         s.charts = 1;
         s.pictures = {"PIC1"};
       }},
  };
  for (const char* version : {"11.0", "12.0"}) {
    const Seen defaults = RunWith(version, GenerationOptions{});
    EXPECT_EQ(defaults.labels.name, "Arial");
    EXPECT_EQ(defaults.labels.size, 6);
    EXPECT_EQ(defaults.head_font, "Arial");
    EXPECT_EQ(defaults.head_size, 8);
    EXPECT_EQ(defaults.charts, 3);
    EXPECT_EQ(defaults.pictures, (std::vector<std::string>{"PIC1", "PIC2", "PIC3"}));
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(version) + " " + c.what);
      GenerationOptions options;
      c.choose(options);
      Seen expected = defaults;
      c.expect(expected);
      const Seen seen = RunWith(version, options);
      EXPECT_EQ(seen.labels, expected.labels);
      EXPECT_EQ(seen.head_font, expected.head_font);
      EXPECT_DOUBLE_EQ(seen.head_size, expected.head_size);
      EXPECT_EQ(seen.charts, expected.charts);
      EXPECT_EQ(seen.pictures, expected.pictures);
    }
  }
}

// The chart types flattened into the report's diagram picture, in their order: the members of the
// group, or the one picture when the fishbone is alone.
std::vector<fb::sheet::ChartType> DiagramCharts(const fb::sheet::Shape& diagram) {
  std::vector<fb::sheet::ChartType> types;
  if (diagram.drawing == nullptr || diagram.drawing->items.empty()) return types;
  const fb::sheet::DrawingItem& top = diagram.drawing->items[0];
  if (top.drawing == nullptr) return types;
  const auto chart_of = [](const fb::sheet::DrawingItem& item) {
    return item.drawing && !item.drawing->items.empty() ? item.drawing->items[0].chart : nullptr;
  };
  if (const auto alone = chart_of(top)) return {alone->chart_type()};
  for (const auto& member : top.drawing->items) {
    if (const auto chart = chart_of(member)) types.push_back(chart->chart_type());
  }
  return types;
}

// The report places only the charts made; with neither auxiliary chart the fishbone picture alone
// is the diagram, and in the "12.0" host it fills the diagram box as the group did.
TEST(PanelChoices, TheReportPlacesOnlyTheChartsMade) {
  using fb::sheet::ChartType;
  for (const char* version : {"11.0", "12.0"}) {
    for (const bool pareto : {true, false}) {
      for (const bool top_three : {true, false}) {
        SCOPED_TRACE(std::string(version) + (pareto ? " Pareto" : "") +
                     (top_three ? " top-three" : ""));
        PipelineHost host(version);
        host.component().generation_options.pareto_chart = pareto;
        host.component().generation_options.top_three_chart = top_three;
        host.Generate(kTree);
        ASSERT_FALSE(host.component().export_failed);
        fb::sheet::ShapeCollection& shapes = host.app().active_sheet().shapes();
        ASSERT_EQ(shapes.count(), 3);  // the diagram, the title, the logo
        const fb::sheet::Shape& diagram = shapes.item(1);
        EXPECT_EQ(diagram.kind(), fb::sheet::ShapeKind::Picture);
        std::vector<ChartType> expected{ChartType::XYScatterLinesNoMarkers};
        if (pareto) expected.push_back(ChartType::ColumnClustered);
        if (top_three) expected.push_back(ChartType::BarClustered);
        EXPECT_EQ(DiagramCharts(diagram), expected);
        if (std::string(version) == "12.0") {
          EXPECT_EQ(diagram.left(), 14.25);
          EXPECT_EQ(diagram.top(), 120);
          EXPECT_EQ(diagram.width(), 918);
          EXPECT_EQ(diagram.height(), 369);
        }
      }
    }
  }
}

}  // namespace
}  // namespace kivo2d
