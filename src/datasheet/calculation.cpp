#include "src/datasheet/calculation.h"

#include "platform/sheet/range.h"

namespace kivo2d {

void SetCalculation(fb::sheet::Application& app, fb::sheet::Calculation mode) {
  app.set_calculation(mode);
  app.set_max_change(0.001);
  app.active_workbook().set_precision_as_displayed(false);
}

void FreezeToValues(fb::sheet::Range range) {
  range.copy();
  range.paste_special(fb::sheet::PasteType::Values, fb::sheet::PasteOperation::None, false, false);
  range.worksheet().application().clear_clipboard();
}

}  // namespace kivo2d
