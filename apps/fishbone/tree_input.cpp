#include "apps/fishbone/tree_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <istream>
#include <iterator>
#include <ostream>

namespace fishbone {

using kivo2d::TreeFormat;

std::optional<TreeFormat> ParseFormatWord(std::string_view word) {
  if (word == "xml") return TreeFormat::kXml;
  if (word == "txt") return TreeFormat::kOutline;
  if (word == "xlsx") return TreeFormat::kReport;
  return std::nullopt;
}

std::optional<std::string> ReadInput(const std::string& name, Io& io, std::string& error) {
  const std::string printable = PrintableName(name);
  const std::string shown = name == "-"                  ? std::string("standard input")
                            : printable.starts_with('"') ? printable
                                                         : "\"" + name + "\"";
  // A report workbook, which keeps its tree among pictures, may be larger than a tree file.
  const auto is_report = [](std::string_view bytes) { return bytes.starts_with("PK\x03\x04"); };
  const auto too_large = [&](std::string_view bytes) {
    error = "cannot read " + shown + ": it is larger than " +
            (is_report(bytes) ? std::to_string(kivo2d::kMaxReportFileBytes / 1048576) +
                                    " MiB, and a report workbook is far smaller"
                              : std::to_string(kivo2d::kMaxTreeFileBytes / 1048576) +
                                    " MiB, and a tree file of at most 51 nodes is far smaller");
    return std::nullopt;
  };
  // One byte more than a file may hold tells a file that is too large without reading it all
  // (/dev/zero has no end).
  const auto limit_of = [&](std::string_view bytes) {
    return (is_report(bytes) ? kivo2d::kMaxReportFileBytes : kivo2d::kMaxTreeFileBytes) + 1;
  };
  if (name == "-") {
    std::string bytes;
    while (bytes.size() < limit_of(bytes)) {
      const std::size_t before = bytes.size();
      bytes.resize(limit_of(bytes));
      io.in.read(bytes.data() + before, static_cast<std::streamsize>(bytes.size() - before));
      if (io.in.bad()) {
        error = "cannot read standard input";
        return std::nullopt;
      }
      bytes.resize(before + static_cast<std::size_t>(io.in.gcount()));
      if (!io.in) break;
    }
    if (bytes.size() >= limit_of(bytes)) return too_large(bytes);
    return bytes;
  }
  const auto fail = [&](int code) {
    error = "cannot read " + shown + ": " + std::strerror(code);
    return std::nullopt;
  };
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int code = errno;
    struct stat link {};
    if (code == ENOENT && ::lstat(name.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
      error = "cannot read " + shown + ": it is a symbolic link to a file that does not exist";
      return std::nullopt;
    }
    return fail(code);
  }
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    return fail(EISDIR);
  }
  std::string bytes;
  char buffer[65536];
  while (bytes.size() < limit_of(bytes)) {
    const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, limit_of(bytes) - bytes.size()));
    if (got < 0) {
      if (errno == EINTR) continue;
      const int code = errno;
      ::close(fd);
      return fail(code);
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  if (bytes.size() >= limit_of(bytes)) return too_large(bytes);
  return bytes;
}

TreeFormat ChooseInputFormat(const std::string& name, std::optional<TreeFormat> from,
                             std::string_view bytes) {
  if (from) return *from;
  if (name != "-") {
    if (const auto by_extension = kivo2d::FormatFromExtension(name)) return *by_extension;
  }
  return kivo2d::DetectFormat(bytes);
}

std::string DisplayName(const std::string& name) {
  return name == "-" ? std::string(kStdinName) : PrintableName(name);
}

std::string PrintableName(std::string_view name) {
  const auto control = [](unsigned char c) { return c < 0x20 || c == 0x7F; };
  if (std::none_of(name.begin(), name.end(), control)) return std::string(name);
  std::string out = "\"";
  for (const char c : name) {
    switch (c) {
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '"':
      case '\\':
        out += '\\';
        out += c;
        break;
      default:
        if (control(static_cast<unsigned char>(c))) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

void PrintProblems(std::string_view display_name, const std::vector<kivo2d::TreeProblem>& problems,
                   Io& io) {
  std::size_t shown = 0;
  for (const auto& problem : problems) {
    if (shown == kMaxProblemsShown) {
      const std::size_t more = problems.size() - shown;
      io.err << display_name << ": ... and " << more << " more "
             << (more == 1 ? "problem" : "problems") << '\n';
      return;
    }
    io.err << display_name;
    if (problem.line > 0) io.err << ':' << problem.line;
    if (problem.column > 0) io.err << ':' << problem.column;
    io.err << ": " << problem.message << '\n';
    ++shown;
  }
}

std::string ProblemsReason(const std::vector<kivo2d::TreeProblem>& problems) {
  if (problems.size() == 1 && problems.front().line == 0) return "it holds no tree to read";
  return "the tree has " + std::to_string(problems.size()) +
         (problems.size() == 1 ? " problem" : " problems");
}

std::string SummaryText(const kivo2d::TreeDocument& tree) {
  const kivo2d::TreeSummary summary = kivo2d::Summarize(tree);
  const auto plural = [](int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
  };
  return plural(summary.causes, "cause", "causes") + ", " +
         plural(summary.main_causes, "main cause", "main causes") + ", depth " +
         std::to_string(summary.depth);
}

}  // namespace fishbone
