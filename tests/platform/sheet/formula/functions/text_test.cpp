#include "tests/platform/sheet/formula/function_cases.h"

namespace fb::sheet::formula::testing {
namespace {

class TextFunctions : public ::testing::Test {
 protected:
  void SetUp() override { fill_common(context); }
  FakeContext context;
};

TEST_F(TextFunctions, Concatenate) {
  expect_cases(context, {
                            {"=CONCATENATE(\"a\",1,TRUE)", std::string("a1TRUE")},
                            {"=CONCATENATE(A5,\"x\")", std::string("x")},
                            {"=CONCATENATE(1/3)", std::string("0.333333333333333")},
                            {"=CONCATENATE(\"a\",A6)", ErrorCode::NA},
                            // a column reference takes the formula's own row
                            {"=CONCATENATE(B1:B3)", std::string("Banana"), "Z2"},
                        });
}

// Lengths and positions count UTF-16 units: a Chinese character is one.
TEST_F(TextFunctions, Len) {
  expect_cases(context, {
                            {"=LEN(\"abc\")", 3.0},
                            {"=LEN(\"\")", 0.0},
                            {"=LEN(123.5)", 5.0},
                            {"=LEN(\"问题\")", 2.0},
                            {"=LEN(TRUE)", 4.0},
                            {"=LEN(A5)", 0.0},
                            {"=LEN(A6)", ErrorCode::NA},
                        });
}

TEST_F(TextFunctions, MidLeftRight) {
  expect_cases(context, {
                            {"=MID(\"abcdef\",2,3)", std::string("bcd")},
                            {"=MID(\"abc\",5,1)", std::string()},
                            {"=MID(\"abc\",2,100)", std::string("bc")},
                            {"=MID(\"abc\",0,1)", ErrorCode::Value},
                            {"=MID(\"abc\",1,-1)", ErrorCode::Value},
                            {"=MID(\"原因总数\",2,2)", std::string("因总")},
                            {"=MID(12345,2,2)", std::string("23")},
                            {"=MID(\"A12000\",3,1)", std::string("2")},
                            {"=LEFT(\"abc\")", std::string("a")},
                            {"=LEFT(\"abc\",2)", std::string("ab")},
                            {"=LEFT(\"abc\",10)", std::string("abc")},
                            {"=LEFT(\"abc\",0)", std::string()},
                            {"=LEFT(\"abc\",-1)", ErrorCode::Value},
                            {"=RIGHT(\"abc\")", std::string("c")},
                            {"=RIGHT(\"abc\",2)", std::string("bc")},
                            {"=RIGHT(\"abc\",5)", std::string("abc")},
                            {"=RIGHT(\"abc\",-1)", ErrorCode::Value},
                            {"=RIGHT(\"问题原因\",3)", std::string("题原因")},
                        });
}

TEST_F(TextFunctions, Value) {
  expect_cases(context, {
                            {"=VALUE(\"12\")", 12.0},
                            {"=VALUE(\" 1.5 \")", 1.5},
                            {"=VALUE(\"1e2\")", 100.0},
                            {"=VALUE(\"10%\")", 0.1},
                            {"=VALUE(\"-7\")", -7.0},
                            {"=VALUE(\"abc\")", ErrorCode::Value},
                            {"=VALUE(A5)", 0.0},
                            {"=VALUE(7)", 7.0},
                            {"=VALUE(TRUE)", ErrorCode::Value},
                            {"=VALUE(A6)", ErrorCode::NA},
                            {"=VALUE(MID(\"A12000\",2,1))", 1.0},
                        });
}

TEST_F(TextFunctions, Char) {
  expect_cases(context, {
                            {"=CHAR(65)", std::string("A")},
                            {"=CHAR(10)", std::string("\n")},
                            {"=CHAR(65.9)", std::string("A")},
                            {"=CHAR(\"66\")", std::string("B")},
                            {"=CHAR(0)", ErrorCode::Value},
                            {"=CHAR(256)", ErrorCode::Value},
                            {"=\"a\"&CHAR(10)&\"b\"", std::string("a\nb")},
                        });
}

}  // namespace
}  // namespace fb::sheet::formula::testing
