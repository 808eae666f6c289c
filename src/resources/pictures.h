#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/ui/picture.h"

namespace kivo2d {

// The component's window pictures and animations, stored with it as the files of
// src/resources/pictures (made by tools/artwork). A name that is not there is a programming
// error: std::out_of_range.
std::span<const std::uint8_t> PictureFile(std::string_view name);
// A PNG file of them, decoded.
fb::ui::Picture LoadPicture(std::string_view name);

// The files' names.
namespace picture {
inline constexpr std::string_view kWorkIcon = "work_icon.png";
inline constexpr std::string_view kTreeIcon = "tree_icon.png";
inline constexpr std::string_view kPencil = "pencil.png";
inline constexpr std::string_view kSignpost = "signpost.png";
inline constexpr std::string_view kCountArrow = "count_arrow.png";
inline constexpr std::string_view kSettingsArrow = "settings_arrow.png";
inline constexpr std::string_view kNotes = "notes.png";
inline constexpr std::string_view kCauseCount = "cause_count.png";
inline constexpr std::string_view kAboutButton = "about_button.png";
inline constexpr std::string_view kAboutButtonHover = "about_button_hover.png";
inline constexpr std::string_view kHelpButton = "help_button.png";
inline constexpr std::string_view kHelpButtonHover = "help_button_hover.png";
inline constexpr std::string_view kHelloBackground = "hello_background.png";
inline constexpr std::string_view kHelloTitle = "hello_title.png";
inline constexpr std::string_view kHelloBadge = "hello_badge.png";
inline constexpr std::string_view kHelloContact = "hello_contact.png";
inline constexpr std::string_view kProgressAnimation = "progress.gif";
inline constexpr std::string_view kWelcomeMovie = "welcome_movie.gif";
}  // namespace picture

}  // namespace kivo2d
