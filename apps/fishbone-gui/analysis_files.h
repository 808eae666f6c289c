#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "src/editor/tree_file.h"

namespace kivo2d {
class Work;
}

namespace fishbone_gui {

// The editor's cause tree as a tree document: every node in the tree's collection order.
kivo2d::TreeDocument TreeOfEditor(const kivo2d::Work& editor);

// Reads a tree file (exchange XML or outline, by extension, else by content). Returns the tree,
// or nothing with `error` naming the file and each problem ("FILE:LINE: message" lines, at most
// the command line's hundred, then "FILE: ... and N more problems"). Only a regular file of at
// most kivo2d::kMaxTreeFileBytes is read: a FIFO, a device or a folder is refused unopened. A tree
// whose only problem is a main cause without a child is accepted: the generation command says so.
std::optional<kivo2d::TreeDocument> ReadAnalysisFile(const std::filesystem::path& path,
                                                     std::string& error);

// Writes the tree as an outline for a ".txt" path and as the exchange XML otherwise, through a
// temporary file renamed into place. A tree the outline cannot hold is refused with the reason.
// Returns nothing on success, else a message naming the file.
std::optional<std::string> WriteAnalysisFile(const kivo2d::TreeDocument& tree,
                                             const std::filesystem::path& path);

}  // namespace fishbone_gui
