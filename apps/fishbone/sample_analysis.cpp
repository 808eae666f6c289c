#include "apps/fishbone/sample_analysis.h"

#include "sample_analysis_data.h"  // generated from src/resources/sample_analysis.txt

namespace fishbone {

std::string_view SampleAnalysisText() {
  return std::string_view(reinterpret_cast<const char*>(kSampleAnalysisBytes), kSampleAnalysisSize);
}

}  // namespace fishbone
