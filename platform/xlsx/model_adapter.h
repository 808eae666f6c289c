#pragma once

#include <optional>
#include <vector>

#include "platform/sheet/workbook.h"
#include "platform/xlsx/document.h"

namespace fb::xlsx {

// What a sheet shows besides its cells that the host's workbook model does not carry yet:
// cell hyperlinks, page setup, print area and shapes. The caller fills it per sheet.
struct SheetExtras {
  std::vector<CellHyperlink> hyperlinks;
  std::optional<PageSetup> page_setup;
  std::optional<sheet::RangeAddress> print_area;
  std::vector<DrawingItem> drawings;
  bool show_gridlines = true;
};

// A snapshot of the workbook for the package writer: every sheet's cells with their values
// (a formula cell gives its last result), formats, column widths, row heights and merged areas,
// plus `extras[i]` for the i-th sheet (missing entries mean none).
Document document_from_workbook(sheet::Workbook& workbook,
                                const std::vector<SheetExtras>& extras = {});

}  // namespace fb::xlsx
