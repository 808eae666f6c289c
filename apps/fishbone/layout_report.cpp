#include "apps/fishbone/layout_report.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "platform/sheet/application.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/shape/drawing.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_clipboard.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/worksheet.h"
#include "src/component/panel_words.h"

namespace fishbone {
namespace {

using fb::render::LabelOverlap;
using fb::render::OverlapKind;

// A label as drawn holds the caption with the line breaks the wrapping put in.
std::string Unwrapped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c != '\n' && c != '\r') out += c;
  }
  return out;
}

// The tree entry a drawn text shows: the cause whose caption it is, or the main problem for the
// head text, which quotes it.
const kivo2d::TreeEntry* EntryOf(std::string_view text, const kivo2d::TreeDocument& tree) {
  const std::string plain = Unwrapped(text);
  for (const auto& entry : tree.entries) {
    if (entry.caption == plain) return &entry;
  }
  if (!tree.entries.empty() && plain.find(tree.entries.front().caption) != std::string::npos) {
    return &tree.entries.front();
  }
  return nullptr;
}

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void AppendItem(std::string& out, std::string_view text, const kivo2d::TreeDocument& tree) {
  if (text.empty()) {
    out += "null";
    return;
  }
  const kivo2d::TreeEntry* entry = EntryOf(text, tree);
  out += "{\"key\": ";
  if (entry != nullptr) {
    AppendJsonString(out, entry->key);
  } else {
    out += "null";
  }
  out += ", \"caption\": ";
  AppendJsonString(out, entry != nullptr ? entry->caption : Unwrapped(text));
  out += '}';
}

std::string Area(double area) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", std::round(area * 10) / 10);
  return text;
}

}  // namespace

std::vector<LabelOverlap> MeasureDiagram(fb::sheet::Application& app) {
  // The fishbone as its picture froze it: its points are read already, where the live chart
  // would read and format every cell of the data sheet again.
  if (!app.clipboard().has_shapes()) return {};
  for (const auto& shape : app.clipboard().shapes().shapes) {
    if (!shape->drawing) continue;
    for (const fb::sheet::DrawingItem& item : shape->drawing->items) {
      if (item.chart && item.chart->chart_type() == fb::sheet::ChartType::XYScatterLinesNoMarkers) {
        return fb::render::find_label_overlaps(*item.chart);
      }
    }
  }
  return {};
}

std::string OverlapSummary(const std::vector<LabelOverlap>& overlaps) {
  std::string line = "fishbone: the diagram has " + std::to_string(overlaps.size()) +
                     (overlaps.size() == 1 ? " overlap" : " overlaps") + "; the worst: ";
  for (std::size_t i = 0; i < overlaps.size() && i < 3; ++i) {
    const LabelOverlap& o = overlaps[i];
    if (i > 0) line += ", ";
    const std::string first = "\"" + Unwrapped(o.first) + "\"";
    switch (o.kind) {
      case OverlapKind::kLabelLabel:
        line += first + " over \"" + Unwrapped(o.second) + "\"";
        break;
      case OverlapKind::kLabelLine:
        line += first + (o.second.empty() ? " across a line"
                                          : " across the bone of \"" + Unwrapped(o.second) + "\"");
        break;
      case OverlapKind::kOutsideChart:
        line += first + " past the chart's edge";
        break;
      case OverlapKind::kTextOutsideBox:
        line += first + " out of its box";
        break;
      case OverlapKind::kLabelPicture:
        line += first + " under a picture";
        break;
    }
    line += " (" + Area(o.area) + " pt²)";
  }
  line += "; --layout-report FILE.json lists them all";
  return line;
}

std::string LayoutReportJson(const std::vector<LabelOverlap>& overlaps,
                             const kivo2d::GenerationOptions& options,
                             const kivo2d::TreeDocument& tree) {
  std::string out = "{\n  \"options\": {\"font\": ";
  AppendJsonString(out, kivo2d::WordOf(kivo2d::kFontWords, options.font));
  out += ", \"size\": " + std::string(kivo2d::WordOf(kivo2d::kSizeWords, options.size)) +
         ", \"wrap\": " + std::string(kivo2d::WordOf(kivo2d::kWrapWords, options.line_length)) +
         ", \"head\": ";
  AppendJsonString(out, kivo2d::WordOf(kivo2d::kHeadWords, options.head));
  out += std::string(", \"pareto\": ") + (options.pareto_chart ? "true" : "false") +
         ", \"top_three\": " + (options.top_three_chart ? "true" : "false") +
         "},\n  \"overlaps\": [";
  for (std::size_t i = 0; i < overlaps.size(); ++i) {
    const LabelOverlap& o = overlaps[i];
    out += i == 0 ? "\n    " : ",\n    ";
    out += "{\"kind\": ";
    AppendJsonString(out, fb::render::overlap_kind_name(o.kind));
    out += ", \"first\": ";
    AppendItem(out, o.first, tree);
    out += ", \"second\": ";
    AppendItem(out, o.second, tree);
    out += ", \"area\": " + Area(o.area) + "}";
  }
  out += overlaps.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

}  // namespace fishbone
