#include "platform/render/chart/chart_painter.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <variant>

#include "platform/render/chart/chart_style.h"
#include "platform/render/sheet_styles.h"
#include "platform/render/text_metrics.h"

namespace fb::render::chart_painting {

using sheet::AxisGroup;
using sheet::AxisType;
using sheet::ChartType;

Colour automatic_fill(int series_index) {
  return palette_or(17 + (series_index - 1) % 8, kBlack);
}

Colour automatic_line(int series_index) {
  return palette_or(25 + (series_index - 1) % 8, kBlack);
}

Fill series_fill(const sheet::Series& series, int index) {
  const bool untouched = series.fill.type == sheet::FillFormat::Type::Automatic &&
                         (series.interior.color_index == sheet::kColorIndexNone ||
                          series.interior.color_index == sheet::kColorIndexAutomatic);
  if (untouched) return SolidFill{automatic_fill(index)};
  return element_fill(series.fill, series.interior, automatic_fill(index));
}

std::optional<double> number(const sheet::Value& value) {
  if (const double* d = std::get_if<double>(&value)) return *d;
  return std::nullopt;
}

bool is_xy(ChartType type) {
  return type == ChartType::XYScatterLinesNoMarkers;
}

Font label_font(const sheet::Chart& chart) {
  return chart_font(chart.chart_area.font);
}

Colour label_colour(const sheet::Chart& chart) {
  return palette_or(chart.chart_area.font.color_index, kBlack);
}

TextCmd text_at(std::string text, const Font& font, Colour colour, Rect box, HAlign h, VAlign v) {
  TextCmd t;
  t.text = std::move(text);
  t.font = font;
  t.colour = colour;
  t.box = box;
  t.halign = h;
  t.valign = v;
  return t;
}

Size measure(const std::string& text, const Font& font, std::optional<double> wrap_width) {
  TextCmd t;
  t.text = text;
  t.font = font;
  if (wrap_width) {
    t.wrap = true;
    t.box.width = *wrap_width;
  }
  return measure_text(t);
}

ChartPainter::ChartPainter(const sheet::Chart& chart)
    : chart_(chart), width_(chart.width()), height_(chart.height()) {}

bool ChartPainter::values_horizontal() const {
  return chart_.chart_type() == ChartType::BarClustered;
}

const sheet::Axis* ChartPainter::axis_or_null(AxisType type, AxisGroup group) const {
  return chart_.has_axis(type, group) ? &chart_.axes(type, group) : nullptr;
}

std::vector<PlacedAxis*> ChartPainter::placed_axes() {
  std::vector<PlacedAxis*> all;
  for (std::size_t g = 0; g < 2; ++g) {
    if (value_[g] && value_[g]->map.axis != nullptr) all.push_back(&*value_[g]);
    if (category_[g] && category_[g]->map.axis != nullptr) all.push_back(&*category_[g]);
  }
  return all;
}

std::size_t ChartPainter::group_slot(const sheet::Series& series) const {
  return series.axis_group() == AxisGroup::Secondary && value_[1] ? 1 : 0;
}

double ChartPainter::along_of(const sheet::Series& series, const sheet::SeriesPoint& point,
                              int p) const {
  if (!category_[group_slot(series)]->map.categorical) {
    return number(point.x).value_or(p);
  }
  return p;
}

Point ChartPainter::position(std::size_t g, double along, double value) const {
  const AxisMap& c = category_[g]->map;
  const double fc = c.categorical ? c.category_fraction(along) : c.value_fraction(along);
  const double fv = value_[g]->map.value_fraction(value);
  return values_horizontal() ? frame_.at(fv, fc) : frame_.at(fc, fv);
}

bool ChartPainter::inside(std::size_t g, double along, double value) const {
  const AxisMap& c = category_[g]->map;
  const AxisScale& v = value_[g]->map.scale;
  const double eps = 1e-9 * std::max(1.0, std::abs(v.maximum - v.minimum));
  if (value < v.minimum - eps || value > v.maximum + eps) return false;
  if (!c.categorical) {
    return along >= c.scale.minimum - eps && along <= c.scale.maximum + eps;
  }
  return along >= 1 && along <= c.categories;
}

}  // namespace fb::render::chart_painting
