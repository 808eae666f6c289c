#pragma once

#include <string_view>

#include "platform/office/command_bars.h"
#include "platform/office/office_host.h"
#include "platform/sheet/application.h"

namespace kivo2d {

class Component;

inline constexpr std::string_view kCommandBarName = "Fishbone";
inline constexpr std::string_view kAddFishboneCaption = "Add Fishbone(&D)";
inline constexpr std::string_view kAboutFishboneCaption = "About Fishbone(&B)";
inline constexpr int kAddFishboneFaceId = 20;
inline constexpr int kAboutFishboneFaceId = 65;

inline constexpr int kSimplifiedChinese = 2052;
inline constexpr std::string_view kLanguageMessage =
    "仅适用于 Microsoft Office Excel 2003 和 2007 简体中文环境";
inline constexpr std::string_view kVersionMessage = "仅适用于 Microsoft Office Excel 2003 和 2007";

// The add-in's connection to its host. On connection it keeps the host objects in the component,
// checks the install language and the version, rebuilds the command bar "Fishbone", shows the
// welcome window at start-up and deletes what an earlier run left behind; on disconnection it
// takes the bar down and releases the button keeper and the host.
class Connect {
 public:
  explicit Connect(Component& component) : component_(component) {}
  Connect(const Connect&) = delete;
  Connect& operator=(const Connect&) = delete;

  // `office` is the command-bar side of the same host as `application`. A failure while the bar
  // is built propagates.
  void AddinInstance_OnConnection(fb::sheet::Application& application,
                                  fb::office::OfficeHost& office, int connect_mode);
  // Ignores every failure.
  void AddinInstance_OnDisconnection(int remove_mode);

 private:
  void BuildMenu();

  Component& component_;
  // The bar built at connection. Never handed out: the host may drop it (a temporary bar goes when
  // the host closes) while this object lives.
  fb::office::CommandBar* bar_ = nullptr;
};

}  // namespace kivo2d
