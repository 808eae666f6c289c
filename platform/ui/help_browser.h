#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/chm_file.h"

namespace fb::ui {

// What a help window shows and where it can go: one help file, the topic on show, its page, the
// contents tree, and a history to go back and forward in. The desktop's help window draws it and
// feeds it the user's clicks; it decides nothing itself.
class HelpBrowser {
 public:
  // What a click on a link did.
  enum class LinkResult { kShown, kOutside, kNowhere };

  // Opens `file` at `topic`. Throws fb::HostError as ChmFile::open does, and 53 ("文件未找到",
  // naming the file and the topic) when the file has no such topic.
  HelpBrowser(const std::filesystem::path& file, std::string_view topic);

  const ChmFile& file() const { return file_; }
  const std::string& topic() const { return history_[position_]; }
  // The topic's page as UTF-8 HTML, and its title.
  const std::string& page() const { return page_; }
  const std::string& page_title() const { return title_; }
  const std::vector<HelpEntry>& contents() const { return contents_; }
  const std::vector<HelpEntry>& index() const { return index_; }

  // Shows another topic of the file (a click in the contents or the index); false, and nothing
  // changes, when the file has no such topic.
  bool Show(std::string_view topic);
  // A click on a link of the page: a topic of the file is shown; a link that leads outside
  // (http:, mailto:) is for the desktop to open, so `outside` gets its address; a link to nothing
  // changes nothing.
  LinkResult Follow(std::string_view href, std::string* outside = nullptr);
  bool can_go_back() const { return position_ > 0; }
  bool can_go_forward() const { return position_ + 1 < history_.size(); }
  void Back();
  void Forward();

 private:
  void Load();

  ChmFile file_;
  std::vector<std::string> history_;
  std::size_t position_ = 0;
  std::string page_;
  std::string title_;
  std::vector<HelpEntry> contents_;
  std::vector<HelpEntry> index_;
};

}  // namespace fb::ui
