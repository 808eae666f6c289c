#include <algorithm>
#include <string>

#include "platform/os/environment.h"
#include "platform/os/graphemes.h"
#include "platform/os/utf16.h"
#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "src/component/component.h"
#include "src/component/exchange_paths.h"
#include "src/component/sheet_rows.h"
#include "src/datasheet/steps.h"

namespace kivo2d {
namespace {

using fb::sheet::PasteOperation;
using fb::sheet::PasteType;

// Where the next line of a wrapped caption starts: `length` units on, or further on to the end
// of the character that would be cut there, so that a surrogate pair, a letter with its combining
// marks and an emoji sequence stay whole on one line.
std::size_t NextCut(const std::u16string& text, std::size_t start, std::size_t length) {
  return fb::os::next_grapheme_start(text, std::min(start + length, text.size()));
}

}  // namespace

bool SheetExists(Component& component, const char* name) {
  fb::sheet::Application& app = component.app();
  fb::sheet::Worksheets& sheets = app.active_workbook().worksheets();
  const std::string wanted = fb::os::ascii_upper(name);
  for (int i = 1; i <= sheets.count(); ++i) {
    if (fb::os::ascii_upper(sheets.item(i).name()) == wanted) return true;
    app.do_events();
  }
  return false;
}

void WrapCaptions(Component& component) {
  fb::sheet::Application& app = component.app();
  fb::sheet::Worksheet& sheet = app.active_sheet();
  // The panel offers 5, 8 or 10; anything below one unit would never end a line.
  const auto line_length =
      static_cast<std::size_t>(std::max(1, component.generation_options.line_length));
  const int last = LastRow(sheet, "A");
  for (int row = 3; row <= last; ++row) {
    fb::sheet::Range cell = sheet.cells(row, 1);
    const std::string text = fb::sheet::value_text(cell.value());
    const std::u16string units = fb::os::utf8_to_utf16(text);
    // Captions are written as text: typed input would turn "0001" into 1 and "=C4" into a
    // formula.
    if (units.size() <= line_length) {
      cell.set_text(text);
    } else {
      std::u16string wrapped;
      for (std::size_t start = 0; start < units.size();) {
        const std::size_t cut = NextCut(units, start, line_length);
        if (start > 0) wrapped += u'\n';
        wrapped += units.substr(start, cut - start);
        start = cut;
        app.do_events();
      }
      cell.set_text(fb::os::utf16_to_utf8(wrapped));
    }
    app.do_events();
  }
}

void ImportTree(Component& component) {
  fb::sheet::Application& app = component.app();
  component.win_dir = component.environment().value(fb::os::kWinDir);
  const std::string exchange_file = ExchangeFilePath(component.win_dir);

  app.workbooks().open(exchange_file);
  component.run_workbooks.push_back(app.active_workbook().name());
  app.active_window().set_window_state(fb::sheet::WindowState::Maximized);
  component.file_system().DeleteFile(exchange_file);

  fb::sheet::Worksheet& nodes = app.active_sheet();
  nodes.rows("1:1").delete_cells(fb::sheet::DeleteShift::Up);
  nodes.range("A1").set_value("Caption");
  nodes.range("B1").set_value("Key");
  const int last = LastRow(nodes, "A");
  fb::sheet::Range rows = nodes.range(RowsAddress("A1", "C", last));
  rows.auto_filter();
  fb::sheet::SortOptions by_key;
  by_key.key1 = fb::sheet::CellAddress{1, 2};
  by_key.order1 = fb::sheet::SortOrder::Ascending;
  by_key.header = fb::sheet::SortHeader::Guess;
  by_key.order_custom = 1;
  by_key.match_case = false;
  by_key.orientation = fb::sheet::SortOrientation::Columns;
  by_key.method = fb::sheet::SortMethod::PinYin;
  by_key.data_option = fb::sheet::SortDataOption::Normal;
  rows.sort(by_key);
  WrapCaptions(component);
  nodes.range(RowsAddress("A1", "B", last)).copy();

  if (SheetExists(component, "Sheet2")) {
    app.active_workbook().worksheets().item("Sheet2").select();
  } else {
    app.active_workbook().worksheets().add();
  }
  app.active_sheet().range("C2").paste_special(PasteType::Values, PasteOperation::None, false,
                                               false);
  app.clear_clipboard();
}

}  // namespace kivo2d
