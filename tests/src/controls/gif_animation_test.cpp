// The GIF decoder on small files made here with giflib's writer, one feature each.
#include "src/controls/gif_animation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "src/controls/gif_canvas.h"
#include "tools/artwork/gif_writer.h"

namespace kivo2d {
namespace {

using fb::artwork::GifColour;
using fb::artwork::GifFile;
using fb::artwork::GifImage;
using fb::ui::Rgba;
using std::chrono::milliseconds;

constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
// Index:                          0 red,        1 green,      2 blue,       3 white
const std::vector<GifColour> kRgbw{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};

GifImage Filled(int left, int top, int width, int height, std::uint8_t index) {
  GifImage image;
  image.left = left;
  image.top = top;
  image.width = width;
  image.height = height;
  image.indexes.assign(static_cast<std::size_t>(width * height), index);
  return image;
}

GifAnimation Decode(const GifFile& file) {
  const std::vector<std::uint8_t> bytes = fb::artwork::WriteGif(file);
  return DecodeGif(bytes, "test.gif");
}

// What the animation shows at a frame.
fb::ui::Picture Shown(const GifAnimation& gif, int frame) {
  GifCanvas canvas(&gif);
  canvas.Show(frame);
  return canvas.picture();
}

// The rows of a picture as letters (r g b w, '.' for transparent), for readable expectations.
std::vector<std::string> Letters(const fb::ui::Picture& picture) {
  std::vector<std::string> rows;
  for (int y = 0; y < picture.height; ++y) {
    std::string row;
    for (int x = 0; x < picture.width; ++x) {
      const Rgba p = picture.pixel(x, y);
      row += p == kClear   ? '.'
             : p == kRed   ? 'r'
             : p == kGreen ? 'g'
             : p == kBlue  ? 'b'
             : p == kWhite ? 'w'
                           : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(GifDecoder, Gif87aOneFrameIsShownOnceWithTheDefaultDelay) {
  GifFile file{4, 2, kRgbw, /*gif89=*/false, {}, {}};
  GifImage image = Filled(0, 0, 4, 2, 0);
  image.indexes = {0, 1, 2, 3, 3, 2, 1, 0};
  file.images.push_back(image);
  const std::vector<std::uint8_t> bytes = fb::artwork::WriteGif(file);
  ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF87a");

  const GifAnimation gif = DecodeGif(bytes, "one.gif");
  EXPECT_EQ(gif.width, 4);
  EXPECT_EQ(gif.height, 2);
  EXPECT_EQ(gif.plays, 1);
  ASSERT_EQ(gif.frames.size(), 1u);
  EXPECT_EQ(Letters(Shown(gif, 0)), (std::vector<std::string>{"rgbw", "wbgr"}));
  EXPECT_EQ(gif.frames[0].delay, kShortDelayShownAs);
}

TEST(GifDecoder, LoopCountAndDelaysOfAnAnimation) {
  struct Case {
    std::optional<int> loop_count;
    int plays;
  };
  for (const Case c : {Case{std::nullopt, 1}, Case{0, GifAnimation::kForever}, Case{2, 3}}) {
    SCOPED_TRACE(c.loop_count.value_or(-1));
    GifFile file{2, 2, kRgbw, true, c.loop_count, {}};
    for (const int delay : {15, 30, 1}) {
      file.images.push_back(Filled(0, 0, 2, 2, 0));
      file.images.back().delay_centiseconds = delay;
    }
    const std::vector<std::uint8_t> bytes = fb::artwork::WriteGif(file);
    ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    const GifAnimation gif = DecodeGif(bytes, "loop.gif");
    EXPECT_EQ(gif.plays, c.plays);
    ASSERT_EQ(gif.frames.size(), 3u);
    EXPECT_EQ(gif.frames[0].delay, milliseconds(150));
    EXPECT_EQ(gif.frames[1].delay, milliseconds(300));
    EXPECT_EQ(gif.frames[2].delay, kShortDelayShownAs);  // 10 ms would spin
    EXPECT_EQ(gif.total_time(), milliseconds(550));
  }
}

// A 4 × 1 canvas: frame 1 paints "rrrr"; frame 2 paints columns 1..2 with its second pixel
// transparent; frame 3 paints column 3 blue. What frames 2 and 3 show depends on how frames 1
// and 2 are disposed of.
TEST(GifDecoder, TransparencyAndDisposalMethods) {
  struct Case {
    const char* name;
    int first_disposal;
    int second_disposal;
    std::vector<std::string> second, third;
  };
  const Case cases[] = {
      {"keep", 1, 1, {"rgrr"}, {"rgrb"}},
      {"unspecified keeps too", 0, 0, {"rgrr"}, {"rgrb"}},
      {"clear to background", 2, 1, {".g.."}, {".g.b"}},
      {"restore the previous", 1, 3, {"rgrr"}, {"rrrb"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GifFile file{4, 1, kRgbw, true, 0, {}};
    file.images.push_back(Filled(0, 0, 4, 1, 0));
    file.images.back().disposal = c.first_disposal;
    GifImage second = Filled(1, 0, 2, 1, 1);
    second.indexes = {1, 3};
    second.transparent = 3;
    second.disposal = c.second_disposal;
    file.images.push_back(second);
    file.images.push_back(Filled(3, 0, 1, 1, 2));
    const GifAnimation gif = Decode(file);
    ASSERT_EQ(gif.frames.size(), 3u);
    EXPECT_EQ(Letters(Shown(gif, 0)), std::vector<std::string>{"rrrr"});
    EXPECT_EQ(Letters(Shown(gif, 1)), c.second);
    EXPECT_EQ(Letters(Shown(gif, 2)), c.third);
    GifCanvas rewound(&gif);  // going back starts over rather than undoing
    rewound.Show(2);
    rewound.Show(1);
    EXPECT_EQ(Letters(rewound.picture()), c.second);
  }
}

TEST(GifDecoder, InterlacedRowsComeOutInPictureOrder) {
  // Ten rows, each one colour, in a pattern that any mix-up of the four passes would change.
  const std::vector<std::uint8_t> row_colour = {0, 1, 2, 3, 1, 0, 3, 2, 2, 0};
  GifImage image = Filled(0, 0, 3, 10, 0);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 3; ++x) image.indexes[static_cast<std::size_t>(y * 3 + x)] = row_colour[y];
  }
  GifFile plain{3, 10, kRgbw, true, {}, {image}};
  GifFile interlaced = plain;
  interlaced.images[0].interlaced = true;
  const std::vector<std::uint8_t> plain_bytes = fb::artwork::WriteGif(plain);
  const std::vector<std::uint8_t> interlaced_bytes = fb::artwork::WriteGif(interlaced);
  ASSERT_NE(plain_bytes, interlaced_bytes);

  const GifAnimation gif = DecodeGif(interlaced_bytes, "interlaced.gif");
  EXPECT_EQ(Letters(Shown(gif, 0)), (std::vector<std::string>{"rrr", "ggg", "bbb", "www", "ggg",
                                                              "rrr", "www", "bbb", "bbb", "rrr"}));
  EXPECT_EQ(Shown(gif, 0), Shown(DecodeGif(plain_bytes, "plain.gif"), 0));
}

TEST(GifDecoder, ALocalColourTableOverridesTheGlobalOneForItsFrameOnly) {
  GifFile file{2, 1, kRgbw, true, 0, {}};
  file.images.push_back(Filled(0, 0, 2, 1, 0));  // global index 0: red
  GifImage local = Filled(1, 0, 1, 1, 0);
  local.local_colours = {{255, 255, 255}, {0, 0, 0}};  // local index 0: white
  file.images.push_back(local);
  file.images.push_back(Filled(0, 0, 1, 1, 2));  // global again: blue
  const GifAnimation gif = Decode(file);
  EXPECT_EQ(Letters(Shown(gif, 1)), std::vector<std::string>{"rw"});
  EXPECT_EQ(Letters(Shown(gif, 2)), std::vector<std::string>{"bw"});
}

TEST(GifDecoder, AFramePastTheCanvasIsClipped) {
  GifFile file{2, 2, kRgbw, true, {}, {}};
  file.images.push_back(Filled(0, 0, 2, 2, 0));
  file.images.push_back(Filled(1, 1, 3, 3, 1));
  const GifAnimation gif = Decode(file);
  EXPECT_EQ(Letters(Shown(gif, 1)), (std::vector<std::string>{"rr", "rg"}));
}

TEST(GifDecoder, BadFilesGiveAClearErrorNamingTheSource) {
  GifFile good{8, 8, kRgbw, true, 0, {}};
  for (int i = 0; i < 3; ++i)
    good.images.push_back(Filled(0, 0, 8, 8, static_cast<std::uint8_t>(i)));
  const std::vector<std::uint8_t> bytes = fb::artwork::WriteGif(good);
  // giflib will not write an image without any colour table: take the global one out by hand.
  std::vector<std::uint8_t> no_table =
      fb::artwork::WriteGif(GifFile{2, 2, kRgbw, true, {}, {Filled(0, 0, 2, 2, 0)}});
  const std::size_t table_size = 3u << ((no_table[10] & 7) + 1);
  no_table[10] &= 0x7F;
  no_table.erase(no_table.begin() + 13, no_table.begin() + 13 + static_cast<long>(table_size));

  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* problem;
  };
  const Case cases[] = {
      {"empty", {}, "empty"},
      {"a PNG", {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13}, "not a GIF file"},
      {"cut in the header", {bytes.begin(), bytes.begin() + 8}, "cut short"},
      {"cut in the last frame", {bytes.begin(), bytes.end() - 12}, "cut short"},
      {"without its trailer", {bytes.begin(), bytes.end() - 1}, "cut short"},
      {"no colour table", no_table, "no colour table"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      DecodeGif(c.bytes, "broken.gif");
      ADD_FAILURE() << "decoded";
    } catch (const GifError& error) {
      const std::string message = error.what();
      EXPECT_TRUE(message.starts_with("broken.gif: ")) << message;
      EXPECT_NE(message.find(c.problem), std::string::npos) << message;
    }
  }
}

TEST(GifDecoder, AnOversizedCanvasIsRefusedBeforeAnythingIsAllocated) {
  GifFile huge{kMaxGifSide + 1, 1, kRgbw, true, {}, {Filled(0, 0, 1, 1, 0)}};
  EXPECT_THROW(Decode(huge), GifError);
}

}  // namespace
}  // namespace kivo2d
