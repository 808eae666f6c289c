#include "src/addin/headless_host.h"

#include "src/addin/connect.h"
#include "src/addin/registration.h"
#include "src/datasheet/functions.h"

namespace kivo2d {

HeadlessHost::HeadlessHost(const fb::os::Environment& environment,
                           fb::os::FileSystemObject& file_system, fb::os::Clock& clock,
                           fb::ui::Dialogs& dialogs, std::string version)
    : app_(environment, version),
      office_(version),
      component_(environment, file_system, clock, dialogs) {
  // The host's own questions (saving changes on close) go to the same boxes as the component's.
  app_.set_dialogs(&dialogs);
  RegisterFunctionsClass(app_.addins());
  RegisterConnectClass(addins_, component_, app_, office_);
}

HeadlessHost::~HeadlessHost() {
  // Disconnection ignores its own failures; what else could go wrong here must not escape a
  // destructor.
  try {
    addins_.shut_down();
  } catch (...) {
  }
}

void HeadlessHost::Connect(int connect_mode) {
  addins_.connect(kConnectProgId, connect_mode);
}

void HeadlessHost::Disconnect(int remove_mode) {
  addins_.disconnect(kConnectProgId, remove_mode);
}

void HeadlessHost::StartUp(const fb::os::Registry& registry) {
  addins_.start_up(registry);
}

void HeadlessHost::Close() {
  addins_.shut_down();
  office_.close();
}

fb::office::CommandBarControl& HeadlessHost::FishboneButton(int position) {
  return office_.command_bars().item(kCommandBarName).controls().item(position);
}

bool HeadlessHost::ClickFishboneButton(std::string_view caption) {
  return office_.command_bars().item(kCommandBarName).controls().item(caption).click();
}

}  // namespace kivo2d
