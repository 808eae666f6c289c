#include "platform/render/image_pixels.h"

#include <gtest/gtest.h>
#include <png.h>

#include <vector>

namespace fb::render {
namespace {

// The RGBA values a PNG file stores, read without premultiplying them.
RgbaPixels stored_pixels(const std::vector<std::uint8_t>& png) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  EXPECT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
  image.format = PNG_FORMAT_RGBA;
  RgbaPixels out{static_cast<int>(image.width), static_cast<int>(image.height),
                 std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
  EXPECT_TRUE(png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr));
  return out;
}

TEST(ImagePixelsTest, PngStoresWhatThePremultipliedDrawingHolds) {
  const struct {
    Colour given;
    Colour stored;
  } cases[] = {
      {{200, 30, 7, 255}, {200, 30, 7, 255}},    // opaque: exact
      {{255, 0, 0, 0}, {0, 0, 0, 0}},            // fully transparent: no colour left
      {{100, 200, 50, 10}, {102, 204, 51, 10}},  // faint: the colour premultiplying keeps
      {{100, 200, 50, 128}, {100, 199, 50, 128}},
      {{1, 254, 77, 3}, {0, 255, 85, 3}},
  };
  RgbaPixels picture{static_cast<int>(std::size(cases)), 1, {}};
  for (const auto& c : cases) {
    picture.rgba.insert(picture.rgba.end(), {c.given.r, c.given.g, c.given.b, c.given.a});
  }
  const std::vector<std::uint8_t> png = encode_png(picture);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + 4),
            (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G'}));
  const RgbaPixels stored = stored_pixels(png);
  ASSERT_EQ(stored.width, picture.width);
  ASSERT_EQ(stored.height, 1);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::uint8_t* p = &stored.rgba[i * 4];
    EXPECT_EQ((Colour{p[0], p[1], p[2], p[3]}), cases[i].stored) << "pixel " << i;
  }
  // What the decoder of pictures reads back is the same.
  EXPECT_EQ(decode_image({ImageFormat::kPng, png}), stored);

  EXPECT_THROW(encode_png(RgbaPixels{2, 2, {1, 2, 3, 4}}), std::invalid_argument);
}

}  // namespace
}  // namespace fb::render
