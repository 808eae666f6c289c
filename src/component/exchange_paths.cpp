#include "src/component/exchange_paths.h"

namespace kivo2d {

namespace {
std::string concat(std::string_view folder, std::string_view literal) {
  std::string path(folder);
  path.append(literal);
  return path;
}
}  // namespace

std::string ExchangeFilePath(std::string_view win_dir) {
  return concat(win_dir, kExchangeFileLiteral);
}

std::string LogoFilePath(std::string_view win_dir) {
  return concat(win_dir, kLogoFileLiteral);
}

std::string RecentShortcutPath(std::string_view user_profile) {
  return concat(user_profile, kRecentShortcutLiteral);
}

}  // namespace kivo2d
