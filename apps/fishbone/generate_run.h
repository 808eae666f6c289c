#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "apps/fishbone/args.h"
#include "apps/fishbone/cli.h"
#include "apps/fishbone/generation_host.h"
#include "apps/fishbone/run_outputs.h"
#include "src/editor/tree_file.h"

namespace fishbone {

// The host version a command line asks for with --host-version (default "12.0"); on a version the
// host cannot be, returns nothing and sets `error` to the usage message.
std::optional<std::string> HostVersionOption(const ParsedArgs& parsed, std::string& error);

// The settings panel's choices a command line makes with --font fangsong|song|hei, --size 8|6|4,
// --wrap 5|8|10, --head left|right, --no-pareto and --no-top-three; `base` (the panel's defaults,
// or the choices a report kept) for what it leaves out. The picture shifts of a layout fitting in
// `base` were fitted to its layout: they are kept only while the flags leave that layout as it
// was. On a value the panel does not offer, returns nothing and sets `error` to the usage
// message.
std::optional<kivo2d::GenerationOptions> PanelChoices(const ParsedArgs& parsed, std::string& error,
                                                      const kivo2d::GenerationOptions& base = {});

// The choices without the picture shifts of a layout fitting.
kivo2d::GenerationOptions WithoutPictureShifts(kivo2d::GenerationOptions choices);

// The last line (after "fishbone: ") of a run the component finished but whose files could not
// all be written; the line before it says why.
inline constexpr std::string_view kNotSavedLine =
    "the report was generated but not saved: the run failed";

// One generation from a tree already read to its output files, for `generate` and `demo`: a
// fresh host with the add-in, the run watched for the trace, the data workbook and the pictures,
// then the report written. Without `outputs.report` the report is saved as the workbook's own
// name with ".xlsx" in the current folder. Returns the exit status; every message names its file.
int GenerateReportFiles(const kivo2d::TreeDocument& tree, std::string_view input_name,
                        const GenerationHostSettings& options, RunOutputs outputs, Io& io);

}  // namespace fishbone
