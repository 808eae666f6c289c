#include "tests/platform/sheet/formula/function_cases.h"

namespace fb::sheet::formula::testing {
namespace {

class MathFunctions : public ::testing::Test {
 protected:
  void SetUp() override { fill_common(context); }
  FakeContext context;
};

TEST_F(MathFunctions, Abs) {
  expect_cases(context, {
                            {"=ABS(-2.5)", 2.5},
                            {"=ABS(\"-3\")", 3.0},
                            {"=ABS(A5)", 0.0},
                            {"=ABS(\"x\")", ErrorCode::Value},
                        });
}

// ROUND works on the decimal digits the number shows: 2.675 and 1.005 are stored just below
// their decimal value, yet round up as the host's documentation shows.
TEST_F(MathFunctions, RoundAndRoundUp) {
  expect_cases(context, {
                            {"=ROUND(2.675,2)", 2.68},
                            {"=ROUND(1.005,2)", 1.01},
                            {"=ROUND(2.5,0)", 3.0},
                            {"=ROUND(-2.5,0)", -3.0},
                            {"=ROUND(1234.567,-2)", 1200.0},
                            {"=ROUND(0.4,0)", 0.0},
                            {"=ROUND(1.25,1.9)", 1.3},  // digits truncated to 1
                            {"=ROUND(\"x\",1)", ErrorCode::Value},
                            // the documentation's ROUNDUP examples
                            {"=ROUNDUP(3.2,0)", 4.0},
                            {"=ROUNDUP(76.9,0)", 77.0},
                            {"=ROUNDUP(3.14159,3)", 3.142},
                            {"=ROUNDUP(-3.14159,1)", -3.2},
                            {"=ROUNDUP(31415.92654,-2)", 31500.0},
                            {"=ROUNDUP(4,0)", 4.0},
                            {"=ROUNDUP(0.001,0)", 1.0},
                            {"=ROUNDUP(0,0)", 0.0},
                            {"=ROUNDUP(9.99,1)", 10.0},
                        });
}

TEST_F(MathFunctions, Power) {
  expect_cases(context, {
                            {"=POWER(2,10)", 1024.0},
                            {"=POWER(4,0.5)", 2.0},
                            {"=POWER(\"2\",3)", 8.0},
                            {"=POWER(0,0)", ErrorCode::Num},
                            {"=POWER(0,-1)", ErrorCode::Div0},
                            {"=POWER(-8,1/3)", ErrorCode::Num},
                            {"=POWER(10,400)", ErrorCode::Num},
                        });
}

TEST_F(MathFunctions, Sum) {
  expect_cases(context, {
                            {"=SUM(1,2,3)", 6.0},
                            {"=SUM(A1:A5)", 3.0},       // text "3" and TRUE in cells do not count
                            {"=SUM(\"3\",TRUE)", 4.0},  // typed, they do
                            {"=SUM(\"x\")", ErrorCode::Value},
                            {"=SUM(A1:A6)", ErrorCode::NA},
                            {"=SUM(C1:E1,{1,2})", 63.0},
                            {"=SUM(C:C)", 10.0},
                            {"=SUM(1:1)", 61.0},
                            {"=SUM(A5)", 0.0},
                        });
}

TEST_F(MathFunctions, SumIf) {
  expect_cases(context, {
                            {"=SUMIF(C1:E1,\">15\")", 50.0},
                            {"=SUMIF(C1:E1,20)", 20.0},
                            {"=SUMIF(A1:A5,\">=2\")", 2.0},  // text "3" is no number here
                            // the sum range takes the criteria range's shape: A1:A3
                            {"=SUMIF(B1:B3,\"*an*\",A1)", 2.0},
                            {"=SUMIF(B1:B3,\"cherry\",C1:C3)", 0.0},
                            {"=SUMIF(C1:E1,\"<>20\")", 40.0},
                        });
}

TEST_F(MathFunctions, LcmGcd) {
  expect_cases(context, {
                            {"=LCM(6,100)", 300.0},
                            {"=LCM(7,100)", 700.0},
                            {"=LCM(100,100)", 100.0},
                            {"=LCM(0,5)", 0.0},
                            {"=LCM(2.9,3)", 6.0},  // truncated
                            {"=LCM(C1:E1)", 60.0},
                            {"=LCM(-1,2)", ErrorCode::Num},
                            {"=LCM(\"x\",2)", ErrorCode::Value},
                            {"=GCD(6,100)", 2.0},
                            {"=GCD(0,0)", 0.0},
                            {"=GCD(C1:E1)", 10.0},
                            {"=GCD(\"6\",4)", 2.0},
                            {"=GCD(-2,4)", ErrorCode::Num},
                            {"=GCD(TRUE,2)", ErrorCode::Value},
                            {"=1/(LCM(7,100)/100)", 1.0 / 7},
                        });
}

}  // namespace
}  // namespace fb::sheet::formula::testing
