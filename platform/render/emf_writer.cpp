#include "platform/render/emf_writer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/os/atomic_file.h"
#include "platform/render/image_pixels.h"
#include "platform/render/office_patterns.h"
#include "platform/render/stroke_style.h"
#include "platform/render/text_layout.h"
#include "platform/render/text_metrics.h"

namespace fb::render {

namespace {

constexpr double kUnitsPerPoint = 20;

// Record types and constants of the format.
enum Record : std::uint32_t {
  kHeader = 1,
  kPolygon = 3,
  kPolyline = 4,
  kEof = 14,
  kSetMapMode = 17,
  kSetBkMode = 18,
  kSetPolyFillMode = 19,
  kSetTextAlign = 22,
  kSetTextColor = 24,
  kIntersectClipRect = 30,
  kSaveDc = 33,
  kRestoreDc = 34,
  kSelectObject = 37,
  kCreateBrushIndirect = 39,
  kDeleteObject = 40,
  kStretchDiBits = 81,
  kExtCreateFontIndirectW = 82,
  kExtTextOutW = 84,
  kExtCreatePen = 95,
  kAlphaBlend = 114,
};
constexpr std::uint32_t kStockObject = 0x80000000;
constexpr std::uint32_t kNullBrush = 5;
constexpr std::uint32_t kNullPen = 8;
constexpr std::uint32_t kSystemFont = 13;
constexpr std::uint32_t kPenHandle = 1;
constexpr std::uint32_t kBrushHandle = 2;
constexpr std::uint32_t kFontHandle = 3;

struct Long4 {
  std::int32_t left, top, right, bottom;
};

class RecordBuffer {
 public:
  explicit RecordBuffer(std::uint32_t type) {
    bytes_.reserve(kTypicalSize);  // most records fit: no growing field by field
    u32(type), u32(0);
  }
  RecordBuffer& u32(std::uint32_t v) { return raw(&v, 4); }
  RecordBuffer& i32(std::int32_t v) { return raw(&v, 4); }
  RecordBuffer& u16(std::uint16_t v) { return raw(&v, 2); }
  RecordBuffer& u8(std::uint8_t v) { return raw(&v, 1); }
  RecordBuffer& f32(float v) { return raw(&v, 4); }
  RecordBuffer& rect(const Long4& r) { return i32(r.left).i32(r.top).i32(r.right).i32(r.bottom); }
  RecordBuffer& raw(const void* data, std::size_t n) {
    // resize and copy rather than insert: GCC 12 misreads the insert as an overflow.
    const std::size_t at = bytes_.size();
    bytes_.resize(at + n);
    if (n != 0) std::memcpy(bytes_.data() + at, data, n);
    return *this;
  }
  RecordBuffer& pad() {
    while (bytes_.size() % 4) bytes_.push_back(0);
    return *this;
  }
  std::size_t size() const { return bytes_.size(); }
  std::vector<std::uint8_t> finish() {
    pad();
    const auto n = static_cast<std::uint32_t>(bytes_.size());
    std::memcpy(&bytes_[4], &n, 4);
    return std::move(bytes_);
  }

 private:
  static constexpr std::size_t kTypicalSize = 128;
  std::vector<std::uint8_t> bytes_;
};

std::uint32_t colour_ref(const Colour& c) {
  return c.r | (c.g << 8) | (c.b << 16);
}

Colour blend(const Colour& a, const Colour& b, double t) {
  auto mix = [t](std::uint8_t x, std::uint8_t y) {
    return static_cast<std::uint8_t>(std::lround(x + (y - x) * t));
  };
  return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b), mix(a.a, b.a)};
}

std::u16string utf16(std::string_view text) {
  std::u16string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::uint32_t cp = lead;
    std::size_t n = 1;
    if (lead >= 0xF0) {
      cp = lead & 0x07, n = 4;
    } else if (lead >= 0xE0) {
      cp = lead & 0x0F, n = 3;
    } else if (lead >= 0xC0) {
      cp = lead & 0x1F, n = 2;
    }
    for (std::size_t k = 1; k < n && i + k < text.size(); ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    i += n;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

bool has_cjk(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0xE0) return true;
  }
  return false;
}

class EmfWriter {
 public:
  std::vector<std::uint8_t> document(const DisplayList& list) {
    size_ = list.size();
    if (!(size_.width > 0) || !(size_.height > 0)) {
      throw std::invalid_argument("a drawing needs a positive width and height to be rendered");
    }
    add(RecordBuffer(kSetMapMode).u32(1));       // MM_TEXT: logical units are device units
    add(RecordBuffer(kSetBkMode).u32(1));        // TRANSPARENT behind texts and hatches
    add(RecordBuffer(kSetPolyFillMode).u32(2));  // WINDING
    add(RecordBuffer(kSetTextAlign).u32(24));    // TA_BASELINE | TA_LEFT
    if (list.background()) {
      fill_polygon(rect_points({0, 0, size_.width, size_.height}, {}), *list.background());
    }
    run(list.commands(), Transform{});
    add(RecordBuffer(kEof).u32(0).u32(16).u32(20));

    std::vector<std::uint8_t> out = header();
    for (const auto& record : records_) out.insert(out.end(), record.begin(), record.end());
    const auto total = static_cast<std::uint32_t>(out.size());
    std::memcpy(&out[48], &total, 4);
    return out;
  }

 private:
  std::vector<std::uint8_t> header() {
    static constexpr char16_t kDescription[] = u"fishbone\0drawing\0";
    const std::uint32_t description_chars = std::size(kDescription) - 1;
    RecordBuffer r(kHeader);
    const Long4 bounds{0, 0, units(size_.width) - 1, units(size_.height) - 1};
    // Frame in 0.01 mm.
    const Long4 frame{0, 0, static_cast<std::int32_t>(std::lround(size_.width / 72 * 2540)),
                      static_cast<std::int32_t>(std::lround(size_.height / 72 * 2540))};
    r.rect(bounds).rect(frame);
    r.u32(0x464D4520).u32(0x10000);
    r.u32(0);  // total bytes, patched at the end
    r.u32(static_cast<std::uint32_t>(records_.size() + 1));
    r.u16(4).u16(0);  // handles: the stock table entry 0 plus pen, brush and font
    r.u32(description_chars).u32(108);
    r.u32(0);
    // A 1440 dpi reference device: 14400 pixels in 254 mm.
    r.i32(14400).i32(14400).i32(254).i32(254);
    r.u32(0).u32(0).u32(0);
    r.i32(254000).i32(254000);
    r.raw(kDescription, static_cast<std::size_t>(description_chars) * 2);
    return r.finish();
  }

  static std::int32_t units(double points) {
    return static_cast<std::int32_t>(std::lround(points * kUnitsPerPoint));
  }

  void add(RecordBuffer record) { records_.push_back(record.finish()); }

  void run(const std::vector<Command>& commands, const Transform& t) {
    for (const Command& command : commands) {
      std::visit([&](const auto& c) { draw(c, t); }, static_cast<const Command::variant&>(command));
    }
  }

  static double scale_of(const Transform& t) {
    return std::sqrt(std::abs(t.xx * t.yy - t.xy * t.yx));
  }

  static std::vector<Point> rect_points(const Rect& r, const Transform& t) {
    return {t.apply({r.x, r.y}), t.apply({r.right(), r.y}), t.apply({r.right(), r.bottom()}),
            t.apply({r.x, r.bottom()})};
  }

  static Long4 bounds_of(const std::vector<Point>& points) {
    double x0 = points[0].x, y0 = points[0].y, x1 = x0, y1 = y0;
    for (const Point& p : points) {
      x0 = std::min(x0, p.x), y0 = std::min(y0, p.y);
      x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
    return {units(x0), units(y0), units(x1), units(y1)};
  }

  void points_record(Record type, const std::vector<Point>& points) {
    RecordBuffer r(type);
    r.rect(bounds_of(points)).u32(static_cast<std::uint32_t>(points.size()));
    for (const Point& p : points) r.i32(units(p.x)).i32(units(p.y));
    add(std::move(r));
  }

  void select_pen(const Stroke& stroke, double scale) {
    const double width = stroke.width * scale;
    std::uint32_t style = 0;
    std::uint32_t pen_width = 1;
    if (stroke.width <= 0) {
      style = 0;  // PS_COSMETIC | PS_SOLID: one device pixel
    } else {
      style = 0x10000 | 0x2000;  // PS_GEOMETRIC | PS_JOIN_MITER
      switch (stroke.cap) {
        case LineCap::kFlat:
          style |= 0x200;
          break;
        case LineCap::kRound:
          break;
        case LineCap::kSquare:
          style |= 0x100;
          break;
      }
      pen_width = static_cast<std::uint32_t>(std::max(1, units(width)));
    }
    const std::vector<double> dashes = dash_lengths(stroke.dash, std::max(width, 0.0));
    style |= dashes.empty() ? 0u : 7u;  // PS_USERSTYLE with our own lengths
    RecordBuffer r(kExtCreatePen);
    r.u32(kPenHandle).u32(0).u32(0).u32(0).u32(0);
    r.u32(style).u32(pen_width).u32(0 /* BS_SOLID */).u32(colour_ref(stroke.colour)).u32(0);
    r.u32(static_cast<std::uint32_t>(dashes.size()));
    for (double d : dashes) r.u32(static_cast<std::uint32_t>(std::max(1, units(d))));
    add(std::move(r));
    add(RecordBuffer(kSelectObject).u32(kPenHandle));
  }

  void release_pen() {
    add(RecordBuffer(kSelectObject).u32(kStockObject | kNullPen));
    add(RecordBuffer(kDeleteObject).u32(kPenHandle));
  }

  void fill_polygon(const std::vector<Point>& points, const Colour& colour) {
    add(RecordBuffer(kCreateBrushIndirect).u32(kBrushHandle).u32(0).u32(colour_ref(colour)).u32(0));
    add(RecordBuffer(kSelectObject).u32(kBrushHandle));
    add(RecordBuffer(kSelectObject).u32(kStockObject | kNullPen));
    points_record(kPolygon, points);
    add(RecordBuffer(kSelectObject).u32(kStockObject | kNullBrush));
    add(RecordBuffer(kDeleteObject).u32(kBrushHandle));
  }

  void outline(const std::vector<Point>& points, const Stroke& stroke, double scale) {
    select_pen(stroke, scale);
    std::vector<Point> closed = points;
    closed.push_back(points.front());
    points_record(kPolyline, closed);
    release_pen();
  }

  // A rect (in local coordinates) filled with pieces: the pattern's cells or the gradient's
  // bands, cut to the rect itself.
  void fill_pieces(const Rect& area, const Fill& fill, const Transform& t) {
    if (const auto* pattern = std::get_if<PatternFill>(&fill)) {
      const PatternCell& cell = office_pattern_cell(pattern->pattern);
      fill_polygon(rect_points(area, t), pattern->background);
      // Cells are anchored at the page origin like a brush, so neighbouring shapes line up.
      const double tile = 8 * kPatternPixel;
      const double x_start = std::floor(area.x / tile) * tile;
      const double y_start = std::floor(area.y / tile) * tile;
      std::uint8_t full_columns = 0xFF;
      for (std::uint8_t row : cell) full_columns &= row;
      for (double ty = y_start; ty < area.bottom(); ty += tile) {
        for (int y = 0; y < 8; ++y) {
          const double top = ty + y * kPatternPixel;
          if (cell[y] == 0xFF) {  // a full row: one line across the whole area
            piece({area.x, top, area.width, kPatternPixel}, area, pattern->foreground, t);
            continue;
          }
          for (double tx = x_start; tx < area.right(); tx += tile) {
            for (int x = 0; x < 8; ++x) {
              const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> x);
              if ((cell[y] & bit) && !(full_columns & bit)) {
                piece({tx + x * kPatternPixel, top, kPatternPixel, kPatternPixel}, area,
                      pattern->foreground, t);
              }
            }
          }
        }
      }
      for (double tx = x_start; tx < area.right(); tx += tile) {
        for (int x = 0; x < 8; ++x) {
          if (full_columns & (0x80 >> x)) {
            piece({tx + x * kPatternPixel, area.y, kPatternPixel, area.height}, area,
                  pattern->foreground, t);
          }
        }
      }
      return;
    }
    const auto& gradient = std::get<GradientFill>(fill);
    const bool horizontal =
        std::abs(gradient.end.x - gradient.start.x) >= std::abs(gradient.end.y - gradient.start.y);
    constexpr int kBands = 64;
    for (int i = 0; i < kBands; ++i) {
      const double f0 = static_cast<double>(i) / kBands;
      const double f1 = static_cast<double>(i + 1) / kBands;
      const double mid = (f0 + f1) / 2;
      // Position of the band's middle along the gradient line, 0 at start, 1 at end.
      const double from = horizontal ? gradient.start.x : gradient.start.y;
      const double to = horizontal ? gradient.end.x : gradient.end.y;
      double at = to == from ? 0 : std::clamp((mid - from) / (to - from), 0.0, 1.0);
      if (gradient.mirrored) at = at < 0.5 ? at * 2 : (1 - at) * 2;
      const Colour colour = blend(gradient.from, gradient.to, at);
      const Rect band =
          horizontal ? Rect{area.x + f0 * area.width, area.y, (f1 - f0) * area.width, area.height}
                     : Rect{area.x, area.y + f0 * area.height, area.width, (f1 - f0) * area.height};
      fill_polygon(rect_points(band, t), colour);
    }
  }

  void piece(Rect r, const Rect& area, const Colour& colour, const Transform& t) {
    const double x0 = std::max(r.x, area.x), y0 = std::max(r.y, area.y);
    const double x1 = std::min(r.right(), area.right()), y1 = std::min(r.bottom(), area.bottom());
    if (x1 <= x0 || y1 <= y0) return;
    fill_polygon(rect_points({x0, y0, x1 - x0, y1 - y0}, t), colour);
  }

  // Fills a shape given by its page polygon and its local bounding box.
  void shape(const std::vector<Point>& page_points, const Rect& local_bounds, const Fill& fill,
             const std::optional<Stroke>& stroke, const Transform& t, bool is_rect) {
    if (const auto* solid = std::get_if<SolidFill>(&fill)) {
      fill_polygon(page_points, solid->colour);
    } else if (!std::holds_alternative<NoFill>(fill)) {
      if (is_rect) {
        fill_pieces(local_bounds, fill, t);
      } else {
        // Pieces cannot be cut to a general outline without clip paths, which readers treat
        // unevenly; the outline takes the fill's mean colour instead.
        fill_polygon(page_points, mean_colour(fill));
      }
    }
    if (stroke) outline(page_points, *stroke, scale_of(t));
  }

  static Colour mean_colour(const Fill& fill) {
    if (const auto* pattern = std::get_if<PatternFill>(&fill)) {
      int set = 0;
      for (std::uint8_t row : office_pattern_cell(pattern->pattern)) set += std::popcount(row);
      return blend(pattern->background, pattern->foreground, set / 64.0);
    }
    const auto& gradient = std::get<GradientFill>(fill);
    return blend(gradient.from, gradient.to, 0.5);
  }

  void draw(const LineCmd& line, const Transform& t) {
    select_pen(line.stroke, scale_of(t));
    points_record(kPolyline, {t.apply(line.from), t.apply(line.to)});
    release_pen();
  }

  void draw(const PolylineCmd& line, const Transform& t) {
    if (line.points.size() < 2) return;
    std::vector<Point> points;
    for (const Point& p : line.points) points.push_back(t.apply(p));
    select_pen(line.stroke, scale_of(t));
    points_record(kPolyline, points);
    release_pen();
  }

  void draw(const RectCmd& rect, const Transform& t) {
    // Rounded corners are drawn square: the pictures only round the head box, by a point.
    shape(rect_points(rect.rect, t), rect.rect, rect.fill, rect.stroke, t, true);
  }

  void draw(const PolygonCmd& polygon, const Transform& t) {
    if (polygon.points.size() < 3) return;
    std::vector<Point> points;
    for (const Point& p : polygon.points) points.push_back(t.apply(p));
    shape(points, {}, polygon.fill, polygon.stroke, t, false);
  }

  void draw(const EllipseCmd& ellipse, const Transform& t) {
    const Rect& r = ellipse.bounds;
    std::vector<Point> points;
    constexpr int kSteps = 48;
    for (int i = 0; i < kSteps; ++i) {
      const double a = 2 * 3.14159265358979323846 * i / kSteps;
      points.push_back(
          t.apply({r.x + r.width / 2 * (1 + std::cos(a)), r.y + r.height / 2 * (1 + std::sin(a))}));
    }
    shape(points, r, ellipse.fill, ellipse.stroke, t, false);
  }

  void draw(const TextCmd& text, const Transform& outer) {
    if (text.text.empty()) return;
    const TextLayout layout = layout_text(text);
    const Transform t = Transform::compose(outer, layout.to_page);
    const double scale = scale_of(t);
    // Counter-clockwise angle of the text's baseline on the page, in tenths of a degree.
    const double angle = std::atan2(-t.yx, t.xx) * 180 / 3.14159265358979323846;
    const auto escapement = static_cast<std::int32_t>(std::lround(angle * 10));
    if (text.clip) {
      add(RecordBuffer(kSaveDc));
      clip_rect(text.box, outer);
    }
    select_font(text.font, scale, escapement, has_cjk(text.text));
    add(RecordBuffer(kSetTextColor).u32(colour_ref(text.colour)));
    for (const TextLine& line : layout.lines) {
      if (line.text.empty()) continue;
      text_out(line, t.apply({line.x, line.baseline}), text.font, scale);
    }
    add(RecordBuffer(kSelectObject).u32(kStockObject | kSystemFont));
    add(RecordBuffer(kDeleteObject).u32(kFontHandle));
    if (text.clip) add(RecordBuffer(kRestoreDc).i32(-1));
  }

  void select_font(const Font& font, double scale, std::int32_t escapement, bool cjk) {
    RecordBuffer r(kExtCreateFontIndirectW);
    r.u32(kFontHandle);
    r.i32(-std::max(1, units(font.size * scale)));  // character height, not cell height
    r.i32(0).i32(escapement).i32(escapement);
    r.i32(font.bold ? 700 : 400);
    r.u8(font.italic).u8(font.underline).u8(0);
    r.u8(cjk ? 134 : 1);  // GB2312_CHARSET for Chinese text, DEFAULT_CHARSET otherwise
    r.u8(0).u8(0).u8(0).u8(0);
    std::u16string face = utf16(font.family).substr(0, 31);
    face.resize(32, u'\0');
    r.raw(face.data(), 64);
    add(std::move(r));
    add(RecordBuffer(kSelectObject).u32(kFontHandle));
  }

  void text_out(const TextLine& line, Point origin, const Font& font, double scale) {
    const std::u16string chars = utf16(line.text);
    const std::vector<double> advances = character_advances(font, line.text);
    std::vector<std::int32_t> dx;
    for (std::size_t i = 0, c = 0; i < chars.size(); ++i) {
      const bool low_surrogate = chars[i] >= 0xDC00 && chars[i] < 0xE000;
      dx.push_back(low_surrogate || c >= advances.size() ? 0 : units(advances[c++] * scale));
    }
    const std::int32_t x = units(origin.x);
    const std::int32_t y = units(origin.y);
    const std::int32_t width = units(line.width * scale);
    const std::int32_t height = units(font.size * scale * 1.5);
    const std::uint32_t fixed = 76;
    const auto string_bytes = static_cast<std::uint32_t>(chars.size() * 2);
    const std::uint32_t dx_offset = fixed + ((string_bytes + 3) / 4) * 4;
    RecordBuffer r(kExtTextOutW);
    r.rect({x, y - height, x + width, y + height / 2});
    r.u32(1).f32(0).f32(0);  // GM_COMPATIBLE; scales unused there
    r.i32(x).i32(y);
    r.u32(static_cast<std::uint32_t>(chars.size())).u32(fixed);
    r.u32(0).rect({0, 0, -1, -1});
    r.u32(dx_offset);
    r.raw(chars.data(), string_bytes).pad();
    for (std::int32_t d : dx) r.i32(d);
    add(std::move(r));
  }

  void draw(const ImageCmd& image, const Transform& t) {
    const RgbaPixels pixels = image_pixels(image);
    if (pixels.width == 0 || pixels.height == 0) return;
    const Long4 dest = bounds_of(rect_points(image.dest, t));
    if (has_transparency(pixels)) {
      draw_blended(pixels, dest);
    } else {
      draw_opaque(pixels, dest);
    }
  }

  static bool has_transparency(const RgbaPixels& pixels) {
    for (std::size_t i = 3; i < pixels.rgba.size(); i += 4) {
      if (pixels.rgba[i] != 255) return true;
    }
    return false;
  }

  // BITMAPINFOHEADER of a 32-bit bottom-up bitmap, then its rows as BGRA; `premultiplied` for
  // the blend record, which reads the colours already multiplied by their alpha.
  static void bitmap(RecordBuffer& r, const RgbaPixels& pixels, bool premultiplied) {
    const auto bits_size = static_cast<std::uint32_t>(pixels.rgba.size());
    r.u32(40).i32(pixels.width).i32(pixels.height).u16(1).u16(32).u32(0).u32(bits_size);
    r.i32(0).i32(0).u32(0).u32(0);
    std::vector<std::uint8_t> bits(pixels.rgba.size());
    std::uint8_t* out = bits.data();
    for (int y = pixels.height - 1; y >= 0; --y) {
      for (int x = 0; x < pixels.width; ++x) {
        const std::uint8_t* p = &pixels.rgba[(static_cast<std::size_t>(y) * pixels.width + x) * 4];
        const unsigned alpha = p[3];
        auto channel = [&](std::uint8_t c) {
          return premultiplied ? static_cast<std::uint8_t>((c * alpha + 127) / 255) : c;
        };
        *out++ = channel(p[2]);
        *out++ = channel(p[1]);
        *out++ = channel(p[0]);
        *out++ = p[3];
      }
    }
    r.raw(bits.data(), bits.size());
  }

  void draw_opaque(const RgbaPixels& pixels, const Long4& dest) {
    const auto bits_size = static_cast<std::uint32_t>(pixels.rgba.size());
    RecordBuffer r(kStretchDiBits);
    r.rect(dest);
    r.i32(dest.left).i32(dest.top).i32(0).i32(0).i32(pixels.width).i32(pixels.height);
    r.u32(80).u32(40).u32(120).u32(bits_size);
    r.u32(0).u32(0x00CC0020);  // DIB_RGB_COLORS, SRCCOPY
    r.i32(dest.right - dest.left).i32(dest.bottom - dest.top);
    bitmap(r, pixels, false);
    add(std::move(r));
  }

  // A picture with transparent parts (a transparency colour, an alpha channel): readers that
  // ignore the fourth byte of a plain bitmap would paint those parts, so it goes through the
  // alpha-blend record, which says that the fourth byte is alpha.
  void draw_blended(const RgbaPixels& pixels, const Long4& dest) {
    const auto bits_size = static_cast<std::uint32_t>(pixels.rgba.size());
    constexpr std::uint32_t kHeaderSize = 108;
    RecordBuffer r(kAlphaBlend);
    r.rect(dest);
    r.i32(dest.left).i32(dest.top).i32(dest.right - dest.left).i32(dest.bottom - dest.top);
    r.u8(0).u8(0).u8(255).u8(1);  // source over, constant alpha 255, per-pixel alpha
    r.i32(0).i32(0);              // source origin
    r.f32(1).f32(0).f32(0).f32(1).f32(0).f32(0);  // source transform: identity
    r.u32(0).u32(0);                              // background colour, DIB_RGB_COLORS
    r.u32(kHeaderSize).u32(40).u32(kHeaderSize + 40).u32(bits_size);
    r.i32(pixels.width).i32(pixels.height);
    bitmap(r, pixels, true);
    add(std::move(r));
  }

  void clip_rect(const Rect& local, const Transform& t) {
    const Long4 box = bounds_of(rect_points(local, t));
    add(RecordBuffer(kIntersectClipRect).rect(box));
  }

  void draw(const GroupCmd& group, const Transform& outer) {
    const Transform t = Transform::compose(outer, group.transform);
    add(RecordBuffer(kSaveDc));
    if (group.clip) clip_rect(*group.clip, t);
    run(group.children, t);
    add(RecordBuffer(kRestoreDc).i32(-1));
  }

  Size size_{};
  std::vector<std::vector<std::uint8_t>> records_;
};

}  // namespace

std::vector<std::uint8_t> render_emf(const DisplayList& list) {
  return EmfWriter().document(list);
}

void write_emf(const DisplayList& list, const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = render_emf(list);
  os::write_file_atomically(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

}  // namespace fb::render
