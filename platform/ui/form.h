#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ui/control.h"
#include "platform/ui/picture.h"

namespace fb::ui {

class FormRegistry;

// VB's WindowState values.
enum class WindowState { kNormal = 0, kMinimized = 1, kMaximized = 2 };
// VB's Show modes: vbModeless 0, vbModal 1.
enum class ShowMode { kModeless = 0, kModal = 1 };
// VB's BorderStyle values the windows use: none (a splash or an animation alone on the desktop)
// and fixed single (a title bar, not resizable).
enum class BorderStyle { kNone = 0, kFixedSingle = 1 };

// The base of the component's windows (Work, Hello, ProgressGif): a plain model with VB's form
// life cycle. A derived window overrides the hooks (Form_Load, Form_Activate, Form_Unload) and
// holds its controls as members.
//
// Life cycle, as VB's:
// - load(): does nothing when loaded; else marks the form loaded, adds it to the registry (in
//   load order) and runs on_load().
// - show(): loads when needed, makes the form visible, and activates it (on_activate()). A modal
//   show then runs the registry's modal loop, when one is set (the desktop host runs an event
//   loop until the form is hidden or unloaded; headless hosts set none, so show returns).
// - activate(): runs on_activate() when the form is loaded and visible. Hosts call it when the
//   window becomes the active one again (e.g. after another window closed).
// - hide(): invisible, stays loaded.
// - unload(): does nothing when not loaded; else runs on_unload(), then hides the form, marks it
//   unloaded and removes it from the registry. The object itself lives on; a later load()
//   starts again with on_load(), which must reset whatever a fresh window would have.
class Form : public Control {
 public:
  Form(FormRegistry& registry, std::string name, std::string caption = {});
  ~Form() override;

  const std::string& caption() const { return caption_; }
  void set_caption(std::string caption) { update(caption_, std::move(caption)); }
  // The window's icon and its background picture (drawn at the top-left, under the controls).
  const std::optional<Picture>& icon() const { return icon_; }
  void set_icon(std::optional<Picture> icon) { update(icon_, std::move(icon)); }
  const std::optional<Picture>& picture() const { return picture_; }
  void set_picture(std::optional<Picture> picture) { update(picture_, std::move(picture)); }

  bool loaded() const { return loaded_; }
  WindowState window_state() const { return window_state_; }
  void set_window_state(WindowState state);
  // Whether the last show() was modal.
  bool shown_modal() const { return shown_modal_; }

  // Decodes the window's pictures, once. A drawing layer calls it before it first draws the
  // window, so a host that never draws one (the command line) never pays for its pictures.
  void load_pictures() {
    if (pictures_loaded_) return;
    pictures_loaded_ = true;
    on_load_pictures();
  }

  void load();
  void show(ShowMode mode = ShowMode::kModeless);
  void hide();
  void activate();
  void unload();

  BorderStyle border_style() const { return border_style_; }
  void set_border_style(BorderStyle style) { update(border_style_, style); }

  // Window-system properties the component sets through Windows calls.
  bool close_command_removed() const { return close_removed_; }
  void remove_close_command() { update(close_removed_, true); }  // system menu SC_CLOSE
  bool top_most() const { return top_most_; }
  void set_top_most(bool top_most) { update(top_most_, top_most); }
  // Layered-window opacity 0..255 (nullopt: not layered).
  std::optional<int> opacity() const { return opacity_; }
  void set_opacity(std::optional<int> opacity) { update(opacity_, opacity); }
  // Layered-window transparent colour key (RGB as rgb() gives it; nullopt: none).
  std::optional<std::uint32_t> transparent_color() const { return transparent_color_; }
  void set_transparent_color(std::optional<std::uint32_t> colour) {
    update(transparent_color_, colour);
  }

  FormRegistry& registry() const { return registry_; }

  // The window's controls for a drawing layer: each with the control it lies in (nullptr: the
  // window itself; its bounds are then relative to that container), in drawing order, later ones
  // over earlier ones. The window lists its controls when it is made.
  struct Placement {
    Control* control = nullptr;
    Control* container = nullptr;
  };
  const std::vector<Placement>& controls() const { return controls_; }
  // The placement of a control, or nullptr when the window does not list it.
  const Placement* placement(const Control& control) const;

 protected:
  void add_control(Control& control, Control* container = nullptr) {
    controls_.push_back({&control, container});
  }

  virtual void on_load_pictures() {}
  virtual void on_load() {}
  virtual void on_activate() {}
  virtual void on_unload() {}

 private:
  FormRegistry& registry_;
  std::string caption_;
  std::optional<Picture> icon_;
  std::optional<Picture> picture_;
  bool loaded_ = false;
  bool pictures_loaded_ = false;
  bool shown_modal_ = false;
  WindowState window_state_ = WindowState::kNormal;
  BorderStyle border_style_ = BorderStyle::kFixedSingle;
  bool close_removed_ = false;
  bool top_most_ = false;
  std::optional<int> opacity_;
  std::optional<std::uint32_t> transparent_color_;
  std::vector<Placement> controls_;
};

// What happened to a form, for a drawing layer that mirrors forms as real windows.
enum class FormEvent { kLoaded, kShown, kHidden, kActivated, kStateChanged, kUnloaded };

// The component's collection of loaded windows (VB's Forms), one per component instance.
class FormRegistry {
 public:
  FormRegistry() = default;
  FormRegistry(const FormRegistry&) = delete;
  FormRegistry& operator=(const FormRegistry&) = delete;

  // Loaded forms in load order.
  const std::vector<Form*>& loaded_forms() const { return loaded_; }
  // The first loaded form with exactly this name, or nullptr.
  Form* find(std::string_view name) const;
  // IsFormShown: walks the loaded forms; at the first whose name equals `name` exactly, returns
  // whether it is visible; false when none matches.
  bool is_form_shown(std::string_view name) const;

  // Runs for a modal show (see Form::show).
  void set_modal_loop(std::function<void(Form&)> loop) { modal_loop_ = std::move(loop); }
  void set_on_form_event(std::function<void(Form&, FormEvent)> observer) {
    observer_ = std::move(observer);
  }

 private:
  friend class Form;
  void add(Form& form);
  void remove(Form& form);
  void notify(Form& form, FormEvent event) const {
    if (observer_) observer_(form, event);
  }

  std::vector<Form*> loaded_;
  std::function<void(Form&)> modal_loop_;
  std::function<void(Form&, FormEvent)> observer_;
};

}  // namespace fb::ui
