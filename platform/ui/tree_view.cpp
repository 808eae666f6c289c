#include "platform/ui/tree_view.h"

#include <algorithm>
#include <stdexcept>

#include "platform/os/host_error.h"

namespace fb::ui {

void TreeNode::set_text(std::string text) {
  if (text_ == text) return;
  text_ = std::move(text);
  view_->node_changed();
}

void TreeNode::set_image(int image) {
  if (image_ == image) return;
  image_ = image;
  view_->node_changed();
}

void TreeNode::set_expanded(bool expanded) {
  if (expanded_ == expanded) return;
  expanded_ = expanded;
  // A collapse that hides the selected node moves the selection to this node, the nearest one
  // still shown: the buttons that act on the selection must not act on a node nobody can see.
  if (!expanded) {
    for (const TreeNode* a = view_->selected() != nullptr ? view_->selected()->parent_ : nullptr;
         a != nullptr; a = a->parent_) {
      if (a == this) {
        view_->select(this);
        break;
      }
    }
  }
  view_->node_changed();
}

TreeView::TreeView(std::string name) : Control(std::move(name)) {
  set_bounds(Bounds{150, 500, 6495, 5160});
}

TreeView::~TreeView() = default;

TreeNode& TreeView::add(TreeNode* parent, std::string_view key, std::string_view text, int image) {
  if (parent != nullptr && &parent->tree_view() != this) {
    throw std::invalid_argument("TreeView::add: the parent node belongs to another tree view");
  }
  const std::string key_text(key);
  if (!key_text.empty() && by_key_.count(key_text) != 0) {
    throw HostError(kKeyNotUnique, "Key is not unique in collection");
  }
  nodes_.push_back(
      std::unique_ptr<TreeNode>(new TreeNode(this, parent, key_text, std::string(text), image)));
  TreeNode* node = nodes_.back().get();
  if (!key_text.empty()) by_key_.emplace(key_text, node);
  if (parent != nullptr) parent->children_.push_back(node);
  changed();
  return *node;
}

void TreeView::remove(TreeNode& node) {
  if (&node.tree_view() != this) {
    throw std::invalid_argument("TreeView::remove: the node belongs to another tree view");
  }
  // Collect the subtree.
  std::vector<const TreeNode*> doomed{&node};
  for (std::size_t i = 0; i < doomed.size(); ++i) {
    for (const TreeNode* child : doomed[i]->children_) doomed.push_back(child);
  }
  const auto in_subtree = [&](const TreeNode* n) {
    return n != nullptr && std::find(doomed.begin(), doomed.end(), n) != doomed.end();
  };

  // Siblings of the removed node, for the new selection.
  std::vector<TreeNode*> siblings = node.parent_ != nullptr ? node.parent_->children_ : roots();
  const auto self = std::find(siblings.begin(), siblings.end(), &node);
  TreeNode* next_selection = nullptr;
  if (self != siblings.end() && self + 1 != siblings.end()) {
    next_selection = *(self + 1);
  } else if (self != siblings.begin() && self != siblings.end()) {
    next_selection = *(self - 1);
  } else {
    next_selection = node.parent_;
  }

  if (in_subtree(selected_)) selected_ = next_selection;
  if (in_subtree(drop_highlight_)) drop_highlight_ = nullptr;
  if (in_subtree(label_edit_node_)) label_edit_node_ = nullptr;

  if (node.parent_ != nullptr) {
    auto& kids = node.parent_->children_;
    kids.erase(std::remove(kids.begin(), kids.end(), &node), kids.end());
  }
  for (const TreeNode* n : doomed) {
    if (!n->key_.empty()) by_key_.erase(n->key_);
  }
  nodes_.erase(
      std::remove_if(nodes_.begin(), nodes_.end(),
                     [&](const std::unique_ptr<TreeNode>& n) { return in_subtree(n.get()); }),
      nodes_.end());
  clamp_scroll();
  changed();
}

void TreeView::clear() {
  nodes_.clear();
  by_key_.clear();
  selected_ = nullptr;
  drop_highlight_ = nullptr;
  label_edit_node_ = nullptr;
  first_row_ = 0;
  changed();
}

TreeNode& TreeView::at(int position) const {
  if (position < 1 || position > count()) throw HostError(kIndexOutOfBounds, "Index out of bounds");
  return *nodes_[static_cast<std::size_t>(position - 1)];
}

std::vector<TreeNode*> TreeView::nodes() const {
  std::vector<TreeNode*> out;
  out.reserve(nodes_.size());
  for (const auto& n : nodes_) out.push_back(n.get());
  return out;
}

int TreeView::position_of(const TreeNode& node) const {
  for (std::size_t i = 0; i < nodes_.size(); ++i) {
    if (nodes_[i].get() == &node) return static_cast<int>(i) + 1;
  }
  return 0;
}

TreeNode* TreeView::find(std::string_view key) const {
  if (key.empty()) return nullptr;
  const auto it = by_key_.find(std::string(key));
  return it == by_key_.end() ? nullptr : it->second;
}

std::vector<TreeNode*> TreeView::roots() const {
  std::vector<TreeNode*> out;
  for (const auto& n : nodes_) {
    if (n->parent_ == nullptr) out.push_back(n.get());
  }
  return out;
}

void TreeView::select(TreeNode* node) {
  if (node != nullptr && &node->tree_view() != this) {
    throw std::invalid_argument("TreeView::select: the node belongs to another tree view");
  }
  if (selected_ == node) return;
  selected_ = node;
  changed();
}

void TreeView::set_drop_highlight(TreeNode* node) {
  if (drop_highlight_ == node) return;
  drop_highlight_ = node;
  changed();
}

void TreeView::set_ole_drop_mode(OleDropMode mode) {
  if (drop_mode_ == mode) return;
  drop_mode_ = mode;
  changed();
}

bool TreeView::start_label_edit() {
  if (selected_ == nullptr) return false;
  label_edit_node_ = selected_;
  changed();
  return true;
}

void TreeView::end_label_edit(std::optional<std::string> confirmed_text) {
  TreeNode* node = label_edit_node_;
  label_edit_node_ = nullptr;
  if (node != nullptr && confirmed_text) {
    node->text_ = std::move(*confirmed_text);
  }
  changed();
}

void TreeView::set_image_list(const ImageList* images) {
  if (image_list_ == images) return;
  image_list_ = images;
  changed();
}

void TreeView::set_row_height(int twips) {
  if (twips < 1) twips = 1;
  if (row_height_ == twips) return;
  row_height_ = twips;
  clamp_scroll();
  changed();
}

bool TreeView::is_visible(const TreeNode& node) const {
  for (const TreeNode* a = node.parent_; a != nullptr; a = a->parent_) {
    if (!a->expanded_) return false;
  }
  return true;
}

void TreeView::append_visible(const TreeNode* node, std::vector<TreeNode*>& out) const {
  if (!node->expanded_) return;
  for (TreeNode* child : node->children_) {
    out.push_back(child);
    append_visible(child, out);
  }
}

std::vector<TreeNode*> TreeView::visible_nodes() const {
  std::vector<TreeNode*> out;
  for (TreeNode* root : roots()) {
    out.push_back(root);
    append_visible(root, out);
  }
  return out;
}

int TreeView::rows_per_page() const {
  return std::max(1, bounds().height / row_height_);
}

void TreeView::set_first_visible_row(int row) {
  const int before = first_row_;
  first_row_ = row;
  clamp_scroll();
  if (first_row_ != before) changed();
}

void TreeView::clamp_scroll() {
  const int rows = static_cast<int>(visible_nodes().size());
  const int last_top = std::max(0, rows - rows_per_page());
  first_row_ = std::clamp(first_row_, 0, last_top);
}

TreeNode* TreeView::hit_test(int x, int y) const {
  if (x < 0 || y < 0 || x >= bounds().width || y >= bounds().height) return nullptr;
  const std::vector<TreeNode*> rows = visible_nodes();
  const int row_index = first_row_ + y / row_height_;
  const auto row = static_cast<std::size_t>(row_index);
  return row < rows.size() ? rows[row] : nullptr;
}

std::optional<std::pair<int, int>> TreeView::row_center(const TreeNode& node) const {
  const std::vector<TreeNode*> rows = visible_nodes();
  const auto it = std::find(rows.begin(), rows.end(), &node);
  if (it == rows.end()) return std::nullopt;
  const int row = static_cast<int>(it - rows.begin()) - first_row_;
  return std::make_pair(bounds().width / 2, row * row_height_ + row_height_ / 2);
}

void TreeView::ensure_visible(TreeNode& node) {
  for (TreeNode* a = node.parent_; a != nullptr; a = a->parent_) a->expanded_ = true;
  const std::vector<TreeNode*> rows = visible_nodes();
  const int row = static_cast<int>(std::find(rows.begin(), rows.end(), &node) - rows.begin());
  if (row < first_row_) first_row_ = row;
  if (row >= first_row_ + rows_per_page()) first_row_ = row - rows_per_page() + 1;
  clamp_scroll();
  changed();
}

}  // namespace fb::ui
