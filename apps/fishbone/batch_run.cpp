#include "apps/fishbone/batch_run.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <optional>
#include <sstream>
#include <system_error>
#include <thread>
#include <vector>

#include "apps/fishbone/commands.h"
#include "apps/fishbone/generate_run.h"
#include "apps/fishbone/progress_bar.h"
#include "apps/fishbone/same_file.h"
#include "apps/fishbone/tree_input.h"
#include "platform/os/folder_lock.h"
#include "platform/os/host_error.h"

namespace fishbone {
namespace {

namespace fs = std::filesystem;

std::string OneLine(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

// Why a run failed, in one line, from what it printed: the command line's own explanation when
// it gave one ("fishbone: ..."), else the component's last message. A run that could not save
// what it made says so last and why just before: the why goes first, as a single run shows it.
std::string Reason(const std::string& printed) {
  std::vector<std::string> lines;
  std::istringstream in(printed);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  std::vector<std::string> own;  // the command line's lines, last first
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    if (it->starts_with("fishbone: ")) own.push_back(it->substr(10));
  }
  if (!own.empty()) {
    if (own[0] != kNotSavedLine || own.size() == 1) return own[0];
    return own[1] + "; the report was generated but not saved";
  }
  // Else the first line of the last message box, "[title] text".
  std::string message;
  for (auto it = lines.rbegin(); it != lines.rend() && message.empty(); ++it) {
    if (it->starts_with("[")) message = *it;
  }
  return message.empty() ? "no report (the run gave no reason)" : OneLine(message);
}

// What one tree of the batch writes: FOLDER/<name>.xlsx, .pdf, .png and the folder FOLDER/<name>.
RunOutputs OutputsOf(const BatchTree& tree, const BatchRequest& request) {
  RunOutputs outputs;
  const fs::path base = request.folder / tree.output_name;
  outputs.report = fs::path(base).concat(".xlsx");
  if (request.pdf) outputs.pdf = fs::path(base).concat(".pdf");
  if (request.png) outputs.png = fs::path(base).concat(".png");
  if (request.pictures) outputs.pictures = base;
  return outputs;
}

// The first output of any tree that is the file of any tree, which the batch must not write.
std::optional<std::string> OutputIsATree(const BatchRequest& request) {
  std::vector<std::string> inputs;
  for (const BatchTree& tree : request.trees) inputs.push_back(tree.input);
  const TreeFiles trees(inputs);
  for (const BatchTree& tree : request.trees) {
    if (auto clash = trees.OutputIsInput(TargetsOf(OutputsOf(tree, request)))) return clash;
  }
  return std::nullopt;
}

}  // namespace

BatchOutcome GenerateBatchTree(const BatchTree& tree, const BatchRequest& request) {
  std::istringstream in;
  std::ostringstream out, err;
  Io io{in, out, err};
  std::string error;
  const std::string name = DisplayName(tree.input);
  const auto bytes = ReadInput(tree.input, io, error);
  if (!bytes) return {false, name + ": " + error};
  kivo2d::TreeReadResult read =
      kivo2d::ReadTree(*bytes, ChooseInputFormat(tree.input, std::nullopt, *bytes));
  std::erase_if(read.problems, IsLeftForTheComponent);
  if (!read.ok()) {
    const kivo2d::TreeProblem& first = read.problems.front();
    std::string line =
        name + (first.line > 0 ? ":" + std::to_string(first.line) : "") + ": " + first.message;
    if (read.problems.size() > 1) {
      line += " (and " + std::to_string(read.problems.size() - 1) + " more problems)";
    }
    return {false, line};
  }
  GenerationHostSettings options = request.options;
  if (read.choices) options.choices = *PanelChoices(request.flags, error, *read.choices);
  const RunOutputs outputs = OutputsOf(tree, request);
  try {
    if (GenerateReportFiles(read.tree, name, options, outputs, io) != kExitOk) {
      return {false, name + ": " + Reason(err.str())};
    }
  } catch (const std::exception& failure) {  // the run's own trap misses nothing it should
    return {false, name + ": " + failure.what()};
  }
  return {true,
          name + ": " + SummaryText(read.tree) + " -> " + PrintableName(outputs.report->string())};
}

int RunBatch(std::span<const std::string> args, Io& io) {
  std::string error;
  const auto request = PlanBatch(args, error);
  if (!request) return UsageError(kGenerateCommand, error, io);
  if (const auto clash = OutputIsATree(*request)) {
    io.err << "fishbone: " << *clash << '\n';
    return kExitFailure;
  }
  std::error_code failed;
  fs::create_directories(request->folder, failed);
  if (failed || !fs::is_directory(request->folder)) {
    io.err << "fishbone: cannot make the folder \"" << request->folder.string()
           << "\": " << (failed ? failed.message() : "a file of that name is in the way") << '\n';
    return kExitFailure;
  }
  // Two batches into one folder would each replace the other's files tree by tree, leaving
  // reports of one beside pictures of the other: the second is refused while the first runs.
  std::optional<fb::os::FolderLock> folder_lock;
  try {
    folder_lock = fb::os::FolderLock::TryNow(request->folder);
  } catch (const fb::HostError& failure) {
    io.err << "fishbone: " << failure.description() << '\n';
    return kExitFailure;
  }
  if (!folder_lock) {
    io.err << "fishbone: another run is writing into the folder \""
           << PrintableName(request->folder.string())
           << "\"; wait until it has finished, or choose another folder\n";
    return kExitFailure;
  }

  const std::size_t total = request->trees.size();
  const bool terminal = &io.err == &std::cerr && ::isatty(STDERR_FILENO) == 1;
  ProgressBar progress(io.err, terminal, total);
  std::mutex report_lock;
  std::atomic<std::size_t> next{0};
  std::size_t failures = 0;
  const auto start = std::chrono::steady_clock::now();

  const auto work = [&] {
    for (std::size_t i = next++; i < total; i = next++) {
      const BatchOutcome outcome = GenerateBatchTree(request->trees[i], *request);
      const std::lock_guard<std::mutex> lock(report_lock);
      if (outcome.ok) {
        progress.Print(io.out, outcome.line);
      } else {
        ++failures;
        progress.Print(io.err, "fishbone: " + outcome.line);
      }
      progress.Advance();
    }
  };
  std::vector<std::jthread> workers;
  for (int j = 1; j < request->jobs; ++j) workers.emplace_back(work);
  work();
  workers.clear();  // joins
  progress.Finish();

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  char rate[64];
  std::snprintf(rate, sizeof rate, " in %.1f s (%.1f per second, %d at a time)", seconds,
                static_cast<double>(total) / std::max(seconds, 1e-9), request->jobs);
  io.out << total - failures << " of " << total << (total == 1 ? " report" : " reports")
         << " written to " << request->folder.string() << rate;
  if (failures > 0) io.out << "; " << failures << " failed";
  io.out << '\n';
  return failures == 0 ? kExitOk : kExitFailure;
}

}  // namespace fishbone
