#include "platform/ui/chm_file.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <system_error>

#include "platform/os/host_error.h"
#include "platform/os/host_error_text.h"
#include "platform/ui/help_reader_process.h"
#include "platform/ui/html_scan.h"

namespace fb::ui {

struct ChmFile::Handle {
  std::vector<HelpObject> objects;  // in the file's order
  // Each object by its name without the leading "/" in lower case: the file's names are looked
  // up without regard to ASCII letter case, as the compiled-help library looks them up.
  std::map<std::string, std::size_t> by_name;
  std::string charset;  // the code page of the file's language, for iconv
  const HelpObject* find(std::string_view name) const;
};

namespace {

constexpr int kFileNotFound = host_error::kFileNotFound;
constexpr int kInvalidFormat = 321;

[[noreturn]] void Fail(int number, const std::string& detail) {
  throw HostError(number, std::string(host_error_text(number)) + "：" + detail);
}

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string CharsetOf(int language) {
  switch (language & 0xFFFF) {
    case 0x0804:  // Chinese (PRC)
    case 0x1004:  // Chinese (Singapore)
      return "GBK";
    case 0x0404:  // Chinese (Taiwan)
    case 0x0C04:  // Chinese (Hong Kong)
      return "BIG5";
    case 0x0411:
      return "SHIFT_JIS";
    case 0x0412:
      return "CP949";
    default:
      return "CP1252";
  }
}

std::string ToUtf8(std::string_view bytes, const std::string& charset) {
  iconv_t cd = iconv_open("UTF-8", charset.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);
  std::string out;
  std::string input(bytes);
  char* in = input.data();
  std::size_t in_left = input.size();
  char buffer[4096];
  while (in_left > 0) {
    char* out_ptr = buffer;
    std::size_t out_left = sizeof buffer;
    const std::size_t result = iconv(cd, &in, &in_left, &out_ptr, &out_left);
    out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // A byte the code page does not know: shown as U+FFFD, and the rest goes on.
      out += "\xEF\xBF\xBD";
      ++in;
      --in_left;
    }
  }
  iconv_close(cd);
  return out;
}

// The title cut at the end of a character, so that what is left is still UTF-8.
std::string Shortened(std::string_view title) {
  if (title.size() <= kMaxHelpTitleBytes) return std::string(title);
  std::size_t end = kMaxHelpTitleBytes - std::string_view("…").size();
  while (end > 0 && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80) --end;
  return std::string(title.substr(0, end)) + "…";
}

std::string StripSlash(std::string_view path) {
  while (!path.empty() && path.front() == '/') path.remove_prefix(1);
  return std::string(path);
}

// Folds "a/./b/../c" to "a/c"; nullopt when it climbs out of the file.
std::optional<std::string> Normalise(std::string_view path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    const std::string part(path.substr(start, end - start));
    if (part == "..") {
      if (parts.empty()) return std::nullopt;
      parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& part : parts) out += (out.empty() ? "" : "/") + part;
  return out;
}

}  // namespace

const HelpObject* ChmFile::Handle::find(std::string_view name) const {
  const auto it = by_name.find(Lower(StripSlash(name)));
  return it == by_name.end() ? nullptr : &objects[it->second];
}

ChmFile::ChmFile(ChmFile&&) noexcept = default;
ChmFile& ChmFile::operator=(ChmFile&&) noexcept = default;
ChmFile::~ChmFile() = default;

ChmFile ChmFile::open(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) Fail(kFileNotFound, path.string());
  return from_objects(path, read_help_objects(path));
}

ChmFile ChmFile::from_objects(const std::filesystem::path& path, std::vector<HelpObject> objects) {
  ChmFile chm;
  chm.path_ = path;
  chm.handle_ = std::make_unique<Handle>();
  chm.handle_->objects = std::move(objects);
  for (std::size_t i = 0; i < chm.handle_->objects.size(); ++i) {
    chm.handle_->by_name.emplace(Lower(StripSlash(chm.handle_->objects[i].name)), i);
  }

  // #SYSTEM: a version, then records of a code, a length and data. Without it the file is no
  // help file a reader could show.
  if (chm.handle_->find("#SYSTEM") == nullptr) Fail(kInvalidFormat, path.string());
  const std::string system = chm.read("#SYSTEM");
  std::vector<std::pair<int, std::string>> records;
  for (std::size_t pos = 4; pos + 4 <= system.size();) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(system[i]); };
    const int code = byte(pos) | (byte(pos + 1) << 8);
    const std::size_t length = byte(pos + 2) | (byte(pos + 3) << 8);
    if (pos + 4 + length > system.size()) Fail(kInvalidFormat, path.string());
    std::string data = system.substr(pos + 4, length);
    if (code == 4 && data.size() >= 4) {
      chm.language_ = byte(pos + 4) | (byte(pos + 5) << 8);
    }
    records.emplace_back(code, std::move(data));
    pos += 4 + length;
  }
  chm.handle_->charset = CharsetOf(chm.language_);
  for (auto& [code, data] : records) {
    const std::string text = ToUtf8(std::string_view(data.c_str()), chm.handle_->charset);
    if (code == 0) chm.contents_file_ = StripSlash(text);
    if (code == 1) chm.index_file_ = StripSlash(text);
    if (code == 2) chm.default_topic_ = StripSlash(text);
    if (code == 3) chm.title_ = text;
  }
  if (!chm.default_topic_.empty() && !chm.has_topic(chm.default_topic_)) {
    Fail(kInvalidFormat, path.string());
  }
  return chm;
}

std::vector<std::string> ChmFile::pages() const {
  std::vector<std::string> found;
  for (const HelpObject& object : handle_->objects) {
    const std::string name = StripSlash(object.name);
    const std::string lower = Lower(name);
    if (lower.ends_with(".htm") || lower.ends_with(".html")) found.push_back(name);
  }
  return found;
}

bool ChmFile::has_topic(std::string_view topic) const {
  return handle_->find(topic) != nullptr;
}

void ChmFile::require_topic(std::string_view topic) const {
  if (!has_topic(topic)) {
    Fail(kFileNotFound, path_.filename().string() + "::" + StripSlash(topic));
  }
}

std::string ChmFile::read(std::string_view name) const {
  const HelpObject* object = handle_->find(name);
  const std::string where = path_.filename().string() + "::" + std::string(name);
  if (object == nullptr) Fail(kFileNotFound, where);
  switch (object->state) {
    case HelpObject::State::kRead:
      return object->bytes;
    case HelpObject::State::kTooLarge:
      Fail(kInvalidFormat,
           where + "（大于 " + std::to_string(kMaxHelpObjectBytes / 1048576) + " MiB）");
    case HelpObject::State::kUnreadable:
      break;
  }
  Fail(kInvalidFormat, where);
}

std::string ChmFile::read_text(std::string_view name) const {
  return with_utf8_charset(ToUtf8(read(name), handle_->charset));
}

std::string ChmFile::page_title(std::string_view topic) const {
  const std::string text = read_text(topic);
  const std::optional<std::string_view> title = html_title(text);
  return title ? Shortened(*title) : std::string();
}

std::vector<HelpEntry> ChmFile::sitemap(const std::string& file) const {
  std::vector<HelpEntry> entries;
  if (file.empty() || !has_topic(file)) return entries;
  const std::string text = read_text(file);
  // Walk the tags in order: <ul> and </ul> set the depth, each sitemap object is one entry.
  int depth = -1;
  bool in_sitemap = false;
  HelpEntry entry;
  for (const HtmlTag& tag : html_tags(text, {"ul", "object", "param"})) {
    if (tag.name == "ul") {
      depth += tag.closing ? -1 : 1;
    } else if (tag.name == "object" && !tag.closing) {
      in_sitemap = Lower(html_attribute(tag.attributes, "type")) == "text/sitemap";
      entry = HelpEntry{{}, {}, std::max(depth, 0)};
    } else if (tag.name == "object" && tag.closing) {
      if (in_sitemap && !entry.name.empty()) entries.push_back(entry);
      if (entries.size() == kMaxHelpEntries) break;
      in_sitemap = false;
    } else if (tag.name == "param" && in_sitemap) {
      const std::string key = Lower(html_attribute(tag.attributes, "name"));
      if (key == "name" && entry.name.empty()) entry.name = html_attribute(tag.attributes, "value");
      if (key == "local" && entry.topic.empty()) {
        entry.topic = StripSlash(html_attribute(tag.attributes, "value"));
      }
    }
  }
  return entries;
}

std::vector<HelpEntry> ChmFile::contents() const {
  return sitemap(contents_file_);
}

std::vector<HelpEntry> ChmFile::index() const {
  return sitemap(index_file_);
}

std::vector<std::string> ChmFile::links(std::string_view topic) const {
  const std::string text = read_text(topic);
  std::vector<std::string> hrefs;
  for (const HtmlTag& tag : html_tags(text, {"a"})) {
    std::string href = html_attribute(tag.attributes, "href");
    if (!href.empty()) hrefs.push_back(std::move(href));
  }
  return hrefs;
}

std::optional<std::string> ChmFile::resolve_link(std::string_view from,
                                                 std::string_view href) const {
  std::string target(href.substr(0, href.find('#')));
  if (target.empty()) return StripSlash(from);  // an anchor on the same page
  // A scheme ("http:", "mailto:", "ms-its:") leads outside: only plain paths stay in the file.
  const std::size_t colon = target.find(':');
  if (colon != std::string::npos && target.find('/') > colon) return std::nullopt;
  std::string joined;
  if (target.front() == '/') {
    joined = target;
  } else {
    const std::string base = StripSlash(from);
    const std::size_t slash = base.rfind('/');
    joined = (slash == std::string::npos ? "" : base.substr(0, slash + 1)) + target;
  }
  std::optional<std::string> topic = Normalise(joined);
  if (!topic || !has_topic(*topic)) return std::nullopt;
  return topic;
}

}  // namespace fb::ui
