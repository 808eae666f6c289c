#include "platform/render/cairo_sink.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "platform/os/atomic_file.h"
#include "platform/render/font_lock.h"
#include "platform/render/font_subset.h"
#include "platform/render/image_pixels.h"
#include "platform/render/office_patterns.h"
#include "platform/render/stroke_style.h"
#include "platform/render/subset_text_renderer.h"
#include "platform/render/text_layout.h"

namespace fb::render {

namespace {

void set_colour(cairo_t* cr, const Colour& c) {
  cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, c.a / 255.0);
}

std::uint32_t premultiplied(const Colour& c) {
  const unsigned a = c.a;
  auto pre = [a](unsigned v) { return (v * a + 127) / 255; };
  return (a << 24) | (pre(c.r) << 16) | (pre(c.g) << 8) | pre(c.b);
}

cairo_surface_t* surface_of(const RgbaPixels& pixels) {
  cairo_surface_t* surface = cairo_image_surface_create(
      CAIRO_FORMAT_ARGB32, std::max(pixels.width, 1), std::max(pixels.height, 1));
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x) {
      const std::uint8_t* p = &pixels.rgba[(static_cast<std::size_t>(y) * pixels.width + x) * 4];
      const std::uint32_t pixel = premultiplied({p[0], p[1], p[2], p[3]});
      std::memcpy(data + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 4,
                  &pixel, 4);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

class CairoReplay {
 public:
  // Texts are drawn with the fonts of `subset_text` when given, else with pango's renderer.
  explicit CairoReplay(cairo_t* cr, SubsetTextRenderer* subset_text = nullptr)
      : cr_(cr), subset_text_(subset_text) {}

  void run(const std::vector<Command>& commands) {
    for (const Command& command : commands) {
      std::visit([this](const auto& c) { draw(c); }, static_cast<const Command::variant&>(command));
    }
  }

 private:
  void apply_stroke(const Stroke& stroke) {
    set_colour(cr_, stroke.colour);
    double width = stroke.width;
    if (width <= 0) {
      // A hairline: one device pixel whatever the scale.
      double dx = 1, dy = 0;
      cairo_device_to_user_distance(cr_, &dx, &dy);
      width = std::hypot(dx, dy);
    }
    cairo_set_line_width(cr_, width);
    switch (stroke.cap) {
      case LineCap::kFlat:
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
        break;
      case LineCap::kRound:
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
        break;
      case LineCap::kSquare:
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_SQUARE);
        break;
    }
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
    const std::vector<double> dashes = dash_lengths(stroke.dash, width);
    cairo_set_dash(cr_, dashes.data(), static_cast<int>(dashes.size()), 0);
  }

  // Fills the current path (keeping it) with `fill`, whose gradient spans `bounds`.
  void apply_fill(const Fill& fill, const Rect& bounds) {
    if (std::holds_alternative<NoFill>(fill)) return;
    if (const auto* solid = std::get_if<SolidFill>(&fill)) {
      set_colour(cr_, solid->colour);
      cairo_fill_preserve(cr_);
      return;
    }
    if (const auto* pattern = std::get_if<PatternFill>(&fill)) {
      const PatternCell& cell = office_pattern_cell(pattern->pattern);
      cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
      cairo_surface_flush(tile);
      unsigned char* data = cairo_image_surface_get_data(tile);
      const int stride = cairo_image_surface_get_stride(tile);
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
          const bool set = (cell[y] >> (7 - x)) & 1;
          const std::uint32_t pixel =
              premultiplied(set ? pattern->foreground : pattern->background);
          std::memcpy(data + static_cast<std::ptrdiff_t>(y * stride + x * 4), &pixel, 4);
        }
      }
      cairo_surface_mark_dirty(tile);
      cairo_pattern_t* source = cairo_pattern_create_for_surface(tile);
      cairo_pattern_set_extend(source, CAIRO_EXTEND_REPEAT);
      cairo_pattern_set_filter(source, CAIRO_FILTER_NEAREST);
      cairo_matrix_t matrix;
      cairo_matrix_init_scale(&matrix, 1 / kPatternPixel, 1 / kPatternPixel);
      cairo_pattern_set_matrix(source, &matrix);
      cairo_set_source(cr_, source);
      cairo_fill_preserve(cr_);
      cairo_pattern_destroy(source);
      cairo_surface_destroy(tile);
      return;
    }
    const auto& gradient = std::get<GradientFill>(fill);
    cairo_pattern_t* source = cairo_pattern_create_linear(
        bounds.x + gradient.start.x * bounds.width, bounds.y + gradient.start.y * bounds.height,
        bounds.x + gradient.end.x * bounds.width, bounds.y + gradient.end.y * bounds.height);
    auto stop = [source](double at, const Colour& c) {
      cairo_pattern_add_color_stop_rgba(source, at, c.r / 255.0, c.g / 255.0, c.b / 255.0,
                                        c.a / 255.0);
    };
    stop(0, gradient.from);
    if (gradient.mirrored) {
      stop(0.5, gradient.to);
      stop(1, gradient.from);
    } else {
      stop(1, gradient.to);
    }
    cairo_set_source(cr_, source);
    cairo_fill_preserve(cr_);
    cairo_pattern_destroy(source);
  }

  void finish_shape(const Fill& fill, const std::optional<Stroke>& stroke, const Rect& bounds) {
    apply_fill(fill, bounds);
    if (stroke) {
      apply_stroke(*stroke);
      cairo_stroke_preserve(cr_);
    }
    cairo_new_path(cr_);
  }

  void draw(const LineCmd& line) {
    cairo_move_to(cr_, line.from.x, line.from.y);
    cairo_line_to(cr_, line.to.x, line.to.y);
    apply_stroke(line.stroke);
    cairo_stroke(cr_);
  }

  void draw(const PolylineCmd& line) {
    if (line.points.size() < 2) return;
    cairo_move_to(cr_, line.points[0].x, line.points[0].y);
    for (std::size_t i = 1; i < line.points.size(); ++i) {
      cairo_line_to(cr_, line.points[i].x, line.points[i].y);
    }
    apply_stroke(line.stroke);
    cairo_stroke(cr_);
  }

  void draw(const RectCmd& rect) {
    const Rect& r = rect.rect;
    const double radius = std::min({rect.corner_radius, r.width / 2, r.height / 2});
    if (radius > 0) {
      constexpr double kQuarter = 1.5707963267948966;
      cairo_new_sub_path(cr_);
      cairo_arc(cr_, r.right() - radius, r.y + radius, radius, -kQuarter, 0);
      cairo_arc(cr_, r.right() - radius, r.bottom() - radius, radius, 0, kQuarter);
      cairo_arc(cr_, r.x + radius, r.bottom() - radius, radius, kQuarter, 2 * kQuarter);
      cairo_arc(cr_, r.x + radius, r.y + radius, radius, 2 * kQuarter, 3 * kQuarter);
      cairo_close_path(cr_);
    } else {
      cairo_rectangle(cr_, r.x, r.y, r.width, r.height);
    }
    finish_shape(rect.fill, rect.stroke, r);
  }

  void draw(const PolygonCmd& polygon) {
    if (polygon.points.size() < 3) return;
    cairo_move_to(cr_, polygon.points[0].x, polygon.points[0].y);
    for (std::size_t i = 1; i < polygon.points.size(); ++i) {
      cairo_line_to(cr_, polygon.points[i].x, polygon.points[i].y);
    }
    cairo_close_path(cr_);
    finish_shape(polygon.fill, polygon.stroke, bounds_of(polygon.points));
  }

  void draw(const EllipseCmd& ellipse) {
    const Rect& r = ellipse.bounds;
    if (r.width <= 0 || r.height <= 0) return;
    cairo_save(cr_);
    cairo_translate(cr_, r.x + r.width / 2, r.y + r.height / 2);
    cairo_scale(cr_, r.width / 2, r.height / 2);
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, 0, 0, 1, 0, 2 * 3.14159265358979323846);
    cairo_restore(cr_);
    finish_shape(ellipse.fill, ellipse.stroke, r);
  }

  void draw(const TextCmd& text) {
    if (text.text.empty()) return;
    const auto fonts = lock_fonts();
    const TextLayout layout = layout_text(text);
    cairo_save(cr_);
    if (text.clip) {
      cairo_rectangle(cr_, text.box.x, text.box.y, text.box.width, text.box.height);
      cairo_clip(cr_);
    }
    const Transform& t = layout.to_page;
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, t.xx, t.yx, t.xy, t.yy, t.dx, t.dy);
    cairo_transform(cr_, &matrix);
    set_colour(cr_, text.colour);
    for (const TextLine& line : layout.lines) {
      if (line.text.empty()) continue;
      PangoLayout* pango = line_layout(text.font, line.text);
      const double baseline = static_cast<double>(pango_layout_get_baseline(pango)) / PANGO_SCALE;
      cairo_move_to(cr_, line.x, line.baseline - baseline);
      if (subset_text_ != nullptr) {
        subset_text_->show(cr_, pango);
      } else {
        pango_cairo_show_layout(cr_, pango);
      }
      g_object_unref(pango);
    }
    cairo_restore(cr_);
  }

  void draw(const ImageCmd& image) {
    const RgbaPixels pixels = image_pixels(image);
    if (pixels.width == 0 || pixels.height == 0 || image.dest.width <= 0 ||
        image.dest.height <= 0) {
      return;
    }
    cairo_surface_t* surface = surface_of(pixels);
    cairo_save(cr_);
    cairo_rectangle(cr_, image.dest.x, image.dest.y, image.dest.width, image.dest.height);
    cairo_clip(cr_);
    cairo_translate(cr_, image.dest.x, image.dest.y);
    cairo_scale(cr_, image.dest.width / pixels.width, image.dest.height / pixels.height);
    cairo_set_source_surface(cr_, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr_), CAIRO_EXTEND_PAD);
    cairo_paint(cr_);
    cairo_restore(cr_);
    cairo_surface_destroy(surface);
  }

  void draw(const GroupCmd& group) {
    cairo_save(cr_);
    const Transform& t = group.transform;
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, t.xx, t.yx, t.xy, t.yy, t.dx, t.dy);
    cairo_transform(cr_, &matrix);
    if (group.clip) {
      cairo_rectangle(cr_, group.clip->x, group.clip->y, group.clip->width, group.clip->height);
      cairo_clip(cr_);
    }
    run(group.children);
    cairo_restore(cr_);
  }

  cairo_t* cr_;
  SubsetTextRenderer* subset_text_;
};

void replay(const DisplayList& list, cairo_t* cr, SubsetTextRenderer* subset_text = nullptr) {
  if (list.background()) {
    set_colour(cr, *list.background());
    cairo_paint(cr);
  }
  CairoReplay(cr, subset_text).run(list.commands());
}

// Every glyph the texts of `commands` draw, to make the PDF's fonts of.
void collect_glyphs(const std::vector<Command>& commands, FontSubsets& fonts) {
  for (const Command& command : commands) {
    if (const auto* group = std::get_if<GroupCmd>(&command)) {
      collect_glyphs(group->children, fonts);
    } else if (const auto* text = std::get_if<TextCmd>(&command); text && !text->text.empty()) {
      for (const TextLine& line : layout_text(*text).lines) {
        if (line.text.empty()) continue;
        PangoLayout* pango = line_layout(text->font, line.text);
        fonts.collect(pango);
        g_object_unref(pango);
      }
    }
  }
}

cairo_status_t append_bytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

void check_size(const DisplayList& list) {
  const Size size = list.size();
  if (!(size.width > 0) || !(size.height > 0)) {
    throw std::invalid_argument("a drawing needs a positive width and height to be rendered");
  }
}

}  // namespace

RgbaPixels rasterize(const DisplayList& list, double scale) {
  check_size(list);
  if (!(scale > 0)) throw std::invalid_argument("the raster scale must be positive");
  const int width = static_cast<int>(std::ceil(list.size().width * scale - 1e-9));
  const int height = static_cast<int>(std::ceil(list.size().height * scale - 1e-9));
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, scale, scale);
  replay(list, cr);
  const cairo_status_t status = cairo_status(cr);
  {
    const auto fonts = lock_fonts();  // the context lets go of the last font it drew with
    cairo_destroy(cr);
  }
  cairo_surface_flush(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    throw std::runtime_error(std::string("drawing failed: ") + cairo_status_to_string(status));
  }
  RgbaPixels out{width, height,
                 std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel;
      std::memcpy(&pixel,
                  data + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 4, 4);
      const unsigned a = pixel >> 24;
      // Opaque pixels, most of a page, keep their values; only the others are divided out.
      auto channel = [a](unsigned v) {
        if (a == 255) return static_cast<std::uint8_t>(v);
        return static_cast<std::uint8_t>(a == 0 ? 0 : std::min(255u, (v * 255 + a / 2) / a));
      };
      std::uint8_t* p = &out.rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      p[0] = channel((pixel >> 16) & 0xFF);
      p[1] = channel((pixel >> 8) & 0xFF);
      p[2] = channel(pixel & 0xFF);
      p[3] = static_cast<std::uint8_t>(a);
    }
  }
  cairo_surface_destroy(surface);
  return out;
}

std::vector<std::uint8_t> render_png(const DisplayList& list, double scale) {
  return encode_png(rasterize(list, scale));
}

std::vector<std::uint8_t> render_pdf(const DisplayList& list) {
  check_size(list);
  std::vector<std::uint8_t> out;
  // The page's own fonts are made, used and let go of throughout, and the surface embeds them
  // as it finishes: all of it holds the lock, which goes last, after the fonts.
  const auto fonts_in_use = lock_fonts();
  cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(
      append_bytes, &out, list.size().width, list.size().height);
  FontSubsets fonts;
  collect_glyphs(list.commands(), fonts);
  fonts.build();
  SubsetTextRenderer subset_text(fonts);
  cairo_t* cr = cairo_create(surface);
  replay(list, cr, &subset_text);
  cairo_show_page(cr);
  const cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const cairo_status_t finish_status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS || finish_status != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error(
        std::string("PDF drawing failed: ") +
        cairo_status_to_string(status != CAIRO_STATUS_SUCCESS ? status : finish_status));
  }
  return out;
}

void write_png(const DisplayList& list, const std::filesystem::path& path, double scale) {
  const std::vector<std::uint8_t> bytes = render_png(list, scale);
  os::write_file_atomically(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

void write_pdf(const DisplayList& list, const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = render_pdf(list);
  os::write_file_atomically(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

}  // namespace fb::render
