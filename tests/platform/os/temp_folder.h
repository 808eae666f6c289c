#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fb::os::testing {

// A fresh private folder for one test, removed with everything in it afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = ::testing::TempDir() + "fb_os_XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }

  // Creates a file (and its folders) relative to the folder.
  std::filesystem::path write(const std::string& relative, const std::string& content = "x") const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << content;
    return file;
  }

 private:
  std::filesystem::path path_;
};

inline unsigned mode_of(const std::filesystem::path& path) {
  return static_cast<unsigned>(std::filesystem::status(path).permissions() &
                               std::filesystem::perms::mask);
}

}  // namespace fb::os::testing
