#include "apps/fishbone/same_file.h"

#include <sys/stat.h>

namespace fishbone {
namespace {

std::optional<std::pair<dev_t, ino_t>> IdOf(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return std::pair(info.st_dev, info.st_ino);
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

std::string Refusal(const std::filesystem::path& output, const std::string& input) {
  return "the output \"" + output.string() + "\" is the tree file \"" + input +
         "\": writing it would destroy the tree; nothing is written";
}

}  // namespace

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  const auto first = IdOf(a);
  return first && first == IdOf(b);
}

std::optional<std::string> OutputIsInput(const std::string& input, const OutputTargets& targets) {
  if (input == "-") return std::nullopt;
  return TreeFiles({input}).OutputIsInput(targets);
}

TreeFiles::TreeFiles(const std::vector<std::string>& inputs) {
  for (const std::string& input : inputs) {
    if (input == "-") continue;
    const std::filesystem::path path(input);
    if (const auto id = IdOf(path)) files_.emplace(*id, input);
    if (const auto folder = IdOf(FolderOf(path))) {
      in_[*folder].emplace_back(path.filename().string(), input);
    }
  }
}

std::optional<std::string> TreeFiles::OutputIsInput(const OutputTargets& targets) const {
  for (const auto& file : targets.files) {
    const auto id = IdOf(file);
    if (!id) continue;
    if (const auto found = files_.find(*id); found != files_.end()) {
      return Refusal(file, found->second);
    }
  }
  for (const auto& [folder, writes] : targets.folders) {
    const auto id = IdOf(folder);
    if (!id) continue;
    const auto found = in_.find(*id);
    if (found == in_.end()) continue;
    for (const auto& [name, input] : found->second) {
      if (writes(name)) return Refusal(folder / name, input);
    }
  }
  return std::nullopt;
}

}  // namespace fishbone
