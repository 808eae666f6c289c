#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sheet/cell_address.h"
#include "platform/sheet/cell_format.h"
#include "platform/sheet/enums.h"
#include "platform/sheet/value.h"

namespace fb::sheet {

class Worksheet;
class Range;

struct SortOptions {
  std::optional<CellAddress> key1;  // a cell of the sort column (or row)
  SortOrder order1 = SortOrder::Ascending;
  std::optional<CellAddress> key2;
  SortOrder order2 = SortOrder::Ascending;
  std::optional<CellAddress> key3;
  SortOrder order3 = SortOrder::Ascending;
  SortHeader header = SortHeader::No;
  int order_custom = 1;  // 1 is the normal order; custom lists are not kept
  bool match_case = false;
  SortOrientation orientation = SortOrientation::Columns;  // top to bottom
  // PinYin and stroke order compare the same here: text compares by code point after ASCII case
  // folding, which orders the component's keys and Latin text as the host does.
  SortMethod method = SortMethod::PinYin;
  SortDataOption data_option = SortDataOption::Normal;
};

class FontFormat;
class InteriorFormat;
class BordersFormat;

// A cheap handle on cells of one sheet: one or more rectangular areas. Operations act on the
// host's cells at once; a handle stays valid while its sheet exists.
class Range {
 public:
  Range(Worksheet& sheet, std::vector<RangeAddress> areas);

  Worksheet& worksheet() const { return *sheet_; }
  const std::vector<RangeAddress>& areas() const { return areas_; }
  const RangeAddress& area() const { return areas_.front(); }
  int row() const { return area().first.row; }
  int column() const { return area().first.column; }
  int row_count() const { return area().rows(); }
  int column_count() const { return area().columns(); }
  long long count() const;  // cells in all areas

  // Cells(row, column) relative to the top-left of the first area (may lie outside it).
  Range cells(int row, int column) const;
  Range offset(int rows, int columns) const;
  Range resize(int rows, int columns) const;
  Range entire_row() const;
  Range entire_column() const;
  Range merge_area() const;
  // The last cell in a direction as the keyboard's End+arrow finds it.
  Range end(Direction direction) const;

  // "$K$9" by default; multi-area addresses join their areas with commas.
  std::string address(bool row_absolute = true, bool column_absolute = true,
                      ReferenceStyle style = ReferenceStyle::A1) const;

  // --- content ---
  // The top-left cell's value (a formula's result).
  Value value() const;
  // Every cell of every area. A text that starts with "=" is entered as a formula (A1, or R1C1
  // when it is no A1 formula); a text that reads as a number, TRUE/FALSE or an error value is
  // stored as that, as typed input is.
  void set_value(const Value& value);
  void set_value(std::string_view text) { set_value(Value(std::string(text))); }
  void set_value(const char* text) { set_value(Value(std::string(text))); }
  void set_value(const std::string& text) { set_value(Value(text)); }
  // Every cell receives `text` as text, whatever it looks like ("0001", "50%", "=1+1", "TRUE"):
  // what a host's text-formatted cell or a leading apostrophe gives. The empty text clears.
  void set_text(std::string_view text);
  // The values of the first area, row by row.
  std::vector<std::vector<Value>> values() const;
  std::string formula() const;       // A1 text, or the constant as typed
  std::string formula_r1c1() const;  // R1C1 text, or the constant as typed
  // Every cell receives the same text, relative to itself. Texts without "=" are typed input.
  void set_formula(std::string_view a1_text);
  void set_formula_r1c1(std::string_view r1c1_text);
  bool has_formula() const;
  // The value as the cell's number format shows it.
  std::string text() const;
  void clear_contents();
  void clear();  // contents and formats

  // --- clipboard ---
  void copy() const;
  void cut() const;
  // Copies straight to a destination (its top-left cell).
  void copy(const Range& destination) const;
  // Pastes the clipboard into this range, a destination that is a whole multiple of the copied
  // block repeats it; otherwise the block is pasted once at the top-left cell.
  void paste_special(PasteType type = PasteType::All,
                     PasteOperation operation = PasteOperation::None, bool skip_blanks = false,
                     bool transpose = false);

  // --- structure ---
  void insert(std::optional<InsertShift> shift = std::nullopt);
  void delete_cells(std::optional<DeleteShift> shift = std::nullopt);
  void auto_filter();  // toggles the AutoFilter of the sheet on this range
  void sort(const SortOptions& options);
  void auto_fill(const Range& destination, AutoFillType type = AutoFillType::Default);
  void select() const;
  void activate() const;

  // --- merge and formats ---
  void merge();
  void unmerge();
  bool merge_cells() const;
  void set_merge_cells(bool merged);
  FontFormat font() const;
  InteriorFormat interior() const;
  BordersFormat borders() const;
  BordersFormat borders(BorderIndex index) const;
  HorizontalAlignment horizontal_alignment() const;
  void set_horizontal_alignment(HorizontalAlignment alignment);
  VerticalAlignment vertical_alignment() const;
  void set_vertical_alignment(VerticalAlignment alignment);
  ReadingOrder reading_order() const;
  void set_reading_order(ReadingOrder order);
  bool wrap_text() const;
  void set_wrap_text(bool wrap);
  std::string number_format_local() const;
  void set_number_format_local(std::string_view format);
  std::string number_format() const { return number_format_local(); }
  void set_number_format(std::string_view format) { set_number_format_local(format); }
  double column_width() const;
  void set_column_width(double characters);
  double row_height() const;
  void set_row_height(double points);

  // --- engine-facing ---
  const CellFormat& format() const;  // the top-left cell's
  void modify_format(const std::function<void(CellFormat&)>& change) const;
  // Applies a format change cell by cell with the cell's position inside its area. The change
  // may depend on the position only through the edges of the area the cell lies on: cells with
  // the same format on the same edges share one result.
  void modify_cell_formats(const std::function<void(CellFormat&, CellAddress cell,
                                                    const RangeAddress& area)>& change) const;

 private:
  Worksheet* sheet_;
  std::vector<RangeAddress> areas_;
};

// Font of a range; reading gives the top-left cell's, writing sets every cell's.
class FontFormat {
 public:
  explicit FontFormat(Range range);
  std::string name() const;
  void set_name(std::string_view name);
  double size() const;
  void set_size(double size);
  bool bold() const;
  void set_bold(bool bold);
  bool italic() const;
  void set_italic(bool italic);
  int color_index() const;
  void set_color_index(int index);

 private:
  Range range_;
};

class InteriorFormat {
 public:
  explicit InteriorFormat(Range range);
  int color_index() const;
  void set_color_index(int index);
  Pattern pattern() const;
  void set_pattern(Pattern pattern);
  int pattern_color_index() const;
  void set_pattern_color_index(int index);

 private:
  Range range_;
};

// Borders of a range: one edge, an inside family, or (no index) every edge of every cell.
class BordersFormat {
 public:
  BordersFormat(Range range, std::optional<BorderIndex> index);
  LineStyle line_style() const;
  void set_line_style(LineStyle style);
  BorderWeight weight() const;
  void set_weight(BorderWeight weight);
  int color_index() const;
  void set_color_index(int index);

 private:
  void modify(const std::function<void(Border&)>& change) const;
  const Border& read() const;
  Range range_;
  std::optional<BorderIndex> index_;
};

}  // namespace fb::sheet
