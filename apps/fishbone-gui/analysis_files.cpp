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
#include "src/editor/xml_safe_text.h"

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

// Why a file whose tree could not be read is no tree file at all, in one line; nothing when it is
// one (its problems are then listed). A tree file is text: a control character other than tab,
// line feed and carriage return is in no caption, and bytes that are not UTF-8 are a legacy
// code page such as GBK. UTF-16 (known by its byte-order mark) is text the reader converts.
std::optional<std::string> NotATreeFile(std::string_view bytes, kivo2d::TreeFormat format,
                                        const std::vector<kivo2d::TreeProblem>& problems) {
  if (format == kivo2d::TreeFormat::kReport) {
    // A problem of the whole workbook (no analysis, a damaged package) is one line already.
    if (problems.size() == 1 && problems.front().line == 0) return problems.front().message;
    return std::nullopt;
  }
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return std::nullopt;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r') {
      return "它不是文本文件。分析是树文件（.xml、.txt）或本程序生成的报表（.xlsx）。";
    }
  }
  // A character cut short by the end of the file is a truncated file, not another code page.
  constexpr std::size_t kLongestCharacter = 4;
  if (const auto fault = kivo2d::FindXmlTextFault(bytes);
      fault && fault->offset + kLongestCharacter < bytes.size()) {
    return "它不是 UTF-8 编码的文本（可能是 GBK 等旧编码）：树文件须为 UTF-8（或带字节顺序标记的 "
           "UTF-16）。请用文本编辑器把它另存为 UTF-8 后再打开。";
  }
  return std::nullopt;
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

std::optional<kivo2d::TreeDocument> ReadAnalysisFile(
    const std::filesystem::path& path, std::string& error,
    std::optional<kivo2d::GenerationOptions>* choices) {
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
    if (auto reason = NotATreeFile(*bytes, format, problems)) {
      error = std::move(*reason);
      return std::nullopt;
    }
    // As the command line lists them: a file that breaks a hundred rules is no tree, and the
    // first ones say why.
    fishbone::PrintProblems(path.filename().string(), problems, io);
    error = problems_text.str();
    return std::nullopt;
  }
  if (choices != nullptr) *choices = read.choices;
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
