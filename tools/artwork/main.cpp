// Writes the component's pictures and animations into a folder:
//   artwork src/resources/pictures
#include <exception>
#include <filesystem>
#include <iostream>
#include <string_view>

#include "platform/os/atomic_file.h"
#include "tools/artwork/canvas.h"
#include "tools/artwork/pictures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: artwork FOLDER\n";
    return 2;
  }
  try {
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    fb::artwork::LoadFonts();
    std::vector<fb::artwork::ArtFile> files = fb::artwork::EditorPictures();
    for (auto& file : fb::artwork::WelcomePictures()) files.push_back(std::move(file));
    files.push_back(fb::artwork::ProgressAnimation());
    files.push_back(fb::artwork::WelcomeMovie());
    for (const fb::artwork::ArtFile& file : files) {
      fb::os::write_file_atomically(
          folder / file.name,
          std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
    }
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "artwork: " << error.what() << "\n";
    return 1;
  }
}
