#pragma once

#include <filesystem>

namespace fb::sheet {
class Chart;
struct Drawing;
}  // namespace fb::sheet

namespace fb::render {

enum class PictureFormat {
  kEmf,  // enhanced metafile, 1/20 point units
  kSvg,
  kPng,  // 2 pixels per point (144 dpi)
};

// The file name extension of a format, with its dot (".emf", ".svg", ".png").
const char* picture_extension(PictureFormat format);

// Writes a pasted picture's drawing, or a chart as it shows now, at its own size. The file is
// written under a temporary name beside `path` and renamed into place, so a failure leaves an
// earlier file untouched. Throws std::runtime_error naming the file when it cannot be written
// and std::invalid_argument when the drawing cannot be drawn.
void write_drawing(const sheet::Drawing& drawing, const std::filesystem::path& path,
                   PictureFormat format);
void write_chart(const sheet::Chart& chart, const std::filesystem::path& path,
                 PictureFormat format);

}  // namespace fb::render
