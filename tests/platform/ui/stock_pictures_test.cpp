#include "platform/ui/stock_pictures.h"

#include <gtest/gtest.h>

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
  const Picture& logo = images.picture(3);
  for (const Picture* p : {&triangle, &question, &logo}) {
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
  // Logo: blue with a white fishbone.
  EXPECT_GT(CountPixels(logo, IsBlue), 200);
  EXPECT_GT(CountPixels(logo, IsWhite), 30);
  EXPECT_NE(triangle, question);
  EXPECT_NE(question, logo);
}

}  // namespace
}  // namespace fb::ui
