#pragma once

#include <map>
#include <string>
#include <string_view>

namespace fb::sheet {

// Host operations that tests can make fail, one per call the component makes of the object
// model. Each is checked at the entry of its operation, before anything changes.
enum class HostOperation {
  WorkbooksOpen,
  WorkbooksAdd,
  WorkbookClose,
  WindowClose,
  WindowState,
  SheetsAdd,
  SheetSelect,
  SetValue,
  SetFormula,
  Copy,
  Cut,
  Paste,
  PasteSpecial,
  Insert,
  Delete,
  Sort,
  AutoFilter,
  AutoFill,
  Merge,
  Format,
  ColumnWidth,
  RowHeight,
  SetCalculation,
  AddinsAdd,
  AddinInstall,
  ClipboardClear,
};

std::string_view operation_name(HostOperation op);

// Makes the Nth next call of an operation throw fb::HostError with a chosen number.
class FaultInjector {
 public:
  // `nth_call` 1 is the next call. A later arming of the same operation replaces the earlier.
  void fail_on(HostOperation op, int nth_call, int number, std::string description = {});
  void clear();

  // Counts the call; throws the armed error when this is the call chosen.
  void check(HostOperation op);

 private:
  struct Armed {
    int remaining = 0;
    int number = 0;
    std::string description;
  };
  std::map<HostOperation, Armed> armed_;
};

}  // namespace fb::sheet
