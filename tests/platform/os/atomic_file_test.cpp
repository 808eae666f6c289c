#include "platform/os/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/os/host_error.h"
#include "platform/os/process_tag.h"

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

// ---- What stands at the path keeps its type. ----

std::string DescriptionOfFailure(const fs::path& path, std::string_view bytes) {
  try {
    fb::os::write_file_atomically(path, bytes);
  } catch (const fb::HostError& error) {
    return error.description();
  }
  return "no error";
}

TEST_F(AtomicFile, AFifoIsWrittenIntoAndStaysAFifo) {
  const fs::path fifo = folder_ / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] {
    std::ifstream in(fifo, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    received = text.str();
  });
  fb::os::write_file_atomically(fifo, "through the pipe");
  reader.join();
  EXPECT_EQ(received, "through the pipe");
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
  EXPECT_EQ(FileCount(), 1);  // no temporary file
}

TEST_F(AtomicFile, ADeviceIsWrittenIntoAndStaysADevice) {
  // /dev/null itself, and (as root) a null device node of the test's own, which a rename over
  // it would have turned into a regular file.
  fb::os::write_file_atomically("/dev/null", "gone");
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  if (::geteuid() != 0) GTEST_SKIP() << "making a device node needs root";
  const fs::path node = folder_ / "null";
  ASSERT_EQ(::mknod(node.c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0) << std::strerror(errno);
  fb::os::write_file_atomically(node, "gone too");
  EXPECT_TRUE(fs::is_character_file(fs::symlink_status(node)));
  EXPECT_EQ(FileCount(), 1);
}

TEST_F(AtomicFile, ALinkIsWrittenThroughToItsTargetAndStaysALink) {
  const fs::path target = folder_ / "target.txt";
  const fs::path link = folder_ / "link.txt";
  { std::ofstream(target) << "old"; }
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  fs::create_symlink("target.txt", link);
  fb::os::write_file_atomically(link, "new");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), "target.txt");
  EXPECT_EQ(ReadAll(target), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(FileCount(), 2);
}

TEST_F(AtomicFile, ADanglingLinkAndASocketAreRefusedAndKept) {
  const fs::path dangling = folder_ / "dangling";
  fs::create_symlink(folder_ / "nowhere", dangling);
  EXPECT_EQ(DescriptionOfFailure(dangling, "x"),
            "cannot write \"" + dangling.string() +
                "\": it is a symbolic link to a file that does not exist");
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_FALSE(fs::exists(folder_ / "nowhere"));

  const fs::path socket_path = folder_ / "sock";
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socket_path.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_EQ(DescriptionOfFailure(socket_path, "x"),
            "cannot write \"" + socket_path.string() + "\": it is a socket, not a file");
  EXPECT_TRUE(fs::is_socket(socket_path));
  ::close(fd);
}

// ---- Temporary files of stopped and killed writers. ----

TEST_F(AtomicFile, LeftoversOfDeadProcessesAreRemovedByTheNextWrite) {
  // A process that has ended: its pid is free until reused, and no process has it now.
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  ::waitpid(child, nullptr, 0);
  const std::string dead = fb::os::process_tag();
  const std::string dead_tag = dead.substr(0, dead.rfind('-')) + "-" + std::to_string(child);
  const fs::path stale = folder_ / (".out.txt.tmp-" + dead_tag + "-0");
  const fs::path alive = folder_ / (".out.txt.tmp-" + fb::os::process_tag() + "-7");
  const fs::path other_host = folder_ / (".out.txt.tmp-elsewhere-" + std::to_string(child) + "-0");
  const fs::path other_name = folder_ / (".other.txt.tmp-" + dead_tag + "-0");
  for (const auto& file : {stale, alive, other_host, other_name}) std::ofstream(file) << "x";

  fb::os::write_file_atomically(folder_ / "out.txt", "new");
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(alive));
  EXPECT_TRUE(fs::exists(other_host));
  EXPECT_TRUE(fs::exists(other_name));
  EXPECT_EQ(ReadAll(folder_ / "out.txt"), "new");
}

}  // namespace
}  // namespace kivo2d
