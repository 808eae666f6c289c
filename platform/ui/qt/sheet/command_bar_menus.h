#pragma once

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

// What the host does for one of its own controls after the control's Click event was raised
// (a control the host has no action for does only what its subscribers do).
using BuiltInAction = std::function<void(office::CommandBarControl& control)>;

// Fills `menu_bar` with the pop-ups of the model's menu bar: captions with their mnemonics,
// nested pop-ups as submenus, the enabled and visible states of each control. Triggering an entry
// clicks the control in the model (so subscribers run as in the headless host), then runs
// `built_in`.
void build_menu_bar(QMenuBar& menu_bar, office::CommandBar& model, const BuiltInAction& built_in);

// Makes `tool_bar` show a custom command bar: one tool button per visible control, icon and
// caption as the control's style says; a click goes through the model's click event.
void build_tool_bar(QToolBar& tool_bar, office::CommandBar& model, const BuiltInAction& built_in);

}  // namespace fb::ui::qt
