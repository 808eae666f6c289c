#include "platform/render/logo_picture.h"

#include "platform/render/image_pixels.h"
#include "platform/ui/stock_pictures.h"

namespace fb::render {

std::vector<std::uint8_t> logo_png() {
  const raster::Picture picture = ui::product_logo_picture();
  return encode_png(RgbaPixels{picture.width, picture.height, picture.rgba});
}

}  // namespace fb::render
