// The problem statement in the fishbone's head box: whatever its length and the panel's size, it
// stays inside the box; it once ran out of the box over the bones.
#include <gtest/gtest.h>

#include <string>

#include "platform/render/chart/chart_renderer.h"
#include "platform/render/text_metrics.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"
#include "tests/src/datasheet/pipeline_host.h"

namespace kivo2d {
namespace {

using fb::render::TextCmd;
using testing::PipelineHost;

const TextCmd* FindText(const std::vector<fb::render::Command>& commands, const std::string& text) {
  for (const auto& command : commands) {
    if (const auto* group = std::get_if<fb::render::GroupCmd>(&command)) {
      if (const TextCmd* found = FindText(group->children, text)) return found;
    } else if (const auto* t = std::get_if<TextCmd>(&command); t != nullptr && t->text == text) {
      return t;
    }
  }
  return nullptr;
}

TEST(HeadBox, TheProblemStatementFitsItsBoxAtEverySize) {
  const std::string long_problem =
      "注塑外壳表面缩痕不良率由0.8%升至3.5%"
      "，客户投诉增加，返工成本上升，交付延期两周，需要在本季度内找出根本原因";
  const testing::Tree tree = {{"A", long_problem}, {"A1", "人员"}, {"A11", "培训不足"}};
  for (const char* version : {"11.0", "12.0"}) {
    for (const DiagramSize size : {DiagramSize::kNo8, DiagramSize::kNo6, DiagramSize::kNo4}) {
      SCOPED_TRACE(std::string(version) + " size " + std::to_string(static_cast<int>(size)));
      PipelineHost host(version);
      host.component().generation_options.size = size;
      fb::render::DisplayList list;
      std::string head_text;
      host.GenerateThrough(10, tree, [&](int step) {
        if (step != 10) return;
        const fb::sheet::Chart& chart = host.app().active_sheet().chart_objects().item(1).chart();
        head_text = chart.shapes().item(1).text();
        list = fb::render::render_chart(chart);
      });
      ASSERT_NE(head_text.find("缩痕"), std::string::npos);
      const TextCmd* head = FindText(list.commands(), head_text);
      ASSERT_NE(head, nullptr);
      const fb::render::Size block = fb::render::measure_text(*head);
      EXPECT_LE(block.height, head->box.height + 0.01);
      EXPECT_LE(block.width, head->box.width + 0.01);
    }
  }
}

}  // namespace
}  // namespace kivo2d
