#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sheet/address.h"
#include "platform/sheet/cell_format.h"
#include "platform/sheet/cell_store.h"
#include "platform/sheet/enums.h"
#include "platform/sheet/eval_context.h"
#include "platform/sheet/formula/formula.h"
#include "platform/sheet/hyperlinks.h"
#include "platform/sheet/page_setup.h"

namespace fb::sheet {

class Application;
class ChartObjects;
class Range;
class ShapeCollection;
class Workbook;

// One worksheet: its cells, merged areas, AutoFilter, column widths, row heights and the
// formats that whole rows, whole columns or the whole sheet received.
class Worksheet {
 public:
  Worksheet(Workbook& workbook, SheetId id, std::string name);
  Worksheet(const Worksheet&) = delete;
  Worksheet& operator=(const Worksheet&) = delete;
  ~Worksheet();

  Workbook& workbook() const { return *workbook_; }
  Application& application() const;
  SheetId id() const { return id_; }
  const std::string& name() const { return name_; }
  // Throws HostError 1004 for an empty, too long or duplicate name or one with : \ / ? * [ ].
  void set_name(std::string_view name);
  int index() const;  // 1-based position in the workbook
  GridSize grid() const;
  SheetVisibility visible() const { return visible_; }
  // Hiding the workbook's last visible sheet is refused with HostError 1004; hiding the active
  // sheet makes the next visible sheet active (the previous one when it was the last).
  void set_visible(SheetVisibility visibility);

  // A1 reference text ("B2:J244", "A:A,K:K", "5:6"); HostError 1004 when it is no reference.
  Range range(std::string_view reference);
  Range range(const Range& first, const Range& last);
  Range cells(int row, int column);
  Range cells();                           // every cell of the sheet
  Range rows(std::string_view reference);  // "5:6"
  Range rows(int row);
  Range columns(std::string_view reference);  // "AN:BN"
  Range columns(int column);
  Range used_range();

  // Makes this the active sheet of its workbook (and the workbook active).
  // Both refuse a hidden sheet with HostError 1004.
  void select();
  void activate();
  // Pastes the clipboard at this sheet's selection (the sheet must be the active one): cells, or
  // shapes with their names at the active cell.
  void paste();
  // Worksheet.PasteSpecial for a picture format: the clipboard's shapes become one picture at
  // the active cell. Only "图片(增强型图元文件)" is known; HostError 1004 for other formats, a
  // link or an icon.
  void paste_special(std::string_view format, bool link = false, bool display_as_icon = false);

  // The sheet's drawing objects (charts, pictures, text boxes) and its chart objects.
  ShapeCollection& shapes() { return *shapes_; }
  const ShapeCollection& shapes() const { return *shapes_; }
  ChartObjects chart_objects();

  Range selection();
  Range active_cell();
  PageSetup& page_setup() { return page_setup_; }
  const PageSetup& page_setup() const { return page_setup_; }
  Hyperlinks& hyperlinks() { return hyperlinks_; }
  const Hyperlinks& hyperlinks() const { return hyperlinks_; }
  bool auto_filter_mode() const { return auto_filter_.has_value(); }
  std::optional<RangeAddress> auto_filter_range() const { return auto_filter_; }

  // --- engine-facing state ---
  CellStore& store() { return store_; }
  const CellStore& store() const { return store_; }
  const CellFormat& effective_format(CellAddress cell) const;
  FormatId effective_format_id(CellAddress cell) const;
  std::vector<RangeAddress>& merges() { return merges_; }
  const std::vector<RangeAddress>& merges() const { return merges_; }
  // The merged area holding the cell, if any.
  std::optional<RangeAddress> merge_area_of(CellAddress cell) const;

  double column_width(int column) const;
  double row_height(int row) const;
  // The sheet's standard column width (characters) and default row height (points), as a
  // template sets them.
  void set_standard_width(double characters) { default_column_width_ = characters; }
  void set_standard_height(double points) { default_row_height_ = points; }
  void set_selection(RangeAddress area, CellAddress active) {
    selection_ = {area};
    active_cell_ = active;
  }

  // --- read-only layout, for file writers ---
  // The width and height of columns and rows without a size of their own.
  double standard_width() const { return default_column_width_.value_or(8.43); }
  double standard_height() const;
  FormatId sheet_format() const { return sheet_format_; }
  const std::map<int, FormatId>& row_formats() const { return row_formats_; }
  const std::map<int, FormatId>& column_formats() const { return column_formats_; }
  const std::map<int, double>& column_widths() const { return column_widths_; }
  const std::map<int, double>& row_heights() const { return row_heights_; }

 private:
  friend class Range;
  friend class Workbook;

  // Moves cells, formats, merges, widths and the AutoFilter for an insertion or deletion; the
  // workbook then adjusts the formulas.
  void shift_layout(const formula::GridShift& shift);

  Workbook* workbook_;
  SheetId id_;
  std::string name_;
  SheetVisibility visible_ = SheetVisibility::Visible;
  CellStore store_;
  FormatId sheet_format_ = kNoFormat;
  std::map<int, FormatId> row_formats_;
  std::map<int, FormatId> column_formats_;
  std::vector<RangeAddress> merges_;
  std::optional<RangeAddress> auto_filter_;
  std::optional<double> default_column_width_;
  std::optional<double> default_row_height_;
  std::map<int, double> column_widths_;
  std::map<int, double> row_heights_;
  std::vector<RangeAddress> selection_{RangeAddress{{1, 1}, {1, 1}}};
  PageSetup page_setup_{*this};
  Hyperlinks hyperlinks_{*this};
  CellAddress active_cell_{1, 1};
  std::unique_ptr<ShapeCollection> shapes_;
};

}  // namespace fb::sheet
