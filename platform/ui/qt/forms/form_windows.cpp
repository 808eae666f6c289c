#include "platform/ui/qt/forms/form_windows.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "platform/ui/qt/forms/animation_widget.h"

namespace fb::ui::qt {

FormWindows::FormWindows(FormRegistry& registry, Options options)
    : registry_(registry), options_(std::move(options)) {
  if (!options_.now) options_.now = [] { return std::chrono::steady_clock::now(); };
  registry_.set_on_form_event([this](Form& form, FormEvent event) { on_form_event(form, event); });
  registry_.set_modal_loop([this](Form& form) { run_modal(form); });
  focus_window_ = QGuiApplication::focusWindow();
  connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
          [this](QWindow* now) { on_focus_window(now); });
  // Forms loaded before the desktop drew them.
  for (Form* form : registry_.loaded_forms()) {
    FormWindow* window = make_window(*form);
    if (form->visible()) show_window(*form, *window);
  }
}

FormWindows::~FormWindows() {
  registry_.set_on_form_event({});
  registry_.set_modal_loop({});
  for (auto& [form, loop] : modal_loops_) loop->quit();
  for (auto& [form, window] : windows_) {
    if (window) window->detach();
    delete window.data();
  }
  for (QPointer<FormWindow>& window : dying_) delete window.data();
}

FormWindow* FormWindows::window(const Form& form) const {
  const auto found = windows_.find(&form);
  return found == windows_.end() ? nullptr : found->second.data();
}

FormWindow* FormWindows::front_window() const {
  // A splash or an animation alone on the desktop (no title bar) never owns a question.
  const auto working = [this](const Form* form) -> FormWindow* {
    FormWindow* shown = window(*form);
    if (shown == nullptr || form->border_style() == BorderStyle::kNone) return nullptr;
    return shown->isVisible() && !shown->isMinimized() ? shown : nullptr;
  };
  const std::vector<Form*>& loaded = registry_.loaded_forms();
  for (const Form* form : loaded) {
    FormWindow* shown = working(form);
    if (shown != nullptr && shown->isActiveWindow()) return shown;
  }
  for (auto form = loaded.rbegin(); form != loaded.rend(); ++form) {
    if (FormWindow* shown = working(*form)) return shown;
  }
  return nullptr;
}

FormWindow* FormWindows::make_window(Form& form) {
  form.load_pictures();
  WidgetContext context;
  context.now = options_.now;
  auto* window = new FormWindow(form, context, options_.owner);
  windows_[&form] = window;
  placed_[&form] = false;
  return window;
}

void FormWindows::show_window(Form& form, FormWindow& window) {
  if (!placed_[&form]) {
    // The first showing centres the window over its owner, or on the screen.
    QRect area = options_.owner != nullptr && options_.owner->isVisible()
                     ? options_.owner->frameGeometry()
                     : QGuiApplication::primaryScreen()->availableGeometry();
    QRect frame(QPoint(0, 0), window.size());
    frame.moveCenter(area.center());
    window.move(frame.topLeft());
    placed_[&form] = true;
  }
  window.setWindowModality(form.shown_modal() ? Qt::ApplicationModal : Qt::NonModal);
  if (form.window_state() == WindowState::kMinimized) {
    window.showMinimized();
  } else {
    window.show();
  }
}

void FormWindows::on_form_event(Form& form, FormEvent event) {
  if (options_.after_change && !catch_up_pending_) {
    catch_up_pending_ = true;
    QTimer::singleShot(0, this, [this] {
      catch_up_pending_ = false;
      options_.after_change();
    });
  }
  FormWindow* window = this->window(form);
  switch (event) {
    case FormEvent::kLoaded:
      if (window == nullptr) make_window(form);
      break;
    case FormEvent::kShown:
      if (window == nullptr) window = make_window(form);
      if (!window->isActiveWindow()) asked_to_activate_.insert(&form);
      show_window(form, *window);
      break;
    case FormEvent::kHidden:
      if (window != nullptr) {
        const bool was_active = window->isActiveWindow();
        window->hide();
        if (was_active) hand_on_activation();
      }
      if (auto loop = modal_loops_.find(&form); loop != modal_loops_.end()) loop->second->quit();
      break;
    case FormEvent::kActivated:
      if (window != nullptr && window->isVisible()) {
        if (!window->isActiveWindow()) asked_to_activate_.insert(&form);
        window->raise();
        window->activateWindow();
      }
      break;
    case FormEvent::kStateChanged:
      if (window != nullptr) window->apply_window_state();
      break;
    case FormEvent::kUnloaded:
      take_down(form);
      break;
  }
}

void FormWindows::hand_on_activation() {
  // A window that goes away while active leaves no window active: the window manager does not
  // always choose one. The user's work goes on in the component's front window, else the host's.
  QWidget* next = front_window();
  if (next == nullptr) next = options_.owner;
  if (next == nullptr || !next->isVisible()) return;
  next->raise();
  next->activateWindow();
}

void FormWindows::on_focus_window(QWindow* now) {
  // Between two windows of the program the focus may pass through none (a window going away, a
  // switch to another program): what counts is the last window that had it. One that is gone
  // since (a message box deleted after its answer) counts as none.
  if (now == nullptr) return;
  const QPointer<QWindow> before = focus_window_;
  focus_window_ = now;
  for (const auto& [form, window] : windows_) {
    if (!window || !window->attached() || window->windowHandle() != now) continue;
    if (asked_to_activate_.erase(form) > 0 || before == nullptr || before == now) return;
    // A message box or a dialog the user answered hands the activation back; nothing more.
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->windowHandle() == before && qobject_cast<QDialog*>(top) != nullptr) return;
    }
    Form& activated = *const_cast<Form*>(form);
    activated.activate();  // may unload the form, and with it this window
    return;
  }
}

void FormWindows::take_down(Form& form) {
  if (auto loop = modal_loops_.find(&form); loop != modal_loops_.end()) loop->second->quit();
  const auto found = windows_.find(&form);
  if (found == windows_.end()) return;
  QPointer<FormWindow> window = found->second;
  windows_.erase(found);
  placed_.erase(&form);
  asked_to_activate_.erase(&form);
  if (!window) return;
  const bool was_active = window->isActiveWindow();
  window->detach();
  window->hide();
  window->deleteLater();
  if (was_active) hand_on_activation();
  dying_.push_back(window);
  // Deleted ones leave null pointers behind; the list stays as short as the windows in flight.
  std::erase_if(dying_, [](const QPointer<FormWindow>& pending) { return pending.isNull(); });
}

void FormWindows::run_modal(Form& form) {
  if (modal_loops_.contains(&form)) return;
  QEventLoop loop;
  modal_loops_[&form] = &loop;
  loop.exec();
  modal_loops_.erase(&form);
}

void FormWindows::tick_animations() const {
  for (const auto& [form, window] : windows_) {
    if (!window || !window->isVisible()) continue;
    for (QWidget* child : window->findChildren<QWidget*>()) {
      if (auto* animation = dynamic_cast<AnimationWidget*>(child)) animation->tick();
    }
  }
}

}  // namespace fb::ui::qt
