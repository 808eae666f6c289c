#pragma once

namespace kivo2d {

class Component;

// The pipeline steps. Each works on the host's active workbook and sheet as the previous step left
// them, and lets any host failure propagate to the pipeline's one trap.

// 1: opens the exchange file as the generation workbook and copies captions and keys, in key
// order, onto the data sheet Sheet2.
void ImportTree(Component& component);
// 2 and 3: fonts, fills, widths, borders, merged headings; the heading texts.
void FormatDataSheet(Component& component);
void WriteHeadings(Component& component);
// 4: level ordinals, child counts and slots, frozen to values.
void WriteHierarchyFormulas(Component& component);
// 5: the Pareto table of the main causes.
void BuildParetoTable(Component& component);
// 6: the table of the three largest second-level causes of each main cause.
void BuildTopThreeTable(Component& component);
// 7 and 8: three rows per cause, then the bone coordinates, head text and spine.
void SpreadNodeRows(Component& component);
void WriteBoneCoordinates(Component& component);

// True when the active workbook has a worksheet whose name equals `name` in upper case.
bool SheetExists(Component& component, const char* name);
// Breaks the cause captions of column A into lines of the chosen length (eight by default).
void WrapCaptions(Component& component);

}  // namespace kivo2d
