#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/qt/forms/form_window.h"

class QEventLoop;
class QWindow;

namespace fb::ui::qt {

// The component's windows on the desktop: follows a form registry and keeps one FormWindow for
// each loaded form. A loaded form gets its window (hidden), a shown form shows it (centred over
// the owner the first time; a modal show blocks the other windows and runs an event loop until
// the form is hidden or unloaded), an activated one comes to the front, a state change minimises
// or restores it, and an unloaded form's window is detached at once and deleted when the event
// loop next runs (the unload may come from one of its own buttons). The registry's forms must
// stay alive, or be unloaded, while this object lives.
//
// A window the user makes active again, coming from another window of the program (the host's,
// the About window that closed, through the window manager or the taskbar), activates its form
// (Form_Activate). Coming back from a message box or a dialog does not, as the original runtime
// raised no activation for them, nor does the activation a form's own show or activate asked for.
class FormWindows final : public QObject {
 public:
  struct Options {
    // The window the component's windows stand over (its child windows); may be null.
    QWidget* owner = nullptr;
    // The clock the animations run on: the component's, so a test's clock drives them too.
    std::function<Animated::time_point()> now;
    // Runs once the event loop is back after the forms changed (a window loaded, shown, hidden,
    // unloaded): the host catches up with what the component did to its models meanwhile.
    std::function<void()> after_change;
  };

  FormWindows(FormRegistry& registry, Options options);
  // Lets go of the registry's hooks and deletes every window, dying ones included.
  ~FormWindows() override;
  FormWindows(const FormWindows&) = delete;
  FormWindows& operator=(const FormWindows&) = delete;

  // The window of a loaded form, or nullptr.
  FormWindow* window(const Form& form) const;
  // The component's window the user works in, to which a message box belongs: the active window
  // when it is one of the component's with a title bar, else the last loaded of those that is
  // visible and not minimised; nullptr when there is none (the host's own window then asks).
  FormWindow* front_window() const;
  // Shows the frames due now in every animation on screen; the host calls this when it pumps
  // messages during a long task.
  void tick_animations() const;

 private:
  void on_form_event(Form& form, FormEvent event);
  void run_modal(Form& form);
  FormWindow* make_window(Form& form);
  void show_window(Form& form, FormWindow& window);
  void take_down(Form& form);
  void on_focus_window(QWindow* now);
  void hand_on_activation();

  FormRegistry& registry_;
  Options options_;
  std::map<const Form*, QPointer<FormWindow>> windows_;
  std::vector<QPointer<FormWindow>> dying_;
  std::map<const Form*, QEventLoop*> modal_loops_;
  std::map<const Form*, bool> placed_;
  bool catch_up_pending_ = false;
  QPointer<QWindow> focus_window_;  // the last window of the program that had the focus
  // Forms whose window the model itself asked to activate, until the window manager does it.
  std::set<const Form*> asked_to_activate_;
};

}  // namespace fb::ui::qt
