#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fb::office {

// MsoControlType values the component and the built-in bars use.
enum class ControlType { kButton = 1, kPopup = 10 };
// MsoButtonStyle.
enum class ButtonStyle { kAutomatic = 0, kIcon = 1, kCaption = 2, kIconAndCaption = 3 };
// MsoBarPosition: 0 docked at the left edge ... 6 the menu bar.
enum class BarPosition {
  kLeft = 0,
  kTop = 1,
  kRight = 2,
  kBottom = 3,
  kFloating = 4,
  kMenuBar = 6
};

// What Office raises for an object that was deleted while a caller still held it.
inline constexpr int kAutomationError = -2147467259;
// CommandBars("name") / Controls(i) of something absent; CommandBars.Add of a name in use.
inline constexpr int kInvalidArgument = 5;

class CommandBar;
class CommandBarControl;
class CommandBarControls;

// A handler of a control's Click event: the clicked control and CancelDefault.
using ClickHandler = std::function<void(CommandBarControl& ctrl, bool& cancel_default)>;

// Keeps a click subscription alive; dropping it disconnects the handler (as releasing a WithEvents
// variable does). Safe to drop after the control itself was deleted.
class ClickConnection {
 public:
  ClickConnection() = default;
  ClickConnection(ClickConnection&&) noexcept = default;
  ClickConnection& operator=(ClickConnection&& other) noexcept;
  ClickConnection(const ClickConnection&) = delete;
  ClickConnection& operator=(const ClickConnection&) = delete;
  ~ClickConnection() { disconnect(); }

  void disconnect();
  bool connected() const;

 private:
  friend class CommandBarControl;
  struct Subscribers;
  ClickConnection(std::weak_ptr<Subscribers> subscribers, std::uint64_t id)
      : subscribers_(std::move(subscribers)), id_(id) {}
  std::weak_ptr<Subscribers> subscribers_;
  std::uint64_t id_ = 0;
};

// The controls of a bar or of a pop-up control, in order (positions 1 to count).
class CommandBarControls {
 public:
  int count() const { return static_cast<int>(controls_.size()); }
  // Controls(i), 1-based; HostError 5 when out of range.
  CommandBarControl& item(int index) const;
  // Controls("caption"): the first control with exactly this caption; HostError 5 when none.
  CommandBarControl& item(std::string_view caption) const;
  std::shared_ptr<CommandBarControl> shared(int index) const;
  // Controls.Add(Type, , , Before, Temporary): a new control at position `before` (the later ones
  // move down), or at the end when `before` is 0; HostError 5 when `before` is out of range.
  std::shared_ptr<CommandBarControl> add(ControlType type, bool temporary = false, int before = 0);
  // Control.Delete, as a user customising the bars does: the control and its own controls become
  // deleted objects and the later ones move up. HostError 5 when out of range.
  void remove(int index);

 private:
  friend class CommandBar;
  friend class CommandBarControl;
  friend class CommandBars;
  void mark_deleted();
  void drop_temporary();
  std::vector<std::shared_ptr<CommandBarControl>> controls_;
};

// A control of a command bar: a button or a pop-up menu holding further controls. Callers may
// keep a shared reference; once its bar is deleted every property access throws HostError
// kAutomationError.
class CommandBarControl {
 public:
  explicit CommandBarControl(ControlType type, bool temporary);
  CommandBarControl(const CommandBarControl&) = delete;
  CommandBarControl& operator=(const CommandBarControl&) = delete;

  ControlType type() const;
  bool temporary() const { return temporary_; }
  bool deleted() const { return deleted_; }

  const std::string& caption() const;
  void set_caption(std::string caption);
  // The Parameter property: free text the owner uses to tell its buttons apart.
  const std::string& parameter() const;
  void set_parameter(std::string parameter);
  bool begin_group() const;
  void set_begin_group(bool on);
  bool enabled() const;
  void set_enabled(bool on);
  bool visible() const;
  void set_visible(bool on);
  int face_id() const;
  void set_face_id(int id);
  ButtonStyle style() const;
  void set_style(ButtonStyle style);

  // The controls of a pop-up; HostError 438 for a button, which has none.
  CommandBarControls& controls();

  // Subscribes to this control's Click event.
  [[nodiscard]] ClickConnection on_click(ClickHandler handler);
  // A user's click: when the control is enabled and visible, raises Click with this control to
  // every subscriber in subscription order; returns whether it was raised.
  bool click();

 private:
  friend class CommandBarControls;
  void check_alive() const;

  ControlType type_;
  bool temporary_;
  bool deleted_ = false;
  std::string caption_;
  std::string parameter_;
  bool begin_group_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  int face_id_ = 0;
  ButtonStyle style_ = ButtonStyle::kAutomatic;
  CommandBarControls controls_;
  std::shared_ptr<ClickConnection::Subscribers> subscribers_;
};

class CommandBar {
 public:
  CommandBar(std::string name, BarPosition position, bool menu_bar, bool temporary, bool built_in);
  CommandBar(const CommandBar&) = delete;
  CommandBar& operator=(const CommandBar&) = delete;

  const std::string& name() const { return name_; }
  BarPosition position() const { return position_; }
  bool menu_bar() const { return menu_bar_; }
  bool temporary() const { return temporary_; }
  bool built_in() const { return built_in_; }
  bool visible() const { return visible_; }
  void set_visible(bool on) { visible_ = on; }
  bool enabled() const { return enabled_; }
  void set_enabled(bool on) { enabled_ = on; }
  CommandBarControls& controls() { return controls_; }
  const CommandBarControls& controls() const { return controls_; }

 private:
  friend class CommandBars;
  std::string name_;
  BarPosition position_;
  bool menu_bar_;
  bool temporary_;
  bool built_in_;
  bool visible_ = false;
  bool enabled_ = true;
  CommandBarControls controls_;
};

// Application.CommandBars: the bars in order (positions 1 to count), names compared without
// regard to ASCII letter case, as Office does.
class CommandBars {
 public:
  CommandBars() = default;
  CommandBars(const CommandBars&) = delete;
  CommandBars& operator=(const CommandBars&) = delete;

  int count() const { return static_cast<int>(bars_.size()); }
  // CommandBars(i), 1-based; HostError 5 when out of range.
  CommandBar& item(int index) const;
  // CommandBars("name"); HostError 5 when no bar has the name.
  CommandBar& item(std::string_view name) const;
  CommandBar* find(std::string_view name) const;
  // CommandBars.Add(Name, Position, MenuBar, Temporary): appends an invisible bar. HostError 5
  // when a bar of that name exists.
  CommandBar& add(std::string_view name, BarPosition position, bool menu_bar, bool temporary);
  // CommandBar.Delete: removes a custom bar; its controls become deleted objects. HostError 5 for
  // a built-in bar.
  void remove(CommandBar& bar);
  // What closing the host does to the bars: temporary bars and temporary controls vanish.
  void drop_temporary();

  // Used to build a host's own bars.
  CommandBar& add_built_in(std::string_view name, BarPosition position, bool menu_bar);

 private:
  std::vector<std::unique_ptr<CommandBar>> bars_;
};

}  // namespace fb::office
