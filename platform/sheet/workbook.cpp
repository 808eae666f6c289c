#include "platform/sheet/workbook.h"

#include <algorithm>

#include "platform/os/environment.h"
#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/chart/chart.h"
#include "platform/ui/dialogs.h"

namespace fb::sheet {

namespace {
// The title of the host's own questions.
constexpr std::string_view kPromptTitle = "Fishbone";
}  // namespace

// --- Worksheets ---

int Worksheets::count() const {
  return static_cast<int>(workbook_->sheets().size());
}

Worksheet& Worksheets::item(int index) {
  if (index < 1 || index > count()) {
    throw HostError(host_error::kSubscriptOutOfRange,
                    "Subscript out of range: sheet " + std::to_string(index));
  }
  return *workbook_->sheets()[static_cast<std::size_t>(index - 1)];
}

Worksheet* Worksheets::find(std::string_view name) {
  for (auto& sheet : workbook_->sheets()) {
    if (os::equals_ignoring_ascii_case(sheet->name(), name)) return sheet.get();
  }
  return nullptr;
}

Worksheet& Worksheets::item(std::string_view name) {
  if (Worksheet* sheet = find(name)) return *sheet;
  throw HostError(host_error::kSubscriptOutOfRange,
                  "Subscript out of range: no sheet named " + std::string(name));
}

std::string Worksheets::next_sheet_name() {
  int number = count() + 1;
  while (find("Sheet" + std::to_string(number)) != nullptr) ++number;
  return "Sheet" + std::to_string(number);
}

Worksheet& Worksheets::add() {
  workbook_->application().faults().check(HostOperation::SheetsAdd);
  int position = 0;
  auto& sheets = workbook_->sheets();
  Worksheet* active = sheets.empty() ? nullptr : &workbook_->active_sheet();
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    if (sheets[i].get() == active) position = static_cast<int>(i);
  }
  Worksheet& sheet = workbook_->insert_sheet(next_sheet_name(), position);
  sheet.activate();
  workbook_->set_saved(false);
  return sheet;
}

Worksheet& Worksheets::add_after(Worksheet& previous) {
  workbook_->application().faults().check(HostOperation::SheetsAdd);
  Worksheet& sheet = workbook_->insert_sheet(next_sheet_name(), previous.index());
  sheet.activate();
  workbook_->set_saved(false);
  return sheet;
}

// --- Window ---

void Window::set_window_state(WindowState state) {
  workbook_->application().faults().check(HostOperation::WindowState);
  state_ = state;
}

bool Window::close(std::optional<bool> save_changes) {
  workbook_->application().faults().check(HostOperation::WindowClose);
  return workbook_->close(save_changes);
}

void Window::activate() {
  workbook_->activate();
}

// --- Workbook ---

Workbook::Workbook(Application& app, std::string name, bool is_addin)
    : app_(&app),
      name_(std::move(name)),
      is_addin_(is_addin),
      worksheets_(*this),
      window_(*this),
      recalc_(*this),
      charts_(std::make_unique<ChartSheets>(*this)) {}

Workbook::~Workbook() = default;

Worksheet& Workbook::insert_sheet(std::string name, int position) {
  const auto id = static_cast<SheetId>(by_id_.size());
  auto sheet = std::make_unique<Worksheet>(*this, id, std::move(name));
  Worksheet& ref = *sheet;
  sheets_.insert(sheets_.begin() + position, std::move(sheet));
  by_id_.push_back(&ref);
  if (active_sheet_ == nullptr) active_sheet_ = &ref;
  return ref;
}

Worksheet& Workbook::active_sheet() {
  if (active_sheet_ == nullptr) {
    throw HostError(host_error::kApplicationDefined, "The workbook has no sheet");
  }
  return *active_sheet_;
}

void Workbook::set_active_sheet(Worksheet& sheet) {
  active_sheet_ = &sheet;
}

void Workbook::activate() {
  if (!is_addin_) app_->set_active_workbook(this);
}

void Workbook::saved_as(std::string path) {
  const std::size_t slash = path.find_last_of("\\/");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const Workbook* holder = app_->workbooks().find(name);
  if (holder != nullptr && holder != this) {
    throw HostError(host_error::kApplicationDefined,
                    "A workbook named '" + name + "' is already open");
  }
  name_ = std::move(name);
  full_name_ = std::move(path);
  saved_ = true;
}

bool Workbook::close(std::optional<bool> save_changes) {
  app_->faults().check(HostOperation::WorkbookClose);
  bool save = save_changes.value_or(false);
  if (!saved_ && !save_changes && app_->display_alerts() && app_->dialogs() != nullptr) {
    const std::string prompt = "是否保存对“" + name_ + "”的更改？";
    const int answer = app_->dialogs()->message_box(
        prompt, ui::vb::vbYesNoCancel + ui::vb::vbExclamation, kPromptTitle);
    if (answer == ui::vb::vbCancel) return false;
    save = answer == ui::vb::vbYes;
  }
  if (save && !saved_) {
    if (!app_->workbook_saver()) {
      throw HostError(host_error::kApplicationDefined,
                      "Cannot save " + name_ + ": no file writer in this host");
    }
    // The user may still cancel the choice of a file: then nothing is lost and nothing closes.
    if (!app_->workbook_saver()(*this)) return false;
  }
  for (auto& sheet : sheets_) app_->clipboard().forget_sheet(sheet.get());
  app_->remove_workbook(*this);  // destroys this object
  return true;
}

void Workbook::after_change() {
  saved_ = false;
  if (app_->calculation() == Calculation::Automatic) recalc_.calculate();
}

void Workbook::shift_cells(Worksheet& shifted, const formula::GridShift& shift) {
  struct Adjusted {
    Worksheet* sheet;
    CellAddress at;
    formula::FormulaPtr formula;
  };
  std::vector<Adjusted> adjusted;
  formula::ShiftAdjuster adjuster(shift, shifted.name());
  // Only formula cells can change, and the recalculation knows where they are: a sheet of
  // constants and formats costs nothing here however large it is.
  for (const CellKey& key : recalc_.formula_cells()) {
    Worksheet* sheet = sheet_by_id(key.sheet);
    const CellAddress a{key.row, key.column};
    const Cell* cell = sheet->store().find(a);
    const bool own = sheet == &shifted;
    const auto landed = own ? formula::shifted_position(a, shift) : std::optional<CellAddress>(a);
    if (!landed) continue;
    auto changed = adjuster.adjust(cell->formula, a, *landed, own);
    if (changed) adjusted.push_back({sheet, *landed, std::move(changed)});
  }
  shifted.shift_layout(shift);
  for (auto& a : adjusted) {
    if (Cell* cell = a.sheet->store().find(a.at)) cell->formula = std::move(a.formula);
  }
  recalc_.cells_shifted(shifted.id(), shift);
}

}  // namespace fb::sheet
