#pragma once

#include <filesystem>
#include <optional>

namespace fb::os {

// An exclusive lock on a folder among the programs that ask for it, held on the folder itself
// (flock on its descriptor) so that it leaves no file behind and ends with the process that holds
// it, however that process ends. Runs that write sets of files into one folder take it so that
// their sets never interleave.
class FolderLock {
 public:
  // Waits until the lock is free. Throws fb::HostError 76 naming the folder when it cannot be
  // opened (missing, not a folder) and 75 for any other failure.
  static FolderLock Wait(const std::filesystem::path& folder);
  // The lock if it is free now, else nothing. Throws as Wait does.
  static std::optional<FolderLock> TryNow(const std::filesystem::path& folder);

  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&& other) noexcept;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();

 private:
  explicit FolderLock(int fd) : fd_(fd) {}
  static std::optional<FolderLock> Take(const std::filesystem::path& folder, bool wait);

  int fd_ = -1;
};

}  // namespace fb::os
