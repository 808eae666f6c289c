#pragma once

#include <string_view>

#include "platform/os/file_system.h"

namespace kivo2d {

// "Delete leftovers" (at connection to the host and on each activation of the editor window):
// deletes the exchange file, "~l$go.gif" in the same folder and the recent-file
// shortcut, in this order, each only if the file-system object's FileExists says it exists.
// Absent files are no error. A failing deletion of a present file propagates its fb::HostError.
void DeleteLeftovers(const fb::os::FileSystemObject& fso, std::string_view win_dir,
                     std::string_view user_profile);

}  // namespace kivo2d
