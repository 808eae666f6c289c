#pragma once

#include "platform/render/display_list.h"
#include "platform/render/page/drawing_render_callback.h"

class QPrinter;

namespace fb::sheet {
class Worksheet;
}

namespace fb::ui::qt {

// Sets the printer to the page's paper (A4 and its orientation when the page is A4-sized, else
// the page's own size), printing from the paper's corner: the page already holds its margins.
void set_up_printer(QPrinter& printer, const render::DisplayList& page);

// Prints the sheet's page as its page setup says (print area, paper, margins, centring, fit to
// one page), by replaying the page renderer's display list into the printer. Throws
// std::invalid_argument, naming the problem, for a sheet that cannot be printed.
void print_sheet(QPrinter& printer, const sheet::Worksheet& sheet,
                 const render::DrawingRenderer& render_drawing);

}  // namespace fb::ui::qt
