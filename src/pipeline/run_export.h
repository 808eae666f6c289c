#pragma once

namespace kivo2d {

class Component;

// The generation pipeline: hides the host, runs the fourteen steps in their fixed order and shows
// the host again. Returns normally in every case: either every step ran and export_failed is
// false, or AbortExport ran and export_failed is true.
void RunExport(Component& component);
// The same run stopped after `last_step` (1 to 14), then ended as after the last step: for hosts
// and tests that look at the generation workbook before the chart pictures step closes it.
void RunExport(Component& component, int last_step);

// The clean-up after a failed step: discards the generation workbook, restores the host and sets
// export_failed. Runs only from RunExport's trap.
void AbortExport(Component& component);

// The pipeline's steps by number (1 to 14), for hosts that trace the run step by step.
const char* StepName(int step);

}  // namespace kivo2d
