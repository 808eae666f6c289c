// The registry file reader: any bytes. A file it refuses is a HostError; a file it accepts must
// write out a text that reads back to the very same text.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/os/host_error.h"
#include "platform/os/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  fb::os::Registry registry;
  try {
    registry = fb::os::Registry::parse(text);
  } catch (const fb::HostError&) {
    return 0;
  }
  const std::string written = registry.to_text();
  try {
    const std::string again = fb::os::Registry::parse(written).to_text();
    if (again != written) {
      std::fprintf(stderr, "round trip changed the text:\n%s\n---\n%s\n", written.c_str(),
                   again.c_str());
      std::abort();
    }
  } catch (const fb::HostError& error) {
    std::fprintf(stderr, "the written text is refused: %s\n%s\n", error.what(), written.c_str());
    std::abort();
  }
  return 0;
}
