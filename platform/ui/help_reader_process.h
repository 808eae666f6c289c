#pragma once

#include <filesystem>
#include <vector>

#include "platform/ui/help_objects.h"

namespace fb::ui {

// Reads every stored file of the compiled help file `file` in a process of its own, the help
// reader (fishbone-help-reader), and returns them. The compiled-help library divides by numbers
// the file gives and writes where the file points: a damaged or crafted file can kill the process
// it runs in, so it runs in one that may die. A reader that dies, fails or takes longer than ten
// seconds is a file that cannot be read: fb::HostError 321 ("无效的文件格式") naming the file and
// what happened. A reader that cannot be started is fb::HostError 75 naming it.
std::vector<HelpObject> read_help_objects(const std::filesystem::path& file);

// Where the help reader is: in libexec/fishbone beside an installed program's bin folder, else
// the one the build made.
std::filesystem::path help_reader_program();

}  // namespace fb::ui
