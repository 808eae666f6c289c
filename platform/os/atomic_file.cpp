#include "platform/os/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "platform/os/host_error.h"
#include "platform/os/process_tag.h"
#include "platform/os/stop_cleanup.h"

namespace fb::os {
namespace {

namespace fs = std::filesystem;

int NumberFor(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
      return fb::host_error::kPermissionDenied;
    case ENOENT:
    case ENOTDIR:
      return file_error::kPathNotFound;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return file_error::kDiskFull;
    default:
      return fb::host_error::kPathFileAccess;
  }
}

[[noreturn]] void Fail(const fs::path& path, int error) {
  throw fb::HostError(NumberFor(error),
                      "cannot write \"" + path.string() + "\": " + std::strerror(error));
}

[[noreturn]] void Refuse(const fs::path& path, const std::string& reason) {
  throw fb::HostError(fb::host_error::kPathFileAccess,
                      "cannot write \"" + path.string() + "\": " + reason);
}

std::atomic<unsigned> temp_counter{0};

void WriteAll(int fd, std::string_view bytes, const fs::path& path) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(path, errno);
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
}

// A device or FIFO cannot be replaced without changing what it is: write into it.
void WriteDirectly(const fs::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) Fail(path, errno);
  try {
    WriteAll(fd, bytes, path);
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0 && errno != EINTR) Fail(path, errno);
}

// The part of a target's name its temporary files carry. The temporary name adds about 60 bytes
// to it and must itself fit in a file name (255 bytes), so a long name keeps its first 120 bytes
// (whole UTF-8 characters) and a "~".
std::string TemporaryStem(const std::string& name) {
  constexpr std::size_t kKept = 120;
  if (name.size() <= kKept) return name;
  std::size_t cut = kKept;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  return name.substr(0, cut) + "~";
}

// Removes ".<stem>.tmp-<host>-<pid>-<n>" files in `folder` left by processes of this machine
// that no longer exist (a kill -9 in the middle of a write).
void ReapStaleTemporaries(const fs::path& folder, const std::string& name) {
  const std::string prefix = "." + TemporaryStem(name) + ".tmp-";
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const std::unique_ptr<DIR, int (*)(DIR*)> closer(dir, ::closedir);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view entry_name = entry->d_name;
    if (!entry_name.starts_with(prefix)) continue;
    const std::string_view rest = entry_name.substr(prefix.size());
    const auto last_dash = rest.rfind('-');
    if (last_dash == std::string_view::npos) continue;
    if (!is_stale_process_tag(rest.substr(0, last_dash))) continue;
    struct stat info {};
    const fs::path stale = folder / entry_name;
    if (::lstat(stale.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()) {
      ::unlink(stale.c_str());
    }
  }
}

// Closes the descriptor and removes the temporary file unless released.
class TempFile {
 public:
  TempFile(int fd, fs::path path) : fd_(fd), path_(std::move(path)) {}
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!released_) ::unlink(path_.c_str());
    StopCleanup::instance().forget(path_);
  }
  int fd() const { return fd_; }
  const fs::path& path() const { return path_; }
  // Closes the descriptor; returns the errno of a failing close, else 0.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }
  void Release() { released_ = true; }

 private:
  int fd_;
  fs::path path_;
  bool released_ = false;
};

// A new temporary file beside `target`, on the stop-cleanup list from the moment it exists.
TempFile CreateTemporary(const fs::path& folder, const std::string& name, const fs::path& path) {
  const std::string prefix = "." + TemporaryStem(name) + ".tmp-" + process_tag() + "-";
  for (int attempt = 0;; ++attempt) {
    const fs::path temp_path = folder / (prefix + std::to_string(temp_counter.fetch_add(1)));
    auto held = StopCleanup::instance().hold();
    const int fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      StopCleanup::instance().add(temp_path, held);
      return TempFile(fd, temp_path);
    }
    if (errno != EEXIST || attempt >= 100) Fail(path, errno);
  }
}

void ReplaceAtomically(const fs::path& target, const fs::path& path, std::string_view bytes,
                       const struct stat* existing) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string name = target.filename().string();
  ReapStaleTemporaries(folder, name);
  TempFile temp = CreateTemporary(folder, name, path);

  if (existing != nullptr && ::fchmod(temp.fd(), existing->st_mode & 07777) != 0) {
    Fail(path, errno);
  }
  WriteAll(temp.fd(), bytes, path);
  if (::fsync(temp.fd()) != 0 && errno != EINVAL && errno != EROFS) Fail(path, errno);
  if (const int error = temp.Close(); error != 0) Fail(path, error);
  if (::rename(temp.path().c_str(), target.c_str()) != 0) Fail(path, errno);
  temp.Release();

  // Make the rename itself durable; a failure here changes nothing that a reader can see.
  const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_fd >= 0) {
    ::fsync(folder_fd);
    ::close(folder_fd);
  }
}

}  // namespace

void write_file_atomically(const fs::path& path, std::string_view bytes) {
  const std::string name = path.filename().string();
  if (name.empty() || name == "." || name == "..") Fail(path, EISDIR);

  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0) {
    if (errno != ENOENT) Fail(path, errno);
    ReplaceAtomically(path, path, bytes, nullptr);  // a new file
    return;
  }
  struct stat existing {};
  if (::stat(path.c_str(), &existing) != 0) {
    if (errno == ENOENT) Refuse(path, "it is a symbolic link to a file that does not exist");
    Fail(path, errno);
  }
  if (S_ISDIR(existing.st_mode)) Fail(path, EISDIR);
  if (S_ISCHR(existing.st_mode) || S_ISBLK(existing.st_mode) || S_ISFIFO(existing.st_mode)) {
    WriteDirectly(path, bytes);
    return;
  }
  if (S_ISSOCK(existing.st_mode)) Refuse(path, "it is a socket, not a file");
  if (!S_ISREG(existing.st_mode)) Refuse(path, "it is not a regular file");
  if (!S_ISLNK(link.st_mode)) {
    ReplaceAtomically(path, path, bytes, &existing);
    return;
  }
  // Through the link: its final target is replaced, the link itself stays as it is.
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) Fail(path, errno);
  const fs::path target(resolved);
  ::free(resolved);
  ReplaceAtomically(target, path, bytes, &existing);
}

}  // namespace fb::os
