#pragma once

#include <filesystem>

#include "platform/render/page/drawing_render_callback.h"

namespace fb::sheet {
class Worksheet;
}

namespace fb::render {

enum class PageFormat { kPdf, kPng };

// The sheet's print area on its paper as its page setup says (margins, centring, fit to one
// page), cells first, then every shape: pictures and charts through `render_drawing`. The PNG
// is at kDefaultPngScale pixels per point. The file is written atomically; a sheet that cannot
// be printed throws std::invalid_argument, a file that cannot be written std::runtime_error,
// each naming the problem and the file.
DisplayList report_page(const sheet::Worksheet& sheet, const DrawingRenderer& render_drawing);
void write_report_page(const sheet::Worksheet& sheet, const std::filesystem::path& path,
                       PageFormat format, const DrawingRenderer& render_drawing);

}  // namespace fb::render
