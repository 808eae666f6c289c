#pragma once

#include <QKeySequence>
#include <functional>

class QMenuBar;
class QToolBar;
class QMainWindow;

namespace fb::office {
class CommandBar;
class CommandBarControl;
class CommandBars;
}  // namespace fb::office

namespace fb::ui::qt {

// The host's own work behind its built-in controls. `handles` tells which controls the host can
// do something for: the menu bar shows only those (and pop-ups holding any); `run` does it after
// the control's Click event was raised. A custom control does only what its subscribers do.
struct BuiltInActions {
  std::function<bool(const office::CommandBarControl& control)> handles;
  std::function<void(office::CommandBarControl& control)> run;
  // After any click, the host's or a subscriber's: the models may have changed.
  std::function<void()> after_click;
  // The key that triggers a menu entry (Ctrl+S ...), or none.
  std::function<QKeySequence(const office::CommandBarControl& control)> shortcut;
};

// Fills `menu_bar` with the pop-ups of the model's menu bar: captions with their mnemonics,
// nested pop-ups as submenus, the enabled and visible states of each control. Triggering an entry
// clicks the control in the model (so subscribers run as in the headless host), then runs the
// host's action.
void build_menu_bar(QMenuBar& menu_bar, office::CommandBar& model, const BuiltInActions& built_in);

// Makes `tool_bar` show a custom command bar: one tool button per visible control, icon and
// caption as the control's style says; a click goes through the model's click event.
void build_tool_bar(QToolBar& tool_bar, office::CommandBar& model, const BuiltInActions& built_in);

}  // namespace fb::ui::qt
