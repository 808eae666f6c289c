#pragma once

namespace kivo2d {

class Component;

// Step 14 of the pipeline: the report workbook made from the template, the three chart pictures
// that the previous step left on the clipboard arranged into one diagram picture, the form's
// cells, the WordArt title and the hyperlinked logo, and the run's analysis in a very hidden sheet
// (report_analysis.h). Ends with the new workbook and its report sheet active, unsaved, the
// clipboard empty and A1 selected. Lets any host failure propagate to the
// pipeline's trap; the report workbook is then among the run's workbooks, for it to close.
void AssembleReport(Component& component);

}  // namespace kivo2d
