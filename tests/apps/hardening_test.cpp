// The command line under hostile or careless use: inputs that are no tree, outputs that are no
// plain file or are the input itself, runs stopped in the middle, leftovers of killed runs.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/os/process_tag.h"
#include "tests/apps/process.h"
#include "tests/support/python_reader.h"

namespace {

namespace fs = std::filesystem;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

constexpr const char* kTree = "问题\n  人\n    培训不足\n  机\n    主轴\n";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The tag of a process of this machine that has ended.
std::string DeadProcessTag() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string mine = fb::os::process_tag();
  return mine.substr(0, mine.rfind('-')) + "-" + std::to_string(child);
}

// The line of a node in the small trees below: A1 on line 3, A11 on 4, A12 on 5.
int LineOfKey(const std::string& key) {
  return key == "A1" ? 3 : key == "A11" ? 4 : 5;
}

class Hardening : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "fb-hard-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    fs::create_directories(state());
    fs::permissions(state(), fs::perms::owner_all, fs::perm_options::replace);
    std::ofstream(tree(), std::ios::binary) << kTree;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  fs::path state() const { return folder_ / "state"; }
  fs::path runs() const { return state() / "fishbone" / "runs"; }
  fs::path tree() const { return folder_ / "t.txt"; }
  fbtest::ProcessOptions Options() const {
    fbtest::ProcessOptions options;
    options.environment = {{"XDG_RUNTIME_DIR", state().string()}};
    options.folder = folder_.string();
    return options;
  }
  fbtest::ProcessResult Fishbone(const std::vector<std::string>& args) const {
    return fbtest::RunProcess(FB_FISHBONE_EXE, args, Options());
  }
  fs::path folder_;
};

TEST_F(Hardening, InputThatCannotBeATreeIsRefusedWithoutReadingItAll) {
  const auto zero = Fishbone({"check", "/dev/zero"});
  EXPECT_EQ(zero.status, 1);
  EXPECT_EQ(zero.err,
            "fishbone: cannot read \"/dev/zero\": it is larger than 2 MiB, and a tree file of at "
            "most 51 nodes is far smaller\n");
  fbtest::ProcessOptions options = Options();
  options.input = std::string(3 * 1024 * 1024, '<');
  const auto piped = fbtest::RunProcess(FB_FISHBONE_EXE, {"check", "-"}, options);
  EXPECT_EQ(piped.status, 1);
  EXPECT_THAT(piped.err, StartsWith("fishbone: cannot read standard input: it is larger than"));
}

TEST_F(Hardening, ManyProblemsStopAfterAHundredLines) {
  std::string xml = "<NODES>\n<NODE Caption=\"p\" Key=\"A\" ParentKey=\"\"/>\n";
  for (int i = 0; i < 300; ++i) xml += "<NODE Caption=\"c\" Key=\"A1\" ParentKey=\"A\"/>\n";
  xml += "</NODES>\n";
  std::ofstream(folder_ / "dup.xml", std::ios::binary) << xml;
  const auto run = Fishbone({"check", "dup.xml"});
  EXPECT_EQ(run.status, 1);
  std::vector<std::string> lines;
  std::istringstream err(run.err);
  for (std::string line; std::getline(err, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 101u);
  EXPECT_EQ(lines[0],
            "dup.xml:3:1: main cause A1 \"c\" has no child: "
            "请确认:您录入的主原因下是否至少存在一个子原因！");
  EXPECT_THAT(lines[1], StartsWith("dup.xml:4:1: duplicate key \"A1\" (first on line 3)"));
  EXPECT_EQ(lines[100], "dup.xml: ... and 201 more problems");
}

TEST_F(Hardening, AnEmptyCaptionIsRefusedByCheckAndGenerateAlike) {
  // Empty as the last cause, a middle cause, a main cause: each once broke the run differently.
  const char* const keys[] = {"A12", "A11", "A1"};
  for (const char* empty : keys) {
    SCOPED_TRACE(empty);
    std::string xml = "<NODES>\n<NODE Caption=\"p\" Key=\"A\" ParentKey=\"\"/>\n";
    for (const char* key : {"A1", "A11", "A12"}) {
      const std::string k = key;
      xml += "<NODE Caption=\"" + std::string(k == empty ? "" : "c" + k) + "\" Key=\"" + k +
             "\" ParentKey=\"" + k.substr(0, k.size() - 1) + "\"/>\n";
    }
    xml += "</NODES>\n";
    std::ofstream(folder_ / "e.xml", std::ios::binary) << xml;
    const std::string problem = "e.xml:" + std::to_string(LineOfKey(empty)) +
                                ":1: the caption of " + empty +
                                " is empty: every node needs a caption, which the report shows\n";
    const auto check = Fishbone({"check", "e.xml"});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.err, problem);
    const auto generate = Fishbone({"generate", "e.xml", "-o", "e.xlsx"});
    EXPECT_EQ(generate.status, 1);
    EXPECT_EQ(generate.err, problem + "fishbone: no report from e.xml: the tree has 1 problem\n");
    EXPECT_FALSE(fs::exists(folder_ / "e.xlsx"));
  }
}

TEST_F(Hardening, AnOutputThatIsTheInputIsRefusedAndTheTreeKept) {
  fs::create_symlink("t.txt", folder_ / "link.xlsx");
  fs::create_directory(folder_ / "pics");
  std::ofstream(folder_ / "pics" / "PIC1.png", std::ios::binary) << kTree;
  struct Case {
    std::vector<std::string> args;
    std::string output;
  };
  const Case cases[] = {
      {{"generate", "t.txt", "-o", "t.txt"}, "t.txt"},
      {{"generate", "t.txt", "--png", "./t.txt"}, "./t.txt"},
      {{"generate", "t.txt", "--pdf", (folder_ / "t.txt").string()}, (folder_ / "t.txt").string()},
      {{"generate", "t.txt", "--data", "link.xlsx"}, "link.xlsx"},
      {{"generate", "pics/PIC1.png", "--pictures", "pics"}, "pics/PIC1.png"},
      {{"convert", "t.txt", "-o", "t.txt", "--to", "xml"}, "t.txt"},
  };
  for (const Case& c : cases) {
    const auto run = Fishbone(c.args);
    EXPECT_EQ(run.status, 1) << c.args[3];
    const std::string input = c.args[1];
    EXPECT_EQ(run.err, "fishbone: the output \"" + c.output + "\" is the tree file \"" + input +
                           "\": writing it would destroy the tree; nothing is written\n");
    EXPECT_EQ(ReadAll(folder_ / input), kTree) << c.args[3];
  }
  EXPECT_FALSE(fs::exists(runs())) << "no run was started";
  // Tidying a tree in place, in its own format, is fine.
  const auto tidy = Fishbone({"convert", "t.txt", "-o", "t.txt"});
  EXPECT_EQ(tidy.status, 0) << tidy.err;
  EXPECT_EQ(ReadAll(tree()), kTree);
}

TEST_F(Hardening, TwoOutputsInOneFileAreRefusedBeforeTheRun) {
  std::ofstream(folder_ / "old.xlsx", std::ios::binary) << "earlier";
  fs::create_symlink("old.xlsx", folder_ / "link.pdf");
  fs::create_hard_link(folder_ / "old.xlsx", folder_ / "hard.png");
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"-o", "r.xlsx", "--layout-report", "r.xlsx"},
       "--output and --layout-report name one file, \"r.xlsx\""},
      {{"-o", "r.xlsx", "--pdf", "./r.xlsx"}, "--output and --pdf name one file, \"./r.xlsx\""},
      {{"--data", "old.xlsx", "--pdf", "link.pdf"}, "--pdf and --data name one file, \"old.xlsx\""},
      {{"-o", "old.xlsx", "--png", "hard.png"}, "--output and --png name one file, \"hard.png\""},
      {{"--pictures", "p", "--png", "p/PIC1.png"},
       "--png \"p/PIC1.png\" is a file --pictures writes into \"p\""},
      {{"--trace", "d", "--pdf", "d"}, "--pdf \"d\" is the folder --trace writes into"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"generate", "t.txt"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto run = Fishbone(args);
    EXPECT_EQ(run.status, 2) << c.message;
    EXPECT_THAT(run.err, StartsWith("fishbone generate: " + c.message +
                                    ": each output needs a file of its own\n"));
  }
  EXPECT_FALSE(fs::exists(runs())) << "no run was started";
  for (const char* name : {"r.xlsx", "p", "d"}) EXPECT_FALSE(fs::exists(folder_ / name)) << name;
  EXPECT_EQ(ReadAll(folder_ / "old.xlsx"), "earlier");
}

TEST_F(Hardening, DevicesAndFifosAreWrittenIntoAndKeepTheirType) {
  const auto null = Fishbone({"generate", "t.txt", "-o", "/dev/null", "--png", "/dev/null"});
  EXPECT_EQ(null.status, 0) << null.err;
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  const fs::path fifo = folder_ / "report.fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = ReadAll(fifo); });
  const auto piped = Fishbone({"generate", "t.txt", "-o", fifo.string()});
  reader.join();
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_THAT(received, StartsWith("PK"));  // the whole workbook came through the FIFO
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));

  if (::geteuid() != 0) GTEST_SKIP() << "a device node of the test's own needs root";
  const fs::path node = folder_ / "null";
  ASSERT_EQ(::mknod(node.c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0) << std::strerror(errno);
  const auto device = Fishbone({"generate", "t.txt", "-o", node.string(), "--pdf", node.string()});
  EXPECT_EQ(device.status, 0) << device.err;
  EXPECT_TRUE(fs::is_character_file(fs::symlink_status(node)));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 4)
      << "no temporary file beside the device";
}

TEST_F(Hardening, AStoppedRunRemovesItsFolder) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    const pid_t child = ::fork();
    if (child == 0) {
      const int null = ::open("/dev/null", O_RDWR);
      ::dup2(null, 0);
      ::dup2(null, 1);
      ::dup2(null, 2);
      if (::chdir(folder_.c_str()) != 0) ::_exit(126);
      ::setenv("XDG_RUNTIME_DIR", state().c_str(), 1);
      ::execl(FB_FISHBONE_EXE, FB_FISHBONE_EXE, "generate", "t.txt", "--trace", "trace",
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ASSERT_GT(child, 0);
    // Wait until the run has made its folder, then stop it.
    bool started = false;
    for (int i = 0; i < 20000 && !started; ++i) {
      std::error_code ignored;
      started = fs::exists(runs(), ignored) && !fs::is_empty(runs(), ignored);
      if (!started) std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    ASSERT_TRUE(started) << "the run never made its folder";
    ::kill(child, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (WIFEXITED(status)) {
      // It finished before the signal came: nothing to clean, and nothing may be left.
      EXPECT_EQ(WEXITSTATUS(status), 0);
    } else {
      EXPECT_EQ(WTERMSIG(status), signal);
    }
    EXPECT_TRUE(fs::is_empty(runs()));
    std::error_code no_trace;
    for (const auto& item : fs::directory_iterator(folder_ / "trace", no_trace)) {
      EXPECT_THAT(item.path().filename().string(), Not(HasSubstr(".tmp-")));
    }
  }
}

TEST_F(Hardening, AClosedPipeAtTheOutputRemovesTheRunFolder) {
  // `fishbone generate t.txt --pdf /dev/stdout | reader` with a reader that has quit.
  int pipe_ends[2];
  ASSERT_EQ(::pipe(pipe_ends), 0);
  ::close(pipe_ends[0]);
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(pipe_ends[1], 1);
    ::dup2(null, 2);
    ::signal(SIGPIPE, SIG_DFL);  // as a shell leaves it
    if (::chdir(folder_.c_str()) != 0) ::_exit(126);
    ::setenv("XDG_RUNTIME_DIR", state().c_str(), 1);
    ::execl(FB_FISHBONE_EXE, FB_FISHBONE_EXE, "generate", "t.txt", "-o", "r.xlsx", "--pdf",
            "/dev/stdout", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ASSERT_GT(child, 0);
  ::close(pipe_ends[1]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  // It dies of the signal once the folder is gone, or fails to write the PDF first.
  EXPECT_TRUE((WIFSIGNALED(status) && WTERMSIG(status) == SIGPIPE) ||
              (WIFEXITED(status) && WEXITSTATUS(status) == 1))
      << status;
  std::error_code none;
  EXPECT_TRUE(!fs::exists(runs(), none) || fs::is_empty(runs()));
  for (const auto& item : fs::directory_iterator(folder_)) {
    EXPECT_THAT(item.path().filename().string(), Not(HasSubstr(".tmp-")));
  }
}

TEST_F(Hardening, ReportNamesUpToTheLongestAFolderTakesAreWritten) {
  // The temporary file beside a report is named after it, and must fit too.
  for (const std::size_t length : {236u, 250u, 255u}) {
    const std::string name = std::string(length - 5, 'r') + ".xlsx";
    const auto run = Fishbone({"generate", "t.txt", "-o", name});
    EXPECT_EQ(run.status, 0) << length << ": " << run.err;
    EXPECT_THAT(ReadAll(folder_ / name), StartsWith("PK")) << length;
    fs::remove(folder_ / name);
  }
  for (const auto& item : fs::directory_iterator(folder_)) {
    EXPECT_THAT(item.path().filename().string(), Not(HasSubstr(".tmp-")));
  }
}

TEST_F(Hardening, LeftoversOfKilledRunsAreReaped) {
  const std::string dead = DeadProcessTag();
  const std::string alive = fb::os::process_tag();  // this test process: still running
  fs::create_directories(runs() / ("run-" + dead + "-AbCdEf") / "windows" / "Temp");
  fs::create_directories(runs() / ("run-" + alive + "-XyZ123"));
  std::ofstream(folder_ / (".report.xlsx.tmp-" + dead + "-3"), std::ios::binary) << "half";
  const auto run = Fishbone({"generate", "t.txt", "-o", "report.xlsx"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(fs::exists(runs() / ("run-" + dead + "-AbCdEf")));
  EXPECT_TRUE(fs::exists(runs() / ("run-" + alive + "-XyZ123")));
  EXPECT_FALSE(fs::exists(folder_ / (".report.xlsx.tmp-" + dead + "-3")));
  EXPECT_THAT(ReadAll(folder_ / "report.xlsx"), StartsWith("PK"));
}

TEST_F(Hardening, TwoRunsOnOneOutputLeaveOneWholeReport) {
  const auto python = fbtest::PythonWith("openpyxl");
  if (!python) GTEST_SKIP() << "no python with openpyxl";
  std::ofstream(folder_ / "first.txt", std::ios::binary) << "甲问题\n  人\n    培训\n";
  std::ofstream(folder_ / "second.txt", std::ios::binary) << "乙问题\n  机\n    主轴\n    夹具\n";
  fbtest::ProcessResult first;
  std::thread other([&] { first = Fishbone({"generate", "first.txt", "-o", "report.xlsx"}); });
  const auto second = Fishbone({"generate", "second.txt", "-o", "report.xlsx"});
  other.join();
  ASSERT_EQ(first.status, 0) << first.err;
  ASSERT_EQ(second.status, 0) << second.err;
  // A whole workbook that a real reader opens, from one run or the other: the diagram's picture
  // (EMF text is UTF-16) names one main problem.
  const auto read = fbtest::RunCommand(
      *python +
      " -W ignore -c 'import openpyxl,sys,zipfile; openpyxl.load_workbook(sys.argv[1]); "
      "z=zipfile.ZipFile(sys.argv[1]); "
      "print(*[w for w in (\"first\",\"second\") if any((\"甲问题\" if w==\"first\" else "
      "\"乙问题\").encode(\"utf-16-le\") in z.read(n) for n in z.namelist())])' " +
      (folder_ / "report.xlsx").string());
  ASSERT_EQ(read.status, 0) << read.output;
  EXPECT_TRUE(read.output == "first\n" || read.output == "second\n") << read.output;
  for (const auto& item : fs::directory_iterator(folder_)) {
    EXPECT_THAT(item.path().filename().string(), Not(HasSubstr(".tmp-")));
  }
}

TEST_F(Hardening, APictureSetIsReplacedWholeOrNotAtAll) {
  // The second run fails while its pictures are written (a full disk: the diagram's EMF, about
  // 150 kB, does not fit), or after them (the PDF's folder is missing). Either way the folder
  // keeps the first run's set, whole, and nothing of the second.
  std::ofstream(folder_ / "second.txt", std::ios::binary) << "乙问题\n  机\n    主轴\n    夹具\n";
  const auto first = Fishbone({"generate", "t.txt", "-o", "first.xlsx", "--pictures", "pics"});
  ASSERT_EQ(first.status, 0) << first.err;
  const auto pictures = [&] {
    std::map<std::string, std::string> files;
    for (const auto& item : fs::directory_iterator(folder_ / "pics")) {
      files[item.path().filename().string()] = ReadAll(item.path());
    }
    return files;
  };
  const auto kept = pictures();
  ASSERT_EQ(kept.size(), 9u);
  struct Failure {
    long file_size_limit;
    std::string pdf;
    std::string says;
  };
  for (const Failure& failure : {Failure{120000, "second.pdf", "File too large"},
                                 Failure{0, "missing/second.pdf", "No such file or directory"}}) {
    SCOPED_TRACE(failure.says);
    fbtest::ProcessOptions options = Options();
    if (failure.file_size_limit > 0) options.file_size_limit = failure.file_size_limit;
    const auto second = fbtest::RunProcess(
        FB_FISHBONE_EXE,
        {"generate", "second.txt", "-o", "second.xlsx", "--pdf", failure.pdf, "--pictures", "pics"},
        options);
    EXPECT_EQ(second.status, 1);
    EXPECT_THAT(second.err, HasSubstr(failure.says));
    EXPECT_TRUE(pictures() == kept) << "the pictures folder changed";
  }
}

TEST_F(Hardening, LeftoversOfKilledRunsInAPicturesFolderAreReaped) {
  const fs::path leftover = folder_ / "pics" / (".pictures-" + DeadProcessTag() + "-abcdef");
  fs::create_directories(leftover);
  std::ofstream(leftover / "PIC1.emf") << "half";
  const auto run = Fishbone({"generate", "t.txt", "-o", "r.xlsx", "--pictures", "pics"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(fs::exists(leftover));
  EXPECT_TRUE(fs::exists(folder_ / "pics" / "PIC3.svg"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "pics"), fs::directory_iterator()), 9);
}

TEST_F(Hardening, ASuccessThatCannotBeSavedSaysSoLast) {
  const auto run = Fishbone({"generate", "t.txt", "--pdf", "missing/report.pdf"});
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, HasSubstr("[提示] 已经完成报告"));
  EXPECT_THAT(run.err, HasSubstr("cannot write \"missing/report.pdf\""));
  EXPECT_THAT(run.err, EndsWith("fishbone: the report was generated but not saved: the run "
                                "failed\n"));
}

}  // namespace
