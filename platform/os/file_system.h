#pragma once

#include <string_view>

namespace fb::os {

// Stand-in for the scripting file-system object the component creates for its existence tests
// and deletions. Paths are Windows-style paths built from WinDir / userprofile and the
// component's literals; they are mapped with native_path (win_path.h).
//
// Methods are virtual so tests can substitute a failing or recording object.
class FileSystemObject {
 public:
  virtual ~FileSystemObject() = default;

  // True when a file (not a folder) exists at the path; a symbolic link counts when its target is
  // a file. Never throws.
  virtual bool FileExists(std::string_view windows_path) const;

  // Deletes the file (a symbolic link itself, never its target). As the original: an absent file
  // (or a folder) raises fb::HostError 53 "File not found"; a refusal by the system raises 70
  // "Permission denied"; any other failure 75 "Path/File access error". The component always
  // tests with FileExists first.
  virtual void DeleteFile(std::string_view windows_path) const;
};

}  // namespace fb::os
