// The data sheet of small trees whose every value was worked out by hand: the nine-node example
// (hierarchy, Pareto, top-three and coordinates), a deep main cause, and the edge cases of the
// layout formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/src/datasheet/pipeline_host.h"

namespace kivo2d {
namespace {

using fb::sheet::Value;
using testing::PipelineHost;
using testing::Tree;

const Tree kNineNodes = {{"A", "问题"},    {"A1", "人"},     {"A11", "培训不足"},
                         {"A12", "疲劳"},  {"A2", "机"},     {"A21", "主轴"},
                         {"A211", "轴承"}, {"A212", "润滑"}, {"A22", "夹具"}};

double Number(fb::sheet::Worksheet& sheet, const std::string& address) {
  const Value value = sheet.range(address).value();
  const double* number = std::get_if<double>(&value);
  return number != nullptr ? *number : std::nan("");
}

std::string Text(fb::sheet::Worksheet& sheet, const std::string& address) {
  return fb::sheet::value_text(sheet.range(address).value());
}

fb::sheet::Worksheet& DataSheet(PipelineHost& host) {
  return host.app().workbooks().item(std::string(kExchangeFileName)).worksheets().item("Sheet2");
}

// Stage A of the nine-node tree: F, G, H, Q, T, U, V, Y, Z, AA per row, as worked out by hand.
TEST(WorkedExamples, NineNodeTreeStageA) {
  PipelineHost host;
  struct Row {
    int row;
    const char* key;
    double f, g, h, q, t, u, v, y, z, aa;
  };
  const Row expected[] = {
      {4, "A1", 1, 0, 0, 0, 0, 0, 0, 0, 0, 3},    {5, "A11", 1, 1, 0, 1, 0, 0, 0, 1, 1, 3},
      {6, "A12", 1, 2, 0, 2, 0, 0, 0, 2, 2, 3},   {7, "A2", 2, 0, 0, 0, 0, 0, 0, 0, 0, 5},
      {8, "A21", 2, 1, 0, 2, 1, 1, 0, 2, 3, 5},   {9, "A211", 2, 1, 1, 2, 1, 1, 3, 3, 3, 5},
      {10, "A212", 2, 1, 2, 2, 1, 1, 1, 1, 3, 5}, {11, "A22", 2, 2, 0, 4, 0, 0, 0, 4, 4, 5}};
  std::string problems;
  host.Generate(kNineNodes, [&](int step) {
    if (step != 4) return;
    fb::sheet::Worksheet& sheet = host.app().active_sheet();
    for (const Row& row : expected) {
      const std::string r = std::to_string(row.row);
      EXPECT_EQ(Text(sheet, "D" + r), row.key);
      const std::pair<const char*, double> cells[] = {{"F", row.f},
                                                      {"G", row.g},
                                                      {"H", row.h},
                                                      {"Q", row.q},
                                                      {"T", row.t},
                                                      {"U", row.u},
                                                      {"V", row.v},
                                                      {"Y", row.y},
                                                      {"Z", row.z},
                                                      {"AA", row.aa},
                                                      {"I", 0},
                                                      {"J", 0},
                                                      {"N", 0},
                                                      {"O", 0},
                                                      {"W", 0},
                                                      {"X", 0},
                                                      {"AB", 0},
                                                      {"L", 2},
                                                      {"K", row.row == 9 ? 2 : 0},
                                                      {"M", row.row >= 8 && row.row <= 10 ? 2 : 0},
                                                      {"R", row.row == 9 ? 1 : 0},
                                                      {"S", row.row == 10 ? 1 : 0}};
      for (const auto& [column, value] : cells) {
        if (Number(sheet, column + r) != value) {
          problems += column + r + "=" + Text(sheet, column + r) + " ";
        }
      }
    }
    EXPECT_EQ(Text(sheet, "E3"), "A00000");
    EXPECT_EQ(Number(sheet, "F12"), 3);
    for (const char* column : {"G12", "H12", "I12", "J12"}) EXPECT_EQ(Number(sheet, column), 0);
    EXPECT_EQ(Number(sheet, "B244"), 3);
  });
  EXPECT_EQ(problems, "");
  EXPECT_FALSE(host.component().export_failed);
}

TEST(WorkedExamples, NineNodeTreeTablesAndCoordinates) {
  PipelineHost host;
  host.GenerateThrough(8, kNineNodes);
  ASSERT_FALSE(host.component().export_failed);
  fb::sheet::Worksheet& sheet = DataSheet(host);

  // Pareto (H..M): A2 with 4 sub-causes first, then A1 with 2.
  EXPECT_EQ(Number(sheet, "H11"), 2);
  EXPECT_EQ(Text(sheet, "I11"), "机");
  EXPECT_EQ(Number(sheet, "J11"), 4);
  EXPECT_NEAR(Number(sheet, "K11"), 2.0 / 3, 1e-12);
  EXPECT_NEAR(Number(sheet, "L11"), 2.0 / 3, 1e-12);
  EXPECT_EQ(Number(sheet, "H12"), 1);
  EXPECT_EQ(Text(sheet, "I12"), "人");
  EXPECT_NEAR(Number(sheet, "L12"), 1, 1e-12);
  EXPECT_EQ(sheet.range("K11").text(), "66.7%");
  for (int row = 13; row <= 19; ++row) EXPECT_EQ(Number(sheet, "J" + std::to_string(row)), 0);
  EXPECT_EQ(Number(sheet, "M11"), 2);
  EXPECT_EQ(Number(sheet, "J10"), 6);
  EXPECT_EQ(Number(sheet, "K10"), 2);
  EXPECT_NEAR(Number(sheet, "I10"), 1.0 / 3, 1e-12);

  // Top three (R..X): nothing under A1; A21 with 2 descendants under A2; axis maximum 3.
  for (int row = 11; row <= 13; ++row) {
    EXPECT_EQ(Number(sheet, "W" + std::to_string(row)), -1);
    EXPECT_EQ(Text(sheet, "V" + std::to_string(row)), " ");
  }
  EXPECT_EQ(Text(sheet, "T11"), "人");
  EXPECT_TRUE(sheet.range("T11").merge_cells());
  EXPECT_EQ(Text(sheet, "T14"), "机");
  EXPECT_EQ(Text(sheet, "V14"), "主轴");
  EXPECT_EQ(Number(sheet, "W14"), 2);
  EXPECT_EQ(Text(sheet, "V15"), " ");
  EXPECT_EQ(Number(sheet, "W15"), -1);
  EXPECT_EQ(Number(sheet, "X11"), 3);

  // Bones, to two decimals.
  struct Bone {
    int row;
    double x0, y0, x1, y1;
  };
  const Bone bones[] = {
      {4, 0, 0, 100, 100},      {7, 33.33, 33.33, 183.33, 33.33}, {10, 66.67, 66.67, 216.67, 66.67},
      {13, 50, 0, 150, -100},   {16, 90, -40, 240, -40},          {19, 120, -40, 140, -60},
      {22, 150, -40, 170, -20}, {25, 130, -80, 280, -80}};
  for (const Bone& bone : bones) {
    const std::string start = std::to_string(bone.row), end = std::to_string(bone.row + 1);
    EXPECT_NEAR(Number(sheet, "D" + start), bone.x0, 0.005) << "row " << bone.row;
    EXPECT_NEAR(Number(sheet, "E" + start), bone.y0, 0.005) << "row " << bone.row;
    EXPECT_NEAR(Number(sheet, "D" + end), bone.x1, 0.005) << "row " << bone.row;
    EXPECT_NEAR(Number(sheet, "E" + end), bone.y1, 0.005) << "row " << bone.row;
    EXPECT_TRUE(fb::sheet::is_empty(sheet.range("D" + std::to_string(bone.row + 2)).value()));
  }
  EXPECT_EQ(Number(sheet, "M3"), 330);
  EXPECT_EQ(Text(sheet, "G3"), "问题:\n问题\n[原因总数合计：8个]");
  EXPECT_EQ(Number(sheet, "H3"), -249);
  EXPECT_EQ(Number(sheet, "H4"), -50);
  EXPECT_FALSE(sheet.range("M3").has_formula());
}

TEST(WorkedExamples, DeepMainCauseCoordinates) {
  PipelineHost host;
  host.GenerateThrough(8, {{"A", "P"},
                           {"A1", "a"},
                           {"A11", "b"},
                           {"A111", "c"},
                           {"A1111", "d"},
                           {"A11111", "e"},
                           {"A11112", "f"},
                           {"A1112", "g"},
                           {"A12", "h"},
                           {"A2", "i"},
                           {"A21", "j"}});
  ASSERT_FALSE(host.component().export_failed);
  fb::sheet::Worksheet& sheet = DataSheet(host);
  // Sheet order: A1, A11, A111, A1111, A11111, A11112, A1112, A12, A2, A21 (node rows 3j+1).
  struct Bone {
    int cause;
    double x0, y0, x1, y1;
  };
  const Bone bones[] = {{3, 72.5, 12.5, 135, 75},    {4, 97.5, 37.5, 135, 37.5},
                        {5, 107.5, 37.5, 120, 50},   {6, 117.5, 37.5, 130, 25},
                        {7, 122.5, 62.5, 160, 62.5}, {8, 87.5, 87.5, 237.5, 87.5},
                        {9, 50, 0, 150, -100},       {10, 100, -50, 250, -50}};
  for (const Bone& bone : bones) {
    const std::string start = std::to_string(3 * bone.cause + 1);
    const std::string end = std::to_string(3 * bone.cause + 2);
    EXPECT_NEAR(Number(sheet, "D" + start), bone.x0, 1e-9) << "cause " << bone.cause;
    EXPECT_NEAR(Number(sheet, "E" + start), bone.y0, 1e-9) << "cause " << bone.cause;
    EXPECT_NEAR(Number(sheet, "D" + end), bone.x1, 1e-9) << "cause " << bone.cause;
    EXPECT_NEAR(Number(sheet, "E" + end), bone.y1, 1e-9) << "cause " << bone.cause;
  }
}

// Edge cases of the stage-A formulas, read after the hierarchy step.
struct StageACase {
  const char* name;
  Tree tree;
  std::vector<std::pair<std::string, Value>> cells;
};

class StageAEdgeCase : public ::testing::TestWithParam<StageACase> {};

TEST_P(StageAEdgeCase, Values) {
  const StageACase& c = GetParam();
  PipelineHost host;
  std::string problems;
  host.Generate(c.tree, [&](int step) {
    if (step != 4) return;
    fb::sheet::Worksheet& sheet = host.app().active_sheet();
    for (const auto& [address, value] : c.cells) {
      if (sheet.range(address).value() != value) {
        problems += address + "=" + Text(sheet, address) + " ";
      }
    }
  });
  EXPECT_EQ(problems, "");
  EXPECT_FALSE(host.component().export_failed);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, StageAEdgeCase,
    ::testing::Values(
        // Main causes A2 and A5 without A1, A3, A4 get the ordinals 1 and 2.
        StageACase{"KeysWithGaps",
                   {{"A", "p"}, {"A2", "x"}, {"A21", "y"}, {"A5", "z"}, {"A51", "w"}},
                   {{"F4", Value(1.0)}, {"F6", Value(2.0)}, {"G7", Value(1.0)}}},
        // A six-character key gets a trailing blank; its ordinals are unaffected.
        StageACase{
            "SixCharacterKey",
            {{"A", "p"}, {"A1", "a"}, {"A11", "b"}, {"A111", "c"}, {"A1111", "d"}, {"A11111", "e"}},
            {{"E8", Value(std::string("A11111 "))}, {"J8", Value(1.0)}}},
        // The search for level-2 ordinal 2 reaches into the next block: MAX3 of A11 is 3.
        StageACase{"ChildCountSearchReachesNextBlock",
                   {{"A", "p"},
                    {"A1", "a"},
                    {"A11", "b"},
                    {"A111", "c"},
                    {"A112", "d"},
                    {"A2", "e"},
                    {"A21", "f"},
                    {"A211", "g"},
                    {"A212", "h"},
                    {"A213", "i"},
                    {"A22", "j"}},
                   {{"M5", Value(3.0)}}},
        // The last main cause has level-2 causes: the sentinel row closes its block.
        StageACase{
            "SentinelClosesLastBlock",
            {{"A", "p"}, {"A1", "a"}, {"A11", "b"}, {"A111", "c"}},
            {{"F7", Value(2.0)}, {"K6", Value(1.0)}, {"AA4", Value(3.0)}, {"B244", Value(2.0)}}}),
    [](const ::testing::TestParamInfo<StageACase>& param) {
      return std::string(param.param.name);
    });

}  // namespace
}  // namespace kivo2d
