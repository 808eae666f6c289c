#include <string>

#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "src/component/component.h"
#include "src/component/sheet_rows.h"
#include "src/datasheet/calculation.h"
#include "src/datasheet/formula_texts.h"
#include "src/datasheet/steps.h"

namespace kivo2d {
namespace {

using fb::sheet::Calculation;

// "E3:E" runs down to the last node row.
void WriteDownTo(fb::sheet::Worksheet& sheet, const formulas::FormulaWrite& write, int last) {
  sheet.range(std::string(write.target) + std::to_string(last)).set_formula_r1c1(write.r1c1);
}

}  // namespace

void WriteHierarchyFormulas(Component& component) {
  fb::sheet::Application& app = component.app();
  fb::sheet::Worksheet& sheet = app.active_sheet();
  const int last = LastRow(sheet, "C");

  SetCalculation(app, Calculation::Manual);
  for (const formulas::FormulaWrite& write : formulas::kHierarchyFirst) {
    WriteDownTo(sheet, write, last);
  }

  // The sentinel row closes the last main-cause block for the block lookups.
  const int sentinel = last + 1;
  const double last_ordinal = NumericValue(sheet.cells(last, 6).value());
  sheet.cells(sentinel, 6).set_value(fb::sheet::Value(last_ordinal + 1));
  for (int column = 7; column <= 10; ++column) {
    sheet.cells(sentinel, column).set_formula_r1c1(formulas::kZero);
  }

  for (const formulas::FormulaWrite& write : formulas::kHierarchySecond) {
    WriteDownTo(sheet, write, last);
  }
  SetCalculation(app, Calculation::Automatic);

  FreezeToValues(sheet.range(RowsAddress("A1", "AB", last)));
  const double main_causes = NumericValue(sheet.cells(last, 6).value());
  sheet.range("B244").set_value(fb::sheet::Value(main_causes + 1));
}

}  // namespace kivo2d
