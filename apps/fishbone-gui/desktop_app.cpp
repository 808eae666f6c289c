#include "apps/fishbone-gui/desktop_app.h"

namespace fishbone_gui {

DesktopApp::DesktopApp(const fb::os::Environment& process_environment)
    : host_(process_environment, file_system_, clock_, dialogs_) {
  window_ = std::make_unique<fb::ui::qt::HostWindow>(host_.app(), host_.office(),
                                                     fb::ui::qt::BuiltInAction{});
}

DesktopApp::~DesktopApp() = default;

}  // namespace fishbone_gui
