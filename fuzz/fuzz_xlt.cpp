// The .xlt template reader: any bytes, as a truncated or corrupted template resource would be.
// A file that is not such a workbook is a TemplateError; nothing else may happen.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/sheet/template/template_book.h"
#include "platform/sheet/template/template_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const fb::sheet::xlt::TemplateBook book =
        fb::sheet::xlt::read_template(std::vector<std::uint8_t>(data, data + size));
    (void)book.standard_font();
  } catch (const fb::sheet::xlt::TemplateError&) {
  }
  try {
    (void)fb::sheet::xlt::read_workbook_stream(std::vector<std::uint8_t>(data, data + size));
  } catch (const fb::sheet::xlt::TemplateError&) {
  }
  return 0;
}
