#pragma once

#include <cstdint>
#include <string_view>

namespace kivo2d {

// Writes the first `byte_count` bytes of the "CUSTOM" resource `resource_id` to the file at the
// Windows-style path `file_path`. It reports nothing and never fails: a missing resource, a file
// that cannot be opened or a count beyond the resource only make the affected writes do nothing.
// The file is opened for binary access, so an existing file is written over from its first byte
// and keeps whatever lies beyond the bytes written. A count of 0 creates a missing file empty.
// The caller learns of a failure only when it cannot use the file.
void SaveResourceToFile(std::string_view file_path, std::int16_t resource_id,
                        std::int32_t byte_count);

}  // namespace kivo2d
