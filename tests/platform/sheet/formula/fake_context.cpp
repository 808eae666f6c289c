#include "tests/platform/sheet/formula/fake_context.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace fb::sheet::formula::testing {

namespace {

std::string upper(std::string_view s) {
  std::string u(s);
  for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return u;
}

}  // namespace

CellAddress a1(std::string_view text) {
  CellAddress a{0, 0};
  std::size_t i = 0;
  while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]))) {
    a.column = a.column * 26 + (std::toupper(static_cast<unsigned char>(text[i])) - 'A' + 1);
    ++i;
  }
  while (i < text.size()) a.row = a.row * 10 + (text[i++] - '0');
  return a;
}

FakeContext::FakeContext() {
  sheets_.push_back("Sheet1");
}

SheetId FakeContext::add_sheet(std::string name) {
  sheets_.push_back(std::move(name));
  return static_cast<SheetId>(sheets_.size() - 1);
}

void FakeContext::set(std::string_view a1_text, Value v, SheetId sheet) {
  const CellAddress c = a1(a1_text);
  if (is_empty(v)) {
    cells_.erase({sheet, c.row, c.column});
  } else {
    cells_[{sheet, c.row, c.column}] = std::move(v);
  }
}

void FakeContext::set_column(std::string_view a1_first, const std::vector<Value>& values,
                             SheetId sheet) {
  const CellAddress c = a1(a1_first);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!is_empty(values[i])) cells_[{sheet, c.row + static_cast<int>(i), c.column}] = values[i];
  }
}

void FakeContext::add_user_function(std::string name, UserFunction f) {
  functions_[upper(name)] = std::move(f);
}

Value FakeContext::cell_value(SheetId sheet, CellAddress cell) {
  ++cell_reads;
  auto it = cells_.find({sheet, cell.row, cell.column});
  return it == cells_.end() ? Value() : it->second;
}

std::optional<SheetId> FakeContext::sheet_by_name(std::string_view name) const {
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    if (upper(sheets_[i]) == upper(name)) return static_cast<SheetId>(i);
  }
  return std::nullopt;
}

CellAddress FakeContext::used_extent(SheetId sheet) const {
  CellAddress extent{0, 0};
  for (const auto& [key, value] : cells_) {
    if (std::get<0>(key) != sheet) continue;
    extent.row = std::max(extent.row, std::get<1>(key));
    extent.column = std::max(extent.column, std::get<2>(key));
  }
  return extent;
}

std::optional<Value> FakeContext::call_user_function(std::string_view name,
                                                     std::span<const UserFunctionArgument> args) {
  user_calls.emplace_back(name);
  auto it = functions_.find(upper(name));
  if (it == functions_.end()) return std::nullopt;
  return it->second(args);
}

Value eval(FakeContext& context, std::string_view text, std::string_view origin,
           Notation notation) {
  const CellAddress at = a1(origin);
  ParseResult parsed = parse(text, notation, at);
  if (parsed.error) {
    ADD_FAILURE() << "cannot parse " << text << ": " << parsed.error->message << " at "
                  << parsed.error->position;
    return ErrorCode::Null;
  }
  return evaluate(*parsed.formula, context, 0, at);
}

}  // namespace fb::sheet::formula::testing
