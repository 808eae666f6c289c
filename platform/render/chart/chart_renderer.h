#pragma once

#include "platform/render/display_list.h"

namespace fb::sheet {
class Chart;
}

namespace fb::render {

// The chart as the host draws it, in points of its own size (chart.width() × chart.height()):
// chart area, plot area with its fill and border, gridlines, series (XY lines broken at empty
// cells, clustered columns and bars with their gap width, lines with markers on either axis
// group), error bars, axes with tick marks and tick labels (several category levels with the
// outer labels spanning their rows), data labels at the host's default place for the chart type
// with their own texts, titles, legend, and the text boxes and pictures inside the chart.
// Everything is clipped to the chart area, as the host clips it.
DisplayList render_chart(const sheet::Chart& chart);

}  // namespace fb::render
