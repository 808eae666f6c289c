#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "apps/fishbone/cli.h"
#include "src/editor/tree_file.h"

// Reading tree files for the commands: standard input or a file, the format by option, extension
// or content, and the problems printed as "NAME:LINE: message".

namespace fishbone {

// How messages name standard input and the built-in sample.
inline constexpr std::string_view kStdinName = "<stdin>";
inline constexpr std::string_view kSampleName = "<sample>";

// "xml", "txt" or "xlsx" (a report); nothing for another word.
std::optional<kivo2d::TreeFormat> ParseFormatWord(std::string_view word);

// Reads a whole file, or standard input for "-". On failure returns nothing and sets `error` to
// e.g. `cannot read "a.txt": No such file or directory`. Input larger than
// kivo2d::kMaxTreeFileBytes is refused after reading one byte more than that; input that starts
// as a zip archive (a report workbook) may reach kivo2d::kMaxReportFileBytes.
std::optional<std::string> ReadInput(const std::string& name, Io& io, std::string& error);

// The input's format: `from` when given, else the extension (.xml, .txt, .xlsx) of a file, else
// the content (a report when it starts as a zip archive, XML when it starts with "<").
kivo2d::TreeFormat ChooseInputFormat(const std::string& name,
                                     std::optional<kivo2d::TreeFormat> from,
                                     std::string_view bytes);

std::string DisplayName(const std::string& name);  // "<stdin>" for "-", else PrintableName

// A file name as messages show it: as it is, unless it holds a control character (a line feed,
// an escape code), which would break the message's line or drive the terminal; then in double
// quotes, the control characters, quotes and backslashes written as C writes them ("a\nb.txt").
std::string PrintableName(std::string_view name);

// The most problems printed for one file; a file that breaks more rules is no tree, and the
// first ones say why.
inline constexpr std::size_t kMaxProblemsShown = 100;

// One line per problem on io.err: "NAME:LINE: message", or "NAME:LINE:COLUMN: message" where the
// reader knows the column, or "NAME: message" for a problem of a whole workbook (line 0); after
// kMaxProblemsShown lines one more, "NAME: ... and N more problems".
void PrintProblems(std::string_view display_name, const std::vector<kivo2d::TreeProblem>& problems,
                   Io& io);

// Why a tree read with problems is not used: "the tree has 3 problems", or for a workbook whose
// tree cannot be read at all (a problem of the whole workbook), "it holds no tree to read".
std::string ProblemsReason(const std::vector<kivo2d::TreeProblem>& problems);

// "33 causes, 6 main causes, depth 4"
std::string SummaryText(const kivo2d::TreeDocument& tree);

}  // namespace fishbone
