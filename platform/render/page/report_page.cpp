#include "platform/render/page/report_page.h"

#include <stdexcept>

#include "platform/render/cairo_sink.h"
#include "platform/render/page/page_settings.h"
#include "platform/render/page/sheet_shapes.h"

namespace fb::render {

DisplayList report_page(const sheet::Worksheet& sheet, const DrawingRenderer& render_drawing) {
  return render_page(sheet, page_settings_of(sheet), {sheet_shapes(sheet, render_drawing)});
}

void write_report_page(const sheet::Worksheet& sheet, const std::filesystem::path& path,
                       PageFormat format, const DrawingRenderer& render_drawing) {
  DisplayList page;
  try {
    page = report_page(sheet, render_drawing);
  } catch (const std::invalid_argument& error) {
    throw std::invalid_argument("cannot write " + path.string() + ": " + error.what());
  }
  switch (format) {
    case PageFormat::kPdf:
      write_pdf(page, path);
      return;
    case PageFormat::kPng:
      write_png(page, path);
      return;
  }
  throw std::invalid_argument("cannot write " + path.string() + ": unknown page format");
}

}  // namespace fb::render
