#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/sheet/range.h"
#include "platform/sheet/value.h"

namespace fb::sheet {

class Application;

// An argument of an add-in function: a reference arrives as a range object, anything else as its
// value.
using AddinArgument = std::variant<Value, Range>;

// An object of a class registered for the automation add-in mechanism. While its add-in is
// installed, its public functions are callable from worksheet formulas.
class AutomationObject {
 public:
  virtual ~AutomationObject() = default;
  // nullopt when the class has no public function of that name (compared case-insensitively).
  virtual std::optional<Value> call(std::string_view function,
                                    std::span<const AddinArgument> args) = 0;
};

using AutomationFactory = std::function<std::shared_ptr<AutomationObject>()>;

// One entry of the application's add-ins collection.
class AddIn {
 public:
  AddIn(std::string name, AutomationFactory factory)
      : name_(std::move(name)), factory_(std::move(factory)) {}
  const std::string& name() const { return name_; }
  bool installed() const { return object_ != nullptr; }
  void set_installed(bool installed);
  AutomationObject* object() const { return object_.get(); }

 private:
  std::string name_;
  AutomationFactory factory_;
  std::shared_ptr<AutomationObject> object_;
};

// Application.AddIns: automation add-ins added by ProgID.
class AddIns {
 public:
  explicit AddIns(Application& app) : app_(&app) {}
  // Adds the add-in registered under the ProgID (or returns the one already added). HostError
  // 1004 when no class is registered under that ProgID.
  AddIn& add(std::string_view prog_id);
  AddIn& item(std::string_view name);  // HostError 9 when absent
  int count() const { return static_cast<int>(addins_.size()); }

  // What a COM registration does: makes a class available under a ProgID.
  void register_class(std::string_view prog_id, AutomationFactory factory);
  // Calls a function of an installed add-in; nullopt when none has it.
  std::optional<Value> call(std::string_view function, std::span<const AddinArgument> args);

 private:
  Application* app_;
  std::vector<std::pair<std::string, AutomationFactory>> registered_;
  std::vector<std::unique_ptr<AddIn>> addins_;
};

}  // namespace fb::sheet
