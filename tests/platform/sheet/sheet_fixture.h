#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "platform/os/environment.h"
#include "platform/os/host_error.h"
#include "platform/sheet/application.h"

namespace fb::sheet::testing {

// A host with one new workbook whose first sheet is active.
class SheetTest : public ::testing::Test {
 protected:
  os::MapEnvironment env;
  Application app{env};
  Workbook& book = app.workbooks().add();
  Worksheet& sheet = book.worksheets().item(1);

  Value at(std::string_view a1) { return sheet.range(a1).value(); }
  void put(std::string_view a1, Value v) { sheet.range(a1).set_value(v); }
  void r1c1(std::string_view a1, std::string_view text) { sheet.range(a1).set_formula_r1c1(text); }
};

inline Value num(double d) {
  return Value(d);
}
inline Value txt(std::string_view s) {
  return Value(std::string(s));
}

// The number a HostError carried, or 0 when the call did not throw one.
template <typename Fn>
int host_error_number(Fn&& fn) {
  try {
    fn();
  } catch (const HostError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace fb::sheet::testing
