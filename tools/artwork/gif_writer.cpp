#include "tools/artwork/gif_writer.h"

#include <gif_lib.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace fb::artwork {
namespace {

int Append(GifFileType* gif, const GifByteType* bytes, int count) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + count);
  return count;
}

struct MapFree {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColourMap = std::unique_ptr<ColorMapObject, MapFree>;

ColourMap MakeMap(const std::vector<GifColour>& colours) {
  if (colours.empty()) return nullptr;
  if (colours.size() > 256)
    throw std::runtime_error("a GIF colour table holds at most 256 colours");
  int size = 2;
  while (size < static_cast<int>(colours.size())) size *= 2;
  std::vector<GifColorType> table(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < colours.size(); ++i) {
    table[i] = {colours[i].r, colours[i].g, colours[i].b};
  }
  return ColourMap(GifMakeMapObject(size, table.data()));
}

void Check(GifFileType* gif, int result, const char* what) {
  if (result != GIF_ERROR) return;
  const char* reason = GifErrorString(gif->Error);
  throw std::runtime_error(std::string("GIF writer: ") + what + ": " +
                           (reason != nullptr ? reason : "failed"));
}

}  // namespace

std::vector<std::uint8_t> WriteGif(const GifFile& file) {
  std::vector<std::uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, Append, &error);
  if (gif == nullptr) throw std::runtime_error("GIF writer: cannot start the file");
  struct Closer {
    GifFileType* gif;
    ~Closer() {
      int ignored = 0;
      if (gif != nullptr) EGifCloseFile(gif, &ignored);
    }
  } closer{gif};

  EGifSetGifVersion(gif, file.gif89);
  const ColourMap global = MakeMap(file.global_colours);
  const int depth = global ? global->BitsPerPixel : 8;
  Check(gif, EGifPutScreenDesc(gif, file.width, file.height, depth, 0, global.get()),
        "screen descriptor");
  if (file.gif89 && file.loop_count) {
    const GifByteType loop[3] = {1, static_cast<GifByteType>(*file.loop_count & 0xFF),
                                 static_cast<GifByteType>((*file.loop_count >> 8) & 0xFF)};
    Check(gif, EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), "loop extension");
    Check(gif, EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"), "loop extension");
    Check(gif, EGifPutExtensionBlock(gif, 3, loop), "loop extension");
    Check(gif, EGifPutExtensionTrailer(gif), "loop extension");
  }
  for (const GifImage& image : file.images) {
    if (file.gif89) {
      GraphicsControlBlock control{};
      control.DisposalMode = image.disposal;
      control.UserInputFlag = false;
      control.DelayTime = image.delay_centiseconds;
      control.TransparentColor = image.transparent < 0 ? NO_TRANSPARENT_COLOR : image.transparent;
      GifByteType bytes[4];
      const auto length = EGifGCBToExtension(&control, bytes);
      Check(gif, EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), bytes),
            "graphics control");
    }
    const ColourMap local = MakeMap(image.local_colours);
    // giflib keeps a copy of the previous frame's local table and, given none for this frame,
    // drops the pointer without freeing it: free it here so a writer of many frames does not leak.
    if (!local && gif->Image.ColorMap != nullptr) {
      GifFreeMapObject(gif->Image.ColorMap);
      gif->Image.ColorMap = nullptr;
    }
    Check(gif,
          EGifPutImageDesc(gif, image.left, image.top, image.width, image.height, image.interlaced,
                           local.get()),
          "image descriptor");
    // An interlaced image's rows go in four passes: every 8th from 0, every 8th from 4, every
    // 4th from 2, every 2nd from 1.
    std::vector<int> rows;
    if (image.interlaced) {
      for (const auto& [first, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
        for (int y = first; y < image.height; y += step) rows.push_back(y);
      }
    } else {
      for (int y = 0; y < image.height; ++y) rows.push_back(y);
    }
    for (const int y : rows) {
      auto* row = const_cast<GifPixelType*>(image.indexes.data() +
                                            static_cast<std::size_t>(y) * image.width);
      Check(gif, EGifPutLine(gif, row, image.width), "image data");
    }
  }
  const int result = EGifCloseFile(gif, &error);
  closer.gif = nullptr;
  if (result == GIF_ERROR) throw std::runtime_error("GIF writer: cannot finish the file");
  return out;
}

}  // namespace fb::artwork
