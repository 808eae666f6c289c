#include "platform/xlsx/model_adapter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "platform/render/image_pixels.h"
#include "tests/platform/xlsx/report_workbook.h"

namespace fb::xlsx {
namespace {

using sheet::CellAddress;
using sheet::RangeAddress;

const SheetCell* cell_at(const Sheet& s, CellAddress at) {
  for (const auto& c : s.cells) {
    if (c.at == at) return &c;
  }
  return nullptr;
}

TEST(ModelAdapter, TakesValuesFormatsSizesAndMergesFromTheWorkbook) {
  testing::ReportWorkbook report;
  const Document d = document_from_workbook(report.book, testing::ReportWorkbook::green_box);
  ASSERT_EQ(d.sheets.size(), 3u);  // a new workbook's three sheets
  EXPECT_EQ(d.active_sheet, 0);
  EXPECT_FALSE(d.sheets[1].view.selected);
  const Sheet& s = d.sheets[0];
  EXPECT_EQ(s.name, "Sheet1");
  EXPECT_TRUE(s.view.selected);

  // Typed texts became numbers, formulas their results.
  ASSERT_NE(cell_at(s, {28, 2}), nullptr);
  EXPECT_EQ(cell_at(s, {28, 2})->value, sheet::Value(1.0));
  EXPECT_EQ(cell_at(s, {28, 7})->value, sheet::Value(4.0));
  EXPECT_EQ(cell_at(s, {3, 2})->value, sheet::Value(std::string("№")));

  // Every written cell carries its full format: the white sheet, the green field row, the red
  // rule, the font set last.
  const auto& white = d.styles.at(cell_at(s, {32, 25})->style);
  EXPECT_EQ(white.interior.color_index, 2);
  EXPECT_EQ(white.font.name, "Arial");
  const auto& green = d.styles.at(cell_at(s, {6, 10})->style);
  EXPECT_EQ(green.interior.color_index, 43);
  const auto& rule = d.styles.at(cell_at(s, {2, 27})->style).border(sheet::CellEdge::Bottom);
  EXPECT_EQ(rule.color_index, 3);
  EXPECT_EQ(rule.weight, sheet::BorderWeight::Medium);

  // Columns: A narrow, B to AA sized, the rest of the sheet white at the standard width.
  ASSERT_EQ(s.columns.size(), 3u);
  EXPECT_EQ(s.columns[0].first, 1);
  EXPECT_EQ(s.columns[0].last, 1);
  EXPECT_EQ(s.columns[0].width, 1.78);
  EXPECT_EQ(s.columns[1].first, 2);
  EXPECT_EQ(s.columns[1].last, 27);
  EXPECT_EQ(s.columns[1].width, 5.25);
  EXPECT_TRUE(s.columns[1].custom_width);
  EXPECT_EQ(s.columns[2].first, 28);
  EXPECT_EQ(s.columns[2].last, sheet::kMaxColumns);
  EXPECT_FALSE(s.columns[2].custom_width);
  for (const auto& span : s.columns) {
    ASSERT_TRUE(span.style.has_value());
    EXPECT_EQ(d.styles.at(*span.style).interior.color_index, 2);
  }

  EXPECT_EQ(s.rows.at(1).height, 20);
  EXPECT_EQ(s.rows.at(3).height, 10);
  EXPECT_EQ(s.rows.size(), 32u);
  EXPECT_EQ(s.merges, (std::vector<RangeAddress>{{{6, 2}, {6, 5}}, {{3, 2}, {5, 19}}}));
}

TEST(ModelAdapter, TakesPageSetupPrintAreaAndHyperlinksFromTheSheet) {
  testing::ReportWorkbook report;
  report.sheet.hyperlinks().add(report.sheet.range("C9"), "https://example.org/help", "Sheet1!A1",
                                "help", "");
  const Sheet s = document_from_workbook(report.book, testing::ReportWorkbook::green_box).sheets[0];
  EXPECT_EQ(s.print_area, (RangeAddress{{2, 2}, {32, 27}}));
  ASSERT_TRUE(s.page_setup.has_value());
  const PageSetup& p = *s.page_setup;
  EXPECT_DOUBLE_EQ(p.left_margin, 28.8);
  EXPECT_DOUBLE_EQ(p.bottom_margin, 28.8);
  EXPECT_DOUBLE_EQ(p.header_margin, 14.4);
  EXPECT_DOUBLE_EQ(p.footer_margin, 14.4);
  EXPECT_TRUE(p.center_horizontally && p.center_vertically);
  EXPECT_EQ(p.orientation, Orientation::Landscape);
  EXPECT_EQ(p.paper_size, 9);
  EXPECT_EQ(p.zoom, std::nullopt);
  EXPECT_EQ(p.fit_to_pages_wide, 1);
  EXPECT_EQ(p.fit_to_pages_tall, 1);

  ASSERT_EQ(s.hyperlinks.size(), 2u);
  EXPECT_EQ(s.hyperlinks[0].cell, (CellAddress{2, 25}));
  EXPECT_EQ(s.hyperlinks[0].address, "https://example.org/fishbone");
  EXPECT_EQ(s.hyperlinks[0].text_to_display, "example.org");
  EXPECT_EQ(s.hyperlinks[1].location, "Sheet1!A1");
  EXPECT_EQ(s.hyperlinks[1].screen_tip, "help");

  // "As many pages as needed" is 0 in the package.
  report.sheet.page_setup().set_fit_to_pages_tall(std::nullopt);
  EXPECT_EQ(document_from_workbook(report.book, testing::ReportWorkbook::green_box)
                .sheets[0]
                .page_setup->fit_to_pages_tall,
            0);
}

// The diagram stays vector graphics at the shape's size; the logo becomes a PNG whose
// transparent colour is cut out; both keep their names, places and placement.
TEST(ModelAdapter, WritesPicturesAsTheShapesAre) {
  testing::ReportWorkbook report;
  sheet::Shape& diagram = report.sheet.shapes().item(1);
  diagram.set_width(459);  // half the drawing's width: the metafile is drawn at the shape's size
  const Document d = document_from_workbook(report.book, testing::ReportWorkbook::green_box);
  const auto& items = d.sheets[0].drawings;
  ASSERT_EQ(items.size(), 2u);

  EXPECT_EQ(items[0].name, diagram.name());
  EXPECT_DOUBLE_EQ(items[0].left, testing::ReportWorkbook::kColumnA);
  EXPECT_DOUBLE_EQ(items[0].top, 130);
  EXPECT_DOUBLE_EQ(items[0].width, 459);
  EXPECT_EQ(items[0].placement, Placement::Move);
  const auto& metafile = std::get<PictureContent>(items[0].content);
  EXPECT_EQ(metafile.format, ImageFormat::Emf);
  ASSERT_GT(metafile.bytes.size(), 44u);
  EXPECT_EQ(metafile.bytes.substr(40, 4), " EMF");
  // The header's frame (hundredths of a millimetre) is the shape's size, not the drawing's.
  std::int32_t frame_right = 0;
  std::memcpy(&frame_right, metafile.bytes.data() + 32, 4);
  EXPECT_NEAR(frame_right, 459 / 72.0 * 2540, 30);

  EXPECT_EQ(items[1].name, "Logo");
  const auto& logo = std::get<PictureContent>(items[1].content);
  ASSERT_EQ(logo.format, ImageFormat::Png);
  const render::RgbaPixels pixels = render::decode_image(
      {render::ImageFormat::kPng, std::vector<std::uint8_t>(logo.bytes.begin(), logo.bytes.end())});
  ASSERT_EQ(pixels.width, 2);
  EXPECT_EQ(pixels.rgba[3], 0);  // the black background
  EXPECT_EQ(std::vector<std::uint8_t>(pixels.rgba.begin() + 4, pixels.rgba.end()),
            (std::vector<std::uint8_t>{255, 0, 0, 255}));
}

// A group comes apart into its members where it shows them, stretched with it; each keeps its
// own hyperlink, and the members take the group's placement.
TEST(ModelAdapter, TakesAGroupApartIntoItsLinkedMembers) {
  testing::ReportWorkbook report;
  sheet::Shape& logo = report.sheet.shapes().item("Logo");
  report.sheet.hyperlinks().add(logo, "https://example.org/fishbone", "about");
  const std::string diagram = report.sheet.shapes().item(1).name();
  sheet::Shape& group = report.sheet.shapes().group({diagram, "Logo"});
  group.placement = sheet::Placement::FreeFloating;
  group.set_width(group.width() / 2);

  const Document d = document_from_workbook(report.book, testing::ReportWorkbook::green_box);
  const auto& items = d.sheets[0].drawings;
  ASSERT_EQ(items.size(), 2u);
  constexpr double kA = testing::ReportWorkbook::kColumnA;
  constexpr double kB = testing::ReportWorkbook::kColumnB;
  EXPECT_EQ(items[0].name, diagram);
  EXPECT_DOUBLE_EQ(items[0].left, kA);
  EXPECT_DOUBLE_EQ(items[0].top, 130);
  EXPECT_DOUBLE_EQ(items[0].width, 459);
  EXPECT_DOUBLE_EQ(items[0].height, 369);
  EXPECT_EQ(std::get<PictureContent>(items[0].content).hyperlink, "");
  EXPECT_EQ(items[1].name, "Logo");
  EXPECT_DOUBLE_EQ(items[1].left, kA + kB / 2);
  EXPECT_DOUBLE_EQ(items[1].top, 20);
  EXPECT_DOUBLE_EQ(items[1].width, 76.5 / 2);
  EXPECT_EQ(std::get<PictureContent>(items[1].content).hyperlink,
            "https://example.org/fishbone#about");
  for (const auto& item : items) EXPECT_EQ(item.placement, Placement::FreeFloating) << item.name;
}

// A turned group turns its members about its own centre.
TEST(ModelAdapter, TurnedGroupTurnsItsMembersAboutItsCentre) {
  testing::ReportWorkbook report;
  const std::string diagram = report.sheet.shapes().item(1).name();
  sheet::Shape& group = report.sheet.shapes().group({diagram, "Logo"});
  group.rotation = 180;
  const double centre_x = group.left() + group.width() / 2;
  const double centre_y = group.top() + group.height() / 2;

  const Document d = document_from_workbook(report.book, testing::ReportWorkbook::green_box);
  const auto& items = d.sheets[0].drawings;
  ASSERT_EQ(items.size(), 2u);
  const DrawingItem& logo = items[1];
  EXPECT_DOUBLE_EQ(logo.rotation, 180);
  // Half a turn puts the logo's centre opposite the group's centre.
  const double logo_x = testing::ReportWorkbook::kColumnA + testing::ReportWorkbook::kColumnB;
  EXPECT_NEAR(logo.left + logo.width / 2, 2 * centre_x - (logo_x + 76.5 / 2), 1e-9);
  EXPECT_NEAR(logo.top + logo.height / 2, 2 * centre_y - (20 + 24.25 / 2), 1e-9);
}

TEST(ModelAdapter, WritesATextEffectAsItsLetters) {
  testing::ReportWorkbook report;
  sheet::Shape& title = report.sheet.shapes().add_text_effect(
      {0, "鱼 骨 图  Cause & Effect", "Arial Unicode MS", 14, true, true}, 120, 30);
  title.fill.fore = sheet::ColourChoice::from_scheme(10);

  const Document d = document_from_workbook(report.book, testing::ReportWorkbook::green_box);
  const auto& items = d.sheets[0].drawings;
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[2].name, title.name());
  EXPECT_DOUBLE_EQ(items[2].left, 120);
  EXPECT_DOUBLE_EQ(items[2].width, title.width());
  const auto& art = std::get<WordArtContent>(items[2].content);
  EXPECT_EQ(art.preset, 0);
  EXPECT_EQ(art.text, "鱼 骨 图  Cause & Effect");
  EXPECT_EQ(art.font_name, "Arial Unicode MS");
  EXPECT_DOUBLE_EQ(art.font_size, 14);
  EXPECT_TRUE(art.bold);
  EXPECT_TRUE(art.italic);
  EXPECT_EQ(art.text_colour, (sheet::Rgb{255, 0, 0}));
}

TEST(ModelAdapter, RefusesWhatThePackageCannotHoldNamingTheSheet) {
  const auto message_of = [](const std::function<void()>& call) -> std::string {
    try {
      call();
    } catch (const std::invalid_argument& error) {
      return error.what();
    }
    return "no error";
  };
  testing::ReportWorkbook no_renderer;
  EXPECT_EQ(message_of([&] { document_from_workbook(no_renderer.book); }),
            "sheet \"Sheet1\": shape \"" + no_renderer.sheet.shapes().item(1).name() +
                "\" is a drawing and no drawing renderer was given");

  testing::ReportWorkbook linked_title;
  sheet::Shape& title =
      linked_title.sheet.shapes().add_text_effect({0, "T", "Arial", 14, false, false}, 0, 0);
  linked_title.sheet.hyperlinks().add(title, "https://example.org/fishbone");
  EXPECT_EQ(message_of([&] {
              document_from_workbook(linked_title.book, testing::ReportWorkbook::green_box);
            }),
            "sheet \"Sheet1\": the text effect \"" + title.name() +
                "\" has a hyperlink, which the package cannot hold");

  testing::ReportWorkbook two_areas;
  two_areas.sheet.page_setup().set_print_area("B2:C3,E5:F6");
  EXPECT_NE(message_of([&] {
              document_from_workbook(two_areas.book, testing::ReportWorkbook::green_box);
            }).find("sheet \"Sheet1\": the print area"),
            std::string::npos);
}

// Formats are shared: a hundred white cells give one style, not a hundred.
TEST(ModelAdapter, EqualFormatsShareOneStyle) {
  testing::ReportWorkbook report;
  for (int row = 10; row < 20; ++row) {
    for (int column = 2; column < 12; ++column) report.sheet.cells(row, column).set_value(1.0);
  }
  const Document d = document_from_workbook(report.book, testing::ReportWorkbook::green_box);
  const Sheet& s = d.sheets[0];
  EXPECT_EQ(cell_at(s, {10, 2})->style, cell_at(s, {19, 11})->style);
  EXPECT_LE(d.styles.size(), 6u);
}

}  // namespace
}  // namespace fb::xlsx
