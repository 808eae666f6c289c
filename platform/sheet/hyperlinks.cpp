#include "platform/sheet/hyperlinks.h"

#include <algorithm>

#include "platform/os/host_error.h"
#include "platform/sheet/range.h"
#include "platform/sheet/worksheet.h"

namespace fb::sheet {

namespace {
constexpr int kHyperlinkColorIndex = 5;
}

Hyperlink& Hyperlinks::add(const Range& anchor, std::string_view address,
                           std::string_view sub_address, std::string_view screen_tip,
                           std::string_view text_to_display) {
  if (&anchor.worksheet() != sheet_) {
    throw HostError(host_error::kApplicationDefined, "The anchor lies on another sheet");
  }
  if (address.empty() && sub_address.empty()) {
    throw HostError(host_error::kApplicationDefined, "A hyperlink needs an address");
  }
  const CellAddress cell = anchor.area().first;
  Range target = sheet_->cells(cell.row, cell.column);
  if (!text_to_display.empty()) {
    target.set_value(Value(std::string(text_to_display)));
  } else if (is_empty(target.value())) {
    target.set_value(Value(std::string(address)));
  }
  target.modify_format([](CellFormat& f) {
    f.font.color_index = kHyperlinkColorIndex;
    f.font.underline = true;
  });
  links_.erase(std::remove_if(links_.begin(), links_.end(),
                              [&](const Hyperlink& h) { return h.anchor == cell; }),
               links_.end());
  links_.push_back({cell, std::string(address), std::string(sub_address), std::string(screen_tip),
                    std::string(text_to_display)});
  return links_.back();
}

const Hyperlink* Hyperlinks::find(CellAddress cell) const {
  for (const auto& h : links_) {
    if (h.anchor == cell) return &h;
  }
  return nullptr;
}

}  // namespace fb::sheet
