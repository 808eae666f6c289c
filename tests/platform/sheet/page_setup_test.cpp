#include "platform/sheet/page_setup.h"

#include <gtest/gtest.h>

#include "platform/sheet/range.h"
#include "sheet_fixture.h"

namespace fb::sheet {
namespace {

using testing::host_error_number;
using testing::SheetTest;

using PageSetupTest = SheetTest;

TEST_F(PageSetupTest, KeepsWhatIsSetAndRefusesWhatCannotPrint) {
  PageSetup& page = sheet.page_setup();
  EXPECT_EQ(page.zoom(), 100);
  page.set_print_area("b2:aa32");
  EXPECT_EQ(page.print_area(), "$B$2:$AA$32");
  page.set_left_margin(Application::inches_to_points(0.4));
  EXPECT_DOUBLE_EQ(page.left_margin(), 28.8);
  page.set_zoom(std::nullopt);
  page.set_fit_to_pages_wide(1);
  page.set_fit_to_pages_tall(1);
  EXPECT_FALSE(page.zoom().has_value());

  EXPECT_EQ(host_error_number([&] { page.set_print_area("not a range"); }), 1004);
  EXPECT_EQ(page.print_area(), "$B$2:$AA$32");
  EXPECT_EQ(host_error_number([&] { page.set_zoom(9); }), 1004);
  EXPECT_EQ(host_error_number([&] { page.set_zoom(401); }), 1004);
  EXPECT_EQ(host_error_number([&] { page.set_top_margin(-1); }), 1004);
  EXPECT_EQ(host_error_number([&] { page.set_fit_to_pages_tall(0); }), 1004);
  page.set_print_area("");
  EXPECT_EQ(page.print_area(), "");
}

TEST_F(PageSetupTest, CellHyperlinkShowsItsTextAndReplacesAnEarlierLink) {
  Hyperlinks& links = sheet.hyperlinks();
  links.add(sheet.range("Y2"), "https://one.example/", "", "", "one.example");
  links.add(sheet.range("Y2"), "https://two.example/", "", "", "two.example");
  ASSERT_EQ(links.count(), 1);
  EXPECT_EQ(links.find({2, 25})->address, "https://two.example/");
  EXPECT_EQ(sheet.range("Y2").value(), testing::txt("two.example"));
  EXPECT_TRUE(sheet.range("Y2").format().font.underline);
  EXPECT_EQ(sheet.range("Y2").font().color_index(), 5);

  put("C3", testing::txt("kept"));
  links.add(sheet.range("C3"), "https://three.example/");
  EXPECT_EQ(sheet.range("C3").value(), testing::txt("kept"));
  links.add(sheet.range("D3"), "https://four.example/");
  EXPECT_EQ(sheet.range("D3").value(), testing::txt("https://four.example/"));
  EXPECT_EQ(host_error_number([&] { links.add(sheet.range("E3"), ""); }), 1004);
  EXPECT_EQ(links.count(), 3);
}

}  // namespace
}  // namespace fb::sheet
