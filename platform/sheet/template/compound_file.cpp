#include "platform/sheet/template/compound_file.h"

#include <algorithm>
#include <cstring>

#include "platform/sheet/template/template_error.h"

namespace fb::sheet::xlt {
namespace {

constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFA;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kHeaderFatSlots = 109;

std::uint16_t u16(std::span<const std::uint8_t> b, std::size_t at) {
  if (at + 2 > b.size()) throw TemplateError("structure runs past its end");
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8U));
}

std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(u16(b, at)) |
         (static_cast<std::uint32_t>(u16(b, at + 2)) << 16U);
}

char16_t ascii_upper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

bool same_name(const std::u16string& a, const std::u16string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return ascii_upper(x) == ascii_upper(y); });
}

}  // namespace

CompoundFile::CompoundFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
  const std::span<const std::uint8_t> all(bytes_);
  if (all.size() < kHeaderSize || std::memcmp(all.data(), kSignature, sizeof kSignature) != 0) {
    throw TemplateError("not a compound file (no signature)");
  }
  const unsigned sector_shift = u16(all, 30);
  const unsigned mini_shift = u16(all, 32);
  if ((sector_shift != 9 && sector_shift != 12) || mini_shift != 6) {
    throw TemplateError("unsupported sector sizes");
  }
  sector_size_ = 1U << sector_shift;
  mini_sector_size_ = 1U << mini_shift;
  const std::uint32_t fat_sectors = u32(all, 44);
  const std::uint32_t dir_start = u32(all, 48);
  mini_cutoff_ = u32(all, 56);
  const std::uint32_t mini_fat_start = u32(all, 60);
  const std::uint32_t mini_fat_sectors = u32(all, 64);
  std::uint32_t difat_next = u32(all, 68);
  const std::uint32_t difat_sectors = u32(all, 72);

  // The FAT's own sectors: 109 in the header, the rest in a chain of DIFAT sectors.
  const std::size_t sector_count = (bytes_.size() - kHeaderSize) / sector_size_;
  if (fat_sectors == 0 || fat_sectors > sector_count) throw TemplateError("bad FAT size");
  std::vector<std::uint32_t> fat_ids;
  for (std::size_t i = 0; i < kHeaderFatSlots && fat_ids.size() < fat_sectors; ++i) {
    fat_ids.push_back(u32(all, 76 + 4 * i));
  }
  for (std::uint32_t d = 0; d < difat_sectors && fat_ids.size() < fat_sectors; ++d) {
    const auto s = sector(difat_next);
    const std::size_t per = sector_size_ / 4 - 1;
    for (std::size_t i = 0; i < per && fat_ids.size() < fat_sectors; ++i) {
      fat_ids.push_back(u32(s, 4 * i));
    }
    difat_next = u32(s, sector_size_ - 4);
  }
  if (fat_ids.size() < fat_sectors) throw TemplateError("FAT sectors missing");
  for (std::uint32_t id : fat_ids) {
    const auto s = sector(id);
    for (std::size_t i = 0; i < sector_size_ / 4; ++i) fat_.push_back(u32(s, 4 * i));
  }

  // Directory.
  const std::vector<std::uint8_t> dir = read_chain(dir_start, std::nullopt);
  for (std::size_t at = 0; at + 128 <= dir.size(); at += 128) {
    const std::span<const std::uint8_t> e(dir.data() + at, 128);
    Entry entry;
    const std::size_t name_bytes = std::min<std::size_t>(u16(e, 64), 64);
    for (std::size_t i = 0; i + 1 < name_bytes; i += 2) {
      const char16_t c = u16(e, i);
      if (c == 0) break;
      entry.name.push_back(c);
    }
    entry.type = e[66];
    entry.left = u32(e, 68);
    entry.right = u32(e, 72);
    entry.child = u32(e, 76);
    entry.start = u32(e, 116);
    entry.size = u32(e, 120);
    if (sector_size_ == 4096) entry.size |= static_cast<std::uint64_t>(u32(e, 124)) << 32U;
    entries_.push_back(std::move(entry));
  }
  if (entries_.empty() || entries_[0].type != 5) throw TemplateError("no root storage");

  // The mini stream (held by the root) and its allocation table.
  if (mini_fat_sectors != 0) {
    const std::vector<std::uint8_t> mf =
        read_chain(mini_fat_start, static_cast<std::uint64_t>(mini_fat_sectors) * sector_size_);
    for (std::size_t i = 0; i + 4 <= mf.size(); i += 4) mini_fat_.push_back(u32(mf, i));
  }
  if (entries_[0].size != 0) mini_stream_ = read_chain(entries_[0].start, entries_[0].size);
}

std::span<const std::uint8_t> CompoundFile::sector(std::uint32_t id) const {
  const std::uint64_t at = kHeaderSize + static_cast<std::uint64_t>(id) * sector_size_;
  if (id > kMaxRegularSector || at + sector_size_ > bytes_.size()) {
    throw TemplateError("sector " + std::to_string(id) + " lies beyond the end of the file");
  }
  return {bytes_.data() + at, sector_size_};
}

std::vector<std::uint32_t> CompoundFile::chain(std::uint32_t start,
                                               const std::vector<std::uint32_t>& table,
                                               std::uint64_t max_length) const {
  std::vector<std::uint32_t> ids;
  std::uint32_t id = start;
  while (id != kEndOfChain) {
    if (id >= table.size() || ids.size() >= max_length || ids.size() >= table.size()) {
      throw TemplateError("broken or looping sector chain");
    }
    ids.push_back(id);
    id = table[id];
    if (id == kFreeSector) throw TemplateError("sector chain runs into a free sector");
  }
  return ids;
}

std::vector<std::uint8_t> CompoundFile::read_chain(std::uint32_t start,
                                                   std::optional<std::uint64_t> size) const {
  const std::uint64_t limit = size ? (*size + sector_size_ - 1) / sector_size_ + 1
                                   : static_cast<std::uint64_t>(fat_.size());
  std::vector<std::uint8_t> out;
  for (std::uint32_t id : chain(start, fat_, limit)) {
    const auto s = sector(id);
    out.insert(out.end(), s.begin(), s.end());
  }
  if (!size) return out;
  if (out.size() < *size) throw TemplateError("stream shorter than its size");
  out.resize(static_cast<std::size_t>(*size));
  return out;
}

std::optional<std::vector<std::uint8_t>> CompoundFile::stream(const std::u16string& name) const {
  // Walk the root's sibling tree, guarding against cycles.
  std::vector<std::uint32_t> pending{entries_[0].child};
  std::vector<bool> seen(entries_.size(), false);
  while (!pending.empty()) {
    const std::uint32_t id = pending.back();
    pending.pop_back();
    if (id == kNoStream) continue;
    if (id >= entries_.size() || seen[id]) throw TemplateError("corrupt directory");
    seen[id] = true;
    const Entry& e = entries_[id];
    pending.push_back(e.left);
    pending.push_back(e.right);
    if (e.type != 2 || !same_name(e.name, name)) continue;
    if (e.size >= mini_cutoff_) return read_chain(e.start, e.size);
    const std::uint64_t needed = (e.size + mini_sector_size_ - 1) / mini_sector_size_;
    std::vector<std::uint8_t> out;
    if (e.size != 0) {
      for (std::uint32_t m : chain(e.start, mini_fat_, needed + 1)) {
        const std::uint64_t at = static_cast<std::uint64_t>(m) * mini_sector_size_;
        if (at + mini_sector_size_ > mini_stream_.size()) {
          throw TemplateError("mini sector beyond the mini stream");
        }
        out.insert(out.end(), mini_stream_.begin() + static_cast<std::ptrdiff_t>(at),
                   mini_stream_.begin() + static_cast<std::ptrdiff_t>(at + mini_sector_size_));
      }
    }
    if (out.size() < e.size) throw TemplateError("stream shorter than its size");
    out.resize(static_cast<std::size_t>(e.size));
    return out;
  }
  return std::nullopt;
}

}  // namespace fb::sheet::xlt
