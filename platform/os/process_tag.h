#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace fb::os {

// Names of temporary files and run folders carry the machine and process that made them,
// "<host>-<pid>", so a later run can tell the leftovers of a process that no longer exists
// (killed with SIGKILL, or the machine went down) from the files of a run still going on, also
// where a home folder is shared by several machines.
std::string process_tag();

// Whether `tag` ("<host>-<pid>") names a process of this machine that no longer exists. A tag
// of another machine, or one that cannot be read, is never stale: it is left alone.
bool is_stale_process_tag(std::string_view tag);

// Removes, with their content, the folders in `parent` named "<prefix><tag>-XXXXXX" whose tag is
// stale: what killed processes left of the folders they make there. Anything else is left.
void remove_stale_tagged_folders(const std::filesystem::path& parent, std::string_view prefix);

}  // namespace fb::os
