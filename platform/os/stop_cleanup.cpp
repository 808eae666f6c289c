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

// A write into a pipe nobody reads any more raises SIGPIPE in the thread that wrote, where the
// watcher cannot wait for it (a thread's own signal stays with it). Handed on to the process as
// a queued SIGTERM that says it stands for SIGPIPE, which the watcher takes; the write itself
// fails with EPIPE meanwhile, and the process dies of SIGPIPE once the paths are removed.
void ForwardBrokenPipe(int) {
  union sigval value {};
  value.sival_int = SIGPIPE;
  ::sigqueue(::getpid(), SIGTERM, value);
}

bool StandsForBrokenPipe(const siginfo_t& info) {
  return info.si_signo == SIGTERM && info.si_code == SI_QUEUE && info.si_pid == ::getpid() &&
         info.si_value.sival_int == SIGPIPE;
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
  struct sigaction broken_pipe {};
  broken_pipe.sa_handler = ForwardBrokenPipe;
  sigemptyset(&broken_pipe.sa_mask);
  ::sigaction(SIGPIPE, &broken_pipe, nullptr);
  std::thread([signals] {
    for (;;) {
      siginfo_t info{};
      if (::sigwaitinfo(&signals, &info) > 0) {
        remove_listed_and_die(StandsForBrokenPipe(info) ? SIGPIPE : info.si_signo);
      }
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
