#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace fishbone {

// Progress of many jobs on a terminal's last line: done/total, a bar, the rate and the time left,
// redrawn at most ten times a second. Lines printed through it go above the bar. Without a
// terminal it draws nothing and only passes the lines on. Not thread-safe: one caller at a time.
class ProgressBar {
 public:
  ProgressBar(std::ostream& terminal, bool draw, std::size_t total);

  // Prints a line to `stream` (standard output or error) above the bar.
  void Print(std::ostream& stream, const std::string& line);
  // One more job done.
  void Advance();
  // Clears the bar for what the program prints last.
  void Finish();

  // "[#####.....] 37/100  12.3/s  5 s left" for a width of bar cells.
  static std::string Text(std::size_t done, std::size_t total, double seconds, int cells);

 private:
  void Clear();
  void Draw(bool force);

  std::ostream& terminal_;
  bool draw_;
  std::size_t total_;
  std::size_t done_ = 0;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point last_draw_{};
  bool shown_ = false;
};

}  // namespace fishbone
