#include "platform/ui/qt/sheet/host_window.h"

#include <QMenuBar>
#include <QTabWidget>

#include "platform/office/office_host.h"
#include "platform/sheet/application.h"

namespace fb::ui::qt {

HostWindow::HostWindow(sheet::Application& app, office::OfficeHost& office, BuiltInAction built_in,
                       QWidget* parent)
    : QMainWindow(parent), app_(app), office_(office), built_in_(std::move(built_in)) {
  tabs_ = new QTabWidget(this);
  tabs_->setDocumentMode(true);
  setCentralWidget(tabs_);
  resize(1100, 720);
  refresh();
}

void HostWindow::refresh() {
  office::CommandBars& bars = office_.command_bars();
  for (int i = 1; i <= bars.count(); ++i) {
    office::CommandBar& bar = bars.item(i);
    if (bar.menu_bar() && bar.visible()) {
      build_menu_bar(*menuBar(), bar, built_in_);
      break;
    }
  }
}

}  // namespace fb::ui::qt
