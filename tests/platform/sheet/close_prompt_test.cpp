// Closing a workbook with unsaved changes: the host asks whether to save them when alerts are on
// and the caller gave no answer, and never loses the changes the user wanted kept.

#include <gtest/gtest.h>

#include "platform/ui/headless_dialogs.h"
#include "sheet_fixture.h"

namespace fb::sheet {
namespace {

using testing::num;
using ui::vb::vbCancel;
using ui::vb::vbNo;
using ui::vb::vbYes;

// One host with a workbook holding an unsaved change, its questions answered by a script.
struct Scene {
  Scene() {
    app.set_dialogs(&dialogs);
    app.set_workbook_saver([this](Workbook& workbook) {
      ++saves;
      if (!saver_succeeds) return false;
      workbook.set_saved(true);
      return true;
    });
    book.worksheets().item(1).range("A1").set_value(num(1));
  }
  bool book_open() { return app.workbooks().find(name) != nullptr; }

  os::MapEnvironment env;
  Application app{env};
  Workbook& book = app.workbooks().add();
  ui::HeadlessDialogs dialogs;
  std::string name = book.name();
  int saves = 0;
  bool saver_succeeds = true;
};

TEST(ClosePromptTest, TheAnswerDecidesWhetherTheWorkbookIsSavedAndClosed) {
  struct Case {
    const char* what;
    int answer;
    bool saver_succeeds;
    bool closed;
    int saves;
  };
  const Case cases[] = {
      {"Yes saves, then closes", vbYes, true, true, 1},
      {"Yes with the file choice cancelled keeps it open", vbYes, false, false, 1},
      {"No closes without saving", vbNo, true, true, 0},
      {"Cancel keeps it open, unsaved", vbCancel, true, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scene fresh;
    fresh.saver_succeeds = c.saver_succeeds;
    fresh.dialogs.queue_answer(c.answer);
    EXPECT_EQ(fresh.book.close(), c.closed);
    EXPECT_EQ(fresh.book_open(), !c.closed);
    EXPECT_EQ(fresh.saves, c.saves);
    ASSERT_EQ(fresh.dialogs.message_boxes().size(), 1u);
    const ui::DialogRecord box = fresh.dialogs.message_boxes()[0];
    EXPECT_EQ(box.text, "是否保存对“" + fresh.name + "”的更改？");
    EXPECT_EQ(box.buttons, ui::vb::vbYesNoCancel);
  }
}

TEST(ClosePromptTest, NoQuestionWhenNothingIsUnsavedOrTheCallerAnswered) {
  // Strict dialogs: any box here would throw.
  {
    Scene fresh;
    fresh.book.set_saved(true);
    EXPECT_TRUE(fresh.book.close());
  }
  {
    Scene fresh;
    fresh.app.set_display_alerts(false);
    EXPECT_TRUE(fresh.book.close());
    EXPECT_EQ(fresh.saves, 0) << "alerts off drops the changes, as the component asks";
  }
  {
    Scene fresh;
    EXPECT_TRUE(fresh.app.active_window().close(false));
    EXPECT_EQ(fresh.saves, 0);
  }
  {
    Scene fresh;
    EXPECT_TRUE(fresh.book.close(true));
    EXPECT_EQ(fresh.saves, 1);
  }
}

}  // namespace
}  // namespace fb::sheet
