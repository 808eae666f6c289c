#include "platform/os/stop_cleanup.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>
#include <thread>

namespace fb::os {
namespace {

sigset_t StopSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace

// Runs on the watcher thread. The lock is never given back: the process ends while holding it,
// so no other thread can add a file after the removal.
void remove_listed_and_die(int signal) {
  StopCleanup& cleanup = StopCleanup::instance();
  cleanup.mutex_.lock();
  // Another thread may still be writing into a listed folder; a second pass takes what it added.
  for (int pass = 0; pass < 3; ++pass) {
    bool all_gone = true;
    for (auto it = cleanup.paths_.rbegin(); it != cleanup.paths_.rend(); ++it) {
      std::error_code failed;
      std::filesystem::remove_all(*it, failed);
      if (failed) all_gone = false;
    }
    if (all_gone) break;
  }
  // Die of the signal itself, so the parent sees what stopped us.
  ::signal(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  ::raise(signal);
  ::_exit(128 + signal);
}

StopCleanup& StopCleanup::instance() {
  static StopCleanup* cleanup = new StopCleanup();  // never destroyed: the watcher may use it
  return *cleanup;
}

void StopCleanup::install() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (installed_) return;
    installed_ = true;
  }
  const sigset_t signals = StopSignals();
  ::pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  std::thread([signals] {
    for (;;) {
      int signal = 0;
      if (::sigwait(&signals, &signal) == 0) remove_listed_and_die(signal);
    }
  }).detach();
}

void StopCleanup::add(const std::filesystem::path& path, const std::unique_lock<std::mutex>&) {
  paths_.push_back(path);
}

void StopCleanup::forget(const std::filesystem::path& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = std::find(paths_.rbegin(), paths_.rend(), path);
  if (it != paths_.rend()) paths_.erase(std::next(it).base());
}

std::vector<std::filesystem::path> StopCleanup::listed() {
  std::lock_guard<std::mutex> lock(mutex_);
  return paths_;
}

}  // namespace fb::os
