#include <gtest/gtest.h>

#include "sheet_fixture.h"

namespace fb::sheet {
namespace {

using testing::num;
using testing::SheetTest;

TEST_F(SheetTest, AutomaticModeUpdatesWhatDependsOnAWrite) {
  put("A1", num(1));
  r1c1("B1", "=RC[-1]+1");
  r1c1("C1", "=RC[-1]*10");
  r1c1("D1", "=SUM(RC[-3]:RC[-1])");
  EXPECT_EQ(at("D1"), num(1 + 2 + 20));
  put("A1", num(5));
  EXPECT_EQ(at("C1"), num(60));
  EXPECT_EQ(at("D1"), num(5 + 6 + 60));
}

TEST_F(SheetTest, ManualModeWaitsForAutomatic) {
  put("A1", num(1));
  r1c1("B1", "=RC[-1]+1");
  app.set_calculation(Calculation::Manual);
  put("A1", num(7));
  EXPECT_EQ(at("B1"), num(2)) << "a dependent keeps its old result in manual mode";
  // A formula written in manual mode shows the result of its precedents as they stand.
  r1c1("C1", "=RC[-1]*100");
  EXPECT_EQ(at("C1"), num(200));
  // Written before its precedent: evaluated against the empty cell, fixed by recalculation.
  r1c1("E1", "=RC[-1]+1");
  r1c1("D1", "=RC[-2]+1");
  EXPECT_EQ(at("E1"), num(1));
  app.set_calculation(Calculation::Automatic);
  EXPECT_EQ(at("B1"), num(8));
  EXPECT_EQ(at("C1"), num(800));
  EXPECT_EQ(at("E1"), num(10)) << "D1 reads B1";
}

TEST_F(SheetTest, OrderFollowsDependenciesNotWritingOrder) {
  app.set_calculation(Calculation::Manual);
  // Each cell reads the one below it, written top-down: the reverse of evaluation order.
  for (int r = 1; r < 200; ++r) sheet.cells(r, 1).set_formula_r1c1("=R[1]C+1");
  put("A200", num(0));
  app.set_calculation(Calculation::Automatic);
  EXPECT_EQ(at("A1"), num(199));
}

TEST_F(SheetTest, LongChainsDoNotRecurse) {
  app.set_calculation(Calculation::Manual);
  put("A1", num(1));
  sheet.range("A2:A100000").set_formula_r1c1("=R[-1]C+1");
  put("A1", num(2));
  app.set_calculation(Calculation::Automatic);
  EXPECT_EQ(at("A100000"), num(100001));
}

TEST_F(SheetTest, CyclesGiveAnErrorValueInsteadOfHanging) {
  sheet.range("A1").set_formula("=B1+1");
  sheet.range("B1").set_formula("=A1+1");
  EXPECT_TRUE(is_error(at("A1")) || is_error(at("B1")));
  EXPECT_EQ(at("B1"), Value(ErrorCode::Value));
  r1c1("C1", "=RC+1");
  EXPECT_EQ(at("C1"), Value(ErrorCode::Value)) << "a cell reading itself";
  // Breaking the cycle brings ordinary values back.
  put("A1", num(3));
  EXPECT_EQ(at("B1"), num(4));
}

TEST_F(SheetTest, VolatileFunctionsAreEvaluatedOnEveryCalculation) {
  put("A1", num(1));
  put("A2", num(2));
  put("B1", num(0));
  // The reference OFFSET returns depends on B1 only through its result.
  r1c1("C1", "=OFFSET(R1C1,R1C2,0)");
  r1c1("D1", "=INDIRECT(\"A\"&(R1C2+1))");
  EXPECT_EQ(at("C1"), num(1));
  put("B1", num(1));
  EXPECT_EQ(at("C1"), num(2));
  EXPECT_EQ(at("D1"), num(2));
  put("A2", num(5));  // not a static precedent of C1 or D1
  EXPECT_EQ(at("C1"), num(5));
  EXPECT_EQ(at("D1"), num(5));
}

// Whole-column references stop at the tallest column, which is kept between changes; cells
// that a write or a row insertion brings below the old end must still be counted.
TEST_F(SheetTest, WholeColumnReferencesFollowTheColumnsAsTheyGrow) {
  put("A1", num(1));
  put("A2", num(2));
  r1c1("C1", "=SUM(C1)");
  r1c1("D1", "=COUNTIF(C1,\">0\")");
  EXPECT_EQ(at("C1"), num(3));
  put("A40", num(4));
  EXPECT_EQ(at("C1"), num(7));
  sheet.rows("2:30").insert();
  EXPECT_EQ(at("C1"), num(7)) << "A40 moved to A69";
  put("A70", num(8));
  EXPECT_EQ(at("C1"), num(15));
  EXPECT_EQ(at("D1"), num(4));
  sheet.rows("3:50").delete_cells(DeleteShift::Up);
  put("A30", num(16));
  EXPECT_EQ(at("C1"), num(29)) << "the 2 went with the deleted rows";
  EXPECT_EQ(at("D1"), num(4));
}

TEST_F(SheetTest, WorkPerWriteIsProportionalToItsDependents) {
  app.set_calculation(Calculation::Manual);
  sheet.range("B1:B2000").set_formula_r1c1("=RC[-1]*2");
  app.set_calculation(Calculation::Automatic);
  const auto before = book.recalc().evaluations();
  put("A1000", num(4));
  EXPECT_EQ(at("B1000"), num(8));
  EXPECT_LE(book.recalc().evaluations() - before, 2u);
}

}  // namespace
}  // namespace fb::sheet
