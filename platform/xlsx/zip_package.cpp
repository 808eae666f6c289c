#include "platform/xlsx/zip_package.h"

#include <minizip/zip.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace fb::xlsx {
namespace {

// 2000-01-01 12:00 as a DOS date and time: any fixed moment will do, so equal parts give equal
// bytes whatever the machine's time zone.
constexpr uLong kEntryDosTime =
    ((((2000UL - 1980UL) << 9) | (1UL << 5) | 1UL) << 16) | (12UL << 11);

// Written by the format's version 2.0 on MS-DOS: plain deflated entries, no file attributes.
constexpr uLong kMadeBy = 20;

// General purpose flag bit 11: the entry's name is UTF-8.
constexpr uLong kUtf8Names = 1UL << 11;

// The archive grows in memory: the zip writer asks to seek back to finish each entry's header.
struct MemoryFile {
  std::string bytes;
  std::size_t position = 0;
};

voidpf ZCALLBACK open_memory(voidpf opaque, const void* /*name*/, int /*mode*/) {
  return opaque;
}

uLong ZCALLBACK read_memory(voidpf /*opaque*/, voidpf stream, void* buffer, uLong size) {
  auto* file = static_cast<MemoryFile*>(stream);
  const std::size_t available = file->bytes.size() - std::min(file->position, file->bytes.size());
  const std::size_t n = std::min<std::size_t>(size, available);
  std::memcpy(buffer, file->bytes.data() + file->position, n);
  file->position += n;
  return static_cast<uLong>(n);
}

uLong ZCALLBACK write_memory(voidpf /*opaque*/, voidpf stream, const void* buffer, uLong size) {
  auto* file = static_cast<MemoryFile*>(stream);
  if (file->position + size > file->bytes.size()) file->bytes.resize(file->position + size);
  std::memcpy(file->bytes.data() + file->position, buffer, size);
  file->position += size;
  return size;
}

ZPOS64_T ZCALLBACK tell_memory(voidpf /*opaque*/, voidpf stream) {
  return static_cast<MemoryFile*>(stream)->position;
}

long ZCALLBACK seek_memory(voidpf /*opaque*/, voidpf stream, ZPOS64_T offset, int origin) {
  auto* file = static_cast<MemoryFile*>(stream);
  std::size_t base = 0;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
      break;
    case ZLIB_FILEFUNC_SEEK_CUR:
      base = file->position;
      break;
    case ZLIB_FILEFUNC_SEEK_END:
      base = file->bytes.size();
      break;
    default:
      return -1;
  }
  file->position = base + offset;
  return 0;
}

int ZCALLBACK close_memory(voidpf /*opaque*/, voidpf /*stream*/) {
  return 0;
}

int ZCALLBACK memory_error(voidpf /*opaque*/, voidpf /*stream*/) {
  return 0;
}

[[noreturn]] void fail(const std::string& what, int code) {
  throw std::runtime_error("cannot build the zip archive: " + what + " (zip error " +
                           std::to_string(code) + ")");
}

}  // namespace

void ZipPackage::add(std::string name, std::string content, Compression compression) {
  entries_.push_back({std::move(name), std::move(content), compression});
}

std::string ZipPackage::bytes() const {
  // Without the zip64 extensions an archive holds at most 65,535 entries of under 4 GiB each;
  // a workbook comes nowhere near, so anything larger is refused rather than written wrongly.
  if (entries_.size() >= std::numeric_limits<std::uint16_t>::max()) {
    throw std::runtime_error("cannot build the zip archive: too many parts");
  }
  MemoryFile file;
  zlib_filefunc64_def functions{};
  functions.zopen64_file = open_memory;
  functions.zread_file = read_memory;
  functions.zwrite_file = write_memory;
  functions.ztell64_file = tell_memory;
  functions.zseek64_file = seek_memory;
  functions.zclose_file = close_memory;
  functions.zerror_file = memory_error;
  functions.opaque = &file;
  zipFile archive = zipOpen2_64("", APPEND_STATUS_CREATE, nullptr, &functions);
  if (archive == nullptr) throw std::runtime_error("cannot build the zip archive: open");

  zip_fileinfo info{};
  info.dosDate = kEntryDosTime;
  for (const auto& [name, content, compression] : entries_) {
    if (content.size() >= std::numeric_limits<std::uint32_t>::max()) {
      zipClose(archive, nullptr);
      throw std::runtime_error("cannot build the zip archive: " + name + " is too large");
    }
    const int level = compression == Compression::kFast ? 1 : 6;
    int status = zipOpenNewFileInZip4_64(archive, name.c_str(), &info, nullptr, 0, nullptr, 0,
                                         nullptr, Z_DEFLATED, level, 0, -MAX_WBITS, 8,
                                         Z_DEFAULT_STRATEGY, nullptr, 0, kMadeBy, kUtf8Names, 0);
    if (status == ZIP_OK) {
      status = zipWriteInFileInZip(archive, content.data(), static_cast<unsigned>(content.size()));
    }
    if (status == ZIP_OK) status = zipCloseFileInZip(archive);
    if (status != ZIP_OK) {
      zipClose(archive, nullptr);
      fail(name, status);
    }
  }
  if (const int status = zipClose(archive, nullptr); status != ZIP_OK) fail("close", status);
  return std::move(file.bytes);
}

}  // namespace fb::xlsx
