#pragma once

#include <stdexcept>
#include <string>

namespace fb::sheet::xlt {

// A template file that is not the workbook it claims to be: truncated, corrupt, or of another
// format. The host turns it into its own error naming the file.
class TemplateError : public std::runtime_error {
 public:
  explicit TemplateError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace fb::sheet::xlt
