#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <optional>
#include <stdexcept>

#include "platform/sheet/chart/colour_palette.h"
#include "platform/xlsx/package_parts.h"
#include "platform/xlsx/xml_writer.h"

namespace fb::xlsx {
namespace {

using sheet::Border;
using sheet::CellEdge;
using sheet::CellFormat;
using sheet::Font;
using sheet::Interior;

// Number formats every reader knows by number; others are written out from id 164 on.
constexpr std::array<std::pair<int, std::string_view>, 13> kBuiltInFormats = {{
    {0, "General"},
    {1, "0"},
    {2, "0.00"},
    {3, "#,##0"},
    {4, "#,##0.00"},
    {9, "0%"},
    {10, "0.00%"},
    {11, "0.00E+00"},
    {12, "# ?/?"},
    {13, "# ?\?/?\?"},
    {48, "##0.0E+0"},
    {49, "@"},
    {45, "mm:ss"},
}};
constexpr int kFirstCustomFormat = 164;

std::optional<int> built_in_format(std::string_view code) {
  for (const auto& [id, text] : kBuiltInFormats) {
    if (text == code) return id;
  }
  return std::nullopt;
}

// A font whose name is not plain ASCII is one of the simplified Chinese faces ("宋体",
// "仿宋_GB2312"); readers pick the face's GB2312 encoding from the charset.
constexpr int kGb2312Charset = 134;
std::optional<int> font_charset(std::string_view name) {
  const bool ascii = std::all_of(name.begin(), name.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return ascii ? std::nullopt : std::optional<int>(kGb2312Charset);
}

bool has_palette_colour(int color_index) {
  return color_index >= 1 && color_index <= 56;
}

std::string argb_text(sheet::Rgb rgb) {
  char buffer[12];
  std::snprintf(buffer, sizeof buffer, "FF%02X%02X%02X", rgb.r, rgb.g, rgb.b);
  return buffer;
}

// The palette colour, or the system's automatic colour when the index has none.
void write_colour(XmlWriter& xml, std::string_view element, int color_index) {
  if (has_palette_colour(color_index)) {
    xml.empty(element, {{"rgb", argb_text(sheet::palette_colour(color_index))}});
  } else {
    xml.empty(element, {{"indexed", "64"}});
  }
}

std::string_view pattern_type(sheet::Pattern pattern) {
  switch (pattern) {
    case sheet::Pattern::None:
      return "none";
    case sheet::Pattern::Solid:
      return "solid";
    case sheet::Pattern::Gray50:
      return "mediumGray";
    case sheet::Pattern::Gray25:
      return "lightGray";
  }
  return "none";
}

std::optional<std::string_view> border_style(const Border& border) {
  using sheet::BorderWeight;
  using sheet::LineStyle;
  switch (border.line_style) {
    case LineStyle::None:
      return std::nullopt;
    case LineStyle::Continuous:
      switch (border.weight) {
        case BorderWeight::Hairline:
          return "hair";
        case BorderWeight::Thin:
          return "thin";
        case BorderWeight::Medium:
          return "medium";
        case BorderWeight::Thick:
          return "thick";
      }
      return "thin";
    case LineStyle::Dash:
      return border.weight == BorderWeight::Medium ? "mediumDashed" : "dashed";
    case LineStyle::Dot:
      return "dotted";
    case LineStyle::Double:
      return "double";
  }
  return std::nullopt;
}

std::optional<std::string_view> horizontal_text(sheet::HorizontalAlignment h) {
  using sheet::HorizontalAlignment;
  switch (h) {
    case HorizontalAlignment::General:
      return std::nullopt;
    case HorizontalAlignment::Left:
      return "left";
    case HorizontalAlignment::Center:
      return "center";
    case HorizontalAlignment::Right:
      return "right";
    case HorizontalAlignment::Justify:
      return "justify";
  }
  return std::nullopt;
}

std::optional<std::string_view> vertical_text(sheet::VerticalAlignment v) {
  using sheet::VerticalAlignment;
  switch (v) {
    case VerticalAlignment::Bottom:
      return std::nullopt;
    case VerticalAlignment::Top:
      return "top";
    case VerticalAlignment::Center:
      return "center";
    case VerticalAlignment::Justify:
      return "justify";
  }
  return std::nullopt;
}

std::optional<std::string_view> reading_order_text(sheet::ReadingOrder order) {
  switch (order) {
    case sheet::ReadingOrder::Context:
      return std::nullopt;
    case sheet::ReadingOrder::LeftToRight:
      return "1";
    case sheet::ReadingOrder::RightToLeft:
      return "2";
  }
  return std::nullopt;
}

using Borders = std::array<Border, 4>;

// Distinct fonts, fills, borders and number formats of the styles, and each style's entries.
struct StyleTables {
  std::vector<Font> fonts;
  std::vector<Interior> fills;  // after the two fills every package starts with
  std::vector<Borders> borders;
  std::vector<std::pair<int, std::string>> custom_formats;
  struct Entry {
    int number_format = 0;
    std::size_t font = 0;
    std::size_t fill = 0;
    std::size_t border = 0;
  };
  std::vector<Entry> entries;
};

template <typename T>
std::size_t index_of(std::vector<T>& list, const T& item) {
  const auto found = std::find(list.begin(), list.end(), item);
  if (found != list.end()) return static_cast<std::size_t>(found - list.begin());
  list.push_back(item);
  return list.size() - 1;
}

StyleTables build_tables(const std::vector<CellFormat>& styles) {
  StyleTables t;
  t.borders.push_back(Borders{});
  for (const auto& style : styles) {
    StyleTables::Entry e;
    e.font = index_of(t.fonts, style.font);
    if (style.interior.color_index == sheet::kColorIndexNone ||
        style.interior.pattern == sheet::Pattern::None) {
      e.fill = 0;
    } else {
      e.fill = 2 + index_of(t.fills, style.interior);
    }
    e.border = index_of(t.borders, style.borders);
    if (const auto id = built_in_format(style.number_format)) {
      e.number_format = *id;
    } else {
      const auto found =
          std::find_if(t.custom_formats.begin(), t.custom_formats.end(),
                       [&](const auto& f) { return f.second == style.number_format; });
      if (found != t.custom_formats.end()) {
        e.number_format = found->first;
      } else {
        e.number_format = kFirstCustomFormat + static_cast<int>(t.custom_formats.size());
        t.custom_formats.emplace_back(e.number_format, style.number_format);
      }
    }
    t.entries.push_back(e);
  }
  return t;
}

void write_number_formats(XmlWriter& xml, const StyleTables& t) {
  if (t.custom_formats.empty()) return;
  xml.open("numFmts", {{"count", std::to_string(t.custom_formats.size())}});
  for (const auto& [id, code] : t.custom_formats) {
    xml.empty("numFmt", {{"numFmtId", std::to_string(id)}, {"formatCode", code}});
  }
  xml.close();
}

void write_font(XmlWriter& xml, const Font& font) {
  xml.open("font");
  if (font.bold) xml.empty("b");
  if (font.italic) xml.empty("i");
  if (font.underline) xml.empty("u");  // single is the element's default
  xml.empty("sz", {{"val", measure_text(font.size)}});
  if (has_palette_colour(font.color_index)) write_colour(xml, "color", font.color_index);
  xml.empty("name", {{"val", font.name}});
  if (const auto charset = font_charset(font.name)) {
    xml.empty("charset", {{"val", std::to_string(*charset)}});
  }
  xml.close();
}

void write_fonts(XmlWriter& xml, const StyleTables& t) {
  xml.open("fonts", {{"count", std::to_string(t.fonts.size())}});
  for (const auto& font : t.fonts) write_font(xml, font);
  xml.close();
}

void write_pattern_fill(XmlWriter& xml, const Interior& interior) {
  xml.open("fill");
  xml.open("patternFill", {{"patternType", std::string(pattern_type(interior.pattern))}});
  if (interior.pattern == sheet::Pattern::Solid) {
    write_colour(xml, "fgColor", interior.color_index);
    xml.empty("bgColor", {{"indexed", "64"}});
  } else {
    write_colour(xml, "fgColor", interior.pattern_color_index);
    write_colour(xml, "bgColor", interior.color_index);
  }
  xml.close();
  xml.close();
}

void write_fills(XmlWriter& xml, const StyleTables& t) {
  xml.open("fills", {{"count", std::to_string(t.fills.size() + 2)}});
  // Readers expect these two first, whether or not a cell uses them.
  for (const auto* type : {"none", "gray125"}) {
    xml.open("fill");
    xml.empty("patternFill", {{"patternType", type}});
    xml.close();
  }
  for (const auto& fill : t.fills) write_pattern_fill(xml, fill);
  xml.close();
}

void write_border_edge(XmlWriter& xml, std::string_view element, const Border& border) {
  const auto style = border_style(border);
  if (!style) {
    xml.empty(element);
    return;
  }
  xml.open(element, {{"style", std::string(*style)}});
  write_colour(xml, "color", border.color_index);
  xml.close();
}

void write_border(XmlWriter& xml, const Borders& b) {
  const auto edge = [&](CellEdge e) -> const Border& { return b[static_cast<std::size_t>(e)]; };
  xml.open("border");
  write_border_edge(xml, "left", edge(CellEdge::Left));
  write_border_edge(xml, "right", edge(CellEdge::Right));
  write_border_edge(xml, "top", edge(CellEdge::Top));
  write_border_edge(xml, "bottom", edge(CellEdge::Bottom));
  xml.empty("diagonal");
  xml.close();
}

void write_borders(XmlWriter& xml, const StyleTables& t) {
  xml.open("borders", {{"count", std::to_string(t.borders.size())}});
  for (const auto& b : t.borders) write_border(xml, b);
  xml.close();
}

void write_cell_style_formats(XmlWriter& xml) {
  xml.open("cellStyleXfs", {{"count", "1"}});
  xml.empty("xf", {{"numFmtId", "0"}, {"fontId", "0"}, {"fillId", "0"}, {"borderId", "0"}});
  xml.close();
}

std::vector<XmlAttribute> alignment_attributes(const CellFormat& style) {
  std::vector<XmlAttribute> a;
  if (const auto h = horizontal_text(style.horizontal)) a.emplace_back("horizontal", *h);
  if (const auto v = vertical_text(style.vertical)) a.emplace_back("vertical", *v);
  if (style.wrap_text) a.emplace_back("wrapText", "1");
  if (const auto r = reading_order_text(style.reading_order)) a.emplace_back("readingOrder", *r);
  return a;
}

void write_cell_format(XmlWriter& xml, const CellFormat& style, const StyleTables::Entry& e) {
  std::vector<XmlAttribute> attributes = {{"numFmtId", std::to_string(e.number_format)},
                                          {"fontId", std::to_string(e.font)},
                                          {"fillId", std::to_string(e.fill)},
                                          {"borderId", std::to_string(e.border)},
                                          {"xfId", "0"}};
  if (e.number_format != 0) attributes.emplace_back("applyNumberFormat", "1");
  if (e.font != 0) attributes.emplace_back("applyFont", "1");
  if (e.fill != 0) attributes.emplace_back("applyFill", "1");
  if (e.border != 0) attributes.emplace_back("applyBorder", "1");
  const auto alignment = alignment_attributes(style);
  if (alignment.empty()) {
    xml.empty("xf", attributes);
    return;
  }
  attributes.emplace_back("applyAlignment", "1");
  xml.open("xf", attributes);
  xml.empty("alignment", alignment);
  xml.close();
}

void write_cell_formats(XmlWriter& xml, const std::vector<CellFormat>& styles,
                        const StyleTables& t) {
  xml.open("cellXfs", {{"count", std::to_string(styles.size())}});
  for (std::size_t i = 0; i < styles.size(); ++i) write_cell_format(xml, styles[i], t.entries[i]);
  xml.close();
}

void write_cell_styles(XmlWriter& xml) {
  xml.open("cellStyles", {{"count", "1"}});
  xml.empty("cellStyle", {{"name", "Normal"}, {"xfId", "0"}, {"builtinId", "0"}});
  xml.close();
}

}  // namespace

// Cell format i becomes cell style i: worksheets refer to styles by their position.
std::string styles_xml(const std::vector<CellFormat>& styles) {
  if (styles.empty()) throw std::invalid_argument("a workbook needs its default cell format");
  const StyleTables t = build_tables(styles);
  XmlWriter xml;
  xml.open("styleSheet", {{"xmlns", "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}});
  write_number_formats(xml, t);
  write_fonts(xml, t);
  write_fills(xml, t);
  write_borders(xml, t);
  write_cell_style_formats(xml);
  write_cell_formats(xml, styles, t);
  write_cell_styles(xml);
  xml.empty("dxfs", {{"count", "0"}});
  xml.empty("tableStyles", {{"count", "0"}});
  xml.close();
  return xml.finish();
}

}  // namespace fb::xlsx
