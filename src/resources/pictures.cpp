#include "src/resources/pictures.h"

#include <stdexcept>
#include <string>

#include "platform/ui/png_picture.h"

namespace kivo2d {
namespace {

struct EmbeddedFile {
  std::string_view name;
  std::span<const std::uint8_t> bytes;
};

#include "picture_table.inc"

}  // namespace

std::span<const std::uint8_t> PictureFile(std::string_view name) {
  for (const EmbeddedFile& file : kEmbeddedPictures) {
    if (file.name == name) return file.bytes;
  }
  throw std::out_of_range("the component has no picture \"" + std::string(name) + "\"");
}

fb::ui::Picture LoadPicture(std::string_view name) {
  return fb::ui::decode_png(PictureFile(name), name);
}

}  // namespace kivo2d
