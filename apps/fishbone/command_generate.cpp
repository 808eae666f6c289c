// fishbone generate TREE [-o REPORT.xlsx] [--pdf FILE] [--png FILE] [--pictures DIR]
//                        [--trace DIR] [--data FILE.xlsx] [--host-version 11.0|12.0]
//                        [--no-trust-vba] [--font fangsong|song|hei] [--size 8|6|4]
//                        [--wrap 5|8|10] [--head left|right] [--no-pareto] [--no-top-three]

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "apps/fishbone/args.h"
#include "apps/fishbone/batch_run.h"
#include "apps/fishbone/commands.h"
#include "apps/fishbone/generate_run.h"
#include "apps/fishbone/layout_fit.h"
#include "apps/fishbone/output_overlap.h"
#include "apps/fishbone/picture_fit.h"
#include "apps/fishbone/same_file.h"
#include "apps/fishbone/tree_input.h"

namespace fishbone {
namespace {

constexpr std::array<OptionRule, 16> kOptions{{
    {"--output", "-o", true},
    {"--pdf", "", true},
    {"--png", "", true},
    {"--pictures", "", true},
    {"--trace", "", true},
    {"--data", "", true},
    {"--layout-report", "", true},
    {"--fit", "", false},
    {"--host-version", "", true},
    {"--no-trust-vba", "", false},
    {"--font", "", true},
    {"--size", "", true},
    {"--wrap", "", true},
    {"--head", "", true},
    {"--no-pareto", "", false},
    {"--no-top-three", "", false},
}};

std::optional<std::filesystem::path> PathOption(const ParsedArgs& parsed, std::string_view name) {
  if (const auto value = parsed.Value(name)) return std::filesystem::path(*value);
  return std::nullopt;
}

// The options only a run of one tree takes: a batch names its files after the trees.
constexpr std::array<std::string_view, 4> kOneTreeOptions{"--fit", "--layout-report", "--trace",
                                                          "--data"};

std::optional<std::string_view> OneTreeOption(const ParsedArgs& parsed) {
  for (const std::string_view option : kOneTreeOptions) {
    if (parsed.Has(option)) return option;
  }
  return std::nullopt;
}

bool IsFolder(const std::string& path) {
  std::error_code ignored;
  return path != "-" && std::filesystem::is_directory(path, ignored);
}

std::vector<NamedOutput> NamedOutputs(const RunOutputs& outputs) {
  std::vector<NamedOutput> named;
  const auto add = [&](std::string_view option, const auto& path, auto writes) {
    if (path) named.push_back({option, *path, writes});
  };
  add("--output", outputs.report, nullptr);
  add("--pdf", outputs.pdf, nullptr);
  add("--png", outputs.png, nullptr);
  add("--data", outputs.data, nullptr);
  add("--layout-report", outputs.layout_report, nullptr);
  add("--trace", outputs.trace, TraceWrites);
  add("--pictures", outputs.pictures, PicturesWrite);
  return named;
}

// A file output given as a folder ("out/", or a folder that exists) would fail only after the
// whole run.
std::optional<std::string> FileOutputIsAFolder(const std::vector<NamedOutput>& outputs) {
  for (const NamedOutput& output : outputs) {
    const std::string path = output.path.string();
    if (output.writes == nullptr && (path.ends_with('/') || IsFolder(path))) {
      return std::string(output.option) + " \"" + path + "\" is a folder, and " +
             std::string(output.option) + " takes a file";
    }
  }
  return std::nullopt;
}

int RunGenerate(std::span<const std::string> args, Io& io) {
  if (IsBatchCommandLine(args, kOptions)) return RunBatch(args, io);
  std::string error;
  const auto parsed = ParseArgs(args, kOptions, error);
  if (!parsed) return UsageError(kGenerateCommand, error, io);
  if (parsed->help) {
    io.out << kGenerateCommand.usage;
    return kExitOk;
  }
  if (parsed->positionals.empty()) return UsageError(kGenerateCommand, "no tree file", io);
  const auto one_tree_option = OneTreeOption(*parsed);
  if (parsed->positionals.size() > 1) {
    const std::string who = one_tree_option ? std::string(*one_tree_option) + " takes " : "";
    return UsageError(kGenerateCommand,
                      who + "one tree file only, not also \"" + parsed->positionals[1] + "\"", io);
  }
  if (one_tree_option && IsFolder(parsed->positionals[0])) {
    return UsageError(kGenerateCommand,
                      std::string(*one_tree_option) + " takes one tree file, not the folder \"" +
                          parsed->positionals[0] + "\"",
                      io);
  }
  GenerationHostSettings options;
  const auto version = HostVersionOption(*parsed, error);
  if (!version) return UsageError(kGenerateCommand, error, io);
  options.host_version = *version;
  options.trust_vba = !parsed->Has("--no-trust-vba");
  const auto choices = PanelChoices(*parsed, error);
  if (!choices) return UsageError(kGenerateCommand, error, io);
  options.choices = *choices;

  const std::string& input = parsed->positionals[0];
  RunOutputs outputs;
  outputs.report = PathOption(*parsed, "--output");
  outputs.pdf = PathOption(*parsed, "--pdf");
  outputs.png = PathOption(*parsed, "--png");
  outputs.pictures = PathOption(*parsed, "--pictures");
  outputs.trace = PathOption(*parsed, "--trace");
  outputs.data = PathOption(*parsed, "--data");
  outputs.layout_report = PathOption(*parsed, "--layout-report");
  outputs.report_overlaps = true;
  outputs.input = input;
  const std::vector<NamedOutput> named = NamedOutputs(outputs);
  if (auto problem = FileOutputIsAFolder(named)) {
    if (one_tree_option) {
      *problem += "; a folder of reports is for several trees, which " +
                  std::string(*one_tree_option) + " does not take";
    }
    io.err << "fishbone: " << *problem << '\n';
    return kExitFailure;
  }
  if (const auto overlap = OverlappingOutputs(named)) {
    return UsageError(kGenerateCommand, *overlap, io);
  }
  if (const auto clash = OutputIsInput(input, TargetsOf(outputs))) {
    io.err << "fishbone: " << *clash << '\n';
    return kExitFailure;
  }

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
    io.err << "fishbone: no report from " << input_name << ": " << ProblemsReason(read.problems)
           << '\n';
    return kExitFailure;
  }
  // A report is made again with the choices it kept, the flags given over them.
  if (read.choices) options.choices = *PanelChoices(*parsed, error, *read.choices);

  if (parsed->Has("--fit")) {
    options.choices = WithoutPictureShifts(options.choices);
    if (const auto fit = FitLayout(read.tree, options, parsed->Has("--head"))) {
      options.choices = fit->choices;
      io.out << "--fit: " << ChoiceFlags(fit->choices) << " gives " << fit->overlaps
             << (fit->overlaps == 1 ? " overlap" : " overlaps") << " (" << fit->given_overlaps
             << " with the choices given; " << fit->layouts << " layouts tried)\n";
    }
    // Then the pictures the report lays over the diagram, for the layout kept.
    if (const auto pictures = FitPictures(read.tree, options)) {
      options.choices = WithPictureFit(options.choices, *pictures);
      for (const PictureMove& move : pictures->moves) {
        io.out << "--fit: moved " << DescribeMove(move) << '\n';
      }
    }
  }
  return GenerateReportFiles(read.tree, input_name, options, outputs, io);
}

}  // namespace

const Command kGenerateCommand{
    "generate",
    "generate TREE",
    "make the report of a tree: .xlsx, and on request PDF, PNG and the pictures",
    "Usage: fishbone generate TREE [-o REPORT.xlsx] [--pdf FILE] [--png FILE]\n"
    "                              [--pictures DIR] [--trace DIR] [--data FILE.xlsx]\n"
    "                              [--layout-report FILE.json] [--fit]\n"
    "                              [--host-version 11.0|12.0] [--no-trust-vba]\n"
    "                              [--font fangsong|song|hei] [--size 8|6|4] [--wrap 5|8|10]\n"
    "                              [--head left|right] [--no-pareto] [--no-top-three]\n"
    "       fishbone generate TREE|FOLDER... -o FOLDER [--jobs N] [--pdf] [--png]\n"
    "                              [--pictures] [--host-version 11.0|12.0] [--no-trust-vba]\n"
    "\n"
    "Generates the report of TREE (exchange XML or text outline, \"-\" for standard input) the\n"
    "way the desktop does: a fresh headless spreadsheet host loads the add-in, the tree goes\n"
    "into the editor and \"生成报表\" is pressed. TREE may be a report (.xlsx): every report\n"
    "keeps its tree and its choices, and is made again with them, the panel's flags given\n"
    "below going over the choices kept. Every message box the component shows is\n"
    "printed to standard error as \"[title] text\" and answered with its default button. Each\n"
    "run has private folders of its own, so runs in parallel never meet. Every file is written\n"
    "beside its target and renamed into place: a failure leaves an earlier file untouched.\n"
    "\n"
    "  -o, --output FILE        the report workbook (default: its own name,\n"
    "                           \"Fishbone Diagram Report1.xlsx\", in the current folder)\n"
    "  --pdf FILE, --png FILE   the report page as PDF, or as PNG at 144 dpi\n"
    "  --pictures DIR           the three pictures of the report (PIC1 the diagram, PIC2 the\n"
    "                           Pareto chart, PIC3 the top-three chart) as .emf, .svg, .png\n"
    "  --trace DIR              after every step, the active sheet's values as\n"
    "                           DIR/NN-StepName.csv (NN the step number): UTF-8, RFC 4180,\n"
    "                           numbers as the shortest text that reads back exactly, errors\n"
    "                           as their sheet texts (#N/A); after the chart steps also a PNG\n"
    "                           of every chart, DIR/NN-StepName-CHART.png\n"
    "  --data FILE.xlsx         the generation workbook (the data sheet with its values and\n"
    "                           charts) as it stands before the chart pictures step closes it\n"
    "  --layout-report FILE.json where the diagram's texts overlap: label over label, a label\n"
    "                           across another cause's bone, a text past the chart's edge or\n"
    "                           out of its box, each with its tree key, caption and area in\n"
    "                           points, and the choices the run used. Any run that finds\n"
    "                           overlaps counts them in one line on standard error\n"
    "  --fit                    lays the tree out at every size and line length (and on both\n"
    "                           sides unless --head is given) and keeps the layout with the\n"
    "                           fewest overlaps, a tie going to the one nearest the choices\n"
    "                           given; says which it kept\n"
    "  --host-version 11.0|12.0 the host version to behave as (default 12.0)\n"
    "  --no-trust-vba           the host does not trust access to its VBA project (the\n"
    "                           component then refuses to run and says how to allow it)\n"
    "\n"
    "The editor's settings panel (\"鱼骨图设置\"), as picked before \"生成报表\"; the defaults\n"
    "are the panel's:\n"
    "  --font fangsong|song|hei the diagram's font: 仿宋 (default), 宋体, 黑体\n"
    "  --size 8|6|4             its size: 8号字, 6号字 (default), 4号字\n"
    "  --wrap 5|8|10            characters per label line (换行字符, default 8)\n"
    "  --head left|right        the side of the problem head (鱼骨图方向: 左侧 default, 右侧);\n"
    "                           right mirrors the diagram\n"
    "  --no-pareto              no Pareto chart of the main causes (主原因帕累托排列图)\n"
    "  --no-top-three           no chart of the top three causes (第2层原因最多前三项)\n"
    "\n"
    "Many trees at once (several trees, a FOLDER of .xml and .txt files, --jobs, or -o with\n"
    "a final \"/\"): one report per tree, FOLDER/<tree name>.xlsx, and with --pdf, --png,\n"
    "--pictures also FOLDER/<tree name>.pdf, .png and the folder FOLDER/<tree name>/. Trees\n"
    "of the same name (a/t.txt, b/t.xml) keep the first one's name and number the next ones\n"
    "t-2, t-3 ... in the order given. --jobs N runs N at a time (default: the number of\n"
    "cores). One line per report, one per failed tree naming it and why, a summary at the\n"
    "end; the good reports are written even when some trees fail.\n"
    "\n"
    "Exit status: 0 generated, 1 the tree has problems, the component refused or failed, or a\n"
    "file cannot be read or written, 2 wrong usage.\n",
    RunGenerate,
};

}  // namespace fishbone
