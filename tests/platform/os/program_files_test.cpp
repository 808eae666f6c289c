#include "platform/os/program_files.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_folder.h"

namespace fb::os {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(ProgramFilesTest, AnInstalledProgramTakesItsOwnDataFileAndAnyOtherTheFallback) {
  TempFolder prefix;
  const fs::path program = prefix.path() / "bin" / "fishbone-gui";
  const fs::path data = prefix.path() / "share" / "fishbone";
  EXPECT_EQ(installed_data_folder(program), data);
  fs::create_directories(data / "a folder.conf");
  std::ofstream(data / "fishbone-fonts.conf") << "<fontconfig/>";
  const fs::path fallback = "/source/tree/fishbone-fonts.conf";
  struct Case {
    fs::path program;
    std::string name;
    fs::path expected;
  };
  const Case cases[] = {
      {program, "fishbone-fonts.conf", data / "fishbone-fonts.conf"},
      {program, "missing.conf", fallback},
      {program, "a folder.conf", fallback},  // only a regular file counts
      {prefix.path() / "build" / "apps" / "fishbone-gui", "fishbone-fonts.conf", fallback},
      {fs::path(), "fishbone-fonts.conf", fallback},  // the system did not say which program
  };
  for (const Case& c : cases) {
    EXPECT_EQ(installed_or(c.program, c.name, fallback), c.expected) << c.program << " " << c.name;
  }
}

TEST(ProgramFilesTest, TheRunningProgramIsThisTest) {
  EXPECT_EQ(running_program().filename(), "os_tests");
}

}  // namespace
}  // namespace fb::os
