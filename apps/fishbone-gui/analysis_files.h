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

// Reads a tree file (exchange XML or outline) or the tree a report workbook keeps, by extension,
// else by content. Returns the tree, and in `choices` (when given) the generation choices a
// report kept; or nothing with `error` naming each problem ("FILE:LINE: message" lines, at most
// the command line's hundred, then "FILE: ... and N more problems"). A file that is no tree file
// at all gets one short line instead: a binary file, text that is not UTF-8 (with the hint to
// save it as UTF-8), a workbook without an analysis or a damaged one. Only a regular file of at
// most kivo2d::kMaxTreeFileBytes (a workbook kivo2d::kMaxReportFileBytes) is read: a FIFO, a
// device or a folder is refused unopened. A tree whose only problem is a main cause without a
// child is accepted: the generation command says so.
std::optional<kivo2d::TreeDocument> ReadAnalysisFile(
    const std::filesystem::path& path, std::string& error,
    std::optional<kivo2d::GenerationOptions>* choices = nullptr);

// Writes the tree as an outline for a ".txt" path and as the exchange XML otherwise, through a
// temporary file renamed into place. A tree the outline cannot hold is refused with the reason.
// Returns nothing on success, else a message naming the file.
std::optional<std::string> WriteAnalysisFile(const kivo2d::TreeDocument& tree,
                                             const std::filesystem::path& path);

}  // namespace fishbone_gui
