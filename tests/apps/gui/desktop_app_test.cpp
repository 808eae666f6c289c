// The desktop host as a user meets it: start-up, the "Fishbone" bar, the editor from the bar, a
// generation with the window kept alive, the report filled in, saved, exported and closed, and the
// analysis coming back after the program was killed.

#include "apps/fishbone-gui/desktop_app.h"

#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

#include <QAction>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "apps/fishbone-gui/desktop_settings.h"
#include "apps/fishbone-gui/qt_translations.h"
#include "apps/fishbone/sample_analysis.h"
#include "apps/gui/desk.h"
#include "platform/os/atomic_file.h"
#include "platform/os/host_error.h"
#include "platform/os/registry.h"
#include "platform/sheet/range.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"
#include "platform/ui/headless_dialogs.h"
#include "platform/ui/qt/help_window.h"
#include "platform/ui/qt/sheet/sheet_view.h"
#include "platform/ui/qt/sheet/workbook_view.h"
#include "src/addin/component_windows.h"
#include "src/addin/registration.h"
#include "src/editor/work.h"
#include "support/python_reader.h"

namespace {

namespace vb = fb::ui::vb;
namespace fs = std::filesystem;
using fishbone_gui::DesktopApp;
using gui_test::Desk;
using gui_test::ReadFile;

QAction* ToolBarAction(DesktopApp& app, const QString& caption) {
  QToolBar* bar = app.window().tool_bar("Fishbone");
  if (bar == nullptr) return nullptr;
  for (QAction* action : bar->actions()) {
    if (action->text() == caption) return action;
  }
  return nullptr;
}

// Takes the addresses the desktop asks the system to open.
class UrlCatcher : public QObject {
  Q_OBJECT

 public slots:
  void open(const QUrl& url) { opened = url; }

 public:
  QUrl opened;
};

// An entry of the host's menus by its caption.
QAction* MenuAction(DesktopApp& app, const QString& caption) {
  for (QAction* action : app.window().menuBar()->findChildren<QAction*>()) {
    if (action->text() == caption) return action;
  }
  return nullptr;
}

// Pixels of the grab inside `box` that are neither white nor the grid's grey.
int InkPixels(const QImage& image, const QRect& box) {
  int ink = 0;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.lightness() < 160) ++ink;
    }
  }
  return ink;
}

}  // namespace

class DesktopAppTest : public QObject {
  Q_OBJECT

 private slots:
  void start_up_registers_connects_and_shows_the_fishbone_bar() {
    Desk desk;
    auto app = desk.Make();
    app->window().show();
    app->Start();
    // Registered as "fishbone register" does, loaded at start-up.
    const fb::os::Registry registry = fb::os::Registry::load(app->registry_file());
    QVERIFY(registry.key_exists(kivo2d::ClassKey(kivo2d::kConnectProgId)));
    QCOMPARE(registry.dword_value(kivo2d::AddinKey(), "LoadBehavior").value_or(0), 3u);
    QVERIFY(app->AddinConnected());
    QAction* add = ToolBarAction(*app, "Add Fishbone(&D)");
    QAction* about = ToolBarAction(*app, "About Fishbone(&B)");
    QVERIFY(add != nullptr && about != nullptr);
    QVERIFY(!add->icon().isNull() && !about->icon().isNull());
    QCOMPARE(app->window().toolBarArea(app->window().tool_bar("Fishbone")), Qt::LeftToolBarArea);
    // The welcome window came and went by itself, waiting on the component's clock.
    QVERIFY(desk.clock.now().time_since_epoch().count() > 0);

    // The bar's buttons show their mnemonics, and Alt+D opens the editor as a click does; while
    // it is open the bar's first button is disabled.
    auto* add_button =
        qobject_cast<QToolButton*>(app->window().tool_bar("Fishbone")->widgetForAction(add));
    QVERIFY(add_button != nullptr);
    QCOMPARE(add_button->text(), QString("Add Fishbone(&D)"));
    // The welcome window went while active: the host's window is active after it, not none.
    QTRY_COMPARE(QApplication::activeWindow(), &app->window());
    QTest::keyClick(&app->window(), Qt::Key_D, Qt::AltModifier);
    QTRY_VERIFY(app->Editor() != nullptr);
    QVERIFY(!ToolBarAction(*app, "Add Fishbone(&D)")->isEnabled());

    // The editor's Help finds the help file the build made, not "the help file was removed".
    desk.dialogs.clear_transcript();
    app->Editor()->Help.click();
    const auto help = desk.dialogs.help_requests();
    QCOMPARE(help.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(help[0].topic), QString("_12.htm"));
    QVERIFY(desk.dialogs.message_boxes().empty());
  }

  void a_generation_keeps_the_window_alive_and_leaves_the_report_to_complete() {
    Desk desk;
    auto app = desk.Make();
    app->window().resize(1280, 800);
    app->window().show();
    app->Start();
    QVERIFY(app->OpenAnalysis(desk.sample));
    kivo2d::Work* editor = app->Editor();
    QVERIFY(editor != nullptr);
    QCOMPARE(editor->TreeView1.count(), 34);
    for (const fb::ui::TreeNode* node : editor->TreeView1.nodes()) {
      QVERIFY2(node->expanded() || node->child_count() == 0, "an opened analysis shows every node");
    }
    // A last change straight before the generation, before any tick of the recovery timer.
    editor->TreeView1.at(2).set_text("夜班新员工未经培训就上岗");

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(0);
    const int pumps_before = app->pump().count();
    editor->AddFishbone.click();
    ticker.stop();
    QVERIFY2(app->pump().count() - pumps_before > 14, "the component pumped after every step");
    QVERIFY2(ticks > 0, "Qt's events ran while the generation ran");
    QVERIFY(app->Editor() == nullptr);
    // The analysis the report was made from is not gone with the editor: it can still be saved.
    const fs::path kept = fs::path(desk.home.path().toStdString()) / "kept.txt";
    QVERIFY(app->SaveAnalysis(kept));
    QVERIFY(ReadFile(kept).find("夜班新员工未经培训就上岗") != std::string::npos);
    // The host hid its window for the run and shows it again.
    QTRY_VERIFY_WITH_TIMEOUT(app->window().isVisible(), 5000);
    const auto boxes = desk.dialogs.message_boxes();
    QVERIFY(!boxes.empty());
    QCOMPARE(QString::fromStdString(boxes.back().title), QString("提示"));

    // The report is open, unsaved, on its own tab, drawn with its diagram.
    fb::sheet::Workbook& report = app->app().active_workbook();
    QVERIFY(QString::fromStdString(report.name()).startsWith("Fishbone Diagram Report"));
    QVERIFY(!report.saved());
    fb::ui::qt::WorkbookView* view = app->window().current_view();
    QVERIFY(view != nullptr && &view->workbook() == &report);
    fb::ui::qt::SheetView& grid = view->sheet_view();
    const QImage shot = grid.viewport()->grab().toImage();
    const QRect diagram = grid.cell_rect({{9, 3}, {20, 20}}).intersected(shot.rect());
    QVERIFY(!diagram.isEmpty());
    QVERIFY2(InkPixels(shot, diagram) > 2000, "the diagram picture is painted over the cells");
    const QRect empty_margin = grid.cell_rect({{1, 1}, {1, 1}}).adjusted(3, 3, -3, -3);
    QCOMPARE(InkPixels(shot, empty_margin), 0);

    // The user types the plant's name into the entry cell under "工场名：" and undoes a slip.
    grid.setFocus();
    grid.select_cell({7, 6});
    QTest::keyClicks(&grid, "X");
    QTest::keyClick(grid.findChild<QLineEdit*>(), Qt::Key_Return);
    QCOMPARE(QString::fromStdString(report.active_sheet().range("F7").text()), QString("X"));
    QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(QString::fromStdString(report.active_sheet().range("F7").text()), QString());
    grid.select_cell({7, 6});
    grid.begin_edit("注塑一车间", true);
    grid.commit_edit();
    QCOMPARE(QString::fromStdString(report.active_sheet().range("F7").text()),
             QString("注塑一车间"));

    // Saved as .xlsx: the tab takes the file's name without an asterisk, a real reader finds
    // the entry.
    const fs::path xlsx = fs::path(desk.home.path().toStdString()) / "报表.xlsx";
    QVERIFY(app->SaveWorkbookAs(report, xlsx));
    QVERIFY(report.saved());
    QCOMPARE(QString::fromStdString(report.name()), QString("报表.xlsx"));
    auto* tabs = qobject_cast<QTabWidget*>(app->window().centralWidget());
    QVERIFY(tabs != nullptr);
    QCOMPARE(tabs->tabText(tabs->indexOf(view)), QString("报表.xlsx"));
    QCOMPARE(app->window().windowTitle(), QString("报表.xlsx"));
    // Files made from it are proposed under its name, not its file's name and another extension.
    desk.next_file.clear();  // the user cancels each choice
    desk.proposed_names.clear();
    for (const char* command : {"导出 PDF(&E)...", "另存为(&A)..."}) {
      QVERIFY(app->RunMenuCommand(command));
    }
    QCOMPARE(desk.proposed_names, (std::vector<std::string>{"报表.pdf", "报表.xlsx"}));
    if (auto python = fbtest::PythonWith("openpyxl")) {
      const auto read = fbtest::RunCommand(
          *python + " -c \"import openpyxl,sys; ws=openpyxl.load_workbook(sys.argv[1]).active; " +
          "print(ws['F7'].value); print(ws['F6'].value)\" '" + xlsx.string() + "'");
      QCOMPARE(read.status, 0);
      QVERIFY2(read.output.find("注塑一车间") != std::string::npos, read.output.c_str());
      QVERIFY2(read.output.find("工场名") != std::string::npos, read.output.c_str());
    }

    // 保存 (Ctrl+S) writes a workbook that has its file to that file, asking nothing.
    QAction* save = MenuAction(*app, "保存(&S)");
    QVERIFY(save != nullptr);
    QCOMPARE(save->shortcut(), QKeySequence(QKeySequence::Save));
    report.active_sheet().range("F8").set_value("二班");
    QVERIFY(!report.saved());
    const std::string before = ReadFile(xlsx);
    save->trigger();
    QVERIFY(desk.proposed_names.size() == 2);  // no new question
    QVERIFY(report.saved());
    QVERIFY(ReadFile(xlsx) != before);

    // Exported as one A4 landscape page.
    const fs::path pdf = fs::path(desk.home.path().toStdString()) / "report.pdf";
    QVERIFY(app->ExportPdf(report.active_sheet(), pdf));
    const std::string bytes = ReadFile(pdf);
    QVERIFY(bytes.rfind("%PDF", 0) == 0);
    std::size_t pages = 0;
    for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos;
         at = bytes.find("/Type /Page", at + 1)) {
      if (bytes.compare(at, 12, "/Type /Pages") != 0) ++pages;
    }
    QCOMPARE(pages, std::size_t{1});
    QVERIFY(bytes.find("/MediaBox [ 0 0 841.89 595.28 ]") != std::string::npos);

    // The report keeps its analysis out of sight: one sheet tab shows. Opened as an analysis,
    // the saved report gives its tree back to the editor, with the last change in it.
    auto* sheet_tabs = view->findChild<QTabBar*>();
    QVERIFY(sheet_tabs != nullptr);
    int shown_tabs = 0;
    for (int i = 0; i < sheet_tabs->count(); ++i) shown_tabs += sheet_tabs->isTabVisible(i);
    QCOMPARE(shown_tabs, 1);
    QVERIFY(app->OpenAnalysis(xlsx));
    QVERIFY(app->Editor() != nullptr);
    QCOMPARE(app->Editor()->TreeView1.count(), 34);
    QCOMPARE(QString::fromStdString(app->Editor()->TreeView1.at(2).text()),
             QString("夜班新员工未经培训就上岗"));
  }

  void closing_asks_before_unsaved_changes_are_lost() {
    Desk desk;
    auto app = desk.Make();
    app->window().show();
    app->Start();

    // The start-up workbook saved, a second one may not take its file name: refused before the
    // file is touched, and that second one stays as it was.
    fb::sheet::Workbook& first = app->app().active_workbook();
    const fs::path taken = fs::path(desk.home.path().toStdString()) / "taken.xlsx";
    QVERIFY(app->SaveWorkbookAs(first, taken));
    const std::string bytes = ReadFile(taken);
    app->NewWorkbook();
    fb::sheet::Workbook& book = app->app().active_workbook();
    const std::string name = book.name();
    book.active_sheet().range("A1").set_value("待保存");
    QVERIFY(!book.saved());
    QVERIFY(!app->SaveWorkbookAs(book, taken));
    QVERIFY(desk.dialogs.message_boxes().back().text.find("taken.xlsx") != std::string::npos);
    QCOMPARE(ReadFile(taken), bytes);
    QCOMPARE(book.name(), name);
    QVERIFY(!book.saved());

    desk.dialogs.queue_answer(vb::vbCancel);
    QVERIFY(!app->CloseWorkbook(book));
    QVERIFY(app->app().workbooks().find(name) != nullptr);
    const auto box = desk.dialogs.message_boxes().back();
    QCOMPARE(QString::fromStdString(box.text),
             QString::fromStdString("是否保存对“" + name + "”的更改？"));
    QCOMPARE(box.buttons, vb::vbYesNoCancel);

    // Quitting asks the same; Cancel keeps the host running with the workbook.
    desk.dialogs.queue_answer(vb::vbCancel);
    QVERIFY(!app->MayQuit());
    QVERIFY(app->AddinConnected());

    // Yes with a file chosen saves it, then closes.
    desk.next_file = (fs::path(desk.home.path().toStdString()) / "kept.xlsx").string();
    desk.dialogs.queue_answer(vb::vbYes);
    QVERIFY(app->MayQuit());
    QVERIFY(fs::exists(desk.next_file));
    QVERIFY(!app->AddinConnected());
  }

  void the_ready_text_comes_back_after_a_menu_tip() {
    Desk desk;
    auto app = desk.Make();
    app->window().show();
    auto* ready = app->window().statusBar()->findChild<QLabel*>("ready");
    QVERIFY(ready != nullptr);
    QCOMPARE(ready->text(), QString("就绪"));
    // What a menu entry under the pointer and then none send to the window.
    QStatusTipEvent tip(QStringLiteral("打开分析"));
    QCoreApplication::sendEvent(&app->window(), &tip);
    QCOMPARE(app->window().statusBar()->currentMessage(), QString("打开分析"));
    QStatusTipEvent gone{QString()};
    QCoreApplication::sendEvent(&app->window(), &gone);
    QVERIFY(ready->isVisible());
  }

  void qt_own_dialogs_speak_chinese() {
    QDialogButtonBox english(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(english.button(QDialogButtonBox::Ok)->text(), QString("OK"));
    QVERIFY2(fishbone_gui::InstallQtChineseTexts(*QCoreApplication::instance()),
             "Qt's Chinese translation files are installed");
    QDialogButtonBox chinese(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(chinese.button(QDialogButtonBox::Ok)->text(), QString("确定"));
    QCOMPARE(chinese.button(QDialogButtonBox::Cancel)->text(), QString("取消"));
  }

  void quitting_while_a_generation_holds_the_host_is_refused_with_a_message() {
    Desk desk;
    auto app = desk.Make();
    app->window().show();
    app->Start();
    app->NewWorkbook();
    app->app().active_sheet().range("A1").set_value("未保存");
    app->app().set_interactive(false);
    const std::size_t boxes_before = desk.dialogs.message_boxes().size();
    QVERIFY(!app->MayQuit());
    QVERIFY(!app->window().close());
    QVERIFY(app->AddinConnected());
    const auto boxes = desk.dialogs.message_boxes();
    // Told why, twice, and asked nothing: no save question came up under the run.
    QCOMPARE(boxes.size(), boxes_before + 2);
    QVERIFY(QString::fromStdString(boxes.back().text).contains("正在生成"));
    app->app().set_interactive(true);
    desk.dialogs.queue_answer(fb::ui::vb::vbNo);
    QVERIFY(app->MayQuit());
  }

  void input_to_the_host_window_is_ignored_while_the_host_is_not_interactive() {
    Desk desk;
    auto app = desk.Make();
    app->window().show();
    app->Start();
    app->NewWorkbook();
    fb::ui::qt::SheetView& grid = app->window().current_view()->sheet_view();
    grid.setFocus();
    app->app().set_interactive(false);
    QTest::keyClicks(&grid, "7");
    QTest::keyClick(&grid, Qt::Key_Return);
    QCOMPARE(QString::fromStdString(app->app().active_sheet().range("A1").text()), QString());
    QVERIFY(app->input_filter().dropped() > 0);
    app->app().set_interactive(true);
    QTest::keyClicks(&grid, "7");
    QTest::keyClick(grid.findChild<QLineEdit*>(), Qt::Key_Return);
    QCOMPARE(QString::fromStdString(app->app().active_sheet().range("A1").text()), QString("7"));
  }

  void an_unsafe_private_folder_stops_the_program_with_a_message() {
    // No runtime or state folder of its own and a home anyone may write: the recovery file and
    // the component's folders have no private place. The program says so and ends, no crash.
    Desk desk;
    const fs::path open_home = fs::path(desk.home.path().toStdString()) / "open";
    fs::create_directory(open_home);
    fs::permissions(open_home, fs::perms::all);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("XDG_RUNTIME_DIR");
    environment.remove("XDG_STATE_HOME");
    environment.insert("XDG_CONFIG_HOME",
                       QString::fromStdString(desk.environment.value("XDG_CONFIG_HOME")));
    environment.insert("HOME", QString::fromStdString(open_home.string()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(FB_GUI_EXE, {"--quit-after-start"});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    const QString error = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(error.contains("fishbone-gui: cannot start:") &&
                 error.contains(QString::fromStdString(open_home.string())) &&
                 error.contains("writable by its group or by others"),
             qPrintable(error));
  }

  void screenshots_leave_the_users_own_state_alone() {
    // The user's own state folder holds the recovery file of an analysis not yet saved. Taking
    // the documentation's pictures must neither show it nor remove it.
    Desk desk;
    const fs::path user_home = fs::path(desk.home.path().toStdString()) / "user";
    const fs::path recovery = user_home / ".local/state/fishbone/desktop/recovery.xml";
    fs::create_directories(recovery.parent_path());
    for (fs::path folder = recovery.parent_path(); folder != user_home.parent_path();
         folder = folder.parent_path()) {
      fs::permissions(folder, fs::perms::owner_all);
    }
    fb::os::write_file_atomically(recovery, std::string(fishbone::SampleAnalysisText()));
    const fs::path pictures = fs::path(desk.home.path().toStdString()) / "pictures";
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_STATE_HOME"}) {
      environment.remove(name);
    }
    environment.insert("HOME", QString::fromStdString(user_home.string()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(FB_GUI_EXE, {"--screenshots", QString::fromStdString(pictures.string())});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(fs::exists(pictures / "host-start.png"));
    std::ifstream in(recovery, std::ios::binary);
    std::ostringstream kept;
    kept << in.rdbuf();
    QCOMPARE(QString::fromStdString(kept.str()),
             QString::fromStdString(std::string(fishbone::SampleAnalysisText())));
  }

  void the_contact_button_opens_the_address_the_settings_hold() {
    // Only web pages and mail addresses are taken, whatever the settings file says.
    for (const auto& [address, taken] :
         std::vector<std::pair<std::string, bool>>{{"https://quality.example/help", true},
                                                   {"HTTP://intranet/qa", true},
                                                   {"mailto:qa@example.com", true},
                                                   {"file:///etc/passwd", false},
                                                   {"javascript:alert(1)", false},
                                                   {"https://a b", false},
                                                   {"https://", false},
                                                   {"", false}}) {
      QVERIFY2(fishbone_gui::IsContactAddress(address) == taken, address.c_str());
    }

    Desk desk;
    {
      auto first = desk.Make();
      fb::os::Registry registry = fb::os::Registry::load(first->registry_file());
      registry.set_value(fishbone_gui::DesktopSettingsKey(), "ContactAddress",
                         std::string("mailto:qa@example.com"));
      registry.save(first->registry_file());
    }
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("mailto", &catcher, "open");
    auto app = desk.Make();
    app->window().show();
    app->Start();
    ToolBarAction(*app, "About Fishbone(&B)")->trigger();
    QVERIFY(kivo2d::Windows(app->host().component()).hello().Image1.click());
    QDesktopServices::unsetUrlHandler("mailto");
    QCOMPARE(catcher.opened, QUrl("mailto:qa@example.com"));
  }

  void help_requests_open_the_help_window_at_their_topic() {
    Desk desk;
    auto app = desk.Make();
    QVERIFY(app->help_window() == nullptr);
    app->ShowHelp(app->HelpFile().string(), "_10.htm");
    QVERIFY(app->help_window() != nullptr);
    QVERIFY(app->help_window()->isVisible());
    QCOMPARE(app->help_window()->browser().topic(), std::string("_10.htm"));
    bool refused = false;
    try {
      app->ShowHelp(app->HelpFile().string(), "_99.htm");
    } catch (const fb::HostError&) {
      refused = true;  // the component turns it into its failed-help message
    }
    QVERIFY(refused);

    // The 帮助 menu opens each topic; an entry's name is its page's title.
    const std::pair<const char*, const char*> entries[] = {{"帮助目录(&C)", "_1.htm"},
                                                           {"安装与初始化(&I)", "_9.htm"},
                                                           {"使用编辑窗口(&E)", "_12.htm"},
                                                           {"允许访问 VBA 项目(&V)", "_10.htm"}};
    for (const auto& [caption, topic] : entries) {
      QAction* entry = MenuAction(*app, caption);
      QVERIFY2(entry != nullptr, caption);
      entry->trigger();
      QCOMPARE(app->help_window()->browser().topic(), std::string(topic));
      if (std::string(topic) != "_1.htm") {
        QCOMPARE(QString::fromStdString(app->help_window()->browser().page_title()) + "(&",
                 QString(caption).section('(', 0, 0) + "(&");
      }
    }
  }

  void the_analysis_survives_a_killed_program() {
    Desk desk;
    fs::path recovery;
    {
      auto probe = desk.Make();
      recovery = probe->recovery_file();
    }
    // Not in the runtime folder: the analysis must outlive a logout or a reboot.
    QCOMPARE(
        QString::fromStdString(recovery.parent_path().string()),
        QString::fromStdString(desk.environment.value("XDG_STATE_HOME") + "/fishbone/desktop"));
    // The real program, with the sample opened in its editor, killed without warning.
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_STATE_HOME", "HOME"}) {
      environment.insert(name, QString::fromStdString(desk.environment.value(name)));
    }
    environment.remove("WinDir");
    environment.remove("userprofile");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(FB_GUI_EXE, {QString::fromStdString(desk.sample.string())});
    QVERIFY(program.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(recovery), 30000);
    ::kill(static_cast<pid_t>(program.processId()), SIGKILL);
    QVERIFY(program.waitForFinished(10000));
    QVERIFY(fs::exists(recovery));

    // The next start offers it back; the editor holds the tree again.
    auto app = desk.Make();
    desk.dialogs.queue_answer(vb::vbYes);
    app->Start();
    kivo2d::Work* editor = app->Editor();
    QVERIFY(editor != nullptr);
    QCOMPARE(editor->TreeView1.count(), 34);
    QVERIFY(fs::exists(recovery));

    // Closing the editor as the user chose removes the file.
    desk.dialogs.queue_answer(vb::vbYes);
    editor->ButtonCm8_Click();
    app->KeepRecoveryFile();
    QVERIFY(!fs::exists(recovery));
  }
};

QTEST_MAIN(DesktopAppTest)
#include "desktop_app_test.moc"
