#pragma once

#include "platform/sheet/chart/chart.h"

namespace kivo2d {

// The formatting the chart steps share: colours of the host's standard palette, the grey hairlines
// of axes and gridlines, the usual value axis and the label options.

// Colour indexes of the host's standard palette.
inline constexpr int kPaletteBlack = 1;
inline constexpr int kPaletteWhite = 2;
inline constexpr int kPaletteRed = 3;
inline constexpr int kPaletteGrey25 = 15;  // 25 % grey: axis lines and gridlines
inline constexpr int kPaletteGrey50 = 16;  // 50 % grey: the top-three chart's plot area border

// The charts' small print: chart-area font for tick labels, data labels and the top-three title.
inline constexpr const char* kLabelFontName = "Arial";
inline constexpr double kLabelFontSize = 5;

// A hairline in 25 % grey, continuous.
void GreyHairline(fb::sheet::ChartBorder& border);

// An axis drawn as a grey hairline with its major tick marks inside the plot, no minor tick marks
// and its labels next to it.
void GreyAxisWithInsideTicks(fb::sheet::Axis& axis);

// Major gridlines in grey hairlines, no minor gridlines.
void GreyMajorGridlines(fb::sheet::Axis& axis);

// A plain linear value scale from 0 to `maximum`: automatic minor unit, crossed where the host
// chooses, not reversed, no display unit.
void LinearScaleFromZero(fb::sheet::Axis& axis, double maximum);

// A chart area without border or fill whose texts are the small print.
void PlainChartArea(fb::sheet::ChartArea& area);

// Label options as the component passes them to the host, every switch given: the value only,
// or the category name only.
fb::sheet::DataLabelOptions ValueLabels();
fb::sheet::DataLabelOptions CategoryNameLabels();

}  // namespace kivo2d
