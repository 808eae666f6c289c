#include "platform/ui/qt/sheet/command_bar_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <memory>

#include "platform/office/command_bars.h"
#include "platform/ui/qt/sheet/face_icons.h"

namespace fb::ui::qt {

namespace {

QString caption_of(const office::CommandBarControl& control) {
  return QString::fromStdString(control.caption());
}

void connect_click(QAction* action, std::shared_ptr<office::CommandBarControl> control,
                   const BuiltInActions& built_in) {
  QObject::connect(action, &QAction::triggered, action, [control, built_in] {
    if (control->deleted()) return;
    const bool raised = control->click();
    if (raised && built_in.run && (!built_in.handles || built_in.handles(*control))) {
      built_in.run(*control);
    }
    if (built_in.after_click) built_in.after_click();
  });
}

bool shown(const office::CommandBarControl& control, const BuiltInActions& built_in) {
  if (!control.visible()) return false;
  if (control.type() != office::ControlType::kPopup) {
    return !built_in.handles || built_in.handles(control);
  }
  office::CommandBarControls& children = const_cast<office::CommandBarControl&>(control).controls();
  for (int i = 1; i <= children.count(); ++i) {
    if (shown(children.item(i), built_in)) return true;
  }
  return false;
}

void fill_menu(QMenu& menu, office::CommandBarControls& controls, const BuiltInActions& built_in) {
  for (int i = 1; i <= controls.count(); ++i) {
    std::shared_ptr<office::CommandBarControl> control = controls.shared(i);
    if (!shown(*control, built_in)) continue;
    if (control->begin_group() && i > 1) menu.addSeparator();
    if (control->type() == office::ControlType::kPopup) {
      QMenu* sub = menu.addMenu(caption_of(*control));
      sub->setEnabled(control->enabled());
      fill_menu(*sub, control->controls(), built_in);
      continue;
    }
    QAction* action = menu.addAction(caption_of(*control));
    action->setEnabled(control->enabled());
    if (built_in.shortcut) action->setShortcut(built_in.shortcut(*control));
    connect_click(action, control, built_in);
  }
}

}  // namespace

void build_menu_bar(QMenuBar& menu_bar, office::CommandBar& model, const BuiltInActions& built_in) {
  menu_bar.clear();
  office::CommandBarControls& controls = model.controls();
  for (int i = 1; i <= controls.count(); ++i) {
    std::shared_ptr<office::CommandBarControl> control = controls.shared(i);
    if (!shown(*control, built_in)) continue;
    if (control->type() == office::ControlType::kPopup) {
      QMenu* menu = menu_bar.addMenu(caption_of(*control));
      menu->setEnabled(control->enabled() && model.enabled());
      fill_menu(*menu, control->controls(), built_in);
    } else {
      QAction* action = menu_bar.addAction(caption_of(*control));
      action->setEnabled(control->enabled() && model.enabled());
      connect_click(action, control, built_in);
    }
  }
}

void build_tool_bar(QToolBar& tool_bar, office::CommandBar& model, const BuiltInActions& built_in) {
  tool_bar.clear();
  tool_bar.setWindowTitle(QString::fromStdString(model.name()));
  office::CommandBarControls& controls = model.controls();
  for (int i = 1; i <= controls.count(); ++i) {
    std::shared_ptr<office::CommandBarControl> control = controls.shared(i);
    if (!control->visible()) continue;
    if (control->begin_group() && i > 1) tool_bar.addSeparator();
    QAction* action = tool_bar.addAction(caption_of(*control));
    // The button's text keeps its "&": the letter is underlined and Alt with it clicks, as the
    // bar's buttons did in the host.
    action->setIconText(caption_of(*control));
    const office::ButtonStyle style = control->style();
    const bool with_icon = style == office::ButtonStyle::kIcon ||
                           style == office::ButtonStyle::kIconAndCaption ||
                           style == office::ButtonStyle::kAutomatic;
    if (with_icon) action->setIcon(face_icon(control->face_id()));
    QString tip = caption_of(*control);
    tip.remove(QChar('&'));
    action->setToolTip(tip);
    action->setEnabled(control->enabled() && model.enabled());
    connect_click(action, control, built_in);
  }
}

}  // namespace fb::ui::qt
