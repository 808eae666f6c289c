#include "platform/ui/tree_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/os/host_error.h"

namespace fb::ui {
namespace {

std::vector<std::string> Keys(const std::vector<TreeNode*>& nodes) {
  std::vector<std::string> keys;
  for (const TreeNode* node : nodes) keys.push_back(node->key());
  return keys;
}

using Strings = std::vector<std::string>;

// A
// ├ A1: A11, A12 (A121)
// └ A2: A21
class TreeViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TreeNode& a = tree_.add(nullptr, "A", "main", 1);
    TreeNode& a1 = tree_.add(&a, "A1", "one", 2);
    tree_.add(&a1, "A11", "", 2);
    TreeNode& a12 = tree_.add(&a1, "A12", "", 2);
    TreeNode& a2 = tree_.add(&a, "A2", "two", 2);
    tree_.add(&a12, "A121", "", 2);
    tree_.add(&a2, "A21", "", 2);
  }
  TreeNode& N(const std::string& key) { return *tree_.find(key); }

  TreeView tree_;
};

TEST_F(TreeViewTest, KeepsTheCollectionInInsertionOrder) {
  EXPECT_EQ(Keys(tree_.nodes()), (Strings{"A", "A1", "A11", "A12", "A2", "A121", "A21"}));
  EXPECT_EQ(tree_.count(), 7);
  EXPECT_EQ(tree_.at(1).key(), "A");
  EXPECT_EQ(tree_.at(7).key(), "A21");
  EXPECT_EQ(tree_.position_of(N("A2")), 5);
  EXPECT_EQ(Keys(N("A1").children()), (Strings{"A11", "A12"}));
  EXPECT_EQ(N("A12").parent(), &N("A1"));
  EXPECT_EQ(N("A").parent(), nullptr);
  EXPECT_EQ(N("A1").child_count(), 2);
  EXPECT_EQ(N("A").text(), "main");
  EXPECT_EQ(N("A").image(), 1);
}

TEST_F(TreeViewTest, RefusesAKeyInUseAndInsertsNothing) {
  int observed = 0;
  tree_.set_on_change([&] { ++observed; });
  for (const char* key : {"A", "A12", "A21"}) {
    try {
      tree_.add(&N("A2"), key, "dup", 2);
      ADD_FAILURE() << key << " accepted";
    } catch (const HostError& error) {
      EXPECT_EQ(error.number(), 35602);
      EXPECT_EQ(error.description(), "Key is not unique in collection");
    }
  }
  EXPECT_EQ(tree_.count(), 7);
  EXPECT_EQ(N("A2").child_count(), 1);
  EXPECT_EQ(observed, 0);
}

TEST_F(TreeViewTest, AppendsANewChildAfterItsSiblings) {
  TreeNode& added = tree_.add(&N("A1"), "A13", "x", 2);
  EXPECT_EQ(Keys(N("A1").children()), (Strings{"A11", "A12", "A13"}));
  EXPECT_EQ(&tree_.at(8), &added);
  TreeNode& root = tree_.add(nullptr, "B", "second root", 1);
  EXPECT_EQ(Keys(tree_.roots()), (Strings{"A", "B"}));
  EXPECT_EQ(root.parent(), nullptr);
}

TEST_F(TreeViewTest, RemovesANodeWithItsDescendantsKeepingTheOthersInOrder) {
  tree_.remove(N("A1"));
  EXPECT_EQ(Keys(tree_.nodes()), (Strings{"A", "A2", "A21"}));
  for (const char* key : {"A1", "A11", "A12", "A121"}) EXPECT_EQ(tree_.find(key), nullptr) << key;
  EXPECT_EQ(Keys(N("A").children()), (Strings{"A2"}));
  // The keys are free again.
  tree_.add(&N("A"), "A1", "again", 2);
  EXPECT_EQ(Keys(tree_.nodes()), (Strings{"A", "A2", "A21", "A1"}));
}

TEST_F(TreeViewTest, PositionOutOfRangeIsError35600) {
  for (const int position : {0, 8, -1}) {
    try {
      tree_.at(position);
      ADD_FAILURE() << position;
    } catch (const HostError& error) {
      EXPECT_EQ(error.number(), 35600);
    }
  }
  EXPECT_EQ(tree_.find("Z"), nullptr);
  EXPECT_EQ(tree_.find(""), nullptr);
}

TEST_F(TreeViewTest, SelectionMovesByItsOwnRuleWhenTheSelectedNodeIsRemoved) {
  struct Case {
    const char* selected;
    const char* removed;
    const char* then_selected;  // nullptr: nothing
  };
  const Case cases[] = {
      {"A11", "A11", "A12"},   // next sibling
      {"A12", "A12", "A11"},   // previous sibling
      {"A121", "A12", "A11"},  // selection inside the removed subtree
      {"A21", "A21", "A2"},    // parent
      {"A21", "A1", "A21"},    // selection elsewhere stays
      {"A1", "A", nullptr},    // nothing left
  };
  for (const Case& c : cases) {
    TreeView tree;
    TreeNode& a = tree.add(nullptr, "A", "", 1);
    TreeNode& a1 = tree.add(&a, "A1", "", 2);
    tree.add(&a1, "A11", "", 2);
    TreeNode& a12 = tree.add(&a1, "A12", "", 2);
    tree.add(&a12, "A121", "", 2);
    TreeNode& a2 = tree.add(&a, "A2", "", 2);
    tree.add(&a2, "A21", "", 2);
    tree.select(tree.find(c.selected));
    tree.set_drop_highlight(tree.find(c.removed));
    tree.remove(*tree.find(c.removed));
    EXPECT_EQ(tree.selected(), c.then_selected ? tree.find(c.then_selected) : nullptr)
        << c.selected << " / " << c.removed;
    EXPECT_EQ(tree.drop_highlight(), nullptr);
  }
}

TEST_F(TreeViewTest, HitTestFindsTheNodeOfTheRowUnderThePoint) {
  tree_.set_bounds(Bounds{0, 0, 3000, 10 * 330});
  const int h = tree_.row_height();
  ASSERT_EQ(h, 330);
  // Everything collapsed: only the root shows.
  EXPECT_EQ(tree_.hit_test(10, 0), &N("A"));
  EXPECT_EQ(tree_.hit_test(10, h), nullptr);
  N("A").set_expanded(true);
  N("A1").set_expanded(true);
  // Rows: A, A1, A11, A12, A2 (A12 and A2 collapsed).
  EXPECT_EQ(Keys(tree_.visible_nodes()), (Strings{"A", "A1", "A11", "A12", "A2"}));
  struct Case {
    int x;
    int y;
    const char* key;
  };
  const Case cases[] = {
      {0, 0, "A"},        {2999, h - 1, "A"},     {100, h, "A1"},   {100, 2 * h + 5, "A11"},
      {100, 4 * h, "A2"}, {100, 5 * h, nullptr},  {-1, 0, nullptr}, {3000, 0, nullptr},
      {100, -1, nullptr}, {100, 10 * h, nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tree_.hit_test(c.x, c.y), c.key ? tree_.find(c.key) : nullptr) << c.x << "," << c.y;
  }
  EXPECT_EQ(tree_.row_center(N("A2")), std::make_pair(1500, 4 * h + h / 2));
  EXPECT_EQ(tree_.row_center(N("A21")), std::nullopt);
}

TEST_F(TreeViewTest, EnsureVisibleExpandsTheAncestorsAndScrolls) {
  tree_.set_bounds(Bounds{0, 0, 3000, 2 * 330});  // two rows per page
  tree_.ensure_visible(N("A121"));
  EXPECT_TRUE(N("A").expanded());
  EXPECT_TRUE(N("A1").expanded());
  EXPECT_TRUE(N("A12").expanded());
  EXPECT_FALSE(N("A121").expanded());
  EXPECT_FALSE(N("A2").expanded());
  // Rows: A, A1, A11, A12, A121, A2; A121 is row 4, shown as the last row of the page.
  EXPECT_EQ(tree_.first_visible_row(), 3);
  EXPECT_EQ(tree_.hit_test(10, 330), &N("A121"));
  tree_.ensure_visible(N("A"));
  EXPECT_EQ(tree_.first_visible_row(), 0);
  // Collapsing clamps the scroll position.
  tree_.set_first_visible_row(4);
  N("A").set_expanded(false);
  EXPECT_EQ(tree_.first_visible_row(), 0);
}

TEST_F(TreeViewTest, ACollapseThatHidesTheSelectionSelectsTheCollapsedNode) {
  tree_.ensure_visible(N("A121"));
  tree_.select(&N("A121"));
  N("A2").set_expanded(false);  // elsewhere: the selection stays
  EXPECT_EQ(tree_.selected(), &N("A121"));
  N("A1").set_expanded(false);  // hides A12 and A121: A1 is the nearest node still shown
  EXPECT_EQ(tree_.selected(), &N("A1"));
  tree_.select(&N("A1"));
  N("A1").set_expanded(true);
  N("A1").set_expanded(false);  // the selected node itself stays selected
  EXPECT_EQ(tree_.selected(), &N("A1"));
}

TEST_F(TreeViewTest, DropModeHighlightLabelEditAndImageList) {
  EXPECT_EQ(tree_.ole_drop_mode(), OleDropMode::kNone);
  tree_.set_ole_drop_mode(OleDropMode::kManual);
  EXPECT_EQ(static_cast<int>(tree_.ole_drop_mode()), 1);
  tree_.set_drop_highlight(&N("A2"));
  EXPECT_EQ(tree_.drop_highlight(), &N("A2"));

  EXPECT_FALSE(tree_.start_label_edit());  // nothing selected
  tree_.select(&N("A11"));
  ASSERT_TRUE(tree_.start_label_edit());
  EXPECT_EQ(tree_.label_edit_node(), &N("A11"));
  tree_.end_label_edit(std::string("a\\b <c>"));
  EXPECT_EQ(N("A11").text(), "a\\b <c>");
  EXPECT_EQ(tree_.label_edit_node(), nullptr);
  tree_.start_label_edit();
  tree_.end_label_edit(std::nullopt);
  EXPECT_EQ(N("A11").text(), "a\\b <c>");

  ImageList images;
  tree_.set_image_list(&images);
  EXPECT_EQ(tree_.image_list(), &images);
}

TEST_F(TreeViewTest, ReportsEveryChange) {
  int changes = 0;
  tree_.set_on_change([&] { ++changes; });
  N("A1").set_text("new");
  N("A1").set_expanded(true);
  tree_.select(&N("A2"));
  tree_.add(&N("A2"), "A22", "", 2);
  tree_.remove(N("A22"));
  tree_.clear();
  EXPECT_EQ(changes, 6);
  EXPECT_EQ(tree_.count(), 0);
  EXPECT_EQ(tree_.selected(), nullptr);
}

}  // namespace
}  // namespace fb::ui
