#include "platform/render/chart/label_overlaps.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <set>

#include "platform/render/chart/chart_renderer.h"
#include "platform/render/chart/diagram_ink.h"
#include "platform/render/display_list.h"
#include "platform/render/text_metrics.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"

namespace fb::render {
namespace {

// How near a label's inner edge its own line's end must be to count as that line's label: the
// renderer's gap between a point and its label, with room to spare.
constexpr double kOwnEndReach = 4;

struct Segment {
  Point from;
  Point to;
  double width = 0;
};

struct Drawn {
  std::vector<const TextCmd*> texts;
  std::vector<Segment> segments;
  std::vector<Rect> pictures;
};

// The chart renderer draws in one untransformed group; the commands are read as they stand.
void Collect(const std::vector<Command>& commands, Drawn& out) {
  for (const Command& command : commands) {
    if (const auto* group = std::get_if<GroupCmd>(&command)) {
      Collect(group->children, out);
    } else if (const auto* text = std::get_if<TextCmd>(&command)) {
      out.texts.push_back(text);
    } else if (const auto* image = std::get_if<ImageCmd>(&command)) {
      out.pictures.push_back(image->dest);
    } else if (const auto* line = std::get_if<PolylineCmd>(&command)) {
      for (std::size_t i = 1; i < line->points.size(); ++i) {
        out.segments.push_back({line->points[i - 1], line->points[i], line->stroke.width});
      }
    }
  }
}

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// The drawn block of a label: its box, which the renderer sizes to the text.
Rect LabelBlock(const TextCmd& text) {
  return text.box;
}

// A text box's text block where the sinks put it inside its frame.
Rect TextBlock(const TextCmd& text) {
  const Size size = measure_text(text);
  double x = text.box.x, y = text.box.y;
  if (text.halign == HAlign::kCentre) x += (text.box.width - size.width) / 2;
  if (text.halign == HAlign::kRight) x += text.box.width - size.width;
  if (text.valign == VAlign::kCentre) y += (text.box.height - size.height) / 2;
  if (text.valign == VAlign::kBottom) y += text.box.height - size.height;
  return {x, y, size.width, size.height};
}

// The line end the label stands beside: the nearest end to the middle of either vertical edge.
std::optional<std::size_t> OwnSegment(const Rect& label, const std::vector<Segment>& segments) {
  const Point sides[] = {{label.x, label.centre().y}, {label.right(), label.centre().y}};
  std::optional<std::size_t> best;
  double nearest = kOwnEndReach;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    for (const Point side : sides) {
      for (const Point end : {segments[i].from, segments[i].to}) {
        const double d = Distance(side, end);
        if (d < nearest) {
          nearest = d;
          best = i;
        }
      }
    }
  }
  return best;
}

}  // namespace

std::string_view overlap_kind_name(OverlapKind kind) {
  switch (kind) {
    case OverlapKind::kLabelLabel:
      return "label-label";
    case OverlapKind::kLabelLine:
      return "label-line";
    case OverlapKind::kOutsideChart:
      return "outside-chart";
    case OverlapKind::kTextOutsideBox:
      return "text-outside-box";
    case OverlapKind::kLabelPicture:
      return "label-picture";
  }
  return "unknown";
}

std::vector<LabelOverlap> find_label_overlaps(const sheet::Chart& chart) {
  const DisplayList list = render_chart(chart);
  Drawn drawn;
  Collect(list.commands(), drawn);

  std::set<std::string> box_texts;
  for (int i = 1; i <= chart.shapes().count(); ++i) {
    const sheet::Shape& shape = chart.shapes().item(i);
    if (shape.kind() == sheet::ShapeKind::TextBox) box_texts.insert(shape.text());
  }
  std::set<std::string> label_texts;
  for (int s = 1; s <= chart.series_count(); ++s) {
    const sheet::Series& series = chart.series(s);
    const auto points = series.points();
    for (int p = 1; p <= static_cast<int>(points.size()); ++p) {
      if (const auto text = series.label_text(p, points[static_cast<std::size_t>(p - 1)])) {
        label_texts.insert(*text);
      }
    }
  }

  struct Label {
    const TextCmd* text;
    Rect block;
    std::optional<std::size_t> own;
  };
  std::vector<Label> labels;
  std::vector<LabelOverlap> out;
  const Rect page{0, 0, list.size().width, list.size().height};
  const auto outside = [&](const std::string& text, const Rect& block) {
    const double area = block.width * block.height - shared_area(block, page);
    if (area > 0.01) out.push_back({OverlapKind::kOutsideChart, text, "", area});
  };
  for (const TextCmd* text : drawn.texts) {
    if (box_texts.contains(text->text)) {
      const Rect block = TextBlock(*text);
      const double spill = block.width * block.height - shared_area(block, text->box);
      if (spill > 0.01) out.push_back({OverlapKind::kTextOutsideBox, text->text, "", spill});
      outside(text->text, block);
    } else if (label_texts.contains(text->text)) {
      const Rect block = LabelBlock(*text);
      labels.push_back({text, block, OwnSegment(block, drawn.segments)});
      outside(text->text, block);
    }
  }

  // The label at each line's end, to name the line by.
  std::vector<std::string> line_names(drawn.segments.size());
  for (const Label& label : labels) {
    if (label.own) line_names[*label.own] = label.text->text;
  }
  for (std::size_t i = 0; i < labels.size(); ++i) {
    for (std::size_t j = i + 1; j < labels.size(); ++j) {
      const double area = shared_area(labels[i].block, labels[j].block);
      if (area > 0.01) {
        out.push_back({OverlapKind::kLabelLabel, labels[i].text->text, labels[j].text->text, area});
      }
    }
    // A picture is drawn over the labels: whatever of a label it covers is hidden.
    for (const Rect& picture : drawn.pictures) {
      const double area = shared_area(labels[i].block, picture);
      if (area > 0.01) out.push_back({OverlapKind::kLabelPicture, labels[i].text->text, "", area});
    }
    for (std::size_t s = 0; s < drawn.segments.size(); ++s) {
      if (labels[i].own == s) continue;
      const double length =
          length_inside(drawn.segments[s].from, drawn.segments[s].to, labels[i].block);
      if (length > 0.01) {
        out.push_back({OverlapKind::kLabelLine, labels[i].text->text, line_names[s],
                       length * std::max(drawn.segments[s].width, 1.0)});
      }
    }
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const LabelOverlap& a, const LabelOverlap& b) { return a.area > b.area; });
  return out;
}

}  // namespace fb::render
