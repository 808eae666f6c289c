#include "platform/xlsx/zip_archive.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <cstring>

namespace fb::xlsx {

// The archive's bytes as minizip's file: read-only, with a position.
struct ZipSource {
  std::string_view bytes;
  std::size_t position = 0;
};

namespace {

voidpf ZCALLBACK open_source(voidpf opaque, const void* /*name*/, int /*mode*/) {
  return opaque;
}

uLong ZCALLBACK read_source(voidpf /*opaque*/, voidpf stream, void* buffer, uLong size) {
  auto* source = static_cast<ZipSource*>(stream);
  const std::size_t available =
      source->bytes.size() - std::min(source->position, source->bytes.size());
  const std::size_t n = std::min<std::size_t>(size, available);
  if (n > 0) std::memcpy(buffer, source->bytes.data() + source->position, n);
  source->position += n;
  return static_cast<uLong>(n);
}

uLong ZCALLBACK write_nothing(voidpf /*opaque*/, voidpf /*stream*/, const void* /*buffer*/,
                              uLong /*size*/) {
  return 0;
}

ZPOS64_T ZCALLBACK tell_source(voidpf /*opaque*/, voidpf stream) {
  return static_cast<ZipSource*>(stream)->position;
}

// A seek outside the bytes fails, as it would on a file of this length.
long ZCALLBACK seek_source(voidpf /*opaque*/, voidpf stream, ZPOS64_T offset, int origin) {
  auto* source = static_cast<ZipSource*>(stream);
  std::uint64_t base = 0;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
      break;
    case ZLIB_FILEFUNC_SEEK_CUR:
      base = source->position;
      break;
    case ZLIB_FILEFUNC_SEEK_END:
      base = source->bytes.size();
      break;
    default:
      return -1;
  }
  if (offset > source->bytes.size() || base > source->bytes.size() - offset) return -1;
  source->position = static_cast<std::size_t>(base + offset);
  return 0;
}

int ZCALLBACK close_source(voidpf /*opaque*/, voidpf /*stream*/) {
  return 0;
}

int ZCALLBACK source_error(voidpf /*opaque*/, voidpf /*stream*/) {
  return 0;
}

std::string lower_case(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

ZipArchive::ZipArchive(std::string_view bytes) : source_(std::make_unique<ZipSource>()) {
  source_->bytes = bytes;
  zlib_filefunc64_def functions{};
  functions.zopen64_file = open_source;
  functions.zread_file = read_source;
  functions.zwrite_file = write_nothing;
  functions.ztell64_file = tell_source;
  functions.zseek64_file = seek_source;
  functions.zclose_file = close_source;
  functions.zerror_file = source_error;
  functions.opaque = source_.get();
  archive_ = unzOpen2_64("", &functions);
  if (archive_ == nullptr) {
    throw PackageError("it is not a zip archive, or its directory is damaged");
  }
  unz_global_info64 global{};
  if (unzGetGlobalInfo64(archive_, &global) != UNZ_OK) {
    unzClose(archive_);
    throw PackageError("the zip archive's directory is damaged");
  }
  if (global.number_entry > kMaxZipEntries) {
    unzClose(archive_);
    throw PackageError("the zip archive lists " + std::to_string(global.number_entry) +
                       " entries; a workbook has far fewer than " + std::to_string(kMaxZipEntries));
  }
  // Walked once: a lookup by name would walk the directory again for every part.
  int status = unzGoToFirstFile(archive_);
  std::size_t walked = 0;
  while (status == UNZ_OK) {
    if (++walked > kMaxZipEntries) break;  // a directory that lies about its length
    unz_file_info64 info{};
    char name[1024];
    if (unzGetCurrentFileInfo64(archive_, &info, name, sizeof name, nullptr, 0, nullptr, 0) !=
        UNZ_OK) {
      break;
    }
    unz64_file_pos position{};
    if (info.size_filename < sizeof name && unzGetFilePos64(archive_, &position) == UNZ_OK) {
      entries_.try_emplace(lower_case(std::string_view(name, info.size_filename)),
                           Position{position.pos_in_zip_directory, position.num_of_file});
    }
    status = unzGoToNextFile(archive_);
  }
  if (status != UNZ_END_OF_LIST_OF_FILE) {
    unzClose(archive_);
    throw PackageError("the zip archive's directory is damaged");
  }
}

ZipArchive::~ZipArchive() {
  if (archive_ != nullptr) unzClose(archive_);
}

std::optional<std::string> ZipArchive::read(std::string_view name, std::size_t max_bytes) const {
  const auto found = entries_.find(lower_case(name));
  if (found == entries_.end()) return std::nullopt;
  const std::string shown(name);
  const unz64_file_pos position{found->second.directory_offset, found->second.entry_number};
  if (unzGoToFilePos64(archive_, &position) != UNZ_OK || unzOpenCurrentFile(archive_) != UNZ_OK) {
    throw PackageError("the zip entry " + shown + " cannot be opened");
  }
  std::string content;
  char buffer[65536];
  for (;;) {
    const int got = unzReadCurrentFile(archive_, buffer, sizeof buffer);
    if (got < 0) {
      unzCloseCurrentFile(archive_);
      throw PackageError("the zip entry " + shown + " is damaged");
    }
    if (got == 0) break;
    if (content.size() + static_cast<std::size_t>(got) > max_bytes) {
      unzCloseCurrentFile(archive_);
      throw PackageError("the zip entry " + shown + " inflates to more than " +
                         std::to_string(max_bytes / (std::size_t{1024} * 1024)) +
                         " MiB, more than a workbook part holds");
    }
    content.append(buffer, static_cast<std::size_t>(got));
  }
  if (unzCloseCurrentFile(archive_) != UNZ_OK) {
    throw PackageError("the zip entry " + shown + " fails its checksum");
  }
  return content;
}

}  // namespace fb::xlsx
