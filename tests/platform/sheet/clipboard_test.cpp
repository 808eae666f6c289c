#include <gtest/gtest.h>

#include "sheet_fixture.h"

namespace fb::sheet {
namespace {

using testing::num;
using testing::SheetTest;
using testing::txt;

TEST_F(SheetTest, PasteSpecialRepeatsTheBlockOverAWholeMultiple) {
  r1c1("A1", "=R[1]C[1]*10");  // reads B2 relative to itself
  put("B2", num(1));
  sheet.range("A1:C3").copy();
  // 3 rows into 24: eight copies; the formula keeps its relative offset in every copy.
  sheet.range("E1:G24").paste_special(PasteType::All);
  for (int copy = 0; copy < 8; ++copy) {
    EXPECT_EQ(sheet.cells(1 + 3 * copy, 5).formula_r1c1(), "=R[1]C[1]*10") << copy;
  }
  EXPECT_EQ(at("E22"), num(10)) << "reads F23, the copy of B2";
  // A destination that is no whole multiple gets the block once.
  sheet.range("I1:K5").paste_special(PasteType::Values);
  EXPECT_EQ(at("I1"), num(10));
  EXPECT_FALSE(sheet.range("I1").has_formula());
  EXPECT_EQ(at("I4"), Value(Empty{}));
  EXPECT_TRUE(app.clipboard().has_cells()) << "copied cells stay on the clipboard";
}

TEST_F(SheetTest, PasteSpecialSkipBlanksTransposeAndOperations) {
  put("A1", num(1));
  put("A3", num(3));
  for (const char* a : {"C1", "C2", "C3"}) put(a, num(9));
  sheet.range("A1:A3").copy();
  sheet.range("C1").paste_special(PasteType::Values, PasteOperation::None, true, false);
  EXPECT_EQ(at("C1"), num(1));
  EXPECT_EQ(at("C2"), num(9)) << "a blank source cell leaves the target alone";
  sheet.range("E1").paste_special(PasteType::Values, PasteOperation::None, false, true);
  EXPECT_EQ(at("E1"), num(1));
  EXPECT_EQ(at("G1"), num(3));
  EXPECT_EQ(at("E2"), Value(Empty{}));
  sheet.range("C1").paste_special(PasteType::Values, PasteOperation::Add);
  EXPECT_EQ(at("C1"), num(2));
  EXPECT_EQ(at("C2"), num(9));
  EXPECT_EQ(at("C3"), num(6));
}

TEST_F(SheetTest, PastingFormatsCarriesMergesIntoEveryCopy) {
  sheet.range("AZ11:AZ13").set_merge_cells(false);
  sheet.range("AZ11:AZ13").merge();
  sheet.range("AZ11:AZ13").font().set_bold(true);
  put("AZ14", txt("kept"));
  sheet.range("AZ11:AZ13").copy();
  sheet.range("AZ14:AZ37").paste_special(PasteType::Formats);
  app.clear_clipboard();
  for (int top = 14; top <= 35; top += 3) {
    const auto area = sheet.cells(top + 1, 52).merge_area().address();
    EXPECT_EQ(area, "$AZ$" + std::to_string(top) + ":$AZ$" + std::to_string(top + 2));
  }
  EXPECT_TRUE(sheet.range("AZ20").font().bold());
  EXPECT_EQ(at("AZ14"), txt("kept")) << "formats only";
  EXPECT_FALSE(app.clipboard().has_cells());
}

TEST_F(SheetTest, CutAndPasteMovesCells) {
  put("AN10", num(6));
  put("A1", num(100));
  r1c1("AO10", "=RC[-1]*2");
  r1c1("AO11", "=R1C1+1");  // reads a cell that stays behind
  sheet.range("AN10:AO11").cut();
  sheet.range("D248").select();
  sheet.paste();
  EXPECT_EQ(at("D248"), num(6));
  EXPECT_EQ(at("E248"), num(12));
  EXPECT_EQ(sheet.range("E248").formula(), "=D248*2") << "follows the moved cell";
  EXPECT_EQ(sheet.range("E249").formula(), "=$A$1+1");
  EXPECT_EQ(at("E249"), num(101));
  EXPECT_EQ(at("AN10"), Value(Empty{}));
  EXPECT_FALSE(app.clipboard().has_cells()) << "a cut is used up by its paste";
  EXPECT_EQ(testing::host_error_number([&] { sheet.range("A1").paste_special(PasteType::Values); }),
            1004);
}

TEST_F(SheetTest, InsertingCutColumnMovesIt) {
  put("AZ1", txt("rank"));
  put("BA1", txt("caption"));
  put("BB1", txt("next"));
  sheet.columns("BA:BA").cut();
  sheet.columns("AZ:AZ").insert(InsertShift::ToRight);
  EXPECT_EQ(at("AZ1"), txt("caption"));
  EXPECT_EQ(at("BA1"), txt("rank"));
  EXPECT_EQ(at("BB1"), txt("next"));
}

}  // namespace
}  // namespace fb::sheet
