#include "platform/office/office_host.h"

#include <initializer_list>

#include "platform/os/host_error.h"

namespace fb::office {

void KeyBindings::on_key(std::string_view key, std::optional<std::string_view> procedure) {
  if (procedure) {
    assigned_[std::string(key)] = std::string(*procedure);
  } else {
    assigned_.erase(std::string(key));
  }
}

std::optional<std::string> KeyBindings::assignment(std::string_view key) const {
  auto it = assigned_.find(std::string(key));
  if (it == assigned_.end()) return std::nullopt;
  return it->second;
}

OfficeHost::OfficeHost(std::string_view /*version*/) {
  add_built_in_bars();
}

Vbe& OfficeHost::vbe() {
  if (!trust_vba_) {
    throw HostError(host_error::kApplicationDefined,
                    "Programmatic access to Visual Basic Project is not trusted");
  }
  return vbe_;
}

void OfficeHost::send_keys(std::string_view keys, bool wait) {
  keys_.sent_.push_back({std::string(keys), wait});
  if (keys == "%q" && vbe_.main_window_visible()) vbe_.set_main_window_visible(false);
}

void OfficeHost::close() {
  bars_.drop_temporary();
}

namespace {

void add_popup(CommandBarControls& controls, std::string_view caption,
               std::initializer_list<std::string_view> items) {
  auto popup = controls.add(ControlType::kPopup);
  popup->set_caption(std::string(caption));
  for (std::string_view item : items) {
    auto entry = popup->controls().add(ControlType::kButton);
    entry->set_caption(std::string(item));
  }
}

void add_buttons(CommandBar& bar, std::initializer_list<std::string_view> captions) {
  for (std::string_view caption : captions) {
    bar.controls().add(ControlType::kButton)->set_caption(std::string(caption));
  }
}

}  // namespace

// The built-in bars in their collection order. Only the worksheet menu bar (position 1) with its
// "Tools" menu, the "Visual Basic" bar and the control toolbox at position 16 matter to the
// component; the others hold the positions.
void OfficeHost::add_built_in_bars() {
  CommandBar& menu = bars_.add_built_in("Worksheet Menu Bar", BarPosition::kMenuBar, true);
  menu.set_visible(true);
  add_popup(menu.controls(), "文件(&F)",
            {"新建(&N)", "打开分析(&O)...", "保存分析(&L)...", "保存(&S)", "另存为(&A)...",
             "导出 PDF(&E)...", "打印预览(&V)", "打印(&P)...", "关闭(&C)", "退出(&X)"});
  add_popup(menu.controls(), "编辑(&E)", {"撤消(&U)", "剪切(&T)", "复制(&C)", "粘贴(&P)"});
  add_popup(menu.controls(), "视图(&V)", {"普通(&N)", "工具栏(&T)"});
  add_popup(menu.controls(), "插入(&I)", {"单元格(&E)...", "行(&R)", "列(&C)"});
  add_popup(menu.controls(), "格式(&O)", {"单元格(&E)...", "行(&R)", "列(&C)"});
  {
    // The "Macro" entry opens a submenu, as in the host; locking it locks the whole submenu.
    auto tools = menu.controls().add(ControlType::kPopup);
    tools->set_caption(std::string(kToolsMenu));
    for (std::string_view item : {"拼写检查(&S)...", "共享工作簿(&B)...", "保护(&P)"}) {
      tools->controls().add(ControlType::kButton)->set_caption(std::string(item));
    }
    auto macro = tools->controls().add(ControlType::kPopup);
    macro->set_caption(std::string(kMacroMenu));
    macro->controls().add(ControlType::kButton)->set_caption("安全性(&S)...");
    for (std::string_view item : {"加载宏(&I)...", "自定义(&C)...", "选项(&O)..."}) {
      tools->controls().add(ControlType::kButton)->set_caption(std::string(item));
    }
  }
  add_popup(menu.controls(), "数据(&D)", {"排序(&S)...", "筛选(&F)"});
  add_popup(menu.controls(), "窗口(&W)", {"新建窗口(&N)", "重排窗口(&A)..."});
  add_popup(menu.controls(), "帮助(&H)", {"关于(&A)..."});

  bars_.add_built_in("Chart Menu Bar", BarPosition::kMenuBar, true);
  CommandBar& standard = bars_.add_built_in("Standard", BarPosition::kTop, false);
  standard.set_visible(true);
  add_buttons(standard, {"新建", "打开", "保存", "打印", "打印预览"});
  CommandBar& formatting = bars_.add_built_in("Formatting", BarPosition::kTop, false);
  formatting.set_visible(true);
  add_buttons(formatting, {"字体", "字号", "加粗", "倾斜", "下划线"});
  for (std::string_view name :
       {"PivotTable", "Chart", "Reviewing", "Forms", "Stop Recording", "External Data",
        "Formula Auditing", "Full Screen", "Circular Reference"}) {
    bars_.add_built_in(name, BarPosition::kFloating, false);
  }
  CommandBar& vb = bars_.add_built_in(kVisualBasicBar, BarPosition::kFloating, false);
  add_buttons(vb, {"宏(&M)...", "录制新宏(&R)...", "安全性(&S)...", "Visual Basic 编辑器(&V)",
                   "控件工具箱", "设计模式"});
  bars_.add_built_in("Web", BarPosition::kFloating, false);
  CommandBar& toolbox = bars_.add_built_in("Control Toolbox", BarPosition::kFloating, false);
  add_buttons(toolbox,
              {"设计模式", "属性", "查看代码", "复选框", "文本框", "命令按钮", "选项按钮", "列表框",
               "组合框", "切换按钮", "数值调节钮", "滚动条", "标签", "图像", "其他控件"});
  for (std::string_view name :
       {"Exit Design Mode", "Drawing", "WordArt", "Picture", "Shadow Settings", "3-D Settings",
        "Borders", "Protection", "Text To Speech"}) {
    bars_.add_built_in(name, BarPosition::kFloating, false);
  }
}

}  // namespace fb::office
