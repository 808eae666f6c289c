#include "platform/ui/png_picture.h"

#include <png.h>

#include <stdexcept>
#include <string>

namespace fb::ui {

Picture decode_png(std::span<const std::uint8_t> bytes, std::string_view source) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  auto fail = [&](const char* what) {
    const std::string reason = image.message[0] != '\0' ? image.message : what;
    png_image_free(&image);
    throw std::invalid_argument(std::string(source) + ": not a readable PNG picture: " + reason);
  };
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) fail("no header");
  image.format = PNG_FORMAT_RGBA;
  Picture picture(static_cast<int>(image.width), static_cast<int>(image.height));
  if (!png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr)) fail("bad data");
  return picture;
}

}  // namespace fb::ui
