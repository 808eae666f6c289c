#include "platform/xlsx/model_adapter.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>

#include "platform/render/emf_writer.h"
#include "platform/render/image_pixels.h"
#include "platform/render/page/sheet_shapes.h"
#include "platform/sheet/address.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"

namespace fb::xlsx {
namespace {

using sheet::FormatId;

// Document styles for the workbook's interned formats, added as sheets use them.
class StyleMap {
 public:
  StyleMap(const sheet::FormatTable& formats, Document& document)
      : formats_(&formats), document_(&document) {
    document.styles = {formats.get(sheet::kNoFormat)};
  }
  StyleIndex operator()(FormatId id) {
    if (id == sheet::kNoFormat) return 0;
    const auto [it, inserted] =
        index_.try_emplace(id, static_cast<StyleIndex>(document_->styles.size()));
    if (inserted) document_->styles.push_back(formats_->get(id));
    return it->second;
  }

 private:
  const sheet::FormatTable* formats_;
  Document* document_;
  std::map<FormatId, StyleIndex> index_;
};

std::vector<SheetCell> cells_of(const sheet::Worksheet& ws, StyleMap& styles) {
  std::vector<SheetCell> cells;
  const sheet::CellStore& store = ws.store();
  for (int column = 1; column <= store.column_count(); ++column) {
    for (int row = 1; row <= store.column_height(column); ++row) {
      const sheet::CellAddress at{row, column};
      const sheet::Cell* cell = store.find(at);
      if (cell == nullptr || cell->is_blank()) continue;
      cells.push_back({at, cell->value, styles(ws.effective_format_id(at))});
    }
  }
  std::sort(cells.begin(), cells.end(), [](const SheetCell& a, const SheetCell& b) {
    return std::tie(a.at.row, a.at.column) < std::tie(b.at.row, b.at.column);
  });
  return cells;
}

// Runs of columns with the same width and style; a whole-sheet format reaches the last column.
std::vector<ColumnSpan> columns_of(const sheet::Worksheet& ws, StyleMap& styles) {
  int last = ws.store().column_count();
  if (!ws.column_widths().empty()) last = std::max(last, ws.column_widths().rbegin()->first);
  if (!ws.column_formats().empty()) last = std::max(last, ws.column_formats().rbegin()->first);
  const bool sheet_formatted = ws.sheet_format() != sheet::kNoFormat;

  std::vector<ColumnSpan> spans;
  const auto add = [&](int column, double width, bool custom, std::optional<StyleIndex> style) {
    if (!custom && !style) return;
    if (!spans.empty()) {
      ColumnSpan& previous = spans.back();
      if (previous.last == column - 1 && previous.width == width &&
          previous.custom_width == custom && previous.style == style) {
        previous.last = column;
        return;
      }
    }
    spans.push_back({column, column, width, custom, style});
  };
  for (int column = 1; column <= last; ++column) {
    std::optional<StyleIndex> style;
    if (const auto f = ws.column_formats().find(column); f != ws.column_formats().end()) {
      style = styles(f->second);
    } else if (sheet_formatted) {
      style = styles(ws.sheet_format());
    }
    add(column, ws.column_width(column), ws.column_widths().contains(column), style);
  }
  if (sheet_formatted && last < sheet::kMaxColumns) {
    const StyleIndex style = styles(ws.sheet_format());
    add(last + 1, ws.standard_width(), false, style);
    spans.back().last = sheet::kMaxColumns;
  }
  return spans;
}

std::map<int, RowFormat> rows_of(const sheet::Worksheet& ws, StyleMap& styles) {
  std::map<int, RowFormat> rows;
  for (const auto& [row, height] : ws.row_heights()) rows[row].height = height;
  for (const auto& [row, format] : ws.row_formats()) rows[row].style = styles(format);
  return rows;
}

std::invalid_argument sheet_problem(const sheet::Worksheet& ws, const std::string& problem) {
  return std::invalid_argument("sheet \"" + ws.name() + "\": " + problem);
}

std::vector<CellHyperlink> hyperlinks_of(const sheet::Worksheet& ws) {
  std::vector<CellHyperlink> links;
  for (const auto& link : ws.hyperlinks().items()) {
    links.push_back(
        {link.anchor, link.address, link.sub_address, link.text_to_display, link.screen_tip});
  }
  return links;
}

PageSetup page_setup_of(const sheet::PageSetup& model) {
  PageSetup setup;
  setup.left_margin = model.left_margin();
  setup.right_margin = model.right_margin();
  setup.top_margin = model.top_margin();
  setup.bottom_margin = model.bottom_margin();
  setup.header_margin = model.header_margin();
  setup.footer_margin = model.footer_margin();
  setup.center_horizontally = model.center_horizontally();
  setup.center_vertically = model.center_vertically();
  setup.orientation = model.orientation() == sheet::PageOrientation::Landscape
                          ? Orientation::Landscape
                          : Orientation::Portrait;
  setup.paper_size = model.paper_size();
  setup.zoom = model.zoom();
  setup.fit_to_pages_wide = model.fit_to_pages_wide().value_or(0);
  setup.fit_to_pages_tall = model.fit_to_pages_tall().value_or(0);
  return setup;
}

std::optional<sheet::RangeAddress> print_area_of(const sheet::Worksheet& ws) {
  const std::string& text = ws.page_setup().print_area();
  if (text.empty()) return std::nullopt;
  const auto areas = sheet::parse_a1_reference(text, ws.grid());
  if (!areas || areas->size() != 1) {
    throw sheet_problem(ws, "the print area " + text + " is not one range");
  }
  return areas->front();
}

Placement placement_of(sheet::Placement placement) {
  switch (placement) {
    case sheet::Placement::MoveAndSize:
      return Placement::MoveAndSize;
    case sheet::Placement::Move:
      return Placement::Move;
    case sheet::Placement::FreeFloating:
      return Placement::FreeFloating;
  }
  return Placement::MoveAndSize;
}

std::string as_string(const std::vector<std::uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

// A drawing stays vector graphics: an enhanced metafile of the shape's content at its size.
PictureContent metafile_of(const sheet::Shape& shape,
                           const render::DrawingRenderer& render_drawing) {
  return {ImageFormat::Emf,
          as_string(render::render_emf(render::shape_content(shape, render_drawing))), ""};
}

PictureContent png_of(const sheet::Shape& shape) {
  render::ImageCmd image;
  image.image = render::RgbaPixels{shape.raster->width, shape.raster->height, shape.raster->rgba};
  if (shape.transparent_background) {
    const sheet::Rgb key = shape.transparency_colour;
    image.transparent_colour = render::Colour{key.r, key.g, key.b, 255};
  }
  return {ImageFormat::Png, as_string(render::encode_png(render::image_pixels(image))), ""};
}

DrawingItem drawing_item_of(const sheet::Shape& shape,
                            const render::DrawingRenderer& render_drawing) {
  DrawingItem item;
  item.name = shape.name();
  item.left = shape.left();
  item.top = shape.top();
  item.width = shape.width();
  item.height = shape.height();
  item.rotation = shape.rotation;
  item.placement = placement_of(shape.placement);
  switch (shape.kind()) {
    case sheet::ShapeKind::Chart:
      item.content = metafile_of(shape, render_drawing);
      break;
    case sheet::ShapeKind::Picture:
      item.content =
          shape.drawing || !shape.raster ? metafile_of(shape, render_drawing) : png_of(shape);
      break;
    case sheet::ShapeKind::TextBox:
      throw std::invalid_argument("the text box \"" + shape.name() + "\" cannot be written");
  }
  return item;
}

std::vector<DrawingItem> drawings_of(const sheet::Worksheet& ws,
                                     const render::DrawingRenderer& render_drawing) {
  std::vector<DrawingItem> items;
  for (const auto& shape : ws.shapes().shapes()) {
    try {
      items.push_back(drawing_item_of(*shape, render_drawing));
    } catch (const std::invalid_argument& error) {
      throw sheet_problem(ws, error.what());
    }
  }
  return items;
}

}  // namespace

Document document_from_workbook(sheet::Workbook& workbook,
                                const render::DrawingRenderer& render_drawing) {
  Document document;
  StyleMap styles(workbook.formats(), document);
  sheet::Worksheet& active = workbook.active_sheet();
  const int count = workbook.worksheets().count();
  for (int i = 1; i <= count; ++i) {
    sheet::Worksheet& ws = workbook.worksheets().item(i);
    Sheet sheet;
    sheet.name = ws.name();
    sheet.cells = cells_of(ws, styles);
    sheet.columns = columns_of(ws, styles);
    sheet.rows = rows_of(ws, styles);
    sheet.default_column_width = ws.standard_width();
    sheet.default_row_height = ws.standard_height();
    sheet.merges = ws.merges();
    sheet.view.selected = &ws == &active;
    sheet.view.active_cell = ws.active_cell().area().first;
    if (&ws == &active) document.active_sheet = i - 1;
    sheet.hyperlinks = hyperlinks_of(ws);
    sheet.page_setup = page_setup_of(ws.page_setup());
    sheet.print_area = print_area_of(ws);
    sheet.drawings = drawings_of(ws, render_drawing);
    document.sheets.push_back(std::move(sheet));
  }
  return document;
}

}  // namespace fb::xlsx
