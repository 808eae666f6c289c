#pragma once

namespace kivo2d {

class Component;

// The parts of the report assembly step that work on the report workbook's cells, in the order
// the step runs them. The step's picture work (pasting, arranging and grouping the chart
// pictures, the WordArt title, the logo) runs between them, since the pictures are anchored to
// cells before the columns and rows get their sizes.

// Writes the template resource to WinDir + "\temp\...", opens it (which makes the new report
// workbook, active, with its one sheet active) and deletes the file. A template that could not
// be written shows up as a failing open (HostError), which ends the run.
void OpenReportWorkbook(Component& component);

// The white sheet, the hyperlink in Y2, the texts, column widths and row heights by version,
// merged and shaded boxes, borders and the number cells' alignment.
void WriteReportCells(Component& component);

// Merges and aligns the title band B3:S5.
void MergeTitleBand(Component& component);

// The fonts of all cells, the page setup, an empty clipboard and A1 selected.
void FinishReportSheet(Component& component);

}  // namespace kivo2d
