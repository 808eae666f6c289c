#include "tests/platform/sheet/formula/function_cases.h"

namespace fb::sheet::formula::testing {
namespace {

class LookupFunctions : public ::testing::Test {
 protected:
  void SetUp() override {
    fill_common(context);
    context.set_column("H1", {30.0, 20.0, 10.0});
  }
  FakeContext context;
};

TEST_F(LookupFunctions, MatchExact) {
  expect_cases(context, {
                            {"=MATCH(\"banana\",B1:B3,0)", 2.0},
                            {"=MATCH(\"b*\",B1:B3,0)", 2.0},
                            {"=MATCH(\"c?erry\",B1:B3,0)", 3.0},
                            {"=MATCH(20,C1:E1,0)", 2.0},
                            {"=MATCH(\"3\",A1:A5,0)", 3.0},
                            {"=MATCH(3,A1:A5,0)", ErrorCode::NA},  // text "3" is not 3
                            {"=MATCH(TRUE,A1:A5,0)", 4.0},
                            {"=MATCH(2,{1,2,3},0)", 2.0},
                            {"=MATCH(0,A1:A5,0)", ErrorCode::NA},   // empty cells never match
                            {"=MATCH(A5,A1:A4,0)", ErrorCode::NA},  // nor an empty lookup value
                            {"=MATCH(A6,A1:A6,0)", ErrorCode::NA},
                            {"=MATCH(1,C1:D2,0)", ErrorCode::NA},  // not one row or column
                            {"=MATCH(10,C1:E1,)", 1.0},            // an empty type is 0
                        });
}

TEST_F(LookupFunctions, MatchApproximate) {
  expect_cases(context, {
                            {"=MATCH(25,C1:E1)", 2.0},
                            {"=MATCH(25,C1:E1,1)", 2.0},
                            {"=MATCH(30,C1:E1,1)", 3.0},
                            {"=MATCH(100,C1:E1,1)", 3.0},
                            {"=MATCH(5,C1:E1,1)", ErrorCode::NA},
                            {"=MATCH(25,H1:H3,-1)", 1.0},
                            {"=MATCH(20,H1:H3,-1)", 2.0},
                            {"=MATCH(5,H1:H3,-1)", 3.0},
                            {"=MATCH(35,H1:H3,-1)", ErrorCode::NA},
                        });
}

TEST_F(LookupFunctions, Index) {
  expect_cases(context, {
                            {"=INDEX(B1:B3,2)", std::string("Banana")},
                            {"=INDEX(C1:E1,3)", 30.0},  // one row: the index is a column
                            {"=INDEX(A1:E3,1,3)", 10.0},
                            {"=INDEX(C1:E1,1,2)", 20.0},
                            {"=INDEX(B1:B3,4)", ErrorCode::Ref},
                            {"=INDEX(B1:B3,-1)", ErrorCode::Value},
                            {"=INDEX({1,2;3,4},2,1)", 3.0},
                            {"=INDEX({1,2;3,4},2,2)", 4.0},
                            {"=SUM(INDEX(C1:E1,0))", 60.0},
                            {"=SUM(INDEX(A1:E3,0,3))", 10.0},
                            {"=INDEX(A1:A5,5)", 0.0},       // an empty cell shows 0
                            {"=ROW(INDEX(B1:B3,2))", 2.0},  // INDEX gives a reference
                            {"=INDEX(B1:B3,MATCH(\"cherry\",B1:B3,0),1)", std::string("cherry")},
                        });
}

}  // namespace
}  // namespace fb::sheet::formula::testing
