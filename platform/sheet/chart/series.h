#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sheet/cell_format.h"
#include "platform/sheet/chart/chart_enums.h"
#include "platform/sheet/chart/chart_format.h"
#include "platform/sheet/chart/sheet_reference.h"
#include "platform/sheet/value.h"

namespace fb::sheet {

class Chart;

// What ApplyDataLabels switches on; the defaults are the host's for a value label.
struct DataLabelOptions {
  bool auto_text = true;
  bool legend_key = false;
  bool series_name = false;
  bool category_name = false;
  bool value = true;
  bool percentage = false;
  bool bubble_size = false;
  friend bool operator==(const DataLabelOptions&, const DataLabelOptions&) = default;
};

// A point's own label state: a deleted label, or a text typed over the automatic one.
struct PointLabel {
  bool deleted = false;
  std::optional<std::string> text;
};

struct ErrorBars {
  ErrorBarDirection direction = ErrorBarDirection::Y;
  ErrorBarInclude include = ErrorBarInclude::Both;
  ErrorBarType type = ErrorBarType::FixedValue;
  double amount = 1;
  ChartBorder border;
  ErrorBarEndStyle end_style = ErrorBarEndStyle::Cap;
};

// One point's data as the chart shows it: its x (or category) and y values and their texts as
// the source cells display them.
struct SeriesPoint {
  Value x;
  Value y;
  std::string category_text;                 // the innermost category level
  std::vector<std::string> category_levels;  // outer to inner, one per x-values column
  std::string value_text;
};

// One series of a chart: where its data comes from and how it is drawn.
class Series {
 public:
  explicit Series(Chart& chart) : chart_(&chart) {}

  // --- data ---
  // Reference texts in A1 or R1C1 notation with a sheet name ("=Sheet2!R3C8:R4C8"); HostError
  // 1004 for anything else.
  void set_values(std::string_view reference);
  void set_x_values(std::string_view reference);
  void set_values(SheetReference reference);
  void set_x_values(std::optional<SheetReference> reference);
  const std::optional<SheetReference>& values_source() const { return values_; }
  const std::optional<SheetReference>& x_values_source() const { return x_values_; }
  // "=SERIES(name,x values,values,order)"; HostError 1004 when the text is no series formula.
  void set_formula(std::string_view text);
  std::string formula() const;       // references in A1 notation
  std::string formula_r1c1() const;  // references in R1C1 notation
  int plot_order() const { return plot_order_; }

  // The points, read from the workbook while the chart is live, from the frozen copy otherwise.
  std::vector<SeriesPoint> points() const;
  int point_count() const;

  // --- format ---
  std::optional<ChartType> chart_type;  // unset: the chart's type
  AxisGroup axis_group() const { return axis_group_; }
  // A series moved to the secondary group gives the chart a secondary value axis.
  void set_axis_group(AxisGroup group);
  ChartBorder border;
  MarkerStyle marker_style = MarkerStyle::Automatic;
  FillFormat fill;
  Interior interior;
  bool shadow = false;
  bool invert_if_negative = false;

  // --- labels ---
  void apply_data_labels(const DataLabelOptions& options);
  bool has_data_labels() const { return labels_.has_value(); }
  const std::optional<DataLabelOptions>& data_label_options() const { return labels_; }
  // Points(index).DataLabel: 1-based; HostError 1004 outside the series.
  void delete_point_label(int index);
  void set_point_label_text(int index, std::string text);
  // The text a point's label shows, nullopt when it shows none.
  std::optional<std::string> label_text(int index) const;
  // The same for a point the caller has read with points(): going through every point, the
  // series is read once instead of once a point.
  std::optional<std::string> label_text(int index, const SeriesPoint& point) const;
  // DataLabels.Position: HostError 1004 for a series without labels or of a type other than line
  // and scatter, where the host refuses a place beside the point.
  void set_data_label_position(DataLabelPosition position);
  DataLabelPosition data_label_position() const { return label_position_; }

  // --- error bars ---
  void set_error_bar(ErrorBarDirection direction, ErrorBarInclude include, ErrorBarType type,
                     double amount);
  ErrorBars& error_bars();  // HostError 1004 when the series has none
  const ErrorBars& error_bars() const;
  bool has_error_bars() const { return error_bars_.has_value(); }

  // --- engine-facing ---
  // Reads the points into the series so that it no longer needs its workbook.
  void freeze();
  void rebind(Chart& chart) { chart_ = &chart; }

 private:
  void check_point(int index) const;
  std::vector<SeriesPoint> read_points() const;

  Chart* chart_;
  std::optional<SheetReference> values_;
  std::optional<SheetReference> x_values_;
  std::string name_;
  int plot_order_ = 1;
  AxisGroup axis_group_ = AxisGroup::Primary;
  std::optional<std::vector<SeriesPoint>> frozen_;
  std::optional<DataLabelOptions> labels_;
  DataLabelPosition label_position_ = DataLabelPosition::Right;
  std::map<int, PointLabel> point_labels_;
  std::optional<ErrorBars> error_bars_;
};

}  // namespace fb::sheet
