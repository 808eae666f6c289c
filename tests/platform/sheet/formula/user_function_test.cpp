#include <gtest/gtest.h>

#include "tests/platform/sheet/formula/fake_context.h"

namespace fb::sheet::formula::testing {
namespace {

// An add-in function receives a reference as the range it names and anything else as a value,
// in argument order; it is found whatever the case the formula writes its name in.
TEST(UserFunctions, ReceiveReferencesAsRangesAndOtherArgumentsAsValues) {
  FakeContext context;
  context.set_column("A1", {1.0, 2.0, 3.0});
  std::vector<UserFunctionArgument> received;
  context.add_user_function("Weizhi", [&](std::span<const UserFunctionArgument> args) {
    received.assign(args.begin(), args.end());
    return Value(std::string("$K$9"));
  });
  EXPECT_EQ(eval(context, "=WEIZHI(A1:A3,1+1,\"x\",B7)"), Value(std::string("$K$9")));
  ASSERT_EQ(received.size(), 4u);
  EXPECT_EQ(received[0], UserFunctionArgument(Area{0, RangeAddress{{1, 1}, {3, 1}}}));
  EXPECT_EQ(received[1], UserFunctionArgument(Value(2.0)));
  EXPECT_EQ(received[2], UserFunctionArgument(Value(std::string("x"))));
  EXPECT_EQ(received[3], UserFunctionArgument(Area{0, RangeAddress{{7, 2}, {7, 2}}}));
  EXPECT_EQ(context.user_calls, std::vector<std::string>{"WEIZHI"});
}

TEST(UserFunctions, ResultFlowsOnAndUnknownNamesGiveNameError) {
  FakeContext context;
  context.set("K9", 5.0);
  context.add_user_function("Twice", [](std::span<const UserFunctionArgument> args) {
    const Value& v = std::get<Value>(args[0]);
    return is_number(v) ? Value(std::get<double>(v) * 2) : Value(ErrorCode::Value);
  });
  context.add_user_function(
      "Where", [](std::span<const UserFunctionArgument>) { return Value(std::string("$K$9")); });
  EXPECT_EQ(eval(context, "=twice(4)+1"), Value(9.0));
  EXPECT_EQ(eval(context, "=Twice(\"a\")"), Value(ErrorCode::Value));
  EXPECT_EQ(eval(context, "=INDIRECT(Where())*2"), Value(10.0));
  EXPECT_EQ(eval(context, "=NoSuchFunction(1)"), Value(ErrorCode::Name));
  EXPECT_EQ(eval(context, "=ISERROR(NoSuchFunction(1))"), Value(true));
}

// IF does not evaluate the branch it does not take, so an add-in function there is not called.
TEST(UserFunctions, NotCalledInTheBranchNotTaken) {
  FakeContext context;
  int calls = 0;
  context.add_user_function("Tally", [&](std::span<const UserFunctionArgument>) {
    ++calls;
    return Value(1.0);
  });
  EXPECT_EQ(eval(context, "=IF(TRUE,\" \",Tally())"), Value(std::string(" ")));
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(eval(context, "=IF(FALSE,\" \",Tally())"), Value(1.0));
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace fb::sheet::formula::testing
