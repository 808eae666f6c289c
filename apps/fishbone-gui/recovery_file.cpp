#include "apps/fishbone-gui/recovery_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "apps/fishbone-gui/analysis_files.h"
#include "platform/os/atomic_file.h"
#include "platform/os/host_error.h"

namespace fishbone_gui {

namespace fs = std::filesystem;

namespace {

// Far more than a user leaves behind; past it something is wrong, and the leftover stays put.
constexpr int kMostMovedAside = 1000;

std::string Quoted(const fs::path& path) {
  return "\"" + path.string() + "\"";
}

std::string WhyNotRead(mode_t mode) {
  if (S_ISLNK(mode)) return "它是一个符号链接：恢复文件从不经由链接读写。";
  if (S_ISDIR(mode)) return "它是一个文件夹，不是文件。";
  return "它不是普通文件（而是管道、设备或套接字）。";
}

// Moves `from` to `to` unless something is there already.
int RenameWithoutReplacing(const fs::path& from, const fs::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL) return errno;
  // A file system without the flag: a second name, which cannot replace either, then the old
  // name goes.
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  ::unlink(from.c_str());
  return 0;
}

}  // namespace

RecoveryFile::RecoveryFile(fs::path file) : file_(std::move(file)) {
  const fs::path lock_file = file_.parent_path() / (file_.stem().string() + ".lock");
  // Not inherited by the programs this one starts (a browser for a link): they would hold the
  // lock after a crash of this one.
  const int fd = ::open(lock_file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    not_owned_reason_ = "无法锁定恢复文件 " + Quoted(file_) + "（" + Quoted(lock_file) + "：" +
                        std::strerror(errno) + "）。";
    return;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int code = errno;
    ::close(fd);
    not_owned_reason_ =
        code == EWOULDBLOCK
            ? "另一个正在运行的 Fishbone 桌面程序正在使用恢复文件 " + Quoted(file_) + "。"
            : "无法锁定恢复文件 " + Quoted(file_) + "：" + std::strerror(code) + "。";
    return;
  }
  lock_ = fd;
}

RecoveryFile::~RecoveryFile() {
  if (lock_ >= 0) ::close(lock_);
}

std::optional<RecoveryFile::Leftover> RecoveryFile::TakeLeftover() {
  if (!owned()) return std::nullopt;
  struct stat info {};
  if (::lstat(file_.c_str(), &info) != 0) {
    if (errno == ENOENT) return std::nullopt;
    return Leftover{std::nullopt, std::strerror(errno), {}};
  }
  Leftover leftover;
  if (S_ISREG(info.st_mode)) {
    std::string error;
    leftover.tree = ReadAnalysisFile(file_, error);
    if (leftover.tree) return leftover;
    leftover.problem = error;
  } else {
    leftover.problem = WhyNotRead(info.st_mode);
  }
  leftover.moved_to = MoveAside();
  return leftover;
}

void RecoveryFile::Write(std::string_view bytes) {
  if (!owned()) return;
  // The atomic writer would write through a link to its target; what is not a regular file goes
  // out of the way instead.
  struct stat info {};
  if (::lstat(file_.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && MoveAside().empty()) {
    throw fb::HostError(
        fb::host_error::kPathFileAccess,
        "cannot write " + Quoted(file_) + ": it is not a regular file and cannot be moved aside");
  }
  fb::os::write_file_atomically(file_, bytes);
}

void RecoveryFile::Remove() {
  if (!owned()) return;
  ::unlink(file_.c_str());
}

fs::path RecoveryFile::MoveAside() {
  const std::string stem = file_.stem().string() + "-unreadable-";
  const std::string extension = file_.extension().string();
  for (int n = 1; n <= kMostMovedAside; ++n) {
    std::string name = stem;
    name += std::to_string(n);
    name += extension;
    fs::path to = file_.parent_path() / name;
    const int code = RenameWithoutReplacing(file_, to);
    if (code == 0) return to;
    if (code != EEXIST) break;
  }
  // What stays at the name must not be written over: this program gives the file up.
  ::close(lock_);
  lock_ = -1;
  not_owned_reason_ = "恢复文件 " + Quoted(file_) + " 无法读取，也无法改名移开。";
  return {};
}

}  // namespace fishbone_gui
