// The three pictures the pipeline leaves on the clipboard, drawn through every sink, for the
// built-in sample and the trees a user can build at the extremes. Set FB_KEEP_PICTURES to a
// folder to keep the files for looking at them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/render/cairo_sink.h"
#include "platform/render/drawing/drawing_renderer.h"
#include "platform/render/drawing/picture_export.h"
#include "platform/render/emf_writer.h"
#include "platform/render/image_pixels.h"
#include "platform/render/svg_sink.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/shape/drawing.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_clipboard.h"
#include "src/editor/tree_file.h"
#include "tests/src/datasheet/pipeline_host.h"

namespace fb::render {
namespace {

using kivo2d::testing::PipelineHost;
using kivo2d::testing::Tree;

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

Tree OutlineTree(const std::filesystem::path& path) {
  const kivo2d::TreeReadResult read =
      kivo2d::ReadTree(ReadBytes(path), kivo2d::TreeFormat::kOutline);
  EXPECT_TRUE(read.ok()) << path;
  Tree tree;
  for (const auto& entry : read.tree.entries) tree.push_back({entry.key, entry.caption});
  return tree;
}

// Captions long enough to be broken into lines on import, on every level.
Tree LongCaptions() {
  const std::string long_text = "设备长期超负荷运转且保养记录缺失导致故障频发";
  return {{"A", "产品出厂检验合格率连续三个月低于目标值百分之九十五"},
          {"A1", long_text},
          {"A11", "操作人员未按作业指导书要求进行首件确认和巡检"},
          {"A111", "班组长对新版作业指导书的宣贯培训不到位"},
          {"A2", "原材料供应商更换后来料批次之间质量波动明显"},
          {"A21", long_text},
          {"A211", "进料检验抽样方案不满足新供应商的风险等级"},
          {"A2111", "质量部门人员编制不足无法增加检验频次"}};
}

struct TreeCase {
  const char* name;
  Tree (*tree)();
};

const TreeCase kTrees[] = {
    {"sample",
     [] {
       return OutlineTree(std::filesystem::path(FB_SOURCE_DIR) /
                          "src/resources/sample_analysis.txt");
     }},
    {"fifty_causes",
     [] {
       return OutlineTree(std::filesystem::path(FB_TEST_DATA_DIR) / "trees/good/fifty_causes.txt");
     }},
    {"nine_nodes",
     [] {
       return Tree{{"A", "问题"},  {"A1", "A1"},     {"A11", "A11"},   {"A12", "A12"}, {"A2", "A2"},
                   {"A21", "A21"}, {"A211", "A211"}, {"A212", "A212"}, {"A22", "A22"}};
     }},
    {"long_captions", LongCaptions},
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// Every line of every data label the fishbone chart shows.
std::vector<std::string> LabelLines(const sheet::Chart& chart) {
  std::vector<std::string> lines;
  for (int s = 1; s <= chart.series_count(); ++s) {
    const sheet::Series& series = chart.series(s);
    for (int p = 1; p <= series.point_count(); ++p) {
      if (auto text = series.label_text(p)) {
        for (auto& line : Lines(*text)) lines.push_back(line);
      }
    }
  }
  return lines;
}

bool HaveEmfReader() {
  return std::system("command -v emf2svg-conv >/dev/null 2>&1") == 0;
}

class PictureSinks : public ::testing::TestWithParam<TreeCase> {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("fishbone-pictures-" + std::to_string(::getpid()) + "-" + GetParam().name);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
};

TEST_P(PictureSinks, EverySinkDrawsEveryPictureWithEveryCaption) {
  PipelineHost host;
  const Tree tree = GetParam().tree();
  host.GenerateThrough(13, tree);
  ASSERT_FALSE(host.component().export_failed);
  ASSERT_TRUE(host.app().clipboard().has_shapes());
  const auto& pictures = host.app().clipboard().shapes().shapes;
  ASSERT_EQ(pictures.size(), 3U);

  const char* keep = std::getenv("FB_KEEP_PICTURES");
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const sheet::Shape& picture = *pictures[i];
    SCOPED_TRACE(picture.name());
    ASSERT_TRUE(picture.drawing);
    const sheet::Drawing& drawing = *picture.drawing;
    ASSERT_EQ(drawing.items.size(), 1U);
    ASSERT_TRUE(drawing.items[0].chart);
    const DisplayList list = render_drawing(drawing);

    const RgbaPixels pixels = decode_image({ImageFormat::kPng, render_png(list)});
    EXPECT_EQ(pixels.width, static_cast<int>(std::ceil(drawing.width * 2)));
    EXPECT_EQ(pixels.height, static_cast<int>(std::ceil(drawing.height * 2)));
    const auto pdf = render_pdf(list);
    ASSERT_GT(pdf.size(), 4U);
    EXPECT_EQ(std::string(pdf.begin(), pdf.begin() + 4), "%PDF");

    // Every caption line of the fishbone's labels is a text of its own in both vector formats,
    // as is the top-three chart's title.
    std::vector<std::string> expected;
    if (i == 2) expected.push_back("第2层原因最多前三项");
    if (i == 0) {
      expected = LabelLines(*drawing.items[0].chart);
      EXPECT_FALSE(expected.empty());
      // Every cause is labelled, with its caption's characters in order.
      std::string all;
      for (const auto& line : expected) all += line;
      for (const auto& [key, caption] : tree) {
        if (key == "A") continue;
        std::string bare;
        for (const auto& line : Lines(caption)) bare += line;
        EXPECT_NE(all.find(bare), std::string::npos) << caption;
      }
      expected.push_back("问题:");
    }
    const std::string svg = render_svg(list);
    for (const auto& line : expected)
      EXPECT_NE(svg.find(">" + line + "<"), std::string::npos) << line;

    const auto emf_path = folder_ / (picture.name() + ".emf");
    write_drawing(drawing, emf_path, PictureFormat::kEmf);
    if (HaveEmfReader()) {
      const auto converted = folder_ / (picture.name() + ".converted.svg");
      const std::string command =
          "emf2svg-conv -i '" + emf_path.string() + "' -o '" + converted.string() + "' 2>/dev/null";
      ASSERT_EQ(std::system(command.c_str()), 0) << "emf2svg-conv refused " << emf_path;
      const std::string read_back = ReadBytes(converted);
      for (const auto& line : expected) EXPECT_NE(read_back.find(line), std::string::npos) << line;
    }
    if (keep != nullptr) {
      const std::filesystem::path base =
          std::filesystem::path(keep) / (std::string(GetParam().name) + "_" + picture.name());
      for (PictureFormat format : {PictureFormat::kEmf, PictureFormat::kSvg, PictureFormat::kPng}) {
        write_drawing(drawing, base.string() + picture_extension(format), format);
      }
    }
  }
  if (!HaveEmfReader()) GTEST_SKIP() << "emf2svg-conv is not installed; the EMF went unread";
}

INSTANTIATE_TEST_SUITE_P(Trees, PictureSinks, ::testing::ValuesIn(kTrees),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace fb::render
