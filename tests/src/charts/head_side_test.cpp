// " 右 侧": the fishbone is the mirror image of the default one, head, logo and captions included,
// in both host versions.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "platform/render/chart/chart_renderer.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"
#include "tests/src/datasheet/pipeline_host.h"

namespace kivo2d {
namespace {

using testing::PipelineHost;

const testing::Tree kTree = {{"A", "问题"},        {"A1", "人员"},   {"A11", "培训不足"},
                             {"A111", "新员工多"}, {"A2", "设备"},   {"A21", "老化"},
                             {"A3", "方法"},       {"A31", "无标准"}};

void CollectTexts(const std::vector<fb::render::Command>& commands,
                  std::map<std::string, double>& centres) {
  for (const auto& command : commands) {
    if (const auto* group = std::get_if<fb::render::GroupCmd>(&command)) {
      CollectTexts(group->children, centres);
    } else if (const auto* text = std::get_if<fb::render::TextCmd>(&command)) {
      centres[text->text] = text->box.x + text->box.width / 2;
    }
  }
}

// The horizontal centre of every text the fishbone chart draws, by its text.
std::map<std::string, double> TextCentres(const char* version, HeadSide side) {
  PipelineHost host(version);
  host.component().generation_options.head = side;
  std::map<std::string, double> centres;
  host.GenerateThrough(10, kTree, [&](int step) {
    if (step != 10) return;
    const auto& chart = host.app().active_sheet().chart_objects().item(1).chart();
    CollectTexts(fb::render::render_chart(chart).commands(), centres);
  });
  EXPECT_FALSE(host.component().export_failed);
  return centres;
}

TEST(HeadSide, TheRightSideMirrorsTheWholeFishbone) {
  for (const char* version : {"11.0", "12.0"}) {
    SCOPED_TRACE(version);
    const auto left = TextCentres(version, HeadSide::kLeft);
    const auto right = TextCentres(version, HeadSide::kRight);
    ASSERT_EQ(left.size(), right.size());
    ASSERT_GE(left.size(), 8u);  // the head text and every caption
    // Mirrored across one vertical line: each text's centre and its mirror image add up to the
    // same sum, the head text's and the captions' alike. A caption left to the right of its
    // bone's end would miss it by its own width.
    const double sum = left.begin()->second + right.at(left.begin()->first);
    for (const auto& [text, x] : left) {
      SCOPED_TRACE(text);
      ASSERT_TRUE(right.contains(text));
      EXPECT_NEAR(x + right.at(text), sum, 1.0);
    }
    // And the head really changed sides: from the left half to the right half.
    const auto head = std::find_if(left.begin(), left.end(), [](const auto& entry) {
      return entry.first.starts_with("问题");
    });
    ASSERT_NE(head, left.end());
    EXPECT_LT(head->second, sum / 2);
    EXPECT_GT(right.at(head->first), sum / 2);
  }
}

}  // namespace
}  // namespace kivo2d
