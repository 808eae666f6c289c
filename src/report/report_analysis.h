#pragma once

namespace kivo2d {

class Component;

// The last part of the report step: the run's tree and choices kept in a very hidden sheet
// after the report sheet (analysis_sheet.h), which only a program can show again, so that the
// user sees, prints and saves the report as before. The report sheet is active again afterwards,
// its selection as it was. A run without a tree (its host wrote the exchange file itself) keeps
// none.
void KeepAnalysis(Component& component);

}  // namespace kivo2d
