#include "platform/ui/qt/sheet/command_bar_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <memory>

#include "platform/office/command_bars.h"

namespace fb::ui::qt {

namespace {

QString caption_of(const office::CommandBarControl& control) {
  return QString::fromStdString(control.caption());
}

void connect_click(QAction* action, std::shared_ptr<office::CommandBarControl> control,
                   const BuiltInAction& built_in) {
  QObject::connect(action, &QAction::triggered, action, [control, built_in] {
    if (control->deleted()) return;
    if (control->click() && built_in) built_in(*control);
  });
}

void fill_menu(QMenu& menu, office::CommandBarControls& controls, const BuiltInAction& built_in) {
  for (int i = 1; i <= controls.count(); ++i) {
    std::shared_ptr<office::CommandBarControl> control = controls.shared(i);
    if (!control->visible()) continue;
    if (control->begin_group() && i > 1) menu.addSeparator();
    if (control->type() == office::ControlType::kPopup) {
      QMenu* sub = menu.addMenu(caption_of(*control));
      sub->setEnabled(control->enabled());
      fill_menu(*sub, control->controls(), built_in);
      continue;
    }
    QAction* action = menu.addAction(caption_of(*control));
    action->setEnabled(control->enabled());
    connect_click(action, control, built_in);
  }
}

}  // namespace

void build_menu_bar(QMenuBar& menu_bar, office::CommandBar& model, const BuiltInAction& built_in) {
  menu_bar.clear();
  office::CommandBarControls& controls = model.controls();
  for (int i = 1; i <= controls.count(); ++i) {
    std::shared_ptr<office::CommandBarControl> control = controls.shared(i);
    if (!control->visible()) continue;
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

void build_tool_bar(QToolBar& tool_bar, office::CommandBar& model, const BuiltInAction& built_in) {
  tool_bar.clear();
  tool_bar.setWindowTitle(QString::fromStdString(model.name()));
  office::CommandBarControls& controls = model.controls();
  for (int i = 1; i <= controls.count(); ++i) {
    std::shared_ptr<office::CommandBarControl> control = controls.shared(i);
    if (!control->visible()) continue;
    if (control->begin_group() && i > 1) tool_bar.addSeparator();
    QAction* action = tool_bar.addAction(caption_of(*control));
    action->setEnabled(control->enabled() && model.enabled());
    connect_click(action, control, built_in);
  }
}

}  // namespace fb::ui::qt
