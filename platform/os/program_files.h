#pragma once

#include <filesystem>
#include <string>

namespace fb::os {

// The running program's own file; empty when the system does not say.
std::filesystem::path running_program();

// Where the data files of an installed program lie: <prefix>/share/fishbone for a program in
// <prefix>/bin, as `cmake --install` lays them out. A program run from the build tree has no
// such folder; its callers fall back to the build's own copies.
std::filesystem::path installed_data_folder(const std::filesystem::path& program);

// `name` in the installed data folder of `program` when a regular file of that name is there,
// else `fallback` (the file's place in the source or build tree).
std::filesystem::path installed_or(const std::filesystem::path& program, const std::string& name,
                                   const std::filesystem::path& fallback);

}  // namespace fb::os
