#include "platform/ui/qt/forms/model_to_qt.h"

#include <QString>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/ui/qt/painter_sink.h"

namespace fb::ui::qt {

int to_pixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QRect to_pixels(const Bounds& bounds) {
  return {to_pixels(bounds.left), to_pixels(bounds.top), std::max(1, to_pixels(bounds.width)),
          std::max(1, to_pixels(bounds.height))};
}

int to_twips(int pixels) {
  return pixels * kTwipsPerPixel;
}

QPoint to_twips(QPoint pixels) {
  return {to_twips(pixels.x()), to_twips(pixels.y())};
}

QColor to_qcolor(std::uint32_t colour) {
  return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
          static_cast<int>((colour >> 16) & 0xFF)};
}

QFont to_qfont(const Font& font) {
  QFont qfont(installed_family(font.name));
  qfont.setPointSizeF(font.size);
  qfont.setBold(font.bold);
  return qfont;
}

QImage to_qimage(const Picture& picture, std::optional<std::uint32_t> colour_key) {
  if (picture.empty()) return {};
  QImage image(picture.width, picture.height, QImage::Format_RGBA8888);
  const auto row_bytes = static_cast<std::size_t>(picture.width) * 4;
  for (int y = 0; y < picture.height; ++y) {
    std::memcpy(image.scanLine(y), &picture.rgba[static_cast<std::size_t>(y) * row_bytes],
                row_bytes);
  }
  if (colour_key) {
    const QRgb key = to_qcolor(*colour_key).rgb();
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if ((image.pixel(x, y) | 0xFF000000u) == key) image.setPixel(x, y, 0);
      }
    }
  }
  return image;
}

void sync_control(QWidget& widget, const Control& control) {
  const QRect geometry = to_pixels(control.bounds());
  if (widget.geometry() != geometry) widget.setGeometry(geometry);
  if (widget.isEnabled() != control.enabled()) widget.setEnabled(control.enabled());
  const QString tooltip = QString::fromStdString(control.tooltip());
  if (widget.toolTip() != tooltip) widget.setToolTip(tooltip);
  const QFont font = to_qfont(control.font());
  if (widget.font() != font) widget.setFont(font);
  // Last: a widget of a window not yet shown only records that it is to be seen.
  if (widget.isVisibleTo(widget.parentWidget()) != control.visible()) {
    widget.setVisible(control.visible());
  }
}

}  // namespace fb::ui::qt
