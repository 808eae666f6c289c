// What the help reader process hands over, as any bytes: a reader the file made misbehave can
// write anything to its pipe before it dies. The bytes are decoded as help objects, made into a
// help file and browsed as the help window does. Anything refused is a HostError or no objects.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/help_browsing.h"
#include "platform/os/host_error.h"
#include "platform/ui/chm_file.h"
#include "platform/ui/help_objects.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::optional<std::vector<fb::ui::HelpObject>> objects =
      fb::ui::decode_help_objects(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!objects) return 0;
  try {
    fb::fuzz::BrowseHelp(fb::ui::ChmFile::from_objects("help.chm", std::move(*objects)));
  } catch (const fb::HostError&) {
  }
  return 0;
}
