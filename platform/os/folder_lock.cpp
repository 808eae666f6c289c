#include "platform/os/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "platform/os/host_error.h"

namespace fb::os {
namespace {

constexpr int kPathNotFound = 76;
constexpr int kPathFileAccess = 75;

[[noreturn]] void Fail(int number, const std::filesystem::path& folder, int error) {
  throw HostError(number,
                  "cannot lock the folder \"" + folder.string() + "\": " + std::strerror(error));
}

}  // namespace

std::optional<FolderLock> FolderLock::Take(const std::filesystem::path& folder, bool wait) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    Fail(error == ENOENT || error == ENOTDIR ? kPathNotFound : kPathFileAccess, folder, error);
  }
  FolderLock lock(fd);
  for (;;) {
    if (::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) == 0) return lock;
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) return std::nullopt;
    Fail(kPathFileAccess, folder, errno);
  }
}

FolderLock FolderLock::Wait(const std::filesystem::path& folder) {
  return std::move(*Take(folder, true));
}

std::optional<FolderLock> FolderLock::TryNow(const std::filesystem::path& folder) {
  return Take(folder, false);
}

FolderLock::FolderLock(FolderLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace fb::os
