// fishbone generate with many trees, run as a process: a folder of good and bad trees, names
// that clash, and the same files however many run at a time.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/apps/process.h"
#include "tests/support/python_reader.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

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

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Every file below `folder`, by its path relative to it.
std::map<std::string, std::string> FilesBelow(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& item : fs::recursive_directory_iterator(folder)) {
    if (item.is_regular_file()) {
      files[fs::relative(item.path(), folder).string()] = ReadAll(item.path());
    }
  }
  return files;
}

class Batch : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "fb-batch-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  void Write(const std::string& name, const std::string& bytes) {
    fs::create_directories((folder_ / name).parent_path());
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  void Copy(const std::string& source, const std::string& name) {
    Write(name, ReadAll(fs::path(FB_SOURCE_DIR) / source));
  }
  fbtest::ProcessOptions Options() {
    fbtest::ProcessOptions options;
    options.environment = {{"XDG_RUNTIME_DIR", (folder_ / "state").string()}};
    options.folder = folder_.string();
    fs::create_directories(folder_ / "state");
    fs::permissions(folder_ / "state", fs::perms::owner_all, fs::perm_options::replace);
    return options;
  }
  fbtest::ProcessResult Fishbone(const std::vector<std::string>& args,
                                 std::optional<std::chrono::seconds> deadline = std::nullopt) {
    fbtest::ProcessOptions options = Options();
    options.deadline = deadline;
    return fbtest::RunProcess(FB_FISHBONE_EXE, args, options);
  }
  fs::path folder_;
};

TEST_F(Batch, FolderOfGoodAndBadTreesNamesEachFailureAndWritesTheGoodReports) {
  Write("in/nine.txt", kNineNodes);
  Copy("tests/data/trees/good/handwritten.xml", "in/handwritten.xml");
  Write("in/childless.txt", "问题\n  人\n    疲劳\n  机\n");  // the component refuses it
  Write("in/mixed.txt", "问题\n  人\n\t疲劳\n");              // blanks and tabs: check refuses
  Write("in/broken.XML", "<NODES><NODE");
  Write("in/notes.md", "not a tree, and not taken");
  const auto run = Fishbone({"generate", "in", "missing.txt", "-o", "out", "--jobs", "2"});
  EXPECT_EQ(run.status, 1) << run.err;

  std::vector<std::string> failures = Lines(run.err);
  std::sort(failures.begin(), failures.end());
  ASSERT_EQ(failures.size(), 4u) << run.err;
  EXPECT_THAT(failures[0], HasSubstr("fishbone: in/broken.XML:1: malformed XML"));
  EXPECT_THAT(failures[1], HasSubstr("fishbone: in/childless.txt: [警告！]"));
  EXPECT_THAT(failures[2], HasSubstr("fishbone: in/mixed.txt:3: indented with tabs"));
  EXPECT_THAT(failures[2], HasSubstr("(and 1 more problems)"));
  EXPECT_THAT(failures[3], HasSubstr("fishbone: missing.txt: cannot read"));
  EXPECT_THAT(run.out, HasSubstr("in/nine.txt: 8 causes"));
  EXPECT_THAT(run.out, HasSubstr("2 of 6 reports written to out"));
  EXPECT_THAT(run.out, HasSubstr("4 failed"));

  std::vector<std::string> written;
  for (const auto& item : fs::directory_iterator(folder_ / "out")) {
    written.push_back(item.path().filename().string());
  }
  std::sort(written.begin(), written.end());
  EXPECT_THAT(written, ElementsAre("handwritten.xlsx", "nine.xlsx"));

  const auto python = fbtest::PythonWith("openpyxl");
  if (!python) GTEST_SKIP() << "no python with openpyxl to read the reports";
  for (const std::string& name : written) {
    const auto read = fbtest::RunCommand(
        *python +
        " -W ignore -c 'import openpyxl,sys; s=openpyxl.load_workbook(sys.argv[1]).active; " +
        "print(s.title, s[\"B27\"].value[:6])' " + (folder_ / "out" / name).string());
    EXPECT_EQ(read.status, 0) << name << ": " << read.output;
    EXPECT_EQ(read.output, "Sheet1 团队技术统计\n") << name;  // the report form's cause list
  }
}

TEST_F(Batch, TreesOfOneNameInDifferentFoldersAreNumberedInTheOrderGiven) {
  Write("a/t.txt", kNineNodes);
  Copy("tests/data/trees/good/handwritten.xml", "b/t.xml");
  Copy("tests/data/trees/good/tabs.txt", "c/T.txt");
  // a/t.txt named twice, by itself and through its folder, is one tree.
  const auto run = Fishbone({"generate", "a/t.txt", "b", "a", "c", "-o", "out/"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("a/t.txt: 8 causes, 2 main causes, depth 3 -> out/t.xlsx"));
  EXPECT_THAT(run.out, HasSubstr("b/t.xml: 5 causes, 2 main causes, depth 2 -> out/t-2.xlsx"));
  EXPECT_THAT(run.out, HasSubstr("c/T.txt: "));
  EXPECT_THAT(run.out, HasSubstr("-> out/T-3.xlsx"));
  EXPECT_THAT(run.out, HasSubstr("3 of 3 reports written"));
  EXPECT_EQ(FilesBelow(folder_ / "out").size(), 3u);
}

TEST_F(Batch, OneJobAndFourJobsWriteTheSameFiles) {
  Write("in/nine.txt", kNineNodes);
  Copy("tests/data/trees/good/fifty_causes.txt", "in/fifty.txt");
  Copy("tests/data/trees/good/handwritten.xml", "in/handwritten.xml");
  Copy("tests/data/trees/good/tabs.txt", "in/tabs.txt");
  Copy("src/resources/sample_analysis.txt", "in/sample.txt");
  for (const char* jobs : {"1", "4"}) {
    const auto run = Fishbone({"generate", "in", "-o", std::string("out") + jobs, "--jobs", jobs,
                               "--png", "--pdf", "--pictures"});
    ASSERT_EQ(run.status, 0) << jobs << ": " << run.err;
    EXPECT_THAT(run.out, HasSubstr(std::string(jobs) + " at a time"));
  }
  auto one = FilesBelow(folder_ / "out1");
  auto four = FilesBelow(folder_ / "out4");
  EXPECT_EQ(one.size(), 5u * (3 + 9));  // report, PDF, PNG and nine picture files per tree
  // A PDF carries the moment it was made; its size is what must agree.
  for (auto* files : {&one, &four}) {
    for (auto& [name, bytes] : *files) {
      if (name.ends_with(".pdf")) bytes = std::to_string(bytes.size());
    }
  }
  EXPECT_TRUE(one == four);
  for (const auto& [name, bytes] : one) {
    EXPECT_EQ(four[name], bytes) << name;
  }
}

TEST_F(Batch, OddNamesAndLinksToNothingGetALineEach) {
  Write("in/a\nb.txt", kNineNodes);
  Write("in/esc\x1b[31m.txt", kNineNodes);
  fs::create_symlink("missing.txt", folder_ / "in" / "gone.txt");
  fs::create_symlink("loop.txt", folder_ / "in" / "loop.txt");
  const auto run = Fishbone({"generate", "in", "-o", "out", "--jobs", "2"});
  EXPECT_EQ(run.status, 1) << run.err;
  // Names with a line feed or an escape code are quoted, so that each report keeps its one line
  // and the terminal is left alone.
  EXPECT_THAT(run.out, HasSubstr("\"in/a\\nb.txt\": 8 causes, 2 main causes, depth 3 -> "
                                 "\"out/a\\nb.xlsx\"\n"));
  EXPECT_THAT(run.out, HasSubstr("\"in/esc\\x1B[31m.txt\": 8 causes"));
  EXPECT_THAT(run.out, HasSubstr("2 of 4 reports written"));
  EXPECT_EQ(Lines(run.out).size(), 3u) << run.out;
  EXPECT_EQ((run.out + run.err).find('\x1b'), std::string::npos);
  std::vector<std::string> failures = Lines(run.err);
  std::sort(failures.begin(), failures.end());
  EXPECT_THAT(failures, ElementsAre("fishbone: in/gone.txt: cannot read \"in/gone.txt\": it is a "
                                    "symbolic link to a file that does not exist",
                                    "fishbone: in/loop.txt: cannot read \"in/loop.txt\": Too many "
                                    "levels of symbolic links"));
  EXPECT_TRUE(fs::exists(folder_ / "out" / "a\nb.xlsx"));
}

TEST_F(Batch, ManyPdfsAtManyJobsAllFinish) {
  // The threads share cairo's font caches, and every PDF page makes fonts of its own: at 16 jobs
  // a batch like this one once stopped for good after a few dozen reports.
  const std::string tree =
      ReadAll(fs::path(FB_SOURCE_DIR) / "tests/data/trees/good/fifty_causes.txt");
  constexpr int kTrees = 120;
  for (int i = 0; i < kTrees; ++i) Write("in/t" + std::to_string(i) + ".txt", tree);
  const auto run =
      Fishbone({"generate", "in", "-o", "out", "--jobs", "16", "--pdf"}, std::chrono::seconds(100));
  ASSERT_FALSE(run.timed_out) << "still running after 100 s; it wrote "
                              << FilesBelow(folder_ / "out").size() << " files";
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("120 of 120 reports written"));
  int pdfs = 0;
  for (const auto& item : fs::directory_iterator(folder_ / "out")) {
    pdfs += item.path().extension() == ".pdf" && item.file_size() > 10000 ? 1 : 0;
  }
  EXPECT_EQ(pdfs, kTrees);
}

TEST_F(Batch, ATreeWhoseReportCannotBeSavedSaysWhy) {
  // As a single run says it: the system's reason first, then that the report is not saved.
  Write("full/nine.txt", kNineNodes);
  fbtest::ProcessOptions full_disk = Options();
  // The run's own files (the largest above 100 kB) and the report fit, the page as PNG does not.
  full_disk.file_size_limit = 155000;
  const auto full = fbtest::RunProcess(
      FB_FISHBONE_EXE, {"generate", "full", "-o", "out1", "--jobs", "2", "--png"}, full_disk);
  EXPECT_EQ(full.status, 1);
  EXPECT_THAT(full.err, HasSubstr("fishbone: full/nine.txt: cannot write \"out1/nine.png\": File "
                                  "too large; the report was generated but not saved\n"));

  const std::string stem(251, 'n');  // the tree's name fits; with ".xlsx" it is 256 bytes
  Write("long/" + stem + ".txt", kNineNodes);
  const auto long_name = Fishbone({"generate", "long", "-o", "out2", "--jobs", "2"});
  EXPECT_EQ(long_name.status, 1);
  EXPECT_THAT(long_name.err,
              HasSubstr("fishbone: long/" + stem + ".txt: cannot write \"out2/" + stem +
                        ".xlsx\": File name too long; the report was "
                        "generated but not saved\n"));
}

TEST_F(Batch, ASecondBatchIntoABusyFolderIsRefusedAndWritesNothing) {
  Write("in/nine.txt", kNineNodes);
  fs::create_directories(folder_ / "out");
  {
    // What a batch running into the folder holds.
    const int busy = ::open((folder_ / "out").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(busy, 0);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    const auto refused = Fishbone({"generate", "in", "-o", "out", "--jobs", "2", "--pictures"});
    ::close(busy);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "fishbone: another run is writing into the folder \"out\"; wait until "
              "it has finished, or choose another folder\n");
    EXPECT_TRUE(fs::is_empty(folder_ / "out"));
  }
  const auto run = Fishbone({"generate", "in", "-o", "out", "--jobs", "2", "--pictures"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::exists(folder_ / "out" / "nine" / "PIC1.emf"));
}

TEST_F(Batch, WrongBatchCommandLinesAreUsageErrors) {
  Write("a.txt", kNineNodes);
  Write("b.txt", kNineNodes);
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"generate", "a.txt", "b.txt"}, "several trees need -o FOLDER"},
      {{"generate", "a.txt", "b.txt", "-o", "out", "--jobs", "0"}, "--jobs takes a number"},
      {{"generate", "a.txt", "-", "-o", "out"}, "standard input cannot be one of several"},
      // Options of one tree say so, by name.
      {{"generate", "a.txt", "b.txt", "--fit"},
       "--fit takes one tree file only, not also \"b.txt\""},
      {{"generate", "a.txt", "b.txt", "--trace", "t"}, "--trace takes one tree file only"},
      {{"generate", ".", "--layout-report", "l.json"},
       "--layout-report takes one tree file, not the folder \".\""},
      // A report's name is no folder for many.
      {{"generate", "a.txt", "--jobs", "2", "-o", "out.xlsx"},
       "-o \"out.xlsx\" names a report file, but many reports need a folder (-o FOLDER/)"},
      {{"generate", "a.txt", "b.txt", "-o", "out.PDF"}, "-o \"out.PDF\" names a report file"},
  };
  for (const auto& c : cases) {
    const auto run = Fishbone(c.args);
    EXPECT_EQ(run.status, 2) << c.message;
    EXPECT_THAT(run.err, HasSubstr(c.message));
  }
  // A folder where one tree's options want a file is refused before the run, not after it.
  const auto folder = Fishbone({"generate", "a.txt", "-o", "out/", "--fit"});
  EXPECT_EQ(folder.status, 1);
  EXPECT_EQ(folder.err,
            "fishbone: --output \"out/\" is a folder, and --output takes a file; a folder of "
            "reports is for several trees, which --fit does not take\n");
  for (const char* name : {"out", "out.xlsx", "out.PDF", "t", "l.json", "state/fishbone/runs"}) {
    EXPECT_FALSE(fs::exists(folder_ / name)) << name;
  }
}

TEST_F(Batch, AnOutputOfAnyTreeThatIsATreeFileIsRefusedBeforeAnythingIsWritten) {
  Write("coll/plan.pdf", kNineNodes);  // a tree, whatever its name says
  Write("coll/other.txt", kNineNodes);
  Write("coll/t.png", kNineNodes);
  Write("coll/t.txt", kNineNodes);
  Write("coll/t/PIC1.png", kNineNodes);
  const struct {
    std::vector<std::string> args;
    std::string output, tree;
  } cases[] = {
      // The tree's own PDF.
      {{"coll/plan.pdf", "coll/other.txt", "-o", "coll/", "--pdf"},
       "coll/plan.pdf",
       "coll/plan.pdf"},
      // Another tree's file: t.txt's PNG is coll/t.png, which is a tree (named t-2 in the batch).
      {{"coll/t.txt", "coll/t.png", "-o", "coll", "--png"}, "coll/t.png", "coll/t.png"},
      // A picture of t.txt, through a folder named another way.
      {{"coll/t/PIC1.png", "coll/t.txt", "-o", "coll/./", "--pictures"},
       "coll/./t/PIC1.png",
       "coll/t/PIC1.png"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"generate"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto run = Fishbone(args);
    EXPECT_EQ(run.status, 1) << c.output;
    EXPECT_EQ(run.err, "fishbone: the output \"" + c.output + "\" is the tree file \"" + c.tree +
                           "\": writing it would destroy the tree; nothing is written\n");
  }
  const auto files = FilesBelow(folder_ / "coll");
  EXPECT_EQ(files.size(), 5u);
  for (const auto& [name, bytes] : files) EXPECT_EQ(bytes, kNineNodes) << name;
  EXPECT_FALSE(fs::exists(folder_ / "state/fishbone/runs")) << "no run was started";
}

}  // namespace
