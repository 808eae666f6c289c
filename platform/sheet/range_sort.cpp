#include <algorithm>
#include <numeric>

#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

namespace fb::sheet {
namespace {

[[noreturn]] void fail(const std::string& what) {
  throw HostError(host_error::kApplicationDefined, what);
}

// Ascending order of kinds: numbers, text, logical values, errors; blanks always come last.
int kind_rank(const Value& v) {
  if (is_number(v)) return 0;
  if (is_text(v)) return 1;
  if (is_boolean(v)) return 2;
  if (is_error(v)) return 3;
  return 4;
}

int compare_text(const std::string& a, const std::string& b, bool match_case) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    auto fold = [](char c) {
      return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    };
    const unsigned char x = fold(a[i]);
    const unsigned char y = fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  if (match_case) {
    // Equal but for case: the lower-case letter sorts first, as in the host.
    for (std::size_t i = 0; i < n; ++i) {
      if (a[i] != b[i]) return a[i] > b[i] ? -1 : 1;
    }
  }
  return 0;
}

// <0, 0, >0 in ascending order, blanks excluded (the caller puts them last in both orders).
int compare_values(const Value& a, const Value& b, bool match_case) {
  const int ra = kind_rank(a);
  const int rb = kind_rank(b);
  if (ra != rb) return ra < rb ? -1 : 1;
  switch (ra) {
    case 0: {
      const double x = std::get<double>(a);
      const double y = std::get<double>(b);
      return x < y ? -1 : (x > y ? 1 : 0);
    }
    case 1:
      return compare_text(std::get<std::string>(a), std::get<std::string>(b), match_case);
    case 2:
      return static_cast<int>(std::get<bool>(a)) - static_cast<int>(std::get<bool>(b));
    default:
      return 0;
  }
}

bool is_bold(const Worksheet& ws, CellAddress a) {
  return ws.effective_format(a).font.bold;
}

// The host's guess when no AutoFilter names the header: the first line is a header when it
// holds text where the next line holds something else, or when it is bold and the next is not.
bool guess_header(Worksheet& ws, const RangeAddress& a, bool by_rows) {
  const int lines = by_rows ? a.rows() : a.columns();
  if (lines < 2) return false;
  const int width = by_rows ? a.columns() : a.rows();
  bool any_text = false;
  bool differs = false;
  for (int k = 0; k < width; ++k) {
    const CellAddress first = by_rows ? CellAddress{a.first.row, a.first.column + k}
                                      : CellAddress{a.first.row + k, a.first.column};
    const CellAddress second = by_rows ? CellAddress{a.first.row + 1, a.first.column + k}
                                       : CellAddress{a.first.row + k, a.first.column + 1};
    const Cell* c1 = ws.store().find(first);
    const Cell* c2 = ws.store().find(second);
    const Value v1 = c1 ? c1->value : Value(Empty{});
    const Value v2 = c2 ? c2->value : Value(Empty{});
    if (is_text(v1)) {
      any_text = true;
      if (!is_text(v2) && !is_empty(v2)) differs = true;
    } else if (!is_empty(v1)) {
      return false;  // a number or other value in the first line reads as data
    }
    if (is_bold(ws, first) && !is_bold(ws, second)) differs = true;
  }
  return any_text && differs;
}

}  // namespace

void Range::auto_filter() {
  sheet_->application().faults().check(HostOperation::AutoFilter);
  if (areas_.size() != 1) fail("AutoFilter method of Range class failed: several areas");
  if (sheet_->auto_filter_) {
    sheet_->auto_filter_.reset();
  } else {
    sheet_->auto_filter_ = area();
  }
}

void Range::sort(const SortOptions& options) {
  sheet_->application().faults().check(HostOperation::Sort);
  if (areas_.size() != 1) fail("Sort method of Range class failed: several areas");
  const RangeAddress a = area();
  const bool by_rows = options.orientation == SortOrientation::Columns;  // rows move up and down
  struct Key {
    int offset;  // column (or row) inside the area, 0-based
    SortOrder order;
  };
  std::vector<Key> keys;
  auto add_key = [&](const std::optional<CellAddress>& cell, SortOrder order) {
    if (!cell) return;
    const int offset = by_rows ? cell->column - a.first.column : cell->row - a.first.row;
    const int width = by_rows ? a.columns() : a.rows();
    if (offset < 0 || offset >= width) fail("The sort key lies outside the range to sort");
    keys.push_back({offset, order});
  };
  add_key(options.key1, options.order1);
  add_key(options.key2, options.order2);
  add_key(options.key3, options.order3);
  if (keys.empty()) fail("Sort needs a key");

  bool header = options.header == SortHeader::Yes;
  if (options.header == SortHeader::Guess) {
    const auto filter = sheet_->auto_filter_;
    if (filter && by_rows && filter->first.row == a.first.row &&
        filter->first.column <= a.last.column && a.first.column <= filter->last.column) {
      header = true;
    } else {
      header = guess_header(*sheet_, a, by_rows);
    }
  }
  const int first_line = (by_rows ? a.first.row : a.first.column) + (header ? 1 : 0);
  const int last_line = by_rows ? a.last.row : a.last.column;
  if (first_line > last_line) return;
  const int count = last_line - first_line + 1;
  const int width = by_rows ? a.columns() : a.rows();
  auto address = [&](int line, int k) {
    return by_rows ? CellAddress{line, a.first.column + k} : CellAddress{a.first.row + k, line};
  };
  auto key_value = [&](int line, int k) {
    const Cell* c = sheet_->store().find(address(line, k));
    return c == nullptr ? Value(Empty{}) : c->value;
  };
  std::vector<int> order(static_cast<std::size_t>(count));
  std::iota(order.begin(), order.end(), first_line);
  std::vector<std::vector<Value>> key_values(keys.size());
  for (std::size_t k = 0; k < keys.size(); ++k) {
    for (int line = first_line; line <= last_line; ++line) {
      key_values[k].push_back(key_value(line, keys[k].offset));
    }
  }
  std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
    for (std::size_t k = 0; k < keys.size(); ++k) {
      const Value& vx = key_values[k][static_cast<std::size_t>(x - first_line)];
      const Value& vy = key_values[k][static_cast<std::size_t>(y - first_line)];
      const bool ex = is_empty(vx);
      const bool ey = is_empty(vy);
      if (ex || ey) {
        if (ex != ey) return ey;  // blanks last in both orders
        continue;
      }
      int c = compare_values(vx, vy, options.match_case);
      if (keys[k].order == SortOrder::Descending) c = -c;
      if (c != 0) return c < 0;
    }
    return false;
  });
  // Move whole lines of the area: content and formats travel together. A formula keeps its
  // R1C1 text, so its relative references follow it.
  std::vector<Cell> moved(static_cast<std::size_t>(count) * static_cast<std::size_t>(width));
  for (int i = 0; i < count; ++i) {
    for (int k = 0; k < width; ++k) {
      Cell* c = sheet_->store().find(address(order[static_cast<std::size_t>(i)], k));
      if (c != nullptr) {
        Cell copy = *c;
        copy.format = sheet_->effective_format_id(address(order[static_cast<std::size_t>(i)], k));
        moved[static_cast<std::size_t>(i * width + k)] = std::move(copy);
      } else {
        moved[static_cast<std::size_t>(i * width + k)].format =
            sheet_->effective_format_id(address(order[static_cast<std::size_t>(i)], k));
      }
    }
  }
  for (int i = 0; i < count; ++i) {
    for (int k = 0; k < width; ++k) {
      Cell& source = moved[static_cast<std::size_t>(i * width + k)];
      const CellAddress at = address(first_line + i, k);
      if (sheet_->store().find(at) == nullptr && source.is_blank()) continue;
      sheet_->store().at(at) = std::move(source);
    }
  }
  sheet_->workbook().recalc().structure_changed();
  sheet_->workbook().after_change();
}

}  // namespace fb::sheet
