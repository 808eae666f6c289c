#include "platform/ui/html_scan.h"

namespace fb::ui {

namespace {

constexpr std::size_t npos = std::string_view::npos;

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool IsWordCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool StartsWithAt(std::string_view text, std::size_t at, std::string_view word) {
  if (at > text.size() || text.size() - at < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (Lower(text[at + i]) != Lower(word[i])) return false;
  }
  return true;
}

// The words sought are a few letters long, so a plain search is linear in the text.
std::size_t Find(std::string_view text, std::string_view word, std::size_t from) {
  for (std::size_t at = from; at < text.size(); ++at) {
    if (StartsWithAt(text, at, word)) return at;
  }
  return npos;
}

std::size_t SkipSpaces(std::string_view text, std::size_t at) {
  while (at < text.size() && IsSpace(text[at])) ++at;
  return at;
}

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Lower(c);
  return out;
}

}  // namespace

std::vector<HtmlTag> html_tags(std::string_view text,
                               std::initializer_list<std::string_view> names) {
  std::vector<HtmlTag> tags;
  for (std::size_t at = text.find('<'); at != npos; at = text.find('<', at + 1)) {
    std::size_t name_at = at + 1;
    const bool closing = name_at < text.size() && text[name_at] == '/';
    if (closing) ++name_at;
    for (const std::string_view name : names) {
      const std::size_t after = name_at + name.size();
      if (!StartsWithAt(text, name_at, name)) continue;
      if (after < text.size() && IsWordCharacter(text[after])) continue;
      const std::size_t end = text.find('>', after);
      // No ">" anywhere after: no tag can end, the rest is text.
      if (end == npos) return tags;
      tags.push_back({LowerCase(name), closing, text.substr(after, end - after)});
      at = end;
      break;
    }
  }
  return tags;
}

std::string html_attribute(std::string_view attributes, std::string_view name) {
  for (std::size_t at = Find(attributes, name, 0); at != npos;
       at = Find(attributes, name, at + 1)) {
    // "data-name" or a value's "name" is not the attribute "name".
    if (at > 0 && !IsSpace(attributes[at - 1])) continue;
    std::size_t pos = SkipSpaces(attributes, at + name.size());
    if (pos >= attributes.size() || attributes[pos] != '=') continue;
    pos = SkipSpaces(attributes, pos + 1);
    if (pos >= attributes.size()) continue;
    const char quote = attributes[pos];
    if (quote == '"' || quote == '\'') {
      const std::size_t close = attributes.find(quote, pos + 1);
      if (close != npos) return std::string(attributes.substr(pos + 1, close - pos - 1));
    }
    // Unquoted, or a quote never closed: the value runs to a blank or the tag's end.
    std::size_t end = pos;
    while (end < attributes.size() && !IsSpace(attributes[end]) && attributes[end] != '>') ++end;
    if (end > pos) return std::string(attributes.substr(pos, end - pos));
  }
  return {};
}

std::optional<std::string_view> html_title(std::string_view text) {
  constexpr std::string_view kOpen = "<title>";
  for (std::size_t at = Find(text, kOpen, 0); at != npos; at = Find(text, kOpen, at + 1)) {
    const std::size_t start = at + kOpen.size();
    const std::size_t next_tag = text.find('<', start);
    if (next_tag == npos) return std::nullopt;
    if (StartsWithAt(text, next_tag, "</title>")) return text.substr(start, next_tag - start);
  }
  return std::nullopt;
}

std::string with_utf8_charset(std::string text) {
  constexpr std::string_view kCharset = "charset";
  for (std::size_t at = Find(text, kCharset, 0); at != npos; at = Find(text, kCharset, at + 1)) {
    std::size_t pos = SkipSpaces(text, at + kCharset.size());
    if (pos >= text.size() || text[pos] != '=') continue;
    pos = SkipSpaces(text, pos + 1);
    if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) ++pos;
    std::size_t end = pos;
    while (end < text.size() && (IsWordCharacter(text[end]) || text[end] == '-')) ++end;
    if (end == pos) continue;
    text.replace(pos, end - pos, "utf-8");
    return text;
  }
  return text;
}

}  // namespace fb::ui
