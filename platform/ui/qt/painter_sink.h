#pragma once

#include <QImage>

#include "platform/render/display_list.h"

class QFont;
class QPainter;

namespace fb::ui::qt {

// Replays a display list into a QPainter whose user space is in points (the caller scales it to
// the device: a widget at its zoom, a printer at its resolution), the same commands the cairo,
// SVG and EMF sinks replay. Texts are laid out by the shared text layout, so lines break where
// they break on paper, and drawn as real text, so a printed PDF stays searchable.
void paint_display_list(QPainter& painter, const render::DisplayList& list);

// The drawing as an image of ceil(width × scale) by ceil(height × scale) pixels, transparent
// where nothing is drawn and no background is set.
QImage render_image(const render::DisplayList& list, double scale);

// Decoded pixels as an image (straight alpha kept).
QImage to_image(const render::RgbaPixels& pixels);

// The Qt font for a display-list font at `device_dpi`, so that its size is `font.size` units of a
// painter's user space (points).
QFont qt_font(const render::Font& font, double device_dpi);

// The installed family the product's font name stands for (the font alias file maps "Arial",
// "宋体", "仿宋_GB2312" ... to free fonts); the name itself when nothing better is known.
QString installed_family(const std::string& product_name);

}  // namespace fb::ui::qt
