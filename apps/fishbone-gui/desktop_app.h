#pragma once

#include <QObject>
#include <memory>

#include "platform/os/clock.h"
#include "platform/os/environment.h"
#include "platform/os/file_system.h"
#include "platform/ui/headless_dialogs.h"
#include "platform/ui/qt/sheet/host_window.h"
#include "src/addin/headless_host.h"

namespace fishbone_gui {

// The desktop host: one host engine with the component, drawn by the host window.
class DesktopApp : public QObject {
  Q_OBJECT

 public:
  explicit DesktopApp(const fb::os::Environment& process_environment);
  ~DesktopApp() override;

  fb::ui::qt::HostWindow& window() { return *window_; }
  kivo2d::HeadlessHost& host() { return host_; }

 private:
  fb::os::FileSystemObject file_system_;
  fb::os::SystemClock clock_;
  fb::ui::HeadlessDialogs dialogs_{fb::ui::HeadlessDialogs::Policy::kDefaultButton};
  kivo2d::HeadlessHost host_;
  std::unique_ptr<fb::ui::qt::HostWindow> window_;
};

}  // namespace fishbone_gui
