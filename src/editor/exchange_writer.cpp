#include "src/editor/exchange_writer.h"

#include <pugixml.hpp>

#include "platform/os/atomic_file.h"
#include "src/editor/xml_safe_text.h"

namespace kivo2d {
namespace {

class StringWriter final : public pugi::xml_writer {
 public:
  explicit StringWriter(std::string& out) : out_(out) {}
  void write(const void* data, size_t size) override {
    out_.append(static_cast<const char*>(data), size);
  }

 private:
  std::string& out_;
};

void SetAttribute(pugi::xml_node element, const char* name, const std::string& value) {
  const std::string safe = ToXmlSafeText(value);
  element.append_attribute(name).set_value(safe.c_str());
}

}  // namespace

std::string BuildExchangeDocument(std::span<const ExchangeNode> nodes, fb::os::MessagePump& pump) {
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("NODES");
  for (const ExchangeNode& node : nodes) {
    pugi::xml_node element = root.append_child("NODE");
    SetAttribute(element, "Caption", node.caption);
    SetAttribute(element, "Key", node.key);
    SetAttribute(element, "ParentKey", node.parent_key);
    pump.pump();
  }
  std::string bytes;
  StringWriter writer(bytes);
  document.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return bytes;
}

void WriteExchangeFile(std::span<const ExchangeNode> nodes, const std::filesystem::path& path,
                       fb::os::MessagePump& pump) {
  fb::os::write_file_atomically(path, BuildExchangeDocument(nodes, pump));
}

}  // namespace kivo2d
