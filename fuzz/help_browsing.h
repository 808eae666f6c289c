#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/ui/chm_file.h"

namespace fb::fuzz {

// What the help window asks of a help file it opened: every page, its title and links and where
// they lead, the contents and the index. Besides "no crash", a title never exceeds what the help
// window is promised.
inline void BrowseHelp(const fb::ui::ChmFile& file) {
  for (const std::string& page : file.pages()) {
    if (file.page_title(page).size() > fb::ui::kMaxHelpTitleBytes) {
      std::fprintf(stderr, "page %s: a title longer than a help file may give\n", page.c_str());
      std::abort();
    }
    (void)file.read_text(page);
    for (const std::string& link : file.links(page)) (void)file.resolve_link(page, link);
  }
  (void)file.contents();
  (void)file.index();
}

}  // namespace fb::fuzz
