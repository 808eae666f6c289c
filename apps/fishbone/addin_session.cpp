#include "apps/fishbone/addin_session.h"

#include <ostream>

#include "platform/os/clock.h"
#include "platform/os/file_system.h"
#include "platform/ui/headless_dialogs.h"
#include "src/addin/component_windows.h"
#include "src/addin/connect.h"
#include "src/addin/generation_messages.h"
#include "src/addin/headless_host.h"

namespace fishbone {

namespace {

std::string WithLineFeeds(std::string text) {
  for (char& c : text) {
    if (c == '\r') c = '\n';
  }
  return text;
}

}  // namespace

bool IsLeftForTheComponent(const kivo2d::TreeProblem& problem) {
  return problem.message.find(kivo2d::kMainCauseWithoutChildText) != std::string::npos;
}

int GenerateThroughAddin(const kivo2d::TreeDocument& tree, const AddinRunOptions& options,
                         const fb::os::Environment& environment, Io& io) {
  fb::os::FileSystemObject file_system;
  fb::os::SystemClock clock;
  fb::ui::HeadlessDialogs dialogs(fb::ui::HeadlessDialogs::Policy::kDefaultButton);
  bool succeeded = false;
  dialogs.set_on_dialog([&](const fb::ui::DialogRecord& record) {
    if (record.kind != fb::ui::DialogRecord::Kind::kMessageBox) return;
    io.err << "[" << record.title << "] " << WithLineFeeds(record.text) << '\n';
    if (record.title == kivo2d::kSuccessTitle && record.text == kivo2d::kSuccessMessage) {
      succeeded = true;
    }
  });

  kivo2d::HeadlessHost host(environment, file_system, clock, dialogs, options.host_version);
  host.office().set_trust_vba_project_access(options.trust_vba);
  host.component().component_folder = options.component_folder;
  host.component().after_step = options.after_step;
  host.Connect(fb::office::connect_mode::kCommandLine);
  if (!host.ClickFishboneButton(kivo2d::kAddFishboneCaption)) return kExitFailure;
  kivo2d::Work& editor = kivo2d::Windows(host.component()).work();
  if (!editor.loaded()) return kExitFailure;  // the editor refused to open; it said why
  editor.ImportTree(tree);
  editor.AddFishbone.click();
  return succeeded ? kExitOk : kExitFailure;
}

}  // namespace fishbone
