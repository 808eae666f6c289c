// The add-in's connection and disconnection and its command bar, as a host drives them.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "addin_fixture.h"
#include "platform/office/com_addins.h"
#include "src/addin/button_event.h"
#include "src/addin/registration.h"
#include "src/addin/version.h"

namespace kivo2d {
namespace {

namespace vb = fb::ui::vb;
namespace connect_mode = fb::office::connect_mode;
using fb::office::ButtonStyle;
using std::chrono::milliseconds;
using testing::Transcript;

class ConnectTest : public testing::AddinFixture {};

constexpr const char* kLanguageBox =
    "[KIVO2D] 仅适用于 Microsoft Office Excel 2003 和 2007 简体中文环境";
constexpr const char* kVersionBox = "[KIVO2D] 仅适用于 Microsoft Office Excel 2003 和 2007";

// Each way of connecting: the gates' messages, whether the bar is built, whether the welcome
// window waits its three pauses; the start-up clean-up runs in every case.
TEST_F(ConnectTest, GatesModesAndLeftoversDecideBarAndWelcome) {
  struct Case {
    const char* name;
    const char* version;
    int language;
    int mode;
    bool leftover_exchange_file;
    std::vector<std::string> boxes;
    bool bar;
    bool welcome;
  };
  const Case cases[] = {
      {"start-up, 2007", "12.0", 2052, connect_mode::kStartup, false, {}, true, true},
      {"after start-up, 2003", "11.0", 2052, connect_mode::kAfterStartup, false, {}, true, true},
      {"external", "12.0", 2052, connect_mode::kExternal, false, {}, true, false},
      {"command line", "11.0", 2052, connect_mode::kCommandLine, false, {}, true, false},
      {"English install", "12.0", 1033, connect_mode::kStartup, false, {kLanguageBox}, false, true},
      {"English install, 2010",
       "14.0",
       1033,
       connect_mode::kStartup,
       false,
       {kLanguageBox},
       false,
       true},
      {"Chinese 2010",
       "14.0",
       2052,
       connect_mode::kAfterStartup,
       false,
       {kVersionBox},
       false,
       true},
      {"leftover exchange file", "12.0", 2052, connect_mode::kStartup, true, {}, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeHost(c.version);
    app().set_language_install_id(c.language);
    dialogs_.clear_transcript();
    clock_ = fb::os::FakeClock();
    if (c.leftover_exchange_file) {
      for (const auto& file : Leftovers()) Touch(file);
    }
    // What the welcome window shows while it waits, seen at each pump of the host.
    std::vector<std::string> while_waiting;
    fb::os::CountingPump pump([&] {
      while_waiting.push_back(
          std::string(hello().visible() ? "shown" : "hidden") +
          (hello().shown_modal() ? " modal" : "") +
          (hello().GoToWork.visible() || hello().Flash1.visible() ? " clickable" : ""));
    });
    app().set_message_pump(&pump);

    host().Connect(c.mode);

    EXPECT_EQ(Transcript(dialogs_), c.boxes);
    for (const auto& r : dialogs_.transcript()) {
      EXPECT_EQ(r.style, vb::vbCritical | vb::vbOKOnly);
    }
    EXPECT_EQ(office().command_bars().find("Fishbone") != nullptr, c.bar);
    EXPECT_EQ(component().button_keeper != nullptr, c.bar);
    if (c.welcome) {
      EXPECT_EQ(clock_.sleeps(), (std::vector<milliseconds>{milliseconds(750), milliseconds(750),
                                                            milliseconds(750)}));
      EXPECT_EQ(while_waiting, (std::vector<std::string>(3, "shown modal")));
    } else {
      EXPECT_TRUE(clock_.sleeps().empty());
      EXPECT_TRUE(while_waiting.empty());
    }
    EXPECT_FALSE(hello().loaded());  // the welcome has closed itself before connection returns
    for (const auto& file : Leftovers()) EXPECT_FALSE(std::filesystem::exists(file)) << file;
    EXPECT_EQ(component().win_dir, win_dir());
    app().set_message_pump(nullptr);
  }
}

TEST_F(ConnectTest, TheBarAndItsButtonsAreBuiltAsSpecified) {
  host().Connect(connect_mode::kCommandLine);
  fb::office::CommandBar& bar = office().command_bars().item("Fishbone");
  EXPECT_EQ(bar.position(), fb::office::BarPosition::kLeft);
  EXPECT_TRUE(bar.temporary());
  EXPECT_FALSE(bar.menu_bar());
  EXPECT_TRUE(bar.visible());
  ASSERT_EQ(bar.controls().count(), 2);
  struct Expected {
    const char* caption;
    const char* parameter;
    int face_id;
  };
  const Expected expected[] = {{"Add Fishbone(&D)", "AddFishbone", 20},
                               {"About Fishbone(&B)", "AboutFishbone", 65}};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(expected[i].caption);
    fb::office::CommandBarControl& button = bar.controls().item(i + 1);
    EXPECT_EQ(button.type(), fb::office::ControlType::kButton);
    EXPECT_TRUE(button.temporary());
    EXPECT_EQ(button.caption(), expected[i].caption);
    EXPECT_EQ(button.parameter(), expected[i].parameter);
    EXPECT_EQ(button.face_id(), expected[i].face_id);
    EXPECT_EQ(button.style(), ButtonStyle::kIconAndCaption);
    EXPECT_FALSE(button.begin_group());
    EXPECT_TRUE(button.enabled());
    EXPECT_TRUE(button.visible());
  }
  EXPECT_EQ(component().button_keeper->count(), 2);
}

TEST_F(ConnectTest, ALeftoverBarIsReplacedAndItsButtonsGoDead) {
  auto old_button = office()
                        .command_bars()
                        .add("Fishbone", fb::office::BarPosition::kTop, false, false)
                        .controls()
                        .add(fb::office::ControlType::kButton);
  host().Connect(connect_mode::kCommandLine);
  EXPECT_TRUE(old_button->deleted());
  EXPECT_EQ(office().command_bars().item("Fishbone").controls().count(), 2);
}

TEST_F(ConnectTest, DisconnectionTakesTheBarAndReleasesEverything) {
  for (int remove_mode :
       {fb::office::remove_mode::kUserClosed, fb::office::remove_mode::kHostShutdown}) {
    SCOPED_TRACE(remove_mode);
    ConnectAndOpenEditor();
    auto button = office().command_bars().item("Fishbone").controls().shared(1);
    host().Disconnect(remove_mode);
    EXPECT_EQ(office().command_bars().find("Fishbone"), nullptr);
    EXPECT_EQ(component().button_keeper, nullptr);
    EXPECT_FALSE(component().connected());
    EXPECT_FALSE(editor().loaded());
    EXPECT_FALSE(button->click());
  }
  // Disconnecting twice (or without a connection) is harmless.
  host().Disconnect();
  EXPECT_TRUE(Transcript(dialogs_).empty());
}

TEST_F(ConnectTest, AfterAHostShutdownTheNextStartBuildsTheBarAnew) {
  fb::os::Registry registry;
  RegisterComponent(registry, "/opt/kivo2d/libkivo2d.so");
  host().StartUp(registry);
  ASSERT_NE(office().command_bars().find("Fishbone"), nullptr);
  host().Close();
  EXPECT_EQ(office().command_bars().find("Fishbone"), nullptr);

  host().StartUp(registry);
  ASSERT_TRUE(host().ClickFishboneButton("Add Fishbone(&D)"));
  EXPECT_TRUE(editor().loaded());
  EXPECT_FALSE(host().FishboneButton(1).enabled());
}

TEST_F(ConnectTest, AddFishboneOpensTheEditorAndDisablesItsButton) {
  ConnectAndOpenEditor();
  EXPECT_TRUE(editor().visible());
  EXPECT_FALSE(editor().shown_modal());
  EXPECT_FALSE(host().FishboneButton(1).enabled());
  EXPECT_TRUE(host().FishboneButton(2).enabled());
  EXPECT_EQ(editor().Label3.caption(), "13");
}

TEST_F(ConnectTest, AboutFromTheBarMinimisesAnOpenEditorFirst) {
  ConnectAndOpenEditor();
  fb::ui::WindowState editor_state_when_shown = fb::ui::WindowState::kNormal;
  component().forms().set_on_form_event([&](fb::ui::Form& form, fb::ui::FormEvent event) {
    if (form.name() == "Hello" && event == fb::ui::FormEvent::kShown) {
      editor_state_when_shown = editor().window_state();
    }
  });
  ASSERT_TRUE(host().ClickFishboneButton("About Fishbone(&B)"));
  EXPECT_EQ(editor_state_when_shown, fb::ui::WindowState::kMinimized);
  EXPECT_TRUE(hello().visible());
  EXPECT_FALSE(hello().shown_modal());
  EXPECT_EQ(hello().Label1.caption(), "AboutFishbone");
  EXPECT_EQ(hello().Label4.caption(), VersionLabel(kComponentVersion));
  EXPECT_TRUE(clock_.sleeps().empty());  // the About window waits for a click, not the clock

  // A click anywhere on it brings the editor back.
  hello().GoToWork_Click();
  EXPECT_FALSE(hello().loaded());
  EXPECT_EQ(editor().window_state(), fb::ui::WindowState::kNormal);
}

TEST_F(ConnectTest, AboutWithoutTheEditorLeavesItClosedAndUnknownParametersDoNothing) {
  host().Connect(connect_mode::kCommandLine);
  ASSERT_TRUE(host().ClickFishboneButton("About Fishbone(&B)"));
  EXPECT_TRUE(hello().visible());
  EXPECT_FALSE(editor().loaded());
  hello().GoToWork_Click();
  EXPECT_FALSE(editor().loaded());

  host().FishboneButton(1).set_parameter("addfishbone");  // compared exactly
  ASSERT_TRUE(host().ClickFishboneButton("Add Fishbone(&D)"));
  EXPECT_FALSE(editor().loaded());
  EXPECT_FALSE(hello().loaded());
}

}  // namespace
}  // namespace kivo2d
