#include "platform/ui/form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fb::ui {
namespace {

class RecordingForm : public Form {
 public:
  RecordingForm(FormRegistry& registry, std::string name, std::vector<std::string>& log)
      : Form(registry, std::move(name)), log_(log) {}
  bool unload_on_load = false;
  bool unload_on_activate = false;

 protected:
  void on_load() override {
    log_.push_back(name() + ".Load");
    if (unload_on_load) unload();
  }
  void on_activate() override {
    log_.push_back(name() + ".Activate");
    if (unload_on_activate) unload();
  }
  void on_unload() override { log_.push_back(name() + ".Unload"); }

 private:
  std::vector<std::string>& log_;
};

using Strings = std::vector<std::string>;

TEST(FormTest, FollowsTheLifeCycle) {
  FormRegistry registry;
  Strings log;
  RecordingForm work(registry, "Work", log);
  EXPECT_FALSE(work.loaded());
  EXPECT_FALSE(work.visible());
  work.show();
  work.hide();
  work.show();
  work.activate();
  work.unload();
  work.unload();
  work.show();
  EXPECT_EQ(log, (Strings{"Work.Load", "Work.Activate", "Work.Activate", "Work.Activate",
                          "Work.Unload", "Work.Load", "Work.Activate"}));
  EXPECT_TRUE(work.visible());
}

TEST(FormTest, IsFormShownWhenLoadedAndVisible) {
  FormRegistry registry;
  Strings log;
  RecordingForm work(registry, "Work", log);
  RecordingForm hello(registry, "Hello", log);
  struct Step {
    void (*act)(RecordingForm&);
    bool shown;
  };
  EXPECT_FALSE(registry.is_form_shown("Work"));
  work.load();
  EXPECT_FALSE(registry.is_form_shown("Work"));
  work.show();
  EXPECT_TRUE(registry.is_form_shown("Work"));
  EXPECT_FALSE(registry.is_form_shown("work"));  // names compare exactly
  work.set_window_state(WindowState::kMinimized);
  EXPECT_TRUE(registry.is_form_shown("Work"));
  work.hide();
  EXPECT_FALSE(registry.is_form_shown("Work"));
  hello.show(ShowMode::kModal);
  EXPECT_EQ(registry.loaded_forms(), (std::vector<Form*>{&work, &hello}));
  work.unload();
  EXPECT_EQ(registry.loaded_forms(), (std::vector<Form*>{&hello}));
  EXPECT_EQ(registry.find("Work"), nullptr);
  EXPECT_TRUE(hello.shown_modal());
}

TEST(FormTest, AFormMayUnloadItselfInItsHooks) {
  FormRegistry registry;
  Strings log;
  RecordingForm welcome(registry, "Hello", log);
  welcome.unload_on_activate = true;
  welcome.show(ShowMode::kModal);
  RecordingForm refused(registry, "Work", log);
  refused.unload_on_load = true;
  refused.show();
  EXPECT_EQ(log,
            (Strings{"Hello.Load", "Hello.Activate", "Hello.Unload", "Work.Load", "Work.Unload"}));
  EXPECT_TRUE(registry.loaded_forms().empty());
  EXPECT_FALSE(refused.visible());
}

TEST(FormTest, ModalShowRunsTheModalLoopAndObserversSeeEvents) {
  FormRegistry registry;
  Strings log;
  std::vector<FormEvent> events;
  registry.set_on_form_event([&](Form&, FormEvent event) { events.push_back(event); });
  registry.set_modal_loop([&](Form& form) {
    log.push_back("loop " + form.name());
    form.unload();
  });
  RecordingForm hello(registry, "Hello", log);
  hello.show(ShowMode::kModal);
  RecordingForm progress(registry, "ProgressGif", log);
  progress.show();  // modeless: no loop
  EXPECT_EQ(log, (Strings{"Hello.Load", "Hello.Activate", "loop Hello", "Hello.Unload",
                          "ProgressGif.Load", "ProgressGif.Activate"}));
  EXPECT_EQ(events,
            (std::vector<FormEvent>{FormEvent::kLoaded, FormEvent::kShown, FormEvent::kActivated,
                                    FormEvent::kUnloaded, FormEvent::kLoaded, FormEvent::kShown,
                                    FormEvent::kActivated}));
}

TEST(FormTest, WindowProperties) {
  FormRegistry registry;
  Form form(registry, "ProgressGif", "caption");
  EXPECT_EQ(form.window_state(), WindowState::kNormal);
  form.set_window_state(WindowState::kMaximized);
  EXPECT_EQ(static_cast<int>(form.window_state()), 2);
  form.remove_close_command();
  form.set_top_most(true);
  form.set_opacity(220);
  form.set_transparent_color(rgb(0, 0, 255));
  EXPECT_TRUE(form.close_command_removed());
  EXPECT_TRUE(form.top_most());
  EXPECT_EQ(form.opacity(), 220);
  EXPECT_EQ(form.transparent_color(), 0xFF0000u);
  EXPECT_EQ(form.caption(), "caption");
}

TEST(FormTest, DestroyingALoadedFormLeavesTheRegistry) {
  FormRegistry registry;
  {
    Form form(registry, "Work");
    form.show();
    EXPECT_TRUE(registry.is_form_shown("Work"));
  }
  EXPECT_TRUE(registry.loaded_forms().empty());
}

}  // namespace
}  // namespace fb::ui
