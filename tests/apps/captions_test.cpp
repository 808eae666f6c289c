// Captions are text, always: whatever a caption looks like (a number, a percentage, a formula, a
// boolean word, an apostrophe), the data sheet, the diagram and the top-three chart show exactly
// what the user typed, and no caption can make the run fail.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/apps/process.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string XmlEscaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c == '\'') {
      out += "&apos;";
    } else {
      out += c;
    }
  }
  return out;
}

struct Node {
  const char* key;
  const char* caption;  // what typed input would change or refuse
};

// The main problem, two main causes and the second level under them. At most 8 characters each,
// so no caption is wrapped.
constexpr Node kNodes[] = {
    {"A", "=1+1"},   {"A1", "0001"}, {"A11", "50%"},   {"A12", "1e5"},
    {"A13", "true"}, {"A2", "=C4"},  {"A21", "=SUM("}, {"A22", "'quoted"},
    {"A23", "#N/A"}, {"A24", "-0"},  {"A25", "1/2"},   {"A26", "@x"},
};

TEST(Captions, AreShownExactlyAsTypedThroughTheWholeRun) {
  std::string pattern = (fs::temp_directory_path() / "fb-captions-XXXXXX").string();
  const fs::path folder = ::mkdtemp(pattern.data());
  fs::create_directories(folder / "state");
  fs::permissions(folder / "state", fs::perms::owner_all, fs::perm_options::replace);
  std::string xml = "<NODES>";
  for (const Node& node : kNodes) {
    const std::string key = node.key;
    xml += "<NODE Caption=\"" + XmlEscaped(node.caption) + "\" Key=\"" + key + "\" ParentKey=\"" +
           key.substr(0, key.size() - 1) + "\"/>";
  }
  xml += "</NODES>";
  std::ofstream(folder / "tree.xml", std::ios::binary) << xml;

  fbtest::ProcessOptions options;
  options.environment = {{"XDG_RUNTIME_DIR", (folder / "state").string()}};
  options.folder = folder.string();
  const auto run = fbtest::RunProcess(
      FB_FISHBONE_EXE,
      {"generate", "tree.xml", "-o", "report.xlsx", "--trace", "trace", "--pictures", "pictures"},
      options);
  ASSERT_EQ(run.status, 0) << run.err;

  // The data sheet after the import: captions in column C from row 3, in key order.
  const std::string imported = ReadAll(folder / "trace" / "01-ImportTree.csv");
  const std::string diagram = ReadAll(folder / "pictures" / "PIC1.svg");
  const std::string top_three = ReadAll(folder / "pictures" / "PIC3.svg");
  for (const Node& node : kNodes) {
    SCOPED_TRACE(node.caption);
    const std::string caption = node.caption;
    const std::string field = caption.find_first_of(",\"") == std::string::npos
                                  ? caption
                                  : "\"" + caption + "\"";  // RFC 4180 quoting
    EXPECT_THAT(imported, HasSubstr("," + field + "," + node.key + "\r\n"));
    EXPECT_NE(diagram.find(">" + XmlEscaped(caption) + "<"), std::string::npos);
    if (std::string(node.key).size() == 2) {  // the top-three chart names the main causes
      EXPECT_NE(top_three.find(">" + XmlEscaped(caption) + "<"), std::string::npos);
    }
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace

namespace {

// Long captions are wrapped at eight characters, but never inside a character as the reader sees
// it: a letter keeps its combining mark, an emoji sequence stays whole, and a right-to-left text
// keeps its order.
TEST(Captions, AreWrappedBetweenWholeCharacters) {
  std::string pattern = (fs::temp_directory_path() / "fb-wrap-XXXXXX").string();
  const fs::path folder = ::mkdtemp(pattern.data());
  fs::create_directories(folder / "state");
  fs::permissions(folder / "state", fs::perms::owner_all, fs::perm_options::replace);
  struct Case {
    const char* caption;
    const char* wrapped;
  };
  const Case cases[] = {
      {"主轴\U0001F468\u200D\U0001F469\u200D\U0001F467",
       "主轴\U0001F468\u200D\U0001F469\u200D\U0001F467"},
      {"abcdefge\u0301xyz", "abcdefge\u0301\nxyz"},
      {"\U0001F44D\U0001F3FD\U0001F44D\U0001F3FD\U0001F44D\U0001F3FDab",
       "\U0001F44D\U0001F3FD\U0001F44D\U0001F3FD\n\U0001F44D\U0001F3FDab"},
      {"مرحبا بالعالم", "مرحبا با\nلعالم"},
      {"0123456789", "01234567\n89"},
  };
  std::string outline = "问题\n  人\n";
  for (const Case& c : cases) outline += std::string("    ") + c.caption + "\n";
  std::ofstream(folder / "tree.txt", std::ios::binary) << outline;
  fbtest::ProcessOptions options;
  options.environment = {{"XDG_RUNTIME_DIR", (folder / "state").string()}};
  options.folder = folder.string();
  const auto run = fbtest::RunProcess(
      FB_FISHBONE_EXE, {"generate", "tree.txt", "-o", "report.xlsx", "--trace", "trace"}, options);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string imported = ReadAll(folder / "trace" / "01-ImportTree.csv");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    const std::string wrapped = c.wrapped;
    const bool quoted = wrapped.find('\n') != std::string::npos;
    EXPECT_NE(imported.find(quoted ? "\"" + wrapped + "\"" : "," + wrapped + ","),
              std::string::npos);
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace
