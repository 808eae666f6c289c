#pragma once

#include <cstdint>
#include <vector>

namespace fb::xlt {

// The summary-information property set: code page 936 and the creating application.
std::vector<std::uint8_t> build_summary_information();
// The document-summary-information property set: code page 936, no scaling, links up to date.
std::vector<std::uint8_t> build_document_summary_information();

}  // namespace fb::xlt
