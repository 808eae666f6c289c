#include "src/editor/exchange_writer.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "platform/os/host_error.h"
#include "src/editor/tree_file.h"
#include "src/editor/xml_safe_text.h"

namespace kivo2d {
namespace {

namespace fs = std::filesystem;

// Counts the pump calls and remembers how many nodes had been handed over at each.
class RecordingPump final : public fb::os::MessagePump {
 public:
  void pump() override { ++count; }
  int count = 0;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A fresh folder per test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "fb-exchange-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(path_)) {
      names.push_back(item.path().filename().string());
    }
    return names;
  }

 private:
  fs::path path_;
};

const std::vector<ExchangeNode> kSmallTree = {
    {"a&b<c \"d\"\nline2", "A", ""},
    {"原因 > 1", "A1", "A"},
    {"\tx", "A11", "A1"},
};

constexpr const char* kSmallTreeBytes =
    "<NODES>"
    "<NODE Caption=\"a&amp;b&lt;c &quot;d&quot;&#10;line2\" Key=\"A\" ParentKey=\"\"/>"
    "<NODE Caption=\"原因 > 1\" Key=\"A1\" ParentKey=\"A\"/>"
    "<NODE Caption=\"&#09;x\" Key=\"A11\" ParentKey=\"A1\"/>"
    "</NODES>";

TEST(ExchangeWriter, WritesExactlyTheseBytes) {
  RecordingPump pump;
  EXPECT_EQ(BuildExchangeDocument(kSmallTree, pump), kSmallTreeBytes);
  EXPECT_EQ(pump.count, 3);
}

TEST(ExchangeWriter, SavesTheSameBytesToThePath) {
  TempFolder folder;
  const fs::path path = folder.path() / "程序正在运行中，请稍后。。。.xml";
  RecordingPump pump;
  WriteExchangeFile(kSmallTree, path, pump);
  EXPECT_EQ(ReadAll(path), kSmallTreeBytes);
  EXPECT_EQ(pump.count, 3);
  EXPECT_EQ(folder.Names().size(), 1u) << "no temporary file is left";
}

TEST(ExchangeWriter, EmptyCollectionGivesAnEmptyDocumentElement) {
  RecordingPump pump;
  EXPECT_EQ(BuildExchangeDocument({}, pump), "<NODES/>");
  EXPECT_EQ(pump.count, 0);
}

TEST(ExchangeWriter, KeepsCollectionOrderAndAllThreeAttributes) {
  const std::vector<ExchangeNode> nodes = {
      {"", "A12", "A1"}, {"主问题", "A", ""}, {"为什么?", "A1", "A"}};
  RecordingPump pump;
  const std::string bytes = BuildExchangeDocument(nodes, pump);
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(bytes.c_str()));
  std::vector<std::string> keys;
  for (const pugi::xml_node& node : document.child("NODES").children("NODE")) {
    std::vector<std::string> names;
    for (const pugi::xml_attribute& attribute : node.attributes())
      names.push_back(attribute.name());
    EXPECT_EQ(names, (std::vector<std::string>{"Caption", "Key", "ParentKey"}));
    keys.push_back(node.attribute("Key").value());
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"A12", "A", "A1"}));
  EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF"));
  EXPECT_EQ(bytes.find("<?xml"), std::string::npos);
}

TEST(ExchangeWriter, ReplacesWhatXmlCannotCarryAndTheFileReadsBack) {
  const std::vector<ExchangeNode> nodes = {
      {std::string("问题\x01\0end", 11), "A", ""},
      {"bad\xFF"
       "byte",
       "A1", "A"},
      {"lone\xED\xA0\x80surrogate", "A11", "A1"},
  };
  RecordingPump pump;
  const std::string bytes = BuildExchangeDocument(nodes, pump);
  const std::string fffd(kReplacementUtf8);
  EXPECT_EQ(bytes, "<NODES><NODE Caption=\"问题" + fffd + fffd +
                       "end\" Key=\"A\" ParentKey=\"\"/><NODE Caption=\"bad" + fffd +
                       "byte\" Key=\"A1\" ParentKey=\"A\"/><NODE Caption=\"lone" + fffd +
                       "surrogate\" Key=\"A11\" ParentKey=\"A1\"/></NODES>");

  // A strict reading: our own reader (which refuses control characters) finds nothing wrong.
  const TreeReadResult read = ReadXmlTree(bytes);
  EXPECT_TRUE(read.ok()) << (read.problems.empty() ? "" : read.problems[0].message);
  ASSERT_EQ(read.tree.entries.size(), 3u);
  EXPECT_EQ(read.tree.entries[0].caption, "问题" + fffd + fffd + "end");
}

TEST(ExchangeWriter, CaptionsReadBackAsWritten) {
  const std::vector<ExchangeNode> nodes = {
      {"a&b<c>\"d\" 'e'\nf\r\tg", "A", ""}, {"  两端空格  ", "A1", "A"}, {"", "A11", "A1"}};
  RecordingPump pump;
  const TreeReadResult read = ReadXmlTree(BuildExchangeDocument(nodes, pump));
  // The empty caption is written and read back; only the tree-file rules refuse it.
  ASSERT_EQ(read.problems.size(), 1u);
  EXPECT_NE(read.problems[0].message.find("the caption of A11 is empty"), std::string::npos);
  EXPECT_EQ(ToExchangeNodes(read.tree), nodes);
}

TEST(ExchangeWriter, MissingFolderThrowsAHostErrorNamingTheFile) {
  TempFolder folder;
  const fs::path path = folder.path() / "no such folder" / "tree.xml";
  RecordingPump pump;
  try {
    WriteExchangeFile(kSmallTree, path, pump);
    FAIL() << "no error";
  } catch (const fb::HostError& error) {
    EXPECT_NE(error.description().find(path.string()), std::string::npos) << error.what();
    EXPECT_EQ(error.number(), 76);
  }
}

TEST(ExchangeWriter, FailureLeavesTheEarlierFileAndNoTemporaryFile) {
  TempFolder folder;
  const fs::path path = folder.path() / "tree.xml";
  { std::ofstream(path, std::ios::binary) << "earlier"; }

  // A full disk, simulated by a file-size limit smaller than the document.
  std::vector<ExchangeNode> big(200, ExchangeNode{"一个相当长的原因说明文字", "A1", "A"});
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  RecordingPump pump;
  bool threw = false;
  std::string description;
  try {
    WriteExchangeFile(big, path, pump);
  } catch (const fb::HostError& error) {
    threw = true;
    description = error.description();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, old_handler);

  EXPECT_TRUE(threw);
  EXPECT_NE(description.find(path.string()), std::string::npos) << description;
  EXPECT_EQ(ReadAll(path), "earlier");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"tree.xml"});
}

TEST(ExchangeWriter, ReplacesAnEarlierFile) {
  TempFolder folder;
  const fs::path path = folder.path() / "tree.xml";
  { std::ofstream(path, std::ios::binary) << "an earlier, much longer file than the new one"; }
  RecordingPump pump;
  WriteExchangeFile(std::vector<ExchangeNode>{{"p", "A", ""}}, path, pump);
  EXPECT_EQ(ReadAll(path), "<NODES><NODE Caption=\"p\" Key=\"A\" ParentKey=\"\"/></NODES>");
}

}  // namespace
}  // namespace kivo2d
