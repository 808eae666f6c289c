#include "apps/fishbone-gui/desktop_app.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>
#include <map>
#include <system_error>

#include "apps/fishbone-gui/analysis_files.h"
#include "apps/fishbone/layout_fit.h"
#include "apps/fishbone/picture_fit.h"
#include "platform/office/com_addins.h"
#include "platform/office/command_bars.h"
#include "platform/os/atomic_file.h"
#include "platform/os/host_error.h"
#include "platform/os/program_files.h"
#include "platform/os/registry.h"
#include "platform/os/win_path.h"
#include "platform/render/drawing/drawing_renderer.h"
#include "platform/render/page/report_page.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"
#include "platform/ui/qt/forms/form_windows.h"
#include "platform/ui/qt/help_window.h"
#include "platform/ui/qt/qt_dialogs.h"
#include "platform/ui/qt/sheet/sheet_printing.h"
#include "platform/ui/qt/sheet/sheet_view.h"
#include "platform/ui/qt/sheet/workbook_view.h"
#include "platform/xlsx/model_adapter.h"
#include "platform/xlsx/xlsx_writer.h"
#include "src/addin/component_windows.h"
#include "src/addin/connect.h"
#include "src/addin/registration.h"
#include "src/addin/version.h"
#include "src/component/panel_words.h"
#include "src/editor/exchange_writer.h"
#include "src/editor/work.h"
#include "src/windows/help_topics.h"

namespace fishbone_gui {

namespace {

namespace vb = fb::ui::vb;

// The host's settings dialogs end in OK and Cancel, captioned in the install language; the
// caller places the row in its layout.
QDialogButtonBox* OkCancelButtons(QDialog& dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setText("确定");
  buttons->button(QDialogButtonBox::Cancel)->setText("取消");
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

constexpr int kRecoveryMilliseconds = 400;
constexpr const char* kHostTitle = "Fishbone";
constexpr const char* kRecoveryQuestion =
    "上次退出时编辑器中有一份未保存的分析（程序未正常结束）。\r是否恢复这份分析？";
constexpr const char* kReplaceQuestion = "编辑器中已有一份分析。是否用打开的文件替换它？";
constexpr const char* kBusyMessage = "报表正在生成，请等它完成后再退出。";
constexpr const char* kSaveAnalysisQuestion =
    "编辑器中的分析尚未保存，退出后将会丢失。\r是否先保存这份分析？";

std::string ProgramPath() {
  const std::filesystem::path self = fb::os::running_program();
  return self.empty() ? std::string("fishbone-gui") : self.string();
}

// The component's folder is where its help file lies: share/fishbone once installed, the
// build's component folder otherwise.
std::string ComponentFolder() {
  const std::string help_file(kivo2d::kHelpFileLiteral.substr(1));
  const std::filesystem::path build_copy =
      std::filesystem::path(FB_BUILD_COMPONENT_DIR) / help_file;
  return fb::os::installed_or(fb::os::running_program(), help_file, build_copy)
      .parent_path()
      .string();
}

fb::os::Registry LoadRegistry(const std::filesystem::path& file) {
  try {
    return fb::os::Registry::load(file);
  } catch (const fb::HostError&) {
    // A damaged registry file is reported at start-up; until then the host runs on defaults.
    return fb::os::Registry();
  }
}

fb::os::MapEnvironment HostEnvironment(const fb::os::Environment& process,
                                       const fb::os::HostFolders& folders) {
  fb::os::MapEnvironment environment(&process);
  fb::os::apply_host_folders(folders, environment);
  return environment;
}

// The help file's topics as entries of the host's 帮助 menu, above 关于.
struct HelpMenuTopic {
  std::string_view caption;
  std::string_view topic;
};
constexpr HelpMenuTopic kHelpMenuTopics[] = {
    {"帮助目录(&C)", "_1.htm"},
    {"安装与初始化(&I)", kivo2d::kInitialisationTopic},
    {"使用编辑窗口(&E)", kivo2d::kEditorHelpTopic},
    {"允许访问 VBA 项目(&V)", kivo2d::kTrustTopic},
};

// The keys desktop programs give these commands.
QKeySequence ShortcutOf(std::string_view caption) {
  static const std::map<std::string_view, QKeySequence::StandardKey> keys = {
      {"新建(&N)", QKeySequence::New},      {"打开分析(&O)...", QKeySequence::Open},
      {"保存(&S)", QKeySequence::Save},     {"另存为(&A)...", QKeySequence::SaveAs},
      {"打印(&P)...", QKeySequence::Print}, {"关闭(&C)", QKeySequence::Close},
      {"退出(&X)", QKeySequence::Quit},
  };
  const auto it = keys.find(caption);
  return it == keys.end() ? QKeySequence() : QKeySequence(it->second);
}

bool HasExtension(const std::filesystem::path& path, std::string_view extension) {
  std::string ext = path.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == extension;
}

// A workbook's name without its file extension, to propose names of files made from it: a saved
// workbook is named after its file ("报表.xlsx"), a new one is not ("Book1").
std::string NameStem(const std::string& workbook_name) {
  const std::filesystem::path name(workbook_name);
  return HasExtension(name, ".xlsx") || HasExtension(name, ".xls") ? name.stem().string()
                                                                   : workbook_name;
}

// An analysis the user opens or gets back is one to read: every node shown, as 展开节点 shows
// them (a new tree's nodes start collapsed).
void ShowWholeTree(kivo2d::Work& editor) {
  for (fb::ui::TreeNode* node : editor.TreeView1.nodes()) node->set_expanded(true);
}

// The status bar's name of a picture the auto-fit moved.
const char* FittedPictureWord(fishbone::FittedPicture picture) {
  switch (picture) {
    case fishbone::FittedPicture::kLogo:
      return "标志";
    case fishbone::FittedPicture::kPareto:
      return "帕累托图";
    case fishbone::FittedPicture::kTopThree:
      return "前三项图";
  }
  return "图片";
}

std::string ExchangeXml(const kivo2d::TreeDocument& tree) {
  fb::os::NullPump pump;
  const std::vector<kivo2d::ExchangeNode> nodes = kivo2d::ToExchangeNodes(tree);
  return kivo2d::BuildExchangeDocument(nodes, pump);
}

}  // namespace

DesktopApp::DesktopApp(const fb::os::Environment& process_environment, DesktopOptions options)
    : process_environment_(process_environment),
      options_(std::move(options)),
      registry_file_(fb::os::default_registry_file(process_environment)),
      settings_(LoadDesktopSettings(LoadRegistry(registry_file_))),
      folders_(fb::os::resolve_host_folders(process_environment)),
      environment_(HostEnvironment(process_environment, folders_)),
      private_folder_(fb::os::ensure_state_folder(fb::os::private_state_root(process_environment),
                                                  "fishbone/desktop")),
      recovery_folder_(fb::os::ensure_state_folder(
          fb::os::persistent_state_root(process_environment), "fishbone/desktop")),
      recovery_(recovery_folder_ / "recovery.xml"),
      qt_dialogs_(options_.dialogs != nullptr
                      ? nullptr
                      : std::make_unique<fb::ui::qt::QtDialogs>(
                            [this]() -> QWidget* { return DialogOwner(); })),
      dialogs_(options_.dialogs != nullptr ? *options_.dialogs : *qt_dialogs_),
      host_(environment_, file_system_, options_.clock != nullptr ? *options_.clock : system_clock_,
            dialogs_, HostVersionText(settings_.host_profile)),
      pump_([this] { Refresh(); }) {
  fb::sheet::Application& app = host_.app();
  app.set_language_install_id(settings_.language_id);
  app.set_analysis_library_enabled(settings_.analysis_library);
  app.set_message_pump(&pump_);
  app.set_workbook_saver([this](fb::sheet::Workbook& workbook) { return SaveWorkbook(workbook); });
  host_.office().set_trust_vba_project_access(settings_.trust_vba_project);
  if (qt_dialogs_) {
    qt_dialogs_->set_help_viewer([this](std::string_view file, std::string_view topic,
                                        const fb::ui::Form*) { ShowHelp(file, topic); });
  }
  host_.component().component_folder =
      options_.component_folder.empty() ? ComponentFolder() : options_.component_folder;
  host_.component().fit_layout = [this](const kivo2d::GenerationOptions& given) {
    return FitEditorLayout(given);
  };

  InstallActions();
  fb::ui::qt::BuiltInActions built_in{
      [this](const fb::office::CommandBarControl& control) {
        return actions_.contains(control.caption());
      },
      [this](fb::office::CommandBarControl& control) { RunMenuCommand(control.caption()); },
      [this] { Refresh(); },
      [](const fb::office::CommandBarControl& control) { return ShortcutOf(control.caption()); }};
  window_ = std::make_unique<fb::ui::qt::HostWindow>(app, host_.office(), built_in,
                                                     fb::render::render_drawing);
  window_->setWindowTitle(kHostTitle);
  window_->set_may_close([this] { return MayQuit(); });
  connect(window_.get(), &fb::ui::qt::HostWindow::link_activated, this,
          [](const QString& address) { QDesktopServices::openUrl(QUrl(address)); });
  filter_ = std::make_unique<InteractiveFilter>(app, [this](QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget != nullptr && widget->window() == window_.get();
  });
  qApp->installEventFilter(filter_.get());
  fb::os::Clock& clock = options_.clock != nullptr ? *options_.clock : system_clock_;
  form_windows_ = std::make_unique<fb::ui::qt::FormWindows>(
      host_.component().forms(),
      fb::ui::qt::FormWindows::Options{window_.get(), [&clock] { return clock.now(); },
                                       [this] {
                                         if (!closed_) Refresh();
                                       }});
  // 联系我们 opens the address the settings hold, the product's page unless the user changed it.
  kivo2d::Windows(host_.component()).hello().set_page_opener([this](std::string_view address) {
    const std::string& opened =
        address == kivo2d::kContactPage ? settings_.contact_address : std::string(address);
    QDesktopServices::openUrl(QUrl(QString::fromStdString(opened)));
  });
  // The component changes the models from its own windows too (the editor's "生成报表"): the
  // window catches up on the same tick that keeps the recovery file.
  connect(&recovery_timer_, &QTimer::timeout, this, [this] {
    KeepRecoveryFile();
    if (!closed_) Refresh();
  });
  recovery_timer_.start(kRecoveryMilliseconds);
}

DesktopApp::~DesktopApp() {
  recovery_timer_.stop();
  if (filter_) qApp->removeEventFilter(filter_.get());
  if (!closed_) {
    try {
      host_.Close();
    } catch (...) {
      // Disconnection ignores its own failures; nothing may escape a destructor.
    }
  }
}

std::string DesktopApp::ChooseFile(const std::string& mode, const std::string& caption,
                                   const std::string& filter, const std::string& proposed) {
  if (options_.choose_file) return options_.choose_file(mode, caption, filter, proposed);
  const QString start = QDir::home().filePath(QString::fromStdString(proposed));
  const QString chosen =
      mode == "open" ? QFileDialog::getOpenFileName(window_.get(), QString::fromStdString(caption),
                                                    start, QString::fromStdString(filter))
                     : QFileDialog::getSaveFileName(window_.get(), QString::fromStdString(caption),
                                                    start, QString::fromStdString(filter));
  return chosen.toStdString();
}

QWidget* DesktopApp::DialogOwner() const {
  if (form_windows_) {
    if (QWidget* front = form_windows_->front_window()) return front;
  }
  return window_.get();
}

void DesktopApp::Inform(const std::string& text, const std::string& title, int icon) {
  dialogs_.message_box(text, vb::vbOKOnly + icon, title);
}

bool DesktopApp::AddinConnected() const {
  return const_cast<kivo2d::HeadlessHost&>(host_).component().connected();
}

void DesktopApp::RegisterWhenMissing(fb::os::Registry& registry) {
  const bool registered = registry.key_exists(kivo2d::ClassKey(kivo2d::kConnectProgId)) &&
                          registry.key_exists(kivo2d::AddinKey());
  if (registered) return;
  kivo2d::RegisterComponent(registry, ProgramPath());
  registry.save(registry_file_);
}

void DesktopApp::Start() {
  // The host opens with an empty workbook to work in, before its add-ins load.
  if (host_.app().workbooks().count() == 0) NewWorkbook();
  fb::os::Registry registry;
  try {
    registry = fb::os::Registry::load(registry_file_);
    RegisterWhenMissing(registry);
  } catch (const fb::HostError& failure) {
    Inform("无法读写注册文件 \"" + registry_file_.string() + "\"：" + failure.description() +
               "\r加载项将不会被加载。",
           "警告！", vb::vbExclamation);
  }
  try {
    host_.StartUp(registry);
  } catch (const std::exception& failure) {
    Inform(std::string("加载项连接失败：") + failure.what(), "错误", vb::vbCritical);
  }
  Refresh();
  OfferRecovery();
  Refresh();
  emit started();
}

void DesktopApp::OfferRecovery() {
  // Read before anything is asked: a file that cannot be restored is nothing to offer.
  const std::optional<RecoveryFile::Leftover> leftover = recovery_.TakeLeftover();
  if (!leftover) return;
  if (!leftover->tree) {
    const std::string where = leftover->moved_to.empty()
                                  ? "仍在 \"" + recovery_file().string() + "\""
                                  : "已改名保留为 \"" + leftover->moved_to.string() + "\"";
    Inform("恢复文件无法读取，" + where + "。\r" + leftover->problem, "错误", vb::vbCritical);
    return;
  }
  const int answer = dialogs_.message_box(kRecoveryQuestion, vb::vbYesNo + vb::vbQuestion, "提示");
  if (answer != vb::vbYes) {
    recovery_.Remove();
    return;
  }
  kivo2d::Work* editor = OpenEditor();
  if (editor == nullptr) return;
  editor->ImportTree(*leftover->tree);
  ShowWholeTree(*editor);
  KeepRecoveryFile();
}

kivo2d::Work* DesktopApp::Editor() {
  if (!AddinConnected()) return nullptr;
  kivo2d::Work& work = kivo2d::Windows(host_.component()).work();
  return work.loaded() ? &work : nullptr;
}

kivo2d::Work* DesktopApp::OpenEditor() {
  if (kivo2d::Work* open = Editor()) return open;
  if (!AddinConnected()) {
    Inform("加载项 Kivo Workbench 2 未连接：请在“工具 → 加载宏”中连接它。", "提示",
           vb::vbInformation);
    return nullptr;
  }
  try {
    host_.ClickFishboneButton(kivo2d::kAddFishboneCaption);
  } catch (const fb::HostError&) {
    // The bar or its button is gone (the user removed it): no editor to open.
  }
  Refresh();
  return Editor();
}

void DesktopApp::KeepRecoveryFile() {
  kivo2d::Work* editor = Editor();
  if (editor == nullptr) {
    // An unload the program saw is an ordinary one (a crash never gets here): the user's choice.
    if (!recovery_written_.empty()) {
      recovery_.Remove();
      recovery_written_.clear();
    }
    return;
  }
  last_analysis_ = TreeOfEditor(*editor);
  if (!recovery_.owned()) {
    // Said once, when there first is an analysis the program cannot keep.
    if (!told_recovery_not_owned_) {
      told_recovery_not_owned_ = true;
      Inform(recovery_.not_owned_reason() +
                 "\r本窗口编辑器中的分析不会写入恢复文件，程序意外结束时无法恢复：请及时保存分析。",
             "提示", vb::vbExclamation);
    }
    return;
  }
  const std::string bytes = ExchangeXml(*last_analysis_);
  if (bytes == recovery_written_) return;
  try {
    recovery_.Write(bytes);
    recovery_written_ = bytes;
  } catch (const std::exception&) {
    // The next tick tries again; the editor itself is unharmed.
  }
}

kivo2d::GenerationOptions DesktopApp::FitEditorLayout(const kivo2d::GenerationOptions& given) {
  kivo2d::Work* editor = Editor();
  if (editor == nullptr) return given;
  fishbone::GenerationHostSettings settings;
  settings.host_version = HostVersionText(settings_.host_profile);
  settings.component_folder = host_.component().component_folder;
  settings.choices = given;
  // The panel always shows a side: the one the user sees is kept.
  const kivo2d::TreeDocument tree = TreeOfEditor(*editor);
  const auto fit = fishbone::FitLayout(tree, settings, /*side_chosen=*/true);
  if (!fit) return given;
  kivo2d::GenerationOptions chosen = fit->choices;
  std::string told = "自动适配：选用 " +
                     std::string(kivo2d::WordOf(kivo2d::kSizeWords, chosen.size)) + " 号字、每行 " +
                     std::string(kivo2d::WordOf(kivo2d::kWrapWords, chosen.line_length)) +
                     " 个字，文字重叠 " + std::to_string(fit->overlaps) + " 处（原设置 " +
                     std::to_string(fit->given_overlaps) + " 处）";
  // Then the auxiliary charts' pictures, off the diagram's texts where there is room.
  settings.choices = chosen;
  if (const auto pictures = fishbone::FitPictures(tree, settings)) {
    chosen = fishbone::WithPictureFit(chosen, *pictures);
    for (const fishbone::PictureMove& move : pictures->moves) {
      told += std::string("；") + FittedPictureWord(move.picture) + "已移到遮挡较少处";
    }
  }
  window_->statusBar()->showMessage(QString::fromStdString(told));
  return chosen;
}

void DesktopApp::Refresh() {
  fb::sheet::Application& app = host_.app();
  // Taken on every tick the editor is there, a generation's own pumps included: the generation
  // unloads the editor, and the analysis it was given must not go with it.
  if (kivo2d::Work* editor = Editor()) last_analysis_ = TreeOfEditor(*editor);
  window_->refresh();
  // A generation pumps messages between its steps: the progress animation moves on then.
  if (form_windows_) form_windows_->tick_animations();
  // The host hides its window while a generation runs, and shows it again where it was.
  if (!app.visible() && window_->isVisible()) {
    hidden_for_host_ = true;
    window_->hide_keeping_place();
  } else if (app.visible() && hidden_for_host_) {
    hidden_for_host_ = false;
    window_->show_in_place();
  }
}

void DesktopApp::NewWorkbook() {
  host_.app().workbooks().add();
  Refresh();
}

bool DesktopApp::SaveWorkbookAs(fb::sheet::Workbook& workbook, const std::filesystem::path& path) {
  // The workbook takes the file's name: asked before anything is written, so a refusal leaves
  // both the file and the other workbook as they were.
  const fb::sheet::Workbook* holder = host_.app().workbooks().find(path.filename().string());
  if (holder != nullptr && holder != &workbook) {
    Inform("无法保存 \"" + path.string() + "\"：已打开一个同名的工作簿“" + holder->name() +
               "”。\r请换一个文件名，或先关闭那个工作簿。",
           "错误", vb::vbCritical);
    return false;
  }
  try {
    fb::xlsx::save_package(fb::xlsx::document_from_workbook(workbook, fb::render::render_drawing),
                           path);
  } catch (const std::exception& failure) {
    Inform("无法保存 \"" + path.string() + "\"：" + failure.what(), "错误", vb::vbCritical);
    return false;
  }
  workbook.saved_as(path.string());
  Refresh();
  return true;
}

bool DesktopApp::ExportPdf(const fb::sheet::Worksheet& sheet, const std::filesystem::path& path) {
  try {
    fb::render::write_report_page(sheet, path, fb::render::PageFormat::kPdf,
                                  fb::render::render_drawing);
  } catch (const std::exception& failure) {
    Inform("无法导出 \"" + path.string() + "\"：" + failure.what(), "错误", vb::vbCritical);
    return false;
  }
  return true;
}

bool DesktopApp::CloseWorkbook(fb::sheet::Workbook& workbook) {
  bool closed = false;
  try {
    closed = workbook.close();
  } catch (const fb::HostError& failure) {
    Inform(failure.description(), "错误", vb::vbCritical);
  }
  Refresh();
  return closed;
}

bool DesktopApp::OpenAnalysis(const std::filesystem::path& path) {
  std::string error;
  std::optional<kivo2d::GenerationOptions> choices;
  const auto tree = ReadAnalysisFile(path, error, &choices);
  if (!tree) {
    Inform("无法打开分析 \"" + path.string() + "\"：\r" + error, "错误", vb::vbCritical);
    return false;
  }
  if (Editor() != nullptr &&
      dialogs_.message_box(kReplaceQuestion, vb::vbYesNo + vb::vbQuestion, "提示") != vb::vbYes) {
    return false;
  }
  kivo2d::Work* editor = OpenEditor();
  if (editor == nullptr) return false;
  try {
    editor->ImportTree(*tree);
    // A report's panel as it was made, so that "生成报表" makes it again.
    if (choices) editor->Settings.Select(*choices);
    ShowWholeTree(*editor);
  } catch (const std::exception& failure) {
    Inform("无法打开分析 \"" + path.string() + "\"：" + failure.what(), "错误", vb::vbCritical);
    return false;
  }
  KeepRecoveryFile();
  Refresh();
  return true;
}

bool DesktopApp::SaveAnalysis(const std::filesystem::path& path) {
  kivo2d::Work* editor = Editor();
  if (editor == nullptr && !last_analysis_) {
    Inform("没有打开的分析：请先用“Add Fishbone”打开编辑器。", "提示", vb::vbInformation);
    return false;
  }
  if (auto failure =
          WriteAnalysisFile(editor != nullptr ? TreeOfEditor(*editor) : *last_analysis_, path)) {
    Inform("无法保存分析：" + *failure, "错误", vb::vbCritical);
    return false;
  }
  return true;
}

bool DesktopApp::MayQuit() {
  if (closed_) return true;
  // A generation holds the host (input switched off): closing it under the run would ask its
  // questions over the progress animation and pull the host from under the component.
  if (!host_.app().interactive()) {
    Inform(kBusyMessage, kHostTitle, vb::vbExclamation);
    return false;
  }
  if (Editor() != nullptr) {
    const int answer = dialogs_.message_box(kSaveAnalysisQuestion,
                                            vb::vbYesNoCancel + vb::vbExclamation, kHostTitle);
    if (answer == vb::vbCancel) return false;
    if (answer == vb::vbYes) {
      const std::string path = ChooseFile("save", "保存分析", "分析 (*.xml *.txt)", "分析.xml");
      if (path.empty() || !SaveAnalysis(path)) return false;
    }
  }
  // Each unsaved workbook is asked about in turn; a Cancel stops the quit with the rest open.
  std::vector<fb::sheet::Workbook*> books;
  for (const auto& book : host_.app().open_workbooks()) {
    if (!book->is_addin()) books.push_back(book.get());
  }
  for (fb::sheet::Workbook* book : books) {
    if (!CloseWorkbook(*book)) return false;
  }
  try {
    host_.Close();
  } catch (...) {
    // A closing host ignores failures of disconnection.
  }
  closed_ = true;
  // The editor went with the add-in, as the user chose: its recovery file goes too.
  recovery_.Remove();
  recovery_written_.clear();
  return true;
}

void DesktopApp::SetAddinConnected(bool connected) {
  try {
    if (connected) {
      host_.Connect(fb::office::connect_mode::kAfterStartup);
    } else {
      host_.Disconnect(fb::office::remove_mode::kUserClosed);
    }
    fb::os::Registry registry = fb::os::Registry::load(registry_file_);
    RegisterWhenMissing(registry);
    // Load behaviour 3 loads it at the next start; 2 leaves it registered but unloaded.
    registry.set_value(kivo2d::AddinKey(), "LoadBehavior",
                       std::uint32_t{connected ? fb::office::kLoadAtStartup : 2u});
    registry.save(registry_file_);
  } catch (const fb::HostError& failure) {
    Inform(failure.description(), "错误", vb::vbCritical);
  }
  Refresh();
}

void DesktopApp::SaveSettings() {
  try {
    fb::os::Registry registry = fb::os::Registry::load(registry_file_);
    StoreDesktopSettings(registry, settings_);
    registry.save(registry_file_);
  } catch (const fb::HostError& failure) {
    Inform("无法保存设置：" + failure.description(), "错误", vb::vbCritical);
  }
}

void DesktopApp::ShowHelp(std::string_view file, std::string_view topic) {
  // A new window for every request: a request may name another file, and the old window's
  // history belongs to what the user read before.
  auto window =
      std::make_unique<fb::ui::qt::HelpWindow>(fb::os::native_path(file), topic, window_.get());
  help_window_ = std::move(window);
  help_window_->show();
  help_window_->raise();
  help_window_->activateWindow();
}

std::filesystem::path DesktopApp::HelpFile() {
  return std::filesystem::path(host_.component().component_folder) /
         std::string(kivo2d::kHelpFileLiteral.substr(1));
}

int DesktopApp::RunHostDialog(QDialog& dialog) {
  const int answer = dialog.exec();
  // The window manager does not always hand the activation back to the window that asked.
  window_->raise();
  window_->activateWindow();
  return answer;
}

bool DesktopApp::SaveWorkbook(fb::sheet::Workbook& workbook) {
  std::filesystem::path path = workbook.full_name();
  // A new workbook, or one read from another format, is saved under a name the user chooses.
  if (path.empty() || !HasExtension(path, ".xlsx")) {
    path = ChooseFile("save", "另存为", "工作簿 (*.xlsx)", NameStem(workbook.name()) + ".xlsx");
    if (path.empty()) return false;
  }
  return SaveWorkbookAs(workbook, path);
}

void DesktopApp::ShowHelpTopic(std::string_view topic) {
  try {
    ShowHelp(HelpFile().string(), topic);
  } catch (const fb::HostError&) {
    Inform(std::string(kivo2d::kHelpFileMissingMessage), std::string(kivo2d::kHelpMessageTitle),
           vb::vbInformation);
  }
}

bool DesktopApp::RunMenuCommand(const std::string& caption) {
  auto it = actions_.find(caption);
  if (it == actions_.end()) return false;
  it->second();
  Refresh();
  return true;
}

void DesktopApp::InstallActions() {
  auto active_book = [this]() -> fb::sheet::Workbook* {
    return host_.app().workbooks().count() > 0 ? &host_.app().active_workbook() : nullptr;
  };
  auto no_workbook = [this] { Inform("没有打开的工作簿。", "提示", vb::vbInformation); };
  actions_["新建(&N)"] = [this] { NewWorkbook(); };
  actions_["打开分析(&O)..."] = [this] {
    const std::string path =
        ChooseFile("open", "打开分析", "分析 (*.xml *.txt *.xlsx);;所有文件 (*)", "");
    if (!path.empty()) OpenAnalysis(path);
  };
  actions_["保存分析(&L)..."] = [this] {
    if (Editor() == nullptr && !last_analysis_) {
      SaveAnalysis({});
      return;
    }
    const std::string path =
        ChooseFile("save", "保存分析", "分析 (*.xml);;大纲 (*.txt)", "分析.xml");
    if (!path.empty()) SaveAnalysis(path);
  };
  actions_["保存(&S)"] = [this, active_book, no_workbook] {
    fb::sheet::Workbook* book = active_book();
    if (book == nullptr) return no_workbook();
    SaveWorkbook(*book);
  };
  actions_["另存为(&A)..."] = [this, active_book, no_workbook] {
    fb::sheet::Workbook* book = active_book();
    if (book == nullptr) return no_workbook();
    const std::string path =
        ChooseFile("save", "另存为", "工作簿 (*.xlsx)", NameStem(book->name()) + ".xlsx");
    if (!path.empty()) SaveWorkbookAs(*book, path);
  };
  actions_["导出 PDF(&E)..."] = [this, active_book, no_workbook] {
    fb::sheet::Workbook* book = active_book();
    if (book == nullptr) return no_workbook();
    const std::string path =
        ChooseFile("save", "导出 PDF", "PDF (*.pdf)", NameStem(book->name()) + ".pdf");
    if (!path.empty()) ExportPdf(book->active_sheet(), path);
  };
  actions_["打印预览(&V)"] = [this] { PrintPreview(); };
  actions_["打印(&P)..."] = [this] { Print(); };
  actions_["关闭(&C)"] = [this, active_book, no_workbook] {
    fb::sheet::Workbook* book = active_book();
    if (book == nullptr) return no_workbook();
    CloseWorkbook(*book);
  };
  actions_["退出(&X)"] = [this] { window_->close(); };
  actions_["撤消(&U)"] = [this] {
    if (auto* view = window_->current_view()) view->sheet_view().undo();
  };
  actions_["安全性(&S)..."] = [this] { ShowMacroSecurity(); };
  actions_["加载宏(&I)..."] = [this] { ShowAddins(); };
  actions_["选项(&O)..."] = [this] { ShowOptions(); };
  actions_["关于(&A)..."] = [this] { ShowAbout(); };
  fb::office::CommandBarControls& help = host_.office()
                                             .command_bars()
                                             .item("Worksheet Menu Bar")
                                             .controls()
                                             .item("帮助(&H)")
                                             .controls();
  int position = 1;
  for (const HelpMenuTopic& entry : kHelpMenuTopics) {
    help.add(fb::office::ControlType::kButton, false, position++)
        ->set_caption(std::string(entry.caption));
    actions_[std::string(entry.caption)] = [this, topic = entry.topic] { ShowHelpTopic(topic); };
  }
  help.item(position).set_begin_group(true);
}

void DesktopApp::ShowMacroSecurity() {
  QDialog dialog(window_.get());
  dialog.setWindowTitle("安全性");
  auto* layout = new QVBoxLayout(&dialog);
  auto* trust = new QCheckBox("信任对 Visual Basic 项目的访问(&V)", &dialog);
  trust->setChecked(host_.office().trust_vba_project_access());
  layout->addWidget(new QLabel("加载项生成报表时需要访问 Visual Basic 项目。", &dialog));
  layout->addWidget(trust);
  layout->addWidget(OkCancelButtons(dialog));
  if (RunHostDialog(dialog) != QDialog::Accepted) return;
  host_.office().set_trust_vba_project_access(trust->isChecked());
  settings_.trust_vba_project = trust->isChecked();
  SaveSettings();
}

void DesktopApp::ShowAddins() {
  QDialog dialog(window_.get());
  dialog.setWindowTitle("加载宏");
  auto* layout = new QVBoxLayout(&dialog);
  auto* library = new QCheckBox("分析工具库(&A)", &dialog);
  library->setChecked(host_.app().analysis_library_enabled());
  auto* addin = new QCheckBox(
      QString::fromUtf8(std::string(kivo2d::kFriendlyName).c_str()) + " (KIVO2D.Connect)(&K)",
      &dialog);
  addin->setChecked(AddinConnected());
  layout->addWidget(new QLabel("可用加载宏：", &dialog));
  layout->addWidget(library);
  layout->addWidget(new QLabel("COM 加载项：", &dialog));
  layout->addWidget(addin);
  layout->addWidget(OkCancelButtons(dialog));
  if (RunHostDialog(dialog) != QDialog::Accepted) return;
  if (library->isChecked() != host_.app().analysis_library_enabled()) {
    host_.app().set_analysis_library_enabled(library->isChecked());
    settings_.analysis_library = library->isChecked();
    SaveSettings();
  }
  if (addin->isChecked() != AddinConnected()) SetAddinConnected(addin->isChecked());
}

void DesktopApp::ShowOptions() {
  QDialog dialog(window_.get());
  dialog.setWindowTitle("选项");
  auto* form = new QFormLayout(&dialog);
  auto* version = new QComboBox(&dialog);
  // The items carry the profile; their texts are the version texts the host reports.
  for (fb::sheet::HostProfile profile :
       {fb::sheet::HostProfile::V12, fb::sheet::HostProfile::V11}) {
    version->addItem(QString::fromStdString(HostVersionText(profile)), static_cast<int>(profile));
    if (profile == settings_.host_profile) version->setCurrentIndex(version->count() - 1);
  }
  auto* language = new QComboBox(&dialog);
  language->addItem("简体中文 (2052)", 2052);
  language->addItem("English (1033)", 1033);
  language->setCurrentIndex(settings_.language_id == 1033 ? 1 : 0);
  auto* contact = new QLineEdit(QString::fromStdString(settings_.contact_address), &dialog);
  contact->setObjectName("contact");
  contact->setMinimumWidth(320);
  form->addRow("主机版本(&V)：", version);
  form->addRow("安装语言(&L)：", language);
  form->addRow(new QLabel("以上更改在下次启动时生效。", &dialog));
  form->addRow("“联系我们”打开(&C)：", contact);
  form->addRow(OkCancelButtons(dialog));
  if (RunHostDialog(dialog) != QDialog::Accepted) return;
  settings_.host_profile = static_cast<fb::sheet::HostProfile>(version->currentData().toInt());
  settings_.language_id = language->currentData().toInt();
  const std::string address = contact->text().trimmed().toStdString();
  if (address.empty()) {
    settings_.contact_address = std::string(kivo2d::kContactPage);
  } else if (IsContactAddress(address)) {
    settings_.contact_address = address;
  } else {
    Inform("“联系我们”的地址须以 http://、https:// 或 mailto: 开头，未更改：" + address, "提示",
           vb::vbInformation);
  }
  SaveSettings();
}

void DesktopApp::ShowAbout() {
  const kivo2d::ComponentVersion& v = kivo2d::kComponentVersion;
  QMessageBox::about(
      window_.get(), "关于 Fishbone",
      QString("<b>Fishbone</b> 桌面版 %1.%2.%3<br>"
              "鱼骨图（因果图）报表工作台：建立原因树，生成报表，填写、保存与打印。<br>"
              "加载项：%4，主机版本 %5。")
          .arg(v.major)
          .arg(v.minor)
          .arg(v.revision)
          .arg(QString::fromUtf8(std::string(kivo2d::kFriendlyName).c_str()))
          .arg(QString::fromStdString(host_.app().version())));
}

void DesktopApp::PrintPreview() {
  if (host_.app().workbooks().count() == 0) {
    Inform("没有打开的工作簿。", "提示", vb::vbInformation);
    return;
  }
  const fb::sheet::Worksheet& sheet = host_.app().active_sheet();
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, window_.get());
  preview.setWindowTitle("打印预览");
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, &sheet](QPrinter* target) {
    try {
      fb::ui::qt::print_sheet(*target, sheet, fb::render::render_drawing);
    } catch (const std::exception& failure) {
      Inform(std::string("无法打印：") + failure.what(), "错误", vb::vbCritical);
    }
  });
  preview.resize(980, 720);
  RunHostDialog(preview);
}

void DesktopApp::Print() {
  if (host_.app().workbooks().count() == 0) {
    Inform("没有打开的工作簿。", "提示", vb::vbInformation);
    return;
  }
  const fb::sheet::Worksheet& sheet = host_.app().active_sheet();
  QPrinter printer(QPrinter::HighResolution);
  try {
    fb::ui::qt::set_up_printer(printer, fb::render::report_page(sheet, fb::render::render_drawing));
  } catch (const std::exception& failure) {
    Inform(std::string("无法打印：") + failure.what(), "错误", vb::vbCritical);
    return;
  }
  QPrintDialog dialog(&printer, window_.get());
  dialog.setWindowTitle("打印");
  if (RunHostDialog(dialog) != QDialog::Accepted) return;
  try {
    fb::ui::qt::print_sheet(printer, sheet, fb::render::render_drawing);
  } catch (const std::exception& failure) {
    Inform(std::string("无法打印：") + failure.what(), "错误", vb::vbCritical);
  }
}

}  // namespace fishbone_gui
