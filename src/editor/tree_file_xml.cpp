#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "src/editor/tree_file.h"
#include "src/editor/tree_file_rules.h"

namespace kivo2d {
namespace {

// Lines and columns of byte offsets in the source.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text) : text_(text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') breaks_.push_back(i);
    }
  }
  // The first character at or after `offset` that is not white space (text nodes start with the
  // line break before them).
  std::ptrdiff_t SkipSpace(std::ptrdiff_t offset) const {
    auto at = static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0));
    while (at < text_.size() &&
           (text_[at] == ' ' || text_[at] == '\t' || text_[at] == '\r' || text_[at] == '\n')) {
      ++at;
    }
    return static_cast<std::ptrdiff_t>(at);
  }
  int LineOf(std::ptrdiff_t offset) const {
    if (offset < 0) return 1;
    const auto before =
        std::lower_bound(breaks_.begin(), breaks_.end(), static_cast<std::size_t>(offset));
    return static_cast<int>(before - breaks_.begin()) + 1;
  }
  // 1-based, in characters (UTF-8 lead bytes) from the start of the line.
  int ColumnOf(std::ptrdiff_t offset) const {
    if (offset < 0) return 1;
    const auto end = std::min(static_cast<std::size_t>(offset), text_.size());
    const int line = LineOf(offset);
    const std::size_t start = line == 1 ? 0 : breaks_[static_cast<std::size_t>(line - 2)] + 1;
    int column = 1;
    for (std::size_t i = start; i < end; ++i) {
      if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80) ++column;
    }
    return column;
  }

 private:
  std::string_view text_;
  std::vector<std::size_t> breaks_;
};

bool IsText(const pugi::xml_node& node) {
  return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

constexpr std::array<const char*, 3> kAttributes{"Caption", "Key", "ParentKey"};

// " (names are case-sensitive)" when `name` is `expected` in other letter case.
std::string CaseHint(std::string_view name, std::string_view expected) {
  if (name.size() != expected.size() || name == expected) return "";
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(name[i])) !=
        std::tolower(static_cast<unsigned char>(expected[i]))) {
      return "";
    }
  }
  return " (names are case-sensitive)";
}

}  // namespace

TreeReadResult ReadXmlTree(std::string_view bytes) {
  TreeReadResult result;
  auto& problems = result.problems;
  // UTF-16 is turned into UTF-8 here rather than by the parser, so offsets count in one text.
  const std::optional<std::string> from_utf16 = tree_rules::Utf16FileToUtf8(bytes);
  if (from_utf16) bytes = *from_utf16;
  const LineIndex lines(bytes);

  // The parser would stop at a NUL and take what follows for the end of the file.
  if (const auto nul = bytes.find('\0'); nul != std::string_view::npos) {
    const auto offset = static_cast<std::ptrdiff_t>(nul);
    problems.push_back({lines.LineOf(offset),
                        "a NUL byte: a tree file is text, and nothing follows the end of "
                        "<NODES>",
                        lines.ColumnOf(offset)});
    return result;
  }

  pugi::xml_document document;
  // The document type is kept as a node so it can be refused: its entities are never expanded.
  const pugi::xml_parse_result parsed = document.load_buffer(
      bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_doctype, pugi::encoding_auto);
  if (!parsed) {
    // Without a document element the parser stops at the end; the file is wrong from line 1.
    if (parsed.status == pugi::status_no_document_element) {
      problems.push_back({1, std::string("malformed XML: ") + parsed.description()});
    } else {
      problems.push_back({lines.LineOf(parsed.offset),
                          std::string("malformed XML: ") + parsed.description(),
                          lines.ColumnOf(parsed.offset)});
    }
    return result;
  }
  // pugixml gives a node's offset at its name, one past the "<".
  const auto offset_of = [&](const pugi::xml_node& node) {
    return IsText(node) ? lines.SkipSpace(node.offset_debug())
                        : std::max<std::ptrdiff_t>(node.offset_debug() - 1, 0);
  };
  const auto line_of = [&](const pugi::xml_node& node) { return lines.LineOf(offset_of(node)); };
  const auto column_of = [&](const pugi::xml_node& node) {
    return lines.ColumnOf(offset_of(node));
  };

  pugi::xml_node root;
  for (const pugi::xml_node& node : document.children()) {
    if (node.type() == pugi::node_element) {
      if (!root) {
        root = node;
      } else {
        problems.push_back({line_of(node),
                            "a second document element <" + std::string(node.name()) +
                                ">: the file holds one element, <NODES>",
                            column_of(node)});
      }
    } else if (IsText(node)) {
      problems.push_back({line_of(node),
                          "text outside the document element: the file holds "
                          "one element, <NODES>",
                          column_of(node)});
    } else if (node.type() == pugi::node_doctype) {
      problems.push_back({line_of(node),
                          "a document type declaration (<!DOCTYPE>): a tree file has none, and "
                          "entities it declares are not expanded",
                          column_of(node)});
    }
  }
  // The parser keeps a reference to an entity it does not know as plain text; in a tree file
  // it can only be a mistake (a declared entity, or "&" written for "&amp;").
  for (std::size_t at = bytes.find('&'); at != std::string_view::npos;
       at = bytes.find('&', at + 1)) {
    const std::size_t end = bytes.find_first_of(";<>\"' \t\r\n&", at + 1);
    if (end == std::string_view::npos || bytes[end] != ';') continue;  // the parser's own message
    const std::string_view name = bytes.substr(at + 1, end - at - 1);
    if (name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos" ||
        name.starts_with('#')) {
      continue;
    }
    const auto offset = static_cast<std::ptrdiff_t>(at);
    problems.push_back({lines.LineOf(offset),
                        "the entity reference &" + std::string(name) +
                            "; is not XML's own: a tree file knows only &amp; &lt; &gt; &quot; "
                            "&apos; and character references (write \"&\" as \"&amp;\")",
                        lines.ColumnOf(offset)});
  }
  if (!root) {
    problems.push_back({1, "no document element: the file holds one element, <NODES>"});
    return result;
  }
  if (std::string_view(root.name()) != "NODES") {
    problems.push_back({line_of(root),
                        "the document element is <" + std::string(root.name()) +
                            ">: the tree file's document element is <NODES>" +
                            CaseHint(root.name(), "NODES"),
                        column_of(root)});
  }
  for (const pugi::xml_attribute& attribute : root.attributes()) {
    problems.push_back({line_of(root),
                        "<NODES> has the attribute " + QuoteText(attribute.name()) +
                            ": NODES carries no attributes",
                        column_of(root)});
  }

  for (const pugi::xml_node& node : root.children()) {
    const int line = line_of(node);
    const int column = column_of(node);
    if (IsText(node)) {
      problems.push_back({line, "text inside <NODES>: NODES holds only NODE elements", column});
      continue;
    }
    if (node.type() != pugi::node_element) continue;
    if (std::string_view(node.name()) != "NODE") {
      problems.push_back({line,
                          "unexpected element <" + std::string(node.name()) +
                              ">: NODES holds only NODE elements" + CaseHint(node.name(), "NODE"),
                          column});
      continue;
    }
    if (node.first_child()) {
      problems.push_back({line,
                          "a <NODE> with content: a NODE is an empty element, its "
                          "caption and keys are attributes",
                          column});
    }
    std::array<const char*, 3> values{nullptr, nullptr, nullptr};
    for (const pugi::xml_attribute& attribute : node.attributes()) {
      const std::string_view name = attribute.name();
      const auto known = std::find(kAttributes.begin(), kAttributes.end(), name);
      if (known == kAttributes.end()) {
        std::string hint;
        for (const char* known_name : kAttributes) {
          if (hint.empty()) hint = CaseHint(name, known_name);
        }
        problems.push_back({line,
                            "unknown attribute " + QuoteText(name) +
                                ": a NODE carries only Caption, Key and ParentKey" + hint,
                            column});
        continue;
      }
      const auto slot = static_cast<std::size_t>(known - kAttributes.begin());
      if (values[slot] != nullptr) {
        problems.push_back(
            {line,
             "the attribute " + QuoteText(name) + " appears twice: an attribute is given once",
             column});
        continue;
      }
      values[slot] = attribute.value();
    }
    // The node named by what it has, so that one of many on a line can be found.
    std::string named;
    if (values[1] != nullptr) {
      named = " (Key " + QuoteText(values[1]) + ")";
    } else if (values[0] != nullptr) {
      named = " (Caption " + QuoteText(values[0]) + ")";
    }
    for (std::size_t slot = 0; slot < kAttributes.size(); ++slot) {
      if (values[slot] == nullptr) {
        problems.push_back({line,
                            "a <NODE>" + named + " without the attribute \"" + kAttributes[slot] +
                                "\": every NODE carries Caption, Key and ParentKey",
                            column});
      }
    }
    if (values[1] == nullptr) continue;  // without a key the node cannot be placed
    // Reported above; read on with the parent the key names, so one omission is one problem.
    const std::string key = values[1];
    const std::string parent_key =
        values[2] != nullptr ? values[2] : key.substr(0, key.empty() ? 0 : key.size() - 1);
    result.tree.entries.push_back(
        {key, values[0] != nullptr ? values[0] : "", parent_key, line, column});
  }

  auto rules = CheckTree(result.tree);
  problems.insert(problems.end(), rules.begin(), rules.end());
  tree_rules::SortProblems(problems);
  return result;
}

}  // namespace kivo2d
