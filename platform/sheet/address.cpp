#include "platform/sheet/address.h"

#include <cctype>
#include <charconv>
#include <stdexcept>

namespace fb::sheet {

std::string column_letters(int column) {
  if (column < 1) throw std::out_of_range("column number below 1");
  std::string letters;
  while (column > 0) {
    const int digit = (column - 1) % 26;
    letters.insert(letters.begin(), static_cast<char>('A' + digit));
    column = (column - 1) / 26;
  }
  return letters;
}

int column_number(std::string_view letters) {
  if (letters.empty() || letters.size() > 3) return 0;
  int number = 0;
  for (char c : letters) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper < 'A' || upper > 'Z') return 0;
    number = number * 26 + (upper - 'A' + 1);
  }
  return number;
}

namespace {

// One side of a reference: a cell ("$K$9"), a column ("AN") or a row ("5").
struct Part {
  int row = 0;     // 0 when absent
  int column = 0;  // 0 when absent
};

std::optional<Part> parse_part(std::string_view text) {
  std::size_t i = 0;
  auto skip_dollar = [&] {
    if (i < text.size() && text[i] == '$') ++i;
  };
  Part part;
  skip_dollar();
  const std::size_t letters_start = i;
  while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]))) ++i;
  if (i > letters_start) {
    part.column = column_number(text.substr(letters_start, i - letters_start));
    if (part.column == 0) return std::nullopt;
    skip_dollar();
  } else if (letters_start > 0) {
    // A lone "$" before digits is a row marker ("$5").
  }
  const std::size_t digits_start = i;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
  if (i != text.size()) return std::nullopt;
  if (i > digits_start) {
    int row = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + digits_start, text.data() + i, row);
    if (ec != std::errc() || ptr != text.data() + i || row < 1) return std::nullopt;
    part.row = row;
  }
  if (part.row == 0 && part.column == 0) return std::nullopt;
  return part;
}

std::optional<RangeAddress> parse_area(std::string_view text, GridSize grid) {
  const std::size_t colon = text.find(':');
  const auto first = parse_part(text.substr(0, colon));
  if (!first) return std::nullopt;
  Part last = *first;
  if (colon != std::string_view::npos) {
    const auto second = parse_part(text.substr(colon + 1));
    if (!second) return std::nullopt;
    last = *second;
  }
  const bool first_cell = first->row != 0 && first->column != 0;
  const bool last_cell = last.row != 0 && last.column != 0;
  RangeAddress area;
  if (first_cell && last_cell) {
    area = {{first->row, first->column}, {last.row, last.column}};
  } else if (colon == std::string_view::npos) {
    return std::nullopt;  // "A" or "5" alone is no reference
  } else if (first->row == 0 && first->column != 0 && last.row == 0 && last.column != 0) {
    area = {{1, first->column}, {grid.rows, last.column}};
  } else if (first->column == 0 && first->row != 0 && last.column == 0 && last.row != 0) {
    area = {{first->row, 1}, {last.row, grid.columns}};
  } else {
    return std::nullopt;
  }
  if (area.first.row > area.last.row) std::swap(area.first.row, area.last.row);
  if (area.first.column > area.last.column) std::swap(area.first.column, area.last.column);
  if (area.last.row > grid.rows || area.last.column > grid.columns) return std::nullopt;
  return area;
}

std::string trim(std::string_view text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  return std::string(text.substr(b, e - b));
}

}  // namespace

std::optional<std::vector<RangeAddress>> parse_a1_reference(std::string_view text, GridSize grid) {
  std::vector<RangeAddress> areas;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    const std::string piece = trim(text.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    const auto area = parse_area(piece, grid);
    if (!area) return std::nullopt;
    areas.push_back(*area);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return areas;
}

std::string format_a1(const RangeAddress& range, GridSize grid, bool row_absolute,
                      bool column_absolute) {
  const std::string rd = row_absolute ? "$" : "";
  const std::string cd = column_absolute ? "$" : "";
  if (is_whole_columns(range, grid)) {
    return cd + column_letters(range.first.column) + ":" + cd + column_letters(range.last.column);
  }
  if (is_whole_rows(range, grid)) {
    return rd + std::to_string(range.first.row) + ":" + rd + std::to_string(range.last.row);
  }
  auto cell = [&](CellAddress a) {
    return cd + column_letters(a.column) + rd + std::to_string(a.row);
  };
  if (range.first == range.last) return cell(range.first);
  return cell(range.first) + ":" + cell(range.last);
}

std::string format_r1c1(const RangeAddress& range, GridSize grid) {
  if (is_whole_columns(range, grid)) {
    std::string text = "C" + std::to_string(range.first.column);
    if (range.last.column != range.first.column) text += ":C" + std::to_string(range.last.column);
    return text;
  }
  if (is_whole_rows(range, grid)) {
    std::string text = "R" + std::to_string(range.first.row);
    if (range.last.row != range.first.row) text += ":R" + std::to_string(range.last.row);
    return text;
  }
  auto cell = [](CellAddress a) {
    return "R" + std::to_string(a.row) + "C" + std::to_string(a.column);
  };
  if (range.first == range.last) return cell(range.first);
  return cell(range.first) + ":" + cell(range.last);
}

}  // namespace fb::sheet
