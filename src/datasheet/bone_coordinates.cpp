#include <string>

#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "src/component/component.h"
#include "src/component/sheet_rows.h"
#include "src/datasheet/calculation.h"
#include "src/datasheet/formula_texts.h"
#include "src/datasheet/steps.h"

namespace kivo2d {

void SpreadNodeRows(Component& component) {
  fb::sheet::Application& app = component.app();
  fb::sheet::Worksheet& sheet = app.active_sheet();
  // Fifty insertions whatever the number of causes: cause j's node row ends at 3j+1.
  for (double i = 5; i <= 154.5; i += 3) {
    const int row = static_cast<int>(i);
    sheet.rows(std::to_string(row) + ":" + std::to_string(row + 1)).insert();
    app.do_events();
  }
}

void WriteBoneCoordinates(Component& component) {
  using fb::sheet::Calculation;
  fb::sheet::Application& app = component.app();
  fb::sheet::Worksheet& sheet = app.active_sheet();
  const int last = LastRow(sheet, "C") + 2;

  SetCalculation(app, Calculation::Manual);
  for (const formulas::FormulaWrite& write : formulas::kBoneFormulas) {
    sheet.range(write.target).set_formula_r1c1(write.r1c1);
  }
  // Node row, second row and gap row repeat for every further cause.
  sheet.range("AC4:AK6").copy();
  sheet.range(RowsAddress("AC7", "AK", last)).select();
  sheet.paste();
  app.clear_clipboard();
  sheet.range(RowsAddress("AC4", "AK", last)).set_number_format_local("0.00_ ");
  SetCalculation(app, Calculation::Automatic);
  FreezeToValues(sheet.range(RowsAddress("AC4", "AK", last)));

  // The two tables come back beside the data; the working columns go, so x and y land in D and E.
  sheet.range("D348:T" + std::to_string(376)).cut();
  sheet.range("AN10").select();
  sheet.paste();
  app.clear_clipboard();
  sheet.columns("D:AI").delete_cells(fb::sheet::DeleteShift::ToLeft);

  sheet.range("G3").set_value(formulas::kHeadText);
  sheet.range("H3").set_value(fb::sheet::Value(-249.0));
  sheet.range("H4").set_value(fb::sheet::Value(-50.0));
  sheet.range("I3").set_value(fb::sheet::Value(0.0));
  sheet.range("I4").set_value(fb::sheet::Value(0.0));
  sheet.range("M3").set_formula_r1c1(formulas::kXAxisMaximum);
  FreezeToValues(sheet.range("G3:M4"));
}

}  // namespace kivo2d
