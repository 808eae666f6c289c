// The component's windows as a user meets them on the desktop, through their real widgets: the
// editor opened from the "Fishbone" bar, the tree edited with the mouse and the keyboard, a cause
// dragged from the text box onto a node, the settings panel, closing, About, the welcome window,
// the progress animation during a generation, and help when its file is gone.

#include "src/addin/component_windows.h"

#include <QAction>
#include <QCheckBox>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolBar>
#include <QToolTip>
#include <QtTest>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "apps/gui/desk.h"
#include "platform/ui/qt/forms/button_widget.h"
#include "platform/ui/qt/forms/form_window.h"
#include "platform/ui/qt/forms/form_windows.h"
#include "platform/ui/qt/forms/option_group_widget.h"
#include "platform/ui/qt/forms/text_box_widget.h"
#include "platform/ui/qt/forms/tree_view_widget.h"
#include "src/editor/cause_tree.h"
#include "src/editor/work.h"
#include "src/editor/work_messages.h"
#include "src/windows/hello.h"
#include "src/windows/help_topics.h"

namespace {

namespace vb = fb::ui::vb;
using fb::ui::qt::FormWindow;
using fb::ui::qt::TreeViewWidget;
namespace fs = std::filesystem;
using gui_test::Desk;
using gui_test::DesktopApp;

QAction* BarAction(DesktopApp& app, const QString& caption) {
  QToolBar* bar = app.window().tool_bar("Fishbone");
  if (bar == nullptr) return nullptr;
  for (QAction* action : bar->actions()) {
    if (action->text() == caption) return action;
  }
  return nullptr;
}

// Records which of the component's windows the desktop showed, by name.
class ShowRecorder : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
      shown.insert(watched->objectName().toStdString());
    }
    return false;
  }
  std::set<std::string> shown;
};

// The host started and the editor opened from the bar, as the user does it.
struct Editing {
  explicit Editing(Desk& desk) : app(desk.Make()) {
    app->window().show();
    qApp->installEventFilter(&recorder);
    app->Start();
    QAction* add = BarAction(*app, "Add Fishbone(&D)");
    if (add != nullptr) add->trigger();
    editor = app->Editor();
    window = editor != nullptr ? app->form_windows().window(*editor) : nullptr;
  }
  ~Editing() { qApp->removeEventFilter(&recorder); }

  template <typename Widget = QWidget>
  Widget* widget(const fb::ui::Control& control) const {
    return window->widget_as<Widget>(control);
  }
  TreeViewWidget* tree() const { return widget<TreeViewWidget>(editor->TreeView1); }
  // A left click in the middle of a control's widget.
  void click(const fb::ui::Control& control) const {
    QTest::mouseClick(widget(control), Qt::LeftButton);
  }
  void click_row(const fb::ui::TreeNode& node, Qt::MouseButton button = Qt::LeftButton) const {
    QTest::mouseClick(tree(), button, {}, tree()->row_rect(node).center());
  }

  ShowRecorder recorder;
  std::unique_ptr<DesktopApp> app;
  kivo2d::Work* editor = nullptr;
  FormWindow* window = nullptr;
};

// Sends a drag of plain text over a point of the tree and, when asked, drops it there; returns
// whether the tree accepted the drag (and the drop).
bool DragText(QWidget* tree, const QString& text, QPoint point, bool drop) {
  QMimeData mime;
  mime.setText(text);
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
  QDragEnterEvent enter(point, actions, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tree, &enter);
  if (!enter.isAccepted()) return false;
  QDragMoveEvent move(point, actions, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tree, &move);
  if (!move.isAccepted() || !drop) return move.isAccepted();
  QDropEvent dropped(QPointF(point), actions, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tree, &dropped);
  return dropped.isAccepted() && dropped.dropAction() == Qt::CopyAction;
}

}  // namespace

class ComponentWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void editor_opens_from_the_bar_after_the_welcome_closed_itself() {
    Desk desk;
    Editing session(desk);
    // The welcome was on screen during start-up and went by itself.
    QVERIFY(session.recorder.shown.contains("Hello"));
    QVERIFY(session.app->host().component().forms().find("Hello") == nullptr);

    QVERIFY(session.window != nullptr);
    QVERIFY(session.window->isVisible());
    QCOMPARE(session.window->size(), QSize(704, 472));
    QCOMPARE(session.window->minimumSize(), session.window->maximumSize());
    QCOMPARE(session.window->windowTitle(), QString(" 数据录入及整理 "));
    // The window removed its Close command.
    QVERIFY(!session.window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QCOMPARE(session.window->grab().size(), QSize(704, 472));
    // Every control has its widget where the model puts it (Picture1's at 10, 10 pixels).
    QCOMPARE(session.widget(session.editor->TreeView1)->geometry(), QRect(10, 33, 433, 344));
    QCOMPARE(session.widget(session.editor->AddFishbone)->geometry(), QRect(536, 437, 73, 26));
  }

  void tree_is_edited_with_the_mouse_and_the_keyboard() {
    Desk desk;
    Editing session(desk);
    kivo2d::Work& editor = *session.editor;
    fb::ui::TreeNode& main_cause = *editor.TreeView1.roots().front()->children().front();
    session.click(editor.ButtonCm4);  // every node open
    session.click_row(main_cause);
    QCOMPARE(editor.TreeView1.selected(), &main_cause);

    const int before = main_cause.child_count();
    session.click(editor.ButtonCm1);
    QCOMPARE(main_cause.child_count(), before + 1);
    fb::ui::TreeNode& added = *editor.last_inserted();
    QCOMPARE(added.text(), std::string(kivo2d::kCauseText));

    // Typed in place: the editor opens over the node, Enter keeps the text, Escape drops it.
    session.click_row(added);
    session.click(editor.ButtonCm2);
    QLineEdit* label = session.tree()->label_editor();
    QVERIFY(label != nullptr);
    QCOMPARE(session.window->focusWidget(), label);
    QTest::keyClicks(label, "Mold ");
    // Chinese arrives from the input method as a committed string.
    QInputMethodEvent chinese;
    chinese.setCommitString("模温偏低");
    QApplication::sendEvent(label, &chinese);
    QTest::keyClick(label, Qt::Key_Return);
    QCOMPARE(added.text(), std::string("Mold 模温偏低"));
    QVERIFY(session.tree()->label_editor() == nullptr);
    session.click(editor.ButtonCm2);
    QTest::keyClicks(session.tree()->label_editor(), "x");
    QTest::keyClick(session.tree()->label_editor(), Qt::Key_Escape);
    QCOMPARE(added.text(), std::string("Mold 模温偏低"));

    // The keyboard moves the selection and closes the node.
    session.click_row(main_cause);
    QTest::keyClick(session.tree(), Qt::Key_Down);
    QCOMPARE(editor.TreeView1.selected(), main_cause.children().front());
    QTest::keyClick(session.tree(), Qt::Key_Left);
    QCOMPARE(editor.TreeView1.selected(), &main_cause);
    QTest::keyClick(session.tree(), Qt::Key_Left);
    QVERIFY(!main_cause.expanded());
    // A click on the plus box opens it again without selecting anything else.
    QTest::mouseClick(session.tree(), Qt::LeftButton, {},
                      session.tree()->expander_rect(main_cause).center());
    QVERIFY(main_cause.expanded());
    QCOMPARE(editor.TreeView1.selected(), &main_cause);

    // The right button asks before it deletes the node under the pointer.
    desk.dialogs.queue_answer(vb::vbNo);
    session.click_row(added, Qt::RightButton);
    QCOMPARE(desk.dialogs.message_boxes().back().text, std::string(kivo2d::kDeleteQuestion));
    QCOMPARE(main_cause.child_count(), before + 1);
    const std::string added_key = added.key();
    desk.dialogs.queue_answer(vb::vbYes);
    session.click_row(*main_cause.children().back(), Qt::RightButton);
    QCOMPARE(main_cause.child_count(), before);
    QVERIFY(editor.TreeView1.find(added_key) == nullptr);
  }

  void the_keyboard_and_a_second_click_reach_the_commands() {
    Desk desk;
    Editing session(desk);
    kivo2d::Work& editor = *session.editor;
    fb::ui::TreeNode& main_cause = *editor.TreeView1.roots().front()->children().front();
    session.click(editor.ButtonCm4);
    fb::ui::TreeNode& cause = *main_cause.children().back();
    session.click_row(cause);

    // F2 edits the selected node's text in place.
    QTest::keyClick(session.tree(), Qt::Key_F2);
    QVERIFY(session.tree()->label_editor() != nullptr);
    QTest::keyClick(session.tree()->label_editor(), Qt::Key_Escape);
    // So does a second click on its text, once no double click followed.
    QTest::mouseClick(session.tree(), Qt::LeftButton, {},
                      session.tree()->text_rect(cause).center());
    QTRY_VERIFY(session.tree()->label_editor() != nullptr);
    QTest::keyClick(session.tree()->label_editor(), Qt::Key_Escape);
    // A click on another node's text only selects it.
    session.click_row(main_cause);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QVERIFY(session.tree()->label_editor() == nullptr);

    // Delete asks as the delete button does; after a deletion the next needs a click first.
    session.click_row(cause);
    const std::size_t asked = desk.dialogs.message_boxes().size();
    desk.dialogs.queue_answer(vb::vbNo);
    QTest::keyClick(session.tree(), Qt::Key_Delete);
    QCOMPARE(desk.dialogs.message_boxes().size(), asked + 1);
    QCOMPARE(desk.dialogs.message_boxes().back().text, std::string(kivo2d::kDeleteQuestion));
    const int children = main_cause.child_count();
    desk.dialogs.queue_answer(vb::vbYes);
    QTest::keyClick(session.tree(), Qt::Key_Delete);
    QCOMPARE(main_cause.child_count(), children - 1);
    QTest::keyClick(session.tree(), Qt::Key_Delete);
    QCOMPARE(desk.dialogs.message_boxes().size(), asked + 2);

    // A cause too long for the tree's width shows its whole text where the pointer rests.
    fb::ui::TreeNode& first = *main_cause.children().front();
    const std::string long_text(80, 'W');
    first.set_text(long_text);
    const QPoint on_text = session.tree()->text_rect(first).topLeft() + QPoint(8, 4);
    QHelpEvent hover(QEvent::ToolTip, on_text, session.tree()->mapToGlobal(on_text));
    QApplication::sendEvent(session.tree(), &hover);
    QCOMPARE(QToolTip::text().toStdString(), long_text);

    // Enter presses the button that has the focus.
    QWidget* collapse = session.widget(editor.ButtonCm5);
    collapse->setFocus(Qt::TabFocusReason);
    QTest::keyClick(collapse, Qt::Key_Return);
    QVERIFY(!main_cause.expanded());
  }

  void text_dragged_from_the_text_box_lands_on_the_node() {
    Desk desk;
    Editing session(desk);
    kivo2d::Work& editor = *session.editor;
    auto* text_box = session.widget<fb::ui::qt::TextBoxWidget>(editor.Text1);
    QVERIFY(text_box != nullptr);
    QTest::keyClicks(text_box, "cooling water");
    text_box->selectAll();
    QCOMPARE(editor.Text1.text(), std::string("cooling water"));
    QCOMPARE(editor.Text1.selected_text(), std::string("cooling water"));

    fb::ui::TreeNode& target = *editor.TreeView1.roots().front()->children()[1];
    const int before = target.child_count();
    const QPoint point = session.tree()->row_rect(target).center();
    QVERIFY(DragText(session.tree(), text_box->selectedText(), point, false));
    // Hovering highlights the node and opens it.
    QCOMPARE(editor.TreeView1.drop_highlight(), &target);
    QVERIFY(target.expanded());
    QVERIFY(DragText(session.tree(), text_box->selectedText(), point, true));
    QCOMPARE(target.child_count(), before + 1);
    QCOMPARE(target.children().back()->text(), std::string("cooling water"));
    // A copy: the text stays in the box, which takes input again.
    QCOMPARE(text_box->text(), QString("cooling water"));
    QVERIFY(text_box->isEnabled());

    // A drop that carries no text (a picture) inserts a cause without text, which the tree's
    // rules name when the report is made.
    QMimeData image_only;
    image_only.setImageData(QImage(4, 4, QImage::Format_RGB32));
    const Qt::DropActions copy = Qt::CopyAction;
    QDragEnterEvent enter(point, copy, &image_only, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(session.tree(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(QPointF(point), copy, &image_only, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(session.tree(), &dropped);
    QCOMPARE(target.child_count(), before + 2);
    QCOMPARE(target.children().back()->text(), std::string());
  }

  void settings_panel_toggles_and_its_choices_reach_the_model() {
    Desk desk;
    Editing session(desk);
    kivo2d::Work& editor = *session.editor;
    QWidget* panel = session.widget(editor.Settings.Frame1);
    QWidget* notes = session.widget(editor.Image5);
    QVERIFY(!panel->isVisible() && notes->isVisible());
    session.click(editor.ButtonCm7);
    QCOMPARE(editor.ButtonCm7.caption(), std::string("  特别说明  "));
    QVERIFY(panel->isVisible() && !notes->isVisible());

    auto* fonts = session.widget<fb::ui::qt::OptionGroupWidget>(editor.Settings.Option1);
    QCOMPARE(fonts->button(0)->text(), QString(" 仿宋"));
    QVERIFY(fonts->button(0)->isChecked());
    QTest::mouseClick(fonts->button(2), Qt::LeftButton);
    QCOMPARE(editor.Settings.Option1.selected(), 2);
    QVERIFY(!fonts->button(0)->isChecked());
    auto* pareto = session.widget<QCheckBox>(editor.Settings.Check1);
    QTest::mouseClick(pareto, Qt::LeftButton);
    QVERIFY(!editor.Settings.Choices().pareto_chart);
    // The model's change shows: a reset selects the defaults on screen.
    editor.Settings.ResetDefaults();
    QVERIFY(fonts->button(0)->isChecked() && pareto->isChecked());

    // The second toggle, from the keyboard this time.
    editor.Settings.Frame1.set_visible(true);
    QWidget* toggle = session.widget(editor.ButtonCm7);
    toggle->setFocus();
    QVERIFY(editor.ButtonCm7.has_focus());
    QTest::keyClick(toggle, Qt::Key_Space);
    QCOMPARE(editor.ButtonCm7.caption(), std::string("鱼骨图设置"));
    QVERIFY(!panel->isVisible() && notes->isVisible());
  }

  void auto_fit_in_the_panel_picks_the_layout_that_overlaps_least() {
    Desk desk;
    Editing session(desk);
    desk.dialogs.queue_answer(vb::vbYes);  // the open editor's tree is replaced
    QVERIFY(session.app->OpenAnalysis(fs::path(FB_TEST_DATA_DIR) / "trees/good/fifty_causes.txt"));
    kivo2d::Work& editor = *session.app->Editor();
    kivo2d::Component& component = session.app->host().component();
    std::optional<kivo2d::GenerationOptions> used;
    component.after_step = [&](int) { used = component.generation_options; };

    session.click(editor.ButtonCm7);
    QCheckBox* fit = session.widget<QCheckBox>(editor.Settings.Check3);
    QVERIFY(fit != nullptr && fit->isVisible() && !fit->isChecked());
    QCOMPARE(fit->text(), QString(" 自动适配 "));
    QTest::mouseClick(fit, Qt::LeftButton, {}, QPoint(8, fit->height() / 2));
    QVERIFY(editor.Settings.AutoFit());
    const kivo2d::GenerationOptions given = editor.Settings.Choices();
    session.click(editor.AddFishbone);
    component.after_step = nullptr;

    // The run took the fitted choices, said so, and they overlap no more than the panel's own.
    const QString told = session.app->window().statusBar()->currentMessage();
    QVERIFY2(told.startsWith("自动适配：选用 "), qPrintable(told));
    const QRegularExpressionMatch counts =
        QRegularExpression("重叠 (\\d+) 处（原设置 (\\d+) 处）").match(told);
    QVERIFY(counts.hasMatch());
    QVERIFY(counts.captured(1).toInt() <= counts.captured(2).toInt());
    QVERIFY(used.has_value());
    QCOMPARE(used->font, given.font);
    QCOMPARE(used->head, given.head);
    QVERIFY(told.contains(QString::fromStdString(std::to_string(used->line_length) + " 个字")));
    // This tree's dense bones do overlap with the panel's defaults; the fit changes something.
    QVERIFY(counts.captured(2).toInt() > 0);
    QVERIFY(*used != given);
    // ... and the Pareto picture, which the fixed place lays over the lower bones, moved off.
    QVERIFY(told.contains("帕累托图已移到遮挡较少处"));
    QVERIFY(used->pareto_shift != kivo2d::PictureShift{});
  }

  void close_asks_and_yes_takes_the_window_down() {
    Desk desk;
    Editing session(desk);
    desk.dialogs.queue_answer(vb::vbNo);
    session.click(session.editor->ButtonCm8);
    QCOMPARE(desk.dialogs.message_boxes().back().text, std::string(kivo2d::kCloseQuestion));
    QVERIFY(session.window->isVisible());
    QCOMPARE(session.editor->window_state(), fb::ui::WindowState::kNormal);

    QPointer<FormWindow> closing = session.window;
    desk.dialogs.queue_answer(vb::vbYes);
    session.click(session.editor->ButtonCm8);
    QVERIFY(!session.editor->loaded());
    QVERIFY(session.app->form_windows().window(*session.editor) == nullptr);
    QVERIFY(!closing->isVisible());
    QTRY_VERIFY(closing.isNull());
    QTRY_VERIFY(BarAction(*session.app, "Add Fishbone(&D)")->isEnabled());
    // Opened again, the editor gets a fresh window that draws the same models.
    BarAction(*session.app, "Add Fishbone(&D)")->trigger();
    FormWindow* again = session.app->form_windows().window(*session.editor);
    QVERIFY(again != nullptr && again->isVisible());
    session.editor->Text1.set_text("again");
    QCOMPARE(again->widget_as<QLineEdit>(session.editor->Text1)->text(), QString("again"));
  }

  void about_from_the_editor_and_from_the_bar() {
    Desk desk;
    Editing session(desk);
    kivo2d::Hello& hello = kivo2d::Windows(session.app->host().component()).hello();
    std::vector<std::string> opened;
    hello.set_page_opener([&](std::string_view address) { opened.emplace_back(address); });

    session.click(session.editor->About);
    QCOMPARE(session.editor->window_state(), fb::ui::WindowState::kMinimized);
    FormWindow* about = session.app->form_windows().window(hello);
    QVERIFY(about != nullptr && about->isVisible());
    QCOMPARE(about->size(), QSize(514, 284));
    QVERIFY(about->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(about->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(about->windowOpacity(), 220.0 / 255.0);
    QCOMPARE(about->widget_for(hello.Image1)->toolTip(), QString(" 鼠标点击这里来联系我们 "));
    // The movie plays while the window is open.
    const int first_frame = hello.Flash1.frame_index();
    desk.clock.advance(std::chrono::milliseconds(500));
    session.app->form_windows().tick_animations();
    QVERIFY(hello.Flash1.frame_index() != first_frame);

    // A click where no picture lies falls to GoToWork, which brings the editor back.
    const QPoint free_spot(505, 275);
    QWidget* under = about->childAt(free_spot);
    QVERIFY(under == about->widget_for(hello.GoToWork));
    QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(about, free_spot));
    QVERIFY(!hello.loaded());
    QCOMPARE(session.editor->window_state(), fb::ui::WindowState::kNormal);

    // From the bar; the contact picture opens the contact page and closes the window.
    BarAction(*session.app, "About Fishbone(&B)")->trigger();
    about = session.app->form_windows().window(hello);
    QVERIFY(about != nullptr && about->isVisible());
    QWidget* contact = about->widget_for(hello.Image1);
    QCOMPARE(about->childAt(contact->geometry().center()), contact);
    QTest::mouseClick(contact, Qt::LeftButton);
    QCOMPARE(opened, std::vector<std::string>{std::string(kivo2d::kContactPage)});
    QVERIFY(!hello.loaded());
  }

  void progress_window_animates_during_a_generation() {
    Desk desk;
    Editing session(desk);
    desk.dialogs.queue_answer(vb::vbYes);  // the open editor's tree is replaced
    QVERIFY(session.app->OpenAnalysis(desk.sample));
    kivo2d::Component& component = session.app->host().component();
    std::set<int> frames;
    bool seen = false;
    component.after_step = [&](int /*step*/) {
      fb::ui::Form* progress = component.forms().find("ProgressGif");
      if (progress == nullptr) return;
      FormWindow* window = session.app->form_windows().window(*progress);
      seen = seen || (window != nullptr && window->isVisible() &&
                      window->testAttribute(Qt::WA_TranslucentBackground));
      frames.insert(kivo2d::Windows(component).progress().AniGIF1.frame_index());
      // The run's steps take their time on the component's clock.
      desk.clock.advance(std::chrono::milliseconds(160));
    };
    session.click(session.editor->AddFishbone);
    component.after_step = nullptr;
    QVERIFY(seen);
    QVERIFY2(frames.size() >= 3, "the animation stood still during the run");
    // The run ends with the progress window taken down and the report in the host.
    QVERIFY(component.forms().find("ProgressGif") == nullptr);
    QVERIFY(session.app->app().workbooks().count() >= 1);
  }

  void help_without_its_file_says_so_and_brings_the_editor_back() {
    Desk desk;
    QTemporaryDir empty_folder;
    desk.component_folder = empty_folder.path().toStdString();
    Editing session(desk);
    session.click(session.editor->Help);
    QCOMPARE(desk.dialogs.message_boxes().back().text,
             std::string(kivo2d::kHelpFileMissingMessage));
    QCOMPARE(session.editor->window_state(), fb::ui::WindowState::kNormal);
    QVERIFY(session.window->isVisible());
  }

  void a_damaged_help_file_is_taken_as_missing_on_the_desktop() {
    Desk desk;
    QTemporaryDir folder;
    desk.component_folder = folder.path().toStdString();
    desk.qt_dialogs = true;
    {
      std::ofstream damaged(kivo2d::HelpFilePath(desk.component_folder), std::ios::binary);
      damaged << "ITSF but nothing after it";
    }
    Editing session(desk);
    // The message box is real: read it and answer it once it is up.
    QString shown;
    QTimer::singleShot(0, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown = box->text();
        box->accept();
      }
    });
    session.click(session.editor->Help);
    QCOMPARE(shown,
             QString::fromUtf8(kivo2d::kHelpFileMissingMessage.data(),
                               static_cast<qsizetype>(kivo2d::kHelpFileMissingMessage.size())));
    QVERIFY(session.app->help_window() == nullptr);
    QCOMPARE(session.editor->window_state(), fb::ui::WindowState::kNormal);
  }
};

QTEST_MAIN(ComponentWindowsTest)
#include "component_windows_test.moc"
