#pragma once

#include <memory>

#include "src/editor/work.h"
#include "src/windows/hello.h"
#include "src/windows/progress_gif.h"

namespace kivo2d {

class Component;

// The component's windows, one of each, listed in the component's window registry while loaded.
class ComponentWindows {
 public:
  explicit ComponentWindows(Component& component);
  ~ComponentWindows();
  ComponentWindows(const ComponentWindows&) = delete;
  ComponentWindows& operator=(const ComponentWindows&) = delete;

  Work& work() { return work_; }
  Hello& hello() { return hello_; }
  ProgressGif& progress() { return progress_; }

 private:
  std::unique_ptr<WorkHost> editor_host_;
  Work work_;
  Hello hello_;
  ProgressGif progress_;
};

// The component's windows, made on first use.
ComponentWindows& Windows(Component& component);

}  // namespace kivo2d
