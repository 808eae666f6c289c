#include "apps/fishbone-gui/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>

#include "apps/fishbone-gui/desktop_app.h"
#include "apps/fishbone/sample_analysis.h"
#include "platform/os/atomic_file.h"
#include "platform/render/drawing/drawing_renderer.h"
#include "platform/sheet/worksheet.h"
#include "platform/ui/headless_dialogs.h"
#include "platform/ui/qt/help_window.h"
#include "platform/ui/qt/sheet/sheet_printing.h"
#include "src/editor/work.h"

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
  environment.unset("WinDir");
  environment.unset("userprofile");

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
  app.Start();
  Settle();
  bool ok = Save(app.window().grab(), out / "host-start.png");

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
  editor->AddFishbone.click();
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
