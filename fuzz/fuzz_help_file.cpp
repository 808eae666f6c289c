// The help file the desktop shows: any bytes as the compiled help file beside the program, read
// as the help window reads it (the compiled-help library in the help reader process, what it
// hands over parsed here) and browsed. A file it refuses is a HostError; the reader process may
// die on a crafted file (that is what it is for), this process must not.
//
// Coverage guides the fuzzer through this process's side only, and each input costs a process
// start: far fewer inputs a second than the other targets. fuzz_help_objects feeds the same
// parsing what a reader could hand over, in process.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/help_browsing.h"
#include "platform/os/host_error.h"
#include "platform/ui/chm_file.h"

namespace {

// One file for every input, in a folder of this process's own.
const std::filesystem::path& InputFile() {
  static const std::filesystem::path file = [] {
    std::string folder =
        (std::filesystem::temp_directory_path() / "fuzz_help_file.XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) std::abort();
    return std::filesystem::path(folder) / "help.chm";
  }();
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream out(InputFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) std::abort();
  }
  try {
    fb::fuzz::BrowseHelp(fb::ui::ChmFile::open(InputFile()));
  } catch (const fb::HostError&) {
  }
  return 0;
}
