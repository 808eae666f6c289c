#include "src/addin/component_windows.h"

#include "src/addin/generate_report.h"
#include "src/addin/version.h"
#include "src/component/component.h"
#include "src/editor/leftovers.h"
#include "src/windows/help_topics.h"

namespace kivo2d {
namespace {

// The editor's view of the add-in: the host application, the command bar and the other windows.
class EditorHost final : public WorkHost {
 public:
  explicit EditorHost(Component& component) : component_(component) {}

  fb::ui::Dialogs& dialogs() override { return component_.dialogs(); }

  void SetOpenEditorButtonEnabled(bool enabled) override {
    component_.office().command_bars().item("Fishbone").controls().item(1).set_enabled(enabled);
  }

  void DeleteLeftovers() override {
    kivo2d::DeleteLeftovers(component_.file_system(), component_.win_dir,
                            component_.environment().value(fb::os::kUserProfile));
  }

  std::string HostVersion() override { return component_.app().version(); }

  void FindWorkbook(std::string_view name) override { component_.app().workbooks().item(name); }

  bool ShowHelpTopicMissing(std::string_view topic, const Work& owner) override {
    return ShowHelpTopic(component_.dialogs(), component_.file_system(),
                         HelpFilePath(component_.component_folder), topic,
                         &owner) == HelpOutcome::kFileMissing;
  }

  void ShowAboutFromEditor() override {
    Hello& hello = Windows(component_).hello();
    hello.load();
    hello.Label1.set_caption(std::string(kAboutFromEditorMode));
    hello.show(fb::ui::ShowMode::kModeless);
  }

  void Generate(Work& editor) override { GenerateReport(component_, editor); }

 private:
  Component& component_;
};

}  // namespace

ComponentWindows::ComponentWindows(Component& component)
    : editor_host_(std::make_unique<EditorHost>(component)),
      work_(component.forms(), *editor_host_),
      hello_(
          component.forms(), component.clock(),
          [&component] {
            if (component.connected()) component.app().do_events();
          },
          kComponentVersion),
      progress_(component.forms(), component.clock()) {}

ComponentWindows::~ComponentWindows() = default;

ComponentWindows& Windows(Component& component) {
  if (!component.windows) component.windows = std::make_shared<ComponentWindows>(component);
  return *component.windows;
}

}  // namespace kivo2d
