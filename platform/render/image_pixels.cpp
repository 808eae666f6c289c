#include "platform/render/image_pixels.h"

#include <cairo.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace fb::render {

namespace {

struct ByteReader {
  const std::vector<std::uint8_t>& bytes;
  std::size_t offset = 0;
};

cairo_status_t read_bytes(void* closure, unsigned char* data, unsigned int length) {
  auto* reader = static_cast<ByteReader*>(closure);
  if (reader->bytes.size() - reader->offset < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, reader->bytes.data() + reader->offset, length);
  reader->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

RgbaPixels decode_png(const std::vector<std::uint8_t>& bytes) {
  ByteReader reader{bytes};
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(read_bytes, &reader);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    throw std::invalid_argument("the picture is not a readable PNG file");
  }
  cairo_surface_flush(surface);
  RgbaPixels out;
  out.width = cairo_image_surface_get_width(surface);
  out.height = cairo_image_surface_get_height(surface);
  out.rgba.resize(static_cast<std::size_t>(out.width) * out.height * 4);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const cairo_format_t format = cairo_image_surface_get_format(surface);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      std::uint32_t pixel;
      std::memcpy(&pixel,
                  data + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 4, 4);
      std::uint8_t a = format == CAIRO_FORMAT_RGB24 ? 255 : static_cast<std::uint8_t>(pixel >> 24);
      auto channel = [&](int shift) -> std::uint8_t {
        const unsigned v = (pixel >> shift) & 0xFF;
        return a == 0 ? 0 : static_cast<std::uint8_t>(std::min(255u, (v * 255 + a / 2) / a));
      };
      std::uint8_t* p = &out.rgba[(static_cast<std::size_t>(y) * out.width + x) * 4];
      p[0] = channel(16);
      p[1] = channel(8);
      p[2] = channel(0);
      p[3] = a;
    }
  }
  cairo_surface_destroy(surface);
  return out;
}

// ---- GIF (first frame) ----

class GifReader {
 public:
  explicit GifReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  RgbaPixels decode() {
    const std::string signature(reinterpret_cast<const char*>(take(6)), 6);
    if (signature != "GIF87a" && signature != "GIF89a") fail("no GIF signature");
    const int screen_width = word();
    const int screen_height = word();
    const std::uint8_t flags = byte();
    byte();  // background colour index: the canvas stays transparent instead
    byte();  // pixel aspect ratio
    if (screen_width == 0 || screen_height == 0) fail("empty logical screen");
    std::vector<std::uint8_t> global_table;
    if (flags & 0x80) global_table = colour_table(flags);
    int transparent_index = -1;
    while (true) {
      const std::uint8_t block = byte();
      if (block == 0x3B) fail("no image in the file");
      if (block == 0x21) {
        const std::uint8_t label = byte();
        if (label == 0xF9) {
          const std::uint8_t size = byte();
          const std::uint8_t* control = take(size);
          if (size >= 4 && (control[0] & 1)) transparent_index = control[3];
        }
        skip_sub_blocks();
        continue;
      }
      if (block != 0x2C) fail("unknown block");
      return frame(screen_width, screen_height, global_table, transparent_index);
    }
  }

 private:
  [[noreturn]] static void fail(const std::string& why) {
    throw std::invalid_argument("the picture is not a readable GIF file: " + why);
  }
  const std::uint8_t* take(std::size_t n) {
    if (bytes_.size() - offset_ < n) fail("truncated");
    const std::uint8_t* p = bytes_.data() + offset_;
    offset_ += n;
    return p;
  }
  std::uint8_t byte() { return *take(1); }
  int word() {
    const std::uint8_t* p = take(2);
    return p[0] | (p[1] << 8);
  }
  std::vector<std::uint8_t> colour_table(std::uint8_t flags) {
    const std::size_t entries = std::size_t{1} << ((flags & 7) + 1);
    const std::uint8_t* p = take(entries * 3);
    return {p, p + entries * 3};
  }
  void skip_sub_blocks() {
    while (const std::uint8_t size = byte()) take(size);
  }

  RgbaPixels frame(int screen_width, int screen_height, const std::vector<std::uint8_t>& global,
                   int transparent_index) {
    const int left = word();
    const int top = word();
    const int width = word();
    const int height = word();
    const std::uint8_t flags = byte();
    const std::vector<std::uint8_t> table = (flags & 0x80) ? colour_table(flags) : global;
    if (table.empty()) fail("no colour table");
    const bool interlaced = flags & 0x40;
    const int min_code_size = byte();
    if (min_code_size < 2 || min_code_size > 11) fail("bad code size");
    std::vector<std::uint8_t> data;
    while (const std::uint8_t size = byte()) {
      const std::uint8_t* p = take(size);
      data.insert(data.end(), p, p + size);
    }
    const std::size_t count = static_cast<std::size_t>(width) * height;
    const std::vector<std::uint8_t> indices = lzw(data, min_code_size, count);

    RgbaPixels out{
        screen_width, screen_height,
        std::vector<std::uint8_t>(static_cast<std::size_t>(screen_width) * screen_height * 4)};
    static constexpr int kPassStart[] = {0, 4, 2, 1};
    static constexpr int kPassStep[] = {8, 8, 4, 2};
    int pass = 0;
    int row = 0;
    for (int i = 0; i < height; ++i) {
      int y = i;
      if (interlaced) {
        while (row >= height) {
          ++pass;
          row = kPassStart[pass];
        }
        y = row;
        row += kPassStep[pass];
      }
      for (int x = 0; x < width; ++x) {
        const std::size_t at = static_cast<std::size_t>(i) * width + x;
        if (at >= indices.size()) break;
        const int index = indices[at];
        const int sx = left + x;
        const int sy = top + y;
        if (index == transparent_index || sx >= screen_width || sy >= screen_height) continue;
        if (static_cast<std::size_t>(index) * 3 + 2 >= table.size()) continue;
        std::uint8_t* p = &out.rgba[(static_cast<std::size_t>(sy) * screen_width + sx) * 4];
        const std::size_t entry = static_cast<std::size_t>(index) * 3;
        p[0] = table[entry];
        p[1] = table[entry + 1];
        p[2] = table[entry + 2];
        p[3] = 255;
      }
    }
    return out;
  }

  static std::vector<std::uint8_t> lzw(const std::vector<std::uint8_t>& data, int min_code_size,
                                       std::size_t count) {
    const int clear = 1 << min_code_size;
    const int end = clear + 1;
    std::vector<int> prefix(4096, -1);
    std::vector<std::uint8_t> suffix(4096);
    std::vector<std::uint8_t> first(4096);
    for (int i = 0; i < clear; ++i) {
      suffix[i] = static_cast<std::uint8_t>(i);
      first[i] = static_cast<std::uint8_t>(i);
    }
    std::vector<std::uint8_t> out;
    out.reserve(count);
    std::vector<std::uint8_t> stack;
    int code_size = min_code_size + 1;
    int next = end + 1;
    int previous = -1;
    std::uint32_t bits = 0;
    int bit_count = 0;
    std::size_t at = 0;
    while (out.size() < count) {
      while (bit_count < code_size && at < data.size()) {
        bits |= static_cast<std::uint32_t>(data[at++]) << bit_count;
        bit_count += 8;
      }
      if (bit_count < code_size) break;
      const int code = static_cast<int>(bits & ((1u << code_size) - 1));
      bits >>= code_size;
      bit_count -= code_size;
      if (code == clear) {
        code_size = min_code_size + 1;
        next = end + 1;
        previous = -1;
        continue;
      }
      if (code == end) break;
      int walk = code;
      if (previous >= 0 && code >= next) {
        if (code > next) fail("bad code");
        walk = previous;  // the KwKwK case: previous string plus its first character
      } else if (previous < 0 && code >= clear) {
        fail("bad first code");
      }
      stack.clear();
      if (previous >= 0 && code >= next) stack.push_back(first[previous]);
      for (int c = walk; c >= 0; c = prefix[c]) stack.push_back(suffix[c]);
      const std::uint8_t head = stack.back();
      out.insert(out.end(), stack.rbegin(), stack.rend());
      if (previous >= 0 && next < 4096) {
        prefix[next] = previous;
        suffix[next] = head;
        first[next] = first[previous];
        ++next;
        if (next == (1 << code_size) && code_size < 12) ++code_size;
      }
      previous = code;
    }
    out.resize(count);  // a short stream leaves the rest at index 0, as readers do
    return out;
  }

  const std::vector<std::uint8_t>& bytes_;
  std::size_t offset_ = 0;
};

}  // namespace

RgbaPixels decode_image(const EncodedImage& image) {
  switch (image.format) {
    case ImageFormat::kPng:
      return decode_png(image.bytes);
    case ImageFormat::kGif:
      return GifReader(image.bytes).decode();
  }
  throw std::invalid_argument("unknown image format");
}

RgbaPixels image_pixels(const ImageCmd& image) {
  RgbaPixels pixels = std::holds_alternative<RgbaPixels>(image.image)
                          ? std::get<RgbaPixels>(image.image)
                          : decode_image(std::get<EncodedImage>(image.image));
  if (pixels.rgba.size() != static_cast<std::size_t>(pixels.width) * pixels.height * 4 ||
      pixels.width < 0 || pixels.height < 0) {
    throw std::invalid_argument("image pixels do not match the image's width and height");
  }
  const double opacity = std::clamp(image.opacity, 0.0, 1.0);
  for (std::size_t i = 0; i < pixels.rgba.size(); i += 4) {
    std::uint8_t* p = &pixels.rgba[i];
    if (image.transparent_colour && p[0] == image.transparent_colour->r &&
        p[1] == image.transparent_colour->g && p[2] == image.transparent_colour->b) {
      p[3] = 0;
    }
    p[3] = static_cast<std::uint8_t>(std::lround(p[3] * opacity));
  }
  return pixels;
}

std::vector<std::uint8_t> encode_png(const RgbaPixels& pixels) {
  if (pixels.width <= 0 || pixels.height <= 0 ||
      pixels.rgba.size() != static_cast<std::size_t>(pixels.width) * pixels.height * 4) {
    throw std::invalid_argument("cannot encode an empty or inconsistent picture as PNG");
  }
  // A see-through pixel keeps the colour its premultiplied drawing can hold (none at all when
  // fully transparent), as the pictures have always carried it.
  std::vector<std::uint8_t> see_through;
  for (std::size_t i = 3; i < pixels.rgba.size(); i += 4) {
    if (pixels.rgba[i] != 255) {
      see_through = pixels.rgba;
      break;
    }
  }
  for (std::size_t i = 0; i < see_through.size(); i += 4) {
    const unsigned a = see_through[i + 3];
    if (a == 255) continue;
    for (std::size_t c = i; c < i + 3; ++c) {
      const unsigned premultiplied = (see_through[c] * a + 127) / 255;
      see_through[c] = static_cast<std::uint8_t>(a == 0 ? 0 : (premultiplied * 255 + a / 2) / a);
    }
  }
  const std::uint8_t* rgba = see_through.empty() ? pixels.rgba.data() : see_through.data();
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(pixels.width);
  image.height = static_cast<png_uint_32>(pixels.height);
  image.format = PNG_FORMAT_RGBA;
  // Unfiltered rows at a middle deflate level: a fifth of the work of libpng's defaults, which
  // try every filter on every row, for files of about the same size (a report page at 144 dpi:
  // 302 KB against 275 KB).
  image.flags = PNG_IMAGE_FLAG_FAST;
  // One pass into room for the worst case; pages of it that stay unwritten cost no memory.
  png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
  std::unique_ptr<std::uint8_t[]> room(new std::uint8_t[size]);
  if (!png_image_write_to_memory(&image, room.get(), &size, 0, rgba, 0, nullptr)) {
    const std::string reason = image.message;
    png_image_free(&image);
    throw std::runtime_error("PNG encoding failed: " + reason);
  }
  return {room.get(), room.get() + size};
}

}  // namespace fb::render
