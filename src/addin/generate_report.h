#pragma once

namespace kivo2d {

class Component;
class Work;

// The generation command, the click of the editor's "生成报表": checks the tree, hides the editor,
// locks the host (events, user input, cancel key, the VBA editor's window, the macro keys and, in
// the "11.0" host, its macro menus), then either tells the user how to trust access to the VBA
// project (when the host refused it) or writes the exchange file and runs the pipeline. Either way
// it unlocks the host, enables the "Fishbone" bar's first button, reports and unloads the editor.
//
// A failure while the run is prepared (the exchange file cannot be written, a lock step fails)
// ends the command as a failed run does: the host is unlocked, the editor unloaded, and the user
// told why.
void GenerateReport(Component& component, Work& editor);

}  // namespace kivo2d
