#include "src/component/sheet_rows.h"

#include <charconv>
#include <string>

#include "platform/os/host_error.h"
#include "platform/sheet/range.h"

namespace kivo2d {

int LastRow(fb::sheet::Worksheet& sheet, std::string_view column) {
  return sheet.range(std::string(column) + "65536").end(fb::sheet::Direction::Up).row();
}

double NumericValue(const fb::sheet::Value& value) {
  if (fb::sheet::is_empty(value)) return 0;
  if (const double* number = std::get_if<double>(&value)) return *number;
  if (const std::string* text = std::get_if<std::string>(&value)) {
    double parsed = 0;
    const char* end = text->data() + text->size();
    auto [ptr, error] = std::from_chars(text->data(), end, parsed);
    if (error == std::errc() && ptr == end && !text->empty()) return parsed;
  }
  throw fb::HostError(13, "Type mismatch");
}

std::string RowsAddress(std::string_view first_cell, std::string_view last_column, int last_row) {
  return std::string(first_cell) + ":" + std::string(last_column) + std::to_string(last_row);
}

}  // namespace kivo2d
