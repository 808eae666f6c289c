#include "tests/platform/sheet/formula/function_cases.h"

namespace fb::sheet::formula::testing {
namespace {

// F1:F13 = 1, 2, 2, "2" (text), "apple", "Apple pie", TRUE, #N/A, "" (empty text), (empty),
//          0, -1, "a*b"
class CountIf : public ::testing::Test {
 protected:
  void SetUp() override {
    context.set_column(
        "F1", {1.0, 2.0, 2.0, std::string("2"), std::string("apple"), std::string("Apple pie"),
               true, ErrorCode::NA, std::string(), Value(), 0.0, -1.0, std::string("a*b")});
    context.set_column("G1", {1.0, 2.0, 2.0, 3.0, 3.0, 3.0});
  }
  FakeContext context;
};

TEST_F(CountIf, NumbersAndComparisons) {
  expect_cases(context, {
                            // numbers stored as text count where equality is asked
                            {"=COUNTIF(F1:F12,2)", 3.0},
                            {"=COUNTIF(F1:F12,\"2\")", 3.0},
                            {"=COUNTIF(F1:F12,\">1\")", 2.0},
                            {"=COUNTIF(F1:F12,\">\"&1)", 2.0},
                            {"=COUNTIF(F1:F12,\"<=0\")", 2.0},   // empty cells are not 0 here
                            {"=COUNTIF(F1:F12,\"<>0\")", 11.0},  // but they are "not 0"
                            {"=COUNTIF(F1:F12,\"<>2\")", 9.0},
                            {"=COUNTIF(F1:F12,A99)", 1.0},  // an empty criterion cell asks for 0
                        });
}

TEST_F(CountIf, TextWildcardsBooleansErrorsAndBlanks) {
  expect_cases(context, {
                            {"=COUNTIF(F1:F12,\"APPLE\")", 1.0},
                            {"=COUNTIF(F1:F12,\"apple*\")", 2.0},
                            {"=COUNTIF(F1:F12,\"?pple\")", 1.0},
                            {"=COUNTIF(F1:F12,\"*\")", 4.0},  // any text, empty text included
                            {"=COUNTIF(F1:F13,\"a~*b\")", 1.0},
                            {"=COUNTIF(F1:F13,\"a*b\")", 1.0},
                            {"=COUNTIF(F1:F12,\"<>apple\")", 11.0},
                            {"=COUNTIF(F1:F12,TRUE)", 1.0},
                            {"=COUNTIF(F1:F12,\"true\")", 1.0},
                            {"=COUNTIF(F1:F12,\"#N/A\")", 1.0},
                            {"=COUNTIF(F1:F12,\"\")", 2.0},   // empty cells and empty text
                            {"=COUNTIF(F1:F12,\"=\")", 1.0},  // empty cells only
                            {"=COUNTIF(F1:F12,\"<>\")", 11.0},
                        });
}

// Cells beyond the used part of the sheet are empty and counted without being read.
TEST_F(CountIf, WholeColumns) {
  expect_cases(context, {
                            {"=COUNTIF(F:F,\"apple\")", 1.0},
                            {"=COUNTIF(H:H,\"\")", static_cast<double>(kMaxRows)},
                            {"=COUNTIF(F:F,\"<>0\")", static_cast<double>(kMaxRows - 1)},
                        });
  context.cell_reads = 0;
  eval(context, "=COUNTIF(H:H,\"\")");
  EXPECT_LT(context.cell_reads, 100);
}

// An array of criteria gives an array of counts, which LARGE takes in an ordinary formula.
TEST_F(CountIf, ArrayOfCriteria) {
  expect_cases(context, {
                            {"=SUM(COUNTIF(F1:F12,{1,2}))", 4.0},
                            {"=LARGE(COUNTIF(G1:G6,{1,2,3,4,5,6,7,8,9}),1)", 3.0},
                            {"=LARGE(COUNTIF(G1:G6,{1,2,3,4,5,6,7,8,9}),2)", 2.0},
                            {"=LARGE(COUNTIF(G1:G6,{1,2,3,4,5,6,7,8,9}),4)", 0.0},
                            {"=COUNTIF(G1:G6,{3,1})", 3.0},  // top-left of the counts
                        });
}

TEST_F(CountIf, ErrorsOfTheRangeArgumentPassThrough) {
  expect_cases(context, {
                            {"=COUNTIF(OFFSET(G1,#N/A,0),1)", ErrorCode::NA},
                            {"=COUNTIF(1,1)", ErrorCode::Value},
                        });
}

}  // namespace
}  // namespace fb::sheet::formula::testing
