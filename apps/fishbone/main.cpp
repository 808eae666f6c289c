// fishbone: the command-line host of the fishbone report system.

#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "apps/fishbone/cli.h"
#include "platform/os/stop_cleanup.h"

int main(int argc, char** argv) {
  // Before any other thread exists, so that every thread leaves the stop signals to the watcher
  // that removes the run's folder and temporary files.
  fb::os::StopCleanup::instance().install();
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    fishbone::Io io{std::cin, std::cout, std::cerr};
    const int status = fishbone::Run(args, io);
    std::cout.flush();
    return status;
  } catch (const std::bad_alloc&) {
    std::cerr << "fishbone: out of memory\n";
  } catch (const std::exception& error) {
    std::cerr << "fishbone: internal error: " << error.what() << '\n';
  }
  // Unwinding has run every destructor: the run's folder and temporary files are gone.
  return fishbone::kExitFailure;
}
