// The outline reader: any bytes; an accepted tree that an outline can hold is written as convert
// writes it and must read back to the same nodes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/tree_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  (void)kivo2d::DetectFormat(bytes);
  const kivo2d::TreeReadResult read = kivo2d::ReadOutlineTree(bytes);
  if (!read.ok() || !kivo2d::CheckOutlineCaptions(read.tree).empty()) return 0;
  const kivo2d::TreeReadResult again = kivo2d::ReadOutlineTree(kivo2d::WriteOutlineText(read.tree));
  if (!again.ok()) {
    std::fprintf(stderr, "round trip: the written outline has %zu problems, the first: %s\n",
                 again.problems.size(), again.problems[0].message.c_str());
    std::abort();
  }
  ExpectSameNodes(read.tree, again.tree);
  return 0;
}
