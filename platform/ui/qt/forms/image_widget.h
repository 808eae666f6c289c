#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "platform/ui/controls.h"
#include "platform/ui/qt/forms/model_view.h"

namespace fb::ui::qt {

// A picture control: its picture from the top-left at its own size, or scaled down to fit a
// smaller control. One with a click handler takes clicks (a pointing hand over it); one without
// lets them through to what lies under it, as the model says.
class ImageWidget final : public QWidget, public ModelView {
 public:
  ImageWidget(Image& model, std::optional<std::uint32_t> colour_key, QWidget* parent);
  ImageWidget(const ImageWidget&) = delete;
  ImageWidget& operator=(const ImageWidget&) = delete;

  // The window's colour key changed: the picture is keyed anew.
  void set_colour_key(std::optional<std::uint32_t> colour_key);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void sync();
  Image& model_;
  std::optional<std::uint32_t> colour_key_;
  QImage image_;
  bool pressed_ = false;
};

// Draws `image` in `area`: at its own size from the top-left when it fits, else scaled down with
// its proportions kept.
void draw_picture_in(QPainter& painter, const QImage& image, const QRect& area);

}  // namespace fb::ui::qt
