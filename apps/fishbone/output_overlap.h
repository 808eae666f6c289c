#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Each output of one run must be a file of its own: two options naming one file would leave
// only the one written last, under both names, while the run says it wrote both. Paths are
// compared as files: "r.xlsx", "./r.xlsx", a link to it and a second hard link are one file.
// A device (-o /dev/null --pdf /dev/null) takes any number of outputs.

namespace fishbone {

struct NamedOutput {
  std::string_view option;  // "--output", "--pictures" ...
  std::filesystem::path path;
  // For a folder: whether the run writes a file of this name into it; null for a file.
  bool (*writes)(const std::string& name) = nullptr;
};

// The message naming the first two outputs that are one file (or a file and the folder it is
// in, when the run writes a file of that name there); nothing when all are apart.
std::optional<std::string> OverlappingOutputs(const std::vector<NamedOutput>& outputs);

}  // namespace fishbone
