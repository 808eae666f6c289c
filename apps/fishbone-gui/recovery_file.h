#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "src/editor/tree_file.h"

namespace fishbone_gui {

// The editor's analysis kept on disk while the editor is open, so that a crash loses nothing.
//
// The file belongs to one running program: it holds a lock on a file beside it ("NAME.lock") for
// as long as it runs, and the system lets go of it when the process ends, however it ends. A
// second program the single-instance guard missed (another runtime folder) finds the lock taken
// and leaves the file alone: it neither offers it, nor removes it, nor writes it.
//
// Only a regular file is read or written. Whatever else stands at the name (a symbolic link, a
// FIFO, a device) and a file that cannot be read are moved aside under a name of their own,
// never overwritten, so that the next write cannot destroy what the user may still need.
class RecoveryFile {
 public:
  // Takes the lock when no other program holds it.
  explicit RecoveryFile(std::filesystem::path file);
  ~RecoveryFile();
  RecoveryFile(const RecoveryFile&) = delete;
  RecoveryFile& operator=(const RecoveryFile&) = delete;

  const std::filesystem::path& path() const { return file_; }
  bool owned() const { return lock_ >= 0; }
  // Why this program does not own the file (for the user), "" when it does.
  const std::string& not_owned_reason() const { return not_owned_reason_; }

  // What an earlier program left at the name.
  struct Leftover {
    std::optional<kivo2d::TreeDocument> tree;  // the analysis, when it could be read
    std::string problem;                       // else why not
    std::filesystem::path moved_to;            // and where it went ("" when it could not move)
  };
  // Nothing when there is no file or the file is not this program's.
  std::optional<Leftover> TakeLeftover();

  // Write and Remove do nothing unless the file is owned. Write throws fb::HostError naming the
  // file when it cannot write.
  void Write(std::string_view bytes);
  void Remove();

 private:
  // Renames what stands at the name to "NAME-unreadable-N.EXT" with the first N free.
  std::filesystem::path MoveAside();

  std::filesystem::path file_;
  int lock_ = -1;
  std::string not_owned_reason_;
};

}  // namespace fishbone_gui
