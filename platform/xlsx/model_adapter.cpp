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
#include "platform/render/page/word_art.h"
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

SheetState state_of(sheet::SheetVisibility visibility) {
  switch (visibility) {
    case sheet::SheetVisibility::Hidden:
      return SheetState::Hidden;
    case sheet::SheetVisibility::VeryHidden:
      return SheetState::VeryHidden;
    case sheet::SheetVisibility::Visible:
      break;
  }
  return SheetState::Visible;
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

// What a click on the shape opens: the address, and a place inside it after "#".
std::string hyperlink_of(const sheet::Shape& shape) {
  if (!shape.hyperlink) return {};
  const sheet::ShapeHyperlink& link = *shape.hyperlink;
  return link.sub_address.empty() ? link.address : link.address + "#" + link.sub_address;
}

// A drawing stays vector graphics: an enhanced metafile of the shape's content at its size.
PictureContent metafile_of(const sheet::Shape& shape,
                           const render::DrawingRenderer& render_drawing) {
  return {ImageFormat::Emf,
          as_string(render::render_emf(render::shape_content(shape, render_drawing))),
          hyperlink_of(shape)};
}

PictureContent png_of(const sheet::Shape& shape) {
  render::ImageCmd image;
  image.image = render::RgbaPixels{shape.raster->width, shape.raster->height, shape.raster->rgba};
  if (shape.transparent_background) {
    const sheet::Rgb key = shape.transparency_colour;
    image.transparent_colour = render::Colour{key.r, key.g, key.b, 255};
  }
  return {ImageFormat::Png, as_string(render::encode_png(render::image_pixels(image))),
          hyperlink_of(shape)};
}

WordArtContent word_art_of(const sheet::Shape& shape) {
  if (shape.hyperlink) {
    throw std::invalid_argument("the text effect \"" + shape.name() +
                                "\" has a hyperlink, which the package cannot hold");
  }
  const render::WordArtLetters letters = render::word_art_letters(shape);
  WordArtContent art;
  art.preset = shape.text_effect.preset;
  art.text = letters.text;
  art.font_name = letters.font.family;
  art.font_size = letters.font.size;
  art.bold = letters.font.bold;
  art.italic = letters.font.italic;
  art.text_colour = letters.colour;
  return art;
}

// Where a shape sits on the sheet: its own box, or for a member of a group its box moved,
// stretched and turned with the group's.
struct SheetBox {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  double rotation = 0;
};

SheetBox box_of(const sheet::Shape& shape) {
  return {shape.left(), shape.top(), shape.width(), shape.height(), shape.rotation};
}

SheetBox member_box(const sheet::Shape& member, const SheetBox& group,
                    const sheet::GroupItems& items) {
  const double sx = items.frame_width > 0 ? group.width / items.frame_width : 1;
  const double sy = items.frame_height > 0 ? group.height / items.frame_height : 1;
  SheetBox box{group.left + member.left() * sx, group.top + member.top() * sy, member.width() * sx,
               member.height() * sy, member.rotation + group.rotation};
  if (group.rotation != 0) {
    const render::Point group_centre{group.left + group.width / 2, group.top + group.height / 2};
    const render::Transform turn = render::Transform::compose(
        render::Transform::translation(group_centre.x, group_centre.y),
        render::Transform::compose(
            render::Transform::rotation(group.rotation),
            render::Transform::translation(-group_centre.x, -group_centre.y)));
    const render::Point centre = turn.apply({box.left + box.width / 2, box.top + box.height / 2});
    box.left = centre.x - box.width / 2;
    box.top = centre.y - box.height / 2;
  }
  return box;
}

// A group becomes its members, each an item of its own where the group put it: the package's
// readers show them as the host did, and each keeps its own hyperlink.
void add_drawing_items(const sheet::Shape& shape, const SheetBox& box, Placement placement,
                       const render::DrawingRenderer& render_drawing,
                       std::vector<DrawingItem>& items) {
  if (shape.kind() == sheet::ShapeKind::Group) {
    if (!shape.group) throw std::invalid_argument("the group \"" + shape.name() + "\" is empty");
    for (const auto& member : shape.group->shapes) {
      add_drawing_items(*member, member_box(*member, box, *shape.group), placement, render_drawing,
                        items);
    }
    return;
  }
  DrawingItem item;
  item.name = shape.name();
  item.left = box.left;
  item.top = box.top;
  item.width = box.width;
  item.height = box.height;
  item.rotation = box.rotation;
  item.placement = placement;
  switch (shape.kind()) {
    case sheet::ShapeKind::Chart:
      item.content = metafile_of(shape, render_drawing);
      break;
    case sheet::ShapeKind::Picture:
      item.content =
          shape.drawing || !shape.raster ? metafile_of(shape, render_drawing) : png_of(shape);
      break;
    case sheet::ShapeKind::WordArt:
      item.content = word_art_of(shape);
      break;
    case sheet::ShapeKind::TextBox:
      throw std::invalid_argument("the text box \"" + shape.name() + "\" cannot be written");
    case sheet::ShapeKind::Group:
      break;  // taken apart above
  }
  items.push_back(std::move(item));
}

std::vector<DrawingItem> drawings_of(const sheet::Worksheet& ws,
                                     const render::DrawingRenderer& render_drawing) {
  std::vector<DrawingItem> items;
  for (const auto& shape : ws.shapes().shapes()) {
    try {
      add_drawing_items(*shape, box_of(*shape), placement_of(shape->placement), render_drawing,
                        items);
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
    sheet.state = state_of(ws.visible());
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
