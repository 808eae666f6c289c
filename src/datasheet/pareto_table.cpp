#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "src/component/component.h"
#include "src/datasheet/calculation.h"
#include "src/datasheet/formula_texts.h"
#include "src/datasheet/steps.h"

namespace kivo2d {

void BuildParetoTable(Component& component) {
  using fb::sheet::AutoFillType;
  using fb::sheet::Calculation;
  fb::sheet::Application& app = component.app();
  fb::sheet::Worksheet& sheet = app.active_sheet();

  SetCalculation(app, Calculation::Manual);
  sheet.range("AN12").set_formula_r1c1(formulas::kParetoFirstOrdinal);
  sheet.range("AN12").auto_fill(sheet.range("AN12:AN20"), AutoFillType::Series);
  for (const formulas::FormulaWrite& write : formulas::kParetoColumns) {
    sheet.range(write.target).set_formula_r1c1(write.r1c1);
  }
  SetCalculation(app, Calculation::Automatic);
  FreezeToValues(sheet.range("AN10:AR20"));

  // Row 10 is the filtered range's heading row, so the sort leaves it in place.
  fb::sheet::Range table = sheet.range("AN10:AR20");
  table.auto_filter();
  fb::sheet::SortOptions by_count;
  by_count.key1 = fb::sheet::CellAddress{11, 42};  // AP11
  by_count.order1 = fb::sheet::SortOrder::Descending;
  by_count.header = fb::sheet::SortHeader::Guess;
  by_count.order_custom = 1;
  by_count.match_case = false;
  by_count.orientation = fb::sheet::SortOrientation::Columns;
  by_count.method = fb::sheet::SortMethod::PinYin;
  by_count.data_option = fb::sheet::SortDataOption::Normal;
  table.sort(by_count);

  sheet.range("AR11").set_formula_r1c1(formulas::kCumulativeShare);
  sheet.range("AR11").auto_fill(sheet.range("AR11:AR19"), AutoFillType::Default);
  sheet.range("AS11").set_formula_r1c1(formulas::kMainCauseEntries);
  FreezeToValues(sheet.range("AR11:AS19"));
  sheet.range("AQ11:AR19").set_number_format_local("0.0%");
  sheet.range("AM2").select();
}

}  // namespace kivo2d
