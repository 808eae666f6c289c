#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "tests/platform/sheet/formula/fake_context.h"

namespace fb::sheet::formula::testing {

// One row of a function's table: an A1 formula evaluated in `origin` and what the host gives.
struct FunctionCase {
  const char* formula;
  Value expected;
  const char* origin = "Z1";
};

inline void expect_cases(FakeContext& context, const std::vector<FunctionCase>& cases) {
  for (const FunctionCase& c : cases) {
    const Value got = eval(context, c.formula, c.origin);
    if (is_number(got) && is_number(c.expected)) {
      EXPECT_DOUBLE_EQ(std::get<double>(got), std::get<double>(c.expected)) << c.formula;
    } else {
      EXPECT_EQ(got, c.expected) << c.formula;
    }
  }
}

// A small sheet most tables share:
//   A1:A6  = 1, 2, "3" (text), TRUE, (empty), #N/A
//   B1:B3  = "apple", "Banana", "cherry"
//   C1:E1  = 10, 20, 30
inline void fill_common(FakeContext& context) {
  context.set_column("A1", {1.0, 2.0, std::string("3"), true, Value(), ErrorCode::NA});
  context.set_column("B1", {std::string("apple"), std::string("Banana"), std::string("cherry")});
  context.set("C1", 10.0);
  context.set("D1", 20.0);
  context.set("E1", 30.0);
}

}  // namespace fb::sheet::formula::testing
