#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/office/command_bars.h"

namespace fb::office {

// The VBA editor object (Application.VBE): only its main window's visibility.
class Vbe {
 public:
  bool main_window_visible() const { return main_window_visible_; }
  void set_main_window_visible(bool on) { main_window_visible_ = on; }

 private:
  bool main_window_visible_ = false;
};

// Application.OnKey and Application.SendKeys. A key without an entry does what the host does by
// default; an entry holds the procedure assigned to it ("" does nothing).
class KeyBindings {
 public:
  // OnKey(key, procedure): assigns; OnKey(key) without a procedure gives the key back.
  void on_key(std::string_view key, std::optional<std::string_view> procedure = std::nullopt);
  // The procedure assigned to the key, or nullopt when it has its default meaning.
  std::optional<std::string> assignment(std::string_view key) const;
  bool all_default() const { return assigned_.empty(); }

  // Every SendKeys call, in order (keys and the Wait flag).
  struct SentKeys {
    std::string keys;
    bool wait = false;
  };
  const std::vector<SentKeys>& sent() const { return sent_; }

 private:
  friend class OfficeHost;
  std::map<std::string, std::string> assigned_;
  std::vector<SentKeys> sent_;
};

// The Office parts of the host application that the spreadsheet engine does not model: the command
// bars (with the built-in bars of the version profile), the VBA editor behind the user's trust
// setting, and the keys.
class OfficeHost {
 public:
  // Caption of the worksheet menu's "Tools" menu and of its "Macro" entry.
  static constexpr std::string_view kToolsMenu = "工具(&T)";
  static constexpr std::string_view kMacroMenu = "宏(&M)";
  static constexpr std::string_view kVisualBasicBar = "Visual Basic";
  // Position of the control-toolbox bar, whose controls 4 to 15 insert ActiveX controls.
  static constexpr int kControlToolboxPosition = 16;

  // `version` is the host's version text; "11.0" and "12.0" both carry the built-in bars.
  explicit OfficeHost(std::string_view version = "12.0");
  OfficeHost(const OfficeHost&) = delete;
  OfficeHost& operator=(const OfficeHost&) = delete;

  CommandBars& command_bars() { return bars_; }
  KeyBindings& keys() { return keys_; }
  const KeyBindings& keys() const { return keys_; }

  // "Trust access to the Visual Basic project": on by default.
  bool trust_vba_project_access() const { return trust_vba_; }
  void set_trust_vba_project_access(bool on) { trust_vba_ = on; }
  // Application.VBE: HostError 1004 when access is not trusted.
  Vbe& vbe();
  // The editor's window as the user sees it, whatever the trust setting.
  bool vbe_main_window_visible() const { return vbe_.main_window_visible(); }
  void set_vbe_main_window_visible(bool on) { vbe_.set_main_window_visible(on); }

  // SendKeys(keys, wait): recorded; "%q" (Alt+Q) closes the VBA editor's main window when it is
  // the window the keys reach, that is when it is visible.
  void send_keys(std::string_view keys, bool wait = false);

  // The host closes: temporary bars and controls vanish.
  void close();

 private:
  void add_built_in_bars();

  CommandBars bars_;
  KeyBindings keys_;
  Vbe vbe_;
  bool trust_vba_ = true;
};

}  // namespace fb::office
