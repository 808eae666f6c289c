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

// Line numbers of byte offsets in the source.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') breaks_.push_back(i);
    }
  }
  // The line of the first character at or after `offset` that is not white space (text nodes
  // start with the line break before them).
  int LineOfText(std::string_view text, std::ptrdiff_t offset) const {
    auto at = static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0));
    while (at < text.size() &&
           (text[at] == ' ' || text[at] == '\t' || text[at] == '\r' || text[at] == '\n')) {
      ++at;
    }
    return LineOf(static_cast<std::ptrdiff_t>(at));
  }
  int LineOf(std::ptrdiff_t offset) const {
    if (offset < 0) return 1;
    const auto before =
        std::lower_bound(breaks_.begin(), breaks_.end(), static_cast<std::size_t>(offset));
    return static_cast<int>(before - breaks_.begin()) + 1;
  }

 private:
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

  pugi::xml_document document;
  const pugi::xml_parse_result parsed =
      document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
  if (!parsed) {
    // Without a document element the parser stops at the end; the file is wrong from line 1.
    const int line =
        parsed.status == pugi::status_no_document_element ? 1 : lines.LineOf(parsed.offset);
    problems.push_back({line, std::string("malformed XML: ") + parsed.description()});
    return result;
  }
  const auto line_of = [&](const pugi::xml_node& node) {
    return IsText(node) ? lines.LineOfText(bytes, node.offset_debug())
                        : lines.LineOf(node.offset_debug());
  };

  pugi::xml_node root;
  for (const pugi::xml_node& node : document.children()) {
    if (node.type() == pugi::node_element) {
      if (!root) {
        root = node;
      } else {
        problems.push_back({line_of(node), "a second document element <" +
                                               std::string(node.name()) +
                                               ">: the file holds one element, <NODES>"});
      }
    } else if (IsText(node)) {
      problems.push_back({line_of(node),
                          "text outside the document element: the file holds "
                          "one element, <NODES>"});
    }
  }
  if (!root) {
    problems.push_back({1, "no document element: the file holds one element, <NODES>"});
    return result;
  }
  if (std::string_view(root.name()) != "NODES") {
    problems.push_back({line_of(root), "the document element is <" + std::string(root.name()) +
                                           ">: the tree file's document element is <NODES>" +
                                           CaseHint(root.name(), "NODES")});
  }
  for (const pugi::xml_attribute& attribute : root.attributes()) {
    problems.push_back({line_of(root), "<NODES> has the attribute " + QuoteText(attribute.name()) +
                                           ": NODES carries no attributes"});
  }

  for (const pugi::xml_node& node : root.children()) {
    const int line = line_of(node);
    if (IsText(node)) {
      problems.push_back({line, "text inside <NODES>: NODES holds only NODE elements"});
      continue;
    }
    if (node.type() != pugi::node_element) continue;
    if (std::string_view(node.name()) != "NODE") {
      problems.push_back({line, "unexpected element <" + std::string(node.name()) +
                                    ">: NODES holds only NODE elements" +
                                    CaseHint(node.name(), "NODE")});
      continue;
    }
    if (node.first_child()) {
      problems.push_back({line,
                          "a <NODE> with content: a NODE is an empty element, its "
                          "caption and keys are attributes"});
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
        problems.push_back({line, "unknown attribute " + QuoteText(name) +
                                      ": a NODE carries only Caption, Key and ParentKey" + hint});
        continue;
      }
      const auto slot = static_cast<std::size_t>(known - kAttributes.begin());
      if (values[slot] != nullptr) {
        problems.push_back({line, "the attribute " + QuoteText(name) +
                                      " appears twice: an attribute is given once"});
        continue;
      }
      values[slot] = attribute.value();
    }
    for (std::size_t slot = 0; slot < kAttributes.size(); ++slot) {
      if (values[slot] == nullptr) {
        problems.push_back({line, std::string("a <NODE> without the attribute \"") +
                                      kAttributes[slot] +
                                      "\": every NODE carries Caption, Key and ParentKey"});
      }
    }
    if (values[1] == nullptr) continue;  // without a key the node cannot be placed
    // Reported above; read on with the parent the key names, so one omission is one problem.
    const std::string key = values[1];
    const std::string parent_key =
        values[2] != nullptr ? values[2] : key.substr(0, key.empty() ? 0 : key.size() - 1);
    result.tree.entries.push_back({key, values[0] != nullptr ? values[0] : "", parent_key, line});
  }

  auto rules = CheckTree(result.tree);
  problems.insert(problems.end(), rules.begin(), rules.end());
  tree_rules::SortProblems(problems);
  return result;
}

}  // namespace kivo2d
