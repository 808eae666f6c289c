#include "platform/xlsx/cell_reference.h"

#include <algorithm>
#include <string>

#include "platform/sheet/address.h"

namespace fb::xlsx {
namespace {

bool is_ascii_letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// A bare sheet name in a formula must look like a name: ASCII letters, digits, underscores and
// dots, not starting with a digit, and readable neither as an A1 cell ("AB12") nor as an R1C1
// one ("R2C3", "R", "C5").
bool needs_quotes(std::string_view name) {
  if (name.empty() || is_digit(name.front())) return true;
  for (const char c : name) {
    if (!is_ascii_letter(c) && !is_digit(c) && c != '_' && c != '.') return true;
  }
  std::size_t letters = 0;
  while (letters < name.size() && is_ascii_letter(name[letters])) ++letters;
  const std::string_view rest = name.substr(letters);
  if (letters > 0 && !rest.empty() && std::all_of(rest.begin(), rest.end(), is_digit) &&
      sheet::column_number(name.substr(0, letters)) != 0) {
    const int column = sheet::column_number(name.substr(0, letters));
    if (column <= sheet::kMaxColumns && rest.size() <= 7 && std::stol(std::string(rest)) >= 1 &&
        std::stol(std::string(rest)) <= sheet::kMaxRows) {
      return true;
    }
  }
  // R1C1 forms: R, C, R<n>, C<n>, R<n>C<n>.
  std::size_t i = 0;
  const auto digits = [&] {
    while (i < name.size() && is_digit(name[i])) ++i;
  };
  if (i < name.size() && (name[i] == 'R' || name[i] == 'r')) {
    ++i;
    digits();
  }
  if (i < name.size() && (name[i] == 'C' || name[i] == 'c')) {
    ++i;
    digits();
  }
  return i == name.size();
}

}  // namespace

std::string cell_reference(sheet::CellAddress cell) {
  return sheet::column_letters(cell.column) + std::to_string(cell.row);
}

std::string range_reference(const sheet::RangeAddress& range) {
  if (range.first == range.last) return cell_reference(range.first);
  return cell_reference(range.first) + ":" + cell_reference(range.last);
}

std::string absolute_sheet_reference(std::string_view sheet_name,
                                     const sheet::RangeAddress& range) {
  std::string out;
  if (needs_quotes(sheet_name)) {
    out += '\'';
    for (const char c : sheet_name) {
      if (c == '\'') out += '\'';
      out += c;
    }
    out += '\'';
  } else {
    out += sheet_name;
  }
  out += '!';
  out += sheet::format_a1(range, sheet::GridSize{});
  return out;
}

}  // namespace fb::xlsx
