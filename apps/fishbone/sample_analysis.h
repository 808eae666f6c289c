#pragma once

#include <string_view>

namespace fishbone {

// The built-in sample analysis: src/resources/sample_analysis.txt, an outline embedded into the
// program at build time. A manufacturing problem in Simplified Chinese with the six main causes
// 人员 设备 材料 方法 环境 测量 (people, machine, material, method, environment, measurement).
std::string_view SampleAnalysisText();

}  // namespace fishbone
