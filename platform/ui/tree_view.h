#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ui/control.h"
#include "platform/ui/image_list.h"

namespace fb::ui {

class TreeView;

// OLEDropMode of the tree view: 0 none (accepts no drop), 1 manual (raises drag-over and drop
// events; the handlers decide).
enum class OleDropMode { kNone = 0, kManual = 1 };

// One node of a TreeView. Nodes are created and destroyed by their TreeView only; a reference to
// a node stays valid until the node (or an ancestor) is removed or the view is cleared.
class TreeNode {
 public:
  TreeNode(const TreeNode&) = delete;
  TreeNode& operator=(const TreeNode&) = delete;

  const std::string& key() const { return key_; }
  const std::string& text() const { return text_; }
  void set_text(std::string text);
  // Index into the attached ImageList (1-based; 0 for none).
  int image() const { return image_; }
  void set_image(int image);

  TreeNode* parent() const { return parent_; }
  // Children in insertion order.
  const std::vector<TreeNode*>& children() const { return children_; }
  int child_count() const { return static_cast<int>(children_.size()); }

  bool expanded() const { return expanded_; }
  void set_expanded(bool expanded);

  TreeView& tree_view() const { return *view_; }

 private:
  friend class TreeView;
  TreeNode(TreeView* view, TreeNode* parent, std::string key, std::string text, int image)
      : view_(view), parent_(parent), key_(std::move(key)), text_(std::move(text)), image_(image) {}

  TreeView* view_;
  TreeNode* parent_;
  std::string key_;
  std::string text_;
  int image_;
  bool expanded_ = false;
  std::vector<TreeNode*> children_;
};

// The tree-view control (TreeView1), with exactly what the component uses:
// - the node collection in insertion order, positions 1 to count (the exchange file is written in
//   this order; a removal keeps the remaining nodes in their relative order);
// - insertion of a node as the last child of a node, or as the last root, under a key that must
//   be unique: a key already used is refused with fb::HostError 35602 "Key is not unique in
//   collection", as the original control did, and nothing is inserted. Keys compare exactly
//   (byte for byte). An empty key means "no key": never refused, never found;
// - removal of a node with all its descendants;
// - lookup by key: find() returns nullptr for an absent key (the only key lookup);
// - the selected node, the drop highlight, the OLE drop mode, in-place label editing as a request
//   the drawing layer acts on, an attached ImageList;
// - a row layout for HitTest and EnsureVisible: each visible node is one row of row_height()
//   twips, over the full width of the control; a node is visible when all its ancestors are
//   expanded (roots always are); rows are in display order (roots in insertion order, each
//   followed by its visible descendants, children in insertion order); the view is scrolled by
//   whole rows (first_visible_row()). New nodes start collapsed.
class TreeView : public Control {
 public:
  static constexpr int kKeyNotUnique = 35602;
  static constexpr int kIndexOutOfBounds = 35600;
  static constexpr int kDefaultRowHeight = 330;  // twips: 22 pixels, the picture height

  // Starts with the bounds of the editor's TreeView1 (150, 500, 6495, 5160 twips).
  explicit TreeView(std::string name = "TreeView1");
  ~TreeView() override;

  // Inserts a node as the last child of `parent` (nullptr: as the last root) and returns it.
  // Throws fb::HostError 35602 when `key` is already used; std::invalid_argument when `parent`
  // belongs to another view.
  TreeNode& add(TreeNode* parent, std::string_view key, std::string_view text, int image = 0);

  // Removes the node with all its descendants. When the selection was inside the removed
  // subtree the view selects, by its own rule, the removed node's next sibling, else its
  // previous sibling, else its parent, else nothing. A drop highlight or label edit inside the
  // subtree is cleared.
  void remove(TreeNode& node);
  void clear();

  int count() const { return static_cast<int>(nodes_.size()); }
  // The node at a 1-based position of the collection; fb::HostError 35600 when out of range.
  TreeNode& at(int position) const;
  // The whole collection in order.
  std::vector<TreeNode*> nodes() const;
  // The 1-based position of a node in the collection.
  int position_of(const TreeNode& node) const;
  // nullptr when no node has the key.
  TreeNode* find(std::string_view key) const;
  std::vector<TreeNode*> roots() const;

  TreeNode* selected() const { return selected_; }
  void select(TreeNode* node);

  TreeNode* drop_highlight() const { return drop_highlight_; }
  void set_drop_highlight(TreeNode* node);

  OleDropMode ole_drop_mode() const { return drop_mode_; }
  void set_ole_drop_mode(OleDropMode mode);

  // StartLabelEdit: asks the drawing layer to edit the selected node's text in place. Returns
  // false (and asks nothing) when no node is selected.
  bool start_label_edit();
  // The node whose label edit is requested or running, or nullptr.
  TreeNode* label_edit_node() const { return label_edit_node_; }
  // Ends the edit: a confirmed text becomes the node's text unchanged; nullopt cancels.
  void end_label_edit(std::optional<std::string> confirmed_text);

  void set_image_list(const ImageList* images);
  const ImageList* image_list() const { return image_list_; }

  // The user's input that the window handles (TreeView1_MouseUp, TreeView1_OLEDragOver,
  // TreeView1_OLEDragDrop, TreeView1_KeyDown), set by the window and called by the drawing layer:
  // a mouse button released over the tree, plain text dragged over it or dropped on it at (x, y)
  // in twips, and a key the tree itself does not use (its key code, kKeyDelete ...) with the
  // shift state. The drag calls happen only while the drop mode is manual; each returns whether
  // it did.
  struct Input {
    std::function<void(int button, int x, int y)> mouse_up;
    std::function<void(const std::optional<std::string>& text, int x, int y)> drag_over;
    std::function<void(const std::optional<std::string>& text, int x, int y)> drop;
    std::function<void(int key_code, int shift)> key_down;
  };
  static constexpr int kKeyDelete = 46;  // the key codes of the original runtime
  void set_input(Input input) { input_ = std::move(input); }
  void MouseUp(int button, int x, int y) const {
    if (input_.mouse_up) input_.mouse_up(button, x, y);
  }
  void KeyDown(int key_code, int shift) const {
    if (input_.key_down) input_.key_down(key_code, shift);
  }
  bool DragOver(const std::optional<std::string>& text, int x, int y) const {
    if (drop_mode_ != OleDropMode::kManual || !input_.drag_over) return false;
    input_.drag_over(text, x, y);
    return true;
  }
  bool Drop(const std::optional<std::string>& text, int x, int y) const {
    if (drop_mode_ != OleDropMode::kManual || !input_.drop) return false;
    input_.drop(text, x, y);
    return true;
  }

  // Row layout.
  int row_height() const { return row_height_; }
  void set_row_height(int twips);
  // Whether every ancestor of the node is expanded.
  bool is_visible(const TreeNode& node) const;
  // The visible nodes in display order (row 0 first, before scrolling).
  std::vector<TreeNode*> visible_nodes() const;
  int first_visible_row() const { return first_row_; }
  void set_first_visible_row(int row);
  // Number of whole rows that fit in the control's height (at least 1).
  int rows_per_page() const;
  // HitTest: the node whose row lies under the point (twips, relative to the control), or
  // nullptr for a point outside the control or below the last row.
  TreeNode* hit_test(int x, int y) const;
  // The point at the middle of a visible node's row in the current scroll position (twips).
  std::optional<std::pair<int, int>> row_center(const TreeNode& node) const;
  // EnsureVisible: expands every ancestor and scrolls so the node's row is in view.
  void ensure_visible(TreeNode& node);

 private:
  friend class TreeNode;
  void node_changed() {
    clamp_scroll();
    changed();
  }
  void clamp_scroll();
  void append_visible(const TreeNode* node, std::vector<TreeNode*>& out) const;

  std::vector<std::unique_ptr<TreeNode>> nodes_;  // collection order
  std::unordered_map<std::string, TreeNode*> by_key_;
  TreeNode* selected_ = nullptr;
  TreeNode* drop_highlight_ = nullptr;
  TreeNode* label_edit_node_ = nullptr;
  OleDropMode drop_mode_ = OleDropMode::kNone;
  Input input_;
  const ImageList* image_list_ = nullptr;
  int row_height_ = kDefaultRowHeight;
  int first_row_ = 0;
};

}  // namespace fb::ui
