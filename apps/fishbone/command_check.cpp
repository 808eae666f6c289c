// fishbone check [--from xml|txt|xlsx] [FILE...]

#include <array>
#include <ostream>

#include "apps/fishbone/args.h"
#include "apps/fishbone/commands.h"
#include "apps/fishbone/sample_analysis.h"
#include "apps/fishbone/tree_input.h"

namespace fishbone {
namespace {

constexpr std::array<OptionRule, 1> kOptions{{{"--from", "", true}}};

int Check(const std::string& display_name, const std::string& bytes, kivo2d::TreeFormat format,
          Io& io) {
  const kivo2d::TreeReadResult result = kivo2d::ReadTree(bytes, format);
  if (!result.ok()) {
    PrintProblems(display_name, result.problems, io);
    return kExitFailure;
  }
  const kivo2d::TreeEntry* problem = result.tree.Find("A");
  io.out << display_name
         << ": ok: " << kivo2d::QuoteText(problem != nullptr ? problem->caption : "") << ", "
         << SummaryText(result.tree) << '\n';
  return kExitOk;
}

int RunCheck(std::span<const std::string> args, Io& io) {
  std::string error;
  const auto parsed = ParseArgs(args, kOptions, error);
  if (!parsed) return UsageError(kCheckCommand, error, io);
  if (parsed->help) {
    io.out << kCheckCommand.usage;
    return kExitOk;
  }
  std::optional<kivo2d::TreeFormat> from;
  if (const auto word = parsed->Value("--from")) {
    from = ParseFormatWord(*word);
    if (!from)
      return UsageError(kCheckCommand, "--from takes xml, txt or xlsx, not \"" + *word + "\"", io);
  }

  if (parsed->positionals.empty()) {
    return Check(std::string(kSampleName), std::string(SampleAnalysisText()),
                 from.value_or(kivo2d::TreeFormat::kOutline), io);
  }
  int status = kExitOk;
  for (const std::string& name : parsed->positionals) {
    const auto bytes = ReadInput(name, io, error);
    if (!bytes) {
      io.err << "fishbone: " << error << '\n';
      status = kExitFailure;
      continue;
    }
    if (Check(DisplayName(name), *bytes, ChooseInputFormat(name, from, *bytes), io) != kExitOk) {
      status = kExitFailure;
    }
  }
  return status;
}

}  // namespace

const Command kCheckCommand{
    "check",
    "check [FILE...]",
    "check tree files against the rules of the cause tree",
    "Usage: fishbone check [--from xml|txt|xlsx] [FILE...]\n"
    "\n"
    "Checks each tree file against the rules of the cause tree and reports every problem.\n"
    "A valid tree gives one line on standard output:\n"
    "  FILE: ok: \"<main problem>\", 33 causes, 6 main causes, depth 4\n"
    "a tree with problems one line per problem on standard error:\n"
    "  FILE:LINE: message\n"
    "A report workbook (.xlsx) that generate made is checked by the tree it keeps; LINE is\n"
    "then a row of its analysis sheet. With no FILE it checks the built-in sample analysis.\n"
    "\"-\" reads standard input.\n"
    "\n"
    "Options:\n"
    "  --from xml|txt|xlsx the format of the input; without it a file's extension decides\n"
    "                   (.xml, .txt, .xlsx), and for \"-\" or another extension its content\n"
    "                   does (a report when it is a zip archive, XML when it starts with \"<\")\n"
    "\n"
    "Exit status: 0 every tree is valid, 1 a tree has problems or a file cannot be read,\n"
    "2 wrong usage.\n",
    RunCheck,
};

}  // namespace fishbone
