#include "apps/fishbone-gui/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "apps/fishbone-gui/desktop_app.h"
#include "apps/fishbone/sample_analysis.h"
#include "platform/os/atomic_file.h"
#include "platform/render/drawing/drawing_renderer.h"
#include "platform/sheet/worksheet.h"
#include "platform/ui/headless_dialogs.h"
#include "platform/ui/qt/forms/form_windows.h"
#include "platform/ui/qt/forms/tree_view_widget.h"
#include "platform/ui/qt/help_window.h"
#include "platform/ui/qt/sheet/sheet_printing.h"
#include "src/editor/work.h"
#include "src/windows/hello.h"

namespace fishbone_gui {

namespace {

constexpr QSize kWindowSize(1280, 800);

bool Save(const QPixmap& picture, const std::filesystem::path& path) {
  if (picture.save(QString::fromStdString(path.string()), "PNG")) {
    std::printf("wrote %s\n", path.string().c_str());
    return true;
  }
  std::fprintf(stderr, "fishbone-gui: cannot write \"%s\"\n", path.string().c_str());
  return false;
}

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// Lets the event loop run for a while, so that animations move on.
void Wait(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

QWidget* WindowOf(DesktopApp& app, const fb::ui::Form& form) {
  return app.form_windows().window(form);
}

// The editor's windows as the user meets them before a generation: the tree with every node
// open, the settings panel, a cause dragged over a node, and the About window.
bool EditorScreenshots(DesktopApp& app, kivo2d::Work& editor, const std::filesystem::path& out) {
  QWidget* window = WindowOf(app, editor);
  if (window == nullptr) {
    std::fprintf(stderr, "fishbone-gui: the editor has no window\n");
    return false;
  }
  editor.ButtonCm4.click();  // expand every node
  Settle();
  bool ok = Save(window->grab(), out / "editor.png");

  editor.ButtonCm7.click();
  Settle();
  ok = Save(window->grab(), out / "editor-settings.png") && ok;
  editor.ButtonCm7.click();

  // A cause typed into the text box, selected and dragged over a main cause.
  editor.Text1.set_text("测量系统误差");
  editor.Text1.set_selection(0, 6);
  auto* tree = static_cast<fb::ui::qt::FormWindow*>(window)->widget_as<fb::ui::qt::TreeViewWidget>(
      editor.TreeView1);
  const std::vector<fb::ui::TreeNode*> roots = editor.TreeView1.roots();
  if (tree != nullptr && !roots.empty() && roots.front()->child_count() > 1) {
    fb::ui::TreeNode& target = *roots.front()->children()[1];
    editor.TreeView1.set_first_visible_row(0);
    Settle();
    const QPoint point = tree->row_rect(target).center();
    QMimeData mime;
    mime.setText(QString::fromStdString(editor.Text1.selected_text()));
    QDragEnterEvent enter(point, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(tree, &enter);
    QDragMoveEvent move(point + QPoint(4, 1), Qt::CopyAction | Qt::MoveAction, &mime,
                        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree, &move);
    Settle();
    QPixmap picture = window->grab();
    {
      // The pointer and the dragged text, drawn where the drag stands.
      QPainter painter(&picture);
      const QPoint at = tree->mapTo(window, point + QPoint(4, 1));
      painter.setRenderHint(QPainter::Antialiasing);
      const QPolygon arrow({at, at + QPoint(0, 16), at + QPoint(4, 12), at + QPoint(7, 19),
                            at + QPoint(9, 18), at + QPoint(6, 11), at + QPoint(11, 11)});
      painter.setBrush(Qt::white);
      painter.setPen(Qt::black);
      painter.drawPolygon(arrow);
      painter.setBrush(QColor(255, 255, 255, 200));
      painter.setPen(QColor(120, 120, 120));
      const QString text = mime.text();
      const QRect label(at + QPoint(14, 16),
                        QSize(tree->fontMetrics().horizontalAdvance(text) + 8, 18));
      painter.drawRect(label);
      painter.setPen(Qt::black);
      painter.drawText(label, Qt::AlignCenter, text);
      painter.drawRect(QRect(at + QPoint(10, 10), QSize(6, 6)));
      painter.drawLine(at + QPoint(13, 11), at + QPoint(13, 15));
      painter.drawLine(at + QPoint(11, 13), at + QPoint(15, 13));
    }
    ok = Save(picture, out / "editor-drag.png") && ok;
    QDragLeaveEvent leave;
    QApplication::sendEvent(tree, &leave);
    Settle();
  } else {
    std::fprintf(stderr, "fishbone-gui: no node to drag over in the editor\n");
    ok = false;
  }
  editor.Text1.set_text("");

  editor.About.click();
  Settle();
  if (fb::ui::Form* hello = app.host().component().forms().find("Hello")) {
    Wait(1800);  // the movie draws its fishbone
    if (QWidget* about = WindowOf(app, *hello)) ok = Save(about->grab(), out / "about.png") && ok;
    static_cast<kivo2d::Hello*>(hello)->GoToWork.click();
    Settle();
  } else {
    std::fprintf(stderr, "fishbone-gui: the About window did not open\n");
    ok = false;
  }
  return ok;
}

}  // namespace

int TakeScreenshots(const fb::os::Environment& process_environment, const std::string& folder) {
  const std::filesystem::path out(folder);
  std::error_code ec;
  std::filesystem::create_directories(out, ec);
  if (ec) {
    std::fprintf(stderr, "fishbone-gui: cannot make the folder \"%s\": %s\n", folder.c_str(),
                 ec.message().c_str());
    return 1;
  }
  QTemporaryDir home;
  if (!home.isValid()) {
    std::fprintf(stderr, "fishbone-gui: cannot make a temporary folder\n");
    return 1;
  }
  fb::os::MapEnvironment environment(&process_environment);
  const std::string root = home.path().toStdString();
  environment.set("XDG_CONFIG_HOME", root + "/config");
  environment.set("XDG_RUNTIME_DIR", root + "/runtime");
  environment.set("XDG_STATE_HOME", root + "/state");
  environment.set("HOME", root);
  environment.unset("WinDir");
  environment.unset("userprofile");
  // The state folders must exist, or the host falls back to the user's own: the pictures would
  // then show (and the run remove) whatever recovery file the user's last session left.
  for (const char* name : {"runtime", "state"}) {
    const std::filesystem::path state = std::filesystem::path(root) / name;
    std::filesystem::create_directory(state, ec);
    if (!ec) std::filesystem::permissions(state, std::filesystem::perms::owner_all, ec);
    if (ec) {
      std::fprintf(stderr, "fishbone-gui: cannot make the folder \"%s\": %s\n", state.c_str(),
                   ec.message().c_str());
      return 1;
    }
  }

  fb::ui::HeadlessDialogs dialogs(fb::ui::HeadlessDialogs::Policy::kDefaultButton);
  DesktopOptions options;
  options.dialogs = &dialogs;
  // Nothing is saved here: a question about a file is answered "cancel".
  options.choose_file = [](const std::string&, const std::string&, const std::string&,
                           const std::string&) { return std::string(); };
  DesktopApp app(environment, options);
  app.window().resize(kWindowSize);
  app.window().show();
  Settle();
  // The welcome window stands over the host while the add-in connects; the component lets the
  // host process its events then, which is when this runs.
  bool welcome_taken = false;
  QTimer::singleShot(0, [&] {
    fb::ui::Form* hello = app.host().component().forms().find("Hello");
    QWidget* welcome = hello != nullptr ? WindowOf(app, *hello) : nullptr;
    if (welcome == nullptr || !welcome->isVisible()) return;
    QPixmap picture = app.window().grab();
    QPainter painter(&picture);
    painter.setOpacity(welcome->windowOpacity());
    QRect place(QPoint(0, 0), welcome->size());
    place.moveCenter(picture.rect().center());
    painter.drawPixmap(place, welcome->grab());
    painter.end();
    welcome_taken = Save(picture, out / "host-welcome.png");
  });
  app.Start();
  Settle();
  bool ok = Save(app.window().grab(), out / "host-start.png");
  if (!welcome_taken) {
    std::fprintf(stderr, "fishbone-gui: the welcome window was not seen at start-up\n");
    ok = false;
  }

  kivo2d::Work* editor = nullptr;
  {
    const kivo2d::TreeReadResult sample = kivo2d::ReadOutlineTree(fishbone::SampleAnalysisText());
    const std::filesystem::path tree_file = std::filesystem::path(root) / "sample.txt";
    fb::os::write_file_atomically(tree_file, fishbone::SampleAnalysisText());
    if (sample.ok() && app.OpenAnalysis(tree_file)) editor = app.Editor();
  }
  if (editor == nullptr) {
    std::fprintf(stderr, "fishbone-gui: the editor did not open with the sample analysis\n");
    return 1;
  }
  ok = EditorScreenshots(app, *editor, out) && ok;

  // The progress window while the report is made, over the host as it was before the run.
  const QPixmap host_before = app.window().grab();
  bool progress_taken = false;
  app.host().component().after_step = [&](int step) {
    if (progress_taken || step < 5) return;
    fb::ui::Form* progress = app.host().component().forms().find("ProgressGif");
    QWidget* window = progress != nullptr ? WindowOf(app, *progress) : nullptr;
    if (window == nullptr || !window->isVisible()) return;
    progress_taken = true;
    QPixmap picture = host_before;
    QPainter painter(&picture);
    const QPixmap animation = window->grab();
    QRect place(QPoint(0, 0), animation.size());
    place.moveCenter(picture.rect().center());
    painter.drawPixmap(place, animation);
    painter.end();
    ok = Save(picture, out / "progress.png") && ok;
  };
  editor->AddFishbone.click();
  app.host().component().after_step = nullptr;
  if (!progress_taken) {
    std::fprintf(stderr, "fishbone-gui: the progress window was not seen during the run\n");
    ok = false;
  }
  app.Refresh();
  Settle();
  ok = Save(app.window().grab(), out / "host-report.png") && ok;

  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewWidget preview(&printer);
  const fb::sheet::Worksheet& sheet = app.app().active_sheet();
  QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&sheet](QPrinter* target) {
    fb::ui::qt::print_sheet(*target, sheet, fb::render::render_drawing);
  });
  preview.resize(1000, 720);
  preview.show();
  preview.updatePreview();
  preview.fitInView();
  Settle();
  ok = Save(preview.grab(), out / "print-preview.png") && ok;

  app.ShowHelp(app.HelpFile().string(), "_12.htm");
  Settle();
  ok = Save(app.help_window()->grab(), out / "help-topic.png") && ok;
  return ok ? 0 : 1;
}

}  // namespace fishbone_gui
