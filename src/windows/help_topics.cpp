#include "src/windows/help_topics.h"

#include "platform/os/host_error.h"

namespace kivo2d {

std::string HelpFilePath(std::string_view component_folder) {
  return std::string(component_folder) + std::string(kHelpFileLiteral);
}

HelpOutcome ShowHelpTopic(fb::ui::Dialogs& dialogs, const fb::os::FileSystemObject& fso,
                          std::string_view help_file, std::string_view topic,
                          const fb::ui::Form* owner) {
  namespace vb = fb::ui::vb;
  if (!fso.FileExists(help_file)) {
    dialogs.message_box(kHelpFileMissingMessage, vb::vbInformation | vb::vbOKOnly,
                        kHelpMessageTitle);
    return HelpOutcome::kFileMissing;
  }
  try {
    dialogs.show_help(help_file, topic, owner);
    return HelpOutcome::kShown;
  } catch (const fb::HostError& failure) {
    dialogs.message_box(failure.description(), vb::vbOKOnly, kDefaultMessageTitle);
    return HelpOutcome::kFailed;
  }
}

}  // namespace kivo2d
