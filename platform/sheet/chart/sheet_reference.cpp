#include "platform/sheet/chart/sheet_reference.h"

#include <cctype>
#include <charconv>
#include <vector>

namespace fb::sheet {
namespace {

std::string_view trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// "R11C9" at the start of `text`; advances past it.
std::optional<CellAddress> read_r1c1_cell(std::string_view& text) {
  auto number = [&](char letter) -> std::optional<int> {
    if (text.empty() || std::toupper(static_cast<unsigned char>(text.front())) != letter) {
      return std::nullopt;
    }
    text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
  };
  const auto row = number('R');
  if (!row) return std::nullopt;
  const auto column = number('C');
  if (!column) return std::nullopt;
  return CellAddress{*row, *column};
}

std::optional<RangeAddress> parse_r1c1_area(std::string_view text, GridSize grid) {
  const auto first = read_r1c1_cell(text);
  if (!first) return std::nullopt;
  CellAddress last = *first;
  if (!text.empty()) {
    if (text.front() != ':') return std::nullopt;
    text.remove_prefix(1);
    const auto second = read_r1c1_cell(text);
    if (!second || !text.empty()) return std::nullopt;
    last = *second;
  }
  RangeAddress area{{std::min(first->row, last.row), std::min(first->column, last.column)},
                    {std::max(first->row, last.row), std::max(first->column, last.column)}};
  if (area.first.row < 1 || area.first.column < 1 || area.last.row > grid.rows ||
      area.last.column > grid.columns) {
    return std::nullopt;
  }
  return area;
}

bool plain_sheet_name(std::string_view name) {
  for (char c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' &&
        static_cast<unsigned char>(c) < 0x80) {
      return false;
    }
  }
  return !name.empty() && !std::isdigit(static_cast<unsigned char>(name.front()));
}

std::string quoted_sheet(std::string_view name) {
  if (plain_sheet_name(name)) return std::string(name);
  std::string out = "'";
  for (char c : name) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

// Splits the arguments of a call at commas outside quotes and parentheses.
std::vector<std::string_view> split_arguments(std::string_view text) {
  std::vector<std::string_view> out;
  int depth = 0;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\'' || c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (c == ',' && depth == 0) {
      out.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  out.push_back(text.substr(start));
  return out;
}

}  // namespace

std::optional<SheetReference> parse_sheet_reference(std::string_view text, GridSize grid) {
  text = trim(text);
  if (!text.empty() && text.front() == '=') text.remove_prefix(1);
  const std::size_t bang = text.rfind('!');
  if (bang == std::string_view::npos || bang == 0) return std::nullopt;
  std::string_view sheet_part = text.substr(0, bang);
  const std::string_view address = text.substr(bang + 1);
  std::string sheet;
  if (sheet_part.front() == '\'') {
    if (sheet_part.size() < 3 || sheet_part.back() != '\'') return std::nullopt;
    sheet_part = sheet_part.substr(1, sheet_part.size() - 2);
    for (std::size_t i = 0; i < sheet_part.size(); ++i) {
      sheet += sheet_part[i];
      if (sheet_part[i] == '\'' && i + 1 < sheet_part.size() && sheet_part[i + 1] == '\'') ++i;
    }
  } else {
    sheet = std::string(sheet_part);
  }
  if (auto area = parse_r1c1_area(address, grid)) return SheetReference{sheet, *area};
  if (address.find(',') != std::string_view::npos) return std::nullopt;
  auto areas = parse_a1_reference(address, grid);
  if (!areas || areas->size() != 1) return std::nullopt;
  return SheetReference{sheet, areas->front()};
}

std::string format_sheet_reference_a1(const SheetReference& reference, GridSize grid) {
  return quoted_sheet(reference.sheet) + "!" + format_a1(reference.area, grid);
}

std::string format_sheet_reference_r1c1(const SheetReference& reference, GridSize grid) {
  return quoted_sheet(reference.sheet) + "!" + format_r1c1(reference.area, grid);
}

std::optional<SeriesFormulaParts> parse_series_formula(std::string_view text, GridSize grid) {
  text = trim(text);
  constexpr std::string_view kHead = "=SERIES(";
  if (text.size() <= kHead.size() || text.back() != ')') return std::nullopt;
  for (std::size_t i = 0; i < kHead.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) != kHead[i]) return std::nullopt;
  }
  const auto args = split_arguments(text.substr(kHead.size(), text.size() - kHead.size() - 1));
  if (args.size() != 4) return std::nullopt;
  SeriesFormulaParts parts;
  parts.name = std::string(trim(args[0]));
  if (!trim(args[1]).empty()) {
    parts.x_values = parse_sheet_reference(args[1], grid);
    if (!parts.x_values) return std::nullopt;
  }
  parts.values = parse_sheet_reference(args[2], grid);
  if (!parts.values) return std::nullopt;
  const std::string_view order = trim(args[3]);
  const auto [end, error] =
      std::from_chars(order.data(), order.data() + order.size(), parts.plot_order);
  if (error != std::errc() || end != order.data() + order.size() || parts.plot_order < 1) {
    return std::nullopt;
  }
  return parts;
}

}  // namespace fb::sheet
