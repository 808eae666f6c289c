#include "platform/render/cairo_sink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/render/image_pixels.h"
#include "platform/render/text_metrics.h"
#include "scene.h"
#include "tests/support/python_reader.h"

namespace fb::render {
namespace {

using test::kBlack;
using test::kBlue;
using test::kRed;
using test::kWhite;

Colour at(const RgbaPixels& pixels, double x_pt, double y_pt, double scale) {
  const int x = static_cast<int>(x_pt * scale);
  const int y = static_cast<int>(y_pt * scale);
  const std::uint8_t* p = &pixels.rgba[(static_cast<std::size_t>(y) * pixels.width + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

// Counts pixels in a box of points that are clearly not white.
int ink_in(const RgbaPixels& pixels, Rect box, double scale) {
  int count = 0;
  for (int y = static_cast<int>(box.y * scale); y < static_cast<int>(box.bottom() * scale); ++y) {
    for (int x = static_cast<int>(box.x * scale); x < static_cast<int>(box.right() * scale); ++x) {
      const std::uint8_t* p = &pixels.rgba[(static_cast<std::size_t>(y) * pixels.width + x) * 4];
      if (p[0] + p[1] + p[2] < 600) ++count;
    }
  }
  return count;
}

TEST(CairoSinkTest, RasterPutsEveryCommandWhereItBelongs) {
  const double scale = 2;
  const RgbaPixels pixels = rasterize(test::sample_scene(), scale);
  ASSERT_EQ(pixels.width, 400);
  ASSERT_EQ(pixels.height, 240);

  EXPECT_EQ(at(pixels, 20, 20, scale), kRed);
  // Large grid: the pattern's first row and column are set, every 8 pattern pixels (6 points).
  EXPECT_EQ(at(pixels, 40 + 6 * 2 + 0.2, 30, scale), kBlue);
  EXPECT_EQ(at(pixels, 40 + 6 * 2 + 3, 10 + 6 * 2 + 3, scale), kWhite);
  // Gradient: blue at its left, nearly white at its right.
  EXPECT_GT(at(pixels, 101, 20, scale).b, 250);
  EXPECT_LT(at(pixels, 101, 20, scale).r, 20);
  EXPECT_GT(at(pixels, 159, 20, scale).r, 230);
  // The image: black pixel became transparent (white page shows), red pixel stays.
  EXPECT_EQ(at(pixels, 173, 15, scale), kWhite);
  EXPECT_EQ(at(pixels, 187, 15, scale), kRed);
  // The group is moved down by 80 and clipped to x < 30.
  EXPECT_EQ(at(pixels, 20, 90, scale), kBlue);
  EXPECT_EQ(at(pixels, 40, 90, scale), kWhite);
  // Texts leave ink inside their boxes.
  EXPECT_GT(ink_in(pixels, {100, 35, 60, 40}, scale), 100);
  EXPECT_GT(ink_in(pixels, {180, 30, 15, 60}, scale), 50);
}

TEST(CairoSinkTest, StackedAndRotatedTextTakeTheirShapes) {
  TextCmd stacked{.text = "原因分析", .font = {"宋体", 12}, .flow = TextFlow::kStacked};
  const Size column = measure_text(stacked);
  EXPECT_GT(column.height, 3.5 * column.width);
  stacked.flow = TextFlow::kHorizontal;
  const Size row = measure_text(stacked);
  EXPECT_GT(row.width, 2.5 * row.height);
  const Size turned = rotated_extent(row, 90);
  EXPECT_NEAR(turned.width, row.height, 1e-9);
  EXPECT_NEAR(turned.height, row.width, 1e-9);

  // Chinese glyphs come from a CJK face: every character is a full em wide, not a tofu box of
  // some other width, and the lines of a wrapped text stay within the wrap width.
  EXPECT_NEAR(row.width, 4 * 12, 1.0);
  TextCmd wrapped{
      .text = "鱼骨图原因分析报告", .font = {"宋体", 12}, .box = {0, 0, 40, 0}, .wrap = true};
  const Size block = measure_text(wrapped);
  EXPECT_LE(block.width, 40);
  EXPECT_GT(block.height, 2.5 * 12);
}

TEST(CairoSinkTest, PngAndPdfFilesAreWrittenWhole) {
  const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "cairo_sink";
  std::filesystem::create_directories(dir);
  const DisplayList scene = test::sample_scene();

  write_png(scene, dir / "scene.png");
  const RgbaPixels back =
      decode_image({ImageFormat::kPng, [&] {
                      std::ifstream in(dir / "scene.png", std::ios::binary);
                      return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
                    }()});
  EXPECT_EQ(back.width, 400);
  EXPECT_EQ(back, rasterize(scene, 2));

  write_pdf(scene, dir / "scene.pdf");
  std::ifstream pdf(dir / "scene.pdf", std::ios::binary);
  std::string head(5, '\0');
  pdf.read(head.data(), 5);
  EXPECT_EQ(head, "%PDF-");
  // A page of 200 × 120 points.
  const std::string body(std::istreambuf_iterator<char>(pdf), {});
  EXPECT_NE(body.find("/MediaBox [ 0 0 200 120 ]"), std::string::npos);

  // A folder that does not exist: the error names the file, nothing is left behind.
  const std::filesystem::path bad = dir / "missing" / "scene.png";
  try {
    write_png(scene, bad);
    FAIL() << "writing into a missing folder succeeded";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(bad.string()), std::string::npos);
  }
}

TEST(CairoSinkTest, PdfTextStaysText) {
  // The PDF's fonts are cut down to the glyphs its page draws; a reader still gets every
  // caption back as text, whichever font, weight, decoration or turn it was drawn with.
  DisplayList page(320, 200);
  const struct {
    std::string text;
    Font font;
  } captions[] = {
      {"注塑外壳表面缩痕不良率", {"宋体", 12}},
      {"Pareto 80% 主原因", {"Arial", 9, true}},
      {"带下划线的链接", {"宋体", 10, false, false, true}},
      {"斜体 italic", {"Tahoma", 10, false, true}},
  };
  double y = 10;
  for (const auto& caption : captions) {
    page.text({.text = caption.text, .font = caption.font, .box = {10, y, 0, 0}});
    y += 25;
  }
  DisplayList turned;
  turned.text({.text = "组内旋转的文字", .font = {"宋体", 9}, .box = {0, 0, 0, 0}});
  page.group(std::move(turned),
             Transform::compose(Transform::translation(200, 150), Transform::scaling(1.5, 1.5)));

  const std::filesystem::path path =
      std::filesystem::path(testing::TempDir()) / "cairo_sink_text.pdf";
  write_pdf(page, path);
  const fbtest::CommandResult text =
      fbtest::RunCommand("pdftotext -enc UTF-8 '" + path.string() + "' -");
  if (text.status == 127) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  ASSERT_EQ(text.status, 0) << text.output;
  for (const auto& caption : captions)
    EXPECT_NE(text.output.find(caption.text), std::string::npos) << caption.text;
  EXPECT_NE(text.output.find("组内旋转的文字"), std::string::npos) << text.output;
}

TEST(CairoSinkTest, PdfDrawsCaptionsHoldingNonCharacters) {
  // The tree's rules let a caption hold any non-character XML can carry; the PDF's text layer
  // must not make the page fail on one, and the text around it stays text.
  const std::string captions[] = {"前\uFDD0后", "A\U0001FFFEB", "末\U0010FFFF", "宽\U0003FFFF字"};
  DisplayList page(200, 130);
  double y = 10;
  for (const std::string& caption : captions) {
    page.text({.text = caption, .font = {"宋体", 12}, .box = {10, y, 0, 0}});
    y += 25;
  }
  const std::filesystem::path path =
      std::filesystem::path(testing::TempDir()) / "cairo_sink_noncharacters.pdf";
  ASSERT_NO_THROW(write_pdf(page, path));
  const fbtest::CommandResult text =
      fbtest::RunCommand("pdftotext -enc UTF-8 '" + path.string() + "' -");
  if (text.status == 127) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  ASSERT_EQ(text.status, 0) << text.output;
  for (const char* around : {"前", "后", "A", "B", "末", "宽", "字"})
    EXPECT_NE(text.output.find(around), std::string::npos) << around << " in " << text.output;
}

TEST(CairoSinkTest, MisuseIsRefused) {
  EXPECT_THROW(rasterize(DisplayList(0, 10)), std::invalid_argument);
  DisplayList bad_pattern(10, 10);
  bad_pattern.rect({0, 0, 5, 5}, PatternFill{55, kBlack, kWhite});
  EXPECT_THROW(rasterize(bad_pattern), std::invalid_argument);
  DisplayList bad_image(10, 10);
  bad_image.image(ImageCmd{.dest = {0, 0, 5, 5}, .image = RgbaPixels{2, 2, {1, 2, 3}}});
  EXPECT_THROW(rasterize(bad_image), std::invalid_argument);
}

}  // namespace
}  // namespace fb::render
