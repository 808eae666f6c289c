#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fb::sheet {
class Chart;
}

namespace fb::render {

enum class OverlapKind {
  kLabelLabel,      // two data labels cover each other
  kLabelLine,       // a data label lies across a series line it does not end
  kOutsideChart,    // a data label or a text box's text reaches past the chart's edge
  kTextOutsideBox,  // a text box's text is larger than its box
  kLabelPicture,    // a picture (the logo) lies over a data label
};

// "label-label", "label-line", "outside-chart", "text-outside-box", "label-picture".
std::string_view overlap_kind_name(OverlapKind kind);

// One place where a chart's texts get in each other's way, as the chart is drawn.
struct LabelOverlap {
  OverlapKind kind = OverlapKind::kLabelLabel;
  std::string first;   // the label's (or the text box's) text
  std::string second;  // the other label; for a line, the label at the line's end ("" for none);
                       // "" for a picture
  double area = 0;     // square points; for a line, its length inside the label times its width
};

// Draws the chart as every sink would and measures where its data labels and text boxes overlap
// each other, cross the series lines, lie under a picture of the chart (the logo), leave the
// chart or outgrow their boxes. A label belongs to
// the line whose end it stands beside, so a caption is never counted against its own bone. The
// worst overlaps come first.
std::vector<LabelOverlap> find_label_overlaps(const sheet::Chart& chart);

}  // namespace fb::render
