#include "apps/fishbone/picture_fit.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>

#include "platform/os/environment.h"
#include "platform/render/chart/diagram_ink.h"
#include "platform/sheet/application.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/shape/drawing.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

namespace fishbone {
namespace {

using fb::render::Rect;

// The grid the places are tried on, and the room kept between the two auxiliary pictures.
constexpr double kStep = 4;
constexpr double kClearance = 6;
// A move must hide at least this much less, and at least this share less, to be worth making.
constexpr double kWorthArea = 4;
constexpr double kWorthShare = 0.2;

struct PlacedChart {
  const fb::sheet::Chart* chart = nullptr;
  Rect rect;
};

// The charts a flattened picture holds, placed in its drawing's own points.
void FindCharts(const fb::sheet::Drawing& drawing, double x, double y, double sx, double sy,
                std::vector<PlacedChart>& out) {
  for (const fb::sheet::DrawingItem& item : drawing.items) {
    const Rect rect{x + item.left * sx, y + item.top * sy, item.width * sx, item.height * sy};
    if (item.chart) out.push_back({item.chart.get(), rect});
    if (item.drawing && item.drawing->width > 0 && item.drawing->height > 0) {
      FindCharts(*item.drawing, rect.x, rect.y, rect.width / item.drawing->width,
                 rect.height / item.drawing->height, out);
    }
  }
}

const PlacedChart* OfType(const std::vector<PlacedChart>& charts, fb::sheet::ChartType type) {
  for (const PlacedChart& placed : charts) {
    if (placed.chart->chart_type() == type) return &placed;
  }
  return nullptr;
}

bool Overlap(const Rect& a, const Rect& b, double clearance) {
  return a.x < b.right() + clearance && b.x < a.right() + clearance &&
         a.y < b.bottom() + clearance && b.y < a.bottom() + clearance;
}

// The fishbone's ink in the flattened picture's points.
class Diagram {
 public:
  explicit Diagram(const PlacedChart& fishbone)
      : box_(fishbone.rect), ink_(fb::render::diagram_ink(*fishbone.chart)) {
    if (ink_.size.width > 0 && ink_.size.height > 0) {
      sx_ = ink_.size.width / box_.width;
      sy_ = ink_.size.height / box_.height;
    }
  }

  const Rect& box() const { return box_; }

  double hidden_by(const Rect& area) const {
    if (sx_ <= 0 || sy_ <= 0) return 0;
    return fb::render::ink_under(ink_, to_chart(area)) / (sx_ * sy_);
  }

  // The logo (the chart's one picture), in the flattened picture's points.
  std::optional<Rect> logo() const {
    if (ink_.pictures.size() != 1 || sx_ <= 0 || sy_ <= 0) return std::nullopt;
    const Rect& in_chart = ink_.pictures.front();
    return Rect{box_.x + in_chart.x / sx_, box_.y + in_chart.y / sy_, in_chart.width / sx_,
                in_chart.height / sy_};
  }
  // What an area hides but for the logo, which is the one looking for a place.
  double hidden_but_logo(const Rect& area) const {
    if (sx_ <= 0 || sy_ <= 0 || ink_.pictures.empty()) return hidden_by(area);
    const double logo = fb::render::shared_area(ink_.pictures.front(), to_chart(area));
    return hidden_by(area) - logo / (sx_ * sy_);
  }
  // Moves the logo by a shift in the flattened picture's points; returns it in the chart's.
  kivo2d::PictureShift move_logo(const kivo2d::PictureShift& by) {
    const kivo2d::PictureShift in_chart{by.dx * sx_, by.dy * sy_};
    if (!ink_.pictures.empty()) {
      ink_.pictures.front().x += in_chart.dx;
      ink_.pictures.front().y += in_chart.dy;
    }
    return in_chart;
  }

 private:
  Rect to_chart(const Rect& area) const {
    return {(area.x - box_.x) * sx_, (area.y - box_.y) * sy_, area.width * sx_, area.height * sy_};
  }

  Rect box_;
  fb::render::DiagramInk ink_;
  double sx_ = 0;
  double sy_ = 0;
};

// The best place for `picture` inside the diagram, clear of the others, by what it hides there.
std::optional<PictureMove> BestPlace(const Diagram& diagram, const Rect& picture,
                                     const std::vector<Rect>& others, FittedPicture name,
                                     const std::function<double(const Rect&)>& hidden_by) {
  const double before = hidden_by(picture);
  if (before <= kWorthArea) return std::nullopt;
  // The picture keeps the margin it had from the diagram's edges, up to the clearance.
  const Rect& outer = diagram.box();
  const double margin =
      std::clamp(std::min({picture.x - outer.x, outer.right() - picture.right(),
                           picture.y - outer.y, outer.bottom() - picture.bottom()}),
                 0.0, kClearance);
  const Rect box{outer.x + margin, outer.y + margin, outer.width - 2 * margin,
                 outer.height - 2 * margin};
  Rect best = picture;
  double best_hidden = before;
  double best_distance = 0;
  for (double y = box.y; y + picture.height <= box.bottom() + 1e-6; y += kStep) {
    for (double x = box.x; x + picture.width <= box.right() + 1e-6; x += kStep) {
      const Rect place{x, y, picture.width, picture.height};
      if (std::any_of(others.begin(), others.end(),
                      [&](const Rect& other) { return Overlap(place, other, kClearance); })) {
        continue;
      }
      const double hidden = hidden_by(place);
      const double distance = std::hypot(x - picture.x, y - picture.y);
      if (hidden < best_hidden - 1e-9 ||
          (std::abs(hidden - best_hidden) <= 1e-9 && distance < best_distance)) {
        best = place;
        best_hidden = hidden;
        best_distance = distance;
      }
    }
  }
  if (before - best_hidden < std::max(kWorthArea, kWorthShare * before)) return std::nullopt;
  return PictureMove{name, {best.x - picture.x, best.y - picture.y}, before, best_hidden};
}

// The report's diagram picture as the fit sees it: the fishbone and the auxiliary pictures
// over it, in the picture's drawing's points.
struct ReportDiagram {
  std::vector<PlacedChart> charts;
  const PlacedChart* fishbone = nullptr;
  std::optional<Rect> pareto;
  std::optional<Rect> top_three;
};

std::optional<ReportDiagram> FindDiagram(const fb::sheet::Worksheet& report) {
  ReportDiagram diagram;
  for (int i = 1; i <= report.shapes().count(); ++i) {
    const fb::sheet::Shape& shape = report.shapes().item(i);
    if (shape.drawing) FindCharts(*shape.drawing, 0, 0, 1, 1, diagram.charts);
  }
  diagram.fishbone = OfType(diagram.charts, fb::sheet::ChartType::XYScatterLinesNoMarkers);
  if (diagram.fishbone == nullptr) return std::nullopt;
  if (const PlacedChart* pareto = OfType(diagram.charts, fb::sheet::ChartType::ColumnClustered)) {
    diagram.pareto = pareto->rect;
  }
  if (const PlacedChart* top_three = OfType(diagram.charts, fb::sheet::ChartType::BarClustered)) {
    diagram.top_three = top_three->rect;
  }
  return diagram;
}

}  // namespace

std::optional<PicturesOverDiagram> MeasurePictures(const fb::sheet::Worksheet& report) {
  const auto found = FindDiagram(report);
  if (!found) return std::nullopt;
  const Diagram diagram(*found->fishbone);
  PicturesOverDiagram pictures;
  pictures.diagram = diagram.box();
  pictures.pareto = found->pareto;
  pictures.top_three = found->top_three;
  if (found->pareto) pictures.pareto_hides = diagram.hidden_by(*found->pareto);
  if (found->top_three) pictures.top_three_hides = diagram.hidden_by(*found->top_three);
  return pictures;
}

std::optional<PictureFit> FitPictures(const kivo2d::TreeDocument& tree,
                                      const GenerationHostSettings& settings) {
  GenerationHostSettings fixed = settings;
  fixed.choices.pareto_shift = {};
  fixed.choices.top_three_shift = {};
  fixed.choices.logo_shift = {};
  fb::os::ProcessEnvironment environment;
  GenerationHost host(environment, fixed);
  std::istringstream no_input;
  std::ostringstream quiet;  // the component's messages belong to the real run
  Io io{no_input, quiet, quiet};
  if (host.Generate(tree, io) != kExitOk) return std::nullopt;

  const auto found = FindDiagram(host.app().active_workbook().active_sheet());
  if (!found) return std::nullopt;
  PictureFit fit;
  Diagram diagram(*found->fishbone);
  std::optional<Rect> pareto_at = found->pareto;
  std::optional<Rect> top_three_at = found->top_three;
  // The logo first, clear of the pictures at their fixed places; they then avoid it where it is.
  if (const auto logo = diagram.logo()) {
    std::vector<Rect> pictures;
    if (pareto_at) pictures.push_back(*pareto_at);
    if (top_three_at) pictures.push_back(*top_three_at);
    if (auto move = BestPlace(diagram, *logo, pictures, FittedPicture::kLogo,
                              [&](const Rect& at) { return diagram.hidden_but_logo(at); })) {
      fit.logo = diagram.move_logo(move->shift);
      fit.moves.push_back(*move);
    }
  }
  const auto hidden = [&](const Rect& at) { return diagram.hidden_by(at); };
  if (pareto_at) {
    std::vector<Rect> others;
    if (top_three_at) others.push_back(*top_three_at);
    if (auto move = BestPlace(diagram, *pareto_at, others, FittedPicture::kPareto, hidden)) {
      fit.pareto = move->shift;
      pareto_at->x += move->shift.dx;
      pareto_at->y += move->shift.dy;
      fit.moves.push_back(*move);
    }
  }
  if (top_three_at) {
    std::vector<Rect> others;
    if (pareto_at) others.push_back(*pareto_at);
    if (auto move = BestPlace(diagram, *top_three_at, others, FittedPicture::kTopThree, hidden)) {
      fit.top_three = move->shift;
      fit.moves.push_back(*move);
    }
  }
  return fit;
}

std::string_view FittedPictureName(FittedPicture picture) {
  switch (picture) {
    case FittedPicture::kLogo:
      return "logo";
    case FittedPicture::kPareto:
      return "Pareto";
    case FittedPicture::kTopThree:
      return "top-three";
  }
  return "picture";
}

kivo2d::GenerationOptions WithPictureFit(kivo2d::GenerationOptions choices, const PictureFit& fit) {
  choices.pareto_shift = fit.pareto;
  choices.top_three_shift = fit.top_three;
  choices.logo_shift = fit.logo;
  return choices;
}

std::string DescribeMove(const PictureMove& move) {
  std::ostringstream out;
  out.precision(0);
  out << std::fixed << "the " << FittedPictureName(move.picture)
      << (move.picture == FittedPicture::kLogo ? " " : " picture ");
  const auto part = [&](double by, const char* positive, const char* negative) {
    out << std::abs(by) << " pt " << (by >= 0 ? positive : negative);
  };
  part(move.shift.dx, "right", "left");
  out << ", ";
  part(move.shift.dy, "down", "up");
  out << " (it hid " << move.hidden_before << " pt² of the diagram, now " << move.hidden_after
      << ")";
  return out.str();
}

}  // namespace fishbone
