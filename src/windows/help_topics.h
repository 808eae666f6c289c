#pragma once

#include <string>
#include <string_view>

#include "platform/os/file_system.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"

namespace kivo2d {

// The component's folder followed by this: the compiled help file.
inline constexpr std::string_view kHelpFileLiteral = "\\Kivo Workbench 2 帮助系统.chm";
// Topics: the analysis-library check, the trust refusal, the editor's Help button.
inline constexpr std::string_view kInitialisationTopic = "_9.htm";
inline constexpr std::string_view kTrustTopic = "_10.htm";
inline constexpr std::string_view kEditorHelpTopic = "_12.htm";

inline constexpr std::string_view kHelpFileMissingMessage =
    "无法显示帮助目录，可能帮助文件已被移除或损坏，请重新安装帮助文件。";
inline constexpr std::string_view kHelpMessageTitle = "Kivo Workbench 2";
// The title a message box without one of its own gets: the component's name.
inline constexpr std::string_view kDefaultMessageTitle = "KIVO2D";

std::string HelpFilePath(std::string_view component_folder);

enum class HelpOutcome { kShown, kFileMissing, kFailed };

// Shows a topic of the help file owned by `owner`. A missing file, or one that is no readable help
// file (damaged), gives the missing-file message (information icon, product title); a failing
// help call, a topic the file does not hold among them, gives its description in a plain message
// box. Says which of the three happened, so the caller can bring its window back.
HelpOutcome ShowHelpTopic(fb::ui::Dialogs& dialogs, const fb::os::FileSystemObject& fso,
                          std::string_view help_file, std::string_view topic,
                          const fb::ui::Form* owner);

}  // namespace kivo2d
