#pragma once

#include <functional>
#include <string>

#include "apps/fishbone/cli.h"
#include "platform/os/environment.h"
#include "src/editor/tree_file.h"

// The command line's way through the component, as the desktop goes: a headless host connects the
// add-in (connect mode 3, no welcome window), the user clicks "Add Fishbone(&D)", the tree lands
// in the editor's tree, and "生成报表" runs the generation command. Every message box is answered
// with its default button and printed to standard error as "[title] text" (line breaks of the box
// as line feeds).

namespace fishbone {

struct AddinRunOptions {
  std::string host_version = "12.0";
  // Off: the host refuses access to its VBA project, so the command takes its trust path.
  bool trust_vba = true;
  // The folder the component lies in (its help file is there).
  std::string component_folder;
  // After each pipeline step, with the step's number.
  std::function<void(int step)> after_step;
};

// Runs one generation of `tree` (a tree read from a file; a childless main cause is left for the
// component's own check). `environment` gives WinDir and userprofile. Returns kExitOk when the
// component reported success, kExitFailure for its warnings and failures.
int GenerateThroughAddin(const kivo2d::TreeDocument& tree, const AddinRunOptions& options,
                         const fb::os::Environment& environment, Io& io);

// Whether a tree file's problem is only the childless main cause, which the generation command
// reports itself.
bool IsLeftForTheComponent(const kivo2d::TreeProblem& problem);

}  // namespace fishbone
