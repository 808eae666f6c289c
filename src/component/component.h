#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/office/office_host.h"
#include "platform/os/clock.h"
#include "platform/os/environment.h"
#include "platform/os/file_system.h"
#include "platform/sheet/application.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "src/component/exchange_node.h"
#include "src/component/generation_options.h"

namespace kivo2d {

class ButtonEventCol;
class ComponentWindows;

// The state the component keeps between calls from its host: what a module-level variable held
// in the original (the host application object, WinDir, the file-system object, ExportFailed,
// the loaded windows). One instance per connection, passed explicitly, so several hosts can run
// in one process and tests build as many as they like.
class Component {
 public:
  Component(const fb::os::Environment& environment, fb::os::FileSystemObject& file_system,
            fb::os::Clock& clock, fb::ui::Dialogs& dialogs)
      : environment_(environment), file_system_(file_system), clock_(clock), dialogs_(dialogs) {}
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  // The windows go before the window registry they are listed in.
  ~Component() {
    windows.reset();
    button_keeper.reset();
  }

  // The host application object, kept from connection to disconnection.
  bool connected() const { return app_ != nullptr; }
  fb::sheet::Application& app() const {
    if (app_ == nullptr) throw std::logic_error("the component is not connected to a host");
    return *app_;
  }
  void set_app(fb::sheet::Application* app) { app_ = app; }

  // The Office side of the same host (command bars, the VBA editor, keys), kept with the
  // application object.
  fb::office::OfficeHost& office() const {
    if (office_ == nullptr) throw std::logic_error("the component has no command-bar host");
    return *office_;
  }
  void set_office(fb::office::OfficeHost* office) { office_ = office; }

  const fb::os::Environment& environment() const { return environment_; }
  fb::os::FileSystemObject& file_system() const { return file_system_; }
  fb::os::Clock& clock() const { return clock_; }
  fb::ui::Dialogs& dialogs() const { return dialogs_; }
  fb::ui::FormRegistry& forms() { return forms_; }

  // The module-level copy of the environment variable WinDir, read afresh by each user.
  std::string win_dir;
  // Set by the pipeline's abort routine; read and reset by the generation command.
  bool export_failed = false;
  // The workbooks the running generation opened or created, by name: the only ones whose window
  // its abort routine may close.
  std::vector<std::string> run_workbooks;
  // The editor panel's choices for the running generation, set by the generation command.
  GenerationOptions generation_options;
  // The tree the running generation wrote to the exchange file, set by the generation command:
  // the report keeps it with the choices. Empty when a host wrote the exchange file itself.
  std::vector<ExchangeNode> generation_tree;
  // The host's layout fitting, which the panel's " 自动适配 " asks for: given the panel's choices,
  // the choices (size, line length) whose diagram of the editor's tree overlaps least. Unset:
  // the host cannot lay a tree out on the side, and the run takes the choices as they are.
  std::function<GenerationOptions(const GenerationOptions& given)> fit_layout;
  // Called after each pipeline step with the step's number; hosts use it to trace a run.
  std::function<void(int step)> after_step;

  // The folder the component's library lies in (Windows-style or native): the help file is there.
  std::string component_folder;
  // Keeps the command-bar buttons' event objects alive while connected; made on first use.
  std::shared_ptr<ButtonEventCol> button_keeper;
  // The component's windows (Work, Hello, ProgressGif), made on first use (component_windows.h).
  std::shared_ptr<ComponentWindows> windows;

 private:
  const fb::os::Environment& environment_;
  fb::os::FileSystemObject& file_system_;
  fb::os::Clock& clock_;
  fb::ui::Dialogs& dialogs_;
  fb::ui::FormRegistry forms_;
  fb::sheet::Application* app_ = nullptr;
  fb::office::OfficeHost* office_ = nullptr;
};

}  // namespace kivo2d
