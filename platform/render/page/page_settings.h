#pragma once

#include "platform/render/page/page_renderer.h"
#include "platform/sheet/page_setup.h"

namespace fb::sheet {
class Worksheet;
}

namespace fb::render {

// The paper in points for the host's paper number, turned for the orientation. Throws
// std::invalid_argument for a paper this renderer does not know.
Size paper_size(int paper, sheet::PageOrientation orientation);

// The sheet's own page setup as page settings: its paper, margins, centring and print area,
// and either its zoom or fitting to one page. Throws std::invalid_argument naming the sheet when
// it has no print area, a print area of several ranges, or asks to fit to more than one page.
PageSettings page_settings_of(const sheet::Worksheet& sheet);

}  // namespace fb::render
