#include "platform/sheet/chart/chart.h"

#include <algorithm>
#include <string>

#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/workbook.h"

namespace fb::sheet {
namespace {

[[noreturn]] void refuse(const std::string& what) {
  throw HostError(host_error::kApplicationDefined, what);
}

Axis make_axis(AxisType type, AxisGroup group) {
  Axis axis;
  axis.type = type;
  axis.group = group;
  // The host gives a new value axis its major gridlines.
  axis.has_major_gridlines = type == AxisType::ValueAxis && group == AxisGroup::Primary;
  return axis;
}

}  // namespace

Chart::Chart(Application& app, Workbook* workbook)
    : app_(&app), workbook_(workbook), shapes_(std::make_unique<ShapeCollection>(app, workbook)) {
  axes_[axis_slot(AxisType::CategoryAxis, AxisGroup::Primary)] =
      make_axis(AxisType::CategoryAxis, AxisGroup::Primary);
  axes_[axis_slot(AxisType::ValueAxis, AxisGroup::Primary)] =
      make_axis(AxisType::ValueAxis, AxisGroup::Primary);
}

Chart::~Chart() {
  app_->forget_chart(this);
}

Chart& Chart::location(ChartLocation where, std::string_view sheet_name) {
  if (where != ChartLocation::AsObject) {
    refuse("Location: only placing a chart as an object on a worksheet is supported");
  }
  if (workbook_ == nullptr) refuse("Location: a frozen chart has no workbook");
  Worksheet& sheet = workbook_->worksheets().item(sheet_name);
  std::unique_ptr<Chart> self = workbook_->charts().release(*this);
  if (!self) refuse("Location: the chart is not on a chart sheet");
  sheet.activate();
  sheet.shapes().add_chart(std::move(self), 0, 0);
  app_->set_active_chart(this);
  return *this;
}

double Chart::width() const {
  return container_ != nullptr ? container_->width() : free_width_;
}

double Chart::height() const {
  return container_ != nullptr ? container_->height() : free_height_;
}

void Chart::set_chart_type(ChartType type) {
  type_ = type;
  for (auto& s : series_) s->chart_type.reset();
}

void Chart::set_source_data(const Range& source, std::optional<PlotBy> plot_by) {
  const RangeAddress area = source.area();
  const std::string sheet = source.worksheet().name();
  const bool by_columns = plot_by ? *plot_by == PlotBy::Columns : area.rows() >= area.columns();
  series_.clear();
  const int lines = by_columns ? area.columns() : area.rows();
  const bool xy = type_ == ChartType::XYScatterLinesNoMarkers;
  int first = 0;
  std::optional<SheetReference> x_values;
  auto line = [&](int i) {
    return by_columns ? RangeAddress{{area.first.row, area.first.column + i},
                                     {area.last.row, area.first.column + i}}
                      : RangeAddress{{area.first.row + i, area.first.column},
                                     {area.first.row + i, area.last.column}};
  };
  if (xy && lines >= 2) {
    x_values = SheetReference{sheet, line(0)};
    first = 1;
  }
  for (int i = first; i < lines; ++i) {
    Series& s = new_series();
    s.set_values(SheetReference{sheet, line(i)});
    s.set_x_values(x_values);
  }
}

Series& Chart::series(int index) {
  if (index < 1 || index > series_count()) {
    refuse("Unable to get the SeriesCollection property: series " + std::to_string(index));
  }
  return *series_[static_cast<std::size_t>(index - 1)];
}

const Series& Chart::series(int index) const {
  return const_cast<Chart*>(this)->series(index);
}

Series& Chart::new_series() {
  series_.push_back(std::make_unique<Series>(*this));
  return *series_.back();
}

std::size_t Chart::axis_slot(AxisType type, AxisGroup group) {
  return (type == AxisType::CategoryAxis ? 0U : 1U) + (group == AxisGroup::Secondary ? 2U : 0U);
}

bool Chart::has_axis(AxisType type, AxisGroup group) const {
  return axes_[axis_slot(type, group)].has_value();
}

void Chart::set_has_axis(AxisType type, AxisGroup group, bool present) {
  auto& slot = axes_[axis_slot(type, group)];
  if (!present) {
    slot.reset();
  } else if (!slot) {
    slot = make_axis(type, group);
    slot->has_major_gridlines = false;
  }
}

Axis& Chart::axes(AxisType type, AxisGroup group) {
  auto& slot = axes_[axis_slot(type, group)];
  if (!slot) {
    refuse(std::string("Unable to get the Axes property of the Chart class: no ") +
           (group == AxisGroup::Secondary ? "secondary " : "primary ") +
           (type == AxisType::ValueAxis ? "value" : "category") + " axis");
  }
  return *slot;
}

const Axis& Chart::axes(AxisType type, AxisGroup group) const {
  return const_cast<Chart*>(this)->axes(type, group);
}

void Chart::ensure_axes_for_groups() {
  for (const auto& s : series_) {
    if (s->axis_group() == AxisGroup::Secondary &&
        !has_axis(AxisType::ValueAxis, AxisGroup::Secondary)) {
      axes_[axis_slot(AxisType::ValueAxis, AxisGroup::Secondary)] =
          make_axis(AxisType::ValueAxis, AxisGroup::Secondary);
      axes_[axis_slot(AxisType::ValueAxis, AxisGroup::Secondary)]->has_major_gridlines = false;
    }
  }
}

std::vector<Chart::GroupKey> Chart::group_keys() const {
  std::vector<GroupKey> keys;
  for (const auto& s : series_) {
    const GroupKey key{s->axis_group(), series_type(*s)};
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
  }
  if (keys.empty()) keys.push_back({AxisGroup::Primary, type_});
  return keys;
}

int Chart::chart_group_count() const {
  return static_cast<int>(group_keys().size());
}

ChartGroup& Chart::chart_group(int index) {
  const auto keys = group_keys();
  if (index < 1 || index > static_cast<int>(keys.size())) {
    refuse("Unable to get the ChartGroups property: group " + std::to_string(index));
  }
  return groups_[keys[static_cast<std::size_t>(index - 1)]];
}

const ChartGroup& Chart::group_of(const Series& series) const {
  static const ChartGroup kDefault;
  const auto it = groups_.find({series.axis_group(), series_type(series)});
  return it != groups_.end() ? it->second : kDefault;
}

std::unique_ptr<Chart> Chart::frozen_copy() const {
  auto copy = std::make_unique<Chart>(*app_, nullptr);
  copy->free_width_ = width();
  copy->free_height_ = height();
  copy->type_ = type_;
  for (const auto& s : series_) {
    auto series = std::make_unique<Series>(*s);
    series->freeze();
    series->rebind(*copy);
    copy->series_.push_back(std::move(series));
  }
  copy->axes_ = axes_;
  copy->groups_ = groups_;
  copy->has_legend = has_legend;
  copy->has_title_ = has_title_;
  copy->title_ = title_;
  copy->plot_area = plot_area;
  copy->chart_area = chart_area;
  for (const auto& shape : shapes_->shapes()) copy->shapes_->adopt(shape->clone());
  return copy;
}

// --- chart sheets ---

ChartSheets::~ChartSheets() = default;

Chart& ChartSheets::add() {
  charts_.push_back(std::make_unique<Chart>(workbook_->application(), workbook_));
  Chart& chart = *charts_.back();
  workbook_->application().set_active_chart(&chart);
  workbook_->set_saved(false);
  return chart;
}

std::unique_ptr<Chart> ChartSheets::release(const Chart& chart) {
  for (auto it = charts_.begin(); it != charts_.end(); ++it) {
    if (it->get() == &chart) {
      std::unique_ptr<Chart> out = std::move(*it);
      charts_.erase(it);
      return out;
    }
  }
  return nullptr;
}

}  // namespace fb::sheet
