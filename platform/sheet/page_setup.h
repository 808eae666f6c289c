#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fb::sheet {

class Worksheet;

enum class PageOrientation { Portrait = 1, Landscape = 2 };
inline constexpr int kPaperA4 = 9;

// Worksheet.PageSetup: how the sheet prints. Lengths are in points (Application's
// inches_to_points converts); a new sheet has the program's defaults (margins 0.75 inch left and
// right, 1 inch top and bottom, header and footer 0.5 inch, zoom 100 %).
class PageSetup {
 public:
  explicit PageSetup(Worksheet& sheet) : sheet_(&sheet) {}

  // The print area as an absolute A1 address ("$B$2:$AA$32"), "" for none. Setting takes any
  // reference text of the sheet and keeps its absolute form; "" clears it. HostError 1004 for a
  // text that is no reference.
  const std::string& print_area() const { return print_area_; }
  void set_print_area(std::string_view reference);

  double left_margin() const { return left_; }
  double right_margin() const { return right_; }
  double top_margin() const { return top_; }
  double bottom_margin() const { return bottom_; }
  double header_margin() const { return header_; }
  double footer_margin() const { return footer_; }
  // HostError 1004 for a negative margin.
  void set_left_margin(double points) { left_ = checked(points); }
  void set_right_margin(double points) { right_ = checked(points); }
  void set_top_margin(double points) { top_ = checked(points); }
  void set_bottom_margin(double points) { bottom_ = checked(points); }
  void set_header_margin(double points) { header_ = checked(points); }
  void set_footer_margin(double points) { footer_ = checked(points); }

  bool center_horizontally() const { return center_horizontally_; }
  void set_center_horizontally(bool on) { center_horizontally_ = on; }
  bool center_vertically() const { return center_vertically_; }
  void set_center_vertically(bool on) { center_vertically_ = on; }
  PageOrientation orientation() const { return orientation_; }
  void set_orientation(PageOrientation orientation) { orientation_ = orientation; }
  int paper_size() const { return paper_size_; }
  void set_paper_size(int size) { paper_size_ = size; }

  // The scale in percent, or nothing when zoom is off (Zoom = False: the fit-to-pages values
  // decide). HostError 1004 outside 10 to 400.
  std::optional<int> zoom() const { return zoom_; }
  void set_zoom(std::optional<int> percent);
  // Pages wide and tall the print area is fitted to while zoom is off; nothing for "as many as
  // needed" (False). HostError 1004 for less than 1.
  std::optional<int> fit_to_pages_wide() const { return fit_wide_; }
  void set_fit_to_pages_wide(std::optional<int> pages) { fit_wide_ = checked_pages(pages); }
  std::optional<int> fit_to_pages_tall() const { return fit_tall_; }
  void set_fit_to_pages_tall(std::optional<int> pages) { fit_tall_ = checked_pages(pages); }

 private:
  static double checked(double points);
  static std::optional<int> checked_pages(std::optional<int> pages);

  Worksheet* sheet_;
  std::string print_area_;
  double left_ = 54;
  double right_ = 54;
  double top_ = 72;
  double bottom_ = 72;
  double header_ = 36;
  double footer_ = 36;
  bool center_horizontally_ = false;
  bool center_vertically_ = false;
  PageOrientation orientation_ = PageOrientation::Portrait;
  int paper_size_ = kPaperA4;
  std::optional<int> zoom_ = 100;
  std::optional<int> fit_wide_ = 1;
  std::optional<int> fit_tall_ = 1;
};

}  // namespace fb::sheet
