#include "platform/render/text_layout.h"

#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/render/font_lock.h"
#include "platform/render/font_setup.h"
#include "platform/render/text_metrics.h"

namespace fb::render {

namespace {

struct GObjectUnref {
  void operator()(void* object) const { g_object_unref(object); }
};
template <typename T>
using GPtr = std::unique_ptr<T, GObjectUnref>;

struct FontDescriptionFree {
  void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};

struct ThreadTextContext {
  GPtr<PangoFontMap> font_map;
  GPtr<PangoContext> context;

  ThreadTextContext() {
    // The configuration first: a font map made before it would have fontconfig load the
    // system's default configuration.
    FcConfig* fonts = product_text_fonts();
    font_map.reset(pango_cairo_font_map_new());
    pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(font_map.get()), fonts);
    context.reset(pango_font_map_create_context(font_map.get()));
    pango_cairo_context_set_resolution(context.get(), 72.0);
    cairo_font_options_t* options = cairo_font_options_create();
    // Unhinted metrics keep a layout the same size at every output scale.
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(context.get(), options);
    cairo_font_options_destroy(options);
    pango_context_set_language(context.get(), pango_language_from_string("zh-cn"));
  }
  ThreadTextContext(const ThreadTextContext&) = delete;
  ThreadTextContext& operator=(const ThreadTextContext&) = delete;
  // The thread's fonts go with its font map, while other threads may still be drawing.
  ~ThreadTextContext() {
    const auto fonts = lock_fonts();
    context.reset();
    font_map.reset();
  }
};

double from_pango(int units) {
  return static_cast<double>(units) / PANGO_SCALE;
}

GPtr<PangoLayout> new_layout(const Font& font, std::string_view text) {
  GPtr<PangoLayout> layout(pango_layout_new(text_context()));
  std::unique_ptr<PangoFontDescription, FontDescriptionFree> description(font_description(font));
  pango_layout_set_font_description(layout.get(), description.get());
  pango_layout_set_text(layout.get(), text.data(), static_cast<int>(text.size()));
  return layout;
}

std::vector<std::string_view> split_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('\n', start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

// The UTF-8 sequences of `text`, one per code point.
std::vector<std::string_view> characters(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    n = std::min(n, text.size() - i);
    out.push_back(text.substr(i, n));
    i += n;
  }
  return out;
}

void layout_horizontal(const TextCmd& text, TextLayout& out) {
  // Lines feed explicitly; pango wraps within each when asked.
  auto layout = new_layout(text.font, text.text);
  if (text.wrap && text.box.width > 0) {
    pango_layout_set_width(layout.get(), static_cast<int>(text.box.width * PANGO_SCALE));
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
  }
  const char* base = pango_layout_get_text(layout.get());
  PangoLayoutIter* iter = pango_layout_get_iter(layout.get());
  double width = 0;
  double height = 0;
  do {
    PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
    PangoRectangle logical;
    pango_layout_iter_get_line_extents(iter, nullptr, &logical);
    std::string_view line_text(base + line->start_index, static_cast<std::size_t>(line->length));
    if (!line_text.empty() && line_text.back() == '\r') line_text.remove_suffix(1);
    TextLine entry;
    entry.text = std::string(line_text);
    entry.width = from_pango(logical.width);
    entry.baseline = from_pango(pango_layout_iter_get_baseline(iter));
    out.lines.push_back(std::move(entry));
    width = std::max(width, from_pango(logical.width));
    height = std::max(height, from_pango(logical.y + logical.height));
  } while (pango_layout_iter_next_line(iter));
  pango_layout_iter_free(iter);
  for (TextLine& line : out.lines) {
    switch (text.halign) {
      case HAlign::kLeft:
        line.x = 0;
        break;
      case HAlign::kCentre:
        line.x = (width - line.width) / 2;
        break;
      case HAlign::kRight:
        line.x = width - line.width;
        break;
    }
  }
  out.block = {width, height};
}

void layout_stacked(const TextCmd& text, TextLayout& out) {
  double column_left = 0;
  double height = 0;
  for (std::string_view column : split_lines(text.text)) {
    std::vector<TextLine> cells;
    double column_width = 0;
    double top = 0;
    for (std::string_view ch : characters(column)) {
      auto layout = new_layout(text.font, ch);
      PangoRectangle logical;
      pango_layout_get_extents(layout.get(), nullptr, &logical);
      TextLine cell;
      cell.text = std::string(ch);
      cell.width = from_pango(logical.width);
      cell.baseline = top + from_pango(pango_layout_get_baseline(layout.get()));
      top += from_pango(logical.height);
      column_width = std::max(column_width, cell.width);
      cells.push_back(std::move(cell));
    }
    if (cells.empty()) {
      // An empty column still takes the width of a space, as a blank line takes its height.
      auto layout = new_layout(text.font, " ");
      PangoRectangle logical;
      pango_layout_get_extents(layout.get(), nullptr, &logical);
      column_width = from_pango(logical.width);
    }
    for (TextLine& cell : cells) {
      cell.x = column_left + (column_width - cell.width) / 2;
      out.lines.push_back(std::move(cell));
    }
    column_left += column_width;
    height = std::max(height, top);
  }
  out.block = {column_left, height};
}

// The block a text's lines make depends only on these; the place on the page is added per use.
std::string block_key(const TextCmd& text) {
  std::string key = text.text;
  key += '\0';
  key += text.font.family;
  key += '\0';
  const double numbers[] = {text.font.size, text.wrap ? text.box.width : -1.0};
  key.append(reinterpret_cast<const char*>(numbers), sizeof numbers);
  key += static_cast<char>((text.font.bold ? 1 : 0) | (text.font.italic ? 2 : 0) |
                           (text.flow == TextFlow::kStacked ? 4 : 0));
  key += static_cast<char>(text.halign);
  return key;
}

// A run lays out the same labels many times: the chart steps, then every picture and page that
// shows the charts. Each thread keeps the blocks it laid out, as it keeps its pango context; a
// long-lived thread (a batch) starts afresh when the table grows large.
const TextLayout& block_layout(const TextCmd& text) {
  constexpr std::size_t kMaxBlocks = 4096;
  thread_local std::unordered_map<std::string, TextLayout> blocks;
  std::string key = block_key(text);
  if (const auto found = blocks.find(key); found != blocks.end()) return found->second;
  if (blocks.size() >= kMaxBlocks) blocks.clear();
  TextLayout layout;
  if (text.flow == TextFlow::kStacked) {
    layout_stacked(text, layout);
  } else {
    layout_horizontal(text, layout);
  }
  return blocks.emplace(std::move(key), std::move(layout)).first->second;
}

}  // namespace

PangoContext* text_context() {
  thread_local ThreadTextContext context;
  return context.context.get();
}

PangoFontDescription* font_description(const Font& font) {
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, font.family.c_str());
  pango_font_description_set_size(description,
                                  static_cast<int>(std::lround(font.size * PANGO_SCALE)));
  pango_font_description_set_weight(description,
                                    font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description,
                                   font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return description;
}

PangoLayout* line_layout(const Font& font, std::string_view line) {
  PangoLayout* layout = new_layout(font, line).release();
  if (font.underline) {
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    pango_layout_set_attributes(layout, attributes);
    pango_attr_list_unref(attributes);
  }
  return layout;
}

std::vector<double> character_advances(const Font& font, std::string_view text) {
  // One walk over the layout, character by character: asking for each index's position
  // separately walks the line from its start every time, which grows with the square of the
  // length. The walk goes in visual order, so widths are kept by byte index and read back in
  // logical order; a character pango does not visit (a line's end) has no width.
  const auto fonts = lock_fonts();
  auto layout = new_layout(font, text);
  std::vector<double> width_at(text.size() + 1, 0.0);
  PangoLayoutIter* iter = pango_layout_get_iter(layout.get());
  do {
    const int index = pango_layout_iter_get_index(iter);
    if (index < 0 || static_cast<std::size_t>(index) >= text.size()) continue;
    PangoRectangle extents;
    pango_layout_iter_get_char_extents(iter, &extents);
    width_at[static_cast<std::size_t>(index)] = std::abs(from_pango(extents.width));
  } while (pango_layout_iter_next_char(iter));
  pango_layout_iter_free(iter);
  std::vector<double> out;
  std::size_t index = 0;
  for (std::string_view ch : characters(text)) {
    out.push_back(width_at[index]);
    index += ch.size();
  }
  return out;
}

TextLayout layout_text(const TextCmd& text) {
  TextLayout out = [&] {
    const auto fonts = lock_fonts();
    return block_layout(text);
  }();
  const Size extent = rotated_extent(out.block, text.rotation);
  double left = text.box.x;
  double top = text.box.y;
  switch (text.halign) {
    case HAlign::kLeft:
      break;
    case HAlign::kCentre:
      left += (text.box.width - extent.width) / 2;
      break;
    case HAlign::kRight:
      left += text.box.width - extent.width;
      break;
  }
  switch (text.valign) {
    case VAlign::kTop:
      break;
    case VAlign::kCentre:
      top += (text.box.height - extent.height) / 2;
      break;
    case VAlign::kBottom:
      top += text.box.height - extent.height;
      break;
  }
  // Counter-clockwise on the page is a negative angle in y-down coordinates.
  out.to_page = Transform::compose(
      Transform::translation(left + extent.width / 2, top + extent.height / 2),
      Transform::compose(Transform::rotation(-text.rotation),
                         Transform::translation(-out.block.width / 2, -out.block.height / 2)));
  return out;
}

Size measure_text(const TextCmd& text) {
  const auto fonts = lock_fonts();
  return block_layout(text).block;
}

Size rotated_extent(Size size, double degrees) {
  const double radians = degrees * 3.14159265358979323846 / 180.0;
  const double c = std::abs(std::cos(radians));
  const double s = std::abs(std::sin(radians));
  return {size.width * c + size.height * s, size.width * s + size.height * c};
}

}  // namespace fb::render
