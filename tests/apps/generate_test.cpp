// fishbone generate run as a process: the step trace a user debugs a layout with.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/apps/process.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// The worked example of the layout: two main causes, a third level under A21.
constexpr const char* kNineNodes =
    "问题\n"
    "  人\n"
    "    培训不足\n"
    "    疲劳\n"
    "  机\n"
    "    主轴\n"
    "      轴承\n"
    "      润滑\n"
    "    夹具\n";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Field `column` (1-based) of CSV row `row`, unquoted; enough CSV for the checks below.
std::string Field(const std::string& csv, int row, int column) {
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < csv.size(); ++i) {
    const char c = csv[i];
    if (quoted) {
      if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
        rows.back().back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        rows.back().back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      rows.back().emplace_back();
    } else if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
      rows.emplace_back(1);
      ++i;
    } else {
      rows.back().back() += c;
    }
  }
  if (row > static_cast<int>(rows.size()) ||
      column > static_cast<int>(rows[static_cast<std::size_t>(row - 1)].size())) {
    return "<none>";
  }
  return rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

class Generate : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "fb-generate-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    std::ofstream(folder_ / "nine.txt", std::ios::binary) << kNineNodes;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder_, ignored);
  }
  fbtest::ProcessResult Fishbone(const std::vector<std::string>& args) {
    fbtest::ProcessOptions options;
    // Runs make their private folders under the state root; keep them out of the user's.
    options.environment = {{"XDG_RUNTIME_DIR", (folder_ / "state").string()}};
    options.folder = folder_.string();  // the report goes to the current folder by default
    fs::create_directories(folder_ / "state");
    fs::permissions(folder_ / "state", fs::perms::owner_all, fs::perm_options::replace);
    return fbtest::RunProcess(FB_FISHBONE_EXE, args, options);
  }
  fs::path folder_;
};

TEST_F(Generate, TraceWritesEveryStepAndTheWorkedExampleReadsBack) {
  const auto run =
      Fishbone({"generate", (folder_ / "nine.txt").string(), "--trace", (folder_ / "t").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("8 causes"));

  std::vector<std::string> names;
  for (const auto& item : fs::directory_iterator(folder_ / "t")) {
    names.push_back(item.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  // A CSV per step, and a PNG per chart after each chart step: one after step 9, two after
  // step 10 (the same chart), ... three after step 12.
  std::vector<std::string> csv, png;
  for (const std::string& name : names) (name.ends_with(".csv") ? csv : png).push_back(name);
  ASSERT_EQ(csv.size(), 14u);
  EXPECT_EQ(csv.front(), "01-ImportTree.csv");
  EXPECT_EQ(csv[3], "04-WriteHierarchyFormulas.csv");
  EXPECT_EQ(csv[7], "08-WriteBoneCoordinates.csv");
  EXPECT_EQ(csv.back(), "14-AssembleReport.csv");
  EXPECT_EQ(png, (std::vector<std::string>{
                     "09-DrawFishbone-图表 1.png", "10-DrawHeadAndSpine-图表 1.png",
                     "11-DrawParetoChart-图表 1.png", "11-DrawParetoChart-图表 2.png",
                     "12-DrawTopThreeChart-图表 1.png", "12-DrawTopThreeChart-图表 2.png",
                     "12-DrawTopThreeChart-图表 3.png"}));
  names = csv;

  // The sentinel row below the last block, after the hierarchy formulas.
  const std::string hierarchy = ReadAll(folder_ / "t" / names[3]);
  EXPECT_EQ(Field(hierarchy, 244, 2), "3");
  // Coordinates: the spine's end, the head text with its line feeds, an exact third.
  const std::string bones = ReadAll(folder_ / "t" / names[7]);
  EXPECT_EQ(Field(bones, 3, 13), "330");
  EXPECT_EQ(Field(bones, 3, 7), "问题:\n问题\n[原因总数合计：8个]");
  EXPECT_EQ(Field(bones, 11, 11), "0.6666666666666666");
}

TEST_F(Generate, BothHostVersionsRunAndAnotherIsAUsageError) {
  for (const char* version : {"11.0", "12.0"}) {
    const auto run =
        Fishbone({"generate", (folder_ / "nine.txt").string(), "--host-version", version});
    EXPECT_EQ(run.status, 0) << version << ": " << run.err;
  }
  const auto wrong =
      Fishbone({"generate", (folder_ / "nine.txt").string(), "--host-version", "14.0"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_THAT(wrong.err, HasSubstr("--host-version takes 11.0 or 12.0"));
}

// The panel's choices as flags: the line length shows in the import step's captions; a value the
// panel does not offer is a usage error naming the flag.
TEST_F(Generate, PanelFlagsReachTheRunAndOthersAreUsageErrors) {
  std::ofstream(folder_ / "long.txt", std::ios::binary) << "问题\n  人员操作不规范导致\n    疲劳\n";
  const auto run = Fishbone({"generate", (folder_ / "long.txt").string(), "--wrap", "5", "--trace",
                             (folder_ / "t").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Field(ReadAll(folder_ / "t" / "01-ImportTree.csv"), 4, 3), "人员操作不\n规范导致");

  struct Case {
    std::vector<std::string> flag;
    const char* message;
  };
  const Case cases[] = {
      {{"--font", "kai"}, "--font takes fangsong|song|hei, not \"kai\""},
      {{"--size", "5"}, "--size takes 8|6|4, not \"5\""},
      {{"--wrap", "7"}, "--wrap takes 5|8|10, not \"7\""},
      {{"--head", "up"}, "--head takes left|right, not \"up\""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"generate", (folder_ / "nine.txt").string()};
    args.insert(args.end(), c.flag.begin(), c.flag.end());
    const auto wrong = Fishbone(args);
    EXPECT_EQ(wrong.status, 2) << c.message;
    EXPECT_THAT(wrong.err, HasSubstr(c.message));
  }
}

TEST_F(Generate, ABadTreeOrAnUnusableTraceFolderFailsNamingIt) {
  const std::string bad_tree = std::string(FB_TEST_DATA_DIR) + "/trees/bad/control_character.txt";
  const auto bad = Fishbone({"generate", bad_tree});
  EXPECT_EQ(bad.status, 1);
  EXPECT_THAT(bad.err, HasSubstr("control_character.txt:3:"));
  EXPECT_THAT(bad.err, HasSubstr("no report"));

  std::ofstream(folder_ / "file", std::ios::binary) << "x";
  const auto trace = Fishbone(
      {"generate", (folder_ / "nine.txt").string(), "--trace", (folder_ / "file" / "t").string()});
  EXPECT_EQ(trace.status, 1);
  EXPECT_THAT(trace.err,
              HasSubstr("cannot make the folder \"" + (folder_ / "file" / "t").string()));
}

TEST_F(Generate, WritesTheReportThePicturesAndTheDataWorkbook) {
  const auto run =
      Fishbone({"generate", (folder_ / "nine.txt").string(), "--pictures",
                (folder_ / "pics").string(), "--data", (folder_ / "data.xlsx").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("wrote Fishbone Diagram Report1.xlsx"));
  EXPECT_EQ(ReadAll(folder_ / "Fishbone Diagram Report1.xlsx").substr(0, 2), "PK");
  EXPECT_EQ(ReadAll(folder_ / "data.xlsx").substr(0, 2), "PK");
  for (const char* picture : {"PIC1", "PIC2", "PIC3"}) {
    const std::string name = picture;
    EXPECT_EQ(ReadAll(folder_ / "pics" / (name + ".png")).substr(1, 3), "PNG") << name;
    EXPECT_THAT(ReadAll(folder_ / "pics" / (name + ".svg")), HasSubstr("<svg")) << name;
    // An enhanced metafile starts with its header record, type 1.
    EXPECT_EQ(ReadAll(folder_ / "pics" / (name + ".emf")).substr(0, 4),
              std::string("\x01\0\0\0", 4))
        << name;
  }
}

TEST_F(Generate, AReportThatCannotBeWrittenFailsAndKeepsTheEarlierFile) {
  std::ofstream(folder_ / "report.xlsx", std::ios::binary) << "earlier";
  fs::create_directories(folder_ / "report.xlsx.d");
  const auto missing = Fishbone({"generate", (folder_ / "nine.txt").string(), "-o",
                                 (folder_ / "no" / "such" / "report.xlsx").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_THAT(missing.err, HasSubstr("report.xlsx"));

  // A folder where the file should go.
  const auto folder = Fishbone(
      {"generate", (folder_ / "nine.txt").string(), "-o", (folder_ / "report.xlsx.d").string()});
  EXPECT_EQ(folder.status, 1);
  EXPECT_EQ(ReadAll(folder_ / "report.xlsx"), "earlier");
}

TEST_F(Generate, RunsLeaveNoFoldersBehind) {
  ASSERT_EQ(Fishbone({"generate", (folder_ / "nine.txt").string()}).status, 0);
  const fs::path runs = folder_ / "state" / "fishbone" / "runs";
  ASSERT_TRUE(fs::is_directory(runs));
  EXPECT_TRUE(fs::is_empty(runs));
}

}  // namespace

namespace {

TEST_F(Generate, TheComponentsMessagesReachStandardError) {
  std::ofstream(folder_ / "childless.txt", std::ios::binary) << "问题\n  人\n    培训\n  机\n";
  const auto childless = Fishbone({"generate", (folder_ / "childless.txt").string()});
  EXPECT_EQ(childless.status, 1);
  EXPECT_EQ(childless.err, "[警告！] 请确认:您录入的主原因下是否至少存在一个子原因！\n");

  const auto untrusted = Fishbone({"generate", (folder_ / "nine.txt").string(), "--no-trust-vba"});
  EXPECT_EQ(untrusted.status, 1);
  EXPECT_THAT(untrusted.err, HasSubstr("[警告！] 由于“不信任到 Visual Basic Project 的程序连接”"));

  const auto good = Fishbone({"generate", (folder_ / "nine.txt").string()});
  EXPECT_EQ(good.status, 0);
  EXPECT_THAT(good.err, HasSubstr("[提示] 已经完成报告"));
}

}  // namespace

namespace {

TEST_F(Generate, OverlapsAreCountedOnStandardErrorAndListedInTheLayoutReport) {
  const std::string sample = std::string(FB_SOURCE_DIR) + "/src/resources/sample_analysis.txt";
  const auto run = Fishbone(
      {"generate", sample, "--size", "4", "--layout-report", (folder_ / "layout.json").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string json = ReadAll(folder_ / "layout.json");
  EXPECT_THAT(json, HasSubstr("\"options\": {\"font\": \"fangsong\", \"size\": 4, \"wrap\": 8"));
  // One entry per overlap, as many as the line on standard error counts.
  std::size_t entries = 0;
  for (std::size_t at = json.find("\"kind\""); at != std::string::npos;
       at = json.find("\"kind\"", at + 1)) {
    ++entries;
  }
  ASSERT_GT(entries, 0u);  // the sample at the largest size crowds its labels
  EXPECT_THAT(run.err, HasSubstr("fishbone: the diagram has " + std::to_string(entries) +
                                 " overlaps; the worst: "));
  // Items are named by their tree key and caption.
  EXPECT_THAT(json, HasSubstr("{\"key\": \"A"));
  EXPECT_THAT(json, HasSubstr("\"caption\": \""));
}

TEST_F(Generate, ALabelUnderTheLogoIsCountedAsAnOverlap) {
  // With the defaults the chart's logo lies over the caption of 法's only cause.
  std::ofstream(folder_ / "weld.txt", std::ios::binary)
      << "焊缝气孔超标，返工率升至5%\n  人\n    焊工未持证上岗\n    新员工培训不足\n"
         "    夜班疲劳作业\n    质员漏检\n  机\n    焊机电流波动大\n      电源电压不稳\n"
         "  料\n    焊丝受潮\n  法\n    焊前未清理坡口\n  环\n    车间湿度过高\n";
  const auto run = Fishbone({"generate", "weld.txt", "--layout-report", "weld.json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string json = ReadAll(folder_ / "weld.json");
  EXPECT_THAT(json, HasSubstr("{\"kind\": \"label-picture\", \"first\": {\"key\": \"A41\", "
                              "\"caption\": \"焊前未清理坡口\"}, \"second\": null"));
}

TEST_F(Generate, FitKeepsTheLayoutWithFewerOverlapsAndSaysWhich) {
  const std::string tree = std::string(FB_SOURCE_DIR) + "/tests/data/trees/good/fifty_causes.txt";
  const auto plain = Fishbone({"generate", tree, "-o", "plain.xlsx"});
  ASSERT_EQ(plain.status, 0) << plain.err;
  const std::string counted = "fishbone: the diagram has ";
  const auto at = plain.err.find(counted);
  ASSERT_NE(at, std::string::npos) << plain.err;
  const int before = std::stoi(plain.err.substr(at + counted.size()));

  const auto fit = Fishbone({"generate", tree, "-o", "fit.xlsx", "--fit", "--head", "right",
                             "--layout-report", "fit.json"});
  ASSERT_EQ(fit.status, 0) << fit.err;
  const std::string said = "--fit: --size ";
  const auto line = fit.out.find(said);
  ASSERT_NE(line, std::string::npos) << fit.out;
  // The side the user chose stays; only sizes and line lengths were tried.
  EXPECT_THAT(fit.out, HasSubstr("--head right gives "));
  EXPECT_THAT(fit.out, HasSubstr("; 9 layouts tried)"));
  const auto gives = fit.out.find(" gives ", line);
  const int after = std::stoi(fit.out.substr(gives + 7));
  EXPECT_LT(after, before);
  // The layout report describes the layout that was kept.
  EXPECT_THAT(ReadAll(folder_ / "fit.json"), HasSubstr("\"head\": \"right\""));
}

TEST_F(Generate, DemoMakesTheSamplesReportInThreeFormats) {
  const auto run = Fishbone({"demo", "-o", (folder_ / "demo").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("33 causes"));
  EXPECT_EQ(ReadAll(folder_ / "demo" / "report.xlsx").substr(0, 2), "PK");
  EXPECT_EQ(ReadAll(folder_ / "demo" / "report.pdf").substr(0, 5), "%PDF-");
  EXPECT_EQ(ReadAll(folder_ / "demo" / "report.png").substr(1, 3), "PNG");

  const auto wrong = Fishbone({"demo", "--host-version", "10.0"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_THAT(wrong.err, HasSubstr("--host-version takes 11.0 or 12.0, not \"10.0\""));
}

}  // namespace
