#include "platform/os/stop_cleanup.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/os/process_tag.h"
#include "temp_folder.h"

namespace fb::os {
namespace {

namespace fs = std::filesystem;

// A child process lists a folder with content and a file, and is then stopped by `signal`: the
// paths go, and the child dies of the signal as it would have without the cleanup.
void ExpectStopRemovesTheListedPaths(int signal) {
  testing::TempFolder root;
  const fs::path folder = root.path() / "run";
  const fs::path file = root.path() / ".out.tmp";
  const fs::path kept = root.path() / "kept";
  const pid_t child = ::fork();
  if (child == 0) {
    StopCleanup& cleanup = StopCleanup::instance();
    cleanup.install();
    {
      auto held = cleanup.hold();
      fs::create_directories(folder / "windows" / "Temp");
      std::ofstream(folder / "windows" / "Temp" / "exchange.xml") << "<NODES/>";
      cleanup.add(folder, held);
    }
    {
      auto held = cleanup.hold();
      std::ofstream(file) << "half";
      cleanup.add(file, held);
    }
    std::ofstream(kept) << "not listed";
    ::kill(::getpid(), signal);
    for (;;) ::pause();
  }
  ASSERT_GT(child, 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
  EXPECT_EQ(WTERMSIG(status), signal);
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_FALSE(fs::exists(file));
  EXPECT_TRUE(fs::exists(kept));
}

TEST(StopCleanupTest, InterruptTerminateAndHangupRemoveTheListedPaths) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    ExpectStopRemovesTheListedPaths(signal);
  }
}

TEST(StopCleanupTest, ForgottenPathsAreNoLongerListed) {
  StopCleanup& cleanup = StopCleanup::instance();
  {
    auto held = cleanup.hold();
    cleanup.add("/x/a", held);
    cleanup.add("/x/b", held);
  }
  cleanup.forget("/x/a");
  EXPECT_EQ(cleanup.listed(), std::vector<fs::path>{"/x/b"});
  cleanup.forget("/x/b");
  EXPECT_TRUE(cleanup.listed().empty());
}

TEST(ProcessTagTest, OnlyADeadProcessOfThisMachineIsStale) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  ::waitpid(child, nullptr, 0);
  const std::string mine = process_tag();
  const std::string host = mine.substr(0, mine.rfind('-'));
  EXPECT_TRUE(is_stale_process_tag(host + "-" + std::to_string(child)));
  EXPECT_FALSE(is_stale_process_tag(mine));
  EXPECT_FALSE(is_stale_process_tag(host + "-1"));  // init: alive
  EXPECT_FALSE(is_stale_process_tag("another-host-" + std::to_string(child)));
  EXPECT_FALSE(is_stale_process_tag(host + "-x12"));
  EXPECT_FALSE(is_stale_process_tag(""));
}

}  // namespace
}  // namespace fb::os
