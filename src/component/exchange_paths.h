#pragma once

#include <string>
#include <string_view>

namespace kivo2d {

// Where the exchange file and its traces lie. The paths are Windows-style, built as the
// component built them (a folder value followed by a literal); fb::os::FileSystemObject and
// fb::os::native_path map them to native paths.

// Name of the exchange file, and of the generation workbook the host opens from it.
inline constexpr std::string_view kExchangeFileName = "程序正在运行中，请稍后。。。.xml";
// WinDir + this: the exchange file.
inline constexpr std::string_view kExchangeFileLiteral = "\\Temp\\程序正在运行中，请稍后。。。.xml";
// WinDir + this: the temporary logo picture (chart head and report).
inline constexpr std::string_view kLogoFileLiteral = "\\Temp\\~l$go.gif";
// userprofile + this: the host's recent-file shortcut for the exchange file.
inline constexpr std::string_view kRecentShortcutLiteral =
    "\\Application Data\\Microsoft\\Office\\Recent\\程序正在运行中，请稍后。。。.xml.lnk";

// WinDir + "\Temp\程序正在运行中，请稍后。。。.xml".
std::string ExchangeFilePath(std::string_view win_dir);
// WinDir + "\Temp\~l$go.gif".
std::string LogoFilePath(std::string_view win_dir);
// userprofile + "\Application Data\Microsoft\Office\Recent\程序正在运行中，请稍后。。。.xml.lnk".
std::string RecentShortcutPath(std::string_view user_profile);

}  // namespace kivo2d
