#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "apps/fishbone/generation_host.h"
#include "platform/render/display_list.h"
#include "src/component/generation_options.h"
#include "src/editor/tree_file.h"

namespace fb::sheet {
class Worksheet;
}

namespace fishbone {

// Where a report's auxiliary charts stand over its fishbone, in the points of the report's
// diagram picture, and how much of the fishbone's texts and lines each hides (square points,
// see ink_under).
struct PicturesOverDiagram {
  fb::render::Rect diagram;
  std::optional<fb::render::Rect> pareto;
  std::optional<fb::render::Rect> top_three;
  double pareto_hides = 0;
  double top_three_hides = 0;
};

// Nothing when the sheet holds no diagram picture with a fishbone.
std::optional<PicturesOverDiagram> MeasurePictures(const fb::sheet::Worksheet& report);

// What a fit can move: the fishbone's logo, and the report's two auxiliary charts' pictures.
enum class FittedPicture { kLogo, kPareto, kTopThree };
// "logo", "Pareto", "top-three".
std::string_view FittedPictureName(FittedPicture picture);

// One picture moved off the fishbone's texts and lines.
struct PictureMove {
  FittedPicture picture = FittedPicture::kPareto;
  kivo2d::PictureShift shift;
  double hidden_before = 0;  // what it hid at its fixed place (square points, see ink_under)
  double hidden_after = 0;   // ... and where it goes
};

struct PictureFit {
  kivo2d::PictureShift pareto;
  kivo2d::PictureShift top_three;
  kivo2d::PictureShift logo;       // in the fishbone chart's points
  std::vector<PictureMove> moves;  // only the pictures that move
};

// --fit's second half: the report laid out with the settings' choices, then the fishbone's logo
// and each auxiliary chart's picture (the Pareto chart first) tried at every place inside the
// fishbone's picture on a grid of a few points that keeps clear of the others; each moves to the
// place that hides least of the diagram's texts, logo and lines, the nearest such place, when
// that hides clearly less than its fixed one. Nothing when the run made no report.
std::optional<PictureFit> FitPictures(const kivo2d::TreeDocument& tree,
                                      const GenerationHostSettings& settings);

// The choices with the fit's places for the pictures.
kivo2d::GenerationOptions WithPictureFit(kivo2d::GenerationOptions choices, const PictureFit& fit);

// "the Pareto picture 84 pt right, 120 pt up (it hid 912 pt² of the diagram, now 4)".
std::string DescribeMove(const PictureMove& move);

}  // namespace fishbone
