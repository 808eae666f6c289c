#include "src/windows/hello.h"

#include <utility>

namespace kivo2d {

std::string VersionLabel(const ComponentVersion& version) {
  return std::to_string(version.major) + "·" + std::to_string(version.minor) + "·" +
         std::to_string(version.revision);
}

Hello::Hello(fb::ui::FormRegistry& registry, fb::os::Clock& clock, std::function<void()> do_events,
             ComponentVersion version, std::function<void(std::string_view url)> open_page)
    : Form(registry, "Hello"),
      clock_(clock),
      do_events_(std::move(do_events)),
      version_(version),
      open_page_(std::move(open_page)) {}

void Hello::Form_Load() {
  set_opacity(kOpacity);
  set_top_most(true);
  Label4.set_caption(VersionLabel(version_));
  // A fresh window: the opener sets the mode after this.
  Label1.set_caption(std::string(kWelcomeMode));
  GoToWork.set_visible(true);
  Flash1.set_visible(true);
}

void Hello::Form_Activate() {
  set_top_most(true);
  if (!Label1.caption().empty()) return;  // About: clickable until the user clicks
  GoToWork.set_visible(false);
  Flash1.set_visible(false);
  for (int i = 0; i < kWelcomePauses; ++i) {
    if (do_events_) do_events_();
    clock_.sleep(kWelcomePause);
  }
  unload();
}

void Hello::RestoreEditor() {
  if (Label1.caption() != kAboutFromEditorMode) return;
  if (fb::ui::Form* editor = registry().find("Work")) {
    editor->set_window_state(fb::ui::WindowState::kNormal);
  }
}

void Hello::GoToWork_Click() {
  hide();
  if (registry().is_form_shown("Work")) {
    registry().find("Work")->set_window_state(fb::ui::WindowState::kNormal);
  }
  RestoreEditor();
  unload();
}

void Hello::Image1_Click() {
  if (open_page_) open_page_(kContactPage);
  RestoreEditor();
  unload();
}

}  // namespace kivo2d
