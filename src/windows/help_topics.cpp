#include "src/windows/help_topics.h"

#include <optional>
#include <string>

#include "platform/os/host_error.h"
#include "platform/os/win_path.h"
#include "platform/ui/chm_file.h"

namespace kivo2d {

std::string HelpFilePath(std::string_view component_folder) {
  return std::string(component_folder) + std::string(kHelpFileLiteral);
}

HelpOutcome ShowHelpTopic(fb::ui::Dialogs& dialogs, const fb::os::FileSystemObject& fso,
                          std::string_view help_file, std::string_view topic,
                          const fb::ui::Form* owner) {
  namespace vb = fb::ui::vb;
  auto missing = [&] {
    dialogs.message_box(kHelpFileMissingMessage, vb::vbInformation | vb::vbOKOnly,
                        kHelpMessageTitle);
    return HelpOutcome::kFileMissing;
  };
  if (!fso.FileExists(help_file)) return missing();
  std::optional<fb::ui::ChmFile> help;
  try {
    help = fb::ui::ChmFile::open(fb::os::native_path(help_file));
  } catch (const fb::HostError&) {
    return missing();  // there, but no help file a reader can show: damaged
  }
  try {
    help->require_topic(topic);
    dialogs.show_help(help_file, topic, owner);
    return HelpOutcome::kShown;
  } catch (const fb::HostError& failure) {
    dialogs.message_box(failure.description(), vb::vbOKOnly, kDefaultMessageTitle);
    return HelpOutcome::kFailed;
  }
}

}  // namespace kivo2d
