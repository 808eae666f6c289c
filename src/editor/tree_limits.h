#pragma once

namespace kivo2d {

// The three fixed limits of a cause tree: the editor's add limits and the tree-file rules.
inline constexpr int kMaxChildren = 9;  // children of one node
inline constexpr int kMaxLevel = 5;     // deepest level of a cause
inline constexpr int kMaxCauses = 50;   // causes in the tree (nodes minus the main problem)

}  // namespace kivo2d
