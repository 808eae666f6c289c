#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/sheet/enums.h"

namespace fb::sheet {

struct Font {
  std::string name = "Arial";
  double size = 10;
  bool bold = false;
  bool italic = false;
  bool underline = false;  // single
  int color_index = kColorIndexAutomatic;
  friend auto operator<=>(const Font&, const Font&) = default;
};

struct Interior {
  int color_index = kColorIndexNone;
  Pattern pattern = Pattern::None;
  int pattern_color_index = kColorIndexAutomatic;
  friend auto operator<=>(const Interior&, const Interior&) = default;
};

struct Border {
  LineStyle line_style = LineStyle::None;
  BorderWeight weight = BorderWeight::Thin;
  int color_index = kColorIndexAutomatic;
  // NOLINTNEXTLINE(modernize-use-nullptr): clang-tidy 14 reads the defaulted <=> as a 0 literal.
  friend auto operator<=>(const Border&, const Border&) = default;
};

// The four edges a cell stores; inside borders of a range are the edges of its cells.
enum class CellEdge : std::uint8_t { Left, Top, Bottom, Right };

// Everything a cell shows besides its value. Cells share formats through a FormatTable.
struct CellFormat {
  Font font;
  Interior interior;
  std::array<Border, 4> borders{};  // indexed by CellEdge
  HorizontalAlignment horizontal = HorizontalAlignment::General;
  VerticalAlignment vertical = VerticalAlignment::Bottom;
  ReadingOrder reading_order = ReadingOrder::Context;
  bool wrap_text = false;
  std::string number_format = "General";
  friend auto operator<=>(const CellFormat&, const CellFormat&) = default;

  Border& border(CellEdge edge) { return borders[static_cast<std::size_t>(edge)]; }
  const Border& border(CellEdge edge) const { return borders[static_cast<std::size_t>(edge)]; }
};

// Interned formats of one workbook: a cell holds a small id instead of a whole format.
// Id 0 is "no format of its own" (the cell shows its row's, column's or sheet's format).
using FormatId = std::uint32_t;
inline constexpr FormatId kNoFormat = 0;

class FormatTable {
 public:
  FormatTable();
  // Takes a copy: the argument may be a format of this very table.
  FormatId intern(CellFormat format);
  const CellFormat& get(FormatId id) const;  // id 0 gives the default format
  // Replaces the default format (the Normal style of a workbook made from a template); every
  // cell without a format of its own shows it.
  void set_default(CellFormat format) { formats_.front() = std::move(format); }

 private:
  struct Hash {
    std::size_t operator()(const CellFormat& f) const;
  };
  std::vector<CellFormat> formats_;
  std::unordered_map<CellFormat, FormatId, Hash> ids_;
};

}  // namespace fb::sheet
