#include "apps/fishbone/batch_plan.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <set>
#include <system_error>
#include <thread>

#include "apps/fishbone/generate_run.h"

namespace fishbone {
namespace {

namespace fs = std::filesystem;

constexpr std::array<OptionRule, 13> kBatchOptions{{
    {"--output", "-o", true},
    {"--jobs", "-j", true},
    {"--pdf", "", false},
    {"--png", "", false},
    {"--pictures", "", false},
    {"--host-version", "", true},
    {"--no-trust-vba", "", false},
    {"--font", "", true},
    {"--size", "", true},
    {"--wrap", "", true},
    {"--head", "", true},
    {"--no-pareto", "", false},
    {"--no-top-three", "", false},
}};

// Letter case folded, as the reports may be copied to a file system that ignores it.
std::string Folded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool IsFolder(const std::string& path) {
  std::error_code ignored;
  return path != "-" && fs::is_directory(path, ignored);
}

// "-o out/" asks for a folder even for one tree. An existing folder without the slash is not
// taken as one: a single run refuses to put its report file where a folder is.
bool NamesAFolder(const std::string& path) {
  return !path.empty() && path.back() == '/';
}

// "-o x.xlsx" with several trees is a slip for one report, not a folder to make of that name.
bool NamesAReport(const std::string& path) {
  const std::string extension = Folded(fs::path(path).extension().string());
  return !NamesAFolder(path) && !IsFolder(path) &&
         (extension == ".xlsx" || extension == ".pdf" || extension == ".png");
}

// A .xml or .txt file; also such a name that is a link leading nowhere (to nothing, or round in
// a loop), so that the tree it stood for fails with a line of its own instead of going unseen.
bool IsTreeFile(const fs::directory_entry& entry) {
  const std::string extension = Folded(entry.path().extension().string());
  if (extension != ".xml" && extension != ".txt") return false;
  std::error_code failed;
  if (entry.is_regular_file(failed)) return true;
  std::error_code unresolved;
  const fs::file_status target = fs::status(entry.path(), unresolved);
  return entry.is_symlink(failed) && (unresolved || target.type() == fs::file_type::not_found);
}

// The files a folder argument stands for, in name order.
std::vector<std::string> TreesInFolder(const std::string& folder, std::string& error) {
  std::vector<std::string> files;
  std::error_code failed;
  for (fs::directory_iterator it(folder, failed), end; !failed && it != end; it.increment(failed)) {
    if (IsTreeFile(*it)) files.push_back((fs::path(folder) / it->path().filename()).string());
  }
  if (failed) error = "cannot read the folder \"" + folder + "\": " + failed.message();
  std::sort(files.begin(), files.end());
  return files;
}

std::string UniqueName(const std::string& stem, std::set<std::string>& taken) {
  std::string name = stem.empty() ? "tree" : stem;
  for (int n = 2; !taken.insert(Folded(name)).second; ++n) {
    name = stem + "-" + std::to_string(n);
  }
  return name;
}

// The same file reached twice (named and through its folder, or spelt two ways) is one tree.
std::string Identity(const std::string& path) {
  std::error_code failed;
  const fs::path canonical = fs::weakly_canonical(path, failed);
  return failed ? path : canonical.string();
}

}  // namespace

std::span<const OptionRule> BatchOptions() {
  return kBatchOptions;
}

bool IsBatchCommandLine(std::span<const std::string> args,
                        std::span<const OptionRule> single_options) {
  std::string error;
  const auto batch = ParseArgs(args, kBatchOptions, error);
  if (!batch || batch->help) return false;
  const bool folder_out = batch->Has("--output") && NamesAFolder(*batch->Value("--output"));
  const bool many = batch->Has("--jobs") || folder_out || batch->positionals.size() > 1 ||
                    std::any_of(batch->positionals.begin(), batch->positionals.end(), IsFolder);
  if (!many) return false;
  // One tree to named files reads the same under both, and stays what it always was.
  const auto single = ParseArgs(args, single_options, error);
  return !(single && single->positionals.size() == 1 && !IsFolder(single->positionals[0]) &&
           !folder_out);
}

std::optional<BatchRequest> PlanBatch(std::span<const std::string> args, std::string& error) {
  const auto parsed = ParseArgs(args, kBatchOptions, error);
  if (!parsed) return std::nullopt;
  BatchRequest request;
  if (!parsed->Has("--output")) {
    error = "several trees need -o FOLDER for their reports";
    return std::nullopt;
  }
  request.folder = *parsed->Value("--output");
  if (NamesAReport(request.folder.string())) {
    error = "-o \"" + request.folder.string() +
            "\" names a report file, but many reports need a folder (-o FOLDER/)";
    return std::nullopt;
  }
  request.pdf = parsed->Has("--pdf");
  request.png = parsed->Has("--png");
  request.pictures = parsed->Has("--pictures");
  request.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  if (const auto jobs = parsed->Value("--jobs")) {
    int n = 0;
    const auto [end, failed] = std::from_chars(jobs->data(), jobs->data() + jobs->size(), n);
    if (failed != std::errc() || end != jobs->data() + jobs->size() || n < 1 || n > 256) {
      error = "--jobs takes a number from 1 to 256, not \"" + *jobs + "\"";
      return std::nullopt;
    }
    request.jobs = n;
  }
  const auto version = HostVersionOption(*parsed, error);
  if (!version) return std::nullopt;
  request.options.host_version = *version;
  request.options.trust_vba = !parsed->Has("--no-trust-vba");
  const auto choices = PanelChoices(*parsed, error);
  if (!choices) return std::nullopt;
  request.options.choices = *choices;
  request.flags = *parsed;

  std::set<std::string> seen;
  std::set<std::string> taken;
  for (const std::string& argument : parsed->positionals) {
    if (argument == "-") {
      error = "standard input cannot be one of several trees";
      return std::nullopt;
    }
    std::vector<std::string> files{argument};
    if (IsFolder(argument)) {
      files = TreesInFolder(argument, error);
      if (!error.empty()) return std::nullopt;
    }
    for (std::string& file : files) {
      if (!seen.insert(Identity(file)).second) continue;
      const std::string name = UniqueName(fs::path(file).stem().string(), taken);
      request.trees.push_back({std::move(file), name});
    }
  }
  if (request.trees.empty()) {
    error = "no tree files (.xml or .txt) in " + (parsed->positionals.empty()
                                                      ? std::string("the command line")
                                                      : "\"" + parsed->positionals.front() + "\"");
    return std::nullopt;
  }
  request.jobs = std::min(request.jobs, static_cast<int>(request.trees.size()));
  return request;
}

}  // namespace fishbone
