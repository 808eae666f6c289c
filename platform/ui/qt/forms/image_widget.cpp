#include "platform/ui/qt/forms/image_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/ui/qt/forms/model_to_qt.h"

namespace fb::ui::qt {

void draw_picture_in(QPainter& painter, const QImage& image, const QRect& area) {
  if (image.isNull()) return;
  if (image.width() <= area.width() && image.height() <= area.height()) {
    painter.drawImage(area.topLeft(), image);
    return;
  }
  const QSize size = image.size().scaled(area.size(), Qt::KeepAspectRatio);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRect(area.topLeft(), size), image);
}

ImageWidget::ImageWidget(Image& model, std::optional<std::uint32_t> colour_key, QWidget* parent)
    : QWidget(parent),
      ModelView(model, [this] { sync(); }),
      model_(model),
      colour_key_(colour_key) {
  setObjectName(QString::fromStdString(model.name()));
  sync();
}

void ImageWidget::sync() {
  sync_control(*this, model_);
  image_ = model_.picture() ? to_qimage(*model_.picture(), colour_key_) : QImage();
  setAttribute(Qt::WA_TransparentForMouseEvents, !model_.clickable());
  setCursor(model_.clickable() ? Qt::PointingHandCursor : Qt::ArrowCursor);
  update();
}

void ImageWidget::set_colour_key(std::optional<std::uint32_t> colour_key) {
  if (colour_key_ == colour_key) return;
  colour_key_ = colour_key;
  sync();
}

void ImageWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  draw_picture_in(painter, image_, rect());
}

void ImageWidget::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
}

void ImageWidget::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  // The click may unload the window: nothing of this widget is touched after it.
  if (click) model_.click();
}

}  // namespace fb::ui::qt
