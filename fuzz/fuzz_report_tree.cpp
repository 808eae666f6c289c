// The reader of the analysis a report workbook keeps: any bytes as an .xlsx package. Whatever the
// zip archive and its XML parts hold, the reader ends with a tree or problems, within its caps;
// an accepted tree carries its choices, and written as the exchange XML reads back to the same
// nodes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/tree_round_trip.h"
#include "platform/os/message_pump.h"
#include "src/editor/exchange_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kivo2d::TreeReadResult read = kivo2d::ReadReportTree(bytes);
  (void)kivo2d::Summarize(read.tree);
  if (!read.ok()) return 0;
  if (!read.choices) {
    std::fprintf(stderr, "an accepted report has no choices\n");
    std::abort();
  }
  fb::os::NullPump pump;
  const std::string written =
      kivo2d::BuildExchangeDocument(kivo2d::ToExchangeNodes(read.tree), pump);
  const kivo2d::TreeReadResult again = kivo2d::ReadXmlTree(written);
  if (!again.ok()) {
    std::fprintf(stderr, "round trip: the written tree has %zu problems, the first: %s\n",
                 again.problems.size(), again.problems[0].message.c_str());
    std::abort();
  }
  ExpectSameNodes(read.tree, again.tree);
  return 0;
}
