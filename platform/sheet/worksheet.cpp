#include "platform/sheet/worksheet.h"

#include <algorithm>

#include "platform/os/environment.h"
#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/shape/sheet_paste.h"
#include "platform/sheet/workbook.h"

namespace fb::sheet {

Worksheet::Worksheet(Workbook& workbook, SheetId id, std::string name)
    : workbook_(&workbook),
      id_(id),
      name_(std::move(name)),
      shapes_(std::make_unique<ShapeCollection>(workbook.application(), &workbook)) {}

Worksheet::~Worksheet() = default;

ChartObjects Worksheet::chart_objects() {
  return ChartObjects(*shapes_);
}

void Worksheet::paste_special(std::string_view format, bool link, bool display_as_icon) {
  application().faults().check(HostOperation::PasteSpecial);
  paste_as_picture(*this, format, link, display_as_icon);
}

Application& Worksheet::application() const {
  return workbook_->application();
}

GridSize Worksheet::grid() const {
  return application().grid();
}

void Worksheet::set_name(std::string_view name) {
  if (name.empty() || name.size() > 93 /* 31 characters of up to three bytes */ ||
      name.find_first_of(":\\/?*[]") != std::string_view::npos) {
    throw HostError(host_error::kApplicationDefined, "Invalid sheet name: " + std::string(name));
  }
  Worksheet* other = workbook_->worksheets().find(name);
  if (other != nullptr && other != this) {
    throw HostError(host_error::kApplicationDefined,
                    "A sheet named " + std::string(name) + " already exists");
  }
  name_ = std::string(name);
}

int Worksheet::index() const {
  auto& sheets = workbook_->sheets();
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    if (sheets[i].get() == this) return static_cast<int>(i) + 1;
  }
  return 0;
}

void Worksheet::set_visible(SheetVisibility visibility) {
  if (visibility == visible_) return;
  if (visibility != SheetVisibility::Visible) {
    auto& sheets = workbook_->sheets();
    std::vector<Worksheet*> shown;
    for (const auto& sheet : sheets) {
      if (sheet->visible_ == SheetVisibility::Visible) shown.push_back(sheet.get());
    }
    if (shown.size() == 1 && shown.front() == this) {
      throw HostError(host_error::kApplicationDefined,
                      "Unable to set the Visible property: a workbook keeps one visible sheet");
    }
    if (&workbook_->active_sheet() == this) {
      const auto at = std::find(shown.begin(), shown.end(), this);
      Worksheet* next = at + 1 != shown.end() ? *(at + 1) : *(at - 1);
      workbook_->set_active_sheet(*next);
    }
  }
  visible_ = visibility;
  workbook_->set_saved(false);
}

Range Worksheet::range(std::string_view reference) {
  auto areas = parse_a1_reference(reference, grid());
  if (!areas) {
    throw HostError(host_error::kApplicationDefined,
                    "Method 'Range' failed: no reference '" + std::string(reference) + "'");
  }
  return Range(*this, std::move(*areas));
}

Range Worksheet::range(const Range& first, const Range& last) {
  const RangeAddress a = first.area();
  const RangeAddress b = last.area();
  RangeAddress r{{std::min(a.first.row, b.first.row), std::min(a.first.column, b.first.column)},
                 {std::max(a.last.row, b.last.row), std::max(a.last.column, b.last.column)}};
  return Range(*this, {r});
}

Range Worksheet::cells(int row, int column) {
  const GridSize g = grid();
  if (row < 1 || column < 1 || row > g.rows || column > g.columns) {
    throw HostError(host_error::kApplicationDefined, "Cells(" + std::to_string(row) + ", " +
                                                         std::to_string(column) +
                                                         ") lies outside the sheet");
  }
  return Range(*this, {RangeAddress{{row, column}, {row, column}}});
}

Range Worksheet::cells() {
  const GridSize g = grid();
  return Range(*this, {RangeAddress{{1, 1}, {g.rows, g.columns}}});
}

Range Worksheet::rows(std::string_view reference) {
  if (reference.find(':') == std::string_view::npos) {
    return range(std::string(reference) + ":" + std::string(reference));
  }
  return range(reference);
}

Range Worksheet::rows(int row) {
  return cells(row, 1).entire_row();
}

Range Worksheet::columns(std::string_view reference) {
  if (reference.find(':') == std::string_view::npos) {
    return range(std::string(reference) + ":" + std::string(reference));
  }
  return range(reference);
}

Range Worksheet::columns(int column) {
  return cells(1, column).entire_column();
}

Range Worksheet::used_range() {
  const CellAddress e = store_.extent();
  if (e.row == 0) return cells(1, 1);
  return Range(*this, {RangeAddress{{1, 1}, e}});
}

void Worksheet::select() {
  application().faults().check(HostOperation::SheetSelect);
  activate();
}

void Worksheet::activate() {
  if (visible_ != SheetVisibility::Visible) {
    throw HostError(host_error::kApplicationDefined,
                    "Activate method of Worksheet class failed: the sheet is hidden");
  }
  workbook_->activate();
  workbook_->set_active_sheet(*this);
}

Range Worksheet::selection() {
  return Range(*this, selection_);
}

Range Worksheet::active_cell() {
  return cells(active_cell_.row, active_cell_.column);
}

void Worksheet::paste() {
  application().faults().check(HostOperation::Paste);
  if (&application().active_sheet() != this) {
    throw HostError(host_error::kApplicationDefined, "Paste needs the sheet to be active");
  }
  if (application().clipboard().has_shapes()) {
    paste_shapes(*this);
    return;
  }
  selection().paste_special(PasteType::All);
}

FormatId Worksheet::effective_format_id(CellAddress cell) const {
  if (const Cell* c = store_.find(cell); c != nullptr && c->format != kNoFormat) return c->format;
  if (auto row = row_formats_.find(cell.row); row != row_formats_.end()) return row->second;
  if (auto col = column_formats_.find(cell.column); col != column_formats_.end()) {
    return col->second;
  }
  return sheet_format_;
}

const CellFormat& Worksheet::effective_format(CellAddress cell) const {
  return workbook_->formats().get(effective_format_id(cell));
}

std::optional<RangeAddress> Worksheet::merge_area_of(CellAddress cell) const {
  for (const auto& m : merges_) {
    if (m.contains(cell)) return m;
  }
  return std::nullopt;
}

double Worksheet::column_width(int column) const {
  if (auto w = column_widths_.find(column); w != column_widths_.end()) return w->second;
  return standard_width();
}

double Worksheet::row_height(int row) const {
  if (auto h = row_heights_.find(row); h != row_heights_.end()) return h->second;
  return standard_height();
}

double Worksheet::standard_height() const {
  return default_row_height_.value_or(application().profile() == HostProfile::V11 ? 12.75 : 15.0);
}

namespace {

// Moves the keys of a per-line map (row formats, widths ...) for an insertion or deletion of
// whole lines.
template <typename T>
void shift_keys(std::map<int, T>& map, int at, int count, bool insert, int limit) {
  std::map<int, T> moved;
  for (auto& [key, value] : map) {
    if (key < at) {
      moved.emplace(key, value);
    } else if (insert) {
      if (key + count <= limit) moved.emplace(key + count, value);
    } else if (key >= at + count) {
      moved.emplace(key - count, value);
    }
  }
  map = std::move(moved);
}

// The merged area after the shift, or nullopt when it disappears.
std::optional<RangeAddress> shift_area(RangeAddress m, const formula::GridShift& s,
                                       bool whole_lines) {
  const bool rows = s.axis == formula::GridShift::Axis::Rows;
  int& first = rows ? m.first.row : m.first.column;
  int& last = rows ? m.last.row : m.last.column;
  const int other_first = rows ? m.first.column : m.first.row;
  const int other_last = rows ? m.last.column : m.last.row;
  if (other_last < s.span_first || other_first > s.span_last) return m;
  const bool inside_span = other_first >= s.span_first && other_last <= s.span_last;
  if (s.kind == formula::GridShift::Kind::Insert) {
    if (last < s.at) return m;
    if (first >= s.at) {
      if (!inside_span)
        throw HostError(host_error::kApplicationDefined, "Cannot change part of a merged cell");
      first += s.count;
      last += s.count;
      return m;
    }
    // The insertion cuts through the area: a whole-line insertion widens it.
    if (!inside_span || !whole_lines)
      throw HostError(host_error::kApplicationDefined, "Cannot change part of a merged cell");
    last += s.count;
    return m;
  }
  const int del_last = s.at + s.count - 1;
  if (last < s.at) return m;
  if ((!inside_span || !whole_lines) && first <= del_last &&
      !(first >= s.at && last <= del_last && inside_span)) {
    throw HostError(host_error::kApplicationDefined, "Cannot change part of a merged cell");
  }
  if (first > del_last) {
    first -= s.count;
    last -= s.count;
    return m;
  }
  const int kept_before = std::max(0, s.at - first);
  const int kept_after = std::max(0, last - del_last);
  if (kept_before + kept_after == 0) return std::nullopt;
  first = std::min(first, s.at);
  last = first + kept_before + kept_after - 1;
  if (first == last && other_first == other_last) return std::nullopt;
  return m;
}

}  // namespace

void Worksheet::shift_layout(const formula::GridShift& s) {
  const GridSize g = grid();
  const bool rows = s.axis == formula::GridShift::Axis::Rows;
  const bool insert = s.kind == formula::GridShift::Kind::Insert;
  const bool whole_lines = rows ? (s.span_first == 1 && s.span_last >= g.columns)
                                : (s.span_first == 1 && s.span_last >= g.rows);
  // Merges first: a merge that the shift would split refuses the whole operation.
  std::vector<RangeAddress> merges;
  for (const auto& m : merges_) {
    if (auto moved = shift_area(m, s, whole_lines)) merges.push_back(*moved);
  }
  merges_ = std::move(merges);

  const int span_last = whole_lines ? (rows ? kMaxColumns : kMaxRows) : s.span_last;
  if (rows) {
    if (insert) {
      store_.insert_rows(s.at, s.count, s.span_first, span_last);
    } else {
      store_.delete_rows(s.at, s.count, s.span_first, span_last);
    }
  } else {
    if (insert) {
      store_.insert_columns(s.at, s.count, s.span_first, span_last);
    } else {
      store_.delete_columns(s.at, s.count, s.span_first, span_last);
    }
  }
  if (whole_lines) {
    if (rows) {
      shift_keys(row_formats_, s.at, s.count, insert, g.rows);
      shift_keys(row_heights_, s.at, s.count, insert, g.rows);
    } else {
      shift_keys(column_formats_, s.at, s.count, insert, g.columns);
      shift_keys(column_widths_, s.at, s.count, insert, g.columns);
    }
  }
  if (auto_filter_) {
    try {
      auto_filter_ = shift_area(*auto_filter_, s, true);
    } catch (const HostError&) {
      // A filter range is no merge: a shift through part of it leaves it where it was.
    }
  }
}

}  // namespace fb::sheet
