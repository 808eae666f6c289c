#include "apps/fishbone-gui/analysis_files.h"

#include <fstream>
#include <iterator>
#include <sstream>

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
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read \"" + path.string() + "\"";
    return std::nullopt;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "cannot read \"" + path.string() + "\"";
    return std::nullopt;
  }
  const kivo2d::TreeFormat format =
      kivo2d::FormatFromExtension(path).value_or(kivo2d::DetectFormat(bytes));
  kivo2d::TreeReadResult read = kivo2d::ReadTree(bytes, format);
  std::vector<kivo2d::TreeProblem> problems = read.problems;
  if (problems.empty()) problems = kivo2d::CheckTree(read.tree);
  if (!problems.empty() && !(read.ok() && OnlyTheChildlessMainCause(problems))) {
    std::ostringstream message;
    for (const kivo2d::TreeProblem& problem : problems) {
      message << path.filename().string() << ':' << problem.line << ": " << problem.message << '\n';
    }
    error = message.str();
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
