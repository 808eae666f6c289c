// fishbone-gui: the desktop host of the fishbone report system.
//
//   fishbone-gui [FILE]              the host window; the add-in loads at start-up, then the
//                                    analysis FILE (a tree file) opens in the editor
//   fishbone-gui --screenshots DIR   PNGs of the host window for the documentation, then quit
//   fishbone-gui --quit-after-start  start, report the start-up times on standard error, quit

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "apps/fishbone-gui/desktop_app.h"
#include "apps/fishbone-gui/qt_translations.h"
#include "apps/fishbone-gui/screenshots.h"
#include "apps/fishbone-gui/single_instance.h"
#include "platform/os/environment.h"
#include "platform/render/font_setup.h"
#include "platform/ui/qt/sheet/face_icons.h"

namespace {

// What keeps the program from starting (an unsafe private folder, a missing font alias file):
// said on standard error, and in a message box when there is a screen to show it on (a modal
// box on the offscreen platform would wait for ever).
int CannotStart(const std::exception& failure) {
  const std::string text = std::string("cannot start: ") + failure.what();
  std::fprintf(stderr, "fishbone-gui: %s\n", text.c_str());
  if (qApp != nullptr && QGuiApplication::platformName() != "offscreen" &&
      QGuiApplication::platformName() != "minimal") {
    QMessageBox::critical(nullptr, "Fishbone", QString::fromStdString(text));
  }
  return 1;
}

int RunHost(const fb::os::Environment& environment, const std::string& screenshots,
            const std::string& analysis, bool quit_after_start, const QElapsedTimer& since_start) {
  if (!screenshots.empty()) return fishbone_gui::TakeScreenshots(environment, screenshots);

  fishbone_gui::DesktopApp app(environment);
  fishbone_gui::SingleInstance instance(QString::fromStdString(app.instance_socket().string()));
  if (instance.RaiseRunningInstance()) return 0;
  const bool guarded = instance.Listen([&app] {
    app.window().showNormal();
    app.window().raise();
    app.window().activateWindow();
  });
  if (!guarded) {
    // The program runs all the same; the recovery file stays with one instance by its own lock.
    std::fprintf(stderr, "fishbone-gui: no guard against a second instance: %s\n",
                 instance.problem().toLocal8Bit().constData());
    app.window().statusBar()->showMessage("未能启用单实例保护：" + instance.problem());
  }
  qint64 shown_ms = -1;
  app.window().show();
  QObject::connect(&app, &fishbone_gui::DesktopApp::started, [&] {
    if (!quit_after_start) return;
    std::fprintf(stderr, "window shown after %lld ms; add-ins connected after %lld ms\n",
                 static_cast<long long>(shown_ms), static_cast<long long>(since_start.elapsed()));
    QTimer::singleShot(0, [&app] {
      app.MayQuit();
      QApplication::quit();
    });
  });
  // The window is drawn first; the add-ins connect once the event loop runs, so the welcome
  // window shows over a host that is already there.
  QTimer::singleShot(0, [&] {
    shown_ms = since_start.elapsed();
    app.Start();
    if (!analysis.empty()) app.OpenAnalysis(analysis);
  });
  return QApplication::exec();
}

int Run(int argc, char** argv) {
  QElapsedTimer since_start;
  since_start.start();
  std::string screenshots;
  bool quit_after_start = false;
  std::string analysis;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--screenshots") == 0 && i + 1 < argc) {
      screenshots = argv[++i];
    } else if (std::strcmp(argv[i], "--quit-after-start") == 0) {
      quit_after_start = true;
    } else if (std::strcmp(argv[i], "--help") == 0) {
      std::puts(
          "Usage: fishbone-gui [FILE] [--screenshots DIR] [--quit-after-start]\n"
          "The desktop host of the fishbone report system: loads the add-in, shows its\n"
          "\"Fishbone\" bar and the report workbooks to fill in, save, export and print.");
      return 0;
    } else if (argv[i][0] != '-' && analysis.empty()) {
      analysis = argv[i];
    } else {
      std::fprintf(stderr, "fishbone-gui: unknown argument \"%s\" (try --help)\n", argv[i]);
      return 2;
    }
  }
  // Screenshots need no display.
  if (!screenshots.empty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  // The product's font names must map to installed fonts before Qt reads the font database.
  fb::render::load_product_fonts();
  QApplication application(argc, argv);
  QApplication::setApplicationName("fishbone-gui");
  fishbone_gui::InstallQtChineseTexts(application);
  QApplication::setWindowIcon(fb::ui::qt::application_icon());
  fb::os::ProcessEnvironment environment;
  try {
    return RunHost(environment, screenshots, analysis, quit_after_start, since_start);
  } catch (const std::exception& failure) {
    return CannotStart(failure);  // while the application can still show a box
  }
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& failure) {
    return CannotStart(failure);  // before the application was made: standard error only
  }
}
