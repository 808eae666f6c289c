#pragma once

#include <filesystem>
#include <string_view>

namespace fb::os {

// Maps a Windows-style path, as the component builds it from a folder value (WinDir,
// userprofile) and its literals ("\Temp\程序正在运行中，请稍后。。。.xml", "\temp\Fishbone Diagram
// Report.xlt"), to a native path:
// - every backslash is a separator (forward slashes stay separators too); empty components
//   (doubled separators) are dropped;
// - Windows paths are case-insensitive, so each component that does not exist under its own
//   spelling but exists under another ASCII letter case is replaced by the existing entry's name
//   ("\temp" reaches the folder "Temp"). When several entries match, the exact spelling wins,
//   else the smallest name in byte order. A component that exists under no spelling keeps the
//   literal spelling, and so do all components after it.
// Nothing is created. The text is UTF-8 and passes through unchanged otherwise.
std::filesystem::path native_path(std::string_view windows_path);

// For writers that need the folders of a file path to exist (e.g. "\Temp" under WinDir): maps
// the path as native_path does, creates every missing folder of its parent chain with mode 0700,
// and returns the native path of the file. Throws fb::HostError 76 ("Path not found") when a
// folder cannot be created.
std::filesystem::path ensure_parent_folders(std::string_view windows_path);

// Creates the folder a Windows-style folder path names, with its missing ancestors (mode 0700),
// and returns its native path. Same errors as ensure_parent_folders.
std::filesystem::path ensure_folder(std::string_view windows_folder_path);

}  // namespace fb::os
