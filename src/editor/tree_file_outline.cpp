#include <optional>
#include <string>
#include <vector>

#include "src/editor/tree_file.h"
#include "src/editor/tree_file_rules.h"

namespace kivo2d {
namespace {

struct Line {
  int number = 0;
  std::string_view text;
};

// Splits at line feeds, carriage-return line-feed pairs and lone carriage returns.
std::vector<Line> SplitLines(std::string_view bytes) {
  std::vector<Line> lines;
  int number = 1;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= bytes.size(); ++i) {
    if (i == bytes.size() || bytes[i] == '\n' || bytes[i] == '\r') {
      lines.push_back({number++, bytes.substr(start, i - start)});
      if (i < bytes.size() && bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        ++i;
      }
      start = i + 1;
    }
  }
  return lines;
}

struct Open {
  std::size_t width;  // indentation of the node
  int node;           // index into the entries
};

const char* IndentName(char c) {
  return c == '\t' ? "tabs" : "blanks";
}

// Spaces that look like indentation but are not blanks or tabs: the name for a message, and the
// length of their UTF-8 encoding at the start of `text`, or nothing.
struct WideSpace {
  const char* name;
  std::size_t bytes;
};
std::optional<WideSpace> WideSpaceAt(std::string_view text) {
  if (text.starts_with("\xC2\xA0")) return WideSpace{"U+00A0 (no-break space)", 2};
  if (text.starts_with("\xE3\x80\x80")) return WideSpace{"U+3000 (ideographic space)", 3};
  if (text.starts_with("\xE2\x80\xAF")) return WideSpace{"U+202F (narrow no-break space)", 3};
  if (text.size() >= 3 && text.starts_with("\xE2\x80") &&
      static_cast<unsigned char>(text[2]) >= 0x80 && static_cast<unsigned char>(text[2]) <= 0x8A) {
    return WideSpace{"a typographic space (U+2000 to U+200A)", 3};
  }
  return std::nullopt;
}

}  // namespace

TreeReadResult ReadOutlineTree(std::string_view bytes) {
  TreeReadResult result;
  auto& problems = result.problems;
  auto& entries = result.tree.entries;
  const std::optional<std::string> from_utf16 = tree_rules::Utf16FileToUtf8(bytes);
  if (from_utf16) bytes = *from_utf16;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);

  std::vector<tree_rules::ShapeNode> shape;
  std::vector<int> child_count;
  std::vector<Open> open;  // the chain of nodes from the main problem down to the last line
  char indent_char = 0;    // what the first indented line used
  int indent_line = 0;

  for (const Line& line : SplitLines(bytes)) {
    std::string_view text = line.text;
    const auto last = text.find_last_not_of(" \t");
    if (last == std::string_view::npos) continue;  // a blank line
    text = text.substr(0, last + 1);
    std::size_t width = text.find_first_not_of(" \t");
    std::string_view indent = text.substr(0, width);
    // A cause indented only with spaces that are not blanks (an input method's full-width space,
    // a no-break space from a word processor) is named as such, and read as indentation so that
    // the lines below it are placed as meant. After blanks or tabs such a space belongs to the
    // caption, as a full-width space opening a sentence does.
    std::size_t indent_bytes = width;
    const char* wide_space = nullptr;
    const bool at_margin = width == 0 && !entries.empty();
    for (; at_margin;) {
      if (const auto wide = WideSpaceAt(text.substr(indent_bytes))) {
        if (wide_space == nullptr) wide_space = wide->name;
        indent_bytes += wide->bytes;
        ++width;
      } else if (indent_bytes < text.size() &&
                 (text[indent_bytes] == ' ' || text[indent_bytes] == '\t') &&
                 wide_space != nullptr) {
        ++indent_bytes;
        ++width;
      } else {
        break;
      }
    }
    const std::string caption(text.substr(indent_bytes));

    if (wide_space != nullptr) {
      problems.push_back({line.number, std::string("indented with ") + wide_space +
                                           ", which is not a blank: indent with blanks or "
                                           "tabs"});
      indent = {};
    }
    if (!indent.empty()) {
      if (indent.find(' ') != std::string_view::npos &&
          indent.find('\t') != std::string_view::npos) {
        problems.push_back({line.number,
                            "the indentation mixes tabs and blanks: a file "
                            "indents with tabs or with blanks, not both"});
      } else if (indent_char == 0) {
        indent_char = indent[0];
        indent_line = line.number;
      } else if (indent[0] != indent_char) {
        problems.push_back({line.number, std::string("indented with ") + IndentName(indent[0]) +
                                             " while line " + std::to_string(indent_line) +
                                             " is indented with " + IndentName(indent_char) +
                                             ": a file indents with tabs or with blanks, not "
                                             "both"});
      }
    }

    if (entries.empty()) {  // the main problem
      if (width > 0 && wide_space == nullptr) {
        problems.push_back({line.number,
                            "the main problem (the first line) is indented: it "
                            "stands at the left margin and the causes below it "
                            "are indented"});
      }
      entries.push_back({"A", caption, "", line.number});
      shape.push_back({-1, 0, line.number, tree_rules::Label(entries.back())});
      child_count.push_back(0);
      open.push_back({width, 0});
      continue;
    }

    if (width <= open.front().width) {
      problems.push_back({line.number,
                          "a second line at the main problem's level: a file "
                          "holds one main problem, on its first line, and every "
                          "cause is indented below it"});
      open.resize(1);  // read on as a main cause
    } else {
      bool dedented = false;
      while (open.back().width > width) {
        open.pop_back();
        dedented = true;
      }
      if (open.back().width == width) {
        open.pop_back();  // a sibling of the last node at this indentation
      } else if (dedented) {
        problems.push_back({line.number,
                            "the indentation matches no enclosing level: a line "
                            "going back up is indented like an earlier line of "
                            "the level it returns to"});
      }
    }

    const int parent = open.back().node;
    const int ordinal = ++child_count[parent];
    const std::string& parent_key = entries[parent].key;
    std::string key;
    if (!parent_key.empty() && ordinal <= kMaxChildren) {
      key = parent_key + static_cast<char>('0' + ordinal);
    }
    const int index = static_cast<int>(entries.size());
    entries.push_back({key, caption, parent_key, line.number});
    shape.push_back(
        {parent, shape[parent].level + 1, line.number, tree_rules::Label(entries.back())});
    child_count.push_back(0);
    open.push_back({width, index});
  }

  if (entries.empty()) {
    problems.push_back({1,
                        "no main problem: the file holds no text, and its first non-empty "
                        "line would name the main problem"});
    return result;
  }

  std::vector<const TreeEntry*> causes;
  for (std::size_t i = 1; i < entries.size(); ++i) causes.push_back(&entries[i]);
  tree_rules::CheckCauseCount(causes, problems);
  tree_rules::CheckShape(shape, problems);
  for (const TreeEntry& entry : entries) tree_rules::CheckCaptionText(entry, problems);
  tree_rules::SortProblems(problems);
  return result;
}

}  // namespace kivo2d
