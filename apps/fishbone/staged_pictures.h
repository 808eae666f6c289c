#pragma once

#include <filesystem>
#include <string>

namespace fishbone {

// The report's pictures written as one set or not at all. A run writes them while they are on
// the clipboard, long before it knows whether the report itself can be saved; so they go to a
// new hidden folder inside the pictures folder (".pictures-<host>-<pid>-XXXXXX", on the stop
// cleanup list, those of killed processes removed by the next run) and are moved into place
// only when the run has saved everything else. The move holds a lock on the pictures folder, so
// two runs into one folder never leave a set mixed of both. Until then the folder holds the set
// it held before; a run that fails leaves it so.
class StagedPictures {
 public:
  // Makes the hidden folder. Throws fb::HostError naming the pictures folder when it cannot.
  explicit StagedPictures(std::filesystem::path folder);
  StagedPictures(const StagedPictures&) = delete;
  StagedPictures& operator=(const StagedPictures&) = delete;
  // Removes the hidden folder with whatever was not moved into place.
  ~StagedPictures();

  // Where a picture of this name is written until the set is moved into place.
  std::filesystem::path PathFor(const std::string& name) const;
  // Moves every picture written into the pictures folder, replacing those of the same name.
  // Throws fb::HostError naming the folder when a move fails.
  void MoveIntoPlace();

 private:
  std::filesystem::path folder_;
  std::filesystem::path staging_;
};

}  // namespace fishbone
