#pragma once

#include <span>
#include <string>

#include "apps/fishbone/batch_plan.h"
#include "apps/fishbone/cli.h"

namespace fishbone {

// What became of one tree of a batch.
struct BatchOutcome {
  bool ok = false;
  std::string line;  // success: "A.txt: 33 causes, ... -> DIR/A.xlsx"; failure: "A.txt: why"
};

// Generates one tree of a batch into the request's folder, in a host and run folders of its own.
// Safe to call from several threads at once: the engine keeps no state outside its host.
BatchOutcome GenerateBatchTree(const BatchTree& tree, const BatchRequest& request);

// `fishbone generate` for a batch command line (IsBatchCommandLine): every tree in its own host,
// `--jobs` of them at a time in threads of this process; a progress bar on standard error when
// it is a terminal; one line per report on standard output and per failed tree on standard
// error; a summary at the end. Exit 1 when any tree failed (the good reports are written all the
// same), 2 for a wrong command line.
int RunBatch(std::span<const std::string> args, Io& io);

}  // namespace fishbone
