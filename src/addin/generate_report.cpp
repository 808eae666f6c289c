#include "src/addin/generate_report.h"

#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "platform/os/host_error.h"
#include "platform/os/host_error_text.h"
#include "platform/os/utf16.h"
#include "platform/os/win_path.h"
#include "src/addin/component_windows.h"
#include "src/addin/generation_messages.h"
#include "src/component/component.h"
#include "src/component/exchange_paths.h"
#include "src/editor/cause_tree.h"
#include "src/editor/exchange_writer.h"
#include "src/editor/tree_file.h"
#include "src/pipeline/run_export.h"
#include "src/windows/help_topics.h"

namespace kivo2d {
namespace {

namespace vb = fb::ui::vb;

constexpr const char* kVbeKey = "%{F11}";
constexpr const char* kMacroKey = "%{F8}";

void IgnoringFailure(const std::function<void()>& action) {
  try {
    action();
  } catch (const fb::HostError&) {
  }
}

// The "11.0" host's menus that reach macros and controls: twelve controls of the control toolbox,
// the "Visual Basic" bar and the "Tools" menu's "Macro" entry. Locking stops at the first failure;
// unlocking goes on past each.
void SetMacroMenusEnabled(fb::office::CommandBars& bars, bool enabled, bool ignore_failures) {
  auto run = [&](const std::function<void()>& action) {
    if (ignore_failures) {
      IgnoringFailure(action);
    } else {
      action();
    }
  };
  for (int i = 1; i <= 12; ++i) {
    run([&] {
      bars.item(fb::office::OfficeHost::kControlToolboxPosition)
          .controls()
          .item(3 + i)
          .set_enabled(enabled);
    });
  }
  run([&] { bars.item(fb::office::OfficeHost::kVisualBasicBar).set_enabled(enabled); });
  run([&] {
    bars.item(1)
        .controls()
        .item(fb::office::OfficeHost::kToolsMenu)
        .controls()
        .item(fb::office::OfficeHost::kMacroMenu)
        .set_enabled(enabled);
  });
}

bool IsExcel2003(Component& component) {
  return component.app().profile() == fb::sheet::HostProfile::V11;
}

// The unlocking both paths end with, each action on its own.
void RestoreKeysMenusAndInput(Component& component) {
  fb::office::OfficeHost& office = component.office();
  IgnoringFailure([&] { office.keys().on_key(kMacroKey); });
  IgnoringFailure([&] { office.keys().on_key(kVbeKey); });
  IgnoringFailure([&] {
    if (IsExcel2003(component)) SetMacroMenusEnabled(office.command_bars(), true, true);
  });
  IgnoringFailure([&] { component.app().set_interactive(true); });
  IgnoringFailure([&] { component.app().set_enable_events(true); });
}

void EnableOpenEditorButton(Component& component) {
  component.office().command_bars().item("Fishbone").controls().item(1).set_enabled(true);
}

// Points 5 to 10 of the command: the preparations. Returns whether the host refused access to
// the VBA project.
bool Prepare(Component& component) {
  fb::sheet::Application& app = component.app();
  fb::office::OfficeHost& office = component.office();
  component.win_dir = component.environment().value(fb::os::kWinDir);
  const std::string exchange_file = ExchangeFilePath(component.win_dir);
  if (component.file_system().FileExists(exchange_file)) {
    component.file_system().DeleteFile(exchange_file);
  }
  app.set_enable_cancel_key(fb::sheet::CancelKey::Disabled);
  bool refused = false;
  try {
    fb::office::Vbe& vbe = office.vbe();
    if (vbe.main_window_visible()) vbe.set_main_window_visible(false);
  } catch (const fb::HostError& error) {
    if (error.number() != fb::host_error::kApplicationDefined) throw;
    refused = true;
  }
  office.send_keys("%q", false);
  if (IsExcel2003(component)) SetMacroMenusEnabled(office.command_bars(), false, false);
  office.keys().on_key(kVbeKey, "");
  office.keys().on_key(kMacroKey, "");
  return refused;
}

void TrustPath(Component& component, Work& editor) {
  component.dialogs().message_box(kTrustWarning, vb::vbExclamation | vb::vbOKOnly,
                                  kTrustWarningTitle);
  IgnoringFailure([&] {
    ShowHelpTopic(component.dialogs(), component.file_system(),
                  HelpFilePath(component.component_folder), kTrustTopic, &editor);
  });
  RestoreKeysMenusAndInput(component);
  IgnoringFailure([&] { EnableOpenEditorButton(component); });
  editor.unload();
}

void WriteTree(Component& component, Work& editor) {
  const std::filesystem::path file =
      fb::os::ensure_parent_folders(ExchangeFilePath(component.win_dir));
  struct AppPump final : fb::os::MessagePump {
    explicit AppPump(fb::sheet::Application& a) : app(a) {}
    void pump() override { app.do_events(); }
    fb::sheet::Application& app;
  } pump(component.app());
  component.generation_tree = ExchangeNodes(editor.TreeView1);
  WriteExchangeFile(component.generation_tree, file, pump);
}

// What the user is told of a failure: a host error in the product's language, from the table of
// the host's descriptions; anything else is ours and named as an internal error.
std::string Reason(const std::exception& error) {
  if (const auto* host = dynamic_cast<const fb::HostError*>(&error)) {
    return fb::host_error_message(*host);
  }
  return std::string(fb::host_error_text(51)) + "（" + error.what() + "）";
}

// Ends a run that could not be prepared as a failed run ends, with our message giving the reason.
void AbandonRun(Component& component, Work& editor, const std::string& reason) {
  IgnoringFailure([&] { Windows(component).progress().unload(); });
  RestoreKeysMenusAndInput(component);
  IgnoringFailure([&] { EnableOpenEditorButton(component); });
  editor.unload();
  component.dialogs().message_box(
      std::string(kPreparationFailedLead) + reason + std::string(kPreparationFailedTail),
      vb::vbCritical | vb::vbOKOnly, kFailureTitle);
  component.export_failed = false;
}

// A caption the generation cannot carry: an empty one loses or miscounts nodes on the data
// sheet, and one over the tree files' limit cannot be shown. The warning names the first such
// node; nothing is locked yet.
std::optional<std::string> CaptionProblem(Work& editor) {
  for (const ExchangeNode& node : ExchangeNodes(editor.TreeView1)) {
    if (node.caption.empty()) return std::string(kEmptyCaptionLead) + node.key;
    if (fb::os::utf16_length(node.caption) > kMaxCaptionLength) {
      return std::string(kLongCaptionLead) + node.key;
    }
  }
  return std::nullopt;
}

}  // namespace

void GenerateReport(Component& component, Work& editor) {
  if (!editor.NodeCheck()) {
    component.dialogs().message_box(kNodeCheckMessage, vb::vbExclamation | vb::vbOKOnly,
                                    kNodeCheckTitle);
    return;
  }
  if (const auto problem = CaptionProblem(editor)) {
    component.dialogs().message_box(*problem, vb::vbExclamation | vb::vbOKOnly, kNodeCheckTitle);
    return;
  }
  editor.hide();
  fb::sheet::Application& app = component.app();
  app.set_enable_events(false);
  app.set_interactive(false);

  bool refused = false;
  try {
    refused = Prepare(component);
  } catch (const std::exception& error) {
    AbandonRun(component, editor, Reason(error));
    return;
  }
  if (refused) {
    TrustPath(component, editor);
    return;
  }

  try {
    Windows(component).progress().show(fb::ui::ShowMode::kModeless);
    WriteTree(component, editor);
    component.generation_options = editor.Settings.Choices();
    if (editor.Settings.AutoFit() && component.fit_layout) {
      component.generation_options = component.fit_layout(component.generation_options);
    }
  } catch (const std::exception& error) {
    AbandonRun(component, editor, Reason(error));
    return;
  }
  RunExport(component);
  RestoreKeysMenusAndInput(component);
  if (!component.export_failed) {
    component.dialogs().message_box(kSuccessMessage, vb::vbInformation | vb::vbOKOnly,
                                    kSuccessTitle);
  }
  IgnoringFailure([&] { EnableOpenEditorButton(component); });
  editor.unload();
  if (component.export_failed) {
    component.dialogs().message_box(kFailureMessage, vb::vbCritical | vb::vbOKOnly, kFailureTitle);
  }
  component.export_failed = false;
}

}  // namespace kivo2d
