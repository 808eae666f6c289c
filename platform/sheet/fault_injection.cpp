#include "platform/sheet/fault_injection.h"

#include <stdexcept>

#include "platform/os/host_error.h"

namespace fb::sheet {

std::string_view operation_name(HostOperation op) {
  switch (op) {
    case HostOperation::WorkbooksOpen:
      return "Workbooks.Open";
    case HostOperation::WorkbooksAdd:
      return "Workbooks.Add";
    case HostOperation::WorkbookClose:
      return "Workbook.Close";
    case HostOperation::WindowClose:
      return "Window.Close";
    case HostOperation::WindowState:
      return "Window.WindowState";
    case HostOperation::SheetsAdd:
      return "Sheets.Add";
    case HostOperation::SheetSelect:
      return "Sheet.Select";
    case HostOperation::SetValue:
      return "Range.Value";
    case HostOperation::SetFormula:
      return "Range.FormulaR1C1";
    case HostOperation::Copy:
      return "Range.Copy";
    case HostOperation::Cut:
      return "Range.Cut";
    case HostOperation::Paste:
      return "Sheet.Paste";
    case HostOperation::PasteSpecial:
      return "Range.PasteSpecial";
    case HostOperation::Insert:
      return "Range.Insert";
    case HostOperation::Delete:
      return "Range.Delete";
    case HostOperation::Sort:
      return "Range.Sort";
    case HostOperation::AutoFilter:
      return "Range.AutoFilter";
    case HostOperation::AutoFill:
      return "Range.AutoFill";
    case HostOperation::Merge:
      return "Range.Merge";
    case HostOperation::Format:
      return "Range formats";
    case HostOperation::ColumnWidth:
      return "Range.ColumnWidth";
    case HostOperation::RowHeight:
      return "Range.RowHeight";
    case HostOperation::SetCalculation:
      return "Application.Calculation";
    case HostOperation::AddinsAdd:
      return "AddIns.Add";
    case HostOperation::AddinInstall:
      return "AddIn.Installed";
    case HostOperation::ClipboardClear:
      return "Application.CutCopyMode";
  }
  return "unknown operation";
}

void FaultInjector::fail_on(HostOperation op, int nth_call, int number, std::string description) {
  if (nth_call < 1) throw std::invalid_argument("nth_call counts from 1");
  if (description.empty()) {
    description = "Injected failure of " + std::string(operation_name(op));
  }
  armed_[op] = Armed{nth_call, number, std::move(description)};
}

void FaultInjector::clear() {
  armed_.clear();
}

void FaultInjector::check(HostOperation op) {
  const auto found = armed_.find(op);
  if (found == armed_.end()) return;
  if (--found->second.remaining > 0) return;
  const Armed armed = found->second;
  armed_.erase(found);
  throw HostError(armed.number, armed.description);
}

}  // namespace fb::sheet
