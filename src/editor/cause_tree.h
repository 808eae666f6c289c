#pragma once

#include <string_view>
#include <vector>

#include "platform/ui/image_list.h"
#include "platform/ui/tree_view.h"
#include "src/component/exchange_node.h"
#include "src/editor/tree_limits.h"

namespace kivo2d {

// The cause tree model, over the editor's tree-view control TreeView1.

// Pictures of ImageList1.
inline constexpr int kMainProblemPicture = 1;  // yellow warning triangle
inline constexpr int kCausePicture = 2;        // green question mark
inline constexpr int kLogoPicture = 3;  // product logo (chart and report), not a tree picture

inline constexpr std::string_view kMainProblemKey = "A";
inline constexpr std::string_view kMainProblemText = "主问题";
inline constexpr std::string_view kCauseText = "为什么?";

// The level of a key: the number of digits after the "A" ("A" 0, "A1" 1, "A12345" 5).
int KeyLevel(std::string_view key);
// The level of a node, which is its key's level (its text plays no part).
int NodeLevel(const fb::ui::TreeNode& node);

// The number of nodes minus one (the main problem is not counted); 0 for an empty tree.
int CauseCount(const fb::ui::TreeView& tree);

// The add-limits test made before a child is inserted under `parent`: true when the insertion
// must be refused because the parent has 9 or more children, or its level is 5 or more, or the
// tree holds 50 or more causes.
bool AddLimitReached(const fb::ui::TreeView& tree, const fb::ui::TreeNode& parent);

// Inserts a child as the last child of `parent` under the new-child-key rule: for i = 1, 2, 3
// ... 9 it tries the key parent's key followed by the digit i and stops at the first insertion
// the tree view accepts; a refusal for a key in use (fb::HostError 35602) moves on to the next
// i. Returns the new node, or nullptr when the tree view refused for another reason or no digit
// was free (the caller tests the add limits first, so a free digit always exists). Makes no
// limit test of its own.
fb::ui::TreeNode* InsertChild(fb::ui::TreeView& tree, fb::ui::TreeNode& parent,
                              std::string_view text, int picture = kCausePicture);

// Fills an (empty) image list with the three pictures of ImageList1: 1 warning triangle,
// 2 question mark, 3 logo.
void FillImageList(fb::ui::ImageList& images);

// BuildDefaultTree: attaches `images` to the tree view and inserts the fourteen default nodes
// ("A"; "A1" with "A11" to "A16"; "A2" with "A21"; "A3" with "A31"; "A4" with "A41"), each cause
// as the last child of its parent, pictures 1 and 2; right after "A16" is inserted it is made
// visible. The tree view must be empty.
void BuildDefaultTree(fb::ui::TreeView& tree, const fb::ui::ImageList& images);

// NodeCheck: selects the first node of the tree (the main problem), then looks at "A1" to "A9"
// in that order: an absent key is skipped; the first present main cause without a child gives
// false. True otherwise. Never fails.
bool NodeCheck(fb::ui::TreeView& tree);

// The tree view's node collection, positions 1 to count, as exchange-file nodes (caption = the
// node's text, key, parent key or "" for a node without a parent).
std::vector<ExchangeNode> ExchangeNodes(const fb::ui::TreeView& tree);

}  // namespace kivo2d
