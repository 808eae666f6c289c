#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/component/exchange_node.h"
#include "src/component/generation_options.h"
#include "src/editor/tree_limits.h"

namespace kivo2d {

// Tree files: a cause tree kept in a file, for the command line. Two formats:
//
// - the exchange XML itself: <NODES> holding one empty <NODE Caption Key ParentKey>
//   per node, in any order; keys and parent keys are validated;
// - an indented text outline: the first non-empty line is the main problem, each deeper
//   indentation one level down (spaces or tabs, not both in one file); blank lines are allowed.
//   Keys are given by the editor's new-child-key rule in the order written: the children of
//   each node get the digits 1, 2, 3 ... in turn.
//
// Reading reports every problem it finds, each with its line and the rule broken; a tree with
// problems is still returned as far as it could be read.

// The system's own warning when a main cause has no child (the generation command's first check).
inline constexpr std::string_view kMainCauseWithoutChildText =
    "请确认:您录入的主原因下是否至少存在一个子原因！";

// kReport: a report workbook (.xlsx) made by the generation, which keeps the tree it was made
// from (src/component/analysis_sheet.h); read, never written.
enum class TreeFormat { kXml, kOutline, kReport };

// The largest tree file read. A tree has at most 51 nodes, and 51 captions of the longest length
// below, even with every character written as a six-byte character reference, take well under
// this; a larger file cannot be a tree, and refusing it early keeps a device or a runaway file
// (/dev/zero, a log) from filling memory.
inline constexpr std::size_t kMaxTreeFileBytes = std::size_t{2} * 1024 * 1024;
// The largest report workbook read. A report is a few hundred kilobytes, most of it pictures,
// and a spreadsheet program that saves it again may add some; one far larger is no report.
inline constexpr std::size_t kMaxReportFileBytes = std::size_t{64} * 1024 * 1024;

// The longest caption, in UTF-16 code units as the component counts characters. The main problem
// becomes the diagram's title, and the host's chart texts hold at most 255 characters; a cause
// is wrapped at 8 characters a line, so 255 are already 32 lines, more than a bone can show.
// Tree files, check and the editor all hold to it.
inline constexpr std::size_t kMaxCaptionLength = 255;

// One node as a file gives it. `line` is the 1-based source line (0 when not from a file).
struct TreeEntry {
  std::string key;
  std::string caption;
  std::string parent_key;
  int line = 0;
  int column = 0;  // 1-based, in characters, where the file says it (XML); 0 when not known
  friend bool operator==(const TreeEntry&, const TreeEntry&) = default;
};

// One broken rule: the line it is on (1-based; whole-file problems name the line of the
// document element, or line 1; in a report, the row of its analysis sheet, and 0 for a problem
// of the whole workbook, which has no lines) and a message saying what is wrong and which rule
// it breaks.
// `column` (1-based, in characters) is given where the reader knows it, for XML, whose nodes
// often share one line; 0 otherwise.
struct TreeProblem {
  int line = 0;
  std::string message;
  int column = 0;
  friend bool operator==(const TreeProblem&, const TreeProblem&) = default;
};

// The nodes in collection order (file order for the XML, the order written for an outline).
struct TreeDocument {
  std::vector<TreeEntry> entries;

  // The entry with this key, or null.
  const TreeEntry* Find(std::string_view key) const;
};

struct TreeReadResult {
  TreeDocument tree;
  std::vector<TreeProblem> problems;  // sorted by line, then in the order found
  // What a report keeps besides its tree: the choices its generation applied. Nothing for a
  // tree file, and for a report whose analysis sheet has problems of its own (the tree's
  // problems leave them).
  std::optional<GenerationOptions> choices;
  bool ok() const { return problems.empty(); }
};

// Both readers refuse a file larger than kMaxTreeFileBytes with one problem on line 1, and a
// caption longer than kMaxCaptionLength.
//
// Reads and checks the exchange XML: malformed XML (with the parser's line and message), a
// document element other than NODES, anything in it but empty NODE elements, a missing, repeated
// or unknown attribute, and everything CheckTree reports.
TreeReadResult ReadXmlTree(std::string_view bytes);

// Reads and checks an outline: indentation (tabs and spaces mixed, a dedent to no open level, an
// indented problem, a second line at the problem's level), more than nine children, deeper than
// level 5, more than 50 causes, a main cause without a child, a caption XML cannot carry, bytes
// that are not UTF-8. A UTF-8 byte-order mark, CR LF line ends and trailing blanks are accepted.
TreeReadResult ReadOutlineTree(std::string_view bytes);

// Reads the analysis a report workbook keeps: its tree, checked as CheckTree checks it, and the
// choices. A workbook larger than kMaxReportFileBytes, a damaged package, a workbook without an
// analysis (no report, or one made before reports kept their tree) and an analysis sheet that is
// not as written are each one problem; none of them crashes or reads without bound (the zip
// entries are inflated under the package reader's caps).
TreeReadResult ReadReportTree(std::string_view bytes);

TreeReadResult ReadTree(std::string_view bytes, TreeFormat format);

// The rules of a keyed tree, whatever its source: a malformed key (not "A" followed by 1 to 5
// digits 1-9) or a key deeper than level 5, a duplicate key, a key that does not extend its
// ParentKey by one digit, a parent that does not exist, a main problem with a ParentKey, no main
// problem, more than 50 causes, a main cause without a child (with the system's own text), an
// empty caption, a caption XML cannot carry or longer than kMaxCaptionLength.
std::vector<TreeProblem> CheckTree(const TreeDocument& tree);

// What an outline cannot hold, for a valid tree about to be written as one: a caption with a
// line break, an empty caption, a caption beginning or ending with a blank or tab.
std::vector<TreeProblem> CheckOutlineCaptions(const TreeDocument& tree);

// The outline of a valid tree: the main problem, then the causes depth-first with siblings in
// collection order, two spaces per level, each line ended by a line feed; UTF-8 without a BOM.
std::string WriteOutlineText(const TreeDocument& tree);

// The nodes for the exchange writer, in collection order.
std::vector<ExchangeNode> ToExchangeNodes(const TreeDocument& tree);

struct TreeSummary {
  int causes = 0;       // nodes minus the main problem
  int main_causes = 0;  // level-1 causes
  int depth = 0;        // the deepest level (0 for a problem alone)
};
TreeSummary Summarize(const TreeDocument& tree);

// The text in double quotes for a message, on one line: quotes, backslashes, line breaks, tabs
// and other control characters escaped (\", \\, \n, \r, \t, \x07), malformed UTF-8 shown
// as U+FFFD.
std::string QuoteText(std::string_view text);

// ".xml", ".txt" and ".xlsx", in any letter case; nothing for another extension.
std::optional<TreeFormat> FormatFromExtension(const std::filesystem::path& path);

// By content: a report when it starts as a zip archive does ("PK\3\4"), XML when the first
// character after an optional byte-order mark and white space is "<", an outline otherwise.
//
// Both readers take UTF-8, with or without a byte-order mark, and UTF-16 that starts with its
// byte-order mark (as Windows Notepad saves "Unicode") or, without one, whose zero bytes all
// stand on one side of its code units as plain text's line ends and ASCII leave them; a caption
// that is not well-formed is reported with a hint that tree files are UTF-8 (a file in a legacy
// code page such as GBK). A NUL byte in UTF-8 text is refused: a tree file is text.
TreeFormat DetectFormat(std::string_view bytes);

std::string_view FormatName(TreeFormat format);  // "xml", "txt" or "xlsx"

}  // namespace kivo2d
