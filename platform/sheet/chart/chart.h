#pragma once

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/sheet/chart/chart_enums.h"
#include "platform/sheet/chart/chart_parts.h"
#include "platform/sheet/chart/series.h"

namespace fb::sheet {

class Application;
class Range;
class Shape;
class ShapeCollection;
class Workbook;

// A chart: its series, axes, groups, titles, plot and chart areas and the text boxes and
// pictures drawn inside it. A chart lives on a chart sheet or in a chart object (a shape) of a
// worksheet; a frozen copy (a pasted picture's drawing) belongs to no workbook and keeps the
// data it showed.
class Chart {
 public:
  Chart(Application& app, Workbook* workbook);
  Chart(const Chart&) = delete;
  Chart& operator=(const Chart&) = delete;
  ~Chart();

  Application& application() const { return *app_; }
  Workbook* workbook() const { return workbook_; }
  bool frozen() const { return workbook_ == nullptr; }

  // Moves a chart sheet's chart into the named worksheet as a chart object and makes it the
  // active chart. Only the placement as an object is part of this host (HostError 1004 for the
  // other), as is a chart that already sits on a worksheet.
  Chart& location(ChartLocation where, std::string_view sheet_name);
  // The chart object holding the chart; nullptr on a chart sheet or in a frozen copy.
  Shape* container() const { return container_; }
  // Size in points: the container's, or the size the chart was frozen at.
  double width() const;
  double height() const;

  ChartType chart_type() const { return type_; }
  void set_chart_type(ChartType type);
  // One series per column (or row) of `source`. An XY chart plotted by columns takes the first
  // column as the x values of the others. Without plot-by the longer side holds the points.
  void set_source_data(const Range& source, std::optional<PlotBy> plot_by = std::nullopt);

  int series_count() const { return static_cast<int>(series_.size()); }
  Series& series(int index);  // 1-based; HostError 1004 outside
  const Series& series(int index) const;
  Series& new_series();
  // The chart type a series is drawn with.
  ChartType series_type(const Series& series) const { return series.chart_type.value_or(type_); }

  // Axes(type, group): HostError 1004 when the chart lacks the axis.
  Axis& axes(AxisType type, AxisGroup group = AxisGroup::Primary);
  const Axis& axes(AxisType type, AxisGroup group = AxisGroup::Primary) const;
  bool has_axis(AxisType type, AxisGroup group = AxisGroup::Primary) const;
  void set_has_axis(AxisType type, AxisGroup group, bool present);

  // ChartGroups(index): the groups in the order of their first series; HostError 1004 outside.
  ChartGroup& chart_group(int index);
  int chart_group_count() const;
  const ChartGroup& group_of(const Series& series) const;

  bool has_legend = true;
  bool has_title() const { return has_title_; }
  void set_has_title(bool on) { has_title_ = on; }
  ChartTitle& title() { return title_; }
  const ChartTitle& title() const { return title_; }
  PlotArea plot_area;
  ChartArea chart_area;

  // The text boxes and pictures inside the chart.
  ShapeCollection& shapes() { return *shapes_; }
  const ShapeCollection& shapes() const { return *shapes_; }

  // A copy that shows what this chart shows now, bound to no workbook, at the current size.
  std::unique_ptr<Chart> frozen_copy() const;

  // --- engine-facing ---
  void set_container(Shape* shape) { container_ = shape; }
  // Gives every axis group that carries a series its value axis (and the primary group its
  // category axis), as the host does when series change groups.
  void ensure_axes_for_groups();

 private:
  using GroupKey = std::pair<AxisGroup, ChartType>;
  static std::size_t axis_slot(AxisType type, AxisGroup group);
  std::vector<GroupKey> group_keys() const;

  Application* app_;
  Workbook* workbook_;
  Shape* container_ = nullptr;
  // The size outside a chart object: a new chart's default, or the size a copy was frozen at.
  double free_width_ = 360;
  double free_height_ = 216;
  ChartType type_ = ChartType::ColumnClustered;
  std::vector<std::unique_ptr<Series>> series_;
  std::array<std::optional<Axis>, 4> axes_;
  std::map<GroupKey, ChartGroup> groups_;
  bool has_title_ = false;
  ChartTitle title_;
  std::unique_ptr<ShapeCollection> shapes_;
};

// Workbook.Charts: the chart sheets of a workbook.
class ChartSheets {
 public:
  explicit ChartSheets(Workbook& workbook) : workbook_(&workbook) {}
  ~ChartSheets();
  // Charts.Add: a new chart sheet whose chart becomes the active chart.
  Chart& add();
  int count() const { return static_cast<int>(charts_.size()); }
  // Takes a chart sheet's chart out of the workbook (to place it elsewhere); nullptr when the
  // chart is no chart sheet's.
  std::unique_ptr<Chart> release(const Chart& chart);

 private:
  Workbook* workbook_;
  std::vector<std::unique_ptr<Chart>> charts_;
};

}  // namespace fb::sheet
