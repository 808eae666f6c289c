#include "platform/sheet/cell_format.h"

#include <functional>
#include <stdexcept>
#include <string>

namespace fb::sheet {

FormatTable::FormatTable() {
  formats_.emplace_back();
}

std::size_t FormatTable::Hash::operator()(const CellFormat& f) const {
  std::size_t h = std::hash<std::string>{}(f.number_format);
  auto mix = [&](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
  mix(std::hash<std::string>{}(f.font.name));
  mix(std::hash<double>{}(f.font.size));
  mix(static_cast<std::size_t>(f.font.bold) | static_cast<std::size_t>(f.font.italic) << 1 |
      static_cast<std::size_t>(f.font.underline) << 2 | static_cast<std::size_t>(f.wrap_text) << 3);
  mix(static_cast<std::size_t>(f.font.color_index));
  mix(static_cast<std::size_t>(f.interior.color_index));
  mix(static_cast<std::size_t>(f.interior.pattern));
  mix(static_cast<std::size_t>(f.interior.pattern_color_index));
  for (const Border& b : f.borders) {
    mix(static_cast<std::size_t>(b.line_style));
    mix(static_cast<std::size_t>(b.weight));
    mix(static_cast<std::size_t>(b.color_index));
  }
  mix(static_cast<std::size_t>(f.horizontal));
  mix(static_cast<std::size_t>(f.vertical));
  mix(static_cast<std::size_t>(f.reading_order));
  return h;
}

FormatId FormatTable::intern(CellFormat format) {
  const auto found = ids_.find(format);
  if (found != ids_.end()) return found->second;
  const auto id = static_cast<FormatId>(formats_.size());
  ids_.emplace(format, id);
  formats_.push_back(std::move(format));
  return id;
}

const CellFormat& FormatTable::get(FormatId id) const {
  if (id >= formats_.size()) throw std::out_of_range("unknown format id");
  return formats_[id];
}

}  // namespace fb::sheet
