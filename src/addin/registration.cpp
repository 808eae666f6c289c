#include "src/addin/registration.h"

#include "src/addin/connect.h"
#include "src/component/component.h"

namespace kivo2d {
namespace {

class ConnectAddin final : public fb::office::ComAddin {
 public:
  ConnectAddin(Component& component, fb::sheet::Application& application,
               fb::office::OfficeHost& office)
      : connect_(component), application_(application), office_(office) {}

  void OnConnection(int connect_mode) override {
    connect_.AddinInstance_OnConnection(application_, office_, connect_mode);
  }
  void OnDisconnection(int remove_mode) override {
    connect_.AddinInstance_OnDisconnection(remove_mode);
  }

 private:
  Connect connect_;
  fb::sheet::Application& application_;
  fb::office::OfficeHost& office_;
};

}  // namespace

std::string ClassKey(std::string_view prog_id) {
  return "HKEY_CURRENT_USER\\Software\\Classes\\" + std::string(prog_id);
}

std::string AddinKey() {
  return fb::office::ComAddIns::addins_key("Excel") + "\\" + std::string(kConnectProgId);
}

void RegisterComponent(fb::os::Registry& registry, std::string_view library_path) {
  for (std::string_view prog_id : {kConnectProgId, kFunctionsProgId}) {
    registry.set_value(ClassKey(prog_id), "", std::string(prog_id));
    registry.set_value(ClassKey(prog_id) + "\\InprocServer32", "", std::string(library_path));
  }
  const std::string key = AddinKey();
  registry.set_value(key, "FriendlyName", std::string(kFriendlyName));
  registry.set_value(key, "Description", std::string(kAddinDescription));
  registry.set_value(key, "LoadBehavior", fb::office::kLoadAtStartup);
}

void UnregisterComponent(fb::os::Registry& registry) {
  registry.delete_key(AddinKey());
  for (std::string_view prog_id : {kConnectProgId, kFunctionsProgId}) {
    registry.delete_key(ClassKey(prog_id));
  }
}

void RegisterConnectClass(fb::office::ComAddIns& addins, Component& component,
                          fb::sheet::Application& application, fb::office::OfficeHost& office) {
  addins.register_class(kConnectProgId, [&] {
    return std::make_unique<ConnectAddin>(component, application, office);
  });
}

}  // namespace kivo2d
