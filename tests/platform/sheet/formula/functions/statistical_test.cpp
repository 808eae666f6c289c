#include "tests/platform/sheet/formula/function_cases.h"

namespace fb::sheet::formula::testing {
namespace {

class StatisticalFunctions : public ::testing::Test {
 protected:
  void SetUp() override { fill_common(context); }
  FakeContext context;
};

TEST_F(StatisticalFunctions, CountCountA) {
  expect_cases(context, {
                            {"=COUNT(A1:A6)", 2.0},
                            // typed values count when they read as numbers, TRUE included
                            {"=COUNT(1,\"2\",\"x\",TRUE)", 3.0},
                            {"=COUNT({1,\"2\",TRUE})", 1.0},
                            {"=COUNTA(A1:A6)", 5.0},  // errors count, empty cells do not
                            {"=COUNTA(A5,\"\")", 1.0},
                            {"=COUNTA(B:B)", 3.0},
                        });
}

TEST_F(StatisticalFunctions, MaxMin) {
  expect_cases(context, {
                            {"=MAX(A1:A5)", 2.0},
                            {"=MAX(A1:A6)", ErrorCode::NA},
                            {"=MAX(B1:B3)", 0.0},  // no number at all
                            {"=MAX(-1,\"5\")", 5.0},
                            {"=MAX({1,7,3})", 7.0},
                            {"=MAX(OFFSET(C1,0,0,1,3))", 30.0},
                            {"=MIN(C1:E1,5)", 5.0},
                            {"=MIN(A1:A5)", 1.0},
                            {"=MIN(\"x\")", ErrorCode::Value},
                        });
}

TEST_F(StatisticalFunctions, Large) {
  expect_cases(context, {
                            {"=LARGE({3,1,2},1)", 3.0},
                            {"=LARGE({3,1,2},3)", 1.0},
                            {"=LARGE({3,1,2},4)", ErrorCode::Num},
                            {"=LARGE({3,1,2},0)", ErrorCode::Num},
                            {"=LARGE(A1:A5,1)", 2.0},
                            {"=LARGE(C1:E1,2)", 20.0},
                            {"=LARGE(A1:A6,1)", ErrorCode::NA},
                            {"=LARGE(C1:E1,\"x\")", ErrorCode::Value},
                        });
}

}  // namespace
}  // namespace fb::sheet::formula::testing
