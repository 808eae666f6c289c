#include "platform/ui/help_objects.h"

#include <cstdint>

namespace fb::ui {

namespace {

// A name, its state and its bytes, each length as eight bytes, least significant first.
constexpr std::string_view kMagic = "fishbone help objects 1\n";

void PutLength(std::string& out, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::optional<std::uint64_t> TakeLength(std::string_view& in) {
  if (in.size() < 8) return std::nullopt;
  std::uint64_t value = 0;
  for (int i = 0; i < 8; ++i) {
    value |= std::uint64_t{static_cast<unsigned char>(in[static_cast<std::size_t>(i)])} << (8 * i);
  }
  in.remove_prefix(8);
  return value;
}

std::optional<std::string> TakeText(std::string_view& in) {
  const std::optional<std::uint64_t> length = TakeLength(in);
  if (!length || *length > in.size()) return std::nullopt;
  std::string text(in.substr(0, static_cast<std::size_t>(*length)));
  in.remove_prefix(static_cast<std::size_t>(*length));
  return text;
}

}  // namespace

std::string encode_help_objects(const std::vector<HelpObject>& objects) {
  std::string out(kMagic);
  PutLength(out, objects.size());
  for (const HelpObject& object : objects) {
    PutLength(out, object.name.size());
    out += object.name;
    PutLength(out, static_cast<std::uint64_t>(object.state));
    PutLength(out, object.bytes.size());
    out += object.bytes;
  }
  return out;
}

std::optional<std::vector<HelpObject>> decode_help_objects(std::string_view bytes) {
  if (!bytes.starts_with(kMagic)) return std::nullopt;
  bytes.remove_prefix(kMagic.size());
  const std::optional<std::uint64_t> count = TakeLength(bytes);
  if (!count || *count > kMaxHelpObjects) return std::nullopt;
  std::vector<HelpObject> objects;
  std::size_t total = 0;
  for (std::uint64_t i = 0; i < *count; ++i) {
    HelpObject object;
    std::optional<std::string> name = TakeText(bytes);
    const std::optional<std::uint64_t> state = TakeLength(bytes);
    if (!name || !state || *state > static_cast<std::uint64_t>(HelpObject::State::kUnreadable)) {
      return std::nullopt;
    }
    std::optional<std::string> content = TakeText(bytes);
    if (!content) return std::nullopt;
    total += content->size();
    if (total > kMaxHelpFileBytes) return std::nullopt;
    object.name = std::move(*name);
    object.state = static_cast<HelpObject::State>(*state);
    object.bytes = std::move(*content);
    objects.push_back(std::move(object));
  }
  if (!bytes.empty()) return std::nullopt;
  return objects;
}

}  // namespace fb::ui
