#pragma once

#include <string>

namespace fb::sheet {

// A hyperlink on a drawing object (Hyperlinks.Add with a shape as the anchor). The shape carries
// it, so it goes wherever the shape is cut and pasted.
struct ShapeHyperlink {
  std::string address;
  std::string sub_address;
  std::string screen_tip;
  friend bool operator==(const ShapeHyperlink&, const ShapeHyperlink&) = default;
};

}  // namespace fb::sheet
