#include "platform/xlsx/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/os/host_error.h"

namespace fb::xlsx {
namespace {

constexpr int kDiskFull = 61;
constexpr int kPathNotFound = 76;

int error_number(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
      return host_error::kPermissionDenied;
    case ENOENT:
    case ENOTDIR:
      return kPathNotFound;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kDiskFull;
    default:
      return host_error::kPathFileAccess;
  }
}

[[noreturn]] void fail(const std::filesystem::path& path, int error) {
  throw HostError(error_number(error),
                  "cannot write \"" + path.string() + "\": " + std::strerror(error));
}

std::atomic<unsigned> temp_counter{0};

// The temporary file: closed and removed on every way out but a successful rename.
class TempFile {
 public:
  TempFile(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!renamed_) ::unlink(path_.c_str());
  }
  int fd() const { return fd_; }
  int close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }
  void rename_to(const std::filesystem::path& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) fail(target, errno);
    renamed_ = true;
  }

 private:
  int fd_;
  std::filesystem::path path_;
  bool renamed_ = false;
};

}  // namespace

void write_file_atomically(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path folder =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  const std::string name = path.filename().string();
  if (name.empty() || name == "." || name == "..") fail(path, EISDIR);

  struct stat existing {};
  const bool replaces = ::stat(path.c_str(), &existing) == 0;
  if (replaces && S_ISDIR(existing.st_mode)) fail(path, EISDIR);

  int fd = -1;
  std::filesystem::path temp_path;
  for (int attempt = 0; fd < 0; ++attempt) {
    temp_path = folder / ("." + name + ".tmp-" + std::to_string(::getpid()) + "-" +
                          std::to_string(temp_counter.fetch_add(1)));
    fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt >= 100)) fail(path, errno);
  }
  TempFile temp(fd, temp_path);
  if (replaces && ::fchmod(temp.fd(), existing.st_mode & 07777) != 0) fail(path, errno);

  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(temp.fd(), data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      fail(path, errno);
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  if (::fsync(temp.fd()) != 0 && errno != EINVAL && errno != EROFS) fail(path, errno);
  if (const int error = temp.close(); error != 0) fail(path, error);
  temp.rename_to(path);

  // Make the rename itself durable; a failure here changes nothing a reader can see.
  const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_fd >= 0) {
    ::fsync(folder_fd);
    ::close(folder_fd);
  }
}

}  // namespace fb::xlsx
