#include "apps/fishbone-gui/analysis_files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "apps/fishbone/tree_input.h"
#include "platform/os/atomic_file.h"
#include "platform/os/message_pump.h"
#include "src/editor/exchange_writer.h"
#include "src/editor/work.h"

namespace fishbone_gui {

namespace {

bool OnlyTheChildlessMainCause(const std::vector<kivo2d::TreeProblem>& problems) {
  for (const kivo2d::TreeProblem& problem : problems) {
    if (problem.message.find(kivo2d::kMainCauseWithoutChildText) == std::string::npos) {
      return false;
    }
  }
  return true;
}

std::string NotAFileReason(mode_t mode) {
  if (S_ISDIR(mode)) return std::strerror(EISDIR);
  if (S_ISFIFO(mode)) return "it is a FIFO (named pipe), not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a file";
  if (S_ISSOCK(mode)) return "it is a socket, not a file";
  return "it is not a regular file";
}

}  // namespace

kivo2d::TreeDocument TreeOfEditor(const kivo2d::Work& editor) {
  kivo2d::TreeDocument tree;
  for (const fb::ui::TreeNode* node : editor.TreeView1.nodes()) {
    tree.entries.push_back(
        {node->key(), node->text(), node->parent() != nullptr ? node->parent()->key() : "", 0});
  }
  return tree;
}

std::optional<kivo2d::TreeDocument> ReadAnalysisFile(const std::filesystem::path& path,
                                                     std::string& error) {
  // Looked at before it is opened: a FIFO would hold the window in open() until some writer
  // came, and a device such as /dev/zero has no end to read.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    error = "cannot read \"" + path.string() + "\": " + std::strerror(errno);
    return std::nullopt;
  }
  if (!S_ISREG(info.st_mode)) {
    error = "cannot read \"" + path.string() + "\": " + NotAFileReason(info.st_mode);
    return std::nullopt;
  }
  // The command line's reader, with its limit: a file over 2 MiB is refused after one byte more.
  // "-" is standard input there; a file of that name is spelled so that it is not.
  std::istringstream no_input;
  std::ostringstream problems_text;
  fishbone::Io io{no_input, problems_text, problems_text};
  const std::string name = path == "-" ? "./-" : path.string();
  const std::optional<std::string> bytes = fishbone::ReadInput(name, io, error);
  if (!bytes) return std::nullopt;
  const kivo2d::TreeFormat format =
      kivo2d::FormatFromExtension(path).value_or(kivo2d::DetectFormat(*bytes));
  kivo2d::TreeReadResult read = kivo2d::ReadTree(*bytes, format);
  std::vector<kivo2d::TreeProblem> problems = read.problems;
  if (problems.empty()) problems = kivo2d::CheckTree(read.tree);
  if (!problems.empty() && !(read.ok() && OnlyTheChildlessMainCause(problems))) {
    // As the command line lists them: a file that breaks a hundred rules is no tree, and the
    // first ones say why.
    fishbone::PrintProblems(path.filename().string(), problems, io);
    error = problems_text.str();
    return std::nullopt;
  }
  return std::move(read.tree);
}

std::optional<std::string> WriteAnalysisFile(const kivo2d::TreeDocument& tree,
                                             const std::filesystem::path& path) {
  try {
    std::string bytes;
    if (kivo2d::FormatFromExtension(path) == kivo2d::TreeFormat::kOutline) {
      const std::vector<kivo2d::TreeProblem> problems = kivo2d::CheckOutlineCaptions(tree);
      if (!problems.empty()) {
        return "cannot write \"" + path.string() + "\" as an outline: " + problems.front().message;
      }
      bytes = kivo2d::WriteOutlineText(tree);
    } else {
      fb::os::NullPump pump;
      const std::vector<kivo2d::ExchangeNode> nodes = kivo2d::ToExchangeNodes(tree);
      bytes = kivo2d::BuildExchangeDocument(nodes, pump);
    }
    fb::os::write_file_atomically(path, bytes);
  } catch (const std::exception& failure) {
    return failure.what();
  }
  return std::nullopt;
}

}  // namespace fishbone_gui
