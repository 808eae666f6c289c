#include "src/datasheet/functions.h"

#include <cmath>
#include <memory>
#include <string>

#include "platform/os/environment.h"
#include "platform/sheet/range.h"
#include "platform/sheet/worksheet.h"

namespace kivo2d {
namespace {

using fb::sheet::AddinArgument;
using fb::sheet::ErrorCode;
using fb::sheet::Value;

// The argument's value as the runtime's text conversion gives it; a reference gives its
// top-left cell's value.
std::string ArgumentText(const AddinArgument& argument) {
  if (const auto* range = std::get_if<fb::sheet::Range>(&argument)) {
    return fb::sheet::value_text(range->value());
  }
  return fb::sheet::value_text(std::get<Value>(argument));
}

// A 16-bit integer parameter: the number rounded half to even, as the runtime converts it.
std::optional<int> ArgumentInteger(const AddinArgument& argument) {
  Value value = std::holds_alternative<fb::sheet::Range>(argument)
                    ? std::get<fb::sheet::Range>(argument).value()
                    : std::get<Value>(argument);
  const double* number = std::get_if<double>(&value);
  if (number == nullptr || std::fabs(*number) > 32767.5) return std::nullopt;
  return static_cast<int>(std::nearbyint(*number));
}

}  // namespace

Value Functions::Weizhi(const AddinArgument& find_r, const AddinArgument& range_regiona,
                        const AddinArgument& k) {
  // A parameter typed as a range or an integer refuses anything else, which the host shows as
  // #VALUE! in the calling cell.
  const auto* cells = std::get_if<fb::sheet::Range>(&range_regiona);
  const std::optional<int> wanted = ArgumentInteger(k);
  if (cells == nullptr || !wanted) return ErrorCode::Value;

  const std::string sought = ArgumentText(find_r);
  int found = 0;
  for (const fb::sheet::RangeAddress& area : cells->areas()) {
    for (int row = area.first.row; row <= area.last.row; ++row) {
      for (int column = area.first.column; column <= area.last.column; ++column) {
        fb::sheet::Range cell = cells->worksheet().cells(row, column);
        if (fb::sheet::value_text(cell.value()).find(sought) != std::string::npos) ++found;
        if (found == *wanted) return Value(cell.address());
      }
    }
  }
  return Value(std::string());
}

std::optional<Value> Functions::call(std::string_view function,
                                     std::span<const AddinArgument> args) {
  if (!fb::os::equals_ignoring_ascii_case(function, "Weizhi")) return std::nullopt;
  if (args.size() != 3) return Value(ErrorCode::Value);
  return Weizhi(args[0], args[1], args[2]);
}

void RegisterFunctionsClass(fb::sheet::AddIns& addins) {
  addins.register_class(kFunctionsProgId, [] { return std::make_shared<Functions>(); });
}

}  // namespace kivo2d
