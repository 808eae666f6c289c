#pragma once

#include <filesystem>
#include <mutex>
#include <vector>

namespace fb::os {

// What a process leaves behind when SIGINT, SIGTERM, SIGHUP or SIGPIPE (its output read by a
// program that quit: `fishbone generate ... | head -1`) stops it in the middle of a run:
// its private run folder and the temporary files beside the outputs it was writing. Paths on
// this list are removed when such a signal arrives, and the process then dies of the signal as
// it would have without us.
//
// The signals are taken by a watcher thread (sigwait) rather than by a handler, so the removal
// runs as ordinary code. A path is added while the list's lock is held across its creation, so
// a stop either sees the path or waits until it exists; it never misses a file made in between.
// Without install() the list is kept but nothing watches for the signals.
class StopCleanup {
 public:
  static StopCleanup& instance();

  // Blocks the three signals in the calling thread, which must be the process's only thread so
  // far (every later thread inherits the mask), hands SIGPIPE on to them, and starts the
  // watcher. Idempotent.
  void install();

  // Held while a path is created and added: a stop waits for it.
  std::unique_lock<std::mutex> hold() { return std::unique_lock<std::mutex>(mutex_); }
  // Adds a file or folder (removed with its content) to the list; `held` is from hold().
  void add(const std::filesystem::path& path, const std::unique_lock<std::mutex>& held);
  // Takes a path off the list once it is removed or renamed into place.
  void forget(const std::filesystem::path& path);

  // What a stop removes, in the order added.
  std::vector<std::filesystem::path> listed();

 private:
  friend void remove_listed_and_die(int signal);
  StopCleanup() = default;

  std::mutex mutex_;
  std::vector<std::filesystem::path> paths_;
  bool installed_ = false;
};

}  // namespace fb::os
