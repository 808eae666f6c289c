#include <gtest/gtest.h>

#include "tests/platform/sheet/formula/fake_context.h"

namespace fb::sheet::formula::testing {
namespace {

struct Case {
  const char* formula;
  Value expected;
};

void expect_cases(FakeContext& context, const std::vector<Case>& cases,
                  std::string_view origin = "A1") {
  for (const Case& c : cases) {
    const Value got = eval(context, c.formula, origin);
    EXPECT_EQ(got, c.expected) << c.formula << " gave " << value_text(got);
  }
}

// B1 is left empty throughout: an empty cell.
TEST(ValueSemantics, EmptyCellIsZeroInArithmeticAndEmptyTextInText) {
  FakeContext context;
  expect_cases(context, {
                            {"=B1+1", 1.0},
                            {"=B1*5", 0.0},
                            {"=B1&\"x\"", std::string("x")},
                            {"=B1=0", true},
                            {"=B1=\"\"", true},
                            {"=B1=FALSE", true},
                            {"=B1<1", true},
                            {"=B1", 0.0},  // a formula showing an empty cell shows 0
                            {"=LEN(B1)", 0.0},
                        });
}

TEST(ValueSemantics, ComparisonOrdersByTypeThenValue) {
  FakeContext context;
  expect_cases(context, {
                            {"=1<\"a\"", true},     // numbers before text
                            {"=\"z\"<TRUE", true},  // text before booleans
                            {"=99999<\"0\"", true},
                            {"=\"1\"=1", false},         // no coercion in comparisons
                            {"=\"abc\"=\"ABC\"", true},  // text ignores case
                            {"=\"a\"<\"B\"", true},
                            {"=FALSE<TRUE", true},
                            {"=2<>2", false},
                            {"=2>=2", true},
                        });
}

TEST(ValueSemantics, TextThatReadsAsNumberIsCoercedInArithmetic) {
  FakeContext context;
  context.set("C1", std::string("7"));
  expect_cases(context, {
                            {"=\"1\"+1", 2.0},
                            {"=C1*2", 14.0},
                            {"=\" 2.5 \"*2", 5.0},
                            {"=\"50%\"*2", 1.0},
                            {"=\"1e3\"+0", 1000.0},
                            {"=\"abc\"+1", ErrorCode::Value},
                            {"=\"\"+1", ErrorCode::Value},
                            {"=TRUE+TRUE", 2.0},
                            {"=-\"3\"", -3.0},
                        });
}

TEST(ValueSemantics, ErrorsPropagateLeftFirst) {
  FakeContext context;
  context.set("C1", ErrorCode::NA);
  expect_cases(context, {
                            {"=C1+1", ErrorCode::NA},
                            {"=1/0", ErrorCode::Div0},
                            {"=1/0+C1", ErrorCode::Div0},
                            {"=C1+1/0", ErrorCode::NA},
                            {"=C1&\"x\"", ErrorCode::NA},
                            {"=C1=1", ErrorCode::NA},
                            {"=LEN(C1)", ErrorCode::NA},
                            {"=IF(C1,1,2)", ErrorCode::NA},
                            {"=SUM(1,C1)", ErrorCode::NA},
                            {"=#REF!", ErrorCode::Ref},
                            {"=nosuchname", ErrorCode::Name},
                        });
}

TEST(ValueSemantics, OperatorPrecedence) {
  FakeContext context;
  expect_cases(context, {
                            {"=-2^2", 4.0},    // negation binds tighter than ^
                            {"=2^3^2", 64.0},  // ^ is left-associative
                            {"=1+2*3", 7.0},
                            {"=(1+2)*3", 9.0},
                            {"=1+2&3", std::string("33")},
                            {"=1+2=3", true},
                            {"=\"a\"&1=\"a1\"", true},
                            {"=50%*2", 1.0},
                            {"=2-3-4", -5.0},
                            {"=8/2/2", 2.0},
                            {"=0^0", ErrorCode::Num},
                            {"=0^-1", ErrorCode::Div0},
                            {"=(-8)^(1/3)", ErrorCode::Num},
                        });
}

TEST(ValueSemantics, NumbersJoinTextInGeneralFormat) {
  FakeContext context;
  expect_cases(context, {
                            {"=\"\"&1/3", std::string("0.333333333333333")},
                            {"=\"\"&2/3", std::string("0.666666666666667")},
                            {"=\"\"&10^20", std::string("1E+20")},
                            {"=\"\"&2^53", std::string("9.00719925474099E+15")},
                            {"=\"\"&123456789012345", std::string("123456789012345")},
                            {"=\"\"&-0.5", std::string("-0.5")},
                            {"=\"\"&1E-10", std::string("1E-10")},
                            {"=\"\"&0.1+0.2", std::string("0.3")},
                            {"=\"\"&TRUE", std::string("TRUE")},
                            {"=\"\"&100", std::string("100")},
                        });
}

// A reference to several cells where one value is wanted takes the cell on the formula's own row
// (or column); elsewhere it is #VALUE!.
TEST(ValueSemantics, ImplicitIntersection) {
  FakeContext context;
  context.set_column("C1", {1.0, 2.0, 3.0});
  EXPECT_EQ(eval(context, "=C1:C3*10", "A2"), Value(20.0));
  EXPECT_EQ(eval(context, "=C1:C3", "A3"), Value(3.0));
  EXPECT_EQ(eval(context, "=C1:C3", "A5"), Value(ErrorCode::Value));
  EXPECT_EQ(eval(context, "=LEN(C1:C3)", "B2"), Value(1.0));
}

// Single cells beside an operator, on this sheet, another, an unknown one or off the grid.
TEST(ValueSemantics, CellOperandsOfOperators) {
  FakeContext context;
  const SheetId data = context.add_sheet("Data");
  context.set("B2", 4.0, data);
  context.set("C2", 3.0);
  EXPECT_EQ(eval(context, "=Data!B2*C2"), Value(12.0));
  EXPECT_EQ(eval(context, "=C2=Data!B2-1"), Value(true));
  EXPECT_EQ(eval(context, "=C1:C3+Data!B2", "A2"), Value(7.0));
  EXPECT_EQ(eval(context, "=C1:C3+Data!B2", "A5"), Value(ErrorCode::Value));
  EXPECT_EQ(eval(context, "=(C2)&Data!B2"), Value(std::string("34")));
  EXPECT_EQ(eval(context, "=Nowhere!B2+1"), Value(ErrorCode::Ref));
  EXPECT_EQ(eval(context, "=1+R[-1]C", "A1", Notation::R1C1), Value(ErrorCode::Ref));
  EXPECT_EQ(eval(context, "=R[-1]C=1", "A1", Notation::R1C1), Value(ErrorCode::Ref));
}

TEST(ValueSemantics, ArraysWorkElementWise) {
  FakeContext context;
  expect_cases(context, {
                            {"=SUM({1,2,3}*2)", 12.0},
                            {"=SUM({1,2,3}+{10;20})", 102.0},  // 2x3: 11 12 13 / 21 22 23
                            {"={5,6,7}", 5.0},                 // top-left of an array result
                            {"=SUM(LEN({\"a\",\"bb\",\"ccc\"}))", 6.0},
                            {"=SUM({1,2}+{1,2,3})", ErrorCode::NA},  // beyond the shorter array
                            {"=MAX(-{1,5,3})", -1.0},
                        });
}

}  // namespace
}  // namespace fb::sheet::formula::testing
