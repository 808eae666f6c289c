#include "tests/platform/sheet/formula/function_cases.h"

namespace fb::sheet::formula::testing {
namespace {

class ReferenceFunctions : public ::testing::Test {
 protected:
  void SetUp() override {
    fill_common(context);
    const SheetId other = context.add_sheet("Sheet2");
    context.set("B2", std::string("other"), other);
    context.set("K9", 5.0);
    context.set("C8", std::string("caption"));
  }
  FakeContext context;
};

TEST_F(ReferenceFunctions, Offset) {
  expect_cases(context, {
                            {"=OFFSET(C1,0,1)", 20.0},
                            {"=OFFSET(A1,1,0)", 2.0},
                            {"=OFFSET(A1,\"1\",0)", 2.0},
                            {"=SUM(OFFSET(A1,0,2,1,3))", 60.0},
                            {"=MAX(OFFSET(A1,0,0,3,1))", 2.0},
                            {"=SUM(OFFSET(A1,0,2,1,))", 10.0},  // empty width: the base's
                            {"=OFFSET(A1,-1,0)", ErrorCode::Ref},
                            {"=OFFSET(A1,0,0,0,1)", ErrorCode::Ref},
                            {"=OFFSET(A1,A6,0)", ErrorCode::NA},
                            {"=OFFSET(\"x\",0,0)", ErrorCode::Value},
                            {"=OFFSET(K9,-1,-8,1,1)", std::string("caption")},
                        });
}

TEST_F(ReferenceFunctions, Indirect) {
  expect_cases(context, {
                            {"=INDIRECT(\"C1\")", 10.0},
                            {"=INDIRECT(\"$D$1\")", 20.0},
                            {"=INDIRECT(\"sheet2!B2\")", std::string("other")},
                            {"=INDIRECT(\"'Sheet2'!$B$2\")", std::string("other")},
                            {"=INDIRECT(\"R1C3\",FALSE)", 10.0},
                            {"=INDIRECT(\"RC[1]\",FALSE)", 10.0, "B1"},
                            {"=SUM(INDIRECT(\"C1:E1\"))", 60.0},
                            {"=OFFSET(INDIRECT(\"$K$9\"),-1,-8,1,1)", std::string("caption")},
                            {"=INDIRECT(\"nonsense\")", ErrorCode::Ref},
                            {"=INDIRECT(\"\")", ErrorCode::Ref},
                            {"=INDIRECT(\"Nosheet!A1\")", ErrorCode::Ref},
                            {"=INDIRECT(A6)", ErrorCode::NA},
                        });
}

TEST_F(ReferenceFunctions, RowColumn) {
  expect_cases(context, {
                            {"=ROW()", 7.0, "Z7"},
                            {"=ROW(C5)", 5.0},
                            {"=COLUMN()", 26.0, "Z7"},
                            {"=COLUMN(D9)", 4.0},
                            {"=SUM(ROW(A1:A3))", 6.0},
                            {"=SUM(COLUMN(C1:E1))", 12.0},
                            {"=ROW(B:B)", 1.0},
                        });
}

}  // namespace
}  // namespace fb::sheet::formula::testing
