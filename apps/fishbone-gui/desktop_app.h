#pragma once

#include <QObject>
#include <QTimer>

class QDialog;
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "apps/fishbone-gui/desktop_settings.h"
#include "apps/fishbone-gui/qt_pump.h"
#include "apps/fishbone-gui/recovery_file.h"
#include "platform/os/clock.h"
#include "platform/os/environment.h"
#include "platform/os/file_system.h"
#include "platform/os/host_folders.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/qt/sheet/host_window.h"
#include "src/addin/headless_host.h"
#include "src/editor/tree_file.h"

namespace fb::ui::qt {
class QtDialogs;
class HelpWindow;
class FormWindows;
}  // namespace fb::ui::qt
namespace kivo2d {
class Work;
}

namespace fishbone_gui {

// What a test or a special run replaces; empty: the real thing.
struct DesktopOptions {
  // Message boxes; null: Qt message boxes over the host window.
  fb::ui::Dialogs* dialogs = nullptr;
  // The component's clock (the welcome window's wait); null: the system clock.
  fb::os::Clock* clock = nullptr;
  // Where the component lies (its help file); empty: share/fishbone beside an installed
  // program's bin folder, the build's component folder for one in the build tree.
  std::string component_folder;
  // Asks the user for a file to open or save ("open" or "save", a caption, a filter, a proposed
  // name); returns "" when the user cancels. Empty: Qt's file dialogs.
  std::function<std::string(const std::string& mode, const std::string& caption,
                            const std::string& filter, const std::string& proposed)>
      choose_file;
};

// The desktop host: one host engine with the component, as the command line has it, drawn by the
// host window and driven by the user. It starts as the host does (registration when missing, the
// add-ins of load behaviour 3 connected in connect mode 1), works the host's menus, saves,
// exports and prints workbooks, keeps the editor's analysis in a recovery file while the editor
// is open, and asks before anything unsaved is lost.
class DesktopApp : public QObject {
  Q_OBJECT

 public:
  explicit DesktopApp(const fb::os::Environment& process_environment, DesktopOptions options = {});
  // Disconnects the add-ins as a closing host does.
  ~DesktopApp() override;

  fb::ui::qt::HostWindow& window() { return *window_; }
  kivo2d::HeadlessHost& host() { return host_; }
  fb::sheet::Application& app() { return host_.app(); }
  const DesktopSettings& settings() const { return settings_; }
  const QtPump& pump() const { return pump_; }
  const InteractiveFilter& input_filter() const { return *filter_; }
  const std::filesystem::path& registry_file() const { return registry_file_; }
  // The running program's socket lives for the session; the recovery file must outlive it (a
  // crash of the whole machine, a logout), so it is kept in the persistent state folder.
  std::filesystem::path instance_socket() const { return private_folder_ / "instance"; }
  const std::filesystem::path& recovery_file() const { return recovery_.path(); }

  // Start-up, once the window can be seen: opens an empty workbook, registers the component when
  // the registry lacks it,
  // connects the add-ins loaded at start-up (the welcome window shows meanwhile), then offers to
  // restore an analysis a crash left in the recovery file.
  void Start();
  // Whether the add-in is connected.
  bool AddinConnected() const;

  // --- the host's commands, as the menus run them (paths given: no file dialog) ---
  void NewWorkbook();
  // Writes the workbook as .xlsx (atomically); it is then saved and named after the file. A
  // message box tells a failure, and refuses a file named as another open workbook.
  bool SaveWorkbookAs(fb::sheet::Workbook& workbook, const std::filesystem::path& path);
  // Saves under its own name when it has one as .xlsx, else asks for one; false when not saved.
  bool SaveWorkbook(fb::sheet::Workbook& workbook);
  // Runs one of the host's own dialogs; its window is active again after the answer.
  int RunHostDialog(QDialog& dialog);
  // A topic of the product's help file, or the missing-file message.
  void ShowHelpTopic(std::string_view topic);
  // Writes the active sheet's page as a one-page PDF.
  bool ExportPdf(const fb::sheet::Worksheet& sheet, const std::filesystem::path& path);
  // Closes a workbook as the user does: unsaved changes are asked about; false when it stays open.
  bool CloseWorkbook(fb::sheet::Workbook& workbook);
  // Loads a tree file into the editor (opened from the "Fishbone" bar when needed).
  bool OpenAnalysis(const std::filesystem::path& path);
  // Writes the open editor's tree (an outline for .txt, else the exchange XML).
  bool SaveAnalysis(const std::filesystem::path& path);
  // Asks about everything unsaved (the editor's analysis, each workbook); false keeps the host
  // running. On true the add-ins are disconnected.
  bool MayQuit();
  // The editor, when it is loaded.
  kivo2d::Work* Editor();

  // Writes the editor's tree to the recovery file when it changed since, or removes the file
  // once the editor was unloaded; the program does this on a timer.
  void KeepRecoveryFile();
  // Draws the host window from the models again (also after each pump).
  void Refresh();

  // The built-in actions by the control's caption, as the menu bar runs them.
  bool RunMenuCommand(const std::string& caption);

  // The component's help requests: the help window opens (or turns) to the topic of the file,
  // a path as the component spells it. Throws fb::HostError for a damaged file or a missing
  // topic, which the component reports to the user.
  void ShowHelp(std::string_view file, std::string_view topic);
  fb::ui::qt::HelpWindow* help_window() { return help_window_.get(); }
  // The component's windows on the desktop.
  fb::ui::qt::FormWindows& form_windows() { return *form_windows_; }
  // The component's help file where this program finds it.
  std::filesystem::path HelpFile();
  // The panel's " 自动适配 ": the choices whose diagram of the editor's tree overlaps least,
  // told in the status bar; `given` when there is no editor or no layout could be made.
  kivo2d::GenerationOptions FitEditorLayout(const kivo2d::GenerationOptions& given);

 signals:
  void started();

 private:
  std::string ChooseFile(const std::string& mode, const std::string& caption,
                         const std::string& filter, const std::string& proposed);
  void Inform(const std::string& text, const std::string& title, int icon);
  // The window a message box belongs to: the component's window the user works in, else the
  // host's.
  QWidget* DialogOwner() const;
  void RegisterWhenMissing(fb::os::Registry& registry);
  void OfferRecovery();
  kivo2d::Work* OpenEditor();
  void SetAddinConnected(bool connected);
  void SaveSettings();
  void ShowMacroSecurity();
  void ShowAddins();
  void ShowOptions();
  void ShowAbout();
  void PrintPreview();
  void Print();
  void InstallActions();

  const fb::os::Environment& process_environment_;
  DesktopOptions options_;
  std::filesystem::path registry_file_;
  DesktopSettings settings_;
  fb::os::HostFolders folders_;
  fb::os::MapEnvironment environment_;
  std::filesystem::path private_folder_;
  std::filesystem::path recovery_folder_;
  RecoveryFile recovery_;
  fb::os::FileSystemObject file_system_;
  fb::os::SystemClock system_clock_;
  std::unique_ptr<fb::ui::qt::QtDialogs> qt_dialogs_;
  fb::ui::Dialogs& dialogs_;
  kivo2d::HeadlessHost host_;
  QtPump pump_;
  std::unique_ptr<fb::ui::qt::HostWindow> window_;
  std::unique_ptr<fb::ui::qt::HelpWindow> help_window_;
  // After the host window, their owner, so that they go first.
  std::unique_ptr<fb::ui::qt::FormWindows> form_windows_;
  std::unique_ptr<InteractiveFilter> filter_;
  std::map<std::string, std::function<void()>> actions_;
  QTimer recovery_timer_;
  std::string recovery_written_;
  // The tree last seen in the editor: it outlives the editor (a generation unloads it), so that
  // 保存分析 still saves the analysis a report was made from.
  std::optional<kivo2d::TreeDocument> last_analysis_;
  bool told_recovery_not_owned_ = false;
  bool closed_ = false;
  bool hidden_for_host_ = false;
};

}  // namespace fishbone_gui
