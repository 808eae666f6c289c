#pragma once

#include <optional>
#include <string>

#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "platform/ui/image_list.h"
#include "platform/ui/tree_view.h"
#include "src/controls/button_cm.h"
#include "src/editor/tree_file.h"
#include "src/editor/work_host.h"
#include "src/editor/work_settings.h"

namespace kivo2d {

// Mouse buttons as the tree's mouse events report them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// What a drag carries: plain text when it holds any.
struct DragData {
  std::optional<std::string> text;
};

// The editor window: the cause tree in TreeView1, its editing buttons, Text1 to drag causes from,
// the settings panel and the bottom row. Positions in twips; controls inside Picture1 are relative
// to it.
class Work final : public fb::ui::Form {
 public:
  static constexpr const char* kCaption = " 数据录入及整理 ";
  static constexpr const char* kSettingsCaption = "鱼骨图设置";
  static constexpr const char* kNotesCaption = "  特别说明  ";

  Work(fb::ui::FormRegistry& registry, WorkHost& host);

  fb::ui::Frame Picture1{"Picture1"};
  fb::ui::Image Image1{"Image1"};
  fb::ui::Label Label1{"Label1", "建立问题树 Why Tree / Cause or Effect"};
  fb::ui::TreeView TreeView1{"TreeView1"};
  ButtonCm ButtonCm1{"ButtonCm1", "添加节点"};
  ButtonCm ButtonCm2{"ButtonCm2", "编辑节点"};
  ButtonCm ButtonCm3{"ButtonCm3", "删除节点"};
  ButtonCm ButtonCm4{"ButtonCm4", "展开节点"};
  ButtonCm ButtonCm5{"ButtonCm5", "折叠节点"};
  ButtonCm ButtonCm6{"ButtonCm6", "重新来过"};
  fb::ui::Image Image2{"Image2"};
  fb::ui::Label Label2{"Label2", "添加问题的原因[节点]:"};
  fb::ui::TextBox Text1{"Text1"};
  fb::ui::Image Image3{"Image3"};
  ButtonCm ButtonCm7{"ButtonCm7", kSettingsCaption};
  fb::ui::Image Image5{"Image5"};  // notes on the tree limits
  WorkSettings Settings;           // Frame1 and its groups
  fb::ui::Image Image4{"Image4"};
  fb::ui::Image Image7{"Image7"};
  fb::ui::Label Label3{"Label3"};  // the cause count
  fb::ui::Line Line1{"Line1"};     // a horizontal rule: its height is 0
  ButtonCm About{"About"};
  ButtonCm Help{"Help"};
  ButtonCm AddFishbone{"AddFishbone", "生成报表"};
  ButtonCm ButtonCm8{"ButtonCm8", "关 闭"};
  fb::ui::ImageList ImageList1{22, 22};

  // Life cycle.
  void Form_Load();
  void Form_Activate();
  void CheckToolPak();

  // Tree commands.
  void ButtonCm1_Click();  // add
  void ButtonCm2_Click();  // edit
  void ButtonCm3_Click() { DeleteSelectedNode(); }
  void ButtonCm4_Click();  // expand all
  void ButtonCm5_Click();  // collapse all
  void ButtonCm6_Click();  // reset
  void DeleteSelectedNode();
  void TreeView1_MouseUp(int button, int shift, int x, int y);
  void TreeView1_KeyDown(int key_code, int shift);
  void TreeView1_OLEDragOver(const DragData& data, int& effect, int button, int shift, int x, int y,
                             int state);
  void TreeView1_OLEDragDrop(const DragData& data, int& effect, int button, int shift, int x,
                             int y);
  void Text1_Change();

  // Window commands.
  void ButtonCm7_Click();  // settings toggle
  void ButtonCm8_Click();  // close
  void About_Click();
  void Help_Click();
  void AddFishbone_Click() { host_.Generate(*this); }

  bool NodeCheck();

  // The user's drag of Text1's selected text over the tree and its drop at (x, y), in twips
  // relative to TreeView1: the tree raises its drag events only while its drop mode accepts
  // drops. Each returns whether the event was raised.
  bool DragOverTree(int x, int y);
  bool DropOnTree(int x, int y);

  // Replaces the tree with one read from a tree file, keys and captions as the file gives them,
  // in the file's order (a node whose parent comes later in the file follows its parent), then
  // refreshes the cause count. Nothing is selected afterwards. The tree must have passed the
  // file checks but for the childless main cause, which NodeCheck catches at generation; a
  // duplicate key or a missing parent throws std::invalid_argument before the tree is touched.
  void ImportTree(const TreeDocument& tree);

  // The node most recently inserted by the add command or a drop.
  fb::ui::TreeNode* last_inserted() const { return TreeView1.find(last_inserted_key_); }

 protected:
  void on_load_pictures() override { SetPictures(); }
  void on_load() override { Form_Load(); }
  void on_activate() override { Form_Activate(); }

 private:
  void RefreshCauseCount();
  // The window's icon and its pictures (made by tools/artwork), when a drawing layer asks.
  void SetPictures();
  void SetTooltips();
  // Lists the controls for a drawing layer, each in its container, bottom to top.
  void ListControls();
  // Steps 4 and 5 of the add command: the new child and making it visible.
  fb::ui::TreeNode* InsertCause(fb::ui::TreeNode& parent, const std::string& text);
  void OpenAddState();

  WorkHost& host_;
  std::string last_inserted_key_;  // a key, not a node: the node may be deleted since
};

}  // namespace kivo2d
