#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/os/clock.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "src/controls/ani_gif.h"

namespace kivo2d {

struct ComponentVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;
};

// Label4's text: major, minor and revision joined by "·" (2·5·31).
std::string VersionLabel(const ComponentVersion& version);

// Modes of Hello, by the caption of Label1.
inline constexpr std::string_view kWelcomeMode = "";
inline constexpr std::string_view kAboutFromBarMode = "AboutFishbone";
inline constexpr std::string_view kAboutFromEditorMode = "Work";

inline constexpr std::string_view kContactPage = "https://kivo2.example/contact";

// The welcome window at start-up and the About window. Its openers set Label1 after loading it
// and before showing it. Flash1 plays the welcome movie (a fishbone drawing itself, on a
// 450 × 400 stage at 24 frames a second) while the About window waits for its click.
class Hello final : public fb::ui::Form {
 public:
  static constexpr int kWelcomePauses = 3;
  static constexpr std::chrono::milliseconds kWelcomePause{750};
  static constexpr int kOpacity = 220;
  static constexpr int kStageWidth = 450;
  static constexpr int kStageHeight = 400;
  static constexpr int kFramesPerSecond = 24;
  static constexpr std::string_view kContactTooltip = " 鼠标点击这里来联系我们 ";

  // `do_events` lets the host process pending window messages; `open_page` starts the web
  // browser with an address.
  Hello(fb::ui::FormRegistry& registry, fb::os::Clock& clock, std::function<void()> do_events,
        ComponentVersion version, std::function<void(std::string_view url)> open_page = {});

  fb::ui::Image Image1{"Image1"};      // contact picture
  fb::ui::Image Image2{"Image2"};      // title picture
  fb::ui::Image Image4{"Image4"};      // decoration
  AniGIF Flash1{"Flash1"};             // the movie; plays while visible
  fb::ui::Label Label4{"Label4"};      // version
  fb::ui::Image GoToWork{"GoToWork"};  // the clickable area over the whole window
  fb::ui::Label Label1{"Label1"};      // mode

  // Starts the web browser with an address (the desktop host sets it).
  void set_page_opener(std::function<void(std::string_view url)> open_page) {
    open_page_ = std::move(open_page);
  }

  void Form_Load();
  void Form_Activate();
  void GoToWork_Click();
  void Image1_Click();

 protected:
  void on_load_pictures() override;
  void on_load() override { Form_Load(); }
  void on_activate() override { Form_Activate(); }
  void on_unload() override { Flash1.Stop(); }

 private:
  void RestoreEditor();

  fb::os::Clock& clock_;
  std::function<void()> do_events_;
  ComponentVersion version_;
  std::function<void(std::string_view)> open_page_;
};

}  // namespace kivo2d
