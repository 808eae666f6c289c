#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/picture.h"

namespace kivo2d {

// A GIF that cannot be decoded: the message names the source and the problem.
class GifError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One frame as the file gives it: a rectangle of colour indexes (in row order, also when the file
// interlaced them), the colour table it uses (its own, else the global one), and how it is shown.
// GifCanvas composes frames into what is seen.
struct GifFrame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indexes;
  std::vector<fb::ui::Rgba> colours;
  int transparent = -1;  // a colour index, or -1
  int disposal = 0;      // 0 none given, 1 keep, 2 clear to the background, 3 restore the previous
  std::chrono::milliseconds delay{0};
};

// A decoded GIF87a or GIF89a file. Frames are kept as the file has them (a movie's frames are
// mostly small changes), not as whole pictures.
struct GifAnimation {
  static constexpr int kForever = 0;

  int width = 0;
  int height = 0;
  // How many times the frames are shown in all: kForever, or a count. A NETSCAPE2.0 loop count
  // of 0 means forever and a count n means n repeats after the first showing (n + 1 in all), as
  // web browsers read it; without the extension the frames are shown once.
  int plays = 1;
  std::vector<GifFrame> frames;

  std::chrono::milliseconds total_time() const;
};

// The largest canvas we accept, so a damaged header cannot make us allocate gigabytes.
inline constexpr int kMaxGifSide = 4096;
// A delay below this (0 or 1 centisecond) is shown as kShortDelayShownAs, as web browsers do, so
// such a file neither spins nor freezes the player.
inline constexpr std::chrono::milliseconds kShortestDelay{20};
inline constexpr std::chrono::milliseconds kShortDelayShownAs{100};

// Decodes a GIF file's bytes. Throws GifError naming `source` when the data is not a GIF, is cut
// short or damaged, is larger than kMaxGifSide, or a frame has no colour table.
GifAnimation DecodeGif(std::span<const std::uint8_t> bytes, std::string_view source);

}  // namespace kivo2d
