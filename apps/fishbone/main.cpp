// fishbone: the command-line host of the fishbone report system.

#include <iostream>
#include <string>
#include <vector>

#include "apps/fishbone/cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  fishbone::Io io{std::cin, std::cout, std::cerr};
  const int status = fishbone::Run(args, io);
  std::cout.flush();
  return status;
}
