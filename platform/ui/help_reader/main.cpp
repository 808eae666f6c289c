// fishbone-help-reader FILE: the help reader process. Writes every stored file of the compiled
// help file FILE to standard output as help objects (platform/ui/help_objects.h) and ends with
// status 0; 3 when FILE is no help file, 4 when it holds more than a help file may. The programs
// that show help start it (read_help_objects) so that the compiled-help library, which a damaged
// or crafted file can make divide by zero or write out of bounds, runs in a process of its own.

#include <chm_lib.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/ui/chm_file.h"
#include "platform/ui/help_objects.h"

namespace {

constexpr int kNotAHelpFile = 3;
constexpr int kTooMuch = 4;

struct Reading {
  chmFile* file = nullptr;
  std::vector<fb::ui::HelpObject> objects;
  std::size_t total = 0;
  bool too_much = false;
};

int TakeObject(chmFile* file, chmUnitInfo* unit, void* context) {
  auto& reading = *static_cast<Reading*>(context);
  if ((unit->flags & CHM_ENUMERATE_FILES) == 0) return CHM_ENUMERATOR_CONTINUE;
  if (reading.objects.size() == fb::ui::kMaxHelpObjects) {
    reading.too_much = true;
    return CHM_ENUMERATOR_SUCCESS;
  }
  fb::ui::HelpObject object;
  object.name = unit->path;
  // The length is what the file claims: nothing that large is made before it is checked.
  if (unit->length > fb::ui::kMaxHelpObjectBytes) {
    object.state = fb::ui::HelpObject::State::kTooLarge;
  } else if (reading.total + unit->length > fb::ui::kMaxHelpFileBytes) {
    reading.too_much = true;
    return CHM_ENUMERATOR_SUCCESS;
  } else {
    object.bytes.resize(static_cast<std::size_t>(unit->length));
    const LONGINT64 got =
        chm_retrieve_object(file, unit, reinterpret_cast<unsigned char*>(object.bytes.data()), 0,
                            static_cast<LONGINT64>(unit->length));
    if (got != static_cast<LONGINT64>(unit->length)) {
      object.state = fb::ui::HelpObject::State::kUnreadable;
      object.bytes.clear();
    }
    reading.total += object.bytes.size();
  }
  reading.objects.push_back(std::move(object));
  return CHM_ENUMERATOR_CONTINUE;
}

bool WriteAll(const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t now = ::write(1, bytes.data() + written, bytes.size() - written);
    if (now < 0 && errno == EINTR) continue;
    if (now <= 0) return false;
    written += static_cast<std::size_t>(now);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  Reading reading;
  reading.file = chm_open(argv[1]);
  if (reading.file == nullptr) return kNotAHelpFile;
  chm_enumerate(reading.file, CHM_ENUMERATE_ALL, TakeObject, &reading);
  chm_close(reading.file);
  if (reading.too_much) return kTooMuch;
  return WriteAll(fb::ui::encode_help_objects(reading.objects)) ? 0 : 1;
}
