// The committed pictures are exactly what the generator makes: a change to the drawing code must
// be followed by running the generator (tools/artwork/README.md) and committing its output.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tools/artwork/canvas.h"
#include "tools/artwork/pictures.h"

namespace fb::artwork {
namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Artwork, CommittedPicturesAreWhatTheGeneratorMakes) {
  LoadFonts();
  std::vector<ArtFile> files = EditorPictures();
  for (auto& file : WelcomePictures()) files.push_back(std::move(file));
  files.push_back(ProgressAnimation());
  files.push_back(WelcomeMovie());

  std::set<std::string> made;
  for (const ArtFile& file : files) {
    SCOPED_TRACE(file.name);
    made.insert(file.name);
    ASSERT_FALSE(file.bytes.empty());
    EXPECT_TRUE(ReadFile(std::filesystem::path(FB_PICTURES_DIR) / file.name) == file.bytes)
        << "regenerate with tools/artwork";
  }
  // And nothing is committed that the generator no longer makes.
  for (const auto& entry : std::filesystem::directory_iterator(FB_PICTURES_DIR)) {
    EXPECT_TRUE(made.contains(entry.path().filename().string())) << entry.path();
  }
}

}  // namespace
}  // namespace fb::artwork
