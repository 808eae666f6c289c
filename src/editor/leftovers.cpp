#include "src/editor/leftovers.h"

#include <string>

#include "src/component/exchange_paths.h"

namespace kivo2d {

void DeleteLeftovers(const fb::os::FileSystemObject& fso, std::string_view win_dir,
                     std::string_view user_profile) {
  for (const std::string& path :
       {ExchangeFilePath(win_dir), LogoFilePath(win_dir), RecentShortcutPath(user_profile)}) {
    if (fso.FileExists(path)) fso.DeleteFile(path);
  }
}

}  // namespace kivo2d
