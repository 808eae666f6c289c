#include "platform/ui/help_reader_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <system_error>

#include "platform/os/host_error.h"
#include "platform/os/host_error_text.h"
#include "platform/os/program_files.h"

extern char** environ;

namespace fb::ui {

namespace {

constexpr int kInvalidFormat = 321;
constexpr auto kMostReadingTime = std::chrono::seconds(10);
// The objects' bytes and the names and lengths around them.
constexpr std::size_t kMostOutputBytes = kMaxHelpFileBytes + kMaxHelpObjects * 1024;

// The reader's exit statuses besides 0.
constexpr int kNotAHelpFile = 3;
constexpr int kTooMuch = 4;

[[noreturn]] void Fail(int number, const std::string& detail) {
  throw HostError(number, std::string(host_error_text(number)) + "：" + detail);
}

// Closes a descriptor once, however the reading ends.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }
  int get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

// Waits for the reader to end, killing it first when `kill_first`; returns its wait status.
int Reap(pid_t pid, bool kill_first) {
  if (kill_first) ::kill(pid, SIGKILL);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

}  // namespace

std::filesystem::path help_reader_program() {
  const std::filesystem::path program = fb::os::running_program();
  if (!program.empty()) {
    std::filesystem::path installed =
        program.parent_path().parent_path() / "libexec" / "fishbone" / "fishbone-help-reader";
    std::error_code ec;
    if (std::filesystem::is_regular_file(installed, ec)) return installed;
  }
  return FB_HELP_READER;
}

std::vector<HelpObject> read_help_objects(const std::filesystem::path& file) {
  const std::filesystem::path reader = help_reader_program();
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) Fail(host_error::kPathFileAccess, std::strerror(errno));
  Descriptor from_reader(ends[0]);
  Descriptor to_parent(ends[1]);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, to_parent.get(), 1);
  std::string reader_name = reader.string();
  std::string file_name = file.string();
  char* arguments[] = {reader_name.data(), file_name.data(), nullptr};
  pid_t pid = 0;
  const int spawned =
      ::posix_spawn(&pid, reader_name.c_str(), &actions, nullptr, arguments, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    Fail(host_error::kPathFileAccess,
         "无法启动帮助读取程序 \"" + reader_name + "\"：" + std::strerror(spawned));
  }
  to_parent.Close();

  // Read while the reader writes, up to what a help file may hold and for a bounded time: a
  // reader caught in a loop by a crafted file is stopped.
  std::string output;
  const auto deadline = std::chrono::steady_clock::now() + kMostReadingTime;
  const std::string cannot_read = file.string() + "（帮助读取程序";
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      Reap(pid, true);
      Fail(kInvalidFormat, cannot_read + "在 10 秒内未能读完）");
    }
    pollfd ready{from_reader.get(), POLLIN, 0};
    const int polled = ::poll(&ready, 1, static_cast<int>(left.count()));
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) continue;
    char buffer[65536];
    const ssize_t got = ::read(from_reader.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    output.append(buffer, static_cast<std::size_t>(got));
    if (output.size() > kMostOutputBytes) {
      Reap(pid, true);
      Fail(kInvalidFormat, cannot_read + "交出的内容超过上限）");
    }
  }
  const int status = Reap(pid, false);
  if (WIFSIGNALED(status)) {
    Fail(kInvalidFormat, cannot_read + "因信号 " + std::to_string(WTERMSIG(status)) + "（" +
                             ::strsignal(WTERMSIG(status)) + "）而终止）");
  }
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (code == kNotAHelpFile) Fail(kInvalidFormat, file.string());
  if (code == kTooMuch) Fail(kInvalidFormat, file.string() + "（所存文件的数量或大小超过上限）");
  if (code != 0) Fail(kInvalidFormat, cannot_read + "以状态 " + std::to_string(code) + " 结束）");
  std::optional<std::vector<HelpObject>> objects = decode_help_objects(output);
  if (!objects) Fail(kInvalidFormat, cannot_read + "交出的内容无法识别）");
  return std::move(*objects);
}

}  // namespace fb::ui
