#include "tests/platform/sheet/formula/function_cases.h"

namespace fb::sheet::formula::testing {
namespace {

class LogicalFunctions : public ::testing::Test {
 protected:
  void SetUp() override { fill_common(context); }
  FakeContext context;
};

TEST_F(LogicalFunctions, If) {
  expect_cases(context, {
                            {"=IF(TRUE,1,2)", 1.0},
                            {"=IF(0,1,2)", 2.0},
                            {"=IF(FALSE,1)", false},  // no else branch: FALSE
                            {"=IF(TRUE,)", 0.0},      // empty branch: 0
                            {"=IF(\"true\",1,2)", 1.0},
                            {"=IF(\"x\",1,2)", ErrorCode::Value},
                            {"=IF(A5,1,2)", 2.0},  // empty is FALSE
                            {"=IF(A6,1,2)", ErrorCode::NA},
                            {"=IF(TRUE,1,1/0)", 1.0},  // the branch not taken is not evaluated
                            {"=SUM(IF(TRUE,C1:E1))", 60.0},  // a branch may be a reference
                        });
}

TEST_F(LogicalFunctions, AndOr) {
  expect_cases(context, {
                            {"=AND(TRUE,1)", true},
                            {"=AND(TRUE,0)", false},
                            {"=AND(A1:A5)", true},  // text and empty cells are passed over
                            {"=AND(B1:B3)", ErrorCode::Value},  // no logical value at all
                            {"=AND(\"x\")", ErrorCode::Value},
                            {"=AND(A1:A6)", ErrorCode::NA},
                            {"=OR(FALSE,0)", false},
                            {"=OR(C1:E1)", true},
                            {"=OR(FALSE,{0,1})", true},
                            {"=AND(1=1,2>1,\"a\"=\"A\")", true},
                        });
}

TEST_F(LogicalFunctions, Not) {
  expect_cases(context, {
                            {"=NOT(0)", true},
                            {"=NOT(A1)", false},
                            {"=NOT(A5)", true},
                            {"=NOT(\"x\")", ErrorCode::Value},
                        });
}

TEST_F(LogicalFunctions, IsNaIsError) {
  expect_cases(context, {
                            {"=ISNA(A6)", true},
                            {"=ISNA(1/0)", false},
                            {"=ISNA(MATCH(9,C1:E1,0))", true},
                            {"=ISNA(\"#N/A\")", false},  // text is no error
                            {"=ISERROR(1/0)", true},
                            {"=ISERROR(A6)", true},
                            {"=ISERROR(A5)", false},
                            {"=ISERROR(B1)", false},
                        });
}

TEST_F(LogicalFunctions, IsEvenIsOdd) {
  expect_cases(context, {
                            {"=ISEVEN(2)", true},
                            {"=ISEVEN(2.9)", true},  // truncated first
                            {"=ISEVEN(-3)", false},
                            {"=ISEVEN(0)", true},
                            {"=ISEVEN(A5)", true},  // empty is 0
                            {"=ISEVEN(\"4\")", true},
                            {"=ISEVEN(\"x\")", ErrorCode::Value},
                            {"=ISEVEN(TRUE)", ErrorCode::Value},  // booleans are refused
                            {"=ISEVEN(A4)", ErrorCode::Value},
                            {"=ISEVEN(A6)", ErrorCode::NA},
                            {"=ISODD(3)", true},
                            {"=ISODD(-3.5)", true},
                            {"=ISODD(2)", false},
                        });
}

}  // namespace
}  // namespace fb::sheet::formula::testing
