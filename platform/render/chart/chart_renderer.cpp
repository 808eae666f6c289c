#include "platform/render/chart/chart_renderer.h"

#include <optional>
#include <utility>

#include "platform/render/chart/chart_painter.h"
#include "platform/render/chart/chart_shapes.h"
#include "platform/render/chart/chart_style.h"

namespace fb::render {

namespace chart_painting {

// The host's order: chart area, plot area, gridlines, series, axes, data labels, titles, legend,
// the shapes inside the chart and the chart area's border over everything; all clipped to the
// chart area.
DisplayList ChartPainter::paint() {
  DisplayList out(width_, height_);
  const Rect whole{0, 0, width_, height_};
  content_.rect(whole, element_fill(chart_.chart_area.fill, chart_.chart_area.interior, kWhite),
                std::nullopt);
  build_axes();
  layout();
  draw_plot_area();
  draw_gridlines();
  draw_series();
  draw_axes();
  draw_data_labels();
  draw_titles();
  draw_legend();
  draw_shapes(chart_.shapes(), content_);
  if (auto border = border_stroke(chart_.chart_area.border, kBlack)) {
    content_.rect(whole, NoFill{}, border);
  }
  out.group(std::move(content_), Transform{}, whole);
  return out;
}

}  // namespace chart_painting

DisplayList render_chart(const sheet::Chart& chart) {
  return chart_painting::ChartPainter(chart).paint();
}

}  // namespace fb::render
