#pragma once

#include <filesystem>
#include <string_view>

namespace fb::os {

// Writes `bytes` to `path` so that a failure never leaves a half-written file: the bytes go to a
// new temporary file in the same folder (".<name>.tmp-<host>-<pid>-<n>", created exclusively; of
// a name longer than 120 bytes only its start and a "~", so that any name that fits has one),
// are flushed to disk, and the temporary file is then renamed over `path` in one step. An
// existing file at `path` keeps its permission bits; until the rename it is untouched, and after
// a failure it is exactly as before and no temporary file is left behind (a stop by SIGINT,
// SIGTERM or SIGHUP removes it too, see StopCleanup; those of killed processes are removed by
// the next write to the same name).
//
// What stands at `path` keeps its type:
// - a character or block device or a FIFO (also through a link: /dev/null, /dev/stdout) is
//   written directly, with no temporary file; it cannot be replaced, only written to;
// - a symbolic link to a regular file is written through: its target is replaced atomically
//   and the link stays; a link to nothing is refused, as is a socket.
//
// A failure throws fb::HostError whose description names `path` (never the temporary name) and
// the system's reason, e.g. `cannot write "/data/out.xml": Permission denied`. The number follows
// the original runtime: 70 permission denied (also a read-only file system), 76 path not found
// (a missing folder), 61 disk full (also a file-size limit), 75 any other path/file access error.
void write_file_atomically(const std::filesystem::path& path, std::string_view bytes);

namespace file_error {
inline constexpr int kDiskFull = 61;
inline constexpr int kPathNotFound = 76;
}  // namespace file_error

}  // namespace fb::os
