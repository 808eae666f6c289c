#include "apps/fishbone/same_file.h"

#include <sys/stat.h>

namespace fishbone {

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::optional<std::string> OutputIsInput(const std::string& input, const OutputTargets& targets) {
  if (input == "-") return std::nullopt;
  const auto refuse = [&](const std::filesystem::path& output) {
    return "the output \"" + output.string() + "\" is the tree file \"" + input +
           "\": writing it would destroy the tree; nothing is written";
  };
  for (const auto& file : targets.files) {
    if (IsSameFile(file, input)) return refuse(file);
  }
  const std::filesystem::path input_path(input);
  const std::filesystem::path input_folder =
      input_path.has_parent_path() ? input_path.parent_path() : std::filesystem::path(".");
  const std::string input_name = input_path.filename().string();
  for (const auto& [folder, writes] : targets.folders) {
    if (IsSameFile(folder, input_folder) && writes(input_name)) return refuse(folder / input_name);
  }
  return std::nullopt;
}

}  // namespace fishbone
