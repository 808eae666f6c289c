#pragma once

#include "platform/render/page/drawing_render_callback.h"
#include "platform/sheet/workbook.h"
#include "platform/xlsx/document.h"

namespace fb::xlsx {

// A snapshot of the workbook for the package writer, everything taken from the host's model:
// every sheet's cells with their values (a formula cell gives its last result), formats, column
// widths, row heights, merged areas, cell hyperlinks, page setup and print area, and its shapes.
// Pictures holding a drawing and chart objects become enhanced metafiles of what
// `render_drawing` draws; raster pictures become PNG images with their transparent colour
// applied; text effects become text shapes. Shapes keep their names, positions, sizes, rotations,
// placements and hyperlinks; a group is taken apart into its members where it shows them.
//
// Throws std::invalid_argument naming the sheet and the problem for what the package cannot
// hold: a print area of several ranges, a text box on a sheet, a drawing without a renderer, a
// text effect with a hyperlink or a scheme colour outside the palette.
Document document_from_workbook(sheet::Workbook& workbook,
                                const render::DrawingRenderer& render_drawing = {});

}  // namespace fb::xlsx
