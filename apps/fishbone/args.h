#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A small command-line parser for the commands: positional arguments and options, in any order.
// "--name value", "--name=value", "-o value"; "--" ends the options; "-" alone is a positional
// argument (standard input or output). "-h" and "--help" are always known.

namespace fishbone {

struct OptionRule {
  std::string_view long_name;   // "--output"
  std::string_view short_name;  // "-o", or empty
  bool takes_value = true;
};

struct ParsedArgs {
  std::vector<std::string> positionals;
  std::map<std::string, std::string, std::less<>> values;  // by long name, flags with ""
  bool help = false;

  std::optional<std::string> Value(std::string_view long_name) const;
  bool Has(std::string_view long_name) const { return values.count(long_name) != 0; }
};

// Parses `args`; on a wrong command line returns nothing and sets `error` to a message such as
// `unknown option "--frm"` or `option "--to" needs a value`.
std::optional<ParsedArgs> ParseArgs(std::span<const std::string> args,
                                    std::span<const OptionRule> rules, std::string& error);

}  // namespace fishbone
