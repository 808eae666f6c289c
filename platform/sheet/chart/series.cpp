#include "platform/sheet/chart/series.h"

#include <string>

#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/range.h"
#include "platform/sheet/workbook.h"

namespace fb::sheet {
namespace {

[[noreturn]] void refuse(const std::string& what) {
  throw HostError(host_error::kApplicationDefined, what);
}

SheetReference checked_reference(std::string_view text, GridSize grid, const char* property) {
  auto reference = parse_sheet_reference(text, grid);
  if (!reference) {
    refuse(std::string("Unable to set the ") + property + " property of the Series class: '" +
           std::string(text) + "' is no reference");
  }
  return *reference;
}

// Cells of a one-dimensional block along its longer side (a single cell counts as a column).
int length_of(const RangeAddress& area) {
  return area.columns() > area.rows() ? area.columns() : area.rows();
}

CellAddress nth_cell(const RangeAddress& area, int n) {
  if (area.columns() > area.rows()) return {area.first.row, area.first.column + n};
  return {area.first.row + n, area.first.column};
}

}  // namespace

void Series::set_values(std::string_view reference) {
  set_values(checked_reference(reference, chart_->application().grid(), "Values"));
}

void Series::set_x_values(std::string_view reference) {
  set_x_values(checked_reference(reference, chart_->application().grid(), "XValues"));
}

void Series::set_values(SheetReference reference) {
  values_ = std::move(reference);
  frozen_.reset();
}

void Series::set_x_values(std::optional<SheetReference> reference) {
  x_values_ = std::move(reference);
  frozen_.reset();
}

void Series::set_formula(std::string_view text) {
  auto parts = parse_series_formula(text, chart_->application().grid());
  if (!parts) {
    refuse("Unable to set the Formula property of the Series class: '" + std::string(text) + "'");
  }
  name_ = parts->name;
  x_values_ = parts->x_values;
  values_ = parts->values;
  plot_order_ = parts->plot_order;
  frozen_.reset();
}

std::string Series::formula() const {
  const GridSize grid = chart_->application().grid();
  std::string text = "=SERIES(" + name_ + ",";
  if (x_values_) text += format_sheet_reference_a1(*x_values_, grid);
  text += ",";
  if (values_) text += format_sheet_reference_a1(*values_, grid);
  return text + "," + std::to_string(plot_order_) + ")";
}

std::string Series::formula_r1c1() const {
  const GridSize grid = chart_->application().grid();
  std::string text = "=SERIES(" + name_ + ",";
  if (x_values_) text += format_sheet_reference_r1c1(*x_values_, grid);
  text += ",";
  if (values_) text += format_sheet_reference_r1c1(*values_, grid);
  return text + "," + std::to_string(plot_order_) + ")";
}

std::vector<SeriesPoint> Series::read_points() const {
  std::vector<SeriesPoint> points;
  if (!values_) return points;
  Workbook* workbook = chart_->workbook();
  if (workbook == nullptr) return points;
  Worksheet* value_sheet = workbook->worksheets().find(values_->sheet);
  if (value_sheet == nullptr) return points;
  Worksheet* x_sheet = x_values_ ? workbook->worksheets().find(x_values_->sheet) : nullptr;
  const int n = length_of(values_->area);
  points.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    SeriesPoint point;
    const CellAddress at = nth_cell(values_->area, i);
    const Range cell = value_sheet->cells(at.row, at.column);
    point.y = cell.value();
    point.value_text = cell.text();
    if (x_sheet != nullptr && i < length_of(x_values_->area)) {
      const RangeAddress& xa = x_values_->area;
      // Several columns beside a column of points are levels of the categories, outer first.
      const bool by_rows = values_->area.rows() >= values_->area.columns();
      const int levels = by_rows ? xa.columns() : xa.rows();
      for (int level = 0; level < levels; ++level) {
        const CellAddress c = by_rows ? CellAddress{xa.first.row + i, xa.first.column + level}
                                      : CellAddress{xa.first.row + level, xa.first.column + i};
        point.category_levels.push_back(x_sheet->cells(c.row, c.column).text());
        if (level == levels - 1) point.x = x_sheet->cells(c.row, c.column).value();
      }
      point.category_text = point.category_levels.back();
    } else {
      point.x = Value(static_cast<double>(i + 1));
      point.category_text = std::to_string(i + 1);
      point.category_levels = {point.category_text};
    }
    points.push_back(std::move(point));
  }
  return points;
}

std::vector<SeriesPoint> Series::points() const {
  return frozen_ ? *frozen_ : read_points();
}

int Series::point_count() const {
  if (frozen_) return static_cast<int>(frozen_->size());
  return values_ ? length_of(values_->area) : 0;
}

void Series::freeze() {
  frozen_ = points();  // a copy of a frozen series keeps what it had
}

void Series::set_axis_group(AxisGroup group) {
  axis_group_ = group;
  chart_->ensure_axes_for_groups();
}

void Series::apply_data_labels(const DataLabelOptions& options) {
  labels_ = options;
}

void Series::set_data_label_position(DataLabelPosition position) {
  const ChartType type = chart_->series_type(*this);
  if (!labels_ || (type != ChartType::LineMarkers && type != ChartType::XYScatterLinesNoMarkers)) {
    refuse("Unable to set the Position property of the DataLabels class");
  }
  label_position_ = position;
}

void Series::check_point(int index) const {
  if (index < 1 || index > point_count()) {
    refuse("Unable to get the Points property of the Series class: point " + std::to_string(index) +
           " of " + std::to_string(point_count()));
  }
}

void Series::delete_point_label(int index) {
  check_point(index);
  point_labels_[index].deleted = true;
}

void Series::set_point_label_text(int index, std::string text) {
  check_point(index);
  PointLabel& label = point_labels_[index];
  label.deleted = false;
  label.text = std::move(text);
}

std::optional<std::string> Series::label_text(int index) const {
  check_point(index);
  const auto own = point_labels_.find(index);
  if (own != point_labels_.end() && (own->second.deleted || own->second.text)) {
    return own->second.deleted ? std::nullopt : own->second.text;
  }
  if (!labels_) return std::nullopt;
  return label_text(index, points()[static_cast<std::size_t>(index - 1)]);
}

std::optional<std::string> Series::label_text(int index, const SeriesPoint& point) const {
  check_point(index);
  const auto own = point_labels_.find(index);
  if (own != point_labels_.end()) {
    if (own->second.deleted) return std::nullopt;
    if (own->second.text) return own->second.text;
  }
  if (!labels_) return std::nullopt;
  if (is_empty(point.y)) return std::nullopt;
  std::string text;
  auto add = [&](const std::string& part) {
    if (!text.empty()) text += ", ";
    text += part;
  };
  if (labels_->series_name) add(name_);
  if (labels_->category_name) add(point.category_text);
  if (labels_->value) add(point.value_text);
  if (text.empty()) return std::nullopt;
  return text;
}

void Series::set_error_bar(ErrorBarDirection direction, ErrorBarInclude include, ErrorBarType type,
                           double amount) {
  ErrorBars bars;
  bars.direction = direction;
  bars.include = include;
  bars.type = type;
  bars.amount = amount;
  error_bars_ = bars;
}

const ErrorBars& Series::error_bars() const {
  return const_cast<Series*>(this)->error_bars();
}

ErrorBars& Series::error_bars() {
  if (!error_bars_) refuse("Unable to get the ErrorBars property of the Series class");
  return *error_bars_;
}

}  // namespace fb::sheet
