#include "apps/fishbone/tree_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <istream>
#include <iterator>
#include <ostream>

namespace fishbone {

using kivo2d::TreeFormat;

std::optional<TreeFormat> ParseFormatWord(std::string_view word) {
  if (word == "xml") return TreeFormat::kXml;
  if (word == "txt") return TreeFormat::kOutline;
  return std::nullopt;
}

std::optional<std::string> ReadInput(const std::string& name, Io& io, std::string& error) {
  if (name == "-") {
    std::string bytes{std::istreambuf_iterator<char>(io.in), std::istreambuf_iterator<char>()};
    if (io.in.bad()) {
      error = "cannot read standard input";
      return std::nullopt;
    }
    return bytes;
  }
  const auto fail = [&](int code) {
    error = "cannot read \"" + name + "\": " + std::strerror(code);
    return std::nullopt;
  };
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail(errno);
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    return fail(EISDIR);
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
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
  return name == "-" ? std::string(kStdinName) : name;
}

void PrintProblems(std::string_view display_name, const std::vector<kivo2d::TreeProblem>& problems,
                   Io& io) {
  for (const auto& problem : problems) {
    io.err << display_name << ':' << problem.line << ": " << problem.message << '\n';
  }
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
