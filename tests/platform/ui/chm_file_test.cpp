// The compiled-help reader, on the product's help file and on files that are not help files.
#include "platform/ui/chm_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/os/host_error.h"

namespace fb::ui {
namespace {

const std::filesystem::path kHelpFile = FB_HELP_FILE;

TEST(ChmFile, TheProductHelpFileReadsBackInUtf8) {
  const ChmFile help = ChmFile::open(kHelpFile);
  EXPECT_EQ(help.language(), 0x804);
  EXPECT_EQ(help.title(), "Kivo Workbench 2 帮助");
  EXPECT_EQ(help.default_topic(), "_1.htm");
  for (const char* topic : {"_1.htm", "_9.htm", "_10.htm", "_12.htm"}) {
    SCOPED_TRACE(topic);
    EXPECT_TRUE(help.has_topic(topic));
    const std::string page = help.read_text(topic);
    EXPECT_NE(page.find("charset=utf-8"), std::string::npos);
    EXPECT_EQ(page.find("gb2312"), std::string::npos);
  }
  EXPECT_EQ(help.page_title("_9.htm"), "安装与初始化");
  EXPECT_EQ(help.page_title("_10.htm"), "允许访问 VBA 项目");
  EXPECT_EQ(help.page_title("_12.htm"), "使用编辑窗口");
  // The pages are stored in the file's code page: GBK, not UTF-8.
  EXPECT_EQ(help.read("_9.htm").find("初始化"), std::string::npos);

  const std::vector<HelpEntry> contents = help.contents();
  ASSERT_EQ(contents.size(), 4u);
  EXPECT_EQ(contents[0], (HelpEntry{"Kivo Workbench 2 帮助", "_1.htm", 0}));
  EXPECT_EQ(contents[1], (HelpEntry{"安装与初始化", "_9.htm", 1}));
  EXPECT_EQ(contents[3], (HelpEntry{"使用编辑窗口", "_12.htm", 1}));
  const std::vector<HelpEntry> index = help.index();
  EXPECT_GE(index.size(), 8u);
  for (const HelpEntry& entry : index) EXPECT_TRUE(help.has_topic(entry.topic)) << entry.name;
}

// No page of the help leads nowhere: every link of every page is a topic of the file.
TEST(ChmFile, EveryLinkOfTheHelpLeadsToATopic) {
  const ChmFile help = ChmFile::open(kHelpFile);
  const std::vector<std::string> pages = help.pages();
  EXPECT_EQ(pages.size(), 4u);
  int links = 0;
  for (const std::string& page : pages) {
    for (const std::string& href : help.links(page)) {
      EXPECT_TRUE(help.resolve_link(page, href).has_value()) << page << " -> " << href;
      ++links;
    }
  }
  EXPECT_GT(links, 10);
}

TEST(ChmFile, LinksResolveInsideTheFileOnly) {
  const ChmFile help = ChmFile::open(kHelpFile);
  struct Case {
    const char* href;
    std::optional<std::string> topic;
  };
  const Case cases[] = {
      {"_10.htm", "_10.htm"},
      {"_12.htm#section", "_12.htm"},
      {"/_1.htm", "_1.htm"},
      {"./_9.htm", "_9.htm"},
      {"#top", "_9.htm"},
      {"missing.htm", std::nullopt},
      {"../_1.htm", std::nullopt},
      {"https://kivo2.example/help", std::nullopt},
      {"mailto:help@kivo2.example", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.href);
    EXPECT_EQ(help.resolve_link("_9.htm", c.href), c.topic);
  }
  EXPECT_THROW(help.read("missing.htm"), HostError);
}

TEST(ChmFile, AMissingOrDamagedFileIsRefusedWithItsNumber) {
  const std::filesystem::path folder =
      std::filesystem::path(::testing::TempDir()) / ("fb_chm_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::ifstream in(kHelpFile, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  struct Case {
    const char* name;
    std::string content;
    int number;
  };
  const Case cases[] = {
      {"text.chm", "not a help file", 321},
      {"empty.chm", "", 321},
      {"cut.chm", bytes.substr(0, bytes.size() / 3), 321},
      {"header only.chm", bytes.substr(0, 120), 321},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(folder / c.name, std::ios::binary) << c.content;
    try {
      ChmFile::open(folder / c.name);
      ADD_FAILURE() << "opened";
    } catch (const HostError& error) {
      EXPECT_EQ(error.number(), c.number);
      EXPECT_NE(error.description().find(c.name), std::string::npos) << error.description();
    }
  }
  try {
    ChmFile::open(folder / "nothing.chm");
    ADD_FAILURE() << "opened";
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), 53);
    EXPECT_TRUE(error.description().starts_with("文件未找到")) << error.description();
  }
  std::filesystem::remove_all(folder);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

// The product's help file with one number changed where the compiled-help library divides by it
// (the LZX window size, the windows per reset): the library dies of a divide error in chm_open.
// It runs in the help reader process, which dies instead of the program.
TEST(ChmFile, AFileThatKillsTheHelpLibraryIsRefusedAndTheProgramLivesOn) {
  const std::filesystem::path folder =
      std::filesystem::path(::testing::TempDir()) / ("fb_chm_fatal_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::ifstream in(kHelpFile, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  // The control data of the compressed section: its size, "LZXC", a version, the reset interval,
  // the window size and the windows per reset, four bytes each.
  const std::size_t control = bytes.find("LZXC");
  ASSERT_NE(control, std::string::npos);
  struct Case {
    const char* name;
    std::size_t at;
  };
  const Case cases[] = {{"no window.chm", control + 12}, {"no resets.chm", control + 16}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string damaged = bytes;
    damaged.replace(c.at, 4, std::string(4, '\0'));
    std::ofstream(folder / c.name, std::ios::binary) << damaged;
    try {
      ChmFile::open(folder / c.name);
      ADD_FAILURE() << "opened";
    } catch (const HostError& error) {
      EXPECT_EQ(error.number(), 321);
      EXPECT_NE(error.description().find(c.name), std::string::npos) << error.description();
      // The reader died of the divide error; built with the address sanitizer, its handler
      // catches the signal first and ends the reader with status 1.
      const bool by_signal = error.description().find("信号 8") != std::string::npos;
      const bool by_sanitizer =
          kUnderAddressSanitizer && error.description().find("以状态 1 结束") != std::string::npos;
      EXPECT_TRUE(by_signal || by_sanitizer) << error.description();
    }
  }
  std::filesystem::remove_all(folder);
}

// A help file made to hurt the reader: a page title and a link of 300,000 characters (a pattern
// matcher recursing per character overflowed the stack on them), a contents entry as long and
// more entries than a contents should hold, and a page larger than any help page.
TEST(ChmFile, ACraftedHelpFileIsReadWithinItsBounds) {
  const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) /
                                       ("fb_chm_crafted_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string title(300000, 't');
  const std::string href(300000, 'h');
  const auto write = [&](const char* name, const std::string& text) {
    std::ofstream(folder / name, std::ios::binary) << text;
  };
  write("long.htm", "<html><head><title>" + title + "</title></head><body><a href=\"" + href +
                        "\">far</a> <A HREF='big.htm'>near</A></body></html>");
  write("big.htm", "<html><body>" + std::string(kMaxHelpObjectBytes, 'b') + "</body></html>");
  std::string contents =
      "<html><body><ul><li><object type=\"text/sitemap\"><param name=\"Name\" "
      "value=\"" +
      title + "\"><param name=\"Local\" value=\"long.htm\"></object>";
  for (std::size_t i = 0; i < kMaxHelpEntries + 50; ++i) {
    contents += "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"e" +
                std::to_string(i) + "\"><param name=\"Local\" value=\"long.htm\"></object>";
  }
  write("contents.hhc", contents + "</ul></body></html>");
  write("crafted.hhp",
        "[OPTIONS]\nCompiled file=crafted.chm\nContents file=contents.hhc\nDefault "
        "topic=long.htm\nTitle=crafted\n\n[FILES]\nlong.htm\nbig.htm\n");
  const std::string compile =
      "cd '" + folder.string() + "' && '" FB_CHMCMD "' crafted.hhp >/dev/null 2>&1";
  ASSERT_EQ(std::system(compile.c_str()), 0);

  const ChmFile help = ChmFile::open(folder / "crafted.chm");
  const std::string shown = help.page_title("long.htm");
  EXPECT_LE(shown.size(), kMaxHelpTitleBytes);
  EXPECT_TRUE(shown.starts_with("tttt") && shown.ends_with("…")) << shown.substr(0, 20);
  EXPECT_EQ(help.links("long.htm"), (std::vector<std::string>{href, "big.htm"}));
  const std::vector<HelpEntry> entries = help.contents();
  ASSERT_EQ(entries.size(), kMaxHelpEntries);
  EXPECT_EQ(entries[0].name, title);
  EXPECT_EQ(entries[1].name, "e0");
  try {
    help.read_text("big.htm");
    ADD_FAILURE() << "read";
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), 321);
    EXPECT_NE(error.description().find("crafted.chm::big.htm"), std::string::npos)
        << error.description();
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace fb::ui
