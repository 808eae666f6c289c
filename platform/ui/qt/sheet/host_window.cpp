#include "platform/ui/qt/sheet/host_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMoveEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include "platform/office/office_host.h"
#include "platform/sheet/application.h"
#include "platform/sheet/workbook.h"
#include "platform/ui/qt/sheet/face_icons.h"
#include "platform/ui/qt/sheet/sheet_view.h"
#include "platform/ui/qt/sheet/workbook_view.h"

namespace fb::ui::qt {

namespace {

Qt::ToolBarArea area_of(office::BarPosition position) {
  switch (position) {
    case office::BarPosition::kLeft:
      return Qt::LeftToolBarArea;
    case office::BarPosition::kRight:
      return Qt::RightToolBarArea;
    case office::BarPosition::kBottom:
      return Qt::BottomToolBarArea;
    default:
      return Qt::TopToolBarArea;
  }
}

QString tab_title(const sheet::Workbook& workbook) {
  return QString::fromStdString(workbook.name()) + (workbook.saved() ? "" : "*");
}

}  // namespace

HostWindow::HostWindow(sheet::Application& app, office::OfficeHost& office, BuiltInActions built_in,
                       render::DrawingRenderer render_drawing, QWidget* parent)
    : QMainWindow(parent),
      app_(app),
      office_(office),
      built_in_(std::move(built_in)),
      render_drawing_(std::move(render_drawing)) {
  setWindowIcon(application_icon());
  tabs_ = new QTabWidget(this);
  tabs_->setDocumentMode(true);
  tabs_->setMovable(false);
  setCentralWidget(tabs_);
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (syncing_tabs_ || index < 0) return;
    if (auto* view = qobject_cast<WorkbookView*>(tabs_->widget(index))) {
      view->workbook().activate();
      setWindowTitle(QString::fromStdString(view->workbook().name()));
    }
  });
  // A widget, not a message: a menu's status tips and the host's own notes pass over it, and it
  // comes back when they are gone.
  auto* ready = new QLabel(QStringLiteral("就绪"), statusBar());
  ready->setObjectName(QStringLiteral("ready"));
  statusBar()->addWidget(ready);
  resize(1180, 760);
  refresh();
}

WorkbookView* HostWindow::current_view() const {
  return qobject_cast<WorkbookView*>(tabs_->currentWidget());
}

WorkbookView* HostWindow::view_of(const sheet::Workbook& workbook) const {
  for (int i = 0; i < tabs_->count(); ++i) {
    auto* view = qobject_cast<WorkbookView*>(tabs_->widget(i));
    if (view != nullptr && &view->workbook() == &workbook) return view;
  }
  return nullptr;
}

QToolBar* HostWindow::tool_bar(const QString& name) const {
  for (QToolBar* bar : tool_bars_) {
    if (bar->windowTitle() == name) return bar;
  }
  return nullptr;
}

void HostWindow::refresh() {
  refresh_bars();
  refresh_tabs();
}

namespace {

// Captions, states and order of every visible bar and control: what the drawn bars depend on.
void describe(const office::CommandBarControls& controls, std::string& out) {
  for (int i = 1; i <= controls.count(); ++i) {
    const office::CommandBarControl& control = controls.item(i);
    out += control.caption();
    out += control.visible() ? 'v' : '-';
    out += control.enabled() ? 'e' : '-';
    out += std::to_string(control.face_id());
    out += std::to_string(static_cast<int>(control.style()));
    if (control.type() == office::ControlType::kPopup) {
      out += '[';
      describe(const_cast<office::CommandBarControl&>(control).controls(), out);
      out += ']';
    }
    out += ';';
  }
}

}  // namespace

void HostWindow::hide_keeping_place() {
  kept_place_ = geometry();
  hide();
}

void HostWindow::show_in_place() {
  setGeometry(kept_place_);
  show();
  placing_ = true;
  // Without a window manager nothing places the window: the next move is the user's own.
  QTimer::singleShot(2000, this, [this] { placing_ = false; });
}

void HostWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  if (!placing_) return;
  placing_ = false;
  if (geometry().topLeft() != kept_place_.topLeft()) setGeometry(kept_place_);
}

void HostWindow::refresh_bars() {
  office::CommandBars& bars = office_.command_bars();
  std::string drawn;
  for (int i = 1; i <= bars.count(); ++i) {
    const office::CommandBar& bar = bars.item(i);
    if (!bar.visible() || (bar.built_in() && !bar.menu_bar())) continue;
    drawn += bar.name() + (bar.enabled() ? "{" : "-{");
    describe(bar.controls(), drawn);
    drawn += '}';
  }
  if (drawn == bars_drawn_) return;
  bars_drawn_ = drawn;

  // A new menu bar replaces the old one, which Qt deletes later: its action may be the one
  // whose trigger led here.
  auto* menu_bar = new QMenuBar(this);
  for (int i = 1; i <= bars.count(); ++i) {
    office::CommandBar& bar = bars.item(i);
    if (bar.menu_bar() && bar.visible()) {
      build_menu_bar(*menu_bar, bar, built_in_);
      break;
    }
  }
  setMenuBar(menu_bar);
  // Custom bars only: the built-in tool bars' work is reached through the menus.
  for (QToolBar* bar : tool_bars_) {
    removeToolBar(bar);
    bar->deleteLater();
  }
  tool_bars_.clear();
  for (int i = 1; i <= bars.count(); ++i) {
    office::CommandBar& bar = bars.item(i);
    if (bar.built_in() || bar.menu_bar() || !bar.visible()) continue;
    auto* tool_bar = new QToolBar(this);
    tool_bar->setObjectName(QString::fromStdString(bar.name()));
    tool_bar->setMovable(false);
    tool_bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tool_bar->setIconSize(QSize(20, 20));
    build_tool_bar(*tool_bar, bar, built_in_);
    addToolBar(area_of(bar.position()), tool_bar);
    tool_bars_.push_back(tool_bar);
  }
}

void HostWindow::refresh_tabs() {
  syncing_tabs_ = true;
  auto& books = app_.open_workbooks();
  // Tabs of workbooks that closed go first.
  for (int i = tabs_->count() - 1; i >= 0; --i) {
    auto* view = qobject_cast<WorkbookView*>(tabs_->widget(i));
    bool open = false;
    for (const auto& book : books)
      open = open || (view != nullptr && &view->workbook() == book.get());
    if (!open) {
      QWidget* widget = tabs_->widget(i);
      tabs_->removeTab(i);
      widget->deleteLater();
    }
  }
  for (const auto& book : books) {
    if (book->is_addin()) continue;
    WorkbookView* view = view_of(*book);
    if (view == nullptr) {
      view = new WorkbookView(*book, render_drawing_, tabs_);
      connect(view, &WorkbookView::changed, this, [this] {
        refresh_tabs();
        emit workbook_edited();
      });
      connect(&view->sheet_view(), &SheetView::link_activated, this, &HostWindow::link_activated);
      tabs_->addTab(view, tab_title(*book));
    } else {
      tabs_->setTabText(tabs_->indexOf(view), tab_title(*book));
      view->refresh();
    }
  }
  if (app_.workbooks().count() > 0) {
    sheet::Workbook& active = app_.active_workbook();
    if (WorkbookView* view = view_of(active)) tabs_->setCurrentWidget(view);
    setWindowTitle(QString::fromStdString(active.name()));
  } else {
    setWindowTitle(QString());
  }
  syncing_tabs_ = false;
}

void HostWindow::closeEvent(QCloseEvent* event) {
  if (may_close_ && !may_close_()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace fb::ui::qt
