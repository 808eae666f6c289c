// The reader of the analysis a report workbook keeps: any bytes as an .xlsx package. Whatever the
// zip archive and its XML parts hold, the reader ends with a tree or problems, within its caps;
// an accepted tree carries its choices, and written as the exchange XML reads back to the same
// nodes.
//
// Mutated compressed bytes rarely pass the zip's checksums, so the XML parts would seldom be
// parsed at all. An input that is no zip archive is therefore taken as the parts themselves,
// separated by "\n@@\n" (the package's relationships, the workbook, its relationships, the shared
// strings, the sheet), and packed into a valid archive first.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/tree_round_trip.h"
#include "platform/os/message_pump.h"
#include "platform/xlsx/zip_package.h"
#include "src/editor/exchange_writer.h"

namespace {

constexpr std::array<const char*, 5> kParts{"_rels/.rels", "xl/workbook.xml",
                                            "xl/_rels/workbook.xml.rels", "xl/sharedStrings.xml",
                                            "xl/worksheets/sheet2.xml"};

std::string Packed(std::string_view parts) {
  fb::xlsx::ZipPackage zip;
  for (const char* name : kParts) {
    const std::size_t end = parts.find("\n@@\n");
    zip.add(name, std::string(parts.substr(0, end)));
    if (end == std::string_view::npos) break;
    parts.remove_prefix(end + 4);
  }
  return zip.bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string bytes = input.starts_with("PK") ? std::string(input) : Packed(input);
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
