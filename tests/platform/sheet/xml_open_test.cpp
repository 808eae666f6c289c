#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "sheet_fixture.h"

namespace fb::sheet {
namespace {

using testing::host_error_number;
using testing::txt;

class XmlOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("fb-xml-open-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_ / "Temp");
    env_.set("userprofile", (dir_ / "profile").string());
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string write(const std::string& name, const std::string& content) {
    std::ofstream(dir_ / "Temp" / name, std::ios::binary) << content;
    return dir_.string() + "\\Temp\\" + name;
  }

  std::filesystem::path dir_;
  os::MapEnvironment env_;
  Application app_{env_};
};

TEST_F(XmlOpen, NodesBecomeRowsUnderALeadingAndAHeadingRow) {
  const std::string path =
      write("程序正在运行中，请稍后。。。.xml",
            "<NODES><NODE Caption=\"a &amp; &lt;b&gt; &quot;c&quot;\" Key=\"A\" ParentKey=\"\"/>"
            "<NODE Caption=\"007\" Key=\"A1\" ParentKey=\"A\"/></NODES>");
  Workbook& wb = app_.workbooks().open(path);
  EXPECT_EQ(wb.name(), "程序正在运行中，请稍后。。。.xml");
  EXPECT_EQ(&app_.active_workbook(), &wb);
  Worksheet& s = app_.active_sheet();
  EXPECT_EQ(s.name(), "程序正在运行中，请稍后。。。");
  EXPECT_EQ(s.range("A1").value(), txt("/NODES"));
  EXPECT_EQ(s.range("A2").value(), txt("/NODES/NODE/@Caption"));
  EXPECT_EQ(s.range("C2").value(), txt("/NODES/NODE/@ParentKey"));
  EXPECT_EQ(s.range("A3").value(), txt("a & <b> \"c\""));
  EXPECT_EQ(s.range("B3").value(), txt("A"));
  EXPECT_EQ(s.range("C3").value(), Value(Empty{}));
  EXPECT_EQ(s.range("A4").value(), txt("007")) << "text stays text";
  EXPECT_EQ(s.cells(65536, 1).end(Direction::Up).row(), 4);
  // The workbook lives on without its file.
  std::filesystem::remove(dir_ / "Temp" / "程序正在运行中，请稍后。。。.xml");
  EXPECT_EQ(app_.workbooks().item("程序正在运行中，请稍后。。。.XML").name(), wb.name());
}

TEST_F(XmlOpen, OpeningLeavesARecentFileShortcut) {
  app_.workbooks().open(write("t.xml", "<NODES/>"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "profile" / "Application Data" / "Microsoft" /
                                      "Office" / "Recent" / "t.xml.lnk"));
  EXPECT_EQ(
      app_.recent_file_shortcut("t.xml"),
      (dir_ / "profile").string() + "\\Application Data\\Microsoft\\Office\\Recent\\t.xml.lnk");
}

TEST_F(XmlOpen, MissingOrMalformedFilesRaiseAHostError) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"missing.xml", ""},
      {"broken.xml", "<NODES><NODE Caption=\"x\"></NODES>"},
  };
  for (const auto& [name, content] : cases) {
    std::string path = dir_.string() + "\\Temp\\" + name;
    if (!content.empty()) path = write(name, content);
    try {
      app_.workbooks().open(path);
      ADD_FAILURE() << name;
    } catch (const HostError& e) {
      EXPECT_EQ(e.number(), 1004);
      EXPECT_NE(e.description().find(name), std::string::npos) << e.description();
    }
  }
  EXPECT_EQ(app_.workbooks().count(), 0);
}

}  // namespace
}  // namespace fb::sheet
