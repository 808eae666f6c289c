#include "platform/render/svg_sink.h"

#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "platform/os/atomic_file.h"
#include "platform/render/image_pixels.h"
#include "platform/render/office_patterns.h"
#include "platform/render/stroke_style.h"
#include "platform/render/text_layout.h"

namespace fb::render {

namespace {

std::string number(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.3f", v);
  std::string s = buffer;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string colour(const Colour& c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.r, c.g, c.b);
  return buffer;
}

std::string opacity(const char* attribute, const Colour& c) {
  if (c.a == 255) return {};
  return std::string(" ") + attribute + "=\"" + number(c.a / 255.0) + "\"";
}

std::string base64(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const unsigned b0 = bytes[i];
    const unsigned b1 = i + 1 < bytes.size() ? bytes[i + 1] : 0;
    const unsigned b2 = i + 2 < bytes.size() ? bytes[i + 2] : 0;
    const unsigned triple = (b0 << 16) | (b1 << 8) | b2;
    out += kDigits[(triple >> 18) & 63];
    out += kDigits[(triple >> 12) & 63];
    out += i + 1 < bytes.size() ? kDigits[(triple >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kDigits[triple & 63] : '=';
  }
  return out;
}

// The font names as the alias file maps them, for viewers that read the SVG on their own.
std::string font_family(const std::string& family) {
  const bool serif = family == "宋体" || family == "仿宋_GB2312" || family == "SimSun";
  return "'" + escaped(family) + "', " +
         (serif ? "'Noto Serif CJK SC', 'Liberation Serif', serif"
                : "'Liberation Sans', 'Noto Sans CJK SC', sans-serif");
}

std::string matrix(const Transform& t) {
  return "matrix(" + number(t.xx) + " " + number(t.yx) + " " + number(t.xy) + " " + number(t.yy) +
         " " + number(t.dx) + " " + number(t.dy) + ")";
}

class SvgWriter {
 public:
  std::string document(const DisplayList& list) {
    const Size size = list.size();
    if (!(size.width > 0) || !(size.height > 0)) {
      throw std::invalid_argument("a drawing needs a positive width and height to be rendered");
    }
    if (list.background()) {
      body_ << "<rect x=\"0\" y=\"0\" width=\"" << number(size.width) << "\" height=\""
            << number(size.height) << "\" fill=\"" << colour(*list.background()) << "\""
            << opacity("fill-opacity", *list.background()) << "/>\n";
    }
    run(list.commands());
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" "
           "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\""
        << number(size.width) << "pt\" height=\"" << number(size.height) << "pt\" viewBox=\"0 0 "
        << number(size.width) << " " << number(size.height) << "\">\n";
    if (!defs_.str().empty()) out << "<defs>\n" << defs_.str() << "</defs>\n";
    out << body_.str() << "</svg>\n";
    return out.str();
  }

 private:
  void run(const std::vector<Command>& commands) {
    for (const Command& command : commands) {
      std::visit([this](const auto& c) { draw(c); }, static_cast<const Command::variant&>(command));
    }
  }

  std::string next_id(const char* prefix) { return prefix + std::to_string(++ids_); }

  std::string stroke_attributes(const std::optional<Stroke>& stroke) {
    if (!stroke) return " stroke=\"none\"";
    const double width = stroke->width > 0 ? stroke->width : 0.5;
    std::string out = " stroke=\"" + colour(stroke->colour) + "\"" +
                      opacity("stroke-opacity", stroke->colour) + " stroke-width=\"" +
                      number(width) + "\"";
    switch (stroke->cap) {
      case LineCap::kFlat:
        break;
      case LineCap::kRound:
        out += " stroke-linecap=\"round\"";
        break;
      case LineCap::kSquare:
        out += " stroke-linecap=\"square\"";
        break;
    }
    const std::vector<double> dashes = dash_lengths(stroke->dash, width);
    if (!dashes.empty()) {
      out += " stroke-dasharray=\"";
      for (std::size_t i = 0; i < dashes.size(); ++i) out += (i ? " " : "") + number(dashes[i]);
      out += "\"";
    }
    return out;
  }

  std::string fill_attributes(const Fill& fill) {
    if (std::holds_alternative<NoFill>(fill)) return " fill=\"none\"";
    if (const auto* solid = std::get_if<SolidFill>(&fill)) {
      return " fill=\"" + colour(solid->colour) + "\"" + opacity("fill-opacity", solid->colour);
    }
    if (const auto* pattern = std::get_if<PatternFill>(&fill)) {
      const PatternCell& cell = office_pattern_cell(pattern->pattern);
      const std::string id = next_id("pattern");
      const double tile = 8 * kPatternPixel;
      defs_ << "<pattern id=\"" << id << "\" patternUnits=\"userSpaceOnUse\" width=\""
            << number(tile) << "\" height=\"" << number(tile) << "\">"
            << "<rect width=\"" << number(tile) << "\" height=\"" << number(tile) << "\" fill=\""
            << colour(pattern->background) << "\"" << opacity("fill-opacity", pattern->background)
            << "/>";
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
          if (((cell[y] >> (7 - x)) & 1) == 0) continue;
          defs_ << "<rect x=\"" << number(x * kPatternPixel) << "\" y=\""
                << number(y * kPatternPixel) << "\" width=\"" << number(kPatternPixel)
                << "\" height=\"" << number(kPatternPixel) << "\" fill=\""
                << colour(pattern->foreground) << "\""
                << opacity("fill-opacity", pattern->foreground) << "/>";
        }
      }
      defs_ << "</pattern>\n";
      return " fill=\"url(#" + id + ")\"";
    }
    const auto& gradient = std::get<GradientFill>(fill);
    const std::string id = next_id("gradient");
    auto stop = [&](double at, const Colour& c) {
      defs_ << "<stop offset=\"" << number(at) << "\" stop-color=\"" << colour(c) << "\""
            << opacity("stop-opacity", c) << "/>";
    };
    defs_ << "<linearGradient id=\"" << id << "\" x1=\"" << number(gradient.start.x) << "\" y1=\""
          << number(gradient.start.y) << "\" x2=\"" << number(gradient.end.x) << "\" y2=\""
          << number(gradient.end.y) << "\">";
    stop(0, gradient.from);
    if (gradient.mirrored) {
      stop(0.5, gradient.to);
      stop(1, gradient.from);
    } else {
      stop(1, gradient.to);
    }
    defs_ << "</linearGradient>\n";
    return " fill=\"url(#" + id + ")\"";
  }

  static std::string points(const std::vector<Point>& list) {
    std::string out;
    for (const Point& p : list) out += number(p.x) + "," + number(p.y) + " ";
    if (!out.empty()) out.pop_back();
    return out;
  }

  void draw(const LineCmd& line) {
    body_ << "<line x1=\"" << number(line.from.x) << "\" y1=\"" << number(line.from.y) << "\" x2=\""
          << number(line.to.x) << "\" y2=\"" << number(line.to.y) << "\""
          << stroke_attributes(line.stroke) << "/>\n";
  }
  void draw(const PolylineCmd& line) {
    body_ << "<polyline points=\"" << points(line.points) << "\" fill=\"none\""
          << stroke_attributes(line.stroke) << "/>\n";
  }
  void draw(const RectCmd& rect) {
    const Rect& r = rect.rect;
    body_ << "<rect x=\"" << number(r.x) << "\" y=\"" << number(r.y) << "\" width=\""
          << number(r.width) << "\" height=\"" << number(r.height) << "\"";
    if (rect.corner_radius > 0) body_ << " rx=\"" << number(rect.corner_radius) << "\"";
    body_ << fill_attributes(rect.fill) << stroke_attributes(rect.stroke) << "/>\n";
  }
  void draw(const PolygonCmd& polygon) {
    body_ << "<polygon points=\"" << points(polygon.points) << "\"" << fill_attributes(polygon.fill)
          << stroke_attributes(polygon.stroke) << "/>\n";
  }
  void draw(const EllipseCmd& ellipse) {
    const Rect& r = ellipse.bounds;
    body_ << "<ellipse cx=\"" << number(r.x + r.width / 2) << "\" cy=\""
          << number(r.y + r.height / 2) << "\" rx=\"" << number(r.width / 2) << "\" ry=\""
          << number(r.height / 2) << "\"" << fill_attributes(ellipse.fill)
          << stroke_attributes(ellipse.stroke) << "/>\n";
  }
  void draw(const TextCmd& text) {
    if (text.text.empty()) return;
    const TextLayout layout = layout_text(text);
    std::string clip;
    if (text.clip) clip = " clip-path=\"url(#" + clip_rect(text.box) + ")\"";
    body_ << "<g" << clip << "><g transform=\"" << matrix(layout.to_page) << "\" font-family=\""
          << font_family(text.font.family) << "\" font-size=\"" << number(text.font.size) << "\""
          << (text.font.bold ? " font-weight=\"bold\"" : "")
          << (text.font.italic ? " font-style=\"italic\"" : "")
          << (text.font.underline ? " text-decoration=\"underline\"" : "") << " fill=\""
          << colour(text.colour) << "\"" << opacity("fill-opacity", text.colour) << ">";
    for (const TextLine& line : layout.lines) {
      if (line.text.empty()) continue;
      body_ << "<text x=\"" << number(line.x) << "\" y=\"" << number(line.baseline)
            << "\" xml:space=\"preserve\">" << escaped(line.text) << "</text>";
    }
    body_ << "</g></g>\n";
  }
  void draw(const ImageCmd& image) {
    const RgbaPixels pixels = image_pixels(image);
    if (pixels.width == 0 || pixels.height == 0) return;
    body_ << "<image x=\"" << number(image.dest.x) << "\" y=\"" << number(image.dest.y)
          << "\" width=\"" << number(image.dest.width) << "\" height=\""
          << number(image.dest.height) << "\" preserveAspectRatio=\"none\" xlink:href=\""
          << "data:image/png;base64," << base64(encode_png(pixels)) << "\"/>\n";
  }
  void draw(const GroupCmd& group) {
    body_ << "<g transform=\"" << matrix(group.transform) << "\">";
    if (group.clip) body_ << "<g clip-path=\"url(#" << clip_rect(*group.clip) << ")\">";
    body_ << "\n";
    run(group.children);
    if (group.clip) body_ << "</g>";
    body_ << "</g>\n";
  }

  std::string clip_rect(const Rect& r) {
    const std::string id = next_id("clip");
    defs_ << "<clipPath id=\"" << id << "\"><rect x=\"" << number(r.x) << "\" y=\"" << number(r.y)
          << "\" width=\"" << number(r.width) << "\" height=\"" << number(r.height)
          << "\"/></clipPath>\n";
    return id;
  }

  std::ostringstream defs_;
  std::ostringstream body_;
  int ids_ = 0;
};

}  // namespace

std::string render_svg(const DisplayList& list) {
  return SvgWriter().document(list);
}

void write_svg(const DisplayList& list, const std::filesystem::path& path) {
  const std::string svg = render_svg(list);
  os::write_file_atomically(path, svg);
}

}  // namespace fb::render
