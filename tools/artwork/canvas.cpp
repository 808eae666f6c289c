#include "tools/artwork/canvas.h"

#include <pango/pangocairo.h>

#include <cmath>

#include "platform/render/font_setup.h"

namespace fb::artwork {

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::SetColour(Colour colour, double alpha) {
  cairo_set_source_rgba(cr_, colour.r, colour.g, colour.b, alpha);
}

void Canvas::Fill(Colour colour, double alpha) {
  cairo_save(cr_);
  SetColour(colour, alpha);
  cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

void Canvas::RoundedRect(double x, double y, double w, double h, double radius) {
  cairo_new_sub_path(cr_);
  if (radius <= 0) {
    cairo_rectangle(cr_, x, y, w, h);
    return;
  }
  cairo_arc(cr_, x + w - radius, y + radius, radius, -M_PI / 2, 0);
  cairo_arc(cr_, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
  cairo_arc(cr_, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
  cairo_arc(cr_, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr_);
}

void Canvas::Line(double x1, double y1, double x2, double y2, double width, Colour colour) {
  cairo_save(cr_);
  SetColour(colour);
  cairo_set_line_width(cr_, width);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr_, x1, y1);
  cairo_line_to(cr_, x2, y2);
  cairo_stroke(cr_);
  cairo_restore(cr_);
}

void Canvas::VerticalGradient(double x, double y, double w, double h, Colour top, Colour bottom,
                              double radius) {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgb(pattern, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(pattern, 1, bottom.r, bottom.g, bottom.b);
  cairo_save(cr_);
  cairo_set_source(cr_, pattern);
  RoundedRect(x, y, w, h, radius);
  cairo_fill(cr_);
  cairo_restore(cr_);
  cairo_pattern_destroy(pattern);
}

namespace {

PangoLayout* Layout(cairo_t* cr, std::string_view text, const Canvas::TextStyle& style,
                    bool markup) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  // Fixed rendering options, so the pictures do not depend on the desktop's font settings.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
  cairo_font_options_destroy(options);
  pango_layout_context_changed(layout);
  PangoFontDescription* font = pango_font_description_new();
  pango_font_description_set_family(font, style.family.c_str());
  pango_font_description_set_absolute_size(font, style.size_px * PANGO_SCALE);
  pango_font_description_set_weight(font, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);
  pango_context_set_language(pango_layout_get_context(layout), pango_language_from_string("zh-cn"));
  if (style.width > 0) {
    pango_layout_set_width(layout, static_cast<int>(style.width * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  }
  pango_layout_set_spacing(layout, static_cast<int>(style.spacing * PANGO_SCALE));
  pango_layout_set_alignment(layout, style.align == 1   ? PANGO_ALIGN_CENTER
                                     : style.align == 2 ? PANGO_ALIGN_RIGHT
                                                        : PANGO_ALIGN_LEFT);
  if (markup) {
    pango_layout_set_markup(layout, text.data(), static_cast<int>(text.size()));
  } else {
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  }
  return layout;
}

}  // namespace

double Canvas::Text(double x, double y, std::string_view text, const TextStyle& style,
                    bool markup) {
  PangoLayout* layout = Layout(cr_, text, style, markup);
  cairo_save(cr_);
  SetColour(style.colour);
  cairo_move_to(cr_, x, y);
  pango_cairo_show_layout(cr_, layout);
  cairo_restore(cr_);
  int w = 0;
  int h = 0;
  pango_layout_get_pixel_size(layout, &w, &h);
  g_object_unref(layout);
  return h;
}

std::pair<double, double> Canvas::Measure(std::string_view text, const TextStyle& style) const {
  PangoLayout* layout = Layout(cr_, text, style, false);
  int w = 0;
  int h = 0;
  pango_layout_get_pixel_size(layout, &w, &h);
  g_object_unref(layout);
  return {w, h};
}

namespace {
cairo_status_t AppendPng(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}
}  // namespace

std::vector<std::uint8_t> Canvas::Png() const {
  std::vector<std::uint8_t> bytes;
  cairo_surface_flush(surface_);
  cairo_surface_write_to_png_stream(surface_, AppendPng, &bytes);
  return bytes;
}

std::vector<std::uint8_t> Canvas::Rgba() const {
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(width_) * height_ * 4);
  for (int y = 0; y < height_; ++y) {
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
    for (int x = 0; x < width_; ++x) {
      const std::uint32_t argb = row[x];
      const unsigned a = argb >> 24;
      auto straight = [a](unsigned c) {
        return static_cast<std::uint8_t>(a == 0 ? 0 : std::min(255u, (c * 255 + a / 2) / a));
      };
      std::uint8_t* p = &out[(static_cast<std::size_t>(y) * width_ + x) * 4];
      p[0] = straight((argb >> 16) & 0xFF);
      p[1] = straight((argb >> 8) & 0xFF);
      p[2] = straight(argb & 0xFF);
      p[3] = static_cast<std::uint8_t>(a);
    }
  }
  return out;
}

void LoadFonts() {
  fb::render::load_product_fonts();
}

}  // namespace fb::artwork
