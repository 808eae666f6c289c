#include "platform/os/file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/os/host_error.h"
#include "platform/os/win_path.h"

namespace fb::os {

bool FileSystemObject::FileExists(std::string_view windows_path) const {
  const auto native = native_path(windows_path);
  struct stat info {};
  return ::stat(native.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void FileSystemObject::DeleteFile(std::string_view windows_path) const {
  const auto native = native_path(windows_path);
  struct stat info {};
  if (::stat(native.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    throw HostError(host_error::kFileNotFound, "File not found");
  }
  if (::unlink(native.c_str()) != 0) {
    const int err = errno;
    if (err == EACCES || err == EPERM || err == EROFS || err == EBUSY) {
      throw HostError(host_error::kPermissionDenied, "Permission denied");
    }
    if (err == ENOENT) throw HostError(host_error::kFileNotFound, "File not found");
    throw HostError(host_error::kPathFileAccess,
                    std::string("Path/File access error (") + std::strerror(err) + ")");
  }
}

}  // namespace fb::os
