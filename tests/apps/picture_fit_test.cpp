// --fit's moving of the auxiliary charts' pictures, in process: the move the fit finds is where
// the next run puts the picture, and it hides what the fit said it would.

#include "apps/fishbone/picture_fit.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "apps/fishbone/cli.h"
#include "platform/os/environment.h"
#include "platform/sheet/application.h"
#include "platform/sheet/workbook.h"
#include "src/editor/tree_file.h"

namespace fishbone {
namespace {

kivo2d::TreeDocument ReadTreeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  kivo2d::TreeReadResult read = kivo2d::ReadOutlineTree(bytes.str());
  EXPECT_TRUE(read.ok()) << path;
  return read.tree;
}

std::optional<PicturesOverDiagram> RunAndMeasure(const kivo2d::TreeDocument& tree,
                                                 const GenerationHostSettings& settings) {
  fb::os::ProcessEnvironment environment;
  GenerationHost host(environment, settings);
  std::istringstream no_input;
  std::ostringstream quiet;
  Io io{no_input, quiet, quiet};
  if (host.Generate(tree, io) != kExitOk) return std::nullopt;
  return MeasurePictures(host.app().active_workbook().active_sheet());
}

TEST(PictureFit, TheRunPutsThePictureWhereTheFitFoundLessOfTheDiagramHidden) {
  const kivo2d::TreeDocument tree =
      ReadTreeFile(std::string(FB_SOURCE_DIR) + "/tests/data/trees/good/fifty_causes.txt");
  GenerationHostSettings settings;
  settings.choices.size = kivo2d::DiagramSize::kNo8;
  settings.choices.line_length = 5;
  const auto fixed = RunAndMeasure(tree, settings);
  ASSERT_TRUE(fixed && fixed->pareto);

  const auto fit = FitPictures(tree, settings);
  ASSERT_TRUE(fit.has_value());
  // The logo first: at its fixed place it lies on a caption.
  ASSERT_EQ(fit->moves.size(), 2u);
  EXPECT_EQ(fit->moves[0].picture, FittedPicture::kLogo);
  EXPECT_EQ(fit->moves[0].hidden_after, 0);
  EXPECT_NE(fit->logo, kivo2d::PictureShift{});
  const PictureMove& pareto = fit->moves[1];
  ASSERT_EQ(pareto.picture, FittedPicture::kPareto);
  EXPECT_NEAR(pareto.hidden_before, fixed->pareto_hides, 0.5);
  EXPECT_LT(pareto.hidden_after, 0.8 * pareto.hidden_before);

  settings.choices = WithPictureFit(settings.choices, *fit);
  const auto moved = RunAndMeasure(tree, settings);
  ASSERT_TRUE(moved && moved->pareto);
  EXPECT_NEAR(moved->pareto->x, fixed->pareto->x + fit->pareto.dx, 0.01);
  EXPECT_NEAR(moved->pareto->y, fixed->pareto->y + fit->pareto.dy, 0.01);
  EXPECT_NEAR(moved->pareto_hides, pareto.hidden_after, 0.5);
  // Inside the diagram, and clear of the top-three picture.
  const fb::render::Rect& p = *moved->pareto;
  EXPECT_GE(p.x, moved->diagram.x);
  EXPECT_LE(p.right(), moved->diagram.right() + 0.01);
  EXPECT_GE(p.y, moved->diagram.y);
  EXPECT_LE(p.bottom(), moved->diagram.bottom() + 0.01);
  ASSERT_TRUE(moved->top_three);
  const fb::render::Rect& t = *moved->top_three;
  EXPECT_TRUE(p.x >= t.right() || t.x >= p.right() || p.y >= t.bottom() || t.y >= p.bottom());
  EXPECT_EQ(DescribeMove(pareto).rfind("the Pareto picture ", 0), 0u);
  EXPECT_EQ(DescribeMove(fit->moves[0]).rfind("the logo ", 0), 0u);
}

TEST(PictureFit, PicturesStayWhereNoPlaceHidesClearlyLess) {
  // The sample mirrored: every place the Pareto picture could take crosses the spine or a main
  // bone, so it keeps its fixed place.
  const kivo2d::TreeDocument tree =
      ReadTreeFile(std::string(FB_SOURCE_DIR) + "/src/resources/sample_analysis.txt");
  GenerationHostSettings settings;
  settings.choices.head = kivo2d::HeadSide::kRight;
  const auto fit = FitPictures(tree, settings);
  ASSERT_TRUE(fit.has_value());
  EXPECT_TRUE(fit->moves.empty());
  EXPECT_EQ(fit->pareto, kivo2d::PictureShift{});
  EXPECT_EQ(fit->top_three, kivo2d::PictureShift{});
  EXPECT_EQ(fit->logo, kivo2d::PictureShift{});
}

}  // namespace
}  // namespace fishbone
