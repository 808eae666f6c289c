#pragma once

#include <cstdio>
#include <cstdlib>

#include "src/editor/tree_file.h"

// What every accepted tree must give back when written and read again: the same nodes in the
// same order (lines aside, which the writer chooses).
inline void ExpectSameNodes(const kivo2d::TreeDocument& read, const kivo2d::TreeDocument& again) {
  if (read.entries.size() != again.entries.size()) {
    std::fprintf(stderr, "round trip: %zu nodes became %zu\n", read.entries.size(),
                 again.entries.size());
    std::abort();
  }
  for (std::size_t i = 0; i < read.entries.size(); ++i) {
    const auto& a = read.entries[i];
    const auto& b = again.entries[i];
    if (a.key != b.key || a.caption != b.caption || a.parent_key != b.parent_key) {
      std::fprintf(stderr, "round trip: node %zu changed: %s -> %s\n", i, a.key.c_str(),
                   b.key.c_str());
      std::abort();
    }
  }
}
