#include "src/report/resources.h"

#include "report_template_data.h"

namespace kivo2d {

std::span<const unsigned char> LoadCustomResource(std::int16_t id) {
  if (id == kReportTemplateResourceId) return {kReportTemplateBytes, kReportTemplateSize};
  return {};
}

}  // namespace kivo2d
