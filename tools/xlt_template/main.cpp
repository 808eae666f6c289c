// xlt_template OUTPUT: writes the blank report template that the component embeds.
#include <cstdio>
#include <fstream>
#include <iostream>

#include "tools/xlt_template/report_template.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: xlt_template OUTPUT.xlt\n";
    return 2;
  }
  const auto bytes = fb::xlt::build_report_template();
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::cerr << "xlt_template: cannot write " << argv[1] << "\n";
    return 1;
  }
  std::cout << argv[1] << ": " << bytes.size() << " bytes\n";
  return 0;
}
