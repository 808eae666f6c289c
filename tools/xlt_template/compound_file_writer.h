#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fb::xlt {

struct CompoundStream {
  std::u16string name;
  std::vector<std::uint8_t> data;
};

// Writes a version-3 compound file (512-byte sectors, 64-byte mini sectors, 4096-byte mini-stream
// cutoff) holding the given streams directly under the root storage, which carries `root_clsid`.
// Timestamps stay zero, so the same streams always give the same bytes.
std::vector<std::uint8_t> write_compound_file(const std::vector<CompoundStream>& streams,
                                              const std::uint8_t (&root_clsid)[16]);

}  // namespace fb::xlt
