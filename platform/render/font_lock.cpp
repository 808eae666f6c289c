#include "platform/render/font_lock.h"

namespace fb::render {

std::unique_lock<std::recursive_mutex> lock_fonts() {
  // Never destroyed: a thread's text context lets go of its fonts when the thread ends, which
  // may be after the program's statics are gone.
  static auto* const fonts = new std::recursive_mutex();
  return std::unique_lock<std::recursive_mutex>(*fonts);
}

}  // namespace fb::render
