#pragma once

namespace kivo2d {

class Component;

// The chart steps of the pipeline. Each works on the host's active sheet Sheet2 and chart as the
// previous step left them, and lets any host failure propagate to the pipeline's one trap.

// 9: the fishbone as an XY chart of the bone coordinates, every cause labelled at its bone's
// outer end.
void DrawFishbone(Component& component);
// 10: the head text box, the thick spine segment, the logo and the chart's final size.
void DrawHeadAndSpine(Component& component);
// 11: the main causes as columns in descending order with the cumulative share as a line.
void DrawParetoChart(Component& component);
// 12: the three largest second-level causes of every main cause as bars.
void DrawTopThreeChart(Component& component);
// 13: the three charts as pictures PIC1, PIC2, PIC3 on the clipboard; the generation workbook
// closed without saving.
void MakeChartPictures(Component& component);

}  // namespace kivo2d
