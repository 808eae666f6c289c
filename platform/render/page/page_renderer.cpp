#include "platform/render/page/page_renderer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/render/sheet_styles.h"
#include "platform/sheet/column_width.h"
#include "platform/sheet/number_format.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

namespace fb::render {

namespace {

using sheet::CellAddress;
using sheet::CellEdge;
using sheet::RangeAddress;

constexpr double kTextIndent = 2.25;  // the gap a cell keeps between its edge and its text

constexpr Colour kBlack{0, 0, 0, 255};

Colour font_colour(int index) {
  return palette_or(index, kBlack);
}

std::optional<Stroke> border_stroke(const sheet::Border& border) {
  if (border.line_style == sheet::LineStyle::None) return std::nullopt;
  Stroke stroke;
  stroke.colour = font_colour(border.color_index);
  switch (border.weight) {
    case sheet::BorderWeight::Hairline:
      stroke.width = 0;
      break;
    case sheet::BorderWeight::Thin:
      stroke.width = 0.75;
      break;
    case sheet::BorderWeight::Medium:
      stroke.width = 1.5;
      break;
    case sheet::BorderWeight::Thick:
      stroke.width = 2.25;
      break;
  }
  switch (border.line_style) {
    case sheet::LineStyle::Dash:
      stroke.dash = Dash::kDash;
      break;
    case sheet::LineStyle::Dot:
      stroke.dash = Dash::kDot;
      break;
    case sheet::LineStyle::Double:
      stroke.width = 2.25;
      break;
    default:
      break;
  }
  stroke.cap = LineCap::kSquare;
  return stroke;
}

HAlign horizontal(const sheet::CellFormat& format, const sheet::Value& value) {
  switch (format.horizontal) {
    case sheet::HorizontalAlignment::Left:
      return HAlign::kLeft;
    case sheet::HorizontalAlignment::Center:
      return HAlign::kCentre;
    case sheet::HorizontalAlignment::Right:
      return HAlign::kRight;
    case sheet::HorizontalAlignment::Justify:
      return HAlign::kLeft;
    case sheet::HorizontalAlignment::General:
      break;
  }
  // General: numbers to the right, truth values centred, texts to the left.
  if (std::holds_alternative<double>(value)) return HAlign::kRight;
  if (std::holds_alternative<bool>(value)) return HAlign::kCentre;
  return HAlign::kLeft;
}

VAlign vertical(const sheet::CellFormat& format) {
  switch (format.vertical) {
    case sheet::VerticalAlignment::Top:
      return VAlign::kTop;
    case sheet::VerticalAlignment::Center:
      return VAlign::kCentre;
    case sheet::VerticalAlignment::Bottom:
      return VAlign::kBottom;
    case sheet::VerticalAlignment::Justify:
      return VAlign::kTop;
  }
  return VAlign::kBottom;
}

}  // namespace

SheetGeometry::SheetGeometry(const sheet::Worksheet& sheet) : sheet_(sheet) {}

double SheetGeometry::column_width(int column) const {
  return sheet::column_width_points(sheet_.column_width(column), sheet_.workbook().standard_font());
}

double SheetGeometry::column_left(int column) const {
  double x = 0;
  for (int c = 1; c < column; ++c) x += column_width(c);
  return x;
}

double SheetGeometry::row_top(int row) const {
  double y = 0;
  for (int r = 1; r < row; ++r) y += sheet_.row_height(r);
  return y;
}

Rect SheetGeometry::cell_rect(const RangeAddress& area) const {
  const double x = column_left(area.first.column);
  const double y = row_top(area.first.row);
  return {x, y, column_left(area.last.column + 1) - x, row_top(area.last.row + 1) - y};
}

DisplayList render_page(const sheet::Worksheet& sheet, const PageSettings& settings,
                        const std::vector<SheetDrawing>& drawings) {
  const RangeAddress& area = settings.print_area;
  if (area.first.row < 1 || area.first.column < 1 || area.last.row < area.first.row ||
      area.last.column < area.first.column) {
    throw std::invalid_argument("the print area is not a range of cells");
  }
  const double room_width = settings.paper.width - settings.left_margin - settings.right_margin;
  const double room_height = settings.paper.height - settings.top_margin - settings.bottom_margin;
  if (!(room_width > 0) || !(room_height > 0)) {
    throw std::invalid_argument("the page margins leave no room to print");
  }

  // Edges of the print area's columns and rows, relative to its top-left corner.
  const int columns = area.columns();
  const int rows = area.rows();
  std::vector<double> xs(static_cast<std::size_t>(columns) + 1, 0);
  std::vector<double> ys(static_cast<std::size_t>(rows) + 1, 0);
  const SheetGeometry geometry(sheet);
  for (int c = 0; c < columns; ++c)
    xs[c + 1] = xs[c] + geometry.column_width(area.first.column + c);
  for (int r = 0; r < rows; ++r) ys[r + 1] = ys[r] + sheet.row_height(area.first.row + r);
  auto rect_of = [&](const RangeAddress& cells) {
    const int c0 = std::max(cells.first.column, area.first.column) - area.first.column;
    const int c1 = std::min(cells.last.column, area.last.column) - area.first.column + 1;
    const int r0 = std::max(cells.first.row, area.first.row) - area.first.row;
    const int r1 = std::min(cells.last.row, area.last.row) - area.first.row + 1;
    return Rect{xs[c0], ys[r0], xs[c1] - xs[c0], ys[r1] - ys[r0]};
  };

  DisplayList content;
  auto merge_of = [&](CellAddress cell) { return sheet.merge_area_of(cell); };

  // Fills first, so that neighbouring fills never cover a border or a text.
  for (int r = area.first.row; r <= area.last.row; ++r) {
    for (int c = area.first.column; c <= area.last.column; ++c) {
      const CellAddress cell{r, c};
      const auto merge = merge_of(cell);
      if (merge && merge->first != cell && area.contains(merge->first)) continue;
      const RangeAddress box = merge ? *merge : RangeAddress{cell, cell};
      if (auto fill = interior_fill(sheet.effective_format(box.first).interior)) {
        content.rect(rect_of(box), *fill);
      }
    }
  }
  // Texts: a merged area shows its top-left cell in the whole area.
  for (int r = area.first.row; r <= area.last.row; ++r) {
    for (int c = area.first.column; c <= area.last.column; ++c) {
      const CellAddress cell{r, c};
      const auto merge = merge_of(cell);
      if (merge && merge->first != cell) continue;
      const sheet::Cell* stored = sheet.store().find(cell);
      if (stored == nullptr || sheet::is_empty(stored->value)) continue;
      const sheet::CellFormat& format = sheet.effective_format(cell);
      const std::string text = sheet::format_value(stored->value, format.number_format);
      if (text.empty()) continue;
      const Rect box = rect_of(merge ? *merge : RangeAddress{cell, cell});
      TextCmd command;
      command.text = text;
      command.font = {format.font.name, format.font.size, format.font.bold, format.font.italic};
      command.colour = font_colour(format.font.color_index);
      command.box = {box.x + kTextIndent, box.y, std::max(0.0, box.width - 2 * kTextIndent),
                     box.height};
      command.halign = horizontal(format, stored->value);
      command.valign = vertical(format);
      command.wrap = format.wrap_text;
      // Wrapped and numeric texts stay inside their cell; other texts may run over neighbours.
      command.clip = format.wrap_text || std::holds_alternative<double>(stored->value);
      content.text(std::move(command));
    }
  }
  // Borders on top, each cell's own edges; edges inside a merged area are not drawn.
  for (int r = area.first.row; r <= area.last.row; ++r) {
    for (int c = area.first.column; c <= area.last.column; ++c) {
      const CellAddress cell{r, c};
      const auto merge = merge_of(cell);
      const sheet::CellFormat& format = sheet.effective_format(cell);
      const Rect box = rect_of({cell, cell});
      struct EdgeLine {
        CellEdge edge;
        Point from, to;
        bool inside_merge;
      };
      const EdgeLine edges[] = {
          {CellEdge::Left, {box.x, box.y}, {box.x, box.bottom()}, merge && c > merge->first.column},
          {CellEdge::Top, {box.x, box.y}, {box.right(), box.y}, merge && r > merge->first.row},
          {CellEdge::Bottom,
           {box.x, box.bottom()},
           {box.right(), box.bottom()},
           merge && r < merge->last.row},
          {CellEdge::Right,
           {box.right(), box.y},
           {box.right(), box.bottom()},
           merge && c < merge->last.column},
      };
      for (const EdgeLine& edge : edges) {
        if (edge.inside_merge) continue;
        if (auto stroke = border_stroke(format.border(edge.edge))) {
          content.line(edge.from, edge.to, *stroke);
        }
      }
    }
  }
  if (!drawings.empty()) {
    DisplayList sheet_space;
    for (const SheetDrawing& drawing : drawings) drawing(sheet_space);
    content.group(std::move(sheet_space),
                  Transform::translation(-geometry.column_left(area.first.column),
                                         -geometry.row_top(area.first.row)));
  }

  const double width = xs.back();
  const double height = ys.back();
  double scale = settings.zoom > 0 ? settings.zoom : 1;
  if (settings.fit_to_one_page && width > 0 && height > 0) {
    scale = std::min({1.0, room_width / width, room_height / height});
  }
  double left = settings.left_margin;
  double top = settings.top_margin;
  if (settings.centre_horizontally) left += std::max(0.0, (room_width - width * scale) / 2);
  if (settings.centre_vertically) top += std::max(0.0, (room_height - height * scale) / 2);

  DisplayList page(settings.paper.width, settings.paper.height);
  page.set_background(Colour{255, 255, 255, 255});
  // The clip is in the content's own coordinates: the print area, and no further than the
  // margins allow.
  const Rect clip{0, 0, std::min(width, room_width / scale), std::min(height, room_height / scale)};
  page.group(
      std::move(content),
      Transform::compose(Transform::translation(left, top), Transform::scaling(scale, scale)),
      clip);
  return page;
}

}  // namespace fb::render
