#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/sheet/cell_address.h"

namespace fb::sheet {

class Range;
class Shape;
struct ShapeHyperlink;
class Worksheet;

// A hyperlink on a cell of a worksheet.
struct Hyperlink {
  CellAddress anchor;
  std::string address;      // "https://..." or a file
  std::string sub_address;  // a place inside the target ("Sheet1!A1"), may be empty
  std::string screen_tip;
  std::string text_to_display;
};

// Worksheet.Hyperlinks. Adding a link on a cell replaces a link the cell had, writes the text
// to display into the cell (the address when no text is given and the cell is empty) and gives
// the cell the hyperlink look: blue (colour index 5), single underline.
class Hyperlinks {
 public:
  explicit Hyperlinks(Worksheet& sheet) : sheet_(&sheet) {}
  // `anchor` must be a cell (or the top-left of a range) of this sheet; an empty address is
  // refused with HostError 1004.
  Hyperlink& add(const Range& anchor, std::string_view address, std::string_view sub_address = {},
                 std::string_view screen_tip = {}, std::string_view text_to_display = {});
  // A link on a drawing object of this sheet (a picture): the shape keeps it (shape_hyperlink.h),
  // replacing a link it had. HostError 1004 for a shape of another sheet or a chart, or no
  // address.
  ShapeHyperlink& add(Shape& anchor, std::string_view address, std::string_view sub_address = {},
                      std::string_view screen_tip = {});
  // The links on cells; links on shapes are the shapes' own.
  int count() const { return static_cast<int>(links_.size()); }
  const std::vector<Hyperlink>& items() const { return links_; }
  // The link on a cell, or nullptr.
  const Hyperlink* find(CellAddress cell) const;

 private:
  Worksheet* sheet_;
  std::vector<Hyperlink> links_;
};

}  // namespace fb::sheet
