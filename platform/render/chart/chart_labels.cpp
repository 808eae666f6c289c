// The texts around the plot: data labels at the host's default place for the chart type, the
// chart and axis titles, and the legend.
#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include "platform/render/chart/chart_painter.h"
#include "platform/render/chart/chart_style.h"
#include "platform/render/sheet_styles.h"
#include "platform/render/text_metrics.h"

namespace fb::render::chart_painting {

using sheet::ChartType;

void ChartPainter::draw_data_labels() {
  const Font font = label_font(chart_);
  const Colour colour = label_colour(chart_);
  for (int index = 1; index <= chart_.series_count(); ++index) {
    const auto& series = chart_.series(index);
    const std::size_t g = group_slot(series);
    const ChartType type = chart_.series_type(series);
    const auto points = series.points();
    for (int p = 1; p <= static_cast<int>(points.size()); ++p) {
      const auto& point = points[static_cast<std::size_t>(p - 1)];
      const auto text = series.label_text(p, point);
      if (!text || text->empty()) continue;
      const auto v = number(point.y);
      if (!v) continue;
      const double along = along_of(series, point, p);
      // A point the axes do not reach shows no label, as the host hides it.
      if (!inside(g, along, *v)) continue;
      const Point at = position(g, along, *v);
      const Size size = measure(*text, font);
      TextCmd t = text_at(*text, font, colour, {}, HAlign::kCentre, VAlign::kCentre);
      switch (type) {
        case ChartType::ColumnClustered: {
          // Outside the end of the column: above it, or below one that hangs down.
          const double base =
              position(g, along,
                       std::clamp(0.0, value_[g]->map.scale.minimum, value_[g]->map.scale.maximum))
                  .y;
          const bool up = at.y <= base;
          t.box = {at.x - size.width / 2,
                   up ? at.y - kDataLabelGap - size.height : at.y + kDataLabelGap, size.width,
                   size.height};
          break;
        }
        case ChartType::BarClustered: {
          const double base =
              position(g, along,
                       std::clamp(0.0, value_[g]->map.scale.minimum, value_[g]->map.scale.maximum))
                  .x;
          const bool right = at.x >= base;
          t.box = {right ? at.x + kDataLabelGap : at.x - kDataLabelGap - size.width,
                   at.y - size.height / 2, size.width, size.height};
          break;
        }
        case ChartType::LineMarkers:
        case ChartType::XYScatterLinesNoMarkers:
          // Beside the point: to its right unless the series asks for the left.
          t.box = {series.data_label_position() == sheet::DataLabelPosition::Left
                       ? at.x - kDataLabelGap - size.width
                       : at.x + kDataLabelGap,
                   at.y - size.height / 2, size.width, size.height};
          break;
      }
      content_.text(std::move(t));
    }
  }
}

TextCmd ChartPainter::title_command(const sheet::ChartTitle& title, Point at) const {
  TextCmd t =
      text_at(title.text, chart_font(title.font), palette_or(title.font.color_index, kBlack),
              {at.x, at.y, 0, 0}, HAlign::kLeft, VAlign::kTop);
  switch (title.orientation) {
    case sheet::TextOrientation::Horizontal:
      break;
    case sheet::TextOrientation::Vertical:
      t.flow = TextFlow::kStacked;
      break;
    case sheet::TextOrientation::Upward:
      t.rotation = 90;
      break;
    case sheet::TextOrientation::Downward:
      t.rotation = -90;
      break;
  }
  if (title.horizontal_alignment == sheet::HorizontalAlignment::Center) {
    t.halign = HAlign::kCentre;  // lines centred within the block
  }
  return t;
}

Size ChartPainter::title_size(const sheet::ChartTitle& title) const {
  TextCmd t = title_command(title, {});
  const Size block = measure_text(t);
  return rotated_extent(block, t.rotation);
}

void ChartPainter::place_title(const sheet::ChartTitle& title, Point automatic) {
  if (title.text.empty()) return;
  const Size s = title_size(title);
  const Point at{title.left.value_or(automatic.x - s.width / 2),
                 title.top.value_or(automatic.y - s.height / 2)};
  TextCmd t = title_command(title, at);
  t.box = {at.x, at.y, s.width, s.height};
  content_.text(std::move(t));
}

void ChartPainter::draw_titles() {
  if (chart_.has_title()) {
    place_title(chart_.title(),
                {width_ / 2, kChartPadding + title_size(chart_.title()).height / 2});
  }
  for (const PlacedAxis* placed : placed_axes()) {
    const sheet::Axis& axis = *placed->map.axis;
    if (!axis.has_title) continue;
    const Size s = title_size(axis.title);
    const Rect& p = frame_.plot;
    if (placed->horizontal) {
      place_title(axis.title, {p.centre().x, height_ - kChartPadding - s.height / 2});
    } else {
      place_title(axis.title, {kChartPadding + s.width / 2, p.centre().y});
    }
  }
}

std::string ChartPainter::series_name(int index) const {
  // The name is the first argument of the series formula: a quoted text or a reference.
  const std::string formula = chart_.series(index).formula();
  std::string name;
  std::size_t i = std::string("=SERIES(").size();
  if (i < formula.size() && formula[i] == '"') {
    for (++i; i < formula.size(); ++i) {
      if (formula[i] == '"') {
        if (i + 1 < formula.size() && formula[i + 1] == '"') {
          name += '"';
          ++i;
        } else {
          break;
        }
      } else {
        name += formula[i];
      }
    }
  } else {
    name = formula.substr(i, formula.find(',', i) - i);
  }
  return name.empty() ? "系列" + std::to_string(index) : name;
}

Size ChartPainter::legend_size() const {
  const Font font = label_font(chart_);
  Size size{0, 0};
  for (int index = 1; index <= chart_.series_count(); ++index) {
    const Size s = measure(series_name(index), font);
    size.width = std::max(size.width, s.width);
    size.height += std::max(s.height, kLegendKey) + 2;
  }
  size.width += kLegendKey + 3 * kTickLabelGap + 2;
  size.height += 2;
  return size;
}

void ChartPainter::draw_legend() {
  if (!chart_.has_legend || chart_.series_count() == 0) return;
  const Font font = label_font(chart_);
  const Size size = legend_size();
  const Rect box{width_ - kChartPadding - size.width, (height_ - size.height) / 2, size.width,
                 size.height};
  content_.rect(box, SolidFill{kWhite}, Stroke{0, kBlack});
  double y = box.y + 2;
  for (int index = 1; index <= chart_.series_count(); ++index) {
    const auto& series = chart_.series(index);
    const std::string name = series_name(index);
    const double row = std::max(measure(name, font).height, kLegendKey);
    const Rect key{box.x + kTickLabelGap, y + (row - kLegendKey) / 2, kLegendKey, kLegendKey};
    const ChartType type = chart_.series_type(series);
    if (type == ChartType::ColumnClustered || type == ChartType::BarClustered) {
      content_.rect(key, series_fill(series, index), border_stroke(series.border, kBlack));
    } else if (auto stroke = border_stroke(series.border, automatic_line(index))) {
      content_.line({key.x, key.centre().y}, {key.right(), key.centre().y}, *stroke);
    }
    content_.text(text_at(name, font, label_colour(chart_),
                          {key.right() + kTickLabelGap, y, 0, row}, HAlign::kLeft,
                          VAlign::kCentre));
    y += row + 2;
  }
}

}  // namespace fb::render::chart_painting
