#include "platform/sheet/shape/sheet_paste.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <string>

#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/shape/cell_anchor.h"
#include "platform/sheet/shape/drawing.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_clipboard.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/worksheet.h"

namespace fb::sheet {
namespace {

constexpr std::string_view kEnhancedMetafile = "图片(增强型图元文件)";

const CopiedShapes& clipboard_shapes(Worksheet& sheet, const char* call) {
  Application& app = sheet.application();
  if (&app.active_sheet() != &sheet) {
    throw HostError(host_error::kApplicationDefined,
                    std::string(call) + " needs the sheet " + sheet.name() + " to be active");
  }
  if (!app.clipboard().has_shapes() || app.clipboard().shapes().shapes.empty()) {
    throw HostError(host_error::kApplicationDefined,
                    std::string(call) +
                        " method of Worksheet class failed: no shapes on the "
                        "clipboard");
  }
  return app.clipboard().shapes();
}

SheetPoint top_left_of(const CopiedShapes& copied) {
  SheetPoint corner{std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
  for (const auto& shape : copied.shapes) {
    corner.left = std::min(corner.left, shape->left());
    corner.top = std::min(corner.top, shape->top());
  }
  return corner;
}

// A shape as one element of a flattened drawing; a group becomes a drawing of its members.
DrawingItem drawing_item(const Shape& shape, double left, double top) {
  DrawingItem item;
  item.left = left;
  item.top = top;
  item.width = shape.width();
  item.height = shape.height();
  if (const Chart* chart = shape.chart_or_null()) {
    item.chart = chart->frozen_copy();
  } else if (shape.drawing) {
    item.drawing = shape.drawing;
  } else if (shape.raster) {
    item.raster = shape.raster;
  } else if (shape.group) {
    auto members = std::make_shared<Drawing>();
    members->width = shape.group->frame_width;
    members->height = shape.group->frame_height;
    for (const auto& member : shape.group->shapes) {
      members->items.push_back(drawing_item(*member, member->left(), member->top()));
    }
    item.drawing = std::move(members);
  } else {
    throw HostError(
        host_error::kApplicationDefined,
        "PasteSpecial: the shape " + shape.name() + " cannot be drawn as a picture in this host");
  }
  return item;
}

}  // namespace

SheetPoint cell_top_left(const Worksheet& sheet, CellAddress cell) {
  return {column_left_points(sheet, cell.column), row_top_points(sheet, cell.row)};
}

void paste_shapes(Worksheet& sheet) {
  const CopiedShapes& copied = clipboard_shapes(sheet, "Paste");
  const SheetPoint corner = top_left_of(copied);
  const SheetPoint at = cell_top_left(sheet, sheet.active_cell().area().first);
  std::vector<std::string> names;
  for (const auto& shape : copied.shapes) {
    std::unique_ptr<Shape> copy = shape->clone();
    copy->set_left(at.left + shape->left() - corner.left);
    copy->set_top(at.top + shape->top() - corner.top);
    names.push_back(sheet.shapes().adopt(std::move(copy)).name());
  }
  // The pasted shapes are the selection afterwards.
  sheet.application().select_shapes(sheet.shapes(), std::move(names));
}

void paste_as_picture(Worksheet& sheet, std::string_view format, bool link, bool display_as_icon) {
  if (format != kEnhancedMetafile || link || display_as_icon) {
    throw HostError(host_error::kApplicationDefined,
                    "PasteSpecial method of Worksheet class failed: format '" +
                        std::string(format) + "'" + (link ? " linked" : "") +
                        (display_as_icon ? " as icon" : ""));
  }
  const CopiedShapes& copied = clipboard_shapes(sheet, "PasteSpecial");
  const SheetPoint corner = top_left_of(copied);
  auto drawing = std::make_shared<Drawing>();
  for (const auto& shape : copied.shapes) {
    DrawingItem item = drawing_item(*shape, shape->left() - corner.left, shape->top() - corner.top);
    drawing->width = std::max(drawing->width, item.left + item.width);
    drawing->height = std::max(drawing->height, item.top + item.height);
    drawing->items.push_back(std::move(item));
  }
  const SheetPoint at = cell_top_left(sheet, sheet.active_cell().area().first);
  Shape& picture = sheet.shapes().add_drawing_picture(std::move(drawing), at.left, at.top);
  sheet.application().select_shapes(sheet.shapes(), {picture.name()});
}

}  // namespace fb::sheet
