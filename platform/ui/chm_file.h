#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/help_objects.h"

namespace fb::ui {

// What a help file may make the reader hold. A help file lies beside the program and is not ours
// to trust; the product's own has four pages of a few KB.
// - A stored file (a page, the contents, the index) of at most 4 MiB, refused before it is read;
//   the size is what the file claims, and a crafted one claims anything.
inline constexpr std::size_t kMaxHelpObjectBytes = std::size_t{4} * 1024 * 1024;
// - A page's title of at most 1,024 bytes (it becomes a window's title), cut at a character's end.
inline constexpr std::size_t kMaxHelpTitleBytes = 1024;
// - At most 10,000 entries in the contents or the index (each becomes an item of a tree view).
inline constexpr std::size_t kMaxHelpEntries = 10000;

// One entry of a help file's contents or index: the name shown and the topic it opens, at its
// depth in the tree (0 for the top level).
struct HelpEntry {
  std::string name;
  std::string topic;
  int level = 0;
  friend bool operator==(const HelpEntry&, const HelpEntry&) = default;
};

// A compiled HTML help file (.chm), read whole when it is opened by the help reader process
// (read_help_objects), so that the compiled-help library never runs in the program that shows it.
// Topic names are paths inside the file without the leading slash ("_9.htm"). Texts come out in
// UTF-8, converted from the file's code page (the one of its language: GBK for 0x804), and an HTML
// page's charset declaration is changed to match, so a viewer can show the page as it is.
class ChmFile {
 public:
  // Opens the file. Throws fb::HostError 53 ("文件未找到") when there is no such file and 321
  // ("无效的文件格式") when it is not a readable help file (damaged, cut short, another format,
  // or one that made the help reader die).
  static ChmFile open(const std::filesystem::path& path);
  // The file made of the stored files the help reader handed over, which are no more trusted
  // than the file they came from; `path` names it in messages. Throws fb::HostError 321 as open().
  static ChmFile from_objects(const std::filesystem::path& path, std::vector<HelpObject> objects);

  ChmFile(ChmFile&&) noexcept;
  ChmFile& operator=(ChmFile&&) noexcept;
  ~ChmFile();

  const std::filesystem::path& path() const { return path_; }
  // The language (LCID) and the title, default topic, contents and index files the file names.
  int language() const { return language_; }
  const std::string& title() const { return title_; }
  const std::string& default_topic() const { return default_topic_; }

  // Every HTML page, in the file's order.
  std::vector<std::string> pages() const;
  bool has_topic(std::string_view topic) const;
  // Throws fb::HostError 53 ("文件未找到：<file>::<topic>") when the file has no such topic.
  void require_topic(std::string_view topic) const;
  // The bytes of a stored file. Throws fb::HostError 53 naming the topic when it is not there, 321
  // when it is larger than kMaxHelpObjectBytes.
  std::string read(std::string_view name) const;
  // A page as UTF-8 text (see above). Same error as read().
  std::string read_text(std::string_view name) const;
  // At most kMaxHelpTitleBytes, "…" ending a title cut short.
  std::string page_title(std::string_view topic) const;

  // The contents tree and the index, from the files the help file names (empty when it has none),
  // each of at most kMaxHelpEntries entries.
  std::vector<HelpEntry> contents() const;
  std::vector<HelpEntry> index() const;

  // The links of a page, as written (href values, in order).
  std::vector<std::string> links(std::string_view topic) const;
  // Where a link written in page `from` leads inside the file: the topic ("_10.htm"), without any
  // "#anchor"; nullopt for a link that leads outside (http:, mailto: ...) or nowhere in the file.
  std::optional<std::string> resolve_link(std::string_view from, std::string_view href) const;

 private:
  struct Handle;
  ChmFile() = default;
  std::vector<HelpEntry> sitemap(const std::string& file) const;

  std::filesystem::path path_;
  std::unique_ptr<Handle> handle_;
  int language_ = 0;
  std::string title_;
  std::string default_topic_;
  std::string contents_file_;
  std::string index_file_;
};

}  // namespace fb::ui
