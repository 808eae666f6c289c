#include <algorithm>
#include <set>
#include <stdexcept>

#include "platform/xlsx/cell_reference.h"
#include "platform/xlsx/package_parts.h"
#include "platform/xlsx/sheet_geometry.h"
#include "platform/xlsx/xml_writer.h"

namespace fb::xlsx {
namespace {

using sheet::CellAddress;
using sheet::RangeAddress;

void check_cells(const Sheet& sheet) {
  const auto fail = [&](const std::string& problem) {
    throw std::invalid_argument("sheet \"" + sheet.name + "\": " + problem);
  };
  for (std::size_t i = 0; i < sheet.cells.size(); ++i) {
    const CellAddress a = sheet.cells[i].at;
    if (a.row < 1 || a.row > sheet::kMaxRows || a.column < 1 || a.column > sheet::kMaxColumns) {
      fail("cell outside the grid");
    }
    if (i > 0 &&
        !(sheet.cells[i - 1].at.row < a.row ||
          (sheet.cells[i - 1].at.row == a.row && sheet.cells[i - 1].at.column < a.column))) {
      fail("cells not in row order or repeated at " + cell_reference(a));
    }
  }
  for (std::size_t i = 0; i < sheet.columns.size(); ++i) {
    const ColumnSpan& c = sheet.columns[i];
    if (c.first < 1 || c.last < c.first || c.last > sheet::kMaxColumns ||
        (i > 0 && sheet.columns[i - 1].last >= c.first)) {
      fail("column spans overlap or lie outside the grid");
    }
  }
}

void write_sheet_properties(XmlWriter& xml, const Sheet& sheet) {
  if (!sheet.page_setup || sheet.page_setup->zoom) return;
  xml.open("sheetPr");
  xml.empty("pageSetUpPr", {{"fitToPage", "1"}});
  xml.close();
}

void write_dimension(XmlWriter& xml, const Sheet& sheet) {
  if (sheet.cells.empty()) {
    xml.empty("dimension", {{"ref", "A1"}});
    return;
  }
  RangeAddress used{sheet.cells.front().at, sheet.cells.front().at};
  for (const auto& cell : sheet.cells) {
    used.first.row = std::min(used.first.row, cell.at.row);
    used.first.column = std::min(used.first.column, cell.at.column);
    used.last.row = std::max(used.last.row, cell.at.row);
    used.last.column = std::max(used.last.column, cell.at.column);
  }
  xml.empty("dimension", {{"ref", range_reference(used)}});
}

void write_sheet_views(XmlWriter& xml, const Sheet& sheet) {
  std::vector<XmlAttribute> attributes;
  if (!sheet.view.show_gridlines) attributes.emplace_back("showGridLines", "0");
  if (sheet.view.selected) attributes.emplace_back("tabSelected", "1");
  attributes.emplace_back("workbookViewId", "0");
  xml.open("sheetViews");
  xml.open("sheetView", attributes);
  const std::string active = cell_reference(sheet.view.active_cell);
  xml.empty("selection", {{"activeCell", active}, {"sqref", active}});
  xml.close();
  xml.close();
}

void write_sheet_format(XmlWriter& xml, const Sheet& sheet, const sheet::Font& standard_font) {
  xml.empty("sheetFormatPr", {{"defaultColWidth", measure_text(stored_column_width(
                                                      sheet.default_column_width, standard_font))},
                              {"defaultRowHeight", measure_text(sheet.default_row_height)},
                              {"customHeight", "1"}});
}

void write_columns(XmlWriter& xml, const Sheet& sheet, const sheet::Font& standard_font) {
  if (sheet.columns.empty()) return;
  xml.open("cols");
  for (const auto& span : sheet.columns) {
    std::vector<XmlAttribute> attributes = {
        {"min", std::to_string(span.first)},
        {"max", std::to_string(span.last)},
        {"width", measure_text(stored_column_width(span.width, standard_font))}};
    if (span.style) attributes.emplace_back("style", std::to_string(*span.style));
    if (span.custom_width) attributes.emplace_back("customWidth", "1");
    xml.empty("col", attributes);
  }
  xml.close();
}

void write_cell(XmlWriter& xml, const SheetCell& cell, SharedStrings& strings) {
  std::vector<XmlAttribute> attributes = {{"r", cell_reference(cell.at)}};
  if (cell.style != 0) attributes.emplace_back("s", std::to_string(cell.style));
  std::string content;
  if (const auto* number = std::get_if<double>(&cell.value)) {
    content = number_text(*number);
  } else if (const auto* text = std::get_if<std::string>(&cell.value)) {
    attributes.emplace_back("t", "s");
    content = std::to_string(strings.add(*text));
  } else if (const auto* boolean = std::get_if<bool>(&cell.value)) {
    attributes.emplace_back("t", "b");
    content = *boolean ? "1" : "0";
  } else if (const auto* error = std::get_if<sheet::ErrorCode>(&cell.value)) {
    attributes.emplace_back("t", "e");
    content = sheet::error_text(*error);
  } else {
    xml.empty("c", attributes);
    return;
  }
  xml.open("c", attributes);
  xml.text_element("v", content);
  xml.close();
}

void open_row(XmlWriter& xml, int row, const RowFormat* format) {
  std::vector<XmlAttribute> attributes = {{"r", std::to_string(row)}};
  if (format != nullptr && format->style) {
    attributes.emplace_back("s", std::to_string(*format->style));
    attributes.emplace_back("customFormat", "1");
  }
  if (format != nullptr && format->height) {
    attributes.emplace_back("ht", measure_text(*format->height));
    attributes.emplace_back("customHeight", "1");
  }
  xml.open("row", attributes);
}

void write_sheet_data(XmlWriter& xml, const Sheet& sheet, SharedStrings& strings) {
  std::set<int> rows;
  for (const auto& [row, format] : sheet.rows) rows.insert(row);
  for (const auto& cell : sheet.cells) rows.insert(cell.at.row);
  xml.open("sheetData");
  auto next_cell = sheet.cells.begin();
  for (const int row : rows) {
    const auto format = sheet.rows.find(row);
    open_row(xml, row, format == sheet.rows.end() ? nullptr : &format->second);
    for (; next_cell != sheet.cells.end() && next_cell->at.row == row; ++next_cell) {
      write_cell(xml, *next_cell, strings);
    }
    xml.close();
  }
  xml.close();
}

void write_merge_cells(XmlWriter& xml, const Sheet& sheet) {
  if (sheet.merges.empty()) return;
  xml.open("mergeCells", {{"count", std::to_string(sheet.merges.size())}});
  for (const auto& merge : sheet.merges) xml.empty("mergeCell", {{"ref", range_reference(merge)}});
  xml.close();
}

void write_hyperlinks(XmlWriter& xml, const Sheet& sheet, const SheetLayout& layout) {
  if (sheet.hyperlinks.empty()) return;
  xml.open("hyperlinks");
  for (std::size_t i = 0; i < sheet.hyperlinks.size(); ++i) {
    const CellHyperlink& link = sheet.hyperlinks[i];
    std::vector<XmlAttribute> attributes = {{"ref", cell_reference(link.cell)},
                                            {"r:id", layout.hyperlink_ids.at(i)}};
    if (!link.location.empty()) attributes.emplace_back("location", link.location);
    if (!link.screen_tip.empty()) attributes.emplace_back("tooltip", link.screen_tip);
    if (!link.text_to_display.empty()) attributes.emplace_back("display", link.text_to_display);
    xml.empty("hyperlink", attributes);
  }
  xml.close();
}

void write_print_options(XmlWriter& xml, const PageSetup& setup) {
  std::vector<XmlAttribute> attributes;
  if (setup.center_horizontally) attributes.emplace_back("horizontalCentered", "1");
  if (setup.center_vertically) attributes.emplace_back("verticalCentered", "1");
  if (!attributes.empty()) xml.empty("printOptions", attributes);
}

// The host keeps margins in points; the package in inches.
void write_page_margins(XmlWriter& xml, const PageSetup& setup) {
  const auto inches = [](double points) { return measure_text(points / 72.0); };
  xml.empty("pageMargins", {{"left", inches(setup.left_margin)},
                            {"right", inches(setup.right_margin)},
                            {"top", inches(setup.top_margin)},
                            {"bottom", inches(setup.bottom_margin)},
                            {"header", inches(setup.header_margin)},
                            {"footer", inches(setup.footer_margin)}});
}

void write_page_setup(XmlWriter& xml, const PageSetup& setup) {
  std::vector<XmlAttribute> attributes = {{"paperSize", std::to_string(setup.paper_size)}};
  if (setup.zoom) {
    attributes.emplace_back("scale", std::to_string(*setup.zoom));
  } else {
    attributes.emplace_back("fitToWidth", std::to_string(setup.fit_to_pages_wide));
    attributes.emplace_back("fitToHeight", std::to_string(setup.fit_to_pages_tall));
  }
  attributes.emplace_back("orientation",
                          setup.orientation == Orientation::Landscape ? "landscape" : "portrait");
  xml.empty("pageSetup", attributes);
}

}  // namespace

std::string worksheet_xml(const Sheet& sheet, const SheetLayout& layout,
                          const sheet::Font& standard_font, SharedStrings& strings) {
  check_cells(sheet);
  XmlWriter xml;
  xml.open("worksheet",
           {{"xmlns", "http://schemas.openxmlformats.org/spreadsheetml/2006/main"},
            {"xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships"}});
  write_sheet_properties(xml, sheet);
  write_dimension(xml, sheet);
  write_sheet_views(xml, sheet);
  write_sheet_format(xml, sheet, standard_font);
  write_columns(xml, sheet, standard_font);
  write_sheet_data(xml, sheet, strings);
  write_merge_cells(xml, sheet);
  write_hyperlinks(xml, sheet, layout);
  if (sheet.page_setup) {
    write_print_options(xml, *sheet.page_setup);
    write_page_margins(xml, *sheet.page_setup);
    write_page_setup(xml, *sheet.page_setup);
  }
  if (layout.drawing_number) xml.empty("drawing", {{"r:id", layout.drawing_id}});
  xml.close();
  return xml.finish();
}

}  // namespace fb::xlsx
