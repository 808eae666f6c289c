#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sheet/cell_format.h"
#include "platform/sheet/enums.h"
#include "platform/sheet/recalc.h"
#include "platform/sheet/worksheet.h"

namespace fb::sheet {

class Application;
class ChartSheets;
class Workbook;

// The worksheets of a workbook, in tab order.
class Worksheets {
 public:
  explicit Worksheets(Workbook& workbook) : workbook_(&workbook) {}
  int count() const;
  Worksheet& item(int index);              // 1-based; HostError 9 when out of range
  Worksheet& item(std::string_view name);  // case-insensitive; HostError 9 when absent
  Worksheet* find(std::string_view name);  // nullptr when absent
  // A new sheet named "Sheet" + (count + 1) (skipping names in use), placed before the active
  // sheet, and made active.
  Worksheet& add();
  // Worksheets.Add(After:=sheet): as add, but placed right after `sheet`.
  Worksheet& add_after(Worksheet& sheet);

 private:
  std::string next_sheet_name();  // "Sheet" + (count + 1), skipping names in use

  Workbook* workbook_;
};

// The one window of a workbook.
class Window {
 public:
  explicit Window(Workbook& workbook) : workbook_(&workbook) {}
  WindowState window_state() const { return state_; }
  void set_window_state(WindowState state);
  // Closes the workbook the window shows (as closing its only window does); false when it stays
  // open.
  bool close(std::optional<bool> save_changes = std::nullopt);
  void activate();
  Workbook& workbook() const { return *workbook_; }

 private:
  Workbook* workbook_;
  WindowState state_ = WindowState::Normal;
};

class Workbook {
 public:
  Workbook(Application& app, std::string name, bool is_addin = false);
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;
  ~Workbook();

  Application& application() const { return *app_; }
  const std::string& name() const { return name_; }
  // The file the workbook was opened from ("" for a new one).
  const std::string& full_name() const { return full_name_; }
  void set_full_name(std::string path) { full_name_ = std::move(path); }
  // Save As wrote the workbook to `path`: it is now that file, named after it (the name titles
  // and Workbooks(name) show) and saved. Throws HostError 1004, changing nothing, when another
  // open workbook has that name already: the host never has two open under one name.
  void saved_as(std::string path);
  bool is_addin() const { return is_addin_; }

  Worksheets& worksheets() { return worksheets_; }
  // Workbook.Charts: the chart sheets.
  ChartSheets& charts() { return *charts_; }
  Worksheet& active_sheet();
  Window& window() { return window_; }
  void activate();
  // Closes the workbook; returns false when it stays open. Unsaved changes: save_changes false,
  // or display alerts off, drops them; save_changes true saves through the host's saver first.
  // With alerts on and no save_changes the host asks "是否保存对“name”的更改？" (Yes, No,
  // Cancel) through its dialogs: Yes saves, No drops, Cancel keeps the workbook open (as does a
  // save the user cancels). A host without dialogs drops the changes without asking. A save
  // without a saver is refused with HostError 1004 and the workbook stays open.
  bool close(std::optional<bool> save_changes = std::nullopt);

  bool saved() const { return saved_; }
  void set_saved(bool saved) { saved_ = saved; }
  // The Normal style's font, which column widths are measured in (column_width.h).
  const Font& standard_font() const { return formats_.get(kNoFormat).font; }
  bool precision_as_displayed() const { return precision_as_displayed_; }
  void set_precision_as_displayed(bool on) { precision_as_displayed_ = on; }

  // --- engine-facing ---
  FormatTable& formats() { return formats_; }
  Recalc& recalc() { return recalc_; }
  Worksheet* sheet_by_id(SheetId id) const {
    return id >= 0 && id < static_cast<int>(by_id_.size()) ? by_id_[static_cast<std::size_t>(id)]
                                                           : nullptr;
  }
  std::vector<std::unique_ptr<Worksheet>>& sheets() { return sheets_; }
  std::uint32_t next_formula_stamp() { return ++formula_stamp_; }
  // Called after every change of content: the workbook is no longer saved, and in automatic
  // mode dirty formulas are evaluated.
  void after_change();
  // Adjusts every formula of the workbook to cells inserted or deleted on `sheet`, after the
  // sheet's own layout has moved.
  void shift_cells(Worksheet& sheet, const formula::GridShift& shift);
  Worksheet& insert_sheet(std::string name, int position);  // position 0-based
  void set_active_sheet(Worksheet& sheet);

 private:
  Application* app_;
  std::string name_;
  std::string full_name_;
  bool is_addin_;
  bool saved_ = true;
  bool precision_as_displayed_ = false;
  FormatTable formats_;
  std::vector<std::unique_ptr<Worksheet>> sheets_;
  std::vector<Worksheet*> by_id_;
  Worksheet* active_sheet_ = nullptr;
  Worksheets worksheets_;
  Window window_;
  Recalc recalc_;
  std::uint32_t formula_stamp_ = 0;
  std::unique_ptr<ChartSheets> charts_;
};

}  // namespace fb::sheet
