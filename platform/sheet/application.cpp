#include "platform/sheet/application.h"

#include <algorithm>
#include <fstream>

#include "platform/os/host_error.h"
#include "platform/os/win_path.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/shape/shape_range.h"
#include "platform/sheet/template_workbook.h"
#include "platform/sheet/xml_workbook_reader.h"

namespace fb::sheet {
namespace {

std::string file_name_of(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string lower_extension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  std::string ext = name.substr(dot);
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return ext;
}

}  // namespace

// --- Workbooks ---

int Workbooks::count() const {
  return static_cast<int>(app_->workbooks_list_.size());
}

Workbook& Workbooks::item(int index) {
  if (index < 1 || index > count()) {
    throw HostError(host_error::kSubscriptOutOfRange,
                    "Subscript out of range: workbook " + std::to_string(index));
  }
  return *app_->workbooks_list_[static_cast<std::size_t>(index - 1)];
}

Workbook* Workbooks::find(std::string_view name) {
  for (auto& wb : app_->workbooks_list_) {
    if (os::equals_ignoring_ascii_case(wb->name(), name)) return wb.get();
  }
  if (app_->addin_workbook_ &&
      os::equals_ignoring_ascii_case(app_->addin_workbook_->name(), name)) {
    return app_->addin_workbook_.get();
  }
  return nullptr;
}

Workbook& Workbooks::item(std::string_view name) {
  if (Workbook* wb = find(name)) return *wb;
  throw HostError(host_error::kSubscriptOutOfRange,
                  "Subscript out of range: no workbook named " + std::string(name));
}

Workbook& Workbooks::add() {
  app_->faults().check(HostOperation::WorkbooksAdd);
  auto wb = std::make_unique<Workbook>(*app_, "Book" + std::to_string(app_->next_book_number_++));
  for (int i = 1; i <= 3; ++i) wb->insert_sheet("Sheet" + std::to_string(i), i - 1);
  Workbook& ref = *wb;
  app_->workbooks_list_.push_back(std::move(wb));
  ref.activate();
  return ref;
}

Workbook& Workbooks::open(std::string_view path) {
  app_->faults().check(HostOperation::WorkbooksOpen);
  const std::string name = file_name_of(path);
  const std::string ext = lower_extension(name);
  if (ext == ".xlt") return open_template(path, name);
  if (find(name) != nullptr) {
    throw HostError(host_error::kApplicationDefined,
                    "A workbook named '" + name + "' is already open");
  }
  const std::filesystem::path native = os::native_path(path);
  auto wb = std::make_unique<Workbook>(*app_, name);
  wb->set_full_name(std::string(path));
  if (ext == ".xml") {
    const XmlRows rows = read_xml_rows(native, name);
    Worksheet& sheet = wb->insert_sheet(name.substr(0, name.size() - ext.size()), 0);
    write_rows(sheet, rows);
  } else {
    const auto opener = std::find_if(app_->openers_.begin(), app_->openers_.end(),
                                     [&](const auto& o) { return o.first == ext; });
    if (opener == app_->openers_.end()) {
      throw HostError(host_error::kApplicationDefined,
                      "'" + name + "': this file type cannot be opened here");
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(native, ec)) {
      throw HostError(host_error::kApplicationDefined, "'" + name + "' could not be found");
    }
    opener->second(*wb, native);
    if (wb->sheets().empty()) wb->insert_sheet("Sheet1", 0);
  }
  wb->set_saved(true);
  Workbook& ref = *wb;
  app_->workbooks_list_.push_back(std::move(wb));
  ref.activate();
  remember_recent(path, name);
  return ref;
}

Workbook& Workbooks::open_template(std::string_view path, const std::string& name) {
  const std::filesystem::path native = os::native_path(path);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(native, ec)) {
    throw HostError(host_error::kApplicationDefined, "'" + name + "' could not be found");
  }
  const std::string stem = name.substr(0, name.rfind('.'));
  int& last_number = app_->template_numbers_[os::ascii_upper(stem)];
  auto wb = std::make_unique<Workbook>(*app_, stem + std::to_string(last_number + 1));
  load_template(*wb, native, name);
  ++last_number;
  wb->set_saved(true);
  Workbook& ref = *wb;
  app_->workbooks_list_.push_back(std::move(wb));
  ref.activate();
  remember_recent(path, name);
  return ref;
}

void Workbooks::remember_recent(std::string_view path, const std::string& name) {
  // The host's recent-file list. A list entry that cannot be written never fails the open.
  const std::string shortcut = app_->recent_file_shortcut(name);
  if (!shortcut.empty()) {
    try {
      const std::filesystem::path lnk = os::ensure_parent_folders(shortcut);
      std::ofstream out(lnk, std::ios::binary | std::ios::trunc);
      out << std::string(path);
    } catch (const HostError&) {
    } catch (const std::filesystem::filesystem_error&) {
    }
  }
}

// --- Application ---

Application::Application(const os::Environment& environment, std::string version)
    : environment_(&environment), version_(std::move(version)), workbooks_(*this), addins_(*this) {
  set_analysis_library_enabled(true);
}

Application::~Application() {
  clipboard_.clear();
  workbooks_list_.clear();
}

void Application::set_version(std::string version) {
  version_ = std::move(version);
  set_analysis_library_enabled(analysis_enabled_);  // renames the library workbook
}

GridSize Application::grid() const {
  if (profile() == HostProfile::V11) return GridSize{65536, 256};
  return GridSize{kMaxRows, kMaxColumns};
}

std::string Application::analysis_library_name() const {
  return profile() == HostProfile::V11 ? "FUNCRES.XLA" : "FUNCRES.XLAM";
}

void Application::set_analysis_library_enabled(bool on) {
  analysis_enabled_ = on;
  if (on) {
    addin_workbook_ = std::make_unique<Workbook>(*this, analysis_library_name(), true);
    addin_workbook_->insert_sheet("Sheet1", 0);
  } else {
    addin_workbook_.reset();
  }
}

void Application::set_calculation(Calculation mode) {
  faults_.check(HostOperation::SetCalculation);
  calculation_ = mode;
  if (mode == Calculation::Automatic) calculate();
}

void Application::calculate() {
  for (auto& wb : workbooks_list_) wb->recalc().calculate();
}

Workbook& Application::active_workbook() {
  if (active_ == nullptr) {
    throw HostError(91, "Object variable not set: no workbook is open");
  }
  return *active_;
}

Worksheet& Application::active_sheet() {
  return active_workbook().active_sheet();
}

Window& Application::active_window() {
  return active_workbook().window();
}

Range Application::active_cell() {
  return active_sheet().active_cell();
}

Range Application::selection() {
  return active_sheet().selection();
}

Chart& Application::active_chart() {
  if (active_chart_ == nullptr) {
    throw HostError(91, "Object variable or With block variable not set: no active chart");
  }
  return *active_chart_;
}

void Application::select_shapes(ShapeCollection& shapes, std::vector<std::string> names) {
  selected_shapes_owner_ = &shapes;
  selected_shapes_ = std::move(names);
}

ShapeRange Application::selection_shape_range() {
  if (selected_shapes_owner_ == nullptr || selected_shapes_.empty()) {
    throw HostError(438, "Object doesn't support this property or method: no shape is selected");
  }
  return ShapeRange(*selected_shapes_owner_, selected_shapes_);
}

void Application::forget_shape(const Shape& shape) {
  if (Chart* chart = shape.chart_or_null()) forget_chart(chart);
  if (selected_shapes_owner_ == shape.owner()) {
    selected_shapes_owner_ = nullptr;
    selected_shapes_.clear();
  }
}

void Application::forget_chart(const Chart* chart) {
  if (active_chart_ == chart) active_chart_ = nullptr;
  if (chart != nullptr && selected_shapes_owner_ == &chart->shapes()) {
    selected_shapes_owner_ = nullptr;
    selected_shapes_.clear();
  }
}

void Application::clear_clipboard() {
  faults_.check(HostOperation::ClipboardClear);
  clipboard_.clear();
}

void Application::do_events() {
  pump_->pump();
}

void Application::register_file_opener(std::string extension, FileOpener opener) {
  openers_.emplace_back(std::move(extension), std::move(opener));
}

std::string Application::recent_file_shortcut(std::string_view file_name) const {
  const std::string profile = environment_->value(os::kUserProfile);
  if (profile.empty()) return {};
  return profile + "\\Application Data\\Microsoft\\Office\\Recent\\" + std::string(file_name) +
         ".lnk";
}

void Application::remove_workbook(Workbook& workbook) {
  auto it = std::find_if(workbooks_list_.begin(), workbooks_list_.end(),
                         [&](const auto& wb) { return wb.get() == &workbook; });
  if (it == workbooks_list_.end()) return;
  const bool was_active = active_ == &workbook;
  const auto position = it - workbooks_list_.begin();
  std::unique_ptr<Workbook> doomed = std::move(*it);
  workbooks_list_.erase(it);
  if (was_active) {
    // The host activates the workbook that was opened before the closed one, else the next.
    if (workbooks_list_.empty()) {
      active_ = nullptr;
    } else {
      const auto next =
          std::min<std::ptrdiff_t>(std::max<std::ptrdiff_t>(position - 1, 0),
                                   static_cast<std::ptrdiff_t>(workbooks_list_.size()) - 1);
      active_ = workbooks_list_[static_cast<std::size_t>(next)].get();
    }
  }
}

}  // namespace fb::sheet
