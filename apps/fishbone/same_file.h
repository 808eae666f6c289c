#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// An output must never be the tree file the command reads: writing the report over the tree
// would destroy the user's only copy. Paths are compared as files (device and inode), so
// "t.xml", "./t.xml" and a link to it are all the same file.

namespace fishbone {

// Whether two paths name one existing file.
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// What one run may write: single files, and folders with the names it may write into them.
struct OutputTargets {
  std::vector<std::filesystem::path> files;
  struct Folder {
    std::filesystem::path folder;
    bool (*writes)(const std::string& name);  // whether the run may write a file of this name
  };
  std::vector<Folder> folders;
};

// The message when a target is the input, naming both: `the output "OUT" is the tree file
// "IN": nothing is written`; nothing when the input is no output (or "-", standard input).
std::optional<std::string> OutputIsInput(const std::string& input, const OutputTargets& targets);

}  // namespace fishbone
