#include "platform/render/drawing/picture_export.h"

#include <stdexcept>
#include <string>

#include "platform/render/cairo_sink.h"
#include "platform/render/chart/chart_renderer.h"
#include "platform/render/drawing/drawing_renderer.h"
#include "platform/render/emf_writer.h"
#include "platform/render/svg_sink.h"

namespace fb::render {
namespace {

using Writer = void (*)(const DisplayList&, const std::filesystem::path&);

void write_png_picture(const DisplayList& list, const std::filesystem::path& path) {
  write_png(list, path, kDefaultPngScale);
}

struct FormatEntry {
  PictureFormat format;
  const char* extension;
  Writer write;
};

constexpr FormatEntry kFormats[] = {
    {PictureFormat::kEmf, ".emf", &write_emf},
    {PictureFormat::kSvg, ".svg", &write_svg},
    {PictureFormat::kPng, ".png", &write_png_picture},
};

const FormatEntry& entry(PictureFormat format) {
  for (const FormatEntry& e : kFormats) {
    if (e.format == format) return e;
  }
  throw std::invalid_argument("no picture format " + std::to_string(static_cast<int>(format)));
}

}  // namespace

const char* picture_extension(PictureFormat format) {
  return entry(format).extension;
}

void write_drawing(const sheet::Drawing& drawing, const std::filesystem::path& path,
                   PictureFormat format) {
  entry(format).write(render_drawing(drawing), path);
}

void write_chart(const sheet::Chart& chart, const std::filesystem::path& path,
                 PictureFormat format) {
  entry(format).write(render_chart(chart), path);
}

}  // namespace fb::render
