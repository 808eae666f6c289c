// fishbone demo [-o DIR] [--host-version 11.0|12.0]

#include <array>
#include <filesystem>
#include <ostream>
#include <string>

#include "apps/fishbone/args.h"
#include "apps/fishbone/commands.h"
#include "apps/fishbone/generate_run.h"
#include "apps/fishbone/sample_analysis.h"
#include "apps/fishbone/tree_input.h"

namespace fishbone {
namespace {

constexpr std::array<OptionRule, 2> kOptions{{
    {"--output", "-o", true},
    {"--host-version", "", true},
}};

int RunDemo(std::span<const std::string> args, Io& io) {
  std::string error;
  const auto parsed = ParseArgs(args, kOptions, error);
  if (!parsed) return UsageError(kDemoCommand, error, io);
  if (parsed->help) {
    io.out << kDemoCommand.usage;
    return kExitOk;
  }
  if (!parsed->positionals.empty()) {
    return UsageError(kDemoCommand, "no arguments, not \"" + parsed->positionals[0] + "\"", io);
  }
  GenerationHostSettings options;
  const auto version = HostVersionOption(*parsed, error);
  if (!version) return UsageError(kDemoCommand, error, io);
  options.host_version = *version;
  const std::filesystem::path folder = parsed->Value("--output").value_or("out");
  std::error_code failed;
  std::filesystem::create_directories(folder, failed);
  if (failed) {
    io.err << "fishbone: cannot make the folder \"" << folder.string() << "\": " << failed.message()
           << '\n';
    return kExitFailure;
  }

  // The sample is part of the program and always reads; a failure here is a build fault.
  const kivo2d::TreeReadResult read =
      kivo2d::ReadTree(SampleAnalysisText(), kivo2d::TreeFormat::kOutline);
  if (!read.ok()) {
    PrintProblems(kSampleName, read.problems, io);
    return kExitFailure;
  }
  RunOutputs outputs;
  outputs.report = folder / "report.xlsx";
  outputs.pdf = folder / "report.pdf";
  outputs.png = folder / "report.png";
  return GenerateReportFiles(read.tree, kSampleName, options, outputs, io);
}

}  // namespace

const Command kDemoCommand{
    "demo",
    "demo [-o DIR]",
    "make the report of the built-in sample analysis: report.xlsx, .pdf and .png",
    "Usage: fishbone demo [-o DIR] [--host-version 11.0|12.0]\n"
    "\n"
    "Generates the report of the built-in sample analysis (\"fishbone check\" shows it) as\n"
    "DIR/report.xlsx, DIR/report.pdf and DIR/report.png, as \"fishbone generate\" does for a\n"
    "tree file.\n"
    "\n"
    "  -o, --output DIR         the folder for the three files (default: out)\n"
    "  --host-version 11.0|12.0 the host version to behave as (default 12.0)\n"
    "\n"
    "Exit status: 0 generated, 1 the run failed or a file cannot be written, 2 wrong usage.\n",
    RunDemo,
};

}  // namespace fishbone
