#include "platform/sheet/cell_format.h"

#include <stdexcept>

namespace fb::sheet {

FormatTable::FormatTable() {
  formats_.emplace_back();
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
