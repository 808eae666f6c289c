#include "platform/ui/qt/sheet/face_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace fb::ui::qt {

namespace {

// One palette for every icon of the host.
const QColor kInk(32, 75, 135);
const QColor kAccent(214, 69, 65);
const QColor kTile(235, 242, 250);

// Draws on a 16 × 16 grid, scaled to `size` pixels.
QPixmap draw(int size, const std::function<void(QPainter&)>& paint) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.scale(size / 16.0, size / 16.0);
  paint(painter);
  return pixmap;
}

void fishbone(QPainter& p) {
  QPen spine(kInk, 1.4, Qt::SolidLine, Qt::RoundCap);
  p.setPen(spine);
  p.drawLine(QPointF(1.5, 8), QPointF(11.5, 8));
  QPen bone(kInk, 1.1, Qt::SolidLine, Qt::RoundCap);
  p.setPen(bone);
  for (double x : {3.5, 6.5, 9.5}) {
    p.drawLine(QPointF(x - 2, 3), QPointF(x, 8));
    p.drawLine(QPointF(x - 2, 13), QPointF(x, 8));
  }
  // The head: the problem.
  QPainterPath head;
  head.moveTo(11.5, 5);
  head.lineTo(15, 8);
  head.lineTo(11.5, 11);
  head.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawPath(head);
}

void information(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(QRectF(1, 1, 14, 14));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(7, 3.2, 2, 2));
  p.drawRoundedRect(QRectF(7, 6.5, 2, 6.5), 0.8, 0.8);
}

void neutral(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kTile);
  p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2, 2);
}

QIcon icon_of(const std::function<void(QPainter&)>& paint) {
  QIcon icon;
  for (int size : {16, 24, 32, 48}) icon.addPixmap(draw(size, paint));
  return icon;
}

}  // namespace

QIcon face_icon(int face_id) {
  switch (face_id) {
    case 20:
      return icon_of(fishbone);
    case 65:
      return icon_of(information);
    default:
      return icon_of(neutral);
  }
}

QIcon application_icon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addPixmap(draw(size, [](QPainter& p) {
      p.setPen(Qt::NoPen);
      p.setBrush(kTile);
      p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
      p.translate(0.5, 0);
      p.scale(0.94, 1);
      fishbone(p);
    }));
  }
  return icon;
}

}  // namespace fb::ui::qt
