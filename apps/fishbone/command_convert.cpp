// fishbone convert IN -o OUT [--from xml|txt|xlsx] [--to xml|txt]

#include <array>
#include <ostream>

#include "apps/fishbone/args.h"
#include "apps/fishbone/commands.h"
#include "apps/fishbone/same_file.h"
#include "apps/fishbone/tree_input.h"
#include "platform/os/atomic_file.h"
#include "platform/os/host_error.h"
#include "platform/os/message_pump.h"
#include "src/editor/exchange_writer.h"

namespace fishbone {
namespace {

using kivo2d::TreeFormat;

constexpr std::array<OptionRule, 3> kOptions{{
    {"--output", "-o", true},
    {"--from", "", true},
    {"--to", "", true},
}};

class IdlePump final : public fb::os::MessagePump {
 public:
  void pump() override {}
};

int RunConvert(std::span<const std::string> args, Io& io) {
  std::string error;
  const auto parsed = ParseArgs(args, kOptions, error);
  if (!parsed) return UsageError(kConvertCommand, error, io);
  if (parsed->help) {
    io.out << kConvertCommand.usage;
    return kExitOk;
  }
  if (parsed->positionals.empty()) return UsageError(kConvertCommand, "no input file", io);
  if (parsed->positionals.size() > 1) {
    return UsageError(kConvertCommand,
                      "one input file only, not also \"" + parsed->positionals[1] + "\"", io);
  }
  const std::string& input = parsed->positionals[0];
  const auto output = parsed->Value("--output");
  if (!output) return UsageError(kConvertCommand, "no output file: say -o OUT (or -o -)", io);

  std::optional<TreeFormat> from;
  if (const auto word = parsed->Value("--from")) {
    from = ParseFormatWord(*word);
    if (!from) {
      return UsageError(kConvertCommand, "--from takes xml, txt or xlsx, not \"" + *word + "\"",
                        io);
    }
  }
  std::optional<TreeFormat> to;
  if (const auto word = parsed->Value("--to")) {
    to = ParseFormatWord(*word);
    if (!to || *to == TreeFormat::kReport) {
      return UsageError(kConvertCommand, "--to takes xml or txt, not \"" + *word + "\"", io);
    }
  } else if (*output != "-") {
    to = kivo2d::FormatFromExtension(*output);
    if (to == TreeFormat::kReport) {
      return UsageError(kConvertCommand,
                        "convert writes tree files (.xml, .txt), not the report \"" + *output +
                            "\": generate makes reports",
                        io);
    }
  }
  if (!to) {
    return UsageError(kConvertCommand,
                      *output == "-"
                          ? std::string("say --to xml or --to txt when writing to standard output")
                          : "cannot tell the format of \"" + *output +
                                "\" from its extension: name it .xml or .txt, or say --to xml "
                                "or --to txt",
                      io);
  }

  const auto bytes = ReadInput(input, io, error);
  if (!bytes) {
    io.err << "fishbone: " << error << '\n';
    return kExitFailure;
  }
  const std::string input_name = DisplayName(input);
  const TreeFormat input_format = ChooseInputFormat(input, from, *bytes);
  // Tidying a file in place keeps the tree; writing the other format over it would lose it.
  if (*output != "-" && input_format != *to) {
    if (const auto clash = OutputIsInput(input, OutputTargets{{*output}, {}})) {
      io.err << "fishbone: " << *clash << '\n';
      return kExitFailure;
    }
  }
  const kivo2d::TreeReadResult read = kivo2d::ReadTree(*bytes, input_format);
  if (!read.ok()) {
    PrintProblems(input_name, read.problems, io);
    io.err << "fishbone: " << input_name << " not converted: " << ProblemsReason(read.problems)
           << '\n';
    return kExitFailure;
  }

  std::string converted;
  if (*to == TreeFormat::kOutline) {
    const auto problems = kivo2d::CheckOutlineCaptions(read.tree);
    if (!problems.empty()) {
      PrintProblems(input_name, problems, io);
      io.err << "fishbone: " << input_name << " not converted: an outline cannot hold "
             << (problems.size() == 1 ? "this caption" : "these captions") << '\n';
      return kExitFailure;
    }
    converted = kivo2d::WriteOutlineText(read.tree);
  } else {
    IdlePump pump;
    converted = kivo2d::BuildExchangeDocument(kivo2d::ToExchangeNodes(read.tree), pump);
  }

  if (*output == "-") {
    io.out << converted;
    io.out.flush();
    if (!io.out) {
      io.err << "fishbone: cannot write to standard output\n";
      return kExitFailure;
    }
    return kExitOk;
  }
  try {
    fb::os::write_file_atomically(*output, converted);
  } catch (const fb::HostError& failure) {
    io.err << "fishbone: " << failure.description() << '\n';
    return kExitFailure;
  }
  io.out << "wrote " << *output << ": " << SummaryText(read.tree) << '\n';
  return kExitOk;
}

}  // namespace

const Command kConvertCommand{
    "convert",
    "convert IN -o OUT",
    "convert a tree between the exchange XML and the text outline",
    "Usage: fishbone convert IN -o OUT [--from xml|txt|xlsx] [--to xml|txt]\n"
    "\n"
    "Converts a tree file between the exchange XML (.xml) and the indented text outline (.txt),\n"
    "and takes the tree out of a report workbook (.xlsx) that generate made, which keeps it.\n"
    "IN is checked first: a tree with problems is not converted, and its problems are listed\n"
    "as \"IN:LINE: message\" on standard error. OUT is written to a temporary file in its folder\n"
    "and renamed into place, so a failure leaves an earlier OUT as it was.\n"
    "\n"
    "  IN                 the tree file to read, or \"-\" for standard input\n"
    "  -o, --output OUT   the file to write, or \"-\" for standard output\n"
    "  --from xml|txt|xlsx the input format; without it IN's extension decides (.xml,\n"
    "                     .txt, .xlsx), and for \"-\" or another extension its content does\n"
    "                     (a report when it is a zip archive, XML when it starts with \"<\")\n"
    "  --to xml|txt       the output format; without it OUT's extension decides; needed for\n"
    "                     \"-\" and for another extension\n"
    "\n"
    "An outline does not keep keys: reading one numbers the children of each node 1, 2, 3 ...\n"
    "in the order written. Captions with a line break, empty captions and captions beginning\n"
    "or ending with a blank cannot be written as an outline.\n"
    "\n"
    "Exit status: 0 converted, 1 the tree has problems or a file cannot be read or written,\n"
    "2 wrong usage.\n",
    RunConvert,
};

}  // namespace fishbone
