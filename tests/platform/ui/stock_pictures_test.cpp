#include "platform/ui/stock_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fb::ui {
namespace {

int CountPixels(const Picture& picture, bool (*match)(Rgba)) {
  int n = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) n += match(picture.pixel(x, y)) ? 1 : 0;
  }
  return n;
}

bool IsYellow(Rgba c) {
  return c.a == 255 && c.r > 200 && c.g > 150 && c.b < 80;
}
bool IsGreen(Rgba c) {
  return c.a == 255 && c.g > 120 && c.r < 80 && c.b < 100;
}
bool IsBlue(Rgba c) {
  return c.a == 255 && c.b > 140 && c.r < 40;
}
bool IsWhite(Rgba c) {
  return c.a == 255 && c.r == 255 && c.g == 255 && c.b == 255;
}
bool IsBlack(Rgba c) {
  return c.a == 255 && c.r == 0 && c.g == 0 && c.b == 0;
}
bool IsClear(Rgba c) {
  return c.a == 0;
}

TEST(StockPicturesTest, ImageListGetsTriangleQuestionMarkAndLogo) {
  ImageList images;
  add_stock_pictures(images);
  ASSERT_EQ(images.count(), 3);
  const Picture& triangle = images.picture(1);
  const Picture& question = images.picture(2);
  for (const Picture* p : {&triangle, &question, &images.image(3)}) {
    EXPECT_EQ(p->width, 22);
    EXPECT_EQ(p->height, 22);
    EXPECT_EQ(p->rgba.size(), 22u * 22u * 4u);
  }
  // Triangle: yellow body, black mark, clear top corners, wider at the base than at the top.
  EXPECT_GT(CountPixels(triangle, IsYellow), 100);
  EXPECT_GT(CountPixels(triangle, IsBlack), 10);
  EXPECT_TRUE(IsClear(triangle.pixel(0, 0)));
  EXPECT_TRUE(IsClear(triangle.pixel(21, 0)));
  EXPECT_TRUE(IsYellow(triangle.pixel(5, 18)));
  EXPECT_FALSE(IsYellow(triangle.pixel(5, 3)));
  // Question mark: green disc with white glyph, clear corners.
  EXPECT_GT(CountPixels(question, IsGreen), 150);
  EXPECT_GT(CountPixels(question, IsWhite), 20);
  EXPECT_TRUE(IsClear(question.pixel(0, 0)));
  EXPECT_NE(triangle, question);
  EXPECT_EQ(images.picture(3), product_logo_picture());
}

TEST(StockPicturesTest, LogoIsWideWithABackgroundOfTheTransparencyColour) {
  const Picture logo = product_logo_picture();
  // The steps that place it size it 76.5 by 24.25 points: the picture has those proportions,
  // at four pixels a point.
  EXPECT_EQ(logo.width, 306);
  EXPECT_EQ(logo.height, 97);
  EXPECT_DOUBLE_EQ(logo.width / 76.5, logo.height / 24.25);
  // The whole border is black, which the steps make transparent, and so is most of the
  // picture; what remains is opaque and neither black nor near white, so it shows on the
  // white sheet and on the chart once black is gone.
  for (int x = 0; x < logo.width; ++x) {
    ASSERT_TRUE(IsBlack(logo.pixel(x, 0))) << x;
    ASSERT_TRUE(IsBlack(logo.pixel(x, logo.height - 1))) << x;
  }
  for (int y = 0; y < logo.height; ++y) {
    ASSERT_TRUE(IsBlack(logo.pixel(0, y))) << y;
    ASSERT_TRUE(IsBlack(logo.pixel(logo.width - 1, y))) << y;
  }
  int black = 0;
  int blue = 0;
  for (int y = 0; y < logo.height; ++y) {
    for (int x = 0; x < logo.width; ++x) {
      const Rgba p = logo.pixel(x, y);
      ASSERT_EQ(p.a, 255) << x << "," << y;
      if (IsBlack(p)) {
        ++black;
        continue;
      }
      ASSERT_LT(std::min({p.r, p.g, p.b}), 200) << x << "," << y;
      blue += IsBlue(p) ? 1 : 0;
    }
  }
  EXPECT_GT(black, logo.width * logo.height / 2);
  EXPECT_GT(blue, 1000);  // the fishbone and the mark
  // The problem box in red where the spine ends, the fishbone to its left, the mark to its
  // right.
  const Rgba box = logo.pixel(189, logo.height / 2);
  EXPECT_TRUE(box.r > 180 && box.g < 80 && box.b < 80);
  EXPECT_TRUE(IsBlue(logo.pixel(100, logo.height / 2)));
  EXPECT_TRUE(IsBlack(logo.pixel(189, 10)));
}

}  // namespace
}  // namespace fb::ui
