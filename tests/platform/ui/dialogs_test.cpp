#include <gtest/gtest.h>

#include "platform/os/host_error.h"
#include "platform/ui/form.h"
#include "platform/ui/headless_dialogs.h"

namespace fb::ui {
namespace {

using namespace vb;  // NOLINT(google-build-using-namespace): the VB names read best unqualified

TEST(VbConstantsTest, HaveTheirVbValues) {
  EXPECT_EQ(vbOKOnly, 0);
  EXPECT_EQ(vbYesNo, 4);
  EXPECT_EQ(vbCritical, 16);
  EXPECT_EQ(vbQuestion, 32);
  EXPECT_EQ(vbExclamation, 48);
  EXPECT_EQ(vbInformation, 64);
  EXPECT_EQ(vbOK, 1);
  EXPECT_EQ(vbYes, 6);
  EXPECT_EQ(vbNo, 7);
}

TEST(DialogStyleTest, SplitsStylesAndKnowsTheirAnswers) {
  struct Case {
    int style;
    int buttons;
    int icon;
    int default_answer;
  };
  const Case cases[] = {
      {vbOKOnly, vbOKOnly, 0, vbOK},
      {vbInformation, vbOKOnly, vbInformation, vbOK},
      {vbExclamation + vbOKOnly, vbOKOnly, vbExclamation, vbOK},
      {vbQuestion + vbYesNo, vbYesNo, vbQuestion, vbYes},
      {vbQuestion + vbYesNo + vbDefaultButton2, vbYesNo, vbQuestion, vbNo},
      {vbCritical + vbOKCancel, vbOKCancel, vbCritical, vbOK},
      {vbYesNoCancel + vbDefaultButton3, vbYesNoCancel, 0, vbCancel},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(buttons_of(c.style), c.buttons) << c.style;
    EXPECT_EQ(icon_of(c.style), c.icon) << c.style;
    EXPECT_EQ(default_answer(c.style), c.default_answer) << c.style;
  }
  EXPECT_TRUE(answer_allowed(vbYesNo, vbNo));
  EXPECT_FALSE(answer_allowed(vbYesNo, vbOK));
  EXPECT_FALSE(answer_allowed(vbOKOnly, vbYes));
}

TEST(HeadlessDialogsTest, RecordsATranscriptAndAnswersFromTheQueue) {
  HeadlessDialogs dialogs;
  Dialogs& ui = dialogs;
  dialogs.queue_answers({vbNo, vbYes});
  EXPECT_EQ(ui.message_box("请选择相应的节点！", vbInformation, "警告！"), vbOK);
  EXPECT_EQ(ui.message_box("您确认要关闭窗体吗?", vbQuestion + vbYesNo, "警告！请慎重操作"), vbNo);
  EXPECT_EQ(ui.message_box("again?", vbQuestion + vbYesNo, "t"), vbYes);
  EXPECT_EQ(dialogs.pending_answers(), 0u);
  const auto boxes = dialogs.message_boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].text, "请选择相应的节点！");
  EXPECT_EQ(boxes[0].title, "警告！");
  EXPECT_EQ(boxes[0].icon, vbInformation);
  EXPECT_EQ(boxes[0].buttons, vbOKOnly);
  EXPECT_EQ(boxes[0].answer, vbOK);
  EXPECT_EQ(boxes[1].icon, vbQuestion);
  EXPECT_EQ(boxes[1].buttons, vbYesNo);
  EXPECT_EQ(boxes[1].answer, vbNo);
}

TEST(HeadlessDialogsTest, StrictPolicyRefusesAQuestionNobodyAnswered) {
  HeadlessDialogs dialogs;
  EXPECT_THROW(dialogs.message_box("?", vbQuestion + vbYesNo, "t"), UnexpectedDialog);
  dialogs.queue_answer(vbOK);
  EXPECT_EQ(dialogs.message_box("ok box", vbOKOnly, "t"), vbOK);  // takes nothing from the queue
  EXPECT_THROW(dialogs.message_box("?", vbYesNo, "t"), UnexpectedDialog);  // vbOK does not fit
  try {
    dialogs.message_box("?", vbYesNo, "t");
    FAIL();
  } catch (const HostError&) {
    FAIL() << "must not look like a host failure";
  } catch (const UnexpectedDialog& error) {
    EXPECT_NE(std::string(error.what()).find("vbYesNo"), std::string::npos);
  }
}

TEST(HeadlessDialogsTest, DefaultButtonPolicyAnswersEveryBox) {
  HeadlessDialogs dialogs(HeadlessDialogs::Policy::kDefaultButton);
  EXPECT_EQ(dialogs.message_box("?", vbYesNo, "t"), vbYes);
  EXPECT_EQ(dialogs.message_box("?", vbYesNo + vbDefaultButton2, "t"), vbNo);
  dialogs.queue_answer(vbNo);
  EXPECT_EQ(dialogs.message_box("?", vbYesNo, "t"), vbNo);
}

TEST(HeadlessDialogsTest, HelpRequestsAreRecordedInOrderAndMayFail) {
  FormRegistry registry;
  Form work(registry, "Work");
  HeadlessDialogs dialogs;
  std::vector<std::string> seen;
  dialogs.set_on_dialog([&](const DialogRecord& r) {
    seen.push_back(r.kind == DialogRecord::Kind::kHelp ? "help " + r.topic : "box " + r.text);
  });
  dialogs.message_box("W1", vbInformation, "Kivo Workbench 2");
  dialogs.show_help("C:\\x\\help.chm", "_9.htm", &work);
  dialogs.fail_next_help(5, "Invalid procedure call or argument");
  try {
    dialogs.show_help("C:\\x\\help.chm", "_12.htm", nullptr);
    FAIL();
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), 5);
  }
  dialogs.show_help("h.chm", "_10.htm", nullptr);  // the failure was used up
  EXPECT_EQ(seen,
            (std::vector<std::string>{"box W1", "help _9.htm", "help _12.htm", "help _10.htm"}));
  const auto help = dialogs.help_requests();
  ASSERT_EQ(help.size(), 3u);
  EXPECT_EQ(help[0].owner, "Work");
  EXPECT_EQ(help[0].help_file, "C:\\x\\help.chm");
  EXPECT_FALSE(help[0].failed);
  EXPECT_TRUE(help[1].failed);
  EXPECT_EQ(help[1].owner, "");
  EXPECT_EQ(dialogs.transcript().size(), 4u);
  dialogs.clear_transcript();
  EXPECT_TRUE(dialogs.transcript().empty());
}

}  // namespace
}  // namespace fb::ui
