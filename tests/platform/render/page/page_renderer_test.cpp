#include "platform/render/page/page_renderer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/os/environment.h"
#include "platform/render/cairo_sink.h"
#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

namespace fb::render {
namespace {

class PageTest : public ::testing::Test {
 protected:
  os::MapEnvironment env;
  sheet::Application app{env};
  sheet::Workbook& book = app.workbooks().add();
  sheet::Worksheet& sheet = book.worksheets().item(1);

  void SetUp() override {
    sheet.range("A:E").set_column_width(
        8);  // 45.75 points each in Arial 10, the new workbook's font
    sheet.range("1:6").set_row_height(20);
    sheet.range("B2:D3").merge();
    sheet.range("B2").set_value("鱼骨图");
    sheet.range("B2:D3").set_horizontal_alignment(sheet::HorizontalAlignment::Center);
    sheet.range("B2:D3").set_vertical_alignment(sheet::VerticalAlignment::Center);
    sheet.range("B2:D3").font().set_name("宋体");
    sheet.range("B2:D3").font().set_size(16);
    sheet.range("B2:D3").interior().set_color_index(6);  // yellow
    sheet.range("B2:D3").interior().set_pattern(sheet::Pattern::Solid);
    auto bottom = sheet.range("B2:D3").borders(sheet::BorderIndex::EdgeBottom);
    bottom.set_line_style(sheet::LineStyle::Continuous);
    bottom.set_weight(sheet::BorderWeight::Thick);
    bottom.set_color_index(3);  // red
    sheet.range("E5").set_value(sheet::Value(42.0));
  }
};

Colour pixel(const RgbaPixels& p, double x, double y) {
  const std::uint8_t* q =
      &p.rgba[(static_cast<std::size_t>(y) * p.width + static_cast<std::size_t>(x)) * 4];
  return {q[0], q[1], q[2], q[3]};
}

TEST_F(PageTest, CellsLandOnThePaperWithTheirFillsBordersAndTexts) {
  PageSettings settings;
  settings.print_area = {{1, 1}, {6, 5}};
  settings.left_margin = 36;
  settings.top_margin = 36;
  const DisplayList page = render_page(sheet, settings);
  EXPECT_EQ(page.size(), kA4Landscape);
  const RgbaPixels pixels = rasterize(page, 1);
  write_png(page, std::filesystem::path(testing::TempDir()) / "page.png");

  // B2:D3 spans x 36+45.75 .. 36+4*45.75, y 36+20 .. 36+60.
  const double left = 36 + 45.75, right = 36 + 4 * 45.75, top = 56, bottom = 96;
  const Colour yellow{255, 255, 0, 255};
  EXPECT_EQ(pixel(pixels, left + 3, top + 3), yellow);
  EXPECT_EQ(pixel(pixels, right - 3, bottom - 5), yellow);  // the fill covers the whole area
  EXPECT_EQ(pixel(pixels, left + 20, bottom), (Colour{255, 0, 0, 255}));  // thick bottom edge
  EXPECT_EQ(pixel(pixels, left - 3, top + 3), (Colour{255, 255, 255, 255}));

  // The merged text is centred in the merged area, not in B2.
  double ink_x = 0;
  int ink = 0;
  for (int y = static_cast<int>(top); y < static_cast<int>(bottom) - 3; ++y) {
    for (int x = static_cast<int>(left); x < static_cast<int>(right); ++x) {
      const Colour c = pixel(pixels, x, y);
      if (c.r < 128 && c.g < 128) ink_x += x, ++ink;
    }
  }
  ASSERT_GT(ink, 30);
  EXPECT_NEAR(ink_x / ink, (left + right) / 2, 4);

  // The number in E5 sits at the right of its cell.
  int number_ink = 0;
  for (int y = 36 + 80; y < 36 + 100; ++y) {
    for (int x = static_cast<int>(36 + 4 * 45.75 + 30); x < static_cast<int>(36 + 5 * 45.75); ++x) {
      if (pixel(pixels, x, y).r < 128) ++number_ink;
    }
  }
  EXPECT_GT(number_ink, 10);
}

TEST_F(PageTest, FitToOnePageShrinksAndCentres) {
  sheet.range("A:E").set_column_width(60);  // 5 × 318.75 points: far wider than the paper
  PageSettings settings;
  settings.print_area = {{1, 1}, {6, 5}};
  settings.centre_horizontally = true;
  settings.centre_vertically = true;
  bool drawn = false;
  const DisplayList page = render_page(sheet, settings, {[&](DisplayList& sheet_space) {
                                         drawn = true;
                                         sheet_space.rect({0, 0, 10, 10}, SolidFill{});
                                       }});
  EXPECT_TRUE(drawn);
  const auto& group = std::get<GroupCmd>(page.commands().at(0));
  const double room = kA4Landscape.width - 108;
  const double scale = room / (5 * 318.75);
  EXPECT_NEAR(group.transform.xx, scale, 1e-9);
  EXPECT_NEAR(group.transform.dx, 54, 1e-9);  // full width: no horizontal slack
  EXPECT_NEAR(group.transform.dy, 72 + ((kA4Landscape.height - 144) - 120 * scale) / 2, 1e-9);

  PageSettings no_room = settings;
  no_room.left_margin = 500;
  no_room.right_margin = 400;
  EXPECT_THROW(render_page(sheet, no_room), std::invalid_argument);
}

}  // namespace
}  // namespace fb::render
