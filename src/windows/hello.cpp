#include "src/windows/hello.h"

#include <initializer_list>
#include <memory>
#include <utility>

#include "src/controls/gif_animation.h"
#include "src/resources/pictures.h"

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
      open_page_(std::move(open_page)) {
  // Positions in pixels, as the pictures were drawn for them (tools/artwork/welcome_layout.h).
  constexpr int kTwips = 15;
  auto place = [](fb::ui::Control& control, int left, int top, int width, int height) {
    control.set_bounds({left * kTwips, top * kTwips, width * kTwips, height * kTwips});
  };
  place(*this, 0, 0, 514, 284);
  place(Image4, 22, 20, 55, 55);
  place(Image2, 90, 24, 260, 58);
  place(Flash1, 300, 72, 196, 174);
  place(Image1, 22, 200, 120, 30);
  place(Label4, 54, 254, 120, 16);
  place(GoToWork, 0, 0, 514, 284);
  // The background picture is the whole window: no title bar or border around it.
  set_border_style(fb::ui::BorderStyle::kNone);
  Image1.set_tooltip(std::string(kContactTooltip));
  Label4.set_fore_color(fb::ui::rgb(96, 104, 118));
  Label1.set_visible(false);  // holds the mode; never seen
  // GoToWork covers the window under the pictures: a click anywhere that no picture takes is its.
  add_control(GoToWork);
  for (fb::ui::Control* control : std::initializer_list<fb::ui::Control*>{
           &Image4, &Image2, &Flash1, &Image1, &Label4, &Label1}) {
    add_control(*control);
  }
  GoToWork.set_on_click([this] { GoToWork_Click(); });
  Image1.set_on_click([this] { Image1_Click(); });
  // The movie plays in the About window only; it is decoded when that first opens, so that the
  // welcome and a headless host, which never show it, do not pay for its 450 × 400 frames.
}

void Hello::on_load_pictures() {
  set_picture(kivo2d::LoadPicture(picture::kHelloBackground));
  set_icon(kivo2d::LoadPicture(picture::kWorkIcon));
  Image4.set_picture(kivo2d::LoadPicture(picture::kHelloBadge));
  Image2.set_picture(kivo2d::LoadPicture(picture::kHelloTitle));
  Image1.set_picture(kivo2d::LoadPicture(picture::kHelloContact));
}

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
  if (!Label1.caption().empty()) {  // About: clickable until the user clicks
    if (!Flash1.animation()) {
      Flash1.set_animation(std::make_shared<const GifAnimation>(
          DecodeGif(PictureFile(picture::kWelcomeMovie), picture::kWelcomeMovie)));
    }
    if (!Flash1.playing()) Flash1.Play(clock_.now());
    return;
  }
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
