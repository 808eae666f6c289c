#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/cell_writes.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/cell_anchor.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

namespace fb::sheet {
namespace {

[[noreturn]] void fail(const std::string& what) {
  throw HostError(host_error::kApplicationDefined, what);
}

bool overlaps(const RangeAddress& a, const RangeAddress& b) {
  return a.first.row <= b.last.row && b.first.row <= a.last.row &&
         a.first.column <= b.last.column && b.first.column <= a.last.column;
}

}  // namespace

const CellFormat& Range::format() const {
  return sheet_->effective_format(area().first);
}

void Range::modify_format(const std::function<void(CellFormat&)>& change) const {
  modify_cell_formats([&](CellFormat& f, CellAddress, const RangeAddress&) { change(f); });
}

void Range::modify_cell_formats(
    const std::function<void(CellFormat&, CellAddress, const RangeAddress&)>& change) const {
  sheet_->application().faults().check(HostOperation::Format);
  Worksheet& ws = *sheet_;
  FormatTable& table = ws.workbook().formats();
  const GridSize g = ws.grid();
  // One result serves every cell of an area that had the same format and lies on the same edges
  // of the area; interning a whole format per cell would cost more than the change itself.
  std::unordered_map<std::uint64_t, FormatId> results;
  auto changed = [&](FormatId id, CellAddress at, const RangeAddress& area) {
    const unsigned edges =
        (at.row == area.first.row ? 1U : 0U) | (at.row == area.last.row ? 2U : 0U) |
        (at.column == area.first.column ? 4U : 0U) | (at.column == area.last.column ? 8U : 0U);
    const std::uint64_t key = (static_cast<std::uint64_t>(id) << 4) | edges;
    if (const auto found = results.find(key); found != results.end()) return found->second;
    CellFormat f = table.get(id);
    change(f, at, area);
    const FormatId result = table.intern(f);
    results.emplace(key, result);
    return result;
  };
  for (const auto& a : areas_) {
    results.clear();
    const bool whole_columns = is_whole_columns(a, g);
    const bool whole_rows = is_whole_rows(a, g);
    if (whole_columns && whole_rows) {
      ws.sheet_format_ = changed(ws.sheet_format_, a.first, a);
      for (auto& [row, id] : ws.row_formats_) id = changed(id, {row, 1}, a);
      for (auto& [col, id] : ws.column_formats_) id = changed(id, {1, col}, a);
      ws.store_.for_each([&](CellAddress at, Cell& cell) {
        if (cell.format != kNoFormat) cell.format = changed(cell.format, at, a);
      });
    } else if (whole_columns) {
      for (int c = a.first.column; c <= a.last.column; ++c) {
        const auto found = ws.column_formats_.find(c);
        const FormatId base = found != ws.column_formats_.end() ? found->second : ws.sheet_format_;
        ws.column_formats_[c] = changed(base, {1, c}, a);
        for (const auto& [row, id] : ws.row_formats_) {
          Cell& cell = ws.store_.at({row, c});
          if (cell.format == kNoFormat) cell.format = id;
        }
      }
      ws.store_.for_each_in(a, [&](CellAddress at, Cell& cell) {
        if (cell.format != kNoFormat) cell.format = changed(cell.format, at, a);
      });
    } else if (whole_rows) {
      for (int r = a.first.row; r <= a.last.row; ++r) {
        const auto found = ws.row_formats_.find(r);
        const FormatId base = found != ws.row_formats_.end() ? found->second : ws.sheet_format_;
        ws.row_formats_[r] = changed(base, {r, 1}, a);
        for (const auto& [col, id] : ws.column_formats_) {
          Cell& cell = ws.store_.at({r, col});
          if (cell.format == kNoFormat) cell.format = id;
        }
      }
      ws.store_.for_each_in(a, [&](CellAddress at, Cell& cell) {
        if (cell.format != kNoFormat) cell.format = changed(cell.format, at, a);
      });
    } else {
      for (int r = a.first.row; r <= a.last.row; ++r) {
        for (int c = a.first.column; c <= a.last.column; ++c) {
          const FormatId id = changed(ws.effective_format_id({r, c}), {r, c}, a);
          ws.store_.at({r, c}).format = id;
        }
      }
    }
  }
  ws.workbook().set_saved(false);
}

// --- merge ---

void Range::merge() {
  sheet_->application().faults().check(HostOperation::Merge);
  auto& merges = sheet_->merges_;
  CellWrites writes(*sheet_);
  for (const auto& a : areas_) {
    std::erase_if(merges, [&](const RangeAddress& m) { return overlaps(m, a); });
    if (a.rows() == 1 && a.columns() == 1) continue;
    // Only the top-left value survives, as the host keeps it when alerts are off.
    sheet_->store_.for_each_in(a, [&](CellAddress at, Cell& cell) {
      if (at != a.first && cell.has_content()) writes.clear_content(at);
    });
    merges.push_back(a);
  }
  writes.finish();
}

void Range::unmerge() {
  sheet_->application().faults().check(HostOperation::Merge);
  for (const auto& a : areas_) {
    std::erase_if(sheet_->merges_, [&](const RangeAddress& m) { return overlaps(m, a); });
  }
  sheet_->workbook().set_saved(false);
}

bool Range::merge_cells() const {
  for (const auto& a : areas_) {
    for (const auto& m : sheet_->merges_) {
      if (m.contains(a.first) && m.contains(a.last)) goto next_area;
    }
    return false;
  next_area:;
  }
  return true;
}

void Range::set_merge_cells(bool merged) {
  if (merged) {
    merge();
  } else {
    unmerge();
  }
}

// --- simple format properties ---

HorizontalAlignment Range::horizontal_alignment() const {
  return format().horizontal;
}
void Range::set_horizontal_alignment(HorizontalAlignment alignment) {
  modify_format([&](CellFormat& f) { f.horizontal = alignment; });
}
VerticalAlignment Range::vertical_alignment() const {
  return format().vertical;
}
void Range::set_vertical_alignment(VerticalAlignment alignment) {
  modify_format([&](CellFormat& f) { f.vertical = alignment; });
}
ReadingOrder Range::reading_order() const {
  return format().reading_order;
}
void Range::set_reading_order(ReadingOrder order) {
  modify_format([&](CellFormat& f) { f.reading_order = order; });
}
bool Range::wrap_text() const {
  return format().wrap_text;
}
void Range::set_wrap_text(bool wrap) {
  modify_format([&](CellFormat& f) { f.wrap_text = wrap; });
}
std::string Range::number_format_local() const {
  return format().number_format;
}
void Range::set_number_format_local(std::string_view format) {
  // The local and the invariant spelling of the formats in use here are the same.
  modify_format([&](CellFormat& f) { f.number_format = std::string(format); });
}

double Range::column_width() const {
  return sheet_->column_width(area().first.column);
}

void Range::set_column_width(double characters) {
  sheet_->application().faults().check(HostOperation::ColumnWidth);
  if (characters < 0 || characters > 255) fail("Column width must lie between 0 and 255");
  const ShapeAnchors anchors(*sheet_);
  const GridSize g = sheet_->grid();
  for (const auto& a : areas_) {
    if (is_whole_rows(a, g)) {
      sheet_->default_column_width_ = characters;
      sheet_->column_widths_.clear();
      continue;
    }
    for (int c = a.first.column; c <= a.last.column; ++c) sheet_->column_widths_[c] = characters;
  }
  anchors.restore();
}

double Range::row_height() const {
  return sheet_->row_height(area().first.row);
}

void Range::set_row_height(double points) {
  sheet_->application().faults().check(HostOperation::RowHeight);
  if (points < 0 || points > 409) fail("Row height must lie between 0 and 409");
  const ShapeAnchors anchors(*sheet_);
  const GridSize g = sheet_->grid();
  for (const auto& a : areas_) {
    if (is_whole_columns(a, g)) {
      sheet_->default_row_height_ = points;
      sheet_->row_heights_.clear();
      continue;
    }
    for (int r = a.first.row; r <= a.last.row; ++r) sheet_->row_heights_[r] = points;
  }
  anchors.restore();
}

// --- font, interior, borders ---

FontFormat Range::font() const {
  return FontFormat(*this);
}
InteriorFormat Range::interior() const {
  return InteriorFormat(*this);
}
BordersFormat Range::borders() const {
  return BordersFormat(*this, std::nullopt);
}
BordersFormat Range::borders(BorderIndex index) const {
  return BordersFormat(*this, index);
}

FontFormat::FontFormat(Range range) : range_(std::move(range)) {}
std::string FontFormat::name() const {
  return range_.format().font.name;
}
void FontFormat::set_name(std::string_view name) {
  range_.modify_format([&](CellFormat& f) { f.font.name = std::string(name); });
}
double FontFormat::size() const {
  return range_.format().font.size;
}
void FontFormat::set_size(double size) {
  if (size < 1 || size > 409) fail("Font size must lie between 1 and 409");
  range_.modify_format([&](CellFormat& f) { f.font.size = size; });
}
bool FontFormat::bold() const {
  return range_.format().font.bold;
}
void FontFormat::set_bold(bool bold) {
  range_.modify_format([&](CellFormat& f) { f.font.bold = bold; });
}
bool FontFormat::italic() const {
  return range_.format().font.italic;
}
void FontFormat::set_italic(bool italic) {
  range_.modify_format([&](CellFormat& f) { f.font.italic = italic; });
}
int FontFormat::color_index() const {
  return range_.format().font.color_index;
}
void FontFormat::set_color_index(int index) {
  range_.modify_format([&](CellFormat& f) { f.font.color_index = index; });
}

InteriorFormat::InteriorFormat(Range range) : range_(std::move(range)) {}
int InteriorFormat::color_index() const {
  return range_.format().interior.color_index;
}
void InteriorFormat::set_color_index(int index) {
  range_.modify_format([&](CellFormat& f) {
    f.interior.color_index = index;
    if (index != kColorIndexNone && f.interior.pattern == Pattern::None) {
      f.interior.pattern = Pattern::Solid;
    }
  });
}
Pattern InteriorFormat::pattern() const {
  return range_.format().interior.pattern;
}
void InteriorFormat::set_pattern(Pattern pattern) {
  range_.modify_format([&](CellFormat& f) { f.interior.pattern = pattern; });
}
int InteriorFormat::pattern_color_index() const {
  return range_.format().interior.pattern_color_index;
}
void InteriorFormat::set_pattern_color_index(int index) {
  range_.modify_format([&](CellFormat& f) { f.interior.pattern_color_index = index; });
}

BordersFormat::BordersFormat(Range range, std::optional<BorderIndex> index)
    : range_(std::move(range)), index_(index) {}

void BordersFormat::modify(const std::function<void(Border&)>& change) const {
  const auto index = index_;
  range_.modify_cell_formats([&](CellFormat& f, CellAddress at, const RangeAddress& a) {
    if (!index) {
      for (auto& b : f.borders) change(b);
      return;
    }
    switch (*index) {
      case BorderIndex::EdgeLeft:
        if (at.column == a.first.column) change(f.border(CellEdge::Left));
        break;
      case BorderIndex::EdgeTop:
        if (at.row == a.first.row) change(f.border(CellEdge::Top));
        break;
      case BorderIndex::EdgeBottom:
        if (at.row == a.last.row) change(f.border(CellEdge::Bottom));
        break;
      case BorderIndex::EdgeRight:
        if (at.column == a.last.column) change(f.border(CellEdge::Right));
        break;
      case BorderIndex::InsideVertical:
        if (at.column > a.first.column) change(f.border(CellEdge::Left));
        if (at.column < a.last.column) change(f.border(CellEdge::Right));
        break;
      case BorderIndex::InsideHorizontal:
        if (at.row > a.first.row) change(f.border(CellEdge::Top));
        if (at.row < a.last.row) change(f.border(CellEdge::Bottom));
        break;
    }
  });
}

const Border& BordersFormat::read() const {
  const RangeAddress& a = range_.area();
  Worksheet& ws = range_.worksheet();
  if (!index_) return ws.effective_format(a.first).border(CellEdge::Left);
  switch (*index_) {
    case BorderIndex::EdgeLeft:
      return ws.effective_format(a.first).border(CellEdge::Left);
    case BorderIndex::EdgeTop:
      return ws.effective_format(a.first).border(CellEdge::Top);
    case BorderIndex::EdgeBottom:
      return ws.effective_format({a.last.row, a.first.column}).border(CellEdge::Bottom);
    case BorderIndex::EdgeRight:
      return ws.effective_format({a.first.row, a.last.column}).border(CellEdge::Right);
    case BorderIndex::InsideVertical:
      return ws.effective_format({a.first.row, std::min(a.last.column, a.first.column + 1)})
          .border(CellEdge::Left);
    case BorderIndex::InsideHorizontal:
      return ws.effective_format({std::min(a.last.row, a.first.row + 1), a.first.column})
          .border(CellEdge::Top);
  }
  return ws.effective_format(a.first).border(CellEdge::Left);
}

LineStyle BordersFormat::line_style() const {
  return read().line_style;
}
void BordersFormat::set_line_style(LineStyle style) {
  modify([&](Border& b) { b.line_style = style; });
}
BorderWeight BordersFormat::weight() const {
  return read().weight;
}
void BordersFormat::set_weight(BorderWeight weight) {
  modify([&](Border& b) {
    b.weight = weight;
    if (b.line_style == LineStyle::None) b.line_style = LineStyle::Continuous;
  });
}
int BordersFormat::color_index() const {
  return read().color_index;
}
void BordersFormat::set_color_index(int index) {
  modify([&](Border& b) {
    b.color_index = index;
    if (b.line_style == LineStyle::None) b.line_style = LineStyle::Continuous;
  });
}

}  // namespace fb::sheet
