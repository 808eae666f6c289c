#include "src/report/save_resource_to_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "src/report/report_template.h"
#include "src/report/resources.h"

namespace kivo2d {
namespace {

namespace fs = std::filesystem;

class SaveResourceToFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() /
        ("fb-save-resource-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::vector<unsigned char> Read(const fs::path& path) const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void Write(const fs::path& path, const std::string& content) const {
    std::ofstream(path, std::ios::binary) << content;
  }
  std::vector<unsigned char> TemplatePrefix(std::size_t count) const {
    const auto all = LoadCustomResource(kReportTemplateResourceId);
    return {all.begin(), all.begin() + static_cast<std::ptrdiff_t>(count)};
  }

  fs::path dir_;
};

// The Windows-style path the component builds: a folder, then a "\temp\..." literal.
TEST_F(SaveResourceToFileTest, WritesTheResourceUpToTheCount) {
  const auto size = static_cast<std::size_t>(kReportTemplateByteCount);
  struct Case {
    std::int32_t count;
    std::size_t expected_length;
  };
  for (const Case c :
       {Case{kReportTemplateByteCount, size}, Case{kReportTemplateByteCount + 100, size},
        Case{512, 512}, Case{0, 0}, Case{-5, 0}}) {
    const fs::path file = dir_ / "Fishbone Diagram Report.xlt";
    fs::remove(file);
    SaveResourceToFile(dir_.string() + "\\Fishbone Diagram Report.xlt", kReportTemplateResourceId,
                       c.count);
    ASSERT_TRUE(fs::exists(file)) << "count " << c.count;
    EXPECT_EQ(Read(file), TemplatePrefix(c.expected_length)) << "count " << c.count;
  }
}

TEST_F(SaveResourceToFileTest, WritesOverAnExistingFileFromItsFirstByte) {
  const fs::path file = dir_ / "t.xlt";
  const std::string old(700, 'x');
  Write(file, old);
  SaveResourceToFile((dir_ / "t.xlt").string(), kReportTemplateResourceId, 512);
  std::vector<unsigned char> expected(old.begin(), old.end());
  const std::vector<unsigned char> prefix = TemplatePrefix(512);
  std::copy(prefix.begin(), prefix.end(), expected.begin());
  EXPECT_EQ(Read(file), expected);

  // Count 0 leaves an existing file as it was.
  Write(file, "keep");
  SaveResourceToFile(file.string(), kReportTemplateResourceId, 0);
  EXPECT_EQ(Read(file), (std::vector<unsigned char>{'k', 'e', 'e', 'p'}));
}

TEST_F(SaveResourceToFileTest, FailuresAreSwallowed) {
  // No such resource: the file is still opened, so it exists, empty.
  const fs::path missing_resource = dir_ / "none.xlt";
  EXPECT_NO_THROW(SaveResourceToFile(missing_resource.string(), 7, 100));
  EXPECT_TRUE(fs::exists(missing_resource));
  EXPECT_EQ(fs::file_size(missing_resource), 0U);

  // A folder that does not exist, and a path that is a folder: nothing is written.
  EXPECT_NO_THROW(SaveResourceToFile((dir_ / "no" / "such" / "t.xlt").string(),
                                     kReportTemplateResourceId, kReportTemplateByteCount));
  EXPECT_FALSE(fs::exists(dir_ / "no"));
  EXPECT_NO_THROW(SaveResourceToFile(dir_.string(), kReportTemplateResourceId, 10));
  EXPECT_TRUE(fs::is_directory(dir_));
}

}  // namespace
}  // namespace kivo2d
