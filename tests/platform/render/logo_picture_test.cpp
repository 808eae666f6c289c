#include "platform/render/logo_picture.h"

#include <gtest/gtest.h>

#include "platform/render/image_pixels.h"
#include "platform/ui/stock_pictures.h"

namespace fb::render {
namespace {

TEST(LogoPictureTest, PngHoldsTheImageListLogo) {
  const RgbaPixels decoded = decode_image({ImageFormat::kPng, logo_png()});
  const raster::Picture logo = ui::product_logo_picture();
  EXPECT_EQ(decoded.width, logo.width);
  EXPECT_EQ(decoded.height, logo.height);
  // Opaque pixels survive the round trip exactly.
  for (int y = 0; y < logo.height; ++y) {
    for (int x = 0; x < logo.width; ++x) {
      const raster::Rgba p = logo.pixel(x, y);
      if (p.a != 255) continue;
      const std::uint8_t* q = &decoded.rgba[(static_cast<std::size_t>(y) * logo.width + x) * 4];
      ASSERT_EQ((raster::Rgba{q[0], q[1], q[2], q[3]}), p) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace fb::render
