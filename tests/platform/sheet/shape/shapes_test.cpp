// Drawing objects of the host: default names by version profile, scaling with an anchor, the
// clipboard carrying shapes between workbooks, pasting a chart as a picture, series references.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/os/environment.h"
#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/chart/sheet_reference.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/bitmap_file.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_clipboard.h"
#include "platform/sheet/shape/shape_collection.h"

namespace fb::sheet {
namespace {

constexpr const char* kMetafile = "图片(增强型图元文件)";

class Shapes : public ::testing::TestWithParam<const char*> {
 protected:
  Shapes() : app(env, GetParam()) {}
  Chart& AddChart() { return book.charts().add().location(ChartLocation::AsObject, sheet.name()); }
  os::MapEnvironment env;
  Application app;
  Workbook& book = app.workbooks().add();
  Worksheet& sheet = book.worksheets().item(1);
};

// Every created object advances the sheet's counter; the newer profile counts pictures apart.
TEST_P(Shapes, DefaultNamesFollowTheProfile) {
  const bool legacy = std::string(GetParam()) == "11.0";
  for (int i = 0; i < 3; ++i) AddChart();
  EXPECT_EQ(sheet.chart_objects().item(3).name(), "图表 3");
  for (int chart = 1; chart <= 3; ++chart) {
    sheet.shapes().item("图表 " + std::to_string(chart)).cut();
    sheet.paste_special(kMetafile);
  }
  const std::string expected[] = {legacy ? "图片 4" : "Picture 1", legacy ? "图片 5" : "Picture 2",
                                  legacy ? "图片 6" : "Picture 3"};
  ASSERT_EQ(sheet.shapes().count(), 3);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(sheet.shapes().item(i).name(), expected[i - 1]);
  Chart& inner = AddChart();
  EXPECT_EQ(inner.shapes().add_text_box(0, 0, 10, 10).name(), legacy ? "Text 1" : "TextBox 1");
}

INSTANTIATE_TEST_SUITE_P(Profiles, Shapes, ::testing::Values("11.0", "12.0", "13.0"));

TEST(Shape, ScalingKeepsTheAnchoredCornerAndStopsAtTheSheetEdge) {
  Shape shape(ShapeKind::TextBox, "t", 100, 100, 40, 20);
  shape.scale_width(2, ScaleFrom::BottomRight);
  EXPECT_EQ(shape.left(), 60);
  EXPECT_EQ(shape.width(), 80);
  shape.scale_height(1.5, ScaleFrom::TopLeft);
  EXPECT_EQ(shape.top(), 100);
  EXPECT_EQ(shape.height(), 30);
  shape.scale_width(3, ScaleFrom::BottomRight);  // would start left of the sheet
  EXPECT_EQ(shape.left(), 0);
  shape.lock_aspect_ratio = true;
  shape.set_width(120);  // from 240 x 30
  EXPECT_EQ(shape.height(), 15);
}

TEST(Clipboard, CutShapesKeepTheirNamesInAnotherWorkbookAndShowFrozenData) {
  os::MapEnvironment env;
  Application app(env);
  Workbook& source = app.workbooks().add();
  Worksheet& data = source.worksheets().item(1);
  data.range("A1").set_value(Value(3.0));
  data.range("A2").set_value(Value(5.0));
  Chart& chart = source.charts().add().location(ChartLocation::AsObject, data.name());
  chart.set_source_data(data.range("A1:A2"));
  chart.series(1).apply_data_labels({});
  Shape& object = data.chart_objects().item(1);
  object.set_name("PIC1");
  object.cut();
  EXPECT_EQ(data.shapes().count(), 0);
  source.close(false);

  Workbook& target = app.workbooks().add();
  Worksheet& sheet = target.worksheets().item(1);
  sheet.range("B2").select();
  sheet.paste();
  Shape& pasted = sheet.shapes().item("PIC1");
  EXPECT_EQ(pasted.left(), 48);  // column A's default width
  EXPECT_EQ(pasted.chart().series(1).label_text(2), "5");
  EXPECT_TRUE(pasted.chart().frozen());
}

TEST(Clipboard, PasteAsPictureRefusesOtherFormatsAndAnEmptyClipboard) {
  os::MapEnvironment env;
  Application app(env);
  Worksheet& sheet = app.workbooks().add().worksheets().item(1);
  try {
    sheet.paste_special(kMetafile);
    FAIL() << "pasted nothing";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), 1004);
  }
  app.workbooks().item(1).charts().add().location(ChartLocation::AsObject, sheet.name());
  sheet.chart_objects().item(1).cut();
  EXPECT_THROW(sheet.paste_special("位图"), HostError);
  EXPECT_THROW(sheet.paste_special(kMetafile, true), HostError);
  sheet.paste_special(kMetafile);
  EXPECT_EQ(sheet.shapes().item(1).kind(), ShapeKind::Picture);
  EXPECT_EQ(sheet.shapes().item(1).width(), 360);
}

TEST(Chart, MissingAxesPointsAndNamesAreHostErrors) {
  os::MapEnvironment env;
  Application app(env);
  Workbook& book = app.workbooks().add();
  Worksheet& sheet = book.worksheets().item(1);
  Chart& chart = book.charts().add().location(ChartLocation::AsObject, sheet.name());
  chart.set_source_data(sheet.range("A1:A3"));
  EXPECT_THROW(chart.axes(AxisType::ValueAxis, AxisGroup::Secondary), HostError);
  EXPECT_THROW(chart.series(1).delete_point_label(4), HostError);
  EXPECT_THROW(chart.series(2), HostError);
  EXPECT_THROW(chart.series(1).set_values("A1:A3"), HostError);  // no sheet named
  EXPECT_THROW(chart.series(1).set_formula("=SERIES(,Sheet1!A1:A3)"), HostError);
  EXPECT_THROW(sheet.shapes().item("图表 9"), HostError);
  chart.new_series().set_axis_group(AxisGroup::Secondary);
  EXPECT_NO_THROW(chart.axes(AxisType::ValueAxis, AxisGroup::Secondary));
}

TEST(SheetReference, ReadsBothNotationsAndQuotedNames) {
  const GridSize grid;
  struct Case {
    const char* text;
    const char* sheet;
    RangeAddress area;
  };
  const Case cases[] = {
      {"=Sheet2!R11C9:R14C9", "Sheet2", {{11, 9}, {14, 9}}},
      {"='Sheet2'!$T$11:$V$37", "Sheet2", {{11, 20}, {37, 22}}},
      {"Sheet2!R3C8", "Sheet2", {{3, 8}, {3, 8}}},
      {"='It''s'!A1:B2", "It's", {{1, 1}, {2, 2}}},
  };
  for (const Case& c : cases) {
    const auto reference = parse_sheet_reference(c.text, grid);
    ASSERT_TRUE(reference.has_value()) << c.text;
    EXPECT_EQ(reference->sheet, c.sheet) << c.text;
    EXPECT_EQ(reference->area, c.area) << c.text;
  }
  for (const char* bad : {"A1:B2", "=Sheet2!", "=Sheet2!R0C1", "=Sheet2!A1,B2"}) {
    EXPECT_FALSE(parse_sheet_reference(bad, grid).has_value()) << bad;
  }
  EXPECT_EQ(format_sheet_reference_a1({"It's", {{1, 1}, {2, 2}}}, grid), "'It''s'!$A$1:$B$2");
}

TEST(BitmapFile, RoundTripKeepsEveryPixel) {
  raster::Picture picture(3, 2);
  picture.set_pixel(0, 0, {255, 0, 0, 255});
  picture.set_pixel(2, 1, {1, 2, 3, 128});
  const auto file = std::filesystem::temp_directory_path() /
                    ("fishbone-bitmap-" + std::to_string(::getpid()) + ".bmp");
  save_bitmap_file(picture, file);
  const auto read = read_bitmap_file(file);
  std::filesystem::remove(file);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, picture);
}

// Bitmaps other programs write: 24-bit rows padded to four bytes, rows stored top-down, and
// files cut short or too large to hold.
TEST(BitmapFile, ReadsPaddedAndTopDownRowsAndRefusesBadFiles) {
  auto bitmap = [](int width, int height, int bits, std::size_t pixel_bytes) {
    std::string b = "BM";
    auto put32 = [&b](std::uint32_t v) {
      for (int i = 0; i < 4; ++i) b += static_cast<char>(v >> (8 * i));
    };
    auto put16 = [&b](std::uint16_t v) {
      b += static_cast<char>(v);
      b += static_cast<char>(v >> 8);
    };
    put32(54 + static_cast<std::uint32_t>(pixel_bytes));
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(height));
    put16(1);
    put16(static_cast<std::uint16_t>(bits));
    for (int i = 0; i < 6; ++i) put32(0);
    for (std::size_t i = 0; i < pixel_bytes; ++i) b += static_cast<char>(i + 1);
    return b;
  };
  const auto file = std::filesystem::temp_directory_path() /
                    ("fishbone-bitmap-" + std::to_string(::getpid()) + ".bmp");
  auto read = [&file](const std::string& bytes) {
    {
      std::ofstream out(file, std::ios::binary | std::ios::trunc);
      out << bytes;
    }
    auto picture = read_bitmap_file(file);
    std::filesystem::remove(file);
    return picture;
  };
  // 3 × 2 at 24 bits, bottom-up: rows of 9 bytes padded to 12; the file's first row is the
  // picture's last. Blue, green, red in the file.
  const auto padded = read(bitmap(3, 2, 24, 24));
  ASSERT_TRUE(padded.has_value());
  EXPECT_EQ(padded->pixel(0, 1), (raster::Rgba{3, 2, 1, 255}));
  EXPECT_EQ(padded->pixel(2, 1), (raster::Rgba{9, 8, 7, 255}));
  EXPECT_EQ(padded->pixel(0, 0), (raster::Rgba{15, 14, 13, 255}));
  EXPECT_EQ(padded->pixel(2, 0), (raster::Rgba{21, 20, 19, 255}));
  // 2 × 2 at 32 bits with a negative height: the file's first row is the top one.
  const auto top_down = read(bitmap(2, -2, 32, 16));
  ASSERT_TRUE(top_down.has_value());
  EXPECT_EQ(top_down->pixel(0, 0), (raster::Rgba{3, 2, 1, 4}));
  EXPECT_EQ(top_down->pixel(1, 1), (raster::Rgba{15, 14, 13, 16}));
  EXPECT_FALSE(read(bitmap(3, 2, 24, 23)).has_value());  // a byte short
  EXPECT_FALSE(read(bitmap(0x7FFFFFFF, 0x7FFFFFFF, 32, 0)).has_value());
  EXPECT_FALSE(read("BM").has_value());
}

}  // namespace
}  // namespace fb::sheet
