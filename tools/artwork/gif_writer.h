#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace fb::artwork {

struct GifColour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
};

// One image of a GIF file: a rectangle of colour indexes and how it is shown.
struct GifImage {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indexes;  // width * height, row-major
  int delay_centiseconds = 0;
  int disposal = 0;      // 0 unspecified, 1 keep, 2 clear to background, 3 restore previous
  int transparent = -1;  // a colour index, or -1
  bool interlaced = false;
  std::vector<GifColour> local_colours;  // empty: the global table
};

struct GifFile {
  int width = 0;
  int height = 0;
  std::vector<GifColour> global_colours;  // may be empty when every image has its own
  // GIF89a carries the control and application extensions; GIF87a has none, so delays,
  // disposal, transparency and the loop count are left out.
  bool gif89 = true;
  std::optional<int> loop_count;  // NETSCAPE2.0: 0 forever
  std::vector<GifImage> images;
};

// The bytes of the file, written with giflib. Colour tables are padded to a power of two.
// Throws std::runtime_error when giflib refuses.
std::vector<std::uint8_t> WriteGif(const GifFile& file);

}  // namespace fb::artwork
