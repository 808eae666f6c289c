#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <optional>

#include "platform/ui/control.h"
#include "platform/ui/picture.h"

class QWidget;

namespace fb::ui::qt {

// The window models measure in twips; the screen in pixels at 96 dpi, 15 twips each.
inline constexpr int kTwipsPerPixel = 15;

int to_pixels(int twips);
QRect to_pixels(const Bounds& bounds);
int to_twips(int pixels);
QPoint to_twips(QPoint pixels);

QColor to_qcolor(std::uint32_t colour);
// The font as the product names it, through the product's font aliases.
QFont to_qfont(const Font& font);
// A picture as Qt draws it; with a colour key, the pixels of exactly that colour are clear (the
// layered window's key that lets the desktop show through).
QImage to_qimage(const Picture& picture, std::optional<std::uint32_t> colour_key = {});

// What every control's widget takes from its model: place and size (at least one pixel each way,
// so a rule of height 0 shows), visibility, enabled state, tooltip and font.
void sync_control(QWidget& widget, const Control& control);

}  // namespace fb::ui::qt
