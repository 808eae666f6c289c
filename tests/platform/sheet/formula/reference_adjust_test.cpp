#include <gtest/gtest.h>

#include "tests/platform/sheet/formula/fake_context.h"

namespace fb::sheet::formula::testing {
namespace {

using Axis = GridShift::Axis;
using Kind = GridShift::Kind;

GridShift rows(Kind kind, int at, int count, int span_first = 1, int span_last = kMaxColumns) {
  return GridShift{Axis::Rows, kind, at, count, span_first, span_last};
}
GridShift columns(Kind kind, int at, int count) {
  return GridShift{Axis::Columns, kind, at, count, 1, kMaxRows};
}

struct ShiftCase {
  const char* formula;  // A1, in `from`
  const char* from;
  const char* to;  // the formula's cell after the shift
  GridShift shift;
  const char* expected;  // A1 in `to`; nullptr: text unchanged
  bool own_sheet = true;
  const char* shifted_sheet = "";
};

TEST(AdjustForShift, ReferencesFollowTheCellsTheyName) {
  const ShiftCase cases[] = {
      {"=B5", "A1", "A1", rows(Kind::Insert, 3, 2), "=B7"},
      {"=B2", "A1", "A1", rows(Kind::Insert, 3, 2), nullptr},
      {"=$B$5*2", "A1", "A1", rows(Kind::Insert, 3, 2), "=$B$7*2"},
      {"=SUM(B2:B10)", "A1", "A1", rows(Kind::Insert, 5, 2), "=SUM(B2:B12)"},  // widens
      {"=SUM(B5:B10)", "A1", "A1", rows(Kind::Insert, 5, 2), "=SUM(B7:B12)"},  // moves
      {"=B8", "A1", "A1", rows(Kind::Delete, 5, 2), "=B6"},
      {"=B5+1", "A1", "A1", rows(Kind::Delete, 5, 2), "=#REF!+1"},
      {"=SUM(B2:B10)", "A1", "A1", rows(Kind::Delete, 5, 2), "=SUM(B2:B8)"},
      {"=SUM(B5:B6)", "A1", "A1", rows(Kind::Delete, 5, 2), "=SUM(#REF!)"},
      // the formula moves with its neighbour: the R1C1 text stays
      {"=A9", "A10", "A12", rows(Kind::Insert, 5, 2), nullptr},
      // the formula moves, the cell it names does not
      {"=A2", "A10", "A12", rows(Kind::Insert, 5, 2), "=A2"},
      {"=D1+$D$1", "A1", "A1", columns(Kind::Insert, 3, 1), "=E1+$E$1"},
      {"=D1", "A1", "A1", columns(Kind::Delete, 2, 1), "=C1"},
      // cells shifted down in column B only
      {"=B5", "A1", "A1", rows(Kind::Insert, 3, 2, 2, 2), "=B7"},
      {"=C5", "A1", "A1", rows(Kind::Insert, 3, 2, 2, 2), nullptr},
      {"=SUM(B5:C5)", "A1", "A1", rows(Kind::Insert, 3, 2, 2, 2), nullptr},
      {"=SUM(B:B)", "A1", "A1", rows(Kind::Insert, 3, 2), nullptr},
      {"=B1048576", "A1", "A1", rows(Kind::Insert, 5, 1), "=#REF!"},
      // another sheet's shift moves only references to that sheet
      {"=Sheet2!B5+B5", "A1", "A1", rows(Kind::Insert, 3, 2), "=Sheet2!B7+B5", false, "sheet2"},
      {"=B5", "A1", "A1", rows(Kind::Insert, 3, 2), nullptr, false, "Sheet2"},
  };
  for (const ShiftCase& c : cases) {
    ParseResult parsed = parse(c.formula, Notation::A1, a1(c.from));
    ASSERT_TRUE(parsed.formula) << c.formula;
    FormulaPtr adjusted = adjust_for_shift(*parsed.formula, a1(c.from), a1(c.to), c.shift,
                                           c.own_sheet, c.shifted_sheet);
    if (c.expected == nullptr) {
      EXPECT_FALSE(adjusted) << c.formula << " became " << to_a1(*adjusted, a1(c.to));
    } else {
      ASSERT_TRUE(adjusted) << c.formula;
      EXPECT_EQ(to_a1(*adjusted, a1(c.to)), c.expected) << c.formula;
    }
  }
}

TEST(AdjustForShift, DeletedReferenceEvaluatesToRefError) {
  ParseResult parsed = parse("=B5+1", Notation::A1, {1, 1});
  ASSERT_TRUE(parsed.formula);
  FormulaPtr adjusted =
      adjust_for_shift(*parsed.formula, {1, 1}, {1, 1}, rows(Kind::Delete, 5, 1), true, "");
  ASSERT_TRUE(adjusted);
  FakeContext context;
  EXPECT_EQ(evaluate(*adjusted, context, 0, {1, 1}), Value(ErrorCode::Ref));
  EXPECT_EQ(to_r1c1(*adjusted), "=#REF!+1");
}

TEST(ShiftAdjuster, CellsThatReadAlikeAfterTheShiftShareOneAdjustedFormula) {
  // One parsed formula filled down rows 1 to 12, each cell reading ten rows further down.
  ParseResult parsed = parse("=R[10]C", Notation::R1C1, {1, 1});
  ASSERT_TRUE(parsed.formula);
  ShiftAdjuster adjuster(rows(Kind::Insert, 10, 2), "");
  // Above the insertion, reading below it: the reference stretches by the two rows.
  const FormulaPtr first = adjuster.adjust(parsed.formula, {3, 1}, {3, 1}, true);
  const FormulaPtr second = adjuster.adjust(parsed.formula, {9, 1}, {9, 1}, true);
  ASSERT_TRUE(first);
  EXPECT_EQ(to_r1c1(*first), "=R[12]C");
  EXPECT_EQ(first, second) << "the same adjusted text is one formula object";
  EXPECT_FALSE(adjuster.adjust(parsed.formula, {12, 1}, {14, 1}, true))
      << "moving with the cells it reads keeps the text";
  // Another sheet's shift leaves references to this sheet alone.
  EXPECT_FALSE(adjuster.adjust(parsed.formula, {3, 1}, {3, 1}, false));
}

}  // namespace
}  // namespace fb::sheet::formula::testing
