#include "src/editor/cause_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/os/host_error.h"
#include "platform/ui/image_list.h"
#include "platform/ui/stock_pictures.h"
#include "platform/ui/tree_view.h"

namespace kivo2d {
namespace {

using fb::ui::ImageList;
using fb::ui::TreeNode;
using fb::ui::TreeView;

std::vector<std::string> Keys(const TreeView& tree) {
  std::vector<std::string> keys;
  for (const TreeNode* node : tree.nodes()) keys.push_back(node->key());
  return keys;
}

std::vector<std::string> ChildKeys(const TreeNode& node) {
  std::vector<std::string> keys;
  for (const TreeNode* child : node.children()) keys.push_back(child->key());
  return keys;
}

class CauseTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FillImageList(images_);
    BuildDefaultTree(tree_, images_);
  }
  TreeNode& Node(const std::string& key) {
    TreeNode* node = tree_.find(key);
    EXPECT_NE(node, nullptr) << key;
    return *node;
  }
  // Adds as the add command does: limits first, then the new-child-key rule.
  TreeNode* Add(const std::string& parent_key) {
    TreeNode& parent = Node(parent_key);
    if (AddLimitReached(tree_, parent)) return nullptr;
    return InsertChild(tree_, parent, kCauseText);
  }

  ImageList images_;
  TreeView tree_;
};

TEST_F(CauseTreeTest, DefaultTreeHasTheFourteenNodesOfTheTable) {
  const std::vector<ExchangeNode> expected = {
      {"主问题", "A", ""},      {"为什么?", "A1", "A"},   {"为什么?", "A11", "A1"},
      {"为什么?", "A12", "A1"}, {"为什么?", "A13", "A1"}, {"为什么?", "A14", "A1"},
      {"为什么?", "A15", "A1"}, {"为什么?", "A16", "A1"}, {"为什么?", "A2", "A"},
      {"为什么?", "A21", "A2"}, {"为什么?", "A3", "A"},   {"为什么?", "A31", "A3"},
      {"为什么?", "A4", "A"},   {"为什么?", "A41", "A4"},
  };
  EXPECT_EQ(ExchangeNodes(tree_), expected);
  EXPECT_EQ(CauseCount(tree_), 13);
  EXPECT_TRUE(NodeCheck(tree_));
  for (const TreeNode* node : tree_.nodes()) {
    EXPECT_EQ(node->image(), node->key() == "A" ? kMainProblemPicture : kCausePicture)
        << node->key();
  }
  EXPECT_EQ(tree_.image_list(), &images_);
}

TEST_F(CauseTreeTest, DefaultTreeShowsTheChildrenOfA1Only) {
  EXPECT_TRUE(Node("A").expanded());
  EXPECT_TRUE(Node("A1").expanded());
  EXPECT_TRUE(tree_.is_visible(Node("A16")));
  for (const char* key : {"A2", "A3", "A4"}) EXPECT_FALSE(Node(key).expanded()) << key;
  EXPECT_FALSE(tree_.is_visible(Node("A21")));
  EXPECT_EQ(tree_.visible_nodes().size(), 11u);  // A, A1, A11..A16, A2, A3, A4
}

TEST_F(CauseTreeTest, ImageListHoldsTwoTreePicturesOf22By22AndTheWideLogo) {
  ASSERT_EQ(images_.count(), 3);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(images_.image(i).width, 22) << i;
    EXPECT_EQ(images_.image(i).height, 22) << i;
  }
  for (const int i : {kMainProblemPicture, kCausePicture}) {
    EXPECT_EQ(images_.picture(i), images_.image(i)) << i;
  }
  // The picture the chart and the report save keeps the logo's own size.
  EXPECT_EQ(images_.picture(kLogoPicture).width, fb::ui::kLogoWidth);
  EXPECT_EQ(images_.picture(kLogoPicture).height, fb::ui::kLogoHeight);
}

TEST(KeyLevelTest, IsTheNumberOfDigits) {
  struct Case {
    const char* key;
    int level;
  };
  for (const Case& c : {Case{"A", 0}, Case{"A1", 1}, Case{"A12", 2}, Case{"A999", 3},
                        Case{"A1234", 4}, Case{"A12345", 5}}) {
    EXPECT_EQ(KeyLevel(c.key), c.level) << c.key;
  }
}

TEST_F(CauseTreeTest, LevelDoesNotDependOnTheText) {
  TreeNode& node = Node("A11");
  node.set_text("a\\b\\c");
  TreeNode* child = Add("A11");
  ASSERT_NE(child, nullptr);
  child->set_text("x\\y");
  EXPECT_EQ(NodeLevel(node), 2);
  EXPECT_EQ(NodeLevel(*child), 3);
}

TEST_F(CauseTreeTest, DeletedDigitIsReusedButTheNodeIsShownLast) {
  tree_.remove(Node("A12"));
  TreeNode* added = Add("A1");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->key(), "A12");
  EXPECT_EQ(ChildKeys(Node("A1")),
            (std::vector<std::string>{"A11", "A13", "A14", "A15", "A16", "A12"}));
  // The collection keeps insertion order: A12 now comes last.
  EXPECT_EQ(Keys(tree_).back(), "A12");
}

TEST_F(CauseTreeTest, NewChildKeyRuleCatchesTheTreeViewsRefusal) {
  // A node whose key is taken elsewhere makes the rule skip that digit.
  TreeNode& a2 = Node("A2");
  TreeNode* added = InsertChild(tree_, a2, "x");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->key(), "A22");  // "A21" is in use
  EXPECT_EQ(added->text(), "x");
  EXPECT_EQ(added->image(), kCausePicture);
}

TEST_F(CauseTreeTest, NineChildrenTakeNoMoreWhateverTheCauseCount) {
  for (const char* key : {"A17", "A18", "A19"}) {
    TreeNode* added = Add("A1");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->key(), key);
  }
  EXPECT_EQ(Node("A1").child_count(), 9);
  EXPECT_LT(CauseCount(tree_), kMaxCauses);
  EXPECT_TRUE(AddLimitReached(tree_, Node("A1")));
  EXPECT_EQ(Add("A1"), nullptr);
  // Without the limit test the rule finds no free digit and inserts nothing.
  EXPECT_EQ(InsertChild(tree_, Node("A1"), "x"), nullptr);
  EXPECT_EQ(Node("A1").child_count(), 9);
}

TEST_F(CauseTreeTest, LevelFiveTakesNoChildLevelFourTakesOne) {
  for (const char* parent : {"A11", "A111"}) ASSERT_NE(Add(parent), nullptr);
  TreeNode& level4 = Node("A1111");
  EXPECT_EQ(NodeLevel(level4), 4);
  EXPECT_FALSE(AddLimitReached(tree_, level4));
  TreeNode* level5 = Add("A1111");
  ASSERT_NE(level5, nullptr);
  EXPECT_EQ(level5->key(), "A11111");
  EXPECT_EQ(NodeLevel(*level5), 5);
  EXPECT_TRUE(AddLimitReached(tree_, *level5));
  EXPECT_EQ(Add("A11111"), nullptr);
}

TEST_F(CauseTreeTest, FiftyCausesThenDeleteThenAdd) {
  // Fill to 50 causes: main causes A5..A9 with children, then children under A2..A9.
  for (const char* parent : {"A", "A", "A", "A", "A"}) ASSERT_NE(Add(parent), nullptr);
  for (const char* parent : {"A2", "A3", "A4", "A5", "A6", "A7", "A8", "A9"}) {
    while (CauseCount(tree_) < kMaxCauses && Node(parent).child_count() < kMaxChildren) {
      ASSERT_NE(Add(parent), nullptr);
    }
  }
  ASSERT_EQ(CauseCount(tree_), 50);
  for (const TreeNode* node : tree_.nodes()) {
    EXPECT_TRUE(AddLimitReached(tree_, *node)) << node->key();
  }
  EXPECT_EQ(Add("A11"), nullptr);
  tree_.remove(Node("A16"));
  EXPECT_EQ(CauseCount(tree_), 49);
  TreeNode* added = Add("A11");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->key(), "A111");
  EXPECT_EQ(CauseCount(tree_), 50);
  EXPECT_EQ(Add("A12"), nullptr);
}

TEST_F(CauseTreeTest, TheThreeLimitsAreFixed) {
  EXPECT_EQ(kMaxChildren, 9);
  EXPECT_EQ(kMaxLevel, 5);
  EXPECT_EQ(kMaxCauses, 50);
}

TEST(NodeCheckTest, LooksAtThePresentMainCausesOnly) {
  TreeView tree;
  TreeNode& a = tree.add(nullptr, "A", kMainProblemText, kMainProblemPicture);
  for (const char* key : {"A1", "A3", "A7"}) {
    TreeNode& main_cause = tree.add(&a, key, kCauseText, kCausePicture);
    tree.add(&main_cause, std::string(key) + "1", kCauseText, kCausePicture);
  }
  EXPECT_TRUE(NodeCheck(tree));
  tree.remove(*tree.find("A71"));
  EXPECT_FALSE(NodeCheck(tree));
}

TEST(NodeCheckTest, ChildlessA8FailsAlsoWhenA9HasChildren) {
  TreeView tree;
  TreeNode& a = tree.add(nullptr, "A", kMainProblemText, kMainProblemPicture);
  TreeNode& a1 = tree.add(&a, "A1", kCauseText, kCausePicture);
  tree.add(&a1, "A11", kCauseText, kCausePicture);
  tree.add(&a, "A8", kCauseText, kCausePicture);
  TreeNode& a9 = tree.add(&a, "A9", kCauseText, kCausePicture);
  tree.add(&a9, "A91", kCauseText, kCausePicture);
  EXPECT_FALSE(NodeCheck(tree));
}

TEST_F(CauseTreeTest, NodeCheckSelectsTheMainProblem) {
  tree_.select(&Node("A31"));
  EXPECT_TRUE(NodeCheck(tree_));
  EXPECT_EQ(tree_.selected(), &Node("A"));
  tree_.remove(Node("A21"));
  tree_.select(&Node("A31"));
  EXPECT_FALSE(NodeCheck(tree_));
  EXPECT_EQ(tree_.selected(), &Node("A"));
}

TEST(NodeCheckTest, EmptyTreePassesAndSelectsNothing) {
  TreeView tree;
  EXPECT_TRUE(NodeCheck(tree));
  EXPECT_EQ(tree.selected(), nullptr);
}

TEST_F(CauseTreeTest, ExchangeNodesFollowTheCollectionOrderAfterEdits) {
  tree_.remove(Node("A2"));
  ASSERT_NE(Add("A1"), nullptr);  // A17
  ASSERT_NE(Add("A"), nullptr);   // A2 again, last
  Node("A").set_text("a & <b> \"c\"");
  const std::vector<ExchangeNode> nodes = ExchangeNodes(tree_);
  ASSERT_EQ(nodes.size(), 14u);
  EXPECT_EQ(nodes[0], (ExchangeNode{"a & <b> \"c\"", "A", ""}));
  EXPECT_EQ(nodes[8], (ExchangeNode{"为什么?", "A3", "A"}));
  EXPECT_EQ(nodes[12], (ExchangeNode{"为什么?", "A17", "A1"}));
  EXPECT_EQ(nodes[13], (ExchangeNode{"为什么?", "A2", "A"}));
}

TEST_F(CauseTreeTest, ResetRebuildsTheDefaultTree) {
  ASSERT_NE(Add("A2"), nullptr);
  tree_.clear();
  BuildDefaultTree(tree_, images_);
  EXPECT_EQ(tree_.count(), 14);
  EXPECT_EQ(CauseCount(tree_), 13);
}

}  // namespace
}  // namespace kivo2d
