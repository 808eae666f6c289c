#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/office/com_addins.h"
#include "platform/office/office_host.h"
#include "platform/os/registry.h"
#include "platform/sheet/application.h"
#include "src/datasheet/functions.h"

namespace kivo2d {

class Component;

inline constexpr std::string_view kConnectProgId = "KIVO2D.Connect";
inline constexpr std::string_view kFriendlyName = "Kivo Workbench 2";
inline constexpr std::string_view kAddinDescription =
    "基于 Microsoft Office Excel 2003 和 Excel 2007 的鱼骨图生成工具";

// "HKEY_CURRENT_USER\Software\Classes\" + ProgID: where a class and its library are recorded.
std::string ClassKey(std::string_view prog_id);
// The add-in key of the component under the host's add-ins.
std::string AddinKey();

// Self-registration: records the component's two classes with the library that provides them and
// registers Connect as an add-in of the current user (friendly name, description, load
// behaviour 3).
void RegisterComponent(fb::os::Registry& registry, std::string_view library_path);
// Removes what RegisterComponent wrote; absent keys are no error.
void UnregisterComponent(fb::os::Registry& registry);

// Makes the class "KIVO2D.Connect" available to a host's COM add-ins: each connection builds a
// Connect over `component` and the given host objects. They must outlive the add-ins.
void RegisterConnectClass(fb::office::ComAddIns& addins, Component& component,
                          fb::sheet::Application& application, fb::office::OfficeHost& office);

}  // namespace kivo2d
