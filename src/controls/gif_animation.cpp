#include "src/controls/gif_animation.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace kivo2d {
namespace {

struct Reader {
  std::span<const std::uint8_t> bytes;
  std::size_t position = 0;
  bool ran_out = false;  // giflib wanted bytes past the end: whatever it reports, the file is cut
};

int ReadBytes(GifFileType* gif, GifByteType* out, int wanted) {
  auto* reader = static_cast<Reader*>(gif->UserData);
  const std::size_t left = reader->bytes.size() - reader->position;
  const std::size_t count = std::min(left, static_cast<std::size_t>(std::max(wanted, 0)));
  std::memcpy(out, reader->bytes.data() + reader->position, count);
  reader->position += count;
  if (count < static_cast<std::size_t>(std::max(wanted, 0))) reader->ran_out = true;
  return static_cast<int>(count);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int ignored = 0;
    DGifCloseFile(gif, &ignored);
  }
};

[[noreturn]] void Fail(std::string_view source, const std::string& problem) {
  throw GifError(std::string(source) + ": " + problem);
}

std::string Explain(int code) {
  switch (code) {
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_EOF_TOO_SOON:
      return "the file is cut short";
    case D_GIF_ERR_NOT_GIF_FILE:
      return "not a GIF file (it does not start with GIF87a or GIF89a)";
    case D_GIF_ERR_NO_SCRN_DSCR:
    case D_GIF_ERR_NO_IMAG_DSCR:
    case D_GIF_ERR_WRONG_RECORD:
      return "the file's structure is damaged";
    case D_GIF_ERR_NO_COLOR_MAP:
      return "an image has no colour table";
    case D_GIF_ERR_DATA_TOO_BIG:
    case D_GIF_ERR_IMAGE_DEFECT:
      return "the image data is damaged";
    case D_GIF_ERR_NOT_ENOUGH_MEM:
      return "the image is too large";
    default: {
      const char* text = GifErrorString(code);
      return text != nullptr ? text : "unreadable GIF data";
    }
  }
}

// The loop count of a NETSCAPE2.0 application extension among `blocks`, if there is one.
bool FindLoops(const ExtensionBlock* blocks, int count, int& loops) {
  for (int i = 0; i + 1 < count; ++i) {
    const ExtensionBlock& app = blocks[i];
    if (app.Function != APPLICATION_EXT_FUNC_CODE || app.ByteCount != 11) continue;
    if (std::memcmp(app.Bytes, "NETSCAPE2.0", 11) != 0 &&
        std::memcmp(app.Bytes, "ANIMEXTS1.0", 11) != 0) {
      continue;
    }
    const ExtensionBlock& data = blocks[i + 1];
    if (data.Function != CONTINUE_EXT_FUNC_CODE || data.ByteCount < 3 || data.Bytes[0] != 1) {
      continue;
    }
    loops = data.Bytes[1] | (data.Bytes[2] << 8);
    return true;
  }
  return false;
}

}  // namespace

std::chrono::milliseconds GifAnimation::total_time() const {
  std::chrono::milliseconds total{0};
  for (const GifFrame& frame : frames) total += frame.delay;
  return total;
}

GifAnimation DecodeGif(std::span<const std::uint8_t> bytes, std::string_view source) {
  if (bytes.empty()) Fail(source, "the file is empty");
  Reader reader{bytes};
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, ReadBytes, &error));
  if (!gif && error != D_GIF_ERR_NOT_GIF_FILE && reader.ran_out) error = D_GIF_ERR_READ_FAILED;
  if (!gif) Fail(source, Explain(error));
  if (gif->SWidth <= 0 || gif->SHeight <= 0) Fail(source, "the picture has no size");
  if (gif->SWidth > kMaxGifSide || gif->SHeight > kMaxGifSide) {
    Fail(source, "the picture is larger than " + std::to_string(kMaxGifSide) + " pixels a side");
  }
  if (DGifSlurp(gif.get()) != GIF_OK) {
    if (reader.ran_out) gif->Error = D_GIF_ERR_READ_FAILED;
    const int frames_read = std::max(gif->ImageCount, 1);
    Fail(source, Explain(gif->Error) + " (in or after frame " + std::to_string(frames_read) + ")");
  }
  if (gif->ImageCount <= 0) Fail(source, "the file holds no image");

  GifAnimation animation;
  animation.width = gif->SWidth;
  animation.height = gif->SHeight;
  int loops = 0;
  bool found = false;
  for (int i = 0; i < gif->ImageCount && !found; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    found = FindLoops(image.ExtensionBlocks, image.ExtensionBlockCount, loops);
  }
  if (!found) found = FindLoops(gif->ExtensionBlocks, gif->ExtensionBlockCount, loops);
  if (found) animation.plays = loops == 0 ? GifAnimation::kForever : loops + 1;

  for (int index = 0; index < gif->ImageCount; ++index) {
    const SavedImage& image = gif->SavedImages[index];
    const GifImageDesc& desc = image.ImageDesc;
    const ColorMapObject* colours = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
    if (colours == nullptr) {
      Fail(source, "frame " + std::to_string(index + 1) + " has no colour table");
    }
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(gif.get(), index, &control);

    GifFrame frame;
    frame.left = desc.Left;
    frame.top = desc.Top;
    frame.width = desc.Width;
    frame.height = desc.Height;
    frame.indexes.assign(image.RasterBits,
                         image.RasterBits + static_cast<std::size_t>(desc.Width) * desc.Height);
    for (int i = 0; i < colours->ColorCount; ++i) {
      const GifColorType& c = colours->Colors[i];
      frame.colours.push_back({c.Red, c.Green, c.Blue, 255});
    }
    frame.transparent = control.TransparentColor;
    frame.disposal = control.DisposalMode;
    frame.delay = std::chrono::milliseconds{control.DelayTime * 10};
    if (frame.delay < kShortestDelay) frame.delay = kShortDelayShownAs;
    animation.frames.push_back(std::move(frame));
  }
  return animation;
}

}  // namespace kivo2d
