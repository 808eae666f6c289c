#include "platform/office/command_bars.h"

#include <algorithm>
#include <utility>

#include "platform/os/environment.h"
#include "platform/os/host_error.h"

namespace fb::office {

struct ClickConnection::Subscribers {
  std::uint64_t next_id = 1;
  std::vector<std::pair<std::uint64_t, std::shared_ptr<ClickHandler>>> handlers;
};

ClickConnection& ClickConnection::operator=(ClickConnection&& other) noexcept {
  if (this != &other) {
    disconnect();
    subscribers_ = std::move(other.subscribers_);
    id_ = other.id_;
    other.id_ = 0;
  }
  return *this;
}

void ClickConnection::disconnect() {
  if (auto subscribers = subscribers_.lock()) {
    std::erase_if(subscribers->handlers, [&](const auto& entry) { return entry.first == id_; });
  }
  subscribers_.reset();
  id_ = 0;
}

bool ClickConnection::connected() const {
  auto subscribers = subscribers_.lock();
  if (!subscribers) return false;
  return std::any_of(subscribers->handlers.begin(), subscribers->handlers.end(),
                     [&](const auto& entry) { return entry.first == id_; });
}

// --- controls ---

CommandBarControl& CommandBarControls::item(int index) const {
  return *shared(index);
}

std::shared_ptr<CommandBarControl> CommandBarControls::shared(int index) const {
  if (index < 1 || index > count()) {
    throw HostError(kInvalidArgument, "Invalid procedure call or argument: control " +
                                          std::to_string(index) + " of " + std::to_string(count()));
  }
  return controls_[static_cast<std::size_t>(index - 1)];
}

CommandBarControl& CommandBarControls::item(std::string_view caption) const {
  for (const auto& control : controls_) {
    if (control->caption_ == caption) return *control;
  }
  throw HostError(kInvalidArgument, "Invalid procedure call or argument: no control \"" +
                                        std::string(caption) + "\"");
}

std::shared_ptr<CommandBarControl> CommandBarControls::add(ControlType type, bool temporary,
                                                           int before) {
  if (before == 0) {
    controls_.push_back(std::make_shared<CommandBarControl>(type, temporary));
    return controls_.back();
  }
  shared(before);  // the range check
  return *controls_.insert(controls_.begin() + (before - 1),
                           std::make_shared<CommandBarControl>(type, temporary));
}

void CommandBarControls::remove(int index) {
  const std::shared_ptr<CommandBarControl> control = shared(index);
  control->deleted_ = true;
  control->controls_.mark_deleted();
  control->subscribers_->handlers.clear();
  controls_.erase(controls_.begin() + (index - 1));
}

void CommandBarControls::mark_deleted() {
  for (const auto& control : controls_) {
    control->deleted_ = true;
    control->controls_.mark_deleted();
    control->subscribers_->handlers.clear();
  }
  controls_.clear();
}

void CommandBarControls::drop_temporary() {
  for (const auto& control : controls_) {
    if (control->temporary_) {
      control->deleted_ = true;
      control->controls_.mark_deleted();
      control->subscribers_->handlers.clear();
    } else {
      control->controls_.drop_temporary();
    }
  }
  std::erase_if(controls_, [](const auto& control) { return control->deleted_; });
}

CommandBarControl::CommandBarControl(ControlType type, bool temporary)
    : type_(type),
      temporary_(temporary),
      subscribers_(std::make_shared<ClickConnection::Subscribers>()) {}

void CommandBarControl::check_alive() const {
  if (deleted_) {
    throw HostError(kAutomationError, "Automation error: the command-bar control was deleted");
  }
}

ControlType CommandBarControl::type() const {
  check_alive();
  return type_;
}
const std::string& CommandBarControl::caption() const {
  check_alive();
  return caption_;
}
void CommandBarControl::set_caption(std::string caption) {
  check_alive();
  caption_ = std::move(caption);
}
const std::string& CommandBarControl::parameter() const {
  check_alive();
  return parameter_;
}
void CommandBarControl::set_parameter(std::string parameter) {
  check_alive();
  parameter_ = std::move(parameter);
}
bool CommandBarControl::begin_group() const {
  check_alive();
  return begin_group_;
}
void CommandBarControl::set_begin_group(bool on) {
  check_alive();
  begin_group_ = on;
}
bool CommandBarControl::enabled() const {
  check_alive();
  return enabled_;
}
void CommandBarControl::set_enabled(bool on) {
  check_alive();
  enabled_ = on;
}
bool CommandBarControl::visible() const {
  check_alive();
  return visible_;
}
void CommandBarControl::set_visible(bool on) {
  check_alive();
  visible_ = on;
}
int CommandBarControl::face_id() const {
  check_alive();
  return face_id_;
}
void CommandBarControl::set_face_id(int id) {
  check_alive();
  face_id_ = id;
}
ButtonStyle CommandBarControl::style() const {
  check_alive();
  return style_;
}
void CommandBarControl::set_style(ButtonStyle style) {
  check_alive();
  style_ = style;
}

CommandBarControls& CommandBarControl::controls() {
  check_alive();
  if (type_ != ControlType::kPopup) {
    throw HostError(438,
                    "Object doesn't support this property or method: a button has no controls");
  }
  return controls_;
}

ClickConnection CommandBarControl::on_click(ClickHandler handler) {
  check_alive();
  const std::uint64_t id = subscribers_->next_id++;
  subscribers_->handlers.emplace_back(id, std::make_shared<ClickHandler>(std::move(handler)));
  return ClickConnection(subscribers_, id);
}

bool CommandBarControl::click() {
  if (deleted_ || !enabled_ || !visible_) return false;
  // A handler may disconnect others (or itself) while the event runs: walk a snapshot, which keeps
  // the running handler alive, and skip a handler dropped meanwhile, whose owner may be gone.
  const auto snapshot = subscribers_->handlers;
  bool cancel_default = false;
  for (const auto& entry : snapshot) {
    const auto& live = subscribers_->handlers;
    const bool still_connected = std::any_of(
        live.begin(), live.end(), [&](const auto& other) { return other.first == entry.first; });
    if (still_connected) (*entry.second)(*this, cancel_default);
  }
  return true;
}

// --- bars ---

CommandBar::CommandBar(std::string name, BarPosition position, bool menu_bar, bool temporary,
                       bool built_in)
    : name_(std::move(name)),
      position_(position),
      menu_bar_(menu_bar),
      temporary_(temporary),
      built_in_(built_in) {}

CommandBar& CommandBars::item(int index) const {
  if (index < 1 || index > count()) {
    throw HostError(kInvalidArgument, "Invalid procedure call or argument: command bar " +
                                          std::to_string(index) + " of " + std::to_string(count()));
  }
  return *bars_[static_cast<std::size_t>(index - 1)];
}

CommandBar* CommandBars::find(std::string_view name) const {
  for (const auto& bar : bars_) {
    if (os::equals_ignoring_ascii_case(bar->name(), name)) return bar.get();
  }
  return nullptr;
}

CommandBar& CommandBars::item(std::string_view name) const {
  if (CommandBar* bar = find(name)) return *bar;
  throw HostError(kInvalidArgument, "Invalid procedure call or argument: no command bar \"" +
                                        std::string(name) + "\"");
}

CommandBar& CommandBars::add(std::string_view name, BarPosition position, bool menu_bar,
                             bool temporary) {
  if (find(name) != nullptr) {
    throw HostError(kInvalidArgument, "Invalid procedure call or argument: a command bar \"" +
                                          std::string(name) + "\" exists");
  }
  bars_.push_back(
      std::make_unique<CommandBar>(std::string(name), position, menu_bar, temporary, false));
  return *bars_.back();
}

CommandBar& CommandBars::add_built_in(std::string_view name, BarPosition position, bool menu_bar) {
  bars_.push_back(std::make_unique<CommandBar>(std::string(name), position, menu_bar, false, true));
  return *bars_.back();
}

void CommandBars::remove(CommandBar& bar) {
  if (bar.built_in()) {
    throw HostError(kInvalidArgument, "Invalid procedure call or argument: the built-in bar \"" +
                                          bar.name() + "\" cannot be deleted");
  }
  auto it =
      std::find_if(bars_.begin(), bars_.end(), [&](const auto& b) { return b.get() == &bar; });
  if (it == bars_.end()) throw HostError(kAutomationError, "Automation error: no such bar");
  (*it)->controls_.mark_deleted();
  bars_.erase(it);
}

void CommandBars::drop_temporary() {
  for (const auto& bar : bars_) {
    if (bar->temporary()) {
      bar->controls_.mark_deleted();
    } else {
      bar->controls_.drop_temporary();
    }
  }
  std::erase_if(bars_, [](const auto& bar) { return bar->temporary(); });
}

}  // namespace fb::office
