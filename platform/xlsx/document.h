#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/sheet/cell_address.h"
#include "platform/sheet/cell_format.h"
#include "platform/sheet/chart/colour_palette.h"
#include "platform/sheet/value.h"

namespace fb::xlsx {

// What the package writer writes: a plain snapshot of a workbook. The model adapter fills it
// from the host's workbook; tests fill it by hand. Positions and sizes are in the host's units
// (points, column widths in characters of the default font), colours in the host's palette.

// Index into Document::styles. Style 0 is the workbook's default cell format.
using StyleIndex = std::uint32_t;

struct SheetCell {
  sheet::CellAddress at;
  sheet::Value value;  // Empty writes a formatted blank cell
  StyleIndex style = 0;
};

// Columns first..last share a width (characters) and, when set, a style.
struct ColumnSpan {
  int first = 1;
  int last = 1;
  double width = 8.43;
  bool custom_width = false;
  std::optional<StyleIndex> style;
};

struct RowFormat {
  std::optional<double> height;  // points; none keeps the sheet's default height
  std::optional<StyleIndex> style;
};

struct CellHyperlink {
  sheet::CellAddress cell;
  std::string address;   // an external target (web address or file)
  std::string location;  // a place inside the target ("Sheet1!A1"); empty for none
  std::string text_to_display;
  std::string screen_tip;
};

struct SheetView {
  bool selected = false;  // the sheet's tab is selected
  bool show_gridlines = true;
  sheet::CellAddress active_cell{1, 1};
};

enum class Orientation { Portrait = 1, Landscape = 2 };

// The host's page setup; margins in points as the host keeps them.
struct PageSetup {
  double left_margin = 54;
  double right_margin = 54;
  double top_margin = 72;
  double bottom_margin = 72;
  double header_margin = 36;
  double footer_margin = 36;
  bool center_horizontally = false;
  bool center_vertically = false;
  Orientation orientation = Orientation::Portrait;
  int paper_size = 9;             // the host's paper numbers: 9 is A4
  std::optional<int> zoom = 100;  // percent; none means "fit to pages"
  int fit_to_pages_wide = 1;      // used when zoom is none; 0 for as many as needed
  int fit_to_pages_tall = 1;
};

// How a shape follows the cells under it, with the host's numbers.
enum class Placement { MoveAndSize = 1, Move = 2, FreeFloating = 3 };

enum class ImageFormat { Emf, Png, Gif, Jpeg };

struct PictureContent {
  ImageFormat format = ImageFormat::Png;
  std::string bytes;      // the image file as it is stored in the package
  std::string hyperlink;  // external address opened by a click; empty for none
};

// A text effect ("WordArt"): a line of text drawn as a shape.
struct WordArtContent {
  int preset = 0;  // the host's preset text effect number
  std::string text;
  std::string font_name = "Arial";
  double font_size = 36;
  bool bold = false;
  bool italic = false;
  sheet::Rgb text_colour;  // the letters' colour; the shape itself has no fill
};

struct DrawingItem {
  std::string name;
  double left = 0;  // points from the sheet's top-left corner
  double top = 0;
  double width = 0;
  double height = 0;
  double rotation = 0;  // degrees clockwise
  Placement placement = Placement::Move;
  std::variant<PictureContent, WordArtContent> content;
};

// Whether a sheet shows a tab: hidden sheets the user may show again, very hidden ones only a
// program can.
enum class SheetState { Visible, Hidden, VeryHidden };

struct Sheet {
  std::string name;
  SheetState state = SheetState::Visible;
  std::vector<SheetCell> cells;     // row by row, left to right within a row
  std::vector<ColumnSpan> columns;  // ascending, not overlapping
  std::map<int, RowFormat> rows;
  double default_column_width = 8.43;
  double default_row_height = 15;
  std::vector<sheet::RangeAddress> merges;
  std::vector<CellHyperlink> hyperlinks;
  SheetView view;
  std::optional<PageSetup> page_setup;
  std::optional<sheet::RangeAddress> print_area;
  std::vector<DrawingItem> drawings;
};

struct DocumentProperties {
  std::string creator;
  std::string last_modified_by;
  std::string created;  // W3C date and time ("2024-05-01T08:00:00Z"); empty for none
  std::string modified;
  std::string application = "Fishbone";
};

struct Document {
  std::vector<sheet::CellFormat> styles{sheet::CellFormat{}};
  std::vector<Sheet> sheets;
  int active_sheet = 0;  // 0-based; a visible sheet
  DocumentProperties properties;
};

}  // namespace fb::xlsx
