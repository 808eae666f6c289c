// The generation command ("生成报表") as the user meets it: the editor opened from the command bar,
// the host locked while the run goes and unlocked after every path, and the messages in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addin_fixture.h"
#include "platform/office/office_host.h"
#include "platform/sheet/fault_injection.h"
#include "platform/sheet/range.h"
#include "platform/sheet/workbook.h"
#include "src/component/analysis_sheet.h"
#include "src/editor/cause_tree.h"

namespace kivo2d {
namespace {

namespace vb = fb::ui::vb;
using fb::office::OfficeHost;
using testing::Transcript;

const std::string kSuccessBox =
    "[提示] 已经完成报告，剩下的部分需要您自己动手了 ^-^ \r\r若您有建议和/或疑问，请联络我们。";
const std::string kFailureBox =
    "[错误] 由于不可识别的错误，程序运行终止！给您带来的不便，深表歉意。\r\r请联络我们为您解决。";
const std::string kNodeCheckBox = "[警告！] 请确认:您录入的主原因下是否至少存在一个子原因！";
const std::string kHelpMissingBox =
    "[Kivo Workbench 2] 无法显示帮助目录，可能帮助文件已被移除或损坏，请重新安装帮助文件。";

std::string TrustBox() {
  const char* lines[] = {
      "由于“不信任到 Visual Basic Project 的程序连接”，程序无法继续进行！",
      " ",
      "注：",
      " ",
      "1. 在 Excel 2003 请在： 菜单 工具 → 宏 → 安全性 → 可靠发行商",
      "    选中“信任对于 Visiual Basic 项目的访问”，请选择后按确定。",
      " ",
      "2. 在 Excel 2007 请在： Excel选项 → 信任中心 → 信任中心设置 → 宏设置",
      "    选中“信任对VBA工程对象模型的访问”，请选择后按确定。",
      " ",
      "详情请参阅本加载项“安装与初始化”的相关内容。",
  };
  std::string text = "[警告！] ";
  for (const char* line : lines) text += std::string(line) + "\r";
  text.pop_back();
  return text;
}

// The lockable menus of the host: the twelve toolbox controls, the "Visual Basic" bar and the
// macro entry, as "1" (enabled) or "0", in that order.
std::string MenuStates(OfficeHost& office) {
  fb::office::CommandBars& bars = office.command_bars();
  std::string out;
  auto& toolbox = bars.item(OfficeHost::kControlToolboxPosition).controls();
  for (int i = 4; i <= std::min(15, toolbox.count()); ++i)
    out += toolbox.item(i).enabled() ? "1" : "0";
  out += " ";
  out += bars.item(OfficeHost::kVisualBasicBar).enabled() ? "1" : "0";
  out += bars.item(1)
                 .controls()
                 .item(OfficeHost::kToolsMenu)
                 .controls()
                 .item(OfficeHost::kMacroMenu)
                 .enabled()
             ? "1"
             : "0";
  return out;
}

class GenerateReportTest : public testing::AddinFixture {
 public:
  // What every path that ends the command leaves: the host accepts input again with its keys and
  // menus, the editor's command-bar button works, the next run starts afresh.
  void ExpectHostRestored() {
    EXPECT_TRUE(app().enable_events());
    EXPECT_TRUE(app().interactive());
    EXPECT_TRUE(office().keys().all_default());
    EXPECT_EQ(MenuStates(office()).find('0'), std::string::npos) << MenuStates(office());
    EXPECT_TRUE(host().FishboneButton(1).enabled());
    EXPECT_FALSE(component().export_failed);
    EXPECT_FALSE(editor().loaded());
    EXPECT_FALSE(component().forms().find("ProgressGif"));
    EXPECT_TRUE(app().visible());
    EXPECT_TRUE(app().screen_updating());
  }
  void Generate() { ASSERT_TRUE(editor().AddFishbone.click()); }
};

// The run with its locks, seen from inside the pipeline, for both host versions.
TEST_F(GenerateReportTest, TheRunLocksTheHostAndTheSuccessPathUnlocksIt) {
  struct Case {
    const char* version;
    std::string menus_during_run;
  };
  for (const Case& c : {Case{"11.0", "000000000000 00"}, Case{"12.0", "111111111111 11"}}) {
    SCOPED_TRACE(c.version);
    MakeHost(c.version);
    dialogs_.clear_transcript();
    ConnectAndOpenEditor();
    office().set_vbe_main_window_visible(true);
    Touch(ExchangeFile());  // left by an earlier run after the editor opened

    struct Seen {
      bool events, interactive, editor_loaded, editor_visible, progress_shown;
      fb::sheet::CancelKey cancel_key;
      std::optional<std::string> f11, f8;
      std::string menus;
    };
    std::optional<Seen> seen;
    component().after_step = [&](int step) {
      if (step != 1) return;
      seen = Seen{app().enable_events(),
                  app().interactive(),
                  editor().loaded(),
                  editor().visible(),
                  component().forms().is_form_shown("ProgressGif"),
                  app().enable_cancel_key(),
                  office().keys().assignment("%{F11}"),
                  office().keys().assignment("%{F8}"),
                  MenuStates(office())};
    };
    bool editor_loaded_at_success = false;
    dialogs_.set_on_dialog([&](const fb::ui::DialogRecord&) {
      editor_loaded_at_success = editor().loaded() && !editor().visible();
    });

    Generate();

    ASSERT_TRUE(seen);
    EXPECT_FALSE(seen->events);
    EXPECT_FALSE(seen->interactive);
    EXPECT_TRUE(seen->editor_loaded);
    EXPECT_FALSE(seen->editor_visible);
    EXPECT_TRUE(seen->progress_shown);
    EXPECT_EQ(seen->cancel_key, fb::sheet::CancelKey::Disabled);
    EXPECT_EQ(seen->f11, "");
    EXPECT_EQ(seen->f8, "");
    EXPECT_EQ(seen->menus, c.menus_during_run);

    EXPECT_EQ(Transcript(dialogs_), std::vector<std::string>{kSuccessBox});
    EXPECT_EQ(dialogs_.transcript()[0].style, vb::vbInformation | vb::vbOKOnly);
    EXPECT_TRUE(editor_loaded_at_success);
    ExpectHostRestored();
    // Left as the command set them.
    EXPECT_EQ(app().enable_cancel_key(), fb::sheet::CancelKey::Disabled);
    EXPECT_FALSE(office().vbe_main_window_visible());
    ASSERT_EQ(office().keys().sent().size(), 1u);
    EXPECT_EQ(office().keys().sent()[0].keys, "%q");
    EXPECT_FALSE(office().keys().sent()[0].wait);
    // The tree went through the whole pipeline: the generation workbook is closed, the report
    // workbook is left active with the chart pictures placed, and the clipboard is empty.
    EXPECT_EQ(app().workbooks().find(std::string(kExchangeFileName)), nullptr);
    EXPECT_EQ(app().active_workbook().name(), "Fishbone Diagram Report1");
    EXPECT_FALSE(app().clipboard().has_shapes());
    dialogs_.set_on_dialog({});
  }
}

TEST_F(GenerateReportTest, AFailedRunReportsAfterTheEditorIsGoneAndTheNextRunStartsClean) {
  MakeHost("11.0");
  ConnectAndOpenEditor();
  app().faults().fail_on(fb::sheet::HostOperation::WorkbooksOpen, 1, 1004, "injected");
  bool editor_loaded_at_box = true;
  dialogs_.set_on_dialog(
      [&](const fb::ui::DialogRecord&) { editor_loaded_at_box = editor().loaded(); });

  Generate();
  EXPECT_EQ(Transcript(dialogs_), std::vector<std::string>{kFailureBox});
  EXPECT_EQ(dialogs_.transcript()[0].style, vb::vbCritical | vb::vbOKOnly);
  EXPECT_FALSE(editor_loaded_at_box);
  ExpectHostRestored();

  dialogs_.clear_transcript();
  ASSERT_TRUE(host().ClickFishboneButton("Add Fishbone(&D)"));
  Generate();
  EXPECT_EQ(Transcript(dialogs_), std::vector<std::string>{kSuccessBox});
  ExpectHostRestored();
}

// The panel's choices at the click are the run's options; the next run takes the panel afresh.
TEST_F(GenerateReportTest, ThePanelsChoicesReachTheRun) {
  MakeHost("12.0");
  ConnectAndOpenEditor();
  editor().Settings.Option1.select(2);
  editor().Settings.Option3.select(2);
  editor().Settings.Option4.select(0);
  GenerationOptions expected;
  expected.font = DiagramFont::kHei;
  expected.line_length = 10;
  expected.head = HeadSide::kRight;
  const std::vector<ExchangeNode> tree = ExchangeNodes(editor().TreeView1);
  Generate();
  EXPECT_EQ(Transcript(dialogs_), std::vector<std::string>{kSuccessBox});
  EXPECT_EQ(component().generation_options, expected);

  // The report keeps the tree and the choices behind its report sheet, which stays in front.
  fb::sheet::Workbook& report = app().active_workbook();
  ASSERT_EQ(report.worksheets().count(), 2);
  EXPECT_EQ(&report.active_sheet(), &report.worksheets().item(1));
  EXPECT_EQ(report.active_sheet().selection().address(), "$A$1");
  fb::sheet::Worksheet& kept = report.worksheets().item(2);
  EXPECT_EQ(kept.name(), kAnalysisSheetName);
  EXPECT_EQ(kept.visible(), fb::sheet::SheetVisibility::VeryHidden);
  std::map<fb::sheet::CellAddress, std::string> cells;
  for (int row = 1; row <= 20; ++row) {
    for (int column = 1; column <= 6; ++column) {
      const std::string text = kept.cells(row, column).text();
      if (!text.empty()) cells[{row, column}] = text;
    }
  }
  const AnalysisReadResult read = ReadAnalysisSheet(cells);
  EXPECT_TRUE(read.problems.empty());
  ASSERT_EQ(read.rows.size(), tree.size());
  for (std::size_t i = 0; i < tree.size(); ++i) EXPECT_EQ(read.rows[i].node, tree[i]);
  EXPECT_EQ(read.options, expected);

  ASSERT_TRUE(host().ClickFishboneButton("Add Fishbone(&D)"));
  Generate();
  EXPECT_EQ(component().generation_options, GenerationOptions{});
}

// " 自动适配 " hands the panel's choices to the host's fitting and runs with what it returns; off,
// or with a host that cannot fit, the panel's choices run as they are.
TEST_F(GenerateReportTest, AutoFitRunsWithTheHostsFittedChoices) {
  MakeHost("12.0");
  ConnectAndOpenEditor();
  std::vector<GenerationOptions> asked;
  GenerationOptions fitted;
  fitted.size = DiagramSize::kNo8;
  fitted.line_length = 10;
  component().fit_layout = [&](const GenerationOptions& given) {
    asked.push_back(given);
    return fitted;
  };
  Generate();  // the box is off
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(component().generation_options, GenerationOptions{});

  ASSERT_TRUE(host().ClickFishboneButton("Add Fishbone(&D)"));
  editor().Settings.Option1.select(1);
  editor().Settings.Check3.set_value(fb::ui::CheckBox::kChecked);
  dialogs_.clear_transcript();
  Generate();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].font, DiagramFont::kSong);
  EXPECT_EQ(component().generation_options, fitted);
  EXPECT_EQ(Transcript(dialogs_), std::vector<std::string>{kSuccessBox});

  ASSERT_TRUE(host().ClickFishboneButton("Add Fishbone(&D)"));
  editor().Settings.Check3.set_value(fb::ui::CheckBox::kChecked);
  component().fit_layout = nullptr;
  Generate();
  EXPECT_EQ(component().generation_options, GenerationOptions{});
}

// Without trust in the VBA project: the warning and help topic "_10.htm", no run, everything
// given back. The help outcome varies; the rest does not.
TEST_F(GenerateReportTest, TheTrustPathExplainsAndRestoresEverything) {
  struct Case {
    const char* name;
    bool help_file;
    bool help_fails;
    std::vector<std::string> transcript;
  };
  const Case cases[] = {
      {"help shown", true, false, {TrustBox(), "help _10.htm"}},
      {"help file missing", false, false, {TrustBox(), kHelpMissingBox}},
      {"help call fails", true, true, {TrustBox(), "help _10.htm", "[KIVO2D] 帮助系统出错"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeHost("11.0");
    dialogs_.clear_transcript();
    if (!c.help_file) std::filesystem::remove(HelpFile());
    ConnectAndOpenEditor();
    office().set_trust_vba_project_access(false);
    office().set_vbe_main_window_visible(true);
    if (c.help_fails) dialogs_.fail_next_help(1004, "帮助系统出错");
    std::string menus_at_warning;
    dialogs_.set_on_dialog([&](const fb::ui::DialogRecord& r) {
      if (r.text.starts_with("由于“不信任")) menus_at_warning = MenuStates(office());
    });

    Generate();

    EXPECT_EQ(Transcript(dialogs_), c.transcript);
    EXPECT_EQ(dialogs_.transcript()[0].style, vb::vbExclamation | vb::vbOKOnly);
    for (const auto& r : dialogs_.help_requests()) EXPECT_EQ(r.owner, "Work");
    if (c.help_fails) {
      EXPECT_EQ(dialogs_.transcript()[2].style, vb::vbOKOnly);
    }
    EXPECT_EQ(menus_at_warning, "000000000000 00");
    ExpectHostRestored();
    EXPECT_FALSE(std::filesystem::exists(ExchangeFile()));
    EXPECT_EQ(app().workbooks().count(), 0);  // the pipeline never ran
    // "%q" still reached the editor's window, which the component itself could not touch.
    EXPECT_FALSE(office().vbe_main_window_visible());
    dialogs_.set_on_dialog({});
    InstallHelpFile();
  }
}

TEST_F(GenerateReportTest, AMainCauseWithoutChildStopsAtTheWarningWithNothingLocked) {
  ConnectAndOpenEditor();
  editor().TreeView1.select(editor().TreeView1.find("A21"));
  dialogs_.queue_answer(vb::vbYes);
  editor().ButtonCm3_Click();
  dialogs_.clear_transcript();

  Generate();
  EXPECT_EQ(Transcript(dialogs_), std::vector<std::string>{kNodeCheckBox});
  EXPECT_EQ(dialogs_.transcript()[0].style, vb::vbExclamation | vb::vbOKOnly);
  EXPECT_TRUE(editor().visible());
  EXPECT_TRUE(app().enable_events());
  EXPECT_TRUE(app().interactive());
  EXPECT_EQ(app().enable_cancel_key(), fb::sheet::CancelKey::Interrupt);
  EXPECT_TRUE(office().keys().sent().empty());
  EXPECT_FALSE(std::filesystem::exists(ExchangeFile()));
  EXPECT_FALSE(host().FishboneButton(1).enabled());  // the editor is still open
}

// A caption the report cannot show stops the command at a warning naming the node, as a
// childless main cause does: an empty one, and one longer than 255 characters.
TEST_F(GenerateReportTest, AnEmptyOrOverlongCaptionStopsAtAWarningNamingTheNode) {
  struct Case {
    const char* key;
    std::string caption;
    std::string box;
  };
  const Case cases[] = {
      {"A12", "", "[警告！] 请确认:每个原因都有文字！\r\r文字为空的节点：A12"},
      {"A", std::string(256, 'x'),
       "[警告！] 请确认:每个原因的文字不超过255个字符！\r\r文字过长的节点：A"},
  };
  ConnectAndOpenEditor();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    fb::ui::TreeNode& node = *editor().TreeView1.find(c.key);
    const std::string before = node.text();
    node.set_text(c.caption);
    dialogs_.clear_transcript();
    Generate();
    EXPECT_EQ(Transcript(dialogs_), std::vector<std::string>{c.box});
    EXPECT_TRUE(editor().visible());  // the user mends the caption and generates again
    EXPECT_TRUE(app().interactive());
    EXPECT_FALSE(std::filesystem::exists(ExchangeFile()));
    node.set_text(before);
  }
}

// Runs that cannot be prepared end as a failed run does, with our own reason.
TEST_F(GenerateReportTest, ARunThatCannotBePreparedUnlocksAndSaysWhy) {
  struct Case {
    const char* name;
    std::function<void(GenerateReportTest&)> spoil;
    const char* reason;  // what the host said, in the product's language
  };
  const Case cases[] = {
      {"exchange file cannot be written",
       [](GenerateReportTest& t) { std::filesystem::create_directories(t.ExchangeFile()); },
       "原因：路径/文件访问错误（错误 75）"},
      {"a locked control is missing",
       [](GenerateReportTest& t) {
         t.office().command_bars().item(OfficeHost::kControlToolboxPosition).controls().remove(15);
       },
       "原因：无效的过程调用或参数（错误 5）"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeHost("11.0");
    dialogs_.clear_transcript();
    ConnectAndOpenEditor();
    c.spoil(*this);
    bool editor_loaded_at_box = true;
    dialogs_.set_on_dialog(
        [&](const fb::ui::DialogRecord&) { editor_loaded_at_box = editor().loaded(); });

    Generate();

    ASSERT_EQ(dialogs_.transcript().size(), 1u);
    const fb::ui::DialogRecord& box = dialogs_.transcript()[0];
    EXPECT_EQ(box.title, "错误");
    EXPECT_EQ(box.style, vb::vbCritical | vb::vbOKOnly);
    EXPECT_TRUE(box.text.starts_with("报表生成的准备工作未能完成，程序运行终止！")) << box.text;
    EXPECT_TRUE(box.text.ends_with("\r\r请联络我们为您解决。")) << box.text;
    EXPECT_NE(box.text.find(c.reason), std::string::npos) << box.text;
    EXPECT_FALSE(editor_loaded_at_box);
    ExpectHostRestored();
    EXPECT_EQ(app().workbooks().count(), 0);
    dialogs_.set_on_dialog({});
    std::filesystem::remove_all(ExchangeFile());
  }
}

}  // namespace
}  // namespace kivo2d
