#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/environment.h"
#include "platform/os/message_pump.h"
#include "platform/sheet/addins.h"
#include "platform/sheet/clipboard.h"
#include "platform/sheet/enums.h"
#include "platform/sheet/fault_injection.h"
#include "platform/sheet/host_profile.h"
#include "platform/sheet/workbook.h"

namespace fb::ui {
class Dialogs;
}

namespace fb::sheet {

class Application;
class Chart;
class Shape;
class ShapeCollection;
class ShapeRange;

// Application.Workbooks. Add-in workbooks are reachable by name but not counted, as in the host.
class Workbooks {
 public:
  explicit Workbooks(Application& app) : app_(&app) {}
  int count() const;
  Workbook& item(int index);              // 1-based; HostError 9 when out of range
  Workbook& item(std::string_view name);  // case-insensitive; HostError 9 when absent
  Workbook* find(std::string_view name);
  Workbook& add();
  // Opens a file by its (Windows-style) path. An ".xml" file opens as rows, see
  // xml_workbook_reader.h. An ".xlt" template is not opened itself: a new, unsaved workbook is
  // made from it, named after the file without its extension and a number ("Report1"), with
  // the template's sheets, standard font and default sizes (template_workbook.h). Other types
  // need an opener (register_file_opener). HostError 1004 naming the file when it is missing,
  // unreadable or malformed.
  Workbook& open(std::string_view path);

 private:
  Workbook& open_template(std::string_view path, const std::string& name);
  void remember_recent(std::string_view path, const std::string& name);
  Application* app_;
};

// Builds a workbook from a native file; the later template reader plugs in here.
using FileOpener = std::function<void(Workbook& workbook, const std::filesystem::path& file)>;

class Application {
 public:
  // `environment` gives "userprofile" for the recent-file list; it must outlive the application.
  explicit Application(const os::Environment& environment,
                       std::string version = std::string(kV12VersionText));
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  ~Application();

  // --- state ---
  bool screen_updating() const { return screen_updating_; }
  void set_screen_updating(bool on) { screen_updating_ = on; }
  bool visible() const { return visible_; }
  void set_visible(bool on) { visible_ = on; }
  bool display_alerts() const { return display_alerts_; }
  void set_display_alerts(bool on) { display_alerts_ = on; }
  bool enable_events() const { return enable_events_; }
  void set_enable_events(bool on) { enable_events_ = on; }
  bool interactive() const { return interactive_; }
  void set_interactive(bool on) { interactive_ = on; }
  CancelKey enable_cancel_key() const { return cancel_key_; }
  void set_enable_cancel_key(CancelKey key) { cancel_key_ = key; }
  Calculation calculation() const { return calculation_; }
  // Back to automatic evaluates everything dirty in every workbook.
  void set_calculation(Calculation mode);
  double max_change() const { return max_change_; }
  void set_max_change(double value) { max_change_ = value; }
  // Evaluates every dirty formula of every workbook (F9).
  void calculate();

  // The version text: "12.0" by default, "11.0" for the older profile. Names and the grid follow.
  const std::string& version() const { return version_; }
  HostProfile profile() const { return host_profile_of(version_); }
  void set_version(std::string version);
  int language_install_id() const { return language_id_; }
  void set_language_install_id(int id) { language_id_ = id; }
  GridSize grid() const;

  // --- objects ---
  Workbooks& workbooks() { return workbooks_; }
  Workbook& active_workbook();  // HostError 91 when no workbook is open
  Worksheet& active_sheet();
  Window& active_window();
  Range active_cell();
  Range selection();
  Clipboard& clipboard() { return clipboard_; }
  // Application.CutCopyMode = False.
  void clear_clipboard();
  AddIns& addins() { return addins_; }

  // --- charts and shapes ---
  Chart& active_chart();  // HostError 91 when no chart is active
  Chart* active_chart_or_null() const { return active_chart_; }
  void set_active_chart(Chart* chart) { active_chart_ = chart; }
  void select_shapes(ShapeCollection& shapes, std::vector<std::string> names);
  // Selection.ShapeRange: HostError 438 when the selection holds no shapes.
  ShapeRange selection_shape_range();
  // A shape (and the chart it holds) is going away: nothing may keep pointing at it.
  void forget_shape(const Shape& shape);
  void forget_chart(const Chart* chart);
  FaultInjector& faults() { return faults_; }

  // The analysis function library as an add-in workbook ("FUNCRES.XLA" / "FUNCRES.XLAM").
  bool analysis_library_enabled() const { return analysis_enabled_; }
  void set_analysis_library_enabled(bool on);
  std::string analysis_library_name() const;

  // How the host asks the user (the unsaved-changes prompt of closing a workbook) and how it
  // saves a workbook the user wants kept. Without dialogs the host never asks; without a saver
  // a save is refused. Both must outlive the application.
  void set_dialogs(ui::Dialogs* dialogs) { dialogs_ = dialogs; }
  ui::Dialogs* dialogs() const { return dialogs_; }
  // Returns false when the workbook was not saved (the user cancelled the file choice).
  using WorkbookSaver = std::function<bool(Workbook& workbook)>;
  void set_workbook_saver(WorkbookSaver saver) { saver_ = std::move(saver); }
  const WorkbookSaver& workbook_saver() const { return saver_; }

  void set_message_pump(os::MessagePump* pump) { pump_ = pump; }
  // Lets the host process pending window messages.
  void do_events();
  static double inches_to_points(double inches) { return inches * 72.0; }

  void register_file_opener(std::string extension, FileOpener opener);
  // Where opening a file leaves its recent-file shortcut: userprofile + "\Application
  // Data\Microsoft\Office\Recent\" + file name + ".lnk", as a Windows-style path.
  std::string recent_file_shortcut(std::string_view file_name) const;

  // --- engine-facing ---
  std::vector<std::unique_ptr<Workbook>>& open_workbooks() { return workbooks_list_; }
  Workbook* addin_workbook() { return addin_workbook_.get(); }
  void set_active_workbook(Workbook* workbook) { active_ = workbook; }
  void remove_workbook(Workbook& workbook);
  const os::Environment& environment() const { return *environment_; }
  const std::vector<std::pair<std::string, FileOpener>>& file_openers() const { return openers_; }

 private:
  // First, so that shapes dying with the workbooks or the clipboard below can still clear them.
  Chart* active_chart_ = nullptr;
  ShapeCollection* selected_shapes_owner_ = nullptr;
  std::vector<std::string> selected_shapes_;
  const os::Environment* environment_;
  std::string version_;
  int language_id_ = 2052;
  bool screen_updating_ = true;
  bool visible_ = true;
  bool display_alerts_ = true;
  bool enable_events_ = true;
  bool interactive_ = true;
  CancelKey cancel_key_ = CancelKey::Interrupt;
  Calculation calculation_ = Calculation::Automatic;
  double max_change_ = 0.001;
  bool analysis_enabled_ = true;
  std::vector<std::unique_ptr<Workbook>> workbooks_list_;
  std::unique_ptr<Workbook> addin_workbook_;
  Workbook* active_ = nullptr;
  Workbooks workbooks_;
  Clipboard clipboard_;
  AddIns addins_;
  FaultInjector faults_;
  os::NullPump null_pump_;
  os::MessagePump* pump_ = &null_pump_;
  ui::Dialogs* dialogs_ = nullptr;
  WorkbookSaver saver_;
  std::vector<std::pair<std::string, FileOpener>> openers_;
  int next_book_number_ = 1;
  // The number the next workbook made from a template of that name gets ("Report1", "Report2").
  std::map<std::string, int> template_numbers_;

  friend class Workbooks;
};

}  // namespace fb::sheet
