#include <gtest/gtest.h>

#include "sheet_fixture.h"

namespace fb::sheet {
namespace {

using testing::num;
using testing::SheetTest;
using testing::txt;

TEST_F(SheetTest, InsertingRowsMovesCellsAndAdjustsFormulas) {
  put("A4", num(1));
  put("A5", num(2));
  put("A6", num(3));
  r1c1("B20", "=SUM(R4C1:R6C1)");
  sheet.range("B2:C3").merge();
  sheet.rows("5:6").insert();
  EXPECT_EQ(at("A5"), Value(Empty{}));
  EXPECT_EQ(at("A7"), num(2));
  EXPECT_EQ(at("A8"), num(3));
  EXPECT_EQ(sheet.range("B22").formula(), "=SUM($A$4:$A$8)");
  EXPECT_EQ(at("B22"), num(6));
  EXPECT_EQ(sheet.range("B3").merge_area().address(), "$B$2:$C$3") << "above the insertion";
}

TEST_F(SheetTest, DeletingColumnsShiftsLeftAndBreaksDeletedReferences) {
  put("AJ4", num(5));
  put("AK4", num(7));
  r1c1("AM4", "=RC[-3]+RC[-2]");
  r1c1("AN4", "=R4C5");  // E4: deleted below
  sheet.range("F2:F3").merge();
  sheet.range("AJ2:AJ3").merge();
  sheet.columns("D:AI").delete_cells(DeleteShift::ToLeft);
  EXPECT_EQ(at("D4"), num(5));
  EXPECT_EQ(at("E4"), num(7));
  EXPECT_EQ(sheet.range("G4").formula(), "=D4+E4");
  EXPECT_EQ(at("G4"), num(12));
  EXPECT_EQ(at("H4"), Value(ErrorCode::Ref));
  EXPECT_EQ(sheet.range("D3").merge_area().address(), "$D$2:$D$3");
  EXPECT_FALSE(sheet.range("F2").merge_cells()) << "a merge inside deleted columns goes";
}

TEST_F(SheetTest, PartialShiftsMoveOnlyTheirCells) {
  put("B2", num(1));
  put("C2", num(2));
  put("B3", num(3));
  sheet.range("B2").insert(InsertShift::ToRight);
  EXPECT_EQ(at("C2"), num(1));
  EXPECT_EQ(at("D2"), num(2));
  EXPECT_EQ(at("B3"), num(3));
  sheet.range("B2:D2").delete_cells(DeleteShift::Up);
  EXPECT_EQ(at("B2"), num(3));
  EXPECT_EQ(at("C2"), Value(Empty{}));
}

TEST_F(SheetTest, ShiftsThatWouldLoseDataOrSplitMergesAreRefused) {
  app.set_version("11.0");
  put("A65536", txt("last"));
  EXPECT_EQ(testing::host_error_number([&] { sheet.rows("5:6").insert(); }), 1004);
  EXPECT_EQ(at("A65536"), txt("last"));
  sheet.range("B10:C11").merge();
  EXPECT_EQ(testing::host_error_number([&] { sheet.range("C9:C20").insert(InsertShift::ToRight); }),
            1004);
}

TEST_F(SheetTest, SpreadingNodeRowsLeavesTwoEmptyRowsAfterEach) {
  for (int r = 3; r <= 12; ++r) sheet.cells(r, 3).set_value(num(r));
  put("B244", num(3));
  for (int i = 5; i <= 154; i += 3) {
    sheet.rows(std::to_string(i) + ":" + std::to_string(i + 1)).insert();
  }
  EXPECT_EQ(at("C4"), num(4));
  EXPECT_EQ(at("C7"), num(5));
  EXPECT_EQ(at("C28"), num(12));
  EXPECT_EQ(at("C8"), Value(Empty{}));
  EXPECT_EQ(at("B344"), num(3));
}

TEST_F(SheetTest, FormulasFollowARunOfShiftsAfterASortMovedThem) {
  // The sort moves formula cells; the manual-mode shifts after it move them again before any
  // recalculation. Every formula must be adjusted exactly once per shift.
  put("A1", num(3));
  put("A2", num(2));
  put("A3", num(1));
  sheet.range("B1:B3").set_formula_r1c1("=RC[-1]*10");
  SortOptions by_a;
  by_a.key1 = CellAddress{1, 1};
  by_a.header = SortHeader::No;
  sheet.range("A1:B3").sort(by_a);
  r1c1("C1", "=SUM(R1C2:R3C2)");
  app.set_calculation(Calculation::Manual);
  sheet.rows("2:3").insert();
  sheet.rows("1:1").insert();
  sheet.rows("4:4").delete_cells();
  app.set_calculation(Calculation::Automatic);
  EXPECT_EQ(sheet.range("B4").formula(), "=A4*10");
  EXPECT_EQ(sheet.range("C2").formula(), "=SUM($B$2:$B$5)");
  EXPECT_EQ(at("C2"), num(60));
  put("A5", num(7));
  EXPECT_EQ(at("B5"), num(70));
  EXPECT_EQ(at("C2"), num(100));
}

}  // namespace
}  // namespace fb::sheet
