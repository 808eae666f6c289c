#include "platform/sheet/shape/bitmap_file.h"

#include <cstdint>
#include <fstream>
#include <limits>
#include <vector>

#include "platform/os/host_error.h"

namespace fb::sheet {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

std::uint32_t get32(const std::vector<std::uint8_t>& in, std::size_t at) {
  return static_cast<std::uint32_t>(in[at]) | static_cast<std::uint32_t>(in[at + 1]) << 8 |
         static_cast<std::uint32_t>(in[at + 2]) << 16 |
         static_cast<std::uint32_t>(in[at + 3]) << 24;
}

std::uint16_t get16(const std::vector<std::uint8_t>& in, std::size_t at) {
  return static_cast<std::uint16_t>(in[at] | in[at + 1] << 8);
}

constexpr std::uint32_t kFileHeader = 14;
constexpr std::uint32_t kInfoHeader = 40;

}  // namespace

void save_bitmap_file(const raster::Picture& picture, const std::filesystem::path& file) {
  const auto w = static_cast<std::uint32_t>(picture.width);
  const auto h = static_cast<std::uint32_t>(picture.height);
  std::vector<std::uint8_t> out;
  const std::uint32_t pixels = w * h * 4;
  out.push_back('B');
  out.push_back('M');
  put32(out, kFileHeader + kInfoHeader + pixels);
  put32(out, 0);
  put32(out, kFileHeader + kInfoHeader);
  put32(out, kInfoHeader);
  put32(out, w);
  put32(out, h);  // positive height: rows bottom-up
  put16(out, 1);
  put16(out, 32);
  put32(out, 0);  // uncompressed
  put32(out, pixels);
  put32(out, 3780);  // 96 pixels to the inch
  put32(out, 3780);
  put32(out, 0);
  put32(out, 0);
  out.resize(kFileHeader + kInfoHeader + pixels);
  std::uint8_t* to = out.data() + kFileHeader + kInfoHeader;
  for (int y = picture.height - 1; y >= 0; --y) {
    const std::uint8_t* from = picture.rgba.data() + static_cast<std::size_t>(y) * w * 4;
    for (std::uint32_t x = 0; x < w; ++x, from += 4, to += 4) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
      to[3] = from[3];
    }
  }
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  stream.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (!stream) {
    throw HostError(host_error::kPathFileAccess, "Cannot write the picture " + file.string());
  }
}

std::optional<raster::Picture> read_bitmap_file(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary | std::ios::ate);
  if (!stream) return std::nullopt;
  const std::streamoff size = stream.tellg();
  if (size < 0) return std::nullopt;
  std::vector<std::uint8_t> in(static_cast<std::size_t>(size));
  stream.seekg(0);
  if (!stream.read(reinterpret_cast<char*>(in.data()), size)) return std::nullopt;
  if (in.size() < kFileHeader + kInfoHeader || in[0] != 'B' || in[1] != 'M') return std::nullopt;
  const std::uint32_t offset = get32(in, 10);
  const auto width = static_cast<std::int32_t>(get32(in, 18));
  const auto height_field = static_cast<std::int32_t>(get32(in, 22));
  const std::uint16_t bits = get16(in, 28);
  const std::uint32_t compression = get32(in, 30);
  if (width <= 0 || height_field == 0 || height_field == std::numeric_limits<std::int32_t>::min() ||
      (bits != 24 && bits != 32) || compression != 0) {
    return std::nullopt;
  }
  const bool bottom_up = height_field > 0;
  const int height = bottom_up ? height_field : -height_field;
  // Sizes beyond what the picture's own arithmetic holds are refused before any is multiplied.
  if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4 >
      static_cast<std::uint64_t>(std::numeric_limits<int>::max())) {
    return std::nullopt;
  }
  const std::size_t bytes = bits / 8U;
  const std::size_t stride = (static_cast<std::size_t>(width) * bytes + 3) / 4 * 4;
  if (offset + stride * static_cast<std::size_t>(height) > in.size()) return std::nullopt;
  raster::Picture picture(width, height);
  for (int row = 0; row < height; ++row) {
    const int y = bottom_up ? height - 1 - row : row;
    const std::uint8_t* from = in.data() + offset + stride * static_cast<std::size_t>(row);
    std::uint8_t* to = picture.rgba.data() + static_cast<std::size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x, from += bytes, to += 4) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
      to[3] = bits == 32 ? from[3] : std::uint8_t{255};
    }
  }
  return picture;
}

}  // namespace fb::sheet
