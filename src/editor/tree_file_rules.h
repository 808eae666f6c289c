#pragma once

// Internal to the tree-file readers: the rules shared by the XML and the outline reader.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/editor/tree_file.h"

namespace kivo2d::tree_rules {

// A node of a tree whose parents are known (by key for the XML, by indentation for an outline).
struct ShapeNode {
  int parent = -1;  // index into the same vector; -1 for the main problem
  int level = 0;    // 0 for the main problem
  int line = 0;
  std::string label;  // how messages name the node
};

// More than nine children (each child past the ninth), deeper than level 5 (each node), a main
// cause without a child (with the system's own text).
void CheckShape(const std::vector<ShapeNode>& nodes, std::vector<TreeProblem>& problems);

// More than 50 causes: one problem on the line of the 51st cause.
void CheckCauseCount(const std::vector<int>& cause_lines, std::vector<TreeProblem>& problems);

// A caption XML cannot carry.
void CheckCaptionText(const TreeEntry& entry, std::vector<TreeProblem>& problems);

// `A12 "caption"`, or `"caption"` for an entry without a key.
std::string Label(const TreeEntry& entry);

// A file that starts with a UTF-16 byte-order mark (FF FE little-endian, FE FF big-endian), as
// UTF-8 without the mark; nothing for any other file. A lone surrogate becomes its three-byte
// encoding (ED A0..BF 80..BF), which CheckCaptionText reports; an odd last byte becomes U+FFFD.
std::optional<std::string> Utf16FileToUtf8(std::string_view bytes);

// Stable sort by line.
void SortProblems(std::vector<TreeProblem>& problems);

}  // namespace kivo2d::tree_rules
