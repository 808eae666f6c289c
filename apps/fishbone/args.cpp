#include "apps/fishbone/args.h"

namespace fishbone {

std::optional<std::string> ParsedArgs::Value(std::string_view long_name) const {
  const auto found = values.find(long_name);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

std::optional<ParsedArgs> ParseArgs(std::span<const std::string> args,
                                    std::span<const OptionRule> rules, std::string& error) {
  ParsedArgs parsed;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg == "-" || !arg.starts_with("-")) {
      parsed.positionals.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    if (arg == "-h" || arg == "--help") {
      parsed.help = true;
      continue;
    }
    std::string_view name = arg;
    std::optional<std::string> inline_value;
    if (arg.starts_with("--")) {
      if (const auto equals = arg.find('='); equals != std::string::npos) {
        name = std::string_view(arg).substr(0, equals);
        inline_value = arg.substr(equals + 1);
      }
    }
    const OptionRule* option = nullptr;
    for (const OptionRule& candidate : rules) {
      if (name == candidate.long_name ||
          (!candidate.short_name.empty() && name == candidate.short_name)) {
        option = &candidate;
      }
    }
    if (option == nullptr) {
      error = "unknown option \"" + std::string(name) + "\"";
      return std::nullopt;
    }
    const std::string key(option->long_name);
    if (!option->takes_value) {
      if (inline_value) {
        error = "option \"" + key + "\" takes no value";
        return std::nullopt;
      }
      parsed.values[key] = "";
      continue;
    }
    if (!inline_value) {
      if (i + 1 >= args.size()) {
        error = "option \"" + std::string(name) + "\" needs a value";
        return std::nullopt;
      }
      inline_value = args[++i];
    }
    if (parsed.values.count(key) != 0) {
      error = "option \"" + key + "\" is given twice";
      return std::nullopt;
    }
    parsed.values[key] = *inline_value;
  }
  return parsed;
}

}  // namespace fishbone
