#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
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

// The tree files of a batch, each looked up once, so that every output of every tree can be
// checked against all of them: a tree's file may be another tree's report.
class TreeFiles {
 public:
  explicit TreeFiles(const std::vector<std::string>& inputs);

  // The message of OutputIsInput for the first target that is one of the tree files.
  std::optional<std::string> OutputIsInput(const OutputTargets& targets) const;

 private:
  using FileId = std::pair<dev_t, ino_t>;
  std::map<FileId, std::string> files_;                                    // id -> tree file
  std::map<FileId, std::vector<std::pair<std::string, std::string>>> in_;  // folder -> name, file
};

}  // namespace fishbone
