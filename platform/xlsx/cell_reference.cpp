#include "platform/xlsx/cell_reference.h"

#include "platform/sheet/address.h"

namespace fb::xlsx {
namespace {

bool is_ascii_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// A bare sheet name in a formula must look like a name: ASCII letters, digits, underscores and
// dots, not starting with a digit, and not readable as a cell reference such as "AB12".
bool needs_quotes(std::string_view name) {
  if (name.empty() || is_digit(name.front())) return true;
  for (const char c : name) {
    if (!is_ascii_letter(c) && !is_digit(c) && c != '_' && c != '.') return true;
  }
  std::size_t letters = 0;
  while (letters < name.size() && is_ascii_letter(name[letters])) ++letters;
  if (letters > 0 && letters < name.size()) {
    bool rest_digits = true;
    for (std::size_t i = letters; i < name.size(); ++i) rest_digits = rest_digits && is_digit(name[i]);
    if (rest_digits) return true;
  }
  return false;
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
