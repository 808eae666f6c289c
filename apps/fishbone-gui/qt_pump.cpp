#include "apps/fishbone-gui/qt_pump.h"

#include <QCoreApplication>
#include <QEvent>

#include "platform/sheet/application.h"

namespace fishbone_gui {

void QtPump::pump() {
  ++count_;
  // A pump inside a pump (an event handler that itself runs long work) processes nothing more.
  if (pumping_) return;
  pumping_ = true;
  QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  if (after_) after_();
  pumping_ = false;
}

bool InteractiveFilter::eventFilter(QObject* watched, QEvent* event) {
  if (app_.interactive()) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
      if (is_host_window_ && is_host_window_(watched)) {
        ++dropped_;
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace fishbone_gui
