#pragma once

#include <QMainWindow>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

#include "platform/render/page/drawing_render_callback.h"
#include "platform/ui/qt/sheet/command_bar_menus.h"

class QTabWidget;
class QToolBar;

namespace fb::sheet {
class Application;
class Workbook;
}  // namespace fb::sheet
namespace fb::office {
class OfficeHost;
}

namespace fb::ui::qt {

class WorkbookView;

// The host's main window: the menu bar and the command bars drawn from the Office model, and the
// engine's open workbooks, one tab each (an asterisk while a workbook is unsaved). It decides
// nothing itself: what a built-in control does is the application's `built_in` action, whether
// the window may close is `may_close`'s answer, and `refresh` draws the models again after they
// changed.
class HostWindow : public QMainWindow {
  Q_OBJECT

 public:
  HostWindow(sheet::Application& app, office::OfficeHost& office, BuiltInActions built_in,
             render::DrawingRenderer render_drawing, QWidget* parent = nullptr);

  // Draws the menu bar, the command bars and the workbook tabs from the models again, and shows
  // the active workbook's tab.
  void refresh();

  sheet::Application& app() const { return app_; }
  office::OfficeHost& office() const { return office_; }
  // The view of the workbook on the current tab, or nullptr with no workbook open.
  WorkbookView* current_view() const;
  WorkbookView* view_of(const sheet::Workbook& workbook) const;
  // The custom command bar's tool bar, by the bar's name; nullptr when it is not shown.
  QToolBar* tool_bar(const QString& name) const;

  // Asked when the user closes the window; false keeps it open.
  void set_may_close(std::function<bool()> may_close) { may_close_ = std::move(may_close); }

  // Hides the window (the host hides itself while a generation runs) and shows it again where it
  // was: a window manager places a window shown anew by its own rule, so the place is asked for
  // again once the window manager has placed it.
  void hide_keeping_place();
  void show_in_place();

 signals:
  // The user changed a cell of a workbook.
  void workbook_edited();
  void link_activated(const QString& address);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void refresh_bars();
  void refresh_tabs();

  sheet::Application& app_;
  office::OfficeHost& office_;
  BuiltInActions built_in_;
  render::DrawingRenderer render_drawing_;
  std::function<bool()> may_close_;
  QTabWidget* tabs_ = nullptr;
  std::vector<QToolBar*> tool_bars_;
  // What the bars looked like when last drawn: a rebuild only when it changes, so that an action
  // is never deleted while it is being triggered and the bars do not flicker.
  std::string bars_drawn_;
  bool syncing_tabs_ = false;
  QRect kept_place_;
  bool placing_ = false;  // shown again, waiting for the window manager's placement
};

}  // namespace fb::ui::qt
