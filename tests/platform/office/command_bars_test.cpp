#include "platform/office/command_bars.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/office/office_host.h"
#include "platform/os/host_error.h"

namespace fb::office {
namespace {

int ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const HostError& error) {
    return error.number();
  }
  return 0;
}

// The built-in bars the add-in's lock reaches into, in both version profiles.
TEST(CommandBarsTest, BuiltInBarsHoldWhatTheMacroLockNeeds) {
  for (const char* version : {"11.0", "12.0"}) {
    SCOPED_TRACE(version);
    OfficeHost host(version);
    CommandBars& bars = host.command_bars();
    CommandBar& menu = bars.item(1);
    EXPECT_TRUE(menu.menu_bar());
    CommandBarControl& macro =
        menu.controls().item(OfficeHost::kToolsMenu).controls().item(OfficeHost::kMacroMenu);
    EXPECT_EQ(macro.caption(), "宏(&M)");
    EXPECT_NO_THROW(bars.item("visual basic"));  // names ignore ASCII case
    EXPECT_GE(bars.item(OfficeHost::kControlToolboxPosition).controls().count(), 15);
    EXPECT_EQ(ErrorNumberOf([&] { bars.remove(menu); }), kInvalidArgument);
  }
}

TEST(CommandBarsTest, AddFindAndDeleteCustomBars) {
  OfficeHost host;
  CommandBars& bars = host.command_bars();
  const int built_in = bars.count();
  CommandBar& bar = bars.add("Fishbone", BarPosition::kLeft, false, true);
  EXPECT_FALSE(bar.visible());
  EXPECT_EQ(bars.count(), built_in + 1);
  EXPECT_EQ(&bars.item(built_in + 1), &bar);
  EXPECT_EQ(&bars.item("FISHBONE"), &bar);
  EXPECT_EQ(ErrorNumberOf([&] { bars.add("fishbone", BarPosition::kTop, false, false); }),
            kInvalidArgument);

  auto button = bar.controls().add(ControlType::kButton, true);
  button->set_caption("Add Fishbone(&D)");
  EXPECT_EQ(ErrorNumberOf([&] { button->controls(); }), 438);  // a button has no controls
  bars.remove(bar);
  EXPECT_EQ(bars.find("Fishbone"), nullptr);
  EXPECT_EQ(ErrorNumberOf([&] { bars.item("Fishbone"); }), kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { bars.item(0); }), kInvalidArgument);
  // A reference kept past the deletion is a dead object; clicking it raises nothing.
  EXPECT_TRUE(button->deleted());
  EXPECT_EQ(ErrorNumberOf([&] { (void)button->caption(); }), kAutomationError);
  EXPECT_EQ(ErrorNumberOf([&] { button->set_enabled(true); }), kAutomationError);
  EXPECT_FALSE(button->click());
}

TEST(CommandBarsTest, ClickReachesEverySubscriberWithTheClickedControl) {
  CommandBars bars;
  CommandBar& bar = bars.add("Bar", BarPosition::kLeft, false, false);
  auto button = bar.controls().add(ControlType::kButton);
  button->set_parameter("AddFishbone");
  std::vector<std::string> seen;
  ClickConnection first = button->on_click(
      [&](CommandBarControl& ctrl, bool&) { seen.push_back("1:" + ctrl.parameter()); });
  ClickConnection second = button->on_click(
      [&](CommandBarControl& ctrl, bool&) { seen.push_back("2:" + ctrl.parameter()); });

  EXPECT_TRUE(button->click());
  EXPECT_EQ(seen, (std::vector<std::string>{"1:AddFishbone", "2:AddFishbone"}));

  // Disabled or hidden controls take no click.
  seen.clear();
  button->set_enabled(false);
  EXPECT_FALSE(button->click());
  button->set_enabled(true);
  button->set_visible(false);
  EXPECT_FALSE(button->click());
  button->set_visible(true);
  EXPECT_TRUE(seen.empty());

  // Dropping a connection unsubscribes only that handler.
  first.disconnect();
  EXPECT_FALSE(first.connected());
  EXPECT_TRUE(second.connected());
  button->click();
  EXPECT_EQ(seen, (std::vector<std::string>{"2:AddFishbone"}));
}

TEST(CommandBarsTest, AHandlerMayDropConnectionsWhileTheClickIsDelivered) {
  CommandBars bars;
  auto button =
      bars.add("Bar", BarPosition::kLeft, false, false).controls().add(ControlType::kButton);
  int later_calls = 0;
  ClickConnection later;
  ClickConnection first = button->on_click([&](CommandBarControl&, bool&) { later.disconnect(); });
  later = button->on_click([&](CommandBarControl&, bool&) { ++later_calls; });
  // A handler dropped during the event is not called: its owner may be gone by then.
  EXPECT_TRUE(button->click());
  EXPECT_EQ(later_calls, 0);
  // A handler that drops itself finishes its call.
  int self_calls = 0;
  ClickConnection self;
  self = button->on_click([&](CommandBarControl&, bool&) {
    self.disconnect();
    ++self_calls;
  });
  button->click();
  button->click();
  EXPECT_EQ(self_calls, 1);
}

TEST(CommandBarsTest, ClosingTheHostDropsTemporaryBarsAndControls) {
  OfficeHost host;
  CommandBars& bars = host.command_bars();
  const int built_in = bars.count();
  auto temporary_bar_button =
      bars.add("Fishbone", BarPosition::kLeft, false, true).controls().add(ControlType::kButton);
  CommandBar& kept = bars.add("Kept", BarPosition::kTop, false, false);
  auto kept_button = kept.controls().add(ControlType::kButton, false);
  auto temporary_button = kept.controls().add(ControlType::kButton, true);
  auto temporary_in_menu = bars.item(1)
                               .controls()
                               .item(OfficeHost::kToolsMenu)
                               .controls()
                               .add(ControlType::kButton, true);
  const int tools_entries = bars.item(1).controls().item(OfficeHost::kToolsMenu).controls().count();

  host.close();
  EXPECT_EQ(bars.find("Fishbone"), nullptr);
  EXPECT_EQ(bars.count(), built_in + 1);
  EXPECT_EQ(kept.controls().count(), 1);
  EXPECT_FALSE(kept_button->deleted());
  EXPECT_TRUE(temporary_button->deleted());
  EXPECT_TRUE(temporary_bar_button->deleted());
  EXPECT_TRUE(temporary_in_menu->deleted());
  EXPECT_EQ(bars.item(1).controls().item(OfficeHost::kToolsMenu).controls().count(),
            tools_entries - 1);
}

TEST(OfficeHostTest, VbaEditorIsRefusedWithoutTrustAndAltQClosesItsWindow) {
  OfficeHost host;
  host.set_vbe_main_window_visible(true);
  EXPECT_TRUE(host.vbe().main_window_visible());

  host.set_trust_vba_project_access(false);
  EXPECT_EQ(ErrorNumberOf([&] { host.vbe(); }), host_error::kApplicationDefined);
  // Sent keys reach the editor's window whatever the trust setting; other keys leave it open.
  host.send_keys("%{F4}");
  EXPECT_TRUE(host.vbe_main_window_visible());
  host.send_keys("%q");
  EXPECT_FALSE(host.vbe_main_window_visible());
  ASSERT_EQ(host.keys().sent().size(), 2u);
  EXPECT_EQ(host.keys().sent()[1].keys, "%q");
  EXPECT_FALSE(host.keys().sent()[1].wait);
}

TEST(OfficeHostTest, OnKeyAssignsAndGivesBack) {
  OfficeHost host;
  KeyBindings& keys = host.keys();
  EXPECT_TRUE(keys.all_default());
  keys.on_key("%{F11}", "");
  keys.on_key("%{F8}", "");
  EXPECT_EQ(keys.assignment("%{F11}"), "");
  EXPECT_FALSE(keys.all_default());
  keys.on_key("%{F8}");
  EXPECT_EQ(keys.assignment("%{F8}"), std::nullopt);
  EXPECT_FALSE(keys.all_default());
  keys.on_key("%{F11}");
  EXPECT_TRUE(keys.all_default());
}

}  // namespace
}  // namespace fb::office
