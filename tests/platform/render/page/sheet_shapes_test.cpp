#include "platform/render/page/sheet_shapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/os/environment.h"
#include "platform/render/cairo_sink.h"
#include "platform/render/page/word_art.h"
#include "platform/sheet/application.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

namespace fb::render {
namespace {

// Where the pixels of one colour lie on a picture, in pixels; empty when there are none.
struct Extent {
  int left = 1 << 30;
  int top = 1 << 30;
  int right = -1;
  int bottom = -1;
  bool empty() const { return right < 0; }
};

Extent extent_of(const RgbaPixels& p, Colour colour, int tolerance = 60) {
  Extent e;
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      const std::uint8_t* q = &p.rgba[(static_cast<std::size_t>(y) * p.width + x) * 4];
      if (q[3] < 200 || std::abs(q[0] - colour.r) > tolerance ||
          std::abs(q[1] - colour.g) > tolerance || std::abs(q[2] - colour.b) > tolerance) {
        continue;
      }
      e.left = std::min(e.left, x);
      e.top = std::min(e.top, y);
      e.right = std::max(e.right, x);
      e.bottom = std::max(e.bottom, y);
    }
  }
  return e;
}

class SheetShapesTest : public ::testing::Test {
 protected:
  os::MapEnvironment env;
  sheet::Application app{env};
  sheet::Workbook& book = app.workbooks().add();
  sheet::Worksheet& sheet = book.worksheets().item(1);

  // The sheet's shapes alone on a white 200 × 100 point canvas, two pixels a point.
  RgbaPixels draw() {
    DisplayList canvas(200, 100);
    canvas.rect({0, 0, 200, 100}, SolidFill{{255, 255, 255, 255}});
    sheet_shapes(sheet, {})(canvas);
    return rasterize(canvas);
  }

  sheet::Shape& add_block(const std::string& name, raster::Rgba colour, double left, double top,
                          double width, double height) {
    auto shape =
        std::make_unique<sheet::Shape>(sheet::ShapeKind::Picture, name, left, top, width, height);
    shape->raster = std::make_shared<raster::Picture>(1, 1, colour);
    return sheet.shapes().adopt(std::move(shape));
  }
};

// A group shows its members where they were when it was made, stretched with the group.
TEST_F(SheetShapesTest, GroupDrawsItsMembersStretchedWithIt) {
  add_block("Red", raster::Rgba{255, 0, 0, 255}, 10, 10, 20, 20);
  add_block("Blue", raster::Rgba{0, 0, 255, 255}, 40, 30, 20, 20);
  sheet::Shape& group = sheet.shapes().group({"Red", "Blue"});
  ASSERT_EQ(group.kind(), sheet::ShapeKind::Group);
  group.set_width(100);  // twice the frame's 50 points

  const RgbaPixels pixels = draw();
  const Extent red = extent_of(pixels, {255, 0, 0, 255});
  const Extent blue = extent_of(pixels, {0, 0, 255, 255});
  ASSERT_FALSE(red.empty());
  ASSERT_FALSE(blue.empty());
  EXPECT_NEAR(red.left, 20, 1);   // 10 points
  EXPECT_NEAR(red.right, 99, 1);  // 10 + 40 points, less one pixel
  EXPECT_NEAR(red.top, 20, 1);
  EXPECT_NEAR(red.bottom, 59, 1);
  EXPECT_NEAR(blue.left, 140, 1);  // 10 + 2 × 30 points
  EXPECT_NEAR(blue.right, 219, 1);
  EXPECT_NEAR(blue.top, 60, 1);
}

// A text effect's letters fill its box in the colour of its fill, nothing outside it.
TEST_F(SheetShapesTest, TextEffectLettersFillTheirBoxInTheFillColour) {
  sheet::Shape& title =
      sheet.shapes().add_text_effect({0, "WMW", "Arial", 20, true, false}, 20, 30);
  title.fill.fore = sheet::ColourChoice::from_scheme(10);  // the palette's third colour: red
  title.place(20, 30, 160, 40);

  const Extent red = extent_of(draw(), {255, 0, 0, 255});
  ASSERT_FALSE(red.empty());
  EXPECT_GE(red.left, 40);
  EXPECT_LE(red.right, 360);
  EXPECT_GE(red.top, 60);
  EXPECT_LE(red.bottom, 140);
  // Stretched: the letters span most of the 320-pixel box, far more than their own 2 × 51 points.
  EXPECT_GT(red.right - red.left, 260);
}

TEST_F(SheetShapesTest, TextEffectLetterColours) {
  sheet::Shape& title = sheet.shapes().add_text_effect({0, "T", "Arial", 14, false, false}, 0, 0);
  struct Case {
    const char* what;
    sheet::FillFormat fill;
    sheet::Rgb letters;
  };
  sheet::FillFormat hidden_red;
  hidden_red.fore = sheet::ColourChoice::from_scheme(10);
  hidden_red.visible = false;
  sheet::FillFormat scheme_black;
  scheme_black.fore = sheet::ColourChoice::from_scheme(8);
  sheet::FillFormat scheme_grey;
  scheme_grey.fore = sheet::ColourChoice::from_scheme(22);
  sheet::FillFormat rgb;
  rgb.fore = sheet::ColourChoice::from_rgb(1, 2, 3);
  const Case cases[] = {
      {"automatic", sheet::FillFormat{}, {0, 0, 0}},
      {"scheme 8", scheme_black, {0, 0, 0}},
      {"scheme 22", scheme_grey, sheet::palette_colour(15)},
      {"rgb", rgb, {1, 2, 3}},
      {"hidden fill", hidden_red, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    title.fill = c.fill;
    EXPECT_EQ(word_art_letters(title).colour, c.letters) << c.what;
  }
  EXPECT_EQ(word_art_letters(title).font, (Font{"Arial", 14, false, false, false}));

  title.fill.fore = sheet::ColourChoice::from_scheme(3);
  title.fill.visible = true;
  try {
    word_art_letters(title);
    ADD_FAILURE() << "scheme colour 3 has no palette colour";
  } catch (const std::invalid_argument& error) {
    EXPECT_NE(std::string(error.what()).find(title.name()), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace fb::render
