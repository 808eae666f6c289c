#include "platform/render/subset_text_renderer.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/utf16.h"

namespace fb::render {

namespace {

// A pango renderer handing its runs and rectangles to a SubsetTextRenderer; pango works out the
// runs' places and the underlines.
struct Renderer {
  PangoRenderer parent;
  SubsetTextRenderer* owner;
};

struct RendererClass {
  PangoRendererClass parent_class;
};

GType renderer_type();

SubsetTextRenderer* owner_of(PangoRenderer* renderer) {
  return G_TYPE_CHECK_INSTANCE_CAST(renderer, renderer_type(), Renderer)->owner;
}

void draw_glyph_item(PangoRenderer* renderer, const char* text, PangoGlyphItem* run, int x, int y) {
  owner_of(renderer)->draw_run(text, run, x, y);
}

void draw_glyphs(PangoRenderer* renderer, PangoFont* font, PangoGlyphString* glyphs, int x, int y) {
  owner_of(renderer)->draw_whole(font, glyphs, x, y);
}

void draw_rectangle(PangoRenderer* renderer, PangoRenderPart, int x, int y, int width, int height) {
  owner_of(renderer)->draw_rectangle(x, y, width, height);
}

void class_init(gpointer klass, gpointer) {
  auto* renderer_class = static_cast<PangoRendererClass*>(klass);
  renderer_class->draw_glyph_item = draw_glyph_item;
  renderer_class->draw_glyphs = draw_glyphs;
  renderer_class->draw_rectangle = draw_rectangle;
}

GType renderer_type() {
  static const GType type = g_type_register_static_simple(
      PANGO_TYPE_RENDERER, "FbSubsetTextRenderer", sizeof(RendererClass), class_init,
      sizeof(Renderer), nullptr, GTypeFlags{});
  return type;
}

bool has_unknown_glyph(const PangoGlyphString* glyphs) {
  return std::any_of(
      glyphs->glyphs, glyphs->glyphs + glyphs->num_glyphs, [](const PangoGlyphInfo& g) {
        return g.glyph != PANGO_GLYPH_EMPTY && (g.glyph & PANGO_GLYPH_UNKNOWN_FLAG) != 0;
      });
}

// The text clusters of a run, as cairo wants them to map the glyphs to their characters.
std::vector<cairo_text_cluster_t> clusters_of(const char* text, PangoGlyphItem* run) {
  std::vector<cairo_text_cluster_t> clusters;
  const bool backward = (run->item->analysis.level & 1) != 0;
  PangoGlyphItemIter iter;
  if (!pango_glyph_item_iter_init_start(&iter, run, text)) return clusters;
  do {
    int glyphs = backward ? iter.start_glyph - iter.end_glyph : iter.end_glyph - iter.start_glyph;
    for (int i = std::min(iter.start_glyph, iter.end_glyph + 1);
         i < std::max(iter.start_glyph + 1, iter.end_glyph); ++i) {
      if (run->glyphs->glyphs[i].glyph == PANGO_GLYPH_EMPTY) --glyphs;
    }
    clusters.push_back({iter.end_index - iter.start_index, glyphs});
  } while (pango_glyph_item_iter_next_cluster(&iter));
  return clusters;
}

bool is_noncharacter(char32_t c) {
  return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

// cairo refuses to map glyphs to a text that holds a non-character (U+FDD0 to U+FDEF, the last
// two code points of every plane), and the whole page fails with it; a caption may hold one.
// The text the PDF's text layer gets has each replaced by a character of the same UTF-8 length,
// so the runs' byte offsets stay valid: U+FFFD, or for the four-byte ones the private-use
// U+10FFFD. Nothing to replace (nearly always): no copy.
std::optional<std::string> text_cairo_accepts(const char* text) {
  const std::string_view in(text);
  std::optional<std::string> out;
  for (std::size_t i = 0; i < in.size();) {
    const std::size_t start = i;
    if (is_noncharacter(os::decode_utf8(in, i))) {
      if (!out) out.emplace(in);
      out->replace(start, i - start, i - start == 3 ? "\xEF\xBF\xBD" : "\xF4\x8F\xBF\xBD");
    }
  }
  return out;
}

}  // namespace

SubsetTextRenderer::SubsetTextRenderer(const FontSubsets& fonts)
    : fonts_(fonts),
      renderer_(static_cast<PangoRenderer*>(g_object_new(renderer_type(), nullptr))) {
  G_TYPE_CHECK_INSTANCE_CAST(renderer_, renderer_type(), Renderer)->owner = this;
}

SubsetTextRenderer::~SubsetTextRenderer() {
  for (auto& [font, scaled] : scaled_fonts_) {
    cairo_scaled_font_destroy(scaled);
    g_object_unref(font);
  }
  g_object_unref(renderer_);
}

void SubsetTextRenderer::show(cairo_t* cr, PangoLayout* layout) {
  cr_ = cr;
  const bool had_point = cairo_has_current_point(cr);
  x_offset_ = y_offset_ = 0;
  if (had_point) cairo_get_current_point(cr, &x_offset_, &y_offset_);
  pango_renderer_draw_layout(renderer_, layout, 0, 0);
  if (had_point) {
    cairo_move_to(cr, x_offset_, y_offset_);
  } else {
    cairo_new_path(cr);
  }
  cr_ = nullptr;
}

cairo_scaled_font_t* SubsetTextRenderer::scaled_font(PangoFont* font, const SubsetFont& subset) {
  if (const auto found = scaled_fonts_.find(font); found != scaled_fonts_.end()) {
    return found->second;
  }
  // The subset at the size, slant and options pango chose for the whole font.
  cairo_scaled_font_t* original = pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(font));
  if (original == nullptr) return nullptr;
  cairo_matrix_t font_matrix;
  cairo_matrix_t ctm;
  cairo_scaled_font_get_font_matrix(original, &font_matrix);
  cairo_scaled_font_get_ctm(original, &ctm);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_scaled_font_get_font_options(original, options);
  cairo_scaled_font_t* scaled =
      cairo_scaled_font_create(subset.face(), &font_matrix, &ctm, options);
  cairo_font_options_destroy(options);
  if (cairo_scaled_font_status(scaled) != CAIRO_STATUS_SUCCESS) {
    cairo_scaled_font_destroy(scaled);
    return nullptr;
  }
  scaled_fonts_.emplace(static_cast<PangoFont*>(g_object_ref(font)), scaled);
  return scaled;
}

void SubsetTextRenderer::draw_run(const char* layout_text, PangoGlyphItem* run, int x, int y) {
  const std::optional<std::string> accepted = text_cairo_accepts(layout_text);
  const char* text = accepted ? accepted->c_str() : layout_text;
  PangoFont* font = run->item->analysis.font;
  const SubsetFont* subset = fonts_.find(font);
  cairo_scaled_font_t* scaled = subset == nullptr ? nullptr : scaled_font(font, *subset);
  const double base_x = x_offset_ + static_cast<double>(x) / PANGO_SCALE;
  const double base_y = y_offset_ + static_cast<double>(y) / PANGO_SCALE;
  std::vector<cairo_glyph_t> glyphs;
  glyphs.reserve(static_cast<std::size_t>(run->glyphs->num_glyphs));
  int advance = 0;
  bool complete = scaled != nullptr && !has_unknown_glyph(run->glyphs);
  for (int i = 0; complete && i < run->glyphs->num_glyphs; ++i) {
    const PangoGlyphInfo& g = run->glyphs->glyphs[i];
    std::uint32_t index = 0;
    if (g.glyph != PANGO_GLYPH_EMPTY) {
      complete = subset->glyph(g.glyph, index);
      glyphs.push_back({index,
                        base_x + static_cast<double>(advance + g.geometry.x_offset) / PANGO_SCALE,
                        base_y + static_cast<double>(g.geometry.y_offset) / PANGO_SCALE});
    }
    advance += g.geometry.width;
  }
  cairo_save(cr_);
  if (!complete) {
    // A run the subsets cannot draw (a character no font has, drawn as a box with its code;
    // a font left whole) is drawn by pango with the whole font.
    cairo_move_to(cr_, base_x, base_y);
    pango_cairo_show_glyph_item(cr_, text, run);
  } else {
    const std::vector<cairo_text_cluster_t> clusters = clusters_of(text, run);
    cairo_set_scaled_font(cr_, scaled);
    cairo_show_text_glyphs(cr_, text + run->item->offset, run->item->length, glyphs.data(),
                           static_cast<int>(glyphs.size()), clusters.data(),
                           static_cast<int>(clusters.size()),
                           (run->item->analysis.level & 1) != 0 ? CAIRO_TEXT_CLUSTER_FLAG_BACKWARD
                                                                : cairo_text_cluster_flags_t{});
  }
  cairo_restore(cr_);
}

void SubsetTextRenderer::draw_whole(PangoFont* font, PangoGlyphString* glyphs, int x, int y) {
  cairo_save(cr_);
  cairo_move_to(cr_, x_offset_ + static_cast<double>(x) / PANGO_SCALE,
                y_offset_ + static_cast<double>(y) / PANGO_SCALE);
  pango_cairo_show_glyph_string(cr_, font, glyphs);
  cairo_restore(cr_);
}

void SubsetTextRenderer::draw_rectangle(int x, int y, int width, int height) {
  cairo_rectangle(cr_, x_offset_ + static_cast<double>(x) / PANGO_SCALE,
                  y_offset_ + static_cast<double>(y) / PANGO_SCALE,
                  static_cast<double>(width) / PANGO_SCALE,
                  static_cast<double>(height) / PANGO_SCALE);
  cairo_fill(cr_);
}

}  // namespace fb::render
