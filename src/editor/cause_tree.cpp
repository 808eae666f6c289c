#include "src/editor/cause_tree.h"

#include <string>

#include "platform/os/host_error.h"
#include "platform/ui/stock_pictures.h"

namespace kivo2d {

int KeyLevel(std::string_view key) {
  int digits = 0;
  for (const char c : key) {
    if (c >= '0' && c <= '9') ++digits;
  }
  return digits;
}

int NodeLevel(const fb::ui::TreeNode& node) {
  return KeyLevel(node.key());
}

int CauseCount(const fb::ui::TreeView& tree) {
  return tree.count() > 0 ? tree.count() - 1 : 0;
}

bool AddLimitReached(const fb::ui::TreeView& tree, const fb::ui::TreeNode& parent) {
  return parent.child_count() >= kMaxChildren || NodeLevel(parent) >= kMaxLevel ||
         CauseCount(tree) >= kMaxCauses;
}

fb::ui::TreeNode* InsertChild(fb::ui::TreeView& tree, fb::ui::TreeNode& parent,
                              std::string_view text, int picture) {
  for (int i = 1; i <= kMaxChildren; ++i) {
    const std::string key = parent.key() + std::to_string(i);
    try {
      return &tree.add(&parent, key, text, picture);
    } catch (const fb::HostError& error) {
      if (error.number() != fb::ui::TreeView::kKeyNotUnique) return nullptr;
    }
  }
  return nullptr;
}

void FillImageList(fb::ui::ImageList& images) {
  fb::ui::add_stock_pictures(images);
}

void BuildDefaultTree(fb::ui::TreeView& tree, const fb::ui::ImageList& images) {
  tree.set_image_list(&images);
  fb::ui::TreeNode& main_problem =
      tree.add(nullptr, kMainProblemKey, kMainProblemText, kMainProblemPicture);
  fb::ui::TreeNode& a1 = tree.add(&main_problem, "A1", kCauseText, kCausePicture);
  for (const char* key : {"A11", "A12", "A13", "A14", "A15", "A16"}) {
    fb::ui::TreeNode& node = tree.add(&a1, key, kCauseText, kCausePicture);
    if (node.key() == "A16") tree.ensure_visible(node);
  }
  for (const char* key : {"A2", "A3", "A4"}) {
    fb::ui::TreeNode& main_cause = tree.add(&main_problem, key, kCauseText, kCausePicture);
    tree.add(&main_cause, std::string(key) + "1", kCauseText, kCausePicture);
  }
}

bool NodeCheck(fb::ui::TreeView& tree) {
  if (tree.count() > 0) tree.select(&tree.at(1));
  for (char digit = '1'; digit <= '9'; ++digit) {
    const fb::ui::TreeNode* main_cause = tree.find(std::string("A") + digit);
    if (main_cause == nullptr) continue;
    if (main_cause->child_count() == 0) return false;
  }
  return true;
}

std::vector<ExchangeNode> ExchangeNodes(const fb::ui::TreeView& tree) {
  std::vector<ExchangeNode> out;
  out.reserve(static_cast<std::size_t>(tree.count()));
  for (int i = 1; i <= tree.count(); ++i) {
    const fb::ui::TreeNode& node = tree.at(i);
    out.push_back(ExchangeNode{node.text(), node.key(),
                               node.parent() != nullptr ? node.parent()->key() : std::string()});
  }
  return out;
}

}  // namespace kivo2d
