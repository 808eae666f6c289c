// The files the desktop reads and keeps: analyses given to it (only a regular
// file within the command line's limits, its problems listed as the command
// line lists them), the recovery file (one running program's alone, and never
// lost or written through), and the socket of the single-instance guard.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>
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
#include "apps/fishbone/sample_analysis.h"
#include "apps/gui/desk.h"
#include "platform/os/atomic_file.h"
#include "platform/ui/headless_dialogs.h"
#include "src/editor/work.h"

namespace {

namespace vb = fb::ui::vb;
namespace fs = std::filesystem;
using gui_test::Desk;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

fs::path HomeOf(const Desk& desk) {
  return desk.home.path().toStdString();
}

// A reader that opens a FIFO without looking first waits there for a writer.
// While this lives it comes as one and leaves at once, so such a reader sees an
// empty file instead of hanging the test; a program that never opens the FIFO
// is not touched.
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
};

QTEST_MAIN(DesktopFilesTest)
#include "desktop_files_test.moc"
