#pragma once

#include <string>
#include <string_view>

#include "platform/office/com_addins.h"
#include "platform/office/command_bars.h"
#include "platform/office/office_host.h"
#include "platform/os/clock.h"
#include "platform/os/environment.h"
#include "platform/os/file_system.h"
#include "platform/os/registry.h"
#include "platform/sheet/application.h"
#include "platform/ui/dialogs.h"
#include "src/component/component.h"

namespace kivo2d {

// A host without a display, as the command line and the tests run the component: the spreadsheet
// engine with its Office side (command bars, VBA editor, keys), the component's two classes made
// available in the process as installing the component does, and the message boxes answered by
// whatever `dialogs` is. The services passed in must outlive the host.
class HeadlessHost {
 public:
  HeadlessHost(const fb::os::Environment& environment, fb::os::FileSystemObject& file_system,
               fb::os::Clock& clock, fb::ui::Dialogs& dialogs,
               std::string version = std::string(fb::sheet::kV12VersionText));
  // Disconnects what is still connected, as a closing host does.
  ~HeadlessHost();
  HeadlessHost(const HeadlessHost&) = delete;
  HeadlessHost& operator=(const HeadlessHost&) = delete;

  fb::sheet::Application& app() { return app_; }
  fb::office::OfficeHost& office() { return office_; }
  fb::office::ComAddIns& addins() { return addins_; }
  Component& component() { return component_; }

  // The user loads the add-in (connect mode 0), or something else does (2, 3).
  void Connect(int connect_mode = fb::office::connect_mode::kAfterStartup);
  // The user removes the add-in (remove mode 1).
  void Disconnect(int remove_mode = fb::office::remove_mode::kUserClosed);
  // The host starts: connects the add-ins the user's registry loads at start-up (connect mode 1).
  void StartUp(const fb::os::Registry& registry);
  // The host closes: disconnects every add-in (remove mode 0), then drops its temporary bars.
  void Close();

  // The button at `position` of the command bar "Fishbone"; fb::HostError 5 when the bar or the
  // button is absent.
  fb::office::CommandBarControl& FishboneButton(int position);
  // Clicks the button of the command bar "Fishbone" with this caption, as the user does; returns
  // whether the click was raised (false for a disabled button). fb::HostError 5 when absent.
  bool ClickFishboneButton(std::string_view caption);

 private:
  fb::sheet::Application app_;
  fb::office::OfficeHost office_;
  Component component_;
  fb::office::ComAddIns addins_;
};

}  // namespace kivo2d
