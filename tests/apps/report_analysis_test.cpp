// A report keeps the tree it was made from: fishbone check, convert and generate read it back,
// also after another spreadsheet program saved the report again; a workbook without a tree, or a
// damaged one, is refused with a message naming it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/xlsx/xlsx_reader.h"
#include "platform/xlsx/xlsx_writer.h"
#include "tests/apps/process.h"
#include "tests/platform/xlsx/zip_reader.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// Captions a careless store would change: digits, a formula's sign, blanks at the ends, a line
// feed, a tab, markup and an escape's look-alike.
constexpr const char* kTree =
    R"(<NODES><NODE Caption="注塑外壳表面缩痕" Key="A" ParentKey=""/>)"
    R"(<NODE Caption="0001" Key="A1" ParentKey="A"/>)"
    R"(<NODE Caption=" 两端有空格 " Key="A11" ParentKey="A1"/>)"
    R"(<NODE Caption="换行&#10;第二行" Key="A12" ParentKey="A1"/>)"
    R"(<NODE Caption="=1+1" Key="A2" ParentKey="A"/>)"
    R"(<NODE Caption="_x0041_ &amp; &lt;&quot;引号&quot;&gt;&#09;制表" Key="A21" ParentKey="A2"/>)"
    R"(<NODE Caption="😀 TRUE" Key="A211" ParentKey="A21"/></NODES>)";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The choices a report keeps, by name.
std::map<std::string, std::string> KeptChoices(const fs::path& report) {
  const auto sheet = fb::xlsx::read_sheet_texts(ReadAll(report), "FishboneAnalysis");
  std::map<std::string, std::string> choices;
  if (!sheet) return choices;
  for (const auto& [at, text] : sheet->cells) {
    if (at.column == 5 && at.row > 1) {
      const auto value = sheet->cells.find({at.row, 6});
      choices[text] = value == sheet->cells.end() ? "" : value->second;
    }
  }
  return choices;
}

class ReportAnalysis : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "fb-report-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    WriteAll(folder_ / "tree.xml", kTree);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  fbtest::ProcessResult Fishbone(const std::vector<std::string>& args) {
    fbtest::ProcessOptions options;
    options.environment = {{"XDG_RUNTIME_DIR", (folder_ / "state").string()}};
    options.folder = folder_.string();
    fs::create_directories(folder_ / "state");
    fs::permissions(folder_ / "state", fs::perms::owner_all, fs::perm_options::replace);
    return fbtest::RunProcess(FB_FISHBONE_EXE, args, options);
  }
  fs::path folder_;
};

TEST_F(ReportAnalysis, AReportIsReadBackAndMadeAgainWithTheChoicesItKept) {
  auto run = Fishbone({"generate", "tree.xml", "-o", "first.xlsx", "--size", "8", "--head", "right",
                       "--no-top-three"});
  ASSERT_EQ(run.status, 0) << run.err;

  run = Fishbone({"check", "first.xlsx"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "first.xlsx: ok: \"注塑外壳表面缩痕\", 6 causes, 2 main causes, depth 3\n");

  // The tree comes back node for node, caption for caption.
  ASSERT_EQ(Fishbone({"convert", "tree.xml", "-o", "expected.xml"}).status, 0);
  run = Fishbone({"convert", "first.xlsx", "-o", "back.xml"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadAll(folder_ / "back.xml"), ReadAll(folder_ / "expected.xml"));

  // Made again from the report alone: the same workbook.
  run = Fishbone({"generate", "first.xlsx", "-o", "again.xlsx"});
  ASSERT_EQ(run.status, 0) << run.err;
  auto first = fb::xlsx::testing::unzip(ReadAll(folder_ / "first.xlsx"));
  auto again = fb::xlsx::testing::unzip(ReadAll(folder_ / "again.xlsx"));
  // The time of making it is the one thing that may differ.
  first.erase("docProps/core.xml");
  again.erase("docProps/core.xml");
  EXPECT_TRUE(first == again) << "the report made again differs";

  // A flag given goes over the choice kept; the others stay.
  run = Fishbone({"generate", "first.xlsx", "-o", "larger.xlsx", "--size", "4"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto choices = KeptChoices(folder_ / "larger.xlsx");
  EXPECT_EQ(choices.at("size"), "4");
  EXPECT_EQ(choices.at("head"), "right");
  EXPECT_EQ(choices.at("top-three"), "no");
  EXPECT_EQ(choices.at("font"), "fangsong");
}

TEST_F(ReportAnalysis, AWorkbookWithoutAReadableTreeIsRefusedNamingIt) {
  ASSERT_EQ(Fishbone({"generate", "tree.xml", "-o", "report.xlsx"}).status, 0);
  const std::string report = ReadAll(folder_ / "report.xlsx");
  fb::xlsx::Document plain;
  plain.sheets.resize(1);
  plain.sheets[0].name = "Sheet1";
  plain.sheets[0].cells = {{{1, 1}, std::string("a workbook of somebody's own"), 0}};
  WriteAll(folder_ / "plain.xlsx", fb::xlsx::package_bytes(plain));
  WriteAll(folder_ / "cut.xlsx", report.substr(0, report.size() / 2));
  WriteAll(folder_ / "text.xlsx", "问题\n  人\n");
  // The analysis sheet's compressed bytes overwritten: the zip's directory is whole, the entry
  // not.
  std::string spoiled = report;
  const std::size_t entry = spoiled.find("xl/worksheets/sheet2.xml");
  ASSERT_NE(entry, std::string::npos);
  for (std::size_t i = entry + 30; i < entry + 94; ++i) spoiled[i] = '\0';
  WriteAll(folder_ / "spoiled.xlsx", spoiled);
  struct Case {
    const char* file;
    const char* reason;
  };
  const Case cases[] = {
      {"plain.xlsx", "plain.xlsx: the workbook holds no analysis"},
      {"cut.xlsx", "cut.xlsx: the workbook cannot be read"},
      {"text.xlsx", "text.xlsx: the workbook cannot be read: it is not a zip archive"},
      {"spoiled.xlsx", "spoiled.xlsx: the workbook cannot be read: the zip entry"},
  };
  for (const Case& c : cases) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"check", c.file},
          std::vector<std::string>{"convert", c.file, "-o", "out.txt"},
          std::vector<std::string>{"generate", c.file, "-o", "out.xlsx"}}) {
      const auto run = Fishbone(args);
      EXPECT_EQ(run.status, 1) << args[0] << " " << c.file << ": " << run.err;
      EXPECT_THAT(run.err, HasSubstr(c.reason)) << args[0];
    }
    EXPECT_FALSE(fs::exists(folder_ / "out.txt")) << c.file;
    EXPECT_FALSE(fs::exists(folder_ / "out.xlsx")) << c.file;
  }
  // A report is never written by convert, nor made again over itself under its default name.
  auto run = Fishbone({"convert", "tree.xml", "-o", "tree.xlsx"});
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, HasSubstr("generate makes reports"));
  const std::string default_name = "Fishbone Diagram Report1.xlsx";
  WriteAll(folder_ / default_name, report);
  run = Fishbone({"generate", default_name});
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, HasSubstr("is the tree file \"" + default_name + "\""));
  EXPECT_EQ(ReadAll(folder_ / default_name), report);
}

std::string FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "/usr/bin:/bin");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const fs::path candidate = fs::path(folder) / name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  return {};
}

// Another spreadsheet program opens the report and saves it again: the tree survives, caption
// for caption.
TEST_F(ReportAnalysis, AReportSavedAgainByLibreOfficeKeepsItsTree) {
  const std::string soffice = FindProgram("soffice");
  if (soffice.empty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  ASSERT_EQ(Fishbone({"generate", "tree.xml", "-o", "report.xlsx", "--wrap", "5"}).status, 0);
  fs::create_directories(folder_ / "saved");
  fbtest::ProcessOptions options;
  options.folder = folder_.string();
  // A profile of its own, so that no running office or first-start dialog takes part.
  options.environment = {{"HOME", folder_.string()}};
  options.deadline = std::chrono::seconds(180);
  const auto saved = fbtest::RunProcess(
      soffice,
      {"-env:UserInstallation=file://" + (folder_ / "profile").string(), "--headless",
       "--convert-to", "xlsx", "--outdir", (folder_ / "saved").string(), "report.xlsx"},
      options);
  ASSERT_EQ(saved.status, 0) << saved.err;
  ASSERT_TRUE(fs::exists(folder_ / "saved" / "report.xlsx")) << saved.out << saved.err;
  ASSERT_NE(ReadAll(folder_ / "saved" / "report.xlsx"), ReadAll(folder_ / "report.xlsx"));

  const auto ours = Fishbone({"check", "report.xlsx"});
  const auto theirs = Fishbone({"check", "saved/report.xlsx"});
  ASSERT_EQ(theirs.status, 0) << theirs.err;
  EXPECT_EQ(theirs.out, "saved/" + ours.out);

  ASSERT_EQ(Fishbone({"convert", "report.xlsx", "-o", "ours.xml"}).status, 0);
  const auto converted = Fishbone({"convert", "saved/report.xlsx", "-o", "theirs.xml"});
  ASSERT_EQ(converted.status, 0) << converted.err;
  EXPECT_EQ(ReadAll(folder_ / "theirs.xml"), ReadAll(folder_ / "ours.xml"));
  EXPECT_EQ(KeptChoices(folder_ / "saved" / "report.xlsx"), KeptChoices(folder_ / "report.xlsx"));
}

}  // namespace
