#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <map>
#include <string>

#include "platform/os/utf16.h"
#include "src/editor/tree_file.h"
#include "src/editor/tree_file_rules.h"
#include "src/editor/xml_safe_text.h"

namespace kivo2d {

std::string QuoteText(std::string_view text) {
  std::string escaped = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        escaped += "\\\"";
        break;
      case '\\':
        escaped += "\\\\";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\t':
        escaped += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char code[8];
          std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned>(c));
          escaped += code;
        } else {
          escaped += c;
        }
    }
  }
  escaped += '"';
  return ToXmlSafeText(escaped);  // what is left that XML cannot carry (bad UTF-8) as U+FFFD
}

namespace tree_rules {

std::string Label(const TreeEntry& entry) {
  if (entry.key.empty()) return QuoteText(entry.caption);
  return entry.key + " " + QuoteText(entry.caption);
}

void CheckShape(const std::vector<ShapeNode>& nodes, std::vector<TreeProblem>& problems) {
  std::vector<int> child_count(nodes.size(), 0);
  for (const ShapeNode& node : nodes) {
    if (node.parent < 0) continue;
    const int ordinal = ++child_count[node.parent];
    if (ordinal > kMaxChildren) {
      problems.push_back({node.line,
                          node.label + " is child " + std::to_string(ordinal) + " of " +
                              nodes[node.parent].label + ": a node has at most nine children",
                          node.column});
    }
  }
  for (const ShapeNode& node : nodes) {
    if (node.level > kMaxLevel) {
      problems.push_back({node.line,
                          node.label + " is at level " + std::to_string(node.level) +
                              ": causes go no deeper than level 5",
                          node.column});
    }
  }
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].level == 1 && child_count[i] == 0) {
      problems.push_back({nodes[i].line,
                          "main cause " + nodes[i].label +
                              " has no child: " + std::string(kMainCauseWithoutChildText),
                          nodes[i].column});
    }
    // The editor never lets the last main cause go; a file without any once passed the check and
    // then failed the run at the fishbone chart, which has no bone to draw.
    if (nodes[i].level == 0 && child_count[i] == 0) {
      problems.push_back({nodes[i].line,
                          "the main problem " + nodes[i].label +
                              " has no main cause: a diagram needs at least one main cause with "
                              "a cause under it",
                          nodes[i].column});
    }
  }
}

void CheckCauseCount(const std::vector<const TreeEntry*>& causes,
                     std::vector<TreeProblem>& problems) {
  if (causes.size() > static_cast<std::size_t>(kMaxCauses)) {
    const TreeEntry& first_too_many = *causes[kMaxCauses];
    problems.push_back({first_too_many.line,
                        "cause " + std::to_string(kMaxCauses + 1) + " of " +
                            std::to_string(causes.size()) + ": a tree has at most 50 causes",
                        first_too_many.column});
  }
}

void CheckCaptionText(const TreeEntry& entry, std::vector<TreeProblem>& problems) {
  // The generation takes the last node from the last caption on the data sheet, so an empty one
  // would lose nodes or miscount them; it is refused here, before any run.
  if (entry.caption.empty()) {
    problems.push_back({entry.line,
                        "the caption of " +
                            (entry.key.empty() ? std::string("a node") : entry.key) +
                            " is empty: every node needs a caption, which the report shows",
                        entry.column});
    return;
  }
  if (const std::size_t length = fb::os::utf16_length(entry.caption); length > kMaxCaptionLength) {
    TreeEntry shown = entry;
    shown.caption = fb::os::utf16_substr(entry.caption, 0, 20) + "...";
    problems.push_back({entry.line,
                        "the caption of " + Label(shown) + " is " + std::to_string(length) +
                            " characters long: a caption holds at most " +
                            std::to_string(kMaxCaptionLength) + " characters",
                        entry.column});
    return;
  }
  if (const auto fault = FindXmlTextFault(entry.caption)) {
    const bool encoding = fault->description.find("UTF-8") != std::string::npos;
    problems.push_back({entry.line,
                        "the caption of " + Label(entry) + " holds " + fault->description +
                            (encoding ? ": tree files are UTF-8 (or UTF-16 with a "
                                        "byte-order mark)"
                                      : ", which XML cannot carry"),
                        entry.column});
  }
}

std::optional<TreeProblem> CheckFileSize(std::string_view bytes) {
  if (bytes.size() <= kMaxTreeFileBytes) return std::nullopt;
  return TreeProblem{1, "the file is larger than " + std::to_string(kMaxTreeFileBytes / 1048576) +
                            " MiB: a tree of at most 51 nodes is far smaller, so this is not a "
                            "tree file"};
}

std::optional<std::string> Utf16FileToUtf8(std::string_view bytes) {
  if (bytes.size() < 2) return std::nullopt;
  const auto b0 = static_cast<unsigned char>(bytes[0]);
  const auto b1 = static_cast<unsigned char>(bytes[1]);
  bool little_endian;
  std::size_t start = 2;
  if (b0 == 0xFF && b1 == 0xFE) {
    little_endian = true;
  } else if (b0 == 0xFE && b1 == 0xFF) {
    little_endian = false;
  } else {
    if (bytes.size() % 2 != 0) return std::nullopt;
    bool zero_at_even = false;
    bool zero_at_odd = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\0') (i % 2 == 0 ? zero_at_even : zero_at_odd) = true;
    }
    if (zero_at_even == zero_at_odd) return std::nullopt;  // none, or both sides: not UTF-16
    little_endian = zero_at_odd;
    // And a tree in UTF-16 has a line feed or a "<" as a whole unit, which a UTF-8 text with a
    // stray NUL byte hardly has.
    bool tree_unit = false;
    for (std::size_t i = 0; i + 1 < bytes.size() && !tree_unit; i += 2) {
      const char low = little_endian ? bytes[i] : bytes[i + 1];
      const char high = little_endian ? bytes[i + 1] : bytes[i];
      tree_unit = high == '\0' && (low == '\n' || low == '<');
    }
    if (!tree_unit) return std::nullopt;
    start = 0;
  }
  const auto unit_at = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return little_endian ? static_cast<std::uint32_t>(first | (second << 8))
                         : static_cast<std::uint32_t>((first << 8) | second);
  };
  // The units as they come; the shared conversion pairs surrogates and turns a lone half into
  // U+FFFD, as it does for every other UTF-16 text.
  std::u16string units;
  units.reserve(bytes.size() / 2);
  std::size_t i = start;
  for (; i + 1 < bytes.size(); i += 2) units.push_back(static_cast<char16_t>(unit_at(i)));
  std::string out = fb::os::utf16_to_utf8(units);
  if (i < bytes.size()) out += kReplacementUtf8;
  return out;
}

void SortProblems(std::vector<TreeProblem>& problems) {
  std::stable_sort(problems.begin(), problems.end(),
                   [](const TreeProblem& a, const TreeProblem& b) {
                     // Where the column is unknown (a problem of the whole tree), it comes after
                     // those that know.
                     const auto column = [](const TreeProblem& p) {
                       return p.column > 0 ? p.column : std::numeric_limits<int>::max();
                     };
                     return a.line != b.line ? a.line < b.line : column(a) < column(b);
                   });
}

}  // namespace tree_rules

namespace {

using tree_rules::Label;

bool KeySyntaxOk(std::string_view key) {
  if (key.empty() || key[0] != 'A') return false;
  return std::all_of(key.begin() + 1, key.end(), [](char c) { return c >= '1' && c <= '9'; });
}

}  // namespace

const TreeEntry* TreeDocument::Find(std::string_view key) const {
  for (const TreeEntry& entry : entries) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

std::vector<TreeProblem> CheckTree(const TreeDocument& tree) {
  std::vector<TreeProblem> problems;
  const auto& entries = tree.entries;

  // Keys: syntax, level, uniqueness.
  std::map<std::string, int, std::less<>> index_of;  // first valid entry with the key
  std::vector<bool> keyed(entries.size(), false);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TreeEntry& entry = entries[i];
    if (!KeySyntaxOk(entry.key)) {
      problems.push_back({entry.line,
                          "malformed key " + QuoteText(entry.key) +
                              ": a key is \"A\" for the main problem, or \"A\" "
                              "followed by one to five digits 1-9",
                          entry.column});
      continue;
    }
    const int level = static_cast<int>(entry.key.size()) - 1;
    if (level > kMaxLevel) {
      problems.push_back({entry.line,
                          "key " + QuoteText(entry.key) + " is at level " + std::to_string(level) +
                              ": causes go no deeper than level 5",
                          entry.column});
      continue;
    }
    if (const auto found = index_of.find(entry.key); found != index_of.end()) {
      problems.push_back({entry.line,
                          "duplicate key " + QuoteText(entry.key) + " (first on line " +
                              std::to_string(entries[found->second].line) +
                              "): every key is unique",
                          entry.column});
      continue;
    }
    index_of.emplace(entry.key, static_cast<int>(i));
    keyed[i] = true;
  }

  // Parents. Shorter keys first, so a parent's place in the shape is known before its children.
  std::vector<int> order;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (keyed[i]) order.push_back(static_cast<int>(i));
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return entries[a].key.size() < entries[b].key.size(); });
  std::vector<int> shape_index(entries.size(), -1);
  std::vector<tree_rules::ShapeNode> shape;
  int root = -1;
  for (const int i : order) {
    const TreeEntry& entry = entries[i];
    const int level = static_cast<int>(entry.key.size()) - 1;
    if (level == 0) {
      root = i;
      if (!entry.parent_key.empty()) {
        problems.push_back({entry.line,
                            "the main problem (key \"A\") has the ParentKey " +
                                QuoteText(entry.parent_key) +
                                ": the main problem has no parent, its ParentKey "
                                "is empty",
                            entry.column});
      }
      shape_index[i] = static_cast<int>(shape.size());
      shape.push_back({-1, 0, entry.line, Label(entry), entry.column});
      continue;
    }
    const std::string expected = entry.key.substr(0, entry.key.size() - 1);
    if (entry.parent_key != expected) {
      problems.push_back({entry.line,
                          "key " + QuoteText(entry.key) + " does not extend its ParentKey " +
                              QuoteText(entry.parent_key) +
                              " by one digit: a key is its parent's key followed "
                              "by one digit 1-9",
                          entry.column});
      continue;
    }
    const auto parent = index_of.find(expected);
    if (parent == index_of.end()) {
      if (expected == "A") continue;  // "no main problem" says it once for all main causes
      problems.push_back(
          {entry.line,
           "the parent " + QuoteText(expected) + " of " + Label(entry) + " does not exist",
           entry.column});
      continue;
    }
    const int parent_shape = shape_index[parent->second];
    if (parent_shape < 0) continue;  // the parent is broken itself and reported already
    shape_index[i] = static_cast<int>(shape.size());
    shape.push_back({parent_shape, level, entry.line, Label(entry), entry.column});
  }

  if (root < 0) {
    problems.push_back(
        {entries.empty() ? 1 : entries.front().line, "no main problem: no node has the key \"A\""});
  }

  std::vector<const TreeEntry*> causes;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (static_cast<int>(i) != root) causes.push_back(&entries[i]);
  }
  tree_rules::CheckCauseCount(causes, problems);
  tree_rules::CheckShape(shape, problems);
  for (const TreeEntry& entry : entries) tree_rules::CheckCaptionText(entry, problems);

  tree_rules::SortProblems(problems);
  return problems;
}

std::vector<TreeProblem> CheckOutlineCaptions(const TreeDocument& tree) {
  std::vector<TreeProblem> problems;
  for (const TreeEntry& entry : tree.entries) {
    const std::string& caption = entry.caption;
    const std::string what = "the caption of " + Label(entry);
    if (caption.find_first_of("\r\n") != std::string::npos) {
      problems.push_back({entry.line,
                          what + " holds a line break, which an outline cannot "
                                 "hold (one line per node)",
                          entry.column});
    } else if (caption.empty()) {
      problems.push_back(
          {entry.line, what + " is empty, which an outline cannot hold (it skips empty lines)"});
    } else if (caption.front() == ' ' || caption.front() == '\t') {
      problems.push_back({entry.line,
                          what + " begins with a blank or tab, which an outline "
                                 "would read as indentation",
                          entry.column});
    } else if (caption.back() == ' ' || caption.back() == '\t') {
      problems.push_back({entry.line,
                          what + " ends with a blank or tab, which an outline "
                                 "drops",
                          entry.column});
    } else if (entry.key == "A" && caption.starts_with("\xEF\xBB\xBF")) {
      problems.push_back({entry.line,
                          what + " begins with U+FEFF, which an outline would read "
                                 "as a byte-order mark",
                          entry.column});
    }
  }
  tree_rules::SortProblems(problems);
  return problems;
}

std::string WriteOutlineText(const TreeDocument& tree) {
  const auto& entries = tree.entries;
  std::multimap<std::string, int, std::less<>> children;  // parent key -> entry, in order
  int root = -1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].key == "A" && root < 0) {
      root = static_cast<int>(i);
    } else {
      children.emplace(entries[i].parent_key, static_cast<int>(i));
    }
  }
  std::string out;
  if (root < 0) return out;
  std::vector<bool> written(entries.size(), false);
  // Depth-first, iteratively: a stack of (entry, level), children pushed in reverse order.
  std::vector<std::pair<int, int>> stack{{root, 0}};
  while (!stack.empty()) {
    const auto [index, level] = stack.back();
    stack.pop_back();
    if (written[index]) continue;
    written[index] = true;
    out.append(static_cast<std::size_t>(level) * 2, ' ');
    out += entries[index].caption;
    out += '\n';
    const auto [first, last] = children.equal_range(entries[index].key);
    std::vector<int> kids;
    for (auto it = first; it != last; ++it) kids.push_back(it->second);
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) stack.emplace_back(*it, level + 1);
  }
  return out;
}

std::vector<ExchangeNode> ToExchangeNodes(const TreeDocument& tree) {
  std::vector<ExchangeNode> nodes;
  nodes.reserve(tree.entries.size());
  for (const TreeEntry& entry : tree.entries) {
    nodes.push_back({entry.caption, entry.key, entry.parent_key});
  }
  return nodes;
}

TreeSummary Summarize(const TreeDocument& tree) {
  TreeSummary summary;
  for (const TreeEntry& entry : tree.entries) {
    if (entry.key == "A") continue;
    ++summary.causes;
    const int level = static_cast<int>(entry.key.size()) - 1;
    if (level == 1) ++summary.main_causes;
    summary.depth = std::max(summary.depth, level);
  }
  return summary;
}

std::optional<TreeFormat> FormatFromExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".xml") return TreeFormat::kXml;
  if (extension == ".txt") return TreeFormat::kOutline;
  if (extension == ".xlsx") return TreeFormat::kReport;
  return std::nullopt;
}

TreeFormat DetectFormat(std::string_view bytes) {
  if (bytes.starts_with("PK\x03\x04")) return TreeFormat::kReport;
  const std::optional<std::string> from_utf16 = tree_rules::Utf16FileToUtf8(bytes);
  if (from_utf16) bytes = *from_utf16;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  const auto first = bytes.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && bytes[first] == '<' ? TreeFormat::kXml
                                                                : TreeFormat::kOutline;
}

std::string_view FormatName(TreeFormat format) {
  switch (format) {
    case TreeFormat::kXml:
      return "xml";
    case TreeFormat::kReport:
      return "xlsx";
    case TreeFormat::kOutline:
      break;
  }
  return "txt";
}

TreeReadResult ReadTree(std::string_view bytes, TreeFormat format) {
  if (format == TreeFormat::kReport) return ReadReportTree(bytes);
  if (auto too_large = tree_rules::CheckFileSize(bytes)) {
    TreeReadResult result;
    result.problems.push_back(std::move(*too_large));
    return result;
  }
  return format == TreeFormat::kXml ? ReadXmlTree(bytes) : ReadOutlineTree(bytes);
}

}  // namespace kivo2d
