#include "platform/xlsx/model_adapter.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "platform/sheet/range.h"

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

}  // namespace

Document document_from_workbook(sheet::Workbook& workbook, const std::vector<SheetExtras>& extras) {
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
    if (static_cast<std::size_t>(i - 1) < extras.size()) {
      const SheetExtras& extra = extras[static_cast<std::size_t>(i - 1)];
      sheet.hyperlinks = extra.hyperlinks;
      sheet.page_setup = extra.page_setup;
      sheet.print_area = extra.print_area;
      sheet.drawings = extra.drawings;
      sheet.view.show_gridlines = extra.show_gridlines;
    }
    document.sheets.push_back(std::move(sheet));
  }
  return document;
}

}  // namespace fb::xlsx
