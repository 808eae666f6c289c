// fishbone-gui: the desktop host of the fishbone report system.

#include <QApplication>

#include "apps/fishbone-gui/desktop_app.h"
#include "platform/os/environment.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  fb::os::ProcessEnvironment environment;
  fishbone_gui::DesktopApp app(environment);
  app.window().show();
  return QApplication::exec();
}
