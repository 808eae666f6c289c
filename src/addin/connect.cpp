#include "src/addin/connect.h"

#include <functional>
#include <string>

#include "platform/os/host_error.h"
#include "src/addin/button_event.h"
#include "src/addin/component_windows.h"
#include "src/component/component.h"
#include "src/component/exchange_paths.h"
#include "src/editor/leftovers.h"
#include "src/windows/help_topics.h"

namespace kivo2d {
namespace {

namespace vb = fb::ui::vb;
using fb::office::ButtonStyle;
using fb::office::ControlType;

void IgnoringFailure(const std::function<void()>& action) {
  try {
    action();
  } catch (const fb::HostError&) {
  }
}

void DeleteBar(fb::office::OfficeHost& office) {
  fb::office::CommandBars& bars = office.command_bars();
  bars.remove(bars.item(kCommandBarName));
}

ButtonEventCol& Keeper(Component& component) {
  if (!component.button_keeper)
    component.button_keeper = std::make_shared<ButtonEventCol>(component);
  return *component.button_keeper;
}

}  // namespace

void Connect::AddinInstance_OnConnection(fb::sheet::Application& application,
                                         fb::office::OfficeHost& office, int connect_mode) {
  component_.set_app(&application);
  component_.set_office(&office);
  component_.win_dir = component_.environment().value(fb::os::kWinDir);

  if (application.language_install_id() != kSimplifiedChinese) {
    component_.dialogs().message_box(kLanguageMessage, vb::vbCritical | vb::vbOKOnly,
                                     kDefaultMessageTitle);
  } else if (application.profile() == fb::sheet::HostProfile::Other) {
    component_.dialogs().message_box(kVersionMessage, vb::vbCritical | vb::vbOKOnly,
                                     kDefaultMessageTitle);
  } else {
    BuildMenu();
  }

  const std::string exchange_file = ExchangeFilePath(component_.win_dir);
  if (!component_.file_system().FileExists(exchange_file) &&
      (connect_mode == 1 || connect_mode == 0)) {
    Hello& hello = Windows(component_).hello();
    hello.load();
    hello.Label1.set_caption("");
    hello.show(fb::ui::ShowMode::kModal);
  }
  DeleteLeftovers(component_.file_system(), component_.win_dir,
                  component_.environment().value(fb::os::kUserProfile));
}

void Connect::BuildMenu() {
  fb::office::OfficeHost& office = component_.office();
  IgnoringFailure([&] { DeleteBar(office); });
  bar_ = &office.command_bars().add(kCommandBarName, fb::office::BarPosition::kLeft, false, true);
  bar_->set_visible(true);

  struct ButtonRow {
    std::string_view caption;
    const char* parameter;
    int face_id;
  };
  for (const ButtonRow& row :
       {ButtonRow{kAddFishboneCaption, kAddFishboneParameter, kAddFishboneFaceId},
        ButtonRow{kAboutFishboneCaption, kAboutFishboneParameter, kAboutFishboneFaceId}}) {
    auto button = bar_->controls().add(ControlType::kButton, true);
    button->set_caption(std::string(row.caption));
    button->set_begin_group(false);
    button->set_enabled(true);
    button->set_visible(true);
    button->set_face_id(row.face_id);
    button->set_style(ButtonStyle::kIconAndCaption);
    button->set_parameter(row.parameter);
    Keeper(component_).Add(std::move(button));
  }
}

void Connect::AddinInstance_OnDisconnection(int remove_mode) {
  if (!component_.connected()) return;
  fb::office::OfficeHost* office = &component_.office();
  if (remove_mode == 1) IgnoringFailure([&] { DeleteBar(*office); });
  component_.button_keeper.reset();
  IgnoringFailure([&] { DeleteBar(*office); });
  bar_ = nullptr;
  // The windows go with the connection: nothing of the component is left on screen without a host.
  if (component_.windows) {
    for (fb::ui::Form* form : {static_cast<fb::ui::Form*>(&component_.windows->work()),
                               static_cast<fb::ui::Form*>(&component_.windows->hello()),
                               static_cast<fb::ui::Form*>(&component_.windows->progress())}) {
      IgnoringFailure([&] { form->unload(); });
    }
  }
  component_.set_office(nullptr);
  component_.set_app(nullptr);
}

}  // namespace kivo2d
