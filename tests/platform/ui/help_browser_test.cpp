// The help window's model on the product's help file: opening at a topic, following links,
// going back and forward.
#include "platform/ui/help_browser.h"

#include <gtest/gtest.h>

#include "platform/os/host_error.h"

namespace fb::ui {
namespace {

TEST(HelpBrowser, OpensAtTheTopicAndFollowsLinksWithAHistory) {
  HelpBrowser help(FB_HELP_FILE, "_12.htm");
  EXPECT_EQ(help.topic(), "_12.htm");
  EXPECT_EQ(help.page_title(), "使用编辑窗口");
  EXPECT_NE(help.page().find("生成报表"), std::string::npos);
  EXPECT_EQ(help.contents().size(), 4u);
  EXPECT_FALSE(help.can_go_back());

  EXPECT_EQ(help.Follow("_10.htm"), HelpBrowser::LinkResult::kShown);
  EXPECT_EQ(help.page_title(), "允许访问 VBA 项目");
  EXPECT_EQ(help.Follow("_9.htm#top"), HelpBrowser::LinkResult::kShown);
  EXPECT_EQ(help.topic(), "_9.htm");

  help.Back();
  help.Back();
  EXPECT_EQ(help.topic(), "_12.htm");
  EXPECT_FALSE(help.can_go_back());
  help.Forward();
  EXPECT_EQ(help.topic(), "_10.htm");
  // A new way from the middle of the history drops the old way forward.
  EXPECT_TRUE(help.Show("_1.htm"));
  EXPECT_FALSE(help.can_go_forward());
  help.Back();
  EXPECT_EQ(help.topic(), "_10.htm");

  std::string address;
  EXPECT_EQ(help.Follow("https://kivo2.example/", &address), HelpBrowser::LinkResult::kOutside);
  EXPECT_EQ(address, "https://kivo2.example/");
  EXPECT_EQ(help.Follow("nothing.htm"), HelpBrowser::LinkResult::kNowhere);
  EXPECT_FALSE(help.Show("nothing.htm"));
  EXPECT_EQ(help.topic(), "_10.htm");
}

TEST(HelpBrowser, NoTopicOpensTheDefaultOneAMissingTopicIsAnError) {
  EXPECT_EQ(HelpBrowser(FB_HELP_FILE, "").topic(), "_1.htm");
  try {
    HelpBrowser help(FB_HELP_FILE, "_99.htm");
    ADD_FAILURE() << "opened";
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), 53);
    EXPECT_EQ(error.description(), "文件未找到：Kivo Workbench 2 帮助系统.chm::_99.htm");
  }
}

}  // namespace
}  // namespace fb::ui
