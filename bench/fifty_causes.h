#pragma once

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "src/editor/tree_file.h"

// The largest tree a user can build, the benchmarks' common input: the problem and 50 causes
// (tests/data/trees/good/fifty_causes.txt; each benchmark's build passes its path).
inline kivo2d::TreeDocument FiftyCauses() {
  std::ifstream in(FB_FIFTY_CAUSES, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  kivo2d::TreeReadResult read = kivo2d::ReadTree(bytes.str(), kivo2d::TreeFormat::kOutline);
  if (!read.ok() || read.tree.entries.size() != 51) {  // the problem and 50 causes
    throw std::runtime_error("the fifty-cause tree did not read");
  }
  return read.tree;
}
