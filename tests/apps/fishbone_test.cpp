// The fishbone program run as a process: exit statuses, standard output and standard error.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/os/message_pump.h"
#include "src/editor/exchange_writer.h"
#include "src/editor/tree_file.h"
#include "tests/apps/process.h"

namespace {

namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kProgram = FB_FISHBONE_EXE;
const std::string kTrees = std::string(FB_TEST_DATA_DIR) + "/trees/";
const std::string kSample = std::string(FB_SOURCE_DIR) + "/src/resources/sample_analysis.txt";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

fbtest::ProcessResult Fishbone(const std::vector<std::string>& args,
                               const fbtest::ProcessOptions& options = {}) {
  return fbtest::RunProcess(kProgram, args, options);
}

fbtest::ProcessOptions Input(std::string input) {
  fbtest::ProcessOptions options;
  options.input = std::move(input);
  return options;
}

fbtest::ProcessOptions FileSizeLimit(rlim_t bytes) {
  fbtest::ProcessOptions options;
  options.file_size_limit = bytes;
  return options;
}

class NoPump final : public fb::os::MessagePump {
 public:
  void pump() override {}
};

std::string SampleAsXml() {
  const auto sample = kivo2d::ReadOutlineTree(ReadAll(kSample));
  NoPump pump;
  return kivo2d::BuildExchangeDocument(kivo2d::ToExchangeNodes(sample.tree), pump);
}

class FishboneProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "fb-cli-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
  }
  void TearDown() override {
    std::error_code ignored;
    for (const auto& item : fs::recursive_directory_iterator(folder_, ignored)) {
      fs::permissions(item.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(folder_, ignored);
  }
  std::vector<std::string> Names(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(folder)) {
      names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path folder_;
};

// ---- Help, version, usage errors. ----

TEST_F(FishboneProgram, NoArgumentsGivesUsageOnStandardErrorAndStatus2) {
  const auto run = Fishbone({});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_THAT(run.err, StartsWith("Usage: fishbone <command>"));
}

TEST_F(FishboneProgram, HelpListsTheCommands) {
  for (const std::string flag : {"--help", "-h", "help"}) {
    const auto run = Fishbone({flag});
    EXPECT_EQ(run.status, 0) << flag;
    EXPECT_EQ(run.err, "");
    EXPECT_THAT(run.out, AllOf(StartsWith("Usage: fishbone <command>"), HasSubstr("\n  check "),
                               HasSubstr("\n  convert IN -o OUT "), HasSubstr("--version")));
  }
}

TEST_F(FishboneProgram, CommandHelp) {
  auto run = Fishbone({"check", "--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_THAT(run.out, StartsWith("Usage: fishbone check [--from xml|txt|xlsx] [FILE...]\n"));
  run = Fishbone({"help", "convert"});
  EXPECT_EQ(run.status, 0);
  EXPECT_THAT(run.out, StartsWith("Usage: fishbone convert IN -o OUT"));
}

TEST_F(FishboneProgram, Version) {
  const auto run = Fishbone({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "fishbone 2.5.31\n");  // the component's version, revision included
  EXPECT_EQ(run.err, "");
}

TEST_F(FishboneProgram, UnknownCommandGivesUsageOnStandardErrorAndStatus2) {
  auto run = Fishbone({"frobnicate", "x"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_THAT(run.err, StartsWith("fishbone: unknown command \"frobnicate\"\n\nUsage: fishbone"));
  run = Fishbone({"--frobnicate"});
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, StartsWith("fishbone: unknown option \"--frobnicate\""));
}

TEST_F(FishboneProgram, WrongOptionsOfACommandGiveStatus2) {
  auto run = Fishbone({"check", "--from", "json", kSample});
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, StartsWith("fishbone check: --from takes xml, txt or xlsx, not \"json\"\n"
                                  "Usage: fishbone check"));
  run = Fishbone({"check", "--verbose"});
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, StartsWith("fishbone check: unknown option \"--verbose\""));
  run = Fishbone({"convert", kSample});
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, StartsWith("fishbone convert: no output file"));
  run = Fishbone({"convert", "-o", "x.xml"});
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, StartsWith("fishbone convert: no input file"));
  run = Fishbone({"convert", kSample, "-o"});
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, StartsWith("fishbone convert: option \"-o\" needs a value"));
}

// ---- check ----

TEST_F(FishboneProgram, CheckWithoutFileChecksTheBuiltInSample) {
  const auto run = Fishbone({"check"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "<sample>: ok: \"注塑外壳表面缩痕不良率由0.8%升至3.5%\", 33 causes, 6 main causes, "
            "depth 4\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(FishboneProgram, TheBuiltInSampleIsTheResourceFile) {
  const auto built_in = Fishbone({"check"});
  const auto file = Fishbone({"check", kSample});
  ASSERT_EQ(file.status, 0) << file.err;
  EXPECT_EQ("<sample>" + file.out.substr(kSample.size()), built_in.out);
}

TEST_F(FishboneProgram, CheckAValidFile) {
  const auto run = Fishbone({"check", kTrees + "good/handwritten.xml"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, kTrees +
                         "good/handwritten.xml: ok: \"轴承外圈尺寸超差\", 5 causes, "
                         "2 main causes, depth 2\n");
}

TEST_F(FishboneProgram, CheckReportsEveryProblemAsFileLineColumnMessage) {
  const fs::path file = folder_ / "tree.xml";
  WriteAll(file,
           "<NODES>\n"
           "<NODE Caption=\"问题\" Key=\"A\" ParentKey=\"\"/>\n"
           "<NODE Caption=\"人\" Key=\"A1\" ParentKey=\"A\"/>\n"
           "<NODE Caption=\"机\" Key=\"A2\" ParentKey=\"A\"/>\n"
           "<NODE Caption=\"x\" Key=\"A21\" ParentKey=\"A2\"/>\n"
           "<NODE Caption=\"y\" Key=\"A21\" ParentKey=\"A2\"/>\n"
           "</NODES>\n");
  const auto run = Fishbone({"check", file.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, file.string() +
                         ":3:1: main cause A1 \"人\" has no child: "
                         "请确认:您录入的主原因下是否至少存在一个子原因！\n" +
                         file.string() +
                         ":6:1: duplicate key \"A21\" (first on line 5): every key "
                         "is unique\n");
}

TEST_F(FishboneProgram, CheckSeveralFiles) {
  const auto run = Fishbone({"check", kTrees + "good/tabs.txt", kTrees + "bad/too_deep.txt",
                             kTrees + "good/crlf_bom.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.out, AllOf(HasSubstr("good/tabs.txt: ok: \"焊缝气孔超标\", 7 causes"),
                             HasSubstr("good/crlf_bom.txt: ok: ")));
  EXPECT_EQ(run.err, kTrees +
                         "bad/too_deep.txt:7: A111111 \"6\" is at level 6: causes go no "
                         "deeper than level 5\n");
}

TEST_F(FishboneProgram, CheckAMissingFile) {
  const auto run = Fishbone({"check", "no-such-tree.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "fishbone: cannot read \"no-such-tree.txt\": No such file or directory\n");
}

TEST_F(FishboneProgram, CheckStandardInputDetectsTheFormat) {
  auto run = Fishbone({"check", "-"}, Input(SampleAsXml()));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, StartsWith("<stdin>: ok: "));
  run = Fishbone({"check", "-"}, Input("问题\n  人\n"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "<stdin>:2: main cause A1 \"人\" has no child: "
            "请确认:您录入的主原因下是否至少存在一个子原因！\n");
  // --from wins over the content: this outline is not XML.
  run = Fishbone({"check", "--from", "xml", "-"}, Input("问题\n  人\n    为什么\n"));
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, StartsWith("<stdin>:1: malformed XML: No document element found"));
}

// ---- convert ----

TEST_F(FishboneProgram, ConvertOutlineToXmlWritesTheExchangeFile) {
  const fs::path out = folder_ / "sample.xml";
  const auto run = Fishbone({"convert", kSample, "-o", out.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "wrote " + out.string() + ": 33 causes, 6 main causes, depth 4\n");
  EXPECT_EQ(ReadAll(out), SampleAsXml());
  EXPECT_THAT(ReadAll(out), StartsWith("<NODES><NODE Caption=\"注塑外壳表面缩痕不良率由0.8%升至3.5%"
                                       "\" Key=\"A\" ParentKey=\"\"/><NODE Caption=\"人员\" "
                                       "Key=\"A1\" ParentKey=\"A\"/>"));
  EXPECT_EQ(Names(folder_), std::vector<std::string>{"sample.xml"});
}

TEST_F(FishboneProgram, RoundTripOutlineXmlOutline) {
  const fs::path xml = folder_ / "a.xml";
  const fs::path txt = folder_ / "b.TXT";
  ASSERT_EQ(Fishbone({"convert", kSample, "-o", xml.string()}).status, 0);
  const auto run = Fishbone({"convert", xml.string(), "--output", txt.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadAll(txt), ReadAll(kSample));
  const fs::path xml2 = folder_ / "c.xml";
  ASSERT_EQ(Fishbone({"convert", txt.string(), "-o=" + xml2.string()}).status, 2)
      << "-o=VALUE is not a short-option form";
  ASSERT_EQ(Fishbone({"convert", txt.string(), "--output=" + xml2.string()}).status, 0);
  EXPECT_EQ(ReadAll(xml2), ReadAll(xml));
}

TEST_F(FishboneProgram, ConvertBetweenStandardStreams) {
  auto run =
      Fishbone({"convert", "-", "-o", "-", "--to", "xml"}, Input("问题\n\t人\n\t\t培训不足\n"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(
      run.out,
      "<NODES><NODE Caption=\"问题\" Key=\"A\" ParentKey=\"\"/><NODE Caption=\"人\" Key=\"A1\" "
      "ParentKey=\"A\"/><NODE Caption=\"培训不足\" Key=\"A11\" ParentKey=\"A1\"/></NODES>");
  EXPECT_EQ(run.err, "");

  run = Fishbone({"convert", "-", "-o", "-", "--to", "txt"}, Input(run.out));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "问题\n  人\n    培训不足\n");

  run = Fishbone({"convert", "-", "-o", "-"}, Input("问题\n"));
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, StartsWith("fishbone convert: say --to xml or --to txt when writing to "
                                  "standard output\n"));
}

TEST_F(FishboneProgram, ConvertNeedsAKnownOutputExtensionOrTo) {
  const fs::path out = folder_ / "tree.outline";
  auto run = Fishbone({"convert", kSample, "-o", out.string()});
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, HasSubstr("cannot tell the format of \"" + out.string() + "\""));
  run = Fishbone({"convert", kSample, "-o", out.string(), "--to", "txt"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadAll(out), ReadAll(kSample));
}

TEST_F(FishboneProgram, ATreeWithProblemsIsNotConverted) {
  const fs::path out = folder_ / "out.xml";
  const auto run = Fishbone({"convert", kTrees + "bad/ten_children.txt", "-o", out.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, kTrees +
                         "bad/ten_children.txt:12: \"原因10\" is child 10 of A1 \"人\": a node "
                         "has at most nine children\n"
                         "fishbone: " +
                         kTrees +
                         "bad/ten_children.txt not converted: the "
                         "tree has 1 problem\n");
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(FishboneProgram, ACaptionWithALineBreakCannotBecomeAnOutline) {
  const fs::path in = folder_ / "in.xml";
  WriteAll(in,
           "<NODES><NODE Caption=\"问题\" Key=\"A\" ParentKey=\"\"/>\n"
           "<NODE Caption=\"人\" Key=\"A1\" ParentKey=\"A\"/>\n"
           "<NODE Caption=\"两行&#10;文字\" Key=\"A11\" ParentKey=\"A1\"/></NODES>");
  const auto run = Fishbone({"convert", in.string(), "-o", (folder_ / "out.txt").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, StartsWith(in.string() + ":3:1: the caption of A11 \"两行\\n文字\" holds a "
                                                "line break, which an outline cannot hold"));
  EXPECT_FALSE(fs::exists(folder_ / "out.txt"));
  // As XML it converts.
  EXPECT_EQ(Fishbone({"convert", in.string(), "-o", (folder_ / "out.xml").string()}).status, 0);
}

TEST_F(FishboneProgram, ConvertIntoAReadOnlyFolderFailsNamingTheFile) {
  // A copy of the program in a folder every user can read, run as "nobody" when we are root
  // (root writes into read-only folders).
  fs::permissions(folder_, fs::perms::all & ~fs::perms::others_write & ~fs::perms::group_write);
  const fs::path program = folder_ / "fishbone";
  fs::copy_file(kProgram, program);
  const fs::path in = folder_ / "in.txt";
  fs::copy_file(kSample, in);
  fs::permissions(in, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                          fs::perms::others_read);
  const fs::path locked = folder_ / "locked";
  fs::create_directory(locked);
  const fs::path out = locked / "report.xml";
  WriteAll(out, "earlier");
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read |
                              fs::perms::others_exec);

  fbtest::ProcessOptions options;
  if (::geteuid() == 0) options.user = 65534;
  const auto run =
      fbtest::RunProcess(program.string(), {"convert", in.string(), "-o", out.string()}, options);
  ASSERT_NE(run.status, 125) << "could not become user 65534";
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "fishbone: cannot write \"" + out.string() + "\": Permission denied\n");
  EXPECT_EQ(ReadAll(out), "earlier");
  EXPECT_EQ(Names(locked), std::vector<std::string>{"report.xml"});
}

TEST_F(FishboneProgram, ConvertIntoAFileInsteadOfAFolderFails) {
  WriteAll(folder_ / "plain", "x");
  const fs::path out = folder_ / "plain" / "out.xml";
  const auto run = Fishbone({"convert", kSample, "-o", out.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "fishbone: cannot write \"" + out.string() + "\": Not a directory\n");
}

TEST_F(FishboneProgram, AFullDiskLeavesTheEarlierFileAndNoTemporaryFile) {
  const fs::path out = folder_ / "out.xml";
  WriteAll(out, "earlier");
  const auto run = Fishbone({"convert", kSample, "-o", out.string()}, FileSizeLimit(100));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "fishbone: cannot write \"" + out.string() + "\": File too large\n");
  EXPECT_EQ(ReadAll(out), "earlier");
  EXPECT_EQ(Names(folder_), std::vector<std::string>{"out.xml"});
}

TEST_F(FishboneProgram, ConvertReplacesAnEarlierFile) {
  const fs::path out = folder_ / "out.txt";
  WriteAll(out, "an earlier outline\n");
  const auto run = Fishbone({"convert", kTrees + "good/handwritten.xml", "-o", out.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(ReadAll(out), StartsWith("轴承外圈尺寸超差\n  设备\n"));
  EXPECT_THAT(ReadAll(out), EndsWith("    首检 只测一个尺寸\n"));
}

}  // namespace
