#pragma once

#include <vector>

#include "platform/render/display_list.h"

namespace fb::sheet {
class Chart;
}

namespace fb::render {

// What a chart draws that a picture laid over it would hide: its texts (data labels, text boxes)
// and pictures (the logo), and its lines, in the chart's points, as every sink draws them. The
// longest line, the spine, counts ten points wide whatever its stroke.
struct DiagramInk {
  struct Line {
    Point from;
    Point to;
    double width = 0;
  };
  Size size;
  std::vector<Rect> texts;
  std::vector<Rect> pictures;
  std::vector<Line> lines;
};

DiagramInk diagram_ink(const sheet::Chart& chart);

// How much of the ink an area of the chart hides: the square points of text and pictures under
// it, plus the length of each line under it times the line's width (a hairline counts as one
// point wide).
double ink_under(const DiagramInk& ink, const Rect& area);

// The square points two rectangles share.
double shared_area(const Rect& a, const Rect& b);
// The length of a segment inside a rectangle.
double length_inside(Point from, Point to, const Rect& area);

}  // namespace fb::render
