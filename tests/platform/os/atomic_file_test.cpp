#include "platform/os/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/os/host_error.h"

namespace kivo2d {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "fb-atomic-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  static std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  int FileCount() const {
    int count = 0;
    for ([[maybe_unused]] const auto& item : fs::directory_iterator(folder_)) ++count;
    return count;
  }
  fs::path folder_;
};

TEST_F(AtomicFile, WritesANewFile) {
  const fs::path path = folder_ / "out.txt";
  fb::os::write_file_atomically(path, std::string("a\0b", 3));
  EXPECT_EQ(ReadAll(path), std::string("a\0b", 3));
  EXPECT_EQ(FileCount(), 1);
}

TEST_F(AtomicFile, KeepsThePermissionBitsOfTheFileItReplaces) {
  const fs::path path = folder_ / "out.txt";
  { std::ofstream(path) << "old"; }
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  fb::os::write_file_atomically(path, "new");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadAll(path), "new");
}

TEST_F(AtomicFile, AFolderInTheWayIsAnErrorNamingThePath) {
  const fs::path path = folder_ / "taken";
  fs::create_directory(path);
  try {
    fb::os::write_file_atomically(path, "x");
    FAIL() << "no error";
  } catch (const fb::HostError& error) {
    EXPECT_EQ(error.description(), "cannot write \"" + path.string() + "\": Is a directory");
  }
  EXPECT_EQ(FileCount(), 1);
}

TEST_F(AtomicFile, AFileWhereTheFolderShouldBeIsAnError) {
  { std::ofstream(folder_ / "plain") << "x"; }
  const fs::path path = folder_ / "plain" / "out.xml";
  try {
    fb::os::write_file_atomically(path, "x");
    FAIL() << "no error";
  } catch (const fb::HostError& error) {
    EXPECT_EQ(error.number(), fb::os::file_error::kPathNotFound);
    EXPECT_EQ(error.description(), "cannot write \"" + path.string() + "\": Not a directory");
  }
}

TEST_F(AtomicFile, AnUnwritableFolderGivesPermissionDenied) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders (tests/apps covers it)";
  const fs::path locked = folder_ / "locked";
  fs::create_directory(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  try {
    fb::os::write_file_atomically(locked / "out.xml", "x");
    ADD_FAILURE() << "no error";
  } catch (const fb::HostError& error) {
    EXPECT_EQ(error.number(), fb::host_error::kPermissionDenied);
    EXPECT_NE(error.description().find("out.xml\": Permission denied"), std::string::npos);
  }
  fs::permissions(locked, fs::perms::owner_all);
}

TEST_F(AtomicFile, ARelativePathWritesIntoTheCurrentFolder) {
  const fs::path before = fs::current_path();
  fs::current_path(folder_);
  fb::os::write_file_atomically("relative.txt", "r");
  fs::current_path(before);
  EXPECT_EQ(ReadAll(folder_ / "relative.txt"), "r");
}

}  // namespace
}  // namespace kivo2d
