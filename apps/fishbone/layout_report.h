#pragma once

#include <string>
#include <vector>

#include "platform/render/chart/label_overlaps.h"
#include "src/component/generation_options.h"
#include "src/editor/tree_file.h"

namespace fb::sheet {
class Application;
}

namespace fishbone {

// Where the diagram's texts get in each other's way, measured on the fishbone chart's picture
// that the chart pictures step leaves on the clipboard; nothing when there is none.
std::vector<fb::render::LabelOverlap> MeasureDiagram(fb::sheet::Application& app);

// One line for standard error: the count and the three worst, by their captions.
std::string OverlapSummary(const std::vector<fb::render::LabelOverlap>& overlaps);

// The layout report: {"options": {...the panel's choices...}, "overlaps": [{"kind", "first",
// "second", "area"}, ...]}, each item named by its tree key and caption (the head text by the
// main problem's), the second item null where there is none.
std::string LayoutReportJson(const std::vector<fb::render::LabelOverlap>& overlaps,
                             const kivo2d::GenerationOptions& options,
                             const kivo2d::TreeDocument& tree);

}  // namespace fishbone
