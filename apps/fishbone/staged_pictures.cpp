#include "apps/fishbone/staged_pictures.h"

#include <stdlib.h>  // mkdtemp

#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/os/folder_lock.h"
#include "platform/os/host_error.h"
#include "platform/os/process_tag.h"
#include "platform/os/stop_cleanup.h"

namespace fishbone {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPrefix = ".pictures-";
constexpr int kPathFileAccess = 75;

}  // namespace

StagedPictures::StagedPictures(fs::path folder) : folder_(std::move(folder)) {
  fb::os::remove_stale_tagged_folders(folder_, kPrefix);
  std::string pattern = (folder_ / (kPrefix + fb::os::process_tag() + "-XXXXXX")).string();
  auto held = fb::os::StopCleanup::instance().hold();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw fb::HostError(kPathFileAccess, "cannot write the pictures into \"" + folder_.string() +
                                             "\": " + std::strerror(errno));
  }
  staging_ = pattern;
  fb::os::StopCleanup::instance().add(staging_, held);
}

StagedPictures::~StagedPictures() {
  std::error_code ignored;
  fs::remove_all(staging_, ignored);
  fb::os::StopCleanup::instance().forget(staging_);
}

fs::path StagedPictures::PathFor(const std::string& name) const {
  return staging_ / name;
}

void StagedPictures::MoveIntoPlace() {
  std::vector<fs::path> pictures;
  std::error_code failed;
  for (const auto& entry : fs::directory_iterator(staging_, failed)) {
    pictures.push_back(entry.path());
  }
  if (failed) {
    throw fb::HostError(kPathFileAccess, "cannot write the pictures into \"" + folder_.string() +
                                             "\": " + failed.message());
  }
  const fb::os::FolderLock lock = fb::os::FolderLock::Wait(folder_);
  for (const fs::path& picture : pictures) {
    fs::rename(picture, folder_ / picture.filename(), failed);
    if (failed) {
      throw fb::HostError(
          kPathFileAccess,
          "cannot write \"" + (folder_ / picture.filename()).string() + "\": " + failed.message());
    }
  }
}

}  // namespace fishbone
