#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "apps/fishbone/args.h"
#include "apps/fishbone/generation_host.h"

// `fishbone generate A.txt B.xml DIR ... -o FOLDER [--jobs N] [--pdf] [--png] [--pictures]`:
// which command lines ask for many reports, and which tree goes to which file.

namespace fishbone {

// One tree of a batch and the name its outputs take in the folder.
struct BatchTree {
  std::string input;        // as given, or the folder's path joined with the file's name
  std::string output_name;  // "t", or "t-2" when an earlier tree of the batch is named "t" too
};

struct BatchRequest {
  std::vector<BatchTree> trees;
  std::filesystem::path folder;
  bool pdf = false;
  bool png = false;
  bool pictures = false;
  int jobs = 1;
  GenerationHostSettings options;
  // The command line as parsed: a report among the trees is made again with the choices it
  // kept, the panel's flags given over them.
  ParsedArgs flags;
};

// The batch's own options: --pdf, --png and --pictures are switches here, since every tree's
// files are named after it.
std::span<const OptionRule> BatchOptions();

// Whether `args` ask for many reports rather than one. A command line that reads as one tree to
// one report file (`-o REPORT.xlsx`, `--pdf FILE` ...) under `single_options` stays a single run;
// it is a batch when it gives --jobs, several trees, a folder of trees, or -o a name ending in
// "/", and reads under the batch options.
bool IsBatchCommandLine(std::span<const std::string> args,
                        std::span<const OptionRule> single_options);

// The request of a batch command line. On a wrong one returns nothing and sets `error` to the
// usage message. A folder argument contributes every .xml and .txt file in it (any letter case,
// not its subfolders) in name order; a file named twice is taken once. Trees whose names clash
// (the same name in two folders, or "t.txt" beside "t.xml", letter case aside) keep the first
// one's name and number the next ones "-2", "-3" ..., in the order given.
std::optional<BatchRequest> PlanBatch(std::span<const std::string> args, std::string& error);

}  // namespace fishbone
