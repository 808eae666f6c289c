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
  int column = 0;
};

// More than nine children (each child past the ninth), deeper than level 5 (each node), a main
// cause without a child (with the system's own text), a main problem without a main cause.
void CheckShape(const std::vector<ShapeNode>& nodes, std::vector<TreeProblem>& problems);

// More than 50 causes: one problem on the line of the 51st cause.
void CheckCauseCount(const std::vector<const TreeEntry*>& causes,
                     std::vector<TreeProblem>& problems);

// An empty caption, a caption XML cannot carry, or one longer than kMaxCaptionLength.
void CheckCaptionText(const TreeEntry& entry, std::vector<TreeProblem>& problems);

// `A12 "caption"`, or `"caption"` for an entry without a key.
std::string Label(const TreeEntry& entry);

// A file in UTF-16, as UTF-8 without a byte-order mark; nothing for any other file. UTF-16 is
// known by its byte-order mark (FF FE little-endian, FE FF big-endian) or, without one, by its
// zero bytes: an even length, at least one zero byte, and every zero byte at an odd offset
// (little-endian) or every one at an even offset (big-endian), as the high bytes of line ends
// and ASCII characters are, and at least one unit a line feed or "<". A lone surrogate and an odd
// last byte become U+FFFD.
std::optional<std::string> Utf16FileToUtf8(std::string_view bytes);

// The problem of a file over kMaxTreeFileBytes, or nothing.
std::optional<TreeProblem> CheckFileSize(std::string_view bytes);

// Stable sort by line, then column.
void SortProblems(std::vector<TreeProblem>& problems);

}  // namespace kivo2d::tree_rules
