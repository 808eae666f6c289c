// The welcome and About window, the progress window and the help topics, on their own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/os/clock.h"
#include "platform/os/file_system.h"
#include "platform/os/win_path.h"
#include "platform/ui/form.h"
#include "platform/ui/headless_dialogs.h"
#include "src/windows/hello.h"
#include "src/windows/help_topics.h"
#include "src/windows/progress_gif.h"

namespace kivo2d {
namespace {

namespace vb = fb::ui::vb;
using fb::ui::WindowState;
using std::chrono::milliseconds;

// Stands in for the editor, which the About window brings back.
class Editor final : public fb::ui::Form {
 public:
  explicit Editor(fb::ui::FormRegistry& forms) : Form(forms, "Work") {}
};

class HelloTest : public ::testing::Test {
 protected:
  fb::ui::FormRegistry forms_;
  fb::os::FakeClock clock_;
  std::vector<std::string> events_;  // pumps and opened pages, in order
  // Each pump notes whether the window is up and whether any part of it takes a click.
  Hello hello_{forms_, clock_,
               [this] {
                 events_.push_back(std::string("pump") + (hello_.visible() ? " shown" : "") +
                                   (hello_.GoToWork.visible() ? " clickable" : "") +
                                   (hello_.Flash1.visible() ? " movie" : ""));
               },
               ComponentVersion{2, 5, 1297},
               [this](std::string_view url) { events_.push_back("open " + std::string(url)); }};
  Editor editor_{forms_};
};

TEST_F(HelloTest, VersionLabelAndWindowStyleAreSetOnLoad) {
  // Its pictures come when a drawing layer asks; a host that never draws it never decodes them.
  hello_.load();
  EXPECT_FALSE(hello_.picture().has_value());
  hello_.load_pictures();
  EXPECT_EQ(hello_.Label4.caption(), "2·5·1297");
  EXPECT_EQ(hello_.opacity(), 220);
  EXPECT_TRUE(hello_.top_most());
  EXPECT_EQ(hello_.Label1.caption(), "");
  ASSERT_TRUE(hello_.picture().has_value());
  EXPECT_EQ(hello_.picture()->width, 514);
  EXPECT_EQ(hello_.picture()->height, 284);
  for (const fb::ui::Image* image : {&hello_.Image1, &hello_.Image2, &hello_.Image4}) {
    EXPECT_TRUE(image->picture().has_value()) << image->name();
  }
}

TEST_F(HelloTest, TheWelcomeWaitsThreePausesUnclickableThenCloses) {
  hello_.show(fb::ui::ShowMode::kModal);
  EXPECT_EQ(events_, (std::vector<std::string>(3, "pump shown")));
  EXPECT_EQ(clock_.sleeps(),
            (std::vector<milliseconds>{milliseconds(750), milliseconds(750), milliseconds(750)}));
  EXPECT_FALSE(hello_.loaded());
  EXPECT_FALSE(hello_.GoToWork.visible());
  EXPECT_FALSE(hello_.Flash1.visible());
}

TEST_F(HelloTest, AboutModesWaitForAClickAndBringTheEditorBack) {
  struct Case {
    const char* mode;
    bool editor_visible;
    void (Hello::*click)();
    WindowState editor_after;
    std::vector<std::string> events;
  };
  const Case cases[] = {
      // From the editor: either click restores it, even when the editor is hidden.
      {"Work", true, &Hello::GoToWork_Click, WindowState::kNormal, {}},
      {"Work", false, &Hello::GoToWork_Click, WindowState::kNormal, {}},
      {"Work",
       true,
       &Hello::Image1_Click,
       WindowState::kNormal,
       {"open https://kivo2.example/contact"}},
      // From the bar: the picture click leaves the editor alone, the window click restores a shown
      // one.
      {"AboutFishbone",
       true,
       &Hello::Image1_Click,
       WindowState::kMinimized,
       {"open https://kivo2.example/contact"}},
      {"AboutFishbone", true, &Hello::GoToWork_Click, WindowState::kNormal, {}},
      {"AboutFishbone", false, &Hello::GoToWork_Click, WindowState::kMinimized, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + (c.editor_visible ? " editor shown" : " editor hidden"));
    editor_.show();
    if (!c.editor_visible) editor_.hide();
    editor_.set_window_state(WindowState::kMinimized);
    events_.clear();
    hello_.load();
    hello_.Label1.set_caption(c.mode);
    hello_.show(fb::ui::ShowMode::kModeless);
    EXPECT_TRUE(hello_.visible());
    EXPECT_TRUE(hello_.GoToWork.visible());
    EXPECT_TRUE(hello_.Flash1.visible());
    EXPECT_TRUE(clock_.sleeps().empty());
    (hello_.*c.click)();
    EXPECT_FALSE(hello_.loaded());
    EXPECT_EQ(editor_.window_state(), c.editor_after);
    EXPECT_EQ(events_, c.events);
  }
}

TEST(ProgressGifTest, ShowsOnlyTheAnimationOnAKeyedOutBlueBackground) {
  fb::ui::FormRegistry forms;
  fb::os::FakeClock clock;
  ProgressGif progress(forms, clock);
  progress.show();
  EXPECT_EQ(progress.back_color(), fb::ui::rgb(0, 0, 255));
  EXPECT_EQ(progress.transparent_color(), fb::ui::rgb(0, 0, 255));
  EXPECT_TRUE(progress.top_most());
  EXPECT_EQ(forms.find("ProgressGif"), &progress);

  // The stored animation: 47 × 39, 7 frames of 150 ms, looping; a tile whose corners are
  // transparent, so on the keyed-out blue only the tile shows.
  const GifAnimation& gif = *progress.AniGIF1.animation();
  EXPECT_EQ(gif.width, 47);
  EXPECT_EQ(gif.height, 39);
  EXPECT_EQ(gif.plays, GifAnimation::kForever);
  ASSERT_EQ(gif.frames.size(), 7u);
  for (const GifFrame& frame : gif.frames) EXPECT_EQ(frame.delay, milliseconds(150));
  const fb::ui::Picture first = *progress.AniGIF1.current_frame();
  EXPECT_EQ(first.pixel(0, 0).a, 0);
  EXPECT_EQ(first.pixel(46, 38).a, 0);
  EXPECT_EQ(first.pixel(23, 5).a, 255);

  // It plays from the show on, as the time passes, and stops when the window unloads.
  EXPECT_TRUE(progress.AniGIF1.playing());
  clock.advance(milliseconds(320));
  EXPECT_TRUE(progress.AniGIF1.Tick(clock.now()));
  EXPECT_EQ(progress.AniGIF1.frame_index(), 2);
  EXPECT_NE(*progress.AniGIF1.current_frame(), first);
  progress.unload();
  EXPECT_FALSE(progress.AniGIF1.playing());
}

TEST_F(HelloTest, TheMoviePlaysInTheAboutWindowOnly) {
  hello_.show(fb::ui::ShowMode::kModal);  // the welcome: hidden, never started nor decoded
  EXPECT_FALSE(hello_.Flash1.playing());
  EXPECT_EQ(hello_.Flash1.animation(), nullptr);

  hello_.load();
  hello_.Label1.set_caption("AboutFishbone");
  hello_.show();
  EXPECT_TRUE(hello_.Flash1.playing());
  ASSERT_NE(hello_.Flash1.animation(), nullptr);
  const GifAnimation& movie = *hello_.Flash1.animation();
  EXPECT_EQ(movie.width, Hello::kStageWidth);
  EXPECT_EQ(movie.height, Hello::kStageHeight);
  // 24 frames a second, but for the last frame, which holds the finished drawing a while.
  std::chrono::milliseconds drawing{0};
  for (std::size_t i = 0; i + 1 < movie.frames.size(); ++i) drawing += movie.frames[i].delay;
  const double fps =
      1000.0 * static_cast<double>(movie.frames.size() - 1) / static_cast<double>(drawing.count());
  EXPECT_NEAR(fps, Hello::kFramesPerSecond, 0.5);
  clock_.advance(milliseconds(1000));
  hello_.Flash1.Tick(clock_.now());
  EXPECT_GT(hello_.Flash1.frame_index(), 20);
  EXPECT_EQ(hello_.Image1.tooltip(), " 鼠标点击这里来联系我们 ");
  hello_.GoToWork_Click();
  EXPECT_FALSE(hello_.Flash1.playing());
}

// Help topics: shown, missing file, failing call.
TEST(HelpTopicsTest, EachOutcomeGivesItsMessage) {
  const std::string folder = ::testing::TempDir() + "fb_help_" + std::to_string(::getpid());
  std::filesystem::create_directories(folder);
  const std::string help_file = HelpFilePath(folder);
  EXPECT_TRUE(help_file.ends_with("\\Kivo Workbench 2 帮助系统.chm"));
  fb::os::FileSystemObject fso;
  fb::ui::FormRegistry forms;
  Editor owner(forms);

  fb::ui::HeadlessDialogs dialogs;
  EXPECT_EQ(ShowHelpTopic(dialogs, fso, help_file, "_12.htm", &owner), HelpOutcome::kFileMissing);
  ASSERT_EQ(dialogs.transcript().size(), 1u);
  EXPECT_EQ(dialogs.transcript()[0].text,
            "无法显示帮助目录，可能帮助文件已被移除或损坏，请重新安装帮助文件。");
  EXPECT_EQ(dialogs.transcript()[0].title, "Kivo Workbench 2");
  EXPECT_EQ(dialogs.transcript()[0].style, vb::vbInformation | vb::vbOKOnly);

  // A file that is there but is no help file: damaged, the same message.
  std::ofstream(fb::os::native_path(help_file)) << "chm";
  dialogs.clear_transcript();
  EXPECT_EQ(ShowHelpTopic(dialogs, fso, help_file, "_12.htm", &owner), HelpOutcome::kFileMissing);
  ASSERT_EQ(dialogs.message_boxes().size(), 1u);
  EXPECT_EQ(dialogs.message_boxes()[0].text, kHelpFileMissingMessage);
  EXPECT_TRUE(dialogs.help_requests().empty());

  std::filesystem::copy_file(FB_HELP_FILE, fb::os::native_path(help_file),
                             std::filesystem::copy_options::overwrite_existing);
  dialogs.clear_transcript();
  EXPECT_EQ(ShowHelpTopic(dialogs, fso, help_file, "_12.htm", &owner), HelpOutcome::kShown);
  ASSERT_EQ(dialogs.help_requests().size(), 1u);
  EXPECT_EQ(dialogs.help_requests()[0].topic, "_12.htm");
  EXPECT_EQ(dialogs.help_requests()[0].owner, "Work");
  EXPECT_EQ(dialogs.help_requests()[0].help_file, help_file);
  EXPECT_TRUE(dialogs.message_boxes().empty());

  dialogs.clear_transcript();
  dialogs.fail_next_help(5, "Invalid procedure call or argument");
  EXPECT_EQ(ShowHelpTopic(dialogs, fso, help_file, "_9.htm", &owner), HelpOutcome::kFailed);
  ASSERT_EQ(dialogs.message_boxes().size(), 1u);
  EXPECT_EQ(dialogs.message_boxes()[0].text, "Invalid procedure call or argument");
  EXPECT_EQ(dialogs.message_boxes()[0].style, vb::vbOKOnly);

  // A topic the file does not hold fails the call: its description, in the product's language.
  dialogs.clear_transcript();
  EXPECT_EQ(ShowHelpTopic(dialogs, fso, help_file, "_99.htm", &owner), HelpOutcome::kFailed);
  ASSERT_EQ(dialogs.message_boxes().size(), 1u);
  EXPECT_EQ(dialogs.message_boxes()[0].text, "文件未找到：Kivo Workbench 2 帮助系统.chm::_99.htm");
  EXPECT_TRUE(dialogs.help_requests().empty());
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kivo2d
