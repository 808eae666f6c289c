#pragma once

#include <memory>
#include <vector>

#include "platform/office/command_bars.h"

namespace kivo2d {

class Component;

// Parameters of the two buttons of the command bar "Fishbone", by which clicks are dispatched.
inline constexpr const char* kAddFishboneParameter = "AddFishbone";
inline constexpr const char* kAboutFishboneParameter = "AboutFishbone";

// Receives the Click events of one command-bar button for as long as it lives.
class ButtonEvent {
 public:
  explicit ButtonEvent(Component& component) : component_(component) {}
  ButtonEvent(const ButtonEvent&) = delete;
  ButtonEvent& operator=(const ButtonEvent&) = delete;

  // Setting xlAppButton connects this object to the button's events.
  void set_xlAppButton(std::shared_ptr<fb::office::CommandBarControl> button);
  const std::shared_ptr<fb::office::CommandBarControl>& xlAppButton() const { return button_; }

  // Dispatches on the clicked button's parameter: the editor, the About window, or nothing.
  void xlAppButton_Click(fb::office::CommandBarControl& Ctrl, bool& CancelDefault);

 private:
  Component& component_;
  std::shared_ptr<fb::office::CommandBarControl> button_;
  fb::office::ClickConnection connection_;
};

// The button keeper: holds every ButtonEvent, in the order added, so that the host goes on
// delivering their clicks while the add-in is connected. Nothing reads the collection.
class ButtonEventCol {
 public:
  explicit ButtonEventCol(Component& component) : component_(component) {}

  void Add(std::shared_ptr<fb::office::CommandBarControl> xlAppButton);
  int count() const { return static_cast<int>(events_.size()); }

 private:
  Component& component_;
  std::vector<std::unique_ptr<ButtonEvent>> events_;
};

}  // namespace kivo2d
