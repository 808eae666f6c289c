#include "src/editor/work.h"

#include <initializer_list>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/os/host_error.h"
#include "platform/sheet/host_profile.h"
#include "src/editor/cause_tree.h"
#include "src/editor/work_messages.h"
#include "src/resources/pictures.h"

namespace kivo2d {

namespace vb = fb::ui::vb;
using fb::ui::OleDropMode;
using fb::ui::WindowState;

Work::Work(fb::ui::FormRegistry& registry, WorkHost& host)
    : Form(registry, "Work", kCaption), host_(host) {
  set_bounds({0, 0, 10560, 7080});
  set_back_color(fb::ui::rgb(236, 233, 216));
  Picture1.set_bounds({150, 150, 10245, 6285});
  Image1.set_bounds({160, 120, 465, 360});
  Label1.set_bounds({720, 240, 2925, 195});
  TreeView1.set_bounds({150, 500, 6495, 5160});
  int left[] = {150, 1244, 2343, 3442, 4541, 5640};
  ButtonCm* tree_buttons[] = {&ButtonCm1, &ButtonCm2, &ButtonCm3,
                              &ButtonCm4, &ButtonCm5, &ButtonCm6};
  for (int i = 0; i < 6; ++i) tree_buttons[i]->set_bounds({left[i], 5760, 1000, 375});
  Image2.set_bounds({6840, 195, 240, 240});
  Label2.set_bounds({7140, 240, 1800, 195});
  Text1.set_bounds({6795, 500, 3255, 375});
  Image3.set_bounds({6720, 900, 1380, 4545});
  ButtonCm7.set_bounds({7095, 990, 1485, 375});
  Image5.set_bounds({7080, 1590, 3015, 3465});
  Image4.set_bounds({6765, 5400, 270, 270});
  Image7.set_bounds({7680, 5350, 2415, 345});
  Label3.set_bounds({9300, 5400, 270, 285});
  Label3.set_font({"Arial", 12, true});
  Label3.set_fore_color(fb::ui::rgb(0, 0, 255));
  Line1.set_bounds({6720, 5760, 10040 - 6720, 0});
  About.set_bounds({150, 6550, 1100, 390});
  Help.set_bounds({1440, 6550, 1100, 390});
  AddFishbone.set_bounds({8040, 6550, 1100, 390});
  ButtonCm8.set_bounds({9300, 6555, 1095, 390});
  FillImageList(ImageList1);
  // The panels and the settings frames wear the window's colour (Frame1 must hide the notes).
  for (fb::ui::Control* panel : std::initializer_list<fb::ui::Control*>{
           &Picture1, &Settings.Frame1, &Settings.Frame2, &Settings.Frame3, &Settings.Frame4,
           &Settings.Frame5, &Settings.Frame6, &Settings.Option1, &Settings.Option2,
           &Settings.Option3, &Settings.Option4, &Settings.Check1, &Settings.Check2,
           &Settings.Check3}) {
    panel->set_back_color(back_color());
  }
  SetTooltips();
  ListControls();

  ButtonCm1.set_on_click([this] { ButtonCm1_Click(); });
  ButtonCm2.set_on_click([this] { ButtonCm2_Click(); });
  ButtonCm3.set_on_click([this] { ButtonCm3_Click(); });
  ButtonCm4.set_on_click([this] { ButtonCm4_Click(); });
  ButtonCm5.set_on_click([this] { ButtonCm5_Click(); });
  ButtonCm6.set_on_click([this] { ButtonCm6_Click(); });
  ButtonCm7.set_on_click([this] { ButtonCm7_Click(); });
  ButtonCm8.set_on_click([this] { ButtonCm8_Click(); });
  About.set_on_click([this] { About_Click(); });
  Help.set_on_click([this] { Help_Click(); });
  AddFishbone.set_on_click([this] { AddFishbone_Click(); });
  Text1.set_on_text_change([this] { Text1_Change(); });
  TreeView1.set_input({[this](int button, int x, int y) { TreeView1_MouseUp(button, 0, x, y); },
                       [this](const std::optional<std::string>& text, int x, int y) {
                         int effect = 1;
                         TreeView1_OLEDragOver(DragData{text}, effect, kLeftButton, 0, x, y, 2);
                       },
                       [this](const std::optional<std::string>& text, int x, int y) {
                         int effect = 1;
                         TreeView1_OLEDragDrop(DragData{text}, effect, kLeftButton, 0, x, y);
                       },
                       [this](int key_code, int shift) { TreeView1_KeyDown(key_code, shift); }});
}

void Work::SetPictures() {
  using namespace kivo2d::picture;
  set_icon(LoadPicture(kWorkIcon));
  Image1.set_picture(LoadPicture(kTreeIcon));
  Image2.set_picture(LoadPicture(kPencil));
  Image3.set_picture(LoadPicture(kSignpost));
  Image4.set_picture(LoadPicture(kCountArrow));
  Image5.set_picture(LoadPicture(kNotes));
  Image7.set_picture(LoadPicture(kCauseCount));
  ButtonCm7.set_picture(LoadPicture(kSettingsArrow));
  About.set_picture(LoadPicture(kAboutButton));
  About.set_hover_picture(LoadPicture(kAboutButtonHover));
  Help.set_picture(LoadPicture(kHelpButton));
  Help.set_hover_picture(LoadPicture(kHelpButtonHover));
}

void Work::SetTooltips() {
  ButtonCm1.set_tooltip("在选中的节点下添加一个原因");
  ButtonCm2.set_tooltip("修改选中节点的文字");
  ButtonCm3.set_tooltip("删除选中的节点及其下层原因");
  ButtonCm4.set_tooltip("展开全部节点");
  ButtonCm5.set_tooltip("折叠全部节点");
  ButtonCm6.set_tooltip("放弃当前的问题树，从默认的树重新开始");
  ButtonCm7.set_tooltip("显示或隐藏鱼骨图设置");
  About.set_tooltip("关于 Kivo Workbench 2");
  Help.set_tooltip("帮助：如何使用本窗口");
  AddFishbone.set_tooltip("根据问题树生成鱼骨图报表");
  ButtonCm8.set_tooltip("关闭窗口（问题树不会保留）");
  Text1.set_tooltip("在这里输入原因，选中文字后拖到树中的节点上");
}

void Work::ListControls() {
  add_control(Picture1);
  // The signpost stands behind the settings button and the notes; Frame1 covers the notes.
  for (fb::ui::Control* control : std::initializer_list<fb::ui::Control*>{
           &Image3, &Image1, &Label1, &TreeView1, &ButtonCm1, &ButtonCm2, &ButtonCm3, &ButtonCm4,
           &ButtonCm5, &ButtonCm6, &Image2, &Label2, &Text1, &Image5, &Settings.Frame1}) {
    add_control(*control, &Picture1);
  }
  const std::pair<fb::ui::Frame*, fb::ui::Control*> groups[] = {
      {&Settings.Frame2, &Settings.Option1},
      {&Settings.Frame3, &Settings.Option2},
      {&Settings.Frame4, &Settings.Option3},
      {&Settings.Frame5, &Settings.Option4},
      {&Settings.Frame6, &Settings.Check1}};
  for (const auto& [frame, choice] : groups) {
    add_control(*frame, &Settings.Frame1);
    add_control(*choice, frame);
  }
  add_control(Settings.Check2, &Settings.Frame6);
  add_control(Settings.Check3, &Settings.Frame6);
  for (fb::ui::Control* control :
       std::initializer_list<fb::ui::Control*>{&ButtonCm7, &Image4, &Image7, &Label3, &Line1}) {
    add_control(*control, &Picture1);
  }
  for (fb::ui::Control* control :
       std::initializer_list<fb::ui::Control*>{&About, &Help, &AddFishbone, &ButtonCm8}) {
    add_control(*control);
  }
}

// --- life cycle ---

void Work::Form_Load() {
  remove_close_command();
  // A new load starts as a fresh window would: default tree, default settings, panel hidden.
  set_window_state(WindowState::kNormal);
  TreeView1.clear();
  last_inserted_key_.clear();
  Text1.set_text("");
  Settings.ResetDefaults();
  Image5.set_visible(true);
  ButtonCm7.set_caption(kSettingsCaption);
  for (ButtonCm* button : {&ButtonCm1, &ButtonCm3}) button->set_enabled(true);
  Text1.set_enabled(true);
  // The tree takes drops from the start; the drag-over handler turns that off at a full node.
  TreeView1.set_ole_drop_mode(OleDropMode::kManual);
  BuildDefaultTree(TreeView1, ImageList1);
  host_.SetOpenEditorButtonEnabled(false);
}

void Work::Form_Activate() {
  try {
    host_.DeleteLeftovers();
  } catch (const fb::HostError&) {
    // A leftover that cannot be deleted now is tried again at the next activation or generation.
  }
  if (registry().is_form_shown("Hello")) registry().find("Hello")->unload();
  RefreshCauseCount();
  CheckToolPak();
}

void Work::CheckToolPak() {
  // Another version has no name for the library: the lookup fails and the editor refuses.
  std::string name;
  switch (fb::sheet::host_profile_of(host_.HostVersion())) {
    case fb::sheet::HostProfile::V11:
      name = "FUNCRES.XLA";
      break;
    case fb::sheet::HostProfile::V12:
      name = "FUNCRES.XLAM";
      break;
    case fb::sheet::HostProfile::Other:
      break;
  }
  try {
    host_.FindWorkbook(name);
    return;
  } catch (const fb::HostError&) {
    // Not open, or no name for this version: the editor cannot be used.
  }
  set_window_state(WindowState::kMinimized);
  host_.dialogs().message_box(kInitialiseMessage, vb::vbInformation | vb::vbOKOnly, kProductTitle);
  if (host_.ShowHelpTopicMissing("_9.htm", *this)) set_window_state(WindowState::kNormal);
  host_.SetOpenEditorButtonEnabled(true);
  unload();
}

// --- tree commands ---

void Work::RefreshCauseCount() {
  Label3.set_caption(std::to_string(CauseCount(TreeView1)));
}

fb::ui::TreeNode* Work::InsertCause(fb::ui::TreeNode& parent, const std::string& text) {
  fb::ui::TreeNode* node = InsertChild(TreeView1, parent, text, kCausePicture);
  if (node != nullptr) {
    last_inserted_key_ = node->key();
    TreeView1.ensure_visible(*node);
  }
  return node;
}

void Work::OpenAddState() {
  ButtonCm1.set_enabled(true);
  Text1.set_enabled(true);
  TreeView1.set_ole_drop_mode(OleDropMode::kManual);
}

void Work::ButtonCm1_Click() {
  fb::ui::TreeNode* selected = TreeView1.selected();
  if (selected == nullptr) {
    host_.dialogs().message_box(kSelectNodeMessage, vb::vbInformation | vb::vbOKOnly,
                                kWarningTitle);
    return;
  }
  if (AddLimitReached(TreeView1, *selected)) {
    host_.dialogs().message_box(kAddLimitMessage, vb::vbExclamation | vb::vbOKOnly, kWarningTitle);
    ButtonCm1.set_enabled(false);
    return;
  }
  InsertCause(*selected, std::string(kCauseText));
  OpenAddState();
  RefreshCauseCount();
}

void Work::ButtonCm2_Click() {
  if (TreeView1.selected() == nullptr) {
    host_.dialogs().message_box(kSelectNodeMessage, vb::vbInformation | vb::vbOKOnly,
                                kWarningTitle);
    return;
  }
  TreeView1.start_label_edit();
}

void Work::DeleteSelectedNode() {
  fb::ui::TreeNode* selected = TreeView1.selected();
  auto warn = [&](std::string_view text) {
    host_.dialogs().message_box(text, vb::vbExclamation | vb::vbOKOnly, kWarningTitle);
  };
  if (selected == nullptr) return warn(kSelectNodeMessage);
  if (selected->parent() == nullptr) return warn(kMainProblemStaysMessage);
  if (selected->key() == "A1") return warn(kFirstMainCauseStaysMessage);
  if (NodeLevel(*selected) == 2 && selected->parent()->child_count() == 1 &&
      selected->parent()->key() == "A1") {
    return warn(kLastChildStaysMessage);
  }
  if (host_.dialogs().message_box(kDeleteQuestion, vb::vbQuestion | vb::vbYesNo,
                                  kDeleteQuestionTitle) != vb::vbYes) {
    return;
  }
  TreeView1.remove(*selected);
  ButtonCm3.set_enabled(false);
  ButtonCm1.set_enabled(true);
  RefreshCauseCount();
}

void Work::ButtonCm4_Click() {
  for (fb::ui::TreeNode* node : TreeView1.nodes()) node->set_expanded(true);
  RefreshCauseCount();
}

void Work::ButtonCm5_Click() {
  for (fb::ui::TreeNode* node : TreeView1.nodes()) node->set_expanded(false);
  RefreshCauseCount();
}

void Work::ButtonCm6_Click() {
  TreeView1.clear();
  last_inserted_key_.clear();
  BuildDefaultTree(TreeView1, ImageList1);
  RefreshCauseCount();
}

// The Delete key deletes as the delete button does, and only while that button is enabled: after
// a deletion the next one needs a fresh click in the tree, by key as by button.
void Work::TreeView1_KeyDown(int key_code, int /*shift*/) {
  if (key_code == fb::ui::TreeView::kKeyDelete && ButtonCm3.enabled()) DeleteSelectedNode();
}

void Work::TreeView1_MouseUp(int button, int /*shift*/, int /*x*/, int /*y*/) {
  ButtonCm3.set_enabled(true);
  TreeView1.set_drop_highlight(nullptr);
  if (button == kRightButton) {
    DeleteSelectedNode();
    return;
  }
  if (button != kLeftButton) return;
  fb::ui::TreeNode* selected = TreeView1.selected();
  if (selected != nullptr && !AddLimitReached(TreeView1, *selected)) OpenAddState();
}

void Work::TreeView1_OLEDragOver(const DragData& /*data*/, int& /*effect*/, int /*button*/,
                                 int /*shift*/, int x, int y, int /*state*/) {
  TreeView1.set_drop_highlight(nullptr);
  Text1.set_enabled(false);
  fb::ui::TreeNode* node = TreeView1.hit_test(x, y);
  if (node == nullptr) return;
  TreeView1.set_drop_highlight(node);
  if (!node->expanded() && node->child_count() > 0) node->set_expanded(true);
  if (AddLimitReached(TreeView1, *node)) {
    TreeView1.set_ole_drop_mode(OleDropMode::kNone);
    return;
  }
  TreeView1.set_ole_drop_mode(OleDropMode::kManual);
  ButtonCm1.set_enabled(true);
}

void Work::TreeView1_OLEDragDrop(const DragData& data, int& /*effect*/, int /*button*/,
                                 int /*shift*/, int /*x*/, int /*y*/) {
  Text1.set_enabled(true);
  fb::ui::TreeNode* target = TreeView1.drop_highlight();
  if (target == nullptr) return;
  InsertCause(*target, data.text.value_or(std::string()));
  RefreshCauseCount();
}

void Work::Text1_Change() {
  TreeView1.set_drop_highlight(nullptr);
}

bool Work::DragOverTree(int x, int y) {
  return TreeView1.DragOver(Text1.selected_text(), x, y);
}

bool Work::DropOnTree(int x, int y) {
  return TreeView1.Drop(Text1.selected_text(), x, y);
}

void Work::ImportTree(const TreeDocument& tree) {
  // Settle the insertion order first, so that a tree that cannot be inserted leaves the old one.
  std::vector<const TreeEntry*> order;
  std::set<std::string> placed;
  std::vector<const TreeEntry*> pending;
  for (const TreeEntry& entry : tree.entries) pending.push_back(&entry);
  while (!pending.empty()) {
    std::vector<const TreeEntry*> later;
    for (const TreeEntry* entry : pending) {
      if (entry->parent_key.empty() || placed.contains(entry->parent_key)) {
        if (!placed.insert(entry->key).second) {
          throw std::invalid_argument("the tree has the key \"" + entry->key + "\" twice");
        }
        order.push_back(entry);
      } else {
        later.push_back(entry);
      }
    }
    if (later.size() == pending.size()) {
      throw std::invalid_argument("the parent \"" + later.front()->parent_key + "\" of \"" +
                                  later.front()->key + "\" is not in the tree");
    }
    pending = std::move(later);
  }

  TreeView1.clear();
  last_inserted_key_.clear();
  TreeView1.set_image_list(&ImageList1);
  for (const TreeEntry* entry : order) {
    fb::ui::TreeNode* parent =
        entry->parent_key.empty() ? nullptr : TreeView1.find(entry->parent_key);
    TreeView1.add(parent, entry->key, entry->caption,
                  parent == nullptr ? kMainProblemPicture : kCausePicture);
  }
  TreeView1.select(nullptr);
  RefreshCauseCount();
}

bool Work::NodeCheck() {
  return kivo2d::NodeCheck(TreeView1);
}

// --- window commands ---

void Work::ButtonCm7_Click() {
  // The notes show while the panel is hidden: the panel, a little narrower, covers them but
  // for their right edge.
  if (Settings.Frame1.visible()) {
    Settings.Frame1.set_visible(false);
    Image5.set_visible(true);
    ButtonCm7.set_caption(kSettingsCaption);
  } else {
    Settings.Frame1.set_visible(true);
    Image5.set_visible(false);
    ButtonCm7.set_caption(kNotesCaption);
  }
}

void Work::ButtonCm8_Click() {
  set_window_state(WindowState::kMinimized);
  if (host_.dialogs().message_box(kCloseQuestion, vb::vbQuestion | vb::vbYesNo,
                                  kCloseQuestionTitle) == vb::vbYes) {
    host_.SetOpenEditorButtonEnabled(true);
    unload();
  } else {
    set_window_state(WindowState::kNormal);
  }
}

void Work::About_Click() {
  set_window_state(WindowState::kMinimized);
  host_.ShowAboutFromEditor();
}

void Work::Help_Click() {
  set_window_state(WindowState::kMinimized);
  if (host_.ShowHelpTopicMissing("_12.htm", *this)) set_window_state(WindowState::kNormal);
}

}  // namespace kivo2d
