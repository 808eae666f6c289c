// The files the desktop reads and keeps: analyses given to it (only a regular file within the
// command line's limits, its problems listed as the command line lists them), the recovery file
// (one running program's alone, and never lost or written through), the help file (damage that
// kills the help library does not kill the desktop), and the socket of the single-instance guard.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>
#include <vector>

#include "apps/fishbone-gui/desktop_app.h"
#include "apps/fishbone-gui/single_instance.h"
#include "apps/fishbone/sample_analysis.h"
#include "apps/gui/desk.h"
#include "platform/os/atomic_file.h"
#include "platform/ui/headless_dialogs.h"
#include "platform/xlsx/xlsx_writer.h"
#include "src/editor/work.h"
#include "src/windows/help_topics.h"

namespace {

namespace vb = fb::ui::vb;
namespace fs = std::filesystem;
using gui_test::Desk;
using gui_test::ReadFile;

fs::path HomeOf(const Desk& desk) {
  return desk.home.path().toStdString();
}

// A reader that opens a FIFO without looking first waits there for a writer. While this lives it
// comes as one and leaves at once, so such a reader sees an empty file instead of hanging the
// test; a program that never opens the FIFO is not touched.
class FifoVisitor {
 public:
  explicit FifoVisitor(fs::path fifo)
      : thread_([this, fifo = std::move(fifo)] {
          while (!done_) {
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
              ::close(fd);
              ++visits_;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
          }
        }) {}
  ~FifoVisitor() {
    done_ = true;
    thread_.join();
  }
  int visits() const { return visits_; }

 private:
  std::atomic<bool> done_{false};
  std::atomic<int> visits_{0};
  std::thread thread_;
};

// The tree of a second analysis, unlike the sample.
constexpr const char* kOtherAnalysis = "焊缝气孔超标\n  人\n    焊工未持证上岗\n";

}  // namespace

class DesktopFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void only_a_regular_file_within_the_limit_is_read_as_an_analysis() {
    Desk desk;
    const fs::path home = HomeOf(desk);
    const fs::path fifo = home / "pipe.txt";
    QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path folder = home / "folder.txt";
    fs::create_directory(folder);
    // Sparse: one byte over the limit costs no disk.
    const fs::path large = home / "large.txt";
    { std::ofstream(large) << "问题\n"; }
    fs::resize_file(large, kivo2d::kMaxTreeFileBytes + 1);
    struct Case {
      fs::path file;
      const char* reason;
    };
    const Case cases[] = {
        {"/dev/zero", "it is a device, not a file"},
        {fifo, "it is a FIFO (named pipe), not a file"},
        {folder, "Is a directory"},
        {large, "it is larger than 2 MiB"},
    };
    auto app = desk.Make();
    const FifoVisitor visitor(fifo);
    for (const Case& c : cases) {
      desk.dialogs.clear_transcript();
      QVERIFY2(!app->OpenAnalysis(c.file), c.file.c_str());
      const auto boxes = desk.dialogs.message_boxes();
      QCOMPARE(boxes.size(), std::size_t{1});
      QVERIFY2(boxes[0].text.find("\"" + c.file.string() + "\"") != std::string::npos &&
                   boxes[0].text.find(c.reason) != std::string::npos,
               boxes[0].text.c_str());
      QVERIFY(app->Editor() == nullptr);
    }
    QCOMPARE(visitor.visits(), 0);
  }

  void a_file_that_is_no_tree_file_is_named_with_its_problem_in_two_lines() {
    Desk desk;
    const fs::path home = HomeOf(desk);
    std::string binary;
    for (int i = 0; i < 3000; ++i)
      binary += std::string(
          "\x7F"
          "ELF\x02\x01\0\0\x03>\n",
          12);
    fb::xlsx::Document plain;
    plain.sheets.resize(1);
    plain.sheets[0].name = "Sheet1";
    struct Case {
      const char* name;
      std::string bytes;
      const char* reason;
    };
    const Case cases[] = {
        {"program.txt", binary, "它不是文本文件"},
        // The outline "焊缝气孔超标 / 人 / 焊工未持证上岗" saved in GBK.
        {"gbk.txt",
         "\xBA\xB8\xB7\xEC\xC6\xF8\xBF\xD7\xB3\xAC\xB1\xEA\n  \xC8\xCB\n"
         "    \xBA\xB8\xB9\xA4\xCE\xB4\xB3\xD6\xD6\xA4\xC9\xCF\xB8\xDA\n",
         "可能是 GBK 等旧编码"},
        {"plain.xlsx", fb::xlsx::package_bytes(plain), "the workbook holds no analysis"},
        {"damaged.xlsx", std::string("PK\x03\x04", 4) + binary, "the workbook cannot be read"},
    };
    auto app = desk.Make();
    for (const Case& c : cases) {
      const fs::path file = home / c.name;
      fb::os::write_file_atomically(file, c.bytes);
      desk.dialogs.clear_transcript();
      QVERIFY2(!app->OpenAnalysis(file), c.name);
      const auto boxes = desk.dialogs.message_boxes();
      QCOMPARE(boxes.size(), std::size_t{1});
      const std::string& text = boxes[0].text;
      QVERIFY2(std::count(text.begin(), text.end(), '\r') == 1 &&
                   text.find('\n') == std::string::npos && text.size() < 400,
               text.c_str());
      QVERIFY2(text.find("\"" + file.string() + "\"") != std::string::npos &&
                   text.find(c.reason) != std::string::npos,
               text.c_str());
      QVERIFY(app->Editor() == nullptr);
    }
  }

  void a_file_of_many_problems_lists_the_first_hundred_then_counts_the_rest() {
    Desk desk;
    const fs::path file = HomeOf(desk) / "many.xml";
    std::string xml = R"(<NODES><NODE Caption="问题" Key="A" ParentKey=""/>)";
    for (int i = 0; i < 2000; ++i)
      xml +=
          "\n"
          R"(<NODE Caption="重复" Key="A1" ParentKey="A"/>)";
    xml += "\n</NODES>";
    fb::os::write_file_atomically(file, xml);
    auto app = desk.Make();
    QVERIFY(!app->OpenAnalysis(file));
    const auto boxes = desk.dialogs.message_boxes();
    QCOMPARE(boxes.size(), std::size_t{1});
    std::istringstream text(boxes[0].text.substr(boxes[0].text.find('\r') + 1));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    QCOMPARE(lines.size(), std::size_t{101});
    for (std::size_t i = 0; i < 100; ++i) {
      QVERIFY2(lines[i].starts_with("many.xml:") && std::isdigit(lines[i][9]), lines[i].c_str());
    }
    // Every duplicate is a problem: far more than a hundred are left.
    const std::string& last = lines.back();
    QVERIFY2(last.starts_with("many.xml: ... and ") && last.ends_with(" more problems"),
             last.c_str());
    QVERIFY2(std::stoi(last.substr(std::string("many.xml: ... and ").size())) >= 1900,
             last.c_str());
  }

  void the_recovery_file_belongs_to_the_running_program_alone() {
    // Two programs the single-instance guard did not keep apart (another runtime folder) share
    // the state folder and with it the recovery file.
    Desk desk;
    const fs::path other = HomeOf(desk) / "other.txt";
    fb::os::write_file_atomically(other, kOtherAnalysis);
    auto first = desk.Make();
    first->Start();
    QVERIFY(first->OpenAnalysis(desk.sample));
    const fs::path recovery = first->recovery_file();
    const std::string kept = ReadFile(recovery);
    QVERIFY(!kept.empty());

    // The second neither offers the first one's live file nor removes it on a No ...
    auto second = desk.Make();
    desk.dialogs.queue_answer(vb::vbNo);
    desk.dialogs.clear_transcript();
    second->Start();
    QCOMPARE(desk.dialogs.pending_answers(), std::size_t{1});
    QCOMPARE(ReadFile(recovery), kept);
    // ... nor writes its own analysis into it, and says that it is not kept.
    QVERIFY(second->OpenAnalysis(other));
    second->KeepRecoveryFile();
    QCOMPARE(ReadFile(recovery), kept);
    const auto boxes = desk.dialogs.message_boxes();
    QVERIFY(!boxes.empty());
    QVERIFY2(boxes.back().text.find("另一个正在运行的") != std::string::npos &&
                 boxes.back().text.find(recovery.string()) != std::string::npos,
             boxes.back().text.c_str());
    // Quitting the second leaves it too (the No still queued declines saving its analysis).
    QVERIFY(second->MayQuit());
    QCOMPARE(desk.dialogs.pending_answers(), std::size_t{0});
    QCOMPARE(ReadFile(recovery), kept);
    second.reset();

    // The first one ends without quitting, as after a crash: the next program owns the file and
    // gets the first one's analysis back.
    first.reset();
    auto next = desk.Make();
    desk.dialogs.queue_answer(vb::vbYes);
    next->Start();
    QCOMPARE(desk.dialogs.pending_answers(), std::size_t{0});
    QVERIFY(next->Editor() != nullptr);
    QCOMPARE(next->Editor()->TreeView1.count(), 34);
  }

  void what_cannot_be_restored_is_moved_aside_and_never_written_over() {
    struct Case {
      const char* name;
      // Puts the thing at the recovery file's name; returns what must come to no harm.
      std::function<fs::path(const fs::path& recovery, const fs::path& home)> place;
      const char* reason;
    };
    const Case cases[] = {
        {"a truncated file",
         [](const fs::path& recovery, const fs::path&) {
           const std::string whole = R"(<NODES><NODE Caption="问题" Key="A" ParentKey=""/>)";
           fb::os::write_file_atomically(recovery, whole.substr(0, whole.size() / 2));
           // An earlier leftover keeps its name: the new one takes the next.
           fb::os::write_file_atomically(recovery.parent_path() / "recovery-unreadable-1.xml",
                                         "earlier");
           return fs::path();
         },
         "malformed XML"},
        {"a link to a tree elsewhere",
         [](const fs::path& recovery, const fs::path& home) {
           const fs::path target = home / "elsewhere.xml";
           fb::os::write_file_atomically(
               target,
               "<NODES>\n<NODE Caption=\"问题\" Key=\"A\" ParentKey=\"\"/>\n<NODE Caption=\"人\" "
               "Key=\"A1\" ParentKey=\"A\"/>\n<NODE Caption=\"疲劳\" Key=\"A11\" "
               "ParentKey=\"A1\"/>\n</NODES>\n");
           fs::create_symlink(target, recovery);
           return target;
         },
         "符号链接"},
        {"a link to /dev/zero",
         [](const fs::path& recovery, const fs::path&) {
           fs::create_symlink("/dev/zero", recovery);
           return fs::path();
         },
         "符号链接"},
        {"a link to nothing",
         [](const fs::path& recovery, const fs::path& home) {
           fs::create_symlink(home / "gone.xml", recovery);
           return fs::path();
         },
         "符号链接"},
        {"a FIFO",
         [](const fs::path& recovery, const fs::path&) {
           ::mkfifo(recovery.c_str(), 0600);
           return fs::path();
         },
         "不是普通文件"},
    };
    for (const Case& c : cases) {
      Desk desk;
      fs::path recovery;
      {
        auto probe = desk.Make();
        recovery = probe->recovery_file();
      }
      const fs::path unharmed = c.place(recovery, HomeOf(desk));
      const std::string unharmed_bytes = unharmed.empty() ? "" : ReadFile(unharmed);
      struct stat placed {};
      QCOMPARE(::lstat(recovery.c_str(), &placed), 0);
      const std::string earlier_aside =
          ReadFile(recovery.parent_path() / "recovery-unreadable-1.xml");
      const fs::path aside =
          recovery.parent_path() /
          (earlier_aside.empty() ? "recovery-unreadable-1.xml" : "recovery-unreadable-2.xml");

      auto app = desk.Make();
      const FifoVisitor visitor(recovery);
      // A Yes at hand in case a restore is offered: there is nothing to restore.
      desk.dialogs.queue_answer(vb::vbYes);
      app->Start();
      QVERIFY2(desk.dialogs.pending_answers() == 1, c.name);
      const auto boxes = desk.dialogs.message_boxes();
      QVERIFY2(boxes.size() == 1, c.name);
      QVERIFY2(boxes[0].text.find(aside.string()) != std::string::npos &&
                   boxes[0].text.find(c.reason) != std::string::npos,
               boxes[0].text.c_str());

      // Moved as it was: a link still a link to the same place, a FIFO still a FIFO.
      struct stat moved {};
      QVERIFY2(::lstat(aside.c_str(), &moved) == 0, c.name);
      QVERIFY2(
          (moved.st_mode & S_IFMT) == (placed.st_mode & S_IFMT) && moved.st_ino == placed.st_ino,
          c.name);
      if (!earlier_aside.empty()) {
        QCOMPARE(ReadFile(recovery.parent_path() / "recovery-unreadable-1.xml"), earlier_aside);
      }

      // The editor's analysis is kept in a new regular file; nothing else is written.
      QVERIFY(app->OpenAnalysis(desk.sample));
      app->KeepRecoveryFile();
      QVERIFY2(fs::is_regular_file(fs::symlink_status(recovery)), c.name);
      QVERIFY(ReadFile(recovery).find("注塑外壳表面缩痕") != std::string::npos);
      QVERIFY2(::lstat(aside.c_str(), &moved) == 0 && moved.st_ino == placed.st_ino, c.name);
      if (!unharmed.empty()) QCOMPARE(ReadFile(unharmed), unharmed_bytes);
    }
  }

  void a_help_file_that_kills_the_help_library_leaves_the_desktop_running() {
    // The product's help file beside the program with the compressed section's window size
    // zeroed: the compiled-help library divides by it.
    Desk desk;
    const fs::path folder = HomeOf(desk) / "component";
    fs::create_directory(folder);
    {
      auto probe = desk.Make();
      std::string bytes = ReadFile(probe->HelpFile());
      const std::size_t control = bytes.find("LZXC");
      QVERIFY(control != std::string::npos);
      bytes.replace(control + 12, 4, std::string(4, '\0'));
      fb::os::write_file_atomically(folder / probe->HelpFile().filename(), bytes);
    }
    desk.component_folder = folder.string();
    auto app = desk.Make();
    app->Start();
    QVERIFY(app->OpenAnalysis(desk.sample));
    desk.dialogs.clear_transcript();
    app->Editor()->Help.click();
    const auto boxes = desk.dialogs.message_boxes();
    QCOMPARE(boxes.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(boxes[0].text),
             QString::fromStdString(std::string(kivo2d::kHelpFileMissingMessage)));
    QVERIFY(desk.dialogs.help_requests().empty());
    QVERIFY(app->Editor() != nullptr);
  }

  void the_single_instance_guard_holds_for_a_socket_path_of_any_length() {
    QTemporaryDir base;
    // Within the socket address's 107 bytes, just past them, and past a file name's 255.
    for (const int extra : {0, 100, 400}) {
      fs::path folder = base.path().toStdString();
      for (int left = extra; left > 0; left -= 200) {
        folder /= std::string(static_cast<std::size_t>(std::min(left, 200)), 'd');
      }
      fs::create_directories(folder);
      const QString socket = QString::fromStdString((folder / "instance").string());
      fishbone_gui::SingleInstance first(socket);
      int raised = 0;
      QVERIFY2(first.Listen([&raised] { ++raised; }), qPrintable(first.problem()));
      fishbone_gui::SingleInstance second(socket);
      QVERIFY2(second.RaiseRunningInstance(), qPrintable(socket));
      QTRY_COMPARE(raised, 1);
    }
    // Where the guard cannot work, it says so, naming the socket.
    const QString nowhere = base.path() + "/missing/instance";
    fishbone_gui::SingleInstance guard(nowhere);
    QVERIFY(!guard.Listen({}));
    QVERIFY2(guard.problem().contains(nowhere), qPrintable(guard.problem()));
  }
};

QTEST_MAIN(DesktopFilesTest)
#include "desktop_files_test.moc"
