#include "platform/os/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/os/host_error.h"

namespace fb::os {
namespace {

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

[[noreturn]] void Fail(const std::filesystem::path& path, int error) {
  throw fb::HostError(NumberFor(error),
                      "cannot write \"" + path.string() + "\": " + std::strerror(error));
}

std::atomic<unsigned> temp_counter{0};

// Closes the descriptor and removes the temporary file unless released.
class TempFile {
 public:
  TempFile(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!released_) ::unlink(path_.c_str());
  }
  int fd() const { return fd_; }
  const std::filesystem::path& path() const { return path_; }
  // Closes the descriptor; returns the errno of a failing close, else 0.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }
  void Release() { released_ = true; }

 private:
  int fd_;
  std::filesystem::path path_;
  bool released_ = false;
};

}  // namespace

void write_file_atomically(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path folder =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  const std::string name = path.filename().string();
  if (name.empty() || name == "." || name == "..") Fail(path, EISDIR);

  // The permission bits of the file being replaced, if there is one.
  struct stat existing {};
  const bool replaces = ::stat(path.c_str(), &existing) == 0;
  if (replaces && S_ISDIR(existing.st_mode)) Fail(path, EISDIR);

  int fd = -1;
  std::filesystem::path temp_path;
  for (int attempt = 0; fd < 0; ++attempt) {
    temp_path = folder / ("." + name + ".tmp-" + std::to_string(::getpid()) + "-" +
                          std::to_string(temp_counter.fetch_add(1)));
    fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt >= 100)) Fail(path, errno);
  }
  TempFile temp(fd, temp_path);

  if (replaces && ::fchmod(temp.fd(), existing.st_mode & 07777) != 0) Fail(path, errno);

  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(temp.fd(), data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(path, errno);
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  if (::fsync(temp.fd()) != 0 && errno != EINVAL && errno != EROFS) Fail(path, errno);
  if (const int error = temp.Close(); error != 0) Fail(path, error);
  if (::rename(temp.path().c_str(), path.c_str()) != 0) Fail(path, errno);
  temp.Release();

  // Make the rename itself durable; a failure here changes nothing that a reader can see.
  const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_fd >= 0) {
    ::fsync(folder_fd);
    ::close(folder_fd);
  }
}

}  // namespace fb::os
