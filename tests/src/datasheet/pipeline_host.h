#pragma once

#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/os/clock.h"
#include "platform/os/environment.h"
#include "platform/os/file_system.h"
#include "platform/os/message_pump.h"
#include "platform/os/win_path.h"
#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "platform/ui/headless_dialogs.h"
#include "src/component/component.h"
#include "src/component/exchange_paths.h"
#include "src/datasheet/functions.h"
#include "src/editor/exchange_writer.h"
#include "src/pipeline/run_export.h"

namespace kivo2d::testing {

// A cause tree as test tables write it: (key, caption) pairs, the main problem "A" among them.
using Tree = std::vector<std::pair<std::string, std::string>>;

inline std::vector<ExchangeNode> ToExchange(const Tree& tree) {
  std::vector<ExchangeNode> nodes;
  for (const auto& [key, caption] : tree) {
    nodes.push_back({caption, key, key == "A" ? std::string() : key.substr(0, key.size() - 1)});
  }
  return nodes;
}

// A headless host with the component connected, private WinDir and userprofile folders, and the
// component's worksheet functions registered, as an installed component has them.
class PipelineHost {
 public:
  explicit PipelineHost(std::string version = "12.0")
      : root_(MakeRoot()),
        app_(environment_, std::move(version)),
        component_(environment_, file_system_, clock_, dialogs_) {
    environment_.set(fb::os::kWinDir, (root_ / "windows").string());
    environment_.set(fb::os::kUserProfile, (root_ / "profile").string());
    std::filesystem::create_directories(root_ / "windows" / "Temp");
    std::filesystem::create_directories(root_ / "profile");
    RegisterFunctionsClass(app_.addins());
    component_.set_app(&app_);
  }
  ~PipelineHost() { std::filesystem::remove_all(root_); }
  PipelineHost(const PipelineHost&) = delete;
  PipelineHost& operator=(const PipelineHost&) = delete;

  fb::sheet::Application& app() { return app_; }
  Component& component() { return component_; }
  std::string win_dir() const { return (root_ / "windows").string(); }
  std::string user_profile() const { return (root_ / "profile").string(); }

  void WriteExchangeFile(const Tree& tree) {
    const std::vector<ExchangeNode> nodes = ToExchange(tree);
    kivo2d::WriteExchangeFile(nodes, fb::os::native_path(ExchangeFilePath(win_dir())), pump_);
  }

  // Writes the tree and runs the pipeline; `after_step` sees the host after each step.
  void Generate(const Tree& tree, std::function<void(int)> after_step = {}) {
    WriteExchangeFile(tree);
    component_.after_step = std::move(after_step);
    RunExport(component_);
  }

  // The same, stopped after `last_step`: the generation workbook stays open to be looked at.
  void GenerateThrough(int last_step, const Tree& tree, std::function<void(int)> after_step = {}) {
    WriteExchangeFile(tree);
    component_.after_step = std::move(after_step);
    RunExport(component_, last_step);
  }

 private:
  static std::filesystem::path MakeRoot() {
    static int counter = 0;
    auto root =
        std::filesystem::temp_directory_path() /
        ("fishbone-pipeline-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    return root;
  }

  std::filesystem::path root_;
  fb::os::MapEnvironment environment_;
  fb::os::FileSystemObject file_system_;
  fb::os::FakeClock clock_;
  fb::ui::HeadlessDialogs dialogs_;
  fb::os::NullPump pump_;
  fb::sheet::Application app_;
  Component component_;
};

}  // namespace kivo2d::testing
