#include "apps/fishbone/progress_bar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace fishbone {
namespace {

constexpr int kCells = 30;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

std::string Duration(double seconds) {
  const auto whole = static_cast<long>(std::ceil(seconds));
  char text[32];
  if (whole < 60) {
    std::snprintf(text, sizeof text, "%ld s", whole);
  } else {
    std::snprintf(text, sizeof text, "%ld min %02ld s", whole / 60, whole % 60);
  }
  return text;
}

}  // namespace

ProgressBar::ProgressBar(std::ostream& terminal, bool draw, std::size_t total)
    : terminal_(terminal), draw_(draw), total_(total) {}

std::string ProgressBar::Text(std::size_t done, std::size_t total, double seconds, int cells) {
  const auto done_count = static_cast<double>(done);
  const auto total_count = static_cast<double>(total);
  const double fraction = total == 0 ? 1.0 : std::min(1.0, done_count / total_count);
  const int full = static_cast<int>(fraction * cells);
  std::string text = "[" + std::string(static_cast<std::size_t>(full), '#') +
                     std::string(static_cast<std::size_t>(cells - full), '.') + "] " +
                     std::to_string(done) + "/" + std::to_string(total);
  if (done > 0 && seconds > 0) {
    const double rate = done_count / seconds;
    char figure[32];
    std::snprintf(figure, sizeof figure, "  %.1f/s", rate);
    text += figure;
    if (done < total) text += "  " + Duration((total_count - done_count) / rate) + " left";
  }
  return text;
}

void ProgressBar::Clear() {
  if (!shown_) return;
  terminal_ << "\r\x1b[2K";
  shown_ = false;
}

void ProgressBar::Draw(bool force) {
  if (!draw_) return;
  const auto now = std::chrono::steady_clock::now();
  if (!force && shown_ && now - last_draw_ < kRedrawInterval) return;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  terminal_ << "\r\x1b[2K" << Text(done_, total_, seconds, kCells) << std::flush;
  last_draw_ = now;
  shown_ = true;
}

void ProgressBar::Print(std::ostream& stream, const std::string& line) {
  const bool was_shown = shown_;
  Clear();
  terminal_.flush();
  stream << line << '\n';
  stream.flush();
  if (was_shown) Draw(true);
}

void ProgressBar::Advance() {
  ++done_;
  Draw(done_ == total_);
}

void ProgressBar::Finish() {
  Clear();
  terminal_.flush();
}

}  // namespace fishbone
