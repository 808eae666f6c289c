#pragma once

#include <QMainWindow>

#include "platform/ui/qt/sheet/command_bar_menus.h"

class QTabWidget;

namespace fb::sheet {
class Application;
}
namespace fb::office {
class OfficeHost;
}

namespace fb::ui::qt {

// The host's main window: the menu bar and the command bars drawn from the Office model, and the
// engine's open workbooks, one tab each. It decides nothing itself: what a built-in control does
// is the application's `built_in` action, and `refresh` draws the models again after they changed.
class HostWindow : public QMainWindow {
  Q_OBJECT

 public:
  HostWindow(sheet::Application& app, office::OfficeHost& office, BuiltInAction built_in,
             QWidget* parent = nullptr);

  // Draws the menu bar, the command bars and the workbook tabs from the models again.
  void refresh();

  sheet::Application& app() const { return app_; }
  office::OfficeHost& office() const { return office_; }

 private:
  sheet::Application& app_;
  office::OfficeHost& office_;
  BuiltInAction built_in_;
  QTabWidget* tabs_ = nullptr;
};

}  // namespace fb::ui::qt
