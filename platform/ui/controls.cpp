#include "platform/ui/controls.h"

#include <algorithm>
#include <stdexcept>

#include "platform/os/utf16.h"

namespace fb::ui {

void TextBox::set_text(std::string text) {
  const bool differs = text != text_;
  text_ = std::move(text);
  sel_start_ = 0;
  sel_length_ = 0;
  changed();
  if (differs && on_text_change_) on_text_change_();
}

void TextBox::set_selection(int start, int length) {
  const int units = static_cast<int>(fb::os::utf16_length(text_));
  sel_start_ = std::clamp(start, 0, units);
  sel_length_ = std::clamp(length, 0, units - sel_start_);
  changed();
}

std::string TextBox::selected_text() const {
  if (sel_length_ == 0) return std::string();
  return fb::os::utf16_substr(text_, static_cast<std::size_t>(sel_start_),
                              static_cast<std::size_t>(sel_length_));
}

int OptionGroup::add(std::string caption) {
  captions_.push_back(std::move(caption));
  changed();
  return count() - 1;
}

void OptionGroup::check_index(int index) const {
  if (index < 0 || index >= count()) {
    throw std::out_of_range("OptionGroup " + name() + ": no member " + std::to_string(index));
  }
}

const std::string& OptionGroup::caption(int index) const {
  check_index(index);
  return captions_[static_cast<std::size_t>(index)];
}

bool OptionGroup::value(int index) const {
  check_index(index);
  return selected_ == index;
}

void OptionGroup::set_value(int index, bool value) {
  check_index(index);
  if (value) {
    update(selected_, index);
  } else if (selected_ == index) {
    update(selected_, -1);
  }
}

}  // namespace fb::ui
