#include "platform/ui/qt/forms/form_windows.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "platform/ui/qt/forms/animation_widget.h"

namespace fb::ui::qt {

FormWindows::FormWindows(FormRegistry& registry, Options options)
    : registry_(registry), options_(std::move(options)) {
  if (!options_.now) options_.now = [] { return std::chrono::steady_clock::now(); };
  registry_.set_on_form_event([this](Form& form, FormEvent event) { on_form_event(form, event); });
  registry_.set_modal_loop([this](Form& form) { run_modal(form); });
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
      show_window(form, *window);
      break;
    case FormEvent::kHidden:
      if (window != nullptr) window->hide();
      if (auto loop = modal_loops_.find(&form); loop != modal_loops_.end()) loop->second->quit();
      break;
    case FormEvent::kActivated:
      if (window != nullptr && window->isVisible()) {
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

void FormWindows::take_down(Form& form) {
  if (auto loop = modal_loops_.find(&form); loop != modal_loops_.end()) loop->second->quit();
  const auto found = windows_.find(&form);
  if (found == windows_.end()) return;
  QPointer<FormWindow> window = found->second;
  windows_.erase(found);
  placed_.erase(&form);
  if (!window) return;
  window->detach();
  window->hide();
  window->deleteLater();
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
