// fishbone generate TREE [--trace DIR] [--host-version 11.0|12.0] [--no-trust-vba]

#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "apps/fishbone/args.h"
#include "apps/fishbone/commands.h"
#include "apps/fishbone/generation_host.h"
#include "apps/fishbone/sheet_csv.h"
#include "apps/fishbone/tree_input.h"
#include "platform/os/environment.h"
#include "platform/os/host_error.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"
#include "src/datasheet/run_export.h"
#include "src/editor/atomic_file.h"

namespace fishbone {
namespace {

constexpr std::array<OptionSpec, 3> kOptions{{
    {"--trace", "", true},
    {"--host-version", "", true},
    {"--no-trust-vba", "", false},
}};

// Writes the active sheet after every step as DIR/NN-StepName.csv. A file that cannot be written
// must not fail the run it observes, so the first failure is kept and reported afterwards.
class StepTrace {
 public:
  explicit StepTrace(std::filesystem::path folder) : folder_(std::move(folder)) {}

  void AfterStep(fb::sheet::Application& app, int step) {
    if (failure_) return;
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%02d-", step);
    const std::filesystem::path file =
        folder_ / (prefix + std::string(kivo2d::StepName(step)) + ".csv");
    try {
      // After the generation workbook closes there may be no sheet left to show.
      const std::string csv =
          app.workbooks().count() == 0 ? std::string() : SheetValuesAsCsv(app.active_sheet());
      kivo2d::WriteFileAtomically(file.string(), csv);
    } catch (const fb::HostError& error) {
      failure_ = error.description();
    }
  }

  const std::optional<std::string>& failure() const { return failure_; }

 private:
  std::filesystem::path folder_;
  std::optional<std::string> failure_;
};

std::string RangeText(fb::sheet::Worksheet& sheet) {
  return sheet.used_range().address(false, false);
}

int RunGenerate(std::span<const std::string> args, Io& io) {
  std::string error;
  const auto parsed = ParseArgs(args, kOptions, error);
  if (!parsed) return UsageError(kGenerateCommand, error, io);
  if (parsed->help) {
    io.out << kGenerateCommand.usage;
    return kExitOk;
  }
  if (parsed->positionals.empty()) return UsageError(kGenerateCommand, "no tree file", io);
  if (parsed->positionals.size() > 1) {
    return UsageError(kGenerateCommand,
                      "one tree file only, not also \"" + parsed->positionals[1] + "\"", io);
  }
  const std::string version = parsed->Value("--host-version").value_or("12.0");
  if (version != "11.0" && version != "12.0") {
    return UsageError(kGenerateCommand,
                      "--host-version takes 11.0 or 12.0, not \"" + version + "\"", io);
  }

  const std::string& input = parsed->positionals[0];
  const auto bytes = ReadInput(input, io, error);
  if (!bytes) {
    io.err << "fishbone: " << error << '\n';
    return kExitFailure;
  }
  const std::string input_name = DisplayName(input);
  kivo2d::TreeReadResult read =
      kivo2d::ReadTree(*bytes, ChooseInputFormat(input, std::nullopt, *bytes));
  // A childless main cause is the component's to refuse, with its own warning.
  std::erase_if(read.problems, IsLeftForTheComponent);
  if (!read.ok()) {
    PrintProblems(input_name, read.problems, io);
    io.err << "fishbone: no report from " << input_name << ": the tree has "
           << read.problems.size() << (read.problems.size() == 1 ? " problem" : " problems")
           << '\n';
    return kExitFailure;
  }

  std::optional<StepTrace> trace;
  if (const auto folder = parsed->Value("--trace")) {
    std::error_code failed;
    std::filesystem::create_directories(*folder, failed);
    if (failed) {
      io.err << "fishbone: cannot make the trace folder \"" << *folder << "\": "
             << failed.message() << '\n';
      return kExitFailure;
    }
    trace.emplace(*folder);
  }

  try {
    fb::os::ProcessEnvironment process_environment;
    GenerationOptions options;
    options.host_version = version;
    options.trust_vba = !parsed->Has("--no-trust-vba");
    GenerationHost host(process_environment, options);

    int last_step = 0;
    host.component().after_step = [&](int step) {
      last_step = step;
      if (trace) trace->AfterStep(host.app(), step);
    };
    const int status = host.Generate(read.tree, io);
    if (host.run_failed()) {
      io.err << "fishbone: the run stopped in step " << last_step + 1 << " ("
             << kivo2d::StepName(last_step + 1) << ")\n";
    }
    if (status != kExitOk) return status;
    if (trace && trace->failure()) {
      io.err << "fishbone: trace incomplete: " << *trace->failure() << '\n';
      return kExitFailure;
    }
    io.out << input_name << ": " << SummaryText(read.tree) << '\n';
    fb::sheet::Application& app = host.app();
    for (int i = 1; i <= app.workbooks().count(); ++i) {
      fb::sheet::Workbook& book = app.workbooks().item(i);
      fb::sheet::Worksheet& sheet = book.active_sheet();
      io.out << "workbook \"" << book.name() << "\": sheet " << sheet.name() << ", values in "
             << RangeText(sheet) << '\n';
    }
    return kExitOk;
  } catch (const fb::HostError& failure) {
    io.err << "fishbone: " << failure.description() << '\n';
    return kExitFailure;
  }
}

}  // namespace

const Command kGenerateCommand{
    "generate",
    "generate TREE",
    "lay a tree out in the spreadsheet host and make its report",
    "Usage: fishbone generate TREE [--trace DIR] [--host-version 11.0|12.0] [--no-trust-vba]\n"
    "\n"
    "Generates the report of TREE (exchange XML or text outline, \"-\" for standard input) the\n"
    "way the desktop does: a fresh headless spreadsheet host loads the add-in, the tree goes\n"
    "into the editor and \"生成报表\" is pressed. Every message box the component shows is\n"
    "printed to standard error as \"[title] text\" and answered with its default button. Each\n"
    "run has private folders of its own, so runs in parallel never meet.\n"
    "\n"
    "  --trace DIR              after every step, write the active sheet's values as\n"
    "                           DIR/NN-StepName.csv (NN the step number): UTF-8, RFC 4180,\n"
    "                           numbers as the shortest text that reads back exactly, errors\n"
    "                           as their sheet texts (#N/A)\n"
    "  --host-version 11.0|12.0 the host version to behave as (default 12.0)\n"
    "  --no-trust-vba           the host does not trust access to its VBA project (the\n"
    "                           component then refuses to run and says how to allow it)\n"
    "\n"
    "Exit status: 0 generated, 1 the tree has problems, the component refused or failed, or a\n"
    "file cannot be read or written, 2 wrong usage.\n",
    RunGenerate,
};

}  // namespace fishbone
