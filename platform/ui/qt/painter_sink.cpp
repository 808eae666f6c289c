#include "platform/ui/qt/painter_sink.h"

#include <fontconfig/fontconfig.h>

#include <QBrush>
#include <QFont>
#include <QHash>
#include <QLinearGradient>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <variant>

#include "platform/render/font_setup.h"
#include "platform/render/image_pixels.h"
#include "platform/render/office_patterns.h"
#include "platform/render/stroke_style.h"
#include "platform/render/text_layout.h"

namespace fb::ui::qt {

namespace {

using namespace fb::render;

QColor qt_colour(const Colour& c) {
  return QColor(c.r, c.g, c.b, c.a);
}

QTransform qt_transform(const Transform& t) {
  return QTransform(t.xx, t.yx, t.xy, t.yy, t.dx, t.dy);
}

QRectF qt_rect(const Rect& r) {
  return QRectF(r.x, r.y, r.width, r.height);
}

QPointF qt_point(const Point& p) {
  return QPointF(p.x, p.y);
}

class PainterReplay {
 public:
  explicit PainterReplay(QPainter& painter) : p_(painter) {}

  void run(const std::vector<Command>& commands) {
    for (const Command& command : commands) {
      std::visit([this](const auto& c) { draw(c); }, static_cast<const Command::variant&>(command));
    }
  }

 private:
  QPen pen(const Stroke& stroke) const {
    QPen pen(qt_colour(stroke.colour));
    // Width 0 is Qt's cosmetic one-pixel line: the thinnest the device draws, as for the others.
    pen.setWidthF(stroke.width);
    switch (stroke.cap) {
      case LineCap::kFlat:
        pen.setCapStyle(Qt::FlatCap);
        break;
      case LineCap::kRound:
        pen.setCapStyle(Qt::RoundCap);
        break;
      case LineCap::kSquare:
        pen.setCapStyle(Qt::SquareCap);
        break;
    }
    pen.setJoinStyle(Qt::MiterJoin);
    const std::vector<double> dashes = dash_lengths(stroke.dash, stroke.width);
    if (!dashes.empty()) {
      // Qt measures a dash pattern in line widths; a hairline's width counts as one unit.
      const double unit = stroke.width > 0 ? stroke.width : 1.0;
      QList<qreal> pattern;
      for (double length : dashes) pattern.append(std::max(length / unit, 0.01));
      if (pattern.size() % 2 != 0) pattern.append(pattern.back());
      pen.setDashPattern(pattern);
    }
    return pen;
  }

  QBrush brush(const Fill& fill, const Rect& bounds) const {
    if (const auto* solid = std::get_if<SolidFill>(&fill)) return QBrush(qt_colour(solid->colour));
    if (const auto* pattern = std::get_if<PatternFill>(&fill)) {
      const PatternCell& cell = office_pattern_cell(pattern->pattern);
      QImage tile(8, 8, QImage::Format_ARGB32);
      const QRgb fore = qt_colour(pattern->foreground).rgba();
      const QRgb back = qt_colour(pattern->background).rgba();
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) tile.setPixel(x, y, ((cell[y] >> (7 - x)) & 1) ? fore : back);
      }
      QBrush brush(tile);
      brush.setTransform(QTransform::fromScale(kPatternPixel, kPatternPixel));
      return brush;
    }
    if (const auto* gradient = std::get_if<GradientFill>(&fill)) {
      QLinearGradient linear(
          bounds.x + gradient->start.x * bounds.width, bounds.y + gradient->start.y * bounds.height,
          bounds.x + gradient->end.x * bounds.width, bounds.y + gradient->end.y * bounds.height);
      linear.setColorAt(0, qt_colour(gradient->from));
      if (gradient->mirrored) {
        linear.setColorAt(0.5, qt_colour(gradient->to));
        linear.setColorAt(1, qt_colour(gradient->from));
      } else {
        linear.setColorAt(1, qt_colour(gradient->to));
      }
      return QBrush(linear);
    }
    return QBrush(Qt::NoBrush);
  }

  void shape(const QPainterPath& path, const Fill& fill, const std::optional<Stroke>& stroke,
             const Rect& bounds) {
    if (!std::holds_alternative<NoFill>(fill)) p_.fillPath(path, brush(fill, bounds));
    if (stroke) p_.strokePath(path, pen(*stroke));
  }

  void draw(const LineCmd& line) {
    p_.setPen(pen(line.stroke));
    p_.drawLine(qt_point(line.from), qt_point(line.to));
  }

  void draw(const PolylineCmd& line) {
    if (line.points.size() < 2) return;
    QPainterPath path(qt_point(line.points[0]));
    for (std::size_t i = 1; i < line.points.size(); ++i) path.lineTo(qt_point(line.points[i]));
    p_.strokePath(path, pen(line.stroke));
  }

  void draw(const RectCmd& rect) {
    const Rect& r = rect.rect;
    const double radius = std::min({rect.corner_radius, r.width / 2, r.height / 2});
    QPainterPath path;
    if (radius > 0) {
      path.addRoundedRect(qt_rect(r), radius, radius);
    } else {
      path.addRect(qt_rect(r));
    }
    shape(path, rect.fill, rect.stroke, r);
  }

  void draw(const PolygonCmd& polygon) {
    if (polygon.points.size() < 3) return;
    QPainterPath path(qt_point(polygon.points[0]));
    for (std::size_t i = 1; i < polygon.points.size(); ++i)
      path.lineTo(qt_point(polygon.points[i]));
    path.closeSubpath();
    shape(path, polygon.fill, polygon.stroke, bounds_of(polygon.points));
  }

  void draw(const EllipseCmd& ellipse) {
    if (ellipse.bounds.width <= 0 || ellipse.bounds.height <= 0) return;
    QPainterPath path;
    path.addEllipse(qt_rect(ellipse.bounds));
    shape(path, ellipse.fill, ellipse.stroke, ellipse.bounds);
  }

  void draw(const TextCmd& text) {
    if (text.text.empty()) return;
    const TextLayout layout = layout_text(text);
    p_.save();
    if (text.clip) p_.setClipRect(qt_rect(text.box), Qt::IntersectClip);
    p_.setTransform(qt_transform(layout.to_page), true);
    p_.setPen(qt_colour(text.colour));
    p_.setFont(qt_font(text.font, p_.device()->logicalDpiY()));
    for (const TextLine& line : layout.lines) {
      if (line.text.empty()) continue;
      p_.drawText(QPointF(line.x, line.baseline), QString::fromStdString(line.text));
    }
    p_.restore();
  }

  void draw(const ImageCmd& image) {
    if (image.dest.width <= 0 || image.dest.height <= 0) return;
    const RgbaPixels pixels = image_pixels(image);
    if (pixels.width == 0 || pixels.height == 0) return;
    p_.save();
    p_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p_.drawImage(qt_rect(image.dest), to_image(pixels));
    p_.restore();
  }

  void draw(const GroupCmd& group) {
    p_.save();
    p_.setTransform(qt_transform(group.transform), true);
    if (group.clip) p_.setClipRect(qt_rect(*group.clip), Qt::IntersectClip);
    run(group.children);
    p_.restore();
  }

  QPainter& p_;
};

}  // namespace

void paint_display_list(QPainter& painter, const render::DisplayList& list) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  if (list.background()) {
    painter.fillRect(QRectF(0, 0, list.size().width, list.size().height),
                     qt_colour(*list.background()));
  }
  PainterReplay(painter).run(list.commands());
  painter.restore();
}

QImage render_image(const render::DisplayList& list, double scale) {
  const int width = std::max(1, static_cast<int>(std::ceil(list.size().width * scale - 1e-9)));
  const int height = std::max(1, static_cast<int>(std::ceil(list.size().height * scale - 1e-9)));
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.scale(scale, scale);
  paint_display_list(painter, list);
  painter.end();
  return image;
}

QImage to_image(const render::RgbaPixels& pixels) {
  QImage image(pixels.width, pixels.height, QImage::Format_RGBA8888);
  for (int y = 0; y < pixels.height; ++y) {
    std::copy_n(&pixels.rgba[static_cast<std::size_t>(y) * pixels.width * 4],
                static_cast<std::size_t>(pixels.width) * 4, image.scanLine(y));
  }
  return image;
}

QString installed_family(const std::string& product_name) {
  static QHash<QString, QString> cache;
  const QString name = QString::fromStdString(product_name);
  if (auto it = cache.constFind(name); it != cache.constEnd()) return *it;
  // The alias file must be in the configuration before the first match.
  render::load_product_fonts();
  QString family = name;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(""));
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(product_name.c_str()));
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
    FcChar8* matched = nullptr;
    if (FcPatternGetString(match, FC_FAMILY, 0, &matched) == FcResultMatch && matched != nullptr) {
      family = QString::fromUtf8(reinterpret_cast<const char*>(matched));
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  cache.insert(name, family);
  return family;
}

QFont qt_font(const render::Font& font, double device_dpi) {
  QFont qfont(installed_family(font.family));
  // Qt sizes a font in points of the device; the painter's user space is already in points, so
  // the size is taken back by the device's resolution to come out as `font.size` units.
  qfont.setPointSizeF(std::max(0.1, font.size * 72.0 / std::max(1.0, device_dpi)));
  qfont.setBold(font.bold);
  qfont.setItalic(font.italic);
  qfont.setUnderline(font.underline);
  // Hinting would snap glyphs to the device grid and change widths with the zoom.
  qfont.setHintingPreference(QFont::PreferNoHinting);
  qfont.setKerning(true);
  return qfont;
}

}  // namespace fb::ui::qt
