#include "platform/sheet/addins.h"

#include "platform/os/environment.h"
#include "platform/os/host_error.h"
#include "platform/sheet/application.h"

namespace fb::sheet {

void AddIn::set_installed(bool installed) {
  if (installed && !object_) {
    object_ = factory_();
  } else if (!installed) {
    object_.reset();
  }
}

void AddIns::register_class(std::string_view prog_id, AutomationFactory factory) {
  for (auto& [id, f] : registered_) {
    if (os::equals_ignoring_ascii_case(id, prog_id)) {
      f = std::move(factory);
      return;
    }
  }
  registered_.emplace_back(std::string(prog_id), std::move(factory));
}

AddIn& AddIns::add(std::string_view prog_id) {
  app_->faults().check(HostOperation::AddinsAdd);
  for (auto& addin : addins_) {
    if (os::equals_ignoring_ascii_case(addin->name(), prog_id)) return *addin;
  }
  for (auto& [id, factory] : registered_) {
    if (os::equals_ignoring_ascii_case(id, prog_id)) {
      addins_.push_back(std::make_unique<AddIn>(id, factory));
      return *addins_.back();
    }
  }
  throw HostError(host_error::kApplicationDefined,
                  "Add method of AddIns failed: no add-in '" + std::string(prog_id) + "'");
}

AddIn& AddIns::item(std::string_view name) {
  for (auto& addin : addins_) {
    if (os::equals_ignoring_ascii_case(addin->name(), name)) return *addin;
  }
  throw HostError(host_error::kSubscriptOutOfRange,
                  "Subscript out of range: no add-in " + std::string(name));
}

std::optional<Value> AddIns::call(std::string_view function, std::span<const AddinArgument> args) {
  for (auto& addin : addins_) {
    if (AutomationObject* object = addin->object()) {
      if (auto result = object->call(function, args)) return result;
    }
  }
  return std::nullopt;
}

}  // namespace fb::sheet
