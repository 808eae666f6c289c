#include "tools/xlt_template/compound_file_writer.h"

#include <algorithm>
#include <stdexcept>

#include "tools/xlt_template/byte_writer.h"

namespace fb::xlt {
namespace {

constexpr std::uint32_t kSectorSize = 512;
constexpr std::uint32_t kMiniSectorSize = 64;
constexpr std::uint32_t kMiniStreamCutoff = 4096;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::uint32_t kEntriesPerSector = kSectorSize / 4;
constexpr std::uint32_t kHeaderFatSlots = 109;

std::uint32_t sectors_for(std::size_t bytes, std::uint32_t sector) {
  return static_cast<std::uint32_t>((bytes + sector - 1) / sector);
}

// Directory order of siblings: shorter names first, then by upper-cased code units.
bool sibling_less(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return a.size() < b.size();
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto up = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
    if (up(a[i]) != up(b[i])) return up(a[i]) < up(b[i]);
  }
  return false;
}

struct DirEntry {
  std::u16string name;
  std::uint8_t type = 0;  // 1 storage, 2 stream, 5 root
  std::uint32_t left = kNoStream;
  std::uint32_t right = kNoStream;
  std::uint32_t child = kNoStream;
  std::uint32_t start = kEndOfChain;
  std::uint32_t size = 0;
  const std::uint8_t* clsid = nullptr;
};

// Links the sorted entries [first, last) into a balanced binary search tree; returns its root.
// Readers expect a red-black tree: every node black, except the deepest level when it is not
// full, which is red so that every path counts the same number of black nodes.
std::uint32_t link_balanced(std::vector<DirEntry>& entries, const std::vector<std::uint32_t>& order,
                            std::size_t first, std::size_t last) {
  if (first >= last) return kNoStream;
  const std::size_t mid = first + (last - first) / 2;
  const std::uint32_t id = order[mid];
  entries[id].left = link_balanced(entries, order, first, mid);
  entries[id].right = link_balanced(entries, order, mid + 1, last);
  return id;
}

void write_entry(ByteWriter& out, const DirEntry& e, bool red) {
  if (e.name.size() > 31) throw std::invalid_argument("stream name longer than 31 characters");
  for (char16_t c : e.name) out.u16(c);
  out.zeros(64 - 2 * e.name.size());
  out.u16(e.type == 0 ? 0 : static_cast<unsigned>(2 * (e.name.size() + 1)));
  out.u8(e.type);
  out.u8(e.type == 0 ? 0 : (red ? 0 : 1));
  out.u32(e.left);
  out.u32(e.right);
  out.u32(e.child);
  for (int i = 0; i < 16; ++i) out.u8(e.clsid != nullptr ? e.clsid[i] : 0U);
  out.u32(0);     // state bits
  out.zeros(16);  // creation and modification times
  out.u32(e.type == 0 ? 0 : e.start);
  out.u64(e.size);
}

}  // namespace

std::vector<std::uint8_t> write_compound_file(const std::vector<CompoundStream>& streams,
                                              const std::uint8_t (&root_clsid)[16]) {
  // Sector plan: big streams, then the mini stream, the mini FAT, the directory, the FAT.
  std::vector<std::uint32_t> fat;
  auto allocate_chain = [&](std::uint32_t count) -> std::uint32_t {
    if (count == 0) return kEndOfChain;
    const auto first = static_cast<std::uint32_t>(fat.size());
    for (std::uint32_t i = 0; i < count; ++i) {
      fat.push_back(i + 1 == count ? kEndOfChain : first + i + 1);
    }
    return first;
  };

  std::vector<DirEntry> entries(1);
  entries[0].name = u"Root Entry";
  entries[0].type = 5;
  entries[0].clsid = root_clsid;

  std::vector<std::uint8_t> mini_stream;
  std::vector<std::uint32_t> mini_fat;
  std::vector<std::uint8_t> big_data;
  for (const auto& s : streams) {
    DirEntry e;
    e.name = s.name;
    e.type = 2;
    e.size = static_cast<std::uint32_t>(s.data.size());
    if (s.data.size() < kMiniStreamCutoff) {
      const std::uint32_t count = sectors_for(s.data.size(), kMiniSectorSize);
      const auto first = static_cast<std::uint32_t>(mini_fat.size());
      for (std::uint32_t i = 0; i < count; ++i) {
        mini_fat.push_back(i + 1 == count ? kEndOfChain : first + i + 1);
      }
      e.start = count == 0 ? kEndOfChain : first;
      mini_stream.insert(mini_stream.end(), s.data.begin(), s.data.end());
      mini_stream.resize(static_cast<std::size_t>(first + count) * kMiniSectorSize, 0);
    } else {
      const std::uint32_t count = sectors_for(s.data.size(), kSectorSize);
      e.start = allocate_chain(count);
      big_data.insert(big_data.end(), s.data.begin(), s.data.end());
      big_data.resize(fat.size() * kSectorSize, 0);
    }
    entries.push_back(std::move(e));
  }
  entries[0].size = static_cast<std::uint32_t>(mini_stream.size());
  entries[0].start = allocate_chain(sectors_for(mini_stream.size(), kSectorSize));
  const std::uint32_t mini_fat_sectors = sectors_for(mini_fat.size() * 4, kSectorSize);
  const std::uint32_t mini_fat_start = allocate_chain(mini_fat_sectors);
  const std::uint32_t dir_sectors = sectors_for(entries.size() * 128, kSectorSize);
  const std::uint32_t dir_start = allocate_chain(dir_sectors);

  // The FAT describes itself too: grow it until its own sectors fit.
  std::uint32_t fat_sectors = 1;
  while (sectors_for((fat.size() + fat_sectors) * 4, kSectorSize) > fat_sectors) ++fat_sectors;
  if (fat_sectors > kHeaderFatSlots) throw std::invalid_argument("compound file too large");
  const auto fat_start = static_cast<std::uint32_t>(fat.size());
  for (std::uint32_t i = 0; i < fat_sectors; ++i) fat.push_back(kFatSector);
  fat.resize(static_cast<std::size_t>(fat_sectors) * kEntriesPerSector, kFreeSector);

  // The streams of the root, as a balanced search tree in sibling order.
  std::vector<std::uint32_t> order;
  for (std::uint32_t i = 1; i < entries.size(); ++i) order.push_back(i);
  std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    return sibling_less(entries[a].name, entries[b].name);
  });
  entries[0].child = link_balanced(entries, order, 0, order.size());
  // Colour: the nodes at depth of a full tree's height are red when that level is incomplete,
  // which keeps every path's black count equal.
  std::vector<int> depth(entries.size(), 0);
  int max_depth = 0;
  std::vector<std::uint32_t> stack;
  if (entries[0].child != kNoStream) stack.push_back(entries[0].child);
  depth[entries[0].child == kNoStream ? 0 : entries[0].child] = 0;
  while (!stack.empty()) {
    const std::uint32_t id = stack.back();
    stack.pop_back();
    max_depth = std::max(max_depth, depth[id]);
    for (std::uint32_t next : {entries[id].left, entries[id].right}) {
      if (next != kNoStream) {
        depth[next] = depth[id] + 1;
        stack.push_back(next);
      }
    }
  }
  const std::size_t full = (std::size_t{1} << static_cast<unsigned>(max_depth + 1)) - 1;
  const bool last_level_red = order.size() != full;

  ByteWriter out;
  // Header.
  for (unsigned b : {0xD0U, 0xCFU, 0x11U, 0xE0U, 0xA1U, 0xB1U, 0x1AU, 0xE1U}) out.u8(b);
  out.zeros(16);
  out.u16(0x003E);
  out.u16(0x0003);
  out.u16(0xFFFE);
  out.u16(9);
  out.u16(6);
  out.zeros(6);
  out.u32(0);  // directory sectors (version 3: zero)
  out.u32(fat_sectors);
  out.u32(dir_start);
  out.u32(0);
  out.u32(kMiniStreamCutoff);
  out.u32(mini_fat_sectors == 0 ? kEndOfChain : mini_fat_start);
  out.u32(mini_fat_sectors);
  out.u32(kEndOfChain);  // no DIFAT sectors
  out.u32(0);
  for (std::uint32_t i = 0; i < kHeaderFatSlots; ++i) {
    out.u32(i < fat_sectors ? fat_start + i : kFreeSector);
  }

  // Sectors, in the order they were allocated.
  out.raw(big_data);
  std::vector<std::uint8_t> mini_padded = mini_stream;
  mini_padded.resize(
      static_cast<std::size_t>(sectors_for(mini_stream.size(), kSectorSize)) * kSectorSize, 0);
  out.raw(mini_padded);
  ByteWriter mf;
  for (std::uint32_t v : mini_fat) mf.u32(v);
  for (std::size_t i = mini_fat.size(); i < std::size_t{mini_fat_sectors} * kEntriesPerSector;
       ++i) {
    mf.u32(kFreeSector);
  }
  out.raw(mf.bytes());
  ByteWriter dir;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const bool red = last_level_red && i != 0 && depth[i] == max_depth && max_depth > 0;
    write_entry(dir, entries[i], red);
  }
  while (dir.size() < std::size_t{dir_sectors} * kSectorSize) write_entry(dir, DirEntry{}, false);
  out.raw(dir.bytes());
  for (std::uint32_t v : fat) out.u32(v);
  return out.take();
}

}  // namespace fb::xlt
