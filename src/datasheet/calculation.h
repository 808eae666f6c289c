#pragma once

#include "platform/sheet/application.h"

namespace kivo2d {

// Calculation mode, maximum change 0.001 and precision as displayed off, set together as every
// formula-writing step sets them before and after it writes.
void SetCalculation(fb::sheet::Application& app, fb::sheet::Calculation mode);

// Copies the range and pastes it onto itself as values, freezing every formula; then clears
// the clipboard.
void FreezeToValues(fb::sheet::Range range);

}  // namespace kivo2d
