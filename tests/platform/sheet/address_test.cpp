#include "platform/sheet/address.h"

#include <gtest/gtest.h>

#include "sheet_fixture.h"

namespace fb::sheet {
namespace {

using testing::SheetTest;

TEST(Address, ColumnLettersRoundTrip) {
  const std::vector<std::pair<int, std::string>> cases = {
      {1, "A"}, {26, "Z"}, {27, "AA"}, {40, "AN"}, {66, "BN"}, {256, "IV"}, {16384, "XFD"}};
  for (const auto& [number, letters] : cases) {
    EXPECT_EQ(column_letters(number), letters);
    EXPECT_EQ(column_number(letters), number);
  }
  EXPECT_EQ(column_number("bn"), 66);
  EXPECT_EQ(column_number("A1"), 0);
}

TEST(Address, ReferencesParseAndPrint) {
  const GridSize g{65536, 256};
  struct Case {
    std::string text;
    std::string a1;
    std::string r1c1;
  };
  const std::vector<Case> cases = {
      {"$K$9", "$K$9", "R9C11"},
      {"B2:J244", "$B$2:$J$244", "R2C2:R244C10"},
      {"J244:B2", "$B$2:$J$244", "R2C2:R244C10"},
      {"A:A", "$A:$A", "C1"},
      {"AN:BN", "$AN:$BN", "C40:C66"},
      {"5:6", "$5:$6", "R5:R6"},
      {"d248:t275", "$D$248:$T$275", "R248C4:R275C20"},
  };
  for (const auto& c : cases) {
    const auto areas = parse_a1_reference(c.text, g);
    ASSERT_TRUE(areas) << c.text;
    ASSERT_EQ(areas->size(), 1u);
    EXPECT_EQ(format_a1(areas->front(), g), c.a1) << c.text;
    EXPECT_EQ(format_r1c1(areas->front(), g), c.r1c1) << c.text;
  }
  const auto multi = parse_a1_reference("A:A,K:K,P:P", g);
  ASSERT_TRUE(multi);
  EXPECT_EQ(multi->size(), 3u);
  for (const char* bad : {"", "A", "5", "A0", "IW1", "A65537", "A1:", "1A", "A1,,B2", "R1C1"}) {
    EXPECT_FALSE(parse_a1_reference(bad, g)) << bad;
  }
}

TEST_F(SheetTest, RangeAddressesFollowTheObjectModel) {
  EXPECT_EQ(sheet.range("K9").address(), "$K$9");
  EXPECT_EQ(sheet.range("A:A,K:K,P:P").address(), "$A:$A,$K:$K,$P:$P");
  EXPECT_EQ(sheet.range("B2:C3").address(false, false), "B2:C3");
  EXPECT_EQ(sheet.range("B2:C3").address(true, true, ReferenceStyle::R1C1), "R2C2:R3C3");
  EXPECT_EQ(sheet.cells(9, 11).address(), "$K$9");
  EXPECT_EQ(sheet.range("C5").entire_row().address(), "$5:$5");
  EXPECT_EQ(sheet.range("C5:D6").entire_column().address(), "$C:$D");
  EXPECT_EQ(sheet.range("B2:J244").cells(2, 3).address(), "$D$3");
  EXPECT_EQ(testing::host_error_number([&] { sheet.range("not a reference"); }), 1004);
  EXPECT_EQ(testing::host_error_number([&] { sheet.cells(0, 1); }), 1004);
}

TEST_F(SheetTest, GridFollowsTheVersionProfile) {
  app.set_version("11.0");
  EXPECT_EQ(sheet.range("A:A").address(true, true, ReferenceStyle::R1C1), "C1");
  EXPECT_EQ(sheet.range("A:A").area().last.row, 65536);
  EXPECT_EQ(testing::host_error_number([&] { sheet.range("A65537"); }), 1004);
  app.set_version("12.0");
  EXPECT_EQ(sheet.range("A:A").area().last.row, 1048576);
}

}  // namespace
}  // namespace fb::sheet
