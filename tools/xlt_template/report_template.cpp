#include "tools/xlt_template/report_template.h"

#include "tools/xlt_template/biff_workbook.h"
#include "tools/xlt_template/compound_file_writer.h"
#include "tools/xlt_template/property_sets.h"

namespace fb::xlt {
namespace {

// The class of a workbook of the 97-2003 format, carried by the root storage.
constexpr std::uint8_t kWorkbookClsid[16] = {0x20, 0x08, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                             0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

}  // namespace

std::vector<std::uint8_t> build_report_template() {
  return write_compound_file({{u"Workbook", build_workbook_stream()},
                              {u"\x05SummaryInformation", build_summary_information()},
                              {u"\x05"
                               "DocumentSummaryInformation",
                               build_document_summary_information()}},
                             kWorkbookClsid);
}

}  // namespace fb::xlt
