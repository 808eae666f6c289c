#include "platform/ui/help_browser.h"

namespace fb::ui {

HelpBrowser::HelpBrowser(const std::filesystem::path& file, std::string_view topic)
    : file_(ChmFile::open(file)), contents_(file_.contents()), index_(file_.index()) {
  std::string start(topic.empty() ? file_.default_topic() : std::string(topic));
  while (!start.empty() && start.front() == '/') start.erase(0, 1);
  file_.require_topic(start);
  history_.push_back(std::move(start));
  Load();
}

void HelpBrowser::Load() {
  page_ = file_.read_text(topic());
  title_ = file_.page_title(topic());
}

bool HelpBrowser::Show(std::string_view topic_name) {
  std::string target(topic_name);
  while (!target.empty() && target.front() == '/') target.erase(0, 1);
  if (!file_.has_topic(target)) return false;
  if (target == topic()) return true;
  history_.resize(position_ + 1);  // a new way forward replaces the old one
  history_.push_back(std::move(target));
  ++position_;
  Load();
  return true;
}

HelpBrowser::LinkResult HelpBrowser::Follow(std::string_view href, std::string* outside) {
  if (const std::optional<std::string> target = file_.resolve_link(topic(), href)) {
    Show(*target);
    return LinkResult::kShown;
  }
  const std::string link(href);
  const std::size_t colon = link.find(':');
  if (colon != std::string::npos && link.find('/') > colon) {
    if (outside != nullptr) *outside = link;
    return LinkResult::kOutside;
  }
  return LinkResult::kNowhere;
}

void HelpBrowser::Back() {
  if (!can_go_back()) return;
  --position_;
  Load();
}

void HelpBrowser::Forward() {
  if (!can_go_forward()) return;
  ++position_;
  Load();
}

}  // namespace fb::ui
