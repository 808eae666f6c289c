#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "src/component/component.h"
#include "src/datasheet/calculation.h"
#include "src/datasheet/formula_texts.h"
#include "src/datasheet/functions.h"
#include "src/datasheet/steps.h"

namespace kivo2d {

void BuildTopThreeTable(Component& component) {
  using fb::sheet::AutoFillType;
  using fb::sheet::Calculation;
  using fb::sheet::PasteOperation;
  using fb::sheet::PasteType;
  fb::sheet::Application& app = component.app();
  fb::sheet::Worksheet& sheet = app.active_sheet();

  // Weizhi is callable from the table's formulas only while the add-in is installed.
  app.addins().add(kFunctionsProgId).set_installed(true);
  SetCalculation(app, Calculation::Manual);

  sheet.range("AX11").set_formula_r1c1(formulas::kTopThreeFirstSerial);
  sheet.range("AX11").auto_fill(sheet.range("AX11:AX37"), AutoFillType::Series);
  for (const formulas::FormulaWrite& write : formulas::kTopThreeFirstRow) {
    sheet.range(write.target).set_formula_r1c1(write.r1c1);
  }
  sheet.range("AY11:AZ11").auto_fill(sheet.range("AY11:AZ37"), AutoFillType::Default);
  // The main cause's caption only on the first row of each triple.
  sheet.range("BA11:BA13").copy();
  sheet.range("BA14:BA37").paste_special(PasteType::Formulas, PasteOperation::None, false, false);
  app.clear_clipboard();
  sheet.range("BB11:BD11").auto_fill(sheet.range("BB11:BD37"), AutoFillType::Default);

  SetCalculation(app, Calculation::Automatic);
  FreezeToValues(sheet.range("AX11:BD37"));

  // Captions before ranks, and the raw counts out.
  sheet.columns("BA:BA").cut();
  sheet.columns("AZ:AZ").insert(fb::sheet::InsertShift::ToRight);
  sheet.columns("BD").delete_cells(fb::sheet::DeleteShift::ToLeft);

  fb::sheet::Range first_triple = sheet.range("AZ11:AZ13");
  first_triple.set_merge_cells(false);
  first_triple.merge();
  first_triple.copy();
  sheet.range("AZ14:AZ37").paste_special(PasteType::Formats, PasteOperation::None, false, false);
  app.clear_clipboard();

  sheet.range("BD11").set_formula_r1c1(formulas::kCountAxisMaximum);
  FreezeToValues(sheet.range("BD11"));

  // Both tables out of the way of the row insertions that follow.
  sheet.range("AN10:BD37").cut();
  sheet.range("D248:T275").select();
  sheet.paste();
  app.clear_clipboard();
  sheet.columns("AN:BN").delete_cells(fb::sheet::DeleteShift::ToLeft);

  app.addins().item(kFunctionsProgId).set_installed(false);
}

}  // namespace kivo2d
