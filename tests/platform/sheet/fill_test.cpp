#include <gtest/gtest.h>

#include "sheet_fixture.h"

namespace fb::sheet {
namespace {

using testing::num;
using testing::SheetTest;
using testing::txt;

TEST_F(SheetTest, SeriesFillCountsUp) {
  r1c1("B4", "1");
  sheet.range("B4").auto_fill(sheet.range("B4:B54"), AutoFillType::Series);
  EXPECT_EQ(at("B4"), num(1));
  EXPECT_EQ(at("B54"), num(51));
  put("D1", num(10));
  put("E1", num(15));
  sheet.range("D1:E1").auto_fill(sheet.range("D1:H1"), AutoFillType::Default);
  EXPECT_EQ(at("H1"), num(30)) << "two numbers continue their step";
}

TEST_F(SheetTest, DefaultFillCopiesNumbersAndRelativeFormulas) {
  put("AX11", num(7));
  r1c1("AY11", "=IF(R[-1]C=0,R[-2]C+1,IF(AND(R[-3]C=R[-2]C,R[-2]C=R[-1]C),R[-1]C+1,R[-1]C))");
  r1c1("AZ11", "=IF(R[-1]C=0,1,IF(R[-1]C=3,1,R[-1]C+1))");
  sheet.range("AX11").auto_fill(sheet.range("AX11:AX14"), AutoFillType::Default);
  sheet.range("AY11:AZ11").auto_fill(sheet.range("AY11:AZ37"), AutoFillType::Default);
  EXPECT_EQ(at("AX14"), num(7));
  const std::vector<double> index = {1, 1, 1, 2, 2, 2, 3, 3, 3};
  const std::vector<double> rank = {1, 2, 3, 1, 2, 3, 1, 2, 3};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(sheet.cells(11 + i, 51).value(), num(index[static_cast<std::size_t>(i)])) << i;
    EXPECT_EQ(sheet.cells(11 + i, 52).value(), num(rank[static_cast<std::size_t>(i)])) << i;
  }
  EXPECT_EQ(at("AY37"), num(9));
  EXPECT_EQ(
      testing::host_error_number([&] { sheet.range("AX11").auto_fill(sheet.range("AY12:AY14")); }),
      1004);
}

}  // namespace
}  // namespace fb::sheet
