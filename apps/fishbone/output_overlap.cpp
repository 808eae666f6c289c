#include "apps/fishbone/output_overlap.h"

#include <sys/stat.h>

#include <system_error>

#include "apps/fishbone/same_file.h"

namespace fishbone {
namespace {

namespace fs = std::filesystem;

// Where a path leads, as far as it exists: links followed, "." and ".." gone.
fs::path Resolved(const fs::path& path) {
  std::error_code failed;
  fs::path resolved = fs::weakly_canonical(fs::absolute(path, failed), failed);
  return failed ? path.lexically_normal() : resolved;
}

bool OneFile(const fs::path& a, const fs::path& b) {
  return Resolved(a) == Resolved(b) || IsSameFile(a, b);
}

bool IsDevice(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode));
}

std::string Quoted(const fs::path& path) {
  return "\"" + path.string() + "\"";
}

std::optional<std::string> Overlap(const NamedOutput& a, const NamedOutput& b) {
  constexpr const char* kApart = ": each output needs a file of its own";
  if (!a.writes && !b.writes) {
    if (!OneFile(a.path, b.path) || IsDevice(a.path)) return std::nullopt;
    return std::string(a.option) + " and " + std::string(b.option) + " name one file, " +
           Quoted(b.path) + kApart;
  }
  if (a.writes && b.writes) return std::nullopt;  // the folders' own files have distinct names
  const NamedOutput& file = a.writes ? b : a;
  const NamedOutput& folder = a.writes ? a : b;
  if (OneFile(file.path, folder.path)) {
    return std::string(file.option) + " " + Quoted(file.path) + " is the folder " +
           std::string(folder.option) + " writes into" + kApart;
  }
  const fs::path parent = file.path.has_parent_path() ? file.path.parent_path() : fs::path(".");
  if (OneFile(parent, folder.path) && folder.writes(file.path.filename().string())) {
    return std::string(file.option) + " " + Quoted(file.path) + " is a file " +
           std::string(folder.option) + " writes into " + Quoted(folder.path) + kApart;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> OverlappingOutputs(const std::vector<NamedOutput>& outputs) {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    for (std::size_t j = i + 1; j < outputs.size(); ++j) {
      if (auto overlap = Overlap(outputs[i], outputs[j])) return overlap;
    }
  }
  return std::nullopt;
}

}  // namespace fishbone
