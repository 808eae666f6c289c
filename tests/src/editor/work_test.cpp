#include "src/editor/work.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/os/host_error.h"
#include "platform/ui/headless_dialogs.h"
#include "src/editor/cause_tree.h"
#include "src/editor/work_messages.h"

namespace kivo2d {
namespace {

namespace vb = fb::ui::vb;
using fb::ui::DialogRecord;
using fb::ui::OleDropMode;
using fb::ui::TreeNode;
using fb::ui::WindowState;

// The add-in side of the editor, reduced to what the editor's commands show of it.
class FakeHost final : public WorkHost {
 public:
  fb::ui::HeadlessDialogs boxes;
  bool open_button_enabled = true;
  int leftover_deletions = 0;
  std::string version = "12.0";
  std::set<std::string> workbooks = {"FUNCRES.XLAM"};
  bool help_file_missing = false;
  std::vector<std::string> help_topics;
  int about_shown = 0;
  int generated = 0;

  fb::ui::Dialogs& dialogs() override { return boxes; }
  void SetOpenEditorButtonEnabled(bool enabled) override { open_button_enabled = enabled; }
  void DeleteLeftovers() override { ++leftover_deletions; }
  std::string HostVersion() override { return version; }
  void FindWorkbook(std::string_view name) override {
    if (!workbooks.contains(std::string(name))) throw fb::HostError(9, "Subscript out of range");
  }
  bool ShowHelpTopicMissing(std::string_view topic, const Work&) override {
    help_topics.emplace_back(topic);
    return help_file_missing;
  }
  void ShowAboutFromEditor() override { ++about_shown; }
  void Generate(Work&) override { ++generated; }
};

// The helpers and members are public: the case tables below reach them from lambdas, which are not
// members of the fixture.
class WorkTest : public ::testing::Test {
 public:
  void SetUp() override { work_.show(); }

  TreeNode& Node(const std::string& key) {
    TreeNode* node = work_.TreeView1.find(key);
    if (node == nullptr) throw std::runtime_error("no node " + key);
    return *node;
  }
  void Select(const std::string& key) { work_.TreeView1.select(&Node(key)); }
  // A mouse release over a node the user has just clicked: the tree selects it first.
  void ClickNode(const std::string& key, int button = kLeftButton) {
    Select(key);
    const auto point = work_.TreeView1.row_center(Node(key)).value_or(std::pair{0, 0});
    work_.TreeView1_MouseUp(button, 0, point.first, point.second);
  }
  std::pair<int, int> PointOf(const std::string& key) {
    work_.TreeView1.ensure_visible(Node(key));
    return work_.TreeView1.row_center(Node(key)).value();
  }
  // Adds children under `parent` directly until it holds `count`.
  void FillChildren(const std::string& parent, int count) {
    while (Node(parent).child_count() < count) InsertChild(work_.TreeView1, Node(parent), "x");
  }
  // A chain of causes from "A4" down to level 5: "A41", "A411" ... "A41111".
  std::string BuildLevelFive() {
    std::string key = "A41";
    while (KeyLevel(key) < 5) key = InsertChild(work_.TreeView1, Node(key), "x")->key();
    return key;
  }
  std::vector<std::string> ChildKeys(const std::string& key) {
    std::vector<std::string> keys;
    for (const TreeNode* child : Node(key).children()) keys.push_back(child->key());
    return keys;
  }
  const DialogRecord& LastBox() {
    const auto& transcript = host_.boxes.transcript();
    if (transcript.empty()) throw std::runtime_error("no message box");
    return transcript.back();
  }

  fb::ui::FormRegistry forms_;
  FakeHost host_;
  Work work_{forms_, host_};
};

TEST_F(WorkTest, OpensWithDefaultTreeSettingsAndLayout) {
  EXPECT_TRUE(work_.loaded());
  EXPECT_TRUE(work_.visible());
  EXPECT_EQ(work_.caption(), " 数据录入及整理 ");
  EXPECT_TRUE(work_.close_command_removed());
  EXPECT_EQ(work_.TreeView1.count(), 14);
  EXPECT_EQ(work_.Label3.caption(), "13");
  EXPECT_FALSE(host_.open_button_enabled);
  EXPECT_EQ(host_.leftover_deletions, 1);
  EXPECT_TRUE(host_.boxes.transcript().empty());
  EXPECT_EQ(work_.TreeView1.image_list(), &work_.ImageList1);

  EXPECT_FALSE(work_.Settings.Frame1.visible());
  EXPECT_TRUE(work_.Image5.visible());
  EXPECT_EQ(work_.ButtonCm7.caption(), "鱼骨图设置");
  EXPECT_EQ(work_.Settings.Option1.caption(work_.Settings.Option1.selected()), " 仿宋");
  EXPECT_EQ(work_.Settings.Option2.caption(work_.Settings.Option2.selected()), "6 号字");
  EXPECT_EQ(work_.Settings.Option3.caption(work_.Settings.Option3.selected()), " 8 个");
  EXPECT_EQ(work_.Settings.Option4.caption(work_.Settings.Option4.selected()), " 左 侧");
  EXPECT_EQ(work_.Settings.Check1.value(), fb::ui::CheckBox::kChecked);
  EXPECT_EQ(work_.Settings.Check2.value(), fb::ui::CheckBox::kChecked);
  EXPECT_EQ(work_.Settings.Check3.value(), fb::ui::CheckBox::kUnchecked);

  const fb::ui::Button* row[] = {&work_.ButtonCm1, &work_.ButtonCm2, &work_.ButtonCm3,
                                 &work_.ButtonCm4, &work_.ButtonCm5, &work_.ButtonCm6};
  const int lefts[] = {150, 1244, 2343, 3442, 4541, 5640};
  const char* captions[] = {"添加节点", "编辑节点", "删除节点", "展开节点", "折叠节点", "重新来过"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(row[i]->bounds().left, lefts[i]);
    EXPECT_EQ(row[i]->bounds().top, 5760);
    EXPECT_EQ(row[i]->caption(), captions[i]);
  }
  EXPECT_EQ(work_.TreeView1.bounds(), (fb::ui::Bounds{150, 500, 6495, 5160}));
  EXPECT_EQ(work_.AddFishbone.caption(), "生成报表");
  EXPECT_EQ(work_.AddFishbone.bounds(), (fb::ui::Bounds{8040, 6550, 1100, 390}));
  EXPECT_EQ(work_.ButtonCm8.caption(), "关 闭");
}

// Every picture of the window is drawn at its control's size (pixels at 96 dpi), so nothing is
// scaled or cut; the picture buttons' faces fit inside them.
TEST_F(WorkTest, PicturesFitTheirControls) {
  // Decoded only when a drawing layer asks: a headless host never draws the window.
  EXPECT_FALSE(work_.Image5.picture().has_value());
  work_.load_pictures();
  const fb::ui::Image* images[] = {&work_.Image1, &work_.Image2, &work_.Image3,
                                   &work_.Image4, &work_.Image5, &work_.Image7};
  for (const fb::ui::Image* image : images) {
    SCOPED_TRACE(image->name());
    ASSERT_TRUE(image->picture().has_value());
    EXPECT_EQ(image->picture()->width, image->bounds().width / 15);
    EXPECT_EQ(image->picture()->height, image->bounds().height / 15);
  }
  for (const ButtonCm* button : {&work_.About, &work_.Help, &work_.ButtonCm7}) {
    SCOPED_TRACE(button->name());
    ASSERT_TRUE(button->picture().has_value());
    EXPECT_LE(button->picture()->width, button->bounds().width / 15 - 4);
    EXPECT_LE(button->picture()->height, button->bounds().height / 15 - 4);
  }
  EXPECT_TRUE(work_.About.caption().empty());
  EXPECT_TRUE(work_.Help.caption().empty());
  EXPECT_TRUE(work_.About.hover_picture().has_value());
  ASSERT_TRUE(work_.icon().has_value());
  EXPECT_EQ(work_.icon()->width, 32);
}

// Each member of the panel maps to its own choice and nothing else; the defaults are the fixed
// settings, and selecting choices back shows the same members.
TEST_F(WorkTest, PanelMembersMapToTheGenerationOptions) {
  EXPECT_EQ(work_.Settings.Choices(), GenerationOptions{});
  struct Case {
    fb::ui::OptionGroup WorkSettings::*group;
    int index;
    GenerationOptions expected;
  };
  const auto with = [](auto change) {
    GenerationOptions options;
    change(options);
    return options;
  };
  const Case cases[] = {
      {&WorkSettings::Option1, 1, with([](auto& o) { o.font = DiagramFont::kSong; })},
      {&WorkSettings::Option1, 2, with([](auto& o) { o.font = DiagramFont::kHei; })},
      {&WorkSettings::Option2, 0, with([](auto& o) { o.size = DiagramSize::kNo8; })},
      {&WorkSettings::Option2, 2, with([](auto& o) { o.size = DiagramSize::kNo4; })},
      {&WorkSettings::Option3, 0, with([](auto& o) { o.line_length = 5; })},
      {&WorkSettings::Option3, 2, with([](auto& o) { o.line_length = 10; })},
      {&WorkSettings::Option4, 0, with([](auto& o) { o.head = HeadSide::kRight; })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((work_.Settings.*c.group).caption(c.index));
    work_.Settings.ResetDefaults();
    (work_.Settings.*c.group).select(c.index);
    EXPECT_EQ(work_.Settings.Choices(), c.expected);
    work_.Settings.ResetDefaults();
    work_.Settings.Select(c.expected);
    EXPECT_EQ((work_.Settings.*c.group).selected(), c.index);
  }
  work_.Settings.ResetDefaults();
  work_.Settings.Check1.set_value(fb::ui::CheckBox::kUnchecked);
  EXPECT_EQ(work_.Settings.Choices(), with([](auto& o) { o.pareto_chart = false; }));
  work_.Settings.Check2.set_value(fb::ui::CheckBox::kUnchecked);
  EXPECT_EQ(work_.Settings.Choices(), with([](auto& o) {
              o.pareto_chart = false;
              o.top_three_chart = false;
            }));
  work_.Settings.Select(GenerationOptions{});
  EXPECT_EQ(work_.Settings.Check1.value(), fb::ui::CheckBox::kChecked);
  EXPECT_THROW(work_.Settings.Select(with([](auto& o) { o.line_length = 7; })),
               std::invalid_argument);
}

// What a drawing layer gets: every control once, each container before what it holds, and every
// control inside its container.
TEST_F(WorkTest, ControlsAreListedInTheirContainers) {
  const auto& placements = work_.controls();
  std::set<const fb::ui::Control*> seen;
  for (const auto& [control, container] : placements) {
    SCOPED_TRACE(control->name());
    EXPECT_TRUE(seen.insert(control).second) << "listed twice";
    const fb::ui::Bounds outer =
        container == nullptr
            ? fb::ui::Bounds{0, 0, work_.bounds().width, work_.bounds().height}
            : fb::ui::Bounds{0, 0, container->bounds().width, container->bounds().height};
    if (container != nullptr) {
      EXPECT_TRUE(seen.contains(container)) << "container after it";
    }
    const fb::ui::Bounds& b = control->bounds();
    EXPECT_GE(b.left, 0);
    EXPECT_GE(b.top, 0);
    EXPECT_LE(b.left + b.width, outer.width);
    EXPECT_LE(b.top + b.height, outer.height);
  }
  EXPECT_EQ(placements.size(), 37u);
  EXPECT_EQ(work_.placement(work_.TreeView1)->container, &work_.Picture1);
  EXPECT_EQ(work_.placement(work_.Settings.Check3)->container, &work_.Settings.Frame6);
  EXPECT_EQ(work_.placement(work_.Settings.Option3)->container, &work_.Settings.Frame4);
  EXPECT_EQ(work_.placement(work_.ButtonCm8)->container, nullptr);
}

TEST_F(WorkTest, ReloadStartsAgainFromTheDefaults) {
  Select("A1");
  work_.ButtonCm1_Click();
  work_.ButtonCm7_Click();
  work_.Settings.Option1.select(2);
  work_.unload();
  work_.show();
  EXPECT_EQ(work_.TreeView1.count(), 14);
  EXPECT_EQ(work_.Label3.caption(), "13");
  EXPECT_FALSE(work_.Settings.Frame1.visible());
  EXPECT_EQ(work_.Settings.Option1.selected(), 0);
  EXPECT_EQ(work_.ButtonCm7.caption(), "鱼骨图设置");
}

// Every refusal: its message, and a tree left as it was.
TEST_F(WorkTest, RefusalsShowTheirMessageAndChangeNothing) {
  struct Case {
    const char* name;
    std::function<void(WorkTest&)> setup;
    std::function<void(Work&)> action;
    std::string_view text;
    int icon;
  };
  const Case cases[] = {
      {"add, nothing selected", [](WorkTest&) {}, [](Work& w) { w.ButtonCm1_Click(); },
       kSelectNodeMessage, vb::vbInformation},
      {"edit, nothing selected", [](WorkTest&) {}, [](Work& w) { w.ButtonCm2_Click(); },
       kSelectNodeMessage, vb::vbInformation},
      {"delete, nothing selected", [](WorkTest&) {}, [](Work& w) { w.ButtonCm3_Click(); },
       kSelectNodeMessage, vb::vbExclamation},
      {"delete the main problem", [](WorkTest& t) { t.Select("A"); },
       [](Work& w) { w.ButtonCm3_Click(); }, kMainProblemStaysMessage, vb::vbExclamation},
      {"delete A1", [](WorkTest& t) { t.Select("A1"); }, [](Work& w) { w.ButtonCm3_Click(); },
       kFirstMainCauseStaysMessage, vb::vbExclamation},
      {"delete the only child of A1",
       [](WorkTest& t) {
         for (const char* key : {"A12", "A13", "A14", "A15", "A16"}) {
           t.work_.TreeView1.remove(t.Node(key));
         }
         t.Select("A11");
       },
       [](Work& w) { w.ButtonCm3_Click(); }, kLastChildStaysMessage, vb::vbExclamation},
      {"add under nine children",
       [](WorkTest& t) {
         t.FillChildren("A1", 9);
         t.Select("A1");
       },
       [](Work& w) { w.ButtonCm1_Click(); }, kAddLimitMessage, vb::vbExclamation},
      {"add under a level-5 cause", [](WorkTest& t) { t.Select(t.BuildLevelFive()); },
       [](Work& w) { w.ButtonCm1_Click(); }, kAddLimitMessage, vb::vbExclamation},
      {"add with 50 causes",
       [](WorkTest& t) {
         // A6 itself is far from the child and level limits: only the cause count refuses.
         for (const char* key : {"A2", "A3", "A4"}) t.FillChildren(key, 9);
         for (int i = 0; i < 2; ++i) InsertChild(t.work_.TreeView1, t.Node("A"), "x");  // A5, A6
         t.FillChildren("A5", 9);
         t.FillChildren("A6", 2);
         ASSERT_EQ(CauseCount(t.work_.TreeView1), 50);
         t.Select("A6");
       },
       [](Work& w) { w.ButtonCm1_Click(); }, kAddLimitMessage, vb::vbExclamation},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    work_.ButtonCm6_Click();
    work_.TreeView1.select(nullptr);
    work_.ButtonCm1.set_enabled(true);
    host_.boxes.clear_transcript();
    c.setup(*this);
    const int before = work_.TreeView1.count();
    c.action(work_);
    ASSERT_EQ(host_.boxes.transcript().size(), 1u);
    EXPECT_EQ(LastBox().text, c.text);
    EXPECT_EQ(LastBox().title, "警告！");
    EXPECT_EQ(LastBox().icon, c.icon);
    EXPECT_EQ(LastBox().buttons, vb::vbOKOnly);
    EXPECT_EQ(work_.TreeView1.count(), before);
    EXPECT_EQ(work_.TreeView1.label_edit_node(), nullptr);
    // Only a limit refusal switches the add button off.
    EXPECT_EQ(work_.ButtonCm1.enabled(), c.text != kAddLimitMessage);
  }
}

TEST_F(WorkTest, LimitMessageHasThreeLinesJoinedByCarriageReturns) {
  EXPECT_EQ(
      kAddLimitMessage,
      "对不起，你准备添加的节点数已经超过层数或总节点数限制！\r \r请参考右侧有关层数和节点总数的限"
      "制部分。");
  EXPECT_EQ(std::string(kDeleteQuestion).find('\n'), std::string::npos);
  EXPECT_EQ(std::count(kDeleteQuestion.begin(), kDeleteQuestion.end(), '\r'), 4);
}

TEST_F(WorkTest, ThreeAddsUnderA1ThenTheLimitThenAClickElsewhereReopensAdding) {
  Select("A1");
  for (int i = 0; i < 3; ++i) work_.ButtonCm1_Click();
  EXPECT_EQ(ChildKeys("A1"), (std::vector<std::string>{"A11", "A12", "A13", "A14", "A15", "A16",
                                                       "A17", "A18", "A19"}));
  EXPECT_EQ(Node("A17").text(), "为什么?");
  EXPECT_EQ(Node("A17").image(), kCausePicture);
  EXPECT_EQ(work_.TreeView1.selected(), &Node("A1"));
  EXPECT_EQ(work_.last_inserted(), &Node("A19"));
  EXPECT_EQ(work_.Label3.caption(), "16");
  EXPECT_TRUE(host_.boxes.transcript().empty());

  work_.ButtonCm1_Click();
  EXPECT_EQ(LastBox().text, kAddLimitMessage);
  EXPECT_FALSE(work_.ButtonCm1.enabled());
  EXPECT_EQ(work_.Label3.caption(), "16");

  ClickNode("A1");  // still full: the states stay as they are
  EXPECT_FALSE(work_.ButtonCm1.enabled());
  ClickNode("A2");
  EXPECT_TRUE(work_.ButtonCm1.enabled());
  EXPECT_TRUE(work_.Text1.enabled());
  EXPECT_EQ(work_.TreeView1.ole_drop_mode(), OleDropMode::kManual);
}

TEST_F(WorkTest, DeletedDigitIsReusedAndTheNewNodeShownLast) {
  Select("A12");
  host_.boxes.queue_answer(vb::vbYes);
  work_.ButtonCm3_Click();
  Select("A1");
  work_.ButtonCm1_Click();
  EXPECT_EQ(ChildKeys("A1"), (std::vector<std::string>{"A11", "A13", "A14", "A15", "A16", "A12"}));
}

TEST_F(WorkTest, DeleteAsksAndFollowsTheAnswer) {
  struct Case {
    int answer;
    int count_after;
    bool delete_enabled_after;
  };
  for (const Case c : {Case{vb::vbYes, 12, false}, Case{vb::vbNo, 13, true}}) {
    SCOPED_TRACE(c.answer);
    work_.ButtonCm6_Click();
    ClickNode("A21");
    host_.boxes.clear_transcript();
    host_.boxes.queue_answer(c.answer);
    work_.ButtonCm3_Click();
    ASSERT_EQ(host_.boxes.transcript().size(), 1u);
    EXPECT_EQ(LastBox().text, kDeleteQuestion);
    EXPECT_EQ(LastBox().title, "警告！删除请慎重操作");
    EXPECT_EQ(LastBox().icon, vb::vbQuestion);
    EXPECT_EQ(LastBox().buttons, vb::vbYesNo);
    EXPECT_EQ(work_.TreeView1.count(), c.count_after + 1);
    EXPECT_EQ(work_.Label3.caption(), std::to_string(c.count_after));
    EXPECT_EQ(work_.ButtonCm3.enabled(), c.delete_enabled_after);
  }
  EXPECT_EQ(Node("A2").child_count(), 1);  // the No answer kept A21
}

TEST_F(WorkTest, DeletionLeavesMainCauseChildlessAndNodeCheckFalse) {
  ClickNode("A21");
  host_.boxes.queue_answer(vb::vbYes);
  work_.ButtonCm3_Click();
  EXPECT_EQ(Node("A2").child_count(), 0);
  EXPECT_EQ(work_.Label3.caption(), "12");
  EXPECT_FALSE(work_.NodeCheck());
  EXPECT_EQ(work_.TreeView1.selected(), &Node("A"));
}

TEST_F(WorkTest, RightButtonAfterADeletionStillAsks) {
  ClickNode("A31");
  host_.boxes.queue_answer(vb::vbYes);
  work_.ButtonCm3_Click();
  EXPECT_FALSE(work_.ButtonCm3.enabled());
  EXPECT_FALSE(work_.ButtonCm3.click());  // a disabled button takes no click

  Select("A3");
  host_.boxes.queue_answer(vb::vbYes);
  work_.TreeView1_MouseUp(kRightButton, 0, 0, 0);
  EXPECT_EQ(LastBox().text, kDeleteQuestion);
  EXPECT_EQ(work_.TreeView1.find("A3"), nullptr);
  EXPECT_EQ(work_.Label3.caption(), "11");
}

TEST_F(WorkTest, DeletingAMainCauseTakesItsSubtree) {
  FillChildren("A21", 3);
  ClickNode("A2");
  host_.boxes.queue_answer(vb::vbYes);
  work_.ButtonCm3_Click();
  EXPECT_EQ(work_.TreeView1.find("A2"), nullptr);
  EXPECT_EQ(work_.TreeView1.find("A211"), nullptr);
  EXPECT_EQ(work_.Label3.caption(), std::to_string(13 + 3 - 5));
}

TEST_F(WorkTest, CollapseExpandAndResetWithoutAQuestion) {
  work_.ButtonCm5_Click();
  EXPECT_EQ(work_.TreeView1.visible_nodes().size(), 1u);
  work_.ButtonCm4_Click();
  EXPECT_EQ(work_.TreeView1.visible_nodes().size(), 14u);

  Select("A1");
  work_.ButtonCm1_Click();
  Node("A2").set_text("设备");
  work_.ButtonCm6_Click();
  EXPECT_EQ(work_.TreeView1.count(), 14);
  EXPECT_EQ(Node("A2").text(), "为什么?");
  EXPECT_EQ(work_.Label3.caption(), "13");
  EXPECT_TRUE(host_.boxes.transcript().empty());
}

TEST_F(WorkTest, EditStartsInPlaceEditingAndKeepsAnyText) {
  Select("A");
  work_.ButtonCm2_Click();
  ASSERT_EQ(work_.TreeView1.label_edit_node(), &Node("A"));
  work_.TreeView1.end_label_edit(std::string("a & <b> \\ \"c\""));
  EXPECT_EQ(Node("A").text(), "a & <b> \\ \"c\"");
}

TEST_F(WorkTest, DraggedTextBecomesACauseUnderTheNodeBelowThePointer) {
  work_.Text1.set_text("设备老化");
  work_.Text1.set_selection(0, 4);
  auto [x, y] = PointOf("A3");
  ASSERT_TRUE(work_.DragOverTree(x, y));
  EXPECT_EQ(work_.TreeView1.drop_highlight(), &Node("A3"));
  EXPECT_TRUE(Node("A3").expanded());
  EXPECT_FALSE(work_.Text1.enabled());
  ASSERT_TRUE(work_.DropOnTree(x, y));
  EXPECT_TRUE(work_.Text1.enabled());
  EXPECT_EQ(ChildKeys("A3"), (std::vector<std::string>{"A31", "A32"}));
  EXPECT_EQ(Node("A32").text(), "设备老化");
  EXPECT_EQ(work_.Label3.caption(), "14");
  // The highlight stays on the parent until the text changes.
  EXPECT_EQ(work_.TreeView1.drop_highlight(), &Node("A3"));
  work_.Text1.set_text("other");
  EXPECT_EQ(work_.TreeView1.drop_highlight(), nullptr);
}

TEST_F(WorkTest, DragOverAFullNodeTurnsDroppingOffSoTheDropDoesNothing) {
  const std::string deepest = BuildLevelFive();
  work_.Text1.set_text("x");
  work_.Text1.set_selection(0, 1);
  auto [x, y] = PointOf(deepest);
  ASSERT_TRUE(work_.DragOverTree(x, y));
  EXPECT_EQ(work_.TreeView1.ole_drop_mode(), OleDropMode::kNone);
  const int before = work_.TreeView1.count();
  EXPECT_FALSE(work_.DropOnTree(x, y));
  EXPECT_EQ(work_.TreeView1.count(), before);
  // A left click on a node that can take a child opens dropping again.
  ClickNode("A2");
  EXPECT_EQ(work_.TreeView1.ole_drop_mode(), OleDropMode::kManual);
}

TEST_F(WorkTest, DropOnEmptyAreaOrWithoutTextInsertsAsTheRulesSay) {
  work_.Text1.set_text("x");
  work_.Text1.set_selection(0, 1);
  const int below_rows = work_.TreeView1.bounds().height - 10;
  ASSERT_TRUE(work_.DragOverTree(100, below_rows));
  EXPECT_EQ(work_.TreeView1.drop_highlight(), nullptr);
  ASSERT_TRUE(work_.DropOnTree(100, below_rows));
  EXPECT_EQ(work_.TreeView1.count(), 14);

  // Data without plain text gives a cause with empty text.
  auto [x, y] = PointOf("A4");
  int effect = 1;
  work_.TreeView1_OLEDragOver(DragData{}, effect, kLeftButton, 0, x, y, 2);
  work_.TreeView1_OLEDragDrop(DragData{}, effect, kLeftButton, 0, x, y);
  ASSERT_NE(work_.TreeView1.find("A42"), nullptr);
  EXPECT_EQ(Node("A42").text(), "");
}

TEST_F(WorkTest, SettingsToggleSwapsPanelAndCaption) {
  work_.ButtonCm7_Click();
  EXPECT_TRUE(work_.Settings.Frame1.visible());
  EXPECT_FALSE(work_.Image5.visible());
  EXPECT_EQ(work_.ButtonCm7.caption(), "  特别说明  ");
  work_.ButtonCm7_Click();
  EXPECT_FALSE(work_.Settings.Frame1.visible());
  EXPECT_TRUE(work_.Image5.visible());
  EXPECT_EQ(work_.ButtonCm7.caption(), "鱼骨图设置");
}

TEST_F(WorkTest, CloseAsksAndFollowsTheAnswer) {
  int state_while_asking = -1;
  host_.boxes.set_on_dialog(
      [&](const DialogRecord&) { state_while_asking = static_cast<int>(work_.window_state()); });
  host_.boxes.queue_answer(vb::vbNo);
  work_.ButtonCm8_Click();
  EXPECT_EQ(LastBox().text, "您确认要关闭窗体吗?");
  EXPECT_EQ(LastBox().title, "警告！请慎重操作");
  EXPECT_EQ(LastBox().icon, vb::vbQuestion);
  EXPECT_EQ(state_while_asking, static_cast<int>(WindowState::kMinimized));
  EXPECT_EQ(work_.window_state(), WindowState::kNormal);
  EXPECT_TRUE(work_.loaded());
  EXPECT_FALSE(host_.open_button_enabled);

  host_.boxes.queue_answer(vb::vbYes);
  work_.ButtonCm8_Click();
  EXPECT_FALSE(work_.loaded());
  EXPECT_TRUE(host_.open_button_enabled);
}

TEST_F(WorkTest, HelpRestoresTheWindowOnlyWhenTheFileIsMissing) {
  work_.Help_Click();
  EXPECT_EQ(host_.help_topics, std::vector<std::string>{"_12.htm"});
  EXPECT_EQ(work_.window_state(), WindowState::kMinimized);
  host_.help_file_missing = true;
  work_.Help_Click();
  EXPECT_EQ(work_.window_state(), WindowState::kNormal);
}

TEST_F(WorkTest, AboutMinimisesAndOpensTheAboutWindow) {
  work_.About_Click();
  EXPECT_EQ(work_.window_state(), WindowState::kMinimized);
  EXPECT_EQ(host_.about_shown, 1);
  EXPECT_TRUE(work_.AddFishbone.click());
  EXPECT_EQ(host_.generated, 1);
}

// The analysis function library check, by host version and open workbooks.
TEST(WorkCheckToolPakTest, WithoutTheLibraryTheEditorExplainsAndCloses) {
  struct Case {
    const char* version;
    std::set<std::string> workbooks;
    bool help_missing;
    bool stays_open;
  };
  const Case cases[] = {
      {"11.0", {"FUNCRES.XLA"}, false, true},
      {"12.0", {"FUNCRES.XLAM"}, false, true},
      {"11.0", {"FUNCRES.XLAM"}, false, false},
      {"12.0", {}, true, false},
      {"14.0", {"FUNCRES.XLA", "FUNCRES.XLAM"}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.version) + (c.help_missing ? " help missing" : ""));
    fb::ui::FormRegistry forms;
    FakeHost host;
    host.version = c.version;
    host.workbooks = c.workbooks;
    host.help_file_missing = c.help_missing;
    Work work(forms, host);
    work.show();
    EXPECT_EQ(work.loaded(), c.stays_open);
    EXPECT_EQ(host.open_button_enabled, !c.stays_open);
    if (c.stays_open) {
      EXPECT_TRUE(host.boxes.transcript().empty());
      continue;
    }
    ASSERT_EQ(host.boxes.transcript().size(), 1u);
    EXPECT_EQ(host.boxes.transcript()[0].text, "请确认您已经完成 初始化 操作，详情请参阅帮助。");
    EXPECT_EQ(host.boxes.transcript()[0].title, "Kivo Workbench 2");
    EXPECT_EQ(host.boxes.transcript()[0].icon, vb::vbInformation);
    EXPECT_EQ(host.help_topics, std::vector<std::string>{"_9.htm"});
    EXPECT_EQ(work.window_state(), c.help_missing ? WindowState::kNormal : WindowState::kMinimized);
  }
}

// Importing a tree file: children listed before their parent still land under it, in file order.
TEST_F(WorkTest, ImportedTreeReplacesTheDefaultTreeInFileOrder) {
  TreeDocument tree;
  tree.entries = {{"A21", "主轴", "A2"}, {"A", "问题", ""},     {"A2", "机", "A"},
                  {"A1", "人", "A"},     {"A12", "经验", "A1"}, {"A11", "培训", "A1"}};
  work_.ImportTree(tree);
  EXPECT_EQ(work_.TreeView1.count(), 6);
  EXPECT_EQ(work_.Label3.caption(), "5");
  EXPECT_EQ(Node("A21").parent(), &Node("A2"));
  EXPECT_EQ(Node("A21").text(), "主轴");
  EXPECT_EQ(Node("A").image(), kMainProblemPicture);
  EXPECT_EQ(Node("A21").image(), kCausePicture);
  EXPECT_EQ(ChildKeys("A"), (std::vector<std::string>{"A2", "A1"}));
  EXPECT_EQ(ChildKeys("A1"), (std::vector<std::string>{"A12", "A11"}));
  EXPECT_EQ(work_.TreeView1.selected(), nullptr);

  // A tree that cannot be inserted leaves the current one.
  for (const auto& entries :
       {std::vector<TreeEntry>{{"A", "p", ""}, {"A1", "x", "A"}, {"A1", "y", "A"}},
        std::vector<TreeEntry>{{"A", "p", ""}, {"A11", "x", "A1"}}}) {
    TreeDocument bad;
    bad.entries = entries;
    EXPECT_THROW(work_.ImportTree(bad), std::invalid_argument);
    EXPECT_EQ(work_.TreeView1.count(), 6);
  }
}

}  // namespace
}  // namespace kivo2d
