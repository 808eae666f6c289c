#include "apps/fishbone/sheet_csv.h"

#include <charconv>
#include <variant>

#include "platform/sheet/worksheet.h"

namespace fishbone {
namespace {

using fb::sheet::Cell;
using fb::sheet::CellAddress;
using fb::sheet::CellStore;

std::string ShortestNumberText(double number) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  return std::string(buffer, result.ptr);
}

std::string FieldText(const fb::sheet::Value& value) {
  struct Visitor {
    std::string operator()(fb::sheet::Empty) const { return {}; }
    std::string operator()(double d) const { return ShortestNumberText(d); }
    std::string operator()(const std::string& s) const { return s; }
    std::string operator()(bool b) const { return b ? "TRUE" : "FALSE"; }
    std::string operator()(fb::sheet::ErrorCode e) const {
      return std::string(fb::sheet::error_text(e));
    }
  };
  return std::visit(Visitor{}, value);
}

void AppendField(std::string& out, const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    out += text;
    return;
  }
  out += '"';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// The lowest row and the rightmost column holding content; formatted blanks do not count.
CellAddress LastContentCell(const CellStore& store) {
  CellAddress last{0, 0};
  for (int column = 1; column <= store.column_count(); ++column) {
    for (int row = store.column_height(column); row >= 1; --row) {
      const Cell* cell = store.find({row, column});
      if (cell != nullptr && cell->has_content()) {
        last.row = std::max(last.row, row);
        last.column = column;
        break;
      }
    }
  }
  return last;
}

}  // namespace

std::string SheetValuesAsCsv(const fb::sheet::Worksheet& sheet) {
  const CellStore& store = sheet.store();
  const CellAddress last = LastContentCell(store);
  std::string out;
  for (int row = 1; row <= last.row; ++row) {
    for (int column = 1; column <= last.column; ++column) {
      if (column > 1) out += ',';
      if (const Cell* cell = store.find({row, column})) AppendField(out, FieldText(cell->value));
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace fishbone
