// The formula lexer, parser and evaluator through the host's object model: the first byte says
// R1C1 or A1 and which cell takes the formula; the rest is the formula text, written into a
// small sheet of numbers, texts, a boolean, an error and empty cells, then recalculated and read.
// A formula the host refuses is a HostError, as for a user; anything else must not happen.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/os/environment.h"
#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 || size > 4096) return 0;
  const bool r1c1 = (data[0] & 1) != 0;
  const char* const targets[] = {"D4", "A1", "B2", "E10"};
  const char* target = targets[(data[0] >> 1) & 3];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  static fb::os::MapEnvironment environment;
  fb::sheet::Application app(environment);
  fb::sheet::Worksheet& sheet = app.workbooks().add().worksheets().item(1);
  try {
    sheet.range("A1").set_value(fb::sheet::Value(1.5));
    sheet.range("A2").set_value(fb::sheet::Value(std::string("text")));
    sheet.range("A3").set_value(fb::sheet::Value(true));
    sheet.range("B1").set_value(fb::sheet::Value(-2.0));
    sheet.range("B3").set_formula("=1/0");
    sheet.range("C1").set_formula("=A1*2");
    sheet.range("C2").set_formula_r1c1("=SUM(R1C1:R3C2)");
  } catch (const fb::HostError&) {
    std::abort();  // the fixture itself must work
  }
  try {
    if (r1c1) {
      sheet.range(target).set_formula_r1c1(text);
    } else {
      sheet.range(target).set_formula(text);
    }
    app.calculate();
    (void)sheet.range(target).value();
    (void)sheet.range(target).formula();
    (void)sheet.range("C2").value();
  } catch (const fb::HostError&) {
  }
  return 0;
}
